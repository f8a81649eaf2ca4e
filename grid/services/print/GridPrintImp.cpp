// Printing a grid: pagination, one page with header, footer, frame and centring, and the
// header and footer texts.
#include <grid/services/print/GridPrintImp.h>

#include <afxdlgs.h>
#include <afxext.h>

#include <grid/core/AppData.h>
#include <grid/core/Data.h>
#include <grid/core/DelayedRangePool.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/FontState.h>
#include <grid/core/GridAxis.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/SpanCellPool.h>
#include <grid/core/StylesMap.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <memory>

namespace
{
// The header and footer blocks: lines by columns.
constexpr ROWCOL nBlockLines = 10;
constexpr ROWCOL nBlockColumns = 3;
// Header and footer texts keep this distance from the sides of their rectangle.
constexpr int nHeaderFooterInset = 8;
// The print frame's bars and their distance from the cells.
constexpr int nFrameBar = 2;
constexpr int nFrameGap = 1;
// The date token's longest text.
constexpr size_t nMaxDateText = 255;

enum : int
{
    tokenDocument = 0,
    tokenApplication = 1,
    tokenPage = 2,
    tokenPageCount = 3,
    tokenDate = 4,
    tokenParamName = 5,
    tokenCount = 6
};

// Thousandths of an inch in the printing DC's logical units, which are screen pixels.
int InchThousandthsToLogical(int nValue, BOOL bVertical)
{
    const GX_FONT_STATE* pState = GXGetFontState();
    return ::MulDiv(nValue, bVertical ? pState->m_nLogPixelsY : pState->m_nLogPixelsX, 1000);
}

// The device's printable area in logical units.
CRect PrintableArea(CDC* pDC)
{
    CRect rect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    pDC->DPtoLP(&rect);
    rect.NormalizeRect();
    return rect;
}

} // namespace

class CGXGridPrintImp::CPrintingScope
{
public:
    CPrintingScope(CGXGridCore& grid, CDC* pDC) : m_grid(grid), m_pDC(pDC)
    {
        m_grid.SetPrinting(TRUE);
        try
        {
            m_grid.FreeObjectCache();
            if (const CGXStyle* pStandard = m_grid.GetStandardStyle())
                m_pOldFont = m_grid.LoadFont(pDC, *pStandard, nullptr);
            const CSize units = m_grid.GetTextMetricsSize(pDC);
            m_grid.m_nPrintColUnit = units.cx;
            m_grid.m_nPrintRowUnit = units.cy;
        }
        catch (...)
        {
            // No destructor runs for a scope that was never made: the grid goes back at once.
            Leave();
            throw;
        }
    }
    ~CPrintingScope()
    {
        Leave();
    }
    CPrintingScope(const CPrintingScope&) = delete;
    CPrintingScope& operator=(const CPrintingScope&) = delete;

private:
    void Leave()
    {
        if (m_pOldFont != nullptr)
            m_pDC->SelectObject(m_pOldFont);
        m_grid.SetPrinting(FALSE);
        m_grid.FreeObjectCache();
        // The last visible row and column were measured on paper.
        m_grid.m_nLastVisibleRow = GX_INVALID;
        m_grid.m_nLastVisibleCol = GX_INVALID;
        if (m_grid.m_bRedrawAfterPrinting)
        {
            m_grid.m_bRedrawAfterPrinting = FALSE;
            m_grid.RedrawGrid(GX_INVALIDATE, FALSE);
        }
    }

    CGXGridCore& m_grid;
    CDC* m_pDC;
    CFont* m_pOldFont = nullptr;
};

namespace
{
// The printable area less the margins and the header and footer blocks.
CRect CalcPrintRect(CGXGridPrintImp& imp, CGXGridCore& grid, CDC* pDC, CPrintInfo* pInfo)
{
    pInfo->m_rectDraw = PrintableArea(pDC);
    grid.ApplyPrintMargins(pInfo);
    CRect rect = pInfo->m_rectDraw;
    if (CGXProperties* pProperties = grid.GetProperties())
    {
        rect.top += imp.CalcHeaderFooterHeight(pDC, pProperties->GetDataHeader(), grid.GetStylesMap());
        rect.bottom -= imp.CalcHeaderFooterHeight(pDC, pProperties->GetDataFooter(), grid.GetStylesMap());
        rect.bottom = std::max(rect.bottom, rect.top);
    }
    return rect;
}

BOOL IsPrintingSelection(const CPrintInfo* pInfo)
{
    return pInfo->m_pPD != nullptr && pInfo->m_pPD->PrintSelection();
}

// The first user break after nAfter, or 0 without one.
ROWCOL NextUserBreak(const CDWordArray& userBreaks, ROWCOL nAfter)
{
    ROWCOL nNext = 0;
    for (INT_PTR i = 0; i < userBreaks.GetSize(); ++i)
    {
        const ROWCOL nBreak = userBreaks[i];
        if (nBreak > nAfter && (nNext == 0 || nBreak < nNext))
            nNext = nBreak;
    }
    return nNext;
}
} // namespace

void CGXGridPrintImp::AppendBreaks(CGXGridCore& grid, BOOL bRows, CDWordArray& breaks, ROWCOL nEnd,
                                   const CDWordArray& userBreaks, ROWCOL nScreenFirst, int& nPreviewPage)
{
    const GXGridAxis axis(grid, bRows);
    CRect rectPrint;
    grid.GetGridRect(&rectPrint);
    for (;;)
    {
        const ROWCOL nFirst = breaks[breaks.GetUpperBound()];
        axis.PrintFirstField() = nFirst;
        axis.LastVisible() = GX_INVALID;
        BOOL bPastEnd = FALSE;
        ROWCOL nNext = bRows ? grid.CalcBottomRowInRectEx(&rectPrint, &bPastEnd)
                             : grid.CalcRightColInRectEx(&rectPrint, &bPastEnd);
        if (bPastEnd)
            nNext = axis.Count() + 1;
        nNext = std::max(nNext, nFirst + 1);
        if (const ROWCOL nUser = NextUserBreak(userBreaks, nFirst); nUser != 0 && nUser <= nNext)
            nNext = nUser;
        if (nScreenFirst >= nFirst && nScreenFirst < nNext)
            nPreviewPage = static_cast<int>(breaks.GetUpperBound());
        breaks.Add(nNext);
        if (nNext > nEnd)
            break;
    }
    breaks[breaks.GetUpperBound()] = nEnd + 1;
}

BOOL CGXGridPrintImp::LocatePage(CGXGridCore& grid, UINT nPage, INT_PTR& nRowPage, INT_PTR& nColPage)
{
    const INT_PTR nRowPages = grid.m_awPageFirstRow.GetSize() - 1;
    const INT_PTR nColPages = grid.m_awPageFirstCol.GetSize() - 1;
    if (nRowPages <= 0 || nColPages <= 0 || nPage < 1 || nPage > static_cast<UINT>(nRowPages * nColPages))
        return FALSE;
    const INT_PTR nIndex = static_cast<INT_PTR>(nPage) - 1;
    const CGXProperties* pProperties = grid.GetProperties();
    if (pProperties == nullptr || pProperties->m_nPageOrder == 0)
    {
        nRowPage = nIndex / nColPages;
        nColPage = nIndex % nColPages;
    }
    else
    {
        nRowPage = nIndex % nRowPages;
        nColPage = nIndex / nRowPages;
    }
    return TRUE;
}

void CGXGridPrintImp::OnBeginPrinting(CGXGridCore* pGrid, CDC* pDC, CPrintInfo* pInfo)
{
    CWaitCursor wait;
    CGXGridCore& grid = *pGrid;
    grid.m_awPageFirstRow.RemoveAll();
    grid.m_awPageFirstCol.RemoveAll();
    grid.m_nPreviewRowPage = 0;
    grid.m_nPreviewColPage = 0;
    const ROWCOL nScreenTop = grid.m_nTopRow;
    const ROWCOL nScreenLeft = grid.m_nLeftCol;
    CGXGridParam* pParam = grid.GetParam();
    const BOOL bSelection = IsPrintingSelection(pInfo);
    const BOOL bVisibleCells = bSelection && (pParam == nullptr || pParam->m_SelRects.IsEmpty());
    // What the window shows, measured before the grid switches to paper.
    const ROWCOL nScreenBottom = bVisibleCells ? std::min(grid.GetLastVisibleRow(), grid.GetRowCount()) : 0;
    const ROWCOL nScreenRight = bVisibleCells ? std::min(grid.GetLastVisibleCol(), grid.GetColCount()) : 0;

    CPrintingScope printing(grid, pDC);
    if (pParam != nullptr)
    {
        const CGXAppData* pAppData = GXGetAppDataPtr();
        if (pParam->m_pFloatCellsPool2 == nullptr && pAppData->m_pSpanCellPoolImp != nullptr)
            pParam->m_pFloatCellsPool2 = pAppData->m_pSpanCellPoolImp->CreatePool();
        if (pParam->m_pFloatCellsWork2 == nullptr && pAppData->m_pDelayedRangePoolImp != nullptr)
            pParam->m_pFloatCellsWork2 = pAppData->m_pDelayedRangePoolImp->CreatePool();
        pParam->EnsureCoveredCellsPool();
        grid.DelayFloatCells(CGXRange(0, 0, grid.GetRowCount(), grid.GetColCount()));
    }
    grid.m_rectPrint = CalcPrintRect(*this, grid, pDC, pInfo);

    if (bVisibleCells)
    {
        grid.m_awPageFirstRow.Add(nScreenTop);
        grid.m_awPageFirstRow.Add(std::max(nScreenBottom, nScreenTop) + 1);
        grid.m_awPageFirstCol.Add(nScreenLeft);
        grid.m_awPageFirstCol.Add(std::max(nScreenRight, nScreenLeft) + 1);
    }
    else
    {
        const ROWCOL nFirstRow = grid.GetFrozenRows() + 1;
        const ROWCOL nFirstCol = grid.GetFrozenCols() + 1;
        CGXRange range(nFirstRow, nFirstCol, grid.GetRowCount(), grid.GetColCount());
        if (bSelection)
        {
            range = *pParam->m_SelRects.GetHeadRange();
            range.ExpandRange(nFirstRow, nFirstCol, grid.GetRowCount(), grid.GetColCount());
        }
        grid.m_awPageFirstRow.Add(std::max(range.top, nFirstRow));
        grid.m_awPageFirstCol.Add(std::max(range.left, nFirstCol));
        const CGXProperties* pProperties = grid.GetProperties();
        const CDWordArray noBreaks;
        AppendBreaks(grid, FALSE, grid.m_awPageFirstCol, range.right,
                     pProperties != nullptr ? pProperties->m_awColBreaks : noBreaks, nScreenLeft,
                     grid.m_nPreviewColPage);
        AppendBreaks(grid, TRUE, grid.m_awPageFirstRow, range.bottom,
                     pProperties != nullptr ? pProperties->m_awRowBreaks : noBreaks, nScreenTop,
                     grid.m_nPreviewRowPage);
    }

    const INT_PTR nRowPages = grid.m_awPageFirstRow.GetSize() - 1;
    const INT_PTR nColPages = grid.m_awPageFirstCol.GetSize() - 1;
    const UINT nPages = static_cast<UINT>(nRowPages * nColPages);
    pInfo->SetMaxPage(nPages);
    CString strPages;
    strPages.Format(_T(" / %u"), nPages);
    pInfo->m_strPageDesc += strPages;
    if (pInfo->m_bPreview)
    {
        const CGXProperties* pProperties = grid.GetProperties();
        const INT_PTR nRowPage = grid.m_nPreviewRowPage;
        const INT_PTR nColPage = grid.m_nPreviewColPage;
        pInfo->m_nCurPage = static_cast<UINT>(pProperties == nullptr || pProperties->m_nPageOrder == 0
                                                  ? nColPages * nRowPage + nColPage + 1
                                                  : nRowPages * nColPage + nRowPage + 1);
    }
}

void CGXGridPrintImp::OnPrint(CGXGridCore* pGrid, CDC* pDC, CPrintInfo* pInfo)
{
    CGXGridCore& grid = *pGrid;
    if (grid.m_awPageFirstRow.GetSize() < 2 || grid.m_awPageFirstCol.GetSize() < 2)
    {
        pInfo->m_bContinuePrinting = FALSE;
        return;
    }
    CPrintingScope printing(grid, pDC);
    CRect rect = CalcPrintRect(*this, grid, pDC, pInfo);
    grid.m_rectPrint = rect;
    const ROWCOL nRows = grid.GetRowCount();
    const ROWCOL nCols = grid.GetColCount();

    // Rows or columns added since the pages were counted get pages of their own.
    if (!IsPrintingSelection(pInfo))
    {
        const CGXProperties* pProperties = grid.GetProperties();
        const CDWordArray noBreaks;
        int nUnused = 0;
        for (const BOOL bRows : {FALSE, TRUE})
        {
            CDWordArray& breaks = bRows ? grid.m_awPageFirstRow : grid.m_awPageFirstCol;
            const ROWCOL nCount = bRows ? nRows : nCols;
            if (nCount < breaks[breaks.GetUpperBound()])
                continue;
            breaks.RemoveAt(breaks.GetUpperBound());
            const CDWordArray* pUser = &noBreaks;
            if (pProperties != nullptr)
                pUser = bRows ? &pProperties->m_awRowBreaks : &pProperties->m_awColBreaks;
            AppendBreaks(grid, bRows, breaks, nCount, *pUser, 0, nUnused);
        }
        pInfo->SetMaxPage(
            static_cast<UINT>((grid.m_awPageFirstRow.GetSize() - 1) * (grid.m_awPageFirstCol.GetSize() - 1)));
    }

    INT_PTR nRowPage = 0;
    INT_PTR nColPage = 0;
    if (!LocatePage(grid, pInfo->m_nCurPage, nRowPage, nColPage))
    {
        pInfo->m_bContinuePrinting = FALSE;
        return;
    }
    grid.m_nPrintTopRow = grid.m_awPageFirstRow[nRowPage];
    grid.m_nPrintLeftCol = grid.m_awPageFirstCol[nColPage];
    // The table shrank since the pages were counted: the page lies beyond it.
    if (grid.m_nPrintTopRow > nRows || grid.m_nPrintLeftCol > nCols)
    {
        pInfo->m_bContinuePrinting = FALSE;
        return;
    }
    grid.m_nLastVisibleRow = GX_INVALID;
    grid.m_nLastVisibleCol = GX_INVALID;
    const ROWCOL nLastRow = std::min<ROWCOL>(grid.m_awPageFirstRow[nRowPage + 1] - 1, nRows);
    const ROWCOL nLastCol = std::min<ROWCOL>(grid.m_awPageFirstCol[nColPage + 1] - 1, nCols);
    const int nWidth =
        grid.CalcSumOfColWidths(0, grid.GetFrozenCols()) + grid.CalcSumOfColWidths(grid.m_nPrintLeftCol, nLastCol);
    const int nHeight =
        grid.CalcSumOfRowHeights(0, grid.GetFrozenRows()) + grid.CalcSumOfRowHeights(grid.m_nPrintTopRow, nLastRow);

    if (const CGXProperties* pProperties = grid.GetProperties())
    {
        if (pProperties->m_bCenterHorizontal && rect.Width() > nWidth)
            rect.left += (rect.Width() - nWidth) / 2;
        if (pProperties->m_bCenterVertical && rect.Height() > nHeight)
            rect.top += (rect.Height() - nHeight) / 2;
    }
    rect.right = std::min<LONG>(rect.right, rect.left + nWidth);
    rect.bottom = std::min<LONG>(rect.bottom, rect.top + nHeight);
    grid.m_rectPrint = rect;
    pInfo->m_rectDraw = rect;

    grid.OnPrintHeaderFooter(pDC, pInfo);

    const CGXProperties* pProperties = grid.GetProperties();
    if (pProperties != nullptr && pProperties->m_bPrintFrame)
    {
        const int nOut = nFrameGap + nFrameBar;
        const int nShorter = grid.GetParam() != nullptr && grid.GetParam()->m_bFramePixelOffset ? 1 : 0;
        const int nLeft = rect.left - nOut;
        const int nTop = rect.top - nOut;
        const int nRight = rect.right + nOut - nShorter;
        const int nBottom = rect.bottom + nOut - nShorter;
        GXFillColorRect(pDC, CRect(nLeft, nTop, nRight, rect.top - nFrameGap), RGB(0, 0, 0));
        GXFillColorRect(pDC, CRect(nLeft, rect.bottom + nFrameGap, nRight, nBottom), RGB(0, 0, 0));
        GXFillColorRect(pDC, CRect(nLeft, nTop, rect.left - nFrameGap, nBottom), RGB(0, 0, 0));
        GXFillColorRect(pDC, CRect(rect.right + nFrameGap, nTop, nRight, nBottom), RGB(0, 0, 0));
    }

    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rect);
    grid.DrawGridToDC(pDC);
    pDC->RestoreDC(nSaved);

    pInfo->m_bContinuePrinting = nLastRow < nRows || nLastCol < nCols;
}

void CGXGridPrintImp::OnEndPrinting(CGXGridCore* pGrid)
{
    if (CWnd* pWnd = pGrid->GridWnd(); pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        pWnd->Invalidate(FALSE);
    if (CGXGridParam* pParam = pGrid->GetParam())
    {
        delete pParam->m_pFloatCellsPool2;
        delete pParam->m_pFloatCellsWork2;
        pParam->m_pFloatCellsPool2 = nullptr;
        pParam->m_pFloatCellsWork2 = nullptr;
    }
}

void CGXGridPrintImp::PrintHeaderFooter(CGXProperties* pProperties, CDC* pDC, CPrintInfo* pInfo, CDocument* pDocument,
                                        CGXGridParam* pParam)
{
    CStringArray& values = pProperties->GetTokenValueArray();
    if (values.GetSize() < tokenCount)
        values.SetSize(tokenCount);
    values[tokenDocument] = pDocument != nullptr ? pDocument->GetTitle() : CString();
    values[tokenApplication] = AfxGetAppName() != nullptr ? AfxGetAppName() : _T("");
    values[tokenPageCount].Format(_T("%d"), static_cast<int>(pInfo->GetMaxPage()));
    const int nPage =
        pProperties->m_nFirstPage == -1
            ? static_cast<int>(pInfo->m_nCurPage)
            : static_cast<int>(pInfo->m_nCurPage) - static_cast<int>(pInfo->GetFromPage()) + pProperties->m_nFirstPage;
    values[tokenPage].Format(_T("%d"), nPage);
    values[tokenParamName] = pParam != nullptr ? pParam->m_strName : CString();

    CGXStylesMap* pStylesMap = pParam != nullptr ? pParam->m_pStylesMap : nullptr;
    const CRect& rectCells = pInfo->m_rectDraw;
    const CRect rectHeader(rectCells.left, InchThousandthsToLogical(pProperties->m_nHeaderDistance, TRUE),
                           rectCells.right, rectCells.top);
    DrawHeaderFooter(pProperties, pDC, rectHeader, pProperties->GetDataHeader(), pStylesMap);

    const int nFooterBottom =
        PrintableArea(pDC).bottom - InchThousandthsToLogical(pProperties->m_nFooterDistance, TRUE);
    const int nFooterTop = std::max<int>(
        nFooterBottom - CalcHeaderFooterHeight(pDC, pProperties->GetDataFooter(), pStylesMap), rectCells.bottom);
    const CRect rectFooter(rectCells.left, nFooterTop, rectCells.right, nFooterBottom);
    DrawHeaderFooter(pProperties, pDC, rectFooter, pProperties->GetDataFooter(), pStylesMap);
}

namespace
{
// The lines of one column of a header or footer block that have a value, each with its style
// (the cell's attributes over its base style) and its font selected into the DC. The DC gets
// its font back when the walk ends.
class CBlockColumnWalk
{
public:
    CBlockColumnWalk(CDC* pDC, CGXData& block, CGXStylesMap* pStylesMap, ROWCOL nCol)
        : m_pDC(pDC), m_block(block), m_pStylesMap(pStylesMap), m_nCol(nCol)
    {
    }
    ~CBlockColumnWalk()
    {
        if (m_pOldFont != nullptr)
            m_pDC->SelectObject(m_pOldFont);
    }
    CBlockColumnWalk(const CBlockColumnWalk&) = delete;
    CBlockColumnWalk& operator=(const CBlockColumnWalk&) = delete;

    // The next line with a value and its height (that of "X" in its font); FALSE at the end.
    BOOL Next(CGXStyle& style, int& nHeight)
    {
        const ROWCOL nLines = std::min(nBlockLines, m_block.GetRowCount());
        while (m_nLine < nLines)
        {
            ++m_nLine;
            style.Free();
            if (!m_block.GetStyleImpl(m_nLine, m_nCol, style, CGXStyle::modeCopy, 0) ||
                !style.GetInclude(CGXStyle::inclValue) || style.GetValue().IsEmpty())
                continue;
            ApplyBaseStyle(style);
            SelectFont(style.GetFont().GetLogFont());
            nHeight = m_pDC->GetTextExtent(_T("X"), 1).cy;
            return TRUE;
        }
        return FALSE;
    }

private:
    void ApplyBaseStyle(CGXStyle& style) const
    {
        if (m_pStylesMap == nullptr)
            return;
        const WORD nBase =
            style.GetInclude(CGXStyle::inclBaseStyle) ? style.GetBaseStyle() : m_pStylesMap->m_wStyleStandard;
        CGXStyle* pBase = nullptr;
        if (m_pStylesMap->LookupStyle(nBase, pBase) && pBase != nullptr)
            style.ChangeStyle(*pBase, CGXStyle::modeApplyNew);
    }
    void SelectFont(const LOGFONT& lf)
    {
        if (m_pFont != nullptr && std::memcmp(&lf, &m_lfCurrent, sizeof(LOGFONT)) == 0)
            return;
        auto pFont = std::make_unique<CFont>();
        if (!pFont->CreateFontIndirect(&lf))
            return;
        CFont* pPrevious = m_pDC->SelectObject(pFont.get());
        if (m_pOldFont == nullptr)
            m_pOldFont = pPrevious;
        m_pFont = std::move(pFont);
        m_lfCurrent = lf;
    }

    CDC* m_pDC;
    CGXData& m_block;
    CGXStylesMap* m_pStylesMap;
    ROWCOL m_nCol;
    ROWCOL m_nLine = 0;
    std::unique_ptr<CFont> m_pFont;
    LOGFONT m_lfCurrent{};
    CFont* m_pOldFont = nullptr;
};
} // namespace

int CGXGridPrintImp::CalcHeaderFooterHeight(CDC* pDC, CGXData& block, CGXStylesMap* pStylesMap)
{
    int nTallest = 0;
    for (ROWCOL nCol = 1; nCol <= nBlockColumns; ++nCol)
    {
        CBlockColumnWalk walk(pDC, block, pStylesMap, nCol);
        CGXStyle style;
        int nLineHeight = 0;
        int nHeight = 0;
        while (walk.Next(style, nLineHeight))
            nHeight += nLineHeight;
        nTallest = std::max(nTallest, nHeight);
    }
    return nTallest;
}

void CGXGridPrintImp::DrawHeaderFooter(CGXProperties* pProperties, CDC* pDC, const CRect& rect, CGXData& block,
                                       CGXStylesMap* pStylesMap)
{
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(RGB(0, 0, 0));
    const int nLeft = rect.left + nHeaderFooterInset;
    const int nRight = rect.right - nHeaderFooterInset;
    for (ROWCOL nCol = 1; nCol <= nBlockColumns; ++nCol)
    {
        CBlockColumnWalk walk(pDC, block, pStylesMap, nCol);
        CGXStyle style;
        int nLineHeight = 0;
        int y = rect.top;
        while (walk.Next(style, nLineHeight))
        {
            const CString strText = SubstituteTokens(pProperties, style.GetValue());
            const int cx = pDC->GetTextExtent(strText, strText.GetLength()).cx;
            const BOOL bColor = !pProperties->IsBlackWhiteOutput() && style.GetInclude(CGXStyle::inclTextColor);
            pDC->SetTextColor(bColor ? style.GetTextColor() : RGB(0, 0, 0));
            const int x = nCol == 1 ? nLeft : nCol == 2 ? nLeft + (nRight - nLeft - cx) / 2 : nRight - cx;
            pDC->TextOut(x, y, strText, strText.GetLength());
            y += nLineHeight;
        }
    }
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(nOldMode);
}

CString CGXGridPrintImp::SubstituteTokens(CGXProperties* pProperties, const CString& strText)
{
    const CStringArray& tokens = pProperties->GetTokenArray();
    CString strResult;
    CString strRest = strText;
    while (!strRest.IsEmpty())
    {
        INT_PTR nToken = 0;
        while (nToken < tokens.GetSize() &&
               (tokens[nToken].IsEmpty() || tokens[nToken].GetLength() > strRest.GetLength() ||
                _wcsnicmp(strRest, tokens[nToken], static_cast<size_t>(tokens[nToken].GetLength())) != 0))
            ++nToken;
        if (nToken < tokens.GetSize())
        {
            strRest = strRest.Mid(tokens[nToken].GetLength());
            strResult += GetTokenValue(pProperties, static_cast<int>(nToken), strRest);
        }
        else
        {
            strResult += strRest[0];
            strRest = strRest.Mid(1);
        }
    }
    return strResult;
}

namespace
{
// Whether the C library formats every directive of the text instead of calling its
// invalid-parameter handler: "%" with an optional "#" and one of the letters it knows.
BOOL IsSafeTimeFormat(const CString& strFormat)
{
    static const wchar_t szDirectives[] = L"aAbBcdHIjmMpSUwWxXyYzZ%";
    for (int i = 0; i < strFormat.GetLength(); ++i)
    {
        if (strFormat[i] != L'%')
            continue;
        if (++i < strFormat.GetLength() && strFormat[i] == L'#')
            ++i;
        if (i >= strFormat.GetLength() || std::wcschr(szDirectives, strFormat[i]) == nullptr)
            return FALSE;
    }
    return TRUE;
}
} // namespace

CString CGXGridPrintImp::GetTokenValue(CGXProperties* pProperties, int nToken, CString& strRest)
{
    if (nToken == tokenDate)
    {
        CString strFormat = TakeTokenArgument(strRest);
        if (strFormat.IsEmpty())
            strFormat = _T("%c");
        const time_t now = CurrentTime();
        tm local{};
        // Room for one character more than allowed: a longer text fills it, and some C libraries
        // then leave the buffer unterminated instead of answering 0.
        wchar_t szText[nMaxDateText + 2] = {};
        if (!IsSafeTimeFormat(strFormat) || localtime_s(&local, &now) != 0 ||
            std::wcsftime(szText, nMaxDateText + 2, strFormat, &local) == 0 ||
            wcsnlen(szText, nMaxDateText + 2) > nMaxDateText)
            return CString();
        return CString(szText);
    }
    const CStringArray& values = pProperties->GetTokenValueArray();
    return nToken >= 0 && nToken < values.GetSize() ? values[nToken] : CString();
}

CString CGXGridPrintImp::TakeTokenArgument(CString& strRest)
{
    const int nClose = strRest.Find(_T('}'));
    if (strRest.IsEmpty() || strRest[0] != _T('{') || nClose < 0)
        return CString();
    const CString strArgument = strRest.Mid(1, nClose - 1);
    strRest = strRest.Mid(nClose + 1);
    return strArgument;
}

time_t CGXGridPrintImp::CurrentTime() const
{
    return std::time(nullptr);
}
