// The caption filters' geometry and the button row: its descriptors, cloning and layout.
#include <toolkit/frames/CaptionMsgFilter.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECCaptionMsgFilter, SECNcMsgFilter)
IMPLEMENT_DYNCREATE(SECCaptionControlListMsgFilter, SECCaptionMsgFilter)
IMPLEMENT_DYNCREATE(SECCapConLstMDIMaxChildMsgFilter, SECCaptionControlListMsgFilter)

namespace
{
// The caption parts of the row, in the order the buttons are made.
constexpr UINT rowButtons[] = {DFCS_CAPTIONCLOSE, DFCS_CAPTIONMAX, DFCS_CAPTIONRESTORE, DFCS_CAPTIONMIN,
                               DFCS_CAPTIONHELP};
// The border metrics by kind: none, dialog frame, sizing frame.
constexpr int borderCx[] = {SM_CXBORDER, SM_CXDLGFRAME, SM_CXFRAME};
constexpr int borderCy[] = {SM_CYBORDER, SM_CYDLGFRAME, SM_CYFRAME};
// What DrawFrameControl leaves around the picture in a caption-sized square.
constexpr int BUTTON_MARGIN_X = 2;
constexpr int BUTTON_MARGIN_Y = 4;
// The right-most button's distance from the caption's right end and top.
constexpr int FIRST_BUTTON_GAP = 2;
// The extra gap after the close button, after minimize and after restore of an iconic window.
constexpr int GROUP_GAP = 2;
} // namespace

CRect SECCaptionMsgFilter::GetCaptionRect()
{
    CWnd* pOwner = GetWnd();
    if (pOwner == nullptr || !::IsWindow(pOwner->m_hWnd))
        return CRect(0, 0, 0, 0);
    const DWORD dwStyle = pOwner->GetStyle();
    int cxBorder = 0;
    int cyBorder = 0;
    if (dwStyle & (WS_CAPTION | WS_THICKFRAME))
    {
        const int nKind = !(dwStyle & WS_THICKFRAME) || pOwner->IsIconic() ? ((dwStyle & WS_DLGFRAME) ? 1 : 0) : 2;
        cxBorder = ::GetSystemMetrics(borderCx[nKind]);
        cyBorder = ::GetSystemMetrics(borderCy[nKind]);
    }
    CRect rectWindow;
    pOwner->GetWindowRect(&rectWindow);
    const BOOL bToolWindow = (pOwner->GetExStyle() & WS_EX_TOOLWINDOW) != 0;
    const int cyCaption = (dwStyle & WS_CAPTION) == WS_CAPTION
                              ? ::GetSystemMetrics(bToolWindow ? SM_CYSMCAPTION : SM_CYCAPTION) -
                                    ::GetSystemMetrics(SM_CYBORDER)
                              : 0;
    return CRect(CPoint(cxBorder, cyBorder), CSize(rectWindow.Width() - 2 * cxBorder, cyCaption));
}

CSize SECCaptionMsgFilter::GetButtonSizeFromMetrics(int nCxMetric, int nCyMetric)
{
    return CSize(::GetSystemMetrics(nCxMetric) - BUTTON_MARGIN_X, ::GetSystemMetrics(nCyMetric) - BUTTON_MARGIN_Y);
}

CSize SECCaptionMsgFilter::GetButtonSize()
{
    CWnd* pOwner = GetWnd();
    if (pOwner != nullptr && ::IsWindow(pOwner->m_hWnd) && (pOwner->GetExStyle() & WS_EX_TOOLWINDOW))
        return GetButtonSizeFromMetrics(SM_CXSMSIZE, SM_CYSMSIZE);
    return GetButtonSizeFromMetrics(SM_CXSIZE, SM_CYSIZE);
}

CPoint SECCaptionMsgFilter::GetFirstButtonPos(const CRect& rectCaption, CSize sizeButton)
{
    return CPoint(rectCaption.right - sizeButton.cx - FIRST_BUTTON_GAP, rectCaption.top + FIRST_BUTTON_GAP);
}

SECCaptionControlListMsgFilter::SECCaptionControlListMsgFilter(CWnd* pOwner, UINT nID)
    : SECCaptionMsgFilter(pOwner, nID)
{
    for (UINT nButton : rowButtons)
        m_buttons.Add(nButton, static_cast<UINT>(-1), RUNTIME_CLASS(SECCaptionControlMsgFilter));
    ApplyDescriptorsAll(m_buttons, TRUE);
}

SECMsgFilter* SECCaptionControlListMsgFilter::Clone() const
{
    auto* pClone = static_cast<SECCaptionControlListMsgFilter*>(SECCaptionMsgFilter::Clone());
    if (pClone != nullptr)
    {
        pClone->m_buttons.RemoveAll();
        for (INT_PTR i = 0; i < m_buttons.GetSize(); ++i)
            pClone->m_buttons.Add(m_buttons[i]->nID, m_buttons[i]->nParentID, m_buttons[i]->pClass,
                                  m_buttons[i]->dwFlags);
    }
    return pClone;
}

DWORD SECCaptionControlListMsgFilter::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    Layout();
    return FilterChildren(message, wParam, lParam, pResult);
}

void SECCaptionControlListMsgFilter::Layout()
{
    CWnd* pOwner = GetWnd();
    if (!IsEnabled() || pOwner == nullptr || !::IsWindow(pOwner->m_hWnd))
        return;
    const CSize sizeButton = GetButtonSize();
    CPoint ptButton = GetFirstButtonPos(GetCaptionRect(), sizeButton);
    for (INT_PTR i = 0; i < GetChildCount(); ++i)
    {
        auto* pButton = DYNAMIC_DOWNCAST(SECCaptionControlMsgFilter, GetChild(i));
        if (pButton == nullptr)
            continue;
        BOOL bDisabled = FALSE;
        if (!pButton->IsButtonVisible(bDisabled))
        {
            pButton->Place(CRect(0, 0, 0, 0), FALSE);
            continue;
        }
        pButton->Place(CRect(ptButton, sizeButton), bDisabled);
        ptButton.x -= sizeButton.cx;
        const UINT nID = pButton->GetID();
        if (nID == DFCS_CAPTIONCLOSE || nID == DFCS_CAPTIONMIN || (nID == DFCS_CAPTIONRESTORE && pOwner->IsIconic()))
            ptButton.x -= GROUP_GAP;
    }
}

DWORD SECCapConLstMDIMaxChildMsgFilter::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, GetWnd());
    BOOL bZoomed = FALSE;
    if (pFrame == nullptr || pFrame->m_hWndMDIClient == nullptr || pFrame->MDIGetActive(&bZoomed) == nullptr || !bZoomed)
        return 0;
    Layout();
    DWORD dwAnswer = 0;
    for (INT_PTR i = 0; i < GetChildCount(); ++i)
    {
        SECMsgFilter* pChild = GetChild(i);
        if (pChild == nullptr || !pChild->IsEnabled() || pChild->GetRuntimeClass() == RUNTIME_CLASS(SECCaptionControlMsgFilter))
            continue;
        const DWORD dwChild = pChild->Filter(message, wParam, lParam, pResult);
        dwAnswer |= dwChild;
        if (dwChild & FILTER_STOP)
            break;
    }
    return dwAnswer;
}

CSize SECCapConLstMDIMaxChildMsgFilter::GetButtonSize()
{
    return GetButtonSizeFromMetrics(SM_CXMENUSIZE, SM_CYMENUSIZE);
}

CPoint SECCapConLstMDIMaxChildMsgFilter::GetFirstButtonPos(const CRect& rectCaption, CSize sizeButton)
{
    return CPoint(rectCaption.right - sizeButton.cx - FIRST_BUTTON_GAP,
                  rectCaption.top + ::GetSystemMetrics(SM_CYCAPTION) + FIRST_BUTTON_GAP);
}
} // namespace tarnwick::frames
