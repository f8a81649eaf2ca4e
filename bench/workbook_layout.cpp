// Lays out the application-shaped workbook (four docked bars, 20 worksheets) with RecalcLayout
// while its size alternates between two, against the same window moves made by one raw
// DeferWindowPos batch, and prints the median time of 5 runs of each and their ratio.
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/WorkbookWnd.h>
#include <toolkit/frames/WorksheetWnd.h>
#include <BenchFigures.h>

#include <afxwin.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECWorkbookWnd;
using tarnwick::frames::SECWorksheetWnd;

namespace
{
const int kRuns = 5;
const int kLayouts = 200;
const int kSheets = 20;
const CSize kSizes[2] = {CSize(1024, 768), CSize(900, 700)};
const UINT kSheetID = 0x7001;

// The frame's layout waits while the size changes, so that only RecalcLayout is timed.
class CBenchFrame : public SECWorkbookWnd
{
public:
    BOOL m_bHoldLayout = FALSE;
    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        if (!m_bHoldLayout)
            SECWorkbookWnd::RecalcLayout(bNotify);
    }
    void Resize(const CSize& size)
    {
        m_bHoldLayout = TRUE;
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_bHoldLayout = FALSE;
    }
};

struct Move
{
    HWND hWnd;
    CRect rect;
};

// Where the layout put the frame's children and the bars in its dock bars, in parent coordinates.
std::vector<Move> RecordMoves(CWnd& frame)
{
    std::vector<Move> moves;
    std::function<void(HWND, int)> collect = [&](HWND hParent, int nDepth) {
        for (HWND hWnd = ::GetTopWindow(hParent); hWnd != nullptr; hWnd = ::GetNextWindow(hWnd, GW_HWNDNEXT))
        {
            CRect rect;
            ::GetWindowRect(hWnd, &rect);
            ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rect), 2);
            moves.push_back({hWnd, rect});
            // The bars inside the dock bars; the MDI client's sheets do not move.
            auto* pBar = dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(hWnd));
            if (nDepth == 0 && pBar != nullptr && pBar->IsDockBar())
                collect(hWnd, 1);
        }
    };
    collect(frame.m_hWnd, 0);
    return moves;
}

double MedianSeconds(const std::function<void()>& layouts)
{
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run)
    {
        const Clock::time_point start = Clock::now();
        layouts();
        runs.push_back(Seconds(Clock::now() - start));
    }
    return Median(runs);
}
} // namespace

int main()
{
    auto* pFrame = new CBenchFrame;
    pFrame->Create(nullptr, L"Workbook", WS_OVERLAPPEDWINDOW, CRect(CPoint(0, 0), kSizes[0]));
    pFrame->EnableDocking(CBRS_ALIGN_ANY, 0);
    struct BarPlace
    {
        DWORD dwStyle;
        UINT nDockBarID;
        float fPercent;
        int nLength;
    };
    const BarPlace places[] = {{CBRS_LEFT, AFX_IDW_DOCKBAR_LEFT, 1.0f, 250},
                               {CBRS_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM, 0.75f, 200},
                               {CBRS_TOP, AFX_IDW_DOCKBAR_TOP, 1.0f, 60},
                               {CBRS_RIGHT, AFX_IDW_DOCKBAR_RIGHT, 1.0f, 180}};
    std::vector<std::unique_ptr<SECControlBar>> bars;
    UINT nID = 32775;
    for (const BarPlace& place : places)
    {
        bars.push_back(std::make_unique<SECControlBar>());
        bars.back()->Create(pFrame, L"Bar", WS_CHILD | WS_VISIBLE | CBRS_SIZE_DYNAMIC | place.dwStyle, 0x10F31, nID++);
        bars.back()->EnableDocking(CBRS_ALIGN_ANY);
        pFrame->DockControlBarSized(bars.back().get(), place.nDockBarID, 0, 0, place.fPercent, place.nLength);
    }
    for (int i = 0; i < kSheets; ++i)
        (new SECWorksheetWnd)->LoadFrame(kSheetID, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, pFrame);
    pFrame->SetWorkbookMode(TRUE);
    pFrame->SetTabStyle(1);

    // The moves of each size, as the layout makes them.
    std::vector<Move> moves[2];
    for (int i = 0; i < 2; ++i)
    {
        pFrame->Resize(kSizes[i]);
        pFrame->RecalcLayout();
        moves[i] = RecordMoves(*pFrame);
    }

    const double dLayout = MedianSeconds([&] {
        for (int i = 0; i < kLayouts; ++i)
        {
            pFrame->Resize(kSizes[i % 2]);
            pFrame->RecalcLayout();
        }
    });
    const double dResizeOnly = MedianSeconds([&] {
        for (int i = 0; i < kLayouts; ++i)
            pFrame->Resize(kSizes[i % 2]);
    });
    const double dRaw = MedianSeconds([&] {
        for (int i = 0; i < kLayouts; ++i)
        {
            pFrame->Resize(kSizes[i % 2]);
            const std::vector<Move>& batch = moves[i % 2];
            HDWP hdwp = ::BeginDeferWindowPos(static_cast<int>(batch.size()));
            for (const Move& move : batch)
                hdwp = ::DeferWindowPos(hdwp, move.hWnd, nullptr, move.rect.left, move.rect.top, move.rect.Width(),
                                        move.rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
            ::EndDeferWindowPos(hdwp);
        }
    });

    // The frame's own resize is the same on both sides and is taken off.
    const double dLayoutOnly = (dLayout - dResizeOnly) / kLayouts;
    const double dRawOnly = (dRaw - dResizeOnly) / kLayouts;
    std::printf("workbook layout, %d bars, %d sheets, %zu moves per layout, two sizes alternating (median of %d "
                "runs of %d)\n",
                static_cast<int>(bars.size()), kSheets, moves[0].size(), kRuns, kLayouts);
    std::printf("  RecalcLayout:           %8.1f us\n", dLayoutOnly * 1e6);
    std::printf("  raw DeferWindowPos:     %8.1f us\n", dRawOnly * 1e6);
    std::printf("  ratio:                  %8.2f\n", dLayoutOnly / dRawOnly);
    std::printf("  (frame resize alone:    %8.1f us)\n", dResizeOnly / kLayouts * 1e6);
    pFrame->DestroyWindow();
    return 0;
}
