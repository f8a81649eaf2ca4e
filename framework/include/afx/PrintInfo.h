// What a view's printing code learns about the page being printed.
#pragma once

#include <afx/Geometry.h>

class CPrintInfo
{
public:
    // The page's drawing area in logical units; printing code shrinks it by its margins.
    CRect m_rectDraw;
};
