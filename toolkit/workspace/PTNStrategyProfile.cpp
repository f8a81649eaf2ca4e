// SECPTNStrategyProfile: sections, key lists and values of the profile file.
#include <toolkit/workspace/PTNStrategyProfile.h>

namespace tarnwick::workspace
{
namespace
{
constexpr int FIRST_KEY_LIST_BUFFER = 512;
constexpr int FIRST_VALUE_BUFFER = 255;
constexpr int CHILD_PREFIX_LENGTH = 9;
} // namespace

SECPTNStrategyProfile::SECPTNStrategyProfile(LPCTSTR lpszFile)
    : m_strFile(lpszFile), m_lpszChildPrefix(_T("ptn_Child")), m_lpszSeparator(_T("."))
{
    static_assert(CHILD_PREFIX_LENGTH == 9, "the length of \"ptn_Child\"");
}

void SECPTNStrategyProfile::GetSectionName(const CStringList& path, CString& strSection) const
{
    strSection.Empty();
    // The path runs from the node to the root: walk it backwards.
    for (POSITION pos = path.GetTailPosition(); pos != nullptr;)
    {
        if (!strSection.IsEmpty())
            strSection += m_lpszSeparator;
        strSection += path.GetPrev(pos);
    }
}

BOOL SECPTNStrategyProfile::ClearNode(const CStringList& path)
{
    CString section;
    GetSectionName(path, section);
    if (section.IsEmpty())
        return FALSE;
    return WritePrivateProfileStringW(section, nullptr, nullptr, m_strFile);
}

BOOL SECPTNStrategyProfile::WriteValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue)
{
    CString section;
    GetSectionName(path, section);
    if (section.IsEmpty())
        return FALSE;
    return WritePrivateProfileStringW(section, lpszKey, lpszValue, m_strFile);
}

BOOL SECPTNStrategyProfile::WriteChildNames(const CStringList& path, const CStringList& names)
{
    CString section;
    GetSectionName(path, section);
    if (section.IsEmpty())
        return FALSE;
    BOOL bResult = TRUE;
    int n = 1;
    for (POSITION pos = names.GetHeadPosition(); pos != nullptr; ++n)
    {
        CString key;
        key.Format(_T("%s%d"), m_lpszChildPrefix, n);
        bResult = WritePrivateProfileStringW(section, key, names.GetNext(pos), m_strFile) && bResult;
    }
    return bResult;
}

BOOL SECPTNStrategyProfile::GetSectionKeys(LPCTSTR lpszSection, CStringList& keys)
{
    keys.RemoveAll();
    if (lpszSection == nullptr || *lpszSection == 0)
        return FALSE;
    // A cut list comes back two characters short of the buffer: grow it until the list fits.
    CString buffer;
    DWORD nRead = 0;
    for (int nBuffer = FIRST_KEY_LIST_BUFFER;; nBuffer *= 2)
    {
        nRead = GetPrivateProfileStringW(lpszSection, nullptr, _T(""), buffer.GetBuffer(nBuffer), nBuffer, m_strFile);
        if (nRead != static_cast<DWORD>(nBuffer - 2))
            break;
    }
    if (nRead == 0)
    {
        buffer.ReleaseBuffer(0);
        return FALSE;
    }
    const LPCTSTR pList = buffer.GetBuffer();
    for (DWORD i = 0; i < nRead;)
    {
        const CString key(pList + i);
        if (key.IsEmpty())
            break;
        keys.AddTail(key);
        i += key.GetLength() + 1;
    }
    buffer.ReleaseBuffer(0);
    return TRUE;
}

BOOL SECPTNStrategyProfile::ReadNode(const CStringList& path, CStringList& childNames, CStringList& keys,
                                     CStringList& values)
{
    CString section;
    GetSectionName(path, section);
    if (section.IsEmpty())
        return FALSE;
    childNames.RemoveAll();
    keys.RemoveAll();
    values.RemoveAll();
    CStringList sectionKeys;
    if (!GetSectionKeys(section, sectionKeys))
        return FALSE;
    for (POSITION pos = sectionKeys.GetHeadPosition(); pos != nullptr;)
    {
        const CString key = sectionKeys.GetNext(pos);
        // A cut value comes back one character short of the buffer: grow it until the value fits.
        CString value;
        for (int nBuffer = FIRST_VALUE_BUFFER;; nBuffer *= 2)
        {
            const DWORD nRead =
                GetPrivateProfileStringW(section, key, _T(""), value.GetBuffer(nBuffer), nBuffer, m_strFile);
            value.ReleaseBuffer(static_cast<int>(nRead));
            if (nRead < static_cast<DWORD>(nBuffer - 1))
                break;
        }
        if (key.Left(CHILD_PREFIX_LENGTH) == m_lpszChildPrefix)
            childNames.AddTail(value);
        else
        {
            keys.AddTail(key);
            values.AddTail(value);
        }
    }
    return TRUE;
}
} // namespace tarnwick::workspace
