// Scrambles the remembered logon password before it goes to the profile, and unscrambles it
// when it is read back. Each unit is shifted by the text's length plus its index.
#pragma once

#include <afx.h>

class CPassword : public CObject
{
    DECLARE_DYNAMIC(CPassword)
public:
    CString Encode(const CString& strText) const;
    CString Decode(const CString& strText) const;
};
