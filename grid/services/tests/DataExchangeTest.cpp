// Cells as tab-separated text and as whole styles: the bytes copies write, and what pastes of
// such text and streams do to a grid, its undo and its long operation.
#include "ArchiveBytes.h"
#include "GridTestSupport.h"

#include <grid/core/Command.h>
#include <grid/core/Data.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace
{
// A grid whose chosen cells refuse the texts pasted into them.
class RefusingGrid : public TestGrid
{
public:
    BOOL SetControlTextRowCol(ROWCOL nRow, ROWCOL nCol, const CString& strText, UINT flags,
                              const CGXStyle* pStyle) override
    {
        if (m_refused.count({nRow, nCol}) != 0)
            return FALSE;
        return TestGrid::SetControlTextRowCol(nRow, nCol, strText, flags, pStyle);
    }
    BOOL SetColCount(ROWCOL nCols, UINT flags) override
    {
        ++m_nColCountCalls;
        return TestGrid::SetColCount(nCols, flags);
    }
    std::set<std::pair<ROWCOL, ROWCOL>> m_refused;
    int m_nColCountCalls = 0;
};

CGXRangeList* NewList(std::initializer_list<CGXRange> ranges)
{
    auto* pList = new CGXRangeList;
    for (const CGXRange& range : ranges)
        pList->AddTail(new CGXRange(range));
    return pList;
}

class DataExchangeTest : public HiddenGridOfTest<RefusingGrid>
{
protected:
    void TearDown() override
    {
        CGXLongOperationImp::s_pfnGetTickCount = ::GetTickCount;
        HiddenGridOfTest<RefusingGrid>::TearDown();
    }
    void Set(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue)
    {
        ASSERT_TRUE(m_grid.SetValueRange(CGXRange(nRow, nCol), pszValue));
    }
    CString Value(ROWCOL nRow, ROWCOL nCol)
    {
        return m_grid.GetValueRowCol(nRow, nCol);
    }
    // What CopyText writes for the ranges, zero unit included, and its answer.
    std::pair<std::wstring, BOOL> CopiedText(std::initializer_list<CGXRange> ranges)
    {
        std::unique_ptr<CGXRangeList> list(NewList(ranges));
        CMemFile file;
        const BOOL bCopied = m_grid.m_pTextDataExchangeImp->CopyText(&m_grid, file, *list);
        const auto nBytes = static_cast<size_t>(file.GetLength());
        BYTE* pBytes = file.Detach();
        std::wstring text(reinterpret_cast<const wchar_t*>(pBytes), nBytes / sizeof(wchar_t));
        free(pBytes);
        return {text, bCopied};
    }
    BOOL PasteText(const std::wstring& text, ROWCOL nRow, ROWCOL nCol)
    {
        return m_grid.m_pTextDataExchangeImp->PasteText(&m_grid, text.c_str(), text.size() * sizeof(wchar_t),
                                                          CGXRange(nRow, nCol));
    }
    INT_PTR UndoCount()
    {
        return m_grid.GetParam()->GetUndoList()->GetCount();
    }
    CString NewestUndoName()
    {
        return static_cast<CGXCommand*>(m_grid.GetParam()->GetUndoList()->GetHead())->GetName();
    }
};
} // namespace

TEST_F(DataExchangeTest, CopiedTextIsTabSeparatedUnicodeWithItsZeroUnit)
{
    Set(1, 1, L"a");
    Set(1, 2, L"b");
    Set(2, 1, L"c");
    Set(2, 2, L"d");
    Set(3, 1, L"x\r\ny");
    Set(3, 2, L"p\tq");
    Set(3, 3, L"r\ns\rt");
    struct Case
    {
        const char* pszWhat;
        WORD wFlags;
        LPCTSTR pszSeparator;
        CGXRange range;
        std::wstring expected;
    };
    const Case cases[] = {
        {"one cell", 0x38, L"", CGXRange(1, 1), std::wstring(L"a\0", 2)},
        {"one row", 0x38, L"", CGXRange(1, 1, 1, 2), std::wstring(L"a\tb\r\n\0", 6)},
        {"two by two", 0x38, L"", CGXRange(1, 1, 2, 2), std::wstring(L"a\tb\r\nc\td\r\n\0", 11)},
        {"a line break is one blank", 0x38, L"", CGXRange(3, 1), std::wstring(L"x y\0", 4)},
        {"line breaks as escapes", 0x1038, L"", CGXRange(3, 1), std::wstring(L"x\\r\\ny\0", 7)},
        {"a TAB as its escape", 0x38, L"", CGXRange(3, 2), std::wstring(L"p\\tq\0", 5)},
        {"lone CR and LF are blanks", 0x38, L"", CGXRange(3, 3), std::wstring(L"r s t\0", 6)},
        {"copy separator", 0x38, L";", CGXRange(1, 1, 1, 2), std::wstring(L"a;b\r\n\0", 6)},
    };
    for (const Case& c : cases)
    {
        m_grid.m_nClipboardFlags = c.wFlags;
        m_grid.m_strCopySeparator = c.pszSeparator;
        const auto [text, bCopied] = CopiedText({c.range});
        EXPECT_EQ(text, c.expected) << c.pszWhat;
        EXPECT_TRUE(bCopied) << c.pszWhat;
    }
    const std::wstring one = CopiedText({CGXRange(1, 1)}).first;
    const Bytes bytes(reinterpret_cast<const BYTE*>(one.data()), reinterpret_cast<const BYTE*>(one.data()) + 4);
    EXPECT_EQ(bytes, (Bytes{0x61, 0x00, 0x00, 0x00}));

    // Two column spans and two row spans: the counters tell the rows and the last row's cells.
    m_grid.m_strCopySeparator.Empty();
    EXPECT_EQ(CopiedText({CGXRange(1, 1, 1, 2), CGXRange(2, 3, 3, 3)}).first,
              std::wstring(L"a\tb\t\r\nc\td\t\r\nx y\tp\\tq\tr s t\r\n\0", 29));
    EXPECT_EQ(m_grid.m_nCopiedRows, 3u);
    EXPECT_EQ(m_grid.m_nCopiedCols, 3u);

    const auto [empty, bCopied] = CopiedText({CGXRange(10, 1, 11, 2)});
    EXPECT_FALSE(bCopied);
    EXPECT_EQ(empty, std::wstring(L"\t\r\n\t\r\n\0", 7));

    // A text far longer than the pieces it is written in comes whole.
    ASSERT_TRUE(m_grid.SetRowCount(3000));
    ASSERT_TRUE(m_grid.SetValueRange(CGXRange(1, 1, 3000, 5), L"0123456789"));
    std::wstring expected;
    for (int nRow = 0; nRow < 3000; ++nRow)
        expected += L"0123456789\t0123456789\t0123456789\t0123456789\t0123456789\r\n";
    expected += L'\0';
    EXPECT_EQ(CopiedText({CGXRange(1, 1, 3000, 5)}).first, expected);

    // The core hands the same text back as one string, without its zero unit.
    std::unique_ptr<CGXRangeList> list(NewList({CGXRange(1, 1, 3000, 5)}));
    CString strText;
    EXPECT_TRUE(m_grid.CopyTextFromRangeList(*list, strText));
    expected.pop_back();
    EXPECT_EQ(std::wstring(strText.GetString(), strText.GetLength()), expected);
}

TEST_F(DataExchangeTest, TextDimensionsCountRowsAndTheWidestRow)
{
    const struct
    {
        std::wstring text;
        LPCTSTR pszSeparators;
        ROWCOL nRows, nCols;
    } cases[] = {
        {std::wstring(L"a\tb\r\nc\0", 7), L"", 2, 2},
        {L"a\tb\r\nc", L"", 1, 2},
        {L"", L"", 0, 1},
        {std::wstring(L"a;b\0", 4), L";", 1, 2},
        {std::wstring(L"a;b\0", 4), L"", 1, 1},
        {std::wstring(L"a\r\n\0x\ty", 7), L"", 1, 1},
    };
    for (const auto& c : cases)
    {
        m_grid.m_strPasteSeparators = c.pszSeparators;
        ROWCOL nRows = 99, nCols = 99;
        m_grid.CalcTextDimension(c.text.c_str(), c.text.size(), nRows, nCols);
        EXPECT_EQ(nRows, c.nRows) << c.text.size();
        EXPECT_EQ(nCols, c.nCols) << c.text.size();
    }
}

TEST_F(DataExchangeTest, PastedTextFillsCellsFromTheTargetAndGrowsTheGridUnlessForbidden)
{
    EXPECT_TRUE(PasteText(L"1\t2\r\n3", 5, 5 - 1));
    EXPECT_STREQ(Value(5, 4), L"1");
    EXPECT_STREQ(Value(5, 5), L"2");
    EXPECT_STREQ(Value(6, 4), L"3");
    EXPECT_STREQ(Value(6, 5), L""); // the second line has one cell
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_STREQ(NewestUndoName(), L"Paste.");
    EXPECT_TRUE(m_grid.Undo());
    EXPECT_STREQ(Value(5, 4), L"");
    EXPECT_STREQ(Value(6, 4), L"");

    // A closing CR LF adds no row; the text ends at its first zero unit.
    EXPECT_TRUE(PasteText(L"a\r\n", 20, 1));
    EXPECT_EQ(m_grid.GetRowCount(), 20u);
    EXPECT_TRUE(PasteText(std::wstring(L"z\0\tjunk", 7), 1, 1));
    EXPECT_STREQ(Value(1, 1), L"z");
    EXPECT_STREQ(Value(1, 2), L"");

    // Rows and columns grow; with 0x0200 the paste stops at the last row.
    EXPECT_TRUE(PasteText(L"b\r\nc\td", 20, 5));
    EXPECT_EQ(m_grid.GetRowCount(), 21u);
    EXPECT_EQ(m_grid.GetColCount(), 6u);
    EXPECT_STREQ(Value(21, 6), L"d");
    m_grid.m_nClipboardFlags |= 0x0200;
    EXPECT_TRUE(PasteText(L"e\r\nf", 21, 1));
    EXPECT_EQ(m_grid.GetRowCount(), 21u);
    EXPECT_STREQ(Value(21, 1), L"e");

    // With 0x0400 only the cells beyond the last column are dropped.
    m_grid.m_nClipboardFlags |= 0x0400;
    EXPECT_TRUE(PasteText(L"g\th\ti\r\nj", 1, 5));
    EXPECT_EQ(m_grid.GetColCount(), 6u);
    EXPECT_STREQ(Value(1, 5), L"g");
    EXPECT_STREQ(Value(1, 6), L"h");
    EXPECT_STREQ(Value(2, 5), L"j");
}

TEST_F(DataExchangeTest, AWideLineGrowsTheColumnsOnceAndTextBeyondTheLimitsAsksFirst)
{
    const auto fields = [](int nCount) {
        std::wstring text = L"f1";
        for (int i = 2; i <= nCount; ++i)
            text += L"\tf" + std::to_wstring(i);
        return text;
    };
    EXPECT_TRUE(PasteText(fields(100), 1, 1));
    EXPECT_EQ(m_grid.m_nColCountCalls, 1);
    EXPECT_EQ(m_grid.GetColCount(), 100u);
    EXPECT_STREQ(Value(1, 100), L"f100");
    EXPECT_TRUE(m_app.m_boxes.empty());

    // 32768 fields: the user is asked, and a Cancel changes nothing.
    const std::wstring wide = fields(0x8000);
    const INT_PTR nUndo = UndoCount();
    m_app.m_answers = {IDCANCEL};
    EXPECT_FALSE(PasteText(wide, 2, 1));
    ASSERT_EQ(m_app.m_boxes.size(), 1u);
    EXPECT_STREQ(m_app.m_boxes[0].strText, L"Range too big.");
    EXPECT_EQ(m_grid.GetColCount(), 100u);
    EXPECT_STREQ(Value(2, 1), L"");
    EXPECT_EQ(UndoCount(), nUndo);
    // OK pastes; the columns that the flags forbid are skipped.
    m_grid.m_nClipboardFlags |= 0x0400;
    m_app.m_answers = {IDOK};
    EXPECT_TRUE(PasteText(wide, 2, 1));
    EXPECT_EQ(m_app.m_boxes.size(), 2u);
    EXPECT_STREQ(Value(2, 100), L"f100");
    EXPECT_EQ(m_grid.GetColCount(), 100u);
}

TEST_F(DataExchangeTest, ALongLineKeepsEveryFieldInItsColumnAndStopsAtARefusedOne)
{
    // 700 fields, empty ones around the hundreds, and a separator at the end: 701 cells.
    std::wstring line;
    for (int i = 1; i <= 700; ++i)
        line += (i % 256 <= 1 ? L"" : L"f" + std::to_wstring(i)) + L"\t";
    EXPECT_TRUE(PasteText(line + L"\r\nnext", 1, 2));
    EXPECT_EQ(m_grid.GetColCount(), 702u);
    for (const ROWCOL nField : {1u, 2u, 255u, 256u, 257u, 258u, 511u, 512u, 513u, 514u, 700u})
        EXPECT_EQ(std::wstring(Value(1, nField + 1)), nField % 256 <= 1 ? L"" : L"f" + std::to_wstring(nField))
            << "field " << nField;
    EXPECT_STREQ(Value(1, 702), L"");
    EXPECT_STREQ(Value(2, 2), L"next");

    m_grid.m_refused = {{3, 400}};
    EXPECT_FALSE(PasteText(line, 3, 1));
    EXPECT_STREQ(Value(3, 399), L"f399");
    EXPECT_STREQ(Value(3, 401), L"");
}

TEST_F(DataExchangeTest, OneUndoTakesBackThePastedCellsAndRowsAndRedoPastesThemAgain)
{
    // The text covers old cells, cells of a new column and cells of new rows.
    Set(19, 5, L"old");
    Set(20, 4, L"kept");
    const std::wstring text = L"a\tb\r\nc\td\r\ne\tf\r\ng";
    EXPECT_TRUE(PasteText(text, 19, 5));
    EXPECT_EQ(m_grid.GetRowCount(), 22u);
    EXPECT_EQ(m_grid.GetColCount(), 6u);
    EXPECT_EQ(UndoCount(), 3); // the two Set and the paste

    EXPECT_TRUE(m_grid.Undo());
    EXPECT_EQ(m_grid.GetRowCount(), 20u);
    EXPECT_EQ(m_grid.GetColCount(), 5u);
    EXPECT_STREQ(Value(19, 5), L"old");
    EXPECT_STREQ(Value(20, 5), L"");
    EXPECT_STREQ(Value(20, 4), L"kept");

    EXPECT_TRUE(m_grid.Redo());
    EXPECT_EQ(m_grid.GetRowCount(), 22u);
    const struct
    {
        ROWCOL nRow, nCol;
        LPCTSTR pszValue;
    } cells[] = {{19, 5, L"a"}, {19, 6, L"b"}, {20, 5, L"c"}, {20, 6, L"d"},
                 {21, 5, L"e"}, {21, 6, L"f"}, {22, 5, L"g"}, {20, 4, L"kept"}};
    for (const auto& c : cells)
        EXPECT_STREQ(Value(c.nRow, c.nCol), c.pszValue) << c.nRow << "," << c.nCol;

    // A refused cell keeps the cells before it, and one Undo takes those back.
    m_grid.m_refused = {{2, 2}};
    Set(1, 1, L"x");
    EXPECT_FALSE(PasteText(L"1\t2\r\n3\t4", 1, 1));
    EXPECT_STREQ(Value(1, 2), L"2");
    EXPECT_STREQ(Value(2, 1), L"3");
    EXPECT_TRUE(m_grid.Undo());
    EXPECT_STREQ(Value(1, 1), L"x");
    EXPECT_STREQ(Value(1, 2), L"");
    EXPECT_STREQ(Value(2, 1), L"");
}

TEST_F(DataExchangeTest, EscapesComeBackOnlyWithTheirFlag)
{
    Set(1, 1, L"x\r\ny");
    m_grid.m_nClipboardFlags = 0x1038;
    const std::wstring escaped = CopiedText({CGXRange(1, 1)}).first;
    EXPECT_TRUE(PasteText(escaped, 2, 1));
    EXPECT_STREQ(Value(2, 1), L"x\r\ny");
    EXPECT_TRUE(PasteText(L"a\\xb\\tc\\", 3, 1));
    EXPECT_STREQ(Value(3, 1), L"a\\xb\tc\\");
    m_grid.m_nClipboardFlags = 0x38;
    EXPECT_TRUE(PasteText(escaped, 4, 1));
    EXPECT_STREQ(Value(4, 1), L"x\\r\\ny");
}

TEST_F(DataExchangeTest, ARefusedCellStopsThePasteAndKeepsTheCellsBeforeIt)
{
    m_grid.m_refused = {{1, 2}};
    EXPECT_FALSE(PasteText(L"a\tb\tc\r\nd", 1, 1));
    EXPECT_STREQ(Value(1, 1), L"a");
    EXPECT_STREQ(Value(1, 3), L"");
    EXPECT_STREQ(Value(2, 1), L"");
    // The block is closed: it is one step on the undo list, and the next command is another.
    EXPECT_EQ(UndoCount(), 1);
    Set(5, 5, L"later");
    EXPECT_EQ(UndoCount(), 2);
    EXPECT_EQ(GXLongOpGetLevel(), -1);

    // The grid keeps the rows up to the refused cell's, not those of the lines after it.
    m_grid.m_refused = {{21, 1}};
    EXPECT_FALSE(PasteText(L"a\r\nb\r\nc\r\nd\r\ne", 19, 1));
    EXPECT_EQ(m_grid.GetRowCount(), 21u);
    EXPECT_STREQ(Value(20, 1), L"b");
    EXPECT_TRUE(m_grid.Undo());
    EXPECT_EQ(m_grid.GetRowCount(), 20u);
    EXPECT_STREQ(Value(20, 1), L"");
}

TEST_F(DataExchangeTest, AnAbortedPasteIsUndone)
{
    Set(1, 1, L"old");
    const INT_PTR nUndo = UndoCount();
    CGXLongOperationImp::s_pfnGetTickCount = FastTicks;
    ASSERT_TRUE(::PostThreadMessageW(::GetCurrentThreadId(), WM_KEYDOWN, VK_ESCAPE, 0));
    m_app.m_answers = {IDRETRY}; // abort and roll back
    EXPECT_FALSE(PasteText(L"a\tb\r\nc\td\r\ne\tf", 1, 1));
    ASSERT_EQ(m_app.m_boxes.size(), 1u);
    EXPECT_EQ(m_app.m_boxes[0].nType & MB_TYPEMASK, UINT(MB_ABORTRETRYIGNORE)); // roll back is offered
    EXPECT_STREQ(Value(1, 1), L"old");
    EXPECT_STREQ(Value(1, 2), L"");
    EXPECT_EQ(UndoCount(), nUndo);
    EXPECT_EQ(GXLongOpGetLevel(), -1);
}

namespace
{
// Two grids for copies from A to B.
class StyleExchangeTest : public DataExchangeTest
{
protected:
    void SetUp() override
    {
        DataExchangeTest::SetUp();
        m_other.CreateHidden(&Parent(), CRect(0, 0, 300, 200));
        m_other.GetData()->SetRowCount(20);
        m_other.GetData()->SetColCount(20);
    }
    void TearDown() override
    {
        m_other.DestroyWindow();
        DataExchangeTest::TearDown();
    }
    Bytes CopiedStyles(const CGXRange& range, BOOL bComposed)
    {
        std::unique_ptr<CGXRangeList> list(NewList({range}));
        return Stored([&](CArchive& ar) { EXPECT_TRUE(m_grid.CopyStylesFromRangeList(*list, ar, bComposed)); });
    }
    BOOL Paste(TestGrid& grid, const Bytes& bytes, const CGXRange& target, BOOL bNoSizeCheck = TRUE)
    {
        BOOL bPasted = FALSE;
        Loaded(bytes, [&](CArchive& ar) { bPasted = grid.PasteStylesFromArchive(ar, target, bNoSizeCheck); });
        return bPasted;
    }

    TestGrid m_other;
};
} // namespace

TEST_F(StyleExchangeTest, AStylesCopyIsTheCountsAndAnArrayOfStylesOrNulls)
{
    Set(1, 1, L"a");
    const Bytes expected = Join({DWord(1), DWord(2), NewClassTag(0, "CObArray"), Word(2), NewClassTag(0, "CGXStyle"),
                                 Bytes{0x06, 0, 0, 0x04, 0, 0, 0xFF, 0xFE, 0xFF, 0x01, 0x61, 0, 0, 0, 0, 0, 0},
                                 Word(0)});
    EXPECT_EQ(CopiedStyles(CGXRange(1, 1, 1, 2), FALSE), expected);
    EXPECT_EQ(m_grid.m_nCopiedRows, 1u);
    EXPECT_EQ(m_grid.m_nCopiedCols, 2u);
}

TEST_F(StyleExchangeTest, CellsMoveToAnotherGridWithTheirWholeStyles)
{
    CGXStylesMap* pMap = m_grid.GetStylesMap();
    CGXStyle totals;
    totals.SetInteriorColor(RGB(0, 0, 255));
    pMap->RegisterStyleByName(L"Totals", totals, 0);
    m_other.GetStylesMap()->RegisterStyleByName(L"Filler", CGXStyle(), 0);
    m_other.GetStylesMap()->RegisterStyleByName(L"Totals", totals, 0);
    GXPenRecord pen;
    pen.SetStyle(PS_SOLID).SetWidth(2).SetColor(RGB(255, 0, 0));
    CGXStyle style;
    style.SetValue(L"12")
        .SetFont(CGXFont().SetWeight(700).SetSize(14))
        .SetBorders(GXBorder::Top, pen)
        .SetControl(52523)
        .SetBaseStyle(pMap->LookupStyleId(L"Totals"));
    ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(2, 2), style));
    Set(3, 3, L"plain");

    for (const BOOL bComposed : {FALSE, TRUE})
    {
        m_other.GetData()->SetRowCount(0);
        m_other.GetData()->SetRowCount(20);
        const Bytes bytes = CopiedStyles(CGXRange(2, 2, 3, 3), bComposed);
        CDocument* pDocument = reinterpret_cast<CDocument*>(0x1234);
        Loaded(bytes, [&](CArchive& ar) {
            ar.m_pDocument = pDocument;
            EXPECT_TRUE(m_other.PasteStylesFromArchive(ar, CGXRange(10, 10), TRUE));
            EXPECT_EQ(ar.m_pDocument, pDocument);
        });
        CGXStyle pasted;
        m_other.ComposeStyleRowCol(10, 10, &pasted);
        EXPECT_STREQ(pasted.GetValue(), L"12") << bComposed;
        EXPECT_EQ(pasted.GetFont().GetWeight(), 700) << bComposed;
        EXPECT_EQ(pasted.GetFont().GetSize(), 14) << bComposed;
        EXPECT_TRUE(pasted.HasBorder(GXBorder::Top)) << bComposed;
        EXPECT_EQ(pasted.GetBorders(GXBorder::Top).GetWidth(), 2) << bComposed;
        EXPECT_EQ(pasted.GetControl(), 52523) << bComposed;
        EXPECT_EQ(pasted.GetInterior().GetColor(), RGB(0, 0, 255)) << bComposed;
        CGXStyle own;
        ASSERT_TRUE(m_other.GetStyleRowCol(10, 10, own, CGXStyle::modeCopy, 0));
        if (!bComposed)
        {
            EXPECT_EQ(own.GetBaseStyle(), m_other.GetStylesMap()->LookupStyleId(L"Totals"));
        }
        EXPECT_STREQ(m_other.GetValueRowCol(11, 11), L"plain") << bComposed;
        EXPECT_STREQ(m_other.GetValueRowCol(10, 11), L"") << bComposed;
    }
}

TEST_F(StyleExchangeTest, TooManyRowsSayRangeTooBig)
{
    m_grid.GetData()->SetRowCount(40000);
    std::unique_ptr<CGXRangeList> list(NewList({CGXRange(1, 1, 32768, 1)}));
    Stored([&](CArchive& ar) { EXPECT_FALSE(m_grid.CopyStylesFromRangeList(*list, ar, FALSE)); });
    ASSERT_EQ(m_app.m_boxes.size(), 1u);
    EXPECT_STREQ(m_app.m_boxes[0].strText, L"Range too big.");
}

TEST_F(StyleExchangeTest, ABlockOfAnotherSizeAsksFirstWhenTheFlagSaysSo)
{
    for (ROWCOL r = 1; r <= 3; ++r)
        for (ROWCOL c = 1; c <= 2; ++c)
            Set(r, c, L"v");
    const Bytes bytes = CopiedStyles(CGXRange(1, 1, 3, 2), FALSE);

    m_app.m_answers = {IDCANCEL};
    EXPECT_FALSE(Paste(m_other, bytes, CGXRange(5, 5), FALSE));
    ASSERT_EQ(m_app.m_boxes.size(), 1u);
    EXPECT_STREQ(m_app.m_boxes[0].strText, L"Clipboard size is different from selected range");
    EXPECT_STREQ(m_other.GetValueRowCol(5, 5), L"");

    EXPECT_TRUE(Paste(m_other, bytes, CGXRange(5, 5, 7, 6), FALSE)); // the same size: no question
    EXPECT_TRUE(Paste(m_other, bytes, CGXRange(9, 9), TRUE));
    EXPECT_EQ(m_app.m_boxes.size(), 1u);
    EXPECT_STREQ(m_other.GetValueRowCol(11, 10), L"v");
}

TEST_F(StyleExchangeTest, AGridTooSmallClipsThePasteOrUndoesIt)
{
    for (ROWCOL r = 1; r <= 3; ++r)
        for (ROWCOL c = 1; c <= 3; ++c)
            Set(r, c, L"v");
    const Bytes bytes = CopiedStyles(CGXRange(1, 1, 3, 3), FALSE);

    m_other.m_nClipboardFlags |= 0x0200 | 0x0400;
    EXPECT_TRUE(Paste(m_other, bytes, CGXRange(19, 19)));
    EXPECT_EQ(m_other.GetRowCount(), 20u);
    EXPECT_EQ(m_other.GetColCount(), 20u);
    EXPECT_STREQ(m_other.GetValueRowCol(20, 20), L"v");

    const INT_PTR nUndo = m_other.GetParam()->GetUndoList()->GetCount();
    EXPECT_FALSE(Paste(m_other, bytes, CGXRange(21, 1)));
    EXPECT_EQ(m_other.GetParam()->GetUndoList()->GetCount(), nUndo);
    EXPECT_EQ(m_other.GetRowCount(), 20u);

    m_other.m_nClipboardFlags &= ~(0x0200 | 0x0400);
    EXPECT_TRUE(Paste(m_other, bytes, CGXRange(19, 19)));
    EXPECT_EQ(m_other.GetRowCount(), 21u);
    EXPECT_EQ(m_other.GetColCount(), 21u);
    EXPECT_STREQ(m_other.GetValueRowCol(21, 21), L"v");
}

TEST_F(StyleExchangeTest, ADamagedStreamChangesNothing)
{
    Set(1, 1, L"a");
    const Bytes good = CopiedStyles(CGXRange(1, 1, 1, 2), FALSE);
    const Bytes header = Join({DWord(1), DWord(2)});
    const Bytes array = Bytes(good.begin() + 8, good.end());
    const struct
    {
        const char* pszWhat;
        Bytes bytes;
    } cases[] = {
        {"rows at the limit", Join({DWord(32768), DWord(1), array})},
        {"columns at the limit", Join({DWord(1), DWord(32768), array})},
        {"no rows", Join({DWord(0), DWord(2), array})},
        {"an array of another size", Join({DWord(2), DWord(2), array})},
        {"an array that is no array",
         Join({header, NewClassTag(0, "CGXStyle"), Bytes(good.begin() + 32, good.end() - 2)})},
        {"an element that is no style",
         Join({header, NewClassTag(0, "CObArray"), Word(2), NewClassTag(0, "CGXRangeList"), Word(1), DWord(0), Word(0)})},
        {"the array itself as an element",
         Join({header, NewClassTag(0, "CObArray"), Word(2), Word(2), Word(0)})},
        {"a huge count", Join({header, NewClassTag(0, "CObArray"), Word(0xFFFF), DWord(0x7FFFFFFF), Word(0)})},
        {"a large block cut short",
         Join({DWord(32767), DWord(32767), NewClassTag(0, "CObArray"), Word(0xFFFF), DWord(32767u * 32767u), Word(0)})},
        {"cut short", Bytes(good.begin(), good.end() - 5)},
        {"an unknown class", Join({header, NewClassTag(0, "CNoSuchClass"), Word(0)})},
    };
    m_grid.SetValueRange(CGXRange(5, 5), L"keep");
    const INT_PTR nUndo = UndoCount();
    for (const auto& c : cases)
    {
        EXPECT_FALSE(Paste(m_grid, c.bytes, CGXRange(5, 5))) << c.pszWhat;
        EXPECT_STREQ(Value(5, 5), L"keep") << c.pszWhat;
        EXPECT_EQ(UndoCount(), nUndo) << c.pszWhat;
        EXPECT_EQ(m_grid.GetRowCount(), 20u) << c.pszWhat;
        EXPECT_EQ(GXLongOpGetLevel(), -1) << c.pszWhat;
    }
    EXPECT_TRUE(m_app.m_boxes.empty());

    // One style named twice is no damage: both cells take it, and it is deleted once.
    EXPECT_TRUE(Paste(m_grid, Join({header, Bytes(good.begin() + 8, good.end() - 2), Word(4)}), CGXRange(5, 5)));
    EXPECT_STREQ(Value(5, 5), L"a");
    EXPECT_STREQ(Value(5, 6), L"a");
}

TEST_F(StyleExchangeTest, AnotherClassIsRefusedBeforeItsLoaderRuns)
{
    // A data object in a styles block, as another program may put it: its loader never reads a
    // byte, the grid stays as it was.
    CGXData data;
    data.SetRowCount(3);
    const Bytes head = Join({DWord(1), DWord(1), NewClassTag(0, "CObArray"), Word(1)});
    const Bytes bytes = Join({head, Stored([&](CArchive& ar) { ar.WriteObject(&data); })});
    m_grid.SetValueRange(CGXRange(5, 5), L"keep");
    const INT_PTR nUndo = UndoCount();
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    EXPECT_FALSE(m_grid.PasteStylesFromArchive(ar, CGXRange(5, 5), TRUE));
    ar.Flush();
    EXPECT_EQ(file.GetPosition(), head.size() + 6 + strlen("CGXData"));
    EXPECT_STREQ(Value(5, 5), L"keep");
    EXPECT_EQ(UndoCount(), nUndo);
}
