#include "SimulatedLandscape.h"

#include <rfc/OcsGetInfo.h>

namespace
{
class OcsGetInfoTest : public SimulatedLandscape
{
protected:
    void SetUp() override
    {
        SimulatedLandscape::SetUp();
        SetLogon(m_connection);
        m_connection.Connect();
    }

    CRfcConnection m_connection;
};
} // namespace

TEST_F(OcsGetInfoTest, ReadsTheReleaseAndTheInstalledSoftware)
{
    COcsGetInfo reader(&m_connection);
    ASSERT_TRUE(reader.HasFunction(&m_connection));
    reader.CallFunctionModule(&m_connection);
    reader.GetString(reader.GetFunctionHandle(), L"EV_SAPRL", reader.EV_SAPRL);
    EXPECT_STREQ(reader.EV_SAPRL, L"700");

    ASSERT_GT(reader.GetTableRowCount(L"TT_COMPONENT"), 0u);
    reader.OnTableRow(L"TT_COMPONENT", 0);
    EXPECT_STREQ(reader.TT_COMPONENT_0, L"SAP_BASIS");
    EXPECT_STREQ(reader.TT_COMPONENT_30, L"700");
    EXPECT_STREQ(reader.TT_COMPONENT_40, L"0012");
    EXPECT_STREQ(reader.TT_COMPONENT_50, L"S");
    EXPECT_STREQ(reader.TT_PATCH_0, L""); // another table's texts stay

    // Every add-on is one of the components.
    ASSERT_GT(reader.GetTableRowCount(L"TT_ADDON"), 0u);
    reader.OnTableRow(L"TT_ADDON", 0);
    EXPECT_FALSE(reader.TT_ADDON_102.IsEmpty());
    bool found = false;
    for (unsigned row = 0; row < reader.GetTableRowCount(L"TT_COMPONENT"); row++)
    {
        reader.OnTableRow(L"TT_COMPONENT", row);
        found = found || reader.TT_COMPONENT_0 == reader.TT_ADDON_0;
    }
    EXPECT_TRUE(found);

    ASSERT_GT(reader.GetTableRowCount(L"TT_PATCH"), 0u);
    reader.OnTableRow(L"TT_PATCH", 0);
    EXPECT_EQ(reader.TT_PATCH_0.Find(L"SAPKB700"), 0);
    EXPECT_FALSE(reader.TT_PATCH_20.IsEmpty());
    EXPECT_EQ(reader.TT_PATCH_107.GetLength(), 8);
    EXPECT_EQ(reader.TT_PATCH_107.SpanIncluding(L"0123456789"), reader.TT_PATCH_107);
    EXPECT_EQ(reader.TT_PATCH_115.GetLength(), 6);
    EXPECT_EQ(reader.TT_PATCH_115.SpanIncluding(L"0123456789"), reader.TT_PATCH_115);
}

TEST_F(OcsGetInfoTest, EachSliceIsTakenAtItsPositionAndTrimmed)
{
    struct Case
    {
        LPCWSTR table;
        int width;
        int start;
        LPCWSTR value;
        CString COcsGetInfo::*text;
        LPCWSTR expected;
    };
    const Case cases[] = {
        {L"TT_COMPONENT", 100, 0, L"  SAP_BW", &COcsGetInfo::TT_COMPONENT_0, L"SAP_BW"},
        {L"TT_COMPONENT", 100, 40, L"0014XYZ", &COcsGetInfo::TT_COMPONENT_50, L""},
        {L"TT_COMP_PATCH", 100, 30, L"123456", &COcsGetInfo::TT_COMP_PATCH_30, L"123"},
        {L"TT_ADDON", 200, 102, L"An add-on", &COcsGetInfo::TT_ADDON_102, L"An add-on"},
        {L"TT_PATCH", 300, 107, L"20240131235959", &COcsGetInfo::TT_PATCH_107, L"20240131"},
        {L"TT_PATCH", 300, 107, L"20240131235959", &COcsGetInfo::TT_PATCH_115, L"235959"},
        {L"TT_PATCH", 300, 0, L"SAPKB70012", &COcsGetInfo::TT_PATCH_107, L""},
        {L"TT_PATCH", 300, 256, L"the last slice", &COcsGetInfo::TT_PATCH_256, L"the last slice"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.value);
        COcsGetInfo reader(&m_connection);
        CString line(L' ', c.width);
        for (int i = 0; c.value[i] != 0; i++)
            line.SetAt(c.start + i, c.value[i]);
        reader.SetString(reader.AppendTableRow(c.table), L"LINE", line);
        reader.*c.text = L"before";
        reader.OnTableRow(c.table, 0);
        EXPECT_STREQ(reader.*c.text, c.expected);
    }
}

TEST_F(OcsGetInfoTest, ATableItDoesNotHaveThrowsAndChangesNoText)
{
    COcsGetInfo reader(&m_connection);
    reader.CallFunctionModule(&m_connection);
    const CString thrown = ThrownText([&] { reader.OnTableRow(L"TT_UNKNOWN", 0); });
    EXPECT_NE(thrown.Find(L"CBaseRfc::GetTableHandle - RfcGetTable"), -1);
    for (CString* text : {&reader.EV_SAPRL, &reader.TT_COMPONENT_0, &reader.TT_ADDON_0, &reader.TT_PATCH_0})
        EXPECT_STREQ(*text, L"");
}
