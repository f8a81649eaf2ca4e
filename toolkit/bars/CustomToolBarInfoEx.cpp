// The toolbar's record of its title and buttons in the three stored forms.
#include <toolkit/bars/CustomToolBarInfoEx.h>

#include <toolkit/workspace/PersistentTreeNode.h>

#include <cstring>
#include <memory>

namespace tarnwick::bars
{
namespace
{
const TCHAR szToolBarInfoEx[] = _T("ToolBarInfoEx");
const TCHAR szTitle[] = _T("Title");
const TCHAR szButtons[] = _T("Buttons");

// A record's id and length before its data.
constexpr size_t recordHead = 5;
} // namespace

SECBtnInfo::SECBtnInfo(UINT nID, BYTE nDataLength, const BYTE* pData)
    : m_nID(nID), m_nDataLength(nDataLength), m_pData(nDataLength != 0 ? new BYTE[nDataLength] : nullptr)
{
    if (m_pData != nullptr)
        std::memcpy(m_pData, pData, nDataLength);
}

SECBtnInfo::~SECBtnInfo()
{
    delete[] m_pData;
}

SECBtnInfoArray::~SECBtnInfoArray()
{
    DeleteAll();
}

void SECBtnInfoArray::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAt(i);
    RemoveAll();
}

std::vector<BYTE> SECBtnInfoArray::Build() const
{
    size_t nTotal = 0;
    for (INT_PTR i = 0; i < GetSize(); ++i)
        nTotal += recordHead + GetAt(i)->m_nDataLength;
    std::vector<BYTE> bytes;
    bytes.reserve(nTotal);
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const SECBtnInfo* pInfo = GetAt(i);
        for (int nShift = 0; nShift < 32; nShift += 8)
            bytes.push_back(static_cast<BYTE>(pInfo->m_nID >> nShift));
        bytes.push_back(pInfo->m_nDataLength);
        bytes.insert(bytes.end(), pInfo->m_pData, pInfo->m_pData + pInfo->m_nDataLength);
    }
    return bytes;
}

void SECBtnInfoArray::Parse(const BYTE* pBytes, size_t nBytes)
{
    for (size_t nPos = 0; nBytes - nPos >= recordHead;)
    {
        const UINT nID = pBytes[nPos] | (pBytes[nPos + 1] << 8) | (pBytes[nPos + 2] << 16) |
                         (static_cast<UINT>(pBytes[nPos + 3]) << 24);
        const BYTE nLength = pBytes[nPos + 4];
        if (nBytes - nPos - recordHead < nLength)
            break;
        Add(new SECBtnInfo(nID, nLength, pBytes + nPos + recordHead));
        nPos += recordHead + nLength;
    }
}

using frames::SECControlBarInfoEx;
IMPLEMENT_DYNCREATE(SECCustomToolBarInfoEx, SECControlBarInfoEx)

SECCustomToolBarInfoEx::SECCustomToolBarInfoEx() : m_bHasButtons(FALSE)
{
}

void SECCustomToolBarInfoEx::Serialize(CArchive& ar, frames::SECDockState* /*pDockState*/)
{
    if (ar.IsStoring())
    {
        ar << m_strTitle << static_cast<DWORD>(m_btnInfo.GetSize());
        for (INT_PTR i = 0; i < m_btnInfo.GetSize(); ++i)
        {
            const SECBtnInfo* pInfo = m_btnInfo[i];
            ar << static_cast<DWORD>(pInfo->m_nID) << pInfo->m_nDataLength;
            for (BYTE n = 0; n < pInfo->m_nDataLength; ++n)
                ar << pInfo->m_pData[n];
        }
        return;
    }
    m_btnInfo.DeleteAll();
    DWORD nCount = 0;
    ar >> m_strTitle >> nCount;
    // Each record holds at least five bytes: a damaged count runs out of archive, not memory.
    for (DWORD i = 0; i < nCount; ++i)
    {
        DWORD nID = 0;
        BYTE nLength = 0;
        BYTE data[255];
        ar >> nID >> nLength;
        for (BYTE n = 0; n < nLength; ++n)
            ar >> data[n];
        m_btnInfo.Add(new SECBtnInfo(nID, nLength, data));
    }
    m_bHasButtons = TRUE;
}

BOOL SECCustomToolBarInfoEx::LoadStateFromNode(workspace::SECPersistentTreeNode* pNode)
{
    if (!frames::SECControlBarInfoEx::LoadStateFromNode(pNode))
        return FALSE;
    workspace::SECPersistentTreeNode* pChild = pNode->FindChild(szToolBarInfoEx);
    if (pChild == nullptr)
        return TRUE;
    pChild->GetStringValue(szTitle, m_strTitle, m_strTitle);
    m_btnInfo.DeleteAll();
    BYTE* pBytes = nullptr;
    DWORD nBytes = 0;
    if (pChild->GetBinaryValue(szButtons, &pBytes, &nBytes) == 0)
    {
        std::unique_ptr<BYTE[]> owner(pBytes);
        m_btnInfo.Parse(pBytes, nBytes);
    }
    m_bHasButtons = TRUE;
    return TRUE;
}

BOOL SECCustomToolBarInfoEx::LoadState(LPCTSTR lpszSection, frames::SECDockState* /*pDockState*/)
{
    CWinApp* pApp = AfxGetApp();
    m_strTitle = pApp->GetProfileString(lpszSection, szTitle, m_strTitle);
    BYTE* pBytes = nullptr;
    UINT nBytes = 0;
    if (!pApp->GetProfileBinary(lpszSection, szButtons, &pBytes, &nBytes))
        return FALSE;
    std::unique_ptr<BYTE[]> owner(pBytes);
    m_btnInfo.DeleteAll();
    m_btnInfo.Parse(pBytes, nBytes);
    m_bHasButtons = TRUE;
    return TRUE;
}

BOOL SECCustomToolBarInfoEx::SaveStateToNode(workspace::SECPTNFactory& factory,
                                             workspace::SECPersistentTreeNode* pParent)
{
    if (!frames::SECControlBarInfoEx::SaveStateToNode(factory, pParent))
        return FALSE;
    workspace::SECPersistentTreeNode* pChild = factory.AddChild(szToolBarInfoEx, pParent);
    if (pChild == nullptr)
        return FALSE;
    const std::vector<BYTE> bytes = m_btnInfo.Build();
    // No buttons store an empty value, which names a pointer all the same.
    const BYTE none = 0;
    pChild->SetStringValue(szTitle, m_strTitle, TRUE);
    pChild->SetBinaryValue(szButtons, bytes.empty() ? &none : bytes.data(), static_cast<DWORD>(bytes.size()), TRUE);
    return TRUE;
}

BOOL SECCustomToolBarInfoEx::SaveState(LPCTSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    if (!m_strTitle.IsEmpty())
        pApp->WriteProfileString(lpszSection, szTitle, m_strTitle);
    std::vector<BYTE> bytes = m_btnInfo.Build();
    return pApp->WriteProfileBinary(lpszSection, szButtons, bytes.data(), static_cast<UINT>(bytes.size()));
}
} // namespace tarnwick::bars
