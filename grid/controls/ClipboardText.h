// The clipboard's text as the cell controls read and write it. Each call opens the clipboard
// for the owner window, does its one job and closes it again; a clipboard that cannot be opened
// (another window holds it open) is a failure like any other, and nothing is read or written.
#pragma once

#include <afxwin.h>

#include <grid/core/ClipboardScope.h>

// The clipboard's text, read and written through one clipboard scope per call.
class CGXClipboardText
{
public:
    // The text in the format; FALSE when the clipboard cannot be opened or holds no text in it
    // (strText then empty).
    static BOOL Read(CWnd* pOwner, CString& strText, UINT nFormat = CF_UNICODETEXT);
    // Replaces the clipboard's contents with the text.
    static BOOL Write(CWnd* pOwner, const CString& strText);
    // Puts the text in a further format beside what the clipboard holds.
    static BOOL Add(CWnd* pOwner, const CString& strText, UINT nFormat);
    // Empties the clipboard.
    static BOOL Clear(CWnd* pOwner);
    // Whether the clipboard can be opened and holds text.
    static BOOL HasText(CWnd* pOwner);
};
