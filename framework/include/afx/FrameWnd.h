// Frame windows: the window around views and control bars. A frame lays out its bars and
// its view, routes commands through the active view and its document, updates its menu and
// title and translates its accelerators.
#pragma once

#include <afxres.h>

class CView;
class CControlBar;
class CDockBar;
class CMiniDockFrameWnd;
class CDocument;
class CDocTemplate;
struct CPrintPreviewState;

// Frame styles beyond the window styles: the document's name goes into the title, before the
// frame's own title with FWS_PREFIXTITLE.
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
// A frame sized to fit its control bars.
#define FWS_SNAPTOBARS 0x00002000L

// The iSubString-th part of a string separated by chSep; FALSE (and empty) when there is none.
BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep = '\n');

// Sets the text unless it is there already, which saves the repaint and the messages.
void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew);

// What a frame is created for: the view class to make and the document it shows.
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    // The system's default position and size.
    static const CRect rectDefault;

    CFrameWnd();

    // The menu is a resource name of the resource module; pContext reaches OnCreateClient.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // Menu, icon, accelerators and title (the string's part before the first '\n') share the
    // resource id; only the menu must exist.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);

    // Layout: the control bars take their share, the view (AFX_IDW_PANE_FIRST) the rest.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Leaves the layout to the next idle time.
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    // Border space around the view that an embedded tool asks for.
    enum BorderCmd
    {
        borderGet = 1,
        borderRequest = 2,
        borderSet = 3
    };
    // borderGet: the client rectangle less the bars; borderRequest: TRUE when the border fits
    // in it; borderSet: keeps the border (null: none) free of the view from the next layout on.
    // FALSE for another command.
    virtual BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);
    // m_nIdleFlags: what the next WM_IDLEUPDATECMDUI does.
    enum
    {
        idleMenu = 1,
        idleTitle = 2,
        idleNotify = 4,
        idleLayout = 8
    };
    UINT m_nIdleFlags;

    // The view that gets commands first; bNotify tells both views through OnActivateView.
    virtual CView* GetActiveView() const;
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    // This frame; an MDI frame gives its active child.
    virtual CFrameWnd* GetActiveFrame();

    // Title: m_strTitle with the active document's title when FWS_ADDTOTITLE is set.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    // Leaves the title to the next idle time.
    void DelayUpdateFrameTitle();
    void SetTitle(LPCTSTR lpszTitle);
    CString GetTitle() const;
    // The window number shown after the document name (":2"), when above 0.
    int m_nWindow;

    // Shown in the status bar (the child AFX_IDW_STATUS_BAR), through WM_SETMESSAGESTRING.
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);

    // Print preview: entering hides the menu and the shown control bars into the state,
    // leaving shows them again.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);

    // Shows and activates the frame; -1 shows it as it was created.
    virtual void ActivateFrame(int nCmdShow = -1);
    // Sends WM_INITIALUPDATE to the views, activates a view when none is active yet and
    // shows the frame when bMakeVisible.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Makes the context's view as the pane.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // Menu items and commands without a handler are disabled.
    BOOL m_bAutoMenuEnable;
    HACCEL m_hAccelTable;
    // The menu made by LoadFrame, which an MDI frame shows while no child is active; the
    // frame destroys it.
    HMENU m_hMenuDefault;
    UINT m_nIDHelp;
    virtual HACCEL GetDefaultAccelerator();

    // Docking. EnableDocking makes the dock bars of the sides that dwDockStyle names
    // (CBRS_ALIGN_*); DockControlBar docks a bar into the dock bar of that id (0: the one of
    // the bar's alignment) or into pDockBar, at lpRect (screen coordinates) or at the end.
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    virtual void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Floats the bar in a floating frame at point (screen): its own frame moves when the bar is
    // alone in it with an alignment of dwStyle, else a new frame of m_pFloatingFrameClass.
    virtual void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = 0x2000L /* CBRS_ALIGN_TOP */);
    // Docks the bar back where its placeholder stands (in pDockBar, else the dock bar that
    // keeps one, else the one of its alignment), or at lpRect (screen).
    virtual void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    // The class of the floating frames; CMiniDockFrameWnd by default.
    CRuntimeClass* m_pFloatingFrameClass;
    // Sends WM_FLOATSTATUS (FS_*) to the floating frames of this frame's bars.
    void NotifyFloatingWindows(DWORD dwFlags);
    // Shows or hides a bar at once, or with bDelay at the next layout.
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // The bar with this child id among the frame's bars; NULL for 0 or none.
    CControlBar* GetControlBar(UINT nID);
    // The dock styles of the first visible dock bar that rect (screen) touches and that
    // dwDockStyle allows; 0 when none.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
    // Bars register themselves when they are created with this frame as parent.
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    CPtrList m_listControlBars;

    // Help mode (ID_CONTEXT_HELP): the help cursor and prompt until a click names a help
    // context, which goes to WinHelp, or until Escape or WM_EXITHELPMODE.
    BOOL m_bHelpMode;
    virtual BOOL CanEnterHelpMode();
    // One message of help mode: FALSE ends it, with *pContext the help context (0 for none).
    virtual BOOL ProcessHelpMsg(MSG& msg, DWORD* pContext);
    // The help hook: the application shows help for dwData here; by default nothing, as the
    // system has no help file.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    BOOL IsFrameWnd() const override;
    // View (then its document and template), this frame, then the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    CView* m_pViewActive;
    CString m_strTitle;
    // The border widths kept free around the view (NegotiateBorderSpace).
    CRect m_rectBorder;

    // LoadFrame's first step: the title from the resource's string, and a window class with
    // the resource's icon (NULL for the default class when there is no icon).
    LPCTSTR LoadTitleAndIconClass(UINT nIDResource);
    // The document's name with the window number (":2") when there is one.
    CString DocumentTitleWithNumber(LPCTSTR lpszDocName) const;
    // OnCreateClient, then the first layout; -1 when the client cannot be made.
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // Frames are made with new: the object goes with its window.
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    // Closes the document when this is its last frame, else just this frame.
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnContextHelp();
    // ID_HELP: help on the frame's own resource; ID_HELP_FINDER (and ID_DEFAULT_HELP where a
    // frame binds it): the help file's contents. Both go to WinHelp.
    afx_msg void OnHelp();
    afx_msg void OnHelpFinder();
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    // The View menu's bar toggles: the command id is the bar's child id.
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);
    // The key indicators of the status bar are enabled while their key is on.
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    // A tool's tip is the part after '\n' of its command's string.
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    // Dock bars (and the bars in them) go before the frame.
    void DestroyDockBars();

    DECLARE_MESSAGE_MAP()
};
