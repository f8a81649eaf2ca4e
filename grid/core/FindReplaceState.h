// The calling thread's state of the find and replace dialog.
#pragma once

#include <afxdlgs.h>

class CGXGridCore;
class CGXStyle;

class GX_FR_STATE
{
public:
    GX_FR_STATE() = default;
    ~GX_FR_STATE();
    GX_FR_STATE(const GX_FR_STATE&) = delete;
    GX_FR_STATE& operator=(const GX_FR_STATE&) = delete;

    // The search text from the find text (in capitals unless case matters) and the find
    // text's ANSI copy, sized for the code page.
    void PrepareFind();
    // Frees the ANSI copy; done after each find and replace.
    void FreeAnsiFind();
    LPCSTR GetAnsiFind() const
    {
        return m_pszAnsiFind;
    }

    CFindReplaceDialog* m_pDialog = nullptr;
    BOOL m_bFindOnly = TRUE;
    CString m_strFind;
    CString m_strFindUpper;
    CString m_strReplace;
    BOOL m_bCase = FALSE;
    BOOL m_bNext = TRUE;
    CGXGridCore* m_pActiveGrid = nullptr;
    HWND m_hWndParent = nullptr;
    const CGXStyle* m_pStyle = nullptr;

private:
    LPSTR m_pszAnsiFind = nullptr;
};

// The calling thread's find state, made on first use.
GX_FR_STATE* GXGetFindReplaceState();
