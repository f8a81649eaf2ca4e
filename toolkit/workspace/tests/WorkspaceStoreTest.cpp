// The registry wrapper and the two stores of the workspace tree, against the registry and
// profile files themselves.
#include <toolkit/workspace/PTNStrategyProfile.h>
#include <toolkit/workspace/PTNStrategyRegistry.h>
#include <toolkit/workspace/PersistentTreeNode.h>
#include <toolkit/workspace/Registry.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <testing/RegistrySandbox.h>
#include <testing/TempDirectory.h>

using tarnwick::workspace::SECPersistentTreeNode;
using tarnwick::workspace::SECPTNFactory;
using tarnwick::workspace::SECPTNStrategyProfile;
using tarnwick::workspace::SECPTNStrategyRegistry;
using tarnwick::workspace::SECRegistry;

namespace
{
std::wstring Str(const CString& text)
{
    return std::wstring(static_cast<LPCTSTR>(text));
}

BOOL KeyExists(const CString& path)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    ::RegCloseKey(hKey);
    return TRUE;
}

void MakeKey(const CString& path)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(hKey);
}

// The file's text, for the lines a profile store wrote.
std::wstring FileText(const CString& path)
{
    CFile file(path, CFile::modeRead);
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return std::wstring(CA2W(bytes.c_str()));
}

class RegistryTest : public ::testing::Test
{
protected:
    RegistrySandbox sandbox;
    SECRegistry registry;
    void SetUp() override
    {
        ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER));
    }
};

// Root A (x=1) with child B (y=2).
SECPersistentTreeNode* SmallTree(SECPTNFactory& factory)
{
    SECPersistentTreeNode* pRoot = factory.AddChild(_T("A"), nullptr);
    pRoot->SetStringValue(_T("x"), _T("1"), TRUE);
    factory.AddChild(_T("B"), pRoot)->SetStringValue(_T("y"), _T("2"), TRUE);
    return pRoot;
}

void ExpectSmallTree(SECPersistentTreeNode* pRoot)
{
    CString value;
    pRoot->GetStringValue(_T("x"), value, _T("?"));
    EXPECT_EQ(Str(value), L"1");
    SECPersistentTreeNode* pChild = pRoot->FindChild(_T("B"));
    ASSERT_NE(pChild, nullptr);
    pChild->GetStringValue(_T("y"), value, _T("?"));
    EXPECT_EQ(Str(value), L"2");
}
} // namespace

TEST_F(RegistryTest, ConnectingOpeningAndCreatingKeys)
{
    SECRegistry remote;
    EXPECT_FALSE(remote.Connect(HKEY_CURRENT_USER, _T("OTHERHOST")));
    EXPECT_EQ(remote.GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(remote.GetRoot(), nullptr);

    EXPECT_EQ(Str(registry.GetRootName()), L"HKEY_CURRENT_USER");
    EXPECT_FALSE(registry.GetComputerName().IsEmpty());
    const CString path = sandbox.Path() + _T("\\A\\B");
    EXPECT_FALSE(registry.Open(path));
    EXPECT_EQ(registry.GetLastError(), ERROR_FILE_NOT_FOUND);
    DWORD dwDisposition = 0;
    ASSERT_TRUE(
        registry.Create(path + _T("\\C\\"), nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &dwDisposition));
    EXPECT_EQ(dwDisposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    EXPECT_EQ(Str(registry.GetKeyName()), Str(path + _T("\\C")));
    EXPECT_TRUE(KeyExists(path + _T("\\C")));
    ASSERT_TRUE(registry.Open(path + _T("\\")));
    EXPECT_EQ(Str(registry.GetKeyName()), Str(path));
    EXPECT_EQ(registry.GetSubkeyCount(), 1u);
    EXPECT_FALSE(registry.Create(nullptr));
    EXPECT_EQ(registry.GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, DeletingKeys)
{
    const CString path = sandbox.Path() + _T("\\Tree");
    MakeKey(path + _T("\\One\\Two\\Three"));
    MakeKey(path + _T("\\Side"));

    EXPECT_FALSE(registry.DeleteKey(_T(""), TRUE));
    EXPECT_EQ(registry.GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(KeyExists(sandbox.Path()));
    EXPECT_FALSE(registry.DeleteKey(nullptr));
    EXPECT_EQ(registry.GetLastError(), ERROR_INVALID_PARAMETER);

    EXPECT_FALSE(registry.DeleteKey(path + _T("\\One"), FALSE));
    EXPECT_NE(registry.GetLastError(), ERROR_SUCCESS);
    EXPECT_TRUE(KeyExists(path + _T("\\One\\Two\\Three")));

    EXPECT_TRUE(registry.DeleteKey(path + _T("\\One"), TRUE));
    EXPECT_FALSE(KeyExists(path + _T("\\One")));
    EXPECT_TRUE(KeyExists(path + _T("\\Side")));
    EXPECT_FALSE(registry.DeleteKey(path + _T("\\One"), TRUE));
}

TEST_F(RegistryTest, TypedValuesRoundTrip)
{
    ASSERT_TRUE(registry.Create(sandbox.Path() + _T("\\Values")));
    for (int nLength : {0, 1023, 1024, 5000})
    {
        const CString text(_T('w'), nLength);
        ASSERT_TRUE(registry.SetStringValue(_T("Text"), text));
        CString back;
        EXPECT_TRUE(registry.GetValue(_T("Text"), back)) << nLength;
        EXPECT_EQ(back.GetLength(), nLength);
    }

    struct ArrayCase
    {
        std::vector<LPCTSTR> items;
        DWORD cbStored;
    };
    for (const ArrayCase& c : {ArrayCase{{_T("a"), _T("bc")}, 12}, ArrayCase{{}, 2}})
    {
        CStringArray items;
        for (LPCTSTR item : c.items)
            items.Add(item);
        ASSERT_TRUE(registry.SetStringArrayValue(_T("Multi"), items));
        DWORD dwType = 0;
        DWORD cbData = 0;
        ASSERT_TRUE(registry.QueryValue(_T("Multi"), &dwType, nullptr, &cbData));
        EXPECT_EQ(dwType, static_cast<DWORD>(REG_MULTI_SZ));
        EXPECT_EQ(cbData, c.cbStored);
        CStringArray back;
        ASSERT_TRUE(registry.GetStringArrayValue(_T("Multi"), back));
        ASSERT_EQ(back.GetSize(), static_cast<INT_PTR>(c.items.size()));
        for (INT_PTR i = 0; i < back.GetSize(); ++i)
            EXPECT_EQ(Str(back[i]), std::wstring(c.items[i]));
    }

    ASSERT_TRUE(registry.SetDoubleWordValue(_T("Number"), 0xDEADBEEF));
    DWORD dwValue = 0;
    ASSERT_TRUE(registry.GetDoubleWordValue(_T("Number"), &dwValue));
    EXPECT_EQ(dwValue, 0xDEADBEEFu);

    CByteArray bytes;
    for (BYTE b : {0, 1, 2, 255})
        bytes.Add(b);
    ASSERT_TRUE(registry.SetBinaryValue(_T("Bytes"), bytes));
    CByteArray bytesBack;
    ASSERT_TRUE(registry.GetBinaryValue(_T("Bytes"), bytesBack));
    ASSERT_EQ(bytesBack.GetSize(), 4);
    EXPECT_EQ(bytesBack[3], 255);

    // A null name is refused before the registry is asked.
    CString text;
    EXPECT_FALSE(registry.GetValue(nullptr, text));
    EXPECT_EQ(registry.GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(registry.SetStringValue(nullptr, _T("x")));
    EXPECT_EQ(registry.GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(registry.DeleteValue(nullptr));
    EXPECT_FALSE(registry.QueryValue(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(registry.GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(registry.DeleteValue(_T("Number")));
    EXPECT_FALSE(registry.GetDoubleWordValue(_T("Number"), &dwValue));
}

TEST_F(RegistryTest, EnumerationAndKeyInformation)
{
    const CString path = sandbox.Path() + _T("\\Enum");
    for (LPCTSTR name : {_T("Gamma"), _T("Alpha"), _T("Beta")})
        MakeKey(path + _T("\\") + name);
    ASSERT_TRUE(registry.Open(path));
    registry.SetStringValue(_T("v1"), _T("one"));
    registry.SetDoubleWordValue(_T("v2"), 2);
    ASSERT_TRUE(registry.QueryInfo());
    EXPECT_EQ(registry.GetSubkeyCount(), 3u);
    EXPECT_EQ(registry.GetValueCount(), 2u);
    EXPECT_GE(registry.GetLongestValueDataLength(), 8u);

    std::vector<std::wstring> keys;
    CString name;
    for (DWORD i = 0; registry.EnumerateKeys(i, name); ++i)
        keys.push_back(Str(name));
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma"}));
    std::vector<std::wstring> values;
    DWORD dwType = 0;
    for (DWORD i = 0; registry.EnumerateValues(i, name, &dwType); ++i)
        values.push_back(Str(name) + (dwType == REG_DWORD ? L":dword" : L":sz"));
    EXPECT_EQ(values, (std::vector<std::wstring>{L"v1:sz", L"v2:dword"}));
    EXPECT_EQ(registry.GetLastError(), ERROR_NO_MORE_ITEMS);
}

// Names and classes longer than the first buffers are read whole, not cut or left undefined.
TEST_F(RegistryTest, LongNamesAreReadWhole)
{
    const CString path = sandbox.Path() + _T("\\Long");
    const CString longName(_T('n'), 5000);
    const CString longClass(_T('c'), 5000);
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, path + _T("\\Child"), 0, const_cast<LPTSTR>(LPCTSTR(longClass)), 0,
                                KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(hKey);
    ASSERT_TRUE(registry.Open(path));
    ASSERT_TRUE(registry.SetStringValue(longName, _T("x")));

    CString name, className;
    ASSERT_TRUE(registry.EnumerateKeysEx(0, name, className));
    EXPECT_EQ(Str(name), L"Child");
    EXPECT_EQ(className.GetLength(), longClass.GetLength());
    DWORD dwType = 0;
    ASSERT_TRUE(registry.EnumerateValues(0, name, &dwType));
    EXPECT_EQ(name.GetLength(), longName.GetLength());
    EXPECT_EQ(dwType, static_cast<DWORD>(REG_SZ));
    // Data that does not fit the caller's buffer fails, with the size it needs.
    BYTE data[2] = {};
    DWORD cbData = sizeof(data);
    EXPECT_FALSE(registry.EnumerateValues(0, name, &dwType, data, &cbData));
    EXPECT_EQ(registry.GetLastError(), ERROR_MORE_DATA);
    EXPECT_EQ(cbData, 4u);
}

TEST(RegistryNamesTest, TheSixRootsBothWays)
{
    const std::pair<HKEY, LPCTSTR> roots[] = {
        {HKEY_CLASSES_ROOT, _T("HKEY_CLASSES_ROOT")},     {HKEY_CURRENT_USER, _T("HKEY_CURRENT_USER")},
        {HKEY_LOCAL_MACHINE, _T("HKEY_LOCAL_MACHINE")},   {HKEY_USERS, _T("HKEY_USERS")},
        {HKEY_CURRENT_CONFIG, _T("HKEY_CURRENT_CONFIG")}, {HKEY_DYN_DATA, _T("HKEY_DYN_DATA")},
    };
    for (const auto& [hKey, lpszName] : roots)
    {
        CString name;
        EXPECT_TRUE(SECRegistry::GetRootKeyName(hKey, name));
        EXPECT_EQ(Str(name), std::wstring(lpszName));
        EXPECT_EQ(SECRegistry::GetRootKeyFromName(lpszName), hKey);
    }
    CString name;
    EXPECT_FALSE(SECRegistry::GetRootKeyName(reinterpret_cast<HKEY>(0x1234), name));
    EXPECT_EQ(SECRegistry::GetRootKeyFromName(_T("hkey_current_user")), nullptr);
    EXPECT_EQ(SECRegistry::GetRootKeyFromName(_T("HKEY_PERFORMANCE_DATA")), nullptr);
    EXPECT_EQ(SECRegistry::GetRootKeyFromName(nullptr), nullptr);
}

TEST(ProfileStoreTest, WritesSectionsAndChildLinesAndReadsThemBack)
{
    TempDirectory directory;
    const CString file = directory.File(_T("tree.wsp"));
    {
        SECPTNFactory factory;
        SECPTNStrategyProfile store(file);
        EXPECT_TRUE(SmallTree(factory)->SaveTree(&store));
    }
    const std::wstring text = FileText(file);
    const size_t nA = text.find(L"[A]");
    const size_t nX = text.find(L"x=1");
    const size_t nChild = text.find(L"ptn_Child1=B");
    const size_t nAB = text.find(L"[A.B]");
    const size_t nY = text.find(L"y=2");
    ASSERT_NE(nA, std::wstring::npos);
    EXPECT_TRUE(nA < nX && nX < nChild && nChild < nAB && nAB < nY) << text;

    SECPTNFactory factory;
    SECPTNStrategyProfile store(file);
    SECPersistentTreeNode* pRoot = factory.AddChild(_T("A"), nullptr);
    ASSERT_TRUE(pRoot->LoadTree(&store));
    ExpectSmallTree(pRoot);

    SECPersistentTreeNode* pMissing = factory.AddChild(_T("Z"), nullptr);
    EXPECT_FALSE(pMissing->LoadTree(&store));
}

TEST(ProfileStoreTest, LongValuesAndKeyListsAndChildEntries)
{
    TempDirectory directory;
    const CString file = directory.File(_T("long.wsp"));
    // 1,000 keys of ten characters each: a key list of 11,000 characters and more, longer than
    // the grown buffers of the first reads.
    constexpr int nKeys = 1000;
    std::wstring section; // entries ended by nulls, the list by one more
    for (int i = 0; i < nKeys; ++i)
    {
        CString entry;
        entry.Format(_T("key%07d=1"), i);
        section.append(LPCTSTR(entry), entry.GetLength() + 1);
    }
    ::WritePrivateProfileSection(_T("R"), section.c_str(), file);
    const CString longValue(_T('v'), 300);
    ::WritePrivateProfileString(_T("R"), _T("long"), longValue, file);
    ::WritePrivateProfileString(_T("R"), _T("ptn_ChildX"), _T("Kid"), file);
    ::WritePrivateProfileString(_T("R.Kid"), _T("k"), _T("v"), file);

    SECPTNStrategyProfile store(file);
    CStringList keys;
    ASSERT_TRUE(store.GetSectionKeys(_T("R"), keys));
    ASSERT_EQ(keys.GetCount(), nKeys + 2);
    EXPECT_EQ(keys.GetHead(), _T("key0000000"));
    EXPECT_EQ(keys.GetTail(), _T("ptn_ChildX"));
    EXPECT_FALSE(store.GetSectionKeys(_T(""), keys));
    EXPECT_FALSE(store.GetSectionKeys(_T("Nowhere"), keys));

    SECPTNFactory factory;
    SECPersistentTreeNode* pRoot = factory.AddChild(_T("R"), nullptr);
    ASSERT_TRUE(pRoot->LoadTree(&store));
    CString value;
    pRoot->GetStringValue(_T("long"), value, CString());
    EXPECT_EQ(value.GetLength(), 300);
    EXPECT_EQ(pRoot->FindValue(_T("ptn_ChildX")), nullptr);
    EXPECT_NE(pRoot->FindChild(_T("Kid")), nullptr);
}

TEST(ProfileStoreTest, ASmallerTreeLeavesUnreachedSections)
{
    TempDirectory directory;
    const CString file = directory.File(_T("shrink.wsp"));
    {
        SECPTNFactory factory;
        SECPTNStrategyProfile store(file);
        SECPersistentTreeNode* pRoot = SmallTree(factory);
        factory.AddChild(_T("C"), pRoot)->SetStringValue(_T("z"), _T("3"), TRUE);
        ASSERT_TRUE(pRoot->SaveTree(&store));
    }
    {
        SECPTNFactory factory;
        SECPTNStrategyProfile store(file);
        SECPersistentTreeNode* pRoot = factory.AddChild(_T("A"), nullptr);
        pRoot->SetStringValue(_T("x"), _T("1"), TRUE);
        ASSERT_TRUE(pRoot->SaveTree(&store));
    }
    TCHAR szValue[8] = {};
    ::GetPrivateProfileString(_T("A.C"), _T("z"), _T(""), szValue, 8, file);
    EXPECT_EQ(std::wstring(szValue), L"3");
    SECPTNFactory factory;
    SECPTNStrategyProfile store(file);
    SECPersistentTreeNode* pRoot = factory.AddChild(_T("A"), nullptr);
    ASSERT_TRUE(pRoot->LoadTree(&store));
    EXPECT_EQ(pRoot->FindChild(_T("B")), nullptr);
    EXPECT_EQ(pRoot->FindChild(_T("C")), nullptr);
}

TEST(RegistryStoreTest, SavesKeysPerNodeClearsOldOnesAndLoadsBack)
{
    RegistrySandbox sandbox;
    const CString base = sandbox.Path() + _T("\\Space");
    {
        SECPTNFactory factory;
        SECPTNStrategyRegistry store(base, HKEY_CURRENT_USER);
        SECPersistentTreeNode* pRoot = SmallTree(factory);
        factory.AddChild(_T("C"), pRoot)->SetStringValue(_T("z"), _T("3"), TRUE);
        EXPECT_TRUE(pRoot->SaveTree(&store));
    }
    EXPECT_TRUE(KeyExists(base + _T("\\A\\C")));
    {
        SECPTNFactory factory;
        SECPTNStrategyRegistry store(base + _T("\\"), HKEY_CURRENT_USER);
        EXPECT_TRUE(SmallTree(factory)->SaveTree(&store));
    }
    EXPECT_FALSE(KeyExists(base + _T("\\A\\C")));
    SECRegistry registry;
    ASSERT_TRUE(registry.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(registry.Open(base + _T("\\A\\B"), KEY_READ));
    CString value;
    ASSERT_TRUE(registry.GetValue(_T("y"), value));
    EXPECT_EQ(Str(value), L"2");

    SECPTNFactory factory;
    SECPTNStrategyRegistry store(base, HKEY_CURRENT_USER);
    SECPersistentTreeNode* pRoot = factory.AddChild(_T("A"), nullptr);
    ASSERT_TRUE(pRoot->LoadTree(&store));
    ExpectSmallTree(pRoot);
    EXPECT_EQ(pRoot->FindChild(_T("C")), nullptr);
    SECPersistentTreeNode* pMissing = factory.AddChild(_T("Nothing"), nullptr);
    EXPECT_FALSE(pMissing->LoadTree(&store));

    CString keyPath;
    CStringList path;
    path.AddTail(_T("Leaf"));
    path.AddTail(_T("Mid"));
    path.AddTail(_T("Top"));
    store.GetKeyPath(path, keyPath);
    EXPECT_EQ(Str(keyPath), L"Top\\Mid\\Leaf\\");
}
