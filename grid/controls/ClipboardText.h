// The clipboard's text as the cell controls read and write it. Each call opens the clipboard
// for the owner window, does its one job and closes it again; a clipboard that cannot be opened
// (another window holds it open) is a failure like any other, and nothing is read or written.
#pragma once

#include <afxwin.h>

// The clipboard opened for the owner window while the scope lives, when it could be opened. A
// scope inside another one of the same thread uses the clipboard as it is open, so that an
// operation of several formats opens it once and no other program's data lands in between.
class CGXClipboardScope
{
public:
    explicit CGXClipboardScope(CWnd* pOwner);
    ~CGXClipboardScope();
    CGXClipboardScope(const CGXClipboardScope&) = delete;
    CGXClipboardScope& operator=(const CGXClipboardScope&) = delete;

    explicit operator bool() const
    {
        return m_bOpen != FALSE;
    }
    // Hands the block to the open clipboard in the format; a block the clipboard refuses is
    // freed.
    static BOOL SetData(UINT nFormat, HGLOBAL hBlock);

private:
    BOOL m_bNested;
    BOOL m_bOpen;
};

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
