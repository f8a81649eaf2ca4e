#include <grid/controls/TabbedColumns.h>

#include <grid/controls/ComboSupport.h>
#include <grid/controls/TabbedLBoxHeader.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/AbstractUserAttribute.h>
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
        else if (m_nTextCol == 0)
            filling.items.push_back(strLine);
        else
            filling.items.push_back(ColumnText(strLine, m_nTextCol) + _T('\t') + strLine);
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
