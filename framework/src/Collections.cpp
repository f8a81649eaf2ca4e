#include <afx.h>

#include <algorithm>
#include <cstdint>
#include <new>

IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)

IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_SERIAL(CStringList, CObject, 0)

IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToWord, CObject)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_SERIAL(CMapWordToOb, CObject, 0)

namespace
{
template <class TYPE> void SerializeEach(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i)
    {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}
} // namespace

template <> void AFXAPI SerializeElements<CString>(CArchive& ar, CString* pElements, INT_PTR nCount)
{
    SerializeEach(ar, pElements, nCount);
}

template <> void AFXAPI SerializeElements<CObject*>(CArchive& ar, CObject** pElements, INT_PTR nCount)
{
    SerializeEach(ar, pElements, nCount);
}

// A block header keeps the nodes after it aligned as operator new aligns.
struct alignas(__STDCPP_DEFAULT_NEW_ALIGNMENT__) CPlex::CBlock
{
    CBlock* pNext;
};

struct CPlex::CFreeNode
{
    CFreeNode* pNext;
};

CPlex::CPlex(size_t cbNode, INT_PTR nBlockSize) : m_cbNode(std::max(cbNode, sizeof(CFreeNode)))
{
    if (nBlockSize <= 0 || static_cast<size_t>(nBlockSize) > (SIZE_MAX - sizeof(CBlock)) / m_cbNode)
        AfxThrowInvalidArgException();
    m_nBlockSize = static_cast<size_t>(nBlockSize);
}

CPlex::~CPlex()
{
    FreeAll();
}

void* CPlex::NewNode()
{
    if (m_pFreeList == nullptr)
    {
        CBlock* pBlock = static_cast<CBlock*>(Allocate(1, sizeof(CBlock) + m_nBlockSize * m_cbNode));
        pBlock->pNext = m_pBlocks;
        m_pBlocks = pBlock;
        // Chained backwards, so that nodes are handed out in address order.
        BYTE* pNodes = reinterpret_cast<BYTE*>(pBlock + 1);
        for (size_t i = m_nBlockSize; i > 0; --i)
            m_pFreeList = ::new (pNodes + (i - 1) * m_cbNode) CFreeNode{m_pFreeList};
    }
    CFreeNode* pNode = m_pFreeList;
    m_pFreeList = pNode->pNext;
    return pNode;
}

void CPlex::FreeNode(void* pNode)
{
    m_pFreeList = ::new (pNode) CFreeNode{m_pFreeList};
}

void CPlex::FreeAll()
{
    while (m_pBlocks != nullptr)
    {
        CBlock* pNext = m_pBlocks->pNext;
        Free(m_pBlocks);
        m_pBlocks = pNext;
    }
    m_pFreeList = nullptr;
}

void* CPlex::Allocate(size_t nCount, size_t cbElement)
{
    if (cbElement != 0 && nCount > SIZE_MAX / cbElement)
        AfxThrowMemoryException();
    void* p = ::operator new(nCount* cbElement, std::nothrow);
    if (p == nullptr)
        AfxThrowMemoryException();
    return p;
}

void CPlex::Free(void* p)
{
    ::operator delete(p);
}
