#include <app/Lumiter5Doc.h>

#include <app/DataDirectory.h>
#include <app/EntryChecks.h>
#include <app/HandlerGuard.h>
#include <app/InfoPropertySheet.h>
#include <app/Lumiter5App.h>
#include <app/Lumiter5Exception.h>
#include <app/MainFrame.h>

#include <collector/CollectorThread.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(CLumiter5Doc, CDocument)

namespace
{
constexpr LPCTSTR kTimeFormat = _T("%A, %B %d, %Y  %H:%M UTC");
constexpr LPCTSTR kSessionIdFormat = _T("%Y%m%d%H%M%S");
constexpr LPCTSTR kElapsedFormat = _T("%D days, %H hours, %M minutes");
constexpr DWORD kSignalLockTimeout = 100;
// The system makes no directory whose path leaves no room for a file name of 8.3 characters.
constexpr int kMaxDirectoryLength = MAX_PATH - 12;

[[noreturn]] void ThrowWithPath(LPCTSTR lpszFormat, const CString& strPath)
{
    CString strMessage;
    strMessage.Format(lpszFormat, static_cast<LPCTSTR>(strPath));
    ThrowLumiter5Exception(strMessage);
}
} // namespace

std::atomic<__time64_t> CLumiter5Doc::s_nClock{0};

CLumiter5Doc::CLumiter5Doc()
    : m_StartTime(0), m_CurrentTime(0), m_pCollector(nullptr), m_nSignalledMinute(-1), m_pFrame(nullptr)
{
}

CLumiter5Doc::~CLumiter5Doc()
{
    delete m_pCollector;
}

void CLumiter5Doc::SetClock(__time64_t nTime)
{
    s_nClock = nTime;
}

__time64_t CLumiter5Doc::Now() const
{
    const __time64_t nTime = s_nClock;
    return nTime != 0 ? nTime : _time64(nullptr);
}

BOOL CLumiter5Doc::OnNewDocument()
{
    m_pFrame = CMainFrame::Get();
    if (m_pFrame == nullptr)
        return FALSE;
    BOOL bNoSystems = FALSE;
    {
        CSingleLock lock(&m_pFrame->GetSystemsMutex(), TRUE);
        bNoSystems = m_pFrame->GetSystems().IsEmpty();
    }
    if (bNoSystems)
    {
        ShowStop(_T("No SAP systems defined."));
        return FALSE;
    }
    CInfoPropertySheet sheet;
    if (sheet.DoModal() != ID_WIZFINISH)
        return FALSE;
    m_pFrame->UpdateWindow();

    // A session whose directory cannot be made still opens, without a collector, so that the
    // user sees the session's window and closes it with Stop.
    if (const auto failure = TrapFailure(
            _T("CLumiter5Doc::OnNewDocument"), [&] { StartSession(); }, EntryFailureText))
        ShowStop(*failure);
    return CDocument::OnNewDocument();
}

void CLumiter5Doc::StartSession()
{
    m_StartTime = Now();
    m_CurrentTime = m_StartTime;
    const CTime start(m_StartTime);
    m_strSessionId = start.FormatGmt(kSessionIdFormat);
    m_strStartTime = start.FormatGmt(kTimeFormat);
    m_strCurrentTime = m_strStartTime;
    m_strElapsedTime = _T("0 days, 0 hours, 0 minutes");
    CreateSessionDirectory();
    StartCollector();
}

void CLumiter5Doc::StartCollector()
{
    CSingleLock lock(&m_Mutex, TRUE);
    if (m_pCollector != nullptr)
        return;
    // The landscape maps change only through commands of this thread, so they hold still while
    // the collector reads them here.
    m_pCollector = new CCollectorThread(this);
    m_pCollector->SetSessionDirectory(m_strSessionPath);
    m_pCollector->Start();
    SetTitle(m_strSessionId);
    m_strSystems = m_pCollector->GetSystemIdList();
    m_pCollector->SetEvent(CCollectorThread::eventStart);
}

void CLumiter5Doc::CreateSessionDirectory()
{
    CWinApp* pApp = AfxGetApp();
    const CString strProgramPath = ProgramDirectory();
    CString strDataPath = pApp->GetProfileString(kPropertiesSection, _T("DataPath"));
    if (strDataPath.IsEmpty())
    {
        strDataPath = DefaultDataPath(strProgramPath);
        pApp->WriteProfileString(kPropertiesSection, _T("DataPath"), strDataPath);
    }
    const CString strDataDirectory = DataDirectory(strDataPath, strProgramPath);
    const CString strSession = strDataDirectory + m_strSessionId;
    if (strSession.GetLength() >= kMaxDirectoryLength)
        ThrowWithPath(_T("data path %s is too long to hold a session directory."), strDataDirectory);
    CreateDirectoryLevels(strDataDirectory);

    // A directory that exists belongs to another session, whose files must not be mixed with
    // this one's.
    if (!::CreateDirectory(strSession, nullptr))
    {
        const DWORD dwError = ::GetLastError();
        ChangeToProgramDirectory();
        if (dwError == ERROR_ALREADY_EXISTS)
            ThrowWithPath(_T("session directory %s already exists."), strSession + _T('\\'));
        ThrowWithPath(_T("invalid path - unable to create directory %s"), strSession + _T('\\'));
    }
    m_strSessionPath = strSession + _T('\\');
    ChangeToProgramDirectory();
    pApp->WriteProfileString(kPropertiesSection, _T("SessionPath"), m_strSessionPath);
}

void CLumiter5Doc::ChangeToProgramDirectory()
{
    const CString strProgramPath = AfxGetApp()->GetProfileString(kPropertiesSection, _T("ProgramPath"));
    if (strProgramPath.IsEmpty() || !::SetCurrentDirectory(strProgramPath))
        ThrowWithPath(_T("unable to change to directory %s"), strProgramPath);
}

void CLumiter5Doc::OnCloseDocument()
{
    if (const auto failure = TrapFailure(
            _T("CLumiter5Doc::OnCloseDocument"),
            [&] {
                CSingleLock lock(&m_Mutex, TRUE);
                // Its destructor stops every thread of the session and waits for them.
                delete m_pCollector;
                m_pCollector = nullptr;
            },
            EntryFailureText))
        ShowStop(*failure);
    CDocument::OnCloseDocument();
}

void CLumiter5Doc::UpdateTimes(__time64_t nTime)
{
    m_CurrentTime = nTime;
    m_strCurrentTime = CTime(nTime).FormatGmt(kTimeFormat);
    // A clock set back shows no negative span.
    m_strElapsedTime = CTimeSpan(std::max<__time64_t>(m_CurrentTime - m_StartTime, 0)).Format(kElapsedFormat);
    UpdateAllViews(nullptr);
}

void CLumiter5Doc::SignalCollector()
{
    CSingleLock lock(&m_Mutex);
    if (!lock.Lock(kSignalLockTimeout) || m_pCollector == nullptr)
        return;
    // Every view of the session ticks; the collector hears of each minute once.
    const __time64_t nMinute = m_CurrentTime / 60;
    if (nMinute == m_nSignalledMinute)
        return;
    m_nSignalledMinute = nMinute;
    m_pCollector->SetEvent(CCollectorThread::eventPeriodic);
}

HWND CLumiter5Doc::GetOutputWindow() const
{
    return m_pFrame != nullptr ? m_pFrame->GetOutputWnd().GetSafeHwnd() : nullptr;
}

const CSapSystemMap& CLumiter5Doc::GetSystems() const
{
    return m_pFrame->GetSystems();
}

const CSapHostMap& CLumiter5Doc::GetHosts() const
{
    return m_pFrame->GetHosts();
}

const CSapDatabaseMap& CLumiter5Doc::GetDatabases() const
{
    return m_pFrame->GetDatabases();
}

// The profile keeps no state between calls: every read opens the registry anew, which any
// thread may do.
UINT CLumiter5Doc::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const
{
    return AfxGetApp()->GetProfileInt(lpszSection, lpszEntry, nDefault);
}

CString CLumiter5Doc::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) const
{
    return AfxGetApp()->GetProfileString(lpszSection, lpszEntry, lpszDefault);
}

const CPcInfo& CLumiter5Doc::GetPcInfo() const
{
    return static_cast<CLumiter5App*>(AfxGetApp())->GetPcInfo();
}
