#include <afxwin.h>

#include <memory>
#include <vector>

#include <testing/RegistrySandbox.h>
#include <testing/TempDirectory.h>

#include <gtest/gtest.h>

namespace
{
const TCHAR kAppName[] = _T("Profile Test");

class TestApp : public CWinApp
{
public:
    TestApp() : CWinApp(kAppName)
    {
    }
    using CWinApp::SetRegistryKey;
};

// A registry value read with the raw API.
struct RawValue
{
    LONG result;
    DWORD type;
    std::vector<BYTE> data;
};

RawValue ReadRaw(const CString& keyPath, LPCTSTR lpszEntry)
{
    RawValue value{0, REG_NONE, std::vector<BYTE>(4096)};
    HKEY hKey = nullptr;
    value.result = ::RegOpenKeyEx(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &hKey);
    if (value.result != ERROR_SUCCESS)
        return value;
    DWORD size = static_cast<DWORD>(value.data.size());
    value.result = ::RegQueryValueEx(hKey, lpszEntry, nullptr, &value.type, value.data.data(), &size);
    value.data.resize(size);
    ::RegCloseKey(hKey);
    return value;
}

bool KeyExists(const CString& keyPath)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

std::vector<BYTE> TextBytes(LPCTSTR lpszText)
{
    const auto* p = reinterpret_cast<const BYTE*>(lpszText);
    return std::vector<BYTE>(p, p + (_tcslen(lpszText) + 1) * sizeof(TCHAR));
}

std::vector<BYTE> ReadBinary(CWinApp& app, LPCTSTR lpszSection, LPCTSTR lpszEntry, BOOL* pbFound = nullptr)
{
    LPBYTE pData = reinterpret_cast<LPBYTE>(1);
    UINT nBytes = 99;
    const BOOL bFound = app.GetProfileBinary(lpszSection, lpszEntry, &pData, &nBytes);
    if (pbFound != nullptr)
        *pbFound = bFound;
    if (!bFound)
    {
        EXPECT_EQ(pData, nullptr);
        EXPECT_EQ(nBytes, 0u);
        return {};
    }
    std::unique_ptr<BYTE[]> owner(pData);
    return std::vector<BYTE>(pData, pData + nBytes);
}

const std::vector<BYTE> kBlob = {0x00, 0x01, 0x7F, 0x80, 0xFF, 0x10};
const TCHAR kText[] = _T("Grüße Ω \"quoted\" ");

// A value long enough to need more than a first small buffer.
CString LongText()
{
    CString text;
    for (int i = 0; i < 200; ++i)
        text.AppendFormat(_T("%03d|"), i);
    return text;
}

class RegistryProfile : public testing::Test
{
protected:
    RegistryProfile()
    {
        app.SetRegistryKey(sandbox.Name());
    }
    CString SectionPath(LPCTSTR lpszSection) const
    {
        return sandbox.Path() + _T('\\') + kAppName + _T('\\') + lpszSection;
    }

    RegistrySandbox sandbox;
    TestApp app;
};
} // namespace

TEST_F(RegistryProfile, KeysAreNamedAfterCompanyAndApplication)
{
    EXPECT_STREQ(app.m_pszRegistryKey, sandbox.Name());
    EXPECT_STREQ(app.m_pszProfileName, kAppName);
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_STREQ(AfxGetAppName(), kAppName);

    HKEY hSection = app.GetSectionKey(_T("Window"));
    ASSERT_NE(hSection, nullptr);
    ASSERT_EQ(::RegSetValueEx(hSection, _T("Probe"), 0, REG_SZ, TextBytes(_T("x")).data(), 4), ERROR_SUCCESS);
    ::RegCloseKey(hSection);
    EXPECT_EQ(ReadRaw(SectionPath(_T("Window")), _T("Probe")).result, ERROR_SUCCESS);

    HKEY hApp = app.GetAppRegistryKey();
    ASSERT_NE(hApp, nullptr);
    ::RegCloseKey(hApp);
}

TEST_F(RegistryProfile, ValuesRoundTripUnderTheSectionKey)
{
    const CString longText = LongText();
    auto blob = kBlob;
    ASSERT_TRUE(app.WriteProfileInt(_T("Settings"), _T("Count"), 42));
    ASSERT_TRUE(app.WriteProfileInt(_T("Settings"), _T("Offset"), -7));
    ASSERT_TRUE(app.WriteProfileString(_T("Settings"), _T("Name"), kText));
    ASSERT_TRUE(app.WriteProfileString(_T("Settings"), _T("Long"), longText));
    ASSERT_TRUE(app.WriteProfileString(_T("Settings"), _T("Empty"), _T("")));
    ASSERT_TRUE(app.WriteProfileBinary(_T("Settings"), _T("Blob"), blob.data(), static_cast<UINT>(blob.size())));
    ASSERT_TRUE(app.WriteProfileBinary(_T("Settings"), _T("NoBytes"), blob.data(), 0));

    const CString path = SectionPath(_T("Settings"));
    const DWORD count = 42, offset = static_cast<DWORD>(-7);
    const struct
    {
        LPCTSTR entry;
        DWORD type;
        std::vector<BYTE> data;
    } expected[] = {
        {_T("Count"), REG_DWORD, {reinterpret_cast<const BYTE*>(&count), reinterpret_cast<const BYTE*>(&count + 1)}},
        {_T("Offset"), REG_DWORD, {reinterpret_cast<const BYTE*>(&offset), reinterpret_cast<const BYTE*>(&offset + 1)}},
        {_T("Name"), REG_SZ, TextBytes(kText)},
        {_T("Long"), REG_SZ, TextBytes(longText)},
        {_T("Empty"), REG_SZ, TextBytes(_T(""))},
        {_T("Blob"), REG_BINARY, kBlob},
        {_T("NoBytes"), REG_BINARY, {}},
    };
    for (const auto& e : expected)
    {
        const RawValue raw = ReadRaw(path, e.entry);
        EXPECT_EQ(raw.result, ERROR_SUCCESS) << e.entry;
        EXPECT_EQ(raw.type, e.type) << e.entry;
        EXPECT_EQ(raw.data, e.data) << e.entry;
    }

    EXPECT_EQ(app.GetProfileInt(_T("Settings"), _T("Count"), 0), 42u);
    EXPECT_EQ(static_cast<int>(app.GetProfileInt(_T("Settings"), _T("Offset"), 0)), -7);
    EXPECT_EQ(app.GetProfileString(_T("Settings"), _T("Name")), kText);
    EXPECT_EQ(app.GetProfileString(_T("Settings"), _T("Long")), longText);
    EXPECT_EQ(app.GetProfileString(_T("Settings"), _T("Empty"), _T("default")), _T(""));
    EXPECT_EQ(ReadBinary(app, _T("Settings"), _T("Blob")), kBlob);
    BOOL bFound = FALSE;
    EXPECT_TRUE(ReadBinary(app, _T("Settings"), _T("NoBytes"), &bFound).empty());
    EXPECT_TRUE(bFound);
}

TEST_F(RegistryProfile, MissingValuesAndOtherTypesGiveTheDefaults)
{
    ASSERT_TRUE(app.WriteProfileString(_T("Present"), _T("Text"), _T("12")));
    ASSERT_TRUE(app.WriteProfileInt(_T("Present"), _T("Number"), 12));
    struct Value
    {
        LPCTSTR section;
        LPCTSTR entry;
    };
    const Value absentSection{_T("Absent"), _T("Text")}, absentEntry{_T("Present"), _T("None")},
        text{_T("Present"), _T("Text")}, number{_T("Present"), _T("Number")};

    for (const Value& v : {absentSection, absentEntry, text})
        EXPECT_EQ(app.GetProfileInt(v.section, v.entry, 77), 77u) << v.section << v.entry;
    for (const Value& v : {absentSection, absentEntry, number})
    {
        EXPECT_EQ(app.GetProfileString(v.section, v.entry, _T("fallback")), _T("fallback")) << v.section << v.entry;
        EXPECT_EQ(app.GetProfileString(v.section, v.entry), _T("")) << v.section << v.entry;
    }
    for (const Value& v : {absentSection, absentEntry, text, number})
    {
        BOOL bFound = TRUE;
        ReadBinary(app, v.section, v.entry, &bFound);
        EXPECT_FALSE(bFound) << v.section << v.entry;
    }
    // Reading leaves no keys behind.
    EXPECT_FALSE(KeyExists(SectionPath(_T("Absent"))));
}

TEST_F(RegistryProfile, DeletingEntriesAndSectionsLeavesNothingBehind)
{
    ASSERT_TRUE(app.WriteProfileString(_T("Doomed"), _T("Gone"), _T("a")));
    ASSERT_TRUE(app.WriteProfileInt(_T("Doomed"), _T("Kept"), 5));
    ASSERT_TRUE(app.WriteProfileInt(_T("Other"), _T("Kept"), 6));
    HKEY hNested = nullptr;
    ASSERT_EQ(::RegCreateKeyEx(HKEY_CURRENT_USER, SectionPath(_T("Doomed\\Nested")), 0, nullptr, 0, KEY_WRITE, nullptr,
                               &hNested, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(hNested);

    EXPECT_TRUE(app.WriteProfileString(_T("Doomed"), _T("Gone"), nullptr));
    EXPECT_EQ(ReadRaw(SectionPath(_T("Doomed")), _T("Gone")).result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(app.GetProfileString(_T("Doomed"), _T("Gone"), _T("none")), _T("none"));
    EXPECT_EQ(app.GetProfileInt(_T("Doomed"), _T("Kept"), 0), 5u);

    EXPECT_TRUE(app.WriteProfileString(_T("Doomed"), nullptr, nullptr));
    EXPECT_FALSE(KeyExists(SectionPath(_T("Doomed"))));
    EXPECT_EQ(app.GetProfileInt(_T("Doomed"), _T("Kept"), 0), 0u);
    EXPECT_EQ(app.GetProfileInt(_T("Other"), _T("Kept"), 0), 6u);

    // A section written again starts empty.
    ASSERT_TRUE(app.WriteProfileInt(_T("Doomed"), _T("New"), 1));
    EXPECT_EQ(ReadRaw(SectionPath(_T("Doomed")), _T("Kept")).result, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(KeyExists(SectionPath(_T("Doomed\\Nested"))));
}

TEST(RegistrySandbox, IsUniqueAndRemovedWithItsTree)
{
    CString path;
    {
        RegistrySandbox sandbox, other;
        path = sandbox.Path();
        EXPECT_NE(sandbox.Name(), other.Name());
        EXPECT_TRUE(KeyExists(path));
        TestApp app;
        app.SetRegistryKey(sandbox.Name());
        ASSERT_TRUE(app.WriteProfileInt(_T("Section"), _T("Entry"), 1));
    }
    EXPECT_FALSE(KeyExists(path));
}

TEST(WinApp, NamesComeFromTheExecutableUnlessGiven)
{
    {
        CWinApp app;
        EXPECT_STREQ(app.m_pszExeName, _T("framework_tests"));
        EXPECT_STREQ(app.m_pszAppName, _T("framework_tests"));
        EXPECT_STREQ(app.m_pszProfileName, _T("framework_tests.INI"));
        EXPECT_EQ(app.m_pszRegistryKey, nullptr);
        EXPECT_EQ(app.m_hInstance, ::GetModuleHandle(nullptr));
        EXPECT_EQ(app.GetAppRegistryKey(), nullptr);
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxGetAppName(), nullptr);

    TestApp app;
    EXPECT_STREQ(app.m_pszAppName, kAppName);
    bool thrown = false;
    try
    {
        app.SetRegistryKey(61999u); // no such string
    }
    catch (CResourceException* e)
    {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(app.m_pszRegistryKey, nullptr);
}

TEST(IniProfile, ValuesRoundTripInTheFile)
{
    TempDirectory directory;
    const CString file = directory.File(_T("settings.ini"));
    TestApp app;
    std::free(const_cast<LPTSTR>(app.m_pszProfileName));
    app.m_pszProfileName = _tcsdup(file);

    auto blob = kBlob;
    ASSERT_TRUE(app.WriteProfileInt(_T("Settings"), _T("Count"), 42));
    ASSERT_TRUE(app.WriteProfileString(_T("Settings"), _T("Name"), _T("Grüße")));
    ASSERT_TRUE(app.WriteProfileString(_T("Settings"), _T("Long"), LongText()));
    ASSERT_TRUE(app.WriteProfileBinary(_T("Settings"), _T("Blob"), blob.data(), static_cast<UINT>(blob.size())));
    ASSERT_TRUE(app.WriteProfileString(_T("Other"), _T("Kept"), _T("yes")));
    ASSERT_TRUE(app.WriteProfileString(_T("Other"), _T("Bad"), _T("0G")));

    // Read back with the raw API: binary values are hex text.
    const auto raw = [&](LPCTSTR lpszSection, LPCTSTR lpszEntry) {
        TCHAR buffer[1024];
        ::GetPrivateProfileString(lpszSection, lpszEntry, _T("<none>"), buffer, 1024, file);
        return CString(buffer);
    };
    EXPECT_EQ(raw(_T("Settings"), _T("Count")), _T("42"));
    EXPECT_EQ(raw(_T("Settings"), _T("Name")), _T("Grüße"));
    EXPECT_EQ(raw(_T("Settings"), _T("Blob")), _T("00017F80FF10"));

    EXPECT_EQ(app.GetProfileInt(_T("Settings"), _T("Count"), 0), 42u);
    EXPECT_EQ(app.GetProfileString(_T("Settings"), _T("Name")), _T("Grüße"));
    EXPECT_EQ(app.GetProfileString(_T("Settings"), _T("Long")), LongText());
    EXPECT_EQ(ReadBinary(app, _T("Settings"), _T("Blob")), kBlob);

    // Missing or malformed values give the defaults.
    EXPECT_EQ(app.GetProfileInt(_T("Settings"), _T("None"), 9), 9u);
    EXPECT_EQ(app.GetProfileString(_T("Absent"), _T("Name"), _T("fallback")), _T("fallback"));
    for (LPCTSTR entry : {_T("None"), _T("Bad"), _T("Kept")})
    {
        BOOL bFound = TRUE;
        ReadBinary(app, _T("Other"), entry, &bFound);
        EXPECT_FALSE(bFound) << entry;
    }

    EXPECT_TRUE(app.WriteProfileString(_T("Settings"), _T("Name"), nullptr));
    EXPECT_EQ(raw(_T("Settings"), _T("Name")), _T("<none>"));
    EXPECT_EQ(raw(_T("Settings"), _T("Count")), _T("42"));
    EXPECT_TRUE(app.WriteProfileString(_T("Settings"), nullptr, nullptr));
    EXPECT_EQ(raw(_T("Settings"), _T("Count")), _T("<none>"));
    EXPECT_EQ(raw(_T("Other"), _T("Kept")), _T("yes"));
}
