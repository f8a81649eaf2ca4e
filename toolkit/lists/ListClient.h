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
    // The horizontal scroll offset in x; y stays 0 for a list.
    virtual BOOL GetScrollOffsets(CPoint& /*point*/) const
    {
        return FALSE;
    }
    // The client rectangle less the header strip and the shown scroll bars.
    virtual void GetInsideRect(CRect& /*rect*/) const
    {
    }
    virtual CString GetItemTextString(int /*iItem*/, int /*iSubItem*/)
    {
        return CString();
    }
    virtual void ClientToScreen(CPoint& /*point*/) const
    {
    }
    // Captures the mouse for the owner's window and answers it; off answers null.
    virtual HWND SetCapture(BOOL /*bOn*/)
    {
        return nullptr;
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
    // The item's state bits under the mask as the owner keeps them beside the list's (a tree's
    // bold state); a plain list keeps none.
    virtual UINT QueryItemState(int /*iItem*/, UINT /*nMask*/) const
    {
        return 0;
    }
};
} // namespace tarnwick::lists
