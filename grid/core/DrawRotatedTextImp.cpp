#include <grid/core/DrawRotatedTextImp.h>

#include <cmath>
#include <cwchar>

namespace
{
constexpr double dPi = 3.1415926535;

double Radians(double dDegrees)
{
    return dDegrees * dPi / 180;
}
} // namespace

int CGXDrawRotatedTextImp::DrawRotatedText(CDC* pDC, LPCTSTR pszText, int nLength, int nLeft, int nTop, int nRight,
                                           int nBottom, UINT nFormat, int nOrientation, const CRect* pClipRect)
{
    if (nLength == -1)
        nLength = static_cast<int>(std::wcslen(pszText));
    const CSize extent = pDC->GetTextExtent(pszText, nLength);
    const double cx = extent.cx;
    const double cy = extent.cy;

    double dAngle = nOrientation / 10.0;
    while (dAngle < 0)
        dAngle += 360;
    while (dAngle >= 360)
        dAngle -= 360;

    const int nSaved = pDC->SaveDC();
    if (pClipRect != nullptr)
        pDC->IntersectClipRect(pClipRect);
    else
        pDC->IntersectClipRect(nLeft, nTop, nRight, nBottom);

    const double W = nRight - nLeft;
    const double H = nBottom - nTop;
    double r;
    double x;
    double y;
    const bool bThirdQuadrant = dAngle >= 180 && dAngle <= 270;
    if (dAngle <= 90)
    {
        r = Radians(dAngle);
        x = nLeft;
        y = nTop + std::sin(r) * cx + cy / 2;
    }
    else if (dAngle < 180)
    {
        r = Radians(dAngle - 90);
        x = nLeft + std::sin(r) * cx;
        if (x > nRight)
            x = nRight - cy;
        y = nTop + std::cos(r) * cx + cy;
    }
    else if (bThirdQuadrant)
    {
        r = Radians(dAngle - 180);
        x = nLeft + std::cos(r) * cx + cy;
        y = nTop;
    }
    else
    {
        r = Radians(dAngle - 270);
        x = nLeft + std::sin(r) * cy;
        y = nTop;
    }

    if (nFormat & DT_RIGHT)
        x += (W - std::cos(r) * cx) - cy;
    else if (nFormat & DT_CENTER)
        x += (W - std::cos(r) * cx) / 2 - cy / 2;

    if (nFormat & DT_BOTTOM)
        y += (H - std::sin(r) * cx) - cy;
    else if (nFormat & DT_VCENTER)
        y += (H - std::sin(r) * cx) / 2 - (bThirdQuadrant ? 0 : cy / 2);

    pDC->TextOut(static_cast<int>(x), static_cast<int>(y), pszText, nLength);
    pDC->RestoreDC(nSaved);
    return 0;
}
