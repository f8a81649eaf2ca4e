// The look of a docked bar's gripper strip: its parts across, its inset, and the tool tips of
// the caption buttons in it.
#pragma once

#include <afxwin.h>

namespace tarnwick::frames
{
class SECGripperInfo : public CObject
{
public:
    SECGripperInfo();

    // The strip across a horizontal bar and down a vertical one: the sum of its five parts
    // (space, grip line, gap, grip line, space).
    virtual int GetWidth() const;
    virtual int GetHeight() const;
    int GetMargin() const
    {
        return m_nMargin;
    }

    const CString& GetCloseTip() const
    {
        return m_strCloseTip;
    }
    const CString& GetExpandTip() const
    {
        return m_strExpandTip;
    }
    const CString& GetContractTip() const
    {
        return m_strContractTip;
    }

private:
    static constexpr int PARTS = 5;
    int m_nHorzParts[PARTS];
    int m_nVertParts[PARTS];
    int m_nMargin;
    CString m_strCloseTip;
    CString m_strExpandTip;
    CString m_strContractTip;
};
} // namespace tarnwick::frames
