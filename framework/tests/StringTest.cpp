#include <afx.h>

#include <climits>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace
{
// The ids of StringTest.rc.
constexpr UINT IDS_GREETING = 61008;
constexpr UINT IDS_FORMAT = 61009;
constexpr UINT IDS_INSERTS = 61010;
constexpr UINT IDS_MESSAGE = 61011;
constexpr UINT IDS_LONG = 61012;
constexpr UINT IDS_ABSENT = 61087;

const wchar_t kGreeting[] = L"Grüße Ω";

// GoogleTest prints std::wstring readably, and the length keeps embedded nulls visible.
std::wstring W(const CString& str)
{
    return std::wstring(str.GetString(), str.GetLength());
}

template <class E, class F> bool Throws(F f)
{
    try
    {
        f();
    }
    catch (E* e)
    {
        e->Delete();
        return true;
    }
    return false;
}

CString FormatOf(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    CString str;
    str.FormatV(pszFormat, args);
    va_end(args);
    return str;
}

using Edit = CString& (*)(CString&);
} // namespace

TEST(CString, Construction)
{
    EXPECT_EQ(W(CString()), L"");
    EXPECT_STREQ(CString().GetString(), L"");
    EXPECT_EQ(W(CString(static_cast<LPCWSTR>(nullptr))), L"");
    EXPECT_EQ(W(CString(L"abc")), L"abc");
    EXPECT_EQ(W(CString(L"ab\0cd", 5)), std::wstring(L"ab\0cd", 5));
    EXPECT_EQ(W(CString(L"abcdef", 3)), L"abc");
    EXPECT_EQ(W(CString(L'x', 3)), L"xxx");
    EXPECT_EQ(W(CString(L'x', 0)), L"");
    EXPECT_EQ(W(CString(L'x', -2)), L"");
    EXPECT_EQ(W(CString("narrow")), L"narrow");
    EXPECT_EQ(W(CString("narrow", 3)), L"nar");
    EXPECT_EQ(W(CString(MAKEINTRESOURCEW(IDS_GREETING))), kGreeting);
    EXPECT_EQ(W(CString(MAKEINTRESOURCEA(IDS_GREETING))), kGreeting);
    EXPECT_EQ(W(CString(MAKEINTRESOURCEW(IDS_ABSENT))), L"");
    EXPECT_TRUE(Throws<CInvalidArgException>([] { CString(L"abc", -1); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([] { CString(static_cast<LPCWSTR>(nullptr), 2); }));
}

TEST(CString, CopiesAreIndependentAndMovesEmptyTheSource)
{
    CString original(L"value");
    CString copy(original);
    CString assigned;
    assigned = original;
    original.SetAt(0, L'V');
    original += L"!";
    EXPECT_EQ(W(copy), L"value");
    EXPECT_EQ(W(assigned), L"value");

    CString moved(std::move(original));
    EXPECT_EQ(W(moved), L"Value!");
    EXPECT_TRUE(original.IsEmpty());
    copy = std::move(moved);
    EXPECT_EQ(W(copy), L"Value!");
    EXPECT_TRUE(moved.IsEmpty());
    copy.Empty();
    EXPECT_EQ(copy.GetLength(), 0);
}

TEST(CString, AssignmentAndConcatenation)
{
    CString s;
    s = L"wide";
    EXPECT_EQ(W(s), L"wide");
    s = "narrow";
    EXPECT_EQ(W(s), L"narrow");
    s = L'c';
    EXPECT_EQ(W(s), L"c");
    s += L"d";
    s += 'e';
    s += "f";
    s += CString(L"g");
    EXPECT_EQ(W(s), L"cdefg");

    const CString a(L"ab");
    const struct
    {
        CString actual;
        LPCWSTR expected;
    } cases[] = {
        {a + a, L"abab"},
        {a + L"cd", L"abcd"},
        {L"cd" + a, L"cdab"},
        {a + L'z', L"abz"},
        {L'z' + a, L"zab"},
        {CString() + CString(), L""},
        {a + static_cast<LPCWSTR>(nullptr), L"ab"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(W(c.actual), c.expected);
}

TEST(CString, SourcesInsideTheStringItself)
{
    CString s(L"abc");
    s = s;
    EXPECT_EQ(W(s), L"abc");
    // Each append reallocates while reading from the old block.
    for (int i = 0; i < 6; ++i)
        s += s;
    EXPECT_EQ(s.GetLength(), 3 * 64);
    EXPECT_EQ(W(s.Right(4)), L"cabc");
    s.Append(s.GetString() + 1, 2);
    EXPECT_EQ(W(s.Right(3)), L"cbc");
    s = s.GetString() + s.GetLength() - 3;
    EXPECT_EQ(W(s), L"cbc");
    s.Insert(1, s.GetString());
    EXPECT_EQ(W(s), L"ccbcbc");
    s.Replace(L"cb", s.GetString());
    EXPECT_EQ(W(s), L"c"
                    L"ccbcbc"
                    L"ccbcbc"
                    L"c");
    // A tail of every size taken in place.
    for (int tail = 1; tail <= 40; ++tail)
    {
        CString text(L"0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJ");
        const CString expected = text.Right(tail);
        text.SetString(text.GetString() + text.GetLength() - tail, tail);
        EXPECT_EQ(W(text), W(expected)) << tail;
    }
}

TEST(CString, Comparisons)
{
    const struct
    {
        LPCWSTR left;
        LPCWSTR right;
        int order;
    } cases[] = {
        {L"abc", L"abc", 0}, {L"abc", L"abd", -1}, {L"b", L"abc", 1},
        {L"", L"a", -1},     {L"ab", L"abc", -1},  {L"B", L"a", -1}, // by code unit, not case-blind
    };
    for (const auto& c : cases)
    {
        const CString left(c.left);
        const CString right(c.right);
        const auto check = [&](const auto& l, const auto& r) {
            EXPECT_EQ(l == r, c.order == 0) << c.left << L" " << c.right;
            EXPECT_EQ(l != r, c.order != 0) << c.left << L" " << c.right;
            EXPECT_EQ(l < r, c.order < 0) << c.left << L" " << c.right;
            EXPECT_EQ(l > r, c.order > 0) << c.left << L" " << c.right;
            EXPECT_EQ(l <= r, c.order <= 0) << c.left << L" " << c.right;
            EXPECT_EQ(l >= r, c.order >= 0) << c.left << L" " << c.right;
        };
        check(left, right);
        check(left, c.right);
        check(c.left, right);
    }
}

TEST(CString, CompareFamilyAndCaseMapping)
{
    const struct
    {
        LPCWSTR left;
        LPCWSTR right;
        int compare;
        int noCase;
    } cases[] = {
        {L"abc", L"abc", 0, 0}, {L"abc", L"ABC", 1, 0},     {L"ABC", L"abd", -1, -1},
        {L"a", L"", 1, 1},      {L"Zeta", L"alpha", -1, 1},
    };
    const auto sign = [](int n) { return (n > 0) - (n < 0); };
    for (const auto& c : cases)
    {
        const CString left(c.left);
        EXPECT_EQ(sign(left.Compare(c.right)), c.compare) << c.left << L" " << c.right;
        EXPECT_EQ(sign(left.CompareNoCase(c.right)), c.noCase) << c.left << L" " << c.right;
        EXPECT_EQ(sign(left.Collate(c.right)) == 0, c.compare == 0) << c.left << L" " << c.right;
        EXPECT_EQ(sign(left.CollateNoCase(c.right)), c.noCase) << c.left << L" " << c.right;
    }
    EXPECT_TRUE(Throws<CInvalidArgException>([] { CString(L"a").Compare(nullptr); }));

    CString s(L"Grüße Ω 1x");
    EXPECT_EQ(W(s.MakeUpper()), L"GRÜßE Ω 1X");
    EXPECT_EQ(W(s.MakeLower()), L"grüße ω 1x");
    EXPECT_EQ(W(s.MakeReverse()), L"x1 ω eßürg");
    CString empty;
    EXPECT_EQ(W(empty.MakeUpper().MakeReverse()), L"");
}

TEST(CString, FormatHasMicrosoftSemantics)
{
    // mingw defines __USE_MINGW_ANSI_STDIO in C++, where swprintf reads %s as narrow; these
    // show that Format still gets msvcrt's rules.
    const struct
    {
        CString actual;
        LPCWSTR expected;
    } cases[] = {
        {FormatOf(L"[%s]", kGreeting), L"[Grüße Ω]"},
        {FormatOf(L"[%S]", "narrow"), L"[narrow]"},
        {FormatOf(L"%hs|%ls", "h", L"l"), L"h|l"},
        {FormatOf(L"%I64d %I64d", 9876543210123LL, -5000000000LL), L"9876543210123 -5000000000"},
        {FormatOf(L"%I32u", 4000000000U), L"4000000000"},
        {FormatOf(L"%.*s|", 3, L"abcdef"), L"abc|"},
        {FormatOf(L"%#x %#o", 255, 8), L"0xff 010"},
        {FormatOf(L"%5.2f|%-4d|%04X", 3.14159, 7, 0xAB), L" 3.14|7   |00AB"},
        {FormatOf(L"%c%C", L'w', 'n'), L"wn"},
        {FormatOf(L"100%%"), L"100%"},
        {FormatOf(L""), L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(W(c.actual), c.expected);
}

TEST(CString, FormatLongResultsAndOwnArguments)
{
    const CString big(L'x', 10000);
    CString s(L"old");
    s.Format(L"%s|%d", big.GetString(), 5);
    EXPECT_EQ(s.GetLength(), 10002);
    EXPECT_EQ(W(s.Right(4)), L"xx|5");
    s.Format(L"%-10000s|", L"a");
    EXPECT_EQ(s.GetLength(), 10001);
    EXPECT_EQ(W(s.Left(2)), L"a ");

    s = L"abc";
    s.Format(L"%s-%s", s.GetString(), s.GetString());
    EXPECT_EQ(W(s), L"abc-abc");
    s.AppendFormat(L"+%s", s.GetString());
    EXPECT_EQ(W(s), L"abc-abc+abc-abc");
    s.AppendFormat(L"%s", big.GetString());
    EXPECT_EQ(s.GetLength(), 15 + 10000);
}

TEST(CString, FormatFromTheStringTable)
{
    CString s;
    s.Format(IDS_FORMAT, L"Box", 3);
    EXPECT_EQ(W(s), L"Box has 3 items");
    s.AppendFormat(IDS_FORMAT, L", Bag", 4);
    EXPECT_EQ(W(s), L"Box has 3 items, Bag has 4 items");
    EXPECT_TRUE(Throws<CResourceException>([&] { s.Format(IDS_ABSENT, 1); }));
    EXPECT_EQ(W(s), L"Box has 3 items, Bag has 4 items");
}

TEST(CString, FormatMessageInserts)
{
    CString s;
    s.FormatMessage(L"%1 has %2!d! items, %1!s! again, 100%% sure", L"Box", 5);
    EXPECT_EQ(W(s), L"Box has 5 items, Box again, 100% sure");
    s.FormatMessage(IDS_MESSAGE, kGreeting, 7);
    EXPECT_EQ(W(s), L"Grüße Ω has 7 items");
    s.FormatMessage(L"");
    EXPECT_EQ(W(s), L"");
    s = L"kept";
    s.FormatMessage(L"%1", L"");
    EXPECT_EQ(W(s), L"");
    s = L"kept";
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { s.FormatMessage(L"100 %"); }));
    EXPECT_EQ(W(s), L"kept");
    EXPECT_TRUE(Throws<CResourceException>([&] { s.FormatMessage(IDS_ABSENT, L"a"); }));
}

TEST(CString, AfxFormatStringInsertsLiterally)
{
    // The texts are not read as formats, and an insert with no text becomes '?'.
    CString s(L"unchanged");
    AfxFormatString2(s, IDS_INSERTS, L"a.txt", L"%1 denied");
    EXPECT_EQ(W(s), L"Cannot open a.txt: %1 denied (%d, 100%%, ?)");
    AfxFormatString1(s, IDS_INSERTS, kGreeting);
    EXPECT_EQ(W(s), L"Cannot open Grüße Ω: ? (%d, 100%%, ?)");
    const LPCTSTR texts[] = {L"one", nullptr, L"three"};
    AfxFormatStrings(s, L"%3%2%1%", texts, 3);
    EXPECT_EQ(W(s), L"threeone%");
    AfxFormatString1(s, IDS_ABSENT, L"x");
    EXPECT_EQ(W(s), L"threeone%");
}

TEST(CString, Trim)
{
    const struct
    {
        LPCWSTR input;
        Edit edit;
        LPCWSTR expected;
    } cases[] = {
        {L" \t\r\n a b \u3000\n", [](CString& s) -> CString& { return s.Trim(); }, L"a b"},
        {L"  a b  ", [](CString& s) -> CString& { return s.TrimLeft(); }, L"a b  "},
        {L"  a b  ", [](CString& s) -> CString& { return s.TrimRight(); }, L"  a b"},
        {L" \t\n", [](CString& s) -> CString& { return s.Trim(); }, L""},
        {L"", [](CString& s) -> CString& { return s.Trim(); }, L""},
        {L"xxaxbxx", [](CString& s) -> CString& { return s.Trim(L'x'); }, L"axb"},
        {L"xxaxbxx", [](CString& s) -> CString& { return s.TrimLeft(L'x'); }, L"axbxx"},
        {L"xxaxbxx", [](CString& s) -> CString& { return s.TrimRight(L'x'); }, L"xxaxb"},
        {L" x a x ", [](CString& s) -> CString& { return s.Trim(L'x'); }, L" x a x "},
        {L"-+a+-b-+", [](CString& s) -> CString& { return s.Trim(L"+-"); }, L"a+-b"},
        {L"-+a+-b-+", [](CString& s) -> CString& { return s.TrimLeft(L"+-"); }, L"a+-b-+"},
        {L"-+a+-b-+", [](CString& s) -> CString& { return s.TrimRight(L"+-"); }, L"-+a+-b"},
        {L"-+-", [](CString& s) -> CString& { return s.Trim(L"+-"); }, L""},
        {L" a ", [](CString& s) -> CString& { return s.Trim(L""); }, L" a "},
    };
    for (const auto& c : cases)
    {
        CString s(c.input);
        CString& result = c.edit(s);
        EXPECT_EQ(&result, &s);
        EXPECT_EQ(W(s), c.expected) << c.input;
    }
}

TEST(CString, TrimRemovesWhatTheRuntimeCallsSpace)
{
    for (wchar_t ch = 1; ch < 0x100; ++ch)
    {
        CString s;
        s.Format(L"%ca%c", ch, ch);
        s.Trim();
        EXPECT_EQ(s.GetLength(), iswspace(ch) != 0 ? 1 : 3) << static_cast<int>(ch);
    }
}

TEST(CString, Tokenize)
{
    const struct
    {
        LPCWSTR input;
        LPCWSTR separators;
        std::vector<std::wstring> tokens;
    } cases[] = {
        {L"a;b;c", L";", {L"a", L"b", L"c"}},
        {L"a;;b", L";", {L"a", L"b"}},
        {L";;a;b;;", L";", {L"a", L"b"}},
        {L";;;", L";", {}},
        {L"", L";", {}},
        {L"one, two,three", L", ", {L"one", L"two", L"three"}},
        {L"no separators", L";", {L"no separators"}},
        {L"x;y", L"", {L"x;y"}},
    };
    for (const auto& c : cases)
    {
        const CString s(c.input);
        std::vector<std::wstring> tokens;
        int iStart = 0;
        for (CString token = s.Tokenize(c.separators, iStart); iStart != -1; token = s.Tokenize(c.separators, iStart))
        {
            tokens.push_back(W(token));
            ASSERT_LE(tokens.size(), 10U) << c.input;
        }
        EXPECT_EQ(tokens, c.tokens) << c.input;
    }

    // iStart moves past the separator that ended the token; past the end, and after the end
    // was reported, the result stays empty.
    const CString s(L"a;b");
    int iStart = 0;
    EXPECT_EQ(W(s.Tokenize(L";", iStart)), L"a");
    EXPECT_EQ(iStart, 2);
    iStart = 10;
    EXPECT_EQ(W(s.Tokenize(L";", iStart)), L"");
    EXPECT_EQ(iStart, -1);
    EXPECT_EQ(W(s.Tokenize(L";", iStart)), L"");
    EXPECT_EQ(iStart, -1);
}

TEST(CString, SubstringsClampOutOfRangeArguments)
{
    const CString s(L"abcdef");
    const struct
    {
        CString actual;
        LPCWSTR expected;
    } cases[] = {
        {s.Left(2), L"ab"},
        {s.Left(0), L""},
        {s.Left(-1), L""},
        {s.Left(100), L"abcdef"},
        {s.Left(INT_MAX), L"abcdef"},
        {s.Right(2), L"ef"},
        {s.Right(-5), L""},
        {s.Right(INT_MAX), L"abcdef"},
        {s.Mid(2), L"cdef"},
        {s.Mid(-3), L"abcdef"},
        {s.Mid(6), L""},
        {s.Mid(7), L""},
        {s.Mid(INT_MAX), L""},
        {s.Mid(1, 3), L"bcd"},
        {s.Mid(4, 10), L"ef"},
        {s.Mid(-2, 3), L"abc"},
        {s.Mid(2, -1), L""},
        {s.Mid(2, INT_MAX), L"cdef"},
        {s.Mid(INT_MAX, INT_MAX), L""},
        {s.Mid(INT_MIN, INT_MAX), L"abcdef"},
        {s.SpanIncluding(L"cba"), L"abc"},
        {s.SpanIncluding(L"xyz"), L""},
        {s.SpanIncluding(L"fedcba"), L"abcdef"},
        {s.SpanExcluding(L"dx"), L"abc"},
        {s.SpanExcluding(L"xyz"), L"abcdef"},
        {s.SpanExcluding(L""), L"abcdef"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(W(c.actual), c.expected);
}

TEST(CString, Find)
{
    const CString s(L"abcabc");
    const struct
    {
        int actual;
        int expected;
    } cases[] = {
        {s.Find(L'b'), 1},           {s.Find(L'b', 2), 4},     {s.Find(L'b', 5), -1},
        {s.Find(L'b', 6), -1},       {s.Find(L'b', -1), -1},   {s.Find(L'x'), -1},
        {s.Find(L"ca"), 2},          {s.Find(L"bc", 2), 4},    {s.Find(L"abcd"), -1},
        {s.Find(L"c", 6), -1},       {s.Find(L"", 6), 6},      {s.Find(L"a", 7), -1},
        {s.Find(L"a", INT_MAX), -1}, {s.Find(L"a", -1), -1},   {s.FindOneOf(L"xc"), 2},
        {s.FindOneOf(L"xyz"), -1},   {s.ReverseFind(L'a'), 3}, {s.ReverseFind(L'x'), -1},
        {CString().Find(L'a'), -1},  {CString().Find(L""), 0}, {CString().ReverseFind(L'a'), -1},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].actual, cases[i].expected) << "case " << i;
}

TEST(CString, ReplaceAndRemove)
{
    const struct
    {
        LPCWSTR input;
        LPCWSTR oldText;
        LPCWSTR newText;
        int count;
        LPCWSTR expected;
    } cases[] = {
        {L"a.b.c", L".", L"::", 2, L"a::b::c"}, {L"aaaa", L"aa", L"b", 2, L"bb"},
        {L"aaa", L"aa", L"aab", 1, L"aaba"},    {L"abc", L"", L"x", 0, L"abc"},
        {L"abc", nullptr, L"x", 0, L"abc"},     {L"abc", L"b", L"", 1, L"ac"},
        {L"abc", L"b", nullptr, 1, L"ac"},      {L"abc", L"x", L"y", 0, L"abc"},
        {L"abc", L"abc", L"", 1, L""},          {L"", L"a", L"b", 0, L""},
    };
    for (const auto& c : cases)
    {
        CString s(c.input);
        EXPECT_EQ(s.Replace(c.oldText, c.newText), c.count) << c.input;
        EXPECT_EQ(W(s), c.expected) << c.input;
    }

    CString s(L"banana");
    EXPECT_EQ(s.Replace(L'a', L'o'), 3);
    EXPECT_EQ(W(s), L"bonono");
    EXPECT_EQ(s.Replace(L'o', L'o'), 0);
    EXPECT_EQ(s.Remove(L'n'), 2);
    EXPECT_EQ(W(s), L"booo");
    EXPECT_EQ(s.Remove(L'x'), 0);
    EXPECT_EQ(CString().Remove(L'x'), 0);
}

TEST(CString, InsertAndDelete)
{
    const struct
    {
        Edit edit;
        LPCWSTR expected;
    } cases[] = {
        {[](CString& s) -> CString& { return s.Insert(1, L'X'), s; }, L"aXbc"},
        {[](CString& s) -> CString& { return s.Insert(0, L"XY"), s; }, L"XYabc"},
        {[](CString& s) -> CString& { return s.Insert(3, L"XY"), s; }, L"abcXY"},
        {[](CString& s) -> CString& { return s.Insert(-5, L'X'), s; }, L"Xabc"},
        {[](CString& s) -> CString& { return s.Insert(99, L'X'), s; }, L"abcX"},
        {[](CString& s) -> CString& { return s.Insert(1, L""), s; }, L"abc"},
        {[](CString& s) -> CString& { return s.Insert(1, static_cast<LPCWSTR>(nullptr)), s; }, L"abc"},
        {[](CString& s) -> CString& { return s.Delete(1), s; }, L"ac"},
        {[](CString& s) -> CString& { return s.Delete(0, 2), s; }, L"c"},
        {[](CString& s) -> CString& { return s.Delete(1, 99), s; }, L"a"},
        {[](CString& s) -> CString& { return s.Delete(1, INT_MAX), s; }, L"a"},
        {[](CString& s) -> CString& { return s.Delete(-1, 2), s; }, L"c"},
        {[](CString& s) -> CString& { return s.Delete(3), s; }, L"abc"},
        {[](CString& s) -> CString& { return s.Delete(INT_MAX, INT_MAX), s; }, L"abc"},
        {[](CString& s) -> CString& { return s.Delete(1, 0), s; }, L"abc"},
        {[](CString& s) -> CString& { return s.Delete(1, -4), s; }, L"abc"},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
    {
        CString s(L"abc");
        EXPECT_EQ(W(cases[i].edit(s)), cases[i].expected) << "case " << i;
    }
    CString s(L"abc");
    EXPECT_EQ(s.Insert(1, L"123"), 6);
    EXPECT_EQ(s.Delete(0, 4), 2);
}

TEST(CString, CharacterAccess)
{
    CString s(L"abc");
    EXPECT_EQ(s[1], L'b');
    EXPECT_EQ(s.GetAt(3), L'\0');
    s.SetAt(2, L'Z');
    EXPECT_EQ(W(s), L"abZ");
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { s.GetAt(4); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { s.GetAt(-1); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { s.SetAt(3, L'x'); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { CString().SetAt(0, L'x'); }));
    s.Truncate(1);
    EXPECT_EQ(W(s), L"a");
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { s.Truncate(2); }));
}

TEST(CString, GetBufferAndReleaseBuffer)
{
    CString s(L"abc");
    const CString before(s);
    LPWSTR p = s.GetBuffer(10);
    EXPECT_STREQ(p, L"abc");
    EXPECT_GE(s.GetAllocLength(), 10);
    wcscpy(p, L"0123456789");
    s.ReleaseBuffer();
    EXPECT_EQ(W(s), L"0123456789");
    EXPECT_EQ(W(before), L"abc");

    p = s.GetBuffer();
    p[4] = 0;
    s.ReleaseBuffer();
    EXPECT_EQ(W(s), L"0123");
    s.GetBuffer(5);
    s.ReleaseBuffer(2);
    EXPECT_EQ(W(s), L"01");

    p = s.GetBufferSetLength(4);
    EXPECT_EQ(s.GetLength(), 4);
    std::wmemcpy(p, L"wxyz", 4);
    s.ReleaseBuffer();
    EXPECT_EQ(W(s), L"wxyz");
    s.GetBuffer(2);
    s.ReleaseBufferSetLength(3);
    EXPECT_EQ(W(s), L"wxy");
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { s.ReleaseBufferSetLength(s.GetAllocLength() + 1); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { s.GetBufferSetLength(-1); }));

    // An empty string still hands out a writable buffer of its own.
    CString empty;
    empty.GetBuffer()[0] = 0;
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());

    s.Preallocate(1000);
    EXPECT_GE(s.GetAllocLength(), 1000);
    EXPECT_EQ(W(s), L"wxy");
    s.FreeExtra();
    EXPECT_EQ(s.GetAllocLength(), 3);
    EXPECT_EQ(W(s), L"wxy");
}

TEST(CString, CodePageConversions)
{
    const struct
    {
        UINT codePage;
        const char* narrow;
        LPCWSTR wide;
    } cases[] = {
        {1252, "\x80 caf\xE9 \xDF", L"€ café ß"},
        {437, "\x82\xC4\xE1 \x81", L"é─ß ü"},
        {CP_UTF8,
         "Gr\xC3\xBC\xC3\x9F"
         "e \xCE\xA9 \xF0\x9F\x98\x80",
         L"Grüße Ω 😀"},
        {CP_UTF8, "", L""},
    };
    for (const auto& c : cases)
    {
        EXPECT_STREQ(CA2W(c.narrow, c.codePage), c.wide) << c.codePage;
        EXPECT_STREQ(CW2A(c.wide, c.codePage), c.narrow) << c.codePage;
        EXPECT_EQ(W(CString(CA2W(CW2A(c.wide, c.codePage), c.codePage))), c.wide) << c.codePage;
    }

    // Longer than the converters' own buffers.
    const CString longText(L'é', 1000);
    const CW2A utf8(longText, CP_UTF8);
    EXPECT_EQ(std::strlen(utf8), 2000U);
    EXPECT_EQ(W(CString(CA2W(utf8, CP_UTF8))), W(longText));

    EXPECT_EQ(static_cast<LPWSTR>(CA2W(nullptr)), nullptr);
    EXPECT_EQ(static_cast<LPSTR>(CW2A(nullptr)), nullptr);

    // The narrow constructors read the ANSI code page.
    EXPECT_EQ(W(CString("caf\xE9")), W(CString(CA2W("caf\xE9", CP_ACP))));
    EXPECT_EQ(W(CString("caf\xE9", 3)), L"caf");
}

TEST(CString, LoadString)
{
    CString s(L"previous");
    EXPECT_TRUE(s.LoadString(IDS_GREETING));
    EXPECT_EQ(W(s), kGreeting);
    // Longer than any fixed buffer would be.
    EXPECT_TRUE(s.LoadString(IDS_LONG));
    EXPECT_EQ(s.GetLength(), 400);
    EXPECT_EQ(W(s.Left(8)), L"000|001|");
    EXPECT_EQ(W(s.Right(4)), L"099|");
    EXPECT_TRUE(s.LoadString(::GetModuleHandleW(nullptr), IDS_FORMAT));
    EXPECT_EQ(W(s), L"%s has %d items");
    EXPECT_FALSE(s.LoadString(IDS_ABSENT));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, DistinctStringsWorkOnDifferentThreads)
{
    const CString shared(L"shared text");
    std::vector<std::wstring> results(4);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
    {
        threads.emplace_back([&shared, &results, t] {
            CString total;
            for (int i = 0; i < 2000; ++i)
            {
                CString copy(shared);
                copy.Replace(L"text", L"");
                copy.AppendFormat(L"%d", t);
                if (copy == CString(L"shared ") + static_cast<wchar_t>(L'0' + t))
                    total += L'.';
            }
            results[t] = W(total);
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (const auto& result : results)
        EXPECT_EQ(result, std::wstring(2000, L'.'));
}
