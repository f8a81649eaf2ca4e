// Paints a 30-button toolbar into a memory DC 1,000 times: the toolkit's customisable toolbar in
// the flat look under visual style 3, and the common controls' toolbar with the same bitmap and
// buttons through WM_PRINTCLIENT. Prints the median time of 5 runs of each and their ratio.
#include <toolkit/bars/BmpMgr.h>
#include <toolkit/bars/CustomToolBar.h>
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/foundation/VisualStyle.h>
#include <BenchCanvas.h>
#include <BenchFigures.h>

#include <afxwin.h>

#include <cstdio>
#include <functional>
#include <vector>

using namespace tarnwick::bars;

namespace
{
const int kButtons = 30;
const int kPaints = 1000;
const int kRuns = 5;
// The commands of the image resource, in image order.
const UINT kCommands[] = {0x800B, 0x800D, 0xE100, 0xE102, 0x8018, 0xE143, 0xE140};
const int kImages = 7;

double MedianSeconds(const std::function<void()>& paint)
{
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run)
    {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < kPaints; ++i)
            paint();
        runs.push_back(Seconds(Clock::now() - start));
    }
    return Median(runs);
}

} // namespace

int main()
{
    SECSetVisualStyle(3);
    auto* pFrame = new CFrameWnd;
    if (!pFrame->Create(nullptr, _T("Toolbar paint"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 1000, 300)))
        return 1;
    pFrame->EnableDocking(CBRS_ALIGN_ANY);

    // The toolkit's toolbar: the image store from the same bitmap, 30 buttons.
    auto* pStore = new SECBmpMgr;
    pStore->AddBitmap(MAKEINTRESOURCE(128), nullptr, kCommands, kImages, TRUE);
    std::vector<UINT> ids;
    for (int i = 0; i < kButtons; ++i)
        ids.push_back(kCommands[i % kImages]);
    auto* pBar = new SECCustomToolBar;
    pBar->SetBmpMgr(pStore);
    pStore->Release();
    pBar->CreateEx(SECToolBarManager::CBRS_EX_COOLLOOK_BITS, pFrame,
                   WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, AFX_IDW_TOOLBAR);
    pBar->m_bAutoDelete = TRUE;
    pBar->SetButtons(ids.data(), kButtons);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    pFrame->RecalcLayout();
    CRect rectBar;
    pBar->GetClientRect(rectBar);
    BenchCanvas toolkitTarget(rectBar.Width(), rectBar.Height());
    const double dToolkit = MedianSeconds([&] { pBar->DoPaint(&toolkitTarget.Dc()); });

    // The common controls' toolbar with the same bitmap and buttons.
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    HWND hToolbar =
        ::CreateWindowEx(0, TOOLBARCLASSNAME, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NODIVIDER | CCS_TOP,
                         0, 0, 0, 0, pFrame->m_hWnd, nullptr, nullptr, nullptr);
    ::SendMessage(hToolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessage(hToolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 15));
    HBITMAP hBitmap = ::LoadBitmap(::GetModuleHandle(nullptr), MAKEINTRESOURCE(128));
    TBADDBITMAP addBitmap{nullptr, reinterpret_cast<UINT_PTR>(hBitmap)};
    ::SendMessage(hToolbar, TB_ADDBITMAP, kImages, reinterpret_cast<LPARAM>(&addBitmap));
    std::vector<TBBUTTON> buttons(kButtons);
    for (int i = 0; i < kButtons; ++i)
    {
        buttons[static_cast<size_t>(i)].iBitmap = i % kImages;
        buttons[static_cast<size_t>(i)].idCommand = static_cast<int>(ids[static_cast<size_t>(i)]);
        buttons[static_cast<size_t>(i)].fsState = TBSTATE_ENABLED;
        buttons[static_cast<size_t>(i)].fsStyle = TBSTYLE_BUTTON;
    }
    ::SendMessage(hToolbar, TB_ADDBUTTONS, kButtons, reinterpret_cast<LPARAM>(buttons.data()));
    ::SendMessage(hToolbar, TB_AUTOSIZE, 0, 0);
    RECT rectToolbar{};
    ::GetClientRect(hToolbar, &rectToolbar);
    BenchCanvas commonTarget(rectToolbar.right, rectToolbar.bottom);
    const double dCommon = MedianSeconds([&] {
        ::SendMessage(hToolbar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(commonTarget.Dc().m_hDC),
                      PRF_CLIENT | PRF_ERASEBKGND);
    });

    std::printf("toolkit toolbar, %d buttons (%dx%d), %d paints: median of %d runs %.1f ms (%.1f us a paint)\n",
                kButtons, rectBar.Width(), rectBar.Height(), kPaints, kRuns, dToolkit * 1e3, dToolkit * 1e6 / kPaints);
    std::printf("common controls toolbar (%ldx%ld) by WM_PRINTCLIENT: median of %d runs %.1f ms (%.1f us a paint)\n",
                rectToolbar.right, rectToolbar.bottom, kRuns, dCommon * 1e3, dCommon * 1e6 / kPaints);
    std::printf("ratio toolkit / common controls: %.2f\n", dToolkit / dCommon);
    ::DestroyWindow(hToolbar);
    ::DeleteObject(hBitmap);
    pFrame->DestroyWindow();
    return 0;
}
