// The program's command line as the application's start-up reads it: a file to open, and
// the flags that choose another shell command.
#pragma once

class CCommandLineInfo : public CObject
{
public:
    CCommandLineInfo();

    // Called for each argument; bFlag when it began with '-' or '/' (which is removed),
    // bLast for the last one.
    virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    enum
    {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        FileNothing = -1
    } m_nShellCommand;

    CString m_strFileName;
    // The printer, driver and port after the file name of /pt.
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const TCHAR* pszParam);
    void ParseParamNotFlag(const TCHAR* pszParam);
    void ParseLast(BOOL bLast);
};
