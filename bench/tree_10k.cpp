// Builds a tree of 10,000 items (100 top-level items with 99 children each) in a hidden 400 × 600
// window, expands every item and paints the whole window once into a memory DC, with the
// toolkit's tree and with the system's tree view (TVM_INSERTITEM, TVM_EXPAND, WM_PRINTCLIENT),
// and prints the median time of 5 runs of each and their ratio.
#include <toolkit/lists/TreeCtrl.h>
#include <BenchCanvas.h>
#include <BenchFigures.h>

#include <afxcmn.h>
#include <afxwin.h>

#include <cstdio>
#include <vector>

using tarnwick::lists::SECTreeCtrl;

namespace
{
const int kTopItems = 100;
const int kChildren = 99;
const int kRuns = 5;
const CRect kRect(0, 0, 400, 600);
const DWORD kStyle = WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;


void FillToolkitTree(CWnd& parent)
{
    auto* pTree = new SECTreeCtrl;
    pTree->CreateFromRect(kStyle, 0, kRect, &parent, 1);
    wchar_t text[32];
    for (int i = 0; i < kTopItems; ++i)
    {
        _snwprintf(text, 32, L"Item %d", i);
        HTREEITEM hTop = pTree->InsertItem(text);
        for (int j = 0; j < kChildren; ++j)
        {
            _snwprintf(text, 32, L"Child %d.%d", i, j);
            pTree->InsertItem(text, hTop);
        }
    }
    pTree->ExpandAll(TVI_ROOT);
    BenchCanvas target(kRect.Width(), kRect.Height());
    pTree->DrawControl(&target.Dc());
    pTree->DestroyWindow();
    delete pTree;
}

void FillSystemTree(CWnd& parent)
{
    HWND hTree = ::CreateWindowExW(0, WC_TREEVIEWW, L"", kStyle, kRect.left, kRect.top, kRect.Width(), kRect.Height(),
                                   parent.GetSafeHwnd(), nullptr, nullptr, nullptr);
    wchar_t text[32];
    TVINSERTSTRUCTW insert = {};
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = text;
    for (int i = 0; i < kTopItems; ++i)
    {
        _snwprintf(text, 32, L"Item %d", i);
        insert.hParent = TVI_ROOT;
        auto hTop =
            reinterpret_cast<HTREEITEM>(::SendMessageW(hTree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
        insert.hParent = hTop;
        for (int j = 0; j < kChildren; ++j)
        {
            _snwprintf(text, 32, L"Child %d.%d", i, j);
            ::SendMessageW(hTree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
        }
        ::SendMessageW(hTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hTop));
    }
    BenchCanvas target(kRect.Width(), kRect.Height());
    ::SendMessageW(hTree, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target.Dc().m_hDC), PRF_CLIENT);
    ::DestroyWindow(hTree);
}
} // namespace

int main()
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&init);
    CWnd parent;
    parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 400, 600, nullptr, nullptr);

    const double dToolkit = MedianSecondsOf(kRuns, [&] { FillToolkitTree(parent); });
    const double dSystem = MedianSecondsOf(kRuns, [&] { FillSystemTree(parent); });
    std::printf("tree of %d items, insert, expand all and paint once (median of %d runs)\n",
                kTopItems * (kChildren + 1), kRuns);
    std::printf("  toolkit tree:     %8.2f ms\n", dToolkit * 1000);
    std::printf("  system tree view: %8.2f ms\n", dSystem * 1000);
    std::printf("  ratio:            %8.2f\n", dToolkit / dSystem);
    parent.DestroyWindow();
    return 0;
}
