// The multiple-document interface: a main frame whose MDI client holds child frames; the
// active child's menu replaces the frame's own and its commands come first.
#pragma once

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

    // The MDI client, made by OnCreateClient; NULL again from the frame's WM_DESTROY on.
    HWND m_hWndMDIClient;

    // Makes the MDI client; the children's names are listed in pWindowMenu.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    // The pop-up of the menu bar that lists the children: the one with the MDI window
    // commands, else the second to last one.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    void MDICascade();
    void MDICascade(int nType);
    void MDITile();
    void MDITile(int nType);
    void MDIIconArrange();
    // The previous frame menu.
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);
    // Shows hMenuAlt, or the default menu when NULL, with the window pop-up of the new menu.
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    // The document's title joins the frame's only while the active child is not maximised:
    // the system shows a maximised child's title in brackets itself.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    CFrameWnd* GetActiveFrame() override;
    // The active child's document.
    CDocument* GetActiveDocument() override;
    // The active child's accelerators, else the frame's.
    HACCEL GetDefaultAccelerator() override;
    // The active child, then this frame's own routing.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // DefFrameProc with the MDI client.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();

    // Created through the MDI client of pParentWnd (the main window when NULL).
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // The menu and accelerators are the document template's shared ones when there is one.
    BOOL LoadFrame(UINT nIDResource,
                   DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    CMDIFrameWnd* GetMDIFrame();
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();
    // MDI children are destroyed through their client.
    BOOL DestroyWindow() override;

    // The menu shown in the main frame while this child is active.
    HMENU m_hMenuShared;
    virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
    // The child shows the document's title and number; the main frame's title follows.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // The creation context comes inside the MDICREATESTRUCT.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    // Maximising or restoring changes which title the frame shows.
    afx_msg void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()
};
