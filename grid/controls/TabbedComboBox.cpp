#include <grid/controls/TabbedComboBox.h>

#include <grid/controls/ComboSupport.h>
#include <grid/controls/ComposedStyle.h>
#include <grid/controls/GridCombo.h>
#include <grid/controls/TabbedLBoxHeader.h>
#include <grid/core/AbstractUserAttribute.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/PtrArrayPtrArray.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <utility>

namespace
{
constexpr UINT noTextFit = 0x02;
constexpr int keyTableHashSize = 257;
constexpr int maxChoiceListId = 65535;
constexpr int headerMargin = 4;
constexpr UINT ownerDrawListStyle = LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;

// Builds the table of an id on first need: each line (the title line skipped when titles are
// shown) stored under its column's text, a later equal text replacing the earlier line.
CMapStringToString* Table(CPtrArray& tables, const CGXStyle& style, BOOL bKeyColumn)
{
    const int nId = CGXTabbedComboBox::ChoiceListId(style);
    if (nId < 1)
        return nullptr;
    if (nId < tables.GetSize() && tables[nId] != nullptr)
        return static_cast<CMapStringToString*>(tables[nId]);
    auto* pTable = new CMapStringToString;
    if (bKeyColumn)
        pTable->InitHashTable(keyTableHashSize);
    CGXTabbedColumns columns;
    columns.ReadAttributes(style);
    const int nColumn = bKeyColumn ? columns.m_nKeyCol : columns.m_nTextCol;
    BOOL bTitle = columns.m_bDispTitles;
    if (style.GetInclude(CGXStyle::inclChoiceList))
        GXForEachChoiceLine(style.GetChoiceList(), [&](const CString& strLine) {
            if (!bTitle)
                pTable->SetAt(CGXTabbedColumns::ColumnText(strLine, nColumn), strLine);
            bTitle = FALSE;
        });
    tables.SetAtGrow(nId, pTable);
    return pTable;
}

void DropTable(CPtrArray& tables, int nId)
{
    if (nId < tables.GetSize())
    {
        delete static_cast<CObject*>(tables[nId]);
        tables[nId] = nullptr;
    }
}
} // namespace

// ---- the dropped list ----

CGXTabbedComboLBox::CGXTabbedComboLBox(CGXTabbedComboBox* pOwner) : CGXComboListBox(pOwner), m_pTabbedOwner(pOwner)
{
}

void CGXTabbedComboLBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const CGXTabbedComboBox& owner = *m_pTabbedOwner;
    owner.m_columns.DrawOwnerDrawnItem(
        *lpDrawItemStruct, GetCount(),
        [this](int nItem) {
            CString strItem;
            GetText(nItem, strItem);
            return strItem;
        },
        FALSE, owner.m_tabStops, owner.m_rgbGridLine, owner.m_rgbListText, owner.m_rgbListBack, owner.m_nLineFlag);
}

void CGXTabbedComboLBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    const int nItem = static_cast<int>(lpMeasureItemStruct->itemID);
    CString strItem;
    if (nItem >= 0 && nItem < GetCount())
        GetText(nItem, strItem);
    CClientDC dc(this);
    CFont* pOld = GetFont() != nullptr ? dc.SelectObject(GetFont()) : nullptr;
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    int nHeight = std::max(m_pTabbedOwner->m_nItemHeight, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
    GXMeasureTabbedListItem(&dc, nHeight, strItem, !m_pTabbedOwner->m_columns.m_bShowAllCols, 0);
    if (pOld != nullptr)
        dc.SelectObject(pOld);
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(nHeight);
}

// ---- the cell ----

IMPLEMENT_DYNAMIC(CGXTabbedComboBox, CGXComboBox)

const GXControlClass CGXTabbedComboBox::ctlClassCGXTabbedComboBox = {"CGXTabbedComboBox",
                                                                     &CGXComboBox::ctlClassCGXComboBox};

BEGIN_MESSAGE_MAP(CGXTabbedComboBox, CGXComboBox)
ON_MESSAGE(WM_CHAR, OnTabbedChar)
END_MESSAGE_MAP()

CGXTabbedComboBox::CGXTabbedComboBox(CGXGridCore* pGrid, UINT nId)
    : CGXComboBox(pGrid, nId, nId, noTextFit), m_pHeader(new CGXTabbedLBoxHeader)
{
}

CGXTabbedComboBox::~CGXTabbedComboBox()
{
    if (m_pDropDownWnd != nullptr)
    {
        const auto lock = ScopedGridFocusLock();
        m_pGrid->m_bDropDownOpen = FALSE;
        DestroyDropDownWnd(std::exchange(m_pDropDownWnd, nullptr));
    }
    if (m_pHeader->GetSafeHwnd() != nullptr)
        m_pHeader->DestroyWindow();
    delete m_pHeader;
}

const GXControlClass* CGXTabbedComboBox::GetControlClass() const
{
    return &ctlClassCGXTabbedComboBox;
}

void CGXTabbedComboBox::RegisterUserAttributes(CGXStylesMap* pStylesMap)
{
    CGXTabbedColumns::RegisterUserAttributes(pStylesMap, TRUE);
}

// ---- the shared tables ----

int CGXTabbedComboBox::ChoiceListId(const CGXStyle& style)
{
    if (!style.HasUserAttribute(GX_IDS_UA_TAB_CHOICE_LIST_ID))
        return 0;
    const int nId = _wtoi(style.GetUserAttribute(GX_IDS_UA_TAB_CHOICE_LIST_ID).GetValue());
    return nId > maxChoiceListId ? 0 : nId;
}

CMapStringToString* CGXTabbedComboBox::KeyTable(CGXGridParam* pParam, const CGXStyle& style)
{
    return pParam != nullptr ? Table(pParam->m_apChoiceListKeys, style, TRUE) : nullptr;
}

CMapStringToString* CGXTabbedComboBox::TextTable(CGXGridParam* pParam, const CGXStyle& style)
{
    return pParam != nullptr ? Table(pParam->m_apChoiceListTexts, style, FALSE) : nullptr;
}

void CGXTabbedComboBox::DropTables(CGXGridParam* pParam, int nId)
{
    if (pParam == nullptr || nId == 0 || nId < -1 || nId > maxChoiceListId)
        return;
    if (nId == -1)
    {
        DeletePtrArrayObjects(pParam->m_apChoiceListKeys);
        DeletePtrArrayObjects(pParam->m_apChoiceListTexts);
    }
    else
    {
        DropTable(pParam->m_apChoiceListKeys, nId);
        DropTable(pParam->m_apChoiceListTexts, nId);
    }
    ++pParam->m_nChoiceListVersion;
}

BOOL CGXTabbedComboBox::FindLine(const CGXStyle& style, CMapStringToString* pTable, int nColumn, LPCTSTR pszText,
                                 CString& strLine) const
{
    if (pTable != nullptr)
        return pTable->Lookup(pszText, strLine);
    if (!style.GetInclude(CGXStyle::inclChoiceList))
        return FALSE;
    return m_columns.FindLine(style.GetChoiceList(), nColumn, pszText, strLine);
}

// ---- values and texts ----

void CGXTabbedComboBox::Init(ROWCOL nRow, ROWCOL nCol)
{
    m_bListFilled = FALSE;
    CGXComboBox::Init(nRow, nCol);
    m_columns.ReadAttributes(*LoadStyle());
    SetValue(m_pStyle->GetInclude(CGXStyle::inclValue) ? m_pStyle->GetValue() : CString());
    SetModified(FALSE);
    if (GetSafeHwnd() != nullptr)
        SendMessage(EM_SETREADONLY, IsReadOnlyCell());
}

void CGXTabbedComboBox::SetValue(LPCTSTR pszText)
{
    if (GetSafeHwnd() == nullptr)
        return;
    const CGXStyle& style = *LoadStyle();
    CGXTabbedColumns columns;
    columns.ReadAttributes(style);
    const CString strValue = pszText != nullptr ? CString(pszText) : CString();
    CString strLine;
    BOOL bFound = FALSE;
    if (CMapStringToString* pKeys = KeyTable(m_pGrid->GetParam(), style))
        bFound = pKeys->Lookup(strValue, strLine);
    else if (style.GetInclude(CGXStyle::inclChoiceList))
        bFound =
            columns.FindLine(columns.SortedChoiceList(style.GetChoiceList()), columns.m_nKeyCol, strValue, strLine);
    SetWindowText(bFound ? CGXTabbedColumns::ColumnText(strLine, columns.m_nTextCol) : CString());
    // All selected with the caret at the start, so that a narrow cell shows the text's beginning.
    SetSel(GetWindowTextLength(), 0);
    if (m_bListFilled && m_pListBox != nullptr)
        m_pListBox->SetCurSel(bFound ? m_pListBox->FindStringExact(-1, columns.ItemOf(strLine)) : -1);
}

BOOL CGXTabbedComboBox::GetStyleValue(CString& strText)
{
    strText.Empty();
    if (!m_bIsBound || GetSafeHwnd() == nullptr)
        return FALSE;
    CString strShown;
    GetWindowText(strShown);
    if (strShown.IsEmpty())
        return TRUE;
    const CGXStyle& style = *LoadStyle();
    CString strLine;
    if (!FindLine(style, TextTable(m_pGrid->GetParam(), style), m_columns.m_nTextCol, strShown, strLine))
        return FALSE;
    strText = CGXTabbedColumns::ColumnText(strLine, m_columns.m_nKeyCol);
    return TRUE;
}

BOOL CGXTabbedComboBox::FormatDisplayText(CString& strOut, ROWCOL /*nRow*/, ROWCOL /*nCol*/, LPCTSTR pszText,
                                          const CGXStyle& style)
{
    strOut.Empty();
    CGXTabbedColumns columns;
    columns.ReadAttributes(style);
    const CString strValue = pszText != nullptr ? CString(pszText) : style.GetValue();
    CString strLine;
    CMapStringToString* pKeys = KeyTable(m_pGrid->GetParam(), style);
    const BOOL bFound = pKeys != nullptr
                            ? pKeys->Lookup(strValue, strLine)
                            : style.GetInclude(CGXStyle::inclChoiceList) &&
                                  columns.FindLine(style.GetChoiceList(), columns.m_nKeyCol, strValue, strLine);
    if (bFound)
        strOut = CGXTabbedColumns::ColumnText(strLine, columns.m_nTextCol);
    return bFound;
}

BOOL CGXTabbedComboBox::CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle)
{
    if (strText.IsEmpty())
        return TRUE;
    std::unique_ptr<ComposedStyle> composed;
    pStyle = GXStyleOrComposed(m_pGrid, nRow, nCol, pStyle, composed);
    CGXTabbedColumns columns;
    columns.ReadAttributes(*pStyle);
    CString strLine;
    BOOL bFound = FALSE;
    if (CMapStringToString* pTexts = TextTable(m_pGrid->GetParam(), *pStyle))
        bFound = pTexts->Lookup(strText, strLine);
    else if (pStyle->GetInclude(CGXStyle::inclChoiceList))
        bFound = columns.FindLine(pStyle->GetChoiceList(), columns.m_nTextCol, strText, strLine);
    if (bFound)
        strText = CGXTabbedColumns::ColumnText(strLine, columns.m_nKeyCol);
    return bFound;
}

BOOL CGXTabbedComboBox::AcceptText(LPCTSTR pszText)
{
    if (pszText == nullptr || *pszText == 0 || !m_bFillWithChoiceList)
        return TRUE;
    const CGXStyle& style = *LoadStyle();
    CMapStringToString* pTexts = TextTable(m_pGrid->GetParam(), style);
    if (pTexts == nullptr)
        return style.GetInclude(CGXStyle::inclChoiceList) && m_columns.HasTextPrefix(style.GetChoiceList(), pszText);
    CString strLine;
    if (pTexts->Lookup(pszText, strLine))
        return TRUE;
    // A prefix is remembered with the line it starts, so that typing on looks it up at once.
    const int nLength = lstrlen(pszText);
    for (POSITION pos = pTexts->GetStartPosition(); pos != nullptr;)
    {
        CString strKey;
        pTexts->GetNextAssoc(pos, strKey, strLine);
        if (strKey.GetLength() >= nLength && strKey.Left(nLength).CompareNoCase(pszText) == 0)
        {
            pTexts->SetAt(pszText, strLine);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CGXTabbedComboBox::ValidateValue()
{
    return CGXTabbedColumns::HasValidEditedText(*this) && CGXComboBox::ValidateValue();
}

BOOL CGXTabbedComboBox::RebindToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType)
{
    if (!CGXComboBox::RebindToCell(nRow, nCol, pStyle, nMode, nType))
        return FALSE;
    if (!m_pGrid->IsCurrentCell(nRow, nCol))
        return TRUE;
    switch (CGXTabbedColumns::EffectOfStoredStyle(pStyle, nMode, IsModified(), TRUE))
    {
    case CGXTabbedColumns::StoredStyleEffect::newColumns:
        DropTables(m_pGrid->GetParam(),
                   ChoiceListId(*pStyle) != 0 || m_pStyle == nullptr ? ChoiceListId(*pStyle) : ChoiceListId(*m_pStyle));
        Reset();
        break;
    case CGXTabbedColumns::StoredStyleEffect::reset:
        Reset();
        break;
    case CGXTabbedColumns::StoredStyleEffect::none:
        break;
    }
    return TRUE;
}

BOOL CGXTabbedComboBox::IsWritable()
{
    return m_bIsActive && !IsReadOnlyCell();
}

void CGXTabbedComboBox::AutoComplete()
{
    if (!m_bAutoComplete || !m_bFillWithChoiceList || !IsWritable() || GetSafeHwnd() == nullptr)
        return;
    CString strTyped;
    GetWindowText(strTyped);
    if (strTyped.IsEmpty())
        return;
    const CGXStyle& style = *LoadStyle();
    CString strLine;
    BOOL bFound = FALSE;
    if (CMapStringToString* pTexts = TextTable(m_pGrid->GetParam(), style))
        bFound = AcceptText(strTyped) && pTexts->Lookup(strTyped, strLine);
    else if (style.GetInclude(CGXStyle::inclChoiceList))
        bFound = m_columns.FindLine(style.GetChoiceList(), m_columns.m_nTextCol, strTyped, strLine) ||
                 GXFindChoiceListItem(strTyped, style.GetChoiceList(), FALSE, m_columns.m_nTextCol,
                                      m_columns.m_bDispTitles, strLine) >= 0;
    if (!bFound)
        return;
    SetWindowText(CGXTabbedColumns::ColumnText(strLine, m_columns.m_nTextCol));
    SetSel(strTyped.GetLength(), -1);
    SetModified(TRUE);
}

BOOL CGXTabbedComboBox::OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const BOOL bHandled = CGXComboBox::OnKeyMessage(nMessage, nChar, nRepCnt, nFlags);
    if (nMessage == WM_CHAR && nChar >= 32 && !IsReadOnlyCell())
        AutoComplete();
    return bHandled;
}

LRESULT CGXTabbedComboBox::OnTabbedChar(WPARAM wParam, LPARAM lParam)
{
    if (wParam < 32 || IsReadOnlyCell())
        return OnWndChar(wParam, lParam);
    ReplaceSel(_T(""));
    const LRESULT lResult = OnWndChar(wParam, lParam);
    AutoComplete();
    return lResult;
}

// ---- the dropped list ----

CGXGridCombo* CGXTabbedComboBox::CreatePopupWnd(const CRect& rect)
{
    if (m_pKeptPopup == nullptr || m_pKeptPopup->GetSafeHwnd() == nullptr)
    {
        m_pKeptPopup.reset(CGXComboBox::CreatePopupWnd(rect));
        m_pKeptList = nullptr;
        return m_pKeptPopup.get();
    }
    // The kept window comes back where a new one would be made, without taking the activation.
    m_pKeptPopup->SetWindowPos(&CWnd::wndTop, rect.left - 1, rect.top, rect.Width() + 1, rect.Height(),
                               SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return m_pKeptPopup.get();
}

CListBox* CGXTabbedComboBox::CreateListBox(CGXGridCombo* pPopup)
{
    CRect rect;
    pPopup->GetClientRect(rect);
    if (m_pKeptList != nullptr)
        m_pKeptList->MoveWindow(rect, FALSE);
    else
    {
        m_pKeptList = new CGXTabbedComboLBox(this);
        m_pKeptList->Create(ListBoxStyle() | ownerDrawListStyle, rect, pPopup, m_nListBoxID);
        m_nCachedVersion = -1;
    }
    m_pListBox = m_pKeptList;
    return m_pListBox;
}

void CGXTabbedComboBox::DestroyDropDownWnd(CGXGridCombo* pPopup)
{
    // The windows stay for the next drop; the destructor destroys them.
    if (m_pHeader->GetSafeHwnd() != nullptr && m_pHeader->IsWindowVisible())
        m_pHeader->ShowWindow(SW_HIDE);
    m_pListBox = nullptr;
    if (pPopup->GetSafeHwnd() != nullptr)
        pPopup->ShowWindow(SW_HIDE);
}

void CGXTabbedComboBox::OnFillDroppedList(CListBox* pList)
{
    const CGXStyle& style = *LoadStyle();
    CGXGridParam* pParam = m_pGrid->GetParam();
    const int nId = ChoiceListId(style);
    // The kept list still holds the lines of a shared choice list that has not changed since.
    const BOOL bCurrent = pParam != nullptr && TextTable(pParam, style) != nullptr && nId == m_nCachedId &&
                          pParam->m_nChoiceListVersion <= m_nCachedVersion;
    if (!bCurrent)
    {
        CGXTabbedColumns::Filling filling;
        if (m_bFillWithChoiceList && style.GetInclude(CGXStyle::inclChoiceList))
        {
            CClientDC dc(GetGridWnd());
            CFont* pOld = m_pGrid->LoadFont(&dc, style, nullptr);
            m_columns.Fill(&dc, style.GetChoiceList(), filling);
            if (pOld != nullptr)
                dc.SelectObject(pOld);
        }
        pList->ResetContent();
        for (const CString& strItem : filling.items)
            pList->AddString(strItem);
        m_strTitle = filling.strTitle;
        m_tabStops.Copy(filling.tabStops);
        m_nTotalWidth = filling.nTotalWidth;
        m_nCachedId = nId;
        m_nCachedVersion = pParam != nullptr ? pParam->m_nChoiceListVersion : -1;
    }
    CString strText;
    GetWindowText(strText);
    int nItem = pList->FindStringExact(-1, strText);
    if (nItem == LB_ERR && !strText.IsEmpty())
        nItem = pList->SelectString(-1, strText);
    if (nItem != LB_ERR)
        pList->SetCurSel(nItem);
    m_bListFilled = TRUE;
}

CRect CGXTabbedComboBox::GetDroppedStateRect(const CRect& rect)
{
    CRect rectDropped = CGXComboBox::GetDroppedStateRect(rect);
    rectDropped.right = rectDropped.left + std::max(m_nTotalWidth, rect.Width());
    return rectDropped;
}

void CGXTabbedComboBox::OnStoreDroppedList(CListBox* pList)
{
    const int nItem = pList->GetCurSel();
    if (nItem == LB_ERR)
        return;
    CString strItem;
    pList->GetText(nItem, strItem);
    // Activating may re-create the edit window, which takes the focus: the list gets it back.
    const HWND hFocus = ::GetFocus();
    {
        const tarnwick::foundation::SECScopedValue<BOOL> takingChoice(m_bTakingChoice, TRUE);
        SetActive(TRUE);
        SetWindowText(CGXTabbedColumns::ColumnText(strItem, 0));
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
}

void CGXTabbedComboBox::ShowDropDown(BOOL bShow)
{
    if (!bShow)
    {
        if (m_pDropDownWnd != nullptr && GetSafeHwnd() != nullptr)
            SendMessage(GX_WM_LIST_CANCEL, 0, IsActive());
        return;
    }
    if (m_pDropDownWnd != nullptr)
        return;
    const auto lock = ScopedGridFocusLock();
    const CGXStyle& style = *LoadStyle();
    m_columns.ReadAttributes(style);
    m_rgbListBack = style.GetInterior().GetColor();
    m_rgbListText = style.GetTextColor();
    CGXComboBox::ShowDropDown(TRUE);
    if (m_pDropDownWnd == nullptr || m_pListBox == nullptr)
        return;
    if (m_columns.m_bDispTitles)
        PlaceHeader(m_pListBox);
    if (m_pListBox->GetCurSel() == LB_ERR && m_pListBox->GetCount() > 0)
        m_pListBox->SetCurSel(0);
}

void CGXTabbedComboBox::PlaceHeader(CListBox* pList)
{
    if (m_pHeader->GetSafeHwnd() == nullptr && !m_pHeader->CreateHeader())
        return;
    m_pHeader->m_nDisplayCol = m_columns.m_nTextCol;
    m_pHeader->m_bAllColumns = m_columns.m_bShowAllCols;
    m_pHeader->m_nColumns = static_cast<int>(m_tabStops.GetSize());
    m_pHeader->m_pColumnEdges = m_tabStops.GetData();
    m_pHeader->m_pFont = pList->GetFont();
    m_pHeader->m_strHeaderText = m_columns.HeaderText(m_strTitle);
    int nHeight = 0;
    {
        CClientDC dc(pList);
        CFont* pOld = pList->GetFont() != nullptr ? dc.SelectObject(pList->GetFont()) : nullptr;
        nHeight = dc.GetTextExtent(m_strTitle.IsEmpty() ? CString(_T("X")) : m_strTitle).cy;
        GXMeasureTabbedListItem(&dc, nHeight, m_strTitle, !m_columns.m_bShowAllCols, m_columns.m_nTextCol);
        if (pOld != nullptr)
            dc.SelectObject(pOld);
    }
    nHeight += headerMargin;

    // Below the cell the list moves down under the header; above it the header goes on top.
    CRect rectCell = m_pGrid->CalcRectFromRowCol(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol));
    GetGridWnd()->ClientToScreen(rectCell);
    CRect rectDrop;
    m_pDropDownWnd->GetWindowRect(rectDrop);
    const BOOL bBelow = rectDrop.top >= rectCell.bottom;
    if (bBelow)
        rectDrop.OffsetRect(0, nHeight);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(GetGridWnd()->m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    if (rectDrop.bottom > monitor.rcWork.bottom)
        rectDrop.OffsetRect(0, monitor.rcWork.bottom - rectDrop.bottom);
    if (rectDrop.top - nHeight < monitor.rcWork.top)
        rectDrop.OffsetRect(0, monitor.rcWork.top - rectDrop.top + nHeight);
    m_pDropDownWnd->SetWindowPos(nullptr, rectDrop.left, rectDrop.top, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rectList;
    pList->GetWindowRect(rectList);
    m_pHeader->SetWindowPos(&CWnd::wndTopMost, rectList.left, rectDrop.top - nHeight, rectList.Width(), nHeight,
                            SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_pHeader->UpdateWindow();
}

// ---- size and drawing ----

CSize CGXTabbedComboBox::GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int /*nDirection*/)
{
    CGXTabbedColumns columns;
    columns.ReadAttributes(style);
    CSize size = columns.TextColumnExtent(m_pGrid, pDC, style, m_bFillWithChoiceList);
    AddFrameToSize(size, pDC, nRow, nCol, &style);
    return size;
}

void CGXTabbedComboBox::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                             const CGXStyle* pStandardStyle)
{
    if (IsActiveAt(nRow, nCol) && !m_pGrid->IsPrinting())
    {
        m_rgbListBack = style.GetInterior().GetColor();
        m_rgbListText = style.GetTextColor();
    }
    CGXComboBox::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
    ShowTextStartWhenAllSelected(nRow, nCol);
}

void CGXTabbedComboBox::ShowTextStartWhenAllSelected(ROWCOL nRow, ROWCOL nCol)
{
    // Laying out the edit window may re-create it, which puts the caret at the selection's end:
    // a text wider than the cell, wrapped in the edit window, then shows its last line. A fully
    // selected text shows its beginning, as the inactive cell does.
    if (!IsActiveAt(nRow, nCol) || m_pGrid->IsPrinting() || GetSafeHwnd() == nullptr)
        return;
    const int nLength = GetWindowTextLength();
    int nStart = 0;
    int nEnd = 0;
    GetSelection(nStart, nEnd);
    if (nLength > 0 && nStart == 0 && nEnd == nLength)
        SetSel(nLength, 0);
}
