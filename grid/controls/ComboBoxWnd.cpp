#include <grid/controls/ComboBoxWnd.h>

#include <grid/controls/ComboSupport.h>
#include <grid/controls/ComboBoxButton.h>
#include <grid/controls/ComposedStyle.h>
#include <grid/controls/EditControl.h>
#include <grid/core/AppData.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/FindReplaceState.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/KeyState.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>

#include <algorithm>
#include <climits>
#include <cwchar>
#include <memory>

namespace
{
constexpr int buttonStrip = 15;
constexpr int buttonRoom = 19;
constexpr int maxDroppedRows = 8;
constexpr UINT kindMask = 0x3;

WORD ActivationFlags(CGXGridCore* pGrid)
{
    const CGXGridParam* pParam = pGrid->GetParam();
    return pParam != nullptr ? pParam->m_wActivateCell : 0;
}

} // namespace

// ---- the edit box ----

BEGIN_MESSAGE_MAP(CGXComboEditPart, CEdit)
ON_WM_KILLFOCUS()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CGXComboEditPart::CGXComboEditPart(CGXComboBoxWnd* pCombo) : m_pCombo(pCombo)
{
}

void CGXComboEditPart::OnKillFocus(CWnd* pNewWnd)
{
    Default();
    HWND hNew = pNewWnd->GetSafeHwnd();
    HWND hCombo = m_pCombo->GetSafeHwnd();
    if (hNew != hCombo && !::IsChild(hCombo, hNew))
        m_pCombo->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(hNew));
}

void CGXComboEditPart::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!m_pCombo->ProcessEditKey(nChar, nRepCnt, nFlags))
        Default();
}

// ---- the control ----

IMPLEMENT_DYNAMIC(CGXComboBoxWnd, CComboBox)

const GXControlClass CGXComboBoxWnd::ctlClassCGXComboBoxWnd = {"CGXComboBoxWnd", &CGXStatic::classCGXStatic};

BEGIN_MESSAGE_MAP(CGXComboBoxWnd, CComboBox)
ON_WM_ERASEBKGND()
ON_WM_KILLFOCUS()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CGXComboBoxWnd::CGXComboBoxWnd(CGXGridCore* pGrid)
    : CGXWindowControl(pGrid), m_nMargin(GXGetAppDataPtr()->m_bWin4 ? 3 : 2), m_editPart(this),
      m_rgbHighlightText(::GetSysColor(COLOR_HIGHLIGHTTEXT))
{
}

CGXComboBoxWnd::~CGXComboBoxWnd()
{
    if (m_editPart.GetSafeHwnd() != nullptr)
        m_editPart.UnsubclassWindow();
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CGXComboBoxWnd::CreateWithStyle(DWORD dwStyle, UINT nID)
{
    m_pButton = new CGXComboBoxWndButton(this);
    AddChild(m_pButton);
    CWnd* pWnd = this;
    const BOOL bCreated =
        pWnd->Create(_T("GXCOMBOBOX"), nullptr, (dwStyle | WS_CHILD) & ~WS_VISIBLE, CRect(), GetGridWnd(), nID);
    if (bCreated)
    {
        if (CWnd* pEdit = GetWindow(GW_CHILD); pEdit != nullptr && (dwStyle & kindMask) != CBS_DROPDOWNLIST)
            m_editPart.SubclassWindow(pEdit->m_hWnd);
    }
    m_bTextOperations = (dwStyle & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) == 0;
    return bCreated;
}

const GXControlClass* CGXComboBoxWnd::GetControlClass() const
{
    return &ctlClassCGXComboBoxWnd;
}

UINT CGXComboBoxWnd::ComboKind() const
{
    return GetSafeHwnd() != nullptr ? (GetStyle() & kindMask) : CBS_DROPDOWNLIST;
}

BOOL CGXComboBoxWnd::IsDroppedDown() const
{
    return GetSafeHwnd() != nullptr && GetDroppedState();
}

BOOL CGXComboBoxWnd::IsIndexMode() const
{
    return m_nIndexValue != -1;
}

BOOL CGXComboBoxWnd::ShowsButtonInOtherCells() const
{
    return m_bButtonEverywhere || !m_bButtonInCurrentCellOnly;
}

CRect CGXComboBoxWnd::AdjustComboRect(const CRect& rect)
{
    return rect;
}

// ---- selection and text ----

void CGXComboBoxWnd::GetComboText(CString& strText)
{
    strText.Empty();
    if (GetSafeHwnd() == nullptr)
        return;
    if (ComboKind() == CBS_DROPDOWN)
    {
        GetWindowText(strText);
        if (!strText.IsEmpty())
            return;
    }
    const int nSel = GetCurSel();
    if (nSel != CB_ERR)
        GetLBText(nSel, strText);
}

void CGXComboBoxWnd::GetSelRange(int& nStart, int& nEnd)
{
    if (ComboKind() == CBS_DROPDOWNLIST || GetSafeHwnd() == nullptr)
    {
        nStart = m_nSavedSelStart;
        nEnd = m_nSavedSelEnd;
        return;
    }
    const DWORD dwSel = GetEditSel();
    nStart = std::max(0, static_cast<int>(static_cast<short>(LOWORD(dwSel))));
    nEnd = HIWORD(dwSel);
}

void CGXComboBoxWnd::SetSelRange(int nStart, int nEnd)
{
    if (ComboKind() == CBS_DROPDOWNLIST || GetSafeHwnd() == nullptr)
    {
        m_nSavedSelStart = nStart;
        m_nSavedSelEnd = nEnd;
        return;
    }
    SetEditSel(nStart, nEnd);
}

// ---- activation ----

void CGXComboBoxWnd::SetActive(BOOL bActive)
{
    if (bActive && GetSafeHwnd() == nullptr)
        return;
    if (bActive && !m_bIsActive)
    {
        m_bIsActive = TRUE;
        FreeStyle(FALSE);
        LoadStyle();
        return;
    }
    m_bIsActive = bActive;
}

void CGXComboBoxWnd::SetModified(BOOL bModified)
{
    m_bModified = bModified;
}

BOOL CGXComboBoxWnd::IsModified()
{
    return m_bModified;
}

BOOL CGXComboBoxWnd::ActivateForEditing()
{
    if (!m_bIsActive)
    {
        if (!RequestEditing())
            return FALSE;
        SetActive(TRUE);
    }
    return TRUE;
}

void CGXComboBoxWnd::ScrollInViewOrRefresh()
{
    if (!m_pGrid->ScrollCellInView(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), GX_UPDATENOW))
        RefreshCell();
}

void CGXComboBoxWnd::Init(ROWCOL nRow, ROWCOL nCol)
{
    m_nTextHeight = 0;
    CGXStatic::Init(nRow, nCol);
    m_nSavedSelStart = 0;
    m_nSavedSelEnd = -1;
    m_bDropPending = FALSE;
    SetSelRange(0, -1);
    SetActive(FALSE);
    const CGXStyle& style = *LoadStyle();
    if (GetSafeHwnd() != nullptr)
        LoadChoices(style);
    SetValue(style.GetValue());
    if ((ActivationFlags(m_pGrid) & GX_ACTIVATEONCURRENT) != 0 && RequestEditing())
        SetActive(TRUE);
    SetModified(FALSE);
    if (!m_bIsActive && m_pButton != nullptr && GetGridWnd()->GetSafeHwnd() != nullptr)
    {
        CRect rect;
        GetGridWnd()->InvalidateRect(m_pButton->GetRect(rect), TRUE);
    }
}

void CGXComboBoxWnd::LoadChoices(const CGXStyle& style)
{
    if (!m_bFillWithChoiceList)
        return;
    ResetContent();
    if (style.GetInclude(CGXStyle::inclChoiceList))
        GXForEachChoiceLine(style.GetChoiceList(), [this](const CString& strLine) { AddString(strLine); });
}

BOOL CGXComboBoxWnd::StoreEditedValue()
{
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    if (m_bIsBound && IsReadOnlyCell())
    {
        Init(nRow, nCol);
        SetModified(FALSE);
        RefreshCell();
    }
    CString strText;
    if (m_pStyle == nullptr || !m_bModified || !GetStyleValue(strText))
        return TRUE;
    SetActive(FALSE);
    return m_pGrid->SetValueRange(CGXRange(nRow, nCol), strText, 0, GX_INVALIDATE);
}

// ---- values and texts ----

void CGXComboBoxWnd::GetCurrentText(CString& strText)
{
    strText.Empty();
    if (m_bIsBound)
        GetComboText(strText);
}

BOOL CGXComboBoxWnd::StoreText(const CString& strText)
{
    if (!m_bIsBound || GetSafeHwnd() == nullptr)
        return FALSE;
    if (!m_bIsActive)
        SetActive(TRUE);
    if (!AcceptText(strText))
        return FALSE;
    if (ComboKind() == CBS_DROPDOWN)
        SetWindowText(strText);
    else
        SelectString(-1, strText);
    SetModified(TRUE);
    RequestCommit();
    return TRUE;
}

BOOL CGXComboBoxWnd::GetStyleValue(CString& strText)
{
    strText.Empty();
    if (!m_bIsBound)
        return FALSE;
    if (!IsIndexMode())
    {
        GetComboText(strText);
        return TRUE;
    }
    const int nSel = GetSafeHwnd() != nullptr ? GetCurSel() : CB_ERR;
    if (nSel != CB_ERR)
        strText.Format(_T("%d"), nSel + m_nIndexValue);
    return TRUE;
}

void CGXComboBoxWnd::SetValue(LPCTSTR pszText)
{
    if (GetSafeHwnd() == nullptr)
        return;
    const CString strValue(pszText != nullptr ? pszText : _T(""));
    int nSel = CB_ERR;
    if (!strValue.IsEmpty())
    {
        if (!IsIndexMode())
        {
            nSel = FindStringExact(-1, strValue);
            if (nSel != CB_ERR)
                SetCurSel(nSel);
            else
                nSel = SelectString(-1, strValue);
        }
        else
        {
            int nNumber = 0;
            nSel = GXParseChoiceIndex(strValue, nNumber) ? SetCurSel(nNumber - m_nIndexValue) : SetCurSel(-1);
        }
    }
    if (nSel == CB_ERR)
    {
        if (ComboKind() == CBS_DROPDOWN)
        {
            SetWindowText(strValue);
            SetSelRange(0, -1);
        }
        else
            SetCurSel(-1);
    }
}

BOOL CGXComboBoxWnd::FormatDisplayText(CString& strOut, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText,
                                       const CGXStyle& style)
{
    if (!IsIndexMode() || !m_bDispChoice || !m_bFillWithChoiceList || !style.GetInclude(CGXStyle::inclChoiceList))
        return CGXStatic::FormatDisplayText(strOut, nRow, nCol, pszText, style);
    const CString strValue = pszText != nullptr ? CString(pszText) : style.GetValue();
    if (strValue.IsEmpty())
    {
        strOut.Empty();
        return FALSE;
    }
    // A value that is no number of a line shows nothing.
    int nNumber = 0;
    CString strItem;
    if (GXParseChoiceIndex(strValue, nNumber))
        GetChoiceItem(strItem, style.GetChoiceList(), nNumber - m_nIndexValue);
    return CGXStatic::FormatDisplayText(strOut, nRow, nCol, strItem, style);
}

BOOL CGXComboBoxWnd::StoreValue(ROWCOL nRow, ROWCOL nCol, const CString& strText, const CGXStyle* pStyle)
{
    if (strText.IsEmpty() && ComboKind() == CBS_DROPDOWNLIST)
        return TRUE;
    return CGXStatic::StoreValue(nRow, nCol, strText, pStyle);
}

BOOL CGXComboBoxWnd::CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle)
{
    if (!m_bFillWithChoiceList || !(IsIndexMode() || m_bDispChoice) || strText.IsEmpty())
        return CGXStatic::CanStoreValue(nRow, nCol, strText, pStyle);
    std::unique_ptr<ComposedStyle> composed;
    pStyle = GXStyleOrComposed(m_pGrid, nRow, nCol, pStyle, composed);
    if (!pStyle->GetInclude(CGXStyle::inclChoiceList))
        return FALSE;
    // A text that names no choice stores nothing instead of emptying the cell.
    CString strItem;
    const int nIndex = FindChoiceItem(strItem, strText, pStyle->GetChoiceList(), FALSE);
    if (nIndex < 0)
        return FALSE;
    if (m_bDispChoice)
        strText.Format(_T("%d"), nIndex + std::max(0, m_nIndexValue));
    else
        strText = strItem;
    return CGXStatic::CanStoreValue(nRow, nCol, strText, pStyle);
}

BOOL CGXComboBoxWnd::AcceptText(LPCTSTR pszText)
{
    const CString strText(pszText);
    if (strText.IsEmpty() || !(m_bFillWithChoiceList && IsIndexMode() && m_bDispChoice))
        return TRUE;
    const CGXStyle* pStyle = m_bIsBound ? LoadStyle() : nullptr;
    if (pStyle == nullptr || !pStyle->GetInclude(CGXStyle::inclChoiceList) || pStyle->GetChoiceList().IsEmpty())
        return FALSE;
    CString strItem;
    return FindChoiceItem(strItem, strText, pStyle->GetChoiceList(), FALSE) >= 0;
}

// ---- sizes and drawing ----

CRect CGXComboBoxWnd::GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect,
                                        const CGXStyle* pStyle)
{
    CGXStatic::GetCellClientRect(rectOut, nRow, nCol, pRect, pStyle);
    if (m_pGrid->IsCurrentCell(nRow, nCol))
    {
        if (m_bIsActive && IsActiveAt(nRow, nCol))
            return rectOut;
        rectOut.right -= buttonStrip;
        rectOut.left += 2;
        return rectOut;
    }
    rectOut.left += 2;
    if (ShowsButtonInOtherCells())
        rectOut.right -= buttonStrip;
    return rectOut;
}

CSize CGXComboBoxWnd::AddFrameToSize(CSize& size, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle)
{
    size.cx += buttonRoom;
    return CGXStatic::AddFrameToSize(size, pDC, nRow, nCol, pStyle);
}

CSize CGXComboBoxWnd::GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection)
{
    if (GetSafeHwnd() != nullptr && (GetStyle() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0)
        return CSize(0, 0);
    const CSize sizeBase = CGXStatic::GetPreferredSize(pDC, nRow, nCol, style, nDirection);
    CSize size = GXMeasureChoices(m_pGrid, pDC, style, m_bFillWithChoiceList);
    size.cy += m_bMarginsInHeight ? 1 + 2 * m_nMargin : 1;
    AddFrameToSize(size, pDC, nRow, nCol, &style);
    return CSize(std::max(size.cx, sizeBase.cx), std::max(size.cy, sizeBase.cy));
}

int CGXComboBoxWnd::TextHeight(const CGXStyle& style)
{
    if (m_nTextHeight == 0)
    {
        CClientDC dc(GetGridWnd());
        CFont* pOld = m_pGrid->LoadFont(&dc, style, nullptr);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        if (pOld != nullptr)
            dc.SelectObject(pOld);
        m_nTextHeight = tm.tmHeight + tm.tmExternalLeading;
    }
    return m_nTextHeight;
}

void CGXComboBoxWnd::LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rectClient)
{
    if (m_pButton == nullptr)
        return;
    // The client rectangle lacks the button's room; the button stands at the cell's right edge.
    CRect rect = rectClient;
    rect.left -= 2;
    rect.right += buttonStrip;
    CRect rectButton(std::max(rect.right - 16, rect.left + 1), rect.top, rect.right - 1, rect.bottom);
    if (m_bSizeToFont)
    {
        const CGXStyle* pStyle = m_bIsBound && IsActiveAt(nRow, nCol) ? LoadStyle() : nullptr;
        std::unique_ptr<ComposedStyle> composed;
        if (pStyle == nullptr && m_bButtonEverywhere)
        {
            composed = std::make_unique<ComposedStyle>(m_pGrid, nRow, nCol);
            pStyle = composed->m_pStyle;
        }
        if (pStyle != nullptr)
        {
            const int nHeight = std::min(TextHeight(*pStyle) + 2, rect.Height() - 2 * m_nMargin);
            const int nVAlign =
                pStyle->GetInclude(CGXStyle::inclVerticalAlignment) ? pStyle->GetVerticalAlignment() : 0;
            if (nVAlign == DT_VCENTER)
                rectButton.top = rect.top + (rect.Height() - nHeight) / 2 - m_nMargin;
            else if (nVAlign == DT_BOTTOM)
                rectButton.top = rect.bottom - nHeight - 2 * m_nMargin;
            rectButton.bottom = rectButton.top + nHeight + 2 * m_nMargin;
        }
    }
    m_pButton->SetRect(rectButton);
}

void CGXComboBoxWnd::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                          const CGXStyle* pStandardStyle)
{
    const BOOL bOwnerDrawn = GetSafeHwnd() != nullptr && (GetStyle() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
    if (!(IsActiveAt(nRow, nCol) && m_bIsActive && !m_pGrid->IsPrinting() && GetSafeHwnd() != nullptr))
    {
        if (m_bSizeToFont)
            TextHeight(style);
        if (!bOwnerDrawn)
        {
            CGXStatic::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
            CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
            return;
        }
        CRect rectItem;
        GetCellClientRect(rectItem, nRow, nCol, &rect, &style);
        int nIndex = 0;
        if (style.GetInclude(CGXStyle::inclValue) && !style.GetValue().IsEmpty())
            GXParseChoiceIndex(style.GetValue(), nIndex);
        DrawBackground(pDC, rect, style, TRUE);
        if (!m_pGrid->IsPrinting() && m_bInactiveFrame &&
            !(style.GetInclude(CGXStyle::inclDraw3dFrame) && style.GetDraw3dFrame() != 0))
        {
            DrawingAndFormattingInstance()->DrawFrameRings(pDC, rect.left, rect.top, rect.right - 1, rect.bottom - 1, 1,
                                                           RGB(255, 255, 255), RGB(255, 255, 255));
            rectItem.DeflateRect(2, 2);
        }
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_COMBOBOX;
        item.CtlID = static_cast<UINT>(GetDlgCtrlID());
        item.itemID = static_cast<UINT>(nIndex);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = ODS_SELECTED;
        item.hwndItem = m_hWnd;
        item.hDC = pDC->GetSafeHdc();
        item.rcItem = rectItem;
        item.itemData = GetItemData(nIndex);
        DrawItem(&item);
        CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }

    const CGXStyle& cached = *LoadStyle();
    GetSelRange(m_nSavedSelStart, m_nSavedSelEnd);
    if (m_pButton != nullptr)
        m_pButton->SetRect(CRect());
    HideControl();
    LOGFONT lf;
    cached.GetFont().GetLogFontScaled(lf, m_pGrid->GetZoom());
    lf.lfOrientation = 0;
    lf.lfEscapement = 0;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
    SetFont(&m_font, FALSE);
    const CGXProperties* pProperties = m_pGrid->GetProperties();
    m_rgbBackground = pProperties != nullptr && pProperties->IsBlackWhiteOutput() ? RGB(255, 255, 255)
                                                                                  : cached.GetInterior().GetColor();
    m_brushBackground.DeleteObject();
    m_brushBackground.CreateSolidBrush(m_rgbBackground);

    CRect rectActive;
    GetCellClientRect(rectActive, nRow, nCol, &rect, &cached);
    int nTextHeight = 0;
    {
        CFont* pOld = pDC->SelectObject(&m_font);
        TEXTMETRIC tm{};
        pDC->GetTextMetrics(&tm);
        pDC->SelectObject(pOld);
        nTextHeight = tm.tmHeight + tm.tmExternalLeading;
    }
    CRect rectCombo = rectActive;
    int nHeight = rectCombo.Height();
    if (m_bSizeToFont)
    {
        nHeight = std::min(nTextHeight + 2, rectActive.Height());
        const int nVAlign = cached.GetInclude(CGXStyle::inclVerticalAlignment) ? cached.GetVerticalAlignment() : 0;
        if (nVAlign == DT_VCENTER)
            rectCombo.top += (rectActive.Height() - nHeight) / 2;
        else if (nVAlign == DT_BOTTOM)
            rectCombo.top = rectActive.bottom - nHeight - 2;
        rectCombo.bottom = rectCombo.top + nHeight;
    }
    if (GXGetAppDataPtr()->m_bWin4 || rect.Height() < nHeight + 2 * m_nMargin)
    {
        if (m_bMarginsInHeight)
            nHeight -= 2 * m_nMargin;
        else
            rectCombo.InflateRect(0, m_nMargin);
    }
    const int nRows = std::min(GetCount(), maxDroppedRows);
    CRect rectWindow = rectCombo;
    rectWindow.bottom = rectCombo.bottom + nRows * (nTextHeight + 2) + 2 * m_nMargin;
    MoveWindow(AdjustComboRect(rectWindow), FALSE);
    SetActive(TRUE);
    SetItemHeight(-1, static_cast<UINT>(nHeight + (GXGetAppDataPtr()->m_bWin4 ? 0 : m_nMargin)));
    if (!IsWindowVisible())
        TakeFocusFromGrid(this);
    if (cached.GetInclude(CGXStyle::inclMaxLength) && cached.GetMaxLength() != 0)
        LimitText(cached.GetMaxLength());
    SetSelRange(m_nSavedSelStart, m_nSavedSelEnd);
    ShowWindow(SW_SHOW);
    const BOOL bRowAbove = nRow > m_pGrid->GetFrozenRows() && m_pGrid->GetTopRow() > nRow;
    const BOOL bColLeft = nCol > m_pGrid->GetFrozenCols() && m_pGrid->GetLeftCol() > nCol;
    CRect rectClip;
    if ((bRowAbove || bColLeft) && pDC->GetClipBox(rectClip) != ERROR)
        RepaintClipBoxOnly(this, rect, rectClip);
    UpdateWindow();
    CGXControl::Draw(pDC, rect, nRow, nCol, cached, pStandardStyle);
}

void CGXComboBoxWnd::HideControl()
{
    if (GetSafeHwnd() == nullptr || !IsWindowVisible())
        return;
    const auto lock = ScopedGridFocusLock();
    ShowDropDown(FALSE);
    ::HideCaret(m_hWnd);
    const BOOL bHadFocus = m_editPart.GetSafeHwnd() != nullptr && ::GetFocus() == m_editPart.m_hWnd;
    ShowWindow(SW_HIDE);
    if (bHadFocus || ::GetFocus() == m_hWnd)
        GetGridWnd()->SetFocus();
}

// ---- mouse, keys and notifications ----

void CGXComboBoxWnd::ActivateAndDropDown()
{
    if (!m_bIsActive)
    {
        if (!RequestEditing())
            return;
        SetActive(TRUE);
        RefreshCell();
    }
    if (ComboKind() != CBS_DROPDOWNLIST || IsDroppedDown() || !m_bDropDownOnClick)
        return;
    if (GXGetAppDataPtr()->m_bWin4)
    {
        GetGridWnd()->UpdateWindow();
        PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
        PostMessage(WM_LBUTTONUP, MK_LBUTTON, 0);
    }
    else
        m_bDropPending = TRUE;
}

void CGXComboBoxWnd::DropDownIfPending()
{
    if (!IsDroppedDown() && m_bDropPending)
        ShowDropDown(TRUE);
    m_bDropPending = FALSE;
}

BOOL CGXComboBoxWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    CRect rectButton;
    const BOOL bOnButton = m_pButton != nullptr && m_pButton->GetRect(rectButton).PtInRect(point);
    if (!bOnButton && (ActivationFlags(m_pGrid) & GX_ACTIVATEONRELEASE) != 0 && m_bIsBound)
    {
        ActivateAndDropDown();
        CGXStatic::OnLButtonUp(nFlags, point);
        return TRUE;
    }
    return CGXStatic::OnLButtonUp(nFlags, point);
}

BOOL CGXComboBoxWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (!m_bIsActive && m_bIsBound && (ActivationFlags(m_pGrid) & GX_ACTIVATEONDBLCLK) != 0)
    {
        ActivateAndDropDown();
        CGXStatic::OnLButtonDblClk(nFlags, point);
        return TRUE;
    }
    return CGXStatic::OnLButtonDblClk(nFlags, point);
}

BOOL CGXComboBoxWnd::OnChildClicked(CGXChild* pChild)
{
    if (m_bIsActive && ComboKind() == CBS_DROPDOWNLIST && m_bDropDownOnClick)
        return CGXStatic::OnChildClicked(pChild);
    if (!m_bIsActive)
    {
        if (!RequestEditing())
            return FALSE;
        SetActive(TRUE);
        RefreshCell();
    }
    if (!IsDroppedDown() && m_bDropDownOnClick)
    {
        if (GXGetAppDataPtr()->m_bWin4)
        {
            GetGridWnd()->UpdateWindow();
            const CRect rectCell = m_pGrid->CalcRectFromRowCol(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol));
            CRect rectButton;
            pChild->GetRect(rectButton);
            const CPoint point(rectButton.left - rectCell.left + 5, rectButton.top - rectCell.top + 5);
            PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
            PostMessage(WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        }
        else
            m_bDropPending = TRUE;
    }
    return CGXStatic::OnChildClicked(pChild);
}

BOOL CGXComboBoxWnd::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (GetSafeHwnd() == nullptr || GXIsKeyDown(VK_CONTROL) || (nChar != VK_END && nChar != VK_HOME))
        return FALSE;
    if (RequestEditing())
    {
        if (!m_bIsBound)
            Init(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol));
        SetActive(TRUE);
        CString strText;
        GetCurrentText(strText);
        const int nCaret = nChar == VK_END ? strText.GetLength() : 0;
        SetSelRange(nCaret, nCaret);
    }
    ScrollInViewOrRefresh();
    return TRUE;
}

BOOL CGXComboBoxWnd::OnSysKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (nChar != VK_DOWN || !m_bIsBound)
        return FALSE;
    if (!RequestEditing())
        return FALSE;
    SetActive(TRUE);
    ScrollInViewOrRefresh();
    GetGridWnd()->UpdateWindow();
    ShowDropDown(TRUE);
    return TRUE;
}

BOOL CGXComboBoxWnd::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Typed characters reach the cell as text.
    if (nChar < _T(' ') || !m_bIsBound)
        return CGXStatic::OnChar(nChar, nRepCnt, nFlags);
    return OnCharText(CString(static_cast<TCHAR>(nChar)));
}

BOOL CGXComboBoxWnd::OnCharText(const CString& strText)
{
    if (!m_bIsBound || IsReadOnlyCell())
        return TRUE;
    if (m_bIsActive)
    {
        int nStart = 0;
        int nEnd = 0;
        GetSelRange(nStart, nEnd);
        SetCellText(strText);
        SetSelRange(nStart + strText.GetLength(), nStart + strText.GetLength());
    }
    else
    {
        if (!RequestEditing())
            return TRUE;
        SetActive(TRUE);
        if (ComboKind() == CBS_DROPDOWNLIST)
        {
            CString strValue;
            GetComboText(strValue);
            const int nCurrent = strValue.IsEmpty() ? CB_ERR : FindString(-1, strValue);
            const int nSel = SelectString(nCurrent, strText);
            if (nSel == CB_ERR || nSel == nCurrent)
                SelectString(-1, strText);
        }
        else
        {
            StoreText(strText);
            SetSelRange(strText.GetLength(), strText.GetLength());
        }
    }
    SetModified(TRUE);
    RequestCommit();
    RefreshCell();
    return TRUE;
}

BOOL CGXComboBoxWnd::ProcessEditKey(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    m_pGrid->ScrollCellInView(nRow, nCol, GX_UPDATENOW);
    const auto toGrid = [&] { return m_pGrid->ProcessKeys(this, WM_KEYDOWN, nChar, nRepCnt, nFlags); };
    if (GXIsKeyDown(VK_CONTROL))
        return toGrid();
    const BOOL bComboKeys = m_bWantArrowKeys || IsDroppedDown();
    int nStart = 0;
    int nEnd = 0;
    switch (nChar)
    {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        return bComboKeys ? FALSE : toGrid();
    case VK_LEFT:
        GetSelRange(nStart, nEnd);
        return bComboKeys || (ComboKind() == CBS_DROPDOWN && nStart != 0) ? FALSE : toGrid();
    case VK_RIGHT: {
        GetSelRange(nStart, nEnd);
        CString strText;
        GetCurrentText(strText);
        return bComboKeys || (ComboKind() == CBS_DROPDOWN && nEnd < strText.GetLength()) ? FALSE : toGrid();
    }
    case VK_RETURN:
        if (IsDroppedDown())
        {
            ShowDropDown(FALSE);
            return TRUE;
        }
        return toGrid();
    case VK_TAB:
    case VK_ESCAPE:
        return toGrid();
    default:
        return nChar >= VK_F1 && nChar <= VK_F24 ? toGrid() : FALSE;
    }
}

BOOL CGXComboBoxWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && ProcessEditKey(static_cast<UINT>(pMsg->wParam), LOWORD(pMsg->lParam),
                                                      HIWORD(pMsg->lParam)))
        return TRUE;
    return CComboBox::PreTranslateMessage(pMsg);
}

void CGXComboBoxWnd::RestoreSavedState()
{
    if (ComboKind() == CBS_DROPDOWN)
        SetWindowText(m_strSavedText);
    else
        SetCurSel(m_nSavedIndex);
}

BOOL CGXComboBoxWnd::OnGridCommand(WORD wCommand, HWND hWnd)
{
    if (hWnd != GetSafeHwnd() || !m_bIsActive)
        return FALSE;
    const BOOL bReadOnly = IsReadOnlyCell();
    switch (wCommand)
    {
    case CBN_SETFOCUS:
        DropDownIfPending();
        break;
    case CBN_DROPDOWN:
        m_pGrid->m_bDropDownOpen = TRUE;
        m_nSavedIndex = GetCurSel();
        GetComboText(m_strSavedText);
        break;
    case CBN_SELCHANGE:
    case CBN_EDITCHANGE:
        if (bReadOnly)
            RestoreSavedState();
        else
        {
            SetModified(TRUE);
            RequestCommit();
        }
        break;
    case CBN_CLOSEUP:
        m_pGrid->m_bDropDownOpen = FALSE;
        if (bReadOnly)
            RestoreSavedState();
        else if (m_bModified)
            RequestCommit();
        break;
    default:
        break;
    }
    return FALSE;
}

// ---- find and replace ----

CString CGXComboBoxWnd::TextForFind(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, int& nFrom, const CGXStyle*& pStyle,
                                    std::unique_ptr<ComposedStyle>& composed)
{
    CString strText;
    nFrom = 0;
    pStyle = find.m_pStyle;
    if (m_bIsBound && m_bIsActive && IsActiveAt(nRow, nCol))
    {
        GetCurrentText(strText);
        int nEnd = 0;
        GetSelRange(nFrom, nEnd);
        pStyle = LoadStyle();
        return strText;
    }
    if (pStyle == nullptr)
    {
        composed = std::make_unique<ComposedStyle>(m_pGrid, nRow, nCol);
        pStyle = composed->m_pStyle;
    }
    FormatDisplayText(strText, nRow, nCol, nullptr, *pStyle);
    return strText;
}

BOOL CGXComboBoxWnd::ForwardFeatureA(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, BOOL bFromCurrent, BOOL bSelect)
{
    const CString& strSearch = find.m_bCase ? find.m_strFind : find.m_strFindUpper;
    if (!m_bTextOperations || strSearch.IsEmpty())
        return FALSE;
    const BOOL bHere = m_bIsBound && m_bIsActive && IsActiveAt(nRow, nCol);
    int nFrom = 0;
    const CGXStyle* pStyle = nullptr;
    std::unique_ptr<ComposedStyle> composed;
    const CString strText = TextForFind(find, nRow, nCol, nFrom, pStyle, composed);
    int nStart = 0;
    int nEnd = 0;
    if (bHere)
    {
        GetSelRange(nStart, nEnd);
        nFrom = nStart != nEnd ? (bFromCurrent ? nStart : nStart + 1) : 0;
    }
    else
        nFrom = 0;
    const int nFound = CGXEditControl::FindIn(find, strText, nFrom);
    if (nFound < 0)
        return FALSE;
    if (bSelect)
    {
        m_pGrid->ScrollCellInView(nRow, nCol, GX_UPDATENOW);
        if (!bHere)
        {
            m_pGrid->SetCurrentCell(nRow, nCol, GX_FOUNDCELL);
            SetActive(TRUE);
        }
        SetSelRange(nFound, nFound + strSearch.GetLength());
        if (!bHere)
            RefreshCell();
    }
    return TRUE;
}

BOOL CGXComboBoxWnd::ForwardFeatureB(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol)
{
    const CString& strSearch = find.m_bCase ? find.m_strFind : find.m_strFindUpper;
    if (!m_bTextOperations || strSearch.IsEmpty())
        return FALSE;
    int nFrom = 0;
    const CGXStyle* pStyle = nullptr;
    std::unique_ptr<ComposedStyle> composed;
    const CString strSource = TextForFind(find, nRow, nCol, nFrom, pStyle, composed);
    CString strResult;
    if (CGXEditControl::ReplaceAllIn(find, strSource, nFrom, strResult) == 0)
        return FALSE;
    return m_pGrid->SetValueRange(CGXRange(nRow, nCol), strResult, 0, GX_UPDATENOW);
}

void CGXComboBoxWnd::SetCellText(const CString& strText)
{
    if (!m_bTextOperations)
        return;
    if (!(m_bIsBound && m_bIsActive))
    {
        CGXStatic::SetCellText(strText);
        return;
    }
    CString strValue;
    int nStart = 0;
    int nEnd = 0;
    GetValueAndSelection(strValue, nStart, nEnd);
    StoreText(strValue.Left(nStart) + strText + strValue.Mid(nEnd));
    SetSelRange(nStart > 0 ? nStart : 0, nStart + strText.GetLength());
}

void CGXComboBoxWnd::GetCopyText(CString& strText)
{
    strText.Empty();
    if (!m_bIsActive)
    {
        if (m_bIsBound)
        {
            FreeStyle(FALSE);
            FormatDisplayText(strText, static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), nullptr, *LoadStyle());
        }
        return;
    }
    if (IsIndexMode() && !m_bDispChoice)
    {
        GetStyleValue(strText);
        return;
    }
    CString strValue;
    int nStart = 0;
    int nEnd = 0;
    GetValueAndSelection(strValue, nStart, nEnd);
    strText = nEnd > nStart ? strValue.Mid(nStart, nEnd - nStart) : strValue.Mid(nStart);
}

void CGXComboBoxWnd::GetValueAndSelection(CString& strValue, int& nStart, int& nEnd)
{
    GetCurrentText(strValue);
    GetSelRange(nStart, nEnd);
    nStart = std::clamp(nStart, 0, strValue.GetLength());
    nEnd = nEnd < 0 || nEnd > strValue.GetLength() ? strValue.GetLength() : std::max(nEnd, nStart);
}

// ---- window messages ----

BOOL CGXComboBoxWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(rect);
    pDC->FillSolidRect(rect, RGB(255, 255, 255));
    if (m_pStyle != nullptr && m_pStyle->GetInclude(CGXStyle::inclInterior))
        pDC->FillSolidRect(rect, m_pStyle->GetInterior().GetColor());
    return TRUE;
}

void CGXComboBoxWnd::OnKillFocus(CWnd* pNewWnd)
{
    Default();
    SetFocusToGridIfNeeded(pNewWnd);
}

HBRUSH CGXComboBoxWnd::OnCtlColor(CDC* pDC, CWnd* /*pWnd*/, UINT /*nCtlColor*/)
{
    // The edit box and the list take the cell's interior and text colours.
    pDC->SetBkColor(m_rgbBackground);
    pDC->SetTextColor(m_pStyle != nullptr ? m_pStyle->GetTextColor() : ::GetSysColor(COLOR_WINDOWTEXT));
    if (m_brushBackground.GetSafeHandle() == nullptr)
        m_brushBackground.CreateSolidBrush(m_rgbBackground);
    return static_cast<HBRUSH>(m_brushBackground.GetSafeHandle());
}
