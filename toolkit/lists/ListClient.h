// What the list's helpers (label editor, item tip, tree painting) ask of the control that owns
// them. Every operation has a neutral default.
#pragma once

#include <afxwin.h>

namespace tarnwick::lists
{
class SECListClient
{
public:
    virtual ~SECListClient() = default;

    virtual HWND GetWnd() const
    {
        return nullptr;
    }
    virtual BOOL IsLabelWrap() const
    {
        return FALSE;
    }
    virtual BOOL EndLabelEdit(BOOL /*bCommit*/)
    {
        return FALSE;
    }
    virtual int GetColumnSubItem(int /*iColumn*/) const
    {
        return -1;
    }
    virtual CString GetItemTextString(int /*iItem*/, int /*iSubItem*/)
    {
        return CString();
    }
    virtual BOOL IsItemSelected(int /*iItem*/) const
    {
        return FALSE;
    }
    virtual COLORREF GetSelTextColor() const
    {
        return 0;
    }
    virtual COLORREF GetSelBkColor() const
    {
        return 0;
    }
    virtual COLORREF GetTipTextColor() const
    {
        return 0;
    }
    virtual COLORREF GetTipBkColor() const
    {
        return 0;
    }
    virtual HFONT GetItemFont() const
    {
        return nullptr;
    }
    virtual BOOL GetCellRect(int /*iItem*/, int /*iColumn*/, CRect& /*rect*/, int /*nPart*/)
    {
        return FALSE;
    }
};
} // namespace tarnwick::lists
