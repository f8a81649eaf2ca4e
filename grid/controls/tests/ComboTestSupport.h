// A shown grid for the combo cells' tests, whose lists and windows take the focus.
#pragma once

#include "GridTestSupport.h"

#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>

#include <gtest/gtest.h>

#include <utility>

// A tabbed cell's style: key column 0, text column 1, titles on, sorted by the key column.
inline CGXStyle TabbedComboStyle(WORD nId, LPCTSTR pszChoices, LPCTSTR pszValue)
{
    CGXStyle style;
    style.SetControl(nId).SetChoiceList(pszChoices).SetValue(pszValue);
    style.SetUserAttribute(GX_IDS_UA_TAB_KEY_COLUMN, _T("0"))
        .SetUserAttribute(GX_IDS_UA_TAB_TEXT_COLUMN, _T("1"))
        .SetUserAttribute(GX_IDS_UA_TAB_TITLES, _T("1"))
        .SetUserAttribute(GX_IDS_UA_TAB_SORT_COLUMN, _T("0"));
    return style;
}

class ComboGridTest : public HiddenGridOfTest<TestGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest::SetUp();
        Parent().ShowWindow(SW_SHOW);
        m_grid.ShowWindow(SW_SHOW);
        m_grid.SetColWidth(1, 3, 120);
        m_grid.SetFocus();
    }
    // A cell of the control with the choices and the value.
    void SetCombo(ROWCOL nRow, ROWCOL nCol, WORD nId, LPCTSTR pszChoices, LPCTSTR pszValue)
    {
        CGXStyle style;
        style.SetControl(nId).SetChoiceList(pszChoices).SetValue(pszValue);
        ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(nRow, nCol), style));
    }
    // The current cell's control, of the type, at the cell.
    template <class TControl> TControl* ControlAt(ROWCOL nRow, ROWCOL nCol)
    {
        EXPECT_TRUE(m_grid.SetCurrentCell(nRow, nCol));
        auto* pControl = dynamic_cast<TControl*>(m_grid.GetCurrentCellControl());
        EXPECT_NE(pControl, nullptr);
        return pControl;
    }
    CString Stored(ROWCOL nRow, ROWCOL nCol)
    {
        return m_grid.GetValueRowCol(nRow, nCol);
    }
    std::pair<ROWCOL, ROWCOL> Current()
    {
        ROWCOL nRow = 0;
        ROWCOL nCol = 0;
        m_grid.GetCurrentCell(&nRow, &nCol);
        return {nRow, nCol};
    }
};
