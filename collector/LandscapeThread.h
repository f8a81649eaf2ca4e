// What the system, host and database threads share: a thread for one object of the landscape
// that owns the instance threads doing its SAP work and routes the collector's ticks to them.
#pragma once

#include <collector/InstanceThreads.h>

class CCollectorThread;

class CLandscapeThread : public CObject, public CThreadObject
{
    DECLARE_DYNAMIC(CLandscapeThread)
public:
    // Stops the worker, then deletes the instance threads.
    ~CLandscapeThread() override;

    void SetSessionDirectory(const CString& strDirectory)
    {
        m_strSessionDirectory = strDirectory;
    }
    // The instance threads.
    void ForEachOwnedThread(const std::function<void(CThreadObject&)>& f) override;

    CInstanceThreads& GetInstanceThreads()
    {
        return m_instanceThreads;
    }

protected:
    CLandscapeThread(int nEvents, CCollectorThread* pCollector);

    HWND GetOutputWindow() const override;
    // "<session directory><source>(0x<thread id>).log".
    CString FormatLogFileName(DWORD dwThreadId) const override;
    // Sets nEvent on the first instance thread that answers a ping; FALSE when none does.
    BOOL SetOnFirstAnswering(int nEvent);
    // Creates and maps an instance thread for the source, not yet started; null when its name
    // is mapped already.
    CInstanceThread* MapInstanceThread(const CRfcClient& source, int nCategory);

    CString m_strSessionDirectory;
    CCollectorThread* m_pCollector;
    CInstanceThreads m_instanceThreads;
};
