// The tabbed list's title row and its item measuring and drawing.
#include <grid/controls/TabbedLBoxHeader.h>

#include <grid/controls/Child.h>
#include <grid/core/AppData.h>
#include <grid/core/DIB.h>
#include <toolkit/foundation/MemDC.h>

#include <algorithm>
#include <cstdlib>
#include <vector>
#include <vsstyle.h>

namespace
{
// The text's pieces between tab characters.
std::vector<CString> SplitAtTabs(LPCTSTR pszText)
{
    std::vector<CString> pieces;
    const CString strText(pszText != nullptr ? pszText : _T(""));
    int nStart = 0;
    for (;;)
    {
        const int nTab = strText.Find(_T('\t'), nStart);
        if (nTab < 0)
        {
            pieces.push_back(strText.Mid(nStart));
            return pieces;
        }
        pieces.push_back(strText.Mid(nStart, nTab - nStart));
        nStart = nTab + 1;
    }
}

// The DIB of the thread's pool that the piece names, with its size; null when it names none.
HANDLE PieceBitmap(const CString& strPiece, CSize& size)
{
    HANDLE hDIB = CGXDIBPool::GetPool()->GetDIB(strPiece);
    if (hDIB == nullptr)
        return nullptr;
    CGXDIB dib;
    if (!dib.Attach(hDIB))
        return nullptr;
    size = CSize(dib.GetWidth(), std::abs(dib.GetHeight()));
    dib.Detach();
    return hDIB;
}

int PieceWidth(CDC* pDC, const CString& strPiece)
{
    CSize size;
    if (PieceBitmap(strPiece, size) != nullptr)
        return size.cx;
    return pDC->GetTextExtent(strPiece).cx;
}

void DrawPiece(CDC* pDC, const CRect& rect, const CString& strPiece)
{
    CSize size;
    if (HANDLE hDIB = PieceBitmap(strPiece, size))
    {
        GXDrawDIB(pDC, hDIB, rect, GX_DIB_NOSCALE, GX_DIB_VCENTER);
        return;
    }
    CRect rectText = rect;
    pDC->DrawText(strPiece, rectText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}
} // namespace

int CGXTabbedLBoxHeader::s_nPlainHeaderStyle = 0;

BEGIN_MESSAGE_MAP(CGXTabbedLBoxHeader, CWnd)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

BOOL CGXTabbedLBoxHeader::CreateHeader()
{
    return CreateEx(s_nPlainHeaderStyle == 0 ? WS_EX_TOOLWINDOW : 0, GXGetAppDataPtr()->m_sSaveBitsClassName, nullptr,
                    WS_CHILD, CRect(), CWnd::GetDesktopWindow(), 0);
}

void CGXTabbedLBoxHeader::DrawTitle(CDC* pDC, const CRect& rect, const CString& strTitle, BOOL bDisplayColumn)
{
    if (!CGXButton::DrawPartWith(m_themes, m_hWnd, pDC, L"HEADER", HP_HEADERITEM, bDisplayColumn ? HIS_HOT : HIS_NORMAL,
                                 rect))
        CGXButton::DrawClassicFace(pDC, rect, ::GetSysColor(COLOR_BTNFACE), FALSE);
    CRect rectText = rect;
    rectText.DeflateRect(2, 0);
    pDC->DrawText(strTitle, rectText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}

void CGXTabbedLBoxHeader::OnPaint()
{
    CPaintDC paintDC(this);
    Paint(&paintDC);
}

LRESULT CGXTabbedLBoxHeader::OnPrintClient(WPARAM wParam, LPARAM /*lParam*/)
{
    Paint(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 0;
}

LRESULT CGXTabbedLBoxHeader::OnThemeChanged(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_themes.Close();
    return Default();
}

void CGXTabbedLBoxHeader::Paint(CDC* pTargetDC)
{
    CRect rectClient;
    GetClientRect(rectClient);
    if (rectClient.IsRectEmpty())
        return;
    tarnwick::foundation::SECMemDC dc(pTargetDC, rectClient.left, rectClient.top, rectClient.right, rectClient.bottom);
    CFont* pOldFont = m_pFont != nullptr ? dc.SelectObject(m_pFont) : nullptr;
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    dc.SetBkMode(TRANSPARENT);

    std::vector<CString> titles = SplitAtTabs(m_strHeaderText);
    if (!m_bAllColumns)
    {
        // One title across the whole header: the display column's.
        const size_t nTitle = m_nDisplayCol > 0 ? static_cast<size_t>(m_nDisplayCol) : 0;
        DrawTitle(&dc, rectClient, nTitle < titles.size() ? titles[nTitle] : CString(), TRUE);
    }
    else
    {
        const size_t nFirst = m_nDisplayCol != 0 && !titles.empty() ? 1 : 0;
        int nLeft = rectClient.left;
        for (int nCol = 0; nCol < m_nColumns; ++nCol)
        {
            const BOOL bLast = nCol == m_nColumns - 1;
            const int nRight =
                bLast || m_pColumnEdges == nullptr ? rectClient.right : rectClient.left + m_pColumnEdges[nCol] - 1;
            const size_t nTitle = nFirst + static_cast<size_t>(nCol);
            DrawTitle(&dc, CRect(nLeft, rectClient.top, nRight, rectClient.bottom),
                      nTitle < titles.size() ? titles[nTitle] : CString(), nCol == m_nDisplayCol);
            nLeft = nRight;
        }
    }
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
}

void GXMeasureTabbedColumns(CDC* pDC, LPCTSTR pszText, int nColumns, int* pWidths)
{
    const std::vector<CString> pieces = SplitAtTabs(pszText);
    for (int nCol = 0; nCol < nColumns && static_cast<size_t>(nCol) < pieces.size(); ++nCol)
        pWidths[nCol] = std::max(pWidths[nCol], PieceWidth(pDC, pieces[static_cast<size_t>(nCol)]));
}

void GXDrawTabbedListItem(CDC* pDC, const CRect& rect, LPCTSTR pszText, BOOL bSingleColumn, int nDisplayCol,
                          int nColumns, const int* pColumnEdges, COLORREF rgbLine, COLORREF rgbText, COLORREF rgbBack,
                          int nLeftOffset)
{
    pDC->FillSolidRect(rect, rgbBack);
    const std::vector<CString> pieces = SplitAtTabs(pszText);
    const COLORREF rgbOldText = pDC->SetTextColor(rgbText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    if (bSingleColumn)
    {
        const size_t nPiece = nDisplayCol > 0 ? static_cast<size_t>(nDisplayCol) : 0;
        CRect rectPiece = rect;
        rectPiece.left += nLeftOffset;
        if (nPiece < pieces.size())
            DrawPiece(pDC, rectPiece, pieces[nPiece]);
    }
    else
    {
        for (int nCol = 0; nCol < nColumns; ++nCol)
            pDC->FillSolidRect(rect.left + pColumnEdges[nCol] - 2 + nLeftOffset, rect.top, 1, rect.Height(), rgbLine);
        int nColLeft = 0;
        for (int nCol = 0; nCol < nColumns && static_cast<size_t>(nCol) < pieces.size(); ++nCol)
        {
            const CRect rectPiece(rect.left + nColLeft + nLeftOffset, rect.top,
                                  rect.left + pColumnEdges[nCol] - 2 + nLeftOffset, rect.bottom);
            pDC->SaveDC();
            pDC->IntersectClipRect(rectPiece);
            DrawPiece(pDC, rectPiece, pieces[static_cast<size_t>(nCol)]);
            pDC->RestoreDC(-1);
            nColLeft = pColumnEdges[nCol];
        }
    }
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(rgbOldText);
}

void GXMeasureTabbedListItem(CDC* /*pDC*/, int& nHeight, LPCTSTR pszText, BOOL bSingleColumn, int nDisplayCol)
{
    const std::vector<CString> pieces = SplitAtTabs(pszText);
    for (size_t nPiece = 0; nPiece < pieces.size(); ++nPiece)
    {
        if (bSingleColumn && nPiece != static_cast<size_t>(nDisplayCol > 0 ? nDisplayCol : 0))
            continue;
        CSize size;
        if (PieceBitmap(pieces[nPiece], size) != nullptr)
            nHeight = std::max(nHeight, static_cast<int>(size.cy));
    }
}
