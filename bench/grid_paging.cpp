// Pages a grid of 20 columns (four each of text, two-place numbers, dates in date-time cells,
// 3-D check boxes and static text; headers on) from top to bottom: the top row is set to each
// page's first row and the grid is drawn once into an 800 × 600 memory DC. The peer is the
// system's list view in report mode with the same columns and texts (owner data), scrolled a
// page with LVM_SCROLL and painted with WM_PRINTCLIENT into the same DC. Prints the median time
// per page of each at 100,000 rows, their ratio, and the grid's page time at 1,000 rows; then the
// grid's page time with every column a check box, the cell kind that draws with theme data, and
// the theme data opened per page. Run it in a prefix with a visual style active: the system's
// visual-styles library is bound with the common controls reported as 6.0, as a manifest would.
#include <grid/core/GridInit.h>
#include <grid/core/GridWnd.h>
#include <grid/core/Style.h>
#include <BenchCanvas.h>
#include <BenchFigures.h>
#include <toolkit/foundation/VisualStyle.h>

#include <afxwin.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace
{
const CRect kRect(0, 0, 800, 600);
const ROWCOL kCols = 20;
const WORD kControls[] = {52512, 0, 52543, 52523, 52513};
const WORD kCheckBoxes[] = {52523, 52523, 52523, 52523, 52523};
const int kNumberFormat = 2;

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

// The cell texts of both peers, made on demand from the row and the column.
CString CellText(ROWCOL nRow, ROWCOL nCol)
{
    CString strText;
    switch ((nCol - 1) / 4)
    {
    case 0:
        strText.Format(L"host%05lu-%lu", static_cast<unsigned long>(nRow), static_cast<unsigned long>(nCol));
        break;
    case 1:
        strText.Format(L"%.2f", nRow * 1.25 + nCol);
        break;
    case 2:
        strText.Format(L"%lu", 36526UL + (nRow * 7 + nCol) % 9000);
        break;
    case 3:
        strText = (nRow + nCol) % 2 != 0 ? L"1" : L"0";
        break;
    default:
        strText.Format(L"static %lu", static_cast<unsigned long>(nRow));
        break;
    }
    return strText;
}

// A grid whose cells take their values from CellText, as an owner-data list does.
class PagingGrid : public CGXGridWnd
{
public:
    BOOL GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, int nMode, int nType) override
    {
        const BOOL bStored = CGXGridWnd::GetStyleRowCol(nRow, nCol, style, nMode, nType);
        if (nType < 0 || nRow == 0 || nCol == 0 || nRow == GX_INVALID || nCol == GX_INVALID || nCol > kCols)
            return bStored;
        style.SetValue(CellText(nRow, nCol));
        return TRUE;
    }
};


// The median time per page of drawing the grid of nRows rows from top to bottom, with the
// controls of each group of four columns (0: two-place numbers in the standard control), and
// the theme data opened per page.
double GridPageSeconds(CWnd& parent, ROWCOL nRows, const WORD (&controls)[5] = kControls,
                       double* pOpensPerPage = nullptr)
{
    PagingGrid grid;
    grid.Create(L"GXWND", nullptr, WS_CHILD, kRect, &parent, 1);
    grid.Initialize();
    grid.SetRowCount(nRows);
    grid.SetColCount(kCols);
    for (ROWCOL nCol = 1; nCol <= kCols; ++nCol)
    {
        CGXStyle style;
        const int nKind = static_cast<int>((nCol - 1) / 4);
        if (controls[nKind] != 0)
            style.SetControl(controls[nKind]);
        else
            style.SetFormat(kNumberFormat).SetPlaces(2).SetValueType(CGXStyle::valueNumber);
        grid.SetStyleRangeShort(CGXRange().SetCols(nCol, nCol), style);
        grid.SetValueRange(CGXRange(0, nCol), CellText(1, nCol).Left(4));
        grid.SetColWidth(nCol, nCol, 80);
    }
    BenchCanvas target(kRect.Width(), kRect.Height());
    grid.DrawGrid(&target.Dc());
    const ROWCOL nPage = std::max<ROWCOL>(1, grid.GetLastVisibleRow() - grid.GetTopRow());
    std::vector<double> pages;
    g_nThemeOpens = 0;
    for (ROWCOL nTop = 1; nTop <= nRows; nTop += nPage)
    {
        const Clock::time_point start = Clock::now();
        grid.SetTopRow(nTop, 0, FALSE);
        grid.DrawGrid(&target.Dc());
        pages.push_back(Seconds(Clock::now() - start));
    }
    grid.DestroyWindow();
    if (pOpensPerPage != nullptr)
        *pOpensPerPage = g_nThemeOpens / static_cast<double>(pages.size());
    return Median(pages);
}

LRESULT CALLBACK ListParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY)
    {
        auto* pInfo = reinterpret_cast<NMLVDISPINFOW*>(lParam);
        if (pInfo->hdr.code == LVN_GETDISPINFOW && (pInfo->item.mask & LVIF_TEXT) != 0)
        {
            const CString strText =
                CellText(static_cast<ROWCOL>(pInfo->item.iItem) + 1, static_cast<ROWCOL>(pInfo->item.iSubItem) + 1);
            lstrcpynW(pInfo->item.pszText, strText, pInfo->item.cchTextMax);
        }
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// The median time per page of scrolling the owner-data list view a page and painting it.
double ListPageSeconds(int nRows)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ListParentProc;
    wc.lpszClassName = L"GridPagingListParent";
    ::RegisterClassW(&wc);
    HWND hParent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, kRect.Width(), kRect.Height(), nullptr,
                                     nullptr, nullptr, nullptr);
    HWND hList = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT | LVS_OWNERDATA, 0, 0, kRect.Width(),
                                   kRect.Height(), hParent, nullptr, nullptr, nullptr);
    ::SendMessageW(hList, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
    for (ROWCOL nCol = 1; nCol <= kCols; ++nCol)
    {
        CString strTitle = CellText(1, nCol).Left(4);
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
} // namespace

int main()
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&init);
    GXInitLibraryDefault();
    CWnd parent;
    parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, kRect.Width(), kRect.Height(), nullptr, nullptr);

    SECSetLibraryBinding({&::LoadLibraryW, &BenchGetProcAddress, &::FreeLibrary});
    const BOOL bThemed = SECIsThemeActive() && SECIsAppThemed();
    const double dGridSmall = GridPageSeconds(parent, 1000);
    double dGridOpens = 0;
    const double dGrid = GridPageSeconds(parent, 100000, kControls, &dGridOpens);
    const double dList = ListPageSeconds(100000);
    double dCheckBoxOpens = 0;
    const double dCheckBoxes = GridPageSeconds(parent, 100000, kCheckBoxes, &dCheckBoxOpens);
    std::printf("paging %lu columns into an 800 x 600 memory DC (median per page)\n", static_cast<unsigned long>(kCols));
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
