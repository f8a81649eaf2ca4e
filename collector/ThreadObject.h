// The way every thread class of the collector is a thread: an object that owns unnamed events
// and one worker. The worker waits on all events (event 0 is the stop event) and runs the
// handler of the lowest one set; the owner drives it by setting events. The object also keeps
// the thread's log file and posts its lines to the output window.
#pragma once

#include <afxmt.h>
#include <afxwin.h>

#include <functional>
#include <vector>

class CThreadObject
{
public:
    // nEvents counts the stop event. The stop event of the collector, system, host and
    // database threads is manual-reset, so that no test of it clears a stop request.
    CThreadObject(int nEvents, BOOL bManualResetStop);
    CThreadObject(const CThreadObject&) = delete;
    CThreadObject& operator=(const CThreadObject&) = delete;
    // Stops the worker if the derived class has not; closes the events.
    virtual ~CThreadObject();

    void SetEvent(int nEvent);
    void ResetEvent(int nEvent);

    // Starts the worker suspended without auto-delete, then resumes it; nothing when it runs.
    void StartWorker();
    // Sets the stop event, wakes and hurries the worker, and waits for it to end; then deletes
    // the worker object. Nothing more when it has ended already.
    void Stop();
    // Asks the thread to stop without waiting.
    virtual void RequestStop();
    // Calls f for every thread that this one owns, not for itself.
    virtual void ForEachOwnedThread(const std::function<void(CThreadObject&)>& f);
    // Stops the threads and every thread they own: all are told first and then waited for
    // together, so that the time does not grow with their number. The objects stay to be
    // deleted, which then waits for nothing.
    static void StopTogether(const std::vector<CThreadObject*>& threads);
    BOOL HasWorker() const
    {
        return m_pWorker != nullptr;
    }

    // A zero-time-out test of the stop event, which it never clears.
    virtual BOOL IsStopRequested() const;

    // Writes the line to the log file and posts it to the output window, unless stopping.
    void Log(LPCTSTR lpszText);
    // The log file name, empty until the first line is written.
    const CString& GetLogFileName() const
    {
        return m_strLogFile;
    }

    // "%H:%M UTC  %a, %b %#d, %Y" of the time; empty when it cannot be broken down.
    static CString FormatLogTime(__time64_t nTime);

protected:
    // Runs the handler of event nEvent (1 and above).
    virtual void OnEvent(int nEvent) = 0;
    // Runs on the worker once its wait loop has ended: what only the worker used is released
    // there, beside the other threads that stop, and not by the deletion one thread after
    // another.
    virtual void OnWorkerEnd()
    {
    }
    virtual CString GetSourceName() const = 0;
    virtual int GetCategory() const = 0;
    // The log file name of the thread that writes the first line.
    virtual CString FormatLogFileName(DWORD dwThreadId) const = 0;
    // The output window, or null.
    virtual HWND GetOutputWindow() const = 0;

    // Runs the body and logs what it throws: a framework exception's text, or the name followed
    // by "() low-level exception trapped.". Nothing leaves the trap.
    template <class Body> void Trap(LPCTSTR lpszName, Body body)
    {
        try
        {
            body();
        }
        catch (CException* e)
        {
            LogException(e);
        }
        catch (...)
        {
            LogTrapped(lpszName);
        }
    }
    void LogException(CException* e);
    void LogTrapped(LPCTSTR lpszName);

    void PostOutputMessage(const CString& strTime, LPCTSTR lpszText);
    void WriteLog(const CString& strTime, LPCTSTR lpszText);

private:
    static UINT AFX_CDECL ThreadProc(LPVOID pObject);
    void Run();

    std::vector<HANDLE> m_events;
    CWinThread* m_pWorker;
    CString m_strLogFile;
};
