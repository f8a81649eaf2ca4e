// The thread of one SAP system: its own instance thread talks to the system's logon server,
// one more thread per application-server instance; it writes the system's information file.
#pragma once

#include <collector/LandscapeThread.h>
#include <collector/SystemProfileTexts.h>

class CSapSystem;

class CSystemThread : public CLandscapeThread, public CSystemProfileTexts
{
    DECLARE_DYNAMIC(CSystemThread)
public:
    enum Event
    {
        eventStop,
        eventWriteSapInfoFile,
        eventPeriodicSystemTasks,
        eventPeriodicInstanceTasks,
        eventCount
    };

    CSystemThread(CSapSystem* pSystem, CCollectorThread* pCollector);
    ~CSystemThread() override;

    // Names the information file and starts the instance threads; the collector starts the
    // worker afterwards.
    void Start();
    // The instance threads and the system's own.
    void ForEachOwnedThread(const std::function<void(CThreadObject&)>& f) override;

    const CInstanceThread* GetSystemInstanceThread() const
    {
        return m_pSystemInstanceThread;
    }

    CString m_strSystemId;
    CString m_strSapRelease;
    CString m_strDatabaseSystem;

protected:
    void OnEvent(int nEvent) override;
    CString GetSourceName() const override;
    int GetCategory() const override;

private:
    void StartSystemInstanceThread();
    void StartInstanceThread(const CRfcClient& instance);
    void WriteSapInfoFile();
    void EventPeriodicSystemTasks();
    void EventPeriodicInstanceTasks();

    CString m_strInfoFile;
    CSapSystem* m_pSystem;
    CInstanceThread* m_pSystemInstanceThread;
};
