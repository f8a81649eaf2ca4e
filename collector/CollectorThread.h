// The master of one collection session: it reads the settings, starts a thread per system,
// host and database of the landscape, writes the control files and passes each minute tick on
// to its children.
#pragma once

#include <collector/CollectorSettings.h>
#include <collector/SessionHost.h>
#include <collector/ThreadObject.h>

class CCollectorThread : public CObject, public CThreadObject, public CCollectorSettings
{
    DECLARE_DYNAMIC(CCollectorThread)
public:
    enum Event
    {
        eventStop,
        eventPeriodic,
        eventStart,
        eventCount
    };

    explicit CCollectorThread(CSessionHost* pOwner);
    ~CCollectorThread() override;

    CSessionHost& GetSessionHost() const
    {
        return *m_pOwner;
    }
    // Every file name of the session starts with it; a missing trailing separator is added.
    void SetSessionDirectory(LPCTSTR lpszDirectory);
    const CString& GetSessionDirectory() const
    {
        return m_strSessionDirectory;
    }

protected:
    void OnEvent(int nEvent) override;
    CString GetSourceName() const override;
    int GetCategory() const override;
    CString FormatLogFileName(DWORD dwThreadId) const override;
    HWND GetOutputWindow() const override;

private:
    CSessionHost* m_pOwner;
    CString m_strSessionDirectory;
};
