// The workspace tree's nodes, their value encodings, and saving and loading through a store.
#include <toolkit/workspace/PersistentTreeNode.h>

#include <algorithm>
#include <cstdlib>

namespace tarnwick::workspace
{
namespace
{
const TCHAR szBinCount[] = _T("_BinCount");
const TCHAR szBinVal[] = _T("_BinVal");

CString ChunkKey(LPCTSTR lpszKey, int nIndex)
{
    CString key;
    key.Format(_T("%s%s%d"), lpszKey, szBinVal, nIndex);
    return key;
}

BOOL IsEmpty(LPCTSTR lpsz)
{
    return lpsz == nullptr || *lpsz == 0;
}

// Walks the typed list: fn(position, element) answers TRUE to stop there.
template <class TList, class Fn> POSITION FindIn(const TList& list, Fn fn)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        const POSITION posThis = pos;
        if (fn(list.GetNext(pos)))
            return posThis;
    }
    return nullptr;
}
} // namespace

SECPTNFactory::~SECPTNFactory()
{
    while (!m_nodes.IsEmpty())
        delete m_nodes.RemoveHead();
}

SECPersistentTreeNode* SECPTNFactory::CreateNode(CRuntimeClass* pClass)
{
    auto* pNode = static_cast<SECPersistentTreeNode*>(pClass->CreateObject());
    if (pNode == nullptr)
        AfxThrowMemoryException();
    m_nodes.AddTail(pNode);
    return pNode;
}

SECPersistentTreeNode* SECPTNFactory::CreateNode(LPCTSTR lpszName, SECPersistentTreeNode* pParent,
                                                 CRuntimeClass* pClass)
{
    SECPersistentTreeNode* pNode = CreateNode(pClass);
    if (pNode->Create(lpszName, pParent) != 0)
    {
        DestroyNode(pNode);
        return nullptr;
    }
    return pNode;
}

SECPersistentTreeNode* SECPTNFactory::AddChild(LPCTSTR lpszName, SECPersistentTreeNode* pParent)
{
    return CreateNode(lpszName, pParent, RUNTIME_CLASS(SECPersistentTreeNode));
}

BOOL SECPTNFactory::DestroyNode(SECPersistentTreeNode* pNode)
{
    if (pNode == nullptr)
        return FALSE;
    const POSITION pos = m_nodes.Find(pNode);
    if (pos == nullptr)
        return FALSE;
    m_nodes.RemoveAt(pos);
    delete pNode;
    return TRUE;
}

IMPLEMENT_DYNCREATE(SECPersistentTreeNode, CObject)

SECPersistentTreeNode::SECPersistentTreeNode() : m_pParent(nullptr), m_bCreated(FALSE)
{
}

SECPersistentTreeNode::~SECPersistentTreeNode()
{
    while (!m_values.IsEmpty())
        delete m_values.RemoveHead();
}

DWORD SECPersistentTreeNode::Create(LPCTSTR lpszName, SECPersistentTreeNode* pParent)
{
    DWORD dwResult = m_bCreated ? errAlreadyCreated : 0;
    if (IsEmpty(lpszName))
        dwResult |= errEmptyName;
    if (dwResult != 0)
        return dwResult;
    m_strName = lpszName;
    m_pParent = pParent;
    if (pParent != nullptr)
    {
        const DWORD dwAttach = pParent->AttachChild(this);
        if (dwAttach != 0)
        {
            m_pParent = nullptr;
            return (dwAttach & errDuplicateChild) != 0 ? errDuplicateChild : errOther;
        }
    }
    m_bCreated = TRUE;
    return 0;
}

DWORD SECPersistentTreeNode::SetIntValue(LPCTSTR lpszKey, int nValue, BOOL bOverwrite)
{
    CString text;
    text.Format(_T("%d"), nValue);
    return SetStringValue(lpszKey, text, bOverwrite);
}

DWORD SECPersistentTreeNode::SetStringValue(LPCTSTR lpszKey, LPCTSTR lpszValue, BOOL bOverwrite)
{
    DWORD dwResult = m_bCreated ? 0 : errNotCreated;
    if (IsEmpty(lpszKey))
        dwResult |= errEmptyKey;
    SECPersTreeNodeKeyValuePair* pPair = IsEmpty(lpszKey) ? nullptr : FindValue(lpszKey);
    if (pPair != nullptr && !bOverwrite)
        dwResult |= errKeyExists;
    if (dwResult != 0)
        return dwResult;
    if (pPair == nullptr)
        m_values.AddTail(new SECPersTreeNodeKeyValuePair(lpszKey, lpszValue));
    else
        pPair->m_strValue = lpszValue;
    return 0;
}

DWORD SECPersistentTreeNode::SetBoolValue(LPCTSTR lpszKey, BOOL bValue, BOOL bOverwrite)
{
    return SetStringValue(lpszKey, bValue ? _T("True") : _T("False"), bOverwrite);
}

DWORD SECPersistentTreeNode::SetBinaryValue(LPCTSTR lpszKey, const BYTE* pData, DWORD nLength, BOOL bOverwrite)
{
    if (pData == nullptr)
        return errNullData;
    CString text;
    EncodeBinary(text, pData, nLength);
    if (text.GetLength() < chunkThreshold)
        return SetStringValue(lpszKey, text, bOverwrite);
    return WriteBinaryChunks(lpszKey, text);
}

DWORD SECPersistentTreeNode::RemoveValue(LPCTSTR lpszKey)
{
    if (FindValue(lpszKey) == nullptr)
        return errKeyNotFound;
    for (POSITION pos = m_values.GetHeadPosition(); pos != nullptr;)
    {
        const POSITION posThis = pos;
        SECPersTreeNodeKeyValuePair* pPair = m_values.GetNext(pos);
        if (pPair->m_strKey == lpszKey)
        {
            m_values.RemoveAt(posThis);
            delete pPair;
        }
    }
    return 0;
}

DWORD SECPersistentTreeNode::GetStringValue(LPCTSTR lpszKey, CString& strValue, const CString& strDefault)
{
    strValue = strDefault;
    const SECPersTreeNodeKeyValuePair* pPair = FindValue(lpszKey);
    if (pPair == nullptr)
        return errKeyNotFound;
    strValue = pPair->m_strValue;
    return 0;
}

DWORD SECPersistentTreeNode::GetIntValue(LPCTSTR lpszKey, int* pnValue, int nDefault)
{
    long lValue = 0;
    const DWORD dwResult = GetLongValue(lpszKey, &lValue, nDefault);
    *pnValue = static_cast<int>(lValue);
    return dwResult;
}

DWORD SECPersistentTreeNode::GetIntValue(LPCTSTR lpszKey, UINT* pnValue, UINT nDefault)
{
    int nValue = 0;
    const DWORD dwResult = GetIntValue(lpszKey, &nValue, static_cast<int>(nDefault));
    *pnValue = static_cast<UINT>(nValue);
    return dwResult;
}

DWORD SECPersistentTreeNode::GetLongValue(LPCTSTR lpszKey, long* plValue, long lDefault)
{
    *plValue = lDefault;
    CString text;
    const DWORD dwResult = GetStringValue(lpszKey, text, CString());
    if (dwResult == 0)
        *plValue = wcstol(text, nullptr, 10);
    return dwResult;
}

DWORD SECPersistentTreeNode::GetLongValue(LPCTSTR lpszKey, unsigned long* plValue, unsigned long lDefault)
{
    long lValue = 0;
    const DWORD dwResult = GetLongValue(lpszKey, &lValue, static_cast<long>(lDefault));
    *plValue = static_cast<unsigned long>(lValue);
    return dwResult;
}

DWORD SECPersistentTreeNode::GetBoolValue(LPCTSTR lpszKey, BOOL* pbValue, BOOL bDefault)
{
    *pbValue = bDefault;
    CString text;
    const DWORD dwResult = GetStringValue(lpszKey, text, CString());
    if (dwResult == 0)
        *pbValue = text.CompareNoCase(_T("TRUE")) == 0;
    return dwResult;
}

DWORD SECPersistentTreeNode::GetBinaryValue(LPCTSTR lpszKey, BYTE** ppData, DWORD* pnLength)
{
    if (ppData == nullptr)
        return errNullData;
    CString text;
    if (!ReadBinaryChunks(lpszKey, text))
    {
        const DWORD dwResult = GetStringValue(lpszKey, text, CString());
        if (dwResult != 0)
            return dwResult;
    }
    *ppData = nullptr;
    return DecodeBinary(text, ppData, pnLength) ? 0 : errOther;
}

BOOL SECPersistentTreeNode::SaveTree(SECPTNStrategy* pStore)
{
    if (!m_bCreated || pStore == nullptr)
        return FALSE;
    CStringList path, names;
    GetPath(path);
    GetChildNames(names);
    BOOL bOk = pStore->ClearNode(path) & 1;
    for (POSITION pos = m_values.GetHeadPosition(); pos != nullptr;)
    {
        const SECPersTreeNodeKeyValuePair* pPair = m_values.GetNext(pos);
        bOk = pStore->WriteValue(path, pPair->m_strKey, pPair->m_strValue) && bOk;
    }
    bOk = pStore->WriteChildNames(path, names) && bOk;
    for (POSITION pos = m_children.GetHeadPosition(); pos != nullptr;)
        bOk = m_children.GetNext(pos)->SaveTree(pStore) && bOk;
    return bOk;
}

BOOL SECPersistentTreeNode::LoadTree(SECPTNStrategy* pStore)
{
    if (!m_bCreated || pStore == nullptr)
        return FALSE;
    CStringList path, childNames, keys, values;
    GetPath(path);
    if (!pStore->ReadNode(path, childNames, keys, values))
        return FALSE;
    for (POSITION posKey = keys.GetHeadPosition(), posValue = values.GetHeadPosition();
         posKey != nullptr && posValue != nullptr;)
    {
        const CString& key = keys.GetNext(posKey);
        SetStringValue(key, values.GetNext(posValue), TRUE);
    }
    for (POSITION pos = childNames.GetHeadPosition(); pos != nullptr;)
        if (SECPersistentTreeNode* pChild = m_factory.AddChild(childNames.GetNext(pos), this))
            pChild->LoadTree(pStore);
    return TRUE;
}

DWORD SECPersistentTreeNode::AttachChild(SECPersistentTreeNode* pChild)
{
    if (!m_bCreated)
        return errNotCreated;
    if (pChild == nullptr)
        return errEmptyName;
    if (FindChild(pChild->GetNodeName()) != nullptr)
        return errDuplicateChild;
    m_children.AddTail(pChild);
    return 0;
}

SECPersistentTreeNode* SECPersistentTreeNode::FindChild(LPCTSTR lpszName) const
{
    if (IsEmpty(lpszName))
        return nullptr;
    const POSITION pos =
        FindIn(m_children, [lpszName](const SECPersistentTreeNode* pChild) { return pChild->m_strName == lpszName; });
    return pos != nullptr ? m_children.GetAt(pos) : nullptr;
}

SECPersistentTreeNode::SECPersTreeNodeKeyValuePair* SECPersistentTreeNode::FindValue(LPCTSTR lpszKey) const
{
    if (IsEmpty(lpszKey))
        return nullptr;
    const POSITION pos =
        FindIn(m_values, [lpszKey](const SECPersTreeNodeKeyValuePair* pPair) { return pPair->m_strKey == lpszKey; });
    return pos != nullptr ? m_values.GetAt(pos) : nullptr;
}

void SECPersistentTreeNode::GetPath(CStringList& path) const
{
    path.RemoveAll();
    for (const SECPersistentTreeNode* pNode = this; pNode != nullptr; pNode = pNode->m_pParent)
        path.AddTail(pNode->m_strName);
}

void SECPersistentTreeNode::GetChildNames(CStringList& names) const
{
    names.RemoveAll();
    for (POSITION pos = m_children.GetHeadPosition(); pos != nullptr;)
        names.AddTail(m_children.GetNext(pos)->m_strName);
}

BOOL SECPersistentTreeNode::ReadBinaryChunks(LPCTSTR lpszKey, CString& strText)
{
    const SECPersTreeNodeKeyValuePair* pCount = FindValue(CString(lpszKey) + szBinCount);
    if (pCount == nullptr)
        return FALSE;
    // A damaged count cannot ask for more pieces than the node holds values.
    const long nCount = std::min<long>(wcstol(pCount->m_strValue, nullptr, 10), static_cast<long>(m_values.GetCount()));
    strText.Empty();
    for (long i = 0; i < nCount; ++i)
    {
        const SECPersTreeNodeKeyValuePair* pPiece = FindValue(ChunkKey(lpszKey, static_cast<int>(i)));
        // A value with a piece missing is no value: no text, which decodes to nothing.
        if (pPiece == nullptr)
        {
            strText.Empty();
            break;
        }
        strText += pPiece->m_strValue;
    }
    return TRUE;
}

DWORD SECPersistentTreeNode::WriteBinaryChunks(LPCTSTR lpszKey, const CString& strText)
{
    const int nPieces = (strText.GetLength() + chunkLength - 1) / chunkLength;
    const DWORD dwResult = SetIntValue(CString(lpszKey) + szBinCount, nPieces, TRUE);
    if (dwResult != 0)
        return dwResult;
    for (int i = 0; i < nPieces; ++i)
        SetStringValue(ChunkKey(lpszKey, i), strText.Mid(i * chunkLength, chunkLength), TRUE);
    return 0;
}

void SECPersistentTreeNode::EncodeBinary(CString& strText, const BYTE* pData, DWORD nLength)
{
    LPTSTR p = strText.GetBuffer(static_cast<int>(nLength * 2));
    for (DWORD i = 0; i < nLength; ++i)
    {
        *p++ = static_cast<TCHAR>(_T('A') + (pData[i] & 0x0F));
        *p++ = static_cast<TCHAR>(_T('A') + (pData[i] >> 4));
    }
    strText.ReleaseBuffer(static_cast<int>(nLength * 2));
}

BOOL SECPersistentTreeNode::DecodeBinary(const CString& strText, BYTE** ppData, DWORD* pnLength)
{
    // Two letters 'A'..'P' a byte: any other text is no value of this kind.
    const auto isDigit = [](TCHAR ch) { return ch >= _T('A') && ch < _T('A') + 16; };
    const LPCTSTR pText = strText;
    if (strText.IsEmpty() || strText.GetLength() % 2 != 0 || !std::all_of(pText, pText + strText.GetLength(), isDigit))
        return FALSE;
    const DWORD nLength = static_cast<DWORD>(strText.GetLength() / 2);
    auto* pData = new BYTE[nLength];
    for (DWORD i = 0; i < nLength; ++i)
        pData[i] = static_cast<BYTE>((pText[2 * i] - _T('A')) + 16 * (pText[2 * i + 1] - _T('A')));
    *ppData = pData;
    if (pnLength != nullptr)
        *pnLength = nLength;
    return TRUE;
}
} // namespace tarnwick::workspace
