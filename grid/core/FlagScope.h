// A flag switched for a call and switched back however the call ends.
#pragma once

#include <afx.h>

class CGXFlagScope
{
public:
    CGXFlagScope(BOOL& bFlag, BOOL bValue = TRUE) : m_bFlag(bFlag), m_bOld(bFlag)
    {
        m_bFlag = bValue;
    }
    ~CGXFlagScope()
    {
        m_bFlag = m_bOld;
    }
    CGXFlagScope(const CGXFlagScope&) = delete;
    CGXFlagScope& operator=(const CGXFlagScope&) = delete;

private:
    BOOL& m_bFlag;
    BOOL m_bOld;
};
