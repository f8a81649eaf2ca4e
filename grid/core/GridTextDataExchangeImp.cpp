// Copying cells as text and pasting text into cells.
#include <grid/core/GridTextDataExchangeImp.h>

#include <grid/controls/ComposedStyle.h>
#include <grid/controls/Control.h>
#include <grid/core/AbstractGridImps.h>
#include <grid/core/AppData.h>
#include <grid/core/Command.h>
#include <grid/core/CopySpans.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Style.h>
#include <toolkit/foundation/ScopedValue.h>

#include <algorithm>
#include <memory>

using tarnwick::foundation::SECScopedValue;

namespace
{
constexpr WORD clipboardEscapes = 0x1000;
constexpr WORD clipboardNoNewRows = 0x0200;
constexpr WORD clipboardNoNewCols = 0x0400;

// The cell's text with its line breaks and TABs made safe for the format.
void AppendCellText(CString& strOut, const CString& strCell, BOOL bEscapes)
{
    LPCTSTR pszCell = strCell;
    const int nLength = strCell.GetLength();
    for (int i = 0; i < nLength; ++i)
    {
        // Plain characters go over in one run.
        int nEnd = i;
        while (nEnd < nLength && pszCell[nEnd] != _T('\t') && pszCell[nEnd] != _T('\r') && pszCell[nEnd] != _T('\n'))
            ++nEnd;
        if (nEnd > i)
        {
            strOut.Append(pszCell + i, nEnd - i);
            i = nEnd - 1;
            continue;
        }
        const TCHAR ch = pszCell[i];
        if (ch == _T('\t'))
            strOut += _T("\\t");
        else if (ch == _T('\r') && bEscapes)
            strOut += _T("\\r");
        else if (ch == _T('\n') && bEscapes)
            strOut += _T("\\n");
        else if (ch == _T('\r') || ch == _T('\n'))
        {
            // A CR LF pair is one break, and one blank.
            if (ch == _T('\r') && i + 1 < nLength && pszCell[i + 1] == _T('\n'))
                ++i;
            strOut += _T(' ');
        }
    }
}

// "\r", "\n" and "\t" back to CR, LF and TAB; any other backslash stays.
CString Unescape(const CString& strCell)
{
    CString strOut;
    const int nLength = strCell.GetLength();
    for (int i = 0; i < nLength; ++i)
    {
        const TCHAR ch = strCell[i];
        const TCHAR chNext = i + 1 < nLength ? strCell[i + 1] : 0;
        const TCHAR chPlain = chNext == _T('r') ? _T('\r') : chNext == _T('n') ? _T('\n') : chNext == _T('t') ? _T('\t') : 0;
        if (ch == _T('\\') && chPlain != 0)
        {
            strOut += chPlain;
            ++i;
        }
        else
            strOut += ch;
    }
    return strOut;
}

CString PasteSeparators(CGXGridCore* pGrid)
{
    return pGrid->m_strPasteSeparators.IsEmpty() ? CString(_T("\t")) : pGrid->m_strPasteSeparators;
}

// The units of the text up to its first zero unit, or all of them.
SIZE_T TextUnits(LPCTSTR pszText, SIZE_T nUnits)
{
    SIZE_T n = 0;
    while (n < nUnits && pszText[n] != 0)
        ++n;
    return n;
}

// The end of the line that starts at nPos: its CR or LF, or the end of the text.
SIZE_T LineEnd(LPCTSTR pszText, SIZE_T nPos, SIZE_T nUnits)
{
    while (nPos < nUnits && pszText[nPos] != _T('\r') && pszText[nPos] != _T('\n'))
        ++nPos;
    return nPos;
}

// The start of the line after the one that ends at nEnd: a CR LF pair is one break.
SIZE_T NextLine(LPCTSTR pszText, SIZE_T nEnd, SIZE_T nUnits)
{
    if (nEnd + 1 < nUnits && pszText[nEnd] == _T('\r') && pszText[nEnd + 1] == _T('\n'))
        ++nEnd;
    return nEnd + 1;
}

// The cells of the grid as it is that a paste of the text at the target's top-left cell covers,
// splitting the lines at the separators; an empty range when it covers none.
CGXRange CoveredCells(CGXGridCore* pGrid, LPCTSTR pszText, SIZE_T nUnits, const CGXRange& target,
                      const CString& strSeparators)
{
    ROWCOL nLines = 0;
    ROWCOL nWidest = 0;
    for (SIZE_T nPos = 0; nPos < nUnits; ++nLines)
    {
        const SIZE_T nEnd = LineEnd(pszText, nPos, nUnits);
        ROWCOL nCells = 1;
        for (SIZE_T i = nPos; i < nEnd; ++i)
            nCells += wcschr(strSeparators, pszText[i]) != nullptr;
        nWidest = std::max(nWidest, nCells);
        nPos = NextLine(pszText, nEnd, nUnits);
    }
    const ROWCOL nRows = pGrid->GetRowCount();
    const ROWCOL nCols = pGrid->GetColCount();
    if (nLines == 0 || target.top > nRows || target.left > nCols)
        return CGXRange();
    return CGXRange(target.top, target.left, target.top + std::min(nLines - 1, nRows - target.top),
                    target.left + std::min(nWidest - 1, nCols - target.left));
}
} // namespace

BOOL CGXGridTextDataExchangeImp::CopyText(CGXGridCore* pGrid, CFile& file, const CGXRangeList& list)
{
    const CGXCopySpans spans(pGrid, list);
    CGXLongOperationScope operation;
    GXSetLongOperationStatus(operation.Record(), pGrid->GetAppData()->m_sCopyingText);
    const BOOL bEscapes = (pGrid->m_nClipboardFlags & clipboardEscapes) != 0;
    const CString strSeparator = pGrid->m_strCopySeparator.IsEmpty() ? CString(_T("\t")) : pGrid->m_strCopySeparator;

    CString strOut;
    BOOL bWritten = FALSE;
    BOOL bAborted = FALSE;
    DWORD nRowsWritten = 0;
    DWORD nCellsInRow = 0;
    ULONGLONG nDone = 0;
    for (ROWCOL nRow : spans.Rows())
    {
        if (bAborted)
            break;
        if (nRowsWritten++ > 0)
            strOut += _T("\r\n");
        nCellsInRow = 0;
        for (ROWCOL nCol : spans.Cols())
        {
            if (nCellsInRow++ > 0)
                strOut += strSeparator;
            const CString strCell = GetCopyTextRowCol(pGrid, nRow, nCol);
            bWritten |= !strCell.IsEmpty();
            AppendCellText(strOut, strCell, bEscapes);
            bAborted = GXLongOpReportProgress(operation.Record(), ++nDone, spans.Cells());
            if (bAborted)
                break;
        }
    }
    if (nRowsWritten > 1 || nCellsInRow > 1)
        strOut += _T("\r\n");
    file.Write(static_cast<LPCTSTR>(strOut), static_cast<UINT>((strOut.GetLength() + 1) * sizeof(TCHAR)));
    pGrid->m_nCopiedRows = nRowsWritten;
    pGrid->m_nCopiedCols = nCellsInRow;
    return !bAborted && bWritten;
}

CString CGXGridTextDataExchangeImp::GetCopyTextRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol)
{
    const ComposedStyle style(pGrid, nRow, nCol);
    CGXControl* pControl = pGrid->GetRegisteredControl(style.m_pStyle->GetControl());
    if (pControl == nullptr)
        return style.m_pStyle->GetValue();
    CString strText;
    pControl->FormatDisplayText(strText, nRow, nCol, nullptr, *style.m_pStyle);
    return strText;
}

void CGXGridTextDataExchangeImp::SplitPasteLine(CGXGridCore* pGrid, const CString& strLine, CStringArray& fields)
{
    const CString strSeparators = PasteSeparators(pGrid);
    LPCTSTR pszStart = strLine;
    for (LPCTSTR psz = pszStart;; ++psz)
        if (*psz == 0 || wcschr(strSeparators, *psz) != nullptr)
        {
            fields.Add(CString(pszStart, static_cast<int>(psz - pszStart)));
            if (*psz == 0)
                return;
            pszStart = psz + 1;
        }
}

BOOL CGXGridTextDataExchangeImp::PasteText(CGXGridCore* pGrid, LPCTSTR pszText, SIZE_T nBytes, const CGXRange& target)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || pszText == nullptr)
        return FALSE;
    CGXLongOperationScope operation;
    GXLongOpSetRollback(TRUE);
    GXSetLongOperationStatus(operation.Record(), pGrid->GetAppData()->m_sPastingData);
    pGrid->StoreCurrentCell();
    pGrid->BeginUndoBlock(pGrid->GetAppData()->m_sPaste);

    const ROWCOL nOldRows = pGrid->GetRowCount();
    const ROWCOL nOldCols = pGrid->GetColCount();
    const WORD wFlags = pGrid->m_nClipboardFlags;
    const SIZE_T nUnits = TextUnits(pszText, nBytes / sizeof(TCHAR));
    ROWCOL nRow = target.top;
    ROWCOL nWidest = target.left;
    BOOL bRefused = FALSE;
    BOOL bAborted = FALSE;
    // The cells the paste covers are recorded for undo once, before any changes, and then stored
    // without a record each; the cells of the rows and columns it adds go when the growth is
    // undone. A cell that the split puts outside the recorded ones keeps a record of its own.
    const BOOL bUndo = pGrid->m_pCommandFactory != nullptr && pParam->m_bUndoEnabled;
    CGXRange covered;
    std::unique_ptr<CObArray, decltype(&GXDeleteUndoStyles)> coveredCells(nullptr, GXDeleteUndoStyles);
    BOOL bCoveredChanged = FALSE;
    const auto recordCoveredCells = [&] {
        if (coveredCells != nullptr && bCoveredChanged)
            pGrid->m_pCommandFactory->AddCommand(
                pGrid,
                pGrid->m_pCommandFactory->CreateSetStyleRangeCmd(covered, pGrid->m_nDefaultType,
                                                                 coveredCells.release(), gxDo),
                gxDo);
    };
    {
        const SECScopedValue<BOOL> lock(pParam->m_bLockUpdate, TRUE);
        // The paste's progress is the one the user sees, and its own the only abort question.
        const CGXLongOpFeedbackFreeze freeze;
        try
        {
            if (bUndo)
            {
                covered = CoveredCells(pGrid, pszText, nUnits, target, PasteSeparators(pGrid));
                if (covered.IsValid())
                    coveredCells.reset(pGrid->CopyStyleRange(covered, pGrid->m_nDefaultType, FALSE));
            }
            CStringArray fields;
            BOOL bStopped = FALSE;
            for (SIZE_T nPos = 0; nPos < nUnits && !bStopped; ++nRow)
            {
                const SIZE_T nEnd = LineEnd(pszText, nPos, nUnits);
                fields.RemoveAll();
                SplitPasteLine(pGrid, CString(pszText + nPos, static_cast<int>(nEnd - nPos)), fields);
                for (INT_PTR i = 0; i < fields.GetSize() && !bStopped; ++i)
                {
                    const ROWCOL nCol = target.left + static_cast<ROWCOL>(i);
                    if (nRow > pGrid->GetRowCount() &&
                        ((wFlags & clipboardNoNewRows) != 0 || !pGrid->SetRowCount(nRow, GX_UPDATENOW)))
                    {
                        bStopped = TRUE;
                        break;
                    }
                    if (nCol > pGrid->GetColCount() && (wFlags & clipboardNoNewCols) == 0)
                        pGrid->SetColCount(nCol, GX_UPDATENOW);
                    if (nCol <= pGrid->GetColCount())
                    {
                        const CString strCell = (wFlags & clipboardEscapes) != 0 ? Unescape(fields[i]) : fields[i];
                        const ComposedStyle style(pGrid, nRow, nCol);
                        const BOOL bCovered = coveredCells != nullptr && covered.IsCellInRange(nRow, nCol);
                        const BOOL bRecorded = bCovered || nRow > nOldRows || nCol > nOldCols;
                        const SECScopedValue<BOOL> noRecord(pParam->m_bUndoEnabled, bUndo && !bRecorded);
                        bRefused = !SetPasteTextRowCol(pGrid, nRow, nCol, strCell, GX_INVALIDATE, style.m_pStyle);
                        bCoveredChanged |= bCovered && !bRefused;
                        bStopped = bRefused;
                        nWidest = std::max(nWidest, nCol);
                    }
                    // A cell stored without a record of its own says that its store cannot be
                    // rolled back; the paste can.
                    GXLongOpSetRollback(TRUE);
                    if (GXLongOpReportProgress(operation.Record(), nPos + 1, nUnits))
                        AfxThrowUserException();
                }
                // A break that ends the text adds no row.
                nPos = NextLine(pszText, nEnd, nUnits);
            }
        }
        catch (CUserException* e)
        {
            e->Delete();
            bAborted = TRUE;
        }
        catch (CException*)
        {
            recordCoveredCells();
            pGrid->RollbackUndoBlock();
            throw;
        }
    }
    recordCoveredCells();
    if (bAborted)
        pGrid->RollbackUndoBlock();
    else
        pGrid->EndUndoBlock();

    const ROWCOL nLastRow = std::min(nRow - 1, pGrid->GetRowCount());
    if (nLastRow >= target.top)
    {
        pGrid->RedrawRange(CGXRange(target.top, target.left, nLastRow, nWidest), GX_UPDATENOW, TRUE);
        if (pGrid->GetRowCount() > nOldRows && target.left > 1)
            pGrid->RedrawRange(CGXRange(nOldRows + 1, 1, nLastRow, target.left - 1), GX_UPDATENOW, TRUE);
        if (pGrid->GetColCount() > nOldCols && target.top > 1)
            pGrid->RedrawRange(CGXRange(1, nOldCols + 1, target.top - 1, nWidest), GX_UPDATENOW, TRUE);
    }
    pGrid->UpdateScrollbars(FALSE, FALSE);
    return !bAborted && !bRefused;
}

BOOL CGXGridTextDataExchangeImp::SetPasteTextRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol,
                                                    const CString& strText, UINT nMode, const CGXStyle* pStyle)
{
    return pGrid->SetControlTextRowCol(nRow, nCol, strText, nMode, pStyle);
}

void CGXGridTextDataExchangeImp::CalcTextDimension(CGXGridCore* pGrid, LPCTSTR pszText, SIZE_T nLength, ROWCOL& nRows,
                                                   ROWCOL& nCols)
{
    const CString strSeparators = PasteSeparators(pGrid);
    ROWCOL nCells = 0;
    ROWCOL nWidest = 0;
    SIZE_T nCellStart = 0;
    nRows = 0;
    for (SIZE_T i = 0; i < nLength; ++i)
    {
        const TCHAR ch = pszText[i];
        if (ch == 0)
        {
            nCells += i > nCellStart;
            break;
        }
        if (ch == _T('\r') || ch == _T('\n'))
        {
            ++nRows;
            nCells = 0;
            if (ch == _T('\r') && i + 1 < nLength && pszText[i + 1] == _T('\n'))
                ++i;
            if (i + 1 < nLength && pszText[i + 1] == 0)
            {
                nCols = std::max<ROWCOL>(std::max(nWidest, nCells + 1), 1);
                return;
            }
        }
        else if (strSeparators.Find(ch) >= 0)
            ++nCells;
        else
            continue;
        nCellStart = i + 1;
        nWidest = std::max(nWidest, nCells + 1);
    }
    if (nCells > 0)
        ++nRows;
    nCols = std::max<ROWCOL>(nWidest, 1);
}
