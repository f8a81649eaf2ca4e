// The master of one collection session: it reads the settings, starts a thread per system,
// host and database of the landscape, writes the control files and passes each minute tick on
// to its children.
#pragma once

#include <collector/CollectorSettings.h>
#include <collector/SessionHost.h>
#include <collector/ThreadObject.h>

#include <afxcoll.h>
#include <afxtempl.h>

#include <vector>

class CSystemThread;
class CHostThread;
class CDatabaseThread;
class CSessionRecord;

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
    // Tells the whole tree to stop first, so that running calls end at once, then waits for
    // all threads together and deletes them.
    ~CCollectorThread() override;

    // Reads the settings, takes the landscape's systems, hosts and databases and starts the
    // worker; sets no event. The worker starts a child for each before it handles its first
    // event.
    void Start();
    // The system, host and database threads, without their mutexes: the worker adds to the maps,
    // so call it once the worker has stopped.
    void ForEachOwnedThread(const std::function<void(CThreadObject&)>& f) override;

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
    // Every system id of the landscape joined by ", ", built by Start.
    const CString& GetSystemIdList() const
    {
        return m_strSystemIdList;
    }

    void WriteCustomerControlFile();
    void WriteZOLControlFile();
    void WritePcControlFile();
    void WriteSystemControlFile();
    void WriteInstanceControlFile();
    void WriteHostControlFile();
    void WriteDatabaseControlFile();

    // The children, in the order in which the landscape lists them.
    CTypedPtrMap<CMapStringToPtr, CString, CSystemThread*> m_systemThreads;
    CTypedPtrMap<CMapStringToPtr, CString, CHostThread*> m_hostThreads;
    // Keyed by database name: every database is collected, also two of the same type.
    CTypedPtrMap<CMapStringToPtr, CString, CDatabaseThread*> m_databaseThreads;

protected:
    void OnEvent(int nEvent) override;
    CString GetSourceName() const override;
    int GetCategory() const override;
    CString FormatLogFileName(DWORD dwThreadId) const override;
    HWND GetOutputWindow() const override;

private:
    enum ControlFile
    {
        controlCustomer,
        controlZOL,
        controlPc,
        controlSystem,
        controlInstance,
        controlHost,
        controlDatabase,
        controlCount
    };

    void Initialize();
    // Starts the children of the landscape that Initialize took, on the worker, once.
    void CreateChildren();
    // Makes, starts and maps the child under the key, unless one is mapped there.
    template <class T, class Make, class Begin>
    void CreateChild(CTypedPtrMap<CMapStringToPtr, CString, T*>& children, CMutex& mutex, const CString& strKey,
                     Make make, Begin begin);
    void CreateSystemThreads(CSapSystem* pSystem);
    void CreateHostThreads(CSapHost* pHost);
    void CreateDatabaseThreads(CSapDatabase* pDatabase);
    void SetEventPeriodicSystemTasks();
    void SetEventPeriodicHostTasks();
    void SetEventPeriodicDatabaseTasks();
    void WriteControlFiles();
    // Writes one record per record that the writer gives, under the log line of the file.
    template <class Records> void WriteControlFile(ControlFile nFile, Records records);
    // Each deletes the children of its map under the map's mutex and empties the map.
    void RemoveSystemThreads();
    void RemoveHostThreads();
    void RemoveDatabaseThreads();

    CString m_strSystemIdList;
    // The landscape as Initialize found it, until the worker has started its children.
    std::vector<CSapSystem*> m_newSystems;
    std::vector<CSapHost*> m_newHosts;
    std::vector<CSapDatabase*> m_newDatabases;
    CSessionHost* m_pOwner;
    CString m_strSessionDirectory;
    CString m_strControlFiles[controlCount];
    CMutex m_systemMutex;
    CMutex m_hostMutex;
    CMutex m_databaseMutex;
};
