// The thread of one host: its instance threads reach the host's operating-system collector;
// one of them measures the host at each tick. It writes the host's machine information file.
#pragma once

#include <collector/LandscapeThread.h>

class CSapHost;

class CHostThread : public CLandscapeThread
{
    DECLARE_DYNAMIC(CHostThread)
public:
    enum Event
    {
        eventStop,
        eventWriteMachineInfoFile,
        eventInitialHostTasks,
        eventPeriodicHostTasks,
        eventCount
    };

    CHostThread(CSapHost* pHost, CCollectorThread* pCollector);

    // Names the machine information file, starts the instance threads, then the worker.
    void Start();

    // The host's registration texts, as CSapHost keeps them.
    CString m_strHostName;
    CString m_strDestination;
    CString m_strIpAddress;
    CString m_strOs;
    CString m_strCharType;
    CString m_strIntType;
    CString m_strFloatType;
    CString m_strMachineType;
    CString m_strTimeZone;
    CString m_strDaylightSaving;
    CString m_strVendor;
    CString m_strModel;
    CString m_strCpuCount;
    CString m_strCpuSpeed;
    CString m_strMemory;
    CString m_strDisk;

protected:
    void OnEvent(int nEvent) override;
    CString GetSourceName() const override;
    int GetCategory() const override;

private:
    void StartInstance();
    void CreateInstanceThread(const CRfcClient& instance);
    void WriteMachineInfoFile();
    void EventInitialHostTasks();
    void EventPeriodicHostTasks();
    // The initial tasks go to the first instance thread that answers, once per session; when
    // none answers at the start they go with a later tick.
    void SetInitialHostTasks();

    CString m_strMachineInfoFile;
    CSapHost* m_pHost;
    BOOL m_bInitialTasksSet;
};
