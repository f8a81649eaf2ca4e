// The drop-button edit: the button's place in the frame, its mouse tracking and its painting.
#include <grid/controls/BDropEdit.h>

#include <grid/controls/Child.h>
#include <grid/core/SysColorBitmap.h>
#include <grid/core/SysData.h>

#include <windowsx.h>
#include <vssym32.h>

#include <algorithm>

#ifndef WM_NCMOUSELEAVE
#define WM_NCMOUSELEAVE 0x02A2
#endif

namespace
{
// Paints the brush where the mask is black, leaves the destination where it is white.
constexpr DWORD ropMaskedPattern = 0xB8074A;
} // namespace

IMPLEMENT_DYNAMIC(CGXBDropEdit, CEdit)

BEGIN_MESSAGE_MAP(CGXBDropEdit, CEdit)
ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSizeMsg)
ON_MESSAGE(WM_NCHITTEST, OnNcHitTestMsg)
ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDownMsg)
ON_MESSAGE(WM_NCMOUSEMOVE, OnNcMouseMoveMsg)
ON_MESSAGE(WM_NCMOUSELEAVE, OnNcMouseLeaveMsg)
ON_MESSAGE(WM_MOUSEMOVE, OnMouseMoveMsg)
ON_MESSAGE(WM_LBUTTONUP, OnLButtonUpMsg)
ON_MESSAGE(WM_CANCELMODE, OnCancelModeMsg)
ON_MESSAGE(WM_ENABLE, OnEnableMsg)
ON_MESSAGE(WM_KEYDOWN, OnKeyDownMsg)
ON_MESSAGE(WM_SYSKEYDOWN, OnSysKeyDownMsg)
ON_MESSAGE(WM_NCPAINT, OnNcPaintMsg)
ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChangeMsg)
ON_MESSAGE(WM_THEMECHANGED, OnThemeChangedMsg)
END_MESSAGE_MAP()

CGXBDropEdit::CGXBDropEdit() = default;

CGXBDropEdit::~CGXBDropEdit() = default;

void CGXBDropEdit::LoadButtonBitmap()
{
    m_bmpButton.DeleteObject();
    if (m_nBitmapId == 0)
        return;
    const HBITMAP hBitmap =
        GXLoadSysColorBitmap(AfxFindResourceHandle(MAKEINTRESOURCE(m_nBitmapId), RT_BITMAP), m_nBitmapId);
    if (hBitmap == nullptr)
        m_nBitmapId = 0;
    else
        m_bmpButton.Attach(hBitmap);
}

BOOL CGXBDropEdit::SetButtonBitmap(UINT nBitmapId)
{
    m_rectButton.SetRectEmpty();
    m_nBitmapId = nBitmapId;
    LoadButtonBitmap();
    if (GetSafeHwnd() != nullptr)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    return HasButton();
}

void CGXBDropEdit::SetButtonOnRight(BOOL bRight)
{
    SetButtonFlag(buttonRight, bRight);
    if (GetSafeHwnd() != nullptr)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void CGXBDropEdit::SetButtonFlag(WORD wFlag, BOOL bOn)
{
    m_wButtonFlags = static_cast<WORD>(bOn ? m_wButtonFlags | wFlag : m_wButtonFlags & ~wFlag);
}

BOOL CGXBDropEdit::HitTestButton(int x, int y, BOOL bClient)
{
    if (!HasButton() || m_rectButton.IsRectEmpty())
        return FALSE;
    CPoint point(x, y);
    if (bClient)
        ClientToScreen(&point);
    if (CWnd* pParent = GetParent(); pParent != nullptr && (GetStyle() & WS_CHILD) != 0)
        pParent->ScreenToClient(&point);
    return m_rectButton.PtInRect(point);
}

void CGXBDropEdit::OnDropButton()
{
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<LPARAM>(m_hWnd));
}

// ---- the frame

LRESULT CGXBDropEdit::OnNcCalcSizeMsg(WPARAM /*wParam*/, LPARAM lParam)
{
    const LRESULT lResult = Default();
    if (!HasButton())
        return lResult;
    BITMAP info{};
    m_bmpButton.GetBitmap(&info);
    const int nWidth = info.bmWidth + m_nExtraWidth + m_nImageLeft + 4;
    RECT& rect = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
    const int nTaken = std::min(nWidth, static_cast<int>(rect.right - rect.left));
    if ((m_wButtonFlags & buttonRight) != 0)
    {
        m_rectButton = CRect(rect.right - nTaken, rect.top, rect.right, rect.bottom);
        rect.right -= nTaken;
    }
    else
    {
        m_rectButton = CRect(rect.left, rect.top, rect.left + nTaken, rect.bottom);
        rect.left += nTaken;
    }
    return lResult;
}

LRESULT CGXBDropEdit::OnNcHitTestMsg(WPARAM /*wParam*/, LPARAM lParam)
{
    const LRESULT nHit = Default();
    if (nHit == HTNOWHERE && HitTestButton(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), FALSE))
        return HTBORDER;
    return nHit;
}

LRESULT CGXBDropEdit::OnNcLButtonDownMsg(WPARAM /*wParam*/, LPARAM lParam)
{
    if ((m_wButtonFlags & buttonPressed) == 0 && HitTestButton(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), FALSE))
    {
        SetButtonFlag(buttonPressed | buttonTracking, TRUE);
        PaintButton();
        UpdateWindow();
        SetCapture();
        return 0;
    }
    return Default();
}

LRESULT CGXBDropEdit::OnNcMouseMoveMsg(WPARAM /*wParam*/, LPARAM lParam)
{
    if ((m_wButtonFlags & buttonHot) == 0 && HitTestButton(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), FALSE))
    {
        SetButtonFlag(buttonHot, TRUE);
        PaintButton();
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE | TME_NONCLIENT, m_hWnd, HOVER_DEFAULT};
        ::TrackMouseEvent(&track);
    }
    return Default();
}

LRESULT CGXBDropEdit::OnNcMouseLeaveMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    SetButtonFlag(buttonHot, FALSE);
    PaintButton();
    return Default();
}

LRESULT CGXBDropEdit::OnMouseMoveMsg(WPARAM /*wParam*/, LPARAM lParam)
{
    if ((m_wButtonFlags & buttonTracking) == 0)
        return Default();
    const BOOL bOver = HitTestButton(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), TRUE);
    if (bOver != ((m_wButtonFlags & buttonPressed) != 0))
    {
        SetButtonFlag(buttonPressed, bOver);
        PaintButton();
    }
    return 0;
}

LRESULT CGXBDropEdit::OnLButtonUpMsg(WPARAM /*wParam*/, LPARAM lParam)
{
    if ((m_wButtonFlags & buttonTracking) == 0)
        return Default();
    ReleaseCapture();
    SetButtonFlag(buttonTracking | buttonPressed, FALSE);
    PaintButton();
    if (HitTestButton(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), TRUE))
        OnDropButton();
    return 0;
}

LRESULT CGXBDropEdit::OnCancelModeMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if ((m_wButtonFlags & buttonTracking) != 0)
    {
        ReleaseCapture();
        SetButtonFlag(buttonTracking | buttonPressed, FALSE);
        PaintButton();
    }
    return Default();
}

LRESULT CGXBDropEdit::OnEnableMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    PaintButton();
    return Default();
}

LRESULT CGXBDropEdit::OnKeyDownMsg(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam == VK_F4)
    {
        OnDropButton();
        return 0;
    }
    return Default();
}

LRESULT CGXBDropEdit::OnSysKeyDownMsg(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam == VK_DOWN)
    {
        OnDropButton();
        return 0;
    }
    return Default();
}

LRESULT CGXBDropEdit::OnSysColorChangeMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    GXGetSysData()->UpdateSysColors();
    LoadButtonBitmap();
    return Default();
}

LRESULT CGXBDropEdit::OnThemeChangedMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_themes.Close();
    return Default();
}

// ---- painting

LRESULT CGXBDropEdit::OnNcPaintMsg(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    const LRESULT lResult = Default();
    PaintButton();
    return lResult;
}

void CGXBDropEdit::PaintButton()
{
    if (GetSafeHwnd() == nullptr || !HasButton() || m_rectButton.IsRectEmpty())
        return;
    CRect rect = m_rectButton;
    if (CWnd* pParent = GetParent(); pParent != nullptr && (GetStyle() & WS_CHILD) != 0)
        pParent->ClientToScreen(rect);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    rect.OffsetRect(-rectWindow.TopLeft());
    CWindowDC dc(this);
    CDC dcMemory;
    CBitmap bitmap;
    if (!dcMemory.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, rect.Width(), rect.Height()))
    {
        DrawButton(dc, rect);
        return;
    }
    CBitmap* pOld = dcMemory.SelectObject(&bitmap);
    DrawButton(dcMemory, CRect(0, 0, rect.Width(), rect.Height()));
    dc.BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &dcMemory, 0, 0, SRCCOPY);
    dcMemory.SelectObject(pOld);
}

void CGXBDropEdit::DrawButton(CDC& dc, CRect rect)
{
    const BOOL bPressed = (m_wButtonFlags & buttonPressed) != 0;
    const int nState = bPressed ? PBS_PRESSED : (m_wButtonFlags & buttonHot) != 0 ? PBS_HOT : PBS_NORMAL;
    const GX_SYS_DATA* pSys = GXGetSysData();
    if (CGXButton::DrawPartWith(m_themes, m_hWnd, &dc, L"BUTTON", BP_PUSHBUTTON, nState, rect))
        rect.DeflateRect(2, 2);
    else if (bPressed)
    {
        CBrush brush(pSys->GetSysColor(COLOR_BTNSHADOW));
        dc.FrameRect(rect, &brush);
        rect.DeflateRect(1, 1);
        dc.FillSolidRect(rect, pSys->GetSysColor(COLOR_BTNFACE));
        rect.DeflateRect(1, 1);
    }
    else
    {
        dc.Draw3dRect(rect, pSys->GetSysColor(COLOR_BTNFACE), pSys->GetSysColor(COLOR_WINDOWFRAME));
        rect.DeflateRect(1, 1);
        dc.Draw3dRect(rect, pSys->GetSysColor(COLOR_BTNHIGHLIGHT), pSys->GetSysColor(COLOR_BTNSHADOW));
        rect.DeflateRect(1, 1);
        dc.FillSolidRect(rect, pSys->GetSysColor(COLOR_BTNFACE));
    }
    DrawButtonImage(dc, rect, bPressed);
}

void CGXBDropEdit::DrawButtonImage(CDC& dc, const CRect& rect, BOOL bPressed)
{
    BITMAP info{};
    if (!HasButton() || !m_bmpButton.GetBitmap(&info))
        return;
    CDC dcImage;
    if (!dcImage.CreateCompatibleDC(&dc))
        return;
    CBitmap* pOldImage = dcImage.SelectObject(&m_bmpButton);
    const int x = rect.left + m_nImageLeft + (bPressed ? 1 : 0);
    const int y = rect.top + (rect.Height() - info.bmHeight) / 2 + (bPressed ? 1 : 0);
    if (GetSafeHwnd() == nullptr || IsWindowEnabled())
        dc.BitBlt(x, y, info.bmWidth, info.bmHeight, &dcImage, 0, 0, SRCCOPY);
    else
    {
        // A monochrome mask, black where the image differs from the face, drawn in the
        // highlight colour one pixel down-right and in the shadow colour in place.
        const GX_SYS_DATA* pSys = GXGetSysData();
        CDC dcMask;
        CBitmap mask;
        if (dcMask.CreateCompatibleDC(&dc) && mask.CreateBitmap(info.bmWidth, info.bmHeight, 1, 1, nullptr))
        {
            CBitmap* pOldMask = dcMask.SelectObject(&mask);
            dcImage.SetBkColor(pSys->GetSysColor(COLOR_BTNFACE));
            dcMask.BitBlt(0, 0, info.bmWidth, info.bmHeight, &dcImage, 0, 0, SRCCOPY);
            const COLORREF rgbOldText = dc.SetTextColor(RGB(0, 0, 0));
            const COLORREF rgbOldBack = dc.SetBkColor(RGB(255, 255, 255));
            const struct
            {
                int nOffset;
                int nColor;
            } passes[] = {{1, COLOR_BTNHIGHLIGHT}, {0, COLOR_BTNSHADOW}};
            for (const auto& pass : passes)
            {
                CBrush brush(pSys->GetSysColor(pass.nColor));
                CBrush* pOldBrush = dc.SelectObject(&brush);
                dc.BitBlt(x + pass.nOffset, y + pass.nOffset, info.bmWidth, info.bmHeight, &dcMask, 0, 0,
                          ropMaskedPattern);
                dc.SelectObject(pOldBrush);
            }
            dc.SetTextColor(rgbOldText);
            dc.SetBkColor(rgbOldBack);
            dcMask.SelectObject(pOldMask);
        }
    }
    dcImage.SelectObject(pOldImage);
}
