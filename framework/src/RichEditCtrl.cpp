// CRichEditCtrl: the rich edit control over its window class and messages, and the loading of its
// library.
#include <afxwin.h>
#include <afxcmn.h>

namespace
{
// The format records carry their size; the control tells the versions apart by it.
template <class TFormat> DWORD GetFormat(HWND hWnd, UINT message, WPARAM wParam, TFormat& format)
{
    format.cbSize = sizeof(TFormat);
    return static_cast<DWORD>(::SendMessage(hWnd, message, wParam, reinterpret_cast<LPARAM>(&format)));
}

template <class TFormat> BOOL SetFormat(HWND hWnd, UINT message, WPARAM wParam, TFormat& format)
{
    format.cbSize = sizeof(TFormat);
    return static_cast<BOOL>(::SendMessage(hWnd, message, wParam, reinterpret_cast<LPARAM>(&format)));
}
} // namespace

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL AFXAPI AfxInitRichEdit2()
{
    // Loaded once and kept: its window class lives as long as the library.
    static const HMODULE hRichEdit = ::LoadLibrary(L"riched20.dll");
    return hRichEdit != nullptr;
}

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CRichEditCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!AfxInitRichEdit2())
        return FALSE;
    CWnd* pWnd = this;
    return pWnd->CreateEx(dwExStyle, RICHEDIT_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CRichEditCtrl::CanUndo() const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_CANUNDO, 0, 0));
}

BOOL CRichEditCtrl::CanRedo() const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_CANREDO, 0, 0));
}

BOOL CRichEditCtrl::CanPaste(UINT nFormat) const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_CANPASTE, nFormat, 0));
}

int CRichEditCtrl::GetLineCount() const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_GETLINECOUNT, 0, 0));
}

BOOL CRichEditCtrl::GetModify() const
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_GETMODIFY, 0, 0));
}

void CRichEditCtrl::SetModify(BOOL bModified)
{
    ::SendMessage(m_hWnd, EM_SETMODIFY, bModified, 0);
}

void CRichEditCtrl::GetRect(LPRECT lpRect) const
{
    ::SendMessage(m_hWnd, EM_GETRECT, 0, reinterpret_cast<LPARAM>(lpRect));
}

void CRichEditCtrl::SetRect(LPCRECT lpRect)
{
    ::SendMessage(m_hWnd, EM_SETRECT, 0, reinterpret_cast<LPARAM>(lpRect));
}

CPoint CRichEditCtrl::GetCharPos(long lChar) const
{
    // Rich edit 2.0 fills a POINTL for EM_POSFROMCHAR.
    POINTL pt = {};
    ::SendMessage(m_hWnd, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), lChar);
    return CPoint(pt.x, pt.y);
}

int CRichEditCtrl::CharFromPos(CPoint pt) const
{
    POINTL ptl = {pt.x, pt.y};
    return static_cast<int>(::SendMessage(m_hWnd, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&ptl)));
}

CPoint CRichEditCtrl::PosFromChar(UINT nChar) const
{
    return GetCharPos(static_cast<long>(nChar));
}

int CRichEditCtrl::GetLine(int nIndex, LPTSTR lpszBuffer) const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_GETLINE, nIndex, reinterpret_cast<LPARAM>(lpszBuffer)));
}

int CRichEditCtrl::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    *reinterpret_cast<LPWORD>(lpszBuffer) = static_cast<WORD>(nMaxLength);
    return GetLine(nIndex, lpszBuffer);
}

int CRichEditCtrl::GetFirstVisibleLine() const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0));
}

long CRichEditCtrl::GetTextLength() const
{
    return static_cast<long>(::SendMessage(m_hWnd, WM_GETTEXTLENGTH, 0, 0));
}

long CRichEditCtrl::GetTextLengthEx(DWORD dwFlags, UINT nCodePage) const
{
    GETTEXTLENGTHEX textLength = {dwFlags, nCodePage};
    return static_cast<long>(::SendMessage(m_hWnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&textLength), 0));
}

int CRichEditCtrl::GetTextRange(int nFirst, int nLast, CString& refString) const
{
    if (nLast < 0)
        nLast = GetTextLengthEx(GTL_NUMCHARS | GTL_PRECISE);
    if (nLast <= nFirst)
    {
        refString.Empty();
        return 0;
    }
    TEXTRANGE range = {};
    range.chrg.cpMin = nFirst;
    range.chrg.cpMax = nLast;
    range.lpstrText = refString.GetBuffer(nLast - nFirst + 1);
    const int nLength = static_cast<int>(::SendMessage(m_hWnd, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
    refString.ReleaseBuffer(nLength);
    return nLength;
}

CString CRichEditCtrl::GetSelText() const
{
    CHARRANGE cr = {};
    GetSel(cr);
    CString strText;
    LPTSTR lpszText = strText.GetBufferSetLength(cr.cpMax - cr.cpMin + 1);
    lpszText[0] = 0;
    ::SendMessage(m_hWnd, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(lpszText));
    strText.ReleaseBuffer();
    return strText;
}

WORD CRichEditCtrl::GetSelectionType() const
{
    return static_cast<WORD>(::SendMessage(m_hWnd, EM_SELECTIONTYPE, 0, 0));
}

long CRichEditCtrl::GetLimitText() const
{
    return static_cast<long>(::SendMessage(m_hWnd, EM_GETLIMITTEXT, 0, 0));
}

void CRichEditCtrl::LimitText(long nChars)
{
    ::SendMessage(m_hWnd, EM_EXLIMITTEXT, 0, nChars);
}

DWORD CRichEditCtrl::SetEventMask(DWORD dwEventMask)
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, EM_SETEVENTMASK, 0, dwEventMask));
}

DWORD CRichEditCtrl::GetEventMask() const
{
    return static_cast<DWORD>(::SendMessage(m_hWnd, EM_GETEVENTMASK, 0, 0));
}

UINT CRichEditCtrl::GetOptions() const
{
    return static_cast<UINT>(::SendMessage(m_hWnd, EM_GETOPTIONS, 0, 0));
}

void CRichEditCtrl::SetOptions(WORD wOp, DWORD dwFlags)
{
    ::SendMessage(m_hWnd, EM_SETOPTIONS, wOp, dwFlags);
}

BOOL CRichEditCtrl::SetReadOnly(BOOL bReadOnly)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_SETREADONLY, bReadOnly, 0));
}

COLORREF CRichEditCtrl::SetBackgroundColor(BOOL bSysColor, COLORREF cr)
{
    return static_cast<COLORREF>(::SendMessage(m_hWnd, EM_SETBKGNDCOLOR, bSysColor, cr));
}

BOOL CRichEditCtrl::SetTargetDevice(HDC hDC, long lLineWidth)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_SETTARGETDEVICE, reinterpret_cast<WPARAM>(hDC), lLineWidth));
}

BOOL CRichEditCtrl::SetTargetDevice(CDC& dc, long lLineWidth)
{
    return SetTargetDevice(dc.m_hDC, lLineWidth);
}

UINT CRichEditCtrl::SetUndoLimit(UINT nLimit)
{
    return static_cast<UINT>(::SendMessage(m_hWnd, EM_SETUNDOLIMIT, nLimit, 0));
}

BOOL CRichEditCtrl::SetAutoURLDetect(BOOL bEnable)
{
    // EM_AUTOURLDETECT answers 0 on success.
    return ::SendMessage(m_hWnd, EM_AUTOURLDETECT, bEnable, 0) == 0;
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const
{
    return GetFormat(m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, cf);
}

DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT2& cf) const
{
    return GetFormat(m_hWnd, EM_GETCHARFORMAT, SCF_DEFAULT, cf);
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const
{
    return GetFormat(m_hWnd, EM_GETCHARFORMAT, SCF_SELECTION, cf);
}

DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT2& cf) const
{
    return GetFormat(m_hWnd, EM_GETCHARFORMAT, SCF_SELECTION, cf);
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf)
{
    return SetFormat(m_hWnd, EM_SETCHARFORMAT, SCF_DEFAULT, cf);
}

BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT2& cf)
{
    return SetFormat(m_hWnd, EM_SETCHARFORMAT, SCF_DEFAULT, cf);
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf)
{
    return SetFormat(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, cf);
}

BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT2& cf)
{
    return SetFormat(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, cf);
}

BOOL CRichEditCtrl::SetWordCharFormat(CHARFORMAT& cf)
{
    return SetFormat(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, cf);
}

BOOL CRichEditCtrl::SetWordCharFormat(CHARFORMAT2& cf)
{
    return SetFormat(m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, cf);
}

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT& pf) const
{
    return GetFormat(m_hWnd, EM_GETPARAFORMAT, 0, pf);
}

DWORD CRichEditCtrl::GetParaFormat(PARAFORMAT2& pf) const
{
    return GetFormat(m_hWnd, EM_GETPARAFORMAT, 0, pf);
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT& pf)
{
    return SetFormat(m_hWnd, EM_SETPARAFORMAT, 0, pf);
}

BOOL CRichEditCtrl::SetParaFormat(PARAFORMAT2& pf)
{
    return SetFormat(m_hWnd, EM_SETPARAFORMAT, 0, pf);
}

void CRichEditCtrl::GetSel(CHARRANGE& cr) const
{
    ::SendMessage(m_hWnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
}

void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const
{
    CHARRANGE cr = {};
    GetSel(cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}

void CRichEditCtrl::SetSel(long nStartChar, long nEndChar)
{
    CHARRANGE cr = {nStartChar, nEndChar};
    SetSel(cr);
}

void CRichEditCtrl::SetSel(CHARRANGE& cr)
{
    ::SendMessage(m_hWnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
}

void CRichEditCtrl::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
{
    ::SendMessage(m_hWnd, EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText));
}

void CRichEditCtrl::HideSelection(BOOL bHide, BOOL bPerm)
{
    ::SendMessage(m_hWnd, EM_HIDESELECTION, bHide, bPerm);
}

long CRichEditCtrl::LineFromChar(long nIndex) const
{
    return static_cast<long>(::SendMessage(m_hWnd, EM_EXLINEFROMCHAR, 0, nIndex));
}

int CRichEditCtrl::LineIndex(int nLine) const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_LINEINDEX, nLine, 0));
}

int CRichEditCtrl::LineLength(int nLine) const
{
    return static_cast<int>(::SendMessage(m_hWnd, EM_LINELENGTH, nLine, 0));
}

void CRichEditCtrl::LineScroll(int nLines, int nChars)
{
    ::SendMessage(m_hWnd, EM_LINESCROLL, nChars, nLines);
}

long CRichEditCtrl::FindText(DWORD dwFlags, FINDTEXTEX* pFindText) const
{
    return static_cast<long>(::SendMessage(m_hWnd, EM_FINDTEXTEX, dwFlags, reinterpret_cast<LPARAM>(pFindText)));
}

void CRichEditCtrl::RequestResize()
{
    ::SendMessage(m_hWnd, EM_REQUESTRESIZE, 0, 0);
}

long CRichEditCtrl::FormatRange(FORMATRANGE* pfr, BOOL bDisplay)
{
    return static_cast<long>(::SendMessage(m_hWnd, EM_FORMATRANGE, bDisplay, reinterpret_cast<LPARAM>(pfr)));
}

BOOL CRichEditCtrl::DisplayBand(LPRECT pDisplayRect)
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_DISPLAYBAND, 0, reinterpret_cast<LPARAM>(pDisplayRect)));
}

long CRichEditCtrl::StreamIn(int nFormat, EDITSTREAM& es)
{
    return static_cast<long>(::SendMessage(m_hWnd, EM_STREAMIN, nFormat, reinterpret_cast<LPARAM>(&es)));
}

long CRichEditCtrl::StreamOut(int nFormat, EDITSTREAM& es)
{
    return static_cast<long>(::SendMessage(m_hWnd, EM_STREAMOUT, nFormat, reinterpret_cast<LPARAM>(&es)));
}

void CRichEditCtrl::EmptyUndoBuffer()
{
    ::SendMessage(m_hWnd, EM_EMPTYUNDOBUFFER, 0, 0);
}

BOOL CRichEditCtrl::Undo()
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_UNDO, 0, 0));
}

BOOL CRichEditCtrl::Redo()
{
    return static_cast<BOOL>(::SendMessage(m_hWnd, EM_REDO, 0, 0));
}

void CRichEditCtrl::StopGroupTyping()
{
    ::SendMessage(m_hWnd, EM_STOPGROUPTYPING, 0, 0);
}

void CRichEditCtrl::Clear()
{
    ::SendMessage(m_hWnd, WM_CLEAR, 0, 0);
}

void CRichEditCtrl::Copy()
{
    ::SendMessage(m_hWnd, WM_COPY, 0, 0);
}

void CRichEditCtrl::Cut()
{
    ::SendMessage(m_hWnd, WM_CUT, 0, 0);
}

void CRichEditCtrl::Paste()
{
    ::SendMessage(m_hWnd, WM_PASTE, 0, 0);
}
