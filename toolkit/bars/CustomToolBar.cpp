// SECCustomToolBar: buttons, their layout in rows, hot tracking, presses and commands, keyboard
// mode and painting.
#include <toolkit/bars/CustomToolBar.h>

#include <afxpriv.h>
#include <toolkit/bars/BmpMgr.h>
#include <toolkit/bars/BtnDrawData.h>
#include <toolkit/bars/CustomToolBarInfoEx.h>
#include <toolkit/bars/CustomToolCmdUI.h>
#include <toolkit/bars/MenuBar.h>
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/ScopedValue.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/ReBar.h>

#include <windowsx.h>

#include <algorithm>
#include <numeric>

namespace tarnwick::bars
{
using foundation::SECScopedValue;
using frames::SECReBar;
IMPLEMENT_DYNCREATE(SECCustomToolBar, SECControlBar)

namespace
{
constexpr UINT HOTTRACK_MS = 100;
// What a band takes of the rebar's width beside its child: the gripper and the band's edges.
constexpr int REBAR_BAND_INSET = 12;
// The toolbar's add message is the common controls' original one.
constexpr UINT TB_SEC_ADDBUTTONS = 0x414;
constexpr int SEPARATOR_WIDTH = 8;
constexpr int NO_WIDTH_LIMIT = 32767;
// Theme parts of the bar's background and gripper.
constexpr int RP_GRIPPER = 1;
constexpr int RP_GRIPPERVERT = 2;
constexpr int RP_BAND = 6;
constexpr int MENU_BARBACKGROUND = 7;

BOOL g_bCommandInProgress = FALSE;
BOOL g_bMenuTracking = FALSE;

bool IsSeparator(const SECStdBtn* pBtn)
{
    return (pBtn->m_nStyle & TBBS_SEPARATOR) != 0;
}

bool IsKeyboardKind(const SECStdBtn* pBtn)
{
    return pBtn->m_nType == SECStdBtn::KindMenu || pBtn->m_nType == SECStdBtn::KindCapMenu;
}

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

BOOL SECCustomToolBar::IsCommandInProgress()
{
    return g_bCommandInProgress;
}

void SECCustomToolBar::SetMenuTracking(BOOL bTracking)
{
    g_bMenuTracking = bTracking;
}

BOOL SECCustomToolBar::IsMenuTracking()
{
    return g_bMenuTracking;
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

// Layout.

SECCustomToolBar::SECBtnArray SECCustomToolBar::VisibleButtons() const
{
    SECBtnArray btns;
    btns.reserve(m_btns.size());
    for (SECStdBtn* pBtn : m_btns)
        if (!(pBtn->m_nStyle & TBBS_HIDDEN))
            btns.push_back(pBtn);
    return btns;
}

int SECCustomToolBar::SumWidths(const SECBtnArray& btns, int nFirst, int nLast)
{
    int cx = 0;
    for (int i = nFirst; i <= nLast; ++i)
        cx += btns[static_cast<size_t>(i)]->m_cx;
    return cx;
}

int SECCustomToolBar::RowHeight(const SECBtnArray& btns, int nFirst, int nLast) const
{
    int cy = 0;
    for (int i = nFirst; i <= nLast; ++i)
        if (!IsSeparator(btns[static_cast<size_t>(i)]))
            cy = std::max(cy, btns[static_cast<size_t>(i)]->m_cy);
    return cy;
}

void SECCustomToolBar::FillRow(const SECBtnArray& btns, Row& row, int nFirst, int nLast, BOOL bSepEnd) const
{
    const int nLastCounted = bSepEnd ? nLast - 1 : nLast;
    row.nLast = nLast;
    row.bSepEnd = bSepEnd;
    row.cx = SumWidths(btns, nFirst, nLastCounted);
    row.cy = RowHeight(btns, nFirst, nLastCounted);
}

int SECCustomToolBar::WrapButtons(int nWidth, Row* pRows)
{
    const SECBtnArray btns = VisibleButtons();
    const int nCount = static_cast<int>(btns.size());
    int nRows = 0;
    int nStart = 0;
    int x = 0;
    for (int i = 0; i < nCount; ++i)
    {
        const int cx = btns[static_cast<size_t>(i)]->m_cx;
        bool bConsumed = false;
        while (x + cx > nWidth + 2)
        {
            int nSep = -1;
            for (int j = i; j >= nStart && nSep < 0; --j)
                if (IsSeparator(btns[static_cast<size_t>(j)]))
                    nSep = j;
            if (nSep >= 0)
            {
                // The separator ends the row and is not counted in its width.
                FillRow(btns, pRows[nRows++], nStart, nSep, TRUE);
                nStart = nSep + 1;
                if (nSep == i)
                {
                    bConsumed = true;
                    x = 0;
                    break;
                }
                x = SumWidths(btns, nStart, i - 1);
                continue;
            }
            if (i > nStart)
            {
                FillRow(btns, pRows[nRows++], nStart, i - 1, FALSE);
                nStart = i;
                x = 0;
            }
            break;
        }
        if (!bConsumed)
            x += cx;
    }
    if (nStart < nCount)
        FillRow(btns, pRows[nRows++], nStart, nCount - 1, FALSE);
    return nRows;
}

BOOL SECCustomToolBar::TrailingGroup(const SECBtnArray& btns, const Row* pRows, int nRow, int& nFirst, int& cx) const
{
    const Row& row = pRows[nRow];
    const int nRowStart = nRow == 0 ? 0 : pRows[nRow - 1].nLast + 1;
    for (int j = row.nLast - 1; j >= nRowStart; --j)
        if (IsSeparator(btns[static_cast<size_t>(j)]))
        {
            // The buttons after the earlier separator, up to and with the ending one, go on.
            nFirst = j + 1;
            cx = SumWidths(btns, nFirst, row.nLast);
            return j > nRowStart;
        }
    return FALSE;
}

BOOL SECCustomToolBar::CanPassOn(const SECBtnArray& btns, const Row* pRows, int nCount, int nRow, int cxLimit) const
{
    if (nRow + 1 >= nCount || !pRows[nRow].bSepEnd)
        return FALSE;
    int nFirst = 0;
    int cx = 0;
    if (!TrailingGroup(btns, pRows, nRow, nFirst, cx))
        return FALSE;
    return pRows[nRow + 1].cx + cx < cxLimit || CanPassOn(btns, pRows, nCount, nRow + 1, cxLimit);
}

void SECCustomToolBar::BalanceRows(Row* pRows, int nCount)
{
    const SECBtnArray btns = VisibleButtons();
    // Each pass moves buttons down a row; the bound keeps rare ties from cycling.
    for (int nPass = 0; nPass < static_cast<int>(btns.size()) * nCount + 1; ++nPass)
    {
        int nWidest = 0;
        for (int i = 1; i < nCount; ++i)
            if (pRows[i].cx >= pRows[nWidest].cx)
                nWidest = i;
        if (nWidest == nCount - 1)
            return;
        Row& row = pRows[nWidest];
        Row& next = pRows[nWidest + 1];
        const int nRowStart = nWidest == 0 ? 0 : pRows[nWidest - 1].nLast + 1;
        if (row.bSepEnd)
        {
            int nFirst = 0;
            int cxGroup = 0;
            if (!TrailingGroup(btns, pRows, nWidest, nFirst, cxGroup))
                return;
            if (next.cx + cxGroup >= row.cx && !CanPassOn(btns, pRows, nCount, nWidest + 1, row.cx))
                return;
            const int cyGroup = RowHeight(btns, nFirst, row.nLast);
            row.nLast = nFirst - 1;
            row.cx = SumWidths(btns, nRowStart, row.nLast - 1);
            row.cy = std::min(row.cy, RowHeight(btns, nRowStart, row.nLast - 1));
            next.cx += cxGroup;
            next.cy = std::max(next.cy, cyGroup);
            continue;
        }
        if (row.nLast - nRowStart + 1 < 2)
            return;
        const SECStdBtn* pLast = btns[static_cast<size_t>(row.nLast)];
        if (next.cx + pLast->m_cx >= row.cx)
        {
            bool bLaterFits = false;
            for (int k = nWidest + 2; k < nCount && !bLaterFits; ++k)
                bLaterFits = pRows[k].bSepEnd && pRows[k].cx + pLast->m_cx < row.cx;
            if (!bLaterFits)
                return;
        }
        --row.nLast;
        row.cx -= pLast->m_cx;
        row.cy = std::min(row.cy, RowHeight(btns, nRowStart, row.nLast));
        next.cx += pLast->m_cx;
        next.cy = std::max(next.cy, pLast->m_cy);
        return;
    }
}

CSize SECCustomToolBar::CalcSize(int nLength, BOOL bVertical)
{
    const SECBtnArray btns = VisibleButtons();
    const int nCount = static_cast<int>(btns.size());
    std::vector<Row> rows(static_cast<size_t>(std::max(nCount, 1)));
    int cxWidest = 0;
    int cxNarrowest = NO_WIDTH_LIMIT;
    for (const SECStdBtn* pBtn : btns)
    {
        cxWidest = std::max(cxWidest, pBtn->m_cx);
        cxNarrowest = std::min(cxNarrowest, pBtn->m_cx);
    }
    const auto totalHeight = [&rows](int nRows) {
        int cy = 0;
        for (int i = 0; i < nRows; ++i)
            cy += rows[static_cast<size_t>(i)].cy;
        return cy;
    };
    int nRows = 0;
    if (!bVertical)
        nRows = WrapButtons(std::max(nLength, cxWidest), rows.data());
    else
    {
        const int nWantRows = std::max(1, nLength / std::max(1, GetButtonHeight()));
        int cxTry = NO_WIDTH_LIMIT;
        if (GetButtonWidth() * nCount / nWantRows > cxNarrowest)
            cxTry = GetButtonWidth() * nCount / nWantRows;
        nRows = WrapButtons(cxTry, rows.data());
        if (cxWidest < nLength)
        {
            // Narrower while the height still fits.
            while (cxTry > GetButtonWidth())
            {
                std::vector<Row> trial(rows.size());
                const int nTrialRows = WrapButtons(cxTry - GetButtonWidth(), trial.data());
                int cy = 0;
                for (int i = 0; i < nTrialRows; ++i)
                    cy += trial[static_cast<size_t>(i)].cy;
                if (cy > nLength)
                    break;
                cxTry -= GetButtonWidth();
                rows = trial;
                nRows = nTrialRows;
            }
        }
        else
        {
            while (totalHeight(nRows) > nLength && nRows > 1 && cxTry < NO_WIDTH_LIMIT)
            {
                cxTry += GetButtonWidth();
                nRows = WrapButtons(cxTry, rows.data());
            }
        }
    }
    if (nRows > 1)
        BalanceRows(rows.data(), nRows);
    for (SECStdBtn* pBtn : btns)
        pBtn->m_nStyle &= ~TBBS_WRAPPED;
    CSize size(0, 0);
    for (int i = 0; i < nRows; ++i)
    {
        const Row& row = rows[static_cast<size_t>(i)];
        if (i < nRows - 1)
            btns[static_cast<size_t>(row.nLast)]->m_nStyle |= TBBS_WRAPPED;
        size.cx = std::max<LONG>(size.cx, row.cx);
        size.cy += row.cy + (row.bSepEnd ? m_nSepWidth : 0);
    }
    return size;
}

void SECCustomToolBar::PositionButtons(const SECBtnArray& btns, const CPoint& ptOrigin, BOOL bVertDock)
{
    int x = ptOrigin.x;
    int y = ptOrigin.y;
    size_t nRowStart = 0;
    // Buttons centred vertically sit lower in a taller row.
    const auto alignRow = [&btns](size_t nFirst, size_t nLast, int cyRow) {
        for (size_t j = nFirst; j <= nLast && j < btns.size(); ++j)
            if ((btns[j]->m_nStyle & TBBS_VCENTER) && btns[j]->m_cy < cyRow)
                btns[j]->m_y += (cyRow - btns[j]->m_cy) / 2;
    };
    for (size_t i = 0; i < btns.size(); ++i)
    {
        SECStdBtn* pBtn = btns[i];
        pBtn->SetVertical(m_bVertical);
        if (!(pBtn->m_nStyle & TBBS_WRAPPED))
        {
            pBtn->SetPos(x, y);
            x += pBtn->m_cx;
            continue;
        }
        const int cyRow = i > nRowStart ? RowHeight(btns, static_cast<int>(nRowStart), static_cast<int>(i) - 1) : 0;
        if (IsSeparator(pBtn) && bVertDock)
        {
            // A separator of a vertical bar has a line of its own.
            alignRow(nRowStart, i - 1, cyRow);
            y += cyRow;
            pBtn->SetPos(ptOrigin.x, y);
            y += pBtn->m_cx;
        }
        else
        {
            pBtn->SetPos(x, y);
            alignRow(nRowStart, i, std::max(cyRow, IsSeparator(pBtn) ? 0 : pBtn->m_cy));
            y += std::max(cyRow, IsSeparator(pBtn) ? 0 : pBtn->m_cy);
            if (IsSeparator(pBtn))
                y += m_nSepWidth * 2 / 3;
        }
        x = ptOrigin.x;
        nRowStart = i + 1;
    }
    if (nRowStart < btns.size())
        alignRow(nRowStart, btns.size() - 1,
                 RowHeight(btns, static_cast<int>(nRowStart), static_cast<int>(btns.size()) - 1));
}

CSize SECCustomToolBar::CalcLayout(int nLength, DWORD dwMode)
{
    const BOOL bHorz = (dwMode & LM_HORZ) != 0;
    const BOOL bVertDock = (dwMode & LM_VERTDOCK) != 0;
    CRect rectBorder(0, 0, 0, 0);
    CalcInsideRect(rectBorder, bHorz, TRUE);
    const CSize sizeBorder(-rectBorder.Width(), -rectBorder.Height());
    CSize* pCache = (dwMode & LM_HORZDOCK) ? &m_sizeHorz : bVertDock ? &m_sizeVert : &m_sizeFloat;
    BOOL* pDirty = (dwMode & LM_HORZDOCK) ? &m_bDirtyHorz : bVertDock ? &m_bDirtyVert : &m_bDirtyFloat;
    const BOOL bFullLength = (m_dwExStyle & CBRS_EX_FULLLENGTH) != 0;
    // A band's bar always lays out anew: the rebar sizes the band from the answer.
    SECReBar* pReBar = GetOwnerReBar();
    if (pReBar != nullptr)
        dwMode |= LM_COMMIT;

    if (bFullLength && m_hWnd != nullptr)
    {
        CFrameWnd* pFrame = GetDockingFrame();
        if ((dwMode & LM_HORZDOCK) && pReBar != nullptr)
        {
            // Before the frame gives the rebar its width the bar keeps to one row.
            CRect rectClient;
            pReBar->GetClientRect(rectClient);
            if (rectClient.Width() > REBAR_BAND_INSET)
                nLength = rectClient.Width() - REBAR_BAND_INSET;
        }
        else if ((dwMode & LM_HORZDOCK) && pFrame != nullptr)
        {
            CRect rectClient;
            pFrame->GetClientRect(rectClient);
            nLength = rectClient.Width();
        }
        else if (bVertDock && nLength == 0 && pFrame != nullptr)
        {
            CWnd* pDock = pFrame->GetDlgItem(AFX_IDW_DOCKBAR_LEFT);
            if (pDock == nullptr)
                pDock = pFrame->GetDlgItem(AFX_IDW_DOCKBAR_RIGHT);
            if (pDock != nullptr)
            {
                CRect rectDock;
                pDock->GetClientRect(rectDock);
                nLength = rectDock.Height();
            }
        }
    }

    CSize size;
    if (!(dwMode & LM_COMMIT))
        size = *pCache;
    else
    {
        const SECBtnArray btns = VisibleButtons();
        m_bVertical = (m_dwStyle & CBRS_ORIENT_VERT) != 0 && !(m_dwStyle & CBRS_FLOATING);
        if (btns.empty())
        {
            size = CSize(GetButtonWidth(), GetButtonHeight()) + sizeBorder;
            if (bFullLength && nLength > 0)
                (bHorz ? size.cx : size.cy) = nLength;
        }
        else
        {
            const BOOL bLengthY = (dwMode & LM_LENGTHY) != 0;
            int nWrap = nLength;
            BOOL bVerticalWrap = FALSE;
            if (m_dwStyle & CBRS_SIZE_FIXED)
                nWrap = NO_WIDTH_LIMIT;
            if (!(m_dwStyle & CBRS_SIZE_DYNAMIC))
                nWrap = m_bVertical ? 0 : NO_WIDTH_LIMIT;
            else if (dwMode & LM_MRUWIDTH)
                nWrap = m_nMRUWidth;
            else if (nLength == -1 && !IsFloating())
                nWrap = bVertDock ? 0 : NO_WIDTH_LIMIT;
            else if (bLengthY)
            {
                bVerticalWrap = TRUE;
                nWrap = nLength - sizeBorder.cy;
            }
            else if (nLength >= 0)
                nWrap = nLength - sizeBorder.cx;
            size = CalcSize(std::max(nWrap, 0), bVerticalWrap);
            PositionButtons(btns, CPoint(rectBorder.left, rectBorder.top), bVertDock);
            size += sizeBorder;
            if (m_dwExStyle & CBRS_EX_EXTRALENGTH)
                (bHorz ? size.cx : size.cy) += 2;
        }
        if (bFullLength && nLength > 0)
        {
            if (bHorz)
                size.cx = nLength;
            else
                size.cy = nLength;
            // The frame-control buttons stand at the far end.
            SECStdBtn* pLast = m_btns.empty() ? nullptr : m_btns.back();
            if (pLast != nullptr && pLast->m_nType == SECStdBtn::KindFrameControl && !(pLast->m_nStyle & TBBS_HIDDEN))
            {
                if (bHorz)
                    pLast->SetPos(size.cx - pLast->m_cx - 2 - (-rectBorder.right), pLast->m_y);
                else
                    pLast->SetPos(pLast->m_x, size.cy - pLast->m_cy - 2 - (-rectBorder.bottom));
            }
        }
        *pCache = size;
        *pDirty = FALSE;
        if ((m_dwStyle & CBRS_FLOATING) && !(dwMode & LM_LENGTHY) && nLength > 0)
            m_nMRUWidth = nLength;
    }
    if (m_dwStyle & CBRS_FLOATING)
        size -= CSize(2, 2);
    if (pReBar != nullptr)
        UpdateRebarBand(pReBar, size);
    return size;
}

SECReBar* SECCustomToolBar::GetOwnerReBar() const
{
    return m_hWnd != nullptr ? DYNAMIC_DOWNCAST(SECReBar, GetOwner()) : nullptr;
}

void SECCustomToolBar::UpdateRebarBand(SECReBar* pReBar, CSize size)
{
    const int nBand = pReBar->FindBand(m_hWnd);
    if (nBand < 0)
        return;
    REBARBANDINFOW info{};
    info.fMask = RBBIM_CHILDSIZE;
    if (!pReBar->GetBandInfo(nBand, info))
        return;
    const REBARBANDINFOW old = info;
    info.cyMinChild = static_cast<UINT>(size.cy);
    if ((m_dwExStyle & CBRS_EX_FULLLENGTH) && size.cx >= 1)
        info.cxMinChild = static_cast<UINT>(size.cx);
    if (info.cyMinChild != old.cyMinChild || info.cxMinChild != old.cxMinChild)
        pReBar->SetBandInfo(nBand, info);
}

CSize SECCustomToolBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return CalcLayout(-1, bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
}

CSize SECCustomToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    CSize size = CalcDynamicLayoutOfButtons(nLength, dwMode);
    // A bar outside any dock bar spans its parent (SizeToParent).
    if (m_pDockContext == nullptr && m_nParentLength > 0)
    {
        if (m_dwStyle & CBRS_ORIENT_HORZ)
            size.cx = std::max<LONG>(size.cx, m_nParentLength);
        else if (m_dwStyle & CBRS_ORIENT_VERT)
            size.cy = std::max<LONG>(size.cy, m_nParentLength);
    }
    return size;
}

CSize SECCustomToolBar::CalcDynamicLayoutOfButtons(int nLength, DWORD dwMode)
{
    if (!(dwMode & LM_COMMIT))
    {
        const bool bDirty = ((dwMode & LM_HORZDOCK) && (dwMode & LM_HORZ) && m_bDirtyHorz) ||
                            ((dwMode & LM_VERTDOCK) && m_bDirtyVert) || ((dwMode & LM_MRUWIDTH) && m_bDirtyFloat);
        if (bDirty)
            return CalcLayout((dwMode & LM_VERTDOCK) ? 0 : NO_WIDTH_LIMIT, dwMode | LM_COMMIT);
        return CalcLayout(nLength, dwMode);
    }
    const bool bHorzByHeight = (dwMode & LM_HORZDOCK) && (dwMode & LM_LENGTHY);
    const bool bVertByWidth = (dwMode & LM_VERTDOCK) && !(dwMode & LM_LENGTHY);
    if (!bHorzByHeight && !bVertByWidth)
        return CalcLayout(nLength, dwMode);
    return CalcLayout(nLength, dwMode & ~LM_COMMIT);
}

int SECCustomToolBar::HitTest(int x, int y, LPCRECT) const
{
    int nRowFirst = 0;
    while (nRowFirst < GetBtnCount())
    {
        int nRowLast = nRowFirst;
        while (nRowLast < GetBtnCount() - 1 && !(GetButton(nRowLast)->m_nStyle & TBBS_WRAPPED))
            ++nRowLast;
        int yTop = INT_MAX;
        int yBottom = INT_MIN;
        for (int i = nRowFirst; i <= nRowLast; ++i)
            if (const SECStdBtn* pBtn = GetButton(i); !(pBtn->m_nStyle & TBBS_HIDDEN))
            {
                yTop = std::min(yTop, pBtn->m_y);
                yBottom = std::max(yBottom, pBtn->m_y + pBtn->m_cy);
            }
        if (y >= yTop && y <= yBottom)
            for (int i = nRowFirst; i <= nRowLast; ++i)
            {
                const SECStdBtn* pBtn = GetButton(i);
                if (!(pBtn->m_nStyle & TBBS_HIDDEN) && pBtn->GetRect().PtInRect(CPoint(x, y)))
                    return IsSeparator(pBtn) ? -1 : i;
            }
        nRowFirst = nRowLast + 1;
    }
    return -1;
}

INT_PTR SECCustomToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const INT_PTR nBase = SECControlBar::OnToolHitTest(point, pTI);
    if (nBase != -1)
        return nBase;
    const int nIndex = HitTest(point.x, point.y);
    return nIndex < 0 ? -1 : GetButton(nIndex)->OnToolHitTest(point.x, point.y, pTI);
}

// Mouse.

void SECCustomToolBar::RestoreIdlePrompt()
{
    if (CWnd* pOwner = GetCommandOwner())
        pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

void SECCustomToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int nIndex = HitTest(point.x, point.y);
    if (nIndex < 0 || g_bCommandInProgress)
    {
        SECControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    SECStdBtn* pBtn = GetButton(nIndex);
    const bool bAlt = ::GetKeyState(VK_MENU) < 0;
    if (m_pManager != nullptr && (bAlt || m_bCustomiseMode))
    {
        if (pBtn->CanDrag())
            DragButton(nIndex, point.x, point.y);
        return;
    }
    if (pBtn->m_nStyle & TBBS_DISABLED)
        return;
    UpdateButton(nIndex);
    if (IsKeyboardKind(pBtn))
    {
        // A menu button opens its menu within the press; the menu takes the mouse.
        m_nKeyboardBtn = nIndex;
        pBtn->OnLButtonDown(point.x, point.y);
        return;
    }
    if (!pBtn->OnLButtonDown(point.x, point.y))
        return;
    m_nPressedBtn = nIndex;
    InvalidateButton(nIndex);
    SetCapture();
    if (CWnd* pOwner = GetCommandOwner())
        pOwner->SendMessage(WM_SETMESSAGESTRING, pBtn->m_nID);
}

void SECCustomToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nPressedBtn >= 0 && !m_bCustomiseMode)
    {
        if (GetCapture() != this)
        {
            // Another window took the mouse: the press is over.
            GetButton(m_nPressedBtn)->CancelPress();
            m_nPressedBtn = -1;
            RestoreIdlePrompt();
            return;
        }
        SECStdBtn* pBtn = GetButton(m_nPressedBtn);
        const UINT nOld = pBtn->m_nStyle;
        pBtn->OnMouseMove(point.x, point.y);
        if (pBtn->m_nStyle != nOld)
            InvalidateButton(m_nPressedBtn);
        return;
    }
    if (IsCoolLook() && !g_bMenuTracking && !g_bCommandInProgress && m_hWnd != nullptr)
    {
        UpdateHotTracking();
        if (m_nHotBtn >= 0)
            SetTimer(ID_TIMER_HOTTRACK, HOTTRACK_MS, nullptr);
    }
    SECControlBar::OnMouseMove(nFlags, point);
}

void SECCustomToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nPressedBtn < 0 || m_bCustomiseMode)
    {
        SECControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    const int nIndex = m_nPressedBtn;
    m_nPressedBtn = -1;
    ReleaseCapture();
    SECStdBtn* pBtn = GetButton(nIndex);
    const UINT nID = pBtn->OnLButtonUp(point.x, point.y);
    RestoreIdlePrompt();
    InvalidateButton(nIndex);
    if (nID != 0)
        FireCommand(nIndex, nID);
}

void SECCustomToolBar::FireCommand(int nIndex, UINT nID)
{
    CRect rect = GetButtonRect(nIndex);
    ClientToScreen(rect);
    SECToolBarManager::SECCurrentCommand* pCommand = m_pManager != nullptr ? m_pManager->GetCurrentCommand() : nullptr;
    if (pCommand != nullptr)
    {
        pCommand->m_rcButton = rect;
        pCommand->m_bActive = TRUE;
    }
    if (CWnd* pOwner = GetCommandOwner())
    {
        const SECScopedValue<BOOL> inProgress(g_bCommandInProgress, TRUE);
        pOwner->SendMessage(WM_COMMAND, nID);
    }
    if (pCommand != nullptr)
    {
        pCommand->m_bActive = FALSE;
        ::SetRectEmpty(&pCommand->m_rcButton);
        pCommand->Release();
    }
}

void SECCustomToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int nIndex = HitTest(point.x, point.y);
    if (nIndex >= 0 && ::GetKeyState(VK_MENU) >= 0 && !(GetButton(nIndex)->m_nStyle & TBBS_DISABLED) &&
        !m_bCustomiseMode && !g_bCommandInProgress)
    {
        // A second press, never a drag.
        SECStdBtn* pBtn = GetButton(nIndex);
        UpdateButton(nIndex);
        if (pBtn->OnLButtonDown(point.x, point.y))
        {
            m_nPressedBtn = nIndex;
            InvalidateButton(nIndex);
            SetCapture();
        }
        return;
    }
    SECControlBar::OnLButtonDblClk(nFlags, point);
}

void SECCustomToolBar::OnCancelMode()
{
    SECControlBar::OnCancelMode();
    if (m_bKeyboardMode)
        EndKeyboardMode();
    if (!m_bCustomiseMode && !g_bMenuTracking && m_nPressedBtn >= 0)
    {
        if (GetCapture() == this)
            ReleaseCapture();
        GetButton(m_nPressedBtn)->CancelPress();
        m_nPressedBtn = -1;
    }
}

void SECCustomToolBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != ID_TIMER_HOTTRACK)
    {
        SECControlBar::OnTimer(nIDEvent);
        return;
    }
    UpdateHotTracking();
    if (m_nHotBtn < 0)
        KillTimer(ID_TIMER_HOTTRACK);
}

void SECCustomToolBar::UpdateHotTracking(BOOL bRedraw)
{
    int nHot = -1;
    if (IsCoolLook() && !g_bMenuTracking && !g_bCommandInProgress)
    {
        CPoint point;
        ::GetCursorPos(&point);
        if (::WindowFromPoint(point) == m_hWnd || m_bKeyboardMode)
        {
            ScreenToClient(&point);
            nHot = HitTest(point.x, point.y);
            if (nHot >= 0 && (GetButton(nHot)->m_nStyle & TBBS_DISABLED))
                nHot = -1;
        }
    }
    if (m_bKeyboardMode && nHot < 0)
        nHot = m_nKeyboardBtn;
    SetHotButton(nHot, bRedraw);
}

void SECCustomToolBar::SetHotButton(int nIndex, BOOL bRedraw)
{
    if (nIndex == m_nHotBtn)
        return;
    if (m_nHotBtn >= 0 && m_nHotBtn < GetBtnCount())
    {
        GetButton(m_nHotBtn)->m_nStyle &= ~TBBS_HOT;
        if (bRedraw)
            InvalidateButton(m_nHotBtn);
    }
    m_nHotBtn = nIndex;
    if (m_nHotBtn >= 0)
    {
        GetButton(m_nHotBtn)->m_nStyle |= TBBS_HOT;
        if (bRedraw)
            InvalidateButton(m_nHotBtn);
    }
}

// Keyboard mode.

LRESULT SECCustomToolBar::SendBtnNotify(int nCode, int nIndex, CPoint point, const int* pExtra, int nExtra)
{
    // The common controls' toolbar notification, with the button index and a point (and
    // what a menu button adds) in its button rectangle.
    NMTOOLBARW nm{};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.hdr.code = static_cast<UINT>(nCode);
    nm.iItem = nIndex >= 0 && nIndex < GetBtnCount() ? static_cast<int>(GetButton(nIndex)->m_nID) : 0;
    nm.rcButton.left = nIndex;
    nm.rcButton.top = point.x;
    nm.rcButton.right = point.y;
    if (nExtra > 0)
        nm.rcButton.bottom = pExtra[0];
    CWnd* pOwner = GetCommandOwner();
    return pOwner != nullptr ? pOwner->SendMessage(WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm)) : 0;
}

void SECCustomToolBar::BeginKeyboardCommand(int nButton, int x, int y)
{
    m_nKeyboardBtn = nButton;
    UpdateHotTracking(FALSE);
    SendBtnNotify(TBN_SEC_DROPDOWN, nButton, CPoint(x, y));
}

void SECCustomToolBar::ActivateButton(int nIndex)
{
    EndKeyboardMode();
    if (nIndex < 0 || nIndex >= GetBtnCount() || !IsKeyboardKind(GetButton(nIndex)))
        return;
    if (m_nKeyboardBtn >= 0 && m_nKeyboardBtn < GetBtnCount())
        GetButton(m_nKeyboardBtn)->CancelPress();
    m_nKeyboardBtn = nIndex;
    SECStdBtn* pBtn = GetButton(nIndex);
    pBtn->OnLButtonDown(pBtn->m_x, pBtn->m_y);
}

void SECCustomToolBar::SetKeyboardButton(int nIndex)
{
    if (m_nKeyboardBtn >= 0 && m_nKeyboardBtn < GetBtnCount())
    {
        GetButton(m_nKeyboardBtn)->m_nStyle &= ~TBBS_HOT;
        InvalidateButton(m_nKeyboardBtn);
    }
    m_nKeyboardBtn = nIndex;
    if (nIndex >= 0 && nIndex < GetBtnCount())
    {
        GetButton(nIndex)->m_nStyle |= TBBS_HOT;
        InvalidateButton(nIndex);
    }
    m_nHotBtn = nIndex;
    m_bKeyboardMode = TRUE;
    SendBtnNotify(TBN_SEC_KEYBOARDBUTTON, nIndex, CPoint(0, 0));
    if (CWnd* pOwner = GetCommandOwner())
        pOwner->SendMessage(WM_SETMESSAGESTRING, 0);
}

void SECCustomToolBar::ActivateButtonAt(CPoint point)
{
    const int nIndex = HitTest(point.x, point.y);
    if (nIndex >= 0)
        SetKeyboardButton(nIndex);
}

void SECCustomToolBar::EndKeyboardMode()
{
    if (!m_bKeyboardMode)
        return;
    m_bKeyboardMode = FALSE;
    SendBtnNotify(TBN_SEC_ENDKEYBOARD, m_nKeyboardBtn, CPoint(0, 0));
    if (m_nKeyboardBtn >= 0 && m_nKeyboardBtn < GetBtnCount())
    {
        GetButton(m_nKeyboardBtn)->m_nStyle &= ~TBBS_HOT;
        InvalidateButton(m_nKeyboardBtn);
    }
    if (m_nHotBtn == m_nKeyboardBtn)
        m_nHotBtn = -1;
    m_nKeyboardBtn = -1;
    RestoreIdlePrompt();
}

BOOL SECCustomToolBar::IsKeyboardMode() const
{
    return m_bKeyboardMode;
}

int SECCustomToolBar::FirstKeyboardButton() const
{
    for (int i = 0; i < GetBtnCount(); ++i)
        if (IsKeyboardKind(GetButton(i)) && !(GetButton(i)->m_nStyle & TBBS_HIDDEN))
            return i;
    return -1;
}

int SECCustomToolBar::LastKeyboardButton() const
{
    for (int i = GetBtnCount() - 1; i >= 0; --i)
        if (IsKeyboardKind(GetButton(i)) && !(GetButton(i)->m_nStyle & TBBS_HIDDEN))
            return i;
    return -1;
}

int SECCustomToolBar::FirstMenuButton() const
{
    for (int i = 0; i < GetBtnCount(); ++i)
        if (GetButton(i)->m_nType == SECStdBtn::KindMenu && !(GetButton(i)->m_nStyle & TBBS_HIDDEN))
            return i;
    return -1;
}

int SECCustomToolBar::NextKeyboardButton(BOOL bForward) const
{
    const int nFrom = m_nKeyboardBtn >= 0 ? m_nKeyboardBtn : m_nHotBtn;
    if (nFrom < 0)
        return bForward ? FirstKeyboardButton() : LastKeyboardButton();
    for (int i = nFrom + (bForward ? 1 : -1); i >= 0 && i < GetBtnCount(); i += bForward ? 1 : -1)
        if (IsKeyboardKind(GetButton(i)) && !(GetButton(i)->m_nStyle & TBBS_HIDDEN))
            return i;
    return -1;
}

BOOL SECCustomToolBar::OnKeyboardMouse(const MSG* pMsg)
{
    CPoint point(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
    if (pMsg->hwnd != m_hWnd)
    {
        ::ClientToScreen(pMsg->hwnd, &point);
        ScreenToClient(&point);
    }
    const int nIndex = HitTest(point.x, point.y);
    if (pMsg->message == WM_MOUSEMOVE)
    {
        if (nIndex < 0 || nIndex == m_nKeyboardBtn || !IsKeyboardKind(GetButton(nIndex)))
            return FALSE;
        // The other button asks for its menu, then the open one is closed.
        const int nOld = m_nKeyboardBtn;
        ActivateButton(nIndex);
        m_nKeyboardBtn = nIndex;
        SetHotButton(nIndex);
        SendBtnNotify(TBN_SEC_REOPEN, nOld, point);
        return TRUE;
    }
    if (pMsg->message == WM_LBUTTONDOWN && nIndex >= 0 && nIndex == m_nKeyboardBtn)
    {
        SendBtnNotify(TBN_SEC_REOPEN, nIndex, point);
        return TRUE;
    }
    return FALSE;
}

void SECCustomToolBar::CancelKeyboardButton()
{
    if (m_nKeyboardBtn >= 0 && m_nKeyboardBtn < GetBtnCount())
        GetButton(m_nKeyboardBtn)->CancelPress();
    m_nKeyboardBtn = -1;
    UpdateHotTracking();
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
