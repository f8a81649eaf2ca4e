#include <afxwin.h>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID)
{
    for (; lpEntry->pfn != nullptr; ++lpEntry)
    {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The message rides in the high word, except for CN_UPDATE_COMMAND_UI, which is -1.
    UINT nMsg = 0;
    UINT nCodeOnly = static_cast<UINT>(nCode);
    if (nCodeOnly != CN_UPDATE_COMMAND_UI)
    {
        nMsg = HIWORD(nCodeOnly);
        nCodeOnly = LOWORD(nCodeOnly);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
    {
        const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMap->lpEntries, nMsg, nCodeOnly, nID);
        if (lpEntry == nullptr)
            continue;
        if (pHandlerInfo != nullptr)
        {
            pHandlerInfo->pTarget = this;
            pHandlerInfo->pmf = lpEntry->pfn;
            return TRUE;
        }
        AFX_DISPATCH call{nMsg, 0, 0, nID, pExtra, 0};
        return lpEntry->pfn(this, call);
    }
    return FALSE;
}

BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, void (CCmdTarget::*pfn)(), AFX_DISPATCH&)
{
    (pTarget->*pfn)();
    return TRUE;
}

BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, BOOL (CCmdTarget::*pfn)(), AFX_DISPATCH&)
{
    return (pTarget->*pfn)();
}

BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, void (CCmdTarget::*pfn)(UINT), AFX_DISPATCH& call)
{
    (pTarget->*pfn)(call.nID);
    return TRUE;
}

BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, BOOL (CCmdTarget::*pfn)(UINT), AFX_DISPATCH& call)
{
    return (pTarget->*pfn)(call.nID);
}

BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, void (CCmdTarget::*pfn)(CCmdUI*), AFX_DISPATCH& call)
{
    auto* pCmdUI = static_cast<CCmdUI*>(call.pExtra);
    pCmdUI->m_bContinueRouting = FALSE;
    (pTarget->*pfn)(pCmdUI);
    const BOOL bHandled = !pCmdUI->m_bContinueRouting;
    pCmdUI->m_bContinueRouting = FALSE;
    return bHandled;
}

BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, void (CCmdTarget::*pfn)(NMHDR*, LRESULT*), AFX_DISPATCH& call)
{
    const auto* pNotify = static_cast<AFX_NOTIFY*>(call.pExtra);
    (pTarget->*pfn)(pNotify->pNMHDR, pNotify->pResult);
    return TRUE;
}

BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, BOOL (CCmdTarget::*pfn)(NMHDR*, LRESULT*), AFX_DISPATCH& call)
{
    const auto* pNotify = static_cast<AFX_NOTIFY*>(call.pExtra);
    return (pTarget->*pfn)(pNotify->pNMHDR, pNotify->pResult);
}

BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, void (CCmdTarget::*pfn)(UINT, NMHDR*, LRESULT*), AFX_DISPATCH& call)
{
    const auto* pNotify = static_cast<AFX_NOTIFY*>(call.pExtra);
    (pTarget->*pfn)(call.nID, pNotify->pNMHDR, pNotify->pResult);
    return TRUE;
}

BOOL AFXAPI AfxDispatchCmdMsg(CCmdTarget* pTarget, BOOL (CCmdTarget::*pfn)(UINT, NMHDR*, LRESULT*), AFX_DISPATCH& call)
{
    const auto* pNotify = static_cast<AFX_NOTIFY*>(call.pExtra);
    return (pTarget->*pfn)(call.nID, pNotify->pNMHDR, pNotify->pResult);
}

void CCmdTarget::BeginWaitCursor()
{
    AfxGetApp()->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
    AfxGetApp()->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
    AfxGetApp()->DoWaitCursor(0);
}

CWaitCursor::CWaitCursor()
{
    AfxGetApp()->DoWaitCursor(1);
}

CWaitCursor::~CWaitCursor()
{
    AfxGetApp()->DoWaitCursor(-1);
}

void CWaitCursor::Restore()
{
    AfxGetApp()->DoWaitCursor(0);
}
