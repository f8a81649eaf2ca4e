// The extra caption button: its commands, its diamond and its forms on an MDI child and in the
// MDI frame's menu row.
#include <toolkit/frames/DockableFrame.h>
#include <toolkit/frames/MDIChildWnd.h>
#include <toolkit/frames/SysCommandEx.h>

namespace tarnwick::frames::nsSysCommandEx
{
IMPLEMENT_DYNCREATE(ScxButtonMsgFilter, SECCaptionControlMsgFilter)
IMPLEMENT_DYNCREATE(ScxButtonMDIChildMsgFilter, ScxButtonMsgFilter)
IMPLEMENT_DYNCREATE(ScxButtonMDIMaxChildMsgFilter, ScxButtonMsgFilter)

namespace
{
// The button's picture: DFC_SCROLL with the state's low bits, as the caption row asks.
constexpr UINT BUTTON_TYPE = DFC_SCROLL;
constexpr UINT BUTTON_STATE = 2;
// The diamond's stroke is 9 x 9 in a space of 98 x 96 over the button.
constexpr int STROKE_LOGICAL = 9;
constexpr int SPACE_CX = 98;
constexpr int SPACE_CY = 96;
constexpr int MIN_STROKE_CX = 2;
constexpr int MIN_STROKE_CY = 1;
// The diamond's height is this share (tenths) of the button's.
constexpr int HEIGHT_TENTHS = 6;

BOOL IsPressOrRelease(UINT message)
{
    return message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN || message == WM_LBUTTONUP;
}
} // namespace

ScxButtonMsgFilter::ScxButtonMsgFilter(CWnd* pOwner, UINT nID)
    : SECCaptionControlMsgFilter(pOwner, nID, BUTTON_STATE, BUTTON_TYPE), m_record{}
{
    m_nHoldDelay = HOLD_DELAY;
}

DWORD ScxButtonMsgFilter::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    DWORD dwAnswer = SECCaptionControlMsgFilter::FilterMessage(message, wParam, lParam, pResult);
    if (IsPressOrRelease(message) && (dwAnswer & FILTER_HANDLED))
        dwAnswer |= FILTER_STOP;
    return dwAnswer;
}

BOOL ScxButtonMsgFilter::IsButtonVisible(BOOL& bDisabled)
{
    bDisabled = FALSE;
    return TRUE;
}

CWnd* ScxButtonMsgFilter::GetTargetWnd()
{
    return GetWnd();
}

void ScxButtonMsgFilter::Execute(UINT nFlags, int x, int y)
{
    CWnd* pTarget = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    if (GetCommand(nFlags, x, y, pTarget, message, wParam, lParam))
        pTarget->SendMessage(message, wParam, lParam);
}

BOOL ScxButtonMsgFilter::GetCommand(UINT nFlags, int x, int y, CWnd*& pTarget, UINT& message, WPARAM& wParam,
                                    LPARAM& lParam)
{
    CWnd* pOwner = GetWnd();
    pTarget = GetTargetWnd();
    if (pOwner == nullptr || pTarget == nullptr || pTarget->m_hWnd == nullptr)
        return FALSE;
    m_record = SysCommandExRecord{};
    m_record.hWnd = pTarget->m_hWnd;
    m_record.rectButton = GetScreenRect();
    if (nFlags & (EXECUTE_RIGHT | EXECUTE_HOLD))
    {
        // The menu drops from the button's bottom-left corner.
        wParam = SCX_TRACKMENU;
        m_record.x = m_record.rectButton.left;
        m_record.y = m_record.rectButton.bottom;
        if (nFlags & EXECUTE_HOLD)
            m_record.dwFlags |= SCX_POSITION;
    }
    else
    {
        wParam = SCX_EXECUTE;
        m_record.nCommand = STATE_TOGGLE;
        m_record.x = x;
        m_record.y = y;
    }
    message = GetSysCommandExMessage();
    lParam = reinterpret_cast<LPARAM>(&m_record);
    return TRUE;
}

void ScxButtonMsgFilter::Draw(CDC* pDC)
{
    const CRect rectButton = m_rectButton;
    if (rectButton.IsRectEmpty())
        return;
    const BOOL bPushed = (m_nState & DFCS_PUSHED) != 0;
    const COLORREF clrHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrDarkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    CRect rect = rectButton;
    pDC->Draw3dRect(&rect, bPushed ? clrDarkShadow : clrHighlight, bPushed ? clrHighlight : clrDarkShadow);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, bPushed ? clrShadow : ::GetSysColor(COLOR_3DLIGHT), bPushed ? clrFace : clrShadow);
    rect.DeflateRect(1, 1);
    pDC->FillSolidRect(&rect, clrFace);

    const CSize sizeButton = rectButton.Size();
    const int cxStroke = std::max(MIN_STROKE_CX, ::MulDiv(STROKE_LOGICAL, sizeButton.cx, SPACE_CX));
    const int cyStroke = std::max(MIN_STROKE_CY, ::MulDiv(STROKE_LOGICAL, sizeButton.cy, SPACE_CY));
    int cy = sizeButton.cy * HEIGHT_TENTHS / 10;
    if ((cy - cyStroke) % 2 == 0)
        ++cy;
    const int nRows = (cy - cyStroke + 1) / 2;
    const int cx = cxStroke + 2 * nRows - 2;
    CPoint ptOrigin(rectButton.left + (sizeButton.cx - cx) / 2, rectButton.top + (sizeButton.cy - cy) / 2);
    if (cyStroke == 1)
        ptOrigin.Offset(-1, -1);
    if (bPushed)
        ptOrigin.Offset(1, 1);
    const BOOL bDockable = GetWnd() != nullptr && GetWnd()->IsKindOf(RUNTIME_CLASS(SECDockableFrame));
    if (bDockable)
        ptOrigin.y += 1;

    const COLORREF clrText = ::GetSysColor(COLOR_BTNTEXT);
    // The apexes' column; each row's strokes stand i columns out from it on either side.
    const int xApex = ptOrigin.x + nRows - 1;
    const int yBottom = ptOrigin.y + cy - cyStroke + (bDockable ? 0 : 1);
    for (int i = 0; i < nRows; ++i)
    {
        const int yUpper = ptOrigin.y + i;
        const int yLower = yBottom - i;
        // A caption's diamond ends one row lower, its widest row one pixel narrower each side.
        const int nInset = !bDockable && i == nRows - 1 ? 1 : 0;
        pDC->FillSolidRect(xApex - i, yUpper, cxStroke, cyStroke, clrText);
        pDC->FillSolidRect(xApex + i, yUpper, cxStroke, cyStroke, clrText);
        pDC->FillSolidRect(xApex - i + nInset, yLower, cxStroke, cyStroke, clrText);
        pDC->FillSolidRect(xApex + i - nInset, yLower, cxStroke, cyStroke, clrText);
    }
}

DWORD ScxButtonMDIChildMsgFilter::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // A zoomed child's button stands in the frame's menu row instead.
    if (GetWnd() != nullptr && GetWnd()->IsZoomed())
        return 0;
    return ScxButtonMsgFilter::FilterMessage(message, wParam, lParam, pResult);
}

BOOL ScxButtonMDIChildMsgFilter::IsButtonVisible(BOOL& bDisabled)
{
    bDisabled = FALSE;
    return GetWnd() != nullptr && !GetWnd()->IsZoomed();
}

CMDIChildWnd* ScxButtonMDIMaxChildMsgFilter::GetMaximizedChild()
{
    auto* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, GetWnd());
    if (pFrame == nullptr || pFrame->m_hWndMDIClient == nullptr)
        return nullptr;
    BOOL bZoomed = FALSE;
    CMDIChildWnd* pChild = pFrame->MDIGetActive(&bZoomed);
    return bZoomed ? pChild : nullptr;
}

CMDIChildWnd* ScxButtonMDIMaxChildMsgFilter::GetServedChild()
{
    auto* pChild = DYNAMIC_DOWNCAST(SECMDIChildWnd, GetMaximizedChild());
    const SECMsgFilter* pButton =
        pChild != nullptr ? pChild->GetMsgFilter().FindFilter(FILTER_CHILD_BUTTON, nullptr, -1) : nullptr;
    return pButton != nullptr && pButton->IsEnabled() ? pChild : nullptr;
}

CWnd* ScxButtonMDIMaxChildMsgFilter::GetTargetWnd()
{
    return GetServedChild();
}

BOOL ScxButtonMDIMaxChildMsgFilter::IsButtonVisible(BOOL& bDisabled)
{
    bDisabled = FALSE;
    return GetServedChild() != nullptr;
}

DWORD ScxButtonMDIMaxChildMsgFilter::FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (GetServedChild() == nullptr)
        return 0;
    // The child's buttons sit in the frame's menu row: presses there count as on a caption,
    // presses on the frame's own caption do not.
    if (message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN)
    {
        if (wParam != HTMENU)
            return FilterChildren(message, wParam, lParam, pResult);
        wParam = HTCAPTION;
    }
    return ScxButtonMsgFilter::FilterMessage(message, wParam, lParam, pResult);
}
} // namespace tarnwick::frames::nsSysCommandEx
