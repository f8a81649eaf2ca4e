// SECPTNStrategyProfile: keeps a workspace tree in a profile file, one section per node.
#pragma once

#include <toolkit/workspace/PersistentTreeNode.h>

namespace tarnwick::workspace
{
// A node's section is its names from the root down joined by "."; its children are listed as
// "ptn_Child1", "ptn_Child2", ... after its values.
class SECPTNStrategyProfile : public SECPTNStrategy
{
public:
    explicit SECPTNStrategyProfile(LPCTSTR lpszFile);

    BOOL ClearNode(const CStringList& path) override;
    BOOL WriteValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) override;
    BOOL WriteChildNames(const CStringList& path, const CStringList& names) override;
    // Values come back whole, however long.
    BOOL ReadNode(const CStringList& path, CStringList& childNames, CStringList& keys, CStringList& values) override;
    // FALSE for an empty or missing section; the key list comes back whole, however long.
    virtual BOOL GetSectionKeys(LPCTSTR lpszSection, CStringList& keys);

    void GetSectionName(const CStringList& path, CString& strSection) const;

private:
    CString m_strFile;
    LPCTSTR m_lpszChildPrefix;
    LPCTSTR m_lpszSeparator;
};
} // namespace tarnwick::workspace
