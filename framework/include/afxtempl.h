// Collection templates: CArray, CList, CMap, the typed pointer wrappers and the element
// helpers (CopyElements, CompareElements, SerializeElements, HashKey) that a TYPE may specialise.
#pragma once

// afx.h includes this header through afxcoll.h, so it takes the parts of afx.h it needs directly.
#include <tchar.h>
#include <windows.h>

#include <afx/Debug.h>
#include <afx/Object.h>
#include <afx/String.h>
// Exceptions refer to CObject and CString.
#include <afx/Exception.h>

#include <afx/Plex.h>
// Serialize and SerializeElements take a CArchive.
#include <afx/Archive.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <new>
#include <type_traits>

// An opaque place in a list or map.
struct __POSITION
{
};
typedef __POSITION* POSITION;

template <class TYPE> inline void AFXAPI CopyElements(TYPE* pDest, const TYPE* pSrc, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i)
        pDest[i] = pSrc[i];
}

template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// Reads or writes nCount elements. By default an element is its bytes, as in MFC: right for
// numbers and plain records. A TYPE with more than bytes specialises this (CString and
// CObject* do); without that it throws CNotSupportedException rather than copy its bytes.
template <class TYPE> void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if constexpr (std::is_trivially_copyable_v<TYPE>)
    {
        // A piece at a time, so that each byte count fits in the UINT that Read and Write take.
        const INT_PTR nChunk = std::numeric_limits<int>::max() / sizeof(TYPE);
        for (INT_PTR nDone = 0; nDone < nCount;)
        {
            const INT_PTR n = std::min(nCount - nDone, nChunk);
            const UINT nBytes = static_cast<UINT>(n * sizeof(TYPE));
            if (ar.IsStoring())
                ar.Write(pElements + nDone, nBytes);
            else
                ar.EnsureRead(pElements + nDone, nBytes);
            nDone += n;
        }
    }
    else
    {
        AfxThrowNotSupportedException();
    }
}

template <> void AFXAPI SerializeElements<CString>(CArchive& ar, CString* pElements, INT_PTR nCount);
// Each element with WriteObject or ReadObject, so that objects are shared as the archive shares them.
template <> void AFXAPI SerializeElements<CObject*>(CArchive& ar, CObject** pElements, INT_PTR nCount);

// Integers, enumerations and pointers hash by value; other keys need a specialisation.
template <class ARG_KEY> inline UINT AFXAPI HashKey(ARG_KEY key)
{
    UINT64 nValue;
    if constexpr (std::is_pointer_v<std::remove_cvref_t<ARG_KEY>>)
        nValue = reinterpret_cast<UINT_PTR>(key) >> 4; // the low bits of heap addresses are all zero
    else
        nValue = static_cast<UINT64>(key);
    return static_cast<UINT>(nValue ^ (nValue >> 32));
}

// Text hashes by content: equal strings in different buffers find the same association.
template <> inline UINT AFXAPI HashKey<LPCWSTR>(LPCWSTR key)
{
    UINT nHash = 0;
    for (; key != nullptr && *key != 0; ++key)
        nHash = (nHash << 5) + nHash + static_cast<UINT>(*key);
    return nHash;
}

template <> inline UINT AFXAPI HashKey<const CString&>(const CString& key)
{
    return HashKey<LPCWSTR>(key);
}

template <> inline UINT AFXAPI HashKey<CString>(CString key)
{
    return HashKey<LPCWSTR>(key);
}

/////////////////////////////////////////////////////////////////////////////
// CArray

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray : public CObject
{
    static_assert(alignof(TYPE) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "over-aligned elements are not supported");

public:
    CArray() = default;
    ~CArray() override;

    INT_PTR GetSize() const
    {
        return m_nSize;
    }
    INT_PTR GetCount() const
    {
        return m_nSize;
    }
    BOOL IsEmpty() const
    {
        return m_nSize == 0;
    }
    INT_PTR GetUpperBound() const
    {
        return m_nSize - 1;
    }
    // New elements are value-initialised: zero for plain types. nGrowBy >= 0 sets how many
    // slots each later growth adds (0: a growing default).
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll()
    {
        SetSize(0);
    }

    const TYPE& GetAt(INT_PTR nIndex) const
    {
        return m_pData[CheckedIndex(nIndex)];
    }
    TYPE& GetAt(INT_PTR nIndex)
    {
        return m_pData[CheckedIndex(nIndex)];
    }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement)
    {
        m_pData[CheckedIndex(nIndex)] = newElement;
    }
    const TYPE& ElementAt(INT_PTR nIndex) const
    {
        return GetAt(nIndex);
    }
    TYPE& ElementAt(INT_PTR nIndex)
    {
        return GetAt(nIndex);
    }
    const TYPE& operator[](INT_PTR nIndex) const
    {
        return GetAt(nIndex);
    }
    TYPE& operator[](INT_PTR nIndex)
    {
        return GetAt(nIndex);
    }
    const TYPE* GetData() const
    {
        return m_pData;
    }
    TYPE* GetData()
    {
        return m_pData;
    }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement);
    // Returns the index of the first appended element.
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);

    // An index at or beyond the end grows the array; the gap is value-initialised.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

    // The count, then the elements. Loading resizes the array to the stored count.
    void Serialize(CArchive& ar) override;

protected:
    TYPE* m_pData = nullptr;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = 0;

private:
    INT_PTR CheckedIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
        return nIndex;
    }
    bool Contains(const void* p) const
    {
        const std::less<const void*> before;
        return !before(p, m_pData) && before(p, m_pData + m_nSize);
    }
    void Reserve(INT_PTR nMinSize);
    void Reallocate(INT_PTR nNewMax);
    // Opens nCount value-initialised elements at nIndex.
    void InsertGap(INT_PTR nIndex, INT_PTR nCount);
    // Moves constructed elements to slots that hold none; the ranges may overlap.
    static void Relocate(TYPE* pDest, TYPE* pSrc, INT_PTR nCount);
};

template <class TYPE, class ARG_TYPE> CArray<TYPE, ARG_TYPE>::~CArray()
{
    std::destroy_n(m_pData, m_nSize);
    CPlex::Free(m_pData);
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    if (nNewSize == 0)
    {
        std::destroy_n(m_pData, m_nSize);
        CPlex::Free(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
    }
    else if (nNewSize > m_nSize)
    {
        Reserve(nNewSize);
        std::uninitialized_value_construct_n(m_pData + m_nSize, nNewSize - m_nSize);
        m_nSize = nNewSize;
    }
    else
    {
        std::destroy_n(m_pData + nNewSize, m_nSize - nNewSize);
        m_nSize = nNewSize;
    }
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize == 0)
        SetSize(0);
    else if (m_nSize != m_nMaxSize)
        Reallocate(m_nSize);
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Reserve(INT_PTR nMinSize)
{
    if (nMinSize <= m_nMaxSize)
        return;
    // Without a set step the array grows by half, so that adding n elements costs O(n).
    const INT_PTR nGrowBy = m_nGrowBy > 0 ? m_nGrowBy : std::max<INT_PTR>(4, m_nSize / 2);
    Reallocate(std::max(nMinSize, m_nMaxSize + nGrowBy));
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax)
{
    TYPE* pNewData = static_cast<TYPE*>(CPlex::Allocate(static_cast<size_t>(nNewMax), sizeof(TYPE)));
    Relocate(pNewData, m_pData, m_nSize);
    CPlex::Free(m_pData);
    m_pData = pNewData;
    m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Relocate(TYPE* pDest, TYPE* pSrc, INT_PTR nCount)
{
    if (nCount <= 0 || pDest == pSrc)
        return;
    if constexpr (std::is_trivially_copyable_v<TYPE>)
    {
        std::memmove(static_cast<void*>(pDest), static_cast<const void*>(pSrc), nCount * sizeof(TYPE));
    }
    else
    {
        // Walk away from the overlap so that every target slot is empty when it is filled.
        const bool bForward = std::less<TYPE*>()(pDest, pSrc);
        for (INT_PTR n = 0; n < nCount; ++n)
        {
            const INT_PTR i = bForward ? n : nCount - 1 - n;
            ::new (static_cast<void*>(pDest + i)) TYPE(std::move(pSrc[i]));
            pSrc[i].~TYPE();
        }
    }
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::InsertGap(INT_PTR nIndex, INT_PTR nCount)
{
    if (nCount > std::numeric_limits<INT_PTR>::max() - std::max(nIndex, m_nSize))
        AfxThrowMemoryException();
    if (nIndex >= m_nSize)
    {
        SetSize(nIndex + nCount);
        return;
    }
    Reserve(m_nSize + nCount);
    Relocate(m_pData + nIndex + nCount, m_pData + nIndex, m_nSize - nIndex);
    std::uninitialized_value_construct_n(m_pData + nIndex, nCount);
    m_nSize += nCount;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < m_nSize)
        SetAt(nIndex, newElement);
    else
        InsertAt(nIndex, newElement);
}

template <class TYPE, class ARG_TYPE> INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    const INT_PTR nIndex = m_nSize;
    InsertAt(nIndex, newElement);
    return nIndex;
}

template <class TYPE, class ARG_TYPE> INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    const INT_PTR nOldSize = m_nSize;
    const INT_PTR nCount = src.m_nSize;
    SetSize(nOldSize + nCount);
    // Read src's data only now: appending an array to itself may have moved it.
    CopyElements(m_pData + nOldSize, src.m_pData, nCount);
    return nOldSize;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (&src == this)
        return;
    SetSize(src.m_nSize);
    CopyElements(m_pData, src.m_pData, src.m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
        AfxThrowInvalidArgException();
    if constexpr (std::is_reference_v<ARG_TYPE>)
    {
        // One of our own elements would move away while the gap opens: insert a copy.
        if (Contains(std::addressof(newElement)))
        {
            std::remove_cvref_t<ARG_TYPE> copy(newElement);
            InsertAt(nIndex, copy, nCount);
            return;
        }
    }
    InsertGap(nIndex, nCount);
    std::fill_n(m_pData + nIndex, nCount, newElement);
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, CArray* pNewArray)
{
    if (pNewArray == nullptr || nStartIndex < 0)
        AfxThrowInvalidArgException();
    if (pNewArray == this)
    {
        CArray copy;
        copy.Copy(*this);
        InsertAt(nStartIndex, &copy);
        return;
    }
    const INT_PTR nCount = pNewArray->m_nSize;
    if (nCount == 0)
        return;
    InsertGap(nStartIndex, nCount);
    CopyElements(m_pData + nStartIndex, pNewArray->m_pData, nCount);
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nCount > m_nSize - nIndex)
        AfxThrowInvalidArgException();
    std::destroy_n(m_pData + nIndex, nCount);
    Relocate(m_pData + nIndex, m_pData + nIndex + nCount, m_nSize - nIndex - nCount);
    m_nSize -= nCount;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount(m_nSize);
        SerializeElements<TYPE>(ar, m_pData, m_nSize);
        return;
    }
    // The elements are read in pieces that at most double the array, so that a damaged count
    // meets the end of the data before it can claim memory.
    constexpr DWORD_PTR nFirstPiece = 1024;
    const DWORD_PTR nCount = ar.ReadCount();
    RemoveAll();
    for (DWORD_PTR nDone = 0; nDone < nCount;)
    {
        const INT_PTR nPiece = static_cast<INT_PTR>(std::min(nCount - nDone, std::max(nFirstPiece, nDone)));
        SetSize(static_cast<INT_PTR>(nDone) + nPiece);
        SerializeElements<TYPE>(ar, m_pData + nDone, nPiece);
        nDone += nPiece;
    }
}

/////////////////////////////////////////////////////////////////////////////
// CList

template <class TYPE, class ARG_TYPE = const TYPE&> class CList : public CObject
{
protected:
    struct CNode
    {
        CNode(CNode* pPrevNode, CNode* pNextNode, ARG_TYPE value) : pNext(pNextNode), pPrev(pPrevNode), data(value)
        {
        }
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };
    static_assert(alignof(CNode) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "over-aligned elements are not supported");

public:
    explicit CList(INT_PTR nBlockSize = 10) : m_plex(sizeof(CNode), nBlockSize)
    {
    }
    ~CList() override
    {
        RemoveAll();
    }

    INT_PTR GetCount() const
    {
        return m_nCount;
    }
    INT_PTR GetSize() const
    {
        return m_nCount;
    }
    BOOL IsEmpty() const
    {
        return m_nCount == 0;
    }

    // The head and tail of an empty list throw CInvalidArgException.
    TYPE& GetHead()
    {
        return Checked(m_pNodeHead)->data;
    }
    const TYPE& GetHead() const
    {
        return Checked(m_pNodeHead)->data;
    }
    TYPE& GetTail()
    {
        return Checked(m_pNodeTail)->data;
    }
    const TYPE& GetTail() const
    {
        return Checked(m_pNodeTail)->data;
    }
    TYPE RemoveHead();
    TYPE RemoveTail();

    POSITION AddHead(ARG_TYPE newElement)
    {
        return InsertBefore(nullptr, newElement);
    }
    POSITION AddTail(ARG_TYPE newElement)
    {
        return InsertAfter(nullptr, newElement);
    }
    // The elements of pNewList keep their order; a list may add itself.
    void AddHead(CList* pNewList);
    void AddTail(CList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const
    {
        return ToPosition(m_pNodeHead);
    }
    POSITION GetTailPosition() const
    {
        return ToPosition(m_pNodeTail);
    }
    // Return the element at rPosition and move rPosition on; removing that element afterwards
    // leaves rPosition valid.
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* pNode = FromPosition(rPosition);
        rPosition = ToPosition(pNode->pNext);
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        return const_cast<CList*>(this)->GetNext(rPosition);
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* pNode = FromPosition(rPosition);
        rPosition = ToPosition(pNode->pPrev);
        return pNode->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        return const_cast<CList*>(this)->GetPrev(rPosition);
    }

    TYPE& GetAt(POSITION position)
    {
        return FromPosition(position)->data;
    }
    const TYPE& GetAt(POSITION position) const
    {
        return FromPosition(position)->data;
    }
    void SetAt(POSITION pos, ARG_TYPE newElement)
    {
        FromPosition(pos)->data = newElement;
    }
    void RemoveAt(POSITION position);

    // A NULL position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;
    // NULL when nIndex is out of range.
    POSITION FindIndex(INT_PTR nIndex) const;

    // The count, then the elements from head to tail. Loading adds them at the tail.
    void Serialize(CArchive& ar) override;

protected:
    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;

private:
    static POSITION ToPosition(CNode* pNode)
    {
        return reinterpret_cast<POSITION>(pNode);
    }
    static CNode* FromPosition(POSITION position)
    {
        return Checked(reinterpret_cast<CNode*>(position));
    }
    static CNode* Checked(CNode* pNode)
    {
        if (pNode == nullptr)
            AfxThrowInvalidArgException();
        return pNode;
    }
    CNode* NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement);

    CPlex m_plex;
};

template <class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::CNode* CList<TYPE, ARG_TYPE>::NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement)
{
    CNode* pNode = ::new (m_plex.NewNode()) CNode(pPrev, pNext, newElement);
    (pPrev != nullptr ? pPrev->pNext : m_pNodeHead) = pNode;
    (pNext != nullptr ? pNext->pPrev : m_pNodeTail) = pNode;
    ++m_nCount;
    return pNode;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    if (position == nullptr)
        return ToPosition(NewNode(nullptr, m_pNodeHead, newElement));
    CNode* pNode = FromPosition(position);
    return ToPosition(NewNode(pNode->pPrev, pNode, newElement));
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    if (position == nullptr)
        return ToPosition(NewNode(m_pNodeTail, nullptr, newElement));
    CNode* pNode = FromPosition(position);
    return ToPosition(NewNode(pNode, pNode->pNext, newElement));
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    CNode* pNode = FromPosition(position);
    (pNode->pPrev != nullptr ? pNode->pPrev->pNext : m_pNodeHead) = pNode->pNext;
    (pNode->pNext != nullptr ? pNode->pNext->pPrev : m_pNodeTail) = pNode->pPrev;
    pNode->~CNode();
    m_plex.FreeNode(pNode);
    if (--m_nCount == 0)
        m_plex.FreeAll();
}

template <class TYPE, class ARG_TYPE> TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    TYPE element(std::move(Checked(m_pNodeHead)->data));
    RemoveAt(ToPosition(m_pNodeHead));
    return element;
}

template <class TYPE, class ARG_TYPE> TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    TYPE element(std::move(Checked(m_pNodeTail)->data));
    RemoveAt(ToPosition(m_pNodeTail));
    return element;
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList)
{
    if (pNewList == nullptr)
        AfxThrowInvalidArgException();
    // Counted, so that a list adding itself stops at its original elements.
    POSITION pos = pNewList->GetTailPosition();
    for (INT_PTR n = pNewList->m_nCount; n > 0; --n)
        AddHead(pNewList->GetPrev(pos));
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList)
{
    if (pNewList == nullptr)
        AfxThrowInvalidArgException();
    POSITION pos = pNewList->GetHeadPosition();
    for (INT_PTR n = pNewList->m_nCount; n > 0; --n)
        AddTail(pNewList->GetNext(pos));
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    for (CNode* pNode = m_pNodeHead; pNode != nullptr;)
    {
        CNode* pNext = pNode->pNext;
        pNode->~CNode();
        pNode = pNext;
    }
    m_plex.FreeAll();
    m_pNodeHead = m_pNodeTail = nullptr;
    m_nCount = 0;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* pNode = startAfter != nullptr ? FromPosition(startAfter)->pNext : m_pNodeHead;
    for (; pNode != nullptr; pNode = pNode->pNext)
    {
        if (CompareElements(&pNode->data, std::addressof(searchValue)))
            return ToPosition(pNode);
    }
    return nullptr;
}

template <class TYPE, class ARG_TYPE> POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    CNode* pNode = m_pNodeHead;
    for (; nIndex > 0; --nIndex)
        pNode = pNode->pNext;
    return ToPosition(pNode);
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount(m_nCount);
        for (CNode* pNode = m_pNodeHead; pNode != nullptr; pNode = pNode->pNext)
            SerializeElements<TYPE>(ar, &pNode->data, 1);
    }
    else
    {
        for (DWORD_PTR nCount = ar.ReadCount(); nCount > 0; --nCount)
        {
            TYPE newData{};
            SerializeElements<TYPE>(ar, &newData, 1);
            AddTail(newData);
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// CMap

// Associations are kept in insertion order, besides the hash chains, so
// that iteration depends only on the operations made, never on addresses or the table size.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> class CMap : public CObject
{
public:
    // The types that CTypedPtrMap converts from.
    typedef KEY BASE_KEY;
    typedef ARG_KEY BASE_ARG_KEY;
    typedef VALUE BASE_VALUE;
    typedef ARG_VALUE BASE_ARG_VALUE;

    class CPair
    {
    public:
        const KEY key;
        VALUE value;

    protected:
        explicit CPair(ARG_KEY keyval) : key(keyval), value()
        {
        }
    };

protected:
    class CAssoc : public CPair
    {
    public:
        CAssoc(ARG_KEY keyval, UINT nHash) : CPair(keyval), nHashValue(nHash)
        {
        }
        CAssoc* pNext = nullptr; // in the hash chain
        CAssoc* pListNext = nullptr;
        CAssoc* pListPrev = nullptr;
        UINT nHashValue;
    };
    static_assert(alignof(CAssoc) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__, "over-aligned elements are not supported");

public:
    explicit CMap(INT_PTR nBlockSize = 10) : m_plex(sizeof(CAssoc), nBlockSize)
    {
    }
    ~CMap() override
    {
        RemoveAll();
    }

    INT_PTR GetCount() const
    {
        return m_nCount;
    }
    INT_PTR GetSize() const
    {
        return m_nCount;
    }
    BOOL IsEmpty() const
    {
        return m_nCount == 0;
    }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    const CPair* PLookup(ARG_KEY key) const
    {
        return Find(key);
    }
    CPair* PLookup(ARG_KEY key)
    {
        return Find(key);
    }
    // A new key gets a value-initialised value at the end of the order.
    VALUE& operator[](ARG_KEY key);
    // A key already present keeps its place in the order.
    void SetAt(ARG_KEY key, ARG_VALUE newValue)
    {
        (*this)[key] = newValue;
    }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    POSITION GetStartPosition() const
    {
        return reinterpret_cast<POSITION>(m_pListHead);
    }
    // Moves rNextPosition on before returning, so the association just returned may be removed.
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;
    const CPair* PGetFirstAssoc() const
    {
        return m_pListHead;
    }
    CPair* PGetFirstAssoc()
    {
        return m_pListHead;
    }
    const CPair* PGetNextAssoc(const CPair* pAssoc) const
    {
        return pAssoc != nullptr ? static_cast<const CAssoc*>(pAssoc)->pListNext : nullptr;
    }
    CPair* PGetNextAssoc(const CPair* pAssoc)
    {
        return pAssoc != nullptr ? static_cast<const CAssoc*>(pAssoc)->pListNext : nullptr;
    }

    UINT GetHashTableSize() const
    {
        return m_nHashTableSize;
    }
    // May be called on a filled map too: the associations are rehashed.
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE);

    // The count, then each key and its value in the map's order. Loading sets the stored
    // associations in the map as SetAt does.
    void Serialize(CArchive& ar) override;

protected:
    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
    CAssoc* m_pListHead = nullptr;
    CAssoc* m_pListTail = nullptr;

private:
    // The link that points to key's association, or the null link ending its chain.
    CAssoc** FindLink(ARG_KEY key, UINT nHashValue) const;
    CAssoc* Find(ARG_KEY key) const
    {
        return m_pHashTable != nullptr ? *FindLink(key, HashKey<ARG_KEY>(key)) : nullptr;
    }

    CPlex m_plex;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc** CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FindLink(
    ARG_KEY key, UINT nHashValue) const
{
    CAssoc** ppLink = &m_pHashTable[nHashValue % m_nHashTableSize];
    for (; *ppLink != nullptr; ppLink = &(*ppLink)->pNext)
    {
        if ((*ppLink)->nHashValue == nHashValue && CompareElements(&(*ppLink)->key, std::addressof(key)))
            break;
    }
    return ppLink;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    const CAssoc* pAssoc = Find(key);
    if (pAssoc == nullptr)
        return FALSE;
    rValue = pAssoc->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    if (m_pHashTable == nullptr)
        InitHashTable(m_nHashTableSize);
    const UINT nHashValue = HashKey<ARG_KEY>(key);
    CAssoc** ppLink = FindLink(key, nHashValue);
    if (*ppLink == nullptr)
    {
        CAssoc* pAssoc = ::new (m_plex.NewNode()) CAssoc(key, nHashValue);
        *ppLink = pAssoc;
        pAssoc->pListPrev = m_pListTail;
        (m_pListTail != nullptr ? m_pListTail->pListNext : m_pListHead) = pAssoc;
        m_pListTail = pAssoc;
        ++m_nCount;
    }
    return (*ppLink)->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == nullptr)
        return FALSE;
    CAssoc** ppLink = FindLink(key, HashKey<ARG_KEY>(key));
    CAssoc* pAssoc = *ppLink;
    if (pAssoc == nullptr)
        return FALSE;
    *ppLink = pAssoc->pNext;
    (pAssoc->pListPrev != nullptr ? pAssoc->pListPrev->pListNext : m_pListHead) = pAssoc->pListNext;
    (pAssoc->pListNext != nullptr ? pAssoc->pListNext->pListPrev : m_pListTail) = pAssoc->pListPrev;
    pAssoc->~CAssoc();
    m_plex.FreeNode(pAssoc);
    if (--m_nCount == 0)
        RemoveAll();
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    for (CAssoc* pAssoc = m_pListHead; pAssoc != nullptr;)
    {
        CAssoc* pNext = pAssoc->pListNext;
        pAssoc->~CAssoc();
        pAssoc = pNext;
    }
    m_plex.FreeAll();
    CPlex::Free(m_pHashTable);
    m_pHashTable = nullptr;
    m_pListHead = m_pListTail = nullptr;
    m_nCount = 0;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    const CAssoc* pAssoc = reinterpret_cast<const CAssoc*>(rNextPosition);
    if (pAssoc == nullptr)
        AfxThrowInvalidArgException();
    rNextPosition = reinterpret_cast<POSITION>(pAssoc->pListNext);
    rKey = pAssoc->key;
    rValue = pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT nHashSize, BOOL bAllocNow)
{
    if (nHashSize == 0)
        AfxThrowInvalidArgException();
    CAssoc** pNewTable = nullptr;
    if (bAllocNow || m_nCount > 0)
    {
        pNewTable = static_cast<CAssoc**>(CPlex::Allocate(nHashSize, sizeof(CAssoc*)));
        std::fill_n(pNewTable, nHashSize, nullptr);
        for (CAssoc* pAssoc = m_pListHead; pAssoc != nullptr; pAssoc = pAssoc->pListNext)
        {
            CAssoc*& rBucket = pNewTable[pAssoc->nHashValue % nHashSize];
            pAssoc->pNext = rBucket;
            rBucket = pAssoc;
        }
    }
    CPlex::Free(m_pHashTable);
    m_pHashTable = pNewTable;
    m_nHashTableSize = nHashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteCount(m_nCount);
        for (CAssoc* pAssoc = m_pListHead; pAssoc != nullptr; pAssoc = pAssoc->pListNext)
        {
            // Storing only reads the key.
            SerializeElements<KEY>(ar, const_cast<KEY*>(&pAssoc->key), 1);
            SerializeElements<VALUE>(ar, &pAssoc->value, 1);
        }
    }
    else
    {
        for (DWORD_PTR nCount = ar.ReadCount(); nCount > 0; --nCount)
        {
            KEY newKey{};
            VALUE newValue{};
            SerializeElements<KEY>(ar, &newKey, 1);
            SerializeElements<VALUE>(ar, &newValue, 1);
            SetAt(newKey, newValue);
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// Typed pointer collections: a CObArray, CPtrArray, CObList, CPtrList or pointer map that
// hands out TYPE instead of CObject* or void*.

template <class BASE_CLASS, class TYPE> class CTypedPtrArray : public BASE_CLASS
{
public:
    TYPE GetAt(INT_PTR nIndex) const
    {
        return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex));
    }
    TYPE& ElementAt(INT_PTR nIndex)
    {
        return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex));
    }
    void SetAt(INT_PTR nIndex, TYPE ptr)
    {
        BASE_CLASS::SetAt(nIndex, ptr);
    }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement)
    {
        BASE_CLASS::SetAtGrow(nIndex, newElement);
    }
    INT_PTR Add(TYPE newElement)
    {
        return BASE_CLASS::Add(newElement);
    }
    INT_PTR Append(const CTypedPtrArray& src)
    {
        return BASE_CLASS::Append(src);
    }
    void Copy(const CTypedPtrArray& src)
    {
        BASE_CLASS::Copy(src);
    }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1)
    {
        BASE_CLASS::InsertAt(nIndex, newElement, nCount);
    }
    void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray)
    {
        BASE_CLASS::InsertAt(nStartIndex, pNewArray);
    }
    TYPE operator[](INT_PTR nIndex) const
    {
        return GetAt(nIndex);
    }
    TYPE& operator[](INT_PTR nIndex)
    {
        return ElementAt(nIndex);
    }
};

template <class BASE_CLASS, class TYPE> class CTypedPtrList : public BASE_CLASS
{
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize)
    {
    }

    TYPE& GetHead()
    {
        return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead());
    }
    TYPE GetHead() const
    {
        return static_cast<TYPE>(BASE_CLASS::GetHead());
    }
    TYPE& GetTail()
    {
        return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail());
    }
    TYPE GetTail() const
    {
        return static_cast<TYPE>(BASE_CLASS::GetTail());
    }
    TYPE RemoveHead()
    {
        return static_cast<TYPE>(BASE_CLASS::RemoveHead());
    }
    TYPE RemoveTail()
    {
        return static_cast<TYPE>(BASE_CLASS::RemoveTail());
    }
    POSITION AddHead(TYPE newElement)
    {
        return BASE_CLASS::AddHead(newElement);
    }
    POSITION AddTail(TYPE newElement)
    {
        return BASE_CLASS::AddTail(newElement);
    }
    void AddHead(CTypedPtrList* pNewList)
    {
        BASE_CLASS::AddHead(pNewList);
    }
    void AddTail(CTypedPtrList* pNewList)
    {
        BASE_CLASS::AddTail(pNewList);
    }
    TYPE& GetNext(POSITION& rPosition)
    {
        return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(rPosition));
    }
    TYPE GetNext(POSITION& rPosition) const
    {
        return static_cast<TYPE>(BASE_CLASS::GetNext(rPosition));
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(rPosition));
    }
    TYPE GetPrev(POSITION& rPosition) const
    {
        return static_cast<TYPE>(BASE_CLASS::GetPrev(rPosition));
    }
    TYPE& GetAt(POSITION position)
    {
        return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position));
    }
    TYPE GetAt(POSITION position) const
    {
        return static_cast<TYPE>(BASE_CLASS::GetAt(position));
    }
    void SetAt(POSITION pos, TYPE newElement)
    {
        BASE_CLASS::SetAt(pos, newElement);
    }
};

template <class BASE_CLASS, class KEY, class VALUE> class CTypedPtrMap : public BASE_CLASS
{
public:
    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize)
    {
    }

    BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_VALUE value;
        if (!BASE_CLASS::Lookup(key, value))
            return FALSE;
        rValue = static_cast<VALUE>(value);
        return TRUE;
    }
    VALUE& operator[](typename BASE_CLASS::BASE_ARG_KEY key)
    {
        return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key));
    }
    void SetAt(KEY key, VALUE newValue)
    {
        BASE_CLASS::SetAt(key, newValue);
    }
    BOOL RemoveKey(KEY key)
    {
        return BASE_CLASS::RemoveKey(key);
    }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_KEY key;
        typename BASE_CLASS::BASE_VALUE value;
        BASE_CLASS::GetNextAssoc(rPosition, key, value);
        rKey = static_cast<KEY>(key);
        rValue = static_cast<VALUE>(value);
    }
};
