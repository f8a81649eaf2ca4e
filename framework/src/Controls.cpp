#include <afxwin.h>

#include <algorithm>

namespace
{
// The owner-draw messages that the parent reflects to the control's object. Every owner-drawn
// control draws; list and combo boxes also measure, compare and delete items.
template <class TControl> bool ReflectOwnerDraw(TControl* pControl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    switch (message)
    {
    case WM_DRAWITEM:
        pControl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return true;
    case WM_MEASUREITEM:
        if constexpr (requires { pControl->MeasureItem(LPMEASUREITEMSTRUCT()); })
        {
            pControl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
            return true;
        }
        return false;
    case WM_COMPAREITEM:
        if constexpr (requires { pControl->CompareItem(LPCOMPAREITEMSTRUCT()); })
        {
            const int nResult = pControl->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
            if (pResult != nullptr)
                *pResult = nResult;
            return true;
        }
        return false;
    case WM_DELETEITEM:
        if constexpr (requires { pControl->DeleteItem(LPDELETEITEMSTRUCT()); })
        {
            pControl->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
            return true;
        }
        return false;
    default:
        return false;
    }
}

// The text of an item whose length comes first: empty for a bad index.
template <class TGetLength, class TGetText> void GetItemText(CString& rString, TGetLength getLength, TGetText getText)
{
    const int nLength = getLength();
    if (nLength < 0)
    {
        rString.Empty();
        return;
    }
    getText(rString.GetBufferSetLength(nLength));
    rString.ReleaseBuffer();
}
} // namespace

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

// Static

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CWnd* pWnd = this;
    return pWnd->Create(L"STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

HICON CStatic::SetIcon(HICON hIcon)
{
    return reinterpret_cast<HICON>(::SendMessage(m_hWnd, STM_SETICON, reinterpret_cast<WPARAM>(hIcon), 0));
}

HICON CStatic::GetIcon() const
{
    return reinterpret_cast<HICON>(::SendMessage(m_hWnd, STM_GETICON, 0, 0));
}

HBITMAP CStatic::SetBitmap(HBITMAP hBitmap)
{
    return reinterpret_cast<HBITMAP>(
        ::SendMessage(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}

HBITMAP CStatic::GetBitmap() const
{
    return reinterpret_cast<HBITMAP>(::SendMessage(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

HCURSOR CStatic::SetCursor(HCURSOR hCursor)
{
    return reinterpret_cast<HCURSOR>(
        ::SendMessage(m_hWnd, STM_SETIMAGE, IMAGE_CURSOR, reinterpret_cast<LPARAM>(hCursor)));
}

HCURSOR CStatic::GetCursor()
{
    return reinterpret_cast<HCURSOR>(::SendMessage(m_hWnd, STM_GETIMAGE, IMAGE_CURSOR, 0));
}

HENHMETAFILE CStatic::SetEnhMetaFile(HENHMETAFILE hMetaFile)
{
    return reinterpret_cast<HENHMETAFILE>(
        ::SendMessage(m_hWnd, STM_SETIMAGE, IMAGE_ENHMETAFILE, reinterpret_cast<LPARAM>(hMetaFile)));
}

HENHMETAFILE CStatic::GetEnhMetaFile() const
{
    return reinterpret_cast<HENHMETAFILE>(::SendMessage(m_hWnd, STM_GETIMAGE, IMAGE_ENHMETAFILE, 0));
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectOwnerDraw(this, message, lParam, pResult) || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// Button

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CWnd* pWnd = this;
    return pWnd->Create(L"BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

UINT CButton::GetState() const
{
    return static_cast<UINT>(::SendMessage(m_hWnd, BM_GETSTATE, 0, 0));
}

void CButton::SetState(BOOL bHighlight)
{
    ::SendMessage(m_hWnd, BM_SETSTATE, bHighlight, 0);
}

int CButton::GetCheck() const
{
    return static_cast<int>(::SendMessage(m_hWnd, BM_GETCHECK, 0, 0));
}

void CButton::SetCheck(int nCheck)
{
    ::SendMessage(m_hWnd, BM_SETCHECK, nCheck, 0);
}

UINT CButton::GetButtonStyle() const
{
    return static_cast<UINT>(::GetWindowLong(m_hWnd, GWL_STYLE)) & 0xFF;
}

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, BM_SETSTYLE, nStyle, bRedraw);
}

HICON CButton::SetIcon(HICON hIcon)
{
    return reinterpret_cast<HICON>(::SendMessage(m_hWnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CButton::GetIcon() const
{
    return reinterpret_cast<HICON>(::SendMessage(m_hWnd, BM_GETIMAGE, IMAGE_ICON, 0));
}

HBITMAP CButton::SetBitmap(HBITMAP hBitmap)
{
    return reinterpret_cast<HBITMAP>(
        ::SendMessage(m_hWnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}

HBITMAP CButton::GetBitmap() const
{
    return reinterpret_cast<HBITMAP>(::SendMessage(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP, 0));
}

HCURSOR CButton::SetCursor(HCURSOR hCursor)
{
    return reinterpret_cast<HCURSOR>(
        ::SendMessage(m_hWnd, BM_SETIMAGE, IMAGE_CURSOR, reinterpret_cast<LPARAM>(hCursor)));
}

HCURSOR CButton::GetCursor()
{
    return reinterpret_cast<HCURSOR>(::SendMessage(m_hWnd, BM_GETIMAGE, IMAGE_CURSOR, 0));
}

void CButton::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectOwnerDraw(this, message, lParam, pResult) || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// Edit

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CWnd* pWnd = this;
    return pWnd->Create(L"EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CEdit::CanUndo() const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_CANUNDO, 0, 0));
}

int CEdit::GetLineCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_GETLINECOUNT, 0, 0));
}

BOOL CEdit::GetModify() const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_GETMODIFY, 0, 0));
}

void CEdit::SetModify(BOOL bModified)
{
    ::SendMessage(m_hWnd, EM_SETMODIFY, bModified, 0);
}

void CEdit::GetRect(LPRECT lpRect) const
{
    ::SendMessage(m_hWnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(lpRect));
}

DWORD CEdit::GetSel() const
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, EM_GETSEL, 0, 0));
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD dwStart = 0, dwEnd = 0;
    ::SendMessage(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    nStartChar = static_cast<int>(dwStart);
    nEndChar = static_cast<int>(dwEnd);
}

HLOCAL CEdit::GetHandle() const
{
    return reinterpret_cast<HLOCAL>(::SendMessage(m_hWnd, EM_GETHANDLE, 0, 0));
}

void CEdit::SetHandle(HLOCAL hBuffer)
{
    ::SendMessage(m_hWnd, EM_SETHANDLE, reinterpret_cast<WPARAM>(hBuffer), 0);
}

void CEdit::SetMargins(UINT nLeft, UINT nRight)
{
    ::SendMessage(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight));
}

DWORD CEdit::GetMargins() const
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, EM_GETMARGINS, 0, 0));
}

void CEdit::SetLimitText(UINT nMax)
{
    ::SendMessage(m_hWnd, EM_SETLIMITTEXT, nMax, 0);
}

UINT CEdit::GetLimitText() const
{
    return static_cast<UINT>(::SendMessage(m_hWnd, EM_GETLIMITTEXT, 0, 0));
}

CPoint CEdit::PosFromChar(UINT nChar) const
{
    return CPoint(static_cast<LPARAM>(static_cast<DWORD>(::SendMessage(m_hWnd, EM_POSFROMCHAR, nChar, 0))));
}

int CEdit::CharFromPos(CPoint pt) const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_CHARFROMPOS, 0, MAKELPARAM(pt.x, pt.y)));
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer) const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_GETLINE, nIndex, reinterpret_cast<LPARAM>(lpszBuffer)));
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    // EM_GETLINE takes the buffer's size from the buffer's first word.
    *reinterpret_cast<LPWORD>(lpszBuffer) = static_cast<WORD>(nMaxLength);
    return GetLine(nIndex, lpszBuffer);
}

void CEdit::EmptyUndoBuffer()
{
    ::SendMessage(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0);
}

BOOL CEdit::FmtLines(BOOL bAddEOL)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_FMTLINES, bAddEOL, 0));
}

void CEdit::LimitText(int nChars)
{
    ::SendMessage(m_hWnd, EM_LIMITTEXT, nChars, 0);
}

int CEdit::LineFromChar(int nIndex) const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_LINEFROMCHAR, nIndex, 0));
}

int CEdit::LineIndex(int nLine) const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_LINEINDEX, nLine, 0));
}

int CEdit::LineLength(int nLine) const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_LINELENGTH, nLine, 0));
}

void CEdit::LineScroll(int nLines, int nChars)
{
    ::SendMessage(m_hWnd, EM_LINESCROLL, nChars, nLines);
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
{
    ::SendMessage(m_hWnd, EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText));
}

void CEdit::SetPasswordChar(TCHAR ch)
{
    ::SendMessage(m_hWnd, EM_SETPASSWORDCHAR, ch, 0);
}

TCHAR CEdit::GetPasswordChar() const
{
    return static_cast<TCHAR>(::SendMessage(m_hWnd, EM_GETPASSWORDCHAR, 0, 0));
}

void CEdit::SetRect(LPCRECT lpRect)
{
    ::SendMessage(m_hWnd, EM_SETRECT, 0, reinterpret_cast<LPARAM>(lpRect));
}

void CEdit::SetRectNP(LPCRECT lpRect)
{
    ::SendMessage(m_hWnd, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(lpRect));
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    // The words are signed: -1 keeps its meaning.
    SetSel(static_cast<short>(LOWORD(dwSelection)), static_cast<short>(HIWORD(dwSelection)), bNoScroll);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    ::SendMessage(m_hWnd, EM_SETSEL, nStartChar, nEndChar);
    if (!bNoScroll)
        ::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
}

BOOL CEdit::SetTabStops(int nTabStops, LPINT rgTabStops)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_SETTABSTOPS, nTabStops, reinterpret_cast<LPARAM>(rgTabStops)));
}

void CEdit::SetTabStops()
{
    ::SendMessage(m_hWnd, EM_SETTABSTOPS, 0, 0);
}

BOOL CEdit::SetTabStops(const int& cxEachStop)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&cxEachStop)));
}

BOOL CEdit::Undo()
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_UNDO, 0, 0));
}

void CEdit::Clear()
{
    ::SendMessage(m_hWnd, WM_CLEAR, 0, 0);
}

void CEdit::Copy()
{
    ::SendMessage(m_hWnd, WM_COPY, 0, 0);
}

void CEdit::Cut()
{
    ::SendMessage(m_hWnd, WM_CUT, 0, 0);
}

void CEdit::Paste()
{
    ::SendMessage(m_hWnd, WM_PASTE, 0, 0);
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_SETREADONLY, bReadOnly, 0));
}

int CEdit::GetFirstVisibleLine() const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0));
}

// List box

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CWnd* pWnd = this;
    return pWnd->Create(L"LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListBox::GetCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETCOUNT, 0, 0));
}

int CListBox::GetHorizontalExtent() const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETHORIZONTALEXTENT, 0, 0));
}

void CListBox::SetHorizontalExtent(int cxExtent)
{
    ::SendMessage(m_hWnd, LB_SETHORIZONTALEXTENT, cxExtent, 0);
}

int CListBox::GetTopIndex() const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETTOPINDEX, 0, 0));
}

int CListBox::SetTopIndex(int nIndex)
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_SETTOPINDEX, nIndex, 0));
}

LCID CListBox::GetLocale() const
{
    return static_cast<LCID>(::SendMessage(m_hWnd, LB_GETLOCALE, 0, 0));
}

LCID CListBox::SetLocale(LCID nNewLocale)
{
    return static_cast<LCID>(::SendMessage(m_hWnd, LB_SETLOCALE, nNewLocale, 0));
}

int CListBox::InitStorage(int nItems, UINT nBytes)
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_INITSTORAGE, nItems, nBytes));
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    const DWORD dw = static_cast<DWORD>(::SendMessage(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
    bOutside = HIWORD(dw) != 0;
    return LOWORD(dw);
}

int CListBox::GetCurSel() const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETCURSEL, 0, 0));
}

int CListBox::SetCurSel(int nSelect)
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_SETCURSEL, nSelect, 0));
}

int CListBox::GetSel(int nIndex) const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETSEL, nIndex, 0));
}

int CListBox::SetSel(int nIndex, BOOL bSelect)
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_SETSEL, bSelect, nIndex));
}

int CListBox::GetSelCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETSELCOUNT, 0, 0));
}

int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETSELITEMS, nMaxItems, reinterpret_cast<LPARAM>(rgIndex)));
}

void CListBox::SetAnchorIndex(int nIndex)
{
    ::SendMessage(m_hWnd, LB_SETANCHORINDEX, nIndex, 0);
}

int CListBox::GetAnchorIndex() const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETANCHORINDEX, 0, 0));
}

int CListBox::SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem)
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_SELITEMRANGE, bSelect, MAKELONG(nFirstItem, nLastItem)));
}

int CListBox::GetCaretIndex() const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETCARETINDEX, 0, 0));
}

int CListBox::SetCaretIndex(int nIndex, BOOL bScroll)
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_SETCARETINDEX, nIndex, MAKELONG(bScroll, 0)));
}

DWORD_PTR CListBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(::SendMessage(m_hWnd, LB_GETITEMDATA, nIndex, 0));
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_SETITEMDATA, nIndex, static_cast<LPARAM>(dwItemData)));
}

void* CListBox::GetItemDataPtr(int nIndex) const
{
    return reinterpret_cast<void*>(GetItemData(nIndex));
}

int CListBox::SetItemDataPtr(int nIndex, void* pData)
{
    return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
}

int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(lpRect)));
}

int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETTEXT, nIndex, reinterpret_cast<LPARAM>(lpszBuffer)));
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    GetItemText(
        rString, [&] { return GetTextLen(nIndex); }, [&](LPTSTR lpszBuffer) { GetText(nIndex, lpszBuffer); });
}

int CListBox::GetTextLen(int nIndex) const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETTEXTLEN, nIndex, 0));
}

void CListBox::SetColumnWidth(int cxWidth)
{
    ::SendMessage(m_hWnd, LB_SETCOLUMNWIDTH, cxWidth, 0);
}

BOOL CListBox::SetTabStops(int nTabStops, LPINT rgTabStops)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LB_SETTABSTOPS, nTabStops, reinterpret_cast<LPARAM>(rgTabStops)));
}

void CListBox::SetTabStops()
{
    ::SendMessage(m_hWnd, LB_SETTABSTOPS, 0, 0);
}

BOOL CListBox::SetTabStops(const int& cxEachStop)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&cxEachStop)));
}

int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_SETITEMHEIGHT, nIndex, MAKELONG(cyItemHeight, 0)));
}

int CListBox::GetItemHeight(int nIndex) const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_GETITEMHEIGHT, nIndex, 0));
}

int CListBox::AddString(LPCTSTR lpszItem)
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::InsertString(int nIndex, LPCTSTR lpszItem)
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_INSERTSTRING, nIndex, reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::DeleteString(UINT nIndex)
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_DELETESTRING, nIndex, 0));
}

void CListBox::ResetContent()
{
    ::SendMessage(m_hWnd, LB_RESETCONTENT, 0, 0);
}

int CListBox::Dir(UINT attr, LPCTSTR lpszWildCard)
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_DIR, attr, reinterpret_cast<LPARAM>(lpszWildCard)));
}

int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_FINDSTRING, nStartAfter, reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_FINDSTRINGEXACT, nIndexStart, reinterpret_cast<LPARAM>(lpszFind)));
}

int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem)
{
    return static_cast<int>(::SendMessage(m_hWnd, LB_SELECTSTRING, nStartAfter, reinterpret_cast<LPARAM>(lpszItem)));
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CListBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
}

int CListBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CListBox::DeleteItem(LPDELETEITEMSTRUCT)
{
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectOwnerDraw(this, message, lParam, pResult) || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// Check list box

namespace
{
// An entry's item data: the check in the low bits, and a flag for a disabled entry, so that
// an entry added by AddString starts unchecked and enabled.
constexpr DWORD_PTR checkMask = 0x3;
constexpr DWORD_PTR disabledFlag = 0x100;
constexpr int checkBoxSize = 13;
} // namespace

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    ASSERT(dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE));
    if (!CListBox::Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SetItemHeight(0, static_cast<UINT>(CalcMinimumItemHeight()));
    return TRUE;
}

void CCheckListBox::SetCheckStyle(UINT nStyle)
{
    ASSERT(nStyle == BS_CHECKBOX || nStyle == BS_AUTOCHECKBOX || nStyle == BS_3STATE || nStyle == BS_AUTO3STATE);
    m_nStyle = nStyle;
}

UINT CCheckListBox::GetCheckStyle() const
{
    return m_nStyle;
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    const DWORD_PTR dwData = GetItemData(nIndex);
    if (dwData == static_cast<DWORD_PTR>(LB_ERR) || nCheck < 0 || nCheck > 2)
        return;
    SetItemData(nIndex, (dwData & ~checkMask) | static_cast<DWORD_PTR>(nCheck));
    CRect rect;
    if (GetItemRect(nIndex, rect) != LB_ERR)
        InvalidateRect(rect, FALSE);
}

int CCheckListBox::GetCheck(int nIndex) const
{
    const DWORD_PTR dwData = GetItemData(nIndex);
    return dwData == static_cast<DWORD_PTR>(LB_ERR) ? 0 : static_cast<int>(dwData & checkMask);
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    const DWORD_PTR dwData = GetItemData(nIndex);
    if (dwData == static_cast<DWORD_PTR>(LB_ERR))
        return;
    SetItemData(nIndex, bEnabled ? dwData & ~disabledFlag : dwData | disabledFlag);
    CRect rect;
    if (GetItemRect(nIndex, rect) != LB_ERR)
        InvalidateRect(rect, FALSE);
}

BOOL CCheckListBox::IsEnabled(int nIndex) const
{
    const DWORD_PTR dwData = GetItemData(nIndex);
    return dwData != static_cast<DWORD_PTR>(LB_ERR) && (dwData & disabledFlag) == 0;
}

CRect CCheckListBox::OnGetCheckPosition(CRect /*rectItem*/, CRect rectCheckBox)
{
    return rectCheckBox;
}

CRect CCheckListBox::CheckBoxRect(int nIndex)
{
    CRect rectItem;
    GetItemRect(nIndex, rectItem);
    const int nTop = rectItem.top + (rectItem.Height() - checkBoxSize) / 2;
    const CRect rectBox(rectItem.left + 1, nTop, rectItem.left + 1 + checkBoxSize, nTop + checkBoxSize);
    return OnGetCheckPosition(rectItem, rectBox);
}

int CCheckListBox::CalcMinimumItemHeight()
{
    CClientDC dc(this);
    CFont* pFont = GetFont();
    CFont* pOldFont = pFont != nullptr ? dc.SelectObject(pFont) : nullptr;
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
    return std::max(static_cast<int>(tm.tmHeight), checkBoxSize + 2);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(CalcMinimumItemHeight());
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const int nIndex = static_cast<int>(lpDrawItemStruct->itemID);
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rectItem(lpDrawItemStruct->rcItem);
    // Unselected entries keep the colours that the parent set for the list.
    const COLORREF rgbBack = pDC->GetBkColor();
    pDC->FillSolidRect(rectItem, rgbBack);
    if (nIndex < 0)
        return;

    const int nCheck = GetCheck(nIndex);
    const BOOL bEnabled = IsEnabled(nIndex) && IsWindowEnabled();
    UINT nState = DFCS_BUTTONCHECK;
    if (nCheck == 1)
        nState |= DFCS_CHECKED;
    else if (nCheck == 2)
        nState = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (!bEnabled)
        nState |= DFCS_INACTIVE;
    CRect rectBox = CheckBoxRect(nIndex);
    pDC->DrawFrameControl(rectBox, DFC_BUTTON, nState);

    CRect rectText(rectBox.right + 3, rectItem.top, rectItem.right, rectItem.bottom);
    const BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    const COLORREF rgbOldBack = pDC->SetBkColor(bSelected ? ::GetSysColor(COLOR_HIGHLIGHT) : rgbBack);
    const COLORREF rgbOldText = pDC->SetTextColor(!bEnabled  ? ::GetSysColor(COLOR_GRAYTEXT)
                                                  : bSelected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                                                              : pDC->GetTextColor());
    CString strText;
    GetText(nIndex, strText);
    if (bSelected)
        pDC->FillSolidRect(rectText, ::GetSysColor(COLOR_HIGHLIGHT));
    pDC->DrawText(strText, CRect(rectText.left + 1, rectText.top, rectText.right, rectText.bottom),
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(rectText);
    pDC->SetTextColor(rgbOldText);
    pDC->SetBkColor(rgbOldBack);
}

void CCheckListBox::ToggleCheck(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount() || !IsEnabled(nIndex))
        return;
    int nCheck = GetCheck(nIndex);
    if (m_nStyle == BS_AUTO3STATE || m_nStyle == BS_3STATE)
        nCheck = (nCheck + 1) % 3;
    else
        nCheck = nCheck == 1 ? 0 : 1;
    SetCheck(nIndex, nCheck);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE),
                             reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    BOOL bOutside = TRUE;
    const int nIndex = static_cast<int>(LOWORD(ItemFromPoint(point, bOutside)));
    const BOOL bOnBox = !bOutside && CheckBoxRect(nIndex).PtInRect(point);
    Default();
    if (bOnBox)
        ToggleCheck(nIndex);
}

void CCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // A quick second click on the box is a second toggle.
    OnLButtonDown(nFlags, point);
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (nChar == VK_SPACE)
    {
        ToggleCheck(GetCaretIndex());
        return;
    }
    Default();
}

void CCheckListBox::OnChar(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    // The space bar toggles; it does not search the entries.
    if (nChar != _T(' '))
        Default();
}

LRESULT CCheckListBox::OnSetFont(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    const LRESULT lResult = Default();
    if ((GetStyle() & LBS_OWNERDRAWFIXED) != 0)
        SetItemHeight(0, static_cast<UINT>(CalcMinimumItemHeight()));
    return lResult;
}

// Combo box

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CWnd* pWnd = this;
    return pWnd->Create(L"COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::GetCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_GETCOUNT, 0, 0));
}

int CComboBox::GetCurSel() const
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_GETCURSEL, 0, 0));
}

int CComboBox::SetCurSel(int nSelect)
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_SETCURSEL, nSelect, 0));
}

LCID CComboBox::GetLocale() const
{
    return static_cast<LCID>(::SendMessage(m_hWnd, CB_GETLOCALE, 0, 0));
}

LCID CComboBox::SetLocale(LCID nNewLocale)
{
    return static_cast<LCID>(::SendMessage(m_hWnd, CB_SETLOCALE, nNewLocale, 0));
}

int CComboBox::GetTopIndex() const
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_GETTOPINDEX, 0, 0));
}

int CComboBox::SetTopIndex(int nIndex)
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_SETTOPINDEX, nIndex, 0));
}

int CComboBox::InitStorage(int nItems, UINT nBytes)
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_INITSTORAGE, nItems, nBytes));
}

void CComboBox::SetHorizontalExtent(UINT nExtent)
{
    ::SendMessage(m_hWnd, CB_SETHORIZONTALEXTENT, nExtent, 0);
}

UINT CComboBox::GetHorizontalExtent() const
{
    return static_cast<UINT>(::SendMessage(m_hWnd, CB_GETHORIZONTALEXTENT, 0, 0));
}

int CComboBox::SetDroppedWidth(UINT nWidth)
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_SETDROPPEDWIDTH, nWidth, 0));
}

int CComboBox::GetDroppedWidth() const
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_GETDROPPEDWIDTH, 0, 0));
}

DWORD CComboBox::GetEditSel() const
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, CB_GETEDITSEL, 0, 0));
}

BOOL CComboBox::LimitText(int nMaxChars)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, CB_LIMITTEXT, nMaxChars, 0));
}

BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, CB_SETEDITSEL, 0, MAKELONG(nStartChar, nEndChar)));
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(::SendMessage(m_hWnd, CB_GETITEMDATA, nIndex, 0));
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_SETITEMDATA, nIndex, static_cast<LPARAM>(dwItemData)));
}

void* CComboBox::GetItemDataPtr(int nIndex) const
{
    return reinterpret_cast<void*>(GetItemData(nIndex));
}

int CComboBox::SetItemDataPtr(int nIndex, void* pData)
{
    return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
}

int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_GETLBTEXT, nIndex, reinterpret_cast<LPARAM>(lpszText)));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    GetItemText(
        rString, [&] { return GetLBTextLen(nIndex); }, [&](LPTSTR lpszText) { GetLBText(nIndex, lpszText); });
}

int CComboBox::GetLBTextLen(int nIndex) const
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_GETLBTEXTLEN, nIndex, 0));
}

int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_SETITEMHEIGHT, nIndex, MAKELONG(cyItemHeight, 0)));
}

int CComboBox::GetItemHeight(int nIndex) const
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_GETITEMHEIGHT, nIndex, 0));
}

int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_FINDSTRINGEXACT, nIndexStart, reinterpret_cast<LPARAM>(lpszFind)));
}

int CComboBox::SetExtendedUI(BOOL bExtended)
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_SETEXTENDEDUI, bExtended, 0));
}

BOOL CComboBox::GetExtendedUI() const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, CB_GETEXTENDEDUI, 0, 0));
}

void CComboBox::GetDroppedControlRect(LPRECT lprect) const
{
    ::SendMessage(m_hWnd, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(lprect));
}

BOOL CComboBox::GetDroppedState() const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, CB_GETDROPPEDSTATE, 0, 0));
}

BOOL CComboBox::GetComboBoxInfo(PCOMBOBOXINFO pcbi) const
{
    pcbi->cbSize = sizeof(COMBOBOXINFO);
    return ::GetComboBoxInfo(m_hWnd, pcbi);
}

void CComboBox::ShowDropDown(BOOL bShowIt)
{
    ::SendMessage(m_hWnd, CB_SHOWDROPDOWN, bShowIt, 0);
}

int CComboBox::AddString(LPCTSTR lpszString)
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::DeleteString(UINT nIndex)
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_DELETESTRING, nIndex, 0));
}

int CComboBox::InsertString(int nIndex, LPCTSTR lpszString)
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_INSERTSTRING, nIndex, reinterpret_cast<LPARAM>(lpszString)));
}

void CComboBox::ResetContent()
{
    ::SendMessage(m_hWnd, CB_RESETCONTENT, 0, 0);
}

int CComboBox::Dir(UINT attr, LPCTSTR lpszWildCard)
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_DIR, attr, reinterpret_cast<LPARAM>(lpszWildCard)));
}

int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_FINDSTRING, nStartAfter, reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString)
{
    return static_cast<int>(::SendMessage(m_hWnd, CB_SELECTSTRING, nStartAfter, reinterpret_cast<LPARAM>(lpszString)));
}

void CComboBox::Clear()
{
    ::SendMessage(m_hWnd, WM_CLEAR, 0, 0);
}

void CComboBox::Copy()
{
    ::SendMessage(m_hWnd, WM_COPY, 0, 0);
}

void CComboBox::Cut()
{
    ::SendMessage(m_hWnd, WM_CUT, 0, 0);
}

void CComboBox::Paste()
{
    ::SendMessage(m_hWnd, WM_PASTE, 0, 0);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
}

int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CComboBox::DeleteItem(LPDELETEITEMSTRUCT)
{
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectOwnerDraw(this, message, lParam, pResult) || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// Scroll bar

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CWnd* pWnd = this;
    return pWnd->Create(L"SCROLLBAR", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollPos() const
{
    return ::GetScrollPos(m_hWnd, SB_CTL);
}

int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw)
{
    return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw);
}

void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const
{
    ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos);
}

void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
}

void CScrollBar::ShowScrollBar(BOOL bShow)
{
    ::ShowScrollBar(m_hWnd, SB_CTL, bShow);
}

BOOL CScrollBar::EnableScrollBar(UINT nArrowFlags)
{
    return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
}

int CScrollBar::GetScrollLimit()
{
    SCROLLINFO info = {};
    if (!GetScrollInfo(&info, SIF_RANGE | SIF_PAGE))
        return 0;
    return info.nMax - (info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0);
}
