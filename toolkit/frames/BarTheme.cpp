// SECBarTheme: a theme handle of the bars and their tabs, and its drawing.
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/BarTheme.h>

namespace tarnwick::frames
{
namespace
{
constexpr int RP_BACKGROUND = 6;
} // namespace

BOOL SECBarTheme::DrawPart(HWND hWnd, CDC* pDC, const CRect& rect, int nPart, int nState)
{
    HTHEME hTheme = Get(hWnd);
    if (hTheme == nullptr || !SECIsThemePartDefined(hTheme, nPart, 0))
        return FALSE;
    if (SECIsThemeBackgroundPartiallyTransparent(hTheme, nPart, nState))
        SECDrawThemeParentBackground(hWnd, pDC->GetSafeHdc(), &rect);
    return SUCCEEDED(SECDrawThemeBackground(hTheme, pDC->GetSafeHdc(), nPart, nState, &rect, nullptr));
}

BOOL SECBarTheme::DrawBackground(HWND hWnd, CDC* pDC, const CRect& rect)
{
    return DrawPart(hWnd, pDC, rect, RP_BACKGROUND, 0);
}
} // namespace tarnwick::frames
