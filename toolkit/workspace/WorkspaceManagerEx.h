// The workspace manager: a plug-in of the main frame that saves and restores the frame's whole
// visible state as a named workspace, in the registry or in a profile file.
#pragma once

#include <toolkit/foundation/WndPlugIn.h>

#include <afxcoll.h>

namespace tarnwick::workspace
{
class SECPersistentTreeNode;
class SECPTNFactory;
class SECPTNStrategy;

class SECWorkspaceManagerEx : public foundation::SECWndPlugIn
{
    DECLARE_DYNCREATE(SECWorkspaceManagerEx)
public:
    SECWorkspaceManagerEx();

    // A change of store forgets the open workspace.
    virtual void SetStorageMode(BOOL bRegistry, BOOL bApplicationKey);
    // The base key always ends with '\'.
    virtual void Initialize(LPCTSTR lpszBaseKey, BOOL bRegistry, HKEY hKeyRoot, BOOL bApplicationKey);
    // Forgets the open workspace and closes every document frame.
    virtual BOOL CloseWorkspace();
    // An empty name asks for one. A workspace that could not be written leaves the current
    // name, the open flag and the list of recent workspaces as they were.
    virtual BOOL SaveWorkspace(CString strName);
    virtual BOOL SaveActiveWorkspace();
    // An empty name asks for one. A workspace that cannot be read is dropped from the list of
    // recent workspaces, with a message unless bQuiet, and the frames stay as they were.
    virtual BOOL OpenWorkspace(CString strName, BOOL bQuiet);
    virtual BOOL OpenWorkspaceInteractive(BOOL bMostRecent, BOOL bQuiet);
    // The caller deletes the store.
    virtual SECPTNStrategy* CreateStrategy(const CString& strName);
    virtual BOOL LoadDockState(SECPersistentTreeNode* pRoot);
    virtual BOOL LoadFrames(SECPersistentTreeNode* pRoot, CFrameWnd** ppActive);
    virtual BOOL SaveDockState(SECPTNFactory& factory, SECPersistentTreeNode* pRoot);
    virtual BOOL SaveFrames(SECPTNFactory& factory, SECPersistentTreeNode* pRoot);
    // FALSE when no name was chosen.
    virtual BOOL GetWorkspaceName(CString& strName, BOOL bForSave);
    virtual void OnWorkspaceLoaded(SECPersistentTreeNode* pRoot, const CString& strName);
    virtual void OnWorkspaceSaving(SECPTNFactory& factory, SECPersistentTreeNode* pRoot, const CString& strName);
    virtual BOOL CloseAllFrames();
    virtual BOOL CloseControlBars(CPtrList& list, CFrameWnd* pFrame);
    virtual BOOL LoadAdditionalView(CDocument* pDoc, CFrameWnd* pFrame, SECPersistentTreeNode* pNode);
    virtual SECPersistentTreeNode* SaveAdditionalView(CDocument* pDoc, CView* pView, CFrameWnd* pFrame,
                                                      SECPTNFactory& factory, SECPersistentTreeNode* pFrameNode,
                                                      int nIndex);
    virtual BOOL LoadMainFrame(SECPersistentTreeNode* pFramesNode);
    virtual BOOL SaveMainFrame(SECPTNFactory& factory, SECPersistentTreeNode* pFramesNode);
    virtual BOOL LoadChildFrames(SECPersistentTreeNode* pFramesNode, CFrameWnd** ppActive);
    virtual BOOL SaveChildFrames(SECPTNFactory& factory, SECPersistentTreeNode* pFramesNode, CFrameWnd* pActive);
    virtual void LoadChildFrame(SECPersistentTreeNode* pNode, CDocument** ppDoc, CFrameWnd** ppLastFrame,
                                CFrameWnd** ppActive);
    // NULL when the frame is left out (its document has no path after the chance to save it).
    virtual SECPersistentTreeNode* SaveChildFrame(CDocument* pDoc, CView* pView, CFrameWnd* pFrame, CFrameWnd* pActive,
                                                  SECPTNFactory& factory, SECPersistentTreeNode* pDocumentNode,
                                                  int nIndex);
    // FALSE unless the frame is a docked document frame.
    virtual BOOL SaveDockedView(CFrameWnd* pFrame, SECPersistentTreeNode* pNode);
    virtual void SaveDockedViewFloating(CControlBar* pBar, SECPersistentTreeNode* pNode);
    // A modified or untitled document gets the chance to be saved.
    virtual BOOL PrepareDocumentForSave(CFrameWnd* pFrame, CDocument* pDoc);
    virtual CFrameWnd* OpenDocument(CDocTemplate* pTemplate, const CString& strPath, CDocument** ppDoc);
    virtual CDocument* OpenDockedView(SECPersistentTreeNode* pNode, CDocTemplate* pTemplate, const CString& strPath);
    // pWnd: the bar, or a window inside it; NULL: the bar of the document's first view.
    virtual BOOL LoadDockedViewFloating(CWnd* pWnd, SECPersistentTreeNode* pNode, CDocument* pDoc);
    virtual BOOL LoadDockedViewFloatingForDocument(SECPersistentTreeNode* pNode, CDocument* pDoc);
    virtual CFrameWnd* CreateNewFrame(CDocTemplate* pTemplate, CDocument* pDoc, CFrameWnd* pOther);
    virtual CFrameWnd* CreateDockedViewFrame(SECPersistentTreeNode* pNode, CDocTemplate* pTemplate, CDocument* pDoc,
                                             CFrameWnd* pOther);
    virtual void ActivateChildFrame(CFrameWnd* pFrame);
    virtual BOOL ReadMRUList(CStringList& list);
    virtual CString GetMRUListName() const;
    virtual BOOL WriteMRUList(const CStringList& list);
    // The name at the head, once (compared exactly), the list cut to the MRU size; the count.
    virtual int AddToMRUList(const CString& strName, CStringList& list);
    virtual BOOL RemoveFromMRUList(const CString& strName);
    virtual BOOL RunWorkspaceDialog(CString& strName, BOOL bOpen, BOOL bSave);
    // Renames stored workspaces by copying and deleting, then deletes the deleted ones. Names
    // equal but for letter case name one key; no workspace in the final list is deleted.
    virtual BOOL ApplyWorkspaceEdits(CStringList& mruList, CStringList& edited, CStringList& deleted);
    virtual BOOL RunFileDialog(CString& strName, BOOL bForSave);

    // Remembers the frame when plugging in succeeds.
    BOOL PlugInTo(CWnd* pHost) override;

    CFrameWnd* GetFrame() const
    {
        return m_pFrame;
    }
    const CString& GetBaseKey() const
    {
        return m_strBaseKey;
    }
    HKEY GetRootKey() const
    {
        return m_hKeyRoot;
    }
    BOOL IsRegistryMode() const
    {
        return m_bRegistry;
    }
    BOOL IsApplicationKey() const
    {
        return m_bApplicationKey;
    }
    BOOL IsWorkspaceOpen() const
    {
        return m_bOpen;
    }
    const CString& GetCurrentName() const
    {
        return m_strCurrentName;
    }
    const CString& GetFileFilter() const
    {
        return m_strFileFilter;
    }
    int GetMRUSize() const
    {
        return m_nMRUSize;
    }

    static constexpr int DEFAULT_MRU_SIZE = 8;

protected:
    afx_msg void OnOpenWorkspace();
    afx_msg void OnSaveWorkspace();
    afx_msg void OnCloseWorkspace();
    afx_msg void OnSaveWorkspaceAs();
    afx_msg void OnOpenRecentWorkspace(UINT nID);
    afx_msg void OnUpdateLeaveAsItIs(CCmdUI* pCmdUI);
    afx_msg void OnUpdateCloseWorkspace(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRecentWorkspaces(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // Loads the tree stored under the name into the factory: the current form first, else
    // the older one; NULL when neither reads.
    SECPersistentTreeNode* LoadWorkspaceTree(SECPTNFactory& factory, const CString& strName);
    // The failure paths of an open show the frame as the application starts it.
    void ShowFrame();
    // The frame's placement applied with the show command.
    void ApplyFramePlacement(int nShowCmd);
    // Hides every bar of the frame before a workspace rebuilds them.
    void HideControlBars();
    // Makes a document frame the active one, a docked one through the frame's docked-frame
    // activation.
    void ActivateFrame(CFrameWnd* pFrame);
    // After a failed save: the system's text for the error in a box.
    void ReportSaveFailure();
    // The list's key under HKEY_CURRENT_USER; FALSE when the application keeps its settings in
    // a profile file, where the list is a section.
    BOOL GetMRUKeyPath(CString& strPath) const;

    CFrameWnd* m_pFrame;
    CString m_strCurrentName;
    BOOL m_bOpen;
    CString m_strFileFilter;
    CString m_strBaseKey;
    HKEY m_hKeyRoot;
    BOOL m_bRegistry;
    BOOL m_bApplicationKey;
    int m_nActiveShowCommand;
    int m_nMRUSize;
    // The error of the last save's tree write, 0 when it succeeded.
    DWORD m_dwSaveError;
};
} // namespace tarnwick::workspace
