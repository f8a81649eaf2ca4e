// SECPTNStrategyRegistry: node keys, their values and their subkeys.
#include <toolkit/workspace/PTNStrategyRegistry.h>

#include <toolkit/workspace/Registry.h>

namespace tarnwick::workspace
{
namespace
{
// A failed write leaves the registry's error as the thread's last error for the caller's report.
BOOL Failed(const SECRegistry& registry)
{
    ::SetLastError(static_cast<DWORD>(registry.GetLastError()));
    return FALSE;
}
} // namespace

SECPTNStrategyRegistry::SECPTNStrategyRegistry(LPCTSTR lpszKeyPath, HKEY hKeyRoot)
    : m_strKeyPath(lpszKeyPath), m_hKeyRoot(hKeyRoot)
{
    if (m_strKeyPath.IsEmpty() || m_strKeyPath[m_strKeyPath.GetLength() - 1] != _T('\\'))
        m_strKeyPath += _T('\\');
}

void SECPTNStrategyRegistry::GetKeyPath(const CStringList& path, CString& strKeyPath) const
{
    strKeyPath.Empty();
    for (POSITION pos = path.GetTailPosition(); pos != nullptr;)
        strKeyPath += path.GetPrev(pos) + _T('\\');
}

CString SECPTNStrategyRegistry::NodeKey(const CStringList& path) const
{
    CString keyPath;
    GetKeyPath(path, keyPath);
    return m_strKeyPath + keyPath;
}

BOOL SECPTNStrategyRegistry::ClearNode(const CStringList& path)
{
    SECRegistry registry;
    if (!registry.Connect(m_hKeyRoot))
        return FALSE;
    const CString key = NodeKey(path);
    if (!registry.Open(key, KEY_READ))
        return registry.GetLastError() == ERROR_FILE_NOT_FOUND || Failed(registry);
    return registry.DeleteKey(key, TRUE) || Failed(registry);
}

BOOL SECPTNStrategyRegistry::WriteValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue)
{
    SECRegistry registry;
    return (registry.Connect(m_hKeyRoot) && registry.Create(NodeKey(path)) &&
            registry.SetStringValue(lpszKey, lpszValue)) ||
           Failed(registry);
}

BOOL SECPTNStrategyRegistry::WriteChildNames(const CStringList& path, const CStringList&)
{
    // The children are the subkeys; the node's own key is made so that a node without values
    // keeps its place in the tree.
    SECRegistry registry;
    return (registry.Connect(m_hKeyRoot) && registry.Create(NodeKey(path))) || Failed(registry);
}

BOOL SECPTNStrategyRegistry::ReadNode(const CStringList& path, CStringList& childNames, CStringList& keys,
                                      CStringList& values)
{
    SECRegistry registry;
    if (!registry.Connect(m_hKeyRoot) || !registry.Open(NodeKey(path), KEY_READ))
        return FALSE;
    childNames.RemoveAll();
    keys.RemoveAll();
    values.RemoveAll();
    CString name;
    for (DWORD i = 0; registry.EnumerateKeys(i, name); ++i)
        childNames.AddTail(name);
    for (DWORD i = 0; registry.EnumerateValues(i, name); ++i)
    {
        CString value;
        if (registry.GetValue(name, value))
        {
            keys.AddTail(name);
            values.AddTail(value);
        }
    }
    return TRUE;
}
} // namespace tarnwick::workspace
