// Draws a 16×15 toolbar image through its transparent colour into a memory DC 10,000 times,
// with the toolkit's masked blit and with the image list's transparent drawing of the same
// image, and prints the median time of 5 runs of each and their ratio.
#include <toolkit/foundation/BitmapDraw.h>
#include <BenchFigures.h>

#include <afxwin.h>

#include <cstdio>
#include <functional>
#include <vector>

namespace
{
const int kImageWidth = 16;
const int kImageHeight = 15;
const int kDraws = 10000;
const int kRuns = 5;
const COLORREF kTransparent = RGB(255, 0, 255);

// A memory DC over a screen-compatible bitmap.
class MemoryCanvas
{
public:
    MemoryCanvas(int cx, int cy)
    {
        CClientDC dcScreen(nullptr);
        m_dc.CreateCompatibleDC(&dcScreen);
        m_bitmap.CreateCompatibleBitmap(&dcScreen, cx, cy);
        m_pOld = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, cx, cy, RGB(212, 208, 200));
    }
    ~MemoryCanvas()
    {
        m_dc.SelectObject(m_pOld);
    }
    CDC& Dc()
    {
        return m_dc;
    }
    // Hands the bitmap over (it must not stay selected in a DC).
    HBITMAP ReleaseBitmap()
    {
        m_dc.SelectObject(m_pOld);
        m_pOld = nullptr;
        return static_cast<HBITMAP>(m_bitmap.Detach());
    }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_pOld = nullptr;
};

double MedianSeconds(const std::function<void()>& draw)
{
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run)
    {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < kDraws; ++i)
            draw();
        runs.push_back(Seconds(Clock::now() - start));
    }
    return Median(runs);
}
} // namespace

int main()
{
    // A toolbar button's image: a frame and a cross on the transparent colour.
    MemoryCanvas image(kImageWidth, kImageHeight);
    image.Dc().FillSolidRect(0, 0, kImageWidth, kImageHeight, kTransparent);
    image.Dc().FillSolidRect(2, 2, 12, 11, RGB(0, 0, 128));
    image.Dc().FillSolidRect(4, 4, 8, 7, RGB(255, 255, 0));
    image.Dc().FillSolidRect(7, 2, 2, 11, RGB(128, 0, 0));

    MemoryCanvas target(64, 64);
    const double dMasked = MedianSeconds([&] {
        SECDrawMaskedBitmap(target.Dc().m_hDC, 8, 8, kImageWidth, kImageHeight, image.Dc().m_hDC, 0, 0, kImageWidth,
                            kImageHeight, kTransparent);
    });

    MemoryCanvas maskedOnce(32, 32);
    SECDrawMaskedBitmap(maskedOnce.Dc().m_hDC, 8, 8, kImageWidth, kImageHeight, image.Dc().m_hDC, 0, 0, kImageWidth,
                        kImageHeight, kTransparent);

    HIMAGELIST hImageList = ::ImageList_Create(kImageWidth, kImageHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
    HBITMAP hImage = image.ReleaseBitmap();
    ::ImageList_AddMasked(hImageList, hImage, kTransparent);
    ::DeleteObject(hImage);
    const double dImageList = MedianSeconds([&] {
        ::ImageList_DrawEx(hImageList, 0, target.Dc().m_hDC, 8, 8, kImageWidth, kImageHeight, CLR_NONE, CLR_NONE,
                           ILD_TRANSPARENT);
    });
    // Both ways draw the same pixels.
    MemoryCanvas listedOnce(32, 32);
    ::ImageList_DrawEx(hImageList, 0, listedOnce.Dc().m_hDC, 8, 8, kImageWidth, kImageHeight, CLR_NONE, CLR_NONE,
                       ILD_TRANSPARENT);
    ::ImageList_Destroy(hImageList);
    int nDifferent = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            nDifferent += maskedOnce.Dc().GetPixel(x, y) != listedOnce.Dc().GetPixel(x, y);

    std::printf("masked blit, %d draws of %dx%d: median of %d runs %.3f ms (%.2f us a draw)\n", kDraws, kImageWidth,
                kImageHeight, kRuns, dMasked * 1e3, dMasked * 1e6 / kDraws);
    std::printf("image list transparent draw:      median of %d runs %.3f ms (%.2f us a draw)\n", kRuns,
                dImageList * 1e3, dImageList * 1e6 / kDraws);
    std::printf("ratio masked / image list: %.2f; pixels that differ: %d\n", dMasked / dImageList, nDifferent);
    return 0;
}
