// The lines of a choice list, walked in one pass over the text.
#pragma once

#include <afxwin.h>

// Calls the function with each line of a choice list (a carriage return before the line feed
// is no part of the line); each line is copied once, whatever the list's length.
template <class Function> void GXForEachChoiceLine(const CString& strList, Function function)
{
    const int nLength = strList.GetLength();
    for (int nStart = 0; nStart < nLength;)
    {
        int nEnd = strList.Find(_T('\n'), nStart);
        if (nEnd < 0)
            nEnd = nLength;
        const int nLineEnd = nEnd > nStart && strList[nEnd - 1] == _T('\r') ? nEnd - 1 : nEnd;
        function(strList.Mid(nStart, nLineEnd - nStart));
        nStart = nEnd + 1;
    }
}
