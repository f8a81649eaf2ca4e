// The thread of one host: its instance threads reach the host's operating-system collector;
// one of them measures the host at each tick. It writes the host's machine information file.
#pragma once

#include <collector/HostTexts.h>
#include <collector/LandscapeThread.h>

class CSapHost;

// The registration texts are the host's as they were when the session started.
class CHostThread : public CLandscapeThread, public CHostTexts
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
