// One logged-on RFC connection to one SAP application server, owned by the object that talks
// to SAP over it. Every call on the connection, including the function-module calls of the
// wrappers, runs under its recursive mutex.
#pragma once

#include <afxmt.h>
#include <sapnwrfc.h>

#include <atomic>

class CRfcConnection : public CObject
{
    DECLARE_DYNCREATE(CRfcConnection)
public:
    // The connection attributes copied after logon, in the library's order.
    enum Attribute
    {
        attrDest,
        attrHost,
        attrPartnerHost,
        attrSysNumber,
        attrSysId,
        attrClient,
        attrUser,
        attrLanguage,
        attrTrace,
        attrIsoLanguage,
        attrCodepage,
        attrPartnerCodepage,
        attrRfcRole,
        attrType,
        attrPartnerType,
        attrRel,
        attrPartnerRel,
        attrKernelRel,
        attrCpicConvId,
        attrProgName,
        attrCount
    };

    CRfcConnection();
    ~CRfcConnection() override;

    void SetLogonData(LPCTSTR lpszRouter, LPCTSTR lpszHost, LPCTSTR lpszDomain, LPCTSTR lpszSysNr, LPCTSTR lpszClient,
                      LPCTSTR lpszUser, LPCTSTR lpszPasswd, LPCTSTR lpszLang, LPCTSTR lpszTrace);
    void SetLogonData(LPCTSTR lpszRouter, LPCTSTR lpszHost, LPCTSTR lpszDomain, LPCTSTR lpszSysNr, LPCTSTR lpszClient,
                      LPCTSTR lpszUser, LPCTSTR lpszPasswd, LPCTSTR lpszLang);
    void GetLogonData(CString& strRouter, CString& strHost, CString& strDomain, CString& strSysNr, CString& strClient,
                      CString& strUser, CString& strPasswd, CString& strLang) const;
    // The source's logon data (trace level "0"), with another host and system number when given.
    void CopyLogonData(const CRfcConnection& source, LPCTSTR lpszHost = nullptr, LPCTSTR lpszSysNr = nullptr);
    const CString& GetLogonUser() const
    {
        return m_strUser;
    }

    // Opens, checks and describes the connection; refuses releases before "700". Throws
    // CRfcException unless stopped.
    void Connect();
    // Closes and opens again without the release test; never throws.
    BOOL Reconnect();
    // Closes the connection; never throws.
    void Disconnect();
    // A ping on the open connection answers; no library call when closed or stopped.
    BOOL IsAlive();
    // Alive, or re-opened once.
    BOOL CheckConnection();

    // An open has succeeded and none has failed since. It stays set after Disconnect, so that
    // owners choose Reconnect over Connect.
    BOOL HasConnectionHandle() const
    {
        return m_bHasHandle;
    }
    const CString& GetAttribute(Attribute attribute) const
    {
        return m_strAttributes[attribute];
    }
    RFC_RC GetLastReturnCode() const
    {
        return m_nLastRc;
    }

    // Set by the owner when it is being stopped: from then on no RFC call is made and no
    // failure is thrown.
    BOOL GetStopFlag() const
    {
        return m_bStop;
    }
    void SetStopFlag(BOOL bStop)
    {
        m_bStop = bStop;
    }

private:
    friend class CBaseRfc;

    // Opens, pings and reads the attributes; the failing library call's name, or nullptr.
    LPCTSTR Open();
    void Close();

    std::atomic<BOOL> m_bStop;
    CString m_strAttributes[attrCount];
    CString m_strRouter;
    CString m_strHost;
    CString m_strDomain;
    CString m_strAsHost; // router, host and domain composed
    CString m_strSysNr;
    CString m_strClient;
    CString m_strUser;
    CString m_strPasswd;
    CString m_strLang;
    CString m_strTrace;
    mutable CMutex m_mutex;
    // Null while closed. Disconnect may close it without the mutex, so it is swapped atomically.
    std::atomic<RFC_CONNECTION_HANDLE> m_hConnection;
    std::atomic<BOOL> m_bHasHandle;
    RFC_ERROR_INFO m_errorInfo;
    RFC_RC m_nLastRc;
};
