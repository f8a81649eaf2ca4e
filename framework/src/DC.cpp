#include <afxwin.h>

#include <cstdlib>

namespace
{
using CDCMap = CHandleObjectMap<CDC, HDC, &CDC::m_hDC>;

// HIMETRIC units per inch.
constexpr int himetricInch = 2540;

// Setters go to the output DC, when it is a DC of its own, and to the attribute DC, so that
// queries answered by the attribute DC see what was set. The attribute DC's result counts.
template <class TResult, class TSet> TResult SetOnBoth(HDC hDC, HDC hAttribDC, TResult failure, TSet set)
{
    TResult result = failure;
    if (hDC != nullptr && hDC != hAttribDC)
        result = set(hDC);
    if (hAttribDC != nullptr)
        result = set(hAttribDC);
    return result;
}
} // namespace

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CDC::CDC() : m_hDC(nullptr), m_hAttribDC(nullptr), m_bPrinting(FALSE)
{
}

CDC::~CDC()
{
    if (m_hDC != nullptr)
        ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const
{
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    CDCMap& map = CDCMap::ForThread();
    if (CDC* pDC = map.LookupPermanent(hDC))
        return pDC;
    CDC* pDC = map.FromHandle(hDC);
    if (pDC != nullptr)
        pDC->m_hAttribDC = hDC;
    return pDC;
}

void PASCAL CDC::DeleteTempMap()
{
    CDCMap::ForThread().DeleteTemp();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr)
        return FALSE;
    m_hDC = hDC;
    CDCMap::ForThread().SetPermanent(hDC, this);
    SetAttribDC(hDC);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != nullptr)
        CDCMap::ForThread().RemoveHandle(hDC);
    ReleaseAttribDC();
    ReleaseOutputDC();
    return hDC;
}

void CDC::SetAttribDC(HDC hDC)
{
    m_hAttribDC = hDC;
}

void CDC::SetOutputDC(HDC hDC)
{
    m_hDC = hDC;
}

void CDC::ReleaseAttribDC()
{
    m_hAttribDC = nullptr;
}

void CDC::ReleaseOutputDC()
{
    m_hDC = nullptr;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODE*>(lpInitData)));
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateIC(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODE*>(lpInitData)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC->GetSafeHdc()));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SaveDC()
{
    int nSaved = 0;
    if (m_hAttribDC != nullptr)
        nSaved = ::SaveDC(m_hAttribDC);
    // Two DCs saved together can only be restored together by -1, the latest state.
    if (m_hDC != m_hAttribDC && ::SaveDC(m_hDC) != 0)
        nSaved = -1;
    return nSaved;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL bRestored = TRUE;
    if (m_hDC != m_hAttribDC)
        bRestored = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC != nullptr)
        bRestored = ::RestoreDC(m_hAttribDC, nSavedDC) && bRestored;
    return bRestored;
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return ::GetDeviceCaps(m_hAttribDC, nIndex);
}

// Drawing tools

CPoint CDC::GetBrushOrg() const
{
    CPoint point;
    ::GetBrushOrgEx(m_hDC, &point);
    return point;
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    CPoint point;
    ::SetBrushOrgEx(m_hDC, x, y, &point);
    return point;
}

CPoint CDC::SetBrushOrg(POINT point)
{
    return SetBrushOrg(point.x, point.y);
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return nullptr;
    return SetOnBoth(m_hDC, m_hAttribDC, HGDIOBJ(nullptr), [&](HDC h) { return ::SelectObject(h, hObject); });
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(SelectObject(::GetStockObject(nIndex)));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return CPen::FromHandle(static_cast<HPEN>(SelectObject(pPen->GetSafeHandle())));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return CBrush::FromHandle(static_cast<HBRUSH>(SelectObject(pBrush->GetSafeHandle())));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return CFont::FromHandle(static_cast<HFONT>(SelectObject(pFont->GetSafeHandle())));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(SelectObject(pBitmap->GetSafeHandle())));
}

int CDC::SelectObject(CRgn* pRgn)
{
    // For a region, SelectObject answers with the region's type.
    return static_cast<int>(reinterpret_cast<INT_PTR>(
        SetOnBoth(m_hDC, m_hAttribDC, HGDI_ERROR, [&](HDC h) { return ::SelectObject(h, pRgn->GetSafeHandle()); })));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return CGdiObject::FromHandle(SelectObject(pObject->GetSafeHandle()));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    return CPalette::FromHandle(
        ::SelectPalette(m_hDC, static_cast<HPALETTE>(pPalette->GetSafeHandle()), bForceBackground));
}

UINT CDC::RealizePalette()
{
    return ::RealizePalette(m_hDC);
}

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}

CPalette* CDC::GetCurrentPalette() const
{
    return CPalette::FromHandle(static_cast<HPALETTE>(::GetCurrentObject(m_hDC, OBJ_PAL)));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

COLORREF CDC::GetNearestColor(COLORREF crColor) const
{
    return ::GetNearestColor(m_hAttribDC, crColor);
}

// Attributes

COLORREF CDC::GetBkColor() const
{
    return ::GetBkColor(m_hAttribDC);
}

int CDC::GetBkMode() const
{
    return ::GetBkMode(m_hAttribDC);
}

int CDC::GetPolyFillMode() const
{
    return ::GetPolyFillMode(m_hAttribDC);
}

int CDC::GetROP2() const
{
    return ::GetROP2(m_hAttribDC);
}

int CDC::GetStretchBltMode() const
{
    return ::GetStretchBltMode(m_hAttribDC);
}

COLORREF CDC::GetTextColor() const
{
    return ::GetTextColor(m_hAttribDC);
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return SetOnBoth(m_hDC, m_hAttribDC, CLR_INVALID, [&](HDC h) { return ::SetBkColor(h, crColor); });
}

int CDC::SetBkMode(int nBkMode)
{
    return SetOnBoth(m_hDC, m_hAttribDC, 0, [&](HDC h) { return ::SetBkMode(h, nBkMode); });
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
    return SetOnBoth(m_hDC, m_hAttribDC, 0, [&](HDC h) { return ::SetPolyFillMode(h, nPolyFillMode); });
}

int CDC::SetROP2(int nDrawMode)
{
    return SetOnBoth(m_hDC, m_hAttribDC, 0, [&](HDC h) { return ::SetROP2(h, nDrawMode); });
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    return SetOnBoth(m_hDC, m_hAttribDC, 0, [&](HDC h) { return ::SetStretchBltMode(h, nStretchMode); });
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return SetOnBoth(m_hDC, m_hAttribDC, CLR_INVALID, [&](HDC h) { return ::SetTextColor(h, crColor); });
}

DWORD CDC::GetLayout() const
{
    return ::GetLayout(m_hDC);
}

DWORD CDC::SetLayout(DWORD dwLayout)
{
    return SetOnBoth(m_hDC, m_hAttribDC, GDI_ERROR, [&](HDC h) { return ::SetLayout(h, dwLayout); });
}

// Mapping modes and coordinates

int CDC::GetMapMode() const
{
    return ::GetMapMode(m_hAttribDC);
}

CPoint CDC::GetViewportOrg() const
{
    CPoint point;
    ::GetViewportOrgEx(m_hAttribDC, &point);
    return point;
}

int CDC::SetMapMode(int nMapMode)
{
    return SetOnBoth(m_hDC, m_hAttribDC, 0, [&](HDC h) { return ::SetMapMode(h, nMapMode); });
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    return SetOnBoth(m_hDC, m_hAttribDC, CPoint(), [&](HDC h) {
        CPoint point;
        ::SetViewportOrgEx(h, x, y, &point);
        return point;
    });
}

CPoint CDC::SetViewportOrg(POINT point)
{
    return SetViewportOrg(point.x, point.y);
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    return SetOnBoth(m_hDC, m_hAttribDC, CPoint(), [&](HDC h) {
        CPoint point;
        ::OffsetViewportOrgEx(h, nWidth, nHeight, &point);
        return point;
    });
}

CSize CDC::GetViewportExt() const
{
    CSize size;
    ::GetViewportExtEx(m_hAttribDC, &size);
    return size;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    return SetOnBoth(m_hDC, m_hAttribDC, CSize(), [&](HDC h) {
        CSize size;
        ::SetViewportExtEx(h, cx, cy, &size);
        return size;
    });
}

CSize CDC::SetViewportExt(SIZE size)
{
    return SetViewportExt(size.cx, size.cy);
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    return SetOnBoth(m_hDC, m_hAttribDC, CSize(), [&](HDC h) {
        CSize size;
        ::ScaleViewportExtEx(h, xNum, xDenom, yNum, yDenom, &size);
        return size;
    });
}

CPoint CDC::GetWindowOrg() const
{
    CPoint point;
    ::GetWindowOrgEx(m_hAttribDC, &point);
    return point;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    return SetOnBoth(m_hDC, m_hAttribDC, CPoint(), [&](HDC h) {
        CPoint point;
        ::SetWindowOrgEx(h, x, y, &point);
        return point;
    });
}

CPoint CDC::SetWindowOrg(POINT point)
{
    return SetWindowOrg(point.x, point.y);
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    return SetOnBoth(m_hDC, m_hAttribDC, CPoint(), [&](HDC h) {
        CPoint point;
        ::OffsetWindowOrgEx(h, nWidth, nHeight, &point);
        return point;
    });
}

CSize CDC::GetWindowExt() const
{
    CSize size;
    ::GetWindowExtEx(m_hAttribDC, &size);
    return size;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    return SetOnBoth(m_hDC, m_hAttribDC, CSize(), [&](HDC h) {
        CSize size;
        ::SetWindowExtEx(h, cx, cy, &size);
        return size;
    });
}

CSize CDC::SetWindowExt(SIZE size)
{
    return SetWindowExt(size.cx, size.cy);
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    return SetOnBoth(m_hDC, m_hAttribDC, CSize(), [&](HDC h) {
        CSize size;
        ::ScaleWindowExtEx(h, xNum, xDenom, yNum, yDenom, &size);
        return size;
    });
}

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
    ::DPtoLP(m_hAttribDC, lpPoints, nCount);
}

void CDC::DPtoLP(LPRECT lpRect) const
{
    ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::DPtoLP(LPSIZE lpSize) const
{
    const CSize sizeWinExt = GetWindowExt();
    const CSize sizeVpExt = GetViewportExt();
    lpSize->cx = ::MulDiv(lpSize->cx, std::abs(sizeWinExt.cx), std::abs(sizeVpExt.cx));
    lpSize->cy = ::MulDiv(lpSize->cy, std::abs(sizeWinExt.cy), std::abs(sizeVpExt.cy));
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
    ::LPtoDP(m_hAttribDC, lpPoints, nCount);
}

void CDC::LPtoDP(LPRECT lpRect) const
{
    ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::LPtoDP(LPSIZE lpSize) const
{
    const CSize sizeWinExt = GetWindowExt();
    const CSize sizeVpExt = GetViewportExt();
    lpSize->cx = ::MulDiv(lpSize->cx, std::abs(sizeVpExt.cx), std::abs(sizeWinExt.cx));
    lpSize->cy = ::MulDiv(lpSize->cy, std::abs(sizeVpExt.cy), std::abs(sizeWinExt.cy));
}

void CDC::DPtoHIMETRIC(LPSIZE lpSize) const
{
    const int nMapMode = GetMapMode();
    if (nMapMode < MM_ISOTROPIC && nMapMode != MM_TEXT)
    {
        // The fixed modes measure the physical inch: let GDI convert through MM_HIMETRIC.
        CDC* pThis = const_cast<CDC*>(this);
        pThis->SetMapMode(MM_HIMETRIC);
        DPtoLP(lpSize);
        pThis->SetMapMode(nMapMode);
    }
    else
    {
        lpSize->cx = ::MulDiv(lpSize->cx, himetricInch, GetDeviceCaps(LOGPIXELSX));
        lpSize->cy = ::MulDiv(lpSize->cy, himetricInch, GetDeviceCaps(LOGPIXELSY));
    }
}

void CDC::HIMETRICtoDP(LPSIZE lpSize) const
{
    const int nMapMode = GetMapMode();
    if (nMapMode < MM_ISOTROPIC && nMapMode != MM_TEXT)
    {
        CDC* pThis = const_cast<CDC*>(this);
        pThis->SetMapMode(MM_HIMETRIC);
        LPtoDP(lpSize);
        pThis->SetMapMode(nMapMode);
    }
    else
    {
        lpSize->cx = ::MulDiv(lpSize->cx, GetDeviceCaps(LOGPIXELSX), himetricInch);
        lpSize->cy = ::MulDiv(lpSize->cy, GetDeviceCaps(LOGPIXELSY), himetricInch);
    }
}

void CDC::LPtoHIMETRIC(LPSIZE lpSize) const
{
    LPtoDP(lpSize);
    DPtoHIMETRIC(lpSize);
}

void CDC::HIMETRICtoLP(LPSIZE lpSize) const
{
    HIMETRICtoDP(lpSize);
    DPtoLP(lpSize);
}

// Regions and clipping

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    return ::FillRgn(m_hDC, *pRgn, *pBrush);
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    return ::FrameRgn(m_hDC, *pRgn, *pBrush, nWidth, nHeight);
}

BOOL CDC::InvertRgn(CRgn* pRgn)
{
    return ::InvertRgn(m_hDC, *pRgn);
}

BOOL CDC::PaintRgn(CRgn* pRgn)
{
    return ::PaintRgn(m_hDC, *pRgn);
}

int CDC::GetClipBox(LPRECT lpRect) const
{
    return ::GetClipBox(m_hDC, lpRect);
}

BOOL CDC::PtVisible(int x, int y) const
{
    return ::PtVisible(m_hDC, x, y);
}

BOOL CDC::PtVisible(POINT point) const
{
    return PtVisible(point.x, point.y);
}

BOOL CDC::RectVisible(LPCRECT lpRect) const
{
    return ::RectVisible(m_hDC, lpRect);
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    return SetOnBoth(m_hDC, m_hAttribDC, ERROR,
                     [&](HDC h) { return ::SelectClipRgn(h, static_cast<HRGN>(pRgn->GetSafeHandle())); });
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    return SetOnBoth(m_hDC, m_hAttribDC, ERROR,
                     [&](HDC h) { return ::ExtSelectClipRgn(h, static_cast<HRGN>(pRgn->GetSafeHandle()), nMode); });
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    return SetOnBoth(m_hDC, m_hAttribDC, ERROR, [&](HDC h) { return ::ExcludeClipRect(h, x1, y1, x2, y2); });
}

int CDC::ExcludeClipRect(LPCRECT lpRect)
{
    return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::ExcludeUpdateRgn(CWnd* pWnd)
{
    return SetOnBoth(m_hDC, m_hAttribDC, ERROR, [&](HDC h) { return ::ExcludeUpdateRgn(h, pWnd->GetSafeHwnd()); });
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return SetOnBoth(m_hDC, m_hAttribDC, ERROR, [&](HDC h) { return ::IntersectClipRect(h, x1, y1, x2, y2); });
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
    return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::OffsetClipRgn(int x, int y)
{
    return SetOnBoth(m_hDC, m_hAttribDC, ERROR, [&](HDC h) { return ::OffsetClipRgn(h, x, y); });
}

int CDC::OffsetClipRgn(SIZE size)
{
    return OffsetClipRgn(size.cx, size.cy);
}

// Text

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    return ::TextOut(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, str.GetString(), str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, str.GetString(), str.GetLength(), lpDxWidths);
}

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions,
                         int nTabOrigin)
{
    return CSize(static_cast<DWORD>(
        ::TabbedTextOut(m_hDC, x, y, lpszString, nCount, nTabPositions, lpnTabStopPositions, nTabOrigin)));
}

CSize CDC::TabbedTextOut(int x, int y, const CString& str, int nTabPositions, LPINT lpnTabStopPositions, int nTabOrigin)
{
    return TabbedTextOut(x, y, str.GetString(), str.GetLength(), nTabPositions, lpnTabStopPositions, nTabOrigin);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText(str.GetString(), str.GetLength(), lpRect, nFormat);
}

int CDC::DrawTextEx(LPTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    return ::DrawTextEx(m_hDC, lpszString, nCount, lpRect, nFormat, lpDTParams);
}

int CDC::DrawTextEx(const CString& str, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    // DT_MODIFYSTRING writes into the text, up to four characters more: draw a copy.
    CString strCopy(str);
    const int nLength = strCopy.GetLength();
    const int nHeight = DrawTextEx(strCopy.GetBuffer(nLength + 4), nLength, lpRect, nFormat, lpDTParams);
    strCopy.ReleaseBuffer();
    return nHeight;
}

BOOL CDC::GrayString(CBrush* pBrush, BOOL(CALLBACK* lpfnOutput)(HDC, LPARAM, int), LPARAM lpData, int nCount, int x,
                     int y, int nWidth, int nHeight)
{
    return ::GrayString(m_hDC, static_cast<HBRUSH>(pBrush->GetSafeHandle()), lpfnOutput, lpData, nCount, x, y, nWidth,
                        nHeight);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    CSize size;
    ::GetTextExtentPoint32(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(str.GetString(), str.GetLength());
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    CSize size;
    ::GetTextExtentPoint32(m_hDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(const CString& str) const
{
    return GetOutputTextExtent(str.GetString(), str.GetLength());
}

CSize CDC::GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const
{
    return CSize(::GetTabbedTextExtent(m_hAttribDC, lpszString, nCount, nTabPositions, lpnTabStopPositions));
}

CSize CDC::GetTabbedTextExtent(const CString& str, int nTabPositions, LPINT lpnTabStopPositions) const
{
    return GetTabbedTextExtent(str.GetString(), str.GetLength(), nTabPositions, lpnTabStopPositions);
}

UINT CDC::GetTextAlign() const
{
    return ::GetTextAlign(m_hAttribDC);
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    return SetOnBoth(m_hDC, m_hAttribDC, UINT(GDI_ERROR), [&](HDC h) { return ::SetTextAlign(h, nFlags); });
}

int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const
{
    return ::GetTextFace(m_hAttribDC, nCount, lpszFacename);
}

int CDC::GetTextFace(CString& rString) const
{
    const int nResult = GetTextFace(LF_FACESIZE, rString.GetBuffer(LF_FACESIZE));
    rString.ReleaseBuffer();
    return nResult;
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    return ::GetTextMetrics(m_hAttribDC, lpMetrics);
}

BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    return ::GetTextMetrics(m_hDC, lpMetrics);
}

int CDC::SetTextJustification(int nBreakExtra, int nBreakCount)
{
    return SetOnBoth(m_hDC, m_hAttribDC, 0, [&](HDC h) { return ::SetTextJustification(h, nBreakExtra, nBreakCount); });
}

int CDC::GetTextCharacterExtra() const
{
    return ::GetTextCharacterExtra(m_hAttribDC);
}

int CDC::SetTextCharacterExtra(int nCharExtra)
{
    return SetOnBoth(m_hDC, m_hAttribDC, 0x80000000, [&](HDC h) { return ::SetTextCharacterExtra(h, nCharExtra); });
}

BOOL CDC::GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const
{
    return ::GetCharWidth32(m_hAttribDC, nFirstChar, nLastChar, lpBuffer);
}

// Escapes and printing

int CDC::Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData)
{
    return ::Escape(m_hDC, nEscape, nCount, lpszInData, lpOutData);
}

int CDC::Escape(int nEscape, int nInputSize, LPCSTR lpszInputData, int nOutputSize, LPSTR lpszOutputData)
{
    return ::ExtEscape(m_hDC, nEscape, nInputSize, lpszInputData, nOutputSize, lpszOutputData);
}

int CDC::StartDoc(LPDOCINFO lpDocInfo)
{
    return ::StartDoc(m_hDC, lpDocInfo);
}

int CDC::StartDoc(LPCTSTR lpszDocName)
{
    DOCINFO di = {};
    di.cbSize = sizeof(di);
    di.lpszDocName = lpszDocName;
    return StartDoc(&di);
}

int CDC::StartPage()
{
    return ::StartPage(m_hDC);
}

int CDC::EndPage()
{
    return ::EndPage(m_hDC);
}

int CDC::SetAbortProc(BOOL(CALLBACK* lpfn)(HDC, int))
{
    return ::SetAbortProc(m_hDC, lpfn);
}

int CDC::AbortDoc()
{
    return ::AbortDoc(m_hDC);
}

int CDC::EndDoc()
{
    return ::EndDoc(m_hDC);
}

// The window DCs

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    if (!Attach(::GetWindowDC(m_hWnd)))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
