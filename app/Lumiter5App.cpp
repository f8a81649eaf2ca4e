#include <app/Lumiter5App.h>

#include <app/AboutDlg.h>
#include <app/ChildFrame.h>
#include <app/Lumiter5Doc.h>
#include <app/Lumiter5View.h>
#include <app/MainFrame.h>
#include <app/resource.h>

#include <grid/core/GridInit.h>
#include <grid/services/ControlFactory.h>
#include <nwrfc/Binding.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/tabs/SplashWnd.h>

#include <clocale>

using tarnwick::tabs::SECSplashWnd;

namespace
{
constexpr LPCTSTR REGISTRY_KEY = _T("ZOL\\LumiterSAP");
// Overlapped window with caption, system menu, thick frame, minimise and maximise boxes, and
// the document's title in the caption.
constexpr DWORD MAIN_FRAME_STYLE = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;
static_assert(MAIN_FRAME_STYLE == 0xCF8000);
constexpr UINT SPLASH_MILLISECONDS = 2500;
// The source under which start-up reports in the output window.
constexpr LPCTSTR START_SOURCE = _T("Lumiter5");
} // namespace

// Session > Start is the framework's new document; Stop reaches the document's close.
BEGIN_MESSAGE_MAP(CLumiter5App, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
END_MESSAGE_MAP()

CLumiter5App::CLumiter5App() : m_pMainFrame(nullptr)
{
    EnableHtmlHelp();
}

CLumiter5App::~CLumiter5App() = default;

BOOL CLumiter5App::InitInstance()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), 0xFF};
    ::InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    // A locale the C library does not know leaves the name empty.
    const wchar_t* pszLocale = _wsetlocale(LC_ALL, _T("English"));
    m_strLocale = pszLocale != nullptr ? pszLocale : L"";
    GXInit(new CGXControlFactory);
    SetRegistryKey(REGISTRY_KEY);
    SECSelectVisualStyle(TRUE);

    AddDocTemplate(new CMultiDocTemplate(IDR_LUMITER5TYPE, RUNTIME_CLASS(CLumiter5Doc), RUNTIME_CLASS(CChildFrame),
                                         RUNTIME_CLASS(CLumiter5View)));

    m_pMainFrame = new CMainFrame;
    if (!m_pMainFrame->LoadFrame(IDR_MAINFRAME, MAIN_FRAME_STYLE, nullptr))
    {
        // A frame whose window cannot be created has deleted itself, as every frame does when
        // its window goes.
        m_pMainFrame = nullptr;
        return FALSE;
    }
    m_pMainWnd = m_pMainFrame;
    ShowSplash();

    // The command line never opens a document nor starts a session.
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    cmdInfo.m_nShellCommand = CCommandLineInfo::FileNothing;
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    m_pMainFrame->ShowWindow(m_nCmdShow);
    m_pMainFrame->UpdateWindow();
    m_pMainFrame->Log(START_SOURCE, nwrfc::CBinding::Process().Describe());
    GatherPcInfo();
    return TRUE;
}

void CLumiter5App::ShowSplash()
{
    // The window deletes itself when it closes: after its time, or at a key or button press.
    auto* pSplash = new SECSplashWnd(IDB_SPLASH, SPLASH_MILLISECONDS, TRUE, TRUE);
    pSplash->SetCloseOnInput(TRUE);
    if (pSplash->Create(nullptr, WS_POPUP | WS_VISIBLE, 0))
        pSplash->StartTimeout();
}

void CLumiter5App::GatherPcInfo()
{
    m_PcInfo.GetOsVersion();
    m_PcInfo.GetProcessorInfo();
    m_PcInfo.GetMemoryInfo();
    m_PcInfo.GetCurrentTime();
    m_PcInfo.GetSystemMetrics();
    m_PcInfo.GetDisplayInfo();
}

void CLumiter5App::OnAppAbout()
{
    CAboutDlg dialog;
    dialog.DoModal();
}
