// SECWorkspaceManagerEx: the manager's store settings and its frame.
#include <toolkit/workspace/WorkspaceManagerEx.h>

namespace tarnwick::workspace
{
using foundation::SECWndPlugIn;

IMPLEMENT_DYNCREATE(SECWorkspaceManagerEx, SECWndPlugIn)

namespace
{
constexpr int DEFAULT_MRU_SIZE = 8;
}

SECWorkspaceManagerEx::SECWorkspaceManagerEx()
    : m_pFrame(nullptr), m_bOpen(FALSE), m_strFileFilter(_T("*.wsp")),
      m_strBaseKey(_T("Software\\Tarnwick\\DefWorkspace\\")), m_hKeyRoot(HKEY_CURRENT_USER), m_bRegistry(FALSE),
      m_bApplicationKey(FALSE), m_nActiveShowCommand(SW_SHOWNORMAL), m_nMRUSize(DEFAULT_MRU_SIZE)
{
}

void SECWorkspaceManagerEx::SetStorageMode(BOOL bRegistry, BOOL bApplicationKey)
{
    if (bRegistry != m_bRegistry || bApplicationKey != m_bApplicationKey)
    {
        m_bOpen = FALSE;
        m_strCurrentName.Empty();
    }
    m_bRegistry = bRegistry;
    m_bApplicationKey = bApplicationKey;
}

void SECWorkspaceManagerEx::Initialize(LPCTSTR lpszBaseKey, BOOL bRegistry, HKEY hKeyRoot, BOOL bApplicationKey)
{
    m_strBaseKey = lpszBaseKey;
    m_hKeyRoot = hKeyRoot;
    SetStorageMode(bRegistry, bApplicationKey);
    if (m_strBaseKey.IsEmpty() || m_strBaseKey[m_strBaseKey.GetLength() - 1] != _T('\\'))
        m_strBaseKey += _T('\\');
}

BOOL SECWorkspaceManagerEx::PlugInTo(CWnd* pHost)
{
    if (!SECWndPlugIn::PlugInTo(pHost))
        return FALSE;
    m_pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pHost);
    return TRUE;
}
} // namespace tarnwick::workspace
