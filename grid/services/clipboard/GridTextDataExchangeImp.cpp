// Copying cells as text and pasting text into cells.
#include <grid/services/clipboard/GridTextDataExchangeImp.h>

#include <grid/controls/ComposedStyle.h>
#include <grid/controls/Control.h>
#include <grid/core/AbstractGridImps.h>
#include <grid/core/AppData.h>
#include <grid/core/Command.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/services/clipboard/CopySpans.h>
#include <grid/services/clipboard/GridStyleDataExchangeImp.h>
#include <toolkit/foundation/ScopedValue.h>

#include <algorithm>
#include <limits>
#include <memory>

using tarnwick::foundation::SECScopedValue;

namespace
{

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

LPCTSTR PasteSeparators(const CGXGridCore* pGrid)
{
    return pGrid->m_strPasteSeparators.IsEmpty() ? _T("\t") : static_cast<LPCTSTR>(pGrid->m_strPasteSeparators);
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

// The end of the piece of a line that starts at nPos and holds at most nFields fields: the
// separator after its last field, or the line's end.
SIZE_T PieceEnd(LPCTSTR pszText, SIZE_T nPos, SIZE_T nEnd, LPCTSTR pszSeparators, SIZE_T nFields)
{
    for (; nPos < nEnd; ++nPos)
        if (wcschr(pszSeparators, pszText[nPos]) != nullptr && --nFields == 0)
            break;
    return nPos;
}

// The lines of a text and the cells of its widest line, split at the separators.
struct TextExtent
{
    ROWCOL nLines = 0;
    ROWCOL nWidest = 0;
};

TextExtent ExtentOf(LPCTSTR pszText, SIZE_T nUnits, LPCTSTR pszSeparators)
{
    TextExtent extent;
    for (SIZE_T nPos = 0; nPos < nUnits; ++extent.nLines)
    {
        const SIZE_T nEnd = LineEnd(pszText, nPos, nUnits);
        ROWCOL nCells = 1;
        for (SIZE_T i = nPos; i < nEnd; ++i)
            nCells += wcschr(pszSeparators, pszText[i]) != nullptr;
        extent.nWidest = std::max(extent.nWidest, nCells);
        nPos = NextLine(pszText, nEnd, nUnits);
    }
    return extent;
}

// The undo record of the cells that a paste covers in the grid as it was before: taken once
// before the first change, so that the cells are stored without a record each, and put on the
// undo list when one of them changed. The cells of rows and columns that the paste adds go when
// the growth is undone.
class CCoveredCellsRecord
{
public:
    CCoveredCellsRecord(CGXGridCore* pGrid, CGXAbstractCommandFactory* pFactory, int nType, const CGXRange& target,
                        const TextExtent& extent)
        : m_pGrid(pGrid), m_pFactory(pFactory), m_nType(nType)
    {
        const ROWCOL nRows = pGrid->GetRowCount();
        const ROWCOL nCols = pGrid->GetColCount();
        if (extent.nLines == 0 || target.top > nRows || target.left > nCols)
            return;
        m_range = CGXRange(target.top, target.left, target.top + std::min(extent.nLines - 1, nRows - target.top),
                           target.left + std::min(extent.nWidest - 1, nCols - target.left));
        m_cells.reset(pGrid->CopyStyleRange(m_range, nType, FALSE));
    }
    BOOL Covers(ROWCOL nRow, ROWCOL nCol) const
    {
        return m_cells != nullptr && m_range.IsCellInRange(nRow, nCol);
    }
    void SetChanged()
    {
        m_bChanged = TRUE;
    }
    // Before the paste's undo block closes or rolls back.
    void AddToUndo()
    {
        if (m_cells == nullptr || !m_bChanged)
            return;
        m_pFactory->AddCommand(m_pGrid, m_pFactory->CreateSetStyleRangeCmd(m_range, m_nType, m_cells.release(), gxDo),
                               gxDo);
    }

private:
    CGXGridCore* m_pGrid;
    CGXAbstractCommandFactory* m_pFactory;
    int m_nType;
    CGXRange m_range;
    std::unique_ptr<CObArray, decltype(&GXDeleteUndoStyles)> m_cells{nullptr, GXDeleteUndoStyles};
    BOOL m_bChanged = FALSE;
};
} // namespace

BOOL CGXGridTextDataExchangeImp::CopyText(CGXGridCore* pGrid, CFile& file, const CGXRangeList& list)
{
    const CGXCopySpans spans(pGrid, list);
    CGXLongOperationScope operation;
    GXSetLongOperationStatus(operation.Record(), pGrid->GetAppData()->m_sCopyingText);
    const BOOL bEscapes = (pGrid->m_nClipboardFlags & GX_CLIPESCAPES) != 0;
    const CString strSeparator = pGrid->m_strCopySeparator.IsEmpty() ? CString(_T("\t")) : pGrid->m_strCopySeparator;

    // The text goes to the file in pieces, so that a copy of many cells neither holds it twice
    // nor moves it again and again as it grows.
    constexpr int nPieceLength = 16 * 1024;
    CString strOut;
    strOut.Preallocate(nPieceLength);
    const auto writeOut = [&](int nUnits) {
        file.Write(static_cast<LPCTSTR>(strOut), static_cast<UINT>(nUnits * sizeof(TCHAR)));
        strOut.Truncate(0);
    };
    BOOL bWritten = FALSE;
    BOOL bAborted = FALSE;
    DWORD nRowsWritten = 0;
    DWORD nCellsInRow = 0;
    ULONGLONG nDone = 0;
    for (ROWCOL nRow : spans.Rows())
    {
        if (bAborted)
            break;
        if (strOut.GetLength() >= nPieceLength)
            writeOut(strOut.GetLength());
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
    writeOut(strOut.GetLength() + 1); // with the zero unit
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
    // The strings already in the array take the cells: a paste splits line after line into one
    // array, and their buffers mostly fit.
    const LPCTSTR pszSeparators = PasteSeparators(pGrid);
    INT_PTR nFields = 0;
    LPCTSTR pszStart = strLine;
    for (LPCTSTR psz = pszStart;; ++psz)
        if (*psz == 0 || wcschr(pszSeparators, *psz) != nullptr)
        {
            const int nLength = static_cast<int>(psz - pszStart);
            if (nFields < fields.GetSize())
                fields[nFields].SetString(pszStart, nLength);
            else
                fields.Add(CString(pszStart, nLength));
            ++nFields;
            if (*psz == 0)
                break;
            pszStart = psz + 1;
        }
    fields.SetSize(nFields);
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
    const BOOL bUndo = pGrid->m_pCommandFactory != nullptr && pParam->m_bUndoEnabled;
    ROWCOL nRow = target.top;
    ROWCOL nWidest = target.left;
    BOOL bRefused = FALSE;
    BOOL bAborted = FALSE;
    std::unique_ptr<CCoveredCellsRecord> covered;
    {
        const SECScopedValue<BOOL> lock(pParam->m_bLockUpdate, TRUE);
        // The paste's progress is the one the user sees, and its own the only abort question.
        const CGXLongOpFeedbackFreeze freeze;
        try
        {
            const TextExtent extent = ExtentOf(pszText, nUnits, PasteSeparators(pGrid));
            // Text beyond the limits of a styles copy may grow the grid far: the user says.
            if (!GXIsCopyableSize(extent.nLines, extent.nWidest) &&
                AfxMessageBox(GXLoadResourceString(GX_IDS_RANGE_TOO_BIG), MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
                AfxThrowUserException();
            if (bUndo)
                covered = std::make_unique<CCoveredCellsRecord>(pGrid, pGrid->m_pCommandFactory, pGrid->m_nDefaultType,
                                                                target, extent);
            // The rows and columns the text needs come in one step each; should the grid refuse
            // them, the loop adds them cell by cell and stops where it must.
            const ULONGLONG nNeededRows = ULONGLONG(target.top) + extent.nLines - 1;
            if ((wFlags & GX_CLIPNONEWROWS) == 0 && extent.nLines > 0 && nNeededRows > nOldRows &&
                nNeededRows <= std::numeric_limits<ROWCOL>::max())
                pGrid->SetRowCount(static_cast<ROWCOL>(nNeededRows), GX_UPDATENOW);
            const ULONGLONG nNeededCols = ULONGLONG(target.left) + extent.nWidest - 1;
            if ((wFlags & GX_CLIPNONEWCOLS) == 0 && extent.nWidest > 0 && nNeededCols > nOldCols &&
                nNeededCols <= std::numeric_limits<ROWCOL>::max())
                pGrid->SetColCount(static_cast<ROWCOL>(nNeededCols), GX_UPDATENOW);

            BOOL bStopped = FALSE;
            // Stores one field of the line at nPos; FALSE ends the paste.
            const auto storeField = [&](ROWCOL nCol, CString& strField, SIZE_T nPos) -> BOOL {
                if (nRow > pGrid->GetRowCount() &&
                    ((wFlags & GX_CLIPNONEWROWS) != 0 || !pGrid->SetRowCount(nRow, GX_UPDATENOW)))
                    return FALSE;
                if (nCol > pGrid->GetColCount() && (wFlags & GX_CLIPNONEWCOLS) == 0)
                    pGrid->SetColCount(nCol, GX_UPDATENOW);
                if (nCol <= pGrid->GetColCount())
                {
                    if ((wFlags & GX_CLIPESCAPES) != 0)
                        strField = Unescape(strField);
                    const ComposedStyle style(pGrid, nRow, nCol);
                    // A cell that the split puts outside the recorded ones keeps a record of its own.
                    const BOOL bCovered = covered != nullptr && covered->Covers(nRow, nCol);
                    const BOOL bRecorded = bCovered || nRow > nOldRows || nCol > nOldCols;
                    const SECScopedValue<BOOL> noRecord(pParam->m_bUndoEnabled, bUndo && !bRecorded);
                    bRefused = !SetPasteTextRowCol(pGrid, nRow, nCol, strField, GX_INVALIDATE, style.m_pStyle);
                    if (bCovered && !bRefused)
                        covered->SetChanged();
                    nWidest = std::max(nWidest, nCol);
                }
                // A cell stored without a record of its own says that its store cannot be rolled
                // back; the paste can.
                GXLongOpSetRollback(TRUE);
                if (GXLongOpReportProgress(operation.Record(), nPos + 1, nUnits))
                    AfxThrowUserException();
                return !bRefused;
            };

            // A long line is split a piece of some hundred fields at a time, so that it holds no
            // more strings at once than a short line, and their buffers serve piece after piece.
            constexpr SIZE_T nPieceFields = 256;
            const LPCTSTR pszSeparators = PasteSeparators(pGrid);
            CString strPiece;
            CStringArray fields;
            for (SIZE_T nPos = 0; nPos < nUnits && !bStopped; ++nRow)
            {
                const SIZE_T nEnd = LineEnd(pszText, nPos, nUnits);
                ROWCOL nCol = target.left;
                for (SIZE_T nPiece = nPos; !bStopped;)
                {
                    const SIZE_T nPieceEnd = PieceEnd(pszText, nPiece, nEnd, pszSeparators, nPieceFields);
                    strPiece.SetString(pszText + nPiece, static_cast<int>(nPieceEnd - nPiece));
                    SplitPasteLine(pGrid, strPiece, fields);
                    for (INT_PTR i = 0; i < fields.GetSize() && !bStopped; ++i)
                        bStopped = !storeField(nCol++, fields[i], nPos);
                    if (nPieceEnd == nEnd)
                        break;
                    nPiece = nPieceEnd + 1;
                }
                // A break that ends the text adds no row.
                nPos = NextLine(pszText, nEnd, nUnits);
            }
            // A refused cell ends the paste in its row: the rows added for the lines after it go.
            if (bRefused && pGrid->GetRowCount() > std::max(nOldRows, nRow - 1))
                pGrid->SetRowCount(std::max(nOldRows, nRow - 1), GX_UPDATENOW);
        }
        catch (CUserException* e)
        {
            e->Delete();
            bAborted = TRUE;
        }
        catch (CException*)
        {
            if (covered != nullptr)
                covered->AddToUndo();
            pGrid->RollbackUndoBlock();
            throw;
        }
    }
    if (covered != nullptr)
        covered->AddToUndo();
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
    const LPCTSTR pszSeparators = PasteSeparators(pGrid);
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
        else if (wcschr(pszSeparators, ch) != nullptr)
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
