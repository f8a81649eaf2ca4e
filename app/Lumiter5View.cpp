#include <app/Lumiter5View.h>

#include <app/HandlerGuard.h>
#include <app/Lumiter5Doc.h>

IMPLEMENT_DYNCREATE(CLumiter5View, CFormView)

BEGIN_MESSAGE_MAP(CLumiter5View, CFormView)
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
constexpr UINT kTimerPeriod = 1000;

// The local minute of the time, or -1 when it cannot be broken down.
int LocalMinute(__time64_t nTime)
{
    struct tm local;
    return _localtime64_s(&local, &nTime) == 0 ? local.tm_min : -1;
}
} // namespace

CLumiter5View::CLumiter5View() : CFormView(IDD), m_nTimer(0), m_nLastMinute(-1)
{
}

CLumiter5Doc* CLumiter5View::GetDocument() const
{
    return DYNAMIC_DOWNCAST(CLumiter5Doc, m_pDocument);
}

void CLumiter5View::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SESSION_SYSTEMS, m_strSystems);
    DDX_Text(pDX, IDC_START_TIME, m_strStartTime);
    DDX_Text(pDX, IDC_CURRENT_TIME, m_strCurrentTime);
    DDX_Text(pDX, IDC_ELAPSED_TIME, m_strElapsedTime);
}

void CLumiter5View::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    if (CFrameWnd* pFrame = GetParentFrame())
    {
        pFrame->ShowWindow(SW_SHOWMAXIMIZED);
        // Painted now, not after the collector's first lines queued meanwhile.
        pFrame->UpdateWindow();
    }
    m_nTimer = SetTimer(kTimerId, kTimerPeriod, nullptr);
    if (m_nTimer == 0)
        ShowStop(_T("Error: unable to obtain timer."));
}

void CLumiter5View::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    CFormView::OnUpdate(pSender, lHint, pHint);
    if (const CLumiter5Doc* pDoc = GetDocument())
    {
        m_strSystems = pDoc->GetSystemList();
        m_strStartTime = pDoc->GetStartText();
        m_strCurrentTime = pDoc->GetCurrentText();
        m_strElapsedTime = pDoc->GetElapsedText();
    }
    UpdateData(FALSE);
}

void CLumiter5View::OnTimer(UINT_PTR nIDEvent)
{
    if (m_nTimer != 0 && nIDEvent == m_nTimer)
    {
        CLumiter5Doc* pDoc = GetDocument();
        const __time64_t nNow = pDoc != nullptr ? pDoc->Now() : _time64(nullptr);
        const int nMinute = LocalMinute(nNow);
        if (nMinute != m_nLastMinute && pDoc != nullptr)
        {
            pDoc->UpdateTimes(nNow);
            pDoc->SignalCollector();
        }
        m_nLastMinute = nMinute;
    }
    CFormView::OnTimer(nIDEvent);
}

void CLumiter5View::OnDestroy()
{
    if (m_nTimer != 0)
        KillTimer(m_nTimer);
    m_nTimer = 0;
    CFormView::OnDestroy();
}
