#include <toolkit/workspace/PersistentTreeNode.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using tarnwick::workspace::SECPersistentTreeNode;
using tarnwick::workspace::SECPTNFactory;
using tarnwick::workspace::SECPTNStrategy;

namespace
{
std::wstring Str(const CString& text)
{
    return std::wstring(static_cast<LPCTSTR>(text));
}

std::vector<std::wstring> Items(const CStringList& list)
{
    std::vector<std::wstring> items;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        items.push_back(Str(list.GetNext(pos)));
    return items;
}

class TreeNodeTest : public ::testing::Test
{
protected:
    SECPTNFactory factory;
    SECPersistentTreeNode* root = factory.AddChild(_T("Root"), nullptr);
};
} // namespace

TEST_F(TreeNodeTest, ResultCodes)
{
    ASSERT_NE(root, nullptr);
    SECPersistentTreeNode loose;
    struct Case
    {
        const char* name;
        DWORD actual;
        DWORD expected;
    };
    const Case cases[] = {
        {"create twice", root->Create(_T("Again"), nullptr), 1},
        {"create twice without a name", root->Create(_T(""), nullptr), 1 | 4},
        {"value on a node never created", loose.SetStringValue(_T("k"), _T("v"), TRUE), 2},
        {"not created and empty key", loose.SetStringValue(_T(""), _T("v"), TRUE), 2 | 8},
        {"empty name", SECPersistentTreeNode().Create(_T(""), nullptr), 4},
        {"null child", root->AttachChild(nullptr), 4},
        {"empty key", root->SetIntValue(_T(""), 1, TRUE), 8},
        {"first value", root->SetStringValue(_T("Key"), _T("old"), FALSE), 0},
        {"key exists", root->SetStringValue(_T("Key"), _T("new"), FALSE), 16},
        {"missing key", root->RemoveValue(_T("Nope")), 64},
        {"null data", root->SetBinaryValue(_T("Bin"), nullptr, 3, TRUE), 128},
        {"empty text stored", root->SetStringValue(_T("Empty"), _T(""), TRUE), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.name;
    CString value;
    EXPECT_EQ(root->GetStringValue(_T("Key"), value, _T("")), 0u);
    EXPECT_EQ(Str(value), L"old");
    BYTE* pData = reinterpret_cast<BYTE*>(1);
    DWORD nLength = 0;
    EXPECT_EQ(root->GetBinaryValue(_T("Empty"), &pData, &nLength), 65535u);
    EXPECT_EQ(pData, nullptr);

    SECPersistentTreeNode child;
    ASSERT_EQ(child.Create(_T("Child"), root), 0u);
    SECPersistentTreeNode twin;
    EXPECT_EQ(twin.Create(_T("Child"), root), 32u);
    EXPECT_FALSE(twin.IsCreated());
    // A parent that refuses for another reason.
    SECPersistentTreeNode orphan;
    EXPECT_EQ(orphan.Create(_T("Orphan"), &loose), 65535u);
    EXPECT_EQ(root->RemoveValue(_T("Key")), 0u);
    EXPECT_EQ(root->FindValue(_T("Key")), nullptr);
}

TEST_F(TreeNodeTest, OverwriteKeepsThePairsPlace)
{
    root->SetStringValue(_T("A"), _T("1"), TRUE);
    root->SetStringValue(_T("B"), _T("2"), TRUE);
    EXPECT_EQ(root->SetStringValue(_T("A"), _T("3"), TRUE), 0u);
    struct Recorder : SECPTNStrategy
    {
        std::vector<std::wstring> log;
        BOOL ClearNode(const CStringList&) override
        {
            return TRUE;
        }
        BOOL WriteValue(const CStringList&, LPCTSTR lpszKey, LPCTSTR lpszValue) override
        {
            log.push_back(std::wstring(lpszKey) + L"=" + lpszValue);
            return TRUE;
        }
        BOOL WriteChildNames(const CStringList&, const CStringList&) override
        {
            return TRUE;
        }
        BOOL ReadNode(const CStringList&, CStringList&, CStringList&, CStringList&) override
        {
            return FALSE;
        }
    } recorder;
    ASSERT_TRUE(root->SaveTree(&recorder));
    EXPECT_EQ(recorder.log, (std::vector<std::wstring>{L"A=3", L"B=2"}));
}

TEST_F(TreeNodeTest, TypedValues)
{
    const struct
    {
        LPCTSTR text;
        BOOL expected;
    } bools[] = {{_T("true"), TRUE}, {_T("TRUE"), TRUE}, {_T("True"), TRUE}, {_T("1"), FALSE}, {_T("yes"), FALSE}};
    for (const auto& c : bools)
    {
        root->SetStringValue(_T("Flag"), c.text, TRUE);
        BOOL bValue = 7;
        EXPECT_EQ(root->GetBoolValue(_T("Flag"), &bValue, 7), 0u);
        EXPECT_EQ(bValue, c.expected) << Str(c.text);
    }
    BOOL bMissing = FALSE;
    EXPECT_EQ(root->GetBoolValue(_T("None"), &bMissing, TRUE), 64u);
    EXPECT_TRUE(bMissing);

    root->SetBoolValue(_T("On"), 5, TRUE);
    root->SetBoolValue(_T("Off"), FALSE, TRUE);
    CString text;
    root->GetStringValue(_T("On"), text, _T(""));
    EXPECT_EQ(Str(text), L"True");
    root->GetStringValue(_T("Off"), text, _T(""));
    EXPECT_EQ(Str(text), L"False");

    const struct
    {
        LPCTSTR text;
        int expected;
    } ints[] = {{_T("12abc"), 12}, {_T("abc"), 0}, {_T("  -42"), -42}};
    for (const auto& c : ints)
    {
        root->SetStringValue(_T("N"), c.text, TRUE);
        int nValue = 99;
        EXPECT_EQ(root->GetIntValue(_T("N"), &nValue, 99), 0u);
        EXPECT_EQ(nValue, c.expected) << Str(c.text);
    }
    root->SetIntValue(_T("Neg"), -7, TRUE);
    root->GetStringValue(_T("Neg"), text, _T(""));
    EXPECT_EQ(Str(text), L"-7");
    long lValue = 0;
    EXPECT_EQ(root->GetLongValue(_T("Neg"), &lValue, 0), 0u);
    EXPECT_EQ(lValue, -7);
    UINT nMissing = 0;
    EXPECT_EQ(root->GetIntValue(_T("Absent"), &nMissing, 33u), 64u);
    EXPECT_EQ(nMissing, 33u);
}

TEST_F(TreeNodeTest, BinaryEncodingAndChunks)
{
    const BYTE three[] = {0x00, 0x1F, 0xA5};
    CString text;
    SECPersistentTreeNode::EncodeBinary(text, three, 3);
    EXPECT_EQ(Str(text), L"AAPBFK");
    BYTE* pData = nullptr;
    DWORD nLength = 0;
    ASSERT_TRUE(SECPersistentTreeNode::DecodeBinary(_T("AAPBFK"), &pData, &nLength));
    std::unique_ptr<BYTE[]> owner(pData);
    EXPECT_EQ(std::vector<BYTE>(pData, pData + nLength), std::vector<BYTE>(three, three + 3));

    std::vector<BYTE> bytes125(125), bytes126(126);
    for (size_t i = 0; i < bytes126.size(); ++i)
        bytes126[i] = static_cast<BYTE>(i * 7);
    ASSERT_EQ(root->SetBinaryValue(_T("Small"), bytes125.data(), 125, TRUE), 0u);
    CString small;
    EXPECT_EQ(root->GetStringValue(_T("Small"), small, _T("")), 0u);
    EXPECT_EQ(small.GetLength(), 250);

    ASSERT_EQ(root->SetBinaryValue(_T("Img"), bytes126.data(), 126, TRUE), 0u);
    EXPECT_EQ(root->FindValue(_T("Img")), nullptr);
    int nCount = 0;
    root->GetIntValue(_T("Img_BinCount"), &nCount, 0);
    EXPECT_EQ(nCount, 2);
    CString piece0, piece1;
    root->GetStringValue(_T("Img_BinVal0"), piece0, _T(""));
    root->GetStringValue(_T("Img_BinVal1"), piece1, _T(""));
    EXPECT_EQ(piece0.GetLength(), 250);
    EXPECT_EQ(piece1.GetLength(), 2);
    BYTE* pImg = nullptr;
    DWORD nImg = 0;
    ASSERT_EQ(root->GetBinaryValue(_T("Img"), &pImg, &nImg), 0u);
    std::unique_ptr<BYTE[]> imgOwner(pImg);
    EXPECT_EQ(std::vector<BYTE>(pImg, pImg + nImg), bytes126);

    // Zero bytes store an empty text, which reads back as a failure.
    ASSERT_EQ(root->SetBinaryValue(_T("None"), three, 0, TRUE), 0u);
    CString empty = _T("x");
    EXPECT_EQ(root->GetStringValue(_T("None"), empty, _T("")), 0u);
    EXPECT_TRUE(empty.IsEmpty());
    BYTE* pNone = nullptr;
    EXPECT_EQ(root->GetBinaryValue(_T("None"), &pNone, &nLength), 65535u);
}

// A stored binary value that another program or a damaged file changed is absent as a whole: a
// piece missing, a character outside 'A'..'P', an odd length.
TEST_F(TreeNodeTest, DamagedBinaryValuesAreAbsent)
{
    const struct
    {
        const char* pszWhat;
        LPCTSTR lpszCount;
        LPCTSTR lpszPiece0;
        LPCTSTR lpszPiece1;
    } cases[] = {
        {"whole", _T("2"), _T("AAPB"), _T("FK")},
        {"count past the pieces", _T("2000000000"), _T("AAPB"), _T("FK")},
        {"first piece missing", _T("2"), nullptr, _T("FK")},
        {"a character past 'P'", _T("2"), _T("AAPB"), _T("FQ")},
        {"a lower-case letter", _T("2"), _T("aAPB"), _T("FK")},
        {"odd length", _T("2"), _T("AAPB"), _T("F")},
    };
    for (const auto& c : cases)
    {
        SECPTNFactory factory;
        SECPersistentTreeNode* pNode = factory.AddChild(_T("Node"), nullptr);
        pNode->SetStringValue(_T("Bin_BinCount"), c.lpszCount, TRUE);
        if (c.lpszPiece0 != nullptr)
            pNode->SetStringValue(_T("Bin_BinVal0"), c.lpszPiece0, TRUE);
        pNode->SetStringValue(_T("Bin_BinVal1"), c.lpszPiece1, TRUE);
        BYTE* pData = nullptr;
        DWORD nLength = 0;
        const DWORD dwResult = pNode->GetBinaryValue(_T("Bin"), &pData, &nLength);
        std::unique_ptr<BYTE[]> owner(pData);
        if (&c == cases)
        {
            ASSERT_EQ(dwResult, 0u);
            EXPECT_EQ(std::vector<BYTE>(pData, pData + nLength), (std::vector<BYTE>{0x00, 0x1F, 0xA5}));
            continue;
        }
        EXPECT_NE(dwResult, 0u) << c.pszWhat;
        EXPECT_EQ(pData, nullptr) << c.pszWhat;
    }
}

TEST_F(TreeNodeTest, ChildrenAreUniqueByName)
{
    SECPersistentTreeNode* pChild = factory.AddChild(_T("Child"), root);
    ASSERT_NE(pChild, nullptr);
    EXPECT_EQ(factory.AddChild(_T("Child"), root), nullptr);
    CStringList names;
    root->GetChildNames(names);
    EXPECT_EQ(Items(names), std::vector<std::wstring>{L"Child"});
    EXPECT_EQ(root->FindChild(_T("Child")), pChild);
    EXPECT_EQ(root->FindChild(_T("child")), nullptr);
    CStringList path;
    pChild->GetPath(path);
    EXPECT_EQ(Items(path), (std::vector<std::wstring>{L"Child", L"Root"}));
    EXPECT_FALSE(factory.DestroyNode(nullptr));
    SECPersistentTreeNode stranger;
    EXPECT_FALSE(factory.DestroyNode(&stranger));
}

namespace
{
// Records each store call and can refuse the ones named.
class RecordingStore : public SECPTNStrategy
{
public:
    std::vector<std::wstring> log;
    std::wstring failOn;
    // The node "Root" with one value and a child "Kid" that has one value.
    BOOL ClearNode(const CStringList& path) override
    {
        return Record(L"clear " + Joined(path));
    }
    BOOL WriteValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) override
    {
        return Record(L"value " + Joined(path) + L" " + lpszKey + L"=" + lpszValue);
    }
    BOOL WriteChildNames(const CStringList& path, const CStringList& names) override
    {
        std::wstring text = L"children " + Joined(path);
        for (const std::wstring& name : Items(names))
            text += L" " + name;
        return Record(text);
    }
    BOOL ReadNode(const CStringList& path, CStringList& childNames, CStringList& keys, CStringList& values) override
    {
        const std::wstring node = Joined(path);
        log.push_back(L"read " + node);
        if (node == L"Root")
        {
            childNames.AddTail(_T("Kid"));
            childNames.AddTail(_T("Kid"));
            keys.AddTail(_T("A"));
            values.AddTail(_T("1"));
            return TRUE;
        }
        if (node == L"Kid/Root")
        {
            keys.AddTail(_T("B"));
            values.AddTail(_T("2"));
            return TRUE;
        }
        return FALSE;
    }

private:
    static std::wstring Joined(const CStringList& path)
    {
        std::wstring text;
        for (const std::wstring& name : Items(path))
            text += (text.empty() ? L"" : L"/") + name;
        return text;
    }
    BOOL Record(const std::wstring& entry)
    {
        log.push_back(entry);
        return entry.rfind(failOn, 0) != 0 || failOn.empty();
    }
};
} // namespace

TEST_F(TreeNodeTest, SaveTreeRunsEveryStepAndLoadTreeRebuilds)
{
    root->SetIntValue(_T("A"), 1, TRUE);
    SECPersistentTreeNode* pKid = factory.AddChild(_T("Kid"), root);
    pKid->SetIntValue(_T("B"), 2, TRUE);

    RecordingStore store;
    store.failOn = L"value Root";
    EXPECT_FALSE(root->SaveTree(&store));
    EXPECT_EQ(store.log, (std::vector<std::wstring>{L"clear Root", L"value Root A=1", L"children Root Kid",
                                                    L"clear Kid/Root", L"value Kid/Root B=2", L"children Kid/Root"}));
    store.failOn.clear();
    store.log.clear();
    EXPECT_TRUE(root->SaveTree(&store));
    SECPersistentTreeNode never;
    EXPECT_FALSE(never.SaveTree(&store));
    EXPECT_FALSE(root->SaveTree(nullptr));

    SECPTNFactory loadFactory;
    SECPersistentTreeNode* pLoaded = loadFactory.AddChild(_T("Root"), nullptr);
    store.log.clear();
    ASSERT_TRUE(pLoaded->LoadTree(&store));
    int a = 0, b = 0;
    pLoaded->GetIntValue(_T("A"), &a, 0);
    ASSERT_NE(pLoaded->FindChild(_T("Kid")), nullptr);
    pLoaded->FindChild(_T("Kid"))->GetIntValue(_T("B"), &b, 0);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    CStringList names;
    pLoaded->GetChildNames(names);
    EXPECT_EQ(names.GetCount(), 1);
    SECPersistentTreeNode* pMissing = loadFactory.AddChild(_T("Missing"), nullptr);
    EXPECT_FALSE(pMissing->LoadTree(&store));
}
