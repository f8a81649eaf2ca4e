// Undo and redo: the commands and what they run, round trips on a grid, the undo and redo
// lists, blocks, the menu items and the long operation's locked percentage.
#include "GridTestSupport.h"

#include <grid/core/AppData.h>
#include <grid/core/Command.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/core/WaitState.h>
#include <grid/services/cells/DataCopyMoveCellsImp.h>
#include <grid/services/commands/CommandFactory.h>

#include <testing/MemoryCanvas.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
CString Describe(const CGXStyle& style)
{
    CString strText;
    strText.Format(_T("%lx|%s|%u|%d|%06lx|%u"), style.GetIncludeBits(), static_cast<LPCTSTR>(style.GetValue()),
                   style.GetInclude(CGXStyle::inclControl) ? style.GetControl() : 0,
                   style.GetInclude(CGXStyle::inclFont) ? style.GetFont().GetBold() : -1,
                   style.GetInclude(CGXStyle::inclInterior) ? style.GetInterior().GetColor() : 0,
                   style.GetInclude(CGXStyle::inclBaseStyle) ? style.GetBaseStyle() : 0);
    return strText;
}

// A grid that records the change operations the commands call.
class CallRecordingGrid : public TestGrid
{
public:
    void Record(LPCTSTR pszFormat, ...)
    {
        va_list args;
        va_start(args, pszFormat);
        CString strCall;
        strCall.FormatV(pszFormat, args);
        va_end(args);
        m_calls.push_back(strCall);
    }
    BOOL SetRowHeight(ROWCOL nFrom, ROWCOL nTo, int nHeight, const int* pHeights, UINT flags, int nMode) override
    {
        Record(_T("SetRowHeight %u %u %d %d %u %d"), nFrom, nTo, nHeight, pHeights[0], flags, nMode);
        return TRUE;
    }
    BOOL SetColWidth(ROWCOL nFrom, ROWCOL nTo, int nWidth, const int* pWidths, UINT flags, int nMode) override
    {
        Record(_T("SetColWidth %u %u %d %d %u %d"), nFrom, nTo, nWidth, pWidths[0], flags, nMode);
        return TRUE;
    }
    BOOL HideRows(ROWCOL nFrom, ROWCOL nTo, BOOL bHide, CByteArray* pStates, UINT flags, int nMode) override
    {
        Record(_T("HideRows %u %u %d %d %u %d"), nFrom, nTo, bHide, pStates->GetAt(0), flags, nMode);
        return TRUE;
    }
    BOOL HideCols(ROWCOL nFrom, ROWCOL nTo, BOOL bHide, CByteArray* pStates, UINT flags, int nMode) override
    {
        Record(_T("HideCols %u %u %d %d %u %d"), nFrom, nTo, bHide, pStates->GetAt(0), flags, nMode);
        return TRUE;
    }
    BOOL SetDefaultRowHeight(int nHeight, UINT flags, int nMode) override
    {
        Record(_T("SetDefaultRowHeight %d %u %d"), nHeight, flags, nMode);
        return TRUE;
    }
    BOOL SetDefaultColWidth(int nWidth, UINT flags, int nMode) override
    {
        Record(_T("SetDefaultColWidth %d %u %d"), nWidth, flags, nMode);
        return TRUE;
    }
    BOOL MoveRows(ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags, int nMode) override
    {
        Record(_T("MoveRows %u %u %u %u %d"), nFrom, nTo, nDest, flags, nMode);
        return TRUE;
    }
    BOOL MoveCols(ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest, UINT flags, int nMode) override
    {
        Record(_T("MoveCols %u %u %u %u %d"), nFrom, nTo, nDest, flags, nMode);
        return TRUE;
    }
    BOOL RemoveRows(ROWCOL nFrom, ROWCOL nTo, UINT flags, int nMode) override
    {
        Record(_T("RemoveRows %u %u %u %d"), nFrom, nTo, flags, nMode);
        return TRUE;
    }
    BOOL RemoveCols(ROWCOL nFrom, ROWCOL nTo, UINT flags, int nMode) override
    {
        Record(_T("RemoveCols %u %u %u %d"), nFrom, nTo, flags, nMode);
        return TRUE;
    }
    BOOL InsertRows(ROWCOL nRow, ROWCOL nCount, int* pHeights, CObArray* pCells, CObArray* pLines, ROWCOL nColCount,
                    UINT flags, int nMode) override
    {
        Record(_T("InsertRows %u %u %d %d %d %u %u %d"), nRow, nCount, pHeights[0], static_cast<int>(pCells->GetSize()),
               static_cast<int>(pLines->GetSize()), nColCount, flags, nMode);
        return TRUE;
    }
    BOOL InsertCols(ROWCOL nCol, ROWCOL nCount, int* pWidths, CObArray* pCells, CObArray* pLines, ROWCOL nRowCount,
                    UINT flags, int nMode) override
    {
        Record(_T("InsertCols %u %u %d %d %d %u %u %d"), nCol, nCount, pWidths[0], static_cast<int>(pCells->GetSize()),
               static_cast<int>(pLines->GetSize()), nRowCount, flags, nMode);
        return TRUE;
    }
    BOOL SetCoveredCellsRowCol(ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol, UINT flags, int nMode) override
    {
        Record(_T("SetCoveredCellsRowCol %u %u %u %u %u %d"), nRow, nCol, nToRow, nToCol, flags, nMode);
        return TRUE;
    }
    BOOL SetStyleRange(const CGXRange& range, const CGXStyle* pStyle, int nMode, int nType, const CObArray* pStyles,
                       UINT flags, int nCommandKind) override
    {
        Record(_T("SetStyleRange %u %u %u %u %d %d %d %d %u %d"), range.top, range.left, range.bottom, range.right,
               pStyle != nullptr, nMode, nType, static_cast<int>(pStyles->GetSize()), flags, nCommandKind);
        return TRUE;
    }
    BOOL FreezeRows(ROWCOL nFrozen, ROWCOL nHeader, UINT flags, int nMode) override
    {
        Record(_T("FreezeRows %u %u %u %d"), nFrozen, nHeader, flags, nMode);
        return TRUE;
    }
    BOOL FreezeCols(ROWCOL nFrozen, ROWCOL nHeader, UINT flags, int nMode) override
    {
        Record(_T("FreezeCols %u %u %u %d"), nFrozen, nHeader, flags, nMode);
        return TRUE;
    }
    BOOL MoveRowsToSortOrder(const CGXRange& range, const CDWordArray& order, UINT flags, int nMode) override
    {
        Record(_T("MoveRowsToSortOrder %u %u %lu %u %d"), range.top, range.bottom, order[0], flags, nMode);
        return TRUE;
    }
    BOOL MoveColsToSortOrder(const CGXRange& range, const CDWordArray& order, UINT flags, int nMode) override
    {
        Record(_T("MoveColsToSortOrder %u %u %lu %u %d"), range.left, range.right, order[0], flags, nMode);
        return TRUE;
    }
    BOOL ChangeStylesMap(const CGXStylesMap& stylesMap, UINT flags, int nMode) override
    {
        Record(_T("ChangeStylesMap %d %u %d"), &stylesMap != GetStylesMap(), flags, nMode);
        return TRUE;
    }
    BOOL ChangeProperties(const CGXProperties& properties, UINT flags, int nMode) override
    {
        Record(_T("ChangeProperties %d %u %d"), &properties != GetProperties(), flags, nMode);
        return TRUE;
    }
    BOOL ChangeBaseStyle(WORD nId, const CGXStyle& style, int nStyleMode, UINT flags, int nMode) override
    {
        Record(_T("ChangeBaseStyle %u %s %d %u %d"), nId, static_cast<LPCTSTR>(style.GetValue()), nStyleMode, flags,
               nMode);
        return TRUE;
    }
    BOOL MoveCells(CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject*& pUndoInfo, UINT flags,
                   int nMode) override
    {
        Record(_T("MoveCells %u %u %u %u %u %u %d %u %d"), range.top, range.left, range.bottom, range.right, nDestRow,
               nDestCol, pUndoInfo != nullptr, flags, nMode);
        return m_bMoveSucceeds;
    }
    BOOL SetRangeName(LPCTSTR pszName, const CGXRange& range, CObject* pValue, UINT flags, int nMode) override
    {
        Record(_T("SetRangeName %s %u %u %d %u %d"), pszName, range.top, range.bottom, pValue != nullptr, flags, nMode);
        return TRUE;
    }
    BOOL DeleteRangeName(LPCTSTR pszName, UINT flags, int nMode) override
    {
        Record(_T("DeleteRangeName %s %u %d"), pszName, flags, nMode);
        return TRUE;
    }

    std::vector<CString> m_calls;
    BOOL m_bMoveSucceeds = TRUE;
};

using CommandTableTest = HiddenGridOfTest<CallRecordingGrid>;

CObArray* StyleArray(INT_PTR nSize)
{
    auto* pArray = new CObArray;
    pArray->SetSize(nSize);
    return pArray;
}
} // namespace

TEST_F(CommandTableTest, EachCommandRunsItsOperationWithTheUpdateFlagsAndTheMode)
{
    CGXCommandFactory factory;
    CGXStyle base;
    base.SetValue(_T("b"));
    const WORD nStandard = m_grid.GetStylesMap()->m_wStyleStandard;
    auto order = [] {
        auto* p = new CDWordArray;
        p->Add(7);
        return p;
    };
    auto states = [] {
        auto* p = new CByteArray;
        p->Add(1);
        return p;
    };
    auto sizes = [] { return new int[2]{33, 34}; };
    struct Case
    {
        std::function<CObject*()> create;
        CString strCall;
        LPCTSTR pszName;
    };
    const Case cases[] = {
        {[&] { return factory.CreateSizesCmd(&m_grid, TRUE, 2, 3, sizes()); }, _T("SetRowHeight 2 3 0 33 2 2"),
         _T("Change Row Heights")},
        {[&] { return factory.CreateHideCmd(TRUE, 2, 2, states()); }, _T("HideRows 2 2 0 1 2 2"), _T("Hide Rows")},
        {[&] { return factory.CreateDefaultSizeCmd(&m_grid, TRUE, 21); }, _T("SetDefaultRowHeight 21 2 2"),
         _T("Change Default Row Height")},
        {[&] { return factory.CreateSizesCmd(&m_grid, FALSE, 1, 2, sizes()); }, _T("SetColWidth 1 2 0 33 2 2"),
         _T("Change Column Widths")},
        {[&] { return factory.CreateHideCmd(FALSE, 3, 3, states()); }, _T("HideCols 3 3 0 1 2 2"), _T("Hide Columns")},
        {[&] { return factory.CreateDefaultSizeCmd(&m_grid, FALSE, 44); }, _T("SetDefaultColWidth 44 2 2"),
         _T("Change Default Column Width")},
        {[&] { return factory.CreateMoveRowsColsCmd(TRUE, 2, 3, 8); }, _T("MoveRows 2 3 8 2 2"), _T("Move Rows")},
        {[&] { return factory.CreateMoveRowsColsCmd(FALSE, 1, 1, 4); }, _T("MoveCols 1 1 4 2 2"), _T("Move Columns")},
        {[&] { return factory.CreateInsertCmd(&m_grid, TRUE, 4, 3); }, _T("RemoveRows 4 6 2 2"), _T("Insert Rows")},
        {[&] { return factory.CreateInsertCmd(&m_grid, FALSE, 2, 2); }, _T("RemoveCols 2 3 2 2"), _T("Insert Columns")},
        {[&] {
             auto* pKept = StyleArray(2);
             pKept->SetAt(0, StyleArray(12));
             pKept->SetAt(1, StyleArray(2));
             return factory.CreateRemoveCmd(&m_grid, TRUE, 5, 2, sizes(), pKept, 6);
         },
         _T("InsertRows 5 2 33 12 2 6 2 2"), _T("Removing rows ...")},
        {[&] {
             auto* pKept = StyleArray(2);
             pKept->SetAt(0, StyleArray(21));
             pKept->SetAt(1, StyleArray(1));
             return factory.CreateRemoveCmd(&m_grid, FALSE, 3, 1, sizes(), pKept, 21);
         },
         _T("InsertCols 3 1 33 21 1 21 2 2"), _T("Removing columns ...")},
        {[&] { return factory.CreateCoveredCellsCmd(1, 2, 3, 4); }, _T("SetCoveredCellsRowCol 1 2 3 4 2 2"),
         _T("Cover Cells")},
        {[&] { return factory.CreateSetStyleRangeCmd(CGXRange(1, 2, 3, 4), 5, StyleArray(12), 0); },
         _T("SetStyleRange 1 2 3 4 0 2 5 12 2 2"), _T("Cells")},
        {[&] { return factory.CreateFreezeCmd(&m_grid, TRUE, 2, 1); }, _T("FreezeRows 2 1 2 2"), _T("Freeze Rows")},
        {[&] { return factory.CreateFreezeCmd(&m_grid, FALSE, 3, 0); }, _T("FreezeCols 3 0 2 2"), _T("Freeze Columns")},
        {[&] { return factory.CreateMoveDataCmd(TRUE, order(), CGXRange().SetRows(2, 9)); },
         _T("MoveRowsToSortOrder 2 9 7 2 2"), _T("Sort Rows")},
        {[&] { return factory.CreateMoveDataCmd(FALSE, order(), CGXRange().SetCols(1, 4)); },
         _T("MoveColsToSortOrder 1 4 7 2 2"), _T("Sort Columns")},
        {[&] { return factory.CreateStylesMapCmd(&m_grid, *m_grid.GetStylesMap()); }, _T("ChangeStylesMap 1 2 2"),
         _T("Styles Map Changes")},
        {[&] { return factory.CreatePropertiesCmd(&m_grid, *m_grid.GetProperties()); }, _T("ChangeProperties 1 2 2"),
         _T("Property Settings")},
        {[&] { return factory.CreateBaseStyleCmd(&m_grid, nStandard, base); },
         _T("ChangeBaseStyle ") +
             [&] {
                 CString s;
                 s.Format(_T("%u b 2 2 2"), nStandard);
                 return s;
             }(),
         nullptr},
        {[&] { return factory.CreateMoveCellsCmd(CGXRange(3, 2, 5, 4), 10, 7, new CGXDataUndoMoveCellsInfo); },
         _T("MoveCells 10 7 12 9 3 2 1 2 2"), _T("Move")},
        {[&] { return factory.CreateSetRangeNameCmd(_T("n"), TRUE, CGXRange(4, 1, 6, 1)); },
         _T("SetRangeName n 4 6 0 2 2"), _T("Set Range Name")},
        {[&] { return factory.CreateSetRangeNameCmd(_T("m"), FALSE, CGXRange()); }, _T("DeleteRangeName m 0 2"),
         _T("Set Range Name")},
        {[&] { return factory.CreateDeleteRangeNameCmd(_T("d"), CGXRange(2, 1, 3, 1), new CObList); },
         _T("SetRangeName d 2 3 1 2 2"), _T("Delete Range Name")},
    };
    for (const Case& c : cases)
    {
        m_grid.m_calls.clear();
        std::unique_ptr<CGXCommand> command(static_cast<CGXCommand*>(c.create()));
        ASSERT_NE(command, nullptr) << static_cast<LPCSTR>(CW2A(c.strCall));
        EXPECT_TRUE(factory.ExecuteCommand(command.get(), &m_grid, gxUndo)) << static_cast<LPCSTR>(CW2A(c.strCall));
        ASSERT_EQ(m_grid.m_calls.size(), 1u) << static_cast<LPCSTR>(CW2A(c.strCall));
        EXPECT_STREQ(m_grid.m_calls[0], c.strCall);
        if (c.pszName != nullptr)
        {
            EXPECT_STREQ(command->GetName(), c.pszName);
        }
    }
    // A base style's command carries the style's stored name; a block without a name is "Block".
    std::unique_ptr<CGXCommand> baseCmd(static_cast<CGXCommand*>(factory.CreateBaseStyleCmd(&m_grid, nStandard, base)));
    UINT nResource = 0;
    EXPECT_STREQ(baseCmd->GetName(), m_grid.GetStylesMap()->GetStyleName(nStandard, nResource));
    std::unique_ptr<CObject> block(factory.CreateBlockCmd(nullptr));
    EXPECT_STREQ(static_cast<CGXCommand*>(block.get())->GetName(), _T("Block"));
}

// A failed move back keeps its information, so the retry still restores the overwritten cells.
TEST_F(CommandTableTest, AMoveThatFailsKeepsItsUndoInformation)
{
    CGXCommandFactory factory;
    auto* pInfo = new CGXDataUndoMoveCellsInfo;
    std::unique_ptr<CGXMoveCellsCmd> command(
        static_cast<CGXMoveCellsCmd*>(factory.CreateMoveCellsCmd(CGXRange(1, 1, 2, 2), 5, 5, pInfo)));
    m_grid.m_bMoveSucceeds = FALSE;
    EXPECT_FALSE(factory.ExecuteCommand(command.get(), &m_grid, gxUndo));
    EXPECT_EQ(command->m_pUndoInfo, pInfo);
    EXPECT_STREQ(m_grid.m_calls.back(), _T("MoveCells 5 5 6 6 1 1 1 2 2"));
    m_grid.m_bMoveSucceeds = TRUE;
    EXPECT_TRUE(factory.ExecuteCommand(command.get(), &m_grid, gxUndo));
    EXPECT_EQ(command->m_pUndoInfo, nullptr);
    delete pInfo; // the recording grid took it without owning it
}

namespace
{
// What a user can see of a grid: every stored cell and base style, the sizes, the counts and
// the drawn pixels.
struct GridPicture
{
    std::vector<CString> cells;
    std::vector<COLORREF> pixels;
};

// A grid of 20 rows and 5 columns with values, a bold cell, a row's base style and height.
class UndoRoundTripTest : public HiddenGridTest
{
protected:
    void SetUp() override
    {
        HiddenGridTest::SetUp();
        m_grid.SetValueRange(CGXRange(1, 1), _T("a"));
        m_grid.SetValueRange(CGXRange(2, 3), _T("b"));
        CGXStyle bold;
        bold.SetValue(_T("c")).SetFont(CGXFont().SetBold(TRUE));
        m_grid.SetStyleRangeShort(CGXRange(4, 2), bold);
        CGXStyle red;
        red.SetInteriorColor(RGB(255, 0, 0));
        m_grid.SetStyleRange(CGXRange().SetRows(4, 4), &red, 0, -1, nullptr, GX_INVALIDATE, 0);
        m_grid.SetRowHeight(4, 4, 30);
        m_grid.SetValueRange(CGXRange(20, 5), _T("z"));
        // Undo shows the changed cell as the current one; its marked headers are not what these
        // pictures compare.
        m_grid.GetProperties()->m_bMarkRowHeader = FALSE;
        m_grid.GetProperties()->m_bMarkColHeader = FALSE;
        m_grid.SetCurrentCell(1, 1);
        ClearUndo();
    }
    void ClearUndo()
    {
        for (CObList* pList : {m_grid.GetParam()->GetUndoList(), m_grid.GetParam()->GetRedoList()})
            while (!pList->IsEmpty())
                delete pList->RemoveHead();
    }
    GridPicture Picture()
    {
        GridPicture picture;
        CString strSizes;
        strSizes.Format(_T("%u %u %u %u %d %d"), m_grid.GetRowCount(), m_grid.GetColCount(), m_grid.GetFrozenRows(),
                        m_grid.GetFrozenCols(), m_grid.GetDefaultRowHeight(), m_grid.GetDefaultColWidth());
        picture.cells.push_back(strSizes);
        picture.cells.push_back(Describe(*m_grid.GetBaseStyle(m_grid.GetStylesMap()->m_wStyleStandard)));
        for (ROWCOL r = 0; r <= m_grid.GetRowCount(); ++r)
            for (ROWCOL c = 0; c <= m_grid.GetColCount(); ++c)
            {
                CString strCell;
                strCell.Format(_T("%u,%u:"), r, c);
                CGXStyle style;
                if (m_grid.GetStyleRowCol(r, c, style, CGXStyle::modeCopy, 0))
                    strCell += Describe(style);
                if ((r == 0) != (c == 0))
                {
                    CGXStyle base;
                    if (m_grid.GetStyleRowCol(r, c, base, CGXStyle::modeCopy, -1))
                        strCell += _T(" base ") + Describe(base);
                    CString strSize;
                    strSize.Format(_T(" size %d"), r == 0 ? m_grid.GetColWidth(c) : m_grid.GetRowHeight(r));
                    strCell += strSize;
                }
                picture.cells.push_back(strCell);
            }
        MemoryCanvas canvas(160, 120, RGB(1, 2, 3));
        m_grid.DrawGrid(&canvas.Dc());
        for (int y = 0; y < 120; y += 2)
            for (int x = 0; x < 160; ++x)
                picture.pixels.push_back(canvas.Pixel(x, y));
        return picture;
    }
    void ExpectSame(const GridPicture& a, const GridPicture& b, const char* pszWhat)
    {
        ASSERT_EQ(a.cells.size(), b.cells.size()) << pszWhat;
        for (size_t i = 0; i < a.cells.size(); ++i)
            EXPECT_STREQ(a.cells[i], b.cells[i]) << pszWhat;
        EXPECT_TRUE(a.pixels == b.pixels) << pszWhat << " (pixels)";
    }
    std::pair<ROWCOL, ROWCOL> Current()
    {
        ROWCOL nRow = 0, nCol = 0;
        if (!m_grid.GetCurrentCell(&nRow, &nCol))
            return {GX_INVALID, GX_INVALID};
        return {nRow, nCol};
    }
};
} // namespace

TEST_F(UndoRoundTripTest, UndoPutsEveryChangeBackExactlyAndRedoRepeatsIt)
{
    CGXStyle yellow;
    yellow.SetInteriorColor(RGB(255, 255, 0));
    struct Case
    {
        const char* pszWhat;
        std::function<BOOL()> change;
    };
    const Case cases[] = {
        {"value range", [&] { return m_grid.SetValueRange(CGXRange(2, 2, 4, 3), _T("x")); }},
        {"heights", [&] { return m_grid.SetRowHeight(2, 4, 40); }},
        {"widths", [&] { return m_grid.SetColWidth(1, 2, 70); }},
        {"default height", [&] { return m_grid.SetDefaultRowHeight(30); }},
        {"default width", [&] { return m_grid.SetDefaultColWidth(45); }},
        {"frozen rows", [&] { return m_grid.FreezeRows(2, 0); }},
        {"frozen columns", [&] { return m_grid.FreezeCols(1, 0); }},
        {"insert rows", [&] { return m_grid.InsertRows(3, 2); }},
        {"insert columns", [&] { return m_grid.InsertCols(2, 1); }},
        {"remove rows", [&] { return m_grid.RemoveRows(3, 5); }},
        {"remove columns", [&] { return m_grid.RemoveCols(2, 3); }},
        {"base style",
         [&] {
             return m_grid.ChangeBaseStyle(m_grid.GetStylesMap()->m_wStyleStandard, yellow, CGXStyle::modeOverride);
         }},
        {"moved cells",
         [&] {
             CObject* pInfo = nullptr;
             return m_grid.MoveCells(CGXRange(1, 1, 2, 3), 3, 2, pInfo);
         }},
        {"styles map",
         [&] {
             CGXStylesMap stylesMap(*m_grid.GetStylesMap());
             CGXStyle* pStandard = nullptr;
             stylesMap.LookupStyle(stylesMap.m_wStyleStandard, pStandard);
             pStandard->SetInteriorColor(RGB(0, 255, 255));
             return m_grid.ChangeStylesMap(stylesMap);
         }},
        {"properties",
         [&] {
             CGXProperties properties(*m_grid.GetProperties());
             properties.m_bVerticalLines = properties.m_bHorizontalLines = FALSE;
             return m_grid.ChangeProperties(properties);
         }},
    };
    for (const Case& c : cases)
    {
        ClearUndo();
        m_grid.SetCurrentCell(1, 1);
        const GridPicture before = Picture();
        ASSERT_TRUE(c.change()) << c.pszWhat;
        const GridPicture after = Picture();
        EXPECT_FALSE(before.cells == after.cells && before.pixels == after.pixels) << c.pszWhat;
        ASSERT_TRUE(m_grid.Undo()) << c.pszWhat;
        ExpectSame(before, Picture(), c.pszWhat);
        // Another current cell, in the same view: Redo must make the recorded cell current. (A
        // scroll here would leave a frozen-column redo in the scrolled view, as a fresh freeze would.)
        m_grid.SetCurrentCell(5, 5, GX_UPDATENOW);
        ASSERT_TRUE(m_grid.Redo()) << c.pszWhat;
        ExpectSame(after, Picture(), c.pszWhat);
        EXPECT_EQ(Current(), std::make_pair(ROWCOL(1), ROWCOL(1))) << c.pszWhat;
        ASSERT_TRUE(m_grid.Undo()) << c.pszWhat; // and back, for the next case
        ExpectSame(before, Picture(), c.pszWhat);
    }
}

TEST_F(UndoRoundTripTest, RowUndoFlagsChooseWhatARemovalKeeps)
{
    struct Case
    {
        WORD wFlags;
        const char* pszBase;
        const char* pszCell;
    };
    for (const Case& c : {Case{1, "base", ""}, Case{2, "", "c"}, Case{0, "", ""}})
    {
        ClearUndo();
        m_grid.GetParam()->m_wRowUndoFlags = c.wFlags;
        ASSERT_TRUE(m_grid.RemoveRows(4, 4));
        ASSERT_TRUE(m_grid.Undo());
        CGXStyle base;
        const BOOL bBase = m_grid.GetStyleRowCol(4, 0, base, CGXStyle::modeCopy, -1);
        EXPECT_EQ(bBase != FALSE, c.pszBase[0] != 0) << c.wFlags;
        EXPECT_STREQ(m_grid.GetValueRowCol(4, 2), CString(c.pszCell)) << c.wFlags;
        EXPECT_EQ(m_grid.GetRowHeight(4), 30) << c.wFlags; // heights always come back
        EXPECT_EQ(m_grid.GetRowCount(), 20u);
        // Put the row as it was for the next case.
        CGXStyle red;
        red.SetInteriorColor(RGB(255, 0, 0));
        m_grid.SetStyleRange(CGXRange().SetRows(4, 4), &red, 0, -1, nullptr, GX_INVALIDATE, 0);
        CGXStyle bold;
        bold.SetValue(_T("c")).SetFont(CGXFont().SetBold(TRUE));
        m_grid.SetStyleRangeShort(CGXRange(4, 2), bold);
    }
}

namespace
{
// A grid that counts how often the current cell is set.
class CountingGrid : public TestGrid
{
public:
    BOOL SetCurrentCell(ROWCOL nRow, ROWCOL nCol, UINT flags = GX_MOVECELL) override
    {
        ++m_nSetCurrentCell;
        return TestGrid::SetCurrentCell(nRow, nCol, flags);
    }
    int m_nSetCurrentCell = 0;
};

// A cell control that edits by being told so.
class EditingControl : public CGXControl
{
public:
    using CGXControl::CGXControl;
    void SetActive(BOOL bActive) override
    {
        m_bActive = bActive;
    }
    BOOL IsActive() override
    {
        return m_bActive;
    }
    void SetModified(BOOL bModified) override
    {
        m_bModified = bModified;
    }
    BOOL IsModified() override
    {
        return m_bModified;
    }
    BOOL m_bActive = FALSE;
    BOOL m_bModified = FALSE;
};

// Fails while told so; records nothing.
class FailingCmd : public CGXCommand
{
public:
    explicit FailingCmd(BOOL* pbFail) : m_pbFail(pbFail)
    {
    }
    BOOL Execute(CGXGridCore*, int) override
    {
        return !*m_pbFail;
    }
    CString GetName() override
    {
        return _T("failing");
    }
    BOOL* m_pbFail;
};

// Throws, as a grid operation out of memory would.
class ThrowingCmd : public CGXCommand
{
public:
    BOOL Execute(CGXGridCore*, int) override
    {
        AfxThrowUserException();
    }
    CString GetName() override
    {
        return _T("throwing");
    }
};

// Keeps the status texts of long operations.
class StatusRecordingImp : public CGXLongOperationImp
{
public:
    void SetStatusText(GXLongOperationRecord* pRecord, LPCTSTR pszText, BOOL bCopy) override
    {
        m_texts.emplace_back(pszText);
        CGXLongOperationImp::SetStatusText(pRecord, pszText, bCopy);
    }
    std::vector<CString> m_texts;
};

class UndoListTest : public HiddenGridOfTest<CountingGrid>
{
protected:
    CGXGridParam* Param()
    {
        return m_grid.GetParam();
    }
    CObList* UndoList()
    {
        return Param()->GetUndoList();
    }
    CObList* RedoList()
    {
        return Param()->GetRedoList();
    }
    CGXBlockCmd* HeadBlock()
    {
        return DYNAMIC_DOWNCAST(CGXBlockCmd, UndoList()->GetHead());
    }
    // The Undo item's text after an update, from a menu whose item reads pszItem.
    CString UndoItemText(UINT nId, LPCTSTR pszItem)
    {
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, nId, pszItem);
        CCmdUI ui;
        ui.m_nID = nId;
        ui.m_nIndex = 0;
        ui.m_nIndexMax = 1;
        ui.m_pMenu = &menu;
        m_grid.UpdateUndoCommandUI(&ui);
        CString strText;
        menu.GetMenuString(nId, strText, MF_BYCOMMAND);
        menu.DestroyMenu();
        return strText;
    }
};
} // namespace

TEST_F(UndoListTest, AFullListLosesOneOldestEntryBeforeEachAdd)
{
    for (int i = 0; i < 513; ++i)
        UndoList()->AddHead(new CGXSetDefaultRowHeightCmd(i));
    for (int i = 0; i < 3; ++i)
    {
        m_grid.RecordCommand(new CGXSetDefaultRowHeightCmd(1000 + i), gxDo);
        EXPECT_EQ(UndoList()->GetCount(), 513);
        EXPECT_EQ(static_cast<CGXSetDefaultRowHeightCmd*>(UndoList()->GetTail())->m_nHeight, i + 1);
    }
}

TEST_F(UndoListTest, BlocksNestByCountingAndANewActionEmptiesTheRedoList)
{
    RedoList()->AddHead(new CGXSetDefaultRowHeightCmd(1));
    m_grid.BeginUndoBlock(_T("outer"));
    m_grid.BeginUndoBlock(_T("inner"));
    m_grid.SetValueRange(CGXRange(1, 1), _T("v"));
    EXPECT_TRUE(RedoList()->IsEmpty());
    // Undo and redo wait for the open block.
    EXPECT_FALSE(m_grid.Undo());
    EXPECT_FALSE(m_grid.Redo());
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), _T("v"));
    m_grid.EndUndoBlock();
    m_grid.EndUndoBlock();
    ASSERT_EQ(UndoList()->GetCount(), 1);
    ASSERT_NE(HeadBlock(), nullptr);
    EXPECT_STREQ(HeadBlock()->GetName(), _T("outer"));
    EXPECT_EQ(HeadBlock()->m_CommandList.GetCount(), 1);

    // An empty block vanishes.
    m_grid.BeginUndoBlock(_T("empty"));
    m_grid.BeginUndoBlock(_T("empty"));
    m_grid.EndUndoBlock();
    m_grid.EndUndoBlock();
    EXPECT_EQ(UndoList()->GetCount(), 1);
    EXPECT_EQ(Param()->m_nUndoBlockLevel, 0);
}

TEST_F(UndoListTest, ANestedRollbackOnlyCountsAndTheOutermostUndoesWithoutARedoEntry)
{
    m_grid.BeginUndoBlock(_T("r"));
    m_grid.SetValueRange(CGXRange(1, 1), _T("v"));
    m_grid.BeginUndoBlock(_T("r2"));
    m_grid.RollbackUndoBlock();
    EXPECT_EQ(Param()->m_nUndoBlockLevel, 1);
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), _T("v"));
    m_grid.RollbackUndoBlock();
    EXPECT_EQ(Param()->m_nUndoBlockLevel, 0);
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), _T(""));
    EXPECT_TRUE(UndoList()->IsEmpty());
    EXPECT_TRUE(RedoList()->IsEmpty());
}

TEST_F(UndoListTest, UndoingABlockShowsItsNameAndLeavesOneRedoBlock)
{
    StatusRecordingImp status;
    CGXAbstractLongOperationImp* pInstalled = GXGetAppDataPtr()->m_pLongOperationImp;
    GXGetAppDataPtr()->m_pLongOperationImp = &status;
    m_grid.BeginUndoBlock(_T("Fill"));
    for (ROWCOL r = 1; r <= 3; ++r)
        m_grid.SetValueRange(CGXRange(r, 1), _T("f"));
    m_grid.EndUndoBlock();
    EXPECT_TRUE(m_grid.Undo());
    GXGetAppDataPtr()->m_pLongOperationImp = pInstalled;

    EXPECT_NE(std::find(status.m_texts.begin(), status.m_texts.end(), CString(_T("Undoing Fill ..."))),
              status.m_texts.end());
    EXPECT_TRUE(UndoList()->IsEmpty());
    ASSERT_EQ(RedoList()->GetCount(), 1);
    auto* pRedo = DYNAMIC_DOWNCAST(CGXBlockCmd, RedoList()->GetHead());
    ASSERT_NE(pRedo, nullptr);
    EXPECT_STREQ(pRedo->GetName(), _T("Fill"));
    EXPECT_EQ(pRedo->m_CommandList.GetCount(), 3);
    for (ROWCOL r = 1; r <= 3; ++r)
        EXPECT_STREQ(m_grid.GetValueRowCol(r, 1), _T(""));
    EXPECT_TRUE(m_grid.Redo());
    for (ROWCOL r = 1; r <= 3; ++r)
        EXPECT_STREQ(m_grid.GetValueRowCol(r, 1), _T("f"));
}

TEST_F(UndoListTest, UndoingAHundredChangesInABlockSetsTheCurrentCellOnce)
{
    m_grid.BeginUndoBlock(_T("Hundred"));
    for (ROWCOL i = 0; i < 100; ++i)
        m_grid.SetValueRange(CGXRange(1 + i % 20, 1 + i / 20), _T("v"));
    m_grid.EndUndoBlock();
    m_grid.SetCurrentCell(20, 5);
    m_grid.m_nSetCurrentCell = 0;
    ASSERT_TRUE(m_grid.Undo());
    EXPECT_EQ(m_grid.m_nSetCurrentCell, 1);
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), _T(""));
}

// A block that fails part-way takes back what it did and stays whole on its list.
TEST_F(UndoListTest, ABlockFailingPartWayLeavesTheGridAndTheListsAsBefore)
{
    BOOL bFail = TRUE;
    m_grid.BeginUndoBlock(_T("two"));
    m_grid.SetValueRange(CGXRange(1, 1), _T("x"));
    m_grid.EndUndoBlock();
    HeadBlock()->m_CommandList.AddTail(new FailingCmd(&bFail)); // runs after the value change

    EXPECT_FALSE(m_grid.Undo());
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), _T("x"));
    ASSERT_EQ(UndoList()->GetCount(), 1);
    EXPECT_EQ(HeadBlock()->m_CommandList.GetCount(), 2);
    EXPECT_TRUE(RedoList()->IsEmpty());

    bFail = FALSE;
    EXPECT_TRUE(m_grid.Undo());
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), _T(""));
    EXPECT_EQ(RedoList()->GetCount(), 1);
}

// A block whose command throws leaves the grid recording its own changes again.
TEST_F(UndoListTest, ABlockWhoseCommandThrowsLeavesTheGridUsable)
{
    m_grid.BeginUndoBlock(_T("two"));
    m_grid.SetValueRange(CGXRange(1, 1), _T("x"));
    m_grid.EndUndoBlock();
    HeadBlock()->m_CommandList.AddTail(new ThrowingCmd);
    try
    {
        m_grid.Undo();
        ADD_FAILURE() << "the command's exception was lost";
    }
    catch (CException* e)
    {
        e->Delete();
    }
    EXPECT_FALSE(m_grid.IsExecutingBlock());
    EXPECT_FALSE(Param()->m_bSeveralCommands);
    UndoList()->RemoveAll();
    m_grid.SetValueRange(CGXRange(2, 2), _T("y"));
    EXPECT_EQ(UndoList()->GetCount(), 1);
    EXPECT_TRUE(m_grid.Undo());
    EXPECT_STREQ(m_grid.GetValueRowCol(2, 2), _T(""));
}

TEST_F(UndoListTest, UndoDiscardsAPendingEditFirstAndTheMenuNamesIt)
{
    constexpr WORD nControlId = 30301;
    auto* pControl = new EditingControl(&m_grid);
    m_grid.RegisterControl(nControlId, pControl, FALSE, FALSE);
    CGXStyle style;
    style.SetControl(nControlId);
    m_grid.SetStyleRangeShort(CGXRange(2, 2), style);
    m_grid.SetValueRange(CGXRange(1, 1), _T("kept"));
    m_grid.SetCurrentCell(2, 2);
    ASSERT_EQ(m_grid.GetCurrentCellControl(), pControl);
    pControl->m_bActive = TRUE;
    pControl->m_bModified = TRUE;
    const INT_PTR nEntries = UndoList()->GetCount();

    EXPECT_STREQ(UndoItemText(30300, _T("Undo %1")), _T("Undo Current Cell"));
    EXPECT_TRUE(m_grid.Undo());
    EXPECT_FALSE(pControl->m_bModified);
    EXPECT_EQ(UndoList()->GetCount(), nEntries);
    EXPECT_STREQ(m_grid.GetValueRowCol(1, 1), _T("kept"));
}

TEST_F(UndoListTest, TheMenuTextComesFromTheThirdFieldOfTheCommandsString)
{
    m_grid.SetValueRange(CGXRange(1, 1), _T("v"));
    EXPECT_STREQ(UndoItemText(30200, _T("ignored")), _T("Undo Cells now"));
}

TEST_F(UndoListTest, RemovingRowsTooManyToUndoAsksFirst)
{
    m_grid.SetRowCount(40001);
    m_grid.SetValueRange(CGXRange(100, 1), _T("gone"));
    m_app.m_answers = {IDCANCEL};
    EXPECT_FALSE(m_grid.RemoveRows(1, 40000));
    ASSERT_EQ(m_app.m_boxes.size(), 1u);
    EXPECT_STREQ(m_app.m_boxes[0].strText, _T("Operation is too large for the undo buffer. Do you want to continue?"));
    EXPECT_EQ(m_grid.GetRowCount(), 40001u);

    m_app.m_answers = {IDOK};
    EXPECT_TRUE(m_grid.RemoveRows(1, 40000));
    EXPECT_EQ(m_grid.GetRowCount(), 1u);
    ASSERT_TRUE(m_grid.Undo()); // the rows come back without their styles
    EXPECT_EQ(m_grid.GetRowCount(), 40001u);
    EXPECT_STREQ(m_grid.GetValueRowCol(100, 1), _T(""));
}

TEST(LongOperationFreeze, AnOuterLockOutlivesInnerRequestsAndIgnoresTheirPercentages)
{
    GX_WAIT_STATE* pState = GXGetWaitState();
    CGXLongOperationScope outer;
    {
        CGXLongOperationScope level1;
        GXLongOpFreezeFeedback(TRUE);
        GXLongOpSetPercentDone(10);
        {
            CGXLongOperationScope level2;
            GXLongOpFreezeFeedback(TRUE);
            GXLongOpSetPercentDone(50);
            EXPECT_EQ(pState->m_nPercentDone, 10);
            GXLongOpFreezeFeedback(FALSE);
            EXPECT_TRUE(GXLongOpIsBeyondCutoff());
        }
        GXLongOpSetPercentDone(30);
        EXPECT_EQ(pState->m_nPercentDone, 30);
        GXLongOpFreezeFeedback(FALSE);
    }
    EXPECT_EQ(pState->m_nCutOffLevel, -1);
}

// Inside a block only a block at the head of the list takes new commands.
TEST_F(UndoListTest, AnOpenLevelWithoutABlockAddsToTheListItself)
{
    UndoList()->AddHead(new CGXSetDefaultRowHeightCmd(1));
    Param()->m_nUndoBlockLevel = 1;
    m_grid.RecordCommand(new CGXSetDefaultRowHeightCmd(2), gxDo);
    Param()->m_nUndoBlockLevel = 0;
    ASSERT_EQ(UndoList()->GetCount(), 2);
    EXPECT_EQ(static_cast<CGXSetDefaultRowHeightCmd*>(UndoList()->GetHead())->m_nHeight, 2);
}
