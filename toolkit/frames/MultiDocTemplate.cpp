// SECMultiDocTemplate: a document's view moving between an MDI child and a dockable frame in a
// frame bar, and documents opened docked.
#include <toolkit/frames/DockableFrame.h>
#include <toolkit/frames/FrameBar.h>
#include <toolkit/frames/MDIFrameWnd.h>
#include <toolkit/frames/MultiDocTemplate.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNAMIC(SECMultiDocTemplate, CMultiDocTemplate)

namespace
{
constexpr DWORD FRAMEBAR_STYLE = WS_VISIBLE | CBRS_BOTTOM | CBRS_SIZE_DYNAMIC;
// The frame's caption drags the bar: no gripper; the frame fills the bar.
constexpr DWORD FRAMEBAR_EXSTYLE = CBRS_EX_STRETCHCHILD;
static_assert(FRAMEBAR_EXSTYLE == 0x40);
constexpr DWORD DOCKABLE_FRAME_STYLE = WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | FWS_ADDTOTITLE;
constexpr DWORD MDI_CHILD_STYLE = WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
// Frame bars without a given id take free ids from here.
constexpr UINT FIRST_FRAMEBAR_ID = AFX_IDW_CONTROLBAR_FIRST + 0x80;

// The sides by dock-bar id, as GetDockingSide answers them.
struct DockSide
{
    UINT nDockBarID;
    int nSide;
};
constexpr DockSide dockSides[] = {
    {AFX_IDW_DOCKBAR_TOP, SECMultiDocTemplate::SIDE_TOP},
    {AFX_IDW_DOCKBAR_LEFT, SECMultiDocTemplate::SIDE_LEFT},
    {AFX_IDW_DOCKBAR_BOTTOM, SECMultiDocTemplate::SIDE_BOTTOM},
    {AFX_IDW_DOCKBAR_RIGHT, SECMultiDocTemplate::SIDE_RIGHT},
};

SECMDIFrameWnd* GetMainFrame()
{
    return DYNAMIC_DOWNCAST(SECMDIFrameWnd, AfxGetMainWnd());
}

// The view and its document leave pFrom for pTo: the same window, re-parented as the pane.
void MoveView(CView* pView, CFrameWnd* pFrom, CFrameWnd* pTo)
{
    pFrom->SetActiveView(nullptr, FALSE);
    pView->SetParent(pTo);
    pView->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    pTo->SetActiveView(pView, FALSE);
    pTo->RecalcLayout();
}

// The frame a conversion leaves: hidden now, destroyed once the command that got here through
// its own handlers has returned.
void RetireFrame(SECMDIFrameWnd& main, CFrameWnd* pFrame)
{
    auto* pDocked = DYNAMIC_DOWNCAST(SECDockableFrame, pFrame);
    CControlBar* pBar = pDocked != nullptr ? pDocked->GetParentBar() : nullptr;
    if (pBar != nullptr)
        main.ShowBar(pBar, FALSE, FALSE);
    else
        pFrame->ShowWindow(SW_HIDE);
    main.PostMessage(WM_SEC_DESTROYFRAME, reinterpret_cast<WPARAM>(pFrame->m_hWnd));
}
} // namespace

SECDockPlacement SECMultiDocTemplate::GetDefaultPlacement(UINT nDockBarID)
{
    if (nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_LEFT)
        return {1, 0, DOCKPLACE_ROW_FROM_LAST | DOCKPLACE_COLUMN_FROM_END};
    return {0, 0, DOCKPLACE_NEW_ROW};
}

SECMultiDocTemplate::SECMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                         CRuntimeClass* pViewClass, CRuntimeClass* pDockableFrameClass)
    : CMultiDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass),
      m_pDockableFrameClass(pDockableFrameClass != nullptr ? pDockableFrameClass : RUNTIME_CLASS(SECDockableFrame))
{
}

CFrameWnd* SECMultiDocTemplate::ToggleDockedFrame(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return nullptr;
    if (pFrame->IsKindOf(RUNTIME_CLASS(SECDockableFrame)))
        return ViewToMDIChild(pFrame);
    if (!pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        return nullptr;
    return DockView(pFrame, 0, nullptr, nullptr);
}

CFrameWnd* SECMultiDocTemplate::DockFrameAt(CFrameWnd* pChild, UINT nDockBarID, const SECDockPlacement* pPosition,
                                            const SECDockLayout* pLayout)
{
    if (pChild == nullptr || !pChild->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        return nullptr;
    return DockView(pChild, nDockBarID, pPosition, pLayout);
}

int SECMultiDocTemplate::GetDockingSide(CFrameWnd* pFrame) const
{
    auto* pBar = pFrame != nullptr && pFrame->m_hWnd != nullptr ? DYNAMIC_DOWNCAST(SECFrameBar, pFrame->GetParent())
                                                                 : nullptr;
    if (pBar == nullptr)
        return SIDE_NONE;
    if (pBar->IsFloating())
        return SIDE_FLOATING;
    const UINT nDockBarID = pBar->m_pDockBar != nullptr ? pBar->m_pDockBar->GetDlgCtrlID() : 0;
    for (const DockSide& side : dockSides)
        if (side.nDockBarID == nDockBarID)
            return side.nSide;
    return SIDE_NONE;
}

CDocument* SECMultiDocTemplate::OpenDockedDocumentFile(LPCTSTR lpszPathName, BOOL, BOOL bMakeVisible, UINT nBarID)
{
    SECMDIFrameWnd* pMain = GetMainFrame();
    if (pMain == nullptr)
        return nullptr;
    CDocument* pDoc = CreateNewDocument();
    if (pDoc == nullptr)
        return nullptr;
    // The document outlives a frame that fails.
    const BOOL bAutoDelete = pDoc->m_bAutoDelete;
    pDoc->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateDockedFrame(pDoc, nBarID);
    pDoc->m_bAutoDelete = bAutoDelete;
    if (pFrame == nullptr)
    {
        delete pDoc;
        return nullptr;
    }
    const BOOL bRead = lpszPathName == nullptr ? pDoc->OnNewDocument() : pDoc->OnOpenDocument(lpszPathName);
    if (!bRead)
    {
        // Taking the frame takes the document without views with it.
        pFrame->DestroyWindow();
        return nullptr;
    }
    if (lpszPathName == nullptr)
    {
        SetDefaultTitle(pDoc);
        ++m_nUntitledCount;
    }
    else
        pDoc->SetPathName(lpszPathName);
    InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
    if (CControlBar* pBar = static_cast<SECDockableFrame*>(pFrame)->GetParentBar())
    {
        pBar->SetWindowText(pDoc->GetTitle());
        pMain->ShowBar(pBar, bMakeVisible, FALSE);
    }
    if (bMakeVisible)
        pMain->SetActiveDockedFrame(pFrame, TRUE);
    return pDoc;
}

CFrameWnd* SECMultiDocTemplate::CreateDockedFrame(CDocument* pDoc, UINT nBarID)
{
    SECMDIFrameWnd* pMain = GetMainFrame();
    if (pDoc == nullptr || pMain == nullptr)
        return nullptr;
    SECFrameBar* pBar = MakeFrameBar(*pMain, nBarID, 0, nullptr, nullptr);
    if (pBar == nullptr)
        return nullptr;
    SECDockableFrame* pFrame = LoadDockableFrame(*pBar, pDoc, m_pViewClass);
    if (pFrame == nullptr)
    {
        pBar->DestroyWindow();
        return nullptr;
    }
    pBar->SetWindowText(pDoc->GetTitle());
    pMain->RecalcLayout();
    return pFrame;
}

SECFrameBar* SECMultiDocTemplate::MakeFrameBar(SECMDIFrameWnd& frame, UINT nBarID, UINT nDockBarID,
                                               const SECDockPlacement* pPosition, const SECDockLayout* pLayout)
{
    // A restored layout may have made the bar already, empty and in its place.
    auto* pBar = nBarID != 0 ? DYNAMIC_DOWNCAST(SECFrameBar, frame.GetControlBar(nBarID)) : nullptr;
    if (pBar != nullptr && ::GetWindow(pBar->m_hWnd, GW_CHILD) == nullptr)
    {
        frame.ShowBar(pBar, TRUE, FALSE);
        return pBar;
    }
    if (nBarID == 0 || frame.GetControlBar(nBarID) != nullptr)
        nBarID = SECControlBar::FindFreeBarID(&frame, FIRST_FRAMEBAR_ID);
    if (nBarID == 0)
        return nullptr;
    pBar = new SECFrameBar;
    if (!pBar->Create(&frame, nullptr, FRAMEBAR_STYLE, FRAMEBAR_EXSTYLE, nBarID))
    {
        delete pBar;
        return nullptr;
    }
    pBar->m_bAutoDelete = TRUE;
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    SECDockPlacement position{};
    SECDockLayout layout = DEFAULT_DOCK_LAYOUT;
    if (nDockBarID == 0)
        frame.NextDockPosition(nDockBarID, position, layout);
    else
        position = GetDefaultPlacement(nDockBarID);
    frame.DockControlBarAt(pBar, pPosition != nullptr ? *pPosition : position, nDockBarID,
                           pLayout != nullptr ? *pLayout : layout);
    return pBar;
}

SECDockableFrame* SECMultiDocTemplate::LoadDockableFrame(SECFrameBar& bar, CDocument* pDoc, CRuntimeClass* pViewClass)
{
    CObject* pObject = m_pDockableFrameClass->CreateObject();
    auto* pFrame = dynamic_cast<SECDockableFrame*>(pObject);
    if (pFrame == nullptr)
    {
        delete pObject;
        return nullptr;
    }
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = pViewClass;
    context.m_pNewDocTemplate = this;
    // A frame that fails deletes itself.
    if (!pFrame->LoadFrame(m_nIDResource, DOCKABLE_FRAME_STYLE, &bar, &context))
        return nullptr;
    return pFrame;
}

CFrameWnd* SECMultiDocTemplate::DockView(CFrameWnd* pFrom, UINT nDockBarID, const SECDockPlacement* pPosition,
                                         const SECDockLayout* pLayout)
{
    SECMDIFrameWnd* pMain = GetMainFrame();
    CView* pView = pFrom->GetActiveView();
    CDocument* pDoc = pView != nullptr ? pView->GetDocument() : nullptr;
    if (pMain == nullptr || pDoc == nullptr)
        return nullptr;
    SECFrameBar* pBar = MakeFrameBar(*pMain, 0, nDockBarID, pPosition, pLayout);
    if (pBar == nullptr)
        return nullptr;
    SECDockableFrame* pFrame = LoadDockableFrame(*pBar, pDoc, nullptr);
    if (pFrame == nullptr)
    {
        pBar->DestroyWindow();
        return nullptr;
    }
    pBar->SetWindowText(pDoc->GetTitle());
    MoveView(pView, pFrom, pFrame);
    pFrame->m_nWindow = pFrom->m_nWindow;
    RetireFrame(*pMain, pFrom);
    pMain->RecalcLayout();
    pMain->SetActiveDockedFrame(pFrame, TRUE);
    pFrame->OnUpdateFrameTitle(TRUE);
    return pFrame;
}

CFrameWnd* SECMultiDocTemplate::ViewToMDIChild(CFrameWnd* pFrom)
{
    SECMDIFrameWnd* pMain = GetMainFrame();
    CView* pView = pFrom->GetActiveView();
    CDocument* pDoc = pView != nullptr ? pView->GetDocument() : nullptr;
    if (pMain == nullptr || pDoc == nullptr || m_pFrameClass == nullptr)
        return nullptr;
    CObject* pObject = m_pFrameClass->CreateObject();
    auto* pChild = dynamic_cast<CMDIChildWnd*>(pObject);
    if (pChild == nullptr)
    {
        delete pObject;
        return nullptr;
    }
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewDocTemplate = this;
    // A frame that fails deletes itself.
    if (!pChild->LoadFrame(m_nIDResource, MDI_CHILD_STYLE, pMain, &context))
        return nullptr;
    MoveView(pView, pFrom, pChild);
    pChild->m_nWindow = pFrom->m_nWindow;
    if (pMain->GetActiveDockedFrame() == pFrom)
        pMain->ClearActiveDockedFrame(FALSE);
    RetireFrame(*pMain, pFrom);
    pChild->ShowWindow(SW_SHOW);
    pChild->MDIActivate();
    pChild->OnUpdateFrameTitle(TRUE);
    pView->SetFocus();
    return pChild;
}
} // namespace tarnwick::frames
