// SECRegistry: one connection to a registry root, local or remote, and one open key below it,
// with typed value reads and writes, enumeration and recursive deletion.
#pragma once

#include <afxcoll.h>

namespace tarnwick::workspace
{
// Every call keeps the registry's result in the last error; a refused null argument is 87.
class SECRegistry : public CObject
{
    DECLARE_DYNAMIC(SECRegistry)
public:
    SECRegistry();
    ~SECRegistry() override;
    SECRegistry(const SECRegistry&) = delete;
    SECRegistry& operator=(const SECRegistry&) = delete;

    virtual void Initialize();
    // Creates every missing key on the path.
    virtual BOOL Create(LPCTSTR lpszSubkey, LPCTSTR lpszClass = nullptr, DWORD dwOptions = REG_OPTION_NON_VOLATILE,
                        REGSAM samDesired = KEY_ALL_ACCESS, LPSECURITY_ATTRIBUTES pSecurity = nullptr,
                        LPDWORD pdwDisposition = nullptr);
    virtual BOOL Close();
    // HKEY_CLASSES_ROOT and HKEY_CURRENT_USER cannot be reached on another computer (error 6).
    virtual BOOL Connect(HKEY hKeyRoot = HKEY_CURRENT_USER, LPCTSTR lpszComputerName = nullptr, BOOL bCloseRoot = TRUE);
    // A whole predefined root is never deleted: "" recursive is refused with 87.
    virtual BOOL DeleteKey(LPCTSTR lpszSubkey, BOOL bRecursive = FALSE);
    virtual BOOL DeleteValue(LPCTSTR lpszName);
    // The registry's result code itself.
    virtual LONG EnumerateKeys(DWORD dwIndex, LPTSTR lpszName, LPDWORD pcchName, LPTSTR lpszClass, LPDWORD pcchClass);
    // A name longer than the buffer comes back cut and counts as success.
    virtual BOOL EnumerateKeysEx(DWORD dwIndex, CString& strName, CString& strClass);
    virtual BOOL EnumerateKeys(DWORD dwIndex, CString& strName);
    virtual BOOL EnumerateValues(DWORD dwIndex, CString& strName, DWORD* pdwType);
    virtual BOOL EnumerateValues(DWORD dwIndex, CString& strName);
    virtual BOOL EnumerateValues(DWORD dwIndex, CString& strName, DWORD* pdwType, BYTE* pData, DWORD* pcbData);
    virtual BOOL Flush();
    virtual BOOL GetBinaryValue(LPCTSTR lpszName, CByteArray& data);
    virtual BOOL GetDoubleWordValue(LPCTSTR lpszName, DWORD* pdwValue);
    virtual BOOL GetSecurity(SECURITY_INFORMATION info, PSECURITY_DESCRIPTOR pDescriptor, LPDWORD pcbDescriptor);
    // Reads the value whole, whatever its length; the text is empty on failure.
    virtual BOOL GetValue(LPCTSTR lpszName, CString& strValue);
    // An empty list when the data is only the terminator.
    virtual BOOL GetStringArrayValue(LPCTSTR lpszName, CStringArray& values);
    virtual BOOL GetValue(LPCTSTR lpszName, CStringArray& values);
    virtual BOOL GetValue(LPCTSTR lpszName, DWORD* pdwValue);
    virtual BOOL GetValue(LPCTSTR lpszName, CByteArray& data);
    virtual BOOL Load(LPCTSTR lpszSubkey, LPCTSTR lpszFile);
    virtual BOOL NotifyChange(HANDLE hEvent, DWORD dwFilter, BOOL bWatchSubtree, BOOL bAsynchronous);
    // Without a connection the root becomes HKEY_CLASSES_ROOT.
    virtual BOOL Open(LPCTSTR lpszSubkey, REGSAM samDesired = KEY_ALL_ACCESS);
    virtual BOOL QueryInfo();
    virtual BOOL QueryValue(LPCTSTR lpszName, LPDWORD pdwType, LPBYTE pData, LPDWORD pcbData);
    virtual BOOL Replace(LPCTSTR lpszSubkey, LPCTSTR lpszNewFile, LPCTSTR lpszOldFile);
    virtual BOOL Restore(LPCTSTR lpszFile, DWORD dwFlags);
    virtual BOOL Save(LPCTSTR lpszFile, LPSECURITY_ATTRIBUTES pSecurity = nullptr);
    virtual BOOL SetBinaryValue(LPCTSTR lpszName, const CByteArray& data);
    virtual BOOL SetDoubleWordValue(LPCTSTR lpszName, DWORD dwValue);
    virtual BOOL SetSecurity(SECURITY_INFORMATION info, PSECURITY_DESCRIPTOR pDescriptor);
    virtual BOOL SetStringValue(LPCTSTR lpszName, const CString& strValue);
    // Each string with its null, then one more null.
    virtual BOOL SetStringArrayValue(LPCTSTR lpszName, const CStringArray& values);
    virtual BOOL SetValue(LPCTSTR lpszName, DWORD dwType, const BYTE* pData, DWORD cbData);
    virtual BOOL SetValue(LPCTSTR lpszName, const CString& strValue);
    virtual BOOL SetValue(LPCTSTR lpszName, const CStringArray& values);
    virtual BOOL SetValue(LPCTSTR lpszName, DWORD dwValue);
    virtual BOOL SetValue(LPCTSTR lpszName, const CByteArray& data);
    virtual BOOL UnLoad(LPCTSTR lpszSubkey);

    // FALSE for a handle that is not one of the six predefined roots.
    static BOOL GetRootKeyName(HKEY hKey, CString& strName);
    // 0 for any other name; the comparison is exact.
    static HKEY GetRootKeyFromName(LPCTSTR lpszName);

    LONG GetLastError() const
    {
        return m_lErrorCode;
    }
    HKEY GetKey() const
    {
        return m_hKey;
    }
    HKEY GetRoot() const
    {
        return m_hRoot;
    }
    const CString& GetKeyName() const
    {
        return m_strKeyName;
    }
    const CString& GetRootName() const
    {
        return m_strRootName;
    }
    const CString& GetComputerName() const
    {
        return m_strComputerName;
    }
    const CString& GetClassName() const
    {
        return m_strClassName;
    }
    DWORD GetSubkeyCount() const
    {
        return m_dwNumberOfSubkeys;
    }
    DWORD GetValueCount() const
    {
        return m_dwNumberOfValues;
    }
    DWORD GetLongestValueDataLength() const
    {
        return m_dwLongestValueDataLength;
    }
    const FILETIME& GetLastWriteTime() const
    {
        return m_fileTimeLastWrite;
    }
    __time64_t GetLastWriteTimeValue() const
    {
        return m_timeLastWrite;
    }
    BOOL IsRemote() const
    {
        return m_bRemote;
    }

private:
    // Keeps the result in the last error; TRUE for ERROR_SUCCESS.
    BOOL Succeeded(LONG lResult);
    BOOL RefuseNull(const void* p);
    // Reads a value of the given type whole into the buffer.
    BOOL ReadWhole(LPCTSTR lpszName, DWORD dwType, CByteArray& data);
    void CloseKey();

    LONG m_lErrorCode;
    HKEY m_hKey;
    HKEY m_hRoot;
    DWORD m_dwLongestSubkeyNameLength;
    DWORD m_dwLongestClassNameLength;
    DWORD m_dwLongestValueNameLength;
    DWORD m_dwLongestValueDataLength;
    DWORD m_dwSecurityDescriptorLength;
    FILETIME m_fileTimeLastWrite;
    CString m_strClassName;
    CString m_strComputerName;
    CString m_strKeyName;
    CString m_strRootName;
    DWORD m_dwNumberOfSubkeys;
    DWORD m_dwNumberOfValues;
    __time64_t m_timeLastWrite;
    BOOL m_bRemote;
    BOOL m_bCloseRoot;
};
} // namespace tarnwick::workspace
