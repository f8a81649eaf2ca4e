#include <grid/controls/ComboBox.h>

#include <grid/controls/ComboSupport.h>
#include <grid/controls/ComboBoxButton.h>
#include <grid/controls/ComposedStyle.h>
#include <grid/controls/GridCombo.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <toolkit/foundation/ScopedValue.h>

#include <algorithm>
#include <climits>
#include <cwchar>
#include <memory>
#include <utility>

using tarnwick::foundation::SECScopedValue;

namespace
{
constexpr int buttonStrip = 15;
constexpr DWORD defaultListStyle = WS_VSCROLL | LBS_NOTIFY;

BOOL IsWithin(HWND hWnd, HWND hAncestor)
{
    return hWnd != nullptr && (hWnd == hAncestor || ::IsChild(hAncestor, hWnd));
}
} // namespace

IMPLEMENT_DYNAMIC(CGXComboBox, CGXEditControl)

const GXControlClass CGXComboBox::ctlClassCGXComboBox = {"CGXComboBox", &CGXEditControl::ctlClassCGXEditControl};

BEGIN_MESSAGE_MAP(CGXComboBox, CGXEditControl)
ON_MESSAGE(WM_SETFOCUS, OnWndSetFocus)
ON_MESSAGE(WM_SYSKEYDOWN, OnWndSysKeyDown)
ON_MESSAGE(GX_WM_LIST_CHOSEN, OnListChosen)
ON_MESSAGE(GX_WM_LIST_CANCEL, OnListCancel)
ON_MESSAGE(GX_WM_LIST_SELCHANGED, OnListSelChanged)
ON_MESSAGE(GX_WM_LIST_KILLFOCUS, OnListKillFocus)
END_MESSAGE_MAP()

CGXComboBox::CGXComboBox(CGXGridCore* pGrid, UINT nEditID, UINT nListBoxID, UINT nFlags)
    : CGXEditControl(pGrid, nEditID), m_nFlags(nFlags), m_pButton(new CGXComboBoxButton(this)), m_nListBoxID(nListBoxID)
{
    AddChild(m_pButton);
}

CGXComboBox::~CGXComboBox()
{
    if (m_pDropDownWnd != nullptr)
    {
        const auto lock = ScopedGridFocusLock();
        DestroyDropDownWnd(std::exchange(m_pDropDownWnd, nullptr));
    }
}

const GXControlClass* CGXComboBox::GetControlClass() const
{
    return &ctlClassCGXComboBox;
}

CGXChild* CGXComboBox::DropButton() const
{
    return m_pButton;
}

BOOL CGXComboBox::IsIndexMode() const
{
    return (m_nFlags & (flagZeroBased | flagOneBased)) != 0;
}

int CGXComboBox::IndexOffset() const
{
    return (m_nFlags & flagOneBased) != 0 ? 1 : 0;
}

DWORD CGXComboBox::ListBoxStyle()
{
    if (m_dwListBoxStyle == 0)
        m_dwListBoxStyle = defaultListStyle;
    return m_dwListBoxStyle;
}

void CGXComboBox::AddChoiceLines(CListBox* pList, const CString& strChoiceList, BOOL bSkipFirst, int* pCount)
{
    int nLine = 0;
    GXForEachChoiceLine(strChoiceList, [&](const CString& strLine) {
        if (nLine++ > 0 || !bSkipFirst)
            pList->AddString(strLine);
    });
    if (pCount != nullptr)
        *pCount = std::max(0, bSkipFirst ? nLine - 1 : nLine);
}

CString CGXComboBox::ChoiceValue(const CString& strText, const CString& strChoiceList, BOOL& bFound)
{
    CString strItem;
    const int nIndex = FindChoiceItem(strItem, strText, strChoiceList, FALSE);
    bFound = nIndex >= 0;
    if ((m_nFlags & flagDisplayChoice) == 0)
        return bFound ? strItem : strText;
    CString strValue;
    if (bFound)
        strValue.Format(_T("%d"), nIndex + IndexOffset());
    return strValue;
}

// ---- the dropped list ----

CGXGridCombo* CGXComboBox::CreatePopupWnd(const CRect& rect)
{
    return new CGXGridCombo(this, rect);
}

CListBox* CGXComboBox::CreateListBox(CGXGridCombo* pPopup)
{
    CRect rect;
    pPopup->GetClientRect(rect);
    rect.DeflateRect(1, 0);
    auto* pList = new CGXComboListBox(this);
    pList->Create(ListBoxStyle(), rect, pPopup, m_nListBoxID);
    return pList;
}

BOOL CGXComboBox::IsDroppedDown()
{
    return m_pDropDownWnd != nullptr;
}

CGXGridCombo* CGXComboBox::GetDropDownWnd()
{
    return m_pDropDownWnd;
}

CRect CGXComboBox::GetDroppedStateRect(const CRect& rect)
{
    CRect rectDropped = rect;
    const CGXGridParam* pParam = m_pGrid->GetParam();
    rectDropped.bottom += pParam != nullptr ? pParam->m_nDropDownHeight : 100;
    return rectDropped;
}

void CGXComboBox::DestroyDropDownWnd(CGXGridCombo* pPopup)
{
    delete pPopup;
    m_font.DeleteObject();
}

void CGXComboBox::ShowDropDown(BOOL bShow)
{
    if (!bShow)
    {
        if (m_pDropDownWnd != nullptr && GetSafeHwnd() != nullptr)
            SendMessage(GX_WM_LIST_CANCEL);
        return;
    }
    if (m_pDropDownWnd != nullptr || !m_bIsBound || GetSafeHwnd() == nullptr)
        return;
    CWnd* pGridWnd = GetGridWnd();
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    const CGXStyle& style = *LoadStyle();

    // The list lies under the cell, as wide as it, inside the work area of the grid's monitor.
    CRect rectCell = m_pGrid->CalcRectFromRowCol(nRow, nCol);
    pGridWnd->ClientToScreen(rectCell);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(pGridWnd->m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const CRect rectWork(monitor.rcWork);

    m_pGrid->m_bDropDownOpen = TRUE;
    m_pDropDownWnd = CreatePopupWnd(CRect(rectCell.left, rectCell.bottom, rectCell.right, rectCell.bottom + 1));
    CListBox* pList = CreateListBox(m_pDropDownWnd);
    m_pDropDownWnd->SetListBox(pList);

    LOGFONT lf;
    style.GetFont().GetLogFontScaled(lf, m_pGrid->GetZoom());
    lf.lfOrientation = 0;
    lf.lfEscapement = 0;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
    pList->SetFont(&m_font, FALSE);
    if (m_nTextHeight == 0)
    {
        CClientDC dc(pGridWnd);
        CFont* pOld = dc.SelectObject(&m_font);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        m_nTextHeight = tm.tmHeight + tm.tmExternalLeading;
    }
    const CGXProperties* pProperties = m_pGrid->GetProperties();
    if (pProperties != nullptr && pProperties->IsBlackWhiteOutput())
        m_pDropDownWnd->SetColor(RGB(0, 0, 0), RGB(255, 255, 255));
    else
        m_pDropDownWnd->SetColor(style.GetTextColor(), style.GetInterior().GetColor());
    OnFillDroppedList(pList);

    CRect rect = GetDroppedStateRect(CRect(rectCell.left, rectCell.bottom, rectCell.right, rectCell.bottom));
    const int nNeeded = pList->GetCount() * m_nTextHeight + pList->GetItemHeight(0) / 2;
    if (rect.Height() > nNeeded)
        rect.bottom = rect.top + nNeeded;
    // Below the work area the list opens above the cell instead; either way it stays inside.
    if (rect.bottom > rectWork.bottom)
        rect.OffsetRect(0, rectCell.top - rect.bottom);
    if (rect.top < rectWork.top)
        rect.OffsetRect(0, rectWork.top - rect.top);
    if (rect.right > rectWork.right)
        rect.OffsetRect(rectWork.right - rect.right, 0);
    if (rect.left < rectWork.left)
        rect.OffsetRect(rectWork.left - rect.left, 0);
    rect.left -= 1;
    m_pDropDownWnd->MoveWindow(rect, FALSE);
    CRect rectList;
    m_pDropDownWnd->GetClientRect(rectList);
    rectList.DeflateRect(1, 0);
    pList->MoveWindow(rectList, FALSE);
    m_pDropDownWnd->ShowWindow(SW_SHOWNA);
    // The list was filled and placed before it showed: all of it is painted now.
    m_pDropDownWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    {
        const auto lock = ScopedGridFocusLock();
        pList->SetFocus();
    }
}

void CGXComboBox::OnFillDroppedList(CListBox* pList)
{
    const CGXStyle& style = *LoadStyle();
    if (m_bFillWithChoiceList && style.GetInclude(CGXStyle::inclChoiceList))
        AddChoiceLines(pList, style.GetChoiceList(), FALSE, nullptr);
    CString strText;
    if (m_bIsActive)
        GetWindowText(strText);
    else
        strText = style.GetValue();
    if (strText.IsEmpty())
        return;
    const BOOL bExact = (m_nFlags & flagTextFit) != 0 || (m_bIsActive && (m_nFlags & flagDisplayChoice) != 0);
    int nIndex = LB_ERR;
    if (bExact)
        nIndex = pList->FindStringExact(-1, strText);
    else if (IsIndexMode())
    {
        if (!GXParseChoiceIndex(strText, nIndex))
            return;
        nIndex -= IndexOffset();
    }
    if (nIndex == LB_ERR && !IsIndexMode())
    {
        pList->SelectString(-1, strText);
        return;
    }
    if (nIndex >= 0 && nIndex < pList->GetCount())
        pList->SetCurSel(nIndex);
}

void CGXComboBox::OnStoreDroppedList(CListBox* pList)
{
    const int nIndex = pList->GetCurSel();
    if (nIndex == LB_ERR)
        return;
    CString strText;
    if (IsIndexMode())
        strText.Format(_T("%d"), nIndex + IndexOffset());
    else
        pList->GetText(nIndex, strText);
    // Activating may re-create the edit window, which takes the focus: the list gets it back.
    const HWND hFocus = ::GetFocus();
    {
        const SECScopedValue<BOOL> takingChoice(m_bTakingChoice, TRUE);
        SetActive(TRUE);
        SetValue(strText);
        SetSel(0, -1);
        SetModified(TRUE);
        if (::GetFocus() != hFocus && ::IsWindow(hFocus))
        {
            const auto lock = ScopedGridFocusLock();
            ::SetFocus(hFocus);
        }
    }
    if (m_bDrawActiveAsStatic)
        RefreshCell();
    else
        Invalidate();
}

void CGXComboBox::ClosePopup(CWnd* pFocusTo)
{
    CGXGridCombo* pPopup = std::exchange(m_pDropDownWnd, nullptr);
    m_pGrid->m_bDropDownOpen = FALSE;
    const auto lock = ScopedGridFocusLock();
    // The focus leaves the list before it goes, for the edit window or the grid to take.
    if (IsWithin(::GetFocus(), pPopup->GetSafeHwnd()))
        pFocusTo->SetFocus();
    DestroyDropDownWnd(pPopup);
}

LRESULT CGXComboBox::OnListChosen(WPARAM wParam, LPARAM /*lParam*/)
{
    const SECScopedValue<BOOL> inDropDown(m_pGrid->m_bInDropDown, TRUE);
    if (m_pDropDownWnd == nullptr)
        return 0;
    if (!IsReadOnlyCell())
        OnStoreDroppedList(static_cast<CListBox*>(m_pDropDownWnd->GetListBox()));
    ClosePopup(this);
    RequestCommit();
    if (wParam != 0 || ::GetFocus() == GetGridWnd()->GetSafeHwnd())
        SetFocus();
    return 0;
}

LRESULT CGXComboBox::OnListCancel(WPARAM wParam, LPARAM /*lParam*/)
{
    const SECScopedValue<BOOL> inDropDown(m_pGrid->m_bInDropDown, TRUE);
    if (m_pDropDownWnd == nullptr)
        return 0;
    const BOOL bKeepEditing =
        wParam != 0 || (IsWithin(::GetFocus(), m_pDropDownWnd->GetSafeHwnd()) && m_pGrid->m_bKeepEditing);
    ClosePopup(bKeepEditing ? static_cast<CWnd*>(this) : GetGridWnd());
    if (bKeepEditing)
    {
        SetFocus();
        if (IsModified())
            RequestCommit();
    }
    else
    {
        SetActive(FALSE);
        SetModified(FALSE);
        RefreshCell();
    }
    return 0;
}

LRESULT CGXComboBox::OnListSelChanged(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (m_pDropDownWnd == nullptr || IsReadOnlyCell())
        return 0;
    OnStoreDroppedList(static_cast<CListBox*>(m_pDropDownWnd->GetListBox()));
    RequestCommit();
    return 0;
}

LRESULT CGXComboBox::OnListKillFocus(WPARAM wParam, LPARAM lParam)
{
    // The message comes later than the focus change: a list closed since is not the open one,
    // and a list that has the focus again (a kept list dropped anew) did not lose it.
    const HWND hList = m_pDropDownWnd != nullptr ? m_pDropDownWnd->GetListBox()->GetSafeHwnd() : nullptr;
    if (hList == nullptr || hList != reinterpret_cast<HWND>(lParam) || ::GetFocus() == hList)
        return 0;
    HWND hNewFocus = reinterpret_cast<HWND>(wParam);
    if (!::IsWindow(hNewFocus))
        hNewFocus = nullptr;
    CWnd* pNewTop = hNewFocus != nullptr ? CWnd::FromHandlePermanent(::GetAncestor(hNewFocus, GA_ROOT)) : nullptr;
    const BOOL bToComboPopup = hNewFocus == nullptr || dynamic_cast<CGXGridCombo*>(pNewTop) != nullptr;
    if (bToComboPopup)
    {
        SendMessage(GX_WM_LIST_CANCEL);
        return 0;
    }
    CWnd* pGridWnd = GetGridWnd();
    // A press into the grid closes the list through the grid's mouse handling.
    if (IsWithin(hNewFocus, pGridWnd->GetSafeHwnd()))
        return 0;
    const SECScopedValue<BOOL> busy(m_pGrid->m_bDropDownBusy, TRUE);
    pGridWnd->SetFocus();
    SendMessage(GX_WM_LIST_CANCEL);
    ::SetFocus(hNewFocus);
    return 0;
}

LRESULT CGXComboBox::OnWndSetFocus(WPARAM wParam, LPARAM lParam)
{
    if (m_pDropDownWnd != nullptr && !m_bTakingChoice)
        SendMessage(GX_WM_LIST_CANCEL, TRUE);
    return CGXEditControl::OnWndSetFocus(wParam, lParam);
}

LRESULT CGXComboBox::OnWndSysKeyDown(WPARAM wParam, LPARAM lParam)
{
    if (wParam == VK_DOWN)
    {
        DropDownByKey(FALSE);
        return 0;
    }
    return OnWndSysKey(wParam, lParam);
}

BOOL CGXComboBox::DropDownByKey(BOOL bActivate)
{
    if (!RequestEditing())
        return FALSE;
    if (bActivate && !m_bIsActive)
        SetActive(TRUE);
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    if (!m_pGrid->ScrollCellInView(nRow, nCol, GX_UPDATENOW))
        RefreshCell();
    GetGridWnd()->UpdateWindow();
    ShowDropDown(TRUE);
    return TRUE;
}

// ---- the control part ----

void CGXComboBox::SetActive(BOOL bActive)
{
    if (!bActive && m_pDropDownWnd != nullptr && GetSafeHwnd() != nullptr)
        PostMessage(GX_WM_LIST_CANCEL);
    CGXEditControl::SetActive(bActive);
}

void CGXComboBox::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXEditControl::Init(nRow, nCol);
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd != nullptr && pGridWnd->GetSafeHwnd() != nullptr)
    {
        CRect rect;
        pGridWnd->InvalidateRect(m_pButton->GetRect(rect), TRUE);
    }
}

void CGXComboBox::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                       const CGXStyle* pStandardStyle)
{
    if (!(IsActiveAt(nRow, nCol) && m_bIsActive && !m_pGrid->IsPrinting() && m_bDrawActiveAsStatic))
    {
        CGXEditControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        // A cell drawn as text shows its drop button too.
        if (!(IsActiveAt(nRow, nCol) && m_bIsActive))
            CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }
    CGXStyle shown(style);
    CString strText;
    GetStyleValue(strText);
    shown.SetValue(strText);
    CGXStatic::Draw(pDC, rect, nRow, nCol, shown, pStandardStyle);
    CGXControl::Draw(pDC, rect, nRow, nCol, shown, pStandardStyle);
}

void CGXComboBox::Reset()
{
    ShowDropDown(FALSE);
    CGXEditControl::Reset();
}

LRESULT CGXComboBox::OnGridScroll(const MSG& msg)
{
    if (msg.message == WM_HSCROLL || msg.message == WM_VSCROLL)
        ShowDropDown(FALSE);
    return CGXEditControl::OnGridScroll(msg);
}

BOOL CGXComboBox::HasButtonAt(ROWCOL nRow, ROWCOL nCol)
{
    return !m_bButtonOnlyInCurrentCell || m_bAlwaysShowButton || m_pGrid->IsCurrentCell(nRow, nCol);
}

CRect CGXComboBox::GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect,
                                     const CGXStyle* pStyle)
{
    CGXStatic::GetCellClientRect(rectOut, nRow, nCol, pRect, pStyle);
    if (HasButtonAt(nRow, nCol))
        rectOut.right -= buttonStrip;
    return rectOut;
}

CSize CGXComboBox::AddFrameToSize(CSize& size, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle)
{
    size.cx += buttonStrip;
    return CGXStatic::AddFrameToSize(size, pDC, nRow, nCol, pStyle);
}

CSize CGXComboBox::GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection)
{
    const CSize sizeBase = CGXStatic::GetPreferredSize(pDC, nRow, nCol, style, nDirection);
    CSize size = GXMeasureChoices(m_pGrid, pDC, style, m_bFillWithChoiceList);
    AddFrameToSize(size, pDC, nRow, nCol, &style);
    return CSize(std::max(size.cx, sizeBase.cx), std::max(size.cy, sizeBase.cy));
}

void CGXComboBox::LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rectClient)
{
    if (!HasButtonAt(nRow, nCol))
    {
        m_pButton->SetRect(CRect());
        return;
    }
    CRect rect = rectClient;
    rect.right += buttonStrip;
    CRect rectButton(std::max(rect.left + 1, rect.right - 16), rect.top, rect.right - 1, rect.bottom);
    const CGXStyle* pStyle = m_bIsBound && IsActiveAt(nRow, nCol) ? LoadStyle() : nullptr;
    std::unique_ptr<ComposedStyle> composed;
    pStyle = GXStyleOrComposed(m_pGrid, nRow, nCol, pStyle, composed);
    if (m_nTextHeight == 0)
    {
        CClientDC dc(GetGridWnd());
        CFont* pOld = m_pGrid->LoadFont(&dc, *pStyle, nullptr);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        if (pOld != nullptr)
            dc.SelectObject(pOld);
        m_nTextHeight = tm.tmHeight + tm.tmExternalLeading;
    }
    if (m_bSizeButtonToFont)
    {
        const CRect rectRoom(rectButton.left, rect.top + m_nButtonMargin, rectButton.right,
                             rect.bottom - m_nButtonMargin);
        const int nHeight = std::min(m_nTextHeight + 2, rectRoom.Height());
        const int nVAlign = pStyle->GetInclude(CGXStyle::inclVerticalAlignment) ? pStyle->GetVerticalAlignment() : 0;
        int nTop = rectRoom.top;
        if (nVAlign == DT_VCENTER)
            nTop = rectRoom.top + (rectRoom.Height() - nHeight) / 2;
        else if (nVAlign == DT_BOTTOM)
            nTop = rectRoom.bottom - nHeight;
        rectButton.top = nTop;
        rectButton.bottom = nTop + nHeight;
    }
    m_pButton->SetRect(rectButton);
}

BOOL CGXComboBox::GetStyleValue(CString& strText)
{
    if (!CGXEditControl::GetStyleValue(strText))
        return FALSE;
    const CGXStyle* pStyle = m_pStyle;
    if (m_bFillWithChoiceList && (m_nFlags & (flagTextFit | flagDisplayChoice)) != 0 && pStyle != nullptr &&
        pStyle->GetInclude(CGXStyle::inclChoiceList))
    {
        BOOL bFound = FALSE;
        strText = ChoiceValue(strText, pStyle->GetChoiceList(), bFound);
    }
    return TRUE;
}

BOOL CGXComboBox::FormatDisplayText(CString& strOut, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText, const CGXStyle& style)
{
    if ((m_nFlags & flagDisplayChoice) == 0 || !m_bFillWithChoiceList || !style.GetInclude(CGXStyle::inclChoiceList))
        return CGXEditControl::FormatDisplayText(strOut, nRow, nCol, pszText, style);
    const CString strValue = pszText != nullptr ? CString(pszText) : style.GetValue();
    if (strValue.IsEmpty())
    {
        strOut.Empty();
        return FALSE;
    }
    // A value that is no index of a line shows nothing.
    int nIndex = -1;
    CString strItem;
    if (GXParseChoiceIndex(strValue, nIndex))
        GetChoiceItem(strItem, style.GetChoiceList(), nIndex - IndexOffset());
    return CGXEditControl::FormatDisplayText(strOut, nRow, nCol, strItem, style);
}

BOOL CGXComboBox::CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle)
{
    if (m_bFillWithChoiceList && (m_nFlags & (flagTextFit | flagDisplayChoice)) != 0 && !strText.IsEmpty())
    {
        std::unique_ptr<ComposedStyle> composed;
        if (pStyle == nullptr)
        {
            composed = std::make_unique<ComposedStyle>(m_pGrid, nRow, nCol);
            pStyle = composed->m_pStyle;
        }
        // A text that names no choice stores nothing instead of emptying the cell.
        BOOL bFound = FALSE;
        if (pStyle->GetInclude(CGXStyle::inclChoiceList))
            strText = ChoiceValue(strText, pStyle->GetChoiceList(), bFound);
        if (!bFound)
            return FALSE;
    }
    return CGXEditControl::CanStoreValue(nRow, nCol, strText, pStyle);
}

BOOL CGXComboBox::AcceptText(LPCTSTR pszText)
{
    const CString strText(pszText);
    if (strText.IsEmpty() || !m_bFillWithChoiceList || (m_nFlags & (flagTextFit | flagDisplayChoice)) == 0)
        return TRUE;
    const CGXStyle* pStyle = m_bIsBound ? LoadStyle() : nullptr;
    if (pStyle == nullptr || !pStyle->GetInclude(CGXStyle::inclChoiceList))
        return FALSE;
    CString strItem;
    return FindChoiceItem(strItem, strText, pStyle->GetChoiceList(), FALSE) >= 0;
}

BOOL CGXComboBox::ReservedHookA(DWORD /*dwRow*/, DWORD /*dwCol*/, DWORD /*dwMessage*/, DWORD dwPoint)
{
    if (m_pDropDownWnd == nullptr)
        return FALSE;
    // A press on the drop button is left to the button, whose click closes the list.
    const CPoint point(static_cast<short>(LOWORD(dwPoint)), static_cast<short>(HIWORD(dwPoint)));
    CRect rectButton;
    if (m_pButton->GetRect(rectButton).PtInRect(point))
        return FALSE;
    SendMessage(GX_WM_LIST_CANCEL, TRUE);
    return TRUE;
}

BOOL CGXComboBox::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!m_bDrawActiveAsStatic || nChar != 0x28)
        return CGXEditControl::OnChar(nChar, nRepCnt, nFlags);
    const CGXStyle* pStyle = LoadStyle();
    CString strItem;
    if (pStyle != nullptr && pStyle->GetInclude(CGXStyle::inclChoiceList) &&
        FindChoiceItem(strItem, CString(static_cast<TCHAR>(nChar)), pStyle->GetChoiceList(), FALSE) >= 0)
        StoreText(strItem);
    return TRUE;
}

BOOL CGXComboBox::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_DOWN)
        return DropDownByKey(TRUE);
    return CGXControl::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void CGXComboBox::SetCellText(const CString& strText)
{
    if (!m_bIsActive)
    {
        CGXEditControl::SetCellText(strText);
        return;
    }
    if (IsReadOnlyCell())
        return;
    ReplaceSel(strText, TRUE);
    SetModified(TRUE);
    RequestCommit();
}

BOOL CGXComboBox::OnChildClicked(CGXChild* pChild)
{
    if (!m_bIsActive)
    {
        if (!RequestEditing())
            return FALSE;
        SetActive(TRUE);
        RefreshCell();
    }
    GetGridWnd()->UpdateWindow();
    ShowDropDown(!IsDroppedDown());
    return CGXEditControl::OnChildClicked(pChild);
}

// ---- the list window ----

BEGIN_MESSAGE_MAP(CGXComboListBox, CListBox)
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_SYSKEYDOWN()
ON_WM_SYSKEYUP()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CGXComboListBox::CGXComboListBox(CWnd* pOwner) : m_pOwner(pOwner)
{
}

BOOL CGXComboListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CWnd* pWnd = this;
    return pWnd->Create(_T("ComboLBox"), nullptr, dwStyle | WS_CHILD | WS_VISIBLE | WS_BORDER, rect, pParentWnd, nID);
}

void CGXComboListBox::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    m_bKeyUsed = TRUE;
    if (m_nKeyRepeats++ == 0)
        m_nSelAtKey = GetCurSel();
    m_bAlphaNumericKey = (nChar >= '0' && nChar <= '9') || (nChar >= 'A' && nChar <= 'Z');
    Default();
}

void CGXComboListBox::OnKeyUp(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (!m_bKeyUsed)
    {
        Default();
        return;
    }
    m_bKeyUsed = FALSE;
    m_nKeyRepeats = 0;
    CWnd* pOwner = m_pOwner;
    HWND hOwner = pOwner->GetSafeHwnd();
    // The choice is taken before the Tab key reaches the edit window; the list may be gone
    // once a message to the owner returns, and the edit window may have been made anew.
    switch (nChar)
    {
    case VK_TAB:
        GXTakeChoiceAndTab(pOwner);
        return;
    case VK_RETURN:
        ::SendMessage(hOwner, GX_WM_LIST_CHOSEN, 0, 0);
        return;
    case VK_ESCAPE:
        ::SendMessage(hOwner, GX_WM_LIST_CANCEL, 0, 0);
        return;
    default:
        if (GetCurSel() != m_nSelAtKey)
        {
            m_nSelAtKey = GetCurSel();
            ::SendMessage(hOwner, GX_WM_LIST_SELCHANGED, 0, 0);
        }
        return;
    }
}

void CGXComboListBox::OnSysKeyDown(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    m_bKeyUsed = TRUE;
}

void CGXComboListBox::OnSysKeyUp(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (!GXCloseOnAltDown(m_bKeyUsed, nChar, m_pOwner, GX_WM_LIST_CANCEL))
        Default();
}

void CGXComboListBox::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    m_bLButtonDown = TRUE;
    m_nSelAtKey = GetCurSel();
    Default();
}

void CGXComboListBox::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    Default();
    const BOOL bPressed = std::exchange(m_bLButtonDown, FALSE);
    if (bPressed && GetCurSel() != LB_ERR)
        m_pOwner->SendMessage(GX_WM_LIST_CHOSEN);
}

void CGXComboListBox::OnKillFocus(CWnd* pNewWnd)
{
    Default();
    m_pOwner->PostMessage(GX_WM_LIST_KILLFOCUS, reinterpret_cast<WPARAM>(pNewWnd->GetSafeHwnd()),
                          reinterpret_cast<LPARAM>(m_hWnd));
}
