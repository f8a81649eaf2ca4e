// The grid window's paint path through the core.
#include <grid/core/GridCore.h>

BOOL CGXGridCore::OnGridDraw(CDC* pDC, const CRect* /*pRect*/)
{
    OnGridPrepareDC(pDC, nullptr);
    DrawGrid(pDC);
    return TRUE;
}

void CGXGridCore::AfterPaint(CDC* /*pDC*/)
{
}

BOOL CGXGridCore::OnGridWindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    return RouteToPlugins(nMessage, wParam, lParam, lResult);
}
