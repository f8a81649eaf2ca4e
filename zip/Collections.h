// The zip library's collections are the framework's.
#pragma once

#include <afxcoll.h>

template <class TYPE> using CZipArray = CArray<TYPE, const TYPE&>;
using CZipPtrList = CPtrList;
