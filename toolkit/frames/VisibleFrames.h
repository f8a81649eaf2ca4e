// Whether another document frame is still on show when one goes away: the MDI children and
// the dockable frames decide with these whether the active docked frame and the default menu
// change hands.
#pragma once

#include <afxwin.h>

namespace tarnwick::frames
{
class SECDockableFrame;

// A visible MDI child of the main window other than pExclude (which may be null); FALSE when
// the main window is no MDI frame or has no MDI client.
BOOL FindOtherVisibleMDIChild(CWnd* pExclude);

// The first dockable frame other than pExclude, in template, document and view order, that is
// visible up to its top-level window (a control bar on the way counts by its own visibility);
// null when there is none.
SECDockableFrame* FindOtherVisibleDockableFrame(SECDockableFrame* pExclude);
} // namespace tarnwick::frames
