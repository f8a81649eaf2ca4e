// The owner-drawn list control every list and tree window stands on: it keeps its own items,
// sub-items and columns and speaks to its parent with the list-view notifications.
#pragma once

#include <afxcmn.h>
#include <afxcoll.h>
#include <afxwin.h>

#include "ListClient.h"
#include "ListEdit.h"
#include "ListItem.h"
#include "ListTip.h"

namespace tarnwick::lists
{
// List style bits (low word of the window style at creation).
constexpr UINT LVS_SEC_VIEWMASK = 0x0003;
constexpr UINT LVS_SEC_REPORT = 0x0001;
constexpr UINT LVS_SEC_SINGLESEL = 0x0004;
constexpr UINT LVS_SEC_SHOWSELALWAYS = 0x0008;
constexpr UINT LVS_SEC_SHAREIMAGELISTS = 0x0040;
constexpr UINT LVS_SEC_NOLABELWRAP = 0x0080;
constexpr UINT LVS_SEC_EDITLABELS = 0x0200;
constexpr UINT LVS_SEC_NOSCROLL = 0x2000;
constexpr UINT LVS_SEC_NOCOLUMNHEADER = 0x4000;
constexpr UINT LVS_SEC_NOSORTHEADER = 0x8000;
constexpr UINT LVS_SEC_STYLEMASK = 0xf3ff;
// Extended bits, taken from the window's extended style.
constexpr UINT LVXS_HEADERDRAG = 0x10;
constexpr UINT LVXS_FLAG100000 = 0x100000;
constexpr UINT LVXS_FULLROWSELECT = 0x2000000;
constexpr UINT LVXS_FITCOLUMNS = 0x4000000;
constexpr UINT LVXS_NOWIDENMAIN = 0x8000000; // a deleted column's width is not given to the main one
constexpr UINT LVXS_STYLEMASK = 0x1ff00000;

class SECListBaseC : public CWnd, public SECListClient
{
    DECLARE_DYNAMIC(SECListBaseC)
public:
    enum Color
    {
        colorText,
        colorTextBk,
        colorSelText,
        colorSelBk,
        colorGrayText,
        colorInactiveBk,
        colorFocusBk,
        colorTipBk,
        colorTipText,
        colorBk,
        colorCount
    };

    SECListBaseC();
    ~SECListBaseC() override;

    // Creation and teardown.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    virtual BOOL CreateFromRect(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                                CCreateContext* pContext = nullptr);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void ApplyCreateStyles(CREATESTRUCT& cs);

    // Items.
    virtual int InsertItem(const LVITEMW* pItem);
    virtual int InsertItemEx(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                             LPARAM lParam);
    virtual int InsertItemImage(int nItem, LPCWSTR lpszItem, int nImage);
    virtual int InsertItemText(int nItem, LPCWSTR lpszItem);
    virtual int InsertItemAfter(SECListItem* pAfter, LVITEMW* pItem);
    virtual int InsertItemBeforeRecord(SECListItem* pBefore, LVITEMW* pItem);
    virtual int InsertItemRecord(int nIndex, SECListItem* pItem);
    virtual SECListItem* CreateItem();
    virtual void InitItem(SECListItem* pItem);
    virtual void AddSubItems(SECListItem* pItem);
    virtual BOOL DeleteItem(int nIndex, int nCount = 1);
    virtual BOOL DeleteItemRecord(SECListItem* pItem);
    virtual BOOL DeleteAllItems();
    virtual BOOL GetItem(LVITEMW* pItem, BOOL bCopyText = TRUE, BOOL bAskOwner = TRUE);
    virtual BOOL SetItem(const LVITEMW* pItem, BOOL bRedraw = TRUE);
    virtual BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
    virtual int GetItemText(int nItem, int nSubItem, LPWSTR lpszText, int nLen);
    CString GetItemText(int nItem, int nSubItem);
    virtual LPARAM GetItemParam(const SECListItem* pItem) const;
    virtual int GetItemCount() const;
    SECListItem* GetItemAt(int nIndex) const;
    int FindItemIndex(const SECListItem* pItem) const;
    virtual int GetSubItemColumnCount() const;
    virtual BOOL SetItemImage(int nIndex, int nImage);
    virtual int GetItemImage(int nIndex) const;
    virtual BOOL SetItemStateByIndex(int nIndex, UINT nState, UINT nMask);
    virtual UINT GetItemStateByIndex(int nIndex, UINT nMask) const;
    virtual BOOL SetItemSelected(int nIndex, BOOL bSelect);
    virtual int GetNextItem(int nStart, UINT nFlags) const;
    int FindItemPrefix(int nStart, LPCWSTR lpszPrefix) const;
    virtual UINT GetCallbackMask() const;
    virtual void SetCallbackMask(UINT nMask);

    // Selection bookkeeping.
    virtual int GetSelectedCount() const;
    BOOL FindSelected(int nIndex, INT_PTR& nPos) const;
    virtual void DeselectAllBut(int nIndex);
    virtual void SelectRange(int nFrom, int nTo, BOOL bSelect);
    virtual BOOL SelectItem(int nIndex, BOOL bSelect);
    virtual void FocusItem(int nIndex);
    virtual int GetFocusItem() const;
    virtual void SetDropHilite(int nIndex);
    virtual int GetDropHilite() const;
    int GetAnchorItem() const;
    int GetTopIndex() const;

    // Columns.
    virtual BOOL InsertColumn(int nIndex, LPCWSTR lpszHeading, int nFormat, int nWidth, int nSubItem, int nImage,
                              BOOL bRedraw = TRUE);
    virtual BOOL InsertColumnByLV(int nIndex, const LVCOLUMNW* pColumn, BOOL bRedraw = TRUE);
    virtual BOOL InsertColumnRecord(int nIndex, SECListColumn* pColumn, BOOL bRedraw = TRUE);
    virtual BOOL AddColumn(LPCWSTR lpszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1,
                           int nImage = -1);
    virtual BOOL AddColumnRecord(SECListColumn* pColumn);
    virtual BOOL AddColumnByLV(const LVCOLUMNW* pColumn);
    virtual BOOL GetColumnByLV(int nIndex, LVCOLUMNW* pColumn) const;
    virtual BOOL SetColumnByLV(int nIndex, const LVCOLUMNW* pColumn, BOOL bRedraw = TRUE);
    virtual SECListColumn* GetColumn(int nIndex) const;
    virtual int GetColumnCount() const;
    virtual int GetColumnWidth(int nIndex) const;
    virtual BOOL SetColumnWidth(int nIndex, int nWidth);
    virtual int GetColumnFormat(int nIndex) const;
    virtual BOOL SetColumnHeading(int nIndex, LPCWSTR lpszHeading);
    virtual CString GetColumnHeading(int nIndex) const;
    virtual int GetColumnLeft(int nIndex) const;
    virtual int GetColumnRight(int nIndex) const;
    virtual BOOL FindColumn(LPCWSTR lpszHeading, int& nIndex, int& nSubItem) const;
    virtual BOOL HasColumn(LPCWSTR lpszHeading) const;
    // Column 0 goes only when it is the last; deleting the last column deletes every item.
    virtual BOOL DeleteColumn(int nIndex);
    virtual BOOL DeleteAllColumns();

    // Layout.
    // The client rectangle less the header strip (report mode) and the shown scroll bars.
    virtual void GetInsideRect(CRect& rect) const;
    CScrollBar* GetScrollBarCtrl(int nBar) const override;
    virtual BOOL CreateScrollBarCtrl(DWORD dwBarStyle, UINT nID);
    // SB_HORZ, SB_VERT or SB_BOTH; style 0x2000 always hides.
    virtual void ShowScrollBar(int nBar, BOOL bShow, SCROLLINFO* pInfo = nullptr);
    virtual void PositionScrollBars();
    // One column, or the fit bit: the columns fill the inside width.
    virtual BOOL AutoFitColumns();
    virtual void FitColumnsToWidth();

    // Styles.
    virtual UINT GetListStyle() const;
    virtual UINT GetListStyleEx() const;
    virtual BOOL SetListStyle(UINT nStyle, BOOL bRedraw = TRUE);
    virtual BOOL SetListStyleEx(UINT nStyleEx, BOOL bRedraw = TRUE);
    virtual BOOL ModifyListStyle(UINT nRemove, UINT nAdd, BOOL bRedraw = TRUE);
    virtual BOOL ModifyListStyleEx(UINT nRemove, UINT nAdd, BOOL bRedraw = TRUE);
    virtual BOOL HasListStyle(UINT nBits) const;
    virtual BOOL HasListStyleEx(UINT nBits) const;
    virtual void SetLabelWrap(BOOL bWrap);
    virtual void SetHeaderFlags(BOOL bShowHeader, BOOL bButtons);
    virtual BOOL IsHeaderShown() const;
    virtual void SetMultiSelect(BOOL bMulti);
    virtual BOOL IsMultiSelect() const;
    virtual void SetRedrawFlag(BOOL bRedraw);
    virtual BOOL GetRedrawFlag() const;
    virtual void SetTrackSysColors(BOOL bTrack);
    virtual BOOL GetTrackSysColors() const;

    // Label editing and tips: the editor and the tip have no windows yet, so no edit starts.
    virtual BOOL EditLabel(int nItem, int nColumn);
    virtual SECListEdit* GetEditControl() const;
    SECListTip* GetTip() const;

    // Colours, image lists, owner.
    COLORREF GetColor(Color color) const;
    void SetColor(Color color, COLORREF cr);
    virtual COLORREF GetBkColor() const;
    virtual void SetBkColor(COLORREF cr);
    virtual CImageList* GetImageList(int nWhich) const;
    virtual CImageList* SetImageList(CImageList* pImageList, int nWhich);
    virtual CWnd* GetOwnerData() const;
    virtual void SetOwnerData(CWnd* pWnd);

    // The client interface.
    HWND GetWnd() const override;
    BOOL IsLabelWrap() const override;
    int GetColumnSubItem(int iColumn) const override;
    CString GetItemTextString(int iItem, int iSubItem) override;
    BOOL IsItemSelected(int iItem) const override;
    COLORREF GetSelTextColor() const override;
    COLORREF GetSelBkColor() const override;
    COLORREF GetTipTextColor() const override;
    COLORREF GetTipBkColor() const override;

protected:
    // Sends a list-view notification to the owner window, else the parent; 0 when neither.
    LRESULT Notify(NMHDR* pHdr) const;
    LRESULT NotifyItem(UINT nCode, int nItem, int nSubItem = 0) const;
    void LoadColors();
    void DestroyImageLists();
    // Receives the fields a caller tried to set that the owner supplies.
    virtual void OnSetDispInfo(const LVITEMW& item);
    // The drop-target, focus and selection indexes follow an insertion at nIndex.
    void ShiftIndexesForInsert(int nIndex);
    void RepaintIfRedrawing();

    int m_nTopIndex = 0;
    int m_nHeaderHeight = 20;
    int m_nSubItemColumns = 0;
    int m_nFocusItem = -1;
    int m_nDropItem = -1;
    int m_nAnchorItem = -1;
    UINT m_nCallbackMask = 0;
    UINT m_nExCallbackMask = 0;
    UINT_PTR m_nEditDelayTimer = 0;
    UINT m_nListStyle = 0;
    UINT m_nScrollBarFlags = 0;
    UINT m_nListStyleEx = 0;
    COLORREF m_colors[colorCount] = {};
    BOOL m_bRedraw = FALSE;
    BOOL m_bTrackSysColors = FALSE;
    HCURSOR m_hCursor = nullptr;
    LPWSTR m_pszTextBuffer;
    CImageList* m_pImageLists[4] = {};
    int m_nHScrollOffset = 0;
    CPtrArray m_columns;
    CPtrArray m_items;
    CDWordArray m_selection;
    CWnd* m_pNotifyWnd = nullptr;
    SECListTip* m_pTip;
    SECListEdit* m_pEdit;
};
} // namespace tarnwick::lists
