#include <collector/SessionRecord.h>
#include <collector/SessionTime.h>

#include <cstring>

#include <gtest/gtest.h>

namespace
{
struct CTexts
{
    CString A;
    CString B;
};

constexpr RecordField<CTexts> kFields[] = {
    RECORD_TIME(CTexts, 0),
    RECORD_FIELD(CTexts, 8, 4, Int32, A),
    RECORD_FIELD(CTexts, 12, 6, Text, B),
};
constexpr RecordLayout<CTexts> kLayout{20, kFields};
static_assert(kLayout.IsValid());

constexpr RecordField<CTexts> kOverlapping[] = {RECORD_FIELD(CTexts, 0, 8, Int64, A),
                                                RECORD_FIELD(CTexts, 6, 4, Int32, B)};
static_assert(!RecordLayout<CTexts>{16, kOverlapping}.IsValid());
constexpr RecordField<CTexts> kTooLong[] = {RECORD_FIELD(CTexts, 0, 8, Double, A),
                                            RECORD_FIELD(CTexts, 8, 10, Text, B)};
static_assert(!RecordLayout<CTexts>{16, kTooLong}.IsValid());
constexpr RecordField<CTexts> kBadWidth[] = {RECORD_FIELD(CTexts, 0, 8, Int32, A)};
static_assert(!RecordLayout<CTexts>{16, kBadWidth}.IsValid());

std::vector<BYTE> Bytes(const CSessionRecord& record)
{
    return {record.GetData(), record.GetData() + record.GetSize()};
}
} // namespace

TEST(SessionRecord, NumbersConvertLikeTheRuntime)
{
    struct Case
    {
        FieldType type;
        LPCWSTR text;
        long long expected;
    };
    const Case cases[] = {
        {FieldType::Int32, L"12abc", 12}, {FieldType::Int32, L"", 0},
        {FieldType::Int32, L"  -7", -7},  {FieldType::Int64, L"8589934592", 8589934592LL},
        {FieldType::Int64, L"x1", 0},
    };
    for (const Case& c : cases)
    {
        CSessionRecord record(8);
        record.SetValue(0, c.type == FieldType::Int32 ? 4 : 8, c.type, c.text, 0);
        long long value = 0;
        memcpy(&value, record.GetData(), c.type == FieldType::Int32 ? 4 : 8);
        if (c.type == FieldType::Int32)
            value = static_cast<int>(value);
        EXPECT_EQ(c.expected, value) << c.text;
    }
    CSessionRecord record(8);
    record.SetValue(0, 8, FieldType::Double, L"2.5x", 0);
    double d = 0;
    memcpy(&d, record.GetData(), 8);
    EXPECT_EQ(2.5, d);
}

TEST(SessionRecord, DoublesReadAsTheRuntimeReadsThem)
{
    // Whole numbers take the short way; the rest must still read as the runtime reads them.
    const LPCWSTR texts[] = {L"0",
                             L"1234",
                             L"  -56",
                             L"+7",
                             L"-0",
                             L"42 ms",
                             L"12.5",
                             L"3e2",
                             L"4E-1",
                             L"5d1",
                             L"0x1A",
                             L"",
                             L"abc",
                             L"-",
                             L"999999999999999",
                             L"1234567890123456",
                             L"\t8",
                             L"00000000000000000001"};
    for (LPCWSTR text : texts)
    {
        const double expected = _wtof(text);
        const double actual = TextToDouble(text);
        EXPECT_EQ(0, memcmp(&expected, &actual, sizeof(double))) << text << ": " << expected << " vs " << actual;
    }
}

TEST(SessionRecord, DateAndTimePartsReadAsTheRuntimeReadsThem)
{
    // Each part as _wtoi reads it; -1 where the parts are out of range.
    const auto expected = [](const CString& date, const CString& time) -> __time64_t {
        const auto part = [](const CString& text, int start, int count) { return _wtoi(text.Mid(start, count)); };
        struct tm fields = {};
        fields.tm_year = part(date, 0, 4) - 1900;
        fields.tm_mon = part(date, 4, 2) - 1;
        fields.tm_mday = part(date, std::max(0, date.GetLength() - 2), 2);
        fields.tm_hour = part(time, 0, 2);
        fields.tm_min = part(time, 2, 2);
        fields.tm_sec = part(time, std::max(0, time.GetLength() - 2), 2);
        const bool inRange = fields.tm_year >= 0 && fields.tm_mon >= 0 && fields.tm_mon <= 11 && fields.tm_mday >= 1 &&
                             fields.tm_mday <= 31 && fields.tm_hour >= 0 && fields.tm_hour <= 23 &&
                             fields.tm_min >= 0 && fields.tm_min <= 59 && fields.tm_sec >= 0 && fields.tm_sec <= 59;
        return inRange ? _mkgmtime64(&fields) : -1;
    };
    const LPCWSTR cases[][2] = {
        {L"20240513", L"101500"},
        {L"2024 5 7", L" 9 8 7"},
        {L"2024+513", L"+10-5 "},
        {L"20240229", L"235959"},
        {L"2024-1 1", L"000000"},
        {L"1969 1 1", L"000000"},
        {L"20241301", L"000000"},
        {L"20240500", L"000000"},
        {L"20240513", L"240000"},
        {L"2024\t513", L"1\x0b 0 0"},
        {L"20240513", L"1"},
        {L"2024ab13", L"10xx00"},
        {L"\xff12\xff10\xff12\xff14\xff10\xff15\xff11\xff13", L"\xff11\xff10\xff11\xff15\xff10\xff10"},
    };
    for (const auto& [date, time] : cases)
    {
        const __time64_t reference = expected(date, time);
        __time64_t actual = -1;
        try
        {
            actual = UtcDateTime(CString(date), CString(time));
        }
        catch (CInvalidArgException* e)
        {
            e->Delete();
        }
        EXPECT_EQ(reference, actual) << date << " " << time;
    }
}

TEST(SessionRecord, UtcDatesCountAsTheRuntimeCountsThem)
{
    // Month ends, leap years, days that run into the next month, and the ends of what is held.
    for (const int year : {1900, 1969, 1970, 1971, 1999, 2000, 2023, 2024, 2100, 2400, 2999, 3000, 3001})
    {
        for (int month = 1; month <= 12; ++month)
        {
            for (const int day : {1, 28, 29, 30, 31})
            {
                for (const int second : {0, 86399})
                {
                    struct tm fields = {};
                    fields.tm_year = year - 1900;
                    fields.tm_mon = month - 1;
                    fields.tm_mday = day;
                    fields.tm_hour = second / 3600;
                    fields.tm_min = second / 60 % 60;
                    fields.tm_sec = second % 60;
                    const __time64_t expected = _mkgmtime64(&fields);
                    CString date, time;
                    date.Format(L"%04d%02d%02d", year, month, day);
                    time.Format(L"%02d%02d%02d", second / 3600, second / 60 % 60, second % 60);
                    __time64_t actual = -1;
                    try
                    {
                        actual = UtcDateTime(date, time);
                    }
                    catch (CInvalidArgException* e)
                    {
                        e->Delete();
                    }
                    EXPECT_EQ(expected, actual) << date.GetString() << " " << time.GetString();
                }
            }
        }
    }
}

TEST(SessionRecord, TextsAreCutToTheFieldWithoutSplittingAPair)
{
    CSessionRecord record(8);
    record.SetText(0, 6, L"ab");
    EXPECT_EQ((std::vector<BYTE>{'a', 0, 'b', 0, 0, 0, 0, 0}), Bytes(record));
    record.SetText(0, 6, L"abc");
    EXPECT_EQ((std::vector<BYTE>{'a', 0, 'b', 0, 'c', 0, 0, 0}), Bytes(record)) << "no terminator when it fits exactly";
    record.SetText(0, 6, L"abcdef");
    EXPECT_EQ((std::vector<BYTE>{'a', 0, 'b', 0, 'c', 0, 0, 0}), Bytes(record)) << "nothing past the field";
    // U+1F600 is D83D DE00: the third unit would be the high half of the pair.
    record.SetText(0, 6, L"ab\xD83D\xDE00");
    EXPECT_EQ((std::vector<BYTE>{'a', 0, 'b', 0, 0, 0, 0, 0}), Bytes(record));
    record.SetText(0, 6, L"a\xD83D\xDE00z");
    EXPECT_EQ((std::vector<BYTE>{'a', 0, 0x3D, 0xD8, 0x00, 0xDE, 0, 0}), Bytes(record));
}

TEST(SessionRecord, FillZeroesTheRecordAndWritesEveryField)
{
    CSessionRecord record(20);
    const CTexts first{L"42", L"xyzw"};
    record.Fill(first, kLayout, 0x0102030405060708LL);
    const std::vector<BYTE> expected = {8, 7, 6, 5, 4, 3, 2, 1, 42, 0, 0, 0, 'x', 0, 'y', 0, 'z', 0, 0, 0};
    EXPECT_EQ(expected, Bytes(record));
    const CTexts second{L"", L"q"};
    record.Fill(second, kLayout, 1);
    const std::vector<BYTE> expected2 = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'q', 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(expected2, Bytes(record));
}
