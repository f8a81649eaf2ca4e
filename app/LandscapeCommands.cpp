// The main frame's landscape commands: System Add and Remove, Host Add and Remove, Database
// Remove and a host's remote instance. Locks follow one order: the systems map, a system's
// instances, the hosts map, a host's instances; the databases map only after the hosts map is
// released. Add Instance alone holds the hosts map while it takes the systems map.
#include <app/MainFrame.h>

#include <app/AddHostDialog.h>
#include <app/AddSystemDialog.h>
#include <app/HandlerGuard.h>
#include <app/Lumiter5Doc.h>
#include <app/RemoteDialog.h>
#include <app/resource.h>

#include <collector/ForEachValue.h>
#include <collector/SapDatabase.h>
#include <collector/SapHost.h>
#include <collector/SapSystem.h>

#include <vector>

namespace
{
constexpr TCHAR SYSTEM_ADD[] = _T("System Add");
constexpr TCHAR SYSTEM_REMOVE[] = _T("System Remove");
constexpr TCHAR HOST_ADD[] = _T("Host Add");
constexpr TCHAR HOST_REMOVE[] = _T("Host Remove");
constexpr TCHAR DATABASE_REMOVE[] = _T("Database Remove");

constexpr TCHAR REMOVE_WHILE_COLLECTING[] =
    _T("A running session collects the SAP landscape. Stop the session before removing from it.");

// Whether a session document of the application has a collector running.
bool IsSessionCollecting()
{
    CWinApp* pApp = AfxGetApp();
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;)
    {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        for (POSITION doc = pTemplate->GetFirstDocPosition(); doc != nullptr;)
        {
            const auto* pDoc = DYNAMIC_DOWNCAST(CLumiter5Doc, pTemplate->GetNextDoc(doc));
            if (pDoc != nullptr && pDoc->HasCollector())
                return true;
        }
    }
    return false;
}

CString Formatted(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    CString strText;
    strText.FormatV(lpszFormat, args);
    va_end(args);
    return strText;
}

// Opens the connection: Reconnect when it has held a handle, else Connect. A failed Reconnect
// is answered by Connect, which throws the library's text.
void OpenConnection(CRfcConnection& connection)
{
    if (!connection.HasConnectionHandle() || !connection.Reconnect())
        connection.Connect();
}

template <class TEntry> using CEntryMap = CTypedPtrMap<CMapStringToPtr, CString, TEntry*>;

template <class TEntry> BOOL HasNoInstances(TEntry& entry)
{
    CSingleLock lock(&entry.m_instanceMutex, TRUE);
    return entry.m_instances.IsEmpty();
}

template <class TEntry> BOOL HoldsInstance(TEntry& entry, const CString& strInstance)
{
    CSingleLock lock(&entry.m_instanceMutex, TRUE);
    CSapInstance* pInstance = nullptr;
    return entry.m_instances.Lookup(strInstance, pInstance);
}

// Deletes the entry's instance of that name, if it has one.
template <class TEntry> void DeleteInstance(TEntry& entry, const CString& strInstance)
{
    CSingleLock lock(&entry.m_instanceMutex, TRUE);
    CSapInstance* pInstance = nullptr;
    if (entry.m_instances.Lookup(strInstance, pInstance))
    {
        entry.m_instances.RemoveKey(strInstance);
        delete pInstance;
    }
}

// Called with the map's mutex held: deletes the entry when it has no instances.
template <class TEntry> void DeleteIfEmpty(CEntryMap<TEntry>& map, const CString& strKey)
{
    TEntry* pEntry = nullptr;
    if (map.Lookup(strKey, pEntry) && HasNoInstances(*pEntry))
    {
        map.RemoveKey(strKey);
        delete pEntry;
    }
}

// Called with the map's mutex held: deletes the entry's instance of that name, then the entry
// when it is left without instances.
template <class TEntry>
void RemoveEntryInstance(CEntryMap<TEntry>& map, const CString& strKey, const CString& strInstance)
{
    TEntry* pEntry = nullptr;
    if (!map.Lookup(strKey, pEntry))
        return;
    DeleteInstance(*pEntry, strInstance);
    DeleteIfEmpty(map, strKey);
}

// Deletes the instance from every entry that holds it; those left without instances are
// deleted. The keys are gathered first, since entries leave the map on the way.
template <class TEntry> void RemoveInstanceEverywhere(CEntryMap<TEntry>& map, CMutex& mutex, const CString& strInstance)
{
    CSingleLock lock(&mutex, TRUE);
    std::vector<CString> holders;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
    {
        CString strKey;
        TEntry* pEntry = nullptr;
        map.GetNextAssoc(pos, strKey, pEntry);
        if (HoldsInstance(*pEntry, strInstance))
            holders.push_back(strKey);
    }
    for (const CString& strKey : holders)
        RemoveEntryInstance(map, strKey, strInstance);
}

// What one System Add filed in a map of hosts or databases, so that a failure can take it out
// again: the entries it created and the instances it gave to entries.
template <class TEntry> class CFilingJournal
{
public:
    explicit CFilingJournal(CEntryMap<TEntry>& map) : m_map(map)
    {
    }

    // Called with the map's mutex held: the entry of that key, made by make() when absent.
    template <class Make> TEntry& Entry(const CString& strKey, Make make)
    {
        TEntry* pEntry = nullptr;
        if (!m_map.Lookup(strKey, pEntry))
        {
            pEntry = make();
            m_map.SetAt(strKey, pEntry);
            m_created.push_back(strKey);
        }
        return *pEntry;
    }
    // Called with the map's mutex held: gives the entry its connection of the instance, which
    // the entry opens once to describe it. An instance that it did not hold is remembered
    // before, since a failed description leaves it in the entry.
    void AddInstance(const CString& strKey, TEntry& entry, const CSapInstance& instance)
    {
        if (!HoldsInstance(entry, instance.m_strInstanceName))
            m_added.emplace_back(strKey, instance.m_strInstanceName);
        CSingleLock lock(&entry.m_instanceMutex, TRUE);
        entry.AddInstance(instance);
    }
    // Takes out the instances it added, then deletes the entries it created that are left
    // without instances.
    void Undo(CMutex& mutex)
    {
        CSingleLock lock(&mutex, TRUE);
        for (const auto& [strKey, strInstance] : m_added)
        {
            TEntry* pEntry = nullptr;
            if (m_map.Lookup(strKey, pEntry))
                DeleteInstance(*pEntry, strInstance);
        }
        for (const CString& strKey : m_created)
            DeleteIfEmpty(m_map, strKey);
    }

private:
    CEntryMap<TEntry>& m_map;
    std::vector<CString> m_created;
    std::vector<std::pair<CString, CString>> m_added;
};

CSapHost* NewHost(const CString& strName)
{
    auto* pHost = new CSapHost;
    pHost->m_strHostName = strName;
    return pHost;
}

// The host record's descriptive texts from an instance that runs on it.
void DescribeHost(CSapHost& host, const CSapInstance& instance)
{
    host.m_strOs = instance.m_strOs;
    host.m_strIpAddress = instance.m_strIpAddress;
    host.m_strCharType = instance.m_strCharType;
    host.m_strIntType = instance.m_strIntType;
    host.m_strFloatType = instance.m_strFloatType;
    host.m_strMachineType = instance.m_strMachineType;
    host.m_strTimeZone = instance.m_strTimeZone;
    host.m_strDaylightSaving = instance.m_strDaylightSaving;
}

// Remove Selections of the host or the database tree: a selected entry is deleted with its
// instances, a selected instance is removed from its entry.
template <class TEntry, class RemoveInstanceOf>
void RemoveSelectedEntries(CMainFrame& frame, CLandscapeTree& tree, CEntryMap<TEntry>& map, CMutex& mutex,
                           LPCTSTR lpszSource, LPCTSTR lpszEntryFormat, LPCTSTR lpszInstanceFormat,
                           RemoveInstanceOf removeInstance)
{
    for (const CLandscapeSelection& selection : tree.GetSelections())
    {
        if (!selection.bEntry)
        {
            frame.Log(lpszSource,
                      Formatted(lpszInstanceFormat, (LPCTSTR)selection.strItem, (LPCTSTR)selection.strEntry));
            removeInstance(selection.strEntry, selection.strItem);
            continue;
        }
        CSingleLock lock(&mutex, TRUE);
        TEntry* pEntry = nullptr;
        if (map.Lookup(selection.strItem, pEntry))
        {
            frame.Log(lpszSource, Formatted(lpszEntryFormat, (LPCTSTR)selection.strItem));
            map.RemoveKey(selection.strItem);
            delete pEntry;
        }
    }
}
} // namespace

template <class Body> void CMainFrame::RunGuarded(LPCTSTR lpszSource, LPCTSTR lpszFunction, Body body)
{
    if (const auto failure = TrapFailure(lpszFunction, body, FrameFailureText))
        Report(lpszSource, *failure);
}

void CMainFrame::Report(LPCTSTR lpszSource, const CString& strText)
{
    Log(lpszSource, strText);
    ShowStop(strText);
}

BOOL CMainFrame::RefuseRemoveWhileCollecting(LPCTSTR lpszSource)
{
    // The collector's worker starts its threads from the systems, hosts and databases it took
    // at the start, after the start has returned: they stay until the session stops.
    if (!IsSessionCollecting())
        return FALSE;
    Report(lpszSource, REMOVE_WHILE_COLLECTING);
    return TRUE;
}

void CMainFrame::RefreshTrees()
{
    m_wndLandscape.GetSystemTree().Refresh();
    m_wndLandscape.GetHostTree().AddItems();
    m_wndLandscape.GetDatabaseTree().AddItems();
}

void CMainFrame::OnSystemAdd()
{
    CAddSystemDialog dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    UpdateWindow();
    {
        CSingleLock lock(&m_mutexSystems, TRUE);
        CSapSystem* pExisting = nullptr;
        if (m_mapSystems.Lookup(dialog.SystemId, pExisting))
            Report(SYSTEM_ADD, Formatted(_T("SAP system %s exists."), (LPCTSTR)dialog.SystemId));
        else
            AddSystem(dialog);
    }
    RefreshTrees();
}

void CMainFrame::AddSystem(const CAddSystemDialog& dialog)
{
    CSapSystem* pSystem = nullptr;
    const auto failure = TrapFailure(
        _T("CMainFrame::OnSystemAdd"),
        [&] {
            pSystem = new CSapSystem;
            const CString strTrace =
                Formatted(_T("%d"), AfxGetApp()->GetProfileInt(_T("Properties"), _T("TraceLevel"), 0));
            pSystem->SetLogonData(dialog.SapRouter, dialog.HostName, dialog.Domain, dialog.SystemNumber, dialog.Client,
                                  dialog.User, dialog.Password, dialog.Language, strTrace);
            CWaitCursor wait;
            const LPCTSTR lpszId = dialog.SystemId;
            Log(SYSTEM_ADD, Formatted(_T("opening connection to %s system."), lpszId));
            OpenConnection(*pSystem);
            Log(SYSTEM_ADD, Formatted(_T("gathering %s system information."), lpszId));
            pSystem->GetSystemInfo();
            Log(SYSTEM_ADD, Formatted(_T("testing authorizations for user %s."), (LPCTSTR)dialog.User));
            pSystem->CheckAuthorizations();
            Log(SYSTEM_ADD, Formatted(_T("creating application objects for system %s."), lpszId));
            pSystem->DiscoverInstances();
            pSystem->Disconnect();
            AddSystemObjects(pSystem);
        },
        FrameFailureText);
    if (failure)
    {
        Report(SYSTEM_ADD, *failure);
        delete pSystem;
    }
}

void CMainFrame::AddSystemObjects(CSapSystem* pSystem)
{
    const CString strId = pSystem->m_strSystemId;
    m_mapSystems.SetAt(strId, pSystem);
    CFilingJournal<CSapHost> hosts(m_mapHosts);
    CFilingJournal<CSapDatabase> databases(m_mapDatabases);
    try
    {
        CSingleLock instances(&pSystem->m_instanceMutex, TRUE);
        ForEachValue(pSystem->m_instances, [&](CSapInstance* pInstance) {
            const CSapInstance& instance = *pInstance;
            {
                CSingleLock lock(&m_mutexHosts, TRUE);
                CSapHost& host = hosts.Entry(instance.m_strHostName, [&] {
                    CSapHost* pHost = NewHost(instance.m_strHostName);
                    DescribeHost(*pHost, instance);
                    return pHost;
                });
                hosts.AddInstance(instance.m_strHostName, host, instance);
                // A database on a host of its own gets a record of that name alone, which no
                // instance reaches until one is added for remote access.
                hosts.Entry(instance.m_strDatabaseHost, [&] { return NewHost(instance.m_strDatabaseHost); });
            }
            CSingleLock lock(&m_mutexDatabases, TRUE);
            CSapDatabase& database = databases.Entry(instance.m_strDatabaseName, [&] {
                auto* pDatabase = new CSapDatabase;
                pDatabase->m_strSystemId = strId;
                pDatabase->m_strDatabaseName = instance.m_strDatabaseName;
                pDatabase->m_strDatabaseSystem = instance.m_strDatabaseSystem;
                return pDatabase;
            });
            databases.AddInstance(instance.m_strDatabaseName, database, instance);
        });
    }
    catch (...)
    {
        hosts.Undo(m_mutexHosts);
        databases.Undo(m_mutexDatabases);
        m_mapSystems.RemoveKey(strId);
        throw;
    }
}

void CMainFrame::OnSystemRemove()
{
    if (RefuseRemoveWhileCollecting(SYSTEM_REMOVE))
        return;
    RunGuarded(SYSTEM_REMOVE, _T("CMainFrame::OnSystemRemove"), [&] {
        for (const CLandscapeSelection& selection : m_wndLandscape.GetSystemTree().GetSelections())
        {
            if (selection.bEntry)
            {
                CSingleLock lock(&m_mutexSystems, TRUE);
                CSapSystem* pSystem = nullptr;
                if (m_mapSystems.Lookup(selection.strItem, pSystem) && pSystem != nullptr)
                {
                    Log(SYSTEM_REMOVE, Formatted(_T("removing SAP system %s."), (LPCTSTR)selection.strItem));
                    RemoveSystemObjects(pSystem);
                    delete pSystem;
                    m_mapSystems.RemoveKey(selection.strItem);
                }
            }
            else
            {
                Log(SYSTEM_REMOVE, Formatted(_T("removing SAP instance %s."), (LPCTSTR)selection.strItem));
                RemoveInstance(selection.strItem);
            }
        }
    });
    RefreshTrees();
}

void CMainFrame::RemoveSystemObjects(CSapSystem* pSystem)
{
    CSingleLock instances(&pSystem->m_instanceMutex, TRUE);
    ForEachValue(pSystem->m_instances, [&](const CSapInstance* pInstance) {
        const CString& strName = pInstance->m_strInstanceName;
        {
            CSingleLock lock(&m_mutexHosts, TRUE);
            RemoveEntryInstance(m_mapHosts, pInstance->m_strHostName, strName);
            RemoveEntryInstance(m_mapHosts, pInstance->m_strDatabaseHost, strName);
        }
        CSingleLock lock(&m_mutexDatabases, TRUE);
        RemoveEntryInstance(m_mapDatabases, pInstance->m_strDatabaseName, strName);
    });
}

void CMainFrame::RemoveInstance(const CString& strInstance)
{
    RemoveInstanceEverywhere(m_mapSystems, m_mutexSystems, strInstance);
    RemoveInstanceEverywhere(m_mapHosts, m_mutexHosts, strInstance);
    RemoveInstanceEverywhere(m_mapDatabases, m_mutexDatabases, strInstance);
}

void CMainFrame::RemoveHostInstance(const CString& strHost, const CString& strInstance)
{
    CSingleLock lock(&m_mutexHosts, TRUE);
    RemoveEntryInstance(m_mapHosts, strHost, strInstance);
}

void CMainFrame::RemoveDatabaseInstance(const CString& strDatabase, const CString& strInstance)
{
    CSingleLock lock(&m_mutexDatabases, TRUE);
    RemoveEntryInstance(m_mapDatabases, strDatabase, strInstance);
}

void CMainFrame::OnHostAdd()
{
    CAddHostDialog dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    UpdateWindow();
    {
        CSingleLock lock(&m_mutexHosts, TRUE);
        RunGuarded(HOST_ADD, _T("CMainFrame::OnHostAdd"), [&] {
            CSapHost* pHost = nullptr;
            if (m_mapHosts.Lookup(dialog.HostName, pHost))
            {
                Report(HOST_ADD, Formatted(_T("Host %s already exists."), (LPCTSTR)dialog.HostName));
                return;
            }
            pHost = NewHost(dialog.HostName);
            Log(HOST_ADD, Formatted(_T("adding host %s."), (LPCTSTR)dialog.HostName));
            m_mapHosts.SetAt(dialog.HostName, pHost);
        });
    }
    m_wndLandscape.GetHostTree().AddItems();
}

void CMainFrame::OnHostRemove()
{
    if (RefuseRemoveWhileCollecting(HOST_REMOVE))
        return;
    RunGuarded(HOST_REMOVE, _T("CMainFrame::OnHostRemove"), [&] {
        RemoveSelectedEntries(
            *this, m_wndLandscape.GetHostTree(), m_mapHosts, m_mutexHosts, HOST_REMOVE, _T("removing host %s."),
            _T("removing instance %s from host %s."),
            [&](const CString& strHost, const CString& strInstance) { RemoveHostInstance(strHost, strInstance); });
    });
    m_wndLandscape.GetHostTree().AddItems();
}

void CMainFrame::OnDatabaseRemove()
{
    if (RefuseRemoveWhileCollecting(DATABASE_REMOVE))
        return;
    RunGuarded(DATABASE_REMOVE, _T("CMainFrame::OnDatabaseRemove"), [&] {
        RemoveSelectedEntries(*this, m_wndLandscape.GetDatabaseTree(), m_mapDatabases, m_mutexDatabases,
                              DATABASE_REMOVE, _T("removing database %s."),
                              _T("removing instance %s from database %s."),
                              [&](const CString& strDatabase, const CString& strInstance) {
                                  RemoveDatabaseInstance(strDatabase, strInstance);
                              });
    });
    m_wndLandscape.GetDatabaseTree().AddItems();
}

void CMainFrame::OnHostAddInstanceRemote()
{
    RunGuarded(HOST_ADD, _T("CMainFrame::OnHostAddInstanceRemote"), [&] {
        for (const CLandscapeSelection& selection : m_wndLandscape.GetHostTree().GetSelections())
        {
            if (!selection.bEntry)
                continue;
            CSingleLock lock(&m_mutexHosts, TRUE);
            CSapHost* pHost = nullptr;
            if (m_mapHosts.Lookup(selection.strItem, pHost) && HasNoInstances(*pHost))
                AddInstanceRemote(pHost);
        }
    });
    m_wndLandscape.GetHostTree().AddItems();
}

void CMainFrame::AddInstanceRemote(CSapHost* pHost)
{
    CRemoteDialog dialog(this);
    dialog.Title = pHost->m_strHostName;
    CString strUpper = pHost->m_strHostName;
    dialog.RfcDestination = Formatted(_T("SAPCCMSR.%s.99"), (LPCTSTR)strUpper.MakeUpper());
    dialog.CollectInstances(m_mapSystems, m_mutexSystems);
    if (dialog.DoModal() != IDOK)
        return;
    UpdateWindow();
    CSingleLock systems(&m_mutexSystems, TRUE);
    ForEachValue(m_mapSystems, [&](CSapSystem* pSystem) {
        CSingleLock instances(&pSystem->m_instanceMutex, TRUE);
        ForEachValue(pSystem->m_instances, [&](const CSapInstance* pInstance) {
            if (pInstance->m_strInstanceName == dialog.GatewayInstance)
                ConnectRemoteInstance(*pHost, *pInstance, dialog);
        });
    });
}

void CMainFrame::ConnectRemoteInstance(CSapHost& host, const CSapInstance& gateway, const CRemoteDialog& dialog)
{
    const LPCTSTR lpszInstance = gateway.m_strInstanceName;
    const LPCTSTR lpszHost = host.m_strHostName;
    const CString strAdding = Formatted(_T("adding instance %s for remote access of host %s."), lpszInstance, lpszHost);
    BOOL bFrameworkFailure = FALSE;
    const auto failure = TrapFailure(
        _T("CMainFrame::OnHostAddInstanceRemote"),
        [&] {
            CWaitCursor wait;
            CSapInstance* pConnection = nullptr;
            {
                CSingleLock lock(&host.m_instanceMutex, TRUE);
                pConnection = host.AddInstance(gateway);
            }
            if (pConnection == nullptr)
                return;
            Log(HOST_ADD, strAdding);
            pConnection->LOCAL_REMOTE = _T("INTERN");
            pConnection->LOGICAL_DESTINATION = dialog.RfcDestination;
            pConnection->m_strMainframeSystem = dialog.ClusterSystemName;
            pConnection->m_strDatabaseHost = host.m_strHostName;
            OpenConnection(*pConnection);
            pConnection->DetectOsType();
            pConnection->Disconnect();
            host.m_strOs = pConnection->m_strRemoteOs;
            host.m_strDestination = dialog.RfcDestination;
        },
        [&](CException* e) {
            bFrameworkFailure = TRUE;
            return FrameFailureText(e);
        });
    if (!failure)
        return;
    // The connection is no use to the host: it is taken off and closed.
    DeleteInstance(host, gateway.m_strInstanceName);
    if (bFrameworkFailure)
    {
        Report(HOST_ADD,
               Formatted(_T("adding instance %s for remote access of host %s failed."), lpszInstance, lpszHost));
        Log(HOST_ADD, *failure);
    }
    else
        Report(HOST_ADD, *failure);
}
