// Saves the dock state of a hidden frame with 50 and then 500 sizeable bars in rows on its four
// sides to the registry profile and loads it into a fresh state, against deleting the same
// sections and writing and reading the same values with the profile functions; prints the
// median time of 5 runs of each, their ratio, the cost per bar, and the apply's time per bar.
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockState.h>
#include <toolkit/frames/FrameWnd.h>
#include <BenchFigures.h>

#include <afxpriv.h>

#include <cstdio>
#include <memory>
#include <vector>

using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECDockState;
using tarnwick::frames::SECFrameWnd;

namespace
{
const int kRuns = 5;
const TCHAR kProfile[] = _T("Bench");
const UINT kFirstBarID = 0x9000;
const UINT kSides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
const DWORD kAligns[4] = {CBRS_TOP, CBRS_BOTTOM, CBRS_LEFT, CBRS_RIGHT};

class BenchApp : public CWinApp
{
public:
    BenchApp() : CWinApp(_T("Dock State Bench"))
    {
    }
    using CWinApp::SetRegistryKey;
};

// One stored value as the save left it.
struct Value
{
    CString section;
    CString key;
    DWORD type;
    std::vector<BYTE> data;
};

std::vector<Value> RecordSection(const CString& section)
{
    std::vector<Value> values;
    HKEY hKey = AfxGetApp()->GetSectionKey(section);
    if (hKey == nullptr)
        return values;
    for (DWORD i = 0;; ++i)
    {
        TCHAR name[256];
        DWORD nName = 256, type = 0, nData = 0;
        if (::RegEnumValue(hKey, i, name, &nName, nullptr, &type, nullptr, &nData) != ERROR_SUCCESS)
            break;
        Value value{section, name, type, std::vector<BYTE>(nData)};
        nName = 256;
        ::RegEnumValue(hKey, i, name, &nName, nullptr, &type, value.data.data(), &nData);
        values.push_back(std::move(value));
    }
    ::RegCloseKey(hKey);
    return values;
}

// The profile functions doing the same work as the dock state: each section emptied, its values
// written, then read back.
void WriteAndReadDirectly(const std::vector<CString>& sections, const std::vector<Value>& values)
{
    CWinApp& app = *AfxGetApp();
    for (const CString& section : sections)
        app.WriteProfileString(section, nullptr, nullptr);
    for (const Value& value : values)
        if (value.type == REG_DWORD)
            app.WriteProfileInt(value.section, value.key, *reinterpret_cast<const int*>(value.data.data()));
        else if (value.type == REG_SZ)
            app.WriteProfileString(value.section, value.key, reinterpret_cast<LPCTSTR>(value.data.data()));
        else
            app.WriteProfileBinary(value.section, value.key, const_cast<LPBYTE>(value.data.data()),
                                   static_cast<UINT>(value.data.size()));
    for (const Value& value : values)
        if (value.type == REG_DWORD)
            app.GetProfileInt(value.section, value.key, 0);
        else if (value.type == REG_SZ)
            app.GetProfileString(value.section, value.key, _T(""));
        else
        {
            BYTE* pData = nullptr;
            UINT nBytes = 0;
            app.GetProfileBinary(value.section, value.key, &pData, &nBytes);
            delete[] pData;
        }
}

void Measure(int nBars)
{
    auto* pFrame = new SECFrameWnd;
    pFrame->Create(nullptr, _T("Dock state"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 1200, 900));
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    std::vector<std::unique_ptr<SECControlBar>> bars;
    for (int i = 0; i < nBars; ++i)
    {
        bars.push_back(std::make_unique<SECControlBar>());
        SECControlBar& bar = *bars.back();
        const int nSide = i % 4;
        bar.Create(pFrame, _T("Bar"), WS_VISIBLE | kAligns[nSide] | CBRS_SIZE_DYNAMIC, 0x10F31, kFirstBarID + i);
        bar.EnableDocking(CBRS_ALIGN_ANY);
        // Three bars to a row.
        pFrame->DockControlBarSized(&bar, kSides[nSide], (i / 4) % 3, i / 12, 1.0f / 3, 120);
    }
    pFrame->RecalcLayout();

    const double tSave = MedianSecondsOf(kRuns, [&] {
        pFrame->SaveDockState(kProfile);
        SECDockState state;
        state.LoadState(kProfile);
    });

    std::vector<CString> sections = {CDockState::SummarySection(kProfile)};
    SECDockState saved;
    saved.LoadState(kProfile);
    for (INT_PTR i = 0; i < saved.GetBarInfoCount(); ++i)
        sections.push_back(CControlBarInfo::SectionName(kProfile, static_cast<int>(i)));
    std::vector<Value> values;
    for (const CString& section : sections)
    {
        std::vector<Value> sectionValues = RecordSection(section);
        values.insert(values.end(), sectionValues.begin(), sectionValues.end());
    }
    const double tDirect = MedianSecondsOf(kRuns, [&] { WriteAndReadDirectly(sections, values); });

    const double tApply = MedianSecondsOf(kRuns, [&] {
        SECDockState state;
        state.LoadState(kProfile);
        pFrame->SetDockState(state);
    });
    const double tLoad = MedianSecondsOf(kRuns, [&] {
        SECDockState state;
        state.LoadState(kProfile);
    });

    std::printf("%4d bars, %zu records, %zu values\n", nBars, sections.size() - 1, values.size());
    std::printf("  dock state save + load : %8.2f ms median of %d (%.1f us per bar)\n", tSave * 1e3, kRuns,
                tSave * 1e6 / nBars);
    std::printf("  profile functions      : %8.2f ms median of %d (%.1f us per bar)\n", tDirect * 1e3, kRuns,
                tDirect * 1e6 / nBars);
    std::printf("  ratio                  : %8.2f (target at most 1.5)\n", tSave / tDirect);
    std::printf("  SetState per bar       : %8.1f us\n", (tApply - tLoad) * 1e6 / nBars);

    for (const CString& section : sections)
        AfxGetApp()->WriteProfileString(section, nullptr, nullptr);
    pFrame->DestroyWindow();
}
} // namespace

int main()
{
    BenchApp app;
    app.SetRegistryKey(_T("Lumiter5 Bench"));
    Measure(50);
    Measure(500);
    return 0;
}
