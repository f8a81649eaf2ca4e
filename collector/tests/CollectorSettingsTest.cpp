#include "TestSessionHost.h"

#include <collector/CollectorSettings.h>

#include <gtest/gtest.h>

namespace
{
using Getter = void (CCollectorSettings::*)(int&) const;
struct Row
{
    Getter getter;
    LPCWSTR key;
    int byDefault;
};
// The getters with their profile keys and defaults, as the settings page documents them.
const Row kRows[] = {
    {&CCollectorSettings::GetReportInterval, L"ReportInterval", 5},
    {&CCollectorSettings::GetReportRowCount, L"ReportRowCount", 10000},
    {&CCollectorSettings::GetDsrInterval, L"DsrInterval", 15},
    {&CCollectorSettings::GetBiInterval, L"BiInterval", 15},
    {&CCollectorSettings::GetOracleMainListInterval, L"DatabaseInterval", 20},
    {&CCollectorSettings::GetOracleFillTD110Interval, L"DatabaseInterval", 20},
    {&CCollectorSettings::GetDB6Pm1st4Interval, L"DatabaseInterval", 20},
    {&CCollectorSettings::GetDB6PmTabspaceConfigInterval, L"DatabaseInterval", 20},
    {&CCollectorSettings::GetDB4St04OverviewInterval, L"DatabaseInterval", 20},
    {&CCollectorSettings::GetDB4FileInfoInterval, L"DatabaseInterval", 20},
    {&CCollectorSettings::GetDB02MainScreenInterval, L"DatabaseInterval", 20},
    {&CCollectorSettings::GetCpuInterval, L"HostInterval", 1},
    {&CCollectorSettings::GetVirtCpuInterval, L"HostInterval", 1},
    {&CCollectorSettings::GetMemoryInterval, L"HostInterval", 1},
    {&CCollectorSettings::GetDiskInterval, L"HostInterval", 1},
    {&CCollectorSettings::GetFileSystemInterval, L"HostInterval", 1},
    {&CCollectorSettings::GetLanInterval, L"HostInterval", 1},
    {&CCollectorSettings::GetProcessInterval, L"HostInterval", 1},
    {&CCollectorSettings::GetKEMRASpagInterval, L"HostInterval", 1},
    {&CCollectorSettings::GetKEMRAStorInterval, L"HostInterval", 1},
    {&CCollectorSettings::GetWorkProcessInterval, L"WorkProcessInterval", 15},
    {&CCollectorSettings::GetBufferInterval, L"BufferInterval", 15},
    {&CCollectorSettings::GetDispatcherInterval, L"DispatcherInterval", 1},
    {&CCollectorSettings::GetDialogStepInterval, L"DialogStepInterval", 15},
};
static_assert(std::size(kRows) == CCollectorSettings::settingCount);

int Read(const CCollectorSettings& settings, Getter getter)
{
    int value = -12345;
    (settings.*getter)(value);
    return value;
}
} // namespace

TEST(CollectorSettings, ZeroUntilLoadedThenTheDefaults)
{
    CCollectorSettings settings;
    for (const Row& row : kRows)
        EXPECT_EQ(0, Read(settings, row.getter)) << row.key;
    TestSessionHost host;
    settings.LoadSettings(host);
    for (const Row& row : kRows)
        EXPECT_EQ(row.byDefault, Read(settings, row.getter)) << row.key;
}

TEST(CollectorSettings, EveryKeyFeedsEachGetterOfItsFamily)
{
    // A distinct value per key, stored values taken as they are (61 and -1 included).
    const std::pair<LPCWSTR, LPCWSTR> stored[] = {
        {L"ReportInterval", L"61"},     {L"ReportRowCount", L"250"},  {L"DsrInterval", L"2"},
        {L"BiInterval", L"3"},          {L"DatabaseInterval", L"30"}, {L"HostInterval", L"0"},
        {L"WorkProcessInterval", L"7"}, {L"BufferInterval", L"-1"},   {L"DispatcherInterval", L"60"},
        {L"DialogStepInterval", L"9"},
    };
    TestSessionHost host;
    for (const auto& [key, value] : stored)
        host.m_profile[CString(L"Properties\\") + key] = value;
    CCollectorSettings settings;
    settings.LoadSettings(host);
    for (const Row& row : kRows)
        EXPECT_EQ(_wtoi(host.m_profile[CString(L"Properties\\") + row.key]), Read(settings, row.getter)) << row.key;
}
