#include <grid/controls/ListBox.h>

#include <grid/controls/SelectedFont.h>
#include <grid/core/Color.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>

#include <algorithm>
#include <vector>

namespace
{
constexpr DWORD listBoxStyle = WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY;
static_assert(listBoxStyle == 0x300001);
constexpr UINT gridDialogCodes = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
static_assert(gridDialogCodes == 0x83);
constexpr int nLineIndent = 2;

// Keys the active list leaves to the grid: they move the current cell or act on it.
BOOL IsGridKey(UINT nChar)
{
    switch (nChar)
    {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_DELETE:
        return TRUE;
    default:
        return nChar >= VK_F1 && nChar <= VK_F24;
    }
}

std::vector<CString> ChoiceLines(const CGXStyle& style)
{
    std::vector<CString> lines;
    if (!style.GetInclude(CGXStyle::inclChoiceList))
        return lines;
    const CString strChoices = style.GetChoiceList();
    int nStart = 0;
    while (nStart <= strChoices.GetLength())
    {
        int nEnd = strChoices.Find(_T('\n'), nStart);
        if (nEnd < 0)
            nEnd = strChoices.GetLength();
        lines.push_back(strChoices.Mid(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    if (!lines.empty() && lines.back().IsEmpty())
        lines.pop_back();
    return lines;
}

} // namespace

IMPLEMENT_DYNAMIC(CGXListBox, CListBox)

const GXControlClass CGXListBox::ctlClassCGXListBox = {"CGXListBox", &CGXStatic::classCGXStatic};

BEGIN_MESSAGE_MAP(CGXListBox, CListBox)
ON_MESSAGE(WM_KEYDOWN, OnWndKeyDown)
ON_MESSAGE(WM_KEYUP, OnWndPassFirst)
ON_MESSAGE(WM_CHAR, OnWndPassFirst)
ON_MESSAGE(WM_SYSKEYDOWN, OnWndPassFirst)
ON_MESSAGE(WM_SYSKEYUP, OnWndPassFirst)
ON_MESSAGE(WM_SYSCHAR, OnWndPassFirst)
ON_MESSAGE(WM_KILLFOCUS, OnWndKillFocus)
ON_MESSAGE(WM_ERASEBKGND, OnWndEraseBkgnd)
ON_MESSAGE(WM_GETDLGCODE, OnWndGetDlgCode)
END_MESSAGE_MAP()

CGXListBox::CGXListBox(CGXGridCore* pGrid, UINT nID) : CGXWindowControl(pGrid), m_nID(nID)
{
}

CGXListBox::~CGXListBox()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

CGXControl* CGXListBox::Create(CGXGridCore* pGrid)
{
    return new CGXListBox(pGrid, GX_IDS_CTRL_LISTBOX);
}

const GXControlClass* CGXListBox::GetControlClass() const
{
    return &ctlClassCGXListBox;
}

BOOL CGXListBox::CreateControl()
{
    return CreateEx(0, _T("GXLISTBOX"), nullptr, listBoxStyle | WS_CHILD, CRect(), GetGridWnd(), m_nID);
}

void CGXListBox::FillFromStyle()
{
    const CGXStyle& style = *LoadStyle();
    ResetContent();
    for (const CString& strLine : ChoiceLines(style))
        AddString(strLine);
    CString strText;
    FormatDisplayText(strText, static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), nullptr, style);
    if (!strText.IsEmpty())
        SelectString(-1, strText);
}

void CGXListBox::SetActive(BOOL bActive)
{
    SetWindowControlActive(m_bIsActive, bActive, GetSafeHwnd() != nullptr, TRUE);
}

void CGXListBox::SetModified(BOOL bModified)
{
    m_bModified = bModified;
}

BOOL CGXListBox::IsModified()
{
    return m_bModified;
}

void CGXListBox::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXStatic::Init(nRow, nCol);
    if (GetSafeHwnd() == nullptr)
        CreateControl();
    LoadStyle();
    SetActive(FALSE);
    SetModified(FALSE);
}

CString CGXListBox::SelectedLine() const
{
    CString strLine;
    const int nSel = GetSafeHwnd() != nullptr ? GetCurSel() : LB_ERR;
    if (nSel != LB_ERR)
        GetText(nSel, strLine);
    return strLine;
}

void CGXListBox::GetCurrentText(CString& strText)
{
    if (m_bIsActive)
        strText = SelectedLine();
    else
        CGXStatic::GetCurrentText(strText);
}

BOOL CGXListBox::StoreText(const CString& strText)
{
    if (!IsBoundToCell() || GetSafeHwnd() == nullptr || !AcceptText(strText) || IsReadOnlyCell())
        return FALSE;
    if (!m_bIsActive)
    {
        SetActive(TRUE);
        FillFromStyle();
    }
    if (FindString(-1, strText) == LB_ERR)
        return FALSE;
    SelectString(-1, strText);
    SetModified(TRUE);
    RequestCommit();
    return TRUE;
}

BOOL CGXListBox::StoreEditedValue()
{
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    if (IsReadOnlyCell())
    {
        Init(nRow, nCol);
        SetModified(FALSE);
        RefreshCell();
    }
    const BOOL bStore = m_pStyle != nullptr && m_bModified;
    const CString strLine = SelectedLine();
    SetActive(FALSE);
    if (!bStore)
        return TRUE;
    SetModified(FALSE);
    return m_pGrid->SetValueRange(CGXRange(nRow, nCol), strLine, CGXStyle::modeOverride, GX_INVALIDATE);
}

CSize CGXListBox::AddFrameToSize(CSize& size, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle)
{
    const int b = std::max(2, ::GetSystemMetrics(SM_CXFRAME) / 2);
    size.cx += b + b / 2;
    return CGXControl::AddFrameToSize(size, pDC, nRow, nCol, pStyle);
}

CSize CGXListBox::GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int /*nDirection*/)
{
    const CGXSelectedFont font(pDC, m_pGrid->LoadFont(pDC, style, nullptr));
    int nWidth = 0;
    int nHeight = 0;
    for (const CString& strLine : ChoiceLines(style))
    {
        const CSize extent = pDC->GetTextExtent(strLine);
        nWidth = std::max(nWidth, static_cast<int>(extent.cx));
        nHeight += extent.cy;
    }
    CSize size(nWidth + 4, nHeight + 4);
    return AddFrameToSize(size, pDC, nRow, nCol, &style);
}

void CGXListBox::HideControl()
{
    if (GetSafeHwnd() == nullptr || !IsWindowVisible())
        return;
    const auto lock = ScopedGridFocusLock();
    ::HideCaret(m_hWnd);
    MoveWindow(0, 0, 0, 0, FALSE);
    ShowWindow(SW_HIDE);
}

int CGXListBox::LinesToSkip(int nSelected, int nLineHeight, int nHeight)
{
    if (nSelected < 0 || nLineHeight <= 0)
        return 0;
    const int nFit = std::max(1, nHeight / nLineHeight);
    return std::max(0, nSelected + 1 - nFit);
}

void CGXListBox::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                      const CGXStyle* pStandardStyle)
{
    if (IsActiveAt(nRow, nCol) && m_bIsActive && !m_pGrid->IsPrinting() && GetSafeHwnd() != nullptr)
        DrawLive(pDC, rect, nRow, nCol, style, pStandardStyle);
    else if (rect.Width() >= 2 && rect.Height() >= 2)
        DrawLines(pDC, rect, nRow, nCol, style, pStandardStyle);
}

// Redrawing the live window neither marks the cell changed nor takes back a pick not yet
// stored: the list is filled from the cell only while nothing was picked.
void CGXListBox::DrawLive(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                          const CGXStyle* pStandardStyle)
{
    HideControl();
    const CGXStyle& cached = *LoadStyle();
    CreateCellFont(m_font, pDC, cached);
    const CGXProperties* pProperties = m_pGrid->GetProperties();
    m_rgbWindowBack = pProperties != nullptr && pProperties->IsBlackWhiteOutput()
                          ? RGB(255, 255, 255)
                          : GXResolveColor(cached.GetInterior().GetColor());
    DrawBackground(pDC, rect, cached, TRUE);
    CRect rectInner;
    GetCellClientRect(rectInner, nRow, nCol, &rect, &cached);
    if (TextAlignment(cached) & DT_RIGHT)
        ++rectInner.right;
    MoveWindow(rectInner, FALSE);
    SetFont(&m_font, FALSE);
    SetActive(TRUE);
    if (!m_bModified)
        FillFromStyle();
    MoveWindow(rectInner, FALSE);
    ShowWindow(SW_SHOW);
    const BOOL bRowAbove = nRow > m_pGrid->GetFrozenRows() && m_pGrid->GetTopRow() > nRow;
    const BOOL bColLeft = nCol > m_pGrid->GetFrozenCols() && m_pGrid->GetLeftCol() > nCol;
    CRect rectClip;
    if ((bRowAbove || bColLeft) && pDC->GetClipBox(rectClip) != ERROR)
        RepaintClipBoxOnly(this, rect, rectClip);
    UpdateWindow();
    TakeFocusFromGrid(this);
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
    AddRectToGridList(rectInner);
}

void CGXListBox::DrawLines(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                           const CGXStyle* pStandardStyle)
{
    const CGXSelectedFont font(pDC, m_pGrid->LoadFont(pDC, style, pStandardStyle));
    const CGXProperties* pProperties = m_pGrid->GetProperties();
    const BOOL bBlackWhite = pProperties != nullptr && pProperties->IsBlackWhiteOutput();
    DrawBackground(pDC, rect, style, FALSE);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(bBlackWhite ? RGB(0, 0, 0) : GXResolveColor(style.GetTextColor()));
    pDC->SetBkColor(bBlackWhite ? RGB(255, 255, 255) : GXResolveColor(style.GetInterior().GetColor()));

    CRect rectInner;
    GetCellClientRect(rectInner, nRow, nCol, &rect, &style);
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    const int nLineHeight = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
    const UINT nFormat = TextAlignment(style) | DT_SINGLELINE;
    const std::vector<CString> lines = ChoiceLines(style);
    const CString strValue = style.GetInclude(CGXStyle::inclValue) ? style.GetValue() : CString();
    const auto itSelected = std::find(lines.begin(), lines.end(), strValue);
    const int nSelected = itSelected != lines.end() ? static_cast<int>(itSelected - lines.begin()) : -1;
    int y = rect.top;
    for (int i = LinesToSkip(nSelected, nLineHeight, rect.Height()); i < static_cast<int>(lines.size()); ++i)
    {
        const CRect rectLine(rectInner.left + nLineIndent, y, rectInner.right, y + nLineHeight);
        DrawingAndFormattingInstance()->DrawTextPlain(pDC, lines[i], lines[i].GetLength(), rectLine, nFormat, rect);
        if (i == nSelected)
            GXInvertRect(pDC, rectLine, &rect);
        y += nLineHeight;
        if (y + nLineHeight > rect.bottom)
            break;
    }
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

void CGXListBox::ActivateAndClick(CPoint point)
{
    if (!RequestEditing())
        return;
    SetActive(TRUE);
    RefreshCell();
    CRect rectCell;
    GetCellClientRect(rectCell, static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol));
    const LPARAM lPoint = MAKELPARAM(point.x - rectCell.left, point.y - rectCell.top);
    PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    PostMessage(WM_LBUTTONUP, 0, lPoint);
}

BOOL CGXListBox::OnLButtonUp(UINT nFlags, CPoint point)
{
    const CGXGridParam* pParam = m_pGrid->GetParam();
    const WORD wActivate = pParam != nullptr ? pParam->m_wActivateCell : 0;
    if ((nFlags & MK_RBUTTON) != 0 || (wActivate & GX_ACTIVATEONRELEASE) == 0 || !IsBoundToCell())
        return TRUE;
    ActivateAndClick(point);
    CGXStatic::OnLButtonUp(nFlags, point);
    return TRUE;
}

BOOL CGXListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const CGXGridParam* pParam = m_pGrid->GetParam();
    if (!m_bIsActive && IsBoundToCell() && pParam != nullptr && (pParam->m_wActivateCell & GX_ACTIVATEONDBLCLK) != 0)
        return OnLButtonUp(nFlags, point);
    return CGXStatic::OnLButtonDblClk(nFlags, point);
}

BOOL CGXListBox::OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    LoadStyle();
    if (nMessage != WM_KEYDOWN)
        return FALSE;
    if (RequestEditing())
    {
        SetActive(TRUE);
        CGXStatic::OnKeyMessage(nMessage, nChar, nRepCnt, nFlags);
        if (!m_pGrid->ScrollCellInView(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), GX_UPDATENOW, FALSE))
            RefreshCell();
    }
    return TRUE;
}

BOOL CGXListBox::OnGridCommand(WORD wCommand, HWND hWnd)
{
    if (GetSafeHwnd() == nullptr || hWnd != m_hWnd || wCommand != LBN_SELCHANGE || IsReadOnlyCell())
        return FALSE;
    SetModified(TRUE);
    RequestCommit();
    return FALSE;
}

// ---- window messages ----

LRESULT CGXListBox::OnWndKeyDown(WPARAM wParam, LPARAM lParam)
{
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    m_pGrid->ScrollCellInView(nRow, nCol, GX_UPDATENOW, FALSE);
    const UINT nChar = static_cast<UINT>(wParam);
    if (::GetKeyState(VK_CONTROL) < 0 || IsGridKey(nChar))
    {
        m_pGrid->ProcessKeys(this, WM_KEYDOWN, nChar, LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
    return Default();
}

LRESULT CGXListBox::OnWndPassFirst(WPARAM wParam, LPARAM lParam)
{
    const UINT nMessage = GetCurrentMessage()->message;
    if (m_pGrid->ProcessKeys(this, nMessage, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
        return 0;
    return Default();
}

LRESULT CGXListBox::OnWndKillFocus(WPARAM wParam, LPARAM /*lParam*/)
{
    const LRESULT lResult = Default();
    SetFocusToGridIfNeeded(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
    return lResult;
}

LRESULT CGXListBox::OnWndEraseBkgnd(WPARAM wParam, LPARAM /*lParam*/)
{
    EraseControlWindow(this, reinterpret_cast<HDC>(wParam));
    return TRUE;
}

LRESULT CGXListBox::OnWndGetDlgCode(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return Default() | gridDialogCodes;
}
