// A toolbar's part of its dock-state record: its title and its buttons, in the profile, the
// workspace tree and the archive.
#pragma once

#include <toolkit/frames/DockState.h>

#include <afxcoll.h>

#include <vector>

namespace tarnwick::bars
{
// One button: its command (0 for a separator) and the extra state the button keeps.
class SECBtnInfo
{
public:
    SECBtnInfo(UINT nID, BYTE nDataLength, const BYTE* pData);
    virtual ~SECBtnInfo();
    SECBtnInfo(const SECBtnInfo&) = delete;
    SECBtnInfo& operator=(const SECBtnInfo&) = delete;

    UINT m_nID;
    BYTE m_nDataLength;
    // Owned; NULL when there is no extra state.
    BYTE* m_pData;
};

// Owns its records.
class SECBtnInfoArray : public CTypedPtrArray<CPtrArray, SECBtnInfo*>
{
public:
    SECBtnInfoArray() = default;
    ~SECBtnInfoArray();
    SECBtnInfoArray(const SECBtnInfoArray&) = delete;
    SECBtnInfoArray& operator=(const SECBtnInfoArray&) = delete;
    void DeleteAll();

    // "Buttons": each record as its 32-bit id, its data length and its data. Parsing appends
    // the whole records found and stops at a cut one.
    std::vector<BYTE> Build() const;
    void Parse(const BYTE* pBytes, size_t nBytes);
};

class SECCustomToolBarInfoEx : public frames::SECControlBarInfoEx
{
    DECLARE_DYNCREATE(SECCustomToolBarInfoEx)
public:
    SECCustomToolBarInfoEx();

    CString m_strTitle;
    SECBtnInfoArray m_btnInfo;

    using frames::SECControlBarInfoEx::Serialize;
    void Serialize(CArchive& ar, frames::SECDockState* pDockState) override;
    // A child "ToolBarInfoEx" with "Title" and "Buttons".
    BOOL LoadStateFromNode(workspace::SECPersistentTreeNode* pNode) override;
    // "Title" and "Buttons" in the bar's own section.
    BOOL LoadState(LPCTSTR lpszSection, frames::SECDockState* pDockState) override;
    BOOL SaveStateToNode(workspace::SECPTNFactory& factory, workspace::SECPersistentTreeNode* pParent) override;
    BOOL SaveState(LPCTSTR lpszSection) override;

    // The record carries a button list to apply: it was loaded, or taken from a bar. A record
    // that found nothing stored leaves the bar's buttons as they are.
    BOOL HasButtons() const
    {
        return m_bHasButtons;
    }
    void SetHasButtons(BOOL bHasButtons)
    {
        m_bHasButtons = bHasButtons;
    }

private:
    BOOL m_bHasButtons;
};
} // namespace tarnwick::bars
