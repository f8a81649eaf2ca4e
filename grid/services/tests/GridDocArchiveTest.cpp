#include <grid/core/Data.h>
#include <grid/core/DelayedRangePool.h>
#include <grid/core/GridParam.h>
#include <grid/core/PrintDevice.h>
#include <grid/core/Properties.h>
#include <grid/core/SpanCellPool.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/core/UserAttributeMap.h>
#include <grid/core/WordCount.h>
#include <grid/services/spans/GridMergeCellsImp.h>

#include <algorithm>
#include <memory>
#include <vector>

#include <gtest/gtest.h>
#include <testing/MemoryCanvas.h>

#include <testing/PrivateBytes.h>

#include "ArchiveBytes.h"
#include "ArchiveInstall.h"
#include "GridTestSupport.h"

namespace
{
// A resource id of GridCoreTest.rc with a string.
constexpr WORD idUserAttribute = 52792;
constexpr DWORD dwSparseEnd = 0xFFFFFFFF;

class GridDocArchiveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallArchiveFeatures();
    }
};

// The sizes of the style arrays, which the sparse arrays write.
class ExposedData : public CGXData
{
public:
    INT_PTR GetBaseArraySize(BOOL bRows) const
    {
        return (bRows ? m_apRowBaseStyle : m_apColBaseStyle).GetSize();
    }
    INT_PTR GetRowArraySize() const
    {
        return m_apapCellStyle.GetSize();
    }
    INT_PTR GetCellArraySize(INT_PTR nRow) const
    {
        return m_apapCellStyle.GetRow(nRow)->GetSize();
    }
    BOOL HasRow(INT_PTR nRow) const
    {
        return m_apapCellStyle.GetRow(nRow) != nullptr;
    }
};

const Bytes emptyStyleArray = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};

Bytes StoredObject(CObject& object)
{
    return Stored([&](CArchive& ar) { object.Serialize(ar); });
}

TEST_F(GridDocArchiveTest, StyleArraysAreSparse)
{
    CGXStylePtrArray empty;
    EXPECT_EQ(StoredObject(empty), emptyStyleArray);

    ExposedData data;
    data.SetRowCount(10);
    data.SetColCount(4);
    CGXStyle style;
    data.StoreStyleImpl(3, 2, &style.SetValue(_T("x")), CGXStyle::modeCopy, 0);
    const Bytes styleRecord = Join({Word(6), DWord(0x400), ArchiveString(L"x"), Word(0), Word(0), {0x00}});
    const Bytes expected = Join(
        {Word(1), DWord(10), DWord(4), Word(1), DWord(static_cast<DWORD>(data.GetRowArraySize())), DWord(3), Word(1),
         DWord(static_cast<DWORD>(data.GetCellArraySize(3))), DWord(2), NewClassTag(0, "CGXStyle"), styleRecord,
         DWord(dwSparseEnd), DWord(dwSparseEnd), Word(1), DWord(static_cast<DWORD>(data.GetBaseArraySize(TRUE))),
         DWord(dwSparseEnd), Word(1), DWord(static_cast<DWORD>(data.GetBaseArraySize(FALSE))), DWord(dwSparseEnd)});
    EXPECT_EQ(ByteDifference(StoredObject(data), expected), "");

    ExposedData loaded;
    ASSERT_TRUE(LoadsExactly(expected, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_EQ(loaded.GetRowCount(), 10u);
    EXPECT_EQ(loaded.GetColCount(), 4u);
    for (INT_PTR nRow = 0; nRow < 10; ++nRow)
        EXPECT_EQ(loaded.HasRow(nRow), nRow == 3) << nRow;
    CGXStyle cell;
    ASSERT_TRUE(loaded.GetStyleImpl(3, 2, cell, CGXStyle::modeCopy, 0));
    EXPECT_STREQ(cell.GetValue(), L"x");

    // An index past the announced size: the elements before it stay, and the array is no
    // longer than they need.
    const Bytes pastTheEnd = Join({Word(1), DWord(2), DWord(0), NewClassTag(0, "CGXStyle"), styleRecord, DWord(2),
                                   Word(0x8001), styleRecord, DWord(dwSparseEnd)});
    CGXStylePtrArray styles;
    EXPECT_EQ(LoadCause(pastTheEnd, [&](CArchive& ar) { styles.Serialize(ar); }), CArchiveException::badIndex);
    ASSERT_EQ(styles.GetSize(), 1);
    ASSERT_NE(styles.GetStyle(0), nullptr);
    EXPECT_STREQ(styles.GetStyle(0)->GetValue(), L"x");
}

TEST_F(GridDocArchiveTest, EveryStyleFontAndRangeIsItsOwnersAlone)
{
    // Indices: the style class 1, the first style 2, the font class 3, its font 4, the second
    // style 5.
    const Bytes styleRecord = Join({Word(6), DWord(0x400), ArchiveString(L"x"), Word(0), Word(0), {0x00}});
    const Bytes fontStyle =
        Join({Word(6), DWord(0x200), NewClassTag(0, "CGXFont"), Word(2), DWord(0x40), Word(700), Word(0), Word(0)});
    const Bytes twoSlots = Join({Word(1), DWord(2), DWord(0), NewClassTag(0, "CGXStyle")});
    CGXDelayedRangePool onePool;
    onePool.DelayRange(CGXRange(1, 1, 2, 2));
    Bytes sameRangeTwice = StoredObject(onePool);
    sameRangeTwice[0] = 2;
    sameRangeTwice.insert(sameRangeTwice.end(), {0x02, 0x00});

    CGXStylePtrArray styles;
    CGXDelayedRangePool pool;
    const struct
    {
        const char* name;
        Bytes bytes;
        CObject& object;
    } cases[] = {
        {"the second slot refers to the first style",
         Join({twoSlots, styleRecord, DWord(1), Word(2), DWord(dwSparseEnd)}), styles},
        {"the second style refers to the first one's font",
         Join({twoSlots, fontStyle, DWord(1), Word(0x8001), Word(6), DWord(0x200), Word(4), Word(0), Word(0),
               DWord(dwSparseEnd)}),
         styles},
        {"the second slot refers to the first style's font",
         Join({twoSlots, fontStyle, DWord(1), Word(4), DWord(dwSparseEnd)}), styles},
        {"a pool names one range twice", sameRangeTwice, pool},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadCause(c.bytes, [&](CArchive& ar) { c.object.Serialize(ar); }), CArchiveException::badIndex)
            << c.name;

    // Styles whose font bit is set without a font: the program writes the empty font with each,
    // and they come back as they were written.
    CGXStyle fontless[2];
    for (CGXStyle& style : fontless)
        style.SetIncludeBits(0x200);
    const Bytes bytes = Stored([&](CArchive& ar) {
        for (CGXStyle& style : fontless)
            ar.WriteObject(&style);
    });
    std::vector<std::unique_ptr<CObject>> loaded;
    ASSERT_TRUE(LoadsExactly(bytes, [&](CArchive& ar) {
        for (int i = 0; i < 2; ++i)
            loaded.emplace_back(ar.ReadObject(RUNTIME_CLASS(CGXStyle)));
    }));
    EXPECT_EQ(Stored([&](CArchive& ar) {
                  for (const auto& pStyle : loaded)
                      ar.WriteObject(pStyle.get());
              }),
              bytes);
    // A record with the bit and the null object in its place loads without the bit.
    CGXStyle style;
    ASSERT_TRUE(LoadsExactly(Join({Word(6), DWord(0x200), Word(0), Word(0), Word(0)}),
                             [&](CArchive& ar) { style.Serialize(ar); }));
    EXPECT_FALSE(style.GetInclude(CGXStyle::inclFont));
}

TEST_F(GridDocArchiveTest, DamagedCountsAndIndicesAreRefusedBeforeTheyClaimMemory)
{
    constexpr DWORD dwHuge = 0x10000000;
    CGXData data;
    CGXDWordArrayPtrArray spans;
    const struct
    {
        const char* name;
        Bytes bytes;
        CObject& object;
        int cause;
    } cases[] = {
        {"a data record of 2^28 rows with a row at the end and no more",
         Join({Word(1), DWord(dwHuge), DWord(4), Word(1), DWord(dwHuge + 1), DWord(dwHuge), Word(1), DWord(5)}), data,
         CArchiveException::endOfFile},
        {"a row past the stored size", Join({Word(1), DWord(3), DWord(4), Word(1), DWord(4), DWord(4)}), data,
         CArchiveException::badIndex},
        {"a row past the record's rows", Join({Word(1), DWord(3), DWord(4), Word(1), DWord(9), DWord(5)}), data,
         CArchiveException::badIndex},
        {"a cell past the record's columns",
         Join({Word(1), DWord(3), DWord(4), Word(1), DWord(4), DWord(1), Word(1), DWord(9), DWord(5)}), data,
         CArchiveException::badIndex},
        {"spans of 2^28 slots with an array of 2^28 values at the end",
         Join({Word(1), DWord(dwHuge), DWord(dwHuge - 1), Word(0xFFFF), DWord(dwHuge), DWord(7)}), spans,
         CArchiveException::endOfFile},
        {"a slot past the stored count", Join({Word(1), DWord(2), DWord(2)}), spans, CArchiveException::badIndex},
    };
    const size_t nPeakBefore = ReadPrivateBytes().nPeak;
    for (const auto& c : cases)
        EXPECT_EQ(LoadCause(c.bytes, [&](CArchive& ar) { c.object.Serialize(ar); }), c.cause) << c.name;
    EXPECT_LT(ReadPrivateBytes().nPeak, nPeakBefore + 16 * 1024 * 1024);
    EXPECT_EQ(spans.GetSize(), 0);
}

TEST_F(GridDocArchiveTest, StylesMapLoadingNamesStylesByTheirStrings)
{
    const Bytes emptyStyle = Join({Word(6), DWord(0), Word(0), Word(0)});
    const Bytes record = Join({Word(2),
                               ArchiveString(L"Styles"),
                               Word(0),
                               Word(1),
                               Word(5),
                               ArchiveString(L"Normal"),
                               Word(1),
                               Word(5),
                               DWord(CGXStylesMap::idsStandard),
                               ArchiveString(L"Normal"),
                               {0x01},
                               emptyStyle,
                               Word(6),
                               Word(1),
                               DWord(7),
                               emptyStyle});
    CGXStylesMap map;
    map.CreateStandardStyles();
    map.RegisterStyleByName(_T("Gone"), CGXStyle(), 0);
    ASSERT_TRUE(LoadsExactly(record, [&](CArchive& ar) { map.Serialize(ar); }));
    EXPECT_EQ(map.GetStyleCount(), 1);
    UINT nResourceId = 0;
    EXPECT_STREQ(map.GetStyleName(5, nResourceId), L"Standard");
    EXPECT_EQ(nResourceId, CGXStylesMap::idsStandard);
    EXPECT_EQ(map.LookupStyleId(_T("Standard")), 5);
    EXPECT_EQ(map.LookupStyleId(_T("Gone")), 0);
    EXPECT_EQ(map.m_wStyleStandard, 5);
    EXPECT_EQ(map.m_wStyleRowHeader, 0);
    EXPECT_EQ(map.m_wStyleColHeader, 0);
    ASSERT_NE(map.GetUserAttributeInfo(7), nullptr);
    EXPECT_STREQ(map.GetUserAttributeInfo(7)->strName, L"UA7");

    // Written back: the entry under its string, the name table rebuilt, the counter.
    const Bytes stored = StoredObject(map);
    const Bytes expected = Join({Word(2),
                                 ArchiveString(L"Styles"),
                                 Word(0),
                                 Word(1),
                                 Word(5),
                                 ArchiveString(L"Standard"),
                                 Word(1),
                                 Word(5),
                                 DWord(CGXStylesMap::idsStandard),
                                 ArchiveString(L"Standard"),
                                 {0x01},
                                 emptyStyle,
                                 Word(6),
                                 Word(1),
                                 DWord(7),
                                 emptyStyle});
    EXPECT_EQ(stored, expected);
}

// The styles map (and a style's user attributes) count their entries in 16-bit fields through
// one writer. 65,535 fits; one more cannot be counted, so storing fails before anything of the
// count is written, rather than writing a wrapped count that would make the reader take the
// following entries for something else.
TEST_F(GridDocArchiveTest, CountsPastSixteenBitsAreRefused)
{
    struct Case
    {
        INT_PTR nCount;
        int nCause;
        Bytes written;
    };
    const Case cases[] = {
        {0, -1, Word(0)},
        {0xFFFF, -1, Word(0xFFFF)},
        {0x10000, CArchiveException::genericException, {}},
        {-1, CArchiveException::genericException, {}},
    };
    for (const Case& test : cases)
    {
        int nCause = -1;
        const Bytes stored =
            Stored([&](CArchive& ar) { nCause = ArchiveCause([&] { GXWriteWordCount(ar, test.nCount); }); });
        EXPECT_EQ(nCause, test.nCause) << test.nCount;
        EXPECT_EQ(stored, test.written) << test.nCount;
    }
}

TEST_F(GridDocArchiveTest, PropertiesOfAnOlderSchema)
{
    CGXProperties properties;
    properties.GetColorArray().SetSize(2);
    properties.m_anMargins[2] = 777;
    Bytes bytes = StoredObject(properties);
    // Schema 3 has no Print Column Headers at the end.
    bytes[0] = 3;
    bytes.resize(bytes.size() - 4);

    CGXProperties loaded;
    loaded.m_bPrintColHeaders = FALSE;
    ASSERT_TRUE(LoadsExactly(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_FALSE(loaded.m_bPrintColHeaders);
    EXPECT_EQ(loaded.m_anMargins[2], 777);
    EXPECT_EQ(loaded.GetColorArray().GetSize(), loaded.GetColorNameArray().GetSize());
}

TEST_F(GridDocArchiveTest, ANewParameterObjectWritesItsDefaults)
{
    CGXGridParam param;
    const Bytes bytes = StoredObject(param);
    const Bytes head = {0x0B, 0x00, 0x01, 0x01, 0x00, 0x01, 0x01, 0x01, 0x00, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00,
                        0x00, 0x00, 0x01, 0x01, 0xFF, 0x00, 0xB2, 0x00, 0xB2, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                        0x00, 0x00, 0x10, 0x27, 0x00, 0x00, 0xB0, 0x04, 0x00, 0x00, 0xFF, 0xFE, 0xFF, 0x00, 0x01, 0x00,
                        0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    ASSERT_GE(bytes.size(), head.size());
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(head.size())), head);

    CGXGridParam loaded;
    ASSERT_TRUE(LoadsExactly(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_EQ(ByteDifference(StoredObject(loaded), bytes), "");
}

// A parameter object that owns everything the record holds.
void Fill(CGXGridParam& param)
{
    auto* pStylesMap = new CGXStylesMap;
    pStylesMap->CreateStandardStyles();
    const WORD nTotals = pStylesMap->RegisterStyleByName(
        _T("Totals"), CGXStyle().SetFont(CGXFont().SetBold(TRUE)).SetInteriorColor(RGB(200, 220, 240)), 0);
    pStylesMap->AddUserAttribute(idUserAttribute, &CGXStyle().SetValue(_T("ua")));
    param.m_pStylesMap = pStylesMap;
    param.m_bOwnStylesMap = TRUE;

    GXPenRecord pen;
    pen.SetStyle(PS_DOT).SetColor(RGB(255, 0, 0));
    auto* pData = new CGXData;
    pData->SetRowCount(20);
    pData->SetColCount(6);
    CGXStyle style;
    pData->StoreStyleImpl(1, 1, &style.SetValue(_T("text")).SetFont(CGXFont().SetItalic(TRUE)), CGXStyle::modeCopy, 0);
    pData->StoreStyleImpl(2, 2, &style.Free().SetValue(12.5).SetBorders(GXBorder::Bottom, pen), CGXStyle::modeCopy, 0);
    pData->StoreStyleImpl(3, 3, &style.Free().SetValue(_T("=A1")).SetValueType(CGXStyle::valueFormula),
                          CGXStyle::modeCopy, 0);
    pData->StoreStyleImpl(4, 4, &style.Free().SetValue(_T("#DIV")).SetValueType(CGXStyle::valueError),
                          CGXStyle::modeCopy, 0);
    pData->StoreStyleImpl(5, 5, &style.Free().SetInteriorColor(RGB(0, 128, 0)).SetBaseStyle(nTotals),
                          CGXStyle::modeCopy, 0);
    pData->StoreStyleImpl(9, 6, &style.Free().SetBaseStyle(pStylesMap->m_wStyleRowHeader), CGXStyle::modeCopy, 0);
    pData->StoreStyleImpl(6, 0, &style.Free().SetBaseStyle(nTotals), CGXStyle::modeCopy, -1);
    pData->StoreStyleImpl(0, 3, &style.Free().SetHorizontalAlignment(DT_RIGHT), CGXStyle::modeCopy, -1);
    param.m_pData = pData;
    param.m_bOwnData = TRUE;

    auto* pProperties = new CGXProperties;
    pProperties->AddDefaultUserProperties();
    pProperties->GetColorArray()[0] = RGB(1, 2, 3);
    pProperties->m_anMargins[3] = 1234;
    pProperties->m_awColBreaks.Add(4);
    pProperties->GetDataHeader().StoreStyleImpl(1, 1, &style.Free().SetValue(_T("$F")), CGXStyle::modeCopy, 0);
    pProperties->GetDataFooter().StoreStyleImpl(1, 2, &style.Free().SetValue(_T("$P")), CGXStyle::modeCopy, 0);
    param.m_pProperties = pProperties;
    param.m_bOwnProperties = TRUE;

    param.m_pPrintDevice = new CGXPrintDevice;
    param.m_bOwnPrintDevice = TRUE;

    param.m_SelRects.AddTail(new CGXRange(2, 2, 4, 4));
    param.m_CoveredCellsList.AddTail(new CGXRange(7, 1, 8, 2));
    param.m_RowHeights.SetAt(3, 2500);
    param.m_ColWidths.SetAt(2, 15000);
    param.m_hiddenRows.SetSize(2);
    param.m_hiddenRows[1] = 0x04;
    param.m_nFrozenRows = 1;
    param.m_strName = _T("Sheet");
    param.m_wSpecialMode = 3;
    param.m_bSetting11 = 1;
    param.m_adwSettings3[1] = 9;

    param.m_pFloatCellsWork = new CGXDelayedRangePool;
    param.m_pFloatCellsWork->DelayRange(CGXRange(1, 1, 5, 5));
    param.m_pFloatCellsPool = new CGXSpanCellPool;
    param.m_pFloatCellsPool->SetSpan(1, 1, 1, 3, TRUE);
    param.m_pMergeCellsWork = new CGXDelayedRangePool;
    param.m_pMergeCellsPool = new CGXSpanCellPool;
    param.m_pMergeCellsPool2 = new CGXSpanCellPool;
    param.m_pMergeCellsPool2->SetSpan(2, 2, 4, 2, TRUE);
}

// The stored form of what the object loads from its own stored form: sparse arrays come back
// only as long as their elements need.
Bytes Reloaded(CObject& object)
{
    const std::unique_ptr<CObject> pCopy(object.GetRuntimeClass()->CreateObject());
    Loaded(StoredObject(object), [&](CArchive& ar) { pCopy->Serialize(ar); });
    return StoredObject(*pCopy);
}

// Everything both parameter objects hold, member by member: the settings and the stored
// form of each object.
void ExpectEqualParams(CGXGridParam& a, CGXGridParam& b)
{
    GXVisitParamRecordSettings([&](auto, auto member) { EXPECT_TRUE(member(a) == member(b)); });
    EXPECT_EQ(StoredObject(*a.m_pStylesMap), StoredObject(*b.m_pStylesMap));
    EXPECT_EQ(Reloaded(*a.m_pData), Reloaded(*b.m_pData));
    EXPECT_EQ(Reloaded(*a.m_pProperties), Reloaded(*b.m_pProperties));
    EXPECT_EQ(StoredObject(a.m_SelRects), StoredObject(b.m_SelRects));
    EXPECT_EQ(StoredObject(a.m_CoveredCellsList), StoredObject(b.m_CoveredCellsList));
    EXPECT_EQ(StoredObject(a.m_RowHeights), StoredObject(b.m_RowHeights));
    EXPECT_EQ(StoredObject(a.m_ColWidths), StoredObject(b.m_ColWidths));
    EXPECT_EQ(StoredObject(a.m_hiddenRows), StoredObject(b.m_hiddenRows));
    EXPECT_EQ(a.m_wSpecialMode, b.m_wSpecialMode);
    EXPECT_EQ(a.m_adwSettings3[1], b.m_adwSettings3[1]);
}

TEST_F(GridDocArchiveTest, AParameterOwningEverythingComesBackAndStoresAgainIdentically)
{
    CGXGridParam param;
    Fill(param);
    const Bytes bytes = StoredObject(param);

    CGXGridParam loaded;
    ASSERT_TRUE(LoadsExactly(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    ASSERT_NE(loaded.m_pStylesMap, nullptr);
    ASSERT_NE(loaded.m_pData, nullptr);
    ASSERT_NE(loaded.m_pProperties, nullptr);
    ASSERT_NE(loaded.m_pPrintDevice, nullptr);
    ASSERT_NE(loaded.m_pMergeCellsPool2, nullptr);
    ExpectEqualParams(param, loaded);

    // Cells find their base styles in the loaded styles map.
    CGXStyle cell;
    ASSERT_TRUE(loaded.m_pData->GetStyleImpl(5, 5, cell, CGXStyle::modeCopy, 0));
    EXPECT_EQ(cell.GetBaseStyle(), loaded.m_pStylesMap->LookupStyleId(_T("Totals")));
    ASSERT_TRUE(loaded.m_pData->GetStyleImpl(9, 6, cell.Free(), CGXStyle::modeCopy, 0));
    EXPECT_EQ(cell.GetBaseStyle(), loaded.m_pStylesMap->m_wStyleRowHeader);
    ASSERT_TRUE(loaded.m_pProperties->GetDataFooter().GetStyleImpl(1, 2, cell.Free(), CGXStyle::modeCopy, 0));
    EXPECT_STREQ(cell.GetValue(), L"$P");
    EXPECT_EQ(loaded.m_pProperties->GetColor(0), RGB(1, 2, 3));
    EXPECT_STREQ(loaded.m_pProperties->GetUserProperty(CGXProperties::idCurrentCellProperty).GetValue(),
                 param.m_pProperties->GetUserProperty(CGXProperties::idCurrentCellProperty).GetValue());

    // Loading again replaces what was loaded; its spans, worked out anew, store again
    // identically.
    const Bytes again = StoredObject(loaded);
    ASSERT_TRUE(LoadsExactly(again, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_EQ(ByteDifference(StoredObject(loaded), again), "");
}

TEST_F(GridDocArchiveTest, AnObjectTheParameterDoesNotOwnIsNotWritten)
{
    CGXProperties properties;
    CGXGridParam param;
    param.m_pProperties = &properties;
    const Bytes bytes = StoredObject(param);
    EXPECT_EQ(bytes, StoredObject(*std::make_unique<CGXGridParam>()));

    CGXGridParam loaded;
    ASSERT_TRUE(LoadsExactly(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
    EXPECT_EQ(loaded.m_pProperties, nullptr);
}

TEST_F(GridDocArchiveTest, RecordsHaveTheirSpansWorkedOutAnew)
{
    CGXGridParam param;
    Fill(param);
    const Bytes newest = StoredObject(param);
    // A record of schema 6 lacks what schemas 8 to 11 added: three bytes, a word, a byte, a byte
    // and two values.
    Bytes schema6(newest.begin(), newest.end() - 15);
    schema6[0] = 6;
    for (const Bytes* pBytes : std::initializer_list<const Bytes*>{&newest, &schema6})
    {
        CGXGridParam loaded;
        ASSERT_TRUE(LoadsExactly(*pBytes, [&](CArchive& ar) { loaded.Serialize(ar); }));
        for (CGXDelayedRangePool* pWork : {loaded.m_pFloatCellsWork, loaded.m_pMergeCellsWork})
        {
            ASSERT_NE(pWork, nullptr);
            ASSERT_EQ(pWork->GetCount(), 1);
            const CGXRange& range = pWork->GetAt(0)->m_range;
            EXPECT_EQ(range.top, 0u);
            EXPECT_EQ(range.left, 0u);
            EXPECT_EQ(range.bottom, static_cast<ROWCOL>(-2));
            EXPECT_EQ(range.right, static_cast<ROWCOL>(-2));
        }
        CGXRange span(2, 2);
        EXPECT_FALSE(loaded.m_pMergeCellsPool2->GetSpan(2, 2, span));
        EXPECT_FALSE(loaded.m_pFloatCellsPool->GetSpan(1, 1, span));
        EXPECT_EQ(loaded.m_bSetting11, pBytes == &newest ? param.m_bSetting11 : 0);
    }
}

TEST_F(GridDocArchiveTest, RecordsOfNewerSchemasAndDamagedRecordsAreRefused)
{
    CGXStylesMap map;
    CGXData data;
    CGXStylePtrArrayPtrArray rows;
    CGXProperties properties;
    CGXGridParam param;
    const struct
    {
        const char* name;
        CObject& object;
        WORD wSchema;
    } cases[] = {{"styles map", map, 3},        {"data", data, 2},
                 {"style rows", rows, 2},       {"style rows", rows, 0},
                 {"properties", properties, 5}, {"parameter", param, 12}};
    for (const auto& c : cases)
    {
        ULONGLONG nRead = 0;
        EXPECT_EQ(LoadCause(
                      Join({Word(c.wSchema), DWord(0)}), [&](CArchive& ar) { c.object.Serialize(ar); }, &nRead),
                  CArchiveException::badSchema)
            << c.name;
        EXPECT_EQ(nRead, 2u) << c.name;
    }

    // A style where the parameter's data belongs.
    CGXGridParam source;
    source.m_pData = reinterpret_cast<CGXData*>(new CGXStyle);
    source.m_bOwnData = TRUE;
    const Bytes wrongClass = StoredObject(source);
    delete reinterpret_cast<CGXStyle*>(source.m_pData);
    source.m_pData = nullptr;
    EXPECT_EQ(LoadCause(wrongClass, [&](CArchive& ar) { param.Serialize(ar); }), CArchiveException::badClass);
    EXPECT_EQ(param.m_pData, nullptr);

    CGXGridParam full;
    Fill(full);
    const Bytes bytes = StoredObject(full);
    for (size_t nCut : {bytes.size() / 3, bytes.size() - 1})
    {
        CGXGridParam cut;
        EXPECT_EQ(LoadCause(Bytes(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(nCut)),
                            [&](CArchive& ar) { cut.Serialize(ar); }),
                  CArchiveException::endOfFile)
            << nCut;
    }
}

// Hidden grids on parameter objects, each drawn into a memory DC.
class GridDocPictureTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        GridWindowTest::SetUp();
        InstallArchiveFeatures();
    }
    // Every pixel a grid on the object draws; the grid takes the object.
    std::vector<COLORREF> Picture(std::unique_ptr<CGXGridParam> pParam)
    {
        constexpr int cx = 320;
        constexpr int cy = 240;
        TestGrid grid;
        grid.SetParam(pParam.release(), TRUE);
        grid.CreateHidden(&Parent(), CRect(0, 0, cx, cy));
        MemoryCanvas canvas(cx, cy, RGB(1, 2, 3));
        grid.DrawGrid(&canvas.Dc());
        grid.DestroyWindow();
        std::vector<COLORREF> pixels;
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x)
                pixels.push_back(canvas.Pixel(x, y));
        return pixels;
    }
};

TEST_F(GridDocPictureTest, GridsOnTheLoadedAndTheCopiedParameterDrawWhatTheOriginalDraws)
{
    auto pOriginal = std::make_unique<CGXGridParam>();
    Fill(*pOriginal);
    // As a grid that covered the cells has it; loading and copying rebuild it too.
    pOriginal->RebuildCoveredCellsPool();
    auto pLoaded = std::make_unique<CGXGridParam>();
    ASSERT_TRUE(LoadsExactly(StoredObject(*pOriginal), [&](CArchive& ar) { pLoaded->Serialize(ar); }));
    auto pCopied = std::make_unique<CGXGridParam>();
    *pCopied = *pOriginal;
    // One cell's interior apart: the pictures are fine enough to tell.
    auto pChanged = std::make_unique<CGXGridParam>();
    *pChanged = *pOriginal;
    CGXStyle interior;
    interior.SetInteriorColor(RGB(0, 128, 0));
    pChanged->m_pData->StoreStyleImpl(1, 1, &interior, CGXStyle::modeOverride, 0);

    const std::vector<COLORREF> original = Picture(std::move(pOriginal));
    EXPECT_NE(std::count(original.begin(), original.end(), RGB(200, 220, 240)), 0) << "row 6 in the style Totals";
    EXPECT_TRUE(Picture(std::move(pLoaded)) == original);
    EXPECT_TRUE(Picture(std::move(pCopied)) == original);
    EXPECT_FALSE(Picture(std::move(pChanged)) == original);
}
} // namespace

TEST_F(GridDocPictureTest, AStoredMergePoolThatContradictsItsCellsLoadsAsTheCellsSay)
{
    constexpr int mergeAcrossEqualValues = 0x1 | 0x4;
    const struct
    {
        const char* name;
        WORD wMode;
    } modes[] = {{"delayed", 1}, {"immediate", 2}};
    for (const auto& mode : modes)
    {
        TestGrid grid;
        grid.CreateHidden(&Parent(), CRect(0, 0, 300, 200));
        grid.SetRowCount(4);
        grid.SetColCount(3);
        CGXStyle style;
        style.SetMergeCell(mergeAcrossEqualValues);
        const struct
        {
            ROWCOL nRow, nCol;
            LPCTSTR pszValue;
        } cells[] = {{2, 1, L"A"}, {2, 2, L"A"}, {3, 1, L"B"}, {3, 2, L"C"}};
        for (const auto& cell : cells)
            grid.SetStyleRangeShort(CGXRange(cell.nRow, cell.nCol), style.SetValue(cell.pszValue));
        grid.SetMergeCellsMode(mode.wMode, FALSE);
        grid.QueryDelayedMergeCells(0, 0, 4, 3);
        CGXRange range;
        ASSERT_NE(grid.GetMergedCellsRowCol(2, 1, range), nullptr) << mode.name;
        // The stored pool says the opposite of the cells.
        CGXSpanCellPool* pPool = grid.GetParam()->m_pMergeCellsPool;
        pPool->SetSpan(2, 1, 2, 2, FALSE);
        pPool->SetSpan(3, 1, 3, 2, TRUE);
        const Bytes bytes = StoredObject(*grid.GetParam());
        grid.DestroyWindow();

        auto pParam = std::make_unique<CGXGridParam>();
        ASSERT_TRUE(LoadsExactly(bytes, [&](CArchive& ar) { pParam->Serialize(ar); })) << mode.name;
        TestGrid loaded;
        loaded.SetParam(pParam.release(), TRUE);
        loaded.CreateHidden(&Parent(), CRect(0, 0, 300, 200));
        loaded.QueryDelayedMergeCells(0, 0, 4, 3);
        ASSERT_NE(loaded.GetMergedCellsRowCol(2, 1, range), nullptr) << mode.name;
        EXPECT_EQ(range.left, 1u) << mode.name;
        EXPECT_EQ(range.right, 2u) << mode.name;
        EXPECT_EQ(loaded.GetMergedCellsRowCol(3, 1, range), nullptr) << mode.name;
        loaded.DestroyWindow();
    }
}
