// Device preparation, document updates and the row and column counts.
#include <grid/core/GridCore.h>

#include <afxext.h>

#include <grid/core/AppData.h>
#include <grid/core/Data.h>
#include <grid/core/DrawStruct.h>
#include <grid/core/FontState.h>
#include <grid/core/GridParam.h>
#include <grid/core/PrintDevice.h>
#include <grid/core/Properties.h>

#include <algorithm>

void CGXGridCore::OnGridPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    HDC hPrinterDC = nullptr;
    if (pInfo != nullptr)
        hPrinterDC = pDC->m_hAttribDC;
    else if (m_pParam != nullptr && m_pParam->m_bDisplayPrinterMetrics && m_pParam->m_pPrintDevice != nullptr)
    {
        hPrinterDC = m_pParam->m_pPrintDevice->GetPrinterDC();
        if (hPrinterDC != nullptr)
            pDC->SetAttribDC(hPrinterDC);
    }

    if (hPrinterDC != nullptr)
    {
        // Screen pixels are the logical unit, so sizes measured on screen keep their proportions
        // on the printer.
        const GX_FONT_STATE* pState = GXGetFontState();
        pDC->SetMapMode(MM_ANISOTROPIC);
        pDC->SetWindowExt(pState->m_nLogPixelsX, pState->m_nLogPixelsY);
        pDC->SetViewportExt(::GetDeviceCaps(hPrinterDC, LOGPIXELSX), ::GetDeviceCaps(hPrinterDC, LOGPIXELSY));
    }
    OnGridPrepareDCHook(pDC);
}

void CGXGridCore::OnGridPrepareDCHook(CDC* /*pDC*/)
{
}

void CGXGridCore::UpdateAllViews(CWnd* pSender, LPARAM lHint, CObject* pHint)
{
    if (m_pGridDoc != nullptr)
        m_pGridDoc->UpdateAllViews(DYNAMIC_DOWNCAST(CView, pSender), lHint, pHint);
}

void CGXGridCore::OnGridUpdate(CView* /*pSender*/, LPARAM /*lHint*/, CObject* pHint)
{
    if (m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->OnHint(this, pHint);
}

CSplitterWnd* CGXGridCore::GetSplitterParent(int* pPaneRow, int* pPaneCol) const
{
    if (m_pGridWnd == nullptr || m_pGridWnd->GetSafeHwnd() == nullptr)
        return nullptr;
    auto* pSplitter = DYNAMIC_DOWNCAST(CSplitterWnd, CWnd::FromHandlePermanent(::GetParent(m_pGridWnd->GetSafeHwnd())));
    return pSplitter != nullptr && pSplitter->IsChildPane(m_pGridWnd, pPaneRow, pPaneCol) ? pSplitter : nullptr;
}

BOOL CGXGridCore::SetRowCount(ROWCOL nRows, UINT flags)
{
    const ROWCOL nCount = GetRowCount();
    if (nRows < nCount)
        return RemoveRows(nRows + 1, nCount, flags);
    if (nRows > nCount)
        return InsertRows(nCount + 1, nRows - nCount, nullptr, nullptr, nullptr, 0, flags);
    return TRUE;
}

BOOL CGXGridCore::SetColCount(ROWCOL nCols, UINT flags)
{
    const ROWCOL nCount = GetColCount();
    if (nCols < nCount)
        return RemoveCols(nCols + 1, nCount, flags);
    if (nCols > nCount)
        return InsertCols(nCount + 1, nCols - nCount, nullptr, nullptr, nullptr, 0, flags);
    return TRUE;
}

BOOL CGXGridCore::IsReadOnlyLocked()
{
    return m_pParam != nullptr && m_pParam->m_bLockReadOnly && IsReadOnly();
}

BOOL CGXGridCore::StoreRowCount(ROWCOL nRows)
{
    if (IsReadOnlyLocked() || GetData() == nullptr || !GetData()->SetRowCount(nRows))
        return FALSE;
    DocumentLinkCall(1);
    return TRUE;
}

BOOL CGXGridCore::StoreColCount(ROWCOL nCols)
{
    if (IsReadOnlyLocked() || GetData() == nullptr || !GetData()->SetColCount(nCols))
        return FALSE;
    DocumentLinkCall(1);
    return TRUE;
}

BOOL CGXGridCore::IsFrozenRow(ROWCOL nRow)
{
    return nRow > 0 && nRow <= GetFrozenRows();
}

BOOL CGXGridCore::IsFrozenCol(ROWCOL nCol)
{
    return nCol > 0 && nCol <= GetFrozenCols();
}

BOOL CGXGridCore::IsSelectionKeyFree(ROWCOL /*nRow*/, ROWCOL /*nCol*/)
{
    return ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_SHIFT) >= 0;
}

void CGXGridCore::ApplyPrintMargins(CPrintInfo* pInfo)
{
    const CGXProperties* pProperties = GetProperties();
    if (pInfo == nullptr || pProperties == nullptr)
        return;
    // Margins are thousandths of an inch; the printing device context counts in screen pixels.
    const GX_FONT_STATE* pState = GXGetFontState();
    CRect& rect = pInfo->m_rectDraw;
    rect.top += ::MulDiv(pProperties->m_anMargins[0], pState->m_nLogPixelsY, 1000);
    rect.left += ::MulDiv(pProperties->m_anMargins[1], pState->m_nLogPixelsX, 1000);
    rect.bottom -= ::MulDiv(pProperties->m_anMargins[2], pState->m_nLogPixelsY, 1000);
    rect.right -= ::MulDiv(pProperties->m_anMargins[3], pState->m_nLogPixelsX, 1000);
    // Margins wider than the page leave an empty page, never an inverted one.
    rect.bottom = std::max(rect.bottom, rect.top);
    rect.right = std::max(rect.right, rect.left);
}

void CGXGridCore::OnPrintHeaderFooter(CDC* pDC, CPrintInfo* pInfo)
{
    CGXProperties* pProperties = GetProperties();
    if (pProperties == nullptr)
        return;
    const CView* pView = DYNAMIC_DOWNCAST(CView, m_pGridWnd);
    pProperties->PrintHeaderFooter(pDC, pInfo, pView != nullptr ? pView->GetDocument() : nullptr, m_pParam);
}

BOOL CGXGridCore::OnOldDrawing(DrawStruct& ds)
{
    return m_pOldDrawingImp != nullptr && m_pOldDrawingImp->DrawCells(this, ds.pDC, ds);
}

// The current cell's row and column while their headers are marked; 0 where not.
void CGXGridCore::GetMarkedHeaders(ROWCOL& nRow, ROWCOL& nCol)
{
    nRow = 0;
    nCol = 0;
    const CGXProperties* pProperties = GetProperties();
    ROWCOL nCurrentRow = 0;
    ROWCOL nCurrentCol = 0;
    if (m_pMarkEditHeaderImp == nullptr || pProperties == nullptr || !GetCurrentCell(&nCurrentRow, &nCurrentCol))
        return;
    if (pProperties->m_bMarkRowHeader)
        nRow = nCurrentRow;
    if (pProperties->m_bMarkColHeader)
        nCol = nCurrentCol;
}

void CGXGridCore::MarkEditHeader(ROWCOL nRow, ROWCOL nCol, int nWhich, UINT flags)
{
    if (m_pMarkEditHeaderImp != nullptr)
        m_pMarkEditHeaderImp->RefreshMarkedHeaders(this, nRow, nCol, nWhich, flags);
}

void CGXGridCore::OnHintUpdate()
{
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(TRUE))
        pHints->HintUpdateWindow(this);
}

void CGXGridCore::NotifyAppFeatures()
{
    if (m_pParam != nullptr)
        m_pParam->RebuildCoveredCellsPool();
}
