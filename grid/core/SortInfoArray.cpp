#include <grid/core/SortInfoArray.h>

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CGXSortInfoArray, CObject)

namespace
{
constexpr INT_PTR nMinGrowBy = 4;
constexpr INT_PTR nMaxGrowBy = 1024;
} // namespace

CGXSortInfoArray::~CGXSortInfoArray()
{
    delete[] m_pData;
}

void CGXSortInfoArray::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    if (nGrowBy != -1)
        m_nGrowBy = nGrowBy;

    if (nNewSize == 0)
    {
        delete[] m_pData;
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
    }
    else if (m_pData == nullptr)
    {
        m_pData = new SortKey[static_cast<size_t>(nNewSize)]();
        m_nSize = m_nMaxSize = nNewSize;
    }
    else if (nNewSize > m_nMaxSize)
    {
        const INT_PTR nGrow = m_nGrowBy != 0 ? m_nGrowBy : std::clamp(m_nSize / 8, nMinGrowBy, nMaxGrowBy);
        const INT_PTR nNewMax = std::max(m_nMaxSize + nGrow, nNewSize);
        SortKey* pNewData = new SortKey[static_cast<size_t>(nNewMax)]();
        std::memcpy(pNewData, m_pData, static_cast<size_t>(m_nSize) * sizeof(SortKey));
        delete[] m_pData;
        m_pData = pNewData;
        m_nSize = nNewSize;
        m_nMaxSize = nNewMax;
    }
    else
    {
        if (nNewSize > m_nSize)
            std::memset(m_pData + m_nSize, 0, static_cast<size_t>(nNewSize - m_nSize) * sizeof(SortKey));
        m_nSize = nNewSize;
    }
}

CGXSortInfoArray::SortKey& CGXSortInfoArray::operator[](INT_PTR nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        AfxThrowInvalidArgException();
    return m_pData[nIndex];
}

const CGXSortInfoArray::SortKey& CGXSortInfoArray::operator[](INT_PTR nIndex) const
{
    return const_cast<CGXSortInfoArray&>(*this)[nIndex];
}
