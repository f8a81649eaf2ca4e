// SECToolBarManager: its options in a profile or a workspace tree, and the bars a saved dock
// state brings back.
#include <toolkit/bars/ToolBarManager.h>

#include <toolkit/bars/CustomToolBarInfoEx.h>
#include <toolkit/bars/MenuBar.h>
#include <toolkit/frames/DockState.h>
#include <toolkit/workspace/PersistentTreeNode.h>

namespace tarnwick::bars
{
namespace
{
const TCHAR szToolTips[] = _T("ToolTips");
const TCHAR szCoolLook[] = _T("CoolLook");
const TCHAR szLargeButtons[] = _T("LargeButtons");
const TCHAR szToolBarMgr[] = _T("ToolBarMgr");

CString ProfileSection(LPCTSTR lpszSection)
{
    CString section;
    section.Format(_T("%s-ToolBarManager"), lpszSection);
    return section;
}
} // namespace

void SECToolBarManager::ApplyOptions(BOOL bToolTips, BOOL bCoolLook, BOOL bLargeButtons)
{
    EnableToolTips(bToolTips);
    EnableCoolLook(bCoolLook, CBRS_EX_COOLLOOK_BITS);
    EnableLargeButtons(bLargeButtons);
    AttachToolBars();
}

void SECToolBarManager::SaveProfileState(LPCTSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    const CString section = ProfileSection(lpszSection);
    pApp->WriteProfileInt(section, szToolTips, m_bToolTips);
    pApp->WriteProfileInt(section, szCoolLook, m_bCoolLook);
    pApp->WriteProfileInt(section, szLargeButtons, m_bLargeButtons);
}

void SECToolBarManager::LoadProfileState(LPCTSTR lpszSection)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    const CString section = ProfileSection(lpszSection);
    const BOOL bToolTips = pApp->GetProfileInt(section, szToolTips, m_bToolTips);
    const BOOL bCoolLook = pApp->GetProfileInt(section, szCoolLook, m_bCoolLook);
    const BOOL bLargeButtons = pApp->GetProfileInt(section, szLargeButtons, m_bLargeButtons);
    ApplyOptions(bToolTips, bCoolLook, bLargeButtons);
}

BOOL SECToolBarManager::SaveNodeState(workspace::SECPTNFactory& factory, workspace::SECPersistentTreeNode* pParent)
{
    if (pParent == nullptr)
        return FALSE;
    workspace::SECPersistentTreeNode* pNode = factory.AddChild(szToolBarMgr, pParent);
    if (pNode == nullptr)
        return FALSE;
    pNode->SetBoolValue(szToolTips, m_bToolTips, TRUE);
    pNode->SetBoolValue(szCoolLook, m_bCoolLook, TRUE);
    pNode->SetBoolValue(szLargeButtons, m_bLargeButtons, TRUE);
    return TRUE;
}

BOOL SECToolBarManager::LoadNodeState(workspace::SECPersistentTreeNode* pNode)
{
    workspace::SECPersistentTreeNode* pOptions = pNode != nullptr ? pNode->FindChild(szToolBarMgr) : nullptr;
    if (pOptions != nullptr)
    {
        BOOL bToolTips = m_bToolTips;
        BOOL bCoolLook = m_bCoolLook;
        BOOL bLargeButtons = m_bLargeButtons;
        pOptions->GetBoolValue(szToolTips, &bToolTips, m_bToolTips);
        pOptions->GetBoolValue(szCoolLook, &bCoolLook, m_bCoolLook);
        pOptions->GetBoolValue(szLargeButtons, &bLargeButtons, m_bLargeButtons);
        ApplyOptions(bToolTips, bCoolLook, bLargeButtons);
    }
    else
    {
        m_bLargeButtons = FALSE;
        m_bToolTips = TRUE;
        m_bCoolLook = TRUE;
        AttachToolBars();
    }
    return SECControlBarManager::LoadNodeState(pNode);
}

frames::SECControlBarInfoEx* SECToolBarManager::CreateBarInfoEx(frames::SECControlBarInfo* pInfo)
{
    if (pInfo != nullptr && (pInfo->m_nTypeID == BARTYPE_CUSTOMTOOLBAR || pInfo->m_nTypeID == BARTYPE_MENUBAR))
        return new SECCustomToolBarInfoEx;
    return SECControlBarManager::CreateBarInfoEx(pInfo);
}

CControlBar* SECToolBarManager::CreateBar(frames::SECControlBarInfo* pInfo)
{
    if (pInfo == nullptr)
        return nullptr;
    if (pInfo->m_nTypeID == BARTYPE_CUSTOMTOOLBAR)
        return NewToolBar(pInfo->m_nBarID, nullptr);
    if (pInfo->m_nTypeID != BARTYPE_MENUBAR)
        return SECControlBarManager::CreateBar(pInfo);
    SECMenuBar* pMenuBar = GetMenuBar();
    if (pMenuBar == nullptr)
        return nullptr;
    pMenuBar->SetManager(this);
    pMenuBar->SetBmpMgr(m_pBmpMgr);
    if (!pMenuBar->CreateEx(GetBarExStyle(), GetFrame(), GetBarStyle(), pInfo->m_nBarID, nullptr))
        return nullptr;
    SetImageSize(pMenuBar);
    pMenuBar->EnableDocking(CBRS_ALIGN_ANY);
    return pMenuBar;
}
} // namespace tarnwick::bars
