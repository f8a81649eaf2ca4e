// The text form of a font: face, size in points, weight, italic, underline, strike-out and
// orientation, comma-separated, each field empty when the font does not include it.
#include <grid/core/Font.h>

#include <grid/core/FontState.h>

#include <algorithm>
#include <cstdlib>

namespace
{
const int nFields = 7;

void AppendFlag(CString& strText, BOOL bIncluded, BOOL bValue)
{
    if (bIncluded)
        strText += bValue ? _T("1") : _T("0");
}
} // namespace

CGXFont::CGXFont(LPCTSTR pszDescription) : CGXFont()
{
    SetDescription(pszDescription);
}

CString CGXFont::GetDescription() const
{
    CString strText;
    if (GetIncludeFaceName() && GetFaceName() != nullptr)
        strText = GetFaceName();
    strText += _T(",");
    if (GetIncludeSize())
        strText.AppendFormat(_T("%d"), static_cast<int>(GetSize()));
    strText += _T(",");
    if (GetIncludeWeight())
        strText.AppendFormat(_T("%d"), static_cast<int>(GetWeight()));
    strText += _T(",");
    AppendFlag(strText, GetIncludeItalic(), GetItalic());
    strText += _T(",");
    AppendFlag(strText, GetIncludeUnderline(), GetUnderline());
    strText += _T(",");
    AppendFlag(strText, GetIncludeStrikeOut(), GetStrikeOut());
    strText += _T(",");
    if (GetIncludeOrientation())
        strText.AppendFormat(_T("%d"), static_cast<int>(GetOrientation()));
    return strText;
}

CGXFont& CGXFont::SetDescription(LPCTSTR pszDescription)
{
    SetDefault();
    const CString strText(pszDescription);
    // The start of each field; a field that is absent or empty stays unset.
    int anStart[nFields] = {};
    int nFound = 1;
    for (int i = 0; i < strText.GetLength() && nFound < nFields; ++i)
    {
        if (strText[i] == ',')
            anStart[nFound++] = i + 1;
    }
    auto present = [&](int nField) {
        return nField < nFound && anStart[nField] < strText.GetLength() && strText[anStart[nField]] != ',';
    };
    auto number = [&](int nField) { return _wtol(static_cast<LPCTSTR>(strText) + anStart[nField]); };

    const int nFaceLength = nFound > 1 ? anStart[1] - 1 : strText.GetLength();
    // The face table holds names up to this length.
    SetFaceName(strText.Left(std::min(nFaceLength, GXFaceEntry::nMaxName)));
    if (present(1))
        SetSize(number(1));
    if (present(2))
        SetWeight(number(2));
    if (present(3))
        SetItalic(number(3) != 0);
    if (present(4))
        SetUnderline(number(4) != 0);
    if (present(5))
        SetStrikeOut(number(5) != 0);
    if (present(6))
        SetOrientation(number(6));
    return *this;
}
