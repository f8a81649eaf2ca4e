// SECCustomToolBar: creation, metrics, the buttons and their states, painting and the bar's
// messages.
#include <toolkit/bars/CustomToolBar.h>

#include <afxpriv.h>
#include <toolkit/bars/BmpMgr.h>
#include <toolkit/bars/BtnDrawData.h>
#include <toolkit/bars/CustomToolBarInfoEx.h>
#include <toolkit/bars/CustomToolCmdUI.h>
#include <toolkit/bars/MenuBar.h>
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/VisualStyle.h>

#include <algorithm>

namespace tarnwick::bars
{
IMPLEMENT_DYNCREATE(SECCustomToolBar, SECControlBar)

namespace
{
// The toolbar's add message is the common controls' original one.
constexpr UINT TB_SEC_ADDBUTTONS = 0x414;
constexpr int SEPARATOR_WIDTH = 8;
// Theme parts of the bar's background and gripper.
constexpr int RP_GRIPPER = 1;
constexpr int RP_GRIPPERVERT = 2;
constexpr int RP_BAND = 6;
constexpr int MENU_BARBACKGROUND = 7;

// Builds a new button through a map entry's factory; failures give none.
SECStdBtn* MakeButton(const SECButtonClass* pClass)
{
    try
    {
        return pClass->pfnCreateButton();
    }
    catch (CException* e)
    {
        e->Delete();
        return nullptr;
    }
}

const SECBtnMapEntry* FindEntry(const SECBtnMapEntry* pMap, UINT nID)
{
    for (; pMap != nullptr && pMap->pClass != nullptr; ++pMap)
        if (pMap->nID == nID)
            return pMap;
    return nullptr;
}
} // namespace

BEGIN_MESSAGE_MAP(SECCustomToolBar, SECControlBar)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_CANCELMODE()
ON_WM_TIMER()
ON_WM_SYSCOLORCHANGE()
ON_WM_WINDOWPOSCHANGING()
ON_WM_SHOWWINDOW()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
ON_MESSAGE(TB_SEC_ADDBUTTONS, OnAddButtons)
ON_MESSAGE(TB_DELETEBUTTON, OnDeleteButton)
ON_REGISTERED_MESSAGE(SECCustomToolBar::NoDelayHideMessage(), OnNoDelayHide)
END_MESSAGE_MAP()

SECCustomToolBar::SECCustomToolBar()
    : m_pManager(nullptr), m_pBmpMgr(new SECBmpMgr), m_nSepWidth(SEPARATOR_WIDTH), m_nPressedBtn(-1), m_nHotBtn(-1),
      m_nKeyboardBtn(-1), m_bCustomiseMode(FALSE), m_pOwnDrawData(nullptr), m_bVertical(FALSE), m_bDirtyFloat(TRUE),
      m_bDirtyHorz(TRUE), m_bDirtyVert(TRUE), m_sizeHorz(0, 0), m_sizeVert(0, 0), m_sizeFloat(0, 0), m_dwDragFlags(0),
      m_pFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)))), m_pButtonMap(nullptr),
      m_pSecondButtonMap(nullptr), m_bKeyboardMode(FALSE), m_bMenuLook(FALSE), m_clrBk(RGB(192, 192, 192)),
      m_bUseBk(FALSE), m_nParentLength(0), m_bDelayedHide(FALSE)
{
    const CSize sizeImage = m_pBmpMgr->GetImageSize();
    m_cxButton = sizeImage.cx + 7;
    m_cyButton = sizeImage.cy + 7;
    m_cyTopBorder = m_cyBottomBorder = 3;
}

SECCustomToolBar::~SECCustomToolBar()
{
    for (SECStdBtn* pBtn : m_btns)
        delete pBtn;
    m_btns.clear();
    m_pBmpMgr->Release();
    delete m_pOwnDrawData;
    delete[] m_pSecondButtonMap;
}

LRESULT SECCustomToolBar::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    m_themeRebar.Close();
    m_themeMenu.Close();
    for (SECStdBtn* pBtn : m_btns)
        pBtn->OnThemeChanged();
    Invalidate();
    return SECControlBar::OnThemeChanged(wParam, lParam);
}

BOOL SECCustomToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle)
{
    return CreateEx(0, pParentWnd, dwStyle, nID, lpszTitle);
}

BOOL SECCustomToolBar::CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle)
{
    m_dwExStyle = dwExStyle | CBRS_EX_TOOLBAR;
    if (m_dwExStyle & CBRS_EX_THINBORDERS)
        m_cyTopBorder = m_cyBottomBorder = 1;
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    if (!CWnd::Create(lpszClass, lpszTitle, (dwStyle & ~CBRS_ALL) | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    m_bDirtyFloat = m_bDirtyHorz = m_bDirtyVert = TRUE;
    NotifyManager(barCreated);
    return TRUE;
}

int SECCustomToolBar::OnCreate(LPCREATESTRUCT lpcs)
{
    return SECControlBar::OnCreate(lpcs);
}

void SECCustomToolBar::OnDestroy()
{
    ClearSelection(FALSE);
    NotifyManager(barDestroyed);
    KillTimer(ID_TIMER_HOTTRACK);
    SECControlBar::OnDestroy();
}

void SECCustomToolBar::NotifyManager(SECBarNotification nCode)
{
    if (m_pManager != nullptr && m_hWnd != nullptr)
        m_pManager->NotifyBars(GetDlgCtrlID(), nCode);
}

void SECCustomToolBar::SetBmpMgr(SECBmpMgr* pBmpMgr)
{
    pBmpMgr->AddRef();
    m_pBmpMgr->Release();
    m_pBmpMgr = pBmpMgr;
}

void SECCustomToolBar::SetSecondButtonMap(SECBtnMapEntry* pMap)
{
    delete[] m_pSecondButtonMap;
    m_pSecondButtonMap = pMap;
}

SECBtnDrawData& SECCustomToolBar::GetDrawData()
{
    if (m_pManager != nullptr)
        return m_pManager->GetDrawData();
    if (m_pOwnDrawData == nullptr)
        m_pOwnDrawData = new SECBtnDrawData;
    return *m_pOwnDrawData;
}

CWnd* SECCustomToolBar::GetCommandOwner() const
{
    CWnd* pOwner = GetOwner();
    return pOwner != nullptr ? pOwner : GetParent();
}

// Metrics.

CFont* SECCustomToolBar::GetFont() const
{
    return m_pFont;
}

BOOL SECCustomToolBar::IsCoolLook() const
{
    return (m_dwExStyle & CBRS_EX_COOLBORDERS) != 0;
}

int SECCustomToolBar::GetImageWidth() const
{
    return m_pBmpMgr->GetImageSize().cx;
}

int SECCustomToolBar::GetImageHeight() const
{
    return m_pBmpMgr->GetImageSize().cy;
}

int SECCustomToolBar::GetButtonWidth() const
{
    return m_cxButton;
}

int SECCustomToolBar::GetButtonHeight() const
{
    return m_cyButton;
}

int SECCustomToolBar::GetGapWidth() const
{
    return (GetImageWidth() + 8) / 3;
}

void SECCustomToolBar::RecalcButtonSizes()
{
    m_cxButton = GetImageWidth() + 7;
    m_cyButton = GetImageHeight() + 7;
    for (SECStdBtn* pBtn : m_btns)
        pBtn->AdjustSize();
    m_bDirtyFloat = m_bDirtyHorz = m_bDirtyVert = TRUE;
}

BOOL SECCustomToolBar::IsCopyKeyDown() const
{
    return ::GetKeyState(VK_CONTROL) < 0;
}

void SECCustomToolBar::SetBkColor(COLORREF clr, BOOL bUse)
{
    m_clrBk = clr;
    m_bUseBk = bUse;
}

BOOL SECCustomToolBar::GetBkColorUse() const
{
    return m_bUseBk;
}

// Buttons.

int SECCustomToolBar::GetBitmapIndex(UINT nID) const
{
    HBITMAP hBitmap = nullptr;
    int nIndex = 0;
    return m_pBmpMgr->GetBitmapInfo(nID, hBitmap, nIndex) ? nIndex : 0;
}

SECStdBtn* SECCustomToolBar::CreateButton(UINT nID, SECCustomToolBar* pParent)
{
    const SECBtnMapEntry* pEntry = FindEntry(m_pManager != nullptr ? m_pManager->GetButtonMap() : m_pButtonMap, nID);
    if (pEntry == nullptr)
        pEntry = FindEntry(m_pManager != nullptr ? m_pManager->GetSecondButtonMap() : m_pSecondButtonMap, nID);
    SECStdBtn* pBtn = pEntry != nullptr ? MakeButton(pEntry->pClass) : nullptr;
    // A factory that yields nothing falls back to a plain button.
    if (pBtn == nullptr)
        pBtn = new SECStdBtn;
    else
        pBtn->m_nStyle = pEntry->nStyle;
    pBtn->m_nID = nID;
    pBtn->m_nImage = pBtn->m_nType == SECStdBtn::KindMenu ? 0 : GetBitmapIndex(nID);
    static const SECBtnParams noParams = {};
    pBtn->Init(pParent != nullptr ? pParent : this, pEntry != nullptr ? pEntry->params : noParams);
    pBtn->SetVertical(m_bVertical);
    return pBtn;
}

SECStdBtn* SECCustomToolBar::CreateSeparator(SECCustomToolBar* pParent)
{
    auto* pBtn = new SECStdBtn;
    pBtn->m_nStyle = TBBS_SEPARATOR;
    pBtn->m_cx = m_nSepWidth;
    pBtn->m_cy = GetButtonHeight();
    pBtn->Init(pParent != nullptr ? pParent : this, nullptr);
    pBtn->SetVertical(m_bVertical);
    return pBtn;
}

BOOL SECCustomToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    RemoveAllButtons();
    m_nPressedBtn = -1;
    for (int i = 0; i < nIDCount; ++i)
        m_btns.push_back(lpIDArray[i] != 0 ? CreateButton(lpIDArray[i]) : CreateSeparator());
    m_bDirtyFloat = m_bDirtyHorz = m_bDirtyVert = TRUE;
    return TRUE;
}

void SECCustomToolBar::GetBarInfoEx(frames::SECControlBarInfo* pInfo)
{
    SECControlBar::GetBarInfoEx(pInfo);
    auto* pRecord = new SECCustomToolBarInfoEx;
    delete pInfo->m_pBarInfoEx;
    pInfo->m_pBarInfoEx = pRecord;
    GetWindowText(pRecord->m_strTitle);
    for (const SECStdBtn* pBtn : m_btns)
    {
        if (!IsRecordedButton(pBtn))
            continue;
        BYTE nLength = 0;
        BYTE* pData = nullptr;
        pBtn->GetExtraData(nLength, pData);
        pRecord->m_btnInfo.Add(new SECBtnInfo(IsSeparator(pBtn) ? 0 : pBtn->m_nID, nLength, pData));
    }
    pRecord->SetHasButtons(TRUE);
}

void SECCustomToolBar::OnSetBarInfoEx(frames::SECControlBarInfo* pInfo)
{
    auto* pRecord = dynamic_cast<SECCustomToolBarInfoEx*>(pInfo->m_pBarInfoEx);
    if (pRecord == nullptr || !pRecord->HasButtons())
        return;
    if (!pRecord->m_strTitle.IsEmpty())
        SetWindowText(pRecord->m_strTitle);
    const SECBtnInfoArray& records = pRecord->m_btnInfo;
    std::vector<UINT> ids;
    for (INT_PTR i = 0; i < records.GetSize(); ++i)
        ids.push_back(records[i]->m_nID);
    SetButtons(ids.data(), static_cast<int>(ids.size()));
    INT_PTR nRecord = 0;
    for (SECStdBtn* pBtn : m_btns)
        if (IsRecordedButton(pBtn) && nRecord < records.GetSize())
        {
            const SECBtnInfo* pBtnInfo = records[nRecord++];
            pBtn->SetExtraData(pBtnInfo->m_nDataLength, pBtnInfo->m_pData);
        }
    RecalcAndRepaint();
}

BOOL SECCustomToolBar::IsRecordedButton(const SECStdBtn*) const
{
    return TRUE;
}

void SECCustomToolBar::RemoveAllButtons()
{
    m_nHotBtn = -1;
    if (m_hWnd != nullptr)
        KillTimer(ID_TIMER_HOTTRACK);
    for (SECStdBtn* pBtn : m_btns)
        delete pBtn;
    m_btns.clear();
}

int SECCustomToolBar::CommandToIndex(UINT nID) const
{
    for (int i = 0; i < GetBtnCount(); ++i)
        if (m_btns[static_cast<size_t>(i)]->m_nID == nID)
            return i;
    return -1;
}

int SECCustomToolBar::IndexOf(const SECStdBtn* pBtn) const
{
    const auto it = std::find(m_btns.begin(), m_btns.end(), pBtn);
    return it == m_btns.end() ? -1 : static_cast<int>(it - m_btns.begin());
}

CRect SECCustomToolBar::GetButtonRect(int nIndex) const
{
    const SECStdBtn* pBtn = GetButton(nIndex);
    return pBtn != nullptr ? pBtn->GetRect() : CRect();
}

UINT SECCustomToolBar::GetButtonStyle(int nIndex) const
{
    const SECStdBtn* pBtn = GetButton(nIndex);
    return pBtn != nullptr ? pBtn->GetStyle() : 0;
}

void SECCustomToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    SECStdBtn* pBtn = GetButton(nIndex);
    if (pBtn == nullptr || pBtn->GetStyle() == nStyle)
        return;
    pBtn->SetStyle(nStyle);
    InvalidateButton(nIndex);
}

void SECCustomToolBar::InvalidateButton(int nIndex)
{
    if (nIndex >= 0 && nIndex < GetBtnCount())
        GetButton(nIndex)->Invalidate(FALSE);
}

void SECCustomToolBar::FixSeparatorHeights(int nIndex)
{
    if (m_btns.empty())
        return;
    nIndex = std::clamp(nIndex, 0, GetBtnCount() - 1);
    // The row group: from after the previous wrap to the next wrap.
    int nFirst = nIndex;
    while (nFirst > 0 && !(m_btns[static_cast<size_t>(nFirst - 1)]->m_nStyle & TBBS_WRAPPED))
        --nFirst;
    int nLast = nIndex;
    while (nLast < GetBtnCount() - 1 && !(m_btns[static_cast<size_t>(nLast)]->m_nStyle & TBBS_WRAPPED))
        ++nLast;
    int cy = 0;
    for (int i = nFirst; i <= nLast; ++i)
        if (!IsSeparator(m_btns[static_cast<size_t>(i)]))
            cy = std::max(cy, m_btns[static_cast<size_t>(i)]->m_cy);
    if (cy == 0)
        cy = m_nSepWidth * 2 / 3;
    for (int i = nFirst; i <= nLast; ++i)
        if (IsSeparator(m_btns[static_cast<size_t>(i)]))
            m_btns[static_cast<size_t>(i)]->m_cy = cy;
}

void SECCustomToolBar::InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoRecalc)
{
    nIndex = std::clamp(nIndex, 0, GetBtnCount());
    SECStdBtn* pBtn = bSeparator ? CreateSeparator() : CreateButton(nID);
    m_btns.insert(m_btns.begin() + nIndex, pBtn);
    FixSeparatorHeights(nIndex);
    m_nMRUWidth += pBtn->m_cx;
    if (m_nPressedBtn >= nIndex)
        ++m_nPressedBtn;
    if (m_nHotBtn >= nIndex)
        ++m_nHotBtn;
    UpdateButton(nIndex);
    m_bDirtyFloat = m_bDirtyHorz = m_bDirtyVert = TRUE;
    if (!bNoRecalc)
        RecalcAndRepaint();
}

int SECCustomToolBar::RemoveDanglingSeparators(int nIndex)
{
    int nRemovedBefore = 0;
    const auto removeAt = [this, &nRemovedBefore, nIndex](int i) {
        delete m_btns[static_cast<size_t>(i)];
        m_btns.erase(m_btns.begin() + i);
        if (i <= nIndex)
            ++nRemovedBefore;
    };
    if (!m_btns.empty() && IsSeparator(m_btns.front()))
        removeAt(0);
    if (!m_btns.empty() && IsSeparator(m_btns.back()))
        removeAt(GetBtnCount() - 1);
    const int nAt = nIndex - nRemovedBefore;
    if (nAt > 0 && nAt < GetBtnCount() && IsSeparator(m_btns[static_cast<size_t>(nAt - 1)]) &&
        IsSeparator(m_btns[static_cast<size_t>(nAt)]))
        removeAt(nAt);
    return nRemovedBefore;
}

BOOL SECCustomToolBar::RemoveButton(int nIndex, BOOL bNoRecalc)
{
    if (nIndex < 0 || nIndex >= GetBtnCount())
        return 0;
    SECStdBtn* pRemoved = m_btns[static_cast<size_t>(nIndex)];
    m_btns.erase(m_btns.begin() + nIndex);
    if (!m_btns.empty())
        FixSeparatorHeights(std::min(nIndex, GetBtnCount() - 1));
    delete pRemoved;
    const int nRemoved = 1 + RemoveDanglingSeparators(nIndex);
    if (m_nPressedBtn >= 0)
    {
        if (m_nPressedBtn == nIndex)
            m_nPressedBtn = -1;
        else if (m_nPressedBtn > nIndex)
            m_nPressedBtn = std::max(0, m_nPressedBtn - nRemoved);
    }
    if (m_nHotBtn == nIndex)
    {
        m_nHotBtn = -1;
        KillTimer(ID_TIMER_HOTTRACK);
    }
    else if (m_nHotBtn > nIndex)
        m_nHotBtn = std::max(-1, m_nHotBtn - nRemoved);
    m_bDirtyFloat = m_bDirtyHorz = m_bDirtyVert = TRUE;
    if (!bNoRecalc)
    {
        // An emptied user toolbar goes; the menu bar shares the id range but stays.
        if (m_btns.empty() && static_cast<UINT>(GetDlgCtrlID()) >= ID_SEC_FIRSTUSERBAR &&
            !IsKindOf(RUNTIME_CLASS(SECMenuBar)))
        {
            DestroyWindow();
            return FALSE;
        }
        RecalcAndRepaint();
    }
    return !m_btns.empty();
}

void SECCustomToolBar::RecalcAndRepaint()
{
    if (m_hWnd == nullptr)
        return;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
    Invalidate();
}

void SECCustomToolBar::UpdateButton(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetBtnCount() || m_hWnd == nullptr)
        return;
    SECStdBtn* pBtn = GetButton(nIndex);
    if (IsSeparator(pBtn))
        return;
    CWnd* pOwner = GetOwner();
    CCmdTarget* pTarget = pOwner != nullptr && pOwner->IsFrameWnd() ? pOwner : GetParentFrame();
    if (pTarget == nullptr)
        return;
    SECCustomToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndex = static_cast<UINT>(nIndex);
    state.m_nIndexMax = static_cast<UINT>(GetBtnCount());
    state.m_nID = pBtn->m_nID;
    CFrameWnd* pFrame = GetParentFrame();
    const BOOL bDisable = !(pBtn->m_nStyle & TBBS_NOUPDATE) && pFrame != nullptr && pFrame->m_bAutoMenuEnable;
    state.DoUpdate(pTarget, bDisable);
}

void SECCustomToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    SECCustomToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetBtnCount());
    for (int i = 0; i < GetBtnCount(); ++i)
    {
        SECStdBtn* pBtn = GetButton(i);
        if (IsSeparator(pBtn))
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = pBtn->m_nID;
        state.DoUpdate(pTarget, bDisableIfNoHndler && !(pBtn->m_nStyle & TBBS_NOUPDATE));
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

// Painting.

void SECCustomToolBar::DoPaint(CDC* pDC)
{
    if (SECGetVisualStyle() <= 1)
        SECControlBar::DoPaint(pDC);
    else
    {
        CRect rect;
        GetClientRect(rect);
        HRESULT hr = E_FAIL;
        HTHEME hRebar = m_bMenuLook ? nullptr : m_themeRebar.Get(m_hWnd);
        if (m_bMenuLook)
        {
            if (HTHEME hMenu = m_themeMenu.Get(m_hWnd))
                hr = SECDrawThemeBackground(hMenu, pDC->m_hDC, MENU_BARBACKGROUND, 1, rect, nullptr);
        }
        else if (hRebar != nullptr)
            hr = SECDrawThemeBackground(hRebar, pDC->m_hDC, RP_BAND, 1, rect, nullptr);
        if (FAILED(hr))
            pDC->FillSolidRect(rect, m_bUseBk ? m_clrBk : SECGetStyleColor(0));
        if (m_dwExStyle & CBRS_EX_GRIPPERBAR)
        {
            const bool bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
            if (hRebar != nullptr)
            {
                const CRect rectGrip = bHorz ? CRect(rect.left + 3, rect.top + 5, rect.left + 6, rect.bottom - 4)
                                             : CRect(rect.left + 5, rect.top + 3, rect.right - 4, rect.top + 6);
                SECDrawThemeBackground(hRebar, pDC->m_hDC, bHorz ? RP_GRIPPER : RP_GRIPPERVERT, 1, rectGrip, nullptr);
            }
            else if (!IsFloating())
            {
                // A line of dots along the leading edge.
                const COLORREF clrDark = SECGetAuxData()->clrBtnShadow;
                const int nEnd = bHorz ? rect.bottom : rect.right;
                for (int d = 5; d + 4 + 5 <= nEnd || d == 5; d += 4)
                {
                    const int x = bHorz ? rect.left + 3 : rect.left + d;
                    const int y = bHorz ? rect.top + d : rect.top + 3;
                    pDC->FillSolidRect(x + 1, y + 1, 2, 2, RGB(192, 192, 192));
                    pDC->FillSolidRect(x, y, 2, 2, clrDark);
                    if (d + 4 + 5 > nEnd)
                        break;
                }
            }
        }
        CRect rectBorders = rect;
        DrawBorders(pDC, rectBorders);
    }
    SECBtnDrawData& data = GetDrawData();
    data.SetBkColor(m_clrBk, m_bUseBk);
    for (SECStdBtn* pBtn : m_btns)
        if (!(pBtn->m_nStyle & TBBS_HIDDEN))
            pBtn->Draw(*pDC, data);
}

void SECCustomToolBar::DrawBorders(CDC* pDC, CRect& rect)
{
    if (!IsCoolLook())
    {
        SECControlBar::DrawBorders(pDC, rect);
        return;
    }
    const COLORREF clr = SECGetAuxData()->clrBtnShadow;
    if (m_dwStyle & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), clr);
    if (m_dwStyle & CBRS_BORDER_TOP)
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clr);
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), clr);
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, clr);
    if (m_pDockContext == nullptr)
    {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clr);
        pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, SECGetAuxData()->clrBtnHilite);
    }
}

// Messages.

void SECCustomToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    SECControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
    if ((dwOldStyle ^ dwNewStyle) & (CBRS_ORIENT_ANY | CBRS_FLOATING))
        m_bDirtyFloat = m_bDirtyHorz = m_bDirtyVert = TRUE;
}

void SECCustomToolBar::OnSysColorChange()
{
    SECControlBar::OnSysColorChange();
    GetDrawData().RefreshBrush();
    m_pBmpMgr->ReloadBitmaps(TRUE);
    Invalidate();
}

void SECCustomToolBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    if (lpWndPos->flags & SWP_HIDEWINDOW)
        NotifyManager(barHidden);
    else if (lpWndPos->flags & SWP_SHOWWINDOW)
        NotifyManager(barShown);
    const DWORD dwStyle = m_dwStyle;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    SECControlBar::OnWindowPosChanging(lpWndPos);
    m_dwStyle = dwStyle;
    if (!(lpWndPos->flags & SWP_NOSIZE) && (m_dwStyle & CBRS_SIZE_DYNAMIC))
        Invalidate();
}

void SECCustomToolBar::OnShowWindow(BOOL bShow, UINT nStatus)
{
    SECControlBar::OnShowWindow(bShow, nStatus);
    NotifyManager(bShow ? barShown : barHidden);
}

int SECCustomToolBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (m_bCustomiseMode && !IsFloating())
        return MA_NOACTIVATE;
    return SECControlBar::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void SECCustomToolBar::SizeToParent(AFX_SIZEPARENTPARAMS* lpLayout)
{
    if (m_pDockContext != nullptr || lpLayout == nullptr)
        return;
    CRect rectParent;
    GetParent()->GetClientRect(rectParent);
    m_nParentLength = (m_dwStyle & CBRS_ORIENT_HORZ) ? rectParent.Width() : rectParent.Height();
}

LRESULT SECCustomToolBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    SizeToParent(reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam));
    return CControlBar::OnSizeParent(wParam, lParam);
}

LRESULT SECCustomToolBar::OnAddButtons(WPARAM wParam, LPARAM lParam)
{
    const auto* pButtons = reinterpret_cast<const TBBUTTON*>(lParam);
    for (WPARAM i = 0; i < wParam; ++i)
    {
        const TBBUTTON& button = pButtons[i];
        SECStdBtn* pBtn = button.idCommand != 0 ? CreateButton(static_cast<UINT>(button.idCommand)) : CreateSeparator();
        pBtn->m_nStyle |= (static_cast<UINT>(button.fsState) << 16) | button.fsStyle;
        m_btns.push_back(pBtn);
    }
    m_bDirtyFloat = m_bDirtyHorz = m_bDirtyVert = TRUE;
    RecalcAndRepaint();
    return TRUE;
}

LRESULT SECCustomToolBar::OnDeleteButton(WPARAM wParam, LPARAM)
{
    RemoveButton(static_cast<int>(wParam), FALSE);
    return 1;
}
} // namespace tarnwick::bars
