// Walks a typed pointer map in its order, which is the order of insertion: threads start and
// records follow in the order in which the landscape lists its objects.
#pragma once

#include <afxcoll.h>
#include <afxtempl.h>

template <class Base, class Value, class F> void ForEachValue(const CTypedPtrMap<Base, CString, Value>& map, F f)
{
    CString strKey;
    Value value = nullptr;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
    {
        map.GetNextAssoc(pos, strKey, value);
        f(value);
    }
}
