// SECPTNStrategyRegistry: keeps a workspace tree in the registry, one key per node.
#pragma once

#include <toolkit/workspace/PersistentTreeNode.h>

namespace tarnwick::workspace
{
// A node's key is the store's key path and the node's names from the root down; its values are
// REG_SZ values and its children exactly its subkeys.
class SECPTNStrategyRegistry : public SECPTNStrategy
{
public:
    SECPTNStrategyRegistry(LPCTSTR lpszKeyPath, HKEY hKeyRoot);

    // Deletes the node's key with everything below it; a key that is not there is already clear.
    BOOL ClearNode(const CStringList& path) override;
    // Creates the node's key and every missing key above it.
    BOOL WriteValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) override;
    // Children are the subkeys: only the node's key is made, so that an empty node is kept.
    BOOL WriteChildNames(const CStringList& path, const CStringList& names) override;
    // Needs only read access to the key.
    BOOL ReadNode(const CStringList& path, CStringList& childNames, CStringList& keys, CStringList& values) override;
    // The node's names from the root down, each followed by "\".
    virtual void GetKeyPath(const CStringList& path, CString& strKeyPath) const;

private:
    CString NodeKey(const CStringList& path) const;

    CString m_strKeyPath;
    HKEY m_hKeyRoot;
};
} // namespace tarnwick::workspace
