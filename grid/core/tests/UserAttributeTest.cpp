#include <grid/core/EllipseUserAttribute.h>
#include <grid/core/UserAttribute.h>
#include <grid/core/UserAttributeMap.h>

#include <afxwin.h>

#include <testing/RegistrySandbox.h>

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "ArchiveBytes.h"

namespace
{
// An attribute known only by its text, as the base class compares it.
class CTextAttribute : public CGXAbstractUserAttribute
{
public:
    explicit CTextAttribute(LPCTSTR pszText) : m_strText(pszText)
    {
    }
    CString GetValue() const override
    {
        return m_strText;
    }
    CString m_strText;
};

struct TypeCase
{
    const char* name;
    std::function<CGXUserAttribute*()> make;
    DWORD vtType;
    LPCTSTR text;
    LONG nLong;
    double dValue;
};

class UserAttributeTypeTest : public testing::TestWithParam<TypeCase>
{
};

TEST_P(UserAttributeTypeTest, HoldsItsTypeAndValue)
{
    const std::unique_ptr<CGXUserAttribute> pAttribute(GetParam().make());
    EXPECT_EQ(pAttribute->GetValueType(), GetParam().vtType);
    EXPECT_EQ(pAttribute->GetValue(), GetParam().text);
    EXPECT_EQ(pAttribute->GetLong(), GetParam().nLong);
    EXPECT_DOUBLE_EQ(pAttribute->GetDouble(), GetParam().dValue);

    const std::unique_ptr<CGXAbstractUserAttribute> pClone(pAttribute->Clone());
    EXPECT_TRUE(pClone->IsEqual(*pAttribute));
    EXPECT_EQ(pClone->GetValue(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    UserAttribute, UserAttributeTypeTest,
    testing::Values(TypeCase{"Empty", [] { return new CGXUserAttribute; }, 0, _T(""), 0, 0},
                    TypeCase{"EmptyTextOfConstructor", [] { return new CGXUserAttribute(_T("")); }, 3, _T(""), 0, 0},
                    TypeCase{"Unsigned", [] { return new CGXUserAttribute(DWORD{4000000000u}); }, 1, _T("4000000000"),
                             static_cast<LONG>(4000000000u), 4000000000.0},
                    TypeCase{"Signed", [] { return new CGXUserAttribute(LONG{-7}); }, 2, _T("-7"), -7, -7},
                    TypeCase{"ShortText", [] { return new CGXUserAttribute(_T("42ab")); }, 3, _T("42ab"), 42, 42},
                    TypeCase{"LongText", [] { return new CGXUserAttribute(_T("abcdef")); }, 4, _T("abcdef"), 0, 0},
                    TypeCase{"Number", [] { return new CGXUserAttribute(2.75); }, 5, _T("2.75"), 2, 2.75},
                    TypeCase{"NegativeNumberTruncates", [] { return new CGXUserAttribute(-2.75); }, 5, _T("-2.75"), -2,
                             -2.75},
                    TypeCase{"SixtyFourBits", [] { return new CGXUserAttribute(ULONGLONG{0x123456789ABCDEF0}); }, 6,
                             _T("123456789abcdef0"), 0, 0}),
    [](const testing::TestParamInfo<TypeCase>& info) { return info.param.name; });

struct TextCase
{
    LPCTSTR text;
    DWORD vtType;
};

TEST(UserAttribute, SetValueTakesNumbersOnlyWhenTheTextStaysTheSame)
{
    const TextCase cases[] = {
        {_T(""), 0},          {_T("12"), 5},           {_T("1234"), 5}, {_T("-0.5"), 5},
        {_T("12 apples"), 4}, {_T("12abc"), 4},        {_T("abc"), 3},  {_T("007"), 3},
        {_T("1.50"), 3},      {_T(" 12"), 3},          {_T("1e3"), 3},  {_T("123456789012345678"), 4},
        {_T("Value"), 4},     {_T("tooltip text"), 4},
    };
    CGXUserAttribute attribute;
    for (const TextCase& c : cases)
    {
        attribute.SetValue(c.text);
        EXPECT_EQ(attribute.GetValueType(), c.vtType) << c.text;
        EXPECT_EQ(attribute.GetValue(), c.text);
    }
}

TEST(UserAttribute, ResultsAreCopiesSoTwoValuesCompare)
{
    CGXUserAttribute first(_T("first value"));
    CGXUserAttribute second(_T("second value"));
    const CString a = first.GetValue();
    const CString b = second.GetValue();
    EXPECT_EQ(a, _T("first value"));
    EXPECT_EQ(b, _T("second value"));
    EXPECT_FALSE(first.IsEqual(second));

    // The base class compares texts.
    CTextAttribute x(_T("x")), y(_T("y")), x2(_T("x"));
    EXPECT_FALSE(x.IsEqual(y));
    EXPECT_TRUE(x.IsEqual(x2));
}

TEST(UserAttribute, EqualityNeedsTheSameIdTypeAndValue)
{
    CGXUserAttribute number(3.0), text(_T("3.0")), other(4.0), same(3.0);
    EXPECT_TRUE(number.IsEqual(same));
    EXPECT_FALSE(number.IsEqual(other));
    EXPECT_FALSE(number.IsEqual(text));
    same.m_nId = 9;
    EXPECT_FALSE(number.IsEqual(same));
    EXPECT_FALSE(CGXUserAttribute(DWORD{1}).IsEqual(CGXUserAttribute(LONG{1})));
    EXPECT_FALSE(number.IsEqual(CGXEllipseUserAttribute(3)));
}

TEST(UserAttribute, ArchivesTheTypeByteAndEightZeroPaddedValueBytes)
{
    const Bytes unsignedBytes = Join({{1}, DWord(0x11223344), DWord(0)});
    const Bytes signedBytes = Join({{2}, DWord(0xFFFFFFF9), DWord(0)});
    const Bytes shortText = Join({{3}, ArchiveString(L"abc")});
    const Bytes longText = Join({{4}, ArchiveString(L"abcdef")});
    const Bytes halves = Join({{6}, DWord(0x9ABCDEF0), DWord(0x12345678)});
    EXPECT_EQ(Stored([](CArchive& ar) { CGXUserAttribute(DWORD{0x11223344}).Serialize(ar); }), unsignedBytes);
    EXPECT_EQ(Stored([](CArchive& ar) { CGXUserAttribute(LONG{-7}).Serialize(ar); }), signedBytes);
    EXPECT_EQ(Stored([](CArchive& ar) { CGXUserAttribute(_T("abc")).Serialize(ar); }), shortText);
    EXPECT_EQ(Stored([](CArchive& ar) { CGXUserAttribute(_T("abcdef")).Serialize(ar); }), longText);
    EXPECT_EQ(Stored([](CArchive& ar) { CGXUserAttribute(ULONGLONG{0x123456789ABCDEF0}).Serialize(ar); }), halves);

    // A number that gives way to no value leaves no byte of it behind.
    CGXUserAttribute changed(2.5);
    changed.SetValue(_T(""));
    EXPECT_EQ(Stored([&](CArchive& ar) { changed.Serialize(ar); }), Join({{0}, DWord(0), DWord(0)}));

    for (const Bytes& bytes : {unsignedBytes, signedBytes, shortText, longText, halves})
    {
        CGXUserAttribute loaded(_T("previous long text"));
        Loaded(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
        EXPECT_EQ(Stored([&](CArchive& ar) { loaded.Serialize(ar); }), bytes);
    }
}

TEST(UserAttribute, AnUnknownTypeIsReadAsEightBytes)
{
    CGXUserAttribute loaded;
    Loaded(Join({{9}, DWord(1), DWord(2)}), [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded.GetValue(), _T("Value?"));
    EXPECT_EQ(loaded.GetLong(), 0);
    EXPECT_FALSE(loaded.IsEqual(loaded));
}

TEST(EllipseUserAttribute, IsItsKindAsANumberAndA16BitWord)
{
    CGXEllipseUserAttribute attribute(2);
    EXPECT_EQ(attribute.GetLong(), 2);
    EXPECT_EQ(attribute.GetValue(), _T(""));
    attribute.SetValue(_T("5"));
    EXPECT_EQ(attribute.GetEllipseKind(), 2u);
    EXPECT_TRUE(attribute.IsEqual(CGXEllipseUserAttribute(2)));
    EXPECT_FALSE(attribute.IsEqual(CGXEllipseUserAttribute(1)));
    EXPECT_EQ(Stored([&](CArchive& ar) { attribute.Serialize(ar); }), Word(2));
}

// The ids of a map in its order.
std::vector<WORD> Ids(const CGXUserAttributeMap& map)
{
    std::vector<WORD> ids;
    for (INT_PTR i = 0; i < map.GetSize(); ++i)
        ids.push_back(static_cast<CGXAbstractUserAttribute*>(map[i])->m_nId);
    return ids;
}

void Set(CGXUserAttributeMap& map, WORD nId, LPCTSTR pszValue)
{
    map.SetAttribute(nId, new CGXUserAttribute(pszValue));
}

TEST(UserAttributeMap, KeepsOneAttributePerIdSortedById)
{
    CGXUserAttributeMap map;
    EXPECT_EQ(map.FindIndex(5), -1);
    Set(map, 9, _T("nine"));
    Set(map, 2, _T("two"));
    Set(map, 5, _T("five"));
    Set(map, 5, _T("FIVE"));
    EXPECT_EQ(Ids(map), (std::vector<WORD>{2, 5, 9}));
    EXPECT_EQ(map.GetAttribute(5)->GetValue(), _T("FIVE"));
    EXPECT_EQ(map.GetAttribute(4), nullptr);
    map.SetAttributeClone(4, CGXUserAttribute(_T("four")));
    map.RemoveAttribute(9);
    map.RemoveAttribute(8);
    EXPECT_EQ(Ids(map), (std::vector<WORD>{2, 4, 5}));
    map.Empty();
    EXPECT_TRUE(map.IsEmpty());
}

struct ChangeCase
{
    int nMode;
    std::vector<WORD> ids;
    LPCTSTR value5; // the value of id 5 afterwards, or null when it is gone
};

TEST(UserAttributeMap, ChangesByTheStyleModes)
{
    const ChangeCase cases[] = {
        {0, {1, 3, 5}, _T("other")}, // override
        {1, {1, 3, 5}, _T("mine")},  // apply: only what is missing
        {2, {3, 5}, _T("other")},    // copy
        {3, {1}, nullptr},           // exclude
    };
    for (const ChangeCase& c : cases)
    {
        CGXUserAttributeMap other;
        Set(other, 5, _T("other"));
        Set(other, 3, _T("three"));
        CGXUserAttributeMap map;
        Set(map, 1, _T("one"));
        Set(map, 5, _T("mine"));
        map.ChangeMap(other, c.nMode);
        EXPECT_EQ(Ids(map), c.ids) << "mode " << c.nMode;
        const CGXAbstractUserAttribute* p5 = map.GetAttribute(5);
        EXPECT_EQ(p5 == nullptr, c.value5 == nullptr) << "mode " << c.nMode;
        if (p5 != nullptr && c.value5 != nullptr)
        {
            EXPECT_EQ(p5->GetValue(), c.value5) << "mode " << c.nMode;
        }
    }

    CGXUserAttributeMap map;
    Set(map, 1, _T("one"));
    CGXUserAttributeMap nine;
    Set(nine, 9, _T("nine"));
    map.ChangeMap(nine, 3);
    EXPECT_EQ(Ids(map), (std::vector<WORD>{1}));
}

TEST(UserAttributeMap, ArchivesEachAttributeAsAnObjectFollowedByItsId)
{
    CGXUserAttributeMap map;
    map.SetAttribute(7, new CGXUserAttribute(DWORD{5}));
    const Bytes expected = Join({Word(1), NewClassTag(0, "CGXUserAttribute"), {1}, DWord(5), DWord(0), Word(7)});
    EXPECT_EQ(Stored([&](CArchive& ar) { map.Serialize(ar); }), expected);

    CGXUserAttributeMap three;
    Set(three, 51011, _T("10"));
    three.SetAttribute(52792, new CGXEllipseUserAttribute(1));
    Set(three, 51022, _T("A tip"));
    CGXUserAttributeMap loaded;
    Set(loaded, 4, _T("dropped"));
    Loaded(Stored([&](CArchive& ar) { three.Serialize(ar); }), [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(Ids(loaded), (std::vector<WORD>{51011, 51022, 52792}));
    EXPECT_EQ(loaded.GetAttribute(51022)->GetValue(), _T("A tip"));
    EXPECT_TRUE(loaded.GetAttribute(52792)->IsEqual(CGXEllipseUserAttribute(1)));
    EXPECT_EQ(loaded.GetAttribute(51011)->GetDouble(), 10);
}

TEST(UserAttributeMap, RefusesToStoreMoreAttributesThanTheCountHolds)
{
    CGXUserAttributeMap map;
    for (DWORD nId = 0; nId <= 0xFFFF; ++nId)
        map.Add(new CGXUserAttribute);
    EXPECT_EQ(ArchiveCause([&] { Stored([&](CArchive& ar) { map.Serialize(ar); }); }),
              CArchiveException::genericException);
}

class TestApp : public CWinApp
{
public:
    TestApp() : CWinApp(_T("User Attribute Test"))
    {
    }
    using CWinApp::SetRegistryKey;
};

TEST(UserAttributeMap, WritesEachTextToTheProfile)
{
    RegistrySandbox sandbox;
    TestApp app;
    app.SetRegistryKey(sandbox.Name());
    CGXUserAttributeMap map;
    Set(map, 51022, _T("A tip"));
    map.SetAttribute(7, new CGXUserAttribute(LONG{-3}));
    map.WriteProfile(_T("Styles"));
    EXPECT_EQ(app.GetProfileString(_T("Styles"), _T("UA51022")), _T("A tip"));
    EXPECT_EQ(app.GetProfileString(_T("Styles"), _T("UA7")), _T("-3"));
}
} // namespace
