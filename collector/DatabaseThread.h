// The thread of one database: its instance threads reach the database through their
// systems; one of them measures it at each tick. They share the baseline ends of its
// baseline-and-latest files.
#pragma once

#include <collector/LandscapeThread.h>

class CSapDatabase;

class CDatabaseThread : public CLandscapeThread
{
    DECLARE_DYNAMIC(CDatabaseThread)
public:
    enum Event
    {
        eventStop,
        eventInitialDatabaseTasks,
        eventPeriodicDatabaseTasks,
        eventCount
    };

    CDatabaseThread(CSapDatabase* pDatabase, CCollectorThread* pCollector);

    // Starts the instance threads; the collector starts the worker afterwards.
    void StartInstances();

    CString m_strSystemId;
    CString m_strDatabaseName;   // RFCDATABS
    CString m_strDatabaseSystem; // RFCDBSYS

protected:
    void OnEvent(int nEvent) override;
    CString GetSourceName() const override;
    int GetCategory() const override;
    CString FormatLogFileName(DWORD dwThreadId) const override;

private:
    void StartInstanceThread(const CRfcClient& instance);
    void EventInitialDatabaseTasks();
    void EventPeriodicDatabaseTasks();

    CSapDatabase* m_pDatabase;
    CBaselineEnds m_baselines;
};
