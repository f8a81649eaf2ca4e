// What the combo cells share: the lines of a choice list walked in one pass over the text,
// their measure, the number of a choice, the grid's focus guard held while a list takes the
// focus, and a flag set for a scope.
#pragma once

#include <afxwin.h>

#include <grid/controls/Control.h>
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

// Holds the grid's focus-change guard for a scope: a window of the control takes the focus
// without the grid storing or deactivating the cell.
class GXGridFocusLock
{
public:
    explicit GXGridFocusLock(CGXControl* pControl) : m_pControl(pControl)
    {
        m_pControl->LockGridFocus(TRUE);
    }
    ~GXGridFocusLock()
    {
        m_pControl->LockGridFocus(FALSE);
    }
    GXGridFocusLock(const GXGridFocusLock&) = delete;
    GXGridFocusLock& operator=(const GXGridFocusLock&) = delete;

private:
    CGXControl* m_pControl;
};

// Sets a flag for a scope and restores its former state after.
class GXFlagScope
{
public:
    explicit GXFlagScope(BOOL& bFlag) : m_bFlag(bFlag), m_bOld(bFlag)
    {
        m_bFlag = TRUE;
    }
    ~GXFlagScope()
    {
        m_bFlag = m_bOld;
    }
    GXFlagScope(const GXFlagScope&) = delete;
    GXFlagScope& operator=(const GXFlagScope&) = delete;

private:
    BOOL& m_bFlag;
    BOOL m_bOld;
};
