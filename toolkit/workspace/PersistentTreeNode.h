// The workspace tree: named nodes holding ordered key/value texts, the factory that owns them,
// the store interface they are saved to and loaded from, and the text forms of numbers,
// booleans and bytes.
#pragma once

#include <afxcoll.h>
#include <afxtempl.h>

namespace tarnwick::workspace
{
class SECPersistentTreeNode;
class SECPTNStrategy;

// Owns the nodes it creates.
class SECPTNFactory
{
public:
    SECPTNFactory() = default;
    virtual ~SECPTNFactory();
    SECPTNFactory(const SECPTNFactory&) = delete;
    SECPTNFactory& operator=(const SECPTNFactory&) = delete;

    SECPersistentTreeNode* CreateNode(CRuntimeClass* pClass);
    // NULL, with nothing left behind, when the node cannot be created under the parent.
    SECPersistentTreeNode* CreateNode(LPCTSTR lpszName, SECPersistentTreeNode* pParent, CRuntimeClass* pClass);
    // The way every writer adds a node; a root with no parent.
    SECPersistentTreeNode* AddChild(LPCTSTR lpszName, SECPersistentTreeNode* pParent);
    // FALSE for a node this factory does not own.
    BOOL DestroyNode(SECPersistentTreeNode* pNode);

private:
    CTypedPtrList<CPtrList, SECPersistentTreeNode*> m_nodes{10};
};

// A node's path runs from the node up to the root, its own name first.
class SECPTNStrategy
{
public:
    virtual ~SECPTNStrategy() = default;
    virtual BOOL ClearNode(const CStringList& path) = 0;
    virtual BOOL WriteValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) = 0;
    virtual BOOL WriteChildNames(const CStringList& path, const CStringList& names) = 0;
    // FALSE when the store holds no such node.
    virtual BOOL ReadNode(const CStringList& path, CStringList& childNames, CStringList& keys,
                          CStringList& values) = 0;
};

class SECPersistentTreeNode : public CObject
{
    DECLARE_DYNCREATE(SECPersistentTreeNode)
public:
    class SECPersTreeNodeKeyValuePair : public CObject
    {
    public:
        SECPersTreeNodeKeyValuePair(const CString& strKey, const CString& strValue) : m_strKey(strKey), m_strValue(strValue)
        {
        }
        CString m_strKey;
        CString m_strValue;
    };

    // Result flags of the node operations; 0 is success.
    static constexpr DWORD errAlreadyCreated = 1;
    static constexpr DWORD errNotCreated = 2;
    static constexpr DWORD errEmptyName = 4;
    static constexpr DWORD errEmptyKey = 8;
    static constexpr DWORD errKeyExists = 16;
    static constexpr DWORD errDuplicateChild = 32;
    static constexpr DWORD errKeyNotFound = 64;
    static constexpr DWORD errNullData = 128;
    static constexpr DWORD errOther = 65535;
    // Encoded binary texts this long or longer are stored in pieces of chunkLength.
    static constexpr int chunkThreshold = 251;
    static constexpr int chunkLength = 250;

    SECPersistentTreeNode();
    ~SECPersistentTreeNode() override;

    virtual DWORD Create(LPCTSTR lpszName, SECPersistentTreeNode* pParent);
    virtual DWORD SetIntValue(LPCTSTR lpszKey, int nValue, BOOL bOverwrite);
    virtual DWORD SetStringValue(LPCTSTR lpszKey, LPCTSTR lpszValue, BOOL bOverwrite);
    // "True" or "False".
    virtual DWORD SetBoolValue(LPCTSTR lpszKey, BOOL bValue, BOOL bOverwrite);
    // Texts of chunkThreshold characters or more go in pieces, always overwriting.
    virtual DWORD SetBinaryValue(LPCTSTR lpszKey, const BYTE* pData, DWORD nLength, BOOL bOverwrite);
    virtual DWORD RemoveValue(LPCTSTR lpszKey);
    virtual DWORD GetStringValue(LPCTSTR lpszKey, CString& strValue, const CString& strDefault);
    // C decimal conversion: "12abc" is 12, "abc" 0.
    virtual DWORD GetIntValue(LPCTSTR lpszKey, int* pnValue, int nDefault);
    virtual DWORD GetIntValue(LPCTSTR lpszKey, UINT* pnValue, UINT nDefault);
    virtual DWORD GetLongValue(LPCTSTR lpszKey, long* plValue, long lDefault);
    virtual DWORD GetLongValue(LPCTSTR lpszKey, unsigned long* plValue, unsigned long lDefault);
    // TRUE only for "true" in any case.
    virtual DWORD GetBoolValue(LPCTSTR lpszKey, BOOL* pbValue, BOOL bDefault);
    // The caller frees *ppData with delete[]; 65535 for a text that does not decode.
    virtual DWORD GetBinaryValue(LPCTSTR lpszKey, BYTE** ppData, DWORD* pnLength);
    // Every step runs; TRUE when all succeeded.
    virtual BOOL SaveTree(SECPTNStrategy* pStore);
    virtual BOOL LoadTree(SECPTNStrategy* pStore);
    virtual DWORD AttachChild(SECPersistentTreeNode* pChild);

    CString GetNodeName() const
    {
        return m_strName;
    }
    BOOL IsCreated() const
    {
        return m_bCreated;
    }
    SECPersistentTreeNode* GetParent() const
    {
        return m_pParent;
    }
    SECPersistentTreeNode* FindChild(LPCTSTR lpszName) const;
    SECPersTreeNodeKeyValuePair* FindValue(LPCTSTR lpszKey) const;
    void GetPath(CStringList& path) const;
    void GetChildNames(CStringList& names) const;
    // The pieces of a chunked value joined; FALSE when the key has no "_BinCount".
    BOOL ReadBinaryChunks(LPCTSTR lpszKey, CString& strText);
    DWORD WriteBinaryChunks(LPCTSTR lpszKey, const CString& strText);
    static void EncodeBinary(CString& strText, const BYTE* pData, DWORD nLength);
    // FALSE for an empty text.
    static BOOL DecodeBinary(const CString& strText, BYTE** ppData, DWORD* pnLength);

private:
    CString m_strName;
    SECPersistentTreeNode* m_pParent;
    SECPTNFactory m_factory;
    CTypedPtrList<CPtrList, SECPersistentTreeNode*> m_children{10};
    CTypedPtrList<CPtrList, SECPersTreeNodeKeyValuePair*> m_values{10};
    BOOL m_bCreated;
};
} // namespace tarnwick::workspace
