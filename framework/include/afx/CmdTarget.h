// The base of the objects that receive commands: message maps and command routing.
#pragma once

#include <afx/MessageMap.h>

// Filled by OnCmdMsg instead of calling the handler, to ask whether one exists.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Dispatches a command (nCode CN_COMMAND or a control notification code in the low word,
    // the message in the high word: 0 for WM_COMMAND, WM_NOTIFY, or a reflected message)
    // through this object's message map. Frames, views and documents override it to offer
    // the command to other targets too. TRUE when a handler took it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The application's wait cursor, counted.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// The application's wait cursor for the object's lifetime: a scope that may be left by an
// exception still restores the cursor.
class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the wait cursor again, after a message box or dialog changed the cursor.
    void Restore();
};
