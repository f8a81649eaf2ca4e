#include <collector/CollectorSettings.h>
#include <collector/SessionHost.h>

namespace
{
struct SettingKey
{
    LPCTSTR lpszKey;
    int nDefault;
};

// Indexed by CCollectorSettings::Setting. Several settings share a key: a key feeds every
// capture of its family.
const SettingKey kSettingKeys[] = {
    {_T("DsrInterval"), 15},      {_T("BiInterval"), 15},        {_T("DialogStepInterval"), 15},
    {_T("BufferInterval"), 15},   {_T("DispatcherInterval"), 1}, {_T("WorkProcessInterval"), 15},
    {_T("DatabaseInterval"), 20}, {_T("DatabaseInterval"), 20},  {_T("DatabaseInterval"), 20},
    {_T("DatabaseInterval"), 20}, {_T("DatabaseInterval"), 20},  {_T("DatabaseInterval"), 20},
    {_T("DatabaseInterval"), 20}, {_T("HostInterval"), 1},       {_T("HostInterval"), 1},
    {_T("HostInterval"), 1},      {_T("HostInterval"), 1},       {_T("HostInterval"), 1},
    {_T("HostInterval"), 1},      {_T("HostInterval"), 1},       {_T("HostInterval"), 1},
    {_T("HostInterval"), 1},      {_T("ReportInterval"), 5},     {_T("ReportRowCount"), 10000},
};
static_assert(std::size(kSettingKeys) == CCollectorSettings::settingCount);
} // namespace

CCollectorSettings::CCollectorSettings() : m_nSettings{}
{
}

void CCollectorSettings::LoadSettings(const CSessionHost& host)
{
    for (int nSetting = 0; nSetting < settingCount; ++nSetting)
    {
        const SettingKey& key = kSettingKeys[nSetting];
        CSingleLock lock(&m_settingMutexes[nSetting], TRUE);
        m_nSettings[nSetting] = static_cast<int>(host.GetProfileInt(_T("Properties"), key.lpszKey, key.nDefault));
    }
}

void CCollectorSettings::GetSetting(Setting nSetting, int& nValue) const
{
    CSingleLock lock(&m_settingMutexes[nSetting], TRUE);
    nValue = m_nSettings[nSetting];
}
