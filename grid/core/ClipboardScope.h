// The clipboard opened for one job: the grid's copies and pastes and the cell controls' text
// all open it through this scope, so that nested operations share one opening.
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
