#include <collector/CollectorThread.h>
#include <collector/LandscapeThread.h>

IMPLEMENT_DYNAMIC(CLandscapeThread, CObject)

CLandscapeThread::CLandscapeThread(int nEvents, CCollectorThread* pCollector)
    : CThreadObject(nEvents, TRUE), m_pCollector(pCollector)
{
}

CLandscapeThread::~CLandscapeThread()
{
    // The stop event, the lowest, is served before any other that is set.
    Stop();
    m_instanceThreads.RemoveAll();
}

void CLandscapeThread::ForEachOwnedThread(const std::function<void(CThreadObject&)>& f)
{
    m_instanceThreads.ForEachOwned(f);
}

HWND CLandscapeThread::GetOutputWindow() const
{
    return m_pCollector->GetSessionHost().GetOutputWindow();
}

CString CLandscapeThread::FormatLogFileName(DWORD dwThreadId) const
{
    CString strName;
    strName.Format(_T("%s%s(0x%X).log"), (LPCTSTR)m_strSessionDirectory, (LPCTSTR)GetSourceName(), dwThreadId);
    return strName;
}

BOOL CLandscapeThread::SetOnFirstAnswering(int nEvent)
{
    CInstanceThread* pThread = m_instanceThreads.FirstAnswering(*this);
    if (pThread == nullptr)
        return FALSE;
    pThread->SetEvent(nEvent);
    return TRUE;
}

CInstanceThread* CLandscapeThread::MapInstanceThread(const CRfcClient& source, int nCategory)
{
    if (m_instanceThreads.Contains(source.m_strInstanceName))
        return nullptr;
    CInstanceThread* pThread = CInstanceThread::CreateFor(m_pCollector, source, m_strSessionDirectory, nCategory);
    m_instanceThreads.Add(source.m_strInstanceName, pThread);
    return pThread;
}
