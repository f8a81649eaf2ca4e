#include <grid/controls/TabbedComboBoxWnd.h>

#include <grid/controls/ComboSupport.h>
#include <grid/controls/ComposedStyle.h>
#include <grid/controls/TabbedLBoxHeader.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/GridCore.h>
#include <grid/core/Properties.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>

#include <algorithm>
#include <memory>

namespace
{
constexpr DWORD tabbedComboStyle = 0x200622;
constexpr int maxSetTextCut = 255;
constexpr int headerMargin = 4;
constexpr int maxDroppedRows = 8;
} // namespace

// ---- the edit box ----

BEGIN_MESSAGE_MAP(CGXTabbedCBEditWnd, CGXComboEditPart)
ON_WM_CHAR()
END_MESSAGE_MAP()

CGXTabbedCBEditWnd::CGXTabbedCBEditWnd(CGXTabbedComboBoxWnd* pCombo) : CGXComboEditPart(pCombo), m_pTabbedCombo(pCombo)
{
}

LRESULT CGXTabbedCBEditWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT && lParam != 0)
    {
        const CString strText(reinterpret_cast<LPCTSTR>(lParam));
        const int nTab = strText.Find(_T('\t'));
        if (nTab >= 0 && nTab < maxSetTextCut)
        {
            const CString strFirst = strText.Left(nTab);
            return CGXComboEditPart::DefWindowProc(message, wParam, reinterpret_cast<LPARAM>(strFirst.GetString()));
        }
    }
    return CGXComboEditPart::DefWindowProc(message, wParam, lParam);
}

void CGXTabbedCBEditWnd::OnChar(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (m_pTabbedCombo->IsReadOnlyCell())
        return;
    CString strSaved;
    GetWindowText(strSaved);
    int nSavedStart = 0;
    int nSavedEnd = 0;
    GetSel(nSavedStart, nSavedEnd);
    Default();
    if (nChar < ' ')
        return;
    CString strTyped;
    GetWindowText(strTyped);
    const int nItem = m_pTabbedCombo->FindString(-1, strTyped);
    if (nItem == CB_ERR)
    {
        // A character that starts no item is taken back.
        SetWindowText(strSaved);
        SetSel(nSavedStart, nSavedEnd);
        return;
    }
    CString strItem;
    m_pTabbedCombo->GetLBText(nItem, strItem);
    SetWindowText(strItem);
    CString strShown;
    GetWindowText(strShown);
    SetSel(strTyped.GetLength(), strShown.GetLength());
}

// ---- the control ----

IMPLEMENT_DYNAMIC(CGXTabbedComboBoxWnd, CGXComboBoxWnd)

const GXControlClass CGXTabbedComboBoxWnd::ctlClassCGXTabbedComboBoxWnd = {"CGXTabbedComboBoxWnd",
                                                                           &CGXComboBoxWnd::ctlClassCGXComboBoxWnd};

BEGIN_MESSAGE_MAP(CGXTabbedComboBoxWnd, CGXComboBoxWnd)
ON_WM_CTLCOLOR()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CGXTabbedComboBoxWnd::CGXTabbedComboBoxWnd(CGXGridCore* pGrid)
    : CGXComboBoxWnd(pGrid), m_pHeader(new CGXTabbedLBoxHeader)
{
    m_bDropDownOnClick = FALSE;
}

CGXTabbedComboBoxWnd::~CGXTabbedComboBoxWnd()
{
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr)
        m_pEdit->UnsubclassWindow();
    delete m_pEdit;
    if (m_pHeader->GetSafeHwnd() != nullptr)
        m_pHeader->DestroyWindow();
    delete m_pHeader;
}

void CGXTabbedComboBoxWnd::RegisterUserAttributes(CGXStylesMap* pStylesMap)
{
    CGXTabbedColumns::RegisterUserAttributes(pStylesMap, FALSE);
}

BOOL CGXTabbedComboBoxWnd::CreateWithStyle(DWORD dwStyle, UINT nID)
{
    const BOOL bCreated = CGXComboBoxWnd::CreateWithStyle(dwStyle | tabbedComboStyle, nID);
    if (m_editPart.GetSafeHwnd() != nullptr)
    {
        const HWND hEdit = m_editPart.UnsubclassWindow();
        m_pEdit = new CGXTabbedCBEditWnd(this);
        m_pEdit->SubclassWindow(hEdit);
    }
    m_bTextOperations = TRUE;
    return bCreated;
}

const GXControlClass* CGXTabbedComboBoxWnd::GetControlClass() const
{
    return &ctlClassCGXTabbedComboBoxWnd;
}

void CGXTabbedComboBoxWnd::SetReadOnly(BOOL bReadOnly)
{
    if (GetSafeHwnd() == nullptr)
        return;
    EnableWindow(!bReadOnly);
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr)
    {
        m_pEdit->EnableWindow(TRUE);
        m_pEdit->SendMessage(EM_SETREADONLY, bReadOnly);
    }
}

void CGXTabbedComboBoxWnd::SetColumnCount(int nColumns)
{
    m_tabStops.SetSize(std::max(0, nColumns));
}

void CGXTabbedComboBoxWnd::Init(ROWCOL nRow, ROWCOL nCol)
{
    SetReadOnly(FALSE);
    CGXComboBoxWnd::Init(nRow, nCol);
    SetReadOnly(IsReadOnlyCell());
}

void CGXTabbedComboBoxWnd::LoadChoices(const CGXStyle& style)
{
    m_columns.ReadAttributes(style);
    FillList();
}

void CGXTabbedComboBoxWnd::FillList()
{
    m_nTotalWidth = 0;
    m_bMeasuringOff = FALSE;
    ResetContent();
    m_strTitle.Empty();
    const CGXStyle* pStyle = m_pStyle;
    if (!m_bFillWithChoiceList || pStyle == nullptr || !pStyle->GetInclude(CGXStyle::inclChoiceList) ||
        pStyle->GetChoiceList().IsEmpty())
    {
        SetColumnCount(0);
        return;
    }
    CGXTabbedColumns::Filling filling;
    {
        CClientDC dc(GetGridWnd());
        CFont* pOld = m_pGrid->LoadFont(&dc, *pStyle, nullptr);
        m_columns.Fill(&dc, pStyle->GetChoiceList(), filling);
        if (pOld != nullptr)
            dc.SelectObject(pOld);
    }
    m_strTitle = filling.strTitle;
    for (const CString& strItem : filling.items)
        AddString(strItem);
    m_tabStops.Copy(filling.tabStops);
    m_nTotalWidth = filling.nTotalWidth;
    m_bMeasuringOff = FALSE;
}

// ---- values and texts ----

void CGXTabbedComboBoxWnd::SetValue(LPCTSTR pszText)
{
    if (GetSafeHwnd() == nullptr || m_pStyle == nullptr)
        return;
    CString strLine;
    const CString strList = m_columns.SortedChoiceList(m_pStyle->GetChoiceList());
    const int nIndex = GXFindChoiceListItem(pszText != nullptr ? pszText : _T(""), strList, TRUE, m_columns.m_nKeyCol,
                                            m_columns.m_bDispTitles, strLine);
    SetCurSel(nIndex);
}

void CGXTabbedComboBoxWnd::GetCurrentText(CString& strText)
{
    strText.Empty();
    if (!m_bIsBound || GetSafeHwnd() == nullptr)
        return;
    if (ComboKind() != CBS_DROPDOWNLIST)
    {
        GetComboText(strText);
        return;
    }
    const int nSel = GetCurSel();
    if (nSel != CB_ERR)
    {
        GetLBText(nSel, strText);
        strText = CGXTabbedColumns::ColumnText(strText, 0);
    }
}

BOOL CGXTabbedComboBoxWnd::GetStyleValue(CString& strText)
{
    strText.Empty();
    if (!m_bIsBound || GetSafeHwnd() == nullptr)
        return FALSE;
    CString strShown;
    GetComboText(strShown);
    if (strShown.IsEmpty())
        return TRUE;
    const int nItem = FindString(-1, strShown);
    if (nItem == CB_ERR)
        return FALSE;
    CString strItem;
    GetLBText(nItem, strItem);
    strText = CGXTabbedColumns::ColumnText(strItem, m_columns.m_nKeyCol + (m_columns.m_nTextCol != 0 ? 1 : 0));
    return TRUE;
}

BOOL CGXTabbedComboBoxWnd::FormatDisplayText(CString& strOut, ROWCOL /*nRow*/, ROWCOL /*nCol*/, LPCTSTR pszText,
                                             const CGXStyle& style)
{
    strOut.Empty();
    CGXTabbedColumns columns;
    columns.ReadAttributes(style);
    if (!style.GetInclude(CGXStyle::inclChoiceList))
        return FALSE;
    const CString strValue = pszText != nullptr ? CString(pszText) : style.GetValue();
    CString strLine;
    if (!columns.FindLine(style.GetChoiceList(), columns.m_nKeyCol, strValue, strLine))
        return FALSE;
    strOut = CGXTabbedColumns::ColumnText(strLine, columns.m_nTextCol);
    return TRUE;
}

BOOL CGXTabbedComboBoxWnd::CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle)
{
    if (strText.IsEmpty())
        return TRUE;
    std::unique_ptr<ComposedStyle> composed;
    pStyle = GXStyleOrComposed(m_pGrid, nRow, nCol, pStyle, composed);
    if (!pStyle->GetInclude(CGXStyle::inclChoiceList))
        return FALSE;
    CGXTabbedColumns columns;
    columns.ReadAttributes(*pStyle);
    CString strLine;
    if (!columns.FindLine(pStyle->GetChoiceList(), columns.m_nTextCol, strText, strLine))
        return FALSE;
    strText = CGXTabbedColumns::ColumnText(strLine, columns.m_nKeyCol);
    return TRUE;
}

BOOL CGXTabbedComboBoxWnd::AcceptText(LPCTSTR pszText)
{
    if (pszText == nullptr || *pszText == 0 || !m_bFillWithChoiceList)
        return TRUE;
    return m_pStyle != nullptr && m_columns.HasTextPrefix(m_pStyle->GetChoiceList(), pszText);
}

BOOL CGXTabbedComboBoxWnd::ValidateValue()
{
    return CGXTabbedColumns::HasValidEditedText(*this) && CGXComboBoxWnd::ValidateValue();
}

BOOL CGXTabbedComboBoxWnd::RebindToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType)
{
    if (!CGXComboBoxWnd::RebindToCell(nRow, nCol, pStyle, nMode, nType))
        return FALSE;
    if (m_pGrid->IsCurrentCell(nRow, nCol) &&
        CGXTabbedColumns::EffectOfStoredStyle(pStyle, nMode, IsModified(), FALSE) !=
            CGXTabbedColumns::StoredStyleEffect::none)
        Reset();
    return TRUE;
}

// ---- size and drawing ----

CSize CGXTabbedComboBoxWnd::GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                                             int /*nDirection*/)
{
    CGXTabbedColumns columns;
    columns.ReadAttributes(style);
    CSize size = columns.TextColumnExtent(m_pGrid, pDC, style, TRUE);
    AddFrameToSize(size, pDC, nRow, nCol, &style);
    return size;
}

void CGXTabbedComboBoxWnd::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                                const CGXStyle* pStandardStyle)
{
    if (!(IsActiveAt(nRow, nCol) && m_bIsActive && !m_pGrid->IsPrinting() && GetSafeHwnd() != nullptr))
    {
        // Other cells show the text column of their value's line.
        CGXStatic::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }
    const CGXProperties* pProperties = m_pGrid->GetProperties();
    const BOOL bBlackWhite = pProperties != nullptr && pProperties->IsBlackWhiteOutput();
    m_rgbListBack = bBlackWhite ? RGB(0, 0, 0) : style.GetInterior().GetFillColor();
    m_rgbListText = bBlackWhite ? RGB(255, 255, 255) : style.GetTextColor();
    if (GetDroppedState())
    {
        // Placing the combo again would close its open list.
        CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }
    const int nTextHeight = TextHeight(style);
    CGXComboBoxWnd::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
    // Only changes go to the window: each of them repaints it. The selection field reports its
    // height with its frame, so the height set last is compared instead.
    for (int nItem = -1; nItem < GetCount(); ++nItem)
        if (nItem < 0 ? m_nFieldHeight != nTextHeight : GetItemHeight(nItem) != nTextHeight)
            SetItemHeight(nItem, static_cast<UINT>(nTextHeight));
    m_nFieldHeight = nTextHeight;
    if (IsWindowEnabled() == IsReadOnlyCell())
        SetReadOnly(IsReadOnlyCell());
}

void CGXTabbedComboBoxWnd::HideControl()
{
    HideHeader();
    CGXComboBoxWnd::HideControl();
}

void CGXTabbedComboBoxWnd::HideHeader()
{
    if (m_pHeader->GetSafeHwnd() != nullptr && m_pHeader->IsWindowVisible())
        m_pHeader->ShowWindow(SW_HIDE);
}

// ---- mouse and notifications ----

void CGXTabbedComboBoxWnd::ActivateAndDropDown()
{
    if (!m_bIsActive)
    {
        if (!RequestEditing())
            return;
        SetActive(TRUE);
        RefreshCell();
    }
    if (GetDroppedState())
        return;
    // The active cell is drawn first: drawing places the combo, which closes an open list.
    GetGridWnd()->UpdateWindow();
    ShowDropDown(TRUE);
}

BOOL CGXTabbedComboBoxWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    CGXStatic::OnLButtonUp(nFlags, point);
    if (m_bDropDownOnClick && m_bIsBound)
        ActivateAndDropDown();
    return TRUE;
}

BOOL CGXTabbedComboBoxWnd::OnGridCommand(WORD wCommand, HWND hWnd)
{
    if (wCommand == CBN_CLOSEUP)
        HideHeader();
    if (wCommand == CBN_CLOSEUP || wCommand == CBN_DROPDOWN)
        m_rectList.SetRectEmpty();
    return CGXComboBoxWnd::OnGridCommand(wCommand, hWnd);
}

void CGXTabbedComboBoxWnd::OnShowWindow(BOOL bShow, UINT /*nStatus*/)
{
    Default();
    if (!bShow)
        HideHeader();
}

HBRUSH CGXTabbedComboBoxWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    static BOOL s_bPlacing = FALSE;
    if (nCtlColor == CTLCOLOR_LISTBOX && !s_bPlacing && m_bIsActive && pWnd != nullptr)
    {
        TCHAR szClass[16] = {};
        ::GetClassName(pWnd->GetSafeHwnd(), szClass, 16);
        if (lstrcmpi(szClass, _T("ComboLBox")) == 0)
        {
            s_bPlacing = TRUE;
            PlaceDroppedList(pWnd);
            s_bPlacing = FALSE;
        }
    }
    else if (nCtlColor == CTLCOLOR_EDIT && !GetDroppedState())
        HideHeader();
    return CGXComboBoxWnd::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CGXTabbedComboBoxWnd::PlaceDroppedList(CWnd* pList)
{
    CRect rectCombo;
    GetWindowRect(rectCombo);
    CRect rectList;
    pList->GetWindowRect(rectList);
    rectList.right = rectList.left + std::max(rectCombo.Width(), m_nTotalWidth);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfo(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor) &&
        rectList.right > monitor.rcWork.right)
        rectList.OffsetRect(rectCombo.right - rectList.right, 0);
    if (m_columns.m_bDispTitles && (m_pHeader->GetSafeHwnd() == nullptr || !m_pHeader->IsWindowVisible()))
    {
        if (m_pHeader->GetSafeHwnd() == nullptr)
            m_pHeader->CreateHeader();
        m_pHeader->m_nDisplayCol = m_columns.m_nTextCol;
        m_pHeader->m_bAllColumns = m_columns.m_bShowAllCols;
        m_pHeader->m_nColumns = static_cast<int>(m_tabStops.GetSize());
        m_pHeader->m_pColumnEdges = m_tabStops.GetData();
        m_pHeader->m_pFont = GetFont();
        m_pHeader->m_strHeaderText = m_columns.HeaderText(m_strTitle);
        int nHeight = 0;
        {
            CClientDC dc(this);
            CFont* pOld = GetFont() != nullptr ? dc.SelectObject(GetFont()) : nullptr;
            nHeight = dc.GetTextExtent(m_strTitle.IsEmpty() ? CString(_T("X")) : m_strTitle).cy;
            GXMeasureTabbedListItem(&dc, nHeight, m_strTitle, !m_columns.m_bShowAllCols, m_columns.m_nTextCol);
            if (pOld != nullptr)
                dc.SelectObject(pOld);
        }
        nHeight += headerMargin;
        CRect rectHeader(rectList.left, rectList.top - nHeight, rectList.right, rectList.top);
        if (rectList.top >= rectCombo.bottom - 1)
        {
            // The list lies below the combo: the header takes its top and the list moves down.
            rectHeader.OffsetRect(0, nHeight);
            rectList.OffsetRect(0, nHeight);
        }
        m_pHeader->SetWindowPos(&CWnd::wndTopMost, rectHeader.left, rectHeader.top, rectHeader.Width(),
                                rectHeader.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    if (rectList != m_rectList)
    {
        m_rectList = rectList;
        pList->MoveWindow(rectList);
    }
    if (m_pHeader->GetSafeHwnd() != nullptr)
        m_pHeader->UpdateWindow();
}

// ---- owner drawing ----

CString CGXTabbedComboBoxWnd::ItemText(int nItem)
{
    CString strText;
    if (nItem >= 0 && nItem < GetCount())
        GetLBText(nItem, strText);
    return strText.IsEmpty() ? m_strTitle : strText;
}

void CGXTabbedComboBoxWnd::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    m_columns.DrawOwnerDrawnItem(
        *lpDrawItemStruct, GetCount(),
        [this](int nItem) {
            CString strItem;
            GetLBText(nItem, strItem);
            return strItem;
        },
        (lpDrawItemStruct->itemState & ODS_COMBOBOXEDIT) != 0, m_tabStops, m_rgbGridLine, m_rgbListText, m_rgbListBack,
        m_nLineFlag);
}

void CGXTabbedComboBoxWnd::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (m_bMeasuringOff)
        return;
    const int nItem = static_cast<int>(lpMeasureItemStruct->itemID);
    if (nItem < 0)
        return;
    CString strText = lpMeasureItemStruct->itemData != 0
                          ? CString(reinterpret_cast<LPCTSTR>(lpMeasureItemStruct->itemData))
                          : CString();
    if (strText.IsEmpty())
        strText = ItemText(nItem);
    int nHeight = static_cast<int>(lpMeasureItemStruct->itemHeight);
    CClientDC dc(this);
    GXMeasureTabbedListItem(&dc, nHeight, strText, !m_columns.m_bShowAllCols, 0);
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(nHeight);
}
