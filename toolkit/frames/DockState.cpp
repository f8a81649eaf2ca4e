// The toolkit's dock state: records, the profile and archive forms, capture and apply.
#include <toolkit/frames/DockState.h>

#include <toolkit/bars/ControlBarManager.h>
#include <toolkit/foundation/StoredPlacement.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DialogBar.h>
#include <toolkit/frames/DockBar.h>
#include <toolkit/frames/FrameBar.h>
#include <toolkit/frames/FrameDocking.h>
#include <toolkit/frames/MDIFrameWnd.h>
#include <toolkit/frames/MiniDockFrameWnd.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace tarnwick::frames
{
namespace
{
// The placement is stored as its 44 bytes in every build.
static_assert(sizeof(WINDOWPLACEMENT) == 44);

const TCHAR szStyle[] = _T("Style");
const TCHAR szExStyle[] = _T("ExStyle");
const TCHAR szPrevFloating[] = _T("PrevFloating");
const TCHAR szMDIChild[] = _T("MDIChild");
const TCHAR szMDIChildWindowPlacement[] = _T("MDIChildWindowPlacement");
const TCHAR szPctWidth[] = _T("PctWidth");
const TCHAR szMRUFloatCX[] = _T("MRUFloatCX");
const TCHAR szMRUFloatCY[] = _T("MRUFloatCY");
const TCHAR szMRUHorzDockCX[] = _T("MRUHorzDockCX");
const TCHAR szMRUHorzDockCY[] = _T("MRUHorzDockCY");
const TCHAR szMRUVertDockCX[] = _T("MRUVertDockCX");
const TCHAR szMRUVertDockCY[] = _T("MRUVertDockCY");
const TCHAR szMRUDockingState[] = _T("MRUDockingState");
const TCHAR szDockingStyle[] = _T("DockingStyle");
const TCHAR szTypeID[] = _T("TypeID");
const TCHAR szClassName[] = _T("ClassName");
const TCHAR szWindowName[] = _T("WindowName");
const TCHAR szResourceID[] = _T("ResourceID");
const TCHAR szAutoHide[] = _T("AutoHide");
const TCHAR szAutoHidePinned[] = _T("AutoHidePinned");
const TCHAR szLastAlignedDocking[] = _T("LastAlignedDocking");

// One millionth as the single-precision value that "PctWidth" counts in.
constexpr float pctUnit = 0.000001f;
// The floating frame's rectangle before the frame adds its borders and caption.
constexpr int floatSeed = 10;

// The three remembered sizes, each with its two keys.
struct SizeKeys
{
    CSize SECControlBarInfo::*pSize;
    LPCTSTR lpszCX;
    LPCTSTR lpszCY;
};
const SizeKeys sizeKeys[] = {
    {&SECControlBarInfo::m_szMRUFloat, szMRUFloatCX, szMRUFloatCY},
    {&SECControlBarInfo::m_szMRUHorzDock, szMRUHorzDockCX, szMRUHorzDockCY},
    {&SECControlBarInfo::m_szMRUVertDock, szMRUVertDockCX, szMRUVertDockCY},
};

void StoreSize(CArchive& ar, const CSize& size)
{
    ar << static_cast<LONG>(size.cx) << static_cast<LONG>(size.cy);
}

void LoadSize(CArchive& ar, CSize& size)
{
    LONG cx = 0, cy = 0;
    ar >> cx >> cy;
    size = CSize(cx, cy);
}

BOOL ToBool(DWORD dwValue)
{
    return static_cast<BOOL>(dwValue);
}
} // namespace

IMPLEMENT_DYNCREATE(SECControlBarInfoEx, CObject)

void SECControlBarInfoEx::Serialize(CArchive& /*ar*/, SECDockState* /*pDockState*/)
{
}

BOOL SECControlBarInfoEx::LoadStateFromNode(workspace::SECPersistentTreeNode* pNode)
{
    return pNode != nullptr;
}

BOOL SECControlBarInfoEx::LoadState(LPCTSTR /*lpszSection*/, SECDockState* /*pDockState*/)
{
    return FALSE;
}

BOOL SECControlBarInfoEx::SaveStateToNode(workspace::SECPTNFactory& /*factory*/, workspace::SECPersistentTreeNode* pNode)
{
    return pNode != nullptr;
}

BOOL SECControlBarInfoEx::SaveState(LPCTSTR /*lpszSection*/)
{
    return FALSE;
}

SECControlBarInfo::SECControlBarInfo(bars::SECControlBarManager* pManager)
    : m_szMRUHorzDock(0, 0), m_szMRUVertDock(0, 0), m_szMRUFloat(0, 0), m_dwMRUDockingState(0), m_dwDockingStyle(0),
      m_fPctWidth(0.0f), m_dwStyle(0), m_dwExStyle(0), m_bPrevFloating(FALSE), m_bMDIChild(FALSE), m_wpMDIChild{},
      m_nResourceID(0), m_bAutoHide(FALSE), m_bAutoHidePinned(FALSE), m_dwLastAlignedDocking(0), m_pBarInfoEx(nullptr),
      m_nTypeID(0), m_pManager(pManager)
{
    m_wpMDIChild.length = sizeof(m_wpMDIChild);
}

SECControlBarInfo::~SECControlBarInfo()
{
    delete m_pBarInfoEx;
}

CString SECControlBarInfo::EncodePctWidth(float fPctWidth)
{
    const float fUnits = fPctWidth / pctUnit;
    CString text;
    text.Format(_T("%d"), static_cast<int>(fUnits));
    return text;
}

float SECControlBarInfo::DecodePctWidth(const CString& strText)
{
    return static_cast<float>(_wtoi(strText)) * pctUnit;
}

void SECControlBarInfo::CreateBarInfoEx()
{
    if (m_pManager == nullptr)
        return;
    delete m_pBarInfoEx;
    m_pBarInfoEx = m_pManager->CreateBarInfoEx(this);
}

void SECControlBarInfo::SaveExtValues(CDockStateValues& values, KeyOrder order) const
{
    const auto saveAutoHide = [&] {
        values.WriteBool(szAutoHide, m_bAutoHide);
        values.WriteBool(szAutoHidePinned, m_bAutoHidePinned);
        values.WriteInt(szLastAlignedDocking, static_cast<int>(m_dwLastAlignedDocking));
    };
    values.WriteInt(szStyle, static_cast<int>(m_dwStyle));
    values.WriteInt(szExStyle, static_cast<int>(m_dwExStyle));
    values.WriteBool(szPrevFloating, m_bPrevFloating);
    values.WriteBool(szMDIChild, m_bMDIChild);
    if (m_bMDIChild)
        values.WriteBinary(szMDIChildWindowPlacement, reinterpret_cast<const BYTE*>(&m_wpMDIChild),
                           sizeof(m_wpMDIChild));
    if (order == KeyOrder::tree)
        saveAutoHide();
    values.WriteString(szPctWidth, EncodePctWidth(m_fPctWidth));
    for (const SizeKeys& keys : sizeKeys)
    {
        values.WriteInt(keys.lpszCX, (this->*keys.pSize).cx);
        values.WriteInt(keys.lpszCY, (this->*keys.pSize).cy);
    }
    values.WriteInt(szMRUDockingState, static_cast<int>(m_dwMRUDockingState));
    values.WriteInt(szDockingStyle, static_cast<int>(m_dwDockingStyle));
    values.WriteInt(szTypeID, static_cast<int>(m_nTypeID));
    values.WriteString(szClassName, m_strClassName);
    values.WriteString(szWindowName, m_strWindowName);
    values.WriteInt(szResourceID, static_cast<int>(m_nResourceID));
    if (order == KeyOrder::profile)
        saveAutoHide();
}

void SECControlBarInfo::LoadExtValues(CDockStateValues& values)
{
    m_dwStyle = static_cast<DWORD>(values.ReadInt(szStyle, 0));
    m_dwExStyle = static_cast<DWORD>(values.ReadInt(szExStyle, 0));
    m_bPrevFloating = values.ReadBool(szPrevFloating, FALSE);
    m_bMDIChild = values.ReadBool(szMDIChild, FALSE);
    BYTE* pPlacement = nullptr;
    UINT nBytes = 0;
    if (m_bMDIChild && values.ReadBinary(szMDIChildWindowPlacement, &pPlacement, &nBytes))
    {
        // A value of another length is no placement of this kind.
        if (nBytes == sizeof(m_wpMDIChild))
            std::memcpy(&m_wpMDIChild, pPlacement, sizeof(m_wpMDIChild));
        delete[] pPlacement;
    }
    m_bAutoHide = values.ReadBool(szAutoHide, FALSE);
    m_bAutoHidePinned = values.ReadBool(szAutoHidePinned, TRUE);
    m_dwLastAlignedDocking = static_cast<DWORD>(values.ReadInt(szLastAlignedDocking, 0));
    m_fPctWidth = std::max(DecodePctWidth(values.ReadString(szPctWidth, _T(""))), 0.0f);
    for (const SizeKeys& keys : sizeKeys)
        this->*keys.pSize = CSize(std::max(values.ReadInt(keys.lpszCX, 0), 0), std::max(values.ReadInt(keys.lpszCY, 0), 0));
    m_dwMRUDockingState =
        static_cast<DWORD>(values.ReadInt(szMRUDockingState, static_cast<int>(m_dwMRUDockingState)));
    m_dwDockingStyle = static_cast<DWORD>(values.ReadInt(szDockingStyle, static_cast<int>(m_dwDockingStyle)));
    m_nTypeID = static_cast<UINT>(values.ReadInt(szTypeID, 0));
    m_strClassName = values.ReadString(szClassName, _T(""));
    m_strWindowName = values.ReadString(szWindowName, _T(""));
    m_nResourceID = static_cast<UINT>(values.ReadInt(szResourceID, static_cast<int>(m_nResourceID)));
}

BOOL SECControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex)
{
    if (!CControlBarInfo::SaveState(lpszProfileName, nIndex))
        return FALSE;
    CProfileDockStateValues values(SectionName(lpszProfileName, nIndex));
    SaveExtValues(values, KeyOrder::profile);
    if (m_pBarInfoEx != nullptr)
        m_pBarInfoEx->SaveState(values.GetSection());
    return TRUE;
}

BOOL SECControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, SECDockState* pDockState)
{
    CProfileDockStateValues values(SectionName(lpszProfileName, nIndex));
    // x as stored: a floating frame's position is kept, on screen, by the apply.
    LoadValues(values, pDockState, FALSE);
    LoadExtValues(values);
    CreateBarInfoEx();
    if (m_pBarInfoEx != nullptr)
        m_pBarInfoEx->LoadState(values.GetSection(), pDockState);
    return m_nBarID != 0;
}

void SECControlBarInfo::Serialize(CArchive& ar, SECDockState* pDockState)
{
    SerializeBase(ar, pDockState);
    if (ar.IsStoring())
    {
        ar << m_dwStyle << m_dwExStyle << static_cast<DWORD>(m_bPrevFloating) << static_cast<DWORD>(m_bMDIChild);
        ar << EncodePctWidth(m_fPctWidth);
        for (const SizeKeys& keys : sizeKeys)
            StoreSize(ar, this->*keys.pSize);
        ar << m_dwMRUDockingState << m_dwDockingStyle << static_cast<DWORD>(m_nTypeID);
    }
    else
    {
        DWORD dwPrevFloating = 0, dwMDIChild = 0, dwTypeID = 0;
        ar >> m_dwStyle >> m_dwExStyle >> dwPrevFloating >> dwMDIChild;
        m_bPrevFloating = ToBool(dwPrevFloating);
        m_bMDIChild = ToBool(dwMDIChild);
        CString strPctWidth;
        ar >> strPctWidth;
        m_fPctWidth = DecodePctWidth(strPctWidth);
        for (const SizeKeys& keys : sizeKeys)
            LoadSize(ar, this->*keys.pSize);
        ar >> m_dwMRUDockingState >> m_dwDockingStyle >> dwTypeID;
        m_nTypeID = dwTypeID;
        CreateBarInfoEx();
    }
    if (m_pBarInfoEx != nullptr)
        m_pBarInfoEx->Serialize(ar, pDockState);
    SerializeBarIDs(ar);
}

IMPLEMENT_SERIAL(SECDockState, CDockState, 0)

namespace
{
// The whole virtual screen, or the primary one where the system knows no virtual screen.
void SetVirtualScreenRects(CRect& rectDevice, CRect& rectClip)
{
    int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    int cx = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int cy = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (cx == 0 || cy == 0)
    {
        x = y = 0;
        cx = ::GetSystemMetrics(SM_CXSCREEN);
        cy = ::GetSystemMetrics(SM_CYSCREEN);
    }
    rectDevice.SetRect(0, 0, cx, cy);
    rectClip.left = x + ::GetSystemMetrics(SM_CXFRAME);
    rectClip.top = y + ::GetSystemMetrics(SM_CYSMCAPTION) + ::GetSystemMetrics(SM_CYFRAME);
    rectClip.right = rectClip.left + cx - ::GetSystemMetrics(SM_CXSMICON);
    rectClip.bottom = rectClip.top + cy - ::GetSystemMetrics(SM_CYSMICON) - ::GetSystemMetrics(SM_CYFRAME);
}
} // namespace

SECDockState::SECDockState() : SECDockState(nullptr)
{
}

SECDockState::SECDockState(bars::SECControlBarManager* pManager) : m_pManager(pManager), m_pCreatedBars(nullptr)
{
    SetVirtualScreenRects(m_rectDevice, m_rectClip);
}

SECDockState::~SECDockState()
{
    Clear();
}

void SECDockState::Clear()
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
        delete GetBarInfo(i);
    m_arrBarInfo.RemoveAll();
}

void SECDockState::RemoveBarInfo(INT_PTR nIndex)
{
    delete GetBarInfo(nIndex);
    m_arrBarInfo.RemoveAt(nIndex);
}

SECControlBarInfo* SECDockState::CreateBarInfo(bars::SECControlBarManager* pManager)
{
    return new SECControlBarInfo(pManager);
}

void SECDockState::SaveState(LPCTSTR lpszProfileName)
{
    SaveProfile(lpszProfileName, [lpszProfileName](void* pInfo, int nIndex) {
        return static_cast<SECControlBarInfo*>(pInfo)->SaveState(lpszProfileName, nIndex);
    });
}

void SECDockState::LoadState(LPCTSTR lpszProfileName)
{
    Clear();
    LoadProfile(
        lpszProfileName, [this]() -> void* { return CreateBarInfo(m_pManager); },
        [this, lpszProfileName](void* pInfo, int nIndex) {
            static_cast<SECControlBarInfo*>(pInfo)->LoadState(lpszProfileName, nIndex, this);
        });
}

void SECDockState::Serialize(CArchive& ar)
{
    if (ar.IsLoading())
        Clear();
    SerializeInfos(
        ar, [this]() -> void* { return CreateBarInfo(m_pManager); },
        [this, &ar](void* pInfo) { static_cast<SECControlBarInfo*>(pInfo)->Serialize(ar, this); });
}

void SECDockState::TakeFrameManager(CFrameWnd* pFrame)
{
    if (m_pManager != nullptr)
        return;
    if (SECFrameDocking* pDocking = SECFrameDocking::FromFrame(pFrame))
        m_pManager = pDocking->GetControlBarManager();
}

BOOL SECDockState::GetState(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return FALSE;
    Clear();
    TakeFrameManager(pFrame);
    for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != nullptr;)
    {
        auto* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        // Frame bars float in frames of their own kind and come back with their documents.
        if (DYNAMIC_DOWNCAST(SECMiniDockFrameWnd, pBar->GetParentFrame()) != nullptr)
        {
            CWnd* pLook = pBar->IsDockBar() ? pBar->GetWindow(GW_CHILD) : pBar;
            if (pLook == nullptr || DYNAMIC_DOWNCAST(SECFrameBar, pLook) != nullptr)
                continue;
        }
        auto* pDockBar = DYNAMIC_DOWNCAST(SECDockBar, pBar);
        auto* pToolkitBar = DYNAMIC_DOWNCAST(SECControlBar, pBar);
        if (pDockBar == nullptr && pToolkitBar == nullptr)
            continue;
        SECControlBarInfo* pInfo = CreateBarInfo(m_pManager);
        if (pDockBar != nullptr)
            pDockBar->GetBarInfoEx(pInfo);
        else
            pToolkitBar->GetBarInfoEx(pInfo);
        m_arrBarInfo.Add(pInfo);
    }
    return TRUE;
}

BOOL SECDockState::SetState(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return FALSE;
    TakeFrameManager(pFrame);
    const BOOL bMDIFrame = DYNAMIC_DOWNCAST(SECMDIFrameWnd, pFrame) != nullptr;
    BindBars(pFrame, bMDIFrame);
    // The dock bars' rows first, so that each bar finds itself where it will stay before it
    // takes its own record (an unpinned bar floats out of the dock bar that holds it).
    for (const BOOL bDockBars : {TRUE, FALSE})
        for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
        {
            SECControlBarInfo* pInfo = GetBarInfo(i);
            auto* pToolkitBar = DYNAMIC_DOWNCAST(SECControlBar, pInfo->m_pBar);
            if ((pToolkitBar == nullptr) != bDockBars)
                continue;
            if (pToolkitBar != nullptr)
                pToolkitBar->SetBarInfoEx(pInfo, pFrame);
            else
                pInfo->m_pBar->SetBarInfo(pInfo, pFrame);
        }
    FinishBars(pFrame);
    pFrame->RecalcLayout(TRUE);
    if (bMDIFrame)
    {
        RestoreMDIChildPlacements(pFrame);
        pFrame->DelayRecalcLayout(TRUE);
    }
    return TRUE;
}

void SECDockState::BindBars(CFrameWnd* pFrame, BOOL /*bMDIFrame*/)
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize();)
    {
        SECControlBarInfo* pInfo = GetBarInfo(i);
        pInfo->m_pBar = pInfo->m_bFloating ? CreateFloatingBar(pFrame, pInfo) : FindOrCreateBar(pFrame, pInfo);
        if (pInfo->m_pBar == nullptr)
            RemoveBarInfo(i);
        else
            ++i;
    }
}

CControlBar* SECDockState::CreateFloatingBar(CFrameWnd* pFrame, SECControlBarInfo* pInfo)
{
    const DWORD dwAlign = pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT;
    CDockBar* pDockBar = nullptr;
    auto* pMDIFrame = DYNAMIC_DOWNCAST(SECMDIFrameWnd, pFrame);
    if (pInfo->m_bMDIChild && pMDIFrame != nullptr)
    {
        if (CMDIChildWnd* pChild = pMDIFrame->CreateBarChildFrame())
            pDockBar = DYNAMIC_DOWNCAST(CDockBar, pChild->GetDlgItem(AFX_IDW_DOCKBAR_FLOAT));
    }
    else if (CMiniDockFrameWnd* pMiniFrame = pFrame->CreateFloatingFrame(dwAlign))
        pDockBar = &pMiniFrame->m_wndDockBar;
    if (pDockBar != nullptr)
        pDockBar->m_pDockBar = nullptr;
    return pDockBar;
}

CControlBar* SECDockState::FindOrCreateBar(CFrameWnd* pFrame, SECControlBarInfo* pInfo)
{
    if (CControlBar* pBar = pFrame->GetControlBar(pInfo->m_nBarID))
        return pBar;
    if (m_pManager != nullptr)
        if (CControlBar* pBar = m_pManager->CreateBar(pInfo))
            return pBar;
    return CreateBarFromInfo(pInfo->m_strClassName, pFrame, pInfo);
}

void SECDockState::FinishBars(CFrameWnd* /*pFrame*/)
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
    {
        SECControlBarInfo* pInfo = GetBarInfo(i);
        if (auto* pToolkitBar = DYNAMIC_DOWNCAST(SECControlBar, pInfo->m_pBar))
        {
            pToolkitBar->SetExBarStyle(pInfo->m_dwExStyle, FALSE);
            // Layouts run while the records were applied fitted shares around bars still hidden:
            // the first layout of the whole takes the shares as saved.
            pToolkitBar->m_fPctWidth = pInfo->m_fPctWidth;
            pToolkitBar->SetShareSettled(TRUE);
        }
        if (pInfo->m_bFloating)
            PlaceFloatingFrame(pInfo);
    }
}

void SECDockState::PlaceFloatingFrame(SECControlBarInfo* pInfo)
{
    auto* pDockBar = static_cast<CDockBar*>(pInfo->m_pBar);
    CFrameWnd* pFloatFrame = pDockBar->GetParentFrame();
    if (pFloatFrame == nullptr)
        return;
    CRect rect(pInfo->m_pointPos, CSize(floatSeed, floatSeed));
    pFloatFrame->CalcWindowRect(&rect);
    CPoint point = rect.TopLeft();
    // A top-level frame stored off every monitor comes back with a corner on one.
    if ((pFloatFrame->GetStyle() & WS_CHILD) == 0)
        point = SECFrameDocking::KeepOnWorkArea(point, rect.Size());
    pFloatFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (pDockBar->GetDockedVisibleCount() > 0)
    {
        pFloatFrame->RecalcLayout();
        pFloatFrame->ShowWindow(SW_SHOWNA);
    }
    if (auto* pLink = DYNAMIC_DOWNCAST(SECDockBar, pDockBar->m_pDockBar))
        pLink->AddToRedrawList(pDockBar);
}

void SECDockState::RestoreMDIChildPlacements(CFrameWnd* /*pFrame*/)
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
    {
        SECControlBarInfo* pInfo = GetBarInfo(i);
        // Only a floating record was given an MDI child frame; a docked bar's parent frame is the
        // main window, which a stored placement must not hide or move.
        if (!pInfo->m_bMDIChild || !pInfo->m_bFloating)
            continue;
        auto* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, pInfo->m_pBar->GetParentFrame());
        if (pChild == nullptr)
            continue;
        WINDOWPLACEMENT wp = pInfo->m_wpMDIChild;
        foundation::KeepPlacementShown(wp, pChild->GetSafeHwnd());
        pChild->SetWindowPlacement(&wp);
    }
}

CRuntimeClass* SECDockState::FindRuntimeClass(LPCTSTR lpszClassName)
{
    return CRuntimeClass::FromName(lpszClassName);
}

CControlBar* SECDockState::CreateBarFromInfo(LPCTSTR lpszClassName, CFrameWnd* pFrame, SECControlBarInfo* pInfo)
{
    CRuntimeClass* pClass = FindRuntimeClass(lpszClassName);
    if (pClass == nullptr || pClass->m_pfnCreateObject == nullptr || !pClass->IsDerivedFrom(RUNTIME_CLASS(SECControlBar)))
        return nullptr;
    auto* pBar = static_cast<SECControlBar*>(pClass->CreateObject());
    if (pBar == nullptr)
        return nullptr;
    std::unique_ptr<SECControlBar> owner(m_pCreatedBars == nullptr ? pBar : nullptr);
    if (m_pCreatedBars != nullptr)
        m_pCreatedBars->AddTail(pBar);
    const DWORD dwStyle = WS_CHILD | pInfo->m_dwStyle;
    auto* pDialogBar = DYNAMIC_DOWNCAST(SECDialogBar, pBar);
    const BOOL bCreated =
        pDialogBar != nullptr
            ? pDialogBar->Create(pFrame, pInfo->m_nResourceID, dwStyle, pInfo->m_dwExStyle, pInfo->m_nBarID)
            : pBar->Create(pFrame, pInfo->m_strWindowName, dwStyle, pInfo->m_dwExStyle, pInfo->m_nBarID, nullptr);
    // A bar that failed to create has no window to apply the record to; the list deletes it.
    if (!bCreated)
        return nullptr;
    pBar->SetWindowText(pInfo->m_strWindowName);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    owner.release();
    return pBar;
}
} // namespace tarnwick::frames
