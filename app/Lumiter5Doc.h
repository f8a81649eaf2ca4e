// The session document: Session > Start makes one, which runs the information wizard, makes the
// session directory and starts the collector; Session > Stop closes it and so stops every
// collecting thread. It is the collector's host: it hands the engine the output window, the
// main frame's landscape, the profile, this PC's facts and the one session clock.
#pragma once

#include <collector/SessionHost.h>

#include <afxmt.h>
#include <afxwin.h>

#include <atomic>

class CCollectorThread;
class CMainFrame;

class CLumiter5Doc : public CDocument, public CSessionHost
{
    DECLARE_DYNCREATE(CLumiter5Doc)
public:
    CLumiter5Doc();
    ~CLumiter5Doc() override;

    BOOL OnNewDocument() override;
    void OnCloseDocument() override;

    // Makes the data directory with every missing level, then the session directory, which
    // must not exist yet; sets m_strSessionPath and writes it to "SessionPath".
    void CreateSessionDirectory();
    // Makes the profile's program path the process's current directory.
    void ChangeToProgramDirectory();
    // The minute tick: the current and elapsed times of the tick's time, shown in every view.
    void UpdateTimes(__time64_t nTime);
    // Sets the collector's periodic event, at most once per local minute whatever number of
    // views ticks, and only when the collector's lock is free within 100 ms.
    void SignalCollector();

    // The texts that the views show.
    const CString& GetSystemList() const
    {
        return m_strSystems;
    }
    const CString& GetStartText() const
    {
        return m_strStartTime;
    }
    const CString& GetCurrentText() const
    {
        return m_strCurrentTime;
    }
    const CString& GetElapsedText() const
    {
        return m_strElapsedTime;
    }
    const CString& GetSessionPath() const
    {
        return m_strSessionPath;
    }
    BOOL HasCollector() const
    {
        return m_pCollector != nullptr;
    }
    // Guards the collector's creation and deletion against the minute's signal.
    CMutex& GetCollectorMutex()
    {
        return m_Mutex;
    }

    // The session clock. It follows the system clock unless set to a fixed time (0 lets it
    // follow the system clock again), so that a session's minutes can be run without waiting.
    static void SetClock(__time64_t nTime);

    // CSessionHost, read by the collector's threads.
    HWND GetOutputWindow() const override;
    const CSapSystemMap& GetSystems() const override;
    const CSapHostMap& GetHosts() const override;
    const CSapDatabaseMap& GetDatabases() const override;
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const override;
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr) const override;
    const CPcInfo& GetPcInfo() const override;
    __time64_t Now() const override;

private:
    CString m_strSessionPath;
    CString m_strSystems;
    CString m_strStartTime;
    CString m_strSessionId;
    CString m_strCurrentTime;
    CString m_strElapsedTime;
    __time64_t m_StartTime;
    __time64_t m_CurrentTime;
    CMutex m_Mutex;
    CCollectorThread* m_pCollector;
    // The minute (seconds / 60) of the last signal; time-zone offsets are whole minutes, so
    // this is the local minute too.
    __time64_t m_nSignalledMinute;
    // Taken when the session starts, so that the collector's threads never ask the framework
    // for the main window.
    CMainFrame* m_pFrame;

    static std::atomic<__time64_t> s_nClock;

    void StartSession();
    void StartCollector();
};
