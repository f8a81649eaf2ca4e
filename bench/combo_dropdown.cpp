// Opens the list of a combo cell of N choices ("choice 00001" ...) whose value is the middle
// line: the drawn combo (52517) from ShowDropDown(TRUE) until its list is filled, selected and
// shown, and the window combo box (52528) from Init, which fills its combo box, through
// Alt+Down. The peer is the system's combo box (CBS_DROPDOWNLIST | WS_VSCROLL) given the same
// strings by CB_ADDSTRING, CB_SELECTSTRING and CB_SHOWDROPDOWN. Closing is not timed. Prints
// the medians of 15 runs at 1,000 and 10,000 choices, the ratios to the peer and the cost per
// choice.
#include <grid/controls/ComboBox.h>
#include <grid/controls/ComboBoxWnd.h>
#include <grid/core/GridInit.h>
#include <grid/core/GridWnd.h>
#include <grid/core/Style.h>
#include <BenchFigures.h>

#include <afxwin.h>

#include <cstdio>
#include <vector>

namespace
{
constexpr int kRuns = 15;
constexpr WORD kDrawnCombo = 52517;
constexpr WORD kWindowCombo = 52528;

CString ChoiceLine(int n)
{
    CString strLine;
    strLine.Format(L"choice %05d", n);
    return strLine;
}

CString ChoiceList(int nChoices)
{
    CString strList;
    for (int n = 1; n <= nChoices; ++n)
    {
        if (n > 1)
            strList += L'\n';
        strList += ChoiceLine(n);
    }
    return strList;
}

struct Figures
{
    double dDrawn;
    double dWindow;
    double dPeer;
};

// The medians of opening each list of nChoices choices.
Figures Measure(CWnd& parent, int nChoices)
{
    const CString strList = ChoiceList(nChoices);
    const CString strMiddle = ChoiceLine(nChoices / 2);
    CGXGridWnd grid;
    grid.Create(L"GXWND", nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &parent, 1);
    grid.Initialize();
    grid.SetRowCount(4);
    grid.SetColCount(4);
    grid.SetColWidth(1, 2, 120);
    for (WORD nId : {kDrawnCombo, kWindowCombo})
        grid.SetStyleRangeShort(CGXRange(1, nId == kDrawnCombo ? 1 : 2),
                                CGXStyle().SetControl(nId).SetChoiceList(strList).SetValue(strMiddle));
    Figures figures{};

    std::vector<double> drawn;
    grid.SetCurrentCell(1, 1);
    auto* pDrawn = dynamic_cast<CGXComboBox*>(grid.GetCurrentCellControl());
    for (int i = 0; i < kRuns && pDrawn != nullptr; ++i)
    {
        const Clock::time_point start = Clock::now();
        pDrawn->ShowDropDown(TRUE);
        drawn.push_back(Seconds(Clock::now() - start));
        pDrawn->ShowDropDown(FALSE);
    }
    figures.dDrawn = Median(drawn);

    std::vector<double> window;
    grid.SetCurrentCell(1, 2);
    auto* pWindow = dynamic_cast<CGXComboBoxWnd*>(grid.GetCurrentCellControl());
    for (int i = 0; i < kRuns && pWindow != nullptr; ++i)
    {
        const Clock::time_point start = Clock::now();
        pWindow->Init(1, 2);
        pWindow->OnSysKeyDown(VK_DOWN, 1, 0);
        window.push_back(Seconds(Clock::now() - start));
        pWindow->ShowDropDown(FALSE);
    }
    figures.dWindow = Median(window);
    grid.DestroyWindow();

    std::vector<CString> lines;
    for (int n = 1; n <= nChoices; ++n)
        lines.push_back(ChoiceLine(n));
    std::vector<double> peer;
    for (int i = 0; i < kRuns; ++i)
    {
        HWND hCombo = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0,
                                        120, 200, parent.m_hWnd, nullptr, nullptr, nullptr);
        const Clock::time_point start = Clock::now();
        for (const CString& strLine : lines)
            ::SendMessageW(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strLine.GetString()));
        ::SendMessageW(hCombo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(strMiddle.GetString()));
        ::SendMessageW(hCombo, CB_SHOWDROPDOWN, TRUE, 0);
        peer.push_back(Seconds(Clock::now() - start));
        ::SendMessageW(hCombo, CB_SHOWDROPDOWN, FALSE, 0);
        ::DestroyWindow(hCombo);
    }
    figures.dPeer = Median(peer);
    return figures;
}
} // namespace

int main()
{
    GXInitLibraryDefault();
    CWnd parent;
    parent.CreateEx(0, nullptr, L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr);
    const Figures small = Measure(parent, 1000);
    const Figures large = Measure(parent, 10000);
    std::printf("opening a combo cell's list, median of %d runs\n", kRuns);
    const struct
    {
        const char* pszName;
        double dSmall;
        double dLarge;
    } kinds[] = {{"drawn combo (52517)", small.dDrawn, large.dDrawn},
                 {"window combo (52528)", small.dWindow, large.dWindow},
                 {"system combo box", small.dPeer, large.dPeer}};
    for (const auto& kind : kinds)
        std::printf("  %-22s 1,000: %8.3f ms  10,000: %8.3f ms  per choice: %6.3f / %6.3f us  growth %5.2f\n",
                    kind.pszName, kind.dSmall * 1000, kind.dLarge * 1000, kind.dSmall * 1e6 / 1000,
                    kind.dLarge * 1e6 / 10000, (kind.dLarge / 10000) / (kind.dSmall / 1000));
    std::printf("  ratio drawn / system at 10,000:  %5.2f (target at most 1.5)\n", large.dDrawn / large.dPeer);
    std::printf("  ratio window / system at 10,000: %5.2f (target at most 1.5)\n", large.dWindow / large.dPeer);
    std::printf("  cost per choice 10,000 / 1,000 within 1.2 (the growth column)\n");
    parent.DestroyWindow();
    return 0;
}
