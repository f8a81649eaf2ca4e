// The splash window on hidden windows: its timer and early input close it, a deferred start
// keeps it open, a hidden owner goes with it, and it paints the bitmap's pixels.
#include <toolkit/tabs/SplashWnd.h>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>

using tarnwick::tabs::SECSplashWnd;

namespace
{
constexpr UINT ID_SPLASH_BITMAP = 131;
constexpr COLORREF WHITE = RGB(255, 255, 255);

// Exposes the paint routine so that a memory DC can be probed.
class CProbedSplash : public SECSplashWnd
{
public:
    using SECSplashWnd::SECSplashWnd;
    void PaintInto(CDC* pDC)
    {
        Paint(pDC);
    }
};

MSG InputFor(HWND hWnd, UINT message)
{
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = message;
    return msg;
}

// Creates a hidden splash; the long time-out never fires within a test.
CProbedSplash* MakeSplash(CWnd* pParent, BOOL bDeferStart)
{
    auto* pSplash = new CProbedSplash(ID_SPLASH_BITMAP, 60000, bDeferStart, TRUE);
    EXPECT_TRUE(pSplash->Create(pParent, WS_POPUP, 0));
    return pSplash;
}

class SplashWndTest : public HiddenWindowTest
{
};

TEST_F(SplashWndTest, DeferredStartIgnoresInputUntilTheTimeoutStarts)
{
    CProbedSplash* pSplash = MakeSplash(&Parent(), TRUE);
    const HWND hWnd = pSplash->GetSafeHwnd();
    MSG key = InputFor(hWnd, WM_KEYDOWN);
    EXPECT_FALSE(pSplash->PreTranslateMessage(&key));
    PumpPendingMessages();
    ASSERT_TRUE(::IsWindow(hWnd));

    pSplash->StartTimeout();
    MSG click = InputFor(hWnd, WM_LBUTTONDOWN);
    EXPECT_TRUE(pSplash->PreTranslateMessage(&click));
    ASSERT_TRUE(PumpMessagesUntil([&] { return !::IsWindow(hWnd); }));
}

TEST_F(SplashWndTest, TheTimerClosesItAndOtherMessagesDoNot)
{
    CProbedSplash* pSplash = MakeSplash(&Parent(), FALSE);
    const HWND hWnd = pSplash->GetSafeHwnd();
    MSG move = InputFor(hWnd, WM_MOUSEMOVE);
    EXPECT_FALSE(pSplash->PreTranslateMessage(&move));
    ::SendMessageW(hWnd, WM_TIMER, SECSplashWnd::TimerId + 1, 0);
    PumpPendingMessages();
    ASSERT_TRUE(::IsWindow(hWnd));
    ::SendMessageW(hWnd, WM_TIMER, SECSplashWnd::TimerId, 0);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !::IsWindow(hWnd); }));
}

TEST_F(SplashWndTest, CloseOnInputOffKeepsItOpen)
{
    CProbedSplash* pSplash = MakeSplash(&Parent(), FALSE);
    const HWND hWnd = pSplash->GetSafeHwnd();
    pSplash->SetCloseOnInput(FALSE);
    MSG key = InputFor(hWnd, WM_SYSKEYDOWN);
    EXPECT_FALSE(pSplash->PreTranslateMessage(&key));
    PumpPendingMessages();
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(::GetWindow(hWnd, GW_OWNER), Parent().GetSafeHwnd());
    EXPECT_EQ(pSplash->GetHiddenOwner(), nullptr);
    pSplash->Close();
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(SplashWndTest, WithoutParentOrMainWindowAHiddenOwnerGoesWithIt)
{
    ASSERT_EQ(AfxGetMainWnd(), nullptr);
    CProbedSplash* pSplash = MakeSplash(nullptr, FALSE);
    const HWND hWnd = pSplash->GetSafeHwnd();
    const HWND hOwner = pSplash->GetHiddenOwner();
    ASSERT_NE(hOwner, nullptr);
    EXPECT_EQ(::GetWindow(hWnd, GW_OWNER), hOwner);
    EXPECT_TRUE(::GetWindowLongW(hOwner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(::IsWindowVisible(hOwner));
    wchar_t title[64] = {};
    ::GetWindowTextW(hOwner, title, 64);
    EXPECT_STREQ(title, L"SECSplashWndParent");
    ::GetWindowTextW(hWnd, title, 64);
    EXPECT_STREQ(title, L"SECSplashWnd");
    pSplash->Close();
    ASSERT_TRUE(PumpMessagesUntil([&] { return !::IsWindow(hOwner); }));
}

TEST_F(SplashWndTest, CentredAtTheBitmapsSizeAndPaintsItsPixels)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(ID_SPLASH_BITMAP));
    BITMAP bm = {};
    ASSERT_NE(bitmap.GetObject(sizeof(bm), &bm), 0);
    const CSize size(bm.bmWidth, bm.bmHeight);
    CProbedSplash* pSplash = MakeSplash(&Parent(), FALSE);
    CRect rect;
    pSplash->GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), size);
    EXPECT_EQ(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2);
    EXPECT_EQ(rect.top, (::GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2);

    // The bitmap's own pixels, then nothing beyond its size.
    MemoryCanvas source(size.cx, size.cy, WHITE);
    CDC bitmapDc;
    bitmapDc.CreateCompatibleDC(&source.Dc());
    CBitmap* pOld = bitmapDc.SelectObject(&bitmap);
    source.Dc().BitBlt(0, 0, size.cx, size.cy, &bitmapDc, 0, 0, SRCCOPY);
    bitmapDc.SelectObject(pOld);
    MemoryCanvas canvas(size.cx + 4, size.cy + 4, WHITE);
    pSplash->PaintInto(&canvas.Dc());
    for (const CPoint point : {CPoint(0, 0), CPoint(size.cx / 2, size.cy / 2), CPoint(size.cx / 5, size.cy / 3),
                               CPoint(size.cx - 1, size.cy - 1)})
        EXPECT_EQ(canvas.Pixel(point.x, point.y), source.Pixel(point.x, point.y)) << point.x << "," << point.y;
    EXPECT_EQ(canvas.Pixel(size.cx, 0), WHITE);
    EXPECT_EQ(canvas.Pixel(0, size.cy), WHITE);
    pSplash->Close();
}

TEST_F(SplashWndTest, MissingBitmapStillClosesOnTime)
{
    auto* pSplash = new SECSplashWnd(999, 60000, FALSE, FALSE);
    ASSERT_TRUE(pSplash->Create(&Parent(), WS_POPUP, 0));
    const HWND hWnd = pSplash->GetSafeHwnd();
    CRect rect;
    pSplash->GetWindowRect(&rect);
    EXPECT_TRUE(rect.IsRectEmpty());
    ::SendMessageW(hWnd, WM_TIMER, SECSplashWnd::TimerId, 0);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !::IsWindow(hWnd); }));
}

TEST_F(SplashWndTest, DisableParentIsUndoneOnClose)
{
    CProbedSplash* pSplash = MakeSplash(&Parent(), FALSE);
    pSplash->DisableParent(TRUE);
    EXPECT_FALSE(Parent().IsWindowEnabled());
    pSplash->Close();
    EXPECT_TRUE(Parent().IsWindowEnabled());
}
} // namespace
