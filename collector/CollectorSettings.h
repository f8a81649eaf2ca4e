// The capture intervals (in minutes) and the report row count of a session: read from the
// profile section "Properties" when the session starts and read back by the instance threads,
// each value under a mutex of its own.
#pragma once

#include <afxmt.h>

class CSessionHost;

class CCollectorSettings
{
public:
    // In the order in which they are read.
    enum Setting
    {
        settingDsr,
        settingBi,
        settingDialogStep,
        settingBuffer,
        settingDispatcher,
        settingWorkProcess,
        settingOracleMainList,
        settingOracleFillTD110,
        settingDB6Pm1st4,
        settingDB6PmTabspaceConfig,
        settingDB4St04Overview,
        settingDB4FileInfo,
        settingDB02MainScreen,
        settingCpu,
        settingVirtCpu,
        settingMemory,
        settingDisk,
        settingFileSystem,
        settingLan,
        settingProcess,
        settingKEMRASpag,
        settingKEMRAStor,
        settingReport,
        settingReportRowCount,
        settingCount
    };

    CCollectorSettings();

    // Stored values are taken as they are: an interval outside 1 to 60 switches its capture off.
    void LoadSettings(const CSessionHost& host);
    void GetSetting(Setting nSetting, int& nValue) const;

    void GetReportInterval(int& nValue) const
    {
        GetSetting(settingReport, nValue);
    }
    void GetReportRowCount(int& nValue) const
    {
        GetSetting(settingReportRowCount, nValue);
    }
    void GetDsrInterval(int& nValue) const
    {
        GetSetting(settingDsr, nValue);
    }
    void GetBiInterval(int& nValue) const
    {
        GetSetting(settingBi, nValue);
    }
    void GetOracleMainListInterval(int& nValue) const
    {
        GetSetting(settingOracleMainList, nValue);
    }
    void GetOracleFillTD110Interval(int& nValue) const
    {
        GetSetting(settingOracleFillTD110, nValue);
    }
    void GetDB6Pm1st4Interval(int& nValue) const
    {
        GetSetting(settingDB6Pm1st4, nValue);
    }
    void GetDB6PmTabspaceConfigInterval(int& nValue) const
    {
        GetSetting(settingDB6PmTabspaceConfig, nValue);
    }
    void GetDB4St04OverviewInterval(int& nValue) const
    {
        GetSetting(settingDB4St04Overview, nValue);
    }
    void GetDB4FileInfoInterval(int& nValue) const
    {
        GetSetting(settingDB4FileInfo, nValue);
    }
    void GetDB02MainScreenInterval(int& nValue) const
    {
        GetSetting(settingDB02MainScreen, nValue);
    }
    void GetCpuInterval(int& nValue) const
    {
        GetSetting(settingCpu, nValue);
    }
    void GetVirtCpuInterval(int& nValue) const
    {
        GetSetting(settingVirtCpu, nValue);
    }
    void GetMemoryInterval(int& nValue) const
    {
        GetSetting(settingMemory, nValue);
    }
    void GetDiskInterval(int& nValue) const
    {
        GetSetting(settingDisk, nValue);
    }
    void GetFileSystemInterval(int& nValue) const
    {
        GetSetting(settingFileSystem, nValue);
    }
    void GetLanInterval(int& nValue) const
    {
        GetSetting(settingLan, nValue);
    }
    void GetProcessInterval(int& nValue) const
    {
        GetSetting(settingProcess, nValue);
    }
    void GetKEMRASpagInterval(int& nValue) const
    {
        GetSetting(settingKEMRASpag, nValue);
    }
    void GetKEMRAStorInterval(int& nValue) const
    {
        GetSetting(settingKEMRAStor, nValue);
    }
    void GetWorkProcessInterval(int& nValue) const
    {
        GetSetting(settingWorkProcess, nValue);
    }
    void GetBufferInterval(int& nValue) const
    {
        GetSetting(settingBuffer, nValue);
    }
    void GetDispatcherInterval(int& nValue) const
    {
        GetSetting(settingDispatcher, nValue);
    }
    void GetDialogStepInterval(int& nValue) const
    {
        GetSetting(settingDialogStep, nValue);
    }

private:
    int m_nSettings[settingCount];
    mutable CMutex m_settingMutexes[settingCount];
};
