#include <collector/Lumiter5Message.h>
#include <collector/ThreadObject.h>

#include <afxwin.h>
#include <rfc/RfcException.h>

#include <algorithm>

namespace
{
const DWORD kWaitTimeout = 200;
const DWORD kPostRetryDelay = 10;
const UINT kMaxErrorText = 255;
} // namespace

CThreadObject::CThreadObject(int nEvents, BOOL bManualResetStop) : m_pWorker(nullptr)
{
    ASSERT(nEvents >= 1 && nEvents <= MAXIMUM_WAIT_OBJECTS);
    for (int nEvent = 0; nEvent < nEvents; ++nEvent)
        m_events.push_back(::CreateEvent(nullptr, nEvent == 0 && bManualResetStop, FALSE, nullptr));
}

CThreadObject::~CThreadObject()
{
    Stop();
    for (HANDLE hEvent : m_events)
        ::CloseHandle(hEvent);
}

void CThreadObject::SetEvent(int nEvent)
{
    ::SetEvent(m_events[nEvent]);
}

void CThreadObject::ResetEvent(int nEvent)
{
    ::ResetEvent(m_events[nEvent]);
}

void CThreadObject::StartWorker()
{
    if (m_pWorker != nullptr)
        return;
    m_pWorker = AfxBeginThread(ThreadProc, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (m_pWorker == nullptr)
        AfxThrowResourceException();
    m_pWorker->m_bAutoDelete = FALSE;
    m_pWorker->ResumeThread();
}

void CThreadObject::Stop()
{
    if (m_pWorker == nullptr)
        return;
    if (m_pWorker->m_hThread != nullptr && ::WaitForSingleObject(m_pWorker->m_hThread, 0) == WAIT_TIMEOUT)
    {
        SetEvent(0);
        m_pWorker->ResumeThread();
        m_pWorker->SetThreadPriority(THREAD_PRIORITY_ABOVE_NORMAL);
        ::WaitForSingleObject(m_pWorker->m_hThread, INFINITE);
    }
    delete m_pWorker;
    m_pWorker = nullptr;
}

void CThreadObject::RequestStop()
{
    SetEvent(0);
}

void CThreadObject::ForEachOwnedThread(const std::function<void(CThreadObject&)>&)
{
}

void CThreadObject::StopTogether(const std::vector<CThreadObject*>& threads)
{
    std::vector<CThreadObject*> tree;
    const std::function<void(CThreadObject&)> take = [&](CThreadObject& thread) {
        tree.push_back(&thread);
        thread.ForEachOwnedThread(take);
    };
    for (CThreadObject* pThread : threads)
        take(*pThread);
    std::vector<HANDLE> workers;
    for (CThreadObject* pThread : tree)
    {
        pThread->RequestStop();
        if (pThread->m_pWorker != nullptr && pThread->m_pWorker->m_hThread != nullptr)
            workers.push_back(pThread->m_pWorker->m_hThread);
    }
    // One wait takes at most MAXIMUM_WAIT_OBJECTS handles; every worker ends meanwhile.
    for (size_t nFirst = 0; nFirst < workers.size(); nFirst += MAXIMUM_WAIT_OBJECTS)
    {
        const size_t nCount = std::min<size_t>(MAXIMUM_WAIT_OBJECTS, workers.size() - nFirst);
        ::WaitForMultipleObjects(static_cast<DWORD>(nCount), &workers[nFirst], TRUE, INFINITE);
    }
}

BOOL CThreadObject::IsStopRequested() const
{
    return ::WaitForSingleObject(m_events[0], 0) == WAIT_OBJECT_0;
}

UINT AFX_CDECL CThreadObject::ThreadProc(LPVOID pObject)
{
    auto* pThread = static_cast<CThreadObject*>(pObject);
    pThread->Run();
    pThread->OnWorkerEnd();
    return 0;
}

void CThreadObject::Run()
{
    const DWORD nCount = static_cast<DWORD>(m_events.size());
    for (;;)
    {
        // With several events set the wait names the lowest one.
        const DWORD dwResult = ::WaitForMultipleObjects(nCount, m_events.data(), FALSE, kWaitTimeout);
        if (dwResult == WAIT_OBJECT_0)
            return;
        if (dwResult > WAIT_OBJECT_0 && dwResult < WAIT_OBJECT_0 + nCount)
            OnEvent(static_cast<int>(dwResult - WAIT_OBJECT_0));
    }
}

CString CThreadObject::FormatLogTime(__time64_t nTime)
{
    return CTime(nTime).FormatGmt(_T("%H:%M UTC  %a, %b %#d, %Y"));
}

void CThreadObject::Log(LPCTSTR lpszText)
{
    const CString strTime = FormatLogTime(_time64(nullptr));
    if (!IsStopRequested())
        PostOutputMessage(strTime, lpszText);
    if (!IsStopRequested())
        WriteLog(strTime, lpszText);
}

void CThreadObject::LogException(CException* e)
{
    CString strText;
    if (auto* pRfc = DYNAMIC_DOWNCAST(CRfcException, e))
    {
        strText = pRfc->m_strText;
    }
    else
    {
        TCHAR szText[kMaxErrorText];
        e->GetErrorMessage(szText, kMaxErrorText);
        strText = szText;
    }
    e->Delete();
    Log(strText);
}

void CThreadObject::LogTrapped(LPCTSTR lpszName)
{
    CString strText;
    strText.Format(_T("%s() low-level exception trapped."), lpszName);
    Log(strText);
}

void CThreadObject::PostOutputMessage(const CString& strTime, LPCTSTR lpszText)
{
    const HWND hOutput = GetOutputWindow();
    if (hOutput == nullptr)
        return;
    auto* pMessage = new CLumiter5Message(GetSourceName(), strTime, lpszText);
    while (!IsStopRequested())
    {
        if (::PostMessage(hOutput, WM_LUMITER5_MESSAGE, static_cast<WPARAM>(GetCategory()),
                          reinterpret_cast<LPARAM>(pMessage)))
            return;
        ::Sleep(kPostRetryDelay);
    }
    delete pMessage;
}

void CThreadObject::WriteLog(const CString& strTime, LPCTSTR lpszText)
{
    if (m_strLogFile.IsEmpty())
        m_strLogFile = FormatLogFileName(::GetCurrentThreadId());
    CStdioFile file;
    if (!file.Open(m_strLogFile, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite | CFile::shareDenyWrite |
                                     CFile::typeText))
        return;
    file.SeekToEnd();
    CString strLine;
    strLine.Format(_T("%s : %s\n"), (LPCTSTR)strTime, lpszText);
    // A full disk loses the line, like a file that cannot be opened.
    try
    {
        file.WriteString(strLine);
        file.Close();
    }
    catch (CFileException* e)
    {
        e->Delete();
        file.Abort();
    }
}
