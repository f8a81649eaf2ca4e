#include <afxwin.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
END_MESSAGE_MAP()

namespace
{
std::atomic<CWinApp*> g_pApp{nullptr};
std::atomic<HINSTANCE> g_hResource{nullptr};

void ReplaceString(LPCTSTR& pszMember, LPCTSTR lpszValue)
{
    LPTSTR pszCopy = nullptr;
    if (lpszValue != nullptr && (pszCopy = _tcsdup(lpszValue)) == nullptr)
        AfxThrowMemoryException();
    std::free(const_cast<LPTSTR>(pszMember));
    pszMember = pszCopy;
}

// The executable's file name without folder and extension.
CString ModuleBaseName()
{
    CString path;
    for (DWORD size = MAX_PATH;; size *= 2)
    {
        const DWORD length = ::GetModuleFileName(nullptr, path.GetBuffer(size), size);
        path.ReleaseBuffer(length < size ? length : 0);
        if (length < size)
            break;
    }
    CString name = path.Mid(path.ReverseFind(_T('\\')) + 1);
    const int dot = name.ReverseFind(_T('.'));
    return dot < 0 ? name : name.Left(dot);
}

CString AppKeyPath(const CWinApp& app)
{
    return CString(_T("Software\\")) + app.m_pszRegistryKey + _T('\\') + app.m_pszProfileName;
}

CString SectionKeyPath(const CWinApp& app, LPCTSTR lpszSection)
{
    return AppKeyPath(app) + _T('\\') + lpszSection;
}

// Reads a string or binary value without creating keys, growing the buffer until it fits.
std::optional<std::vector<BYTE>> ReadVariableValue(const CString& keyPath, LPCTSTR lpszEntry, DWORD dwFlags)
{
    std::vector<BYTE> data;
    for (;;)
    {
        DWORD size = static_cast<DWORD>(data.size());
        const LONG result = ::RegGetValue(HKEY_CURRENT_USER, keyPath, lpszEntry, dwFlags, nullptr,
                                          data.empty() ? nullptr : data.data(), &size);
        if (result == ERROR_SUCCESS && (!data.empty() || size == 0))
        {
            data.resize(size);
            return data;
        }
        if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA)
            return std::nullopt;
        data.resize(size);
    }
}

// Runs one registry operation on a key and closes it.
template <typename Operation> BOOL WithKey(HKEY hKey, Operation operation)
{
    if (hKey == nullptr)
        return FALSE;
    const LONG result = operation(hKey);
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS;
}

BOOL SetValue(HKEY hKey, LPCTSTR lpszEntry, DWORD dwType, const void* pData, DWORD cbData)
{
    return WithKey(hKey, [&](HKEY hOpen) {
        return ::RegSetValueEx(hOpen, lpszEntry, 0, dwType, static_cast<const BYTE*>(pData), cbData);
    });
}

LPBYTE CopyBytes(const BYTE* pData, size_t nBytes)
{
    auto* pCopy = new BYTE[nBytes];
    std::copy(pData, pData + nBytes, pCopy);
    return pCopy;
}

// Binary values in an .ini file are hex text, two digits a byte.
CString ToHex(const BYTE* pData, UINT nBytes)
{
    CString text;
    for (UINT i = 0; i < nBytes; ++i)
        text.AppendFormat(_T("%02X"), pData[i]);
    return text;
}

std::optional<std::vector<BYTE>> FromHex(const CString& text)
{
    const auto digit = [](wchar_t ch) -> int {
        if (ch >= _T('0') && ch <= _T('9'))
            return ch - _T('0');
        if (ch >= _T('A') && ch <= _T('F'))
            return ch - _T('A') + 10;
        if (ch >= _T('a') && ch <= _T('f'))
            return ch - _T('a') + 10;
        return -1;
    };
    if (text.GetLength() % 2 != 0)
        return std::nullopt;
    std::vector<BYTE> data;
    for (int i = 0; i < text.GetLength(); i += 2)
    {
        const int high = digit(text[i]), low = digit(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        data.push_back(static_cast<BYTE>(high << 4 | low));
    }
    return data;
}

// Centres the thread's message box over its owner as it is activated, when it has its size:
// the system places a box before it sizes it, which leaves the box's top-left corner at the
// owner's centre, over the buttons of the dialog it answers.
class MessageBoxCentring
{
public:
    MessageBoxCentring()
        : m_hHook(::SetWindowsHookEx(WH_CBT, &MessageBoxCentring::OnCbt, nullptr, ::GetCurrentThreadId())),
          m_pOuter(std::exchange(t_pCentring, this))
    {
    }
    ~MessageBoxCentring()
    {
        t_pCentring = m_pOuter;
        if (m_hHook != nullptr)
            ::UnhookWindowsHookEx(m_hHook);
    }
    MessageBoxCentring(const MessageBoxCentring&) = delete;
    MessageBoxCentring& operator=(const MessageBoxCentring&) = delete;

private:
    static inline thread_local MessageBoxCentring* t_pCentring = nullptr;
    HHOOK m_hHook;
    MessageBoxCentring* m_pOuter;
    bool m_bDone = false;

    static LRESULT CALLBACK OnCbt(int nCode, WPARAM wParam, LPARAM lParam)
    {
        MessageBoxCentring* pCentring = t_pCentring;
        if (nCode == HCBT_ACTIVATE && pCentring != nullptr && !pCentring->m_bDone)
        {
            const auto hWnd = reinterpret_cast<HWND>(wParam);
            TCHAR szClass[8] = {};
            ::GetClassName(hWnd, szClass, _countof(szClass));
            if (::lstrcmp(szClass, _T("#32770")) == 0)
            {
                pCentring->m_bDone = true;
                CWnd::FromHandle(hWnd)->CenterWindow(CWnd::FromHandle(::GetWindow(hWnd, GW_OWNER)));
            }
        }
        return ::CallNextHookEx(pCentring != nullptr ? pCentring->m_hHook : nullptr, nCode, wParam, lParam);
    }
};

int ShowMessageBox(LPCTSTR lpszPrompt, UINT nType, LPCTSTR lpszCaption)
{
    // The box is modal to the application's window; the top-level window above its owner is
    // disabled meanwhile.
    HWND hWndTop = nullptr;
    const HWND hWndOwner = CWnd::GetSafeOwner(nullptr, &hWndTop)->GetSafeHwnd();
    if ((nType & MB_ICONMASK) == 0)
    {
        switch (nType & MB_TYPEMASK)
        {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        }
    }
    int nResult = 0;
    {
        MessageBoxCentring centring;
        nResult = ::MessageBox(hWndOwner, lpszPrompt, lpszCaption, nType);
    }
    if (hWndTop != nullptr)
        ::EnableWindow(hWndTop, TRUE);
    return nResult;
}
} // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_eHelpType(afxWinHelp), m_nWaitCursorCount(0), m_hcurWaitCursorRestore(nullptr), m_pszAppName(nullptr), m_pszRegistryKey(nullptr),
      m_pszProfileName(nullptr), m_pszExeName(nullptr), m_hInstance(::GetModuleHandle(nullptr)), m_lpCmdLine(nullptr),
      m_nCmdShow(SW_SHOWNORMAL)
{
    ASSERT(g_pApp == nullptr);
    const CString exeName = ModuleBaseName();
    ReplaceString(m_pszExeName, exeName);
    ReplaceString(m_pszAppName, lpszAppName != nullptr ? lpszAppName : exeName.GetString());
    // Without a registry key the settings go to <exe>.INI, which Windows looks for in its
    // own folder.
    ReplaceString(m_pszProfileName, exeName + _T(".INI"));

    // A real handle, so that other threads can wait on the application's thread too.
    HANDLE hThread = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &hThread, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
    m_hThread = hThread;
    m_nThreadID = ::GetCurrentThreadId();
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    CWinApp* pThis = this;
    g_pApp.compare_exchange_strong(pThis, nullptr);
    while (!m_templateList.IsEmpty())
        delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
    for (LPCTSTR* ppsz : {&m_pszAppName, &m_pszRegistryKey, &m_pszProfileName, &m_pszExeName})
        ReplaceString(*ppsz, nullptr);
    SelectPrinter(nullptr, nullptr);
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    if (m_pMainWnd == nullptr)
        ::PostQuitMessage(0);
    return CWinThread::Run();
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    m_templateList.AddTail(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& rPosition) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(rPosition));
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

void CWinApp::OnFileNew()
{
    if (!m_templateList.IsEmpty())
        static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(nullptr);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (m_templateList.IsEmpty())
        return nullptr;
    return static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(lpszFileName);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::EnableHtmlHelp()
{
    m_eHelpType = afxHTMLHelp;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    int nArgs = 0;
    LPWSTR* ppszArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    if (ppszArgs == nullptr)
        return;
    for (int i = 1; i < nArgs; ++i)
    {
        const TCHAR* pszParam = ppszArgs[i];
        const BOOL bFlag = pszParam[0] == _T('-') || pszParam[0] == _T('/');
        rCmdInfo.ParseParam(bFlag ? pszParam + 1 : pszParam, bFlag, i == nArgs - 1);
    }
    ::LocalFree(ppszArgs);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand)
    {
    case CCommandLineInfo::FileNew:
        // The application's own ID_FILE_NEW handler, else the default.
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    default:
        return FALSE;
    }
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    return ShowMessageBox(lpszPrompt, nType, m_pszAppName);
}

void CWinApp::DoWaitCursor(int nCode)
{
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0)
    {
        // The system's shared cursor: loaded once, as loading it costs more than setting it.
        static const HCURSOR hcurWait = ::LoadCursor(nullptr, IDC_WAIT);
        const HCURSOR hcurPrevious = ::SetCursor(hcurWait);
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = hcurPrevious;
    }
    else
    {
        // More ends than begins must not leave the count below zero.
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore);
    }
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIcon(AfxGetResourceHandle(), lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIcon(MAKEINTRESOURCE(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const
{
    return ::LoadIcon(nullptr, lpszIconName);
}

HICON CWinApp::LoadOEMIcon(UINT nIDIcon) const
{
    return static_cast<HICON>(
        ::LoadImage(nullptr, MAKEINTRESOURCE(nIDIcon), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursor(AfxGetResourceHandle(), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return LoadCursor(MAKEINTRESOURCE(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursor(nullptr, lpszCursorName);
}

HCURSOR CWinApp::LoadOEMCursor(UINT nIDCursor) const
{
    return static_cast<HCURSOR>(
        ::LoadImage(nullptr, MAKEINTRESOURCE(nIDCursor), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    if (lpszRegistryKey == nullptr || *lpszRegistryKey == 0)
        AfxThrowInvalidArgException();
    ReplaceString(m_pszRegistryKey, lpszRegistryKey);
    ReplaceString(m_pszProfileName, m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    if (!key.LoadString(m_hInstance, nIDRegistryKey))
        AfxThrowResourceException();
    SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == nullptr)
        return nullptr;
    HKEY hKey = nullptr;
    if (::RegCreateKeyEx(HKEY_CURRENT_USER, AppKeyPath(*this), 0, nullptr, REG_OPTION_NON_VOLATILE,
                         KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hSectionKey = nullptr;
    WithKey(GetAppRegistryKey(), [&](HKEY hAppKey) {
        return ::RegCreateKeyEx(hAppKey, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                                nullptr, &hSectionKey, nullptr);
    });
    return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey == nullptr)
        return ::GetPrivateProfileInt(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    DWORD value = 0, size = sizeof(value);
    if (::RegGetValue(HKEY_CURRENT_USER, SectionKeyPath(*this, lpszSection), lpszEntry, RRF_RT_REG_DWORD, nullptr,
                      &value, &size) != ERROR_SUCCESS)
        return nDefault;
    return value;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (m_pszRegistryKey == nullptr)
    {
        CString value;
        for (DWORD size = 256;; size *= 2)
        {
            const DWORD length = ::GetPrivateProfileString(lpszSection, lpszEntry, lpszDefault, value.GetBuffer(size),
                                                           size, m_pszProfileName);
            value.ReleaseBuffer(length);
            // A full buffer may have cut the value short.
            if (length + 1 < size)
                return value;
        }
    }
    const auto data = ReadVariableValue(SectionKeyPath(*this, lpszSection), lpszEntry, RRF_RT_REG_SZ);
    if (!data)
        return lpszDefault;
    const auto* text = reinterpret_cast<LPCWSTR>(data->data());
    return CString(text, static_cast<int>(wcsnlen(text, data->size() / sizeof(WCHAR))));
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    // The .ini default is no hex, to tell a missing entry from an empty value.
    const auto data = m_pszRegistryKey == nullptr
                          ? FromHex(GetProfileString(lpszSection, lpszEntry, _T("?")))
                          : ReadVariableValue(SectionKeyPath(*this, lpszSection), lpszEntry, RRF_RT_REG_BINARY);
    if (!data)
        return FALSE;
    *ppData = CopyBytes(data->data(), data->size());
    *pBytes = static_cast<UINT>(data->size());
    return TRUE;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey == nullptr)
    {
        CString text;
        text.Format(_T("%d"), nValue);
        return ::WritePrivateProfileString(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    const DWORD value = static_cast<DWORD>(nValue);
    return SetValue(GetSectionKey(lpszSection), lpszEntry, REG_DWORD, &value, sizeof(value));
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey == nullptr)
        return ::WritePrivateProfileString(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (lpszEntry == nullptr)
        return WithKey(GetAppRegistryKey(), [&](HKEY hAppKey) { return ::RegDeleteTree(hAppKey, lpszSection); });
    if (lpszValue == nullptr)
        return WithKey(GetSectionKey(lpszSection), [&](HKEY hKey) { return ::RegDeleteValue(hKey, lpszEntry); });
    const DWORD size = static_cast<DWORD>((_tcslen(lpszValue) + 1) * sizeof(TCHAR));
    return SetValue(GetSectionKey(lpszSection), lpszEntry, REG_SZ, lpszValue, size);
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey == nullptr)
        return WriteProfileString(lpszSection, lpszEntry, ToHex(pData, nBytes));
    return SetValue(GetSectionKey(lpszSection), lpszEntry, REG_BINARY, pData, nBytes);
}

CWinApp* AFXAPI AfxGetApp()
{
    return g_pApp;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    const CWinApp* pApp = g_pApp;
    return pApp != nullptr ? pApp->m_pszAppName : nullptr;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    const CWinApp* pApp = g_pApp;
    return pApp != nullptr ? pApp->m_hInstance : ::GetModuleHandle(nullptr);
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    const HINSTANCE hResource = g_hResource;
    return hResource != nullptr ? hResource : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hResource = hInstResource;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    const HINSTANCE hResource = AfxGetResourceHandle();
    if (::FindResource(hResource, lpszName, lpszType) != nullptr)
        return hResource;
    const HINSTANCE hInstance = AfxGetInstanceHandle();
    if (hInstance != hResource && ::FindResource(hInstance, lpszName, lpszType) != nullptr)
        return hInstance;
    return hResource;
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    if (CWinApp* pApp = g_pApp)
    {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
    }
    return TRUE;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* pApp = g_pApp)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ShowMessageBox(lpszText, nType, ModuleBaseName());
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString prompt;
    prompt.LoadString(AfxGetResourceHandle(), nIDPrompt);
    return AfxMessageBox(prompt, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}
