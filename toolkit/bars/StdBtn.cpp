// SECStdBtn: state bits, mouse handling and the drawing pipeline of a plain button.
#include <toolkit/bars/StdBtn.h>

#include <toolkit/bars/BmpMgr.h>
#include <toolkit/bars/BtnDrawData.h>
#include <toolkit/bars/CustomToolBar.h>
#include <toolkit/bars/MaskPaint.h>
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/Colors.h>
#include <toolkit/foundation/VisualStyle.h>

namespace tarnwick::bars
{
namespace
{
SECStdBtn* CreateStdBtn()
{
    return new SECStdBtn;
}

// Theme states of the "Toolbar" class's button part.
constexpr int TP_BUTTON = 1;
constexpr int TS_NORMAL = 1;
constexpr int TS_PRESSED = 3;
constexpr int TS_CHECKED = 5;
constexpr int TS_HOTCHECKED = 6;

bool IsThemed()
{
    return SECIsThemeActive() && SECIsAppThemed();
}
} // namespace

const SECButtonClass SECStdBtn::classStdBtn = {&CreateStdBtn};

SECStdBtn::SECStdBtn()
    : m_nID(0), m_nImage(0), m_nStyle(0), m_x(-1), m_y(-1), m_cx(23), m_cy(22), m_nType(KindPlain), m_pToolBar(nullptr),
      m_bVertical(FALSE), m_nImageSource(0)
{
}

SECStdBtn::~SECStdBtn() = default;

void SECStdBtn::OnThemeChanged()
{
    m_theme.Close();
}

const SECButtonClass* SECStdBtn::GetFactory() const
{
    return &classStdBtn;
}

void SECStdBtn::SetVertical(BOOL bVertical)
{
    m_bVertical = bVertical;
}

void SECStdBtn::SetStyle(UINT nStyle)
{
    m_nStyle = nStyle;
}

UINT SECStdBtn::GetStyle() const
{
    return m_nStyle;
}

BOOL SECStdBtn::HasStyle(UINT nStyle) const
{
    return (m_nStyle & nStyle) == nStyle;
}

void SECStdBtn::SetPos(int x, int y)
{
    m_x = x;
    m_y = y;
}

void SECStdBtn::Invalidate(BOOL bErase) const
{
    if (m_pToolBar != nullptr && m_pToolBar->m_hWnd != nullptr)
    {
        const CRect rect = GetRect();
        m_pToolBar->InvalidateRect(rect, bErase);
    }
}

void SECStdBtn::Init(SECCustomToolBar* pToolBar, const UINT_PTR*)
{
    m_pToolBar = pToolBar;
    AdjustSize();
}

BOOL SECStdBtn::CanDrag() const
{
    return TRUE;
}

void SECStdBtn::AdjustSize()
{
    if (m_pToolBar == nullptr)
        return;
    if (m_nStyle & TBBS_SEPARATOR)
    {
        m_cx = m_pToolBar->GetGapWidth();
        m_cy = m_pToolBar->GetButtonHeight();
        return;
    }
    m_cx = m_pToolBar->GetButtonWidth();
    m_cy = m_pToolBar->GetButtonHeight();
}

BOOL SECStdBtn::OnLButtonDown(int, int)
{
    if (m_nStyle & TBBS_DISABLED)
        return FALSE;
    m_nStyle |= TBBS_PRESSED;
    Invalidate();
    return TRUE;
}

void SECStdBtn::OnMouseMove(int x, int y)
{
    if (PtInButton(x, y))
        m_nStyle |= TBBS_PRESSED;
    else
        m_nStyle &= ~TBBS_PRESSED;
}

void SECStdBtn::CancelPress()
{
    m_nStyle &= ~TBBS_PRESSED;
    Invalidate();
}

UINT SECStdBtn::OnLButtonUp(int x, int y)
{
    m_nStyle &= ~TBBS_PRESSED;
    if (!PtInButton(x, y))
        return 0;
    if ((m_nStyle & TBBS_CHECKBOX) && !(m_nStyle & TBBS_DISABLED))
    {
        // Every button of this command, in every toolbar of the manager, before the command.
        const UINT nSet = (m_nStyle & TBBS_CHECKED) ? 0 : TBBS_CHECKED;
        const UINT nClear = (TBBS_CHECKED | TBBS_INDETERMINATE) & ~nSet;
        for (SECCustomToolBar* pBar : SECToolBarManager::ToolBarsOf(m_pToolBar))
            for (int i = 0; i < pBar->GetBtnCount(); ++i)
                if (SECStdBtn* pBtn = pBar->GetButton(i); pBtn->m_nID == m_nID)
                    pBtn->OnUpdate(1, nSet, nClear);
    }
    return m_nID;
}

void SECStdBtn::OnReserved1()
{
}

void SECStdBtn::OnReserved2()
{
}

INT_PTR SECStdBtn::OnToolHitTest(int, int, TOOLINFO* pTI) const
{
    if (pTI != nullptr && m_pToolBar != nullptr)
    {
        pTI->uFlags = 0;
        pTI->hwnd = m_pToolBar->m_hWnd;
        pTI->uId = m_nID;
        pTI->rect = GetRect();
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return static_cast<INT_PTR>(m_nID);
}

void SECStdBtn::OnUpdate(UINT nCode, UINT nSet, UINT nClear)
{
    if (nCode != 1)
        return;
    m_nStyle = (m_nStyle & ~nClear) | nSet;
    Invalidate(FALSE);
}

void SECStdBtn::GetExtraData(BYTE& nLength, BYTE*& pData) const
{
    nLength = 0;
    pData = nullptr;
}

void SECStdBtn::SetExtraData(BYTE, const BYTE*)
{
}

void SECStdBtn::OnKeyboardEvent(UINT, int, int)
{
}

void SECStdBtn::Draw(CDC& dc, SECBtnDrawData& data)
{
    const CRect rect = GetRect();
    if (!dc.RectVisible(rect))
        return;
    if (DrawSeparator(dc))
        return;
    data.PrepareScratch(m_cx, m_cy);
    DrawState(data);
    DrawSelectionFrame(data);
    CopyToScreen(dc, data);
}

BOOL SECStdBtn::DrawSeparator(CDC& dc)
{
    if (!(m_nStyle & TBBS_SEPARATOR))
        return FALSE;
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    const CRect rect = GetRect();
    const bool bFlat = m_pToolBar != nullptr && m_pToolBar->IsCoolLook();
    // A line across the middle: horizontal in a vertical bar.
    if (m_bVertical)
    {
        const int y = rect.top + rect.Height() / 2 - 1;
        dc.FillSolidRect(rect.left + 2, y, rect.Width() - 4, 1, bFlat ? SECGetStyleColor(5) : pAux->clrBtnShadow);
        if (!bFlat)
            dc.FillSolidRect(rect.left + 2, y + 1, rect.Width() - 4, 1, pAux->clrBtnHilite);
    }
    else
    {
        const int x = rect.left + rect.Width() / 2 - 1;
        dc.FillSolidRect(x, rect.top + 2, 1, rect.Height() - 4, bFlat ? SECGetStyleColor(5) : pAux->clrBtnShadow);
        if (!bFlat)
            dc.FillSolidRect(x + 1, rect.top + 2, 1, rect.Height() - 4, pAux->clrBtnHilite);
    }
    return TRUE;
}

BOOL SECStdBtn::SelectImage(SECBtnDrawData& data, int& nImage)
{
    HBITMAP hBitmap = nullptr;
    nImage = m_nImage;
    if (m_pToolBar == nullptr || m_pToolBar->GetBmpMgr() == nullptr)
        return FALSE;
    if (!m_pToolBar->GetBmpMgr()->GetBitmapInfo(m_nID, hBitmap, nImage))
    {
        // An unknown command shows image 0 of the first bitmap.
        nImage = 0;
        hBitmap = m_pToolBar->GetBmpMgr()->GetFirstBitmap();
    }
    if (hBitmap == nullptr)
        return FALSE;
    data.SelectImage(hBitmap);
    return TRUE;
}

void SECStdBtn::DrawState(SECBtnDrawData& data)
{
    CRect rect(0, 0, m_cx, m_cy);
    DrawFace(data, m_pToolBar != nullptr && m_pToolBar->GetCustomiseMode(), rect);
    int nImage = 0;
    if (!SelectImage(data, nImage))
        return;
    const CSize sizeImage(m_pToolBar->GetImageWidth(), m_pToolBar->GetImageHeight());
    CPoint ptImage((m_cx - sizeImage.cx) / 2, (m_cy - sizeImage.cy) / 2);
    if (m_nStyle & TBBS_PRESSED)
        ptImage.Offset(1, 1);
    m_nImageSource = nImage * sizeImage.cx;
    MakeMask(data, ptImage, sizeImage);
    if (!(m_nStyle & TBBS_PRESSED) && (m_nStyle & TBBS_DISABLED))
    {
        DrawDisabled(data, ptImage, sizeImage);
        return;
    }
    if (!(m_nStyle & TBBS_PRESSED))
    {
        if (m_nStyle & TBBS_CHECKED)
            DrawChecked(data, ptImage, sizeImage);
        else if (m_nStyle & TBBS_INDETERMINATE)
            DrawIndeterminate(data, ptImage, sizeImage);
    }
    BlendMask(data, ptImage, sizeImage);
}

void SECStdBtn::DrawFace(SECBtnDrawData& data, BOOL, CRect& rect)
{
    CDC& dc = data.m_dcCompose;
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    const COLORREF clrFace = data.GetBkColorUse() ? data.GetBkColor() : pAux->clrBtnFace;
    const bool bPressed = (m_nStyle & TBBS_PRESSED) != 0;
    const bool bChecked = (m_nStyle & TBBS_CHECKED) != 0;
    const bool bHot = (m_nStyle & TBBS_HOT) != 0;
    if (IsThemed() && m_pToolBar != nullptr)
    {
        HTHEME hTheme = m_theme.Get(m_pToolBar->m_hWnd);
        const int nState = bPressed ? TS_PRESSED : bChecked ? (bHot ? TS_HOTCHECKED : TS_CHECKED) : TS_NORMAL;
        dc.FillSolidRect(rect, clrFace);
        if (hTheme != nullptr && SUCCEEDED(SECDrawThemeBackground(hTheme, dc.m_hDC, TP_BUTTON, nState, rect, nullptr)))
            return;
    }
    const bool bFlat = m_pToolBar != nullptr && m_pToolBar->IsCoolLook();
    if (bFlat)
    {
        // Checked buttons stand on a lighter face; borders show only when hot, pressed or checked.
        dc.FillSolidRect(rect, bChecked && !bPressed ? SECBlendColors(clrFace, pAux->clrBtnHilite, 50) : clrFace);
        if (bPressed || bChecked)
            dc.Draw3dRect(rect, pAux->clrBtnShadow, pAux->clrBtnHilite);
        else if (bHot)
            dc.Draw3dRect(rect, pAux->clrBtnHilite, pAux->clrBtnShadow);
        return;
    }
    dc.FillSolidRect(rect, clrFace);
    CRect rectEdge = rect;
    dc.DrawEdge(rectEdge, (bPressed || bChecked) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

COLORREF SECStdBtn::ImageBkColor(SECBtnDrawData& data) const
{
    if (data.GetBkColorUse())
        return data.GetBkColor();
    BITMAP bm{};
    if (::GetObject(data.GetSelectedImage(), sizeof(bm), &bm) != 0 && bm.bmBitsPixel >= 16)
        return data.m_dcImage.GetPixel(m_nImageSource, 0);
    return RGB(192, 192, 192);
}

void SECStdBtn::MakeMask(SECBtnDrawData& data, const CPoint& ptImage, const CSize& sizeImage)
{
    data.m_dcMono.PatBlt(0, 0, m_cx, m_cy, WHITENESS);
    const COLORREF clrOldBk = data.m_dcImage.SetBkColor(ImageBkColor(data));
    data.m_dcMono.BitBlt(ptImage.x, ptImage.y, sizeImage.cx, sizeImage.cy, &data.m_dcImage, m_nImageSource, 0, SRCCOPY);
    data.m_dcImage.SetBkColor(clrOldBk);
}

void SECStdBtn::BlendMask(SECBtnDrawData& data, const CPoint& ptImage, const CSize& sizeImage)
{
    CDC& dc = data.m_dcCompose;
    const COLORREF clrOldText = dc.SetTextColor(RGB(0, 0, 0));
    const COLORREF clrOldBk = dc.SetBkColor(RGB(255, 255, 255));
    // Image over the face where the mask is black: xor in, clear the image's cell, xor back.
    dc.BitBlt(ptImage.x, ptImage.y, sizeImage.cx, sizeImage.cy, &data.m_dcImage, m_nImageSource, 0, SRCINVERT);
    dc.BitBlt(ptImage.x, ptImage.y, sizeImage.cx, sizeImage.cy, &data.m_dcMono, ptImage.x, ptImage.y, SRCAND);
    dc.BitBlt(ptImage.x, ptImage.y, sizeImage.cx, sizeImage.cy, &data.m_dcImage, m_nImageSource, 0, SRCINVERT);
    dc.SetTextColor(clrOldText);
    dc.SetBkColor(clrOldBk);
}

void SECStdBtn::DrawDisabled(SECBtnDrawData& data, const CPoint& ptImage, const CSize& sizeImage)
{
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    PaintEmbossed(data.m_dcCompose.m_hDC, ptImage.x, ptImage.y, sizeImage.cx, sizeImage.cy, data.m_dcMono.m_hDC,
                  ptImage.x, ptImage.y, pAux->clrBtnHilite, pAux->clrBtnShadow);
}

void SECStdBtn::DrawChecked(SECBtnDrawData& data, const CPoint& ptImage, const CSize& sizeImage)
{
    // The image's background dithered; themes and the flat style 2 show checking otherwise.
    if (SECIsVisualStyle2() || IsThemed())
        return;
    PaintThroughMask(data.m_dcCompose.m_hDC, ptImage.x, ptImage.y, sizeImage.cx, sizeImage.cy, data.m_dcMono.m_hDC,
                     ptImage.x, ptImage.y, static_cast<HBRUSH>(data.m_brHalftone.m_hObject), ROP_DSPDXAX);
}

void SECStdBtn::DrawIndeterminate(SECBtnDrawData& data, const CPoint& ptImage, const CSize& sizeImage)
{
    PaintThroughMask(data.m_dcCompose.m_hDC, ptImage.x, ptImage.y, sizeImage.cx, sizeImage.cy, data.m_dcMono.m_hDC,
                     ptImage.x, ptImage.y, static_cast<HBRUSH>(data.m_brHalftone.m_hObject), ROP_DSPDXAX);
}

void SECStdBtn::DrawSelectionFrame(SECBtnDrawData& data)
{
    if (!(m_nStyle & TBBS_CUSTOMISE))
        return;
    DrawCustomiseMark(data);
}

void SECStdBtn::DrawCustomiseMark(SECBtnDrawData& data)
{
    // A 3-pixel frame that inverts what it covers, as a drag rectangle does.
    constexpr int FRAME = 3;
    CDC& dc = data.m_dcCompose;
    dc.PatBlt(0, 0, m_cx, FRAME, DSTINVERT);
    dc.PatBlt(0, m_cy - FRAME, m_cx, FRAME, DSTINVERT);
    dc.PatBlt(0, FRAME, FRAME, m_cy - 2 * FRAME, DSTINVERT);
    dc.PatBlt(m_cx - FRAME, FRAME, FRAME, m_cy - 2 * FRAME, DSTINVERT);
}

void SECStdBtn::CopyToScreen(CDC& dc, SECBtnDrawData& data)
{
    dc.BitBlt(m_x, m_y, m_cx, m_cy, &data.m_dcCompose, 0, 0, SRCCOPY);
}
} // namespace tarnwick::bars
