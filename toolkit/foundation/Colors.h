// Colour arithmetic of the toolkit's drawing: blending, lightening, contrast against a
// reference colour, and two hue/lightness/saturation conversions (floating point in 0..1,
// and the integer one with 0..240 scales that the tab controls use).
#pragma once

#include <windows.h>

// c0 weighted p per cent (p < 100) or p per mille (p >= 100), c1 the rest.
COLORREF SECBlendColors(COLORREF c0, COLORREF c1, BYTE p);
// Each channel plus n, at most 255.
COLORREF SECLightenColor(COLORREF c, BYTE n);
// The distance of two colours with red, green and blue weighted as the eye sees them: white
// stands at (195, 390, 65), about 441 from black.
double SECColorDistance(COLORREF c0, COLORREF c1);
// c when it stands at least d (more against a dark reference) away from ref, else the colour
// nearest to c on its line from black (or white) that does.
COLORREF SECEnsureContrast(COLORREF c, COLORREF ref, int d);
COLORREF SECSolveContrastColor(COLORREF c, COLORREF ref, double d);

// Hue, saturation and lightness in 0..1.
void SECRGBToHLS(COLORREF c, float* h, float* s, float* l);
COLORREF SECHLSToRGB(float* h, float* s, float* l);
// One channel of SECHLSToRGB for the hue h.
float SECHueToRGB(float m1, float m2, float h);
// Moves each component towards 1 (factor > 0) or towards 0 (factor < 0) by the factor's share.
COLORREF SECAdjustColorHLS(COLORREF c, float fHue, float fSaturation, float fLightness);

// Hue, lightness and saturation in 0..240; grey has hue 160.
void SECHlsFromRgb(COLORREF rgb, WORD* pHue, WORD* pLightness, WORD* pSaturation);
COLORREF SECRgbFromHls(WORD hue, WORD lightness, WORD saturation);
