// SECWorkspaceManagerEx: its commands, the list of recent workspaces, and how a name is chosen
// and the stored workspaces edited.
#include <toolkit/workspace/WorkspaceManagerEx.h>

#include <toolkit/foundation/ToolkitRes.h>
#include <toolkit/workspace/PTNStrategyRegistry.h>
#include <toolkit/workspace/PersistentTreeNode.h>
#include <toolkit/workspace/Registry.h>
#include <toolkit/workspace/WsMgrDialog.h>

#include <afxdlgs.h>

#include <memory>
#include <vector>

namespace tarnwick::workspace
{
namespace
{
const TCHAR szEntryFormat[] = _T("Workspace%d");

CString EntryName(int n)
{
    CString name;
    name.Format(szEntryFormat, n);
    return name;
}

BOOL SameKey(const CString& strFirst, const CString& strSecond)
{
    return strFirst.CompareNoCase(strSecond) == 0;
}

BOOL ListHasKey(const CStringList& list, const CString& strName)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        if (SameKey(list.GetNext(pos), strName))
            return TRUE;
    return FALSE;
}
} // namespace

BEGIN_MESSAGE_MAP(SECWorkspaceManagerEx, foundation::SECWndPlugIn)
ON_COMMAND(ID_SEC_WS_OPEN, OnOpenWorkspace)
ON_COMMAND(ID_SEC_WS_SAVE, OnSaveWorkspace)
ON_COMMAND(ID_SEC_WS_CLOSE, OnCloseWorkspace)
ON_COMMAND(ID_SEC_WS_SAVEAS, OnSaveWorkspaceAs)
ON_COMMAND_RANGE(ID_SEC_WS_MRU_FIRST, ID_SEC_WS_MRU_LAST, OnOpenRecentWorkspace)
ON_UPDATE_COMMAND_UI(ID_SEC_WS_NEW, OnUpdateLeaveAsItIs)
ON_UPDATE_COMMAND_UI(ID_SEC_WS_OPEN, OnUpdateLeaveAsItIs)
ON_UPDATE_COMMAND_UI(ID_SEC_WS_SAVE, OnUpdateLeaveAsItIs)
ON_UPDATE_COMMAND_UI(ID_SEC_WS_SAVEAS, OnUpdateLeaveAsItIs)
ON_UPDATE_COMMAND_UI(ID_SEC_WS_DELETE, OnUpdateLeaveAsItIs)
ON_UPDATE_COMMAND_UI(ID_SEC_WS_CLOSE, OnUpdateCloseWorkspace)
ON_UPDATE_COMMAND_UI(ID_SEC_WS_MRU_FIRST, OnUpdateRecentWorkspaces)
END_MESSAGE_MAP()

void SECWorkspaceManagerEx::OnOpenWorkspace()
{
    OpenWorkspaceInteractive(FALSE, FALSE);
    StopMsgProcessing();
}

void SECWorkspaceManagerEx::OnSaveWorkspace()
{
    if (!SaveActiveWorkspace())
        ReportSaveFailure();
}

void SECWorkspaceManagerEx::OnCloseWorkspace()
{
    CloseWorkspace();
    StopMsgProcessing();
}

void SECWorkspaceManagerEx::OnSaveWorkspaceAs()
{
    if (!SaveWorkspace(CString()))
        ReportSaveFailure();
}

void SECWorkspaceManagerEx::OnOpenRecentWorkspace(UINT nID)
{
    CStringList list;
    ReadMRUList(list);
    POSITION pos = list.FindIndex(static_cast<INT_PTR>(nID - ID_SEC_WS_MRU_FIRST));
    if (pos == nullptr)
        return;
    OpenWorkspace(list.GetAt(pos), FALSE);
    StopMsgProcessing();
}

void SECWorkspaceManagerEx::OnUpdateLeaveAsItIs(CCmdUI*)
{
    StopMsgProcessing();
}

void SECWorkspaceManagerEx::OnUpdateCloseWorkspace(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_bOpen);
    StopMsgProcessing();
}

void SECWorkspaceManagerEx::OnUpdateRecentWorkspaces(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (pMenu == nullptr || pMenu->GetMenuItemID(pCmdUI->m_nIndex) != ID_SEC_WS_MRU_FIRST)
        return;
    for (int i = static_cast<int>(pMenu->GetMenuItemCount()) - 1; i >= static_cast<int>(pCmdUI->m_nIndex); --i)
    {
        const UINT nID = pMenu->GetMenuItemID(i);
        if (nID >= ID_SEC_WS_MRU_FIRST && nID <= ID_SEC_WS_MRU_LAST)
            pMenu->DeleteMenu(i, MF_BYPOSITION);
    }
    CStringList list;
    UINT nInserted = 0;
    if (!ReadMRUList(list) || list.IsEmpty())
    {
        CString strNone;
        strNone.LoadString(IDS_SEC_WS_MRU_NONE);
        pMenu->InsertMenu(pCmdUI->m_nIndex, MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_SEC_WS_MRU_FIRST, strNone);
        nInserted = 1;
    }
    else
    {
        int n = 0;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr && n < m_nMRUSize; ++n)
        {
            const CString strName = list.GetNext(pos);
            CString strItem;
            strItem.Format(_T("&%d %s"), n + 1, LPCTSTR(strName));
            const UINT nFlags = MF_BYPOSITION | MF_STRING | MF_ENABLED |
                                (m_bOpen && strName == m_strCurrentName ? MF_CHECKED : MF_UNCHECKED);
            pMenu->InsertMenu(pCmdUI->m_nIndex + n, nFlags, ID_SEC_WS_MRU_FIRST + n, strItem);
        }
        nInserted = static_cast<UINT>(n);
    }
    // The update loop goes on after the items put in.
    pCmdUI->m_nIndex += nInserted - 1;
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    StopMsgProcessing();
}

void SECWorkspaceManagerEx::ReportSaveFailure()
{
    if (m_dwSaveError == 0)
        return;
    LPTSTR lpszMessage = nullptr;
    ::FormatMessage(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                    nullptr, m_dwSaveError, 0, reinterpret_cast<LPTSTR>(&lpszMessage), 0, nullptr);
    CString strMessage = lpszMessage != nullptr ? lpszMessage : _T("");
    ::LocalFree(lpszMessage);
    strMessage.TrimRight();
    if (strMessage.IsEmpty())
        strMessage.Format(_T("Error %lu"), m_dwSaveError);
    CString strCaption;
    strCaption.LoadString(IDS_SEC_WS_MANAGER);
    ::MessageBox(m_pFrame != nullptr ? m_pFrame->GetSafeHwnd() : nullptr, strMessage, strCaption,
                 MB_OK | MB_ICONEXCLAMATION);
}

CString SECWorkspaceManagerEx::GetMRUListName() const
{
    return m_bRegistry ? _T("__MRURegList") : _T("__MRUFileList");
}

BOOL SECWorkspaceManagerEx::GetMRUKeyPath(CString& strPath) const
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pszRegistryKey == nullptr)
        return FALSE;
    if (m_bApplicationKey && pApp != nullptr)
    {
        CString strSection;
        strSection.Format(_T("Software\\%s\\%s\\%s"), pApp->m_pszRegistryKey, pApp->m_pszProfileName,
                          LPCTSTR(m_strBaseKey));
        strPath = strSection + GetMRUListName();
    }
    else
    {
        strPath = m_strBaseKey + GetMRUListName();
    }
    return TRUE;
}

BOOL SECWorkspaceManagerEx::ReadMRUList(CStringList& list)
{
    CString strKey;
    if (!GetMRUKeyPath(strKey))
    {
        CWinApp* pApp = AfxGetApp();
        for (int i = 0; i < m_nMRUSize; ++i)
        {
            const CString strName = pApp->GetProfileString(GetMRUListName(), EntryName(i), _T(""));
            if (!strName.IsEmpty())
                list.AddTail(strName);
        }
        return TRUE;
    }
    SECRegistry registry;
    if (!registry.Connect(HKEY_CURRENT_USER) || !registry.Open(strKey, KEY_READ))
        return FALSE;
    for (int i = 0; i < m_nMRUSize; ++i)
    {
        CString strName;
        if (registry.GetValue(EntryName(i), strName))
            list.AddTail(strName);
    }
    return TRUE;
}

BOOL SECWorkspaceManagerEx::WriteMRUList(const CStringList& list)
{
    CString strKey;
    if (!GetMRUKeyPath(strKey))
    {
        CWinApp* pApp = AfxGetApp();
        pApp->WriteProfileString(GetMRUListName(), nullptr, nullptr);
        int n = 0;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr && n < m_nMRUSize; ++n)
            pApp->WriteProfileString(GetMRUListName(), EntryName(n), list.GetNext(pos));
        return TRUE;
    }
    SECRegistry registry;
    if (!registry.Connect(HKEY_CURRENT_USER))
        return FALSE;
    if (registry.Open(strKey, KEY_READ))
        registry.DeleteKey(strKey, FALSE);
    if (!registry.Create(strKey))
        return FALSE;
    int n = 0;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr && n < m_nMRUSize; ++n)
        registry.SetStringValue(EntryName(n), list.GetNext(pos));
    return TRUE;
}

int SECWorkspaceManagerEx::AddToMRUList(const CString& strName, CStringList& list)
{
    if (POSITION pos = list.Find(strName))
        list.RemoveAt(pos);
    list.AddHead(strName);
    while (list.GetCount() > m_nMRUSize)
        list.RemoveTail();
    return static_cast<int>(list.GetCount());
}

BOOL SECWorkspaceManagerEx::RemoveFromMRUList(const CString& strName)
{
    CStringList list;
    ReadMRUList(list);
    POSITION pos = list.Find(strName);
    if (pos == nullptr)
        return FALSE;
    list.RemoveAt(pos);
    return WriteMRUList(list);
}

BOOL SECWorkspaceManagerEx::GetWorkspaceName(CString& strName, BOOL bForSave)
{
    strName.Empty();
    if (m_bRegistry)
        return RunWorkspaceDialog(strName, !bForSave, bForSave);
    return RunFileDialog(strName, bForSave);
}

BOOL SECWorkspaceManagerEx::RunWorkspaceDialog(CString& strName, BOOL bOpen, BOOL bSave)
{
    CStringList mruList;
    ReadMRUList(mruList);
    CStringList edited;
    edited.AddTail(&mruList);
    CStringList deleted;
    const CString strBefore = m_strCurrentName;
    CString strCurrent = m_strCurrentName;
    SECWsMgrDialogEx dialog(mruList, edited, deleted, &strCurrent, bOpen, bSave, m_pFrame);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    ApplyWorkspaceEdits(mruList, edited, deleted);
    WriteMRUList(edited);
    // The current workspace may have been renamed or deleted in the dialog.
    strName = strCurrent == strBefore ? m_strCurrentName : strCurrent;
    return TRUE;
}

BOOL SECWorkspaceManagerEx::ApplyWorkspaceEdits(CStringList& mruList, CStringList& edited, CStringList& deleted)
{
    struct Rename
    {
        CString strOld;
        CString strNew;
        std::unique_ptr<SECPTNFactory> pFactory;
        SECPersistentTreeNode* pRoot;
    };
    SECRegistry registry;
    if (!registry.Connect(m_hKeyRoot))
        return FALSE;

    // Every renamed tree is read before any key changes, so that names passed on in a chain
    // ("A" to "C", then "B" to "A") lose nothing.
    std::vector<Rename> renames;
    for (POSITION posOld = mruList.GetHeadPosition(), posNew = edited.GetHeadPosition();
         posOld != nullptr && posNew != nullptr;)
    {
        const CString strOld = mruList.GetNext(posOld);
        const CString strNew = edited.GetNext(posNew);
        if (SameKey(strOld, strNew))
            continue;
        Rename rename{strOld, strNew, std::make_unique<SECPTNFactory>(), nullptr};
        rename.pRoot = LoadWorkspaceTree(*rename.pFactory, strOld);
        if (rename.pRoot != nullptr)
            renames.push_back(std::move(rename));
    }
    BOOL bResult = TRUE;
    for (const Rename& rename : renames)
        registry.DeleteKey(m_strBaseKey + rename.strOld, TRUE);
    for (const Rename& rename : renames)
    {
        SECPTNStrategyRegistry store(m_strBaseKey + rename.strNew, m_hKeyRoot);
        bResult = rename.pRoot->SaveTree(&store) && bResult;
        if (SameKey(rename.strOld, m_strCurrentName))
            m_strCurrentName = rename.strNew;
    }
    // A name that a renamed workspace took over is that workspace now.
    for (POSITION pos = deleted.GetHeadPosition(); pos != nullptr;)
    {
        const CString strName = deleted.GetNext(pos);
        if (ListHasKey(edited, strName))
            continue;
        registry.DeleteKey(m_strBaseKey + strName, TRUE);
        if (SameKey(strName, m_strCurrentName))
        {
            m_strCurrentName.Empty();
            m_bOpen = FALSE;
        }
    }
    return bResult;
}

BOOL SECWorkspaceManagerEx::RunFileDialog(CString& strName, BOOL bForSave)
{
    CString strWorkspaces;
    CString strAll;
    strWorkspaces.LoadString(IDS_SEC_WS_FILTER_WORKSPACES);
    strAll.LoadString(IDS_SEC_WS_FILTER_ALL);
    CString strFilter;
    strFilter.Format(_T("%s (%s)|%s|%s (%s)|%s||"), LPCTSTR(strWorkspaces), LPCTSTR(m_strFileFilter),
                     LPCTSTR(m_strFileFilter), LPCTSTR(strAll), _T("*.*"), _T("*.*"));
    // The extension of the filter's pattern: "wsp" of "*.wsp".
    CString strDefExt = m_strFileFilter;
    const int nDot = strDefExt.ReverseFind(_T('.'));
    strDefExt = nDot >= 0 ? strDefExt.Mid(nDot + 1) : CString();
    DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    if (!bForSave)
        dwFlags |= OFN_FILEMUSTEXIST;
    CFileDialog dialog(!bForSave, strDefExt.IsEmpty() ? nullptr : LPCTSTR(strDefExt), nullptr, dwFlags, strFilter,
                       m_pFrame);
    CString strTitle;
    strTitle.LoadString(bForSave ? IDS_SEC_WS_SAVE_TITLE : IDS_SEC_WS_OPEN_TITLE);
    dialog.m_ofn.lpstrTitle = strTitle;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    strName = dialog.GetPathName();
    return TRUE;
}
} // namespace tarnwick::workspace
