#include <grid/core/GridHideCellsImp.h>

#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{
constexpr ULONGLONG nMaxByteIndex = 0x7FFFFFFF;

CByteArray& HiddenBits(CGXGridParam* pParam, BOOL bRows)
{
    return bRows ? pParam->m_hiddenRows : pParam->m_hiddenCols;
}

// Of byte j, the bits whose index lies below n.
BYTE BitsBelow(ULONGLONG j, ULONGLONG n)
{
    if (n >= (j + 1) * 8)
        return 0xFF;
    if (n <= j * 8)
        return 0;
    return static_cast<BYTE>((1u << (n - j * 8)) - 1);
}

// Byte j of the bit set moved by nShift bits towards higher (bUp) or lower indexes.
BYTE ShiftedByte(const std::vector<BYTE>& old, ULONGLONG j, ULONGLONG nShift, BOOL bUp)
{
    auto get = [&old](LONGLONG i) -> unsigned { return i >= 0 && i < static_cast<LONGLONG>(old.size()) ? old[i] : 0; };
    const auto q = static_cast<LONGLONG>(nShift >> 3);
    const unsigned r = nShift & 7;
    const auto jj = static_cast<LONGLONG>(j);
    if (bUp)
        return static_cast<BYTE>(r == 0 ? get(jj - q) : (get(jj - q) << r) | (get(jj - q - 1) >> (8 - r)));
    return static_cast<BYTE>(r == 0 ? get(jj + q) : (get(jj + q) >> r) | (get(jj + q + 1) << (8 - r)));
}

void CutClearTail(CByteArray& bits)
{
    INT_PTR n = bits.GetSize();
    while (n > 0 && bits[n - 1] == 0)
        --n;
    bits.SetSize(n);
}

} // namespace

BOOL CGXGridHideCellsImp::IsBitSet(const CByteArray& bits, ROWCOL n)
{
    const ULONGLONG nByte = n >> 3;
    return nByte < nMaxByteIndex && nByte < static_cast<ULONGLONG>(bits.GetSize()) &&
           (bits[static_cast<INT_PTR>(nByte)] & (1u << (n & 7))) != 0;
}

void CGXGridHideCellsImp::SetBit(CByteArray& bits, ROWCOL n, BOOL bSet)
{
    const auto nByte = static_cast<INT_PTR>(n >> 3);
    if (nByte >= bits.GetSize())
    {
        // Past the end reads clear already; from the largest byte index on bits read clear.
        if (!bSet || static_cast<ULONGLONG>(nByte) >= nMaxByteIndex)
            return;
        const INT_PTR nOld = bits.GetSize();
        bits.SetSize(nByte + 1);
        std::fill(bits.GetData() + nOld, bits.GetData() + nByte + 1, BYTE(0));
    }
    const auto mask = static_cast<BYTE>(1u << (n & 7));
    bits[nByte] = static_cast<BYTE>(bSet ? bits[nByte] | mask : bits[nByte] & ~mask);
}

// Byte-wise: each byte is rebuilt from its neighbours shifted by the count; the byte that
// holds the first moved bit keeps its low part.
void CGXGridHideCellsImp::InsertBits(CByteArray& bits, ROWCOL nFrom, ROWCOL nCount)
{
    const auto nOldBytes = static_cast<ULONGLONG>(bits.GetSize());
    if (nCount == 0 || nFrom >= nOldBytes * 8)
        return;
    const std::vector<BYTE> old(bits.GetData(), bits.GetData() + nOldBytes);
    const ULONGLONG nNewBytes = nOldBytes + (nCount - 1) / 8 + 1;
    bits.SetSize(static_cast<INT_PTR>(nNewBytes));
    const ULONGLONG nGapEnd = static_cast<ULONGLONG>(nFrom) + nCount;
    for (ULONGLONG j = nFrom >> 3; j < nNewBytes; ++j)
    {
        const BYTE low = j < nOldBytes ? static_cast<BYTE>(old[j] & BitsBelow(j, nFrom)) : 0;
        const BYTE high = static_cast<BYTE>(ShiftedByte(old, j, nCount, TRUE) & ~BitsBelow(j, nGapEnd));
        bits[static_cast<INT_PTR>(j)] = static_cast<BYTE>(low | high);
    }
}

void CGXGridHideCellsImp::RemoveBits(CByteArray& bits, ROWCOL nFrom, ROWCOL nTo)
{
    const auto nBytes = static_cast<ULONGLONG>(bits.GetSize());
    if (nFrom > nTo || nFrom >= nBytes * 8)
        return;
    const std::vector<BYTE> old(bits.GetData(), bits.GetData() + nBytes);
    const ULONGLONG nCount = static_cast<ULONGLONG>(nTo) - nFrom + 1;
    for (ULONGLONG j = nFrom >> 3; j < nBytes; ++j)
    {
        const BYTE keep = BitsBelow(j, nFrom);
        bits[static_cast<INT_PTR>(j)] =
            static_cast<BYTE>((old[j] & keep) | (ShiftedByte(old, j, nCount, FALSE) & ~keep));
    }
    CutClearTail(bits);
}

void CGXGridHideCellsImp::MoveBits(CByteArray& bits, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest)
{
    if (nDest == nFrom || nFrom > nTo)
        return;
    const ROWCOL nCount = nTo - nFrom + 1;
    std::vector<BOOL> block(nCount);
    for (ROWCOL i = 0; i < nCount; ++i)
        block[i] = IsBitSet(bits, nFrom + i);
    // Room at the target first (bits past the array read clear already); the old block then
    // lies nCount further on when it came before the target.
    const ROWCOL nGap = nDest > nFrom ? nDest + nCount : nDest;
    const ROWCOL nOldFrom = nDest > nFrom ? nFrom : nFrom + nCount;
    InsertBits(bits, nGap, nCount);
    for (ROWCOL i = 0; i < nCount; ++i)
        SetBit(bits, nGap + i, block[i]);
    RemoveBits(bits, nOldFrom, nOldFrom + nCount - 1);
}

void CGXGridHideCellsImp::RemoveHiddenRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo)
{
    RemoveBits(HiddenBits(pGrid->GetParam(), TRUE), nFrom, nTo);
}

void CGXGridHideCellsImp::RemoveHiddenCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo)
{
    RemoveBits(HiddenBits(pGrid->GetParam(), FALSE), nFrom, nTo);
}

void CGXGridHideCellsImp::InsertHiddenRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nCount)
{
    InsertBits(HiddenBits(pGrid->GetParam(), TRUE), nFrom, nCount);
}

void CGXGridHideCellsImp::InsertHiddenCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nCount)
{
    InsertBits(HiddenBits(pGrid->GetParam(), FALSE), nFrom, nCount);
}

void CGXGridHideCellsImp::MoveHiddenRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest)
{
    MoveBits(HiddenBits(pGrid->GetParam(), TRUE), nFrom, nTo, nDest);
}

void CGXGridHideCellsImp::MoveHiddenCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, ROWCOL nDest)
{
    MoveBits(HiddenBits(pGrid->GetParam(), FALSE), nFrom, nTo, nDest);
}

BOOL CGXGridHideCellsImp::HideRows(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, BOOL bHide, CByteArray* pStates,
                                   UINT flags, int nCommandKind)
{
    return Hide(pGrid, TRUE, nFrom, nTo, bHide, pStates, flags, nCommandKind);
}

BOOL CGXGridHideCellsImp::HideCols(CGXGridCore* pGrid, ROWCOL nFrom, ROWCOL nTo, BOOL bHide, CByteArray* pStates,
                                   UINT flags, int nCommandKind)
{
    return Hide(pGrid, FALSE, nFrom, nTo, bHide, pStates, flags, nCommandKind);
}

BOOL CGXGridHideCellsImp::IsRowHidden(CGXGridCore* pGrid, ROWCOL nRow)
{
    return IsHidden(pGrid, TRUE, nRow);
}

BOOL CGXGridHideCellsImp::IsColHidden(CGXGridCore* pGrid, ROWCOL nCol)
{
    return IsHidden(pGrid, FALSE, nCol);
}

BOOL CGXGridHideCellsImp::StoreHideRow(CGXGridCore* pGrid, ROWCOL nRow, BOOL bHide)
{
    SetBit(HiddenBits(pGrid->GetParam(), TRUE), nRow, bHide);
    return TRUE;
}

BOOL CGXGridHideCellsImp::StoreHideCol(CGXGridCore* pGrid, ROWCOL nCol, BOOL bHide)
{
    SetBit(HiddenBits(pGrid->GetParam(), FALSE), nCol, bHide);
    return TRUE;
}

BOOL CGXGridHideCellsImp::IsHidden(CGXGridCore* pGrid, BOOL bRows, ROWCOL n)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    // A splitter pane that does not show headers hides them.
    if (!pGrid->m_bShowHeadersInPane && n <= (bRows ? pGrid->GetHeaderRows() : pGrid->GetHeaderCols()) &&
        !pGrid->IsPrinting() && pGrid->GetSplitterParent() != nullptr)
        return TRUE;
    // The printout leaves out the headers that the properties do not print.
    if (pGrid->IsPrinting() && n == 0)
    {
        const CGXProperties* pProperties = pGrid->GetProperties();
        if (pProperties != nullptr && !(bRows ? pProperties->m_bPrintColHeaders : pProperties->m_bPrintRowHeaders))
            return TRUE;
    }
    return IsBitSet(HiddenBits(pParam, bRows), n);
}

BOOL CGXGridHideCellsImp::Hide(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, BOOL bHide,
                               const CByteArray* pStates, UINT flags, int nCommandKind)
{
    if (nTo == 0)
        nTo = nFrom;
    const ROWCOL nCount = bRows ? pGrid->GetRowCount() : pGrid->GetColCount();
    if (pGrid->GetParam() == nullptr || nFrom > nCount || nFrom > nTo)
        return FALSE;
    nTo = std::min(nTo, nCount);
    // The bits grow once to the last row rather than byte by byte.
    CByteArray& bits = HiddenBits(pGrid->GetParam(), bRows);
    const auto nLastByte = static_cast<INT_PTR>(nTo >> 3);
    if ((bHide || pStates != nullptr) && nLastByte >= bits.GetSize())
    {
        const INT_PTR nOld = bits.GetSize();
        bits.SetSize(nLastByte + 1);
        std::fill(bits.GetData() + nOld, bits.GetData() + nLastByte + 1, BYTE(0));
    }
    auto pOld = std::make_unique<CByteArray>();
    pOld->SetSize(static_cast<INT_PTR>(nTo - nFrom) + 1);
    BOOL bChanged = FALSE;
    for (ULONGLONG n = nFrom; n <= nTo; ++n)
    {
        const auto i = static_cast<INT_PTR>(n - nFrom);
        const auto nIndex = static_cast<ROWCOL>(n);
        const BOOL bWas = IsHidden(pGrid, bRows, nIndex);
        const BOOL bNow = pStates != nullptr && i < pStates->GetSize() ? (*pStates)[i] != 0 : bHide;
        pOld->SetAt(i, static_cast<BYTE>(bWas));
        bRows ? StoreHideRow(pGrid, nIndex, bNow) : StoreHideCol(pGrid, nIndex, bNow);
        bChanged |= (bWas != 0) != (bNow != 0);
    }
    if (!bChanged)
        return FALSE;
    const CGXRange range = bRows ? CGXRange().SetRows(nFrom, nTo) : CGXRange().SetCols(nFrom, nTo);
    pGrid->DelayMergeCells(range);
    pGrid->DelayFloatCells(range);
    bRows ? pGrid->UpdateHideRows(nFrom, nTo, pOld->GetData(), flags, TRUE)
          : pGrid->UpdateHideCols(nFrom, nTo, pOld->GetData(), flags, TRUE);
    if (pGrid->IsUndoRecorded(nCommandKind))
    {
        CGXAbstractCommandFactory* pFactory = pGrid->m_pCommandFactory;
        pFactory->AddCommand(pGrid, pFactory->CreateHideCmd(bRows, nFrom, nTo, pOld.release()), nCommandKind);
        if (nCommandKind == 2 || nCommandKind == 3)
            pFactory->ShowCommandCell(pGrid, bRows ? nFrom : pGrid->GetTopRow(), bRows ? pGrid->GetLeftCol() : nFrom,
                                      FALSE);
    }
    return TRUE;
}
