// SECListBoxEditor and its companions: the header, in-place editing, deleting and moving items,
// the keys of the list box and the drag of an item.
#include <toolkit/workspace/ListBoxEditor.h>

#include <toolkit/foundation/CaptureLoop.h>
#include <toolkit/foundation/ToolkitRes.h>

#include <algorithm>

namespace tarnwick::workspace
{
using foundation::SECCaptureLoop;

namespace
{
struct ButtonResource
{
    UINT nBitmap;
    UINT nTip;
    DWORD dwShowBit;
};
const ButtonResource buttonResources[SECListBoxEditor::buttonCount] = {
    {IDB_SEC_LBEDIT_NEW, IDS_SEC_LBEDIT_NEW, SECListBoxEditor::LBE_NEWBUTTON},
    {IDB_SEC_LBEDIT_DELETE, IDS_SEC_LBEDIT_DELETE, SECListBoxEditor::LBE_DELBUTTON},
    {IDB_SEC_LBEDIT_UP, IDS_SEC_LBEDIT_UP, SECListBoxEditor::LBE_UPBUTTON},
    {IDB_SEC_LBEDIT_DOWN, IDS_SEC_LBEDIT_DOWN, SECListBoxEditor::LBE_DOWNBUTTON},
};
constexpr int HIGHEST_CONTROL_ID = 32767;
// The header buttons: this much wider than their bitmaps, one pixel apart.
constexpr int BUTTON_PADDING = 8;
// The scrolling of a drag outside the list: the first step, the shortening, the shortest.
constexpr ULONGLONG SCROLL_FIRST = 300;
constexpr ULONGLONG SCROLL_STEP = 50;
constexpr ULONGLONG SCROLL_FASTEST = 50;
constexpr UINT_PTR DRAG_TIMER = 0x5EC1;

// The client point of a mouse message, with its signed coordinates.
CPoint MessagePoint(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

BOOL IsNavigationKey(UINT nChar)
{
    return nChar == VK_UP || nChar == VK_DOWN || nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_HOME ||
           nChar == VK_END;
}

// Moves the focus to the next or previous control of the dialog, selecting an edit's text.
void MoveFocus(CWnd* pFrom, BOOL bPrevious)
{
    CWnd* pDialog = pFrom->GetParent();
    while (pDialog != nullptr && (pDialog->GetStyle() & WS_CHILD))
        pDialog = pDialog->GetParent();
    if (pDialog == nullptr)
        return;
    HWND hNext = ::GetNextDlgTabItem(pDialog->m_hWnd, pFrom->m_hWnd, bPrevious);
    if (hNext == nullptr)
        return;
    ::SetFocus(hNext);
    TCHAR szClass[16] = {};
    ::GetClassName(hNext, szClass, _countof(szClass));
    if (_tcsicmp(szClass, _T("Edit")) == 0)
        ::SendMessage(hNext, EM_SETSEL, 0, -1);
}
} // namespace

// The in-place edit.

BEGIN_MESSAGE_MAP(SECListBoxEdit, CEdit)
ON_WM_GETDLGCODE()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

UINT SECListBoxEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS;
}

void SECListBoxEdit::Finish(BOOL bCancel)
{
    if (m_bDone)
        return;
    m_bDone = TRUE;
    CWnd* pListBox = GetParent();
    if (bCancel)
        pListBox->SendMessage(SECListBoxEditorHelper::WM_CANCELEDIT);
    // Posted: the edit goes when the notification arrives, after this handler has returned.
    pListBox->PostMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT, EN_EDITDONE), reinterpret_cast<LPARAM>(m_hWnd));
}

void SECListBoxEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_RETURN || nChar == VK_ESCAPE)
    {
        Finish(nChar == VK_ESCAPE);
        return;
    }
    if (IsNavigationKey(nChar))
    {
        CWnd* pListBox = GetParent();
        Finish(FALSE);
        pListBox->PostMessage(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
        return;
    }
    if (nChar == VK_TAB)
    {
        Finish(FALSE);
        MoveFocus(GetParent(), ::GetKeyState(VK_SHIFT) < 0);
        return;
    }
    if (nChar == VK_SPACE && m_editor.IsSpaceAdvance())
    {
        int nStart = 0;
        int nEnd = 0;
        GetSel(nStart, nEnd);
        CString strText;
        GetWindowText(strText);
        strText.TrimRight();
        if (nStart == nEnd && nStart >= strText.GetLength() + m_editor.GetSpaceAdvanceCount() - 1)
        {
            Finish(FALSE);
            MoveFocus(GetParent(), FALSE);
            return;
        }
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void SECListBoxEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_RETURN || nChar == VK_ESCAPE || nChar == VK_TAB)
        return;
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}

void SECListBoxEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    const CWnd* pBrowse = GetParent()->GetDlgItem(ID_BROWSE);
    if (pNewWnd == nullptr || pBrowse == nullptr || pNewWnd->m_hWnd != pBrowse->m_hWnd)
        Finish(FALSE);
}

// The subclassed list box.

BEGIN_MESSAGE_MAP(SECListBoxEditorHelper, CListBox)
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
ON_WM_SYSKEYDOWN()
ON_WM_CHAR()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_MESSAGE(WM_CANCELEDIT, OnCancelEdit)
END_MESSAGE_MAP()

void SECListBoxEditorHelper::OnLButtonDblClk(UINT, CPoint)
{
    m_editor.BeginEdit(0);
}

void SECListBoxEditorHelper::OnLButtonDown(UINT nFlags, CPoint point)
{
    CListBox::OnLButtonDown(nFlags, point);
    if (m_editor.GetEdit() != nullptr)
        return;
    BOOL bOutside = TRUE;
    const int nItem = static_cast<int>(ItemFromPoint(point, bOutside));
    if (bOutside || nItem >= m_editor.GetRealCount())
        return;
    m_editor.DragItem(nItem, point);
}

void SECListBoxEditorHelper::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const DWORD dwStyle = m_editor.GetEditorStyle();
    if (nChar == VK_F2 && (dwStyle & SECListBoxEditor::LBE_BROWSE))
        return m_editor.BeginEdit(0);
    if (dwStyle & SECListBoxEditor::LBE_SHORTCUTS)
    {
        if (nChar == VK_INSERT)
            return m_editor.OnNew();
        if (nChar == VK_DELETE)
            return m_editor.OnDelete();
    }
    CListBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void SECListBoxEditorHelper::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_editor.GetEditorStyle() & SECListBoxEditor::LBE_SHORTCUTS)
    {
        if (nChar == VK_UP)
        {
            m_editor.OnMoveUp();
            return;
        }
        if (nChar == VK_DOWN)
        {
            m_editor.OnMoveDown();
            return;
        }
    }
    CListBox::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void SECListBoxEditorHelper::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const BOOL bAdvance = m_editor.IsSpaceAdvance() && (nChar == VK_SPACE || nChar == VK_BACK);
    if (bAdvance || ((m_editor.GetEditorStyle() & SECListBoxEditor::LBE_AUTOEDIT) && nChar >= VK_SPACE &&
                     ::GetKeyState(VK_CONTROL) >= 0))
        return m_editor.BeginEdit(nChar);
    CListBox::OnChar(nChar, nRepCnt, nFlags);
}

void SECListBoxEditorHelper::OnSetFocus(CWnd* pOldWnd)
{
    CListBox::OnSetFocus(pOldWnd);
    m_editor.Invalidate();
}

void SECListBoxEditorHelper::OnKillFocus(CWnd* pNewWnd)
{
    CListBox::OnKillFocus(pNewWnd);
    m_editor.Invalidate();
}

LRESULT SECListBoxEditorHelper::OnCancelEdit(WPARAM, LPARAM)
{
    m_editor.SetCancelled(TRUE);
    return 0;
}

BOOL SECListBoxEditorHelper::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == SECListBoxEdit::ID_EDIT && HIWORD(wParam) == SECListBoxEdit::EN_EDITDONE)
    {
        m_editor.EndEdit();
        return TRUE;
    }
    return CListBox::OnCommand(wParam, lParam);
}

// Dragging.

int SECListBoxDragWnd::InsertionPoint(CListBox& listBox, CPoint point, int nRealCount)
{
    BOOL bOutside = TRUE;
    int nItem = static_cast<int>(listBox.ItemFromPoint(point, bOutside));
    CRect rectClient;
    listBox.GetClientRect(rectClient);
    if (point.y < rectClient.top)
        return std::max(0, listBox.GetTopIndex());
    if (nItem >= nRealCount || (bOutside && point.y >= rectClient.top))
        return nRealCount;
    CRect rectItem;
    listBox.GetItemRect(nItem, rectItem);
    return point.y < rectItem.CenterPoint().y ? nItem : nItem + 1;
}

int SECListBoxDragWnd::Track(SECListBoxEditor& editor, CListBox& listBox, int nItem, CPoint ptPress)
{
    static const CString className =
        AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    const ULONGLONG ullStart = editor.Now();
    const int cxDrag = ::GetSystemMetrics(SM_CXDRAG);
    const int cyDrag = ::GetSystemMetrics(SM_CYDRAG);
    const int nRealCount = editor.GetRealCount();
    BOOL bDragging = FALSE;
    int nInsert = nItem;
    CPoint ptLast = ptPress;
    CWnd line;
    ULONGLONG ullNextScroll = 0;
    ULONGLONG ullInterval = SCROLL_FIRST;

    auto placeLine = [&]() {
        CRect rectClient;
        listBox.GetClientRect(rectClient);
        int y = 0;
        if (nInsert < listBox.GetCount())
        {
            CRect rectItem;
            listBox.GetItemRect(nInsert, rectItem);
            y = rectItem.top;
        }
        else if (listBox.GetCount() > 0)
        {
            CRect rectItem;
            listBox.GetItemRect(listBox.GetCount() - 1, rectItem);
            y = rectItem.bottom;
        }
        if (line.m_hWnd == nullptr)
            line.CreateEx(0, className, _T(""), WS_CHILD, CRect(0, 0, 0, 0), &listBox, 0);
        line.SetWindowPos(&CWnd::wndTop, 0, std::max(0, y - 1), rectClient.Width(), 2, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    };
    auto scrollStep = [&]() {
        CRect rectClient;
        listBox.GetClientRect(rectClient);
        const BOOL bAbove = ptLast.y < rectClient.top;
        const BOOL bBelow = ptLast.y >= rectClient.bottom;
        if (!bDragging || (!bAbove && !bBelow) || editor.Now() - ullStart < SECListBoxEditor::DRAG_DELAY)
        {
            ullNextScroll = 0;
            ullInterval = SCROLL_FIRST;
            return;
        }
        const ULONGLONG ullNow = editor.Now();
        if (ullNextScroll == 0)
        {
            ullNextScroll = ullNow + SCROLL_FIRST;
            return;
        }
        if (ullNow < ullNextScroll)
            return;
        listBox.SetTopIndex(std::max(0, listBox.GetTopIndex() + (bAbove ? -1 : 1)));
        ullInterval = std::max(SCROLL_FASTEST, ullInterval - SCROLL_STEP);
        ullNextScroll = ullNow + ullInterval;
        nInsert = InsertionPoint(listBox, ptLast, nRealCount);
        placeLine();
    };

    listBox.SetTimer(DRAG_TIMER, static_cast<UINT>(SCROLL_FASTEST), nullptr);
    SECCaptureLoop loop(&listBox);
    const SECCaptureLoop::Result result = loop.Run([&](const MSG& msg) {
        switch (msg.message)
        {
        case WM_MOUSEMOVE: {
            ptLast = MessagePoint(msg.lParam);
            if (msg.hwnd != listBox.m_hWnd)
            {
                ::ClientToScreen(msg.hwnd, &ptLast);
                listBox.ScreenToClient(&ptLast);
            }
            const CSize moved = ptLast - ptPress;
            if (!bDragging && moved.cx * moved.cx + moved.cy * moved.cy > cxDrag * cxDrag + cyDrag * cyDrag)
                bDragging = TRUE;
            if (bDragging)
            {
                nInsert = InsertionPoint(listBox, ptLast, nRealCount);
                placeLine();
                scrollStep();
            }
            return SECCaptureLoop::handled;
        }
        case WM_TIMER:
            if (msg.hwnd == listBox.m_hWnd && msg.wParam == DRAG_TIMER)
            {
                scrollStep();
                return SECCaptureLoop::handled;
            }
            return SECCaptureLoop::dispatch;
        case WM_LBUTTONUP:
            return SECCaptureLoop::finish;
        default:
            return SECCaptureLoop::dispatch;
        }
    });
    listBox.KillTimer(DRAG_TIMER);
    if (line.m_hWnd != nullptr)
        line.DestroyWindow();
    const BOOL bLongEnough = editor.Now() - ullStart > SECListBoxEditor::DRAG_DELAY;
    if (result == SECCaptureLoop::cancelled || !bDragging || !bLongEnough || nInsert == nItem || nInsert == nItem + 1)
        return -1;
    return nInsert;
}

// Press feedback of a header button.

BOOL SECFakeButton::Track(SECListBoxEditor& editor, int nButton)
{
    const CRect rect = editor.GetButtonRect(nButton);
    BOOL bInside = TRUE;
    auto paint = [&]() {
        CClientDC dc(&editor);
        editor.PaintHeader(dc, bInside ? nButton : -1);
    };
    paint();
    SECCaptureLoop loop(&editor);
    const SECCaptureLoop::Result result = loop.Run([&](const MSG& msg) {
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == editor.m_hWnd)
        {
            const BOOL bNow = rect.PtInRect(MessagePoint(msg.lParam));
            if (bNow != bInside)
            {
                bInside = bNow;
                paint();
            }
            return SECCaptureLoop::handled;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            if (msg.hwnd == editor.m_hWnd)
                bInside = rect.PtInRect(MessagePoint(msg.lParam));
            return SECCaptureLoop::finish;
        }
        return SECCaptureLoop::dispatch;
    });
    bInside = bInside && result == SECCaptureLoop::finished;
    CClientDC dc(&editor);
    editor.PaintHeader(dc);
    return bInside;
}

// The editor.

BEGIN_MESSAGE_MAP(SECListBoxEditor, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

SECListBoxEditor::SECListBoxEditor()
    : m_pEdit(nullptr), m_pListBox(nullptr), m_dwStyle(0), m_bInitialized(FALSE), m_nHeaderHeight(0), m_bAdding(FALSE),
      m_bCancelled(FALSE), m_nLastIndexes{-1, -1}, m_bSpaceAdvance(FALSE), m_nSpaceAdvanceCount(1), m_nEditIndex(-1),
      m_nHotButton(-1)
{
    std::fill(std::begin(m_bButtonShown), std::end(m_bButtonShown), TRUE);
}

SECListBoxEditor::~SECListBoxEditor()
{
    delete m_pEdit;
    if (m_pListBox != nullptr && m_pListBox->m_hWnd != nullptr)
        m_pListBox->UnsubclassWindow();
    delete m_pListBox;
}

CListBox* SECListBoxEditor::GetListBox() const
{
    return m_pListBox;
}

int SECListBoxEditor::GetRealCount() const
{
    const int nCount = m_pListBox->GetCount();
    if (!HasTrailingItem() || nCount == 0)
        return nCount;
    CString strLast;
    m_pListBox->GetText(nCount - 1, strLast);
    return strLast.IsEmpty() ? nCount - 1 : nCount;
}

BOOL SECListBoxEditor::Attach(CWnd* pDialog, UINT nListBoxID, DWORD dwStyle)
{
    return Initialize(pDialog, nListBoxID, dwStyle);
}

BOOL SECListBoxEditor::Initialize(CWnd* pDialog, UINT nListBoxID, DWORD dwStyle)
{
    CWnd* pList = pDialog->GetDlgItem(nListBoxID);
    TCHAR szClass[16] = {};
    if (pList == nullptr || !::GetClassName(pList->m_hWnd, szClass, _countof(szClass)) ||
        _tcsicmp(szClass, _T("ListBox")) != 0)
        return FALSE;
    m_dwStyle = dwStyle;
    int nID = HIGHEST_CONTROL_ID;
    while (nID > 1 && pDialog->GetDlgItem(nID) != nullptr)
        --nID;
    if (!CreateEx(0, _T("static"), _T(""), WS_CHILD, CRect(0, 0, 0, 0), pDialog, nID))
        return FALSE;
    SetFont(pDialog->GetFont(), FALSE);

    CRect rectList;
    pList->GetWindowRect(rectList);
    pDialog->ScreenToClient(rectList);
    m_nHeaderHeight = GetHeaderHeight();
    const int nListTop = rectList.top + m_nHeaderHeight + 2 * ::GetSystemMetrics(SM_CYBORDER);
    SetWindowPos(pList, rectList.left, rectList.top, rectList.Width(), m_nHeaderHeight, SWP_NOACTIVATE);
    pList->SetWindowPos(nullptr, rectList.left, nListTop, rectList.Width(), std::max(0L, rectList.bottom - nListTop),
                        SWP_NOZORDER | SWP_NOACTIVATE);
    // The header comes before the list in the tab order.
    SetWindowPos(pList->GetWindow(GW_HWNDPREV) != nullptr ? pList->GetWindow(GW_HWNDPREV) : &CWnd::wndTop, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    SetButtonFlags(dwStyle);
    m_pListBox = new SECListBoxEditorHelper(*this);
    m_pListBox->SubclassWindow(pList->m_hWnd);
    CreateButtons();
    if ((m_dwStyle & LBE_BUTTONS) && (m_dwStyle & LBE_TOOLTIPS))
    {
        m_toolTips.Create(this);
        UpdateTooltips();
    }
    EnsureTrailingItem();
    m_bInitialized = TRUE;
    NotifyParent(LBN_SELCHANGE, TRUE);
    ShowWindow(SW_SHOW);
    return TRUE;
}

void SECListBoxEditor::EnsureTrailingItem()
{
    if (!HasTrailingItem() || m_pListBox == nullptr)
        return;
    const int nCount = m_pListBox->GetCount();
    CString strLast;
    if (nCount > 0)
        m_pListBox->GetText(nCount - 1, strLast);
    if (nCount == 0 || !strLast.IsEmpty())
        m_pListBox->AddString(_T(""));
}

void SECListBoxEditor::NotifyParent(UINT nCode, BOOL bPost)
{
    CWnd* pParent = GetParent();
    if (pParent == nullptr || m_pListBox == nullptr)
        return;
    const WPARAM wParam = MAKEWPARAM(m_pListBox->GetDlgCtrlID(), nCode);
    const LPARAM lParam = reinterpret_cast<LPARAM>(m_pListBox->m_hWnd);
    if (bPost)
        pParent->PostMessage(WM_COMMAND, wParam, lParam);
    else
        pParent->SendMessage(WM_COMMAND, wParam, lParam);
}

void SECListBoxEditor::SetSpaceAdvance(BOOL bOn)
{
    m_bSpaceAdvance = bOn;
}

void SECListBoxEditor::SetSpaceAdvanceCount(int nCount)
{
    m_nSpaceAdvanceCount = nCount;
}

void SECListBoxEditor::SetButtonFlags(DWORD dwStyle)
{
    for (int i = 0; i < buttonCount; ++i)
        m_bButtonShown[i] = (dwStyle & buttonResources[i].dwShowBit) != 0;
}

int SECListBoxEditor::GetHeaderHeight()
{
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(GetFont() != nullptr ? GetFont() : GetParent()->GetFont());
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    int nHeight = tm.tmHeight + 4 * ::GetSystemMetrics(SM_CYBORDER);
    for (const ButtonResource& resource : buttonResources)
    {
        CBitmap bitmap;
        BITMAP bm{};
        if (bitmap.LoadBitmap(resource.nBitmap) && bitmap.GetBitmap(&bm))
            nHeight = std::max(nHeight, static_cast<int>(bm.bmHeight) + 2);
    }
    return nHeight;
}

void SECListBoxEditor::CreateButtons()
{
    CRect rectClient;
    GetClientRect(rectClient);
    int nRight = rectClient.right - 1;
    for (int i = buttonCount - 1; i >= 0; --i)
    {
        m_bitmaps[i].DeleteObject();
        m_bitmaps[i].LoadMappedBitmap(buttonResources[i].nBitmap);
        m_rectButtons[i].SetRectEmpty();
        if (!m_bButtonShown[i])
            continue;
        BITMAP bm{};
        m_bitmaps[i].GetBitmap(&bm);
        const int nWidth = bm.bmWidth + BUTTON_PADDING;
        m_rectButtons[i] = CRect(nRight - nWidth, rectClient.top + 1, nRight, rectClient.bottom - 1);
        nRight -= nWidth + 1;
    }
}

void SECListBoxEditor::UpdateTooltips()
{
    if (!(m_dwStyle & LBE_BUTTONS) || !(m_dwStyle & LBE_TOOLTIPS) || m_toolTips.m_hWnd == nullptr)
        return;
    for (int i = 0; i < buttonCount; ++i)
    {
        m_toolTips.DelTool(this, buttonResources[i].nTip);
        if (m_bButtonShown[i])
            m_toolTips.AddTool(this, buttonResources[i].nTip, m_rectButtons[i], buttonResources[i].nTip);
    }
    m_toolTips.Activate(TRUE);
}

void SECListBoxEditor::Layout()
{
    CRect rect;
    GetWindowRect(rect);
    if (!m_bInitialized || rect.Height() == m_nHeaderHeight)
        return;
    CWnd* pParent = GetParent();
    pParent->ScreenToClient(rect);
    const int nListTop = rect.top + m_nHeaderHeight + 2 * ::GetSystemMetrics(SM_CYBORDER);
    SetWindowPos(&CWnd::wndTop, rect.left, rect.top, rect.Width(), m_nHeaderHeight, SWP_NOACTIVATE);
    m_pListBox->SetWindowPos(&CWnd::wndTop, rect.left, nListTop, rect.Width(), std::max(0L, rect.bottom - nListTop),
                             SWP_NOACTIVATE);
    CreateButtons();
    UpdateTooltips();
    Invalidate();
    m_pListBox->Invalidate();
}

void SECListBoxEditor::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CWnd::OnWindowPosChanged(lpwndpos);
    if (!(lpwndpos->flags & SWP_NOSIZE) || !(lpwndpos->flags & SWP_NOMOVE))
        Layout();
}

void SECListBoxEditor::PaintHeader(CDC& dc, int nPressed)
{
    CRect rectClient;
    GetClientRect(rectClient);
    dc.FillSolidRect(rectClient, ::GetSysColor(COLOR_BTNFACE));
    CString strCaption;
    GetWindowText(strCaption);
    CFont* pOldFont = dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    CRect rectText = rectClient;
    rectText.left += 2;
    dc.DrawText(strCaption, rectText, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    dc.SelectObject(pOldFont);
    for (int i = 0; i < buttonCount; ++i)
    {
        if (!m_bButtonShown[i] || m_bitmaps[i].m_hObject == nullptr)
            continue;
        const CRect& rect = m_rectButtons[i];
        const BOOL bPressed = i == nPressed;
        const BOOL bHot = i == m_nHotButton && !bPressed;
        BITMAP bm{};
        m_bitmaps[i].GetBitmap(&bm);
        CDC dcBitmap;
        dcBitmap.CreateCompatibleDC(&dc);
        CBitmap* pOld = dcBitmap.SelectObject(&m_bitmaps[i]);
        const int nOffset = bPressed ? 1 : 0;
        dc.BitBlt(rect.left + (rect.Width() - bm.bmWidth) / 2 + nOffset,
                  rect.top + (rect.Height() - bm.bmHeight) / 2 + nOffset, bm.bmWidth, bm.bmHeight, &dcBitmap, 0, 0,
                  SRCCOPY);
        dcBitmap.SelectObject(pOld);
        const COLORREF crLight = ::GetSysColor(bPressed ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
        const COLORREF crDark = ::GetSysColor(bPressed ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
        dc.Draw3dRect(rect, crLight, crDark);
        // The button under the mouse stands out a little further.
        if (bHot)
        {
            CRect rectInner = rect;
            rectInner.DeflateRect(1, 1);
            dc.Draw3dRect(rectInner, crLight, crDark);
        }
    }
}

BOOL SECListBoxEditor::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void SECListBoxEditor::OnPaint()
{
    CPaintDC dc(this);
    PaintHeader(dc);
}

int SECListBoxEditor::ButtonAt(CPoint point) const
{
    for (int i = 0; i < buttonCount; ++i)
        if (m_bButtonShown[i] && m_rectButtons[i].PtInRect(point))
            return i;
    return -1;
}

void SECListBoxEditor::RunButton(int nButton)
{
    switch (nButton)
    {
    case btnNew:
        OnNew();
        break;
    case btnDelete:
        OnDelete();
        break;
    case btnUp:
        OnMoveUp();
        break;
    case btnDown:
        OnMoveDown();
        break;
    default:
        break;
    }
}

void SECListBoxEditor::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
    if (!(m_dwStyle & LBE_BUTTONS) || m_pEdit != nullptr)
        return;
    const int nButton = ButtonAt(point);
    if (nButton >= 0 && SECFakeButton::Track(*this, nButton))
        RunButton(nButton);
}

void SECListBoxEditor::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    const int nHot = (m_dwStyle & LBE_BUTTONS) ? ButtonAt(point) : -1;
    if (nHot == m_nHotButton)
        return;
    m_nHotButton = nHot;
    Invalidate(FALSE);
    if (nHot >= 0)
    {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&track);
    }
}

BOOL SECListBoxEditor::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSELEAVE && pMsg->hwnd == m_hWnd)
    {
        m_nHotButton = -1;
        Invalidate(FALSE);
    }
    if (m_toolTips.m_hWnd != nullptr && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        m_toolTips.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

void SECListBoxEditor::OnEditStarted()
{
    NotifyParent(LBN_SELCHANGE, TRUE);
}

void SECListBoxEditor::OnEditEnded()
{
    if (m_pListBox->GetCurSel() < 0 && m_pListBox->GetCount() > 0)
        m_pListBox->SetCurSel(m_pListBox->GetCount() - 1);
    NotifyParent(LBN_SELCHANGE, TRUE);
}

void SECListBoxEditor::OnItemRenamed(int nIndex, CString, CString strNewText)
{
    strNewText.TrimRight();
    if (strNewText.IsEmpty())
        DeleteItem(nIndex);
    else if (HasTrailingItem() && nIndex == m_pListBox->GetCount() - 1)
        m_pListBox->AddString(_T(""));
}

void SECListBoxEditor::OnItemAdded(int nIndex, CString strText)
{
    strText.TrimRight();
    if (strText.IsEmpty())
        DeleteItem(nIndex);
}

void SECListBoxEditor::OnItemMoved(int nFrom, int nTo, CString)
{
    m_nLastIndexes[0] = nFrom;
    m_nLastIndexes[1] = nTo;
    NotifyParent(LBN_ITEMMOVED, FALSE);
}

BOOL SECListBoxEditor::OnItemDeleting(int, CString)
{
    return TRUE;
}

void SECListBoxEditor::OnNew()
{
    if (m_pEdit != nullptr)
        return;
    if (!HasTrailingItem())
        m_pListBox->AddString(_T(""));
    EnsureTrailingItem();
    m_strTextBefore.Empty();
    EditItem(m_pListBox->GetCount() - 1, TRUE, nullptr);
}

void SECListBoxEditor::OnDelete()
{
    if (m_pListBox->GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))
    {
        int nSelected = 0;
        while (m_pListBox->GetSelItems(1, &nSelected) == 1 && DeleteItem(nSelected))
        {
        }
        return;
    }
    DeleteItem(m_pListBox->GetCurSel());
}

void SECListBoxEditor::SwapWithPrevious(int nIndex)
{
    if (nIndex <= 0 || nIndex >= m_pListBox->GetCount())
        return;
    CString strText;
    m_pListBox->GetText(nIndex, strText);
    const DWORD_PTR dwData = m_pListBox->GetItemData(nIndex);
    m_pListBox->DeleteString(nIndex);
    m_pListBox->InsertString(nIndex - 1, strText);
    m_pListBox->SetItemData(nIndex - 1, dwData);
}

void SECListBoxEditor::MoveItem(int nFrom, int nTo)
{
    CString strText;
    m_pListBox->GetText(nFrom, strText);
    m_pListBox->SetRedraw(FALSE);
    // One neighbour at a time, each reported, so that every list that follows the items can
    // trade the same places.
    for (int i = nFrom; i != nTo; i += nTo > nFrom ? 1 : -1)
    {
        const int nNext = nTo > nFrom ? i + 1 : i - 1;
        SwapWithPrevious(std::max(i, nNext));
        m_pListBox->SetCurSel(nNext);
        OnItemMoved(i, nNext, strText);
    }
    m_pListBox->SetRedraw(TRUE);
    m_pListBox->Invalidate();
}

BOOL SECListBoxEditor::OnMoveUp()
{
    const int nIndex = m_pListBox->GetCurSel();
    if (nIndex <= 0 || nIndex >= GetRealCount())
        return FALSE;
    MoveItem(nIndex, nIndex - 1);
    return TRUE;
}

BOOL SECListBoxEditor::OnMoveDown()
{
    const int nIndex = m_pListBox->GetCurSel();
    if (nIndex < 0 || nIndex >= GetRealCount() - 1)
        return FALSE;
    MoveItem(nIndex, nIndex + 1);
    return TRUE;
}

void SECListBoxEditor::DragItem(int nItem, CPoint ptPress)
{
    const int nInsert = SECListBoxDragWnd::Track(*this, *m_pListBox, nItem, ptPress);
    if (nInsert < 0)
        return;
    MoveItem(nItem, nInsert > nItem ? nInsert - 1 : nInsert);
}

BOOL SECListBoxEditor::DeleteItem(int nIndex)
{
    const int nCount = m_pListBox->GetCount();
    if (nIndex < 0 || nIndex >= nCount || nIndex >= GetRealCount())
        return FALSE;
    CString strText;
    m_pListBox->GetText(nIndex, strText);
    if (!OnItemDeleting(nIndex, strText))
        return FALSE;
    m_pListBox->SetRedraw(FALSE);
    m_pListBox->DeleteString(nIndex);
    if (!(m_pListBox->GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)))
        m_pListBox->SetCurSel(std::min(nIndex, m_pListBox->GetCount() - 1));
    m_pListBox->SetRedraw(TRUE);
    m_pListBox->Invalidate();
    m_nLastIndexes[0] = nIndex;
    NotifyParent(LBN_ITEMDELETED, FALSE);
    return TRUE;
}

void SECListBoxEditor::BeginEdit(UINT nChar)
{
    if (m_bSpaceAdvance && (nChar == VK_SPACE || nChar == VK_BACK))
    {
        MoveFocus(m_pListBox, nChar == VK_BACK);
        return;
    }
    const int nIndex = m_pListBox->GetCurSel();
    if (nIndex < 0 || m_pEdit != nullptr)
        return;
    m_pListBox->GetText(nIndex, m_strTextBefore);
    const CString strSeed = nChar != 0 ? CString(static_cast<TCHAR>(nChar)) : CString();
    EditItem(nIndex, FALSE, nChar != 0 ? LPCTSTR(strSeed) : nullptr);
}

void SECListBoxEditor::EditItem(int nIndex, BOOL bAdding, LPCTSTR lpszInitialText)
{
    OnEditStarted();
    m_bAdding = bAdding;
    m_bCancelled = FALSE;
    m_nEditIndex = nIndex;
    m_pListBox->SetCurSel(nIndex);
    CRect rect;
    m_pListBox->GetItemRect(nIndex, rect);
    rect.InflateRect(0, 2);
    m_pEdit = new SECListBoxEdit(*this);
    m_pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rect, m_pListBox, SECListBoxEdit::ID_EDIT);
    m_pEdit->SetFont(m_pListBox->GetFont());
    if (lpszInitialText != nullptr)
    {
        m_pEdit->SetWindowText(lpszInitialText);
        const int nLength = static_cast<int>(_tcslen(lpszInitialText));
        m_pEdit->SetSel(nLength, nLength);
    }
    else
    {
        CString strText;
        m_pListBox->GetText(nIndex, strText);
        m_pEdit->SetWindowText(strText);
        m_pEdit->SetSel(0, -1);
    }
    if (m_dwStyle & LBE_BROWSE)
    {
        CClientDC dc(m_pListBox);
        CFont* pOld = dc.SelectObject(m_pListBox->GetFont());
        const int nWidth = dc.GetTextExtent(_T("...")).cx + 2 * ::GetSystemMetrics(SM_CXBORDER) + 4;
        dc.SelectObject(pOld);
        CRect rectEdit = rect;
        rectEdit.right -= nWidth;
        m_pEdit->MoveWindow(rectEdit);
        m_btnBrowse.Create(_T("..."), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                           CRect(rectEdit.right, rect.top, rect.right, rect.bottom), m_pListBox,
                           SECListBoxEdit::ID_BROWSE);
        m_btnBrowse.SetFont(m_pListBox->GetFont());
    }
    m_pEdit->SetFocus();
}

void SECListBoxEditor::EndEdit()
{
    if (m_pEdit == nullptr)
        return;
    if (m_btnBrowse.m_hWnd != nullptr)
        m_btnBrowse.DestroyWindow();
    CString strText;
    m_pEdit->GetWindowText(strText);
    SECListBoxEdit* pEdit = m_pEdit;
    m_pEdit = nullptr;
    const BOOL bHadFocus = ::GetFocus() == pEdit->m_hWnd;
    pEdit->DestroyWindow();
    delete pEdit;
    if (bHadFocus)
        m_pListBox->SetFocus();

    const int nIndex = m_nEditIndex;
    if (!m_bCancelled && nIndex >= 0 && nIndex < m_pListBox->GetCount())
    {
        const BOOL bTrailing = HasTrailingItem() && nIndex == m_pListBox->GetCount() - 1;
        const BOOL bAdding = m_bAdding || (bTrailing && m_strTextBefore.IsEmpty());
        if (bAdding)
        {
            m_pListBox->DeleteString(nIndex);
            m_pListBox->InsertString(nIndex, strText);
            m_pListBox->SetCurSel(nIndex);
            CString strTrimmed = strText;
            strTrimmed.TrimLeft();
            OnItemAdded(nIndex, strText);
            if (bTrailing && !strTrimmed.IsEmpty())
                EnsureTrailingItem();
        }
        else if (strText != m_strTextBefore)
        {
            m_pListBox->DeleteString(nIndex);
            m_pListBox->InsertString(nIndex, strText);
            m_pListBox->SetCurSel(nIndex);
            OnItemRenamed(nIndex, m_strTextBefore, strText);
        }
    }
    m_strTextBefore.Empty();
    m_bAdding = FALSE;
    m_bCancelled = FALSE;
    m_nEditIndex = -1;
    OnEditEnded();
}
} // namespace tarnwick::workspace
