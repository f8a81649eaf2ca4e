// The halftone brush paints a checkerboard of the cached button-face and highlight colours,
// and a refresh replaces only a brush that exists.
#include <toolkit/tabs/HalftoneBrush.h>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>
#include <toolkit/foundation/AuxData.h>

using tarnwick::tabs::CreateHalftoneBrush;
using tarnwick::tabs::RefreshHalftoneBrush;

namespace
{
void ExpectCheckerboard(HBRUSH hBrush)
{
    MemoryCanvas canvas(16, 16, RGB(1, 2, 3));
    RECT all = {0, 0, 16, 16};
    ::FillRect(canvas.Hdc(), &all, hBrush);
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    ASSERT_NE(pAux->clrBtnFace, pAux->clrBtnHilite);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(canvas.Pixel(x, y), (x + y) % 2 == 0 ? pAux->clrBtnFace : pAux->clrBtnHilite) << x << "," << y;
}
} // namespace

TEST(HalftoneBrushTest, PaintsACheckerboardOfButtonFaceAndHighlight)
{
    HBRUSH hBrush = CreateHalftoneBrush();
    ASSERT_NE(hBrush, nullptr);
    ExpectCheckerboard(hBrush);
    ::DeleteObject(hBrush);
}

TEST(HalftoneBrushTest, RefreshReplacesAnExistingBrushOnly)
{
    CBrush empty;
    RefreshHalftoneBrush(empty);
    EXPECT_EQ(empty.GetSafeHandle(), nullptr);

    CBrush holder(RGB(255, 0, 0));
    RefreshHalftoneBrush(holder);
    ASSERT_NE(holder.GetSafeHandle(), nullptr);
    ExpectCheckerboard(static_cast<HBRUSH>(holder.GetSafeHandle()));
}
