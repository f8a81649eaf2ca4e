// What the combo cells share: the lines of a choice list walked in one pass over the text,
// their measure, the number of a choice, and the keys their dropped lists hand to the owner.
#pragma once

#include <afxwin.h>

#include <grid/controls/ComboBox.h>
#include <grid/core/GridCore.h>
#include <grid/core/Style.h>

#include <algorithm>

#include <climits>
#include <cwchar>

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

// Measured with the style's font: the widest line of the choice list (with bFill) and the
// font's line height plus one.
inline CSize GXMeasureChoices(CGXGridCore* pGrid, CDC* pDC, const CGXStyle& style, BOOL bFill)
{
    CFont* pOld = pGrid->LoadFont(pDC, style, nullptr);
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    CSize size(0, tm.tmHeight + tm.tmExternalLeading + 1);
    if (bFill && style.GetInclude(CGXStyle::inclChoiceList))
        GXForEachChoiceLine(style.GetChoiceList(),
                            [&](const CString& strLine) { size.cx = std::max(size.cx, pDC->GetTextExtent(strLine).cx); });
    if (pOld != nullptr)
        pDC->SelectObject(pOld);
    return size;
}

// A whole decimal number of 32 bits; FALSE for any other text.
inline BOOL GXParseChoiceIndex(const CString& strText, int& nValue)
{
    if (strText.IsEmpty())
        return FALSE;
    wchar_t* pEnd = nullptr;
    const long long nParsed = std::wcstoll(strText, &pEnd, 10);
    if (pEnd == nullptr || *pEnd != L'\0' || nParsed < INT_MIN || nParsed > INT_MAX)
        return FALSE;
    nValue = static_cast<int>(nParsed);
    return TRUE;
}

// Tab in a dropped list takes the choice, then reaches the owner as a Tab of its own; the list
// may be gone once the owner's message returns.
inline void GXTakeChoiceAndTab(CWnd* pOwner)
{
    ::SendMessage(pOwner->GetSafeHwnd(), GX_WM_LIST_CHOSEN, 0, 0);
    pOwner->PostMessage(WM_KEYDOWN, VK_TAB, 1);
    pOwner->PostMessage(WM_KEYUP, VK_TAB, 0xC0000001);
}

// The release of Alt+Down that the dropped list saw pressed closes it: the owner gets nMessage
// and the answer is TRUE; any other system key is the list's own.
inline BOOL GXCloseOnAltDown(BOOL& bKeyUsed, UINT nChar, CWnd* pOwner, UINT nMessage)
{
    if (!bKeyUsed || nChar != VK_DOWN)
        return FALSE;
    bKeyUsed = FALSE;
    pOwner->SendMessage(nMessage);
    return TRUE;
}
