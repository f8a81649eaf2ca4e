// SECRegistry: connecting, opening and deleting keys, and typed value access.
#include <toolkit/workspace/Registry.h>

#include <algorithm>

namespace tarnwick::workspace
{
IMPLEMENT_DYNAMIC(SECRegistry, CObject)

namespace
{
struct RootName
{
    HKEY hKey;
    LPCTSTR lpszName;
};

const RootName rootNames[] = {
    {HKEY_CLASSES_ROOT, _T("HKEY_CLASSES_ROOT")},     {HKEY_CURRENT_USER, _T("HKEY_CURRENT_USER")},
    {HKEY_LOCAL_MACHINE, _T("HKEY_LOCAL_MACHINE")},   {HKEY_USERS, _T("HKEY_USERS")},
    {HKEY_CURRENT_CONFIG, _T("HKEY_CURRENT_CONFIG")}, {HKEY_DYN_DATA, _T("HKEY_DYN_DATA")},
};

// Key and value names are at most this long.
constexpr DWORD NAME_BUFFER = 4096;
constexpr DWORD KEY_NAME_BUFFER = 4095;
// 100-nanosecond steps from 1601 to 1970, and seconds from 1900 to 1970.
// Characters, the null included, of the longest subkey name, class or value name under the key.
DWORD LongestName(HKEY hKey)
{
    DWORD cchSubKey = 0, cchClass = 0, cchValue = 0;
    if (RegQueryInfoKeyW(hKey, nullptr, nullptr, nullptr, nullptr, &cchSubKey, &cchClass, nullptr, &cchValue, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return std::max({cchSubKey, cchClass, cchValue}) + 1;
}

// Runs an enumeration with name buffers of cchFirst characters and, when a name did not fit
// (ERROR_MORE_DATA), once more with buffers for the key's longest name; what that answers stands.
template <class Enumerate> LONG EnumerateGrowing(HKEY hKey, DWORD cchFirst, Enumerate enumerate)
{
    const LONG lResult = enumerate(cchFirst);
    if (lResult != ERROR_MORE_DATA)
        return lResult;
    const DWORD cchLongest = LongestName(hKey);
    return cchLongest > cchFirst ? enumerate(cchLongest) : lResult;
}

constexpr LONGLONG FILETIME_UNIX_EPOCH = 116444736000000000LL;
constexpr LONGLONG SECONDS_1900_TO_1970 = 2208988800LL;

CString TrimTrailingSlash(LPCTSTR lpszPath)
{
    CString path(lpszPath);
    if (!path.IsEmpty() && path[path.GetLength() - 1] == _T('\\'))
        path.Delete(path.GetLength() - 1);
    return path;
}

CString JoinPaths(const CString& first, const CString& second)
{
    CString head = TrimTrailingSlash(first);
    CString tail(second);
    if (!tail.IsEmpty() && tail[0] == _T('\\'))
        tail.Delete(0);
    return head + _T('\\') + tail;
}

BOOL IsPredefinedRoot(HKEY hKey)
{
    CString name;
    return SECRegistry::GetRootKeyName(hKey, name);
}

__time64_t ToLocalTime(const FILETIME& fileTime)
{
    FILETIME local;
    if (!FileTimeToLocalFileTime(&fileTime, &local))
        return 0;
    const LONGLONG ticks = (static_cast<LONGLONG>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
    const LONGLONG seconds = (ticks - FILETIME_UNIX_EPOCH) / 10000000LL;
    return seconds < -SECONDS_1900_TO_1970 ? 0 : seconds;
}
} // namespace

SECRegistry::SECRegistry()
{
    Initialize();
}

SECRegistry::~SECRegistry()
{
    Close();
    Initialize();
}

void SECRegistry::Initialize()
{
    m_strClassName.Empty();
    m_strComputerName.Empty();
    m_strKeyName.Empty();
    m_strRootName.Empty();
    m_hKey = nullptr;
    m_hRoot = nullptr;
    m_bRemote = FALSE;
    m_bCloseRoot = TRUE;
    m_lErrorCode = ERROR_SUCCESS;
    m_dwLongestSubkeyNameLength = 0;
    m_dwLongestClassNameLength = 0;
    m_dwLongestValueNameLength = 0;
    m_dwLongestValueDataLength = 0;
    m_dwSecurityDescriptorLength = 0;
    m_dwNumberOfSubkeys = 0;
    m_dwNumberOfValues = 0;
    m_fileTimeLastWrite = FILETIME{};
    m_timeLastWrite = 0;
}

BOOL SECRegistry::Succeeded(LONG lResult)
{
    m_lErrorCode = lResult;
    return lResult == ERROR_SUCCESS;
}

BOOL SECRegistry::RefuseNull(const void* p)
{
    if (p != nullptr)
        return FALSE;
    m_lErrorCode = ERROR_INVALID_PARAMETER;
    return TRUE;
}

void SECRegistry::CloseKey()
{
    if (m_hKey != nullptr && m_hKey != m_hRoot)
        RegCloseKey(m_hKey);
    m_hKey = m_hRoot;
}

BOOL SECRegistry::GetRootKeyName(HKEY hKey, CString& strName)
{
    for (const RootName& root : rootNames)
    {
        if (root.hKey == hKey)
        {
            strName = root.lpszName;
            return TRUE;
        }
    }
    return FALSE;
}

HKEY SECRegistry::GetRootKeyFromName(LPCTSTR lpszName)
{
    if (lpszName == nullptr)
        return nullptr;
    for (const RootName& root : rootNames)
    {
        if (_tcscmp(root.lpszName, lpszName) == 0)
            return root.hKey;
    }
    return nullptr;
}

BOOL SECRegistry::Close()
{
    BOOL bResult = TRUE;
    if (m_hKey != nullptr && m_hKey != m_hRoot)
        bResult = Succeeded(RegCloseKey(m_hKey));
    if (m_hRoot != nullptr && m_bCloseRoot && !IsPredefinedRoot(m_hRoot))
        bResult = Succeeded(RegCloseKey(m_hRoot)) && bResult;
    m_hKey = nullptr;
    m_hRoot = nullptr;
    const LONG lError = m_lErrorCode;
    Initialize();
    m_lErrorCode = lError;
    return bResult;
}

BOOL SECRegistry::Connect(HKEY hKeyRoot, LPCTSTR lpszComputerName, BOOL bCloseRoot)
{
    if (m_hRoot != nullptr)
        Close();
    const BOOL bOldCloseRoot = m_bCloseRoot;
    m_bCloseRoot = bCloseRoot;
    m_bRemote = lpszComputerName != nullptr && *lpszComputerName != 0;

    HKEY hRoot = nullptr;
    if (hKeyRoot == HKEY_CLASSES_ROOT || hKeyRoot == HKEY_CURRENT_USER)
    {
        m_lErrorCode = m_bRemote ? ERROR_INVALID_HANDLE : ERROR_SUCCESS;
        hRoot = hKeyRoot;
    }
    else
    {
        Succeeded(RegConnectRegistryW(m_bRemote ? lpszComputerName : nullptr, hKeyRoot, &hRoot));
    }
    if (m_lErrorCode != ERROR_SUCCESS)
    {
        m_bCloseRoot = bOldCloseRoot;
        m_bRemote = FALSE;
        return FALSE;
    }
    m_hRoot = hRoot;
    m_hKey = hRoot;
    if (m_bRemote)
    {
        m_strComputerName = lpszComputerName;
    }
    else
    {
        TCHAR szName[MAX_PATH] = {};
        DWORD cchName = MAX_PATH;
        if (::GetComputerNameW(szName, &cchName))
            m_strComputerName = szName;
    }
    GetRootKeyName(hKeyRoot, m_strRootName);
    return TRUE;
}

BOOL SECRegistry::Open(LPCTSTR lpszSubkey, REGSAM samDesired)
{
    if (m_hRoot == nullptr)
        m_hRoot = m_hKey = HKEY_CLASSES_ROOT;
    CloseKey();
    const CString subkey = TrimTrailingSlash(lpszSubkey);
    HKEY hKey = nullptr;
    if (!Succeeded(RegOpenKeyExW(m_hRoot, subkey, 0, samDesired, &hKey)))
        return FALSE;
    m_hKey = hKey;
    m_strKeyName = subkey;
    const LONG lOpened = m_lErrorCode;
    QueryInfo();
    m_lErrorCode = lOpened;
    return TRUE;
}

BOOL SECRegistry::Create(LPCTSTR lpszSubkey, LPCTSTR lpszClass, DWORD dwOptions, REGSAM samDesired,
                         LPSECURITY_ATTRIBUTES pSecurity, LPDWORD pdwDisposition)
{
    if (RefuseNull(lpszSubkey))
        return FALSE;
    CloseKey();
    const CString subkey = TrimTrailingSlash(lpszSubkey);
    CString className(lpszClass != nullptr ? lpszClass : _T(""));
    HKEY hKey = nullptr;
    DWORD dwDisposition = 0;
    if (!Succeeded(RegCreateKeyExW(m_hRoot, subkey, 0, className.GetBuffer(), dwOptions, samDesired, pSecurity, &hKey,
                                   &dwDisposition)))
        return FALSE;
    m_hKey = hKey;
    m_strKeyName = subkey;
    if (pdwDisposition != nullptr)
        *pdwDisposition = dwDisposition;
    return TRUE;
}

BOOL SECRegistry::DeleteKey(LPCTSTR lpszSubkey, BOOL bRecursive)
{
    if (RefuseNull(lpszSubkey))
        return FALSE;
    const CString subkey = TrimTrailingSlash(lpszSubkey);
    if (bRecursive && subkey.IsEmpty() && IsPredefinedRoot(m_hRoot))
    {
        m_lErrorCode = ERROR_INVALID_PARAMETER;
        return FALSE;
    }

    SECRegistry other;
    const HKEY hRoot = GetRootKeyFromName(m_strRootName);
    if (!other.Connect(hRoot, m_bRemote ? LPCTSTR(m_strComputerName) : nullptr, FALSE))
    {
        m_lErrorCode = other.GetLastError();
        return FALSE;
    }
    BOOL bBelowRoot = TRUE;
    CString path = subkey;
    if (subkey.Find(_T('\\')) >= 0 && other.Open(JoinPaths(m_strKeyName, subkey)))
    {
        bBelowRoot = FALSE;
        path = JoinPaths(m_strKeyName, subkey);
    }
    else if (!other.Open(subkey))
    {
        m_lErrorCode = other.GetLastError();
        return FALSE;
    }

    if (bRecursive)
    {
        CString child;
        while (other.EnumerateKeys(0, child))
        {
            SECRegistry deleter;
            if (!deleter.Connect(hRoot, m_bRemote ? LPCTSTR(m_strComputerName) : nullptr, FALSE) ||
                !deleter.DeleteKey(JoinPaths(path, child), TRUE))
            {
                m_lErrorCode = deleter.GetLastError();
                return m_lErrorCode == ERROR_SUCCESS;
            }
        }
    }
    other.CloseKey();

    if (bBelowRoot)
    {
        const int nSlash = subkey.ReverseFind(_T('\\'));
        const CString parent = nSlash < 0 ? CString() : subkey.Left(nSlash);
        const CString leaf = subkey.Mid(nSlash + 1);
        if (!other.Open(parent))
        {
            m_lErrorCode = other.GetLastError();
            return FALSE;
        }
        return Succeeded(RegDeleteKeyW(other.GetKey(), leaf));
    }
    return Succeeded(RegDeleteKeyW(m_hKey, subkey));
}

BOOL SECRegistry::DeleteValue(LPCTSTR lpszName)
{
    if (RefuseNull(lpszName))
        return FALSE;
    return Succeeded(RegDeleteValueW(m_hKey, lpszName));
}

LONG SECRegistry::EnumerateKeys(DWORD dwIndex, LPTSTR lpszName, LPDWORD pcchName, LPTSTR lpszClass, LPDWORD pcchClass)
{
    m_lErrorCode =
        RegEnumKeyExW(m_hKey, dwIndex, lpszName, pcchName, nullptr, lpszClass, pcchClass, &m_fileTimeLastWrite);
    if (m_lErrorCode == ERROR_SUCCESS)
        m_timeLastWrite = ToLocalTime(m_fileTimeLastWrite);
    return m_lErrorCode;
}

BOOL SECRegistry::EnumerateKeysEx(DWORD dwIndex, CString& strName, CString& strClass)
{
    return EnumerateGrowing(m_hKey, KEY_NAME_BUFFER, [&](DWORD cch) {
               DWORD cchName = cch;
               DWORD cchClass = cch;
               const LONG lResult =
                   EnumerateKeys(dwIndex, strName.GetBuffer(cch), &cchName, strClass.GetBuffer(cch), &cchClass);
               strName.ReleaseBuffer(lResult == ERROR_SUCCESS ? static_cast<int>(cchName) : 0);
               strClass.ReleaseBuffer(lResult == ERROR_SUCCESS ? static_cast<int>(cchClass) : 0);
               return lResult;
           }) == ERROR_SUCCESS;
}

BOOL SECRegistry::EnumerateKeys(DWORD dwIndex, CString& strName)
{
    return EnumerateGrowing(m_hKey, KEY_NAME_BUFFER, [&](DWORD cch) {
               DWORD cchName = cch;
               const LONG lResult = EnumerateKeys(dwIndex, strName.GetBuffer(cch), &cchName, nullptr, nullptr);
               strName.ReleaseBuffer(lResult == ERROR_SUCCESS ? static_cast<int>(cchName) : 0);
               return lResult;
           }) == ERROR_SUCCESS;
}

BOOL SECRegistry::EnumerateValues(DWORD dwIndex, CString& strName, DWORD* pdwType)
{
    return EnumerateValues(dwIndex, strName, pdwType, nullptr, nullptr);
}

BOOL SECRegistry::EnumerateValues(DWORD dwIndex, CString& strName)
{
    return EnumerateValues(dwIndex, strName, nullptr, nullptr, nullptr);
}

BOOL SECRegistry::EnumerateValues(DWORD dwIndex, CString& strName, DWORD* pdwType, BYTE* pData, DWORD* pcbData)
{
    // A second try starts from the caller's data size again; a data buffer too small fails.
    const DWORD cbData = pcbData != nullptr ? *pcbData : 0;
    return EnumerateGrowing(m_hKey, NAME_BUFFER, [&](DWORD cch) {
               DWORD cchName = cch;
               DWORD dwType = 0;
               if (pcbData != nullptr)
                   *pcbData = cbData;
               m_lErrorCode =
                   RegEnumValueW(m_hKey, dwIndex, strName.GetBuffer(cch), &cchName, nullptr, &dwType, pData, pcbData);
               strName.ReleaseBuffer(m_lErrorCode == ERROR_SUCCESS ? static_cast<int>(cchName) : 0);
               if (pdwType != nullptr)
                   *pdwType = dwType;
               return m_lErrorCode;
           }) == ERROR_SUCCESS;
}

BOOL SECRegistry::Flush()
{
    return Succeeded(RegFlushKey(m_hKey));
}

BOOL SECRegistry::ReadWhole(LPCTSTR lpszName, DWORD dwType, CByteArray& data)
{
    data.RemoveAll();
    if (RefuseNull(lpszName))
        return FALSE;
    // The value may grow between the two calls: ask again until it fits.
    for (;;)
    {
        DWORD dwStored = 0;
        DWORD cbData = 0;
        if (!Succeeded(RegQueryValueExW(m_hKey, lpszName, nullptr, &dwStored, nullptr, &cbData)))
            return FALSE;
        if (dwType != REG_NONE && dwStored != dwType)
        {
            m_lErrorCode = ERROR_INVALID_DATA;
            return FALSE;
        }
        data.SetSize(cbData);
        const LONG lResult = RegQueryValueExW(m_hKey, lpszName, nullptr, nullptr, data.GetData(), &cbData);
        if (lResult != ERROR_MORE_DATA)
        {
            data.SetSize(lResult == ERROR_SUCCESS ? cbData : 0);
            return Succeeded(lResult);
        }
    }
}

BOOL SECRegistry::GetBinaryValue(LPCTSTR lpszName, CByteArray& data)
{
    return ReadWhole(lpszName, REG_BINARY, data);
}

BOOL SECRegistry::GetDoubleWordValue(LPCTSTR lpszName, DWORD* pdwValue)
{
    if (RefuseNull(lpszName) || RefuseNull(pdwValue))
        return FALSE;
    DWORD cbData = sizeof(DWORD);
    DWORD dwType = REG_DWORD;
    return Succeeded(RegQueryValueExW(m_hKey, lpszName, nullptr, &dwType, reinterpret_cast<BYTE*>(pdwValue), &cbData));
}

BOOL SECRegistry::GetSecurity(SECURITY_INFORMATION info, PSECURITY_DESCRIPTOR pDescriptor, LPDWORD pcbDescriptor)
{
    if (RefuseNull(pDescriptor))
        return FALSE;
    return Succeeded(RegGetKeySecurity(m_hKey, info, pDescriptor, pcbDescriptor));
}

BOOL SECRegistry::GetValue(LPCTSTR lpszName, CString& strValue)
{
    strValue.Empty();
    CByteArray data;
    // Any stored type is read as text, as the store has always done.
    if (!ReadWhole(lpszName, REG_NONE, data))
        return FALSE;
    const int nChars = static_cast<int>(data.GetSize() / sizeof(TCHAR));
    const auto* pText = reinterpret_cast<const TCHAR*>(data.GetData());
    int nLength = 0;
    while (nLength < nChars && pText[nLength] != 0)
        ++nLength;
    strValue = CString(pText, nLength);
    return TRUE;
}

BOOL SECRegistry::GetStringArrayValue(LPCTSTR lpszName, CStringArray& values)
{
    values.RemoveAll();
    CByteArray data;
    if (!ReadWhole(lpszName, REG_MULTI_SZ, data))
        return FALSE;
    const int nChars = static_cast<int>(data.GetSize() / sizeof(TCHAR));
    const auto* pText = reinterpret_cast<const TCHAR*>(data.GetData());
    for (int i = 0; i < nChars && pText[i] != 0;)
    {
        int nEnd = i;
        while (nEnd < nChars && pText[nEnd] != 0)
            ++nEnd;
        values.Add(CString(pText + i, nEnd - i));
        i = nEnd + 1;
    }
    return TRUE;
}

BOOL SECRegistry::GetValue(LPCTSTR lpszName, CStringArray& values)
{
    return GetStringArrayValue(lpszName, values);
}

BOOL SECRegistry::GetValue(LPCTSTR lpszName, DWORD* pdwValue)
{
    return GetDoubleWordValue(lpszName, pdwValue);
}

BOOL SECRegistry::GetValue(LPCTSTR lpszName, CByteArray& data)
{
    return GetBinaryValue(lpszName, data);
}

BOOL SECRegistry::Load(LPCTSTR lpszSubkey, LPCTSTR lpszFile)
{
    if (RefuseNull(lpszSubkey) || RefuseNull(lpszFile))
        return FALSE;
    return Succeeded(RegLoadKeyW(m_hRoot, lpszSubkey, lpszFile));
}

BOOL SECRegistry::NotifyChange(HANDLE hEvent, DWORD dwFilter, BOOL bWatchSubtree, BOOL bAsynchronous)
{
    return Succeeded(RegNotifyChangeKeyValue(m_hKey, bWatchSubtree, dwFilter, hEvent, bAsynchronous));
}

BOOL SECRegistry::QueryInfo()
{
    TCHAR szClass[NAME_BUFFER] = {};
    DWORD cchClass = NAME_BUFFER;
    if (!Succeeded(RegQueryInfoKeyW(m_hKey, szClass, &cchClass, nullptr, &m_dwNumberOfSubkeys,
                                    &m_dwLongestSubkeyNameLength, &m_dwLongestClassNameLength, &m_dwNumberOfValues,
                                    &m_dwLongestValueNameLength, &m_dwLongestValueDataLength,
                                    &m_dwSecurityDescriptorLength, &m_fileTimeLastWrite)))
        return FALSE;
    m_strClassName = szClass;
    m_timeLastWrite = ToLocalTime(m_fileTimeLastWrite);
    return TRUE;
}

BOOL SECRegistry::QueryValue(LPCTSTR lpszName, LPDWORD pdwType, LPBYTE pData, LPDWORD pcbData)
{
    if (RefuseNull(lpszName))
        return FALSE;
    return Succeeded(RegQueryValueExW(m_hKey, lpszName, nullptr, pdwType, pData, pcbData));
}

BOOL SECRegistry::Replace(LPCTSTR lpszSubkey, LPCTSTR lpszNewFile, LPCTSTR lpszOldFile)
{
    if (RefuseNull(lpszSubkey) || RefuseNull(lpszNewFile) || RefuseNull(lpszOldFile))
        return FALSE;
    return Succeeded(RegReplaceKeyW(m_hKey, lpszSubkey, lpszNewFile, lpszOldFile));
}

BOOL SECRegistry::Restore(LPCTSTR lpszFile, DWORD dwFlags)
{
    if (RefuseNull(lpszFile))
        return FALSE;
    return Succeeded(RegRestoreKeyW(m_hKey, lpszFile, dwFlags));
}

BOOL SECRegistry::Save(LPCTSTR lpszFile, LPSECURITY_ATTRIBUTES pSecurity)
{
    if (RefuseNull(lpszFile))
        return FALSE;
    return Succeeded(RegSaveKeyW(m_hKey, lpszFile, pSecurity));
}

BOOL SECRegistry::SetBinaryValue(LPCTSTR lpszName, const CByteArray& data)
{
    static const BYTE noData = 0;
    const BYTE* pData = data.IsEmpty() ? &noData : data.GetData();
    return SetValue(lpszName, REG_BINARY, pData, static_cast<DWORD>(data.GetSize()));
}

BOOL SECRegistry::SetDoubleWordValue(LPCTSTR lpszName, DWORD dwValue)
{
    return SetValue(lpszName, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(DWORD));
}

BOOL SECRegistry::SetSecurity(SECURITY_INFORMATION info, PSECURITY_DESCRIPTOR pDescriptor)
{
    if (RefuseNull(pDescriptor))
        return FALSE;
    return Succeeded(RegSetKeySecurity(m_hKey, info, pDescriptor));
}

BOOL SECRegistry::SetStringValue(LPCTSTR lpszName, const CString& strValue)
{
    return SetValue(lpszName, REG_SZ, reinterpret_cast<const BYTE*>(LPCTSTR(strValue)),
                    static_cast<DWORD>((strValue.GetLength() + 1) * sizeof(TCHAR)));
}

BOOL SECRegistry::SetStringArrayValue(LPCTSTR lpszName, const CStringArray& values)
{
    CString joined;
    for (INT_PTR i = 0; i < values.GetSize(); ++i)
        joined += values[i] + CString(_T('\0'), 1);
    // The closing null: the last string's null is already in the text, this is the list's.
    const DWORD cbData = static_cast<DWORD>((joined.GetLength() + 1) * sizeof(TCHAR));
    return SetValue(lpszName, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(LPCTSTR(joined)), cbData);
}

BOOL SECRegistry::SetValue(LPCTSTR lpszName, DWORD dwType, const BYTE* pData, DWORD cbData)
{
    if (RefuseNull(lpszName) || RefuseNull(pData))
        return FALSE;
    return Succeeded(RegSetValueExW(m_hKey, lpszName, 0, dwType, pData, cbData));
}

BOOL SECRegistry::SetValue(LPCTSTR lpszName, const CString& strValue)
{
    return SetStringValue(lpszName, strValue);
}

BOOL SECRegistry::SetValue(LPCTSTR lpszName, const CStringArray& values)
{
    return SetStringArrayValue(lpszName, values);
}

BOOL SECRegistry::SetValue(LPCTSTR lpszName, DWORD dwValue)
{
    return SetDoubleWordValue(lpszName, dwValue);
}

BOOL SECRegistry::SetValue(LPCTSTR lpszName, const CByteArray& data)
{
    return SetBinaryValue(lpszName, data);
}

BOOL SECRegistry::UnLoad(LPCTSTR lpszSubkey)
{
    if (RefuseNull(lpszSubkey))
        return FALSE;
    return Succeeded(RegUnLoadKeyW(m_hKey, lpszSubkey));
}
} // namespace tarnwick::workspace
