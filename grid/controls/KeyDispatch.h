// The key dispatch that controls and their children share: the key messages go to their
// handlers, and the two halves of a character beyond the basic plane reach OnCharText as one
// text.
#pragma once

#include <afxwin.h>

template <class TARGET>
BOOL GXDispatchKeyMessage(TARGET& target, BOOL& bLeadUnitPending, WCHAR& chLeadUnit, UINT nMessage, UINT nChar,
                          UINT nRepCnt, UINT nFlags)
{
    switch (nMessage)
    {
    case WM_KEYDOWN:
        return target.OnKeyDown(nChar, nRepCnt, nFlags);
    case WM_KEYUP:
        return target.OnKeyUp(nChar, nRepCnt, nFlags);
    case WM_CHAR:
    {
        const WCHAR chUnit = static_cast<WCHAR>(nChar);
        if (bLeadUnitPending)
        {
            bLeadUnitPending = FALSE;
            const WCHAR pair[] = {chLeadUnit, chUnit, 0};
            const CString strText(pair);
            return strText.IsEmpty() ? TRUE : target.OnCharText(strText);
        }
        // The first half waits for its second half.
        if (IS_HIGH_SURROGATE(chUnit))
        {
            bLeadUnitPending = TRUE;
            chLeadUnit = chUnit;
            return TRUE;
        }
        return target.OnChar(nChar, nRepCnt, nFlags);
    }
    case WM_DEADCHAR:
        return target.OnDeadChar(nChar, nRepCnt, nFlags);
    case WM_SYSKEYDOWN:
        return target.OnSysKeyDown(nChar, nRepCnt, nFlags);
    case WM_SYSKEYUP:
        return target.OnSysKeyUp(nChar, nRepCnt, nFlags);
    case WM_SYSCHAR:
        return target.OnSysChar(nChar, nRepCnt, nFlags);
    case WM_SYSDEADCHAR:
        return target.OnSysDeadChar(nChar, nRepCnt, nFlags);
    default:
        return FALSE;
    }
}
