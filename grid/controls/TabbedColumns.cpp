#include <grid/controls/TabbedColumns.h>

#include <grid/controls/ComboSupport.h>
#include <grid/controls/Control.h>
#include <grid/controls/TabbedLBoxHeader.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/AbstractUserAttribute.h>
#include <grid/core/GridCore.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>

#include <algorithm>
#include <cwctype>

namespace
{
constexpr int maxColumns = 10;
constexpr int maxColumnText = 127;
constexpr int measuredMargin = 4;

int AttributeInt(const CGXStyle& style, WORD nId, int nAbsent)
{
    if (!style.HasUserAttribute(nId))
        return nAbsent;
    return _wtoi(style.GetUserAttribute(nId).GetValue());
}

// Reads the next number of a widths text, skipping anything that is no digit before it.
BOOL NextWidth(LPCTSTR& p, int& nWidth)
{
    while (*p != 0 && !std::iswdigit(*p))
        ++p;
    if (*p == 0)
        return FALSE;
    nWidth = 0;
    while (std::iswdigit(*p))
        nWidth = std::min(nWidth * 10 + (*p++ - L'0'), 0xFFFF);
    return TRUE;
}
} // namespace

void CGXTabbedColumns::ReadAttributes(const CGXStyle& style)
{
    m_nKeyCol = AttributeInt(style, GX_IDS_UA_TAB_KEY_COLUMN, 0);
    m_nTextCol = AttributeInt(style, GX_IDS_UA_TAB_TEXT_COLUMN, 0);
    m_bShowAllCols = AttributeInt(style, GX_IDS_UA_TAB_SHOW_ALL, TRUE) != 0;
    m_bDispTitles = AttributeInt(style, GX_IDS_UA_TAB_TITLES, 0) != 0;
    m_nSortCol = AttributeInt(style, GX_IDS_UA_TAB_SORT_COLUMN, -1);
    m_strColWidths = style.HasUserAttribute(GX_IDS_UA_TAB_COLUMN_WIDTHS)
                         ? style.GetUserAttribute(GX_IDS_UA_TAB_COLUMN_WIDTHS).GetValue()
                         : CString();
}

void CGXTabbedColumns::RegisterUserAttributes(CGXStylesMap* pStylesMap, BOOL bUniqueId)
{
    CGXStyle checkBox;
    checkBox.SetControl(GX_IDS_CTRL_CHECKBOX_3D).SetValue(_T("1"));
    pStylesMap->AddUserAttribute(GX_IDS_UA_TAB_KEY_COLUMN);
    pStylesMap->AddUserAttribute(GX_IDS_UA_TAB_TEXT_COLUMN);
    pStylesMap->AddUserAttribute(GX_IDS_UA_TAB_SHOW_ALL, &checkBox);
    pStylesMap->AddUserAttribute(GX_IDS_UA_TAB_TITLES, &checkBox);
    pStylesMap->AddUserAttribute(GX_IDS_UA_TAB_SORT_COLUMN);
    if (bUniqueId)
        pStylesMap->AddUserAttribute(GX_IDS_UA_TAB_CHOICE_LIST_ID);
}

CString CGXTabbedColumns::ColumnText(LPCTSTR pszLine, int nColumn)
{
    return GXGetChoiceField(pszLine, nColumn, maxColumnText);
}

CString CGXTabbedColumns::ItemOf(const CString& strLine) const
{
    return m_nTextCol == 0 ? strLine : ColumnText(strLine, m_nTextCol) + _T('\t') + strLine;
}

CString CGXTabbedColumns::LineOf(const CString& strItem) const
{
    if (m_nTextCol == 0)
        return strItem;
    const int nTab = strItem.Find(_T('\t'));
    return nTab < 0 ? CString() : strItem.Mid(nTab + 1);
}

CString CGXTabbedColumns::HeaderText(const CString& strTitle) const
{
    return m_bShowAllCols ? ItemOf(strTitle) : strTitle;
}

CString CGXTabbedColumns::SortedChoiceList(const CString& strChoiceList) const
{
    CString strSorted = strChoiceList;
    if (m_nSortCol >= 0)
        GXSortChoiceList(strSorted, m_nSortCol, m_bDispTitles);
    return strSorted;
}

BOOL CGXTabbedColumns::FindLine(const CString& strChoiceList, int nColumn, LPCTSTR pszText, CString& strLine) const
{
    return GXFindChoiceListItem(pszText, strChoiceList, TRUE, nColumn, m_bDispTitles, strLine) >= 0;
}

BOOL CGXTabbedColumns::HasTextPrefix(const CString& strChoiceList, LPCTSTR pszText) const
{
    CString strLine;
    return GXFindChoiceListItem(pszText, strChoiceList, FALSE, m_nTextCol, m_bDispTitles, strLine) >= 0;
}

CSize CGXTabbedColumns::TextColumnExtent(CGXGridCore* pGrid, CDC* pDC, const CGXStyle& style, BOOL bChoices) const
{
    CFont* pOld = pGrid->LoadFont(pDC, style, nullptr);
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    CSize size(0, tm.tmHeight + tm.tmExternalLeading + 1);
    if (bChoices && style.GetInclude(CGXStyle::inclChoiceList))
    {
        BOOL bTitle = m_bDispTitles;
        GXForEachChoiceLine(style.GetChoiceList(), [&](const CString& strLine) {
            if (!bTitle)
            {
                int nHeight = size.cy;
                const CString strText = ColumnText(strLine, m_nTextCol);
                GXMeasureTabbedListItem(pDC, nHeight, strText, TRUE, 0);
                size.cx = std::max(size.cx, static_cast<LONG>(pDC->GetTextExtent(strText).cx));
                size.cy = std::max(size.cy, static_cast<LONG>(nHeight));
            }
            bTitle = FALSE;
        });
    }
    if (pOld != nullptr)
        pDC->SelectObject(pOld);
    return size;
}

void CGXTabbedColumns::DrawOwnerDrawnItem(const DRAWITEMSTRUCT& item, int nCount,
                                          const std::function<CString(int)>& textOf, BOOL bFirstOnly,
                                          const CArray<int, int>& tabStops, COLORREF rgbLine, COLORREF rgbText,
                                          COLORREF rgbBack, int nLineFlag) const
{
    const int nItem = static_cast<int>(item.itemID);
    if (nItem < 0 || nItem >= nCount)
        return;
    CDC* pDC = CDC::FromHandle(item.hDC);
    const CRect rect(item.rcItem);
    if ((item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0)
        DrawItem(pDC, rect, textOf(nItem), (item.itemState & ODS_SELECTED) != 0, bFirstOnly, tabStops, rgbLine, rgbText,
                 rgbBack, nLineFlag);
    if ((item.itemAction & ODA_FOCUS) != 0)
        pDC->DrawFocusRect(rect);
}

void CGXTabbedColumns::DrawItem(CDC* pDC, const CRect& rect, const CString& strItem, BOOL bSelected, BOOL bFirstOnly,
                                const CArray<int, int>& tabStops, COLORREF rgbLine, COLORREF rgbText, COLORREF rgbBack,
                                int nLineFlag) const
{
    const BOOL bSingle = !m_bShowAllCols || bFirstOnly;
    // Side by side the columns are the line's own; alone, the shown column is the first piece.
    const CString strText = bSingle ? strItem : LineOf(strItem);
    GXDrawTabbedListItem(pDC, rect, strText, bSingle, 0, static_cast<int>(tabStops.GetSize()), tabStops.GetData(),
                         rgbLine, bSelected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : rgbText,
                         bSelected ? ::GetSysColor(COLOR_HIGHLIGHT) : rgbBack, nLineFlag);
}

void CGXTabbedColumns::Fill(CDC* pDC, const CString& strChoiceList, Filling& filling) const
{
    int widths[maxColumns];
    std::fill(std::begin(widths), std::end(widths), -1);
    filling.items.clear();
    filling.strTitle.Empty();
    filling.tabStops.RemoveAll();
    filling.nTotalWidth = 0;
    BOOL bFirst = TRUE;
    GXForEachChoiceLine(SortedChoiceList(strChoiceList), [&](const CString& strLine) {
        GXMeasureTabbedColumns(pDC, strLine, maxColumns, widths);
        if (bFirst && m_bDispTitles)
            filling.strTitle = strLine;
        else
            filling.items.push_back(ItemOf(strLine));
        bFirst = FALSE;
    });

    LPCTSTR pWidths = m_strColWidths;
    for (int nCol = 0; nCol < maxColumns && widths[nCol] >= 0; ++nCol)
    {
        int nWidth = 0;
        if (!NextWidth(pWidths, nWidth))
            nWidth = m_bShowAllCols || nCol == m_nTextCol ? widths[nCol] + measuredMargin : 0;
        filling.nTotalWidth += nWidth;
        filling.tabStops.Add(filling.nTotalWidth);
    }
    filling.nTotalWidth += ::GetSystemMetrics(SM_CXVSCROLL);
}

CGXTabbedColumns::StoredStyleEffect CGXTabbedColumns::EffectOfStoredStyle(const CGXStyle* pStyle, int nMode,
                                                                          BOOL bModified, BOOL bUniqueId)
{
    if ((nMode != 0 && nMode != 1) || pStyle == nullptr)
        return StoredStyleEffect::none;
    static const WORD tabbedAttributes[] = {GX_IDS_UA_TAB_KEY_COLUMN,    GX_IDS_UA_TAB_TEXT_COLUMN,
                                            GX_IDS_UA_TAB_SHOW_ALL,      GX_IDS_UA_TAB_TITLES,
                                            GX_IDS_UA_TAB_COLUMN_WIDTHS, GX_IDS_UA_TAB_SORT_COLUMN};
    const BOOL bTabbed = std::any_of(std::begin(tabbedAttributes), std::end(tabbedAttributes),
                                     [pStyle](WORD nId) { return pStyle->HasUserAttribute(nId); }) ||
                         (bUniqueId && pStyle->HasUserAttribute(GX_IDS_UA_TAB_CHOICE_LIST_ID));
    if (bTabbed || pStyle->GetInclude(CGXStyle::inclChoiceList))
        return StoredStyleEffect::newColumns;
    if ((pStyle->GetInclude(CGXStyle::inclValue) && !bModified) || pStyle->GetInclude(CGXStyle::inclControl))
        return StoredStyleEffect::reset;
    return StoredStyleEffect::none;
}

BOOL CGXTabbedColumns::HasValidEditedText(CGXControl& control)
{
    CString strValue;
    return !(control.IsActive() && control.IsModified() && !control.GetStyleValue(strValue));
}
