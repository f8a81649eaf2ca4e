// SECAutoHideBar: the strip's creation, size, fonts, visibility and background.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/AutoHideBar.h>

#include <cstddef>
#include <cwchar>

namespace tarnwick::frames
{
namespace
{
constexpr DWORD STRIP_STYLE = CBRS_FLOAT_MULTI | CBRS_HIDE_INPLACE | CBRS_SIZE_DYNAMIC | CBRS_SIZE_FIXED;
constexpr UINT FIRST_STRIP_ID = 0x8000;
// The non-client metrics as they were before the padded border was added to them.
constexpr UINT NONCLIENTMETRICS_SIZE = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
} // namespace

BEGIN_MESSAGE_MAP(SECAutoHideBar, SECControlBar)
ON_WM_CREATE()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_NCCALCSIZE()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

SECAutoHideBar::SECAutoHideBar()
    : m_nTextHeight(0), m_nButtonHeight(0), m_nTextOffset(0), m_nButtons(0), m_clrBackground(0)
{
}

BOOL SECAutoHideBar::Create(CFrameWnd* pParentFrame, DWORD dwBarStyle)
{
    DWORD dwStyle = STRIP_STYLE | WS_CHILD | WS_VISIBLE;
    if (pParentFrame->GetStyle() & WS_THICKFRAME)
        dwStyle |= CBRS_BORDER_LEFT;
    const UINT nID = FindFreeBarID(pParentFrame, FIRST_STRIP_ID);
    if (!SECControlBar::Create(pParentFrame, nullptr, dwStyle, 0, nID))
        return FALSE;
    // Creation takes the bar style from the window style; the strip keeps its side.
    SetBarStyle(dwBarStyle);
    UpdateVisibility();
    return TRUE;
}

int SECAutoHideBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (SECControlBar::OnCreate(lpcs) == -1)
        return -1;
    CreateFonts();
    EnableDocking(CBRS_ALIGN_ANY);
    return 0;
}

void SECAutoHideBar::CreateFonts()
{
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = NONCLIENTMETRICS_SIZE;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, NONCLIENTMETRICS_SIZE, &ncm, 0);
    m_fontHorz.CreateFontIndirect(&ncm.lfMenuFont);
    LOGFONTW lfVert = ncm.lfMenuFont;
    lfVert.lfEscapement = lfVert.lfOrientation = -900;
    ::wcsncpy(lfVert.lfFaceName, L"verdana", LF_FACESIZE - 1);
    m_fontVert.CreateFontIndirect(&lfVert);
    m_nTextHeight = std::abs(static_cast<int>(ncm.lfMenuFont.lfHeight));
    m_nButtonHeight = std::max(ncm.iMenuHeight, ::GetSystemMetrics(SM_CYSMICON));
    m_nTextOffset = (m_nButtonHeight - m_nTextHeight) / 2;
}

void SECAutoHideBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (m_pDockContext == nullptr)
        m_pDockContext = CreateDockContext();
    if (m_pDockSite == nullptr)
        m_pDockSite = DYNAMIC_DOWNCAST(CFrameWnd, GetParent());
}

CDockContext* SECAutoHideBar::CreateDockContext()
{
    return new SECAutoHideBarDockContext(this);
}

int SECAutoHideBar::GetButtonCount() const
{
    return m_nButtons;
}

CSize SECAutoHideBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    CRect rectFrame(0, 0, 0, 0);
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->GetWindowRect(&rectFrame);
    return bHorz ? CSize(rectFrame.Width(), THICKNESS) : CSize(THICKNESS, rectFrame.Height());
}

void SECAutoHideBar::UpdateVisibility()
{
    const bool bShow = m_nButtons > 0;
    if (bShow != ((GetStyle() & WS_VISIBLE) != 0))
        ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void SECAutoHideBar::FillBackground(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    if (SECIsVisualStyle4() && m_theme.DrawBackground(m_hWnd, pDC, rect))
        return;
    m_clrBackground = SECIsVisualStyle3() ? SECGetStyleColor2(2) : SECGetStyleColor(3);
    pDC->FillSolidRect(&rect, m_clrBackground);
}

BOOL SECAutoHideBar::OnEraseBkgnd(CDC* pDC)
{
    FillBackground(pDC);
    return TRUE;
}

void SECAutoHideBar::OnPaint()
{
    if (SECIsVisualStyle4())
    {
        SECControlBar::OnPaint();
    }
    else
    {
        CPaintDC dc(this);
        FillBackground(&dc);
    }
    UpdateVisibility();
}

void SECAutoHideBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    UpdateVisibility();
    Default();
}

void SECAutoHideBar::OnMouseMove(UINT, CPoint)
{
    Default();
}

void SECAutoHideBar::OnLButtonDown(UINT, CPoint)
{
}

void SECAutoHideBar::OnLButtonDblClk(UINT, CPoint)
{
}
} // namespace tarnwick::frames
