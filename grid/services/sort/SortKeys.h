// The sort's key values and their comparisons, the date reading that the formula engine shares,
// and two long-operation helpers of the sort.
#pragma once

#include <afx.h>
#include <afxcoll.h>

struct GXLongOperationRecord;

// A key converted for comparing: a number (kind 0) or not a value (kind 1).
struct GXSortKeyValue
{
    double value = 0.0;
    int nKind = 0;
};

// The text as a date (days since the base date) through VarDateFromStr; a null text reads as
// empty. Fails with kind 1 and the value 0.0 when the text is no date, -1.0 otherwise (an
// overflow).
BOOL GXParseNumber(LPCTSTR pszText, DWORD dwFlags, LCID lcid, GXSortKeyValue& key);
// Whether two key values are equal: kinds must match; two non-values only when their kind is 2.
BOOL CompareSortKeys(const GXSortKeyValue& a, const GXSortKeyValue& b);
// Whether both are numbers and a is greater than b after GXRoundDouble.
BOOL CompareSortKeysNumeric(const GXSortKeyValue& a, const GXSortKeyValue& b);
// x when x >= 0, else c - (x - c) with c the ceiling of x: a date before the base date as days
// and the fraction of the day, so that earlier times of that day order first.
double GXRoundDouble(double x);
double GXFabs(double x);
// The first character of the text outside the set; null when there is none or no text.
LPCTSTR GXSpanCharsEnd(LPCTSTR pszText, LPCTSTR pszSet);
// The order that puts rows (columns) moved into the order back: inverse[order[i]] = i.
void GXInverseSortOrder(const CDWordArray& order, CDWordArray& inverse);
// The long operation's status from the string resource.
void GXSetLongOpStatusText(GXLongOperationRecord* pRecord, UINT nId);
// Whether the calling thread's long operations may be aborted.
void GXSetLongOpAbortable(BOOL bAbortable);
