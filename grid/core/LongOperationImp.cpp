#include <grid/core/LongOperationImp.h>

#include <afxpriv.h>
#include <afxwin.h>

#include <grid/core/AppData.h>
#include <grid/core/ThreadState.h>
#include <grid/core/WaitState.h>

#include <cstring>
#include <iterator>
#include <algorithm>

DWORD(WINAPI* CGXLongOperationImp::s_pfnGetTickCount)() = ::GetTickCount;

namespace
{
const LPCTSTR spinner[] = {_T("  -"), _T("  \\"), _T("  |"), _T("  /")};

int CurrentLevel(const GX_WAIT_STATE* pState)
{
    return pState->m_nNesting - 1;
}

BOOL HasLevelSlot(int nLevel)
{
    return nLevel >= 0 && nLevel < GX_WAIT_STATE::nMaxLevels;
}

BOOL IsInRange(UINT nMessage, UINT nFirst, UINT nLast)
{
    return nMessage >= nFirst && nMessage <= nLast;
}

// Input that a long operation swallows: keys, mouse clicks and moves, and commands.
BOOL IsDroppedInput(UINT nMessage)
{
    return IsInRange(nMessage, WM_KEYFIRST, 0x0109) || IsInRange(nMessage, WM_MOUSEFIRST, 0x020D) ||
           IsInRange(nMessage, WM_NCMOUSEMOVE, 0x00A9) || nMessage == WM_COMMAND;
}

CGXAbstractLongOperationImp* LongOperationImp()
{
    return GXGetAppDataPtr()->m_pLongOperationImp;
}
} // namespace

GX_WAIT_STATE* GXGetWaitState()
{
    return GXGetThreadState<GX_WAIT_STATE>();
}

void CGXLongOperationImp::Start(GXLongOperationRecord* pRecord)
{
    GX_WAIT_STATE* pState = GXGetWaitState();
    ++pState->m_nNesting;
    const int nLevel = CurrentLevel(pState);
    if (nLevel == 0)
    {
        pState->m_nCutOffLevel = -1;
        pState->m_nPercentDone = -1;
        pState->m_bAbortKey = FALSE;
        pState->m_bWaitCursor = FALSE;
        pState->m_bAbortAllowed = TRUE;
        pState->m_bRollbackPossible = FALSE;
        pRecord->pszStatus = pState->m_sProcessing;
        if (!::IsWindow(pState->m_hStatusWnd))
        {
            CWnd* pMainWnd = AfxGetMainWnd();
            pState->m_hStatusWnd =
                pMainWnd != nullptr && pMainWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? pMainWnd->GetSafeHwnd() : nullptr;
        }
    }
    else
        pRecord->pszStatus = HasLevelSlot(nLevel - 1) ? pState->m_apszStatus[nLevel - 1] : nullptr;
    pState->m_bAborted = FALSE;
    pState->m_bRollbackRequested = FALSE;
    pRecord->dwStartTicks = pRecord->dwLastTicks = s_pfnGetTickCount();
    pRecord->bShowDone = TRUE;
    pRecord->bFeedback = TRUE;
}

void CGXLongOperationImp::End(GXLongOperationRecord* pRecord)
{
    FreeStatusText(pRecord);
    GX_WAIT_STATE* pState = GXGetWaitState();
    --pState->m_nNesting;
    if (pState->m_nNesting != 0 || !pState->m_bWaitCursor)
        return;
    pState->m_bWaitCursor = FALSE;
    if (CWinApp* pApp = AfxGetApp())
        pApp->EndWaitCursor();
    if (pRecord->bShowDone && ::IsWindow(pState->m_hStatusWnd))
        ::SendMessageW(pState->m_hStatusWnd, WM_SETMESSAGESTRING, 0,
                       reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(pState->m_sDone)));
}

void CGXLongOperationImp::FreeStatusText(GXLongOperationRecord* /*pRecord*/)
{
    GX_WAIT_STATE* pState = GXGetWaitState();
    const int nLevel = CurrentLevel(pState);
    if (!HasLevelSlot(nLevel))
        return;
    pState->m_apszStatus[nLevel] = nullptr;
    pState->m_abOwned[nLevel] = FALSE;
}

void CGXLongOperationImp::SetStatusText(GXLongOperationRecord* pRecord, LPCTSTR pszText, BOOL bCopy)
{
    FreeStatusText(pRecord);
    if (GXLongOpIsBeyondCutoff())
        return;
    GX_WAIT_STATE* pState = GXGetWaitState();
    const int nLevel = CurrentLevel(pState);
    // Levels beyond the table keep no text of their own: a copy would have no owner.
    if (!HasLevelSlot(nLevel))
    {
        pRecord->pszStatus = bCopy ? nullptr : pszText;
        return;
    }
    LPTSTR pszStored = const_cast<LPTSTR>(pszText);
    if (bCopy && pszText != nullptr)
    {
        CString& strCopy = pState->m_astrStatusCopy[nLevel];
        strCopy = pszText;
        pszStored = strCopy.GetBuffer();
    }
    pState->m_apszStatus[nLevel] = pszStored;
    pState->m_abOwned[nLevel] = bCopy && pszText != nullptr;
    pRecord->pszStatus = pszStored;
}

BOOL CGXLongOperationImp::IsDue(const GXLongOperationRecord* pRecord, const GX_WAIT_STATE* pState)
{
    const DWORD dwNow = s_pfnGetTickCount();
    if (pState->m_bWaitCursor)
        return dwNow - pRecord->dwLastTicks >= pState->m_dwInterval;
    return dwNow - pRecord->dwStartTicks >= pState->m_dwFirstDelay;
}

void CGXLongOperationImp::ShowFeedback(const GXLongOperationRecord* pRecord, GX_WAIT_STATE* pState, BOOL bAbortHint)
{
    if (!pRecord->bFeedback || GXLongOpIsBeyondCutoff() || !::IsWindow(pState->m_hStatusWnd))
        return;
    CString strText = pRecord->pszStatus;
    if (pState->m_nPercentDone >= 0)
    {
        CString strPercent;
        strPercent.Format(_T(" %3d%%. "), pState->m_nPercentDone);
        strText += strPercent;
    }
    if (bAbortHint && pState->m_bAbortAllowed)
        strText += _T("   ") + pState->m_sPressEsc;
    if (pState->m_nPercentDone < 0)
    {
        strText += spinner[pState->m_nSpinner];
        pState->m_nSpinner = (pState->m_nSpinner + 1) % static_cast<int>(std::size(spinner));
    }
    // The buffer keeps what fits; a longer text is cut.
    _tcsncpy_s(pState->m_szFeedback, strText, _TRUNCATE);
    ::SendMessageW(pState->m_hStatusWnd, WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(pState->m_szFeedback));
}

BOOL CGXLongOperationImp::NeedMessages(GXLongOperationRecord* pRecord)
{
    GX_WAIT_STATE* pState = GXGetWaitState();
    if (!IsDue(pRecord, pState))
        return FALSE;
    ShowFeedback(pRecord, pState, FALSE);
    DoMessages();
    pRecord->dwLastTicks = s_pfnGetTickCount();
    return TRUE;
}

void CGXLongOperationImp::AskAbort(GX_WAIT_STATE* pState)
{
    if (!pState->m_bAskUser)
    {
        pState->m_bAborted = TRUE;
        pState->m_bRollbackRequested = pState->m_bRollbackPossible;
        return;
    }
    if (pState->m_bRollbackPossible)
    {
        switch (AfxMessageBox(pState->m_sAbortQuestion, MB_ABORTRETRYIGNORE | MB_ICONQUESTION))
        {
        case IDABORT:
            pState->m_bAborted = TRUE;
            break;
        case IDRETRY:
            pState->m_bAborted = TRUE;
            pState->m_bRollbackRequested = TRUE;
            break;
        default:
            break;
        }
    }
    else if (AfxMessageBox(pState->m_sAbortQuestion, MB_YESNO | MB_ICONQUESTION) == IDYES)
        pState->m_bAborted = TRUE;
    pState->m_bAbortKey = FALSE;
}

BOOL CGXLongOperationImp::NeedMessagesAbort(GXLongOperationRecord* pRecord, BOOL& bAborted)
{
    bAborted = FALSE;
    GX_WAIT_STATE* pState = GXGetWaitState();
    if (!IsDue(pRecord, pState))
        return FALSE;
    ShowFeedback(pRecord, pState, TRUE);
    DoMessages();
    if (pState->m_bAbortAllowed && pState->m_bAbortKey && !pState->m_bAborted)
        AskAbort(pState);
    bAborted = pState->m_bAborted;
    pRecord->dwLastTicks = s_pfnGetTickCount();
    return TRUE;
}

void CGXLongOperationImp::DoMessages()
{
    GX_WAIT_STATE* pState = GXGetWaitState();
    CWinApp* pApp = AfxGetApp();
    if (!pState->m_bWaitCursor)
    {
        pState->m_bWaitCursor = TRUE;
        if (pApp != nullptr)
            pApp->BeginWaitCursor();
    }
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            // Taken and posted again, so that the application still ends after the operation.
            ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_CANCEL))
            pState->m_bAbortKey = TRUE;
        if (IsDroppedInput(msg.message))
        {
            if (pApp != nullptr)
                pApp->RestoreWaitCursor();
            ::PeekMessageW(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
        }
        else
            AfxPumpMessage();
    }
    if (pApp != nullptr)
        for (LONG lCount = 0; pApp->OnIdle(lCount); ++lCount)
        {
        }
}

int GXLongOpGetLevel()
{
    return GXGetWaitState()->m_nNesting - 1;
}

BOOL GXLongOpGetRollbackRequested()
{
    return GXGetWaitState()->m_bRollbackRequested;
}

void GXLongOpSetRollback(BOOL bPossible)
{
    GXGetWaitState()->m_bRollbackPossible = bPossible;
}

BOOL GXLongOpIsBeyondCutoff()
{
    const GX_WAIT_STATE* pState = GXGetWaitState();
    return pState->m_nCutOffLevel != -1 && CurrentLevel(pState) > pState->m_nCutOffLevel;
}

void GXLongOpSetPercentDone(int nPercent)
{
    if (!GXLongOpIsBeyondCutoff())
        GXGetWaitState()->m_nPercentDone = std::min(nPercent, 100);
}

int GXPercentDone(ULONGLONG nDone, ULONGLONG nTotal)
{
    return nTotal != 0 ? static_cast<int>(std::min<ULONGLONG>(nDone * 100 / nTotal, 100)) : 0;
}

BOOL GXLongOpIsFeedbackDue(const GXLongOperationRecord* pRecord)
{
    const GX_WAIT_STATE* pState = GXGetWaitState();
    const DWORD dwInterval = pState->m_bWaitCursor ? pState->m_dwInterval : pState->m_dwFirstDelay;
    return CGXLongOperationImp::s_pfnGetTickCount() - pRecord->dwLastTicks > dwInterval;
}

void GXLongOpFreezeFeedback(BOOL bFreeze)
{
    // An outer level's lock holds until that level releases it.
    if (GXLongOpIsBeyondCutoff())
        return;
    GX_WAIT_STATE* pState = GXGetWaitState();
    pState->m_nCutOffLevel = bFreeze ? CurrentLevel(pState) : -1;
}

void GXBeginLongOperation(GXLongOperationRecord* pRecord)
{
    GX_WAIT_STATE* pState = GXGetWaitState();
    if (CGXAbstractLongOperationImp* pImp = LongOperationImp())
        pImp->Start(pRecord);
    else
        ++pState->m_nNesting;
}

void GXEndLongOperation(GXLongOperationRecord* pRecord)
{
    GX_WAIT_STATE* pState = GXGetWaitState();
    if (CGXAbstractLongOperationImp* pImp = LongOperationImp())
        pImp->End(pRecord);
    else
        --pState->m_nNesting;
}

void GXResetWaitText(GXLongOperationRecord* pRecord)
{
    if (CGXAbstractLongOperationImp* pImp = LongOperationImp())
        pImp->FreeStatusText(pRecord);
}

BOOL GXSetLongOperationStatus(GXLongOperationRecord* pRecord, LPCTSTR pszText, ULONGLONG nDone, ULONGLONG nTotal)
{
    CGXAbstractLongOperationImp* pImp = LongOperationImp();
    if (pImp == nullptr)
        return FALSE;
    pImp->SetStatusText(pRecord, pszText, TRUE);
    if (nTotal != 0)
        GXLongOpSetPercentDone(GXPercentDone(nDone, nTotal));
    return TRUE;
}

BOOL GXSetLongOperationStatus(GXLongOperationRecord* pRecord, UINT nTextId, ULONGLONG nDone, ULONGLONG nTotal)
{
    CString strText;
    strText.LoadString(nTextId);
    return GXSetLongOperationStatus(pRecord, strText, nDone, nTotal);
}

BOOL GXGetLongOperationAbort(GXLongOperationRecord* pRecord, BOOL& bAborted)
{
    bAborted = FALSE;
    CGXAbstractLongOperationImp* pImp = LongOperationImp();
    return pImp != nullptr && pImp->NeedMessagesAbort(pRecord, bAborted);
}

BOOL GXShowLongOperationStatus(GXLongOperationRecord* pRecord)
{
    CGXAbstractLongOperationImp* pImp = LongOperationImp();
    return pImp != nullptr && pImp->NeedMessages(pRecord);
}

BOOL GXStartWaitFeedback(GXLongOperationRecord* /*pRecord*/)
{
    CGXAbstractLongOperationImp* pImp = LongOperationImp();
    if (pImp == nullptr)
        return FALSE;
    pImp->DoMessages();
    return TRUE;
}

void GXInitDateTimeSettings()
{
    if (CGXAbstractDateTimeImp* pImp = GXGetAppDataPtr()->m_pDateTimeImp)
        pImp->InitSettings();
}

int GXGetDateFormatOrder(BOOL bRefresh, BOOL& bFourDigitYear, TCHAR& chSeparator)
{
    if (CGXAbstractDateTimeImp* pImp = GXGetAppDataPtr()->m_pDateTimeImp)
        return pImp->GetDateFormatOrder(bRefresh, bFourDigitYear, chSeparator);
    return 3;
}

TCHAR GXGetTimeSeparator(BOOL bRefresh)
{
    if (CGXAbstractDateTimeImp* pImp = GXGetAppDataPtr()->m_pDateTimeImp)
        return pImp->GetTimeSeparator(bRefresh);
    return _T(':');
}

BOOL GXLongOpReportProgress(GXLongOperationRecord* pRecord, ULONGLONG nDone, ULONGLONG nTotal)
{
    if (GXLongOpIsBeyondCutoff() || !GXLongOpIsFeedbackDue(pRecord))
        return FALSE;
    GXLongOpSetPercentDone(GXPercentDone(nDone, nTotal));
    BOOL bAborted = FALSE;
    GXGetLongOperationAbort(pRecord, bAborted);
    return bAborted;
}
