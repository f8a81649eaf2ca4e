// One line of a thread's output, posted to the output window with WM_LUMITER5_MESSAGE. The
// sender creates it on the heap; after a successful post the output window owns it.
#pragma once

#include <afx.h>

// wParam: the output category 0 to 4; lParam: the CLumiter5Message.
constexpr UINT WM_LUMITER5_MESSAGE = 0x8402;

class CLumiter5Message : public CObject
{
    DECLARE_DYNCREATE(CLumiter5Message)
public:
    CLumiter5Message() = default;
    CLumiter5Message(LPCTSTR lpszSource, LPCTSTR lpszTime, LPCTSTR lpszText);

    CString m_strSource;
    CString m_strTime;
    CString m_strText;
};
