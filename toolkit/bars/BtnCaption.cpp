// SECBtnCaption: three caption boxes that post the child's system commands.
#include <toolkit/bars/BtnCaption.h>

#include <toolkit/bars/CustomToolBar.h>
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/VisualStyle.h>

#include <vssym32.h>

namespace tarnwick::bars
{
namespace
{
const UINT kPartCommands[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
const UINT kPartHitCodes[] = {HTMINBUTTON, HTMAXBUTTON, HTCLOSE};
const UINT kPartFrameControls[] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
const int kPartThemeParts[] = {WP_MDIMINBUTTON, WP_MDIRESTOREBUTTON, WP_MDICLOSEBUTTON};
const wchar_t kPartGlyphs[] = {L'0', L'2', L'r'};

CMDIChildWnd* ActiveChild(const SECCustomToolBar* pBar)
{
    CFrameWnd* pFrame = pBar != nullptr ? pBar->GetTopLevelFrame() : nullptr;
    auto* pMDIFrame = dynamic_cast<CMDIFrameWnd*>(pFrame);
    return pMDIFrame != nullptr ? pMDIFrame->MDIGetActive() : nullptr;
}
} // namespace

SECBtnCaption::SECBtnCaption() : m_dwChildStyle(0x000B0000), m_cxBox(0), m_cyBox(0), m_nPressedPart(-1)
{
    m_nType = KindFrameControl;
}

SECBtnCaption::~SECBtnCaption() = default;

void SECBtnCaption::OnThemeChanged()
{
    m_themeWindow.Close();
    SECStdBtn::OnThemeChanged();
}

BOOL SECBtnCaption::CanDrag() const
{
    return FALSE;
}

void SECBtnCaption::AdjustSize()
{
    if (SECIsAppThemed() && SECIsThemeActive())
    {
        m_cxBox = ::GetSystemMetrics(SM_CXMENUSIZE);
        m_cyBox = ::GetSystemMetrics(SM_CYMENUSIZE);
    }
    else
    {
        m_cxBox = ::GetSystemMetrics(SM_CXSIZE) - 2;
        m_cyBox = ::GetSystemMetrics(SM_CYSIZE) - 4;
    }
    m_cx = 3 * m_cxBox + 2;
    m_cy = m_cyBox;
}

CRect SECBtnCaption::PartRect(int nPart) const
{
    const int x = m_x + nPart * m_cxBox + (nPart == 2 ? 2 : 0);
    return CRect(x, m_y, x + m_cxBox, m_y + m_cyBox);
}

int SECBtnCaption::HitTestPart(int x, int y) const
{
    if (!(m_dwChildStyle & WS_SYSMENU))
        return -1;
    for (int nPart = 0; nPart < 3; ++nPart)
        if (PartRect(nPart).PtInRect(CPoint(x, y)))
            return nPart == 2 || (m_dwChildStyle & WS_MINIMIZEBOX) ? nPart : -1;
    return -1;
}

BOOL SECBtnCaption::OnLButtonDown(int x, int y)
{
    const int nPart = HitTestPart(x, y);
    if ((m_nStyle & TBBS_DISABLED) || nPart < 0)
        return FALSE;
    m_nPressedPart = nPart;
    m_nStyle |= TBBS_PRESSED;
    Invalidate();
    return TRUE;
}

void SECBtnCaption::OnMouseMove(int x, int y)
{
    if (m_nPressedPart < 0)
        return;
    if (HitTestPart(x, y) == m_nPressedPart)
        m_nStyle |= TBBS_PRESSED;
    else
        m_nStyle &= ~TBBS_PRESSED;
}

void SECBtnCaption::CancelPress()
{
    m_nPressedPart = -1;
    SECStdBtn::CancelPress();
}

UINT SECBtnCaption::OnLButtonUp(int x, int y)
{
    const int nPart = m_nPressedPart;
    m_nPressedPart = -1;
    m_nStyle &= ~TBBS_PRESSED;
    if (nPart >= 0 && HitTestPart(x, y) == nPart)
        if (CMDIChildWnd* pChild = ActiveChild(m_pToolBar))
        {
            CPoint point(x, y);
            m_pToolBar->ClientToScreen(&point);
            pChild->PostMessage(WM_SYSCOMMAND, kPartCommands[nPart], MAKELPARAM(point.x, point.y));
        }
    return 0;
}

INT_PTR SECBtnCaption::OnToolHitTest(int x, int y, TOOLINFO* pTI) const
{
    const int nPart = HitTestPart(x, y);
    const INT_PTR nHit = nPart < 0 ? 0 : kPartHitCodes[nPart];
    if (pTI != nullptr && m_pToolBar != nullptr)
    {
        pTI->uFlags = 0;
        pTI->hwnd = m_pToolBar->m_hWnd;
        pTI->uId = static_cast<UINT_PTR>(nHit);
        pTI->rect = nPart < 0 ? GetRect() : PartRect(nPart);
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return nHit;
}

void SECBtnCaption::Draw(CDC& dc, SECBtnDrawData&)
{
    if (!(m_dwChildStyle & WS_SYSMENU) || !dc.RectVisible(GetRect()))
        return;
    if (!SECIsVisualStyle3() && !SECIsVisualStyle4())
        dc.FillSolidRect(GetRect(), SECGetAuxData()->clrBtnFace);
    HTHEME hThemeWindow = !SECIsVisualStyle3() && m_pToolBar != nullptr && SECIsThemeActive()
                              ? m_themeWindow.Get(m_pToolBar->m_hWnd)
                              : nullptr;
    for (int nPart = 0; nPart < 3; ++nPart)
    {
        const bool bInactive = nPart < 2 && !(m_dwChildStyle & WS_MINIMIZEBOX);
        const bool bPushed = nPart == m_nPressedPart && (m_nStyle & TBBS_PRESSED);
        CRect rect = PartRect(nPart);
        if (SECIsVisualStyle3())
        {
            // The caption glyphs of the symbol font.
            CFont font;
            font.CreatePointFont(80, _T("Marlett"));
            CFont* pOld = dc.SelectObject(&font);
            const int nOldMode = dc.SetBkMode(TRANSPARENT);
            const COLORREF clrOld = dc.SetTextColor(::GetSysColor(bInactive ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
            dc.TextOut(rect.left + 2, rect.top + 2, CString(kPartGlyphs[nPart]));
            if (bPushed)
                dc.Draw3dRect(rect, SECGetAuxData()->clrBtnShadow, SECGetAuxData()->clrBtnHilite);
            dc.SetTextColor(clrOld);
            dc.SetBkMode(nOldMode);
            dc.SelectObject(pOld);
            continue;
        }
        const int nState = bInactive ? 4 : bPushed ? 3 : 1;
        if (hThemeWindow != nullptr &&
            SUCCEEDED(SECDrawThemeBackground(hThemeWindow, dc.m_hDC, kPartThemeParts[nPart], nState, rect, nullptr)))
            continue;
        dc.DrawFrameControl(rect, DFC_CAPTION,
                            kPartFrameControls[nPart] | (bInactive ? DFCS_INACTIVE : 0) | (bPushed ? DFCS_PUSHED : 0));
    }
}
} // namespace tarnwick::bars
