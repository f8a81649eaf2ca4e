// The workspace manager: a plug-in of the main frame that saves and restores the frame's whole
// visible state as a named workspace, in the registry or in a profile file.
#pragma once

#include <toolkit/foundation/WndPlugIn.h>

namespace tarnwick::workspace
{
class SECWorkspaceManagerEx : public foundation::SECWndPlugIn
{
    DECLARE_DYNCREATE(SECWorkspaceManagerEx)
public:
    SECWorkspaceManagerEx();

    // A change of store forgets the open workspace.
    virtual void SetStorageMode(BOOL bRegistry, BOOL bApplicationKey);
    // The base key always ends with '\'.
    virtual void Initialize(LPCTSTR lpszBaseKey, BOOL bRegistry, HKEY hKeyRoot, BOOL bApplicationKey);
    // Remembers the frame when plugging in succeeds.
    BOOL PlugInTo(CWnd* pHost) override;

    CFrameWnd* GetFrame() const
    {
        return m_pFrame;
    }
    const CString& GetBaseKey() const
    {
        return m_strBaseKey;
    }
    HKEY GetRootKey() const
    {
        return m_hKeyRoot;
    }
    BOOL IsRegistryMode() const
    {
        return m_bRegistry;
    }
    BOOL IsApplicationKey() const
    {
        return m_bApplicationKey;
    }
    BOOL IsWorkspaceOpen() const
    {
        return m_bOpen;
    }

private:
    CFrameWnd* m_pFrame;
    CString m_strCurrentName;
    BOOL m_bOpen;
    CString m_strFileFilter;
    CString m_strBaseKey;
    HKEY m_hKeyRoot;
    BOOL m_bRegistry;
    BOOL m_bApplicationKey;
    int m_nActiveShowCommand;
    int m_nMRUSize;
};
} // namespace tarnwick::workspace
