// Core operations whose features are built elsewhere in the grid. Until then each answers
// what the grid answers without the feature: nothing to do, not handled, no current cell.
#include <grid/core/GridCore.h>

void CGXGridCore::OnGridShowWindow(BOOL /*bShow*/, UINT /*nStatus*/)
{
}

BOOL CGXGridCore::OnGridPreTranslateMessage(MSG* /*pMsg*/)
{
    return FALSE;
}

