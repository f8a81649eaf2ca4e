#include <collector/CollectorThread.h>

IMPLEMENT_DYNAMIC(CCollectorThread, CObject)

CCollectorThread::CCollectorThread(CSessionHost* pOwner) : CThreadObject(eventCount, TRUE), m_pOwner(pOwner)
{
}

CCollectorThread::~CCollectorThread()
{
    Stop();
}

void CCollectorThread::SetSessionDirectory(LPCTSTR lpszDirectory)
{
    m_strSessionDirectory = lpszDirectory;
    if (!m_strSessionDirectory.IsEmpty() && m_strSessionDirectory.Right(1) != _T("\\") &&
        m_strSessionDirectory.Right(1) != _T("/"))
        m_strSessionDirectory += _T('\\');
}

void CCollectorThread::OnEvent(int /*nEvent*/)
{
}

CString CCollectorThread::GetSourceName() const
{
    return _T("Collector");
}

int CCollectorThread::GetCategory() const
{
    return CSessionHost::categoryCollector;
}

CString CCollectorThread::FormatLogFileName(DWORD dwThreadId) const
{
    CString strName;
    strName.Format(_T("%scollector(0x%X).log"), (LPCTSTR)m_strSessionDirectory, dwThreadId);
    return strName;
}

HWND CCollectorThread::GetOutputWindow() const
{
    return m_pOwner->GetOutputWindow();
}
