// Key values of the sort: dates read through the automation conversion, their comparisons and
// the rounding that orders dates before the base date.
#include <grid/services/sort/SortKeys.h>

#include <grid/core/LongOperationImp.h>
#include <grid/core/WaitState.h>

#include <oleauto.h>

#include <cmath>
#include <cwchar>

BOOL GXParseNumber(LPCTSTR pszText, DWORD dwFlags, LCID lcid, GXSortKeyValue& key)
{
    DATE date = 0.0;
    const HRESULT hr = ::VarDateFromStr(const_cast<LPOLESTR>(pszText != nullptr ? pszText : L""), lcid, dwFlags, &date);
    if (SUCCEEDED(hr))
    {
        key.value = date;
        key.nKind = 0;
        return TRUE;
    }
    key.value = hr == DISP_E_TYPEMISMATCH ? 0.0 : -1.0;
    key.nKind = 1;
    return FALSE;
}

BOOL CompareSortKeys(const GXSortKeyValue& a, const GXSortKeyValue& b)
{
    if (a.nKind != b.nKind)
        return FALSE;
    if (a.nKind != 0)
        return a.nKind == 2;
    return a.value == b.value;
}

BOOL CompareSortKeysNumeric(const GXSortKeyValue& a, const GXSortKeyValue& b)
{
    return a.nKind == 0 && b.nKind == 0 && GXRoundDouble(a.value) > GXRoundDouble(b.value);
}

double GXRoundDouble(double x)
{
    if (x >= 0)
        return x;
    const double c = std::ceil(x);
    return c - (x - c);
}

double GXFabs(double x)
{
    return x >= 0 ? x : -x;
}

LPCTSTR GXSpanCharsEnd(LPCTSTR pszText, LPCTSTR pszSet)
{
    if (pszText == nullptr)
        return nullptr;
    LPCTSTR pszEnd = pszText + std::wcsspn(pszText, pszSet);
    return *pszEnd != 0 ? pszEnd : nullptr;
}

void GXInverseSortOrder(const CDWordArray& order, CDWordArray& inverse)
{
    inverse.SetSize(order.GetSize());
    for (INT_PTR i = 0; i < order.GetSize(); ++i)
        inverse[order[i]] = static_cast<DWORD>(i);
}

void GXSetLongOpStatusText(GXLongOperationRecord* pRecord, UINT nId)
{
    GXSetLongOperationStatus(pRecord, nId);
}

void GXSetLongOpAbortable(BOOL bAbortable)
{
    GXGetWaitState()->m_bAbortAllowed = bAbortable;
}
