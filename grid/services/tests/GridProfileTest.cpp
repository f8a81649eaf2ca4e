// Base styles and grid properties kept as user defaults in the registry and in an INI file.
#include "ArchiveBytes.h"
#include "GridTestSupport.h"

#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/services/ControlFactory.h>

#include <testing/RegistrySandbox.h>
#include <testing/TempDirectory.h>

#include <gtest/gtest.h>

#include <sddl.h>

#include <cstdio>
#include <functional>
#include <set>
#include <vector>

namespace
{
void Replace(LPCTSTR& pszSetting, LPCTSTR pszValue)
{
    free(const_cast<LPTSTR>(pszSetting));
    pszSetting = pszValue != nullptr ? _tcsdup(pszValue) : nullptr;
}

// The profile in a registry sandbox, or with bIni in an INI file of a temporary directory.
class GridProfileTest : public HiddenGridTest
{
protected:
    void SetUp() override
    {
        HiddenGridTest::SetUp();
        m_strOldProfile = m_app.m_pszProfileName != nullptr ? m_app.m_pszProfileName : _T("");
        // As SetRegistryKey leaves them: the profile name is the application's.
        Replace(m_app.m_pszRegistryKey, m_sandbox.Name());
        Replace(m_app.m_pszProfileName, m_app.m_pszAppName);
    }
    void TearDown() override
    {
        Replace(m_app.m_pszRegistryKey, nullptr);
        Replace(m_app.m_pszProfileName, m_strOldProfile.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_strOldProfile));
        HiddenGridTest::TearDown();
    }
    void UseIniFile()
    {
        Replace(m_app.m_pszRegistryKey, nullptr);
        Replace(m_app.m_pszProfileName, m_directory.File(_T("grid.ini")));
    }
    // The INI file's text (ASCII, also when the file is UTF-16).
    std::string IniText()
    {
        ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, m_app.m_pszProfileName);
        std::string text;
        if (FILE* pFile = _wfopen(m_app.m_pszProfileName, L"rb"))
        {
            for (int ch; (ch = fgetc(pFile)) != EOF;)
                if (ch != 0 && ch != 0xFF && ch != 0xFE)
                    text += static_cast<char>(ch);
            fclose(pFile);
        }
        return text;
    }
    // The sub-keys below the application's key's section.
    std::set<CString> RegistryKeys(LPCTSTR pszSection)
    {
        std::set<CString> keys;
        HKEY hKey = nullptr;
        const CString path = m_sandbox.Path() + _T("\\") + m_app.m_pszProfileName + _T("\\") + pszSection;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return keys;
        WCHAR szName[256];
        for (DWORD i = 0; ::RegEnumKeyW(hKey, i, szName, 256) == ERROR_SUCCESS; ++i)
            keys.insert(szName);
        ::RegCloseKey(hKey);
        return keys;
    }
    CString Profile(LPCTSTR pszSection, LPCTSTR pszEntry)
    {
        return m_app.GetProfileString(pszSection, pszEntry, _T("<none>"));
    }
    static Bytes StoredStyle(const CGXStyle& style, const CGXStylesMap& map)
    {
        return Stored([&](CArchive& ar) { const_cast<CGXStyle&>(style).Serialize(ar, &map); });
    }
    CGXStyle& Totals(CGXStylesMap& map)
    {
        CGXStyle* pStyle = nullptr;
        EXPECT_TRUE(map.LookupStyle(map.LookupStyleId(_T("Totals")), pStyle));
        return *pStyle;
    }
    // A full style registered as "Totals" in the grid's map.
    void RegisterTotals()
    {
        CGXStylesMap& map = *m_grid.GetStylesMap();
        GXPenRecord pen;
        pen.SetStyle(PS_SOLID).SetWidth(2).SetColor(RGB(255, 0, 0));
        CGXStyle style;
        style.SetHorizontalAlignment(2)
            .SetTextColor(RGB(255, 0, 0))
            .SetInteriorColor(RGB(0, 0, 255))
            .SetFont(CGXFont().SetWeight(700).SetSize(12).SetFaceName(_T("Arial")))
            .SetBorders(GXBorder::All, pen)
            .SetChoiceList(_T("a\\b\r\n"))
            .SetUserAttribute(51011, _T("tip"))
            .SetBaseStyle(map.m_wStyleStandard)
            .SetMaxLength(40)
            .SetMergeCell(5);
        map.RegisterStyleByName(_T("Totals"), style, 0);
    }

    RegistrySandbox m_sandbox;
    TempDirectory m_directory;
    CString m_strOldProfile;
};
} // namespace

TEST_F(GridProfileTest, StylesGoToOneRegistryKeyEachAndComeBackEqual)
{
    RegisterTotals();
    CGXStylesMap& map = *m_grid.GetStylesMap();
    m_grid.GetStandardStyle()->SetInteriorColor(RGB(255, 255, 0));
    ASSERT_TRUE(map.WriteProfile());
    EXPECT_EQ(RegistryKeys(_T("Styles")),
              (std::set<CString>{_T("#52768"), _T("#52769"), _T("#52770"), _T("Totals")}));

    const struct
    {
        LPCTSTR pszEntry;
        LPCTSTR pszText;
    } values[] = {
        {_T("HorizontalAlignment"), _T("2")},
        {_T("TextColor"), _T("255 0 0")},
        {_T("Interior"), _T("0 0 0 0 255 255 255 255 0")},
        {_T("Borders"), _T("1")},
        {_T("Top"), _T("0 2 255 0 0 0")},
        {_T("Right"), _T("0 2 255 0 0 0")},
        {_T("ChoicesList"), _T("a\\\\b\\n")},
        {_T("UA51011"), _T("tip")},
        {_T("BaseStyle"), _T("#52768")},
        {_T("MaxLength"), _T("40")},
        {_T("MergeCell"), _T("5")},
        {_T("Value"), _T("<none>")},
        {_T("ReadOnly"), _T("<none>")},
    };
    for (const auto& v : values)
        EXPECT_STREQ(Profile(_T("Styles\\Totals"), v.pszEntry), v.pszText) << static_cast<LPCSTR>(CW2A(v.pszEntry));
    EXPECT_NE(Profile(_T("Styles\\Totals"), _T("Font")).Find(_T("Arial")), -1);

    // A map that knows the user attributes reads everything back; the choice list has its
    // backslash and line break again.
    CGXStylesMap back;
    back.CreateStandardStyles();
    CGXControlFactory().RegisterAllUserAttributes(&back);
    ASSERT_TRUE(back.ReadProfile());
    EXPECT_EQ(StoredStyle(Totals(back), back), StoredStyle(Totals(map), map));
    EXPECT_STREQ(Totals(back).GetChoiceList(), _T("a\\b\r\n"));
    EXPECT_EQ(Totals(back).GetBaseStyle(), back.m_wStyleStandard);

    // A grid made now starts with the saved styles, user attributes included.
    TestGrid fresh;
    fresh.CreateHidden(&Parent(), CRect(0, 0, 100, 100));
    CGXStylesMap& freshMap = *fresh.GetStylesMap();
    EXPECT_EQ(fresh.GetStandardStyle()->GetInterior().GetColor(), RGB(255, 255, 0));
    EXPECT_TRUE(Totals(freshMap).HasUserAttribute(51011));
    EXPECT_EQ(StoredStyle(Totals(freshMap), freshMap), StoredStyle(Totals(map), map));
    fresh.DestroyWindow();

    // A style removed since the last save is gone after the next.
    CGXStylesMap plain;
    plain.CreateStandardStyles();
    ASSERT_TRUE(plain.WriteProfile());
    EXPECT_EQ(RegistryKeys(_T("Styles")), (std::set<CString>{_T("#52768"), _T("#52769"), _T("#52770")}));
}

TEST_F(GridProfileTest, AnIniFileListsTheStylesAndKeepsEachInASectionOfItsOwn)
{
    UseIniFile();
    RegisterTotals();
    ASSERT_TRUE(m_grid.GetStylesMap()->WriteProfile());
    std::string text = IniText();
    for (const char* pszPart : {"[Styles]", "#52768=1", "Totals=1", "[Styles.#52768]", "[Styles.Totals]"})
        EXPECT_NE(text.find(pszPart), std::string::npos) << pszPart;

    CGXStylesMap plain;
    plain.CreateStandardStyles();
    ASSERT_TRUE(plain.WriteProfile());
    text = IniText();
    EXPECT_EQ(text.find("Totals"), std::string::npos);
    EXPECT_NE(text.find("[Styles.#52769]"), std::string::npos);

    // More names than a buffer of 1,024 characters holds.
    CGXStylesMap many;
    many.CreateStandardStyles();
    for (int i = 0; i < 100; ++i)
    {
        CString strName;
        strName.Format(_T("Style number %07d"), i);
        many.RegisterStyleByName(strName, CGXStyle().SetValue(strName), 0);
    }
    ASSERT_TRUE(many.WriteProfile());
    CGXStylesMap back;
    back.CreateStandardStyles();
    ASSERT_TRUE(back.ReadProfile());
    EXPECT_EQ(back.GetStyleCount(), 103);
    CGXStyle* pLast = nullptr;
    ASSERT_TRUE(back.LookupStyle(back.LookupStyleId(_T("Style number 0000099")), pLast));
    EXPECT_STREQ(pLast->GetValue(), _T("Style number 0000099"));
}

TEST_F(GridProfileTest, StyleValuesAreReadAsTheirTextsAllow)
{
    const struct
    {
        const char* pszWhat;
        std::vector<std::pair<LPCTSTR, LPCTSTR>> values;
        std::function<void(const CGXStyle&)> check;
    } cases[] = {
        {"two colour numbers leave the colour unset",
         {{_T("TextColor"), _T("255 0")}},
         [](const CGXStyle& s) { EXPECT_FALSE(s.GetInclude(CGXStyle::inclTextColor)); }},
        {"blanks before the colour are skipped",
         {{_T("TextColor"), _T("  1 2 3")}},
         [](const CGXStyle& s) { EXPECT_EQ(s.GetTextColor(), RGB(1, 2, 3)); }},
        {"sides without Borders are ignored",
         {{_T("Top"), _T("0 1 0 0 0 0")}},
         [](const CGXStyle& s) { EXPECT_FALSE(s.GetInclude(CGXStyle::inclBorders)); }},
        {"one-bit values take the lowest bit",
         {{_T("ReadOnly"), _T("2")}, {_T("Enabled"), _T("3")}, {_T("Places"), _T("17")}},
         [](const CGXStyle& s) {
             EXPECT_FALSE(s.GetReadOnly());
             EXPECT_TRUE(s.GetEnabled());
             EXPECT_EQ(s.GetPlaces(), 1);
         }},
        {"an unknown base style is id 0",
         {{_T("BaseStyle"), _T("#99")}},
         [](const CGXStyle& s) {
             EXPECT_TRUE(s.GetInclude(CGXStyle::inclBaseStyle));
             EXPECT_EQ(s.GetBaseStyle(), 0);
         }},
    };
    const CGXStylesMap& map = *m_grid.GetStylesMap();
    for (const auto& c : cases)
    {
        m_app.WriteProfileString(_T("Case"), nullptr, nullptr);
        for (const auto& [pszEntry, pszText] : c.values)
            m_app.WriteProfileString(_T("Case"), pszEntry, pszText);
        CGXStyle style;
        style.SetValue(_T("emptied first"));
        EXPECT_TRUE(style.ReadProfile(_T("Case"), &map)) << c.pszWhat;
        EXPECT_FALSE(style.GetInclude(CGXStyle::inclValue)) << c.pszWhat;
        c.check(style);
    }

    // Saving a style without Borders keeps the old sides; without a styles map no BaseStyle.
    m_app.WriteProfileString(_T("Case"), _T("Top"), _T("0 1 0 0 0 0"));
    CGXStyle style;
    style.SetBaseStyle(map.m_wStyleStandard);
    EXPECT_TRUE(style.WriteProfile(_T("Case"), nullptr));
    EXPECT_STREQ(Profile(_T("Case"), _T("Top")), _T("0 1 0 0 0 0"));
    EXPECT_STREQ(Profile(_T("Case"), _T("BaseStyle")), _T("<none>"));
    EXPECT_FALSE(style.ReadProfile(nullptr, &map));
}

TEST_F(GridProfileTest, PropertiesAreReadOnlyFromTheirSection)
{
    CGXProperties& properties = *m_grid.GetProperties();
    for (const bool bIni : {false, true})
    {
        if (bIni)
            UseIniFile();
        properties.m_bVerticalLines = TRUE;
        EXPECT_FALSE(properties.ReadProfile()) << bIni;
        EXPECT_TRUE(properties.m_bVerticalLines) << bIni;
    }

    properties.AddUserProperty(51077, CGXStyle().SetValue(_T("kept")));
    properties.m_bVerticalLines = FALSE;
    properties.m_nPageOrder = 1;
    properties.m_anMargins[3] = 777;
    properties.WriteProfile();
    EXPECT_STREQ(Profile(_T("Grid"), _T("UP51077")), _T("kept"));
    EXPECT_STREQ(Profile(_T("Grid"), _T("Margins")), _T("1500,1000,1500,777"));
    EXPECT_STREQ(Profile(_T("Grid"), _T("Distances")), _T("400,400"));
    EXPECT_STREQ(Profile(_T("Grid"), _T("VerticalLines")), _T("0"));

    const CString strColor = properties.GetColorNameArray()[0];
    m_app.WriteProfileString(_T("Grid"), strColor, _T("0x00FF0000"));
    m_app.WriteProfileString(_T("Grid"), _T("Margins"), _T(" 10, 20"));
    m_app.WriteProfileString(_T("Grid"), _T("UP51077"), nullptr);
    m_app.WriteProfileString(_T("Grid"), _T("Page Order"), _T(""));

    CGXProperties back;
    back.AddUserProperty(51077, CGXStyle().SetValue(_T("default")));
    back.m_nPageOrder = 5;
    ASSERT_TRUE(back.ReadProfile());
    EXPECT_EQ(back.GetColorArray()[0], 0x00FF0000u);
    EXPECT_EQ(back.m_anMargins[0], 10);
    EXPECT_EQ(back.m_anMargins[1], 20);
    EXPECT_EQ(back.m_anMargins[2], 1500);
    EXPECT_EQ(back.m_anMargins[3], 1000);
    EXPECT_STREQ(back.GetUserProperty(51077).GetValue(), _T(""));
    EXPECT_EQ(back.m_nPageOrder, 5);
    EXPECT_FALSE(back.m_bVerticalLines);

    // A grid made now takes the saved properties.
    TestGrid fresh;
    fresh.CreateHidden(&Parent(), CRect(0, 0, 100, 100));
    EXPECT_FALSE(fresh.GetProperties()->m_bVerticalLines);
    EXPECT_EQ(fresh.GetProperties()->GetColorArray()[0], 0x00FF0000u);
    fresh.DestroyWindow();
}

TEST_F(GridProfileTest, StylesAreReadFromAKeyThatOnlyReads)
{
    RegisterTotals();
    ASSERT_TRUE(m_grid.GetStylesMap()->WriteProfile());
    const CString path = m_sandbox.Path() + _T("\\") + m_app.m_pszProfileName + _T("\\Styles");
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, READ_CONTROL | WRITE_DAC, &hKey), ERROR_SUCCESS);
    const auto setAccess = [hKey](LPCWSTR pszDescriptor) {
        PSECURITY_DESCRIPTOR pDescriptor = nullptr;
        ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(pszDescriptor, SDDL_REVISION_1, &pDescriptor,
                                                                           nullptr));
        EXPECT_EQ(::RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, pDescriptor), ERROR_SUCCESS);
        ::LocalFree(pDescriptor);
    };
    setAccess(L"D:(A;;KR;;;WD)");
    CGXStylesMap back;
    back.CreateStandardStyles();
    const BOOL bRead = back.ReadProfile();
    setAccess(L"D:(A;;KA;;;WD)");
    ::RegCloseKey(hKey);
    EXPECT_TRUE(bRead);
    EXPECT_NE(back.LookupStyleId(_T("Totals")), 0);
}
