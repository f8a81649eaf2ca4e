// CCommandLineInfo: the shell's flags and the file to open.
#include <afxwin.h>

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew)
{
}

void CCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const TCHAR* pszParam)
{
    // Flags are case-insensitive; unknown ones are left to derived classes.
    if (_tcsicmp(pszParam, _T("pt")) == 0)
        m_nShellCommand = FilePrintTo;
    else if (_tcsicmp(pszParam, _T("p")) == 0)
        m_nShellCommand = FilePrint;
    else if (_tcsicmp(pszParam, _T("Register")) == 0 || _tcsicmp(pszParam, _T("Regserver")) == 0)
        m_nShellCommand = AppRegister;
    else if (_tcsicmp(pszParam, _T("Unregister")) == 0 || _tcsicmp(pszParam, _T("Unregserver")) == 0)
        m_nShellCommand = AppUnregister;
    else if (_tcsicmp(pszParam, _T("dde")) == 0)
        m_nShellCommand = FileDDE;
    else if (_tcsicmp(pszParam, _T("Embedding")) == 0)
        m_bRunEmbedded = TRUE;
    else if (_tcsicmp(pszParam, _T("Automation")) == 0)
        m_bRunAutomated = TRUE;
}

void CCommandLineInfo::ParseParamNotFlag(const TCHAR* pszParam)
{
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (!bLast)
        return;
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
}
