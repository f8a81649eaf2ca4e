// Wrappers of the common controls: list view, tree view, tool tips, up-down and progress bar.
#include <afxwin.h>
#include <afxcmn.h>

namespace
{
// Registers the common control classes that a wrapper is about to create.
void InitCommonControl(DWORD dwICC)
{
    INITCOMMONCONTROLSEX init = {sizeof(init), dwICC};
    ::InitCommonControlsEx(&init);
}

// The controls copy a text into a buffer of the caller's size and cannot say how long it is:
// read with a buffer that doubles until the text no longer fills it.
template <class TRead> CString ReadGrowingText(TRead read)
{
    CString str;
    int nLength = 128;
    int nRead;
    do
    {
        nLength *= 2;
        nRead = read(str.GetBufferSetLength(nLength), nLength);
    } while (nRead >= nLength - 1);
    str.ReleaseBuffer();
    return str;
}

// A control's image lists belong to its user: they come back as temporary objects unless
// attached.
CImageList* ImageListFromResult(LRESULT lResult)
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(lResult));
}

// A drag image list made for the caller, who deletes it.
CImageList* NewImageList(LRESULT lResult)
{
    HIMAGELIST hImageList = reinterpret_cast<HIMAGELIST>(lResult);
    if (hImageList == nullptr)
        return nullptr;
    CImageList* pImageList = new CImageList;
    pImageList->Attach(hImageList);
    return pImageList;
}

CEdit* EditFromResult(LRESULT lResult)
{
    return static_cast<CEdit*>(CWnd::FromHandle(reinterpret_cast<HWND>(lResult)));
}
} // namespace

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

// List view

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitCommonControl(ICC_LISTVIEW_CLASSES);
    CWnd* pWnd = this;
    return pWnd->Create(WC_LISTVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CListCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitCommonControl(ICC_LISTVIEW_CLASSES);
    CWnd* pWnd = this;
    return pWnd->CreateEx(dwExStyle, WC_LISTVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

COLORREF CListCtrl::GetBkColor() const
{
    return static_cast<COLORREF>(::SendMessage(m_hWnd, LVM_GETBKCOLOR, 0, 0));
}

BOOL CListCtrl::SetBkColor(COLORREF cr)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SETBKCOLOR, 0, cr));
}

COLORREF CListCtrl::GetTextColor() const
{
    return static_cast<COLORREF>(::SendMessage(m_hWnd, LVM_GETTEXTCOLOR, 0, 0));
}

BOOL CListCtrl::SetTextColor(COLORREF cr)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SETTEXTCOLOR, 0, cr));
}

COLORREF CListCtrl::GetTextBkColor() const
{
    return static_cast<COLORREF>(::SendMessage(m_hWnd, LVM_GETTEXTBKCOLOR, 0, 0));
}

BOOL CListCtrl::SetTextBkColor(COLORREF cr)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SETTEXTBKCOLOR, 0, cr));
}

CImageList* CListCtrl::GetImageList(int nImageList) const
{
    return ImageListFromResult(::SendMessage(m_hWnd, LVM_GETIMAGELIST, nImageList, 0));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return ImageListFromResult(
        ::SendMessage(m_hWnd, LVM_SETIMAGELIST, nImageListType, reinterpret_cast<LPARAM>(pImageList->GetSafeHandle())));
}

DWORD CListCtrl::GetExtendedStyle() const
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle));
}

int CListCtrl::GetItemCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

void CListCtrl::SetItemCount(int nItems)
{
    ::SendMessage(m_hWnd, LVM_SETITEMCOUNT, nItems, 0);
}

BOOL CListCtrl::GetItem(LVITEM* pItem) const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(pItem)));
}

BOOL CListCtrl::SetItem(const LVITEM* pItem)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SETITEM, 0, reinterpret_cast<LPARAM>(pItem)));
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
                        LPARAM lParam)
{
    LVITEM item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.state = nState;
    item.stateMask = nStateMask;
    item.pszText = const_cast<LPTSTR>(lpszItem);
    item.iImage = nImage;
    item.lParam = lParam;
    return SetItem(&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    return ReadGrowingText([&](LPTSTR lpszText, int nLen) { return GetItemText(nItem, nSubItem, lpszText, nLen); });
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    LVITEM item = {};
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    return static_cast<int>(::SendMessage(m_hWnd, LVM_GETITEMTEXT, nItem, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEM item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPTSTR>(lpszText);
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SETITEMTEXT, nItem, reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEM item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    GetItem(&item);
    return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(dwData));
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    return static_cast<UINT>(::SendMessage(m_hWnd, LVM_GETITEMSTATE, nItem, nMask));
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEM item = {};
    item.state = nState;
    item.stateMask = nMask;
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    lpRect->left = static_cast<LONG>(nCode);
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(lpRect)));
}

BOOL CListCtrl::GetItemPosition(int nItem, LPPOINT lpPoint) const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_GETITEMPOSITION, nItem, reinterpret_cast<LPARAM>(lpPoint)));
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    return static_cast<int>(::SendMessage(m_hWnd, LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)));
}

UINT CListCtrl::GetSelectedCount() const
{
    return static_cast<UINT>(::SendMessage(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0));
}

// A position is the item's index plus one, so that no item is NULL.
POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(1 + GetNextItem(-1, LVNI_SELECTED)));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    const int nItem = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
    pos = reinterpret_cast<POSITION>(static_cast<INT_PTR>(1 + GetNextItem(nItem, LVNI_SELECTED)));
    return nItem;
}

int CListCtrl::GetSelectionMark() const
{
    return static_cast<int>(::SendMessage(m_hWnd, LVM_GETSELECTIONMARK, 0, 0));
}

int CListCtrl::SetSelectionMark(int iIndex)
{
    return static_cast<int>(::SendMessage(m_hWnd, LVM_SETSELECTIONMARK, 0, iIndex));
}

int CListCtrl::GetTopIndex() const
{
    return static_cast<int>(::SendMessage(m_hWnd, LVM_GETTOPINDEX, 0, 0));
}

int CListCtrl::GetCountPerPage() const
{
    return static_cast<int>(::SendMessage(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0));
}

int CListCtrl::GetStringWidth(LPCTSTR lpsz) const
{
    return static_cast<int>(::SendMessage(m_hWnd, LVM_GETSTRINGWIDTH, 0, reinterpret_cast<LPARAM>(lpsz)));
}

CEdit* CListCtrl::GetEditControl() const
{
    return EditFromResult(::SendMessage(m_hWnd, LVM_GETEDITCONTROL, 0, 0));
}

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_GETCOLUMN, nCol, reinterpret_cast<LPARAM>(pColumn)));
}

BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SETCOLUMN, nCol, reinterpret_cast<LPARAM>(pColumn)));
}

int CListCtrl::GetColumnWidth(int nCol) const
{
    return static_cast<int>(::SendMessage(m_hWnd, LVM_GETCOLUMNWIDTH, nCol, 0));
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)));
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn)
{
    return static_cast<int>(::SendMessage(m_hWnd, LVM_INSERTCOLUMN, nCol, reinterpret_cast<LPARAM>(pColumn)));
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPTSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1)
    {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1)
    {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_DELETECOLUMN, nCol, 0));
}

int CListCtrl::InsertItem(const LVITEM* pItem)
{
    return static_cast<int>(::SendMessage(m_hWnd, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(pItem)));
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam)
{
    LVITEM item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.state = nState;
    item.stateMask = nStateMask;
    item.pszText = const_cast<LPTSTR>(lpszItem);
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int nItem)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_DELETEITEM, nItem, 0));
}

BOOL CListCtrl::DeleteAllItems()
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_DELETEALLITEMS, 0, 0));
}

int CListCtrl::FindItem(LVFINDINFO* pFindInfo, int nStart) const
{
    return static_cast<int>(::SendMessage(m_hWnd, LVM_FINDITEM, nStart, reinterpret_cast<LPARAM>(pFindInfo)));
}

int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const
{
    return static_cast<int>(::SendMessage(m_hWnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info = {};
    info.pt = pt;
    const int nItem = HitTest(&info);
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return nItem;
}

int CListCtrl::SubItemHitTest(LPLVHITTESTINFO pInfo)
{
    return static_cast<int>(::SendMessage(m_hWnd, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(pInfo)));
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_ENSUREVISIBLE, nItem, MAKELPARAM(bPartialOK, 0)));
}

BOOL CListCtrl::Scroll(CSize size)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SCROLL, size.cx, size.cy));
}

BOOL CListCtrl::RedrawItems(int nFirst, int nLast)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_REDRAWITEMS, nFirst, nLast));
}

BOOL CListCtrl::Update(int nItem)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_UPDATE, nItem, 0));
}

BOOL CListCtrl::Arrange(UINT nCode)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_ARRANGE, nCode, 0));
}

CEdit* CListCtrl::EditLabel(int nItem)
{
    return EditFromResult(::SendMessage(m_hWnd, LVM_EDITLABEL, nItem, 0));
}

CImageList* CListCtrl::CreateDragImage(int nItem, LPPOINT lpPoint)
{
    return NewImageList(::SendMessage(m_hWnd, LVM_CREATEDRAGIMAGE, nItem, reinterpret_cast<LPARAM>(lpPoint)));
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LVM_SORTITEMS, dwData, reinterpret_cast<LPARAM>(pfnCompare)));
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    return TRUE;
}

// Tree view

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitCommonControl(ICC_TREEVIEW_CLASSES);
    CWnd* pWnd = this;
    return pWnd->Create(WC_TREEVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CTreeCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitCommonControl(ICC_TREEVIEW_CLASSES);
    CWnd* pWnd = this;
    return pWnd->CreateEx(dwExStyle, WC_TREEVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

UINT CTreeCtrl::GetCount() const
{
    return static_cast<UINT>(::SendMessage(m_hWnd, TVM_GETCOUNT, 0, 0));
}

UINT CTreeCtrl::GetIndent() const
{
    return static_cast<UINT>(::SendMessage(m_hWnd, TVM_GETINDENT, 0, 0));
}

void CTreeCtrl::SetIndent(UINT nIndent)
{
    ::SendMessage(m_hWnd, TVM_SETINDENT, nIndent, 0);
}

CImageList* CTreeCtrl::GetImageList(int nImageList) const
{
    return ImageListFromResult(::SendMessage(m_hWnd, TVM_GETIMAGELIST, nImageList, 0));
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return ImageListFromResult(
        ::SendMessage(m_hWnd, TVM_SETIMAGELIST, nImageListType, reinterpret_cast<LPARAM>(pImageList->GetSafeHandle())));
}

COLORREF CTreeCtrl::GetBkColor() const
{
    return static_cast<COLORREF>(::SendMessage(m_hWnd, TVM_GETBKCOLOR, 0, 0));
}

COLORREF CTreeCtrl::SetBkColor(COLORREF clr)
{
    return static_cast<COLORREF>(::SendMessage(m_hWnd, TVM_SETBKCOLOR, 0, clr));
}

COLORREF CTreeCtrl::GetTextColor() const
{
    return static_cast<COLORREF>(::SendMessage(m_hWnd, TVM_GETTEXTCOLOR, 0, 0));
}

COLORREF CTreeCtrl::SetTextColor(COLORREF clr)
{
    return static_cast<COLORREF>(::SendMessage(m_hWnd, TVM_SETTEXTCOLOR, 0, clr));
}

SHORT CTreeCtrl::GetItemHeight() const
{
    return static_cast<SHORT>(::SendMessage(m_hWnd, TVM_GETITEMHEIGHT, 0, 0));
}

SHORT CTreeCtrl::SetItemHeight(SHORT cyHeight)
{
    return static_cast<SHORT>(::SendMessage(m_hWnd, TVM_SETITEMHEIGHT, cyHeight, 0));
}

UINT CTreeCtrl::GetVisibleCount() const
{
    return static_cast<UINT>(::SendMessage(m_hWnd, TVM_GETVISIBLECOUNT, 0, 0));
}

CEdit* CTreeCtrl::GetEditControl() const
{
    return EditFromResult(::SendMessage(m_hWnd, TVM_GETEDITCONTROL, 0, 0));
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const
{
    return reinterpret_cast<HTREEITEM>(::SendMessage(m_hWnd, TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_CHILD);
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_NEXT);
}

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_PREVIOUS);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_PARENT);
}

HTREEITEM CTreeCtrl::GetFirstVisibleItem() const
{
    return GetNextItem(nullptr, TVGN_FIRSTVISIBLE);
}

HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_NEXTVISIBLE);
}

HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM hItem) const
{
    return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE);
}

HTREEITEM CTreeCtrl::GetSelectedItem() const
{
    return GetNextItem(nullptr, TVGN_CARET);
}

HTREEITEM CTreeCtrl::GetDropHilightItem() const
{
    return GetNextItem(nullptr, TVGN_DROPHILITE);
}

HTREEITEM CTreeCtrl::GetRootItem() const
{
    return GetNextItem(nullptr, TVGN_ROOT);
}

BOOL CTreeCtrl::GetItem(TVITEM* pItem) const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(pItem)));
}

BOOL CTreeCtrl::SetItem(TVITEM* pItem)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(pItem)));
}

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = nMask;
    item.pszText = const_cast<LPTSTR>(lpszItem);
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    return ReadGrowingText([&](LPTSTR lpszText, int nLen) {
        TVITEM item = {};
        item.hItem = hItem;
        item.mask = TVIF_TEXT;
        item.pszText = lpszText;
        item.cchTextMax = nLen;
        lpszText[0] = 0;
        GetItem(&item);
        return ::lstrlen(item.pszText);
    });
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
{
    return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    const BOOL bResult = GetItem(&item);
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
    return bResult;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, nullptr, nImage, nSelectedImage, 0, 0, 0);
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    return static_cast<UINT>(::SendMessage(m_hWnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), nStateMask));
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    return SetItem(hItem, TVIF_STATE, nullptr, 0, 0, nState, nStateMask, 0);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    GetItem(&item);
    return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    return SetItem(hItem, TVIF_PARAM, nullptr, 0, 0, 0, 0, static_cast<LPARAM>(dwData));
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEM item = {};
    item.hItem = hItem;
    item.mask = TVIF_CHILDREN;
    GetItem(&item);
    return item.cChildren != 0;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    // TVM_GETITEMRECT takes the item's handle in the rectangle.
    *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
    return static_cast<BOOL>(::SendMessage(m_hWnd, TVM_GETITEMRECT, bTextOnly, reinterpret_cast<LPARAM>(lpRect)));
}

BOOL CTreeCtrl::GetCheck(HTREEITEM hItem) const
{
    // State image 1 is the empty box, 2 the checked one.
    return (GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) == 2;
}

BOOL CTreeCtrl::SetCheck(HTREEITEM hItem, BOOL fCheck)
{
    return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK);
}

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpInsertStruct)
{
    return reinterpret_cast<HTREEITEM>(
        ::SendMessage(m_hWnd, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(lpInsertStruct)));
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCT insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = nMask;
    insert.item.pszText = const_cast<LPTSTR>(lpszItem);
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelectedImage;
    insert.item.state = nState;
    insert.item.stateMask = nStateMask;
    insert.item.lParam = lParam;
    return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent,
                      hInsertAfter);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hItem)));
}

BOOL CTreeCtrl::DeleteAllItems()
{
    return DeleteItem(TVI_ROOT);
}

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, TVM_EXPAND, nCode, reinterpret_cast<LPARAM>(hItem)));
}

BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, TVM_SELECTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
}

BOOL CTreeCtrl::SelectItem(HTREEITEM hItem)
{
    return Select(hItem, TVGN_CARET);
}

BOOL CTreeCtrl::SelectDropTarget(HTREEITEM hItem)
{
    return Select(hItem, TVGN_DROPHILITE);
}

BOOL CTreeCtrl::SelectSetFirstVisible(HTREEITEM hItem)
{
    return Select(hItem, TVGN_FIRSTVISIBLE);
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem)
{
    return EditFromResult(::SendMessage(m_hWnd, TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(hItem)));
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO info = {};
    info.pt = pt;
    HTREEITEM hItem = HitTest(&info);
    if (pFlags != nullptr)
        *pFlags = info.flags;
    return hItem;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const
{
    return reinterpret_cast<HTREEITEM>(::SendMessage(m_hWnd, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM hItem)
{
    return NewImageList(::SendMessage(m_hWnd, TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(hItem)));
}

BOOL CTreeCtrl::SortChildren(HTREEITEM hItem)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(hItem)));
}

BOOL CTreeCtrl::SortChildrenCB(LPTVSORTCB pSort)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(pSort)));
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hItem)));
}

// Tool tips

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    return CreateEx(pParentWnd, dwStyle, 0);
}

BOOL CToolTipCtrl::CreateEx(CWnd* pParentWnd, DWORD dwStyle, DWORD dwStyleEx)
{
    InitCommonControl(ICC_WIN95_CLASSES);
    CWnd* pWnd = this;
    // A tip is always a pop-up window.
    if (!pWnd->CreateEx(dwStyleEx, TOOLTIPS_CLASS, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), nullptr))
        return FALSE;
    SetOwner(pParentWnd);
    return TRUE;
}

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool)
{
    // The version 2 record, without the fields that older comctl32 versions refuse.
    ::ZeroMemory(&ti, sizeof(ti));
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    HWND hWnd = pWnd->GetSafeHwnd();
    if (nIDTool == 0)
    {
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(hWnd);
    }
    else
    {
        ti.hwnd = hWnd;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    ti.hinst = ::GetModuleHandle(nullptr);
    ti.lpszText = MAKEINTRESOURCE(nIDText);
    return static_cast<BOOL>(::SendMessage(m_hWnd, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    ti.lpszText = const_cast<LPTSTR>(lpszText);
    return static_cast<BOOL>(::SendMessage(m_hWnd, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ::SendMessage(m_hWnd, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = const_cast<LPTSTR>(lpszText);
    ::SendMessage(m_hWnd, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.hinst = ::GetModuleHandle(nullptr);
    ti.lpszText = MAKEINTRESOURCE(nIDText);
    ::SendMessage(m_hWnd, TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    // The control copies at most INFOTIPSIZE characters.
    ti.lpszText = str.GetBufferSetLength(INFOTIPSIZE);
    ti.lpszText[0] = 0;
    ::SendMessage(m_hWnd, TTM_GETTEXT, 0, reinterpret_cast<LPARAM>(&ti));
    str.ReleaseBuffer();
}

BOOL CToolTipCtrl::GetToolInfo(LPTOOLINFO lpToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    LPTSTR lpszText = lpToolInfo->lpszText;
    FillInToolInfo(*lpToolInfo, pWnd, nIDTool);
    lpToolInfo->lpszText = lpszText;
    return static_cast<BOOL>(::SendMessage(m_hWnd, TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(lpToolInfo)));
}

void CToolTipCtrl::SetToolInfo(LPTOOLINFO lpToolInfo)
{
    ::SendMessage(m_hWnd, TTM_SETTOOLINFO, 0, reinterpret_cast<LPARAM>(lpToolInfo));
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    ::SendMessage(m_hWnd, TTM_NEWTOOLRECT, 0, reinterpret_cast<LPARAM>(&ti));
}

int CToolTipCtrl::GetToolCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, TTM_GETTOOLCOUNT, 0, 0));
}

BOOL CToolTipCtrl::HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const
{
    TTHITTESTINFO hit = {};
    hit.hwnd = pWnd->GetSafeHwnd();
    hit.pt = pt;
    hit.ti.cbSize = TTTOOLINFOW_V2_SIZE;
    if (!::SendMessage(m_hWnd, TTM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)))
        return FALSE;
    *lpToolInfo = hit.ti;
    return TRUE;
}

void CToolTipCtrl::Activate(BOOL bActivate)
{
    ::SendMessage(m_hWnd, TTM_ACTIVATE, bActivate, 0);
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg)
{
    ::SendMessage(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
}

void CToolTipCtrl::SetDelayTime(UINT nDelay)
{
    ::SendMessage(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay);
}

void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime)
{
    ::SendMessage(m_hWnd, TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0));
}

int CToolTipCtrl::GetDelayTime(DWORD dwDuration) const
{
    return static_cast<int>(::SendMessage(m_hWnd, TTM_GETDELAYTIME, dwDuration, 0));
}

int CToolTipCtrl::SetMaxTipWidth(int iWidth)
{
    return static_cast<int>(::SendMessage(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth));
}

int CToolTipCtrl::GetMaxTipWidth() const
{
    return static_cast<int>(::SendMessage(m_hWnd, TTM_GETMAXTIPWIDTH, 0, 0));
}

void CToolTipCtrl::SetTipBkColor(COLORREF clr)
{
    ::SendMessage(m_hWnd, TTM_SETTIPBKCOLOR, clr, 0);
}

COLORREF CToolTipCtrl::GetTipBkColor() const
{
    return static_cast<COLORREF>(::SendMessage(m_hWnd, TTM_GETTIPBKCOLOR, 0, 0));
}

void CToolTipCtrl::SetTipTextColor(COLORREF clr)
{
    ::SendMessage(m_hWnd, TTM_SETTIPTEXTCOLOR, clr, 0);
}

COLORREF CToolTipCtrl::GetTipTextColor() const
{
    return static_cast<COLORREF>(::SendMessage(m_hWnd, TTM_GETTIPTEXTCOLOR, 0, 0));
}

void CToolTipCtrl::SetMargin(LPRECT lprc)
{
    ::SendMessage(m_hWnd, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(lprc));
}

void CToolTipCtrl::GetMargin(LPRECT lprc) const
{
    ::SendMessage(m_hWnd, TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(lprc));
}

void CToolTipCtrl::Pop()
{
    ::SendMessage(m_hWnd, TTM_POP, 0, 0);
}

void CToolTipCtrl::Update()
{
    ::SendMessage(m_hWnd, TTM_UPDATE, 0, 0);
}

// Up-down

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitCommonControl(ICC_UPDOWN_CLASS);
    CWnd* pWnd = this;
    return pWnd->Create(UPDOWN_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CSpinButtonCtrl::SetAccel(int nAccel, UDACCEL* pAccel)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, UDM_SETACCEL, nAccel, reinterpret_cast<LPARAM>(pAccel)));
}

UINT CSpinButtonCtrl::GetAccel(int nAccel, UDACCEL* pAccel) const
{
    return static_cast<UINT>(::SendMessage(m_hWnd, UDM_GETACCEL, nAccel, reinterpret_cast<LPARAM>(pAccel)));
}

int CSpinButtonCtrl::SetBase(int nBase)
{
    return static_cast<int>(::SendMessage(m_hWnd, UDM_SETBASE, nBase, 0));
}

UINT CSpinButtonCtrl::GetBase() const
{
    return static_cast<UINT>(::SendMessage(m_hWnd, UDM_GETBASE, 0, 0));
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy)
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(
        ::SendMessage(m_hWnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy->GetSafeHwnd()), 0)));
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(::SendMessage(m_hWnd, UDM_GETBUDDY, 0, 0)));
}

int CSpinButtonCtrl::SetPos(int nPos)
{
    return static_cast<short>(LOWORD(::SendMessage(m_hWnd, UDM_SETPOS, 0, MAKELPARAM(nPos, 0))));
}

int CSpinButtonCtrl::GetPos() const
{
    return static_cast<int>(::SendMessage(m_hWnd, UDM_GETPOS, 0, 0));
}

int CSpinButtonCtrl::SetPos32(int nPos)
{
    return static_cast<int>(::SendMessage(m_hWnd, UDM_SETPOS32, 0, nPos));
}

int CSpinButtonCtrl::GetPos32(LPBOOL lpbError) const
{
    return static_cast<int>(::SendMessage(m_hWnd, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError)));
}

void CSpinButtonCtrl::SetRange(short nLower, short nUpper)
{
    ::SendMessage(m_hWnd, UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower));
}

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper)
{
    ::SendMessage(m_hWnd, UDM_SETRANGE32, nLower, nUpper);
}

DWORD CSpinButtonCtrl::GetRange() const
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, UDM_GETRANGE, 0, 0));
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    const DWORD dwRange = GetRange();
    lower = static_cast<short>(HIWORD(dwRange));
    upper = static_cast<short>(LOWORD(dwRange));
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    ::SendMessage(m_hWnd, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}

// Progress bar

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    InitCommonControl(ICC_PROGRESS_CLASS);
    CWnd* pWnd = this;
    return pWnd->Create(PROGRESS_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::SetRange(short nLower, short nUpper)
{
    ::SendMessage(m_hWnd, PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
}

void CProgressCtrl::SetRange32(int nLower, int nUpper)
{
    ::SendMessage(m_hWnd, PBM_SETRANGE32, nLower, nUpper);
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    PBRANGE range = {};
    ::SendMessage(m_hWnd, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    nLower = range.iLow;
    nUpper = range.iHigh;
}

int CProgressCtrl::GetPos() const
{
    return static_cast<int>(::SendMessage(m_hWnd, PBM_GETPOS, 0, 0));
}

int CProgressCtrl::SetPos(int nPos)
{
    return static_cast<int>(::SendMessage(m_hWnd, PBM_SETPOS, nPos, 0));
}

int CProgressCtrl::OffsetPos(int nPos)
{
    return static_cast<int>(::SendMessage(m_hWnd, PBM_DELTAPOS, nPos, 0));
}

int CProgressCtrl::SetStep(int nStep)
{
    return static_cast<int>(::SendMessage(m_hWnd, PBM_SETSTEP, nStep, 0));
}

int CProgressCtrl::GetStep() const
{
    return static_cast<int>(::SendMessage(m_hWnd, PBM_GETSTEP, 0, 0));
}

int CProgressCtrl::StepIt()
{
    return static_cast<int>(::SendMessage(m_hWnd, PBM_STEPIT, 0, 0));
}

COLORREF CProgressCtrl::SetBkColor(COLORREF clrNew)
{
    return static_cast<COLORREF>(::SendMessage(m_hWnd, PBM_SETBKCOLOR, 0, clrNew));
}

COLORREF CProgressCtrl::GetBkColor() const
{
    return static_cast<COLORREF>(::SendMessage(m_hWnd, PBM_GETBKCOLOR, 0, 0));
}

COLORREF CProgressCtrl::SetBarColor(COLORREF clrBar)
{
    return static_cast<COLORREF>(::SendMessage(m_hWnd, PBM_SETBARCOLOR, 0, clrBar));
}

COLORREF CProgressCtrl::GetBarColor() const
{
    return static_cast<COLORREF>(::SendMessage(m_hWnd, PBM_GETBARCOLOR, 0, 0));
}

BOOL CProgressCtrl::SetMarquee(BOOL bOn, UINT nInterval)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, PBM_SETMARQUEE, bOn, nInterval));
}
