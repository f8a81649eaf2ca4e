// Pages a grid of 20 columns (four each of text, two-place numbers, dates in date-time cells,
// 3-D check boxes and static text; headers on) from top to bottom: the top row is set to each
// page's first row and the grid is drawn once into an 800 × 600 memory DC. The peer is the
// system's list view in report mode with the same columns and texts (owner data), scrolled a
// page with LVM_SCROLL and painted with WM_PRINTCLIENT into the same DC. Prints the median time
// per page of each at 100,000 rows, their ratio, and the grid's page time at 1,000 rows; then the
// grid's page time with every column a check box, the cell kind that draws with theme data, and
// the theme data opened per page. Run it in a prefix with a visual style active: the system's
// visual-styles library is bound with the common controls reported as 6.0, as a manifest would.
// With the argument "cells" it pages the other cell kinds instead, four columns each: list boxes
// of five choices, progress bars from 0 to 100 with the caption "%d %%", push buttons, 3-D radio
// buttons and horizontal radio buttons with an active state, against the list view with the
// same value texts.
#include "PagingGrid.h"

#include <grid/core/GridInit.h>
#include <grid/core/ResourceIds.h>
#include <toolkit/foundation/VisualStyle.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace
{
using namespace paging;

const WORD kCheckBoxes[] = {52523, 52523, 52523, 52523, 52523};

// The "cells" case: the choices of the list boxes and radio buttons, the push buttons' caption.
const LPCWSTR kListChoices[] = {L"Dialog", L"Batch", L"Update", L"Spool", L"Enqueue"};
const LPCWSTR kRadioChoices[] = {L"Daily", L"Weekly", L"Monthly"};
const LPCWSTR kCaption = L"Collect";

template <size_t N> CString ChoiceList(const LPCWSTR (&choices)[N])
{
    CString strList = choices[0];
    for (size_t i = 1; i < N; ++i)
        strList += CString(L"\n") + choices[i];
    return strList;
}

CString KindsCellText(ROWCOL nRow, ROWCOL nCol)
{
    CString strText;
    switch ((nCol - 1) / 4)
    {
    case 0:
        strText = kListChoices[(nRow + nCol) % 5];
        break;
    case 1:
        strText.Format(L"%lu", static_cast<unsigned long>((nRow * 7 + nCol) % 101));
        break;
    case 2:
        strText = kCaption;
        break;
    case 3:
        strText.Format(L"%lu", static_cast<unsigned long>((nRow + nCol) % 3));
        break;
    default:
        strText = (nRow + nCol) % 2 != 0 ? L"1" : L"0";
        break;
    }
    return strText;
}

void KindsColumnStyles(CGXStyle (&groups)[5])
{
    groups[0].SetControl(GX_IDS_CTRL_LISTBOX).SetChoiceList(ChoiceList(kListChoices));
    groups[1]
        .SetControl(GX_IDS_CTRL_PROGRESS)
        .SetUserAttribute(GX_IDS_UA_PROGRESS_LOW, L"0")
        .SetUserAttribute(GX_IDS_UA_PROGRESS_HIGH, L"100")
        .SetUserAttribute(GX_IDS_UA_PROGRESS_CAPTION, L"%d %%");
    groups[2].SetControl(GX_IDS_CTRL_PUSHBUTTON).SetChoiceList(kCaption);
    groups[3].SetControl(GX_IDS_CTRL_RADIO_3D).SetChoiceList(ChoiceList(kRadioChoices));
    // Horizontal, the labels right of their buttons.
    groups[4]
        .SetControl(GX_IDS_CTRL_RADIO_ACTIVE)
        .SetChoiceList(L"On\nOff")
        .SetUserAttribute(GX_IDS_UA_RADIO_ALIGNMENT, L"1")
        .SetUserAttribute(GX_IDS_UA_RADIO_TEXT_ALIGNMENT, L"1");
}

// The system's libraries, the common controls answering 6.0 and the theme opens counted.
int g_nThemeOpens = 0;

HRESULT CALLBACK ComCtl6Version(DWORD* pInfo)
{
    pInfo[1] = 6; // the major and minor version of a DLLVERSIONINFO
    pInfo[2] = 0;
    return S_OK;
}

HTHEME WINAPI CountedOpenThemeData(HWND hWnd, LPCWSTR pszClass)
{
    ++g_nThemeOpens;
    static auto pfn = reinterpret_cast<HTHEME(WINAPI*)(HWND, LPCWSTR)>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"UXTHEME.DLL"), "OpenThemeData")));
    return pfn(hWnd, pszClass);
}

FARPROC WINAPI BenchGetProcAddress(HMODULE hModule, LPCSTR pszName)
{
    if (std::strcmp(pszName, "DllGetVersion") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&ComCtl6Version));
    if (std::strcmp(pszName, "OpenThemeData") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&CountedOpenThemeData));
    return ::GetProcAddress(hModule, pszName);
}

// The median time per page of drawing the grid of nRows rows from top to bottom, with the
// controls of each group of four columns, and the theme data opened per drawing.
double GridPageSeconds(CWnd& parent, ROWCOL nRows, const WORD (&controls)[5] = kControls,
                       double* pOpensPerPage = nullptr)
{
    PagingGrid grid;
    SetUpGrid(grid, parent, nRows, controls);
    g_nThemeOpens = 0;
    size_t nDraws = 0;
    const double dSeconds = PageSeconds(grid, &nDraws);
    grid.DestroyWindow();
    if (pOpensPerPage != nullptr)
        *pOpensPerPage = g_nThemeOpens / static_cast<double>(nDraws);
    return dSeconds;
}

// The same for the "cells" case.
double KindsPageSeconds(CWnd& parent, ROWCOL nRows)
{
    PagingGrid grid(KindsCellText);
    CGXStyle groups[5];
    KindsColumnStyles(groups);
    SetUpGrid(grid, parent, nRows, groups, KindsCellText);
    const double dSeconds = PageSeconds(grid);
    grid.DestroyWindow();
    return dSeconds;
}

LRESULT CALLBACK ListParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY)
    {
        auto* pInfo = reinterpret_cast<NMLVDISPINFOW*>(lParam);
        if (pInfo->hdr.code == LVN_GETDISPINFOW && (pInfo->item.mask & LVIF_TEXT) != 0)
        {
            const auto pfnText = reinterpret_cast<CellTextFunction>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
            const CString strText =
                pfnText(static_cast<ROWCOL>(pInfo->item.iItem) + 1, static_cast<ROWCOL>(pInfo->item.iSubItem) + 1);
            lstrcpynW(pInfo->item.pszText, strText, pInfo->item.cchTextMax);
        }
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// The median time per page of scrolling the owner-data list view of the texts a page and
// painting it.
double ListPageSeconds(int nRows, CellTextFunction pfnText = CellText)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ListParentProc;
    wc.lpszClassName = L"GridPagingListParent";
    ::RegisterClassW(&wc);
    HWND hParent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, kRect.Width(), kRect.Height(), nullptr,
                                     nullptr, nullptr, nullptr);
    ::SetWindowLongPtrW(hParent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pfnText));
    HWND hList = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT | LVS_OWNERDATA, 0, 0, kRect.Width(),
                                   kRect.Height(), hParent, nullptr, nullptr, nullptr);
    ::SendMessageW(hList, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
    for (ROWCOL nCol = 1; nCol <= kCols; ++nCol)
    {
        CString strTitle = pfnText(1, nCol).Left(4);
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 80;
        column.pszText = strTitle.GetBuffer();
        ::SendMessageW(hList, LVM_INSERTCOLUMNW, nCol - 1, reinterpret_cast<LPARAM>(&column));
    }
    ::SendMessageW(hList, LVM_SETITEMCOUNT, nRows, 0);
    const int nPage = std::max(1, static_cast<int>(::SendMessageW(hList, LVM_GETCOUNTPERPAGE, 0, 0)));
    RECT rectItem = {LVIR_BOUNDS, 0, 0, 0};
    ::SendMessageW(hList, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rectItem));
    const int nPagePixels = nPage * (rectItem.bottom - rectItem.top);
    BenchCanvas target(kRect.Width(), kRect.Height());
    ::SendMessageW(hList, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.Dc().m_hDC), PRF_CLIENT);
    std::vector<double> pages;
    for (int nTop = 0; nTop < nRows; nTop += nPage)
    {
        const Clock::time_point start = Clock::now();
        if (nTop > 0)
            ::SendMessageW(hList, LVM_SCROLL, 0, nPagePixels);
        ::SendMessageW(hList, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.Dc().m_hDC), PRF_CLIENT);
        pages.push_back(Seconds(Clock::now() - start));
    }
    ::DestroyWindow(hParent);
    return Median(pages);
}

// The "cells" case: the three medians and their ratios in three lines.
void PageCellKinds(CWnd& parent)
{
    const double dGridSmall = KindsPageSeconds(parent, 1000);
    const double dGrid = KindsPageSeconds(parent, 100000);
    const double dList = ListPageSeconds(100000, KindsCellText);
    std::printf("cells: grid, 100,000 rows %.3f ms, 1,000 rows %.3f ms (median per page)\n", dGrid * 1000,
                dGridSmall * 1000);
    std::printf("cells: list view, 100,000 rows %.3f ms; grid / list view %.2f (target at most 2)\n", dList * 1000,
                dGrid / dList);
    std::printf("cells: grid 100,000 / 1,000 rows %.2f (target at most 1.2)\n", dGrid / dGridSmall);
}
} // namespace

int main(int argc, char* argv[])
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&init);
    GXInitLibraryDefault();
    CWnd parent;
    parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, kRect.Width(), kRect.Height(), nullptr, nullptr);
    if (argc > 1 && std::strcmp(argv[1], "cells") == 0)
    {
        PageCellKinds(parent);
        parent.DestroyWindow();
        return 0;
    }

    SECSetLibraryBinding({&::LoadLibraryW, &BenchGetProcAddress, &::FreeLibrary});
    const BOOL bThemed = SECIsThemeActive() && SECIsAppThemed();
    const double dGridSmall = GridPageSeconds(parent, 1000);
    double dGridOpens = 0;
    const double dGrid = GridPageSeconds(parent, 100000, kControls, &dGridOpens);
    const double dList = ListPageSeconds(100000);
    double dCheckBoxOpens = 0;
    const double dCheckBoxes = GridPageSeconds(parent, 100000, kCheckBoxes, &dCheckBoxOpens);
    std::printf("paging %lu columns into an 800 x 600 memory DC (median per page)\n",
                static_cast<unsigned long>(kCols));
    std::printf("  visual styles %s\n", bThemed ? "on" : "off");
    std::printf("  grid, 100,000 rows:      %8.3f ms, %.1f theme opens per page\n", dGrid * 1000, dGridOpens);
    std::printf("  list view, 100,000 rows: %8.3f ms\n", dList * 1000);
    std::printf("  ratio grid / list view:  %8.2f (target at most 2)\n", dGrid / dList);
    std::printf("  grid, 1,000 rows:        %8.3f ms\n", dGridSmall * 1000);
    std::printf("  ratio 100,000 / 1,000:   %8.2f (target at most 1.2)\n", dGrid / dGridSmall);
    std::printf("  grid of check boxes only, 100,000 rows: %8.3f ms, %.1f theme opens per page\n", dCheckBoxes * 1000,
                dCheckBoxOpens);
    parent.DestroyWindow();
    return 0;
}
