// Text forms and structure of the engine: column letters, reference texts and their parser,
// formula text made back from an expression, escape coding, range names, and the operations
// that insert, remove, move and copy cells while keeping every formula's references.
#pragma once

#include <grid/formula/EngineStore.h>

struct GXEngineExpr;

struct GXEngineName
{
    GXEngineName* pNext;
    LPWSTR pszName; // at most 32 characters
    GXEngineRange range;
};

enum : int
{
    GX_ENGINE_MAX_NAME = 32
};

// The letters of an engine column (0 is "A"), or null above 4095. The text lies in a buffer of
// the engine state, valid until the next call.
LPCWSTR GXEngineColumnName(LONG nCol);
// Reads the column letters at the start of the text, any case; -1 when it does not start with
// a letter or the column would reach 4096. The letters read come back in pnUsed.
int GXEngineColumnNumber(LPCWSTR pszText, int* pnUsed = nullptr);

// "A1", "$A$1", "A1..B2"...; null when a row or column is out of bounds. The text lies in a
// buffer of the engine state, valid until the next call.
LPCWSTR GXEngineCellRefText(const GXEngineRange& range);
BOOL GXEngineParseCellRef(LPCWSTR pszText, GXEngineRange& range);
void GXEngineNormalizeRange(GXEngineRange& range);
BOOL GXEngineRangesIntersect(const GXEngineRange& a, const GXEngineRange& b);
BOOL GXEngineRangesEqual(const GXEngineRange& a, const GXEngineRange& b);

// "=" and the expression; empty for an expression without a root.
CString GXEngineExpressionText(GXEngineSheet* pSheet, const GXEngineExpr* pExpr);

CString GXEngineEncodeEscapes(LPCWSTR pszText, BOOL bQuotes);
CString GXEngineDecodeEscapes(LPCWSTR pszText);

// Range names, compared without regard to case.
BOOL GXEngineIsValidName(LPCWSTR pszName);
BOOL GXEngineSetName(int nSheet, LPCWSTR pszName, const GXEngineRange& range);
GXEngineName* GXEngineLookupName(GXEngineSheet* pSheet, LPCWSTR pszName);
GXEngineName* GXEngineLookupName(int nSheet, LPCWSTR pszName, GXEngineRange* pRange);
// Formulas that use the name get its range instead. While undo is being collected the old
// formulas go on the undo list and the entry is kept as the removed name.
BOOL GXEngineRemoveName(int nSheet, LPCWSTR pszName);
// Links a removed entry back in, replacing one of the same name.
void GXEngineRestoreName(int nSheet, GXEngineName* pName);
void GXEngineFreeName(GXEngineName* pName);
void GXEngineFreeNames(int nSheet);

// Structure operations in engine coordinates.
void GXEngineInsertRows(int nSheet, LONG nRow, LONG nCount);
void GXEngineInsertCols(int nSheet, LONG nCol, LONG nCount);
void GXEngineRemoveRows(int nSheet, LONG nRow, LONG nCount);
void GXEngineRemoveCols(int nSheet, LONG nCol, LONG nCount);
// Moves the rows (columns) nFrom..nTo so that the first lands at nDest.
void GXEngineMoveRange(int nSheet, BOOL bRows, LONG nFrom, LONG nTo, LONG nDest);
// Moves a block of cells so that its top left lands at the destination.
void GXEngineRangeOperation(int nSheet, const GXEngineRange& range, LONG nDestRow, LONG nDestCol);
// Copies a block of cells; relative references follow the copy.
void GXEngineCopyRangeEx(int nSheet, const GXEngineRange& range, LONG nDestRow, LONG nDestCol);
// Reorders the rows (columns) of a range: entry i of the order is the old position, relative
// to the range's first row (column), of the row that ends at position i.
void GXEngineReorder(int nSheet, BOOL bRows, const GXEngineRange& range, const CDWordArray& order);
