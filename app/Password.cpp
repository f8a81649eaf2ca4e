#include <app/Password.h>

IMPLEMENT_DYNAMIC(CPassword, CObject)

namespace
{
// Adds nDirection × (length + index) to each unit, wrapping at 16 bits; a unit that wraps to 0
// ends the text.
CString Shift(const CString& strText, int nDirection)
{
    CString strResult = strText;
    const int nLength = strResult.GetLength();
    if (nLength == 0)
        return strResult;
    LPTSTR pch = strResult.GetBuffer(nLength);
    for (int i = 0; i < nLength; ++i)
        pch[i] = static_cast<TCHAR>(pch[i] + nDirection * (nLength + i));
    strResult.ReleaseBuffer();
    return strResult;
}
} // namespace

CString CPassword::Encode(const CString& strText) const
{
    return Shift(strText, 1);
}

CString CPassword::Decode(const CString& strText) const
{
    return Shift(strText, -1);
}
