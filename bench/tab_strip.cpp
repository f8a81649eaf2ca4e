// Fills a hidden 3-D tab strip with 50 tabs that each have a 16 x 16 icon and paints it once into
// a memory DC, against the system's tab control with the same labels and an image list
// (TCM_INSERTITEM, WM_PRINTCLIENT), and prints the median time of 5 runs of each and their
// ratio: once on a strip long enough for every label, once on one where labels are shortened.
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/tabs/3DTabControl.h>
#include <BenchFigures.h>

#include <afxcmn.h>
#include <afxwin.h>

#include <commctrl.h>

#include <cstdio>

using namespace tarnwick::tabs;

namespace
{
const int kTabs = 50;
const int kRuns = 5;
const int kHeight = 30;
// The application's look: the strip below the page, modern.
const DWORD kStyle = WS_CHILD | WS_VISIBLE | TWS_TABS_BOTTOM | TWS_MODERN;

CString Label(int i)
{
    CString label;
    label.Format(L"Category %02d", i);
    return label;
}

// One paint of the window into a memory DC of its size.
void PrintInto(HWND hWnd, int cx)
{
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hdcScreen, cx, kHeight);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    ::SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT | PRF_ERASEBKGND);
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hdc);
    ::ReleaseDC(nullptr, hdcScreen);
}

void FillToolkitStrip(CWnd& parent, HICON hIcon, int cx)
{
    SEC3DTabControl strip;
    strip.Create(kStyle, CRect(0, 0, cx, kHeight), &parent, 1);
    for (int i = 0; i < kTabs; ++i)
    {
        strip.AddTab(Label(i));
        strip.SetTabIcon(i, hIcon);
    }
    strip.ActivateTab(0);
    PrintInto(strip.m_hWnd, cx);
    strip.DestroyWindow();
}

void FillSystemStrip(CWnd& parent, HIMAGELIST hImages, int cx)
{
    HWND hTab = ::CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | TCS_BOTTOM, 0, 0, cx, kHeight,
                                  parent.GetSafeHwnd(), nullptr, nullptr, nullptr);
    ::SendMessageW(hTab, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(hImages));
    TCITEMW item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.iImage = 0;
    for (int i = 0; i < kTabs; ++i)
    {
        CString label = Label(i);
        item.pszText = label.GetBuffer();
        ::SendMessageW(hTab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
        label.ReleaseBuffer();
    }
    PrintInto(hTab, cx);
    ::DestroyWindow(hTab);
}

void Compare(CWnd& parent, HICON hIcon, HIMAGELIST hImages, int cx, const char* lpszCase)
{
    const double dToolkit = MedianSecondsOf(kRuns, [&] { FillToolkitStrip(parent, hIcon, cx); });
    const double dSystem = MedianSecondsOf(kRuns, [&] { FillSystemStrip(parent, hImages, cx); });
    std::printf("%d icon tabs on a strip of %d pixels, %s (median of %d runs)\n", kTabs, cx, lpszCase, kRuns);
    std::printf("  3-D tab control:     %8.2f ms\n", dToolkit * 1000);
    std::printf("  system tab control:  %8.2f ms\n", dSystem * 1000);
    std::printf("  ratio:               %8.2f\n", dToolkit / dSystem);
}
} // namespace

int main()
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&init);
    SECSetVisualStyle(3);
    CWnd parent;
    parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr);
    auto hIcon = static_cast<HICON>(::CopyImage(::LoadIconW(nullptr, IDI_APPLICATION), IMAGE_ICON, 16, 16, 0));
    HIMAGELIST hImages = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
    ImageList_AddIcon(hImages, hIcon);

    Compare(parent, hIcon, hImages, 6000, "every label fits");
    Compare(parent, hIcon, hImages, 1500, "labels shortened");

    ImageList_Destroy(hImages);
    ::DestroyIcon(hIcon);
    parent.DestroyWindow();
    return 0;
}
