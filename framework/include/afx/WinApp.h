// The application object: its message loop, message boxes, resources and profile settings,
// kept in the registry under HKCU\Software\<registry key>\<profile name> or, without a
// registry key, in an .ini file.
#pragma once

#include <afxcoll.h>

class CDocTemplate;
class CDocument;
class CPrintDialog;
struct CPrintInfo;

// What the help commands ask for: WinHelp files or HTML help.
enum AFX_HELP_TYPE
{
    afxWinHelp = 0,
    afxHTMLHelp = 1,
};

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // There is one application object; it belongs to the thread that constructs it.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    BOOL InitInstance() override;
    // Without a main window there is nothing to wait for: the loop ends at once.
    int Run() override;

    // Message boxes of AfxMessageBox come here: owned by the active window of the
    // application, titled with its name, with a default icon for the buttons.
    // Document templates, in the order added; the application deletes them.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& rPosition) const;
    // Closes the documents of every template.
    virtual void CloseAllDocuments(BOOL bEndSession);
    // ID_FILE_NEW: a new document of the first template.
    afx_msg void OnFileNew();
    // Opens the file as a document of the first template; NULL when that fails.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    // ID_APP_EXIT: closes the main window, which ends the message loop.
    afx_msg void OnAppExit();

    // The help type is only recorded: the main frame's help hook decides what help shows.
    void EnableHtmlHelp();
    AFX_HELP_TYPE m_eHelpType;

    // The process's arguments after the program name, one ParseParam call each.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Does what the command line asks: a new document (through ID_FILE_NEW), the file's
    // document, or nothing. FALSE when it fails or asks for a command that this framework
    // does not carry out (printing, DDE, registration): the program should end.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // The application's printer: DEVMODE and DEVNAMES blocks that the application owns, NULL
    // until a printer is chosen or the system's default is first asked for.
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
    // Shows the print dialog on the application's printer; the printer the user picks becomes
    // the application's. IDOK or IDCANCEL.
    INT_PTR DoPrintDialog(CPrintDialog* pPD);
    // The application's printer blocks into the record (the system's default printer when none
    // was chosen); FALSE when there is no printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg);
    // The blocks become the application's; the old ones are freed unless bFreeOld is FALSE.
    void SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode, BOOL bFreeOld = TRUE);
    // A DC for the application's printer attached to dc; FALSE without a printer.
    BOOL CreatePrinterDC(CDC& dc);
    // The printing DC of a print job or preview, which the job deletes: for a preview or a
    // direct job the application's printer, else the one the print dialog returns. Without a
    // printer the user is told so; NULL then and when the dialog is cancelled. Tests put a
    // stand-in printer here.
    virtual CDC* CreatePrintJobDC(CPrintInfo* pInfo);
    // ID_FILE_PRINT_SETUP: the printer set-up dialog.
    afx_msg void OnFilePrintSetup();

    // nCode 1 begins and -1 ends a wait cursor, 0 shows it again while one is counted;
    // the cursor from before the first one comes back at the end.
    virtual void DoWaitCursor(int nCode);
    int m_nWaitCursorCount;
    HCURSOR m_hcurWaitCursorRestore;

    // Icons and cursors of the resources (AfxGetResourceHandle), of the system (IDI_, IDC_)
    // and the OEM ones (OIC_, OCR_); NULL when missing.
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
    HICON LoadOEMIcon(UINT nIDIcon) const;
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HCURSOR LoadOEMCursor(UINT nIDCursor) const;

    // Registry keys that the caller closes; NULL when they cannot be opened or created.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);

    // Missing values, and values of another type, give the defaults.
    virtual UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    virtual CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // *ppData is allocated with new BYTE[] and deleted by the caller; NULL when FALSE.
    virtual BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    virtual BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    // A NULL entry deletes the section with everything in it; a NULL value deletes the entry.
    virtual BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    virtual BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // Owned copies made with _tcsdup: replace them with free() and _tcsdup().
    LPCTSTR m_pszAppName;
    LPCTSTR m_pszRegistryKey;
    LPCTSTR m_pszProfileName;
    LPCTSTR m_pszExeName;
    HINSTANCE m_hInstance;
    // From the entry point (AfxWinInit): the command line after the program name, and how
    // to show the main window.
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;

protected:
    CPtrList m_templateList;
    // Asks the system for its default printer when the application has none yet, or always
    // when bForceDefaults is set.
    void UpdatePrinterSelection(BOOL bForceDefaults);

    DECLARE_MESSAGE_MAP()

    // Moves the settings to the registry under the company key, in the application's name.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    // The key is a string resource of the executable; CResourceException when it is missing.
    void SetRegistryKey(UINT nIDRegistryKey);
};

CWinApp* AFXAPI AfxGetApp();
// NULL while there is no application object.
LPCTSTR AFXAPI AfxGetAppName();

// The module of the executable, and the module whose resources the framework loads (the
// same one unless changed).
HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The module that holds the resource: the resource module, else the executable's; the resource
// module when neither has it.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

// The framework's start-up: the entry point's values go to the application object.
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// The program: the application's InitInstance, then its Run, whose result is the exit code;
// a failed InitInstance destroys a main window it made and returns ExitInstance.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
