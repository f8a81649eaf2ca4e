#include <app/BarMenu.h>

CPoint ContextMenuPoint(CWnd& wnd, CPoint point)
{
    if (point.x != -1 || point.y != -1)
        return point;
    CPoint ptCorner(5, 5);
    wnd.ClientToScreen(&ptCorner);
    return ptCorner;
}
