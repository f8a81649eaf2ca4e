// The chained hash map that the grid's own maps share: a bucket table made on first insertion,
// associations taken from blocks, and iteration bucket by bucket, each chain from its head (its
// newest pair). Copies and loads keep the source's order, so they store as the source did.
#pragma once

#include <afx.h>

#include <grid/core/WordCount.h>

#include <algorithm>
#include <utility>
#include <vector>

// Key of the maps that index by two 32-bit words (row and column, or a packed record).
struct GXDWORDPAIR
{
    DWORD nFirst;
    DWORD nSecond;
    bool operator==(const GXDWORDPAIR&) const = default;
};

// Row and column keys: neighbouring rows share a bucket.
inline UINT GXHashDWordKey(const DWORD& key)
{
    return key >> 4;
}

inline UINT GXHashFirstWord(const GXDWORDPAIR& key)
{
    return key.nFirst;
}

// Archive form of keys and values: numbers by their width, text as the framework's string,
// objects as object references. A pointer has no archive form.
template <class T> void GXSerializeMapElement(CArchive& ar, T& value)
{
    if (ar.IsStoring())
        ar << value;
    else
        ar >> value;
}

inline void GXSerializeMapElement(CArchive& ar, GXDWORDPAIR& key)
{
    GXSerializeMapElement(ar, key.nFirst);
    GXSerializeMapElement(ar, key.nSecond);
}

inline void GXSerializeMapElement(CArchive& ar, CObject*& value)
{
    if (ar.IsStoring())
        ar.WriteObject(value);
    else
        value = ar.ReadObject(nullptr);
}

inline void GXSerializeMapElement(CArchive&, void*&)
{
    AfxThrowNotSupportedException();
}

// HASH gives the number that is taken modulo the bucket count.
template <class KEY, class VALUE, UINT (*HASH)(const KEY&)> class CGXHashMap : public CObject
{
public:
    // The names that the framework's maps give their element types.
    typedef KEY BASE_KEY;
    typedef VALUE BASE_VALUE;

    explicit CGXHashMap(INT_PTR nBlockSize = 10, UINT nHashSize = 17)
        : m_nHashTableSize(nHashSize), m_plex(sizeof(CAssoc), nBlockSize)
    {
    }
    ~CGXHashMap() override
    {
        RemoveAll();
    }

    INT_PTR GetCount() const
    {
        return m_nCount;
    }
    BOOL IsEmpty() const
    {
        return m_nCount == 0;
    }
    UINT GetHashTableSize() const
    {
        return m_nHashTableSize;
    }

    BOOL Lookup(const KEY& key, VALUE& rValue) const
    {
        const CAssoc* pAssoc = Find(key);
        if (pAssoc == nullptr)
            return FALSE;
        rValue = pAssoc->value;
        return TRUE;
    }

    // A missing key is inserted at the head of its chain with a zero (empty) value.
    VALUE& operator[](const KEY& key)
    {
        if (CAssoc* pAssoc = Find(key))
            return pAssoc->value;
        if (m_pHashTable == nullptr)
            InitHashTable(m_nHashTableSize);
        const UINT nBucket = HASH(key) % m_nHashTableSize;
        CAssoc* pAssoc = ::new (m_plex.NewNode()) CAssoc{m_pHashTable[nBucket], nBucket, key, VALUE()};
        m_pHashTable[nBucket] = pAssoc;
        ++m_nCount;
        return pAssoc->value;
    }

    void SetAt(const KEY& key, const VALUE& newValue)
    {
        (*this)[key] = newValue;
    }

    BOOL RemoveKey(const KEY& key)
    {
        if (m_pHashTable == nullptr)
            return FALSE;
        for (CAssoc** ppLink = &m_pHashTable[HASH(key) % m_nHashTableSize]; *ppLink != nullptr;
             ppLink = &(*ppLink)->pNext)
        {
            CAssoc* pAssoc = *ppLink;
            if (pAssoc->key == key)
            {
                *ppLink = pAssoc->pNext;
                pAssoc->~CAssoc();
                m_plex.FreeNode(pAssoc);
                if (--m_nCount == 0)
                    RemoveAll();
                return TRUE;
            }
        }
        return FALSE;
    }

    // Frees the table and every block; the bucket count stays for the next insertion.
    void RemoveAll()
    {
        ForEachAssoc([](CAssoc* pAssoc) { pAssoc->~CAssoc(); });
        m_plex.FreeAll();
        CPlex::Free(m_pHashTable);
        m_pHashTable = nullptr;
        m_nCount = 0;
    }

    // Before the first element, or null for an empty map.
    POSITION GetStartPosition() const
    {
        return m_nCount == 0 ? nullptr : BeforeStartPosition();
    }

    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        const CAssoc* pAssoc =
            rNextPosition == BeforeStartPosition() ? FirstAssocFrom(0) : reinterpret_cast<const CAssoc*>(rNextPosition);
        if (pAssoc == nullptr)
            AfxThrowInvalidArgException();
        const CAssoc* pNext = pAssoc->pNext != nullptr ? pAssoc->pNext : FirstAssocFrom(pAssoc->nBucket + 1);
        rNextPosition = reinterpret_cast<POSITION>(const_cast<CAssoc*>(pNext));
        rKey = pAssoc->key;
        rValue = pAssoc->value;
    }

    // Sets the bucket count; a filled map is rehashed into the new table.
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE)
    {
        if (nHashSize == 0)
            AfxThrowInvalidArgException();
        CAssoc** pNewTable = nullptr;
        if (bAllocNow || m_nCount > 0)
        {
            pNewTable = static_cast<CAssoc**>(CPlex::Allocate(nHashSize, sizeof(CAssoc*)));
            std::fill_n(pNewTable, nHashSize, nullptr);
        }
        ForEachAssoc([&](CAssoc* pAssoc) {
            pAssoc->nBucket = HASH(pAssoc->key) % nHashSize;
            pAssoc->pNext = pNewTable[pAssoc->nBucket];
            pNewTable[pAssoc->nBucket] = pAssoc;
        });
        CPlex::Free(m_pHashTable);
        m_pHashTable = pNewTable;
        m_nHashTableSize = nHashSize;
    }

    // A 16-bit count, then each key and its value in iteration order. Loading sets each pair
    // without emptying the map first.
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            GXWriteWordCount(ar, m_nCount);
            ForEachAssoc([&](CAssoc* pAssoc) {
                KEY key = pAssoc->key;
                GXSerializeMapElement(ar, key);
                GXSerializeMapElement(ar, pAssoc->value);
            });
        }
        else
        {
            WORD nCount = 0;
            ar >> nCount;
            std::vector<std::pair<KEY, VALUE>> pairs(nCount);
            for (auto& [key, value] : pairs)
            {
                GXSerializeMapElement(ar, key);
                GXSerializeMapElement(ar, value);
            }
            SetInIterationOrder(pairs);
        }
    }

protected:
    // Empties this map and sets every pair of the source.
    void Assign(const CGXHashMap& source)
    {
        RemoveAll();
        std::vector<std::pair<KEY, VALUE>> pairs;
        pairs.reserve(static_cast<size_t>(source.m_nCount));
        POSITION pos = source.GetStartPosition();
        while (pos != nullptr)
        {
            auto& [key, value] = pairs.emplace_back();
            source.GetNextAssoc(pos, key, value);
        }
        SetInIterationOrder(pairs);
    }

    // Sets the pairs so that the map iterates them in the given order: a bucket lists its newest
    // pair first, so they go in from the last. Copies and loaded maps then store as their
    // source did.
    void SetInIterationOrder(const std::vector<std::pair<KEY, VALUE>>& pairs)
    {
        for (auto it = pairs.rbegin(); it != pairs.rend(); ++it)
            SetAt(it->first, it->second);
    }

    struct CAssoc
    {
        CAssoc* pNext;
        UINT nBucket;
        KEY key;
        VALUE value;
    };

private:
    static POSITION BeforeStartPosition()
    {
        return reinterpret_cast<POSITION>(static_cast<INT_PTR>(-1));
    }

    CAssoc* Find(const KEY& key) const
    {
        if (m_pHashTable == nullptr)
            return nullptr;
        CAssoc* pAssoc = m_pHashTable[HASH(key) % m_nHashTableSize];
        while (pAssoc != nullptr && !(pAssoc->key == key))
            pAssoc = pAssoc->pNext;
        return pAssoc;
    }

    const CAssoc* FirstAssocFrom(UINT nBucket) const
    {
        for (; m_pHashTable != nullptr && nBucket < m_nHashTableSize; ++nBucket)
        {
            if (m_pHashTable[nBucket] != nullptr)
                return m_pHashTable[nBucket];
        }
        return nullptr;
    }

    template <class FN> void ForEachAssoc(FN fn)
    {
        for (UINT nBucket = 0; m_pHashTable != nullptr && nBucket < m_nHashTableSize; ++nBucket)
        {
            for (CAssoc* pAssoc = m_pHashTable[nBucket]; pAssoc != nullptr;)
            {
                CAssoc* pNext = pAssoc->pNext;
                fn(pAssoc);
                pAssoc = pNext;
            }
        }
    }

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize;
    INT_PTR m_nCount = 0;
    CPlex m_plex;
};

// Deletes each value of a map of objects through its virtual destructor, then empties the map.
template <class MAP> void DeleteMapObjects(MAP& map)
{
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr)
    {
        typename MAP::BASE_KEY key{};
        typename MAP::BASE_VALUE value{};
        map.GetNextAssoc(pos, key, value);
        delete static_cast<CObject*>(value);
    }
    map.RemoveAll();
}
