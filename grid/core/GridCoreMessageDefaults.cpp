// Window messages that the grid core leaves as they are: showing the window needs nothing of
// the core, and no message is taken before it is translated. Derived grids may do more.
#include <grid/core/GridCore.h>

void CGXGridCore::OnGridShowWindow(BOOL /*bShow*/, UINT /*nStatus*/)
{
}

BOOL CGXGridCore::OnGridPreTranslateMessage(MSG* /*pMsg*/)
{
    return FALSE;
}
