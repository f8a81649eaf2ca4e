// The object that collects: a worker thread and a collecting client with a connection of its
// own. Its owner (a system, host or database thread) drives it by setting events; the periodic
// handlers run the captures whose interval divides the minute of the tick.
#pragma once

#include <collector/RfcClient.h>
#include <collector/ThreadObject.h>

class CCollectorThread;

class CInstanceThread : public CRfcClient, public CThreadObject
{
    DECLARE_DYNAMIC(CInstanceThread)
public:
    enum Event
    {
        eventStop,
        eventOpenConnection,
        eventPingWithReconnect,
        eventInitialSystemTasks,
        eventPeriodicSystemTasks,
        eventInitialDatabaseTasks,
        eventPeriodicDatabaseTasks,
        eventInitialHostTasks,
        eventPeriodicHostTasks,
        eventInitialInstanceTasks,
        eventPeriodicInstanceTasks,
        eventCount
    };

    explicit CInstanceThread(CCollectorThread* pCollector);
    ~CInstanceThread() override;

    // A thread for the instance of the landscape: its logon data and facts, the session
    // directory and the output category; not started.
    static CInstanceThread* CreateFor(CCollectorThread* pCollector, const CRfcClient& source,
                                      const CString& strSessionDirectory, int nCategory);

    // Forms the session file names and the start time, then starts the worker if there is none.
    void Start();
    void BuildFileNames();

    // The stop flag of the connection.
    BOOL IsStopRequested() const override;
    // Sets the stop flag, closes the connection, which ends a running call, and sets the stop
    // event; nothing more once the flag is set.
    void RequestStop() override;

    // A capture with this interval runs at this minute of the hour (0 counting as 60, -1 when
    // the time could not be converted).
    static BOOL IsDue(int nInterval, int nMinute);
    // The minute of the local time, 0 counting as 60; -1 when it cannot be converted.
    static int LocalMinute(__time64_t nTime);

    // One entry of the capture table.
    struct Capture;

    int m_nCategory; // CSessionHost::Category, -1 until the owner sets it
    CString m_strSessionDirectory;

protected:
    void OnEvent(int nEvent) override;
    // The wrappers serve only the worker's captures.
    void OnWorkerEnd() override;
    CString GetSourceName() const override;
    int GetCategory() const override;
    CString FormatLogFileName(DWORD dwThreadId) const override;
    HWND GetOutputWindow() const override;

private:
    void EventOpenConnection();
    void EventPingWithReconnect();
    void EventInitialSystemTasks();
    void EventPeriodicSystemTasks();
    void EventPeriodicDatabaseTasks();
    void EventInitialHostTasks();
    void EventPeriodicHostTasks();
    void EventInitialInstanceTasks();
    void EventPeriodicInstanceTasks();

    void TakeSampleTime();
    // The remote clock is read for its side of the conversation only: its failure is logged
    // and the handler goes on.
    void ReadSystemTimeRemote(LPCTSTR lpszHandler);
    BOOL IsCaptureDue(int nSetting) const;
    // The due test, then inside the trap the log text and each step behind its own stop test;
    // FALSE when the capture was not due.
    BOOL RunCapture(const Capture& capture);
    void RunCaptures(std::initializer_list<const Capture*> captures);
    void CaptureReportInformation();
    void CaptureDistributedStatistics();
    void CaptureDialogStepStatistics();
    void LogSkippedRecords();

    CCollectorThread* m_pCollector;
    int m_nSampleMinute; // the local minute of the sample time, for the due tests of a tick
};
