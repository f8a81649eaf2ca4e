// SECWorkspaceManagerEx: the manager's settings, and saving and opening a workspace tree of the
// frame, its documents' frames, its docked views and its bars.
#include <toolkit/workspace/WorkspaceManagerEx.h>

#include <toolkit/bars/ControlBarManager.h>
#include <toolkit/foundation/StoredPlacement.h>
#include <toolkit/foundation/ToolkitRes.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DocTemplateUtils.h>
#include <toolkit/frames/DockState.h>
#include <toolkit/frames/DockableFrame.h>
#include <toolkit/frames/FrameDocking.h>
#include <toolkit/frames/MDIChildWnd.h>
#include <toolkit/frames/MDIFrameWnd.h>
#include <toolkit/frames/MiniDockFrameWnd.h>
#include <toolkit/frames/MultiDocTemplate.h>
#include <toolkit/workspace/PTNStrategyProfile.h>
#include <toolkit/workspace/PTNStrategyRegistry.h>
#include <toolkit/workspace/PersistentTreeNode.h>

#include <memory>
#include <vector>

namespace tarnwick::workspace
{
using foundation::SECWndPlugIn;
using frames::SECControlBar;
using frames::SECDockableFrame;
using frames::SECDocTemplateUtils;
using frames::SECMDIChildWnd;
using frames::SECMDIFrameWnd;
using frames::SECMiniDockFrameWnd;
using frames::SECMultiDocTemplate;

IMPLEMENT_DYNCREATE(SECWorkspaceManagerEx, SECWndPlugIn)

namespace
{
const TCHAR szRootCurrent[] = _T("WorkState_v1_2");
const TCHAR szRootOlder[] = _T("WorkState_v1_1");
const TCHAR szFrames[] = _T("Frames");
const TCHAR szMainFrame[] = _T("MainFrame");
const TCHAR szChildFrames[] = _T("ChildFrames");
const TCHAR szWindowPlacement[] = _T("WindowPlacement");
const TCHAR szTitle[] = _T("Title");
const TCHAR szDocPathName[] = _T("DocPathName");
const TCHAR szDocumentString[] = _T("DocumentString");
const TCHAR szDocTemplateIndex[] = _T("DocTemplateIndex");
const TCHAR szDockedViewBarID[] = _T("DockedViewBarID");
const TCHAR szDockedViewFloating[] = _T("DockedViewFloating");
const TCHAR szDockedViewFloatingWP[] = _T("DockedViewFloatingWP");
const TCHAR szIsActiveChildFrame[] = _T("IsActiveChildFrame");
const TCHAR szIsFrameVisible[] = _T("IsFrameVisible");

static_assert(sizeof(WINDOWPLACEMENT) == 44, "the stored placement is 44 bytes");

CString Numbered(LPCTSTR lpszFormat, int n)
{
    CString name;
    name.Format(lpszFormat, n);
    return name;
}

// The stored placement for the window, when the value is there and has the placement's size;
// a placement that would hide the window or keep it off the screen is mended.
BOOL ReadPlacement(SECPersistentTreeNode* pNode, LPCTSTR lpszKey, const CWnd* pWnd, WINDOWPLACEMENT& wp)
{
    BYTE* pData = nullptr;
    DWORD nLength = 0;
    if (pNode->GetBinaryValue(lpszKey, &pData, &nLength) != 0 || pData == nullptr)
        return FALSE;
    const std::unique_ptr<BYTE[]> data(pData);
    if (nLength != sizeof(WINDOWPLACEMENT))
        return FALSE;
    memcpy(&wp, pData, sizeof(wp));
    foundation::KeepPlacementShown(wp, pWnd->GetSafeHwnd());
    return TRUE;
}

void WritePlacement(SECPersistentTreeNode* pNode, LPCTSTR lpszKey, CWnd* pWnd)
{
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    pWnd->GetWindowPlacement(&wp);
    pNode->SetBinaryValue(lpszKey, reinterpret_cast<const BYTE*>(&wp), sizeof(wp), TRUE);
}

// The template's document string by which a workspace names it.
CString DocumentString(CDocTemplate* pTemplate, BOOL bFileTypeId)
{
    CString str;
    pTemplate->GetDocString(str, bFileTypeId ? CDocTemplate::regFileTypeId : CDocTemplate::regFileTypeName);
    return str;
}

// The template at that place among those of the name, else the last of them.
CDocTemplate* FindSavedTemplate(const CString& strName, int nIndex, BOOL bFileTypeId)
{
    SECDocTemplateUtils utils(bFileTypeId);
    if (CDocTemplate* pTemplate = utils.FindTemplateByName(strName, nIndex))
        return pTemplate;
    CDocTemplate* pLast = nullptr;
    for (int i = 0; i < nIndex; ++i)
    {
        CDocTemplate* pTemplate = utils.FindTemplateByName(strName, i);
        if (pTemplate == nullptr)
            break;
        pLast = pTemplate;
    }
    return pLast;
}

BOOL IsOlderTree(SECPersistentTreeNode* pNode)
{
    while (pNode->GetParent() != nullptr)
        pNode = pNode->GetParent();
    return pNode->GetNodeName() == szRootOlder;
}

CFrameWnd* FirstViewFrame(CDocument* pDoc)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pos != nullptr ? pDoc->GetNextView(pos) : nullptr;
    return pView != nullptr ? pView->GetParentFrame() : nullptr;
}

// The control bar that is or holds the window.
CControlBar* FindParentBar(CWnd* pWnd)
{
    for (; pWnd != nullptr; pWnd = pWnd->GetParent())
        if (auto* pBar = DYNAMIC_DOWNCAST(CControlBar, pWnd))
            return pBar;
    return nullptr;
}
} // namespace

SECWorkspaceManagerEx::SECWorkspaceManagerEx()
    : m_pFrame(nullptr), m_bOpen(FALSE), m_strFileFilter(_T("*.wsp")),
      m_strBaseKey(_T("Software\\Tarnwick\\DefWorkspace\\")), m_hKeyRoot(HKEY_CURRENT_USER), m_bRegistry(FALSE),
      m_bApplicationKey(FALSE), m_nActiveShowCommand(SW_SHOWNORMAL), m_nMRUSize(DEFAULT_MRU_SIZE), m_dwSaveError(0)
{
}

void SECWorkspaceManagerEx::SetStorageMode(BOOL bRegistry, BOOL bApplicationKey)
{
    if (bRegistry != m_bRegistry || bApplicationKey != m_bApplicationKey)
    {
        m_bOpen = FALSE;
        m_strCurrentName.Empty();
    }
    m_bRegistry = bRegistry;
    m_bApplicationKey = bApplicationKey;
}

void SECWorkspaceManagerEx::Initialize(LPCTSTR lpszBaseKey, BOOL bRegistry, HKEY hKeyRoot, BOOL bApplicationKey)
{
    m_strBaseKey = lpszBaseKey;
    m_hKeyRoot = hKeyRoot;
    SetStorageMode(bRegistry, bApplicationKey);
    if (m_strBaseKey.IsEmpty() || m_strBaseKey[m_strBaseKey.GetLength() - 1] != _T('\\'))
        m_strBaseKey += _T('\\');
}

BOOL SECWorkspaceManagerEx::PlugInTo(CWnd* pHost)
{
    if (!SECWndPlugIn::PlugInTo(pHost))
        return FALSE;
    m_pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pHost);
    return TRUE;
}

BOOL SECWorkspaceManagerEx::CloseWorkspace()
{
    m_bOpen = FALSE;
    m_strCurrentName.Empty();
    const BOOL bFrames = CloseAllFrames();
    if (m_pFrame == nullptr)
        return bFrames;
    return CloseControlBars(m_pFrame->m_listControlBars, m_pFrame) && bFrames;
}

SECPTNStrategy* SECWorkspaceManagerEx::CreateStrategy(const CString& strName)
{
    if (m_bRegistry)
        return new SECPTNStrategyRegistry(m_strBaseKey + strName, m_hKeyRoot);
    return new SECPTNStrategyProfile(strName);
}

BOOL SECWorkspaceManagerEx::SaveWorkspace(CString strName)
{
    m_dwSaveError = 0;
    if (strName.IsEmpty() && !GetWorkspaceName(strName, TRUE))
        return FALSE;
    // Done in the dialog without a current workspace: nothing to save to.
    if (strName.IsEmpty())
        return FALSE;
    SECPTNFactory factory;
    SECPersistentTreeNode* pRoot = factory.AddChild(szRootCurrent, nullptr);
    if (pRoot == nullptr)
        return FALSE;
    SaveDockState(factory, pRoot);
    SaveFrames(factory, pRoot);
    OnWorkspaceSaving(factory, pRoot, strName);

    const std::unique_ptr<SECPTNStrategy> pStore(CreateStrategy(strName));
    ::SetLastError(ERROR_SUCCESS);
    if (!pRoot->SaveTree(pStore.get()))
    {
        m_dwSaveError = ::GetLastError() != ERROR_SUCCESS ? ::GetLastError() : ERROR_WRITE_FAULT;
        return FALSE;
    }
    if (strName != m_strCurrentName)
    {
        m_strCurrentName = strName;
        CStringList list;
        ReadMRUList(list);
        AddToMRUList(strName, list);
        WriteMRUList(list);
    }
    m_bOpen = TRUE;
    return TRUE;
}

BOOL SECWorkspaceManagerEx::SaveActiveWorkspace()
{
    return SaveWorkspace(m_strCurrentName);
}

BOOL SECWorkspaceManagerEx::SaveDockState(SECPTNFactory& factory, SECPersistentTreeNode* pRoot)
{
    if (pRoot == nullptr || m_pFrame == nullptr)
        return FALSE;
    frames::SECFrameDocking* pDocking = frames::SECFrameDocking::FromFrame(m_pFrame);
    bars::SECControlBarManager* pManager = pDocking != nullptr ? pDocking->GetControlBarManager() : nullptr;
    frames::SECDockState state(pManager);
    if (state.GetState(m_pFrame))
        state.SaveStateToNode(factory, pRoot);
    if (pManager != nullptr)
        pManager->SaveNodeState(factory, pRoot);
    return TRUE;
}

BOOL SECWorkspaceManagerEx::LoadDockState(SECPersistentTreeNode* pRoot)
{
    if (pRoot == nullptr || m_pFrame == nullptr)
        return FALSE;
    frames::SECFrameDocking* pDocking = frames::SECFrameDocking::FromFrame(m_pFrame);
    bars::SECControlBarManager* pManager = pDocking != nullptr ? pDocking->GetControlBarManager() : nullptr;
    if (pManager != nullptr)
        pManager->LoadNodeState(pRoot);
    frames::SECDockState state(pManager);
    if (pDocking != nullptr)
        state.SetCreatedBarList(&pDocking->GetOwnedObjects());
    if (!state.LoadStateFromNode(pRoot))
        return FALSE;
    return state.SetState(m_pFrame);
}

BOOL SECWorkspaceManagerEx::SaveFrames(SECPTNFactory& factory, SECPersistentTreeNode* pRoot)
{
    if (m_pFrame == nullptr)
        return FALSE;
    SECPersistentTreeNode* pFrames = factory.AddChild(szFrames, pRoot);
    if (pFrames == nullptr)
        return FALSE;
    SaveMainFrame(factory, pFrames);
    CFrameWnd* pActive = m_pFrame->GetActiveFrame();
    if (pActive == m_pFrame)
        pActive = nullptr;
    const BOOL bResult = SaveChildFrames(factory, pFrames, pActive);
    // Giving documents the chance to be saved activates their frames.
    CFrameWnd* pNowActive = m_pFrame->GetActiveFrame();
    if (pActive != nullptr && pNowActive != pActive && ::IsWindow(pActive->m_hWnd))
        ActivateFrame(pActive);
    return bResult;
}

BOOL SECWorkspaceManagerEx::SaveMainFrame(SECPTNFactory& factory, SECPersistentTreeNode* pFramesNode)
{
    if (pFramesNode == nullptr || m_pFrame == nullptr)
        return FALSE;
    SECPersistentTreeNode* pNode = factory.AddChild(szMainFrame, pFramesNode);
    if (pNode == nullptr)
        return FALSE;
    WritePlacement(pNode, szWindowPlacement, m_pFrame);
    CString strTitle;
    m_pFrame->GetWindowText(strTitle);
    pNode->SetStringValue(szTitle, strTitle, TRUE);
    return TRUE;
}

BOOL SECWorkspaceManagerEx::SaveChildFrames(SECPTNFactory& factory, SECPersistentTreeNode* pFramesNode,
                                            CFrameWnd* pActive)
{
    CWinApp* pApp = AfxGetApp();
    if (pFramesNode == nullptr || pApp == nullptr)
        return FALSE;
    SECPersistentTreeNode* pChildFrames = factory.AddChild(szChildFrames, pFramesNode);
    if (pChildFrames == nullptr)
        return FALSE;
    CMapPtrToPtr frameNodes;
    int nDocument = 0;
    int nAdditional = 0;
    for (POSITION posTemplate = pApp->GetFirstDocTemplatePosition(); posTemplate != nullptr;)
    {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(posTemplate);
        for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != nullptr;)
        {
            CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
            SECPersistentTreeNode* pDocNode = factory.AddChild(Numbered(_T("Document-%d"), nDocument++), pChildFrames);
            int nViewFrame = 0;
            for (POSITION posView = pDoc->GetFirstViewPosition(); posView != nullptr;)
            {
                CView* pView = pDoc->GetNextView(posView);
                CFrameWnd* pFrame = pView->GetParentFrame();
                void* pSaved = nullptr;
                if (pFrame != nullptr && frameNodes.Lookup(pFrame, pSaved))
                {
                    SaveAdditionalView(pDoc, pView, pFrame, factory, static_cast<SECPersistentTreeNode*>(pSaved),
                                       nAdditional++);
                    continue;
                }
                SECPersistentTreeNode* pNode =
                    SaveChildFrame(pDoc, pView, pFrame, pActive, factory, pDocNode, nViewFrame++);
                if (pNode != nullptr)
                    frameNodes.SetAt(pFrame, pNode);
            }
        }
    }
    return TRUE;
}

SECPersistentTreeNode* SECWorkspaceManagerEx::SaveChildFrame(CDocument* pDoc, CView* pView, CFrameWnd* pFrame,
                                                             CFrameWnd* pActive, SECPTNFactory& factory,
                                                             SECPersistentTreeNode* pDocumentNode, int nIndex)
{
    if (pDoc == nullptr || pFrame == nullptr || pDocumentNode == nullptr)
        return nullptr;
    SECDocTemplateUtils utils;
    CDocTemplate* pTemplate = utils.FindTemplate(pDoc, pView, pFrame);
    if (pTemplate == nullptr)
        return nullptr;
    const BOOL bVisible = pFrame->IsWindowVisible();
    PrepareDocumentForSave(pFrame, pDoc);
    if (pDoc->GetPathName().IsEmpty())
        return nullptr;
    SECPersistentTreeNode* pNode = factory.AddChild(Numbered(_T("ViewFrame-%d"), nIndex), pDocumentNode);
    if (pNode == nullptr)
        return nullptr;
    pNode->SetStringValue(szDocPathName, pDoc->GetPathName(), TRUE);
    const CString strDocString = DocumentString(pTemplate, TRUE);
    pNode->SetStringValue(szDocumentString, strDocString, TRUE);
    const int nTemplateIndex = utils.GetTemplateIndex(pTemplate, strDocString);
    if (nTemplateIndex >= 0)
        pNode->SetIntValue(szDocTemplateIndex, nTemplateIndex, TRUE);
    if (!SaveDockedView(pFrame, pNode))
        WritePlacement(pNode, szWindowPlacement, pFrame);
    pNode->SetBoolValue(szIsActiveChildFrame, pFrame == pActive, TRUE);
    pNode->SetBoolValue(szIsFrameVisible, bVisible, TRUE);
    return pNode;
}

SECPersistentTreeNode* SECWorkspaceManagerEx::SaveAdditionalView(CDocument* pDoc, CView* pView, CFrameWnd* pFrame,
                                                                 SECPTNFactory& factory,
                                                                 SECPersistentTreeNode* pFrameNode, int nIndex)
{
    SECDocTemplateUtils utils;
    CDocTemplate* pTemplate = utils.FindTemplate(pDoc, pView, pFrame);
    if (pTemplate == nullptr || pFrameNode == nullptr)
        return nullptr;
    SECPersistentTreeNode* pNode = factory.AddChild(Numbered(_T("AdditionalViewPerFrame-%d"), nIndex), pFrameNode);
    if (pNode == nullptr)
        return nullptr;
    const CString strDocString = DocumentString(pTemplate, TRUE);
    pNode->SetStringValue(szDocumentString, strDocString, TRUE);
    const int nTemplateIndex = utils.GetTemplateIndex(pTemplate, strDocString);
    if (nTemplateIndex >= 0)
        pNode->SetIntValue(szDocTemplateIndex, nTemplateIndex, TRUE);
    return pNode;
}

BOOL SECWorkspaceManagerEx::SaveDockedView(CFrameWnd* pFrame, SECPersistentTreeNode* pNode)
{
    if (pFrame == nullptr || !pFrame->IsKindOf(RUNTIME_CLASS(SECDockableFrame)))
        return FALSE;
    CControlBar* pBar = FindParentBar(pFrame->GetParent());
    if (pBar == nullptr)
        return FALSE;
    pNode->SetIntValue(szDockedViewBarID, LOWORD(pBar->GetDlgCtrlID()), TRUE);
    SaveDockedViewFloating(pBar, pNode);
    return TRUE;
}

void SECWorkspaceManagerEx::SaveDockedViewFloating(CControlBar* pBar, SECPersistentTreeNode* pNode)
{
    CFrameWnd* pBarFrame = pBar->GetParentFrame();
    if (pBarFrame != nullptr && pBarFrame->IsKindOf(RUNTIME_CLASS(SECMiniDockFrameWnd)))
    {
        pNode->SetBoolValue(szDockedViewFloating, TRUE, TRUE);
        WritePlacement(pNode, szDockedViewFloatingWP, pBarFrame);
        return;
    }
    pNode->SetIntValue(szDockedViewFloating, 0, TRUE);
}

BOOL SECWorkspaceManagerEx::PrepareDocumentForSave(CFrameWnd* pFrame, CDocument* pDoc)
{
    if (!pDoc->IsModified() && !pDoc->GetPathName().IsEmpty())
        return TRUE;
    ActivateFrame(pFrame);
    pFrame->SendMessage(WM_COMMAND, ID_FILE_SAVE);
    return TRUE;
}

SECPersistentTreeNode* SECWorkspaceManagerEx::LoadWorkspaceTree(SECPTNFactory& factory, const CString& strName)
{
    for (LPCTSTR lpszRoot : {szRootCurrent, szRootOlder})
    {
        SECPersistentTreeNode* pRoot = factory.AddChild(lpszRoot, nullptr);
        if (pRoot == nullptr)
            return nullptr;
        const std::unique_ptr<SECPTNStrategy> pStore(CreateStrategy(strName));
        if (pRoot->LoadTree(pStore.get()))
            return pRoot;
        factory.DestroyNode(pRoot);
    }
    return nullptr;
}

BOOL SECWorkspaceManagerEx::OpenWorkspace(CString strName, BOOL bQuiet)
{
    if (strName.IsEmpty() && !GetWorkspaceName(strName, FALSE))
    {
        ShowFrame();
        return FALSE;
    }
    // Done in the dialog without a current workspace: nothing to open.
    if (strName.IsEmpty())
    {
        ShowFrame();
        return FALSE;
    }
    SECPTNFactory factory;
    SECPersistentTreeNode* pRoot = LoadWorkspaceTree(factory, strName);
    if (pRoot == nullptr)
    {
        if (!bQuiet)
            AfxMessageBox(IDS_SEC_WS_INVALID);
        RemoveFromMRUList(strName);
        ShowFrame();
        return FALSE;
    }

    CloseWorkspace();
    HideControlBars();
    CFrameWnd* pActive = nullptr;
    LoadFrames(pRoot, &pActive);
    LoadDockState(pRoot);

    auto* pMDIFrame = DYNAMIC_DOWNCAST(SECMDIFrameWnd, m_pFrame);
    if (pActive != nullptr)
    {
        ActivateFrame(pActive);
    }
    else if (pMDIFrame != nullptr)
    {
        for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
        {
            auto* pBar = static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos));
            CFrameWnd* pBarFrame = pBar->IsDockBar() ? pBar->GetParentFrame() : nullptr;
            if (pBarFrame != nullptr && pBarFrame->IsKindOf(RUNTIME_CLASS(SECMDIChildWnd)))
            {
                pMDIFrame->MDIActivate(pBarFrame);
                break;
            }
        }
        ActivateChildFrame(nullptr);
    }

    OnWorkspaceLoaded(pRoot, strName);
    m_bOpen = TRUE;
    m_strCurrentName = strName;
    CStringList list;
    ReadMRUList(list);
    AddToMRUList(strName, list);
    WriteMRUList(list);
    if (m_pFrame != nullptr && m_pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) && AfxGetApp() != nullptr)
        ApplyFramePlacement(AfxGetApp()->m_nCmdShow);
    return TRUE;
}

BOOL SECWorkspaceManagerEx::OpenWorkspaceInteractive(BOOL bMostRecent, BOOL bQuiet)
{
    CString strName;
    if (bMostRecent)
    {
        CStringList list;
        ReadMRUList(list);
        if (list.IsEmpty())
            return FALSE;
        strName = list.GetHead();
    }
    else if (!GetWorkspaceName(strName, FALSE) || strName.IsEmpty())
    {
        return FALSE;
    }
    return OpenWorkspace(strName, bQuiet);
}

void SECWorkspaceManagerEx::ApplyFramePlacement(int nShowCmd)
{
    if (m_pFrame == nullptr)
        return;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    m_pFrame->GetWindowPlacement(&wp);
    wp.showCmd = nShowCmd;
    m_pFrame->SetWindowPlacement(&wp);
}

void SECWorkspaceManagerEx::ShowFrame()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    if (pApp->m_nCmdShow <= 0)
        pApp->m_nCmdShow = SW_SHOWNORMAL;
    ApplyFramePlacement(pApp->m_nCmdShow);
}

void SECWorkspaceManagerEx::HideControlBars()
{
    if (m_pFrame == nullptr)
        return;
    for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pBar = static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos));
        // The dock bars hold the layout that the workspace brings back: they stay.
        if (pBar->IsDockBar())
            continue;
        if (SECControlBar::IsDockedInSECDockBar(pBar))
            pBar->GetParentFrame()->ShowControlBar(pBar, FALSE, FALSE);
        else
            pBar->ShowWindow(SW_HIDE);
    }
}

BOOL SECWorkspaceManagerEx::LoadFrames(SECPersistentTreeNode* pRoot, CFrameWnd** ppActive)
{
    SECPersistentTreeNode* pFrames = pRoot != nullptr ? pRoot->FindChild(szFrames) : nullptr;
    if (pFrames == nullptr)
        return FALSE;
    LoadMainFrame(pFrames);
    return LoadChildFrames(pFrames, ppActive);
}

BOOL SECWorkspaceManagerEx::LoadMainFrame(SECPersistentTreeNode* pFramesNode)
{
    SECPersistentTreeNode* pNode = pFramesNode->FindChild(szMainFrame);
    if (pNode == nullptr || m_pFrame == nullptr)
        return FALSE;
    WINDOWPLACEMENT wp{};
    if (ReadPlacement(pNode, szWindowPlacement, m_pFrame, wp))
    {
        if (m_pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) && AfxGetApp() != nullptr)
        {
            AfxGetApp()->m_nCmdShow = wp.showCmd;
            wp.showCmd = SW_HIDE;
        }
        m_pFrame->SetWindowPlacement(&wp);
    }
    CString strTitle;
    pNode->GetStringValue(szTitle, strTitle, CString());
    m_pFrame->SetWindowText(strTitle);
    return TRUE;
}

BOOL SECWorkspaceManagerEx::LoadChildFrames(SECPersistentTreeNode* pFramesNode, CFrameWnd** ppActive)
{
    SECPersistentTreeNode* pChildFrames = pFramesNode->FindChild(szChildFrames);
    if (pChildFrames == nullptr)
        return FALSE;
    CStringList documents;
    pChildFrames->GetChildNames(documents);
    for (POSITION pos = documents.GetHeadPosition(); pos != nullptr;)
    {
        SECPersistentTreeNode* pDocNode = pChildFrames->FindChild(documents.GetNext(pos));
        CDocument* pDoc = nullptr;
        CFrameWnd* pLastFrame = nullptr;
        CStringList frames;
        pDocNode->GetChildNames(frames);
        for (POSITION posFrame = frames.GetHeadPosition(); posFrame != nullptr;)
            LoadChildFrame(pDocNode->FindChild(frames.GetNext(posFrame)), &pDoc, &pLastFrame, ppActive);
    }
    return TRUE;
}

void SECWorkspaceManagerEx::LoadChildFrame(SECPersistentTreeNode* pNode, CDocument** ppDoc, CFrameWnd** ppLastFrame,
                                           CFrameWnd** ppActive)
{
    CString strDocString;
    int nTemplateIndex = 0;
    pNode->GetStringValue(szDocumentString, strDocString, CString());
    pNode->GetIntValue(szDocTemplateIndex, &nTemplateIndex, 0);
    CDocTemplate* pTemplate = FindSavedTemplate(strDocString, nTemplateIndex, !IsOlderTree(pNode));
    if (pTemplate == nullptr)
        return;
    CString strPath;
    pNode->GetStringValue(szDocPathName, strPath, CString());
    BOOL bVisible = TRUE;
    pNode->GetBoolValue(szIsFrameVisible, &bVisible, TRUE);
    BOOL bActive = FALSE;
    pNode->GetBoolValue(szIsActiveChildFrame, &bActive, FALSE);

    CFrameWnd* pFrame = nullptr;
    if (*ppDoc == nullptr)
    {
        if (CDocument* pDoc = OpenDockedView(pNode, pTemplate, strPath))
        {
            *ppDoc = pDoc;
            pFrame = FirstViewFrame(pDoc);
            *ppLastFrame = pFrame;
            if (pFrame == nullptr)
                return;
            pTemplate->InitialUpdateFrame(pFrame, pDoc, TRUE);
            if (bActive)
                *ppActive = pFrame;
            pFrame->ShowWindow(bVisible ? SW_SHOW : SW_HIDE);
            return;
        }
        pFrame = OpenDocument(pTemplate, strPath, ppDoc);
    }
    else
    {
        pFrame = CreateDockedViewFrame(pNode, pTemplate, *ppDoc, *ppLastFrame);
        if (pFrame == nullptr)
            pFrame = CreateNewFrame(pTemplate, *ppDoc, *ppLastFrame);
    }
    if (pFrame == nullptr || *ppDoc == nullptr)
        return;

    pTemplate->InitialUpdateFrame(pFrame, *ppDoc, FALSE);
    WINDOWPLACEMENT wp{};
    int nShowCmd = SW_SHOWNORMAL;
    if (ReadPlacement(pNode, szWindowPlacement, pFrame, wp))
    {
        nShowCmd = static_cast<int>(wp.showCmd);
        pFrame->SetWindowPlacement(&wp);
    }
    if (bActive)
    {
        *ppActive = pFrame;
        m_nActiveShowCommand = nShowCmd;
    }
    *ppLastFrame = pFrame;
    CStringList views;
    pNode->GetChildNames(views);
    for (POSITION pos = views.GetHeadPosition(); pos != nullptr;)
        LoadAdditionalView(*ppDoc, pFrame, pNode->FindChild(views.GetNext(pos)));
    pFrame->ShowWindow(bVisible ? SW_SHOW : SW_HIDE);
}

CFrameWnd* SECWorkspaceManagerEx::OpenDocument(CDocTemplate* pTemplate, const CString& strPath, CDocument** ppDoc)
{
    CDocument* pDoc = pTemplate->OpenDocumentFile(strPath.IsEmpty() ? nullptr : LPCTSTR(strPath), FALSE);
    *ppDoc = pDoc;
    return pDoc != nullptr ? FirstViewFrame(pDoc) : nullptr;
}

CDocument* SECWorkspaceManagerEx::OpenDockedView(SECPersistentTreeNode* pNode, CDocTemplate* pTemplate,
                                                 const CString& strPath)
{
    int nBarID = 0;
    pNode->GetIntValue(szDockedViewBarID, &nBarID, 0);
    auto* pDockingTemplate = DYNAMIC_DOWNCAST(SECMultiDocTemplate, pTemplate);
    if (nBarID == 0 || pDockingTemplate == nullptr)
        return nullptr;
    CDocument* pDoc = pDockingTemplate->OpenDockedDocumentFile(strPath.IsEmpty() ? nullptr : LPCTSTR(strPath), FALSE,
                                                               FALSE, static_cast<UINT>(nBarID));
    if (pDoc != nullptr)
        LoadDockedViewFloating(nullptr, pNode, pDoc);
    return pDoc;
}

BOOL SECWorkspaceManagerEx::LoadDockedViewFloating(CWnd* pWnd, SECPersistentTreeNode* pNode, CDocument* pDoc)
{
    BOOL bFloating = FALSE;
    pNode->GetBoolValue(szDockedViewFloating, &bFloating, FALSE);
    if (!bFloating || m_pFrame == nullptr)
        return FALSE;
    if (pWnd == nullptr && pDoc != nullptr)
        pWnd = FirstViewFrame(pDoc);
    CControlBar* pBar = FindParentBar(pWnd);
    if (pBar == nullptr)
        return FALSE;
    WINDOWPLACEMENT wp{};
    if (ReadPlacement(pNode, szDockedViewFloatingWP, m_pFrame, wp))
    {
        const CRect rect(wp.rcNormalPosition);
        if (auto* pToolkitBar = DYNAMIC_DOWNCAST(SECControlBar, pBar))
            pToolkitBar->m_szMRUFloat = rect.Size();
        m_pFrame->FloatControlBar(pBar, rect.TopLeft(), CBRS_ALIGN_TOP);
    }
    return TRUE;
}

BOOL SECWorkspaceManagerEx::LoadDockedViewFloatingForDocument(SECPersistentTreeNode* pNode, CDocument* pDoc)
{
    return LoadDockedViewFloating(nullptr, pNode, pDoc);
}

CFrameWnd* SECWorkspaceManagerEx::CreateNewFrame(CDocTemplate* pTemplate, CDocument* pDoc, CFrameWnd* pOther)
{
    return pTemplate->CreateNewFrame(pDoc, pOther);
}

CFrameWnd* SECWorkspaceManagerEx::CreateDockedViewFrame(SECPersistentTreeNode* pNode, CDocTemplate* pTemplate,
                                                        CDocument* pDoc, CFrameWnd* /*pOther*/)
{
    int nBarID = 0;
    pNode->GetIntValue(szDockedViewBarID, &nBarID, 0);
    auto* pDockingTemplate = DYNAMIC_DOWNCAST(SECMultiDocTemplate, pTemplate);
    if (nBarID == 0 || pDockingTemplate == nullptr)
        return nullptr;
    CFrameWnd* pFrame = pDockingTemplate->CreateDockedFrame(pDoc, static_cast<UINT>(nBarID));
    if (pFrame != nullptr)
        LoadDockedViewFloating(pFrame, pNode, pDoc);
    return pFrame;
}

void SECWorkspaceManagerEx::ActivateChildFrame(CFrameWnd* pFrame)
{
    if (pFrame != nullptr)
    {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof(wp);
        pFrame->GetWindowPlacement(&wp);
        wp.showCmd = m_nActiveShowCommand;
        pFrame->SetWindowPlacement(&wp);
        pFrame->ActivateFrame();
    }
    if (auto* pMDIFrame = DYNAMIC_DOWNCAST(SECMDIFrameWnd, m_pFrame))
    {
        auto* pChild = DYNAMIC_DOWNCAST(SECMDIChildWnd, pMDIFrame->MDIGetActive());
        pMDIFrame->SetMenuBarMenu(pChild != nullptr ? pChild->GetMenuId() : static_cast<UINT>(-1));
    }
}

void SECWorkspaceManagerEx::ActivateFrame(CFrameWnd* pFrame)
{
    auto* pMDIFrame = DYNAMIC_DOWNCAST(SECMDIFrameWnd, m_pFrame);
    if (pMDIFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(SECDockableFrame)))
        pMDIFrame->SetActiveDockedFrame(pFrame, TRUE);
    else
        ActivateChildFrame(pFrame);
}

void SECWorkspaceManagerEx::OnWorkspaceLoaded(SECPersistentTreeNode*, const CString&)
{
}

void SECWorkspaceManagerEx::OnWorkspaceSaving(SECPTNFactory&, SECPersistentTreeNode*, const CString&)
{
}

BOOL SECWorkspaceManagerEx::CloseAllFrames()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    std::vector<HWND> frames;
    for (POSITION posTemplate = pApp->GetFirstDocTemplatePosition(); posTemplate != nullptr;)
    {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(posTemplate);
        for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != nullptr;)
        {
            CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
            for (POSITION posView = pDoc->GetFirstViewPosition(); posView != nullptr;)
            {
                CFrameWnd* pFrame = pDoc->GetNextView(posView)->GetParentFrame();
                if (pFrame == nullptr || pFrame == m_pFrame)
                    continue;
                if (std::find(frames.begin(), frames.end(), pFrame->m_hWnd) == frames.end())
                    frames.push_back(pFrame->m_hWnd);
            }
        }
    }
    // A frame's close may take others with it: each goes only while it is still there.
    for (HWND hWnd : frames)
        if (::IsWindow(hWnd))
            ::SendMessage(hWnd, WM_CLOSE, 0, 0);
    return TRUE;
}

BOOL SECWorkspaceManagerEx::CloseControlBars(CPtrList&, CFrameWnd*)
{
    return TRUE;
}

BOOL SECWorkspaceManagerEx::LoadAdditionalView(CDocument* pDoc, CFrameWnd* pFrame, SECPersistentTreeNode* pNode)
{
    return pDoc != nullptr && pFrame != nullptr && pNode != nullptr;
}
} // namespace tarnwick::workspace
