// Pages a report-mode list view of 5 columns from top to bottom: the toolkit's list view filling
// a hidden frame's 800 x 600 client area, one SB_PAGEDOWN and one paint into a memory DC per
// page, against the system's list view in report mode with the same texts, scrolled a page with
// LVM_SCROLL and painted with WM_PRINTCLIENT into the same DC. A run pages the whole list once;
// the figure is the median of 5 runs of its time per page. Prints both at 100,000 items, their
// ratio, and the toolkit view's page time at 10,000 items against that at 100,000. Then the same
// view whose owner answers every cell and asks to keep its answer (LVIF_DI_SETITEM): its first
// paging, and its paging against the stored view's, the two taking turns run after run.
#include <toolkit/lists/ListView.h>
#include <BenchCanvas.h>
#include <BenchFigures.h>

#include <afxwin.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using tarnwick::lists::LVS_SEC_REPORT;
using tarnwick::lists::SECListView;

namespace
{
const CRect kRect(0, 0, 800, 600);
const int kColumns = 5;
const int kColumnWidth = 150;
const int kRuns = 5;

// The text of a cell, the same for both lists.
CString CellText(int nItem, int nColumn)
{
    CString strText;
    if (nColumn == 0)
        strText.Format(L"Statistics record %06d", nItem);
    else
        strText.Format(L"value %d.%d", nItem % 997, nColumn);
    return strText;
}

CString Heading(int nColumn)
{
    CString strHeading;
    strHeading.Format(L"Column %d", nColumn + 1);
    return strHeading;
}

// A hidden frame whose client area the list view fills; with owner data the frame answers the
// cells and asks the view to keep the answers.
class PagingFrame : public CFrameWnd
{
public:
    PagingFrame(int nItems, bool bOwnerData)
    {
        CRect rect = kRect;
        ::AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CLIENTEDGE);
        Create(nullptr, L"Paging", WS_OVERLAPPEDWINDOW, CRect(0, 0, rect.Width(), rect.Height()));
        m_pList = new SECListView;
        m_pList->CreateFromRect(WS_CHILD | WS_VISIBLE | LVS_SEC_REPORT, 0, CRect(0, 0, 10, 10), this,
                                AFX_IDW_PANE_FIRST);
        for (int nColumn = 0; nColumn < kColumns; ++nColumn)
            m_pList->AddColumn(Heading(nColumn), LVCFMT_LEFT, kColumnWidth, nColumn);
        for (int nItem = 0; nItem < nItems; ++nItem)
        {
            // A new item's sub-items ask the owner already.
            m_pList->InsertItemText(nItem, bOwnerData ? LPSTR_TEXTCALLBACKW : CellText(nItem, 0).GetString());
            for (int nColumn = 1; nColumn < kColumns && !bOwnerData; ++nColumn)
                m_pList->SetItemText(nItem, nColumn, CellText(nItem, nColumn));
        }
        RecalcLayout();
    }

    // The owner's answers so far.
    long long Asked() const
    {
        return m_nAsked;
    }

    // One run: from the top, a page down and a paint per page until the last page; the time
    // per page.
    double PageSeconds(CDC& target)
    {
        m_pList->SendMessage(WM_VSCROLL, SB_TOP);
        m_pList->DrawControl(&target);
        int nPages = 0;
        const Clock::time_point start = Clock::now();
        for (int nTop = -1; nTop != m_pList->GetTopIndex(); ++nPages)
        {
            nTop = m_pList->GetTopIndex();
            m_pList->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
            m_pList->DrawControl(&target);
        }
        return Seconds(Clock::now() - start) / nPages;
    }

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        auto* pInfo = reinterpret_cast<NMLVDISPINFOW*>(lParam);
        if (pInfo->hdr.code != LVN_GETDISPINFOW)
            return CFrameWnd::OnNotify(wParam, lParam, pResult);
        ++m_nAsked;
        if (pInfo->item.mask & LVIF_TEXT)
            lstrcpynW(pInfo->item.pszText, CellText(pInfo->item.iItem, pInfo->item.iSubItem), pInfo->item.cchTextMax);
        pInfo->item.mask |= LVIF_DI_SETITEM;
        *pResult = 0;
        return TRUE;
    }

private:
    SECListView* m_pList = nullptr; // deleted with its window
    long long m_nAsked = 0;
};

// The median of the runs' figures.
template <class Run> double MedianOfRuns(Run run)
{
    std::vector<double> figures;
    for (int i = 0; i < kRuns; ++i)
        figures.push_back(run());
    return Median(figures);
}

double ToolkitPageSeconds(int nItems)
{
    auto* pFrame = new PagingFrame(nItems, false);
    BenchCanvas target(kRect.Width(), kRect.Height());
    const double dPage = MedianOfRuns([&] { return pFrame->PageSeconds(target.Dc()); });
    pFrame->DestroyWindow();
    return dPage;
}

// The view with owner data against the stored one: the owner's first paging, the owner's
// answers per cell, and the medians of the two taking turns.
struct OwnerDataFigures
{
    double dFirst;
    double dAskedPerCell;
    double dOwner;
    double dStored;
};

OwnerDataFigures CompareOwnerData(int nItems)
{
    auto* pStored = new PagingFrame(nItems, false);
    auto* pOwner = new PagingFrame(nItems, true);
    BenchCanvas target(kRect.Width(), kRect.Height());
    OwnerDataFigures figures = {};
    figures.dFirst = pOwner->PageSeconds(target.Dc());
    std::vector<double> owner;
    std::vector<double> stored;
    for (int i = 0; i < kRuns; ++i)
    {
        stored.push_back(pStored->PageSeconds(target.Dc()));
        owner.push_back(pOwner->PageSeconds(target.Dc()));
    }
    figures.dAskedPerCell = static_cast<double>(pOwner->Asked()) / (static_cast<double>(nItems) * kColumns);
    figures.dOwner = Median(owner);
    figures.dStored = Median(stored);
    pOwner->DestroyWindow();
    pStored->DestroyWindow();
    return figures;
}

// The same paging through the system's list view in report mode.
double SystemPageSeconds(CWnd& parent, int nItems)
{
    HWND hList = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, kRect.Width(), kRect.Height(),
                                   parent.GetSafeHwnd(), nullptr, nullptr, nullptr);
    for (int nColumn = 0; nColumn < kColumns; ++nColumn)
    {
        CString strHeading = Heading(nColumn);
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = kColumnWidth;
        column.pszText = strHeading.GetBuffer();
        ::SendMessageW(hList, LVM_INSERTCOLUMNW, nColumn, reinterpret_cast<LPARAM>(&column));
    }
    ::SendMessageW(hList, LVM_SETITEMCOUNT, nItems, 0);
    for (int nItem = 0; nItem < nItems; ++nItem)
    {
        CString strText = CellText(nItem, 0);
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = nItem;
        item.pszText = strText.GetBuffer();
        ::SendMessageW(hList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (item.iSubItem = 1; item.iSubItem < kColumns; ++item.iSubItem)
        {
            strText = CellText(nItem, item.iSubItem);
            item.pszText = strText.GetBuffer();
            ::SendMessageW(hList, LVM_SETITEMTEXTW, nItem, reinterpret_cast<LPARAM>(&item));
        }
    }
    const int nPage = std::max(1, static_cast<int>(::SendMessageW(hList, LVM_GETCOUNTPERPAGE, 0, 0)));
    RECT rectItem = {LVIR_BOUNDS, 0, 0, 0};
    ::SendMessageW(hList, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rectItem));
    const int nPagePixels = nPage * (rectItem.bottom - rectItem.top);
    BenchCanvas target(kRect.Width(), kRect.Height());
    const auto paint = [&] {
        ::SendMessageW(hList, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.Dc().m_hDC), PRF_CLIENT);
    };
    const auto topIndex = [&] { return static_cast<int>(::SendMessageW(hList, LVM_GETTOPINDEX, 0, 0)); };
    const double dPage = MedianOfRuns([&] {
        ::SendMessageW(hList, LVM_ENSUREVISIBLE, 0, FALSE);
        paint();
        int nPages = 0;
        const Clock::time_point start = Clock::now();
        for (int nTop = -1; nTop != topIndex(); ++nPages)
        {
            nTop = topIndex();
            ::SendMessageW(hList, LVM_SCROLL, 0, nPagePixels);
            paint();
        }
        return Seconds(Clock::now() - start) / nPages;
    });
    ::DestroyWindow(hList);
    return dPage;
}
} // namespace

int main()
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&init);
    CWnd parent;
    parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, kRect.Width(), kRect.Height(), nullptr, nullptr);

    const double dSmall = ToolkitPageSeconds(10000);
    const double dToolkit = ToolkitPageSeconds(100000);
    const double dSystem = SystemPageSeconds(parent, 100000);
    std::printf("report list of %d columns paged top to bottom in 800 x 600, median of %d runs, per page\n", kColumns,
                kRuns);
    std::printf("100,000 items: list view %.3f ms, system list view %.3f ms, ratio %.2f (target at most 2)\n",
                dToolkit * 1000, dSystem * 1000, dToolkit / dSystem);
    std::printf("list view, 10,000 items: %.3f ms; ratio 100,000 / 10,000: %.2f (target at most 1.2)\n", dSmall * 1000,
                dToolkit / dSmall);
    const OwnerDataFigures owner = CompareOwnerData(100000);
    std::printf("owner data kept with LVIF_DI_SETITEM, 100,000 items: first paging %.3f ms, %.2f questions per cell "
                "over all runs\n",
                owner.dFirst * 1000, owner.dAskedPerCell);
    std::printf("then %.3f ms against the stored list's %.3f ms, ratio %.2f (target at most 1)\n", owner.dOwner * 1000,
                owner.dStored * 1000, owner.dOwner / owner.dStored);
    parent.DestroyWindow();
    return 0;
}
