#include <toolkit/foundation/Colors.h>

#include <algorithm>
#include <cmath>

namespace
{
// The weighted colour space of the contrast functions, and its way back.
constexpr double WEIGHT_R = 0.764706;
constexpr double WEIGHT_G = 1.52941;
constexpr double WEIGHT_B = 0.254902;
constexpr double UNWEIGHT_R = 1.3076921;
constexpr double UNWEIGHT_G = 0.6538469;
constexpr double UNWEIGHT_B = 3.9230763;
constexpr double WHITE_R = 195;
constexpr double WHITE_G = 390;
constexpr double WHITE_B = 65;
// Against a reference darker than this, a contrast must be larger to show as much.
constexpr double DARK_REFERENCE = 220;
constexpr double WHITE_DISTANCE = 442;

struct Vec
{
    double x, y, z;
    Vec operator-(const Vec& v) const
    {
        return {x - v.x, y - v.y, z - v.z};
    }
    Vec operator*(double f) const
    {
        return {x * f, y * f, z * f};
    }
    double Dot(const Vec& v) const
    {
        return x * v.x + y * v.y + z * v.z;
    }
    double Length() const
    {
        return std::sqrt(Dot(*this));
    }
};

constexpr Vec WHITE{WHITE_R, WHITE_G, WHITE_B};

Vec Weighted(COLORREF c)
{
    return {GetRValue(c) * WEIGHT_R, GetGValue(c) * WEIGHT_G, GetBValue(c) * WEIGHT_B};
}

BYTE Channel(double v, double unweight)
{
    return static_cast<BYTE>(std::clamp(static_cast<int>(v * unweight + 0.5), 0, 255));
}

double ScaledContrast(const Vec& ref, double d)
{
    const double r = ref.Length();
    return r < DARK_REFERENCE ? d * (2 - r / DARK_REFERENCE) : d;
}

BYTE BlendChannel(int a, int b, int p, int nDenominator)
{
    return static_cast<BYTE>((a * p + b * (nDenominator - p) + nDenominator / 2) / nDenominator);
}

// The integer conversion's scales.
constexpr int HLSMAX = 240;
constexpr int RGBMAX = 255;
constexpr int HUE_UNDEFINED = HLSMAX * 2 / 3;

int WrapHue(int h)
{
    if (h < 0)
        h += HLSMAX;
    if (h > HLSMAX)
        h -= HLSMAX;
    return h;
}

int HueToRgb(int a, int b, int h)
{
    h = WrapHue(h);
    if (h < HLSMAX / 6)
        return a + ((b - a) * h + HLSMAX / 12) / (HLSMAX / 6);
    if (h < HLSMAX / 2)
        return b;
    if (h < HLSMAX * 2 / 3)
        return a + ((b - a) * (HLSMAX * 2 / 3 - h) + HLSMAX / 12) / (HLSMAX / 6);
    return a;
}

float AdjustComponent(float x, float f)
{
    if (f > 0)
        x += f * (1 - x);
    else if (f < 0)
        x *= 1 + f;
    return std::clamp(x, 0.0f, 1.0f);
}
} // namespace

COLORREF SECBlendColors(COLORREF c0, COLORREF c1, BYTE p)
{
    const int nDenominator = p < 100 ? 100 : 1000;
    return RGB(BlendChannel(GetRValue(c0), GetRValue(c1), p, nDenominator),
               BlendChannel(GetGValue(c0), GetGValue(c1), p, nDenominator),
               BlendChannel(GetBValue(c0), GetBValue(c1), p, nDenominator));
}

COLORREF SECLightenColor(COLORREF c, BYTE n)
{
    const auto lighten = [n](BYTE v) { return static_cast<BYTE>(std::min(v + n, 255)); };
    return RGB(lighten(GetRValue(c)), lighten(GetGValue(c)), lighten(GetBValue(c)));
}

double SECColorDistance(COLORREF c0, COLORREF c1)
{
    return (Weighted(c0) - Weighted(c1)).Length();
}

COLORREF SECEnsureContrast(COLORREF c, COLORREF ref, int d)
{
    if (SECColorDistance(ref, c) > ScaledContrast(Weighted(ref), d))
        return c;
    return SECSolveContrastColor(c, ref, d);
}

COLORREF SECSolveContrastColor(COLORREF c, COLORREF ref, double d)
{
    Vec vc = Weighted(c);
    Vec vr = Weighted(ref);
    d = ScaledContrast(vr, d);
    // Against a dark reference the answer lies on the line from white, so that it can be
    // lighter than the reference by d.
    const double dLimit = vr.Length() < vc.Length() ? WHITE_DISTANCE - d : d;
    const bool bMirror = vr.Length() < dLimit;
    if (bMirror)
    {
        vc = WHITE - vc;
        vr = WHITE - vr;
    }
    const Vec unit = vc * (1 / std::max(vc.Length(), 0.01));
    const double dProjection = vr.Dot(unit);
    const double dPerpendicular2 = vr.Dot(vr) - dProjection * dProjection;
    const double dRoot2 = d * d - dPerpendicular2;
    // No point of the line lies d away when the line passes farther off: the projection.
    const double t = dRoot2 < 0 ? dProjection : dProjection - std::sqrt(dRoot2);
    Vec v = unit * t;
    v = {std::clamp(v.x, 0.0, WHITE_R), std::clamp(v.y, 0.0, WHITE_G), std::clamp(v.z, 0.0, WHITE_B)};
    if (bMirror)
        v = WHITE - v;
    return RGB(Channel(v.x, UNWEIGHT_R), Channel(v.y, UNWEIGHT_G), Channel(v.z, UNWEIGHT_B));
}

void SECRGBToHLS(COLORREF c, float* h, float* s, float* l)
{
    const float r = GetRValue(c) / 255.0f;
    const float g = GetGValue(c) / 255.0f;
    const float b = GetBValue(c) / 255.0f;
    const float fMax = std::max({r, g, b});
    const float fMin = std::min({r, g, b});
    *l = (fMax + fMin) / 2;
    if (fMax == fMin)
    {
        *s = *h = 0;
        return;
    }
    const float delta = fMax - fMin;
    *s = *l <= 0.5f ? delta / (fMax + fMin) : delta / (2 - fMax - fMin);
    float hue;
    if (r == fMax)
        hue = (g - b) / delta;
    else if (g == fMax)
        hue = 2 + (b - r) / delta;
    else
        hue = 4 + (r - g) / delta;
    hue /= 6;
    if (hue < 0)
        hue += 1;
    *h = hue;
}

float SECHueToRGB(float m1, float m2, float h)
{
    if (h < 0)
        h += 1;
    if (h > 1)
        h -= 1;
    if (h < 1.0f / 6)
        return m1 + (m2 - m1) * h * 6;
    if (h < 0.5f)
        return m2;
    if (h < 2.0f / 3)
        return m1 + (m2 - m1) * (2.0f / 3 - h) * 6;
    return m1;
}

COLORREF SECHLSToRGB(float* h, float* s, float* l)
{
    float r = *l;
    float g = *l;
    float b = *l;
    if (*s != 0)
    {
        const float m2 = *l <= 0.5f ? *l * (1 + *s) : *l + *s - *l * *s;
        const float m1 = 2 * *l - m2;
        r = SECHueToRGB(m1, m2, *h + 1.0f / 3);
        g = SECHueToRGB(m1, m2, *h);
        b = SECHueToRGB(m1, m2, *h - 1.0f / 3);
    }
    return RGB(static_cast<BYTE>(r * 255), static_cast<BYTE>(g * 255), static_cast<BYTE>(b * 255));
}

COLORREF SECAdjustColorHLS(COLORREF c, float fHue, float fSaturation, float fLightness)
{
    float h, s, l;
    SECRGBToHLS(c, &h, &s, &l);
    h = AdjustComponent(h, fHue);
    s = AdjustComponent(s, fSaturation);
    l = AdjustComponent(l, fLightness);
    return SECHLSToRGB(&h, &s, &l);
}

void SECHlsFromRgb(COLORREF rgb, WORD* pHue, WORD* pLightness, WORD* pSaturation)
{
    const int r = GetRValue(rgb);
    const int g = GetGValue(rgb);
    const int b = GetBValue(rgb);
    const int nMax = std::max({r, g, b});
    const int nMin = std::min({r, g, b});
    const int nLightness = ((nMax + nMin) * HLSMAX + RGBMAX) / (2 * RGBMAX);
    *pLightness = static_cast<WORD>(nLightness);
    if (nMax == nMin)
    {
        *pSaturation = 0;
        *pHue = HUE_UNDEFINED;
        return;
    }
    const int delta = nMax - nMin;
    const int d = nLightness <= HLSMAX / 2 ? nMax + nMin : 2 * RGBMAX - nMax - nMin;
    *pSaturation = static_cast<WORD>((delta * HLSMAX + d / 2) / d);
    const auto distance = [&](int v) { return ((nMax - v) * (HLSMAX / 6) + delta / 2) / delta; };
    int hue;
    if (r == nMax)
        hue = distance(b) - distance(g);
    else if (g == nMax)
        hue = HLSMAX / 3 + distance(r) - distance(b);
    else
        hue = 2 * HLSMAX / 3 + distance(g) - distance(r);
    *pHue = static_cast<WORD>(WrapHue(hue));
}

COLORREF SECRgbFromHls(WORD hue, WORD lightness, WORD saturation)
{
    if (saturation == 0)
    {
        const auto v = static_cast<BYTE>(lightness * RGBMAX / HLSMAX);
        return RGB(v, v, v);
    }
    const int m2 = lightness <= HLSMAX / 2 ? (lightness * (HLSMAX + saturation) + HLSMAX / 2) / HLSMAX
                                           : lightness + saturation - (lightness * saturation + HLSMAX / 2) / HLSMAX;
    const int m1 = 2 * lightness - m2;
    const auto channel = [&](int h) { return static_cast<BYTE>((HueToRgb(m1, m2, h) * RGBMAX + HLSMAX / 2) / HLSMAX); };
    return RGB(channel(hue + HLSMAX / 3), channel(hue), channel(hue - HLSMAX / 3));
}
