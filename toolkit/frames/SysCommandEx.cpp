// The extended system commands: the registered message, the document frames' filter table and
// the filters that carry out, query and request the commands.
#include <toolkit/foundation/ToolkitRes.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockContext.h>
#include <toolkit/frames/DockableFrame.h>
#include <toolkit/frames/MDIChildWnd.h>
#include <toolkit/frames/SysCommandEx.h>

#include <afxpriv.h>

#include <iterator>

namespace tarnwick::frames::nsSysCommandEx
{
IMPLEMENT_DYNCREATE(ScxMsgFilter, SECMsgFilter)
IMPLEMENT_DYNCREATE(ScxCaptionNCRDBLClkFilter, SECCaptionMsgFilter)
IMPLEMENT_DYNCREATE(ScxNCRDBLClkMDIMaxChildMsgFilter, SECNcMsgFilter)
IMPLEMENT_DYNCREATE(ScxContextMenuFilter, SECMsgFilter)

UINT GetSysCommandExMessage()
{
    static const UINT nMessage = ::RegisterWindowMessage(_T("Tarnwick::WM_SYSCOMMANDEX"));
    return nMessage;
}

BOOL DispatchSysCommandEx(SECMsgFilter& filters, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    if (message != GetSysCommandExMessage())
        return FALSE;
    lResult = 0;
    filters.Filter(message, wParam, lParam, &lResult);
    return TRUE;
}

namespace
{
constexpr UINT NO_PARENT = static_cast<UINT>(-1);
// The mask bit that keeps each document-frame filter off.
constexpr UINT documentFrameOffBits[DOCUMENT_FRAME_FILTERS] = {0, 0x2, 0x2, 0x4, 0x8};
} // namespace

void AddDocumentFrameFilters(SECMsgFilter::DescriptorTable& table, CRuntimeClass* pButtonClass)
{
    table.Add(FILTER_SYSCOMMANDEX, NO_PARENT, RUNTIME_CLASS(ScxMsgFilter));
    table.Add(FILTER_CAPTION_LIST, NO_PARENT, RUNTIME_CLASS(SECCaptionControlListMsgFilter),
              SECMsgFilter::DESCRIPTOR_KEEP_ON);
    table.Add(FILTER_CHILD_BUTTON, FILTER_CAPTION_LIST, pButtonClass);
    table.Add(FILTER_CAPTION_DBLCLK, NO_PARENT, RUNTIME_CLASS(ScxCaptionNCRDBLClkFilter));
    table.Add(FILTER_CONTEXT_MENU, NO_PARENT, RUNTIME_CLASS(ScxContextMenuFilter));
}

void InstallDocumentFrameFilters(SECMsgFilter& manager, const SECMsgFilter::DescriptorTable& table, UINT nMask)
{
    BOOL switches[DOCUMENT_FRAME_FILTERS];
    for (int i = 0; i < DOCUMENT_FRAME_FILTERS; ++i)
        switches[i] = (nMask & 1) && !(nMask & documentFrameOffBits[i]);
    manager.ApplyDescriptors(table, switches);
    LayoutCaptionRow(manager);
}

void LayoutCaptionRow(SECMsgFilter& manager)
{
    if (auto* pRow = DYNAMIC_DOWNCAST(SECCaptionControlListMsgFilter, manager.FindFilter(FILTER_CAPTION_LIST, nullptr, 0)))
        pRow->Layout();
}

LRESULT SendSysCommandExMessage(WPARAM nCode, SysCommandExRecord& record)
{
    return ::SendMessage(record.hWnd, GetSysCommandExMessage(), nCode, reinterpret_cast<LPARAM>(&record));
}

namespace
{
// The answer of a filter of this family that handled the message.
constexpr DWORD SCX_ANSWER = 15;
constexpr WPARAM CODE_MASK = 0xFFF0;
constexpr UINT TRACK_FLAGS = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY;
static_assert(TRACK_FLAGS == 0x182);

// The class of each state; other codes have class 0.
int StateClassOf(int nState)
{
    if (nState >= STATE_MDICHILD && nState <= STATE_RESTORED)
        return STATE_MDICHILD;
    if (nState >= STATE_DOCKED && nState <= STATE_BOTTOM)
        return STATE_DOCKED;
    return nState == STATE_FLOATING ? STATE_FLOATING : STATE_NONE;
}

// The docked states by the template's docking side (top, left, bottom, right, floating).
constexpr int sideStates[] = {STATE_TOP, STATE_LEFT, STATE_BOTTOM, STATE_RIGHT, STATE_FLOATING};

// The docked states with their dock bars, bar alignments and menu texts.
struct DockState
{
    int nState;
    UINT nDockBarID;
    DWORD dwAlign;
};
constexpr DockState dockStates[] = {
    {STATE_TOP, AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
    {STATE_LEFT, AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
    {STATE_RIGHT, AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT},
    {STATE_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
};
static_assert((CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM) == 0x2800 && (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT) == 0x1400 &&
              (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT) == 0x4100 && (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP) == 0x8200);
const DockState* FindDockState(int nState)
{
    for (const DockState& entry : dockStates)
        if (entry.nState == nState)
            return &entry;
    return nullptr;
}

// The menu's items: the forms, the docking sides and the MDI child states.
struct MenuItem
{
    int nState;
    UINT nText;
};
constexpr MenuItem formItems[] = {
    {STATE_DOCKED, IDS_SEC_SCX_DOCKED}, {STATE_FLOATING, IDS_SEC_SCX_FLOATING}, {STATE_MDICHILD, IDS_SEC_SCX_MDICHILD}};
constexpr MenuItem sideItems[] = {{STATE_TOP, IDS_SEC_SCX_TOP},
                                  {STATE_LEFT, IDS_SEC_SCX_LEFT},
                                  {STATE_BOTTOM, IDS_SEC_SCX_BOTTOM},
                                  {STATE_RIGHT, IDS_SEC_SCX_RIGHT}};
constexpr MenuItem childItems[] = {
    {STATE_MINIMIZED, IDS_SEC_SCX_MINIMIZED}, {STATE_MAXIMIZED, IDS_SEC_SCX_MAXIMIZED}, {STATE_RESTORED, IDS_SEC_SCX_RESTORED}};

CString LoadText(UINT nID)
{
    CString str;
    str.LoadString(nID);
    return str;
}

template <size_t N> HMENU BuildPopup(const MenuItem (&items)[N], int nChecked, BOOL bByClass)
{
    const HMENU hMenu = ::CreatePopupMenu();
    for (const MenuItem& item : items)
    {
        const BOOL bChecked = bByClass ? StateClassOf(nChecked) == item.nState : nChecked == item.nState;
        ::AppendMenu(hMenu, MF_STRING | (bChecked ? MF_CHECKED : MF_UNCHECKED), static_cast<UINT_PTR>(item.nState),
                     LoadText(item.nText));
    }
    return hMenu;
}

// The point of a non-client mouse message.
CPoint MessagePoint(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

// Sends a toggle request for the window.
void SendToggle(HWND hWnd)
{
    SysCommandExRecord record{};
    record.hWnd = hWnd;
    record.nCommand = STATE_TOGGLE;
    SendSysCommandExMessage(SCX_EXECUTE, record);
}
} // namespace

DWORD ScxMsgFilter::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != GetSysCommandExMessage() || lParam == 0)
        return 0;
    const WPARAM nCode = wParam & CODE_MASK;
    if (!m_bWorkingCopy && IsCopyCommand(nCode))
    {
        // The command may rebuild the window and its filters: a copy carries it out.
        auto* pCopy = static_cast<ScxMsgFilter*>(Clone());
        if (pCopy == nullptr)
            return 0;
        pCopy->m_bWorkingCopy = TRUE;
        DWORD dwAnswer = pCopy->FilterMessage(message, nCode, lParam, pResult);
        delete pCopy;
        if (dwAnswer & FILTER_HANDLED)
            dwAnswer |= FILTER_STOP;
        return dwAnswer;
    }
    auto& record = *reinterpret_cast<SysCommandExRecord*>(lParam);
    CWnd* pWnd = CWnd::FromHandlePermanent(record.hWnd);
    if (pWnd == nullptr)
        return 0;
    // A zoomed MDI child's frame shows its caption buttons.
    HWND hRepaint = nullptr;
    if (record.dwFlags & SCX_POSITION)
    {
        auto* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, pWnd);
        hRepaint = pChild != nullptr && pChild->IsZoomed() && pChild->GetMDIFrame() != nullptr
                       ? pChild->GetMDIFrame()->m_hWnd
                       : record.hWnd;
    }
    DWORD dwAnswer = 0;
    switch (nCode)
    {
    case SCX_EXECUTE:
        dwAnswer = OnSysCommand(record, pResult);
        break;
    case SCX_QUERYMENU:
        dwAnswer = OnSysCommandQuery(record, pResult);
        break;
    case SCX_TRACKMENU:
        dwAnswer = OnSysCommandMenu(record, pResult);
        break;
    default:
        return 0;
    }
    if (hRepaint != nullptr && ::IsWindow(hRepaint))
        ::SendMessage(hRepaint, WM_NCPAINT, 0, 0);
    return dwAnswer;
}

BOOL ScxMsgFilter::IsCopyCommand(WPARAM nCode)
{
    return nCode == SCX_EXECUTE || nCode == SCX_TRACKMENU;
}

DWORD ScxMsgFilter::OnSysCommandQuery(SysCommandExRecord& record, LRESULT* pResult)
{
    record.hMenu = GetContextMenu(record);
    *pResult = record.hMenu != nullptr;
    return SCX_ANSWER;
}

DWORD ScxMsgFilter::OnSysCommandMenu(SysCommandExRecord& record, LRESULT* pResult)
{
    if (const HMENU hMenu = SendSysCommandEx(record))
    {
        const UINT nChoice = TrackMenu(hMenu, record);
        ::DestroyMenu(hMenu);
        SendCommand(nChoice, record);
    }
    *pResult = 0;
    return SCX_ANSWER;
}

HMENU ScxMsgFilter::SendSysCommandEx(const SysCommandExRecord& record)
{
    if (record.hMenu != nullptr)
        return record.hMenu;
    SysCommandExRecord query = record;
    query.dwFlags &= ~SCX_POSITION;
    return SendSysCommandExMessage(SCX_QUERYMENU, query) != 0 ? query.hMenu : nullptr;
}

UINT ScxMsgFilter::TrackMenu(HMENU hMenu, const SysCommandExRecord& record)
{
    CPoint point(record.x, record.y);
    if (record.x < 0)
    {
        CRect rectClient;
        ::GetClientRect(record.hWnd, &rectClient);
        point = rectClient.CenterPoint();
        ::ClientToScreen(record.hWnd, &point);
    }
    return static_cast<UINT>(::TrackPopupMenu(hMenu, TRACK_FLAGS, point.x, point.y, 0, record.hWnd, nullptr));
}

BOOL ScxMsgFilter::SendCommand(UINT nID, const SysCommandExRecord& record)
{
    if (nID == 0)
        return FALSE;
    SysCommandExRecord command = record;
    command.dwFlags &= ~SCX_POSITION;
    command.nCommand = static_cast<int>(nID);
    SendSysCommandExMessage(SCX_EXECUTE, command);
    return TRUE;
}

HMENU ScxMsgFilter::BuildContextMenu(CFrameWnd*, int nCurrentState)
{
    const HMENU hMenu = BuildPopup(formItems, nCurrentState, TRUE);
    ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(BuildPopup(sideItems, nCurrentState, FALSE)),
                 LoadText(IDS_SEC_SCX_DOCKEDTO));
    ::AppendMenu(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(BuildPopup(childItems, nCurrentState, FALSE)),
                 LoadText(IDS_SEC_SCX_MDICHILDAS));
    return hMenu;
}

HMENU ScxMsgFilter::GetContextMenu(const SysCommandExRecord& record)
{
    auto* pTemplate =
        static_cast<SECMultiDocTemplate*>(FindDocTemplate(record, RUNTIME_CLASS(SECMultiDocTemplate)));
    CFrameWnd* pFrame = GetRecordFrame(record);
    if (pTemplate == nullptr || pFrame == nullptr)
        return nullptr;
    return BuildContextMenu(pFrame, GetCurrentState(pFrame, pTemplate, record));
}

CFrameWnd* ScxMsgFilter::GetRecordFrame(const SysCommandExRecord& record)
{
    return DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(record.hWnd));
}

int ScxMsgFilter::GetStateClass(int nState)
{
    return StateClassOf(nState);
}

int ScxMsgFilter::GetToggleTarget(int nCurrent)
{
    return GetStateClass(nCurrent) == STATE_MDICHILD ? STATE_DOCKED : STATE_MDICHILD;
}

int ScxMsgFilter::GetCurrentState(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate, const SysCommandExRecord&)
{
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        return pFrame->IsZoomed() ? STATE_MAXIMIZED : pFrame->IsIconic() ? STATE_MINIMIZED : STATE_RESTORED;
    if (!pFrame->IsKindOf(RUNTIME_CLASS(SECDockableFrame)))
        return STATE_NONE;
    const int nSide = pTemplate->GetDockingSide(pFrame);
    return nSide >= 0 && nSide < static_cast<int>(std::size(sideStates)) ? sideStates[nSide] : STATE_NONE;
}

CDocTemplate* ScxMsgFilter::FindDocTemplate(const SysCommandExRecord& record, CRuntimeClass* pClass)
{
    CFrameWnd* pFrame = GetRecordFrame(record);
    CView* pView = pFrame != nullptr ? pFrame->GetActiveView() : nullptr;
    CDocument* pDoc = pView != nullptr ? pView->GetDocument() : nullptr;
    CWinApp* pApp = AfxGetApp();
    if (pDoc == nullptr || pApp == nullptr)
        return nullptr;
    for (POSITION posTemplate = pApp->GetFirstDocTemplatePosition(); posTemplate != nullptr;)
    {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(posTemplate);
        for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != nullptr;)
            if (pTemplate->GetNextDoc(posDoc) == pDoc)
                return pClass == nullptr || pTemplate->IsKindOf(pClass) ? pTemplate : nullptr;
    }
    return nullptr;
}

DWORD ScxMsgFilter::OnSysCommand(SysCommandExRecord& record, LRESULT* pResult)
{
    auto* pTemplate =
        static_cast<SECMultiDocTemplate*>(FindDocTemplate(record, RUNTIME_CLASS(SECMultiDocTemplate)));
    CFrameWnd* pFrame = GetRecordFrame(record);
    if (pTemplate == nullptr || pFrame == nullptr)
        return 0;
    const int nCurrent = GetCurrentState(pFrame, pTemplate, record);
    const int nTarget = record.nCommand == STATE_TOGGLE ? GetToggleTarget(nCurrent) : record.nCommand;
    CFrameWnd* pDone = nullptr;
    switch (GetStateClass(nTarget))
    {
    case STATE_MDICHILD:
        pDone = ToMDIChild(pFrame, nCurrent, nTarget, pTemplate, record);
        break;
    case STATE_DOCKED:
        pDone = ToDocked(pFrame, nCurrent, nTarget, pTemplate, record);
        break;
    case STATE_FLOATING:
        pDone = ToFloating(pFrame, nCurrent, nTarget, pTemplate, record);
        break;
    default:
        return 0;
    }
    *pResult = pDone != nullptr;
    return SCX_ANSWER;
}

void ScxMsgFilter::ApplyPlacement(CWnd* pWnd, const SysCommandExRecord& record)
{
    if (!(record.dwFlags & (SCX_POSITION | SCX_SIZE)))
        return;
    UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!(record.dwFlags & SCX_SIZE))
        nFlags |= SWP_NOSIZE;
    if (!(record.dwFlags & SCX_POSITION))
        nFlags |= SWP_NOMOVE;
    pWnd->SetWindowPos(nullptr, record.x, record.y, record.cx, record.cy, nFlags);
}

CFrameWnd* ScxMsgFilter::ToMDIChild(CFrameWnd* pFrame, int nCurrent, int nTarget, SECMultiDocTemplate* pTemplate,
                                    SysCommandExRecord& record)
{
    CView* pView = pFrame->GetActiveView();
    if (pView == nullptr)
        return nullptr;
    if (nTarget == STATE_NONE)
    {
        switch (GetStateClass(nCurrent))
        {
        case STATE_MDICHILD:
            break;
        case STATE_DOCKED:
        case STATE_FLOATING:
            if (TemplateToggle(pFrame, pTemplate) == nullptr)
                return nullptr;
            break;
        default:
            return nullptr;
        }
        return pView->GetParentFrame();
    }
    CFrameWnd* pChild = ToMDIChild(pFrame, nCurrent, STATE_NONE, pTemplate, record);
    if (pChild == nullptr)
        return nullptr;
    const int nNow = GetCurrentState(pChild, pTemplate, record);
    if (GetStateClass(nNow) != STATE_MDICHILD)
        return nullptr;
    if (nNow != nTarget)
        pChild->ShowWindow(nTarget == STATE_MINIMIZED   ? SW_SHOWMINIMIZED
                           : nTarget == STATE_MAXIMIZED ? SW_SHOWMAXIMIZED
                                                        : SW_SHOWNORMAL);
    if (nTarget != STATE_MAXIMIZED)
        ApplyPlacement(pChild, record);
    // The MDI client lays out a zoomed child anew.
    if (pChild->IsZoomed())
        if (auto* pMain = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd()); pMain != nullptr && pMain->m_hWndMDIClient)
        {
            CRect rectClient;
            ::GetClientRect(pMain->m_hWndMDIClient, &rectClient);
            ::PostMessage(pMain->m_hWndMDIClient, WM_SIZE, 0, 0);
            ::PostMessage(pMain->m_hWndMDIClient, WM_SIZE, 0, MAKELPARAM(rectClient.Width(), rectClient.Height()));
        }
    return pChild;
}

CFrameWnd* ScxMsgFilter::ToDocked(CFrameWnd* pFrame, int nCurrent, int nTarget, SECMultiDocTemplate* pTemplate,
                                  SysCommandExRecord& record)
{
    if (pFrame->GetActiveView() == nullptr)
        return nullptr;
    const int nClass = GetStateClass(nCurrent);
    if ((nTarget == STATE_NONE || nTarget == STATE_DOCKED) && !(record.dwFlags & (SCX_POSITION | SCX_SIZE)))
    {
        if (nClass == STATE_MDICHILD)
            return TemplateToggle(pFrame, pTemplate);
        if (nClass == STATE_FLOATING)
            ToggleBarDocking(pFrame, pTemplate, record);
        return nullptr;
    }
    SECDockPlacement* pPosition = (record.dwFlags & SCX_POSITION) ? record.pDockPosition : nullptr;
    SECDockLayout* pSize = (record.dwFlags & SCX_SIZE) ? record.pDockSize : nullptr;
    const DockState* pSide = FindDockState(nTarget);
    const UINT nDockBarID = pSide != nullptr ? pSide->nDockBarID : 0;
    if (nClass == STATE_MDICHILD)
        return TemplateDockAt(pFrame, pTemplate, nDockBarID, pPosition, pSize);
    auto* pMain = DYNAMIC_DOWNCAST(SECMDIFrameWnd, AfxGetMainWnd());
    auto* pBar = pFrame->m_hWnd != nullptr ? DYNAMIC_DOWNCAST(CControlBar, pFrame->GetParent()) : nullptr;
    if ((nClass != STATE_DOCKED && nClass != STATE_FLOATING) || pMain == nullptr || pBar == nullptr)
        return nullptr;
    const SECDockPlacement position =
        pPosition != nullptr ? *pPosition : SECMultiDocTemplate::GetDefaultPlacement(nDockBarID);
    const SECDockLayout size = pSize != nullptr ? *pSize : DEFAULT_DOCK_LAYOUT;
    if (pSide != nullptr)
        pBar->SetBarStyle((pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | pSide->dwAlign);
    pMain->DockControlBarAt(pBar, position, nDockBarID, size);
    pMain->RecalcLayout(TRUE);
    return nullptr;
}

CFrameWnd* ScxMsgFilter::ToFloating(CFrameWnd* pFrame, int nCurrent, int nTarget, SECMultiDocTemplate* pTemplate,
                                    SysCommandExRecord& record)
{
    CView* pView = pFrame->GetActiveView();
    if ((nTarget != STATE_NONE && GetStateClass(nTarget) != STATE_FLOATING) || pView == nullptr)
        return nullptr;
    switch (GetStateClass(nCurrent))
    {
    case STATE_FLOATING:
        if (CFrameWnd* pFloating = pFrame->GetParentFrame())
            ApplyPlacement(pFloating, record);
        break;
    case STATE_DOCKED:
        ToggleBarDocking(pFrame, pTemplate, record);
        break;
    case STATE_MDICHILD: {
        if (pFrame->IsIconic())
            pFrame->ShowWindow(SW_RESTORE);
        CRect rectWindow;
        pFrame->GetWindowRect(&rectWindow);
        CFrameWnd* pDocked = ToDocked(pFrame, nCurrent, STATE_NONE, pTemplate, record);
        if (pDocked == nullptr || GetStateClass(GetCurrentState(pDocked, pTemplate, record)) != STATE_DOCKED)
            return nullptr;
        // It floats where the child stood.
        if (!(record.dwFlags & SCX_POSITION))
        {
            record.x = rectWindow.left;
            record.y = rectWindow.top;
        }
        if (!(record.dwFlags & SCX_SIZE))
        {
            record.cx = rectWindow.Width();
            record.cy = rectWindow.Height();
        }
        record.dwFlags |= SCX_POSITION | SCX_SIZE;
        return ToFloating(pDocked, GetCurrentState(pDocked, pTemplate, record), STATE_NONE, pTemplate, record);
    }
    default:
        return nullptr;
    }
    return pView->GetParentFrame();
}

CFrameWnd* ScxMsgFilter::TemplateToggle(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate)
{
    return pTemplate->ToggleDockedFrame(pFrame);
}

CFrameWnd* ScxMsgFilter::TemplateDockAt(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate, UINT nDockBarID,
                                        SECDockPlacement* pPosition, SECDockLayout* pSize)
{
    return pTemplate->DockFrameAt(pFrame, nDockBarID, pPosition, pSize);
}

BOOL ScxMsgFilter::ToggleBarDocking(CFrameWnd* pFrame, SECMultiDocTemplate*, SysCommandExRecord& record)
{
    auto* pBar = pFrame->m_hWnd != nullptr ? DYNAMIC_DOWNCAST(SECControlBar, pFrame->GetParent()) : nullptr;
    if (pBar == nullptr || pBar->m_pDockContext == nullptr)
        return FALSE;
    CDockContext* pContext = pBar->m_pDockContext;
    const CPoint ptOldFloat = pContext->m_ptMRUFloatPos;
    if (record.dwFlags & SCX_POSITION)
        pContext->m_ptMRUFloatPos = CPoint(record.x, record.y);
    if (record.dwFlags & SCX_SIZE)
        pBar->m_szMRUFloat = CSize(record.cx, record.cy);
    pContext->ToggleDocking();
    if (record.dwFlags & SCX_POSITION)
        pContext->m_ptMRUFloatPos = ptOldFloat;
    return TRUE;
}

DWORD ScxCaptionNCRDBLClkFilter::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_NCRBUTTONDBLCLK || wParam != HTCAPTION || GetWnd() == nullptr)
        return FilterChildren(message, wParam, lParam, pResult);
    SendToggle(GetWnd()->m_hWnd);
    return SCX_ANSWER;
}

DWORD ScxContextMenuFilter::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_NCRBUTTONUP || wParam != HTCAPTION || GetWnd() == nullptr)
        return FilterChildren(message, wParam, lParam, pResult);
    SysCommandExRecord record{};
    record.hWnd = GetWnd()->m_hWnd;
    const CPoint point = MessagePoint(lParam);
    record.x = point.x;
    record.y = point.y;
    SendSysCommandExMessage(SCX_TRACKMENU, record);
    return SCX_ANSWER;
}

DWORD ScxNCRDBLClkMDIMaxChildMsgFilter::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_NCRBUTTONDBLCLK)
        return 0;
    auto* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, GetWnd());
    BOOL bZoomed = FALSE;
    CMDIChildWnd* pChild = pFrame != nullptr ? pFrame->MDIGetActive(&bZoomed) : nullptr;
    auto* pToolkitChild = DYNAMIC_DOWNCAST(SECMDIChildWnd, pChild);
    const SECMsgFilter* pDblClk =
        pToolkitChild != nullptr && bZoomed ? pToolkitChild->GetMsgFilter().FindFilter(FILTER_CAPTION_DBLCLK, nullptr, -1)
                                            : nullptr;
    if (pDblClk == nullptr || !pDblClk->IsEnabled())
        return 0;
    if (wParam != HTMENU)
        return FilterChildren(message, wParam, lParam, pResult);
    SendToggle(pChild->m_hWnd);
    return SCX_ANSWER;
}
} // namespace tarnwick::frames::nsSysCommandEx
