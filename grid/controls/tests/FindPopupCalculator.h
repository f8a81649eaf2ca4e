// The popup calculator that a currency edit opened in this thread, null when none is open.
#pragma once

#include <grid/controls/BCalculator.h>

inline CGXBPopupCalculator* FindPopupCalculator()
{
    CGXBPopupCalculator* pFound = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
            if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CGXBPopupCalculator)))
                *reinterpret_cast<CGXBPopupCalculator**>(lParam) = static_cast<CGXBPopupCalculator*>(pWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&pFound));
    return pFound;
}
