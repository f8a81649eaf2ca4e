// The application object and its profile settings, kept in the registry under
// HKCU\Software\<registry key>\<profile name> or, without a registry key, in an .ini file.
#pragma once

class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // There is one application object; it belongs to the thread that constructs it.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    BOOL InitInstance() override;

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

protected:
    // Moves the settings to the registry under the company key, in the application's name.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    // The key is a string resource of the executable; CResourceException when it is missing.
    void SetRegistryKey(UINT nIDRegistryKey);
};

CWinApp* AFXAPI AfxGetApp();
// NULL while there is no application object.
LPCTSTR AFXAPI AfxGetAppName();
