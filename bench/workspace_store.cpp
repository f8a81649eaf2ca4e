// Saves a workspace tree like a frame's (20 child frames of eight values and a 50-bar dock
// state, then 200 frames and 500 bars) through the registry store and loads it into a fresh
// root, against writing the same keys and values with one handle per node and reading them back
// by enumeration; prints the medians of 5 runs, their ratio and the cost per node. The profile
// store's times are printed too.
#include <toolkit/workspace/PTNStrategyProfile.h>
#include <toolkit/workspace/PTNStrategyRegistry.h>
#include <toolkit/workspace/PersistentTreeNode.h>
#include <BenchFigures.h>

#include <afx.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using tarnwick::workspace::SECPersistentTreeNode;
using tarnwick::workspace::SECPTNFactory;
using tarnwick::workspace::SECPTNStrategy;
using tarnwick::workspace::SECPTNStrategyProfile;
using tarnwick::workspace::SECPTNStrategyRegistry;

namespace
{
const int kRuns = 5;
const TCHAR kValue[] = _T("C:\\Sessions\\PRD\\2026-12-11\\statistics.lmt");
const LPCTSTR kBarKeys[] = {_T("BarID"), _T("Visible"), _T("Floating"), _T("Horz"), _T("MRUWidth"), _T("Docking")};
const LPCTSTR kFrameKeys[] = {_T("DocPathName"),        _T("DocumentString"),  _T("DocTemplateIndex"),
                              _T("WindowPlacement"),    _T("DockedViewBarID"), _T("DockedViewFloating"),
                              _T("IsActiveChildFrame"), _T("IsFrameVisible")};

// One node of the shape: its path below the root ("" for the root) and its value keys.
struct Node
{
    CString path;
    std::vector<LPCTSTR> keys;
};

std::vector<Node> Shape(int nFrames, int nBars)
{
    std::vector<Node> nodes{{_T(""), {}}, {_T("DockState"), {}}};
    for (int i = 0; i < nBars; ++i)
    {
        CString path;
        path.Format(_T("DockState\\Bar-%d"), i);
        nodes.push_back({path, std::vector<LPCTSTR>(std::begin(kBarKeys), std::end(kBarKeys))});
    }
    nodes.push_back({_T("Frames"), {}});
    nodes.push_back({_T("Frames\\MainFrame"), {_T("Title")}});
    nodes.push_back({_T("Frames\\ChildFrames"), {}});
    for (int i = 0; i < nFrames; ++i)
    {
        CString path;
        path.Format(_T("Frames\\ChildFrames\\Document-%d"), i);
        nodes.push_back({path, {}});
        nodes.push_back(
            {path + _T("\\ViewFrame-0"), std::vector<LPCTSTR>(std::begin(kFrameKeys), std::end(kFrameKeys))});
    }
    return nodes;
}

SECPersistentTreeNode* BuildTree(SECPTNFactory& factory, const std::vector<Node>& shape)
{
    SECPersistentTreeNode* pRoot = factory.AddChild(_T("WorkState_v1_2"), nullptr);
    for (const Node& node : shape)
    {
        SECPersistentTreeNode* pNode = pRoot;
        for (int i = 0; !node.path.IsEmpty();)
        {
            CString name = node.path.Tokenize(_T("\\"), i);
            if (name.IsEmpty())
                break;
            SECPersistentTreeNode* pChild = pNode->FindChild(name);
            pNode = pChild != nullptr ? pChild : factory.AddChild(name, pNode);
        }
        for (LPCTSTR key : node.keys)
            pNode->SetStringValue(key, kValue, TRUE);
    }
    return pRoot;
}

void RawWrite(const CString& base, const std::vector<Node>& shape)
{
    ::RegDeleteTree(HKEY_CURRENT_USER, base);
    for (const Node& node : shape)
    {
        HKEY hKey = nullptr;
        const CString path = base + _T("\\WorkState_v1_2\\") + node.path;
        ::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
        for (LPCTSTR key : node.keys)
            ::RegSetValueExW(hKey, key, 0, REG_SZ, reinterpret_cast<const BYTE*>(kValue), sizeof(kValue));
        ::RegCloseKey(hKey);
    }
}

// Reads a key's subkeys and values recursively; the number of values read.
int RawRead(HKEY hParent, LPCTSTR lpszName)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(hParent, lpszName, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return 0;
    int nValues = 0;
    TCHAR szName[256];
    BYTE data[1024];
    for (DWORD i = 0;; ++i)
    {
        DWORD cchName = 256;
        DWORD cbData = sizeof(data);
        if (::RegEnumValueW(hKey, i, szName, &cchName, nullptr, nullptr, data, &cbData) != ERROR_SUCCESS)
            break;
        ++nValues;
    }
    for (DWORD i = 0;; ++i)
    {
        DWORD cchName = 256;
        if (::RegEnumKeyExW(hKey, i, szName, &cchName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        nValues += RawRead(hKey, szName);
    }
    ::RegCloseKey(hKey);
    return nValues;
}

double StoreRoundTrip(SECPersistentTreeNode* pTree, const std::function<SECPTNStrategy*()>& makeStore)
{
    return MedianSecondsOf(kRuns, [&] {
        std::unique_ptr<SECPTNStrategy> pStore(makeStore());
        pTree->SaveTree(pStore.get());
        SECPTNFactory factory;
        SECPersistentTreeNode* pRoot = factory.AddChild(_T("WorkState_v1_2"), nullptr);
        pRoot->LoadTree(pStore.get());
    });
}

void Measure(int nFrames, int nBars, double* pPerNode)
{
    CString base;
    base.Format(_T("Software\\LumiterBench-%lu"), ::GetCurrentProcessId());
    const std::vector<Node> shape = Shape(nFrames, nBars);
    SECPTNFactory factory;
    SECPersistentTreeNode* pTree = BuildTree(factory, shape);
    const double dStore = StoreRoundTrip(pTree, [&] { return new SECPTNStrategyRegistry(base, HKEY_CURRENT_USER); });
    const double dRaw = MedianSecondsOf(kRuns, [&] {
        RawWrite(base, shape);
        RawRead(HKEY_CURRENT_USER, base + _T("\\WorkState_v1_2"));
    });
    ::RegDeleteTree(HKEY_CURRENT_USER, base);

    TCHAR szTemp[MAX_PATH];
    ::GetTempPath(MAX_PATH, szTemp);
    const CString file = CString(szTemp) + _T("workspace_store_bench.wsp");
    const double dProfile = StoreRoundTrip(pTree, [&] {
        ::DeleteFile(file);
        return new SECPTNStrategyProfile(file);
    });
    ::DeleteFile(file);

    const double dNodes = static_cast<double>(shape.size());
    *pPerNode = dStore / dNodes;
    printf("%3d frames, %3d bars (%4zu nodes): registry store %8.2f ms, raw calls %8.2f ms, ratio %.2f, "
           "%.1f us per node; profile store %8.2f ms\n",
           nFrames, nBars, shape.size(), dStore * 1e3, dRaw * 1e3, dStore / dRaw, *pPerNode * 1e6, dProfile * 1e3);
}
} // namespace

int main()
{
    double dSmall = 0;
    double dLarge = 0;
    Measure(20, 50, &dSmall);
    Measure(200, 500, &dLarge);
    printf("cost per node, larger tree against smaller: %.2f\n", dLarge / dSmall);
    return 0;
}
