// Every cell kind in one grid at once: the windows that the window-backed kinds make, their own and
// their hidden ones, never share an id with a sibling, so that notifications and GetDlgItem reach
// the window they mean.
#include "GridTestSupport.h"

#include <grid/services/ControlFactory.h>
#include <grid/core/Range.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace
{
// Every window below hWnd, at any depth.
std::vector<HWND> Descendants(HWND hWnd)
{
    std::vector<HWND> windows;
    ::EnumChildWindows(
        hWnd,
        [](HWND hChild, LPARAM lParam) {
            reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hChild);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string Describe(HWND hWnd)
{
    char szClass[64] = {};
    ::GetClassNameA(hWnd, szClass, static_cast<int>(std::size(szClass)));
    return std::string(szClass) + " id " + std::to_string(::GetWindowLongPtrW(hWnd, GWLP_ID));
}

using WindowIdsTest = HiddenGridOfTest<TestGrid>;
} // namespace

TEST_F(WindowIdsTest, NoTwoChildrenOfAParentShareAnIdWithEveryCellKindInTheGrid)
{
    const auto& ids = CGXControlFactory::s_anControlIds;
    const auto nKinds = static_cast<ROWCOL>(std::size(ids));
    m_grid.GetData()->SetColCount(nKinds);
    for (ROWCOL nCol = 1; nCol <= nKinds; nCol++)
    {
        CGXStyle style;
        style.SetControl(ids[nCol - 1]).SetValue(_T("1"));
        ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(1, nCol), style));
        // Entering the cell makes the windows that a control makes on first use.
        m_grid.SetCurrentCell(1, nCol);
        ASSERT_NE(m_grid.GetRegisteredControl(ids[nCol - 1]), nullptr) << ids[nCol - 1];
    }

    std::map<std::pair<HWND, LONG_PTR>, HWND> seen;
    for (HWND hWnd : Descendants(m_grid.m_hWnd))
    {
        const auto key = std::make_pair(::GetParent(hWnd), ::GetWindowLongPtrW(hWnd, GWLP_ID));
        const auto [it, bNew] = seen.emplace(key, hWnd);
        EXPECT_TRUE(bNew) << Describe(hWnd) << " shares its id with its sibling " << Describe(it->second);
    }
    // Among them the rich edit's four hidden windows.
    const CWnd* pRichEdit = m_grid.GetRegisteredControl(GX_IDS_CTRL_RICH_EDIT)->GetControlWindow();
    EXPECT_EQ(Descendants(pRichEdit->GetSafeHwnd()).size(), 4U);
}
