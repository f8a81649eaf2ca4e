// Part of SECDockState and SECControlBarInfo: saving and loading them in the workspace manager's
// tree, a "DockState" node with a "Bar-%d" node per record.
#include <toolkit/frames/DockState.h>

#include <toolkit/bars/ControlBarManager.h>
#include <toolkit/workspace/PersistentTreeNode.h>

#include <map>

namespace tarnwick::frames
{
namespace
{
using workspace::SECPersistentTreeNode;
using workspace::SECPTNFactory;

const TCHAR szDockState[] = _T("DockState");
const TCHAR szBars[] = _T("Bars");
const TCHAR szScreenCX[] = _T("ScreenCX");
const TCHAR szScreenCY[] = _T("ScreenCY");

const TCHAR szBarNodePrefix[] = _T("Bar-");

CString BarNodeName(int nIndex)
{
    CString name;
    name.Format(_T("%s%d"), szBarNodePrefix, nIndex);
    return name;
}

// The n of a node named BarNodeName(n); -1 for any other name.
int BarNodeIndex(const CString& name)
{
    const int nPrefix = static_cast<int>(wcslen(szBarNodePrefix));
    if (name.Left(nPrefix) != szBarNodePrefix)
        return -1;
    const int nIndex = _wtoi(LPCTSTR(name) + nPrefix);
    return nIndex >= 0 && BarNodeName(nIndex) == name ? nIndex : -1;
}

// A bar's node as a store of the record's values; booleans are "True" and "False" there.
class NodeValues : public CDockStateValues
{
public:
    explicit NodeValues(SECPersistentTreeNode& node) : m_node(node)
    {
    }
    BOOL WriteInt(LPCTSTR lpszKey, int nValue) override
    {
        return m_node.SetIntValue(lpszKey, nValue, TRUE) == 0;
    }
    BOOL WriteBool(LPCTSTR lpszKey, BOOL bValue) override
    {
        return m_node.SetBoolValue(lpszKey, bValue, TRUE) == 0;
    }
    BOOL WriteString(LPCTSTR lpszKey, LPCTSTR lpszValue) override
    {
        return m_node.SetStringValue(lpszKey, lpszValue, TRUE) == 0;
    }
    BOOL WriteBinary(LPCTSTR lpszKey, const BYTE* pData, UINT nBytes) override
    {
        return m_node.SetBinaryValue(lpszKey, pData, nBytes, TRUE) == 0;
    }
    int ReadInt(LPCTSTR lpszKey, int nDefault) override
    {
        int nValue = 0;
        m_node.GetIntValue(lpszKey, &nValue, nDefault);
        return nValue;
    }
    BOOL ReadBool(LPCTSTR lpszKey, BOOL bDefault) override
    {
        BOOL bValue = FALSE;
        m_node.GetBoolValue(lpszKey, &bValue, bDefault);
        return bValue;
    }
    CString ReadString(LPCTSTR lpszKey, LPCTSTR lpszDefault) override
    {
        CString value;
        m_node.GetStringValue(lpszKey, value, lpszDefault);
        return value;
    }
    BOOL ReadBinary(LPCTSTR lpszKey, BYTE** ppData, UINT* pBytes) override
    {
        DWORD nLength = 0;
        *ppData = nullptr;
        if (m_node.GetBinaryValue(lpszKey, ppData, &nLength) != 0)
            return FALSE;
        *pBytes = nLength;
        return TRUE;
    }
    BOOL HasValue(LPCTSTR lpszKey) override
    {
        return m_node.FindValue(lpszKey) != nullptr;
    }

private:
    SECPersistentTreeNode& m_node;
};
} // namespace

BOOL SECControlBarInfo::SaveStateToNode(SECPTNFactory& factory, SECPersistentTreeNode* pParent, int nIndex)
{
    if (pParent == nullptr || IsEmptyDockBar())
        return FALSE;
    SECPersistentTreeNode* pNode = factory.AddChild(BarNodeName(nIndex), pParent);
    if (pNode == nullptr)
        return FALSE;
    SaveBaseState(factory, pNode);
    SaveExtState(factory, pNode);
    if (m_pBarInfoEx != nullptr)
        m_pBarInfoEx->SaveStateToNode(factory, pNode);
    return TRUE;
}

BOOL SECControlBarInfo::SaveBaseState(SECPTNFactory& /*factory*/, SECPersistentTreeNode* pNode)
{
    if (pNode == nullptr)
        return FALSE;
    NodeValues values(*pNode);
    SaveValues(values);
    return TRUE;
}

BOOL SECControlBarInfo::SaveExtState(SECPTNFactory& /*factory*/, SECPersistentTreeNode* pNode)
{
    if (pNode == nullptr)
        return FALSE;
    NodeValues values(*pNode);
    SaveExtValues(values, KeyOrder::tree);
    return TRUE;
}

BOOL SECControlBarInfo::LoadStateFromNode(SECPersistentTreeNode* pNode, SECDockState* pDockState)
{
    if (pNode == nullptr)
        return FALSE;
    LoadBaseState(pNode, pDockState);
    LoadExtState(pNode);
    CreateBarInfoEx();
    if (m_pBarInfoEx != nullptr)
        m_pBarInfoEx->LoadStateFromNode(pNode);
    return TRUE;
}

BOOL SECControlBarInfo::LoadBaseState(SECPersistentTreeNode* pNode, SECDockState* pDockState)
{
    if (pNode == nullptr || pDockState == nullptr)
        return FALSE;
    NodeValues values(*pNode);
    LoadValues(values, pDockState);
    return TRUE;
}

BOOL SECControlBarInfo::LoadExtState(SECPersistentTreeNode* pNode)
{
    if (pNode == nullptr)
        return FALSE;
    NodeValues values(*pNode);
    LoadExtValues(values);
    return TRUE;
}

BOOL SECDockState::SaveStateToNode(SECPTNFactory& factory, SECPersistentTreeNode* pParent)
{
    if (pParent == nullptr)
        return FALSE;
    // Without its node the state has nowhere to go: nothing is written.
    SECPersistentTreeNode* pNode = factory.AddChild(szDockState, pParent);
    if (pNode == nullptr)
        return FALSE;
    int nIndex = 0;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
        if (GetBarInfo(i)->SaveStateToNode(factory, pNode, nIndex))
            ++nIndex;
    const CSize size = GetScreenSize();
    pNode->SetIntValue(szBars, nIndex, TRUE);
    pNode->SetIntValue(szScreenCX, size.cx, TRUE);
    pNode->SetIntValue(szScreenCY, size.cy, TRUE);
    return TRUE;
}

BOOL SECDockState::LoadStateFromNode(SECPersistentTreeNode* pNode)
{
    if (pNode == nullptr)
        return FALSE;
    SECPersistentTreeNode* pStateNode = pNode->FindChild(szDockState);
    if (pStateNode == nullptr)
        return FALSE;
    Clear();
    int nBars = 0, cx = 0, cy = 0;
    pStateNode->GetIntValue(szBars, &nBars, 0);
    pStateNode->GetIntValue(szScreenCX, &cx, 0);
    pStateNode->GetIntValue(szScreenCY, &cy, 0);
    SetScreenSize(CSize(cx, cy));
    // The node's children are walked, not the stored count, which may be damaged: each child
    // named "Bar-<n>" below the count is a record, taken in the order of n.
    CStringList names;
    pStateNode->GetChildNames(names);
    std::map<int, SECPersistentTreeNode*> barNodes;
    for (POSITION pos = names.GetHeadPosition(); pos != nullptr;)
    {
        const CString& name = names.GetNext(pos);
        const int nIndex = BarNodeIndex(name);
        if (nIndex >= 0 && nIndex < nBars)
            barNodes.emplace(nIndex, pStateNode->FindChild(name));
    }
    for (const auto& [nIndex, pBarNode] : barNodes)
    {
        SECControlBarInfo* pInfo = CreateBarInfo(m_pManager);
        m_arrBarInfo.Add(pInfo);
        pInfo->LoadStateFromNode(pBarNode, this);
    }
    return TRUE;
}
} // namespace tarnwick::frames
