#include "TestSessionHost.h"

#include <collector/PcInfo.h>

UINT TestSessionHost::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const
{
    const auto found = m_profile.find(CString(lpszSection) + L"\\" + lpszEntry);
    return found == m_profile.end() ? static_cast<UINT>(nDefault) : static_cast<UINT>(_wtoi(found->second));
}

CString TestSessionHost::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) const
{
    const auto found = m_profile.find(CString(lpszSection) + L"\\" + lpszEntry);
    return found == m_profile.end() ? CString(lpszDefault) : found->second;
}

const CPcInfo& TestSessionHost::GetPcInfo() const
{
    static const CPcInfo kNothingGathered;
    return m_pc != nullptr ? *m_pc : kNothingGathered;
}
