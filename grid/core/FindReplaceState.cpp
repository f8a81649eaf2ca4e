#include <grid/core/FindReplaceState.h>

#include <grid/core/ThreadState.h>
#include <algorithm>

GX_FR_STATE::~GX_FR_STATE()
{
    FreeAnsiFind();
}

void GX_FR_STATE::PrepareFind()
{
    m_strFindUpper = m_strFind;
    if (!m_bCase)
        m_strFindUpper.MakeUpper();
    FreeAnsiFind();
    // A character may take several bytes in the code page: ask for the size first.
    const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, m_strFind, -1, nullptr, 0, nullptr, nullptr);
    m_pszAnsiFind = new char[std::max(nBytes, 1)];
    m_pszAnsiFind[0] = 0;
    ::WideCharToMultiByte(CP_ACP, 0, m_strFind, -1, m_pszAnsiFind, nBytes, nullptr, nullptr);
}

void GX_FR_STATE::FreeAnsiFind()
{
    delete[] m_pszAnsiFind;
    m_pszAnsiFind = nullptr;
}

GX_FR_STATE* GXGetFindReplaceState()
{
    return GXGetThreadState<GX_FR_STATE>();
}
