// Text in a rotated font, placed in a cell by the cell's alignment. The caller selects the
// rotated font into the device context.
#pragma once

#include <grid/core/AbstractImps.h>

class CGXDrawRotatedTextImp : public CGXAbstractDrawRotatedTextImp
{
public:
    int DrawRotatedText(CDC* pDC, LPCTSTR pszText, int nLength, int nLeft, int nTop, int nRight, int nBottom,
                        UINT nFormat, int nOrientation, const CRect* pClipRect) override;
};
