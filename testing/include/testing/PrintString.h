// Failed comparisons of texts show the texts, in UTF-8.
#pragma once

#include <afx.h>

#include <ostream>

inline void PrintTo(const CString& text, std::ostream* os)
{
    *os << '"' << static_cast<LPCSTR>(CW2A(text, CP_UTF8)) << '"';
}
