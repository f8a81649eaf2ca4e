// The list and tree views: a list in a framework view, its notifications and lifetime, and its
// printing and preview on a stand-in printer (96-dpi screen, 600-dpi printer of 4800 x 6600 dots).
#include <toolkit/lists/TreeView.h>

#include <afxdlgs.h>
#include <afxpriv.h>
#include <afxres.h>

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>
#include <testing/PrinterStandIn.h>

#include "NotifyLog.h"

using tarnwick::lists::LVS_SEC_REPORT;
using tarnwick::lists::SECListCtrl;
using tarnwick::lists::SECListView;
using tarnwick::lists::SECTreeView;

namespace
{
bool g_bViewDeleted = false;

// Counts its page steps and records the top row of every page it prints.
class ProbeListView : public SECListView
{
public:
    ~ProbeListView() override
    {
        g_bViewDeleted = true;
    }
    BOOL NextPrintPage(CDC* pDC) override
    {
        ++m_nPageSteps;
        return SECListView::NextPrintPage(pDC);
    }
    void OnDraw(CDC* pDC) override
    {
        if (pDC->IsPrinting())
            m_printedTops.push_back(GetTopIndex());
        SECListView::OnDraw(pDC);
    }
    BOOL CreatePrintFonts(CDC* pDC) override
    {
        return m_bFontsFail ? FALSE : SECListView::CreatePrintFonts(pDC);
    }
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        ++m_nEndPrinting;
        SECListView::OnEndPrinting(pDC, pInfo);
    }

    // The pagination cursor, set as a page step would.
    void SetTopRow(int nRow)
    {
        m_nTopIndex = nRow;
    }

    int m_nPageSteps = 0;
    int m_nEndPrinting = 0;
    BOOL m_bFontsFail = FALSE;
    std::vector<int> m_printedTops;
};

// A frame that logs the notifications it receives.
class NotifyFrame : public CFrameWnd
{
public:
    struct Entry
    {
        UINT_PTR idFrom;
        HWND hwndFrom;
        UINT code;
    };
    std::vector<Entry> m_entries;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        m_entries.push_back({pHdr->idFrom, pHdr->hwndFrom, pHdr->code});
        *pResult = 0;
        return TRUE;
    }
};

// A hidden frame whose pane is a report-mode list view of one column.
class ListViewTest : public ::testing::Test
{
protected:
    StandInPrinterApp m_app{_T("Lists")};
    NotifyFrame* m_pFrame = nullptr;
    ProbeListView* m_pView = nullptr;

    void SetUp() override
    {
        g_bViewDeleted = false;
        m_pFrame = new NotifyFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Lists"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
        m_app.m_pMainWnd = m_pFrame;
        m_pView = new ProbeListView;
        ASSERT_TRUE(m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | LVS_SEC_REPORT, CRect(0, 0, 380, 260),
                                    m_pFrame, AFX_IDW_PANE_FIRST));
        m_pFrame->SetActiveView(m_pView);
        m_pFrame->RecalcLayout();
        // Shown, so that invalidation leaves an update region; never activated.
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        m_pView->AddColumn(L"Name", LVCFMT_LEFT, 200);
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        PumpPendingMessages();
    }
    void Fill(int nItems)
    {
        m_pView->DeleteAllItems();
        for (int i = 0; i < nItems; i++)
            m_pView->InsertItemText(i, (L"row " + std::to_wstring(i)).c_str());
    }
    // The rows on one printed page, found by the view's own paging.
    int RowsPerPage()
    {
        Fill(400);
        CPrintInfo info;
        EXPECT_TRUE(m_pView->OnPreparePrinting(&info));
        m_pView->OnBeginPrinting(info.m_pPrinterDC, &info);
        m_pView->NextPrintPage(info.m_pPrinterDC);
        const int nRows = m_pView->GetTopIndex();
        m_pView->OnEndPrinting(info.m_pPrinterDC, &info);
        m_pView->m_nPageSteps = 0;
        m_pView->m_nEndPrinting = 0;
        return nRows;
    }
    int PagesPrinted() const
    {
        return static_cast<int>(std::count(m_app.m_journal.steps.begin(), m_app.m_journal.steps.end(), "StartPage"));
    }
};

TEST_F(ListViewTest, NotificationsGoToTheFrameAnotherParentOrTheOwnerWindow)
{
    Fill(3);
    m_pView->DeleteItem(0);
    ASSERT_FALSE(m_pFrame->m_entries.empty());
    const NotifyFrame::Entry entry = m_pFrame->m_entries.back();
    EXPECT_EQ(entry.code, UINT(LVN_DELETEITEM));
    EXPECT_EQ(entry.idFrom, UINT_PTR{0xE900});
    EXPECT_EQ(entry.hwndFrom, m_pView->m_hWnd);

    CNotifyLog owner;
    m_pView->SetOwnerData(&owner);
    const size_t nFrameEntries = m_pFrame->m_entries.size();
    m_pView->DeleteItem(0);
    EXPECT_EQ(owner.m_codes, std::vector<UINT>{UINT(LVN_DELETEITEM)});
    EXPECT_EQ(m_pFrame->m_entries.size(), nFrameEntries);
    m_pView->SetOwnerData(nullptr);

    // Under another parent, that parent.
    CNotifyLog parent;
    auto* pOther = new SECListView;
    ASSERT_TRUE(pOther->Create(nullptr, nullptr, WS_CHILD | LVS_SEC_REPORT, CRect(0, 0, 100, 100), &parent, 7));
    pOther->AddColumn(L"Name", LVCFMT_LEFT, 50);
    pOther->InsertItemText(0, L"one");
    pOther->DeleteItem(0);
    EXPECT_EQ(parent.m_codes, std::vector<UINT>{UINT(LVN_DELETEITEM)});
    pOther->DestroyWindow();
}

TEST_F(ListViewTest, TheViewGoesWithItsWindowTheControlDoesNot)
{
    m_pView->DestroyWindow();
    EXPECT_TRUE(g_bViewDeleted);
    m_pView = nullptr;

    CNotifyLog parent;
    SECListCtrl list;
    ASSERT_TRUE(list.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 50, 50), &parent, 1));
    list.DestroyWindow();
    EXPECT_EQ(list.GetSafeHwnd(), nullptr);
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ListViewTest, ScreenDrawingAndSubItems)
{
    Fill(2);
    // OnDraw draws on printer DCs only.
    MemoryCanvas canvas(100, 100, RGB(1, 2, 3));
    m_pView->OnDraw(&canvas.Dc());
    for (int y = 0; y < 100; y += 5)
        for (int x = 0; x < 100; x += 5)
            ASSERT_EQ(canvas.Pixel(x, y), RGB(1, 2, 3));

    m_pView->AddColumn(L"A", LVCFMT_LEFT, 40);
    m_pView->AddColumn(L"B", LVCFMT_LEFT, 40);
    m_pView->AddColumn(L"C", LVCFMT_LEFT, 40);
    m_pView->SetItemText(0, 3, L"c");
    auto* pItem = m_pView->GetItemAt(0);
    EXPECT_EQ(pItem->m_subItems.GetSize(), 3);
    EXPECT_TRUE(m_pView->DeleteAllSubItems(pItem));
    EXPECT_EQ(pItem->m_subItems.GetSize(), 0);
    EXPECT_TRUE(m_pView->DeleteAllSubItems(pItem));
}

TEST_F(ListViewTest, TheViewsBorderIsTheClientEdgeTheControlKeepsItsBorder)
{
    const DWORD dwStyle = WS_CHILD | WS_BORDER | LVS_SEC_REPORT;
    auto* pView = new SECListView;
    ASSERT_TRUE(pView->CreateFromRect(dwStyle, 0, CRect(0, 0, 50, 50), m_pFrame, 2));
    EXPECT_EQ(pView->GetStyle() & WS_BORDER, 0u);
    EXPECT_NE(pView->GetExStyle() & WS_EX_CLIENTEDGE, 0u);
    pView->DestroyWindow(); // deletes the view

    SECListCtrl control;
    ASSERT_TRUE(control.CreateFromRect(dwStyle, 0, CRect(0, 0, 50, 50), m_pFrame, 3));
    EXPECT_NE(control.GetStyle() & WS_BORDER, 0u);
    EXPECT_EQ(control.GetExStyle() & WS_EX_CLIENTEDGE, 0u);
}

TEST_F(ListViewTest, PageIsTheScreensPixelsOnThePrintersPage)
{
    Fill(5);
    CPrintInfo info;
    ASSERT_TRUE(m_pView->OnPreparePrinting(&info));
    EXPECT_EQ(info.m_pPD->m_pd.Flags & (PD_NOPAGENUMS | PD_NOSELECTION), DWORD{PD_NOPAGENUMS | PD_NOSELECTION});
    CDC* pDC = info.m_pPrinterDC;
    m_pView->OnBeginPrinting(pDC, &info);
    CRect rectPage;
    m_pView->GetListClientRect(rectPage);
    EXPECT_EQ(rectPage, CRect(0, 0, 768, 1056));
    BOOL bDelete = TRUE;
    EXPECT_EQ(m_pView->GetMeasureDC(&bDelete), pDC);
    EXPECT_FALSE(bDelete);
    CSize sizeRow(0, 16);
    pDC->LPtoDP(&sizeRow);
    EXPECT_EQ(sizeRow.cy, 100);

    // While printing the screen is not painted and keeps no invalid region.
    m_pView->Invalidate();
    EXPECT_TRUE(m_pView->GetUpdateRect(nullptr));
    m_pView->UpdateWindow();
    EXPECT_FALSE(m_pView->GetUpdateRect(nullptr));
    m_pView->OnEndPrinting(pDC, &info);
    m_pView->GetListClientRect(rectPage);
    CRect rectClient;
    m_pView->GetClientRect(&rectClient);
    EXPECT_EQ(rectPage, rectClient);
}

TEST_F(ListViewTest, RowsFillingTwoPagesPrintTwoEachWhereTheLastStopped)
{
    const int nRows = RowsPerPage();
    ASSERT_GT(nRows, 10);
    Fill(2 * nRows);
    CFont font;
    font.CreatePointFont(90, _T("Arial"));
    m_pView->SetItemFont(&font);
    m_pView->ScrollToTop(5);
    const int nTop = m_pView->GetTopIndex();
    const int nScroll = m_pView->GetScrollBarCtrl(SB_VERT)->GetScrollPos();
    m_pView->ValidateRect(nullptr);

    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(m_app.m_journal.Text(), "StartDoc StartPage EndPage StartPage EndPage EndDoc");
    EXPECT_EQ(m_pView->m_printedTops, (std::vector<int>{0, nRows}));
    // The screen as before, repainted.
    EXPECT_EQ(m_pView->GetTopIndex(), nTop);
    EXPECT_EQ(m_pView->GetItemFont(), static_cast<HFONT>(font.GetSafeHandle()));
    EXPECT_EQ(m_pView->GetHeaderFont(), static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    EXPECT_EQ(m_pView->GetScrollBarCtrl(SB_VERT)->GetScrollPos(), nScroll);
    EXPECT_TRUE(m_pView->GetUpdateRect(nullptr));
    EXPECT_EQ(m_pView->m_nEndPrinting, 1);

    m_app.m_journal.steps.clear();
    m_pView->InsertItemText(0, L"one more");
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(PagesPrinted(), 3);
    m_pView->SetItemFont(nullptr);
}

TEST_F(ListViewTest, EmptyListPrintsTheHeaderOnOnePage)
{
    bool bHeaderInked = false;
    m_app.m_journal.onEndPage = [&](const PrinterStandIn& printer) {
        // The header's 20 screen pixels are 125 dots.
        for (int y = 0; y < 125 && !bHeaderInked; y += 2)
            for (int x = 0; x < 1250 && !bHeaderInked; x += 2)
                bHeaderInked = printer.IsInked(x, y);
    };
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(m_app.m_journal.Text(), "StartDoc StartPage EndPage EndDoc");
    EXPECT_TRUE(bHeaderInked);
}

TEST_F(ListViewTest, PreviewRepagesFromRowZeroOnlyWhenThePageChanges)
{
    const int nRows = RowsPerPage();
    Fill(3 * nRows + 1);
    CPrintInfo info;
    info.m_bPreview = TRUE;
    ASSERT_TRUE(m_pView->OnPreparePrinting(&info));
    CDC* pDC = info.m_pPrinterDC;
    m_pView->OnBeginPrinting(pDC, &info);
    EXPECT_EQ(info.GetMaxPage(), 4u);
    EXPECT_EQ(m_pView->GetTopIndex(), 0);

    struct Step
    {
        UINT nPage;
        int nSteps;
        int nTop;
    };
    // Page 3 pages twice from row 0, page 1 starts again at row 0, page 1 again does nothing.
    for (const Step& step : {Step{3, 2, 2 * nRows}, Step{1, 0, 0}, Step{1, 0, 1}})
    {
        m_pView->m_nPageSteps = 0;
        if (step.nTop == 1)
            m_pView->SetTopRow(1);
        info.m_nCurPage = step.nPage;
        EXPECT_TRUE(m_pView->GoToPrintPage(step.nPage, pDC));
        EXPECT_EQ(m_pView->m_nPageSteps, step.nSteps) << step.nPage;
        EXPECT_EQ(m_pView->GetTopIndex(), step.nTop) << step.nPage;
    }
    m_pView->OnEndPrinting(pDC, &info);
}

TEST_F(ListViewTest, PrintFontsCopyTheScreensOrPrintNothing)
{
    Fill(3);
    CPrintInfo info;
    ASSERT_TRUE(m_pView->OnPreparePrinting(&info));
    m_pView->OnBeginPrinting(info.m_pPrinterDC, &info);
    LOGFONT lfPrint = {};
    LOGFONT lfGui = {};
    ASSERT_NE(m_pView->GetItemFont(), ::GetStockObject(DEFAULT_GUI_FONT));
    ::GetObject(m_pView->GetItemFont(), sizeof(lfPrint), &lfPrint);
    ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lfGui), &lfGui);
    EXPECT_STREQ(lfPrint.lfFaceName, lfGui.lfFaceName);
    EXPECT_EQ(lfPrint.lfHeight, lfGui.lfHeight);
    m_pView->OnEndPrinting(info.m_pPrinterDC, &info);
    EXPECT_EQ(m_pView->GetItemFont(), ::GetStockObject(DEFAULT_GUI_FONT));

    m_pView->m_bFontsFail = TRUE;
    Fill(100);
    m_pView->ScrollToTop(5);
    const int nTop = m_pView->GetTopIndex();
    ASSERT_GT(nTop, 0);
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(m_app.m_journal.Text(), "StartDoc EndDoc");
    EXPECT_EQ(m_pView->GetTopIndex(), nTop);
    EXPECT_FALSE(m_pView->IsPrintingList());
}

TEST_F(ListViewTest, RowTallerThanThePageGetsAPageOfItsOwn)
{
    // A page of 24 screen pixels: 4 below the header, less than any row.
    m_app.m_sizePage = CSize(4800, 150);
    Fill(3);
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(PagesPrinted(), 3);
    EXPECT_EQ(m_pView->m_printedTops, (std::vector<int>{0, 1, 2}));
}

TEST_F(ListViewTest, PreviewPagesAndCloses)
{
    const int nRows = RowsPerPage();
    Fill(2 * nRows);
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    auto* pPreview = DYNAMIC_DOWNCAST(CPreviewView, m_pFrame->GetActiveView());
    ASSERT_NE(pPreview, nullptr);
    CRect rectClient;
    pPreview->GetClientRect(&rectClient);
    MemoryCanvas canvas(rectClient.Width(), rectClient.Height(), RGB(0, 255, 0));
    pPreview->OnDraw(&canvas.Dc());
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(pPreview->GetCurrentPage(), 2u);
    pPreview->OnDraw(&canvas.Dc());
    EXPECT_EQ(m_pView->m_printedTops, (std::vector<int>{0, nRows}));
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(pPreview->GetCurrentPage(), 2u);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_PREV);
    EXPECT_EQ(pPreview->GetCurrentPage(), 1u);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    PumpPendingMessages();
    EXPECT_EQ(m_pFrame->GetActiveView(), m_pView);
    EXPECT_EQ(m_pView->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(m_pView->m_nEndPrinting, 1);
    EXPECT_EQ(m_pView->GetTopIndex(), 0);
    EXPECT_TRUE(m_app.m_journal.steps.empty());
}

TEST_F(ListViewTest, NoPrinterSaysSo)
{
    m_app.m_bStandIn = false;
    Fill(3);
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    ASSERT_EQ(m_app.m_messages.size(), 1u);
    EXPECT_TRUE(m_app.m_journal.steps.empty());
    EXPECT_EQ(m_pView->m_nEndPrinting, 0);
}

TEST(TreeViewTest, TreeViewKeepsColumnTextsAndPrints)
{
    StandInPrinterApp app(_T("Trees"));
    CNotifyLog parent;
    auto* pTree = new SECTreeView;
    ASSERT_TRUE(pTree->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 3));
    EXPECT_FALSE(pTree->HasSubItemTexts());
    pTree->EnableSubItemTextStorage(TRUE);
    EXPECT_TRUE(pTree->HasSubItemTexts());
    pTree->AddColumn(L"Name", LVCFMT_LEFT, 100);
    pTree->AddColumn(L"Size", LVCFMT_LEFT, 60);
    const HTREEITEM hRoot = pTree->InsertItem(L"root");
    const HTREEITEM hChild = pTree->InsertItem(L"child", hRoot);
    pTree->SetItemText(hChild, 1, L"12 KB");
    pTree->Expand(hRoot, TVE_EXPAND);
    EXPECT_EQ(pTree->GetItemCount(), 2);
    EXPECT_EQ(pTree->GetItemText(hChild, 1), CString(_T("12 KB")));
    pTree->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(app.m_journal.Text(), "StartDoc StartPage EndPage EndDoc");
    pTree->DestroyWindow();
}
// The lists keep the system colours per class: a control's refresh leaves the views' colours as
// they were, and the other way round. The test changes a system colour, which every program of the
// Wine server would see: it runs in a prefix and server of its own.
TEST(SystemColorTest, AChangeRefreshesOnlyTheClassOfTheTrackingWindowThatSeesIt)
{
    const int nElement = COLOR_3DLIGHT; // a disabled list's background
    const COLORREF crOriginal = ::GetSysColor(nElement);
    const COLORREF crFirst = crOriginal ^ RGB(0, 0, 0x40);
    const COLORREF crSecond = crOriginal ^ RGB(0, 0x40, 0);
    struct Restore
    {
        int nElement;
        COLORREF cr;
        ~Restore()
        {
            ::SetSysColors(1, &nElement, &cr);
        }
    } restore{nElement, crOriginal};

    // A parent that passes nothing on, unlike the framework's windows: its lists see
    // WM_SYSCOLORCHANGE only when the test sends it to them.
    const HWND hParent =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hParent, nullptr);
    CWnd* pParent = CWnd::FromHandle(hParent);
    const DWORD dwStyle = WS_CHILD | WS_DISABLED | LVS_SEC_REPORT;
    SECListCtrl tracking;
    SECListCtrl untracked;
    auto* pView = new SECListView; // deleted with its window, with the parent
    ASSERT_TRUE(tracking.Create(nullptr, nullptr, dwStyle, CRect(0, 0, 90, 90), pParent, 1));
    ASSERT_TRUE(untracked.Create(nullptr, nullptr, dwStyle, CRect(100, 0, 190, 90), pParent, 2));
    ASSERT_TRUE(pView->Create(nullptr, nullptr, dwStyle, CRect(200, 0, 290, 90), pParent, 3));
    tracking.SetTrackSysColors(TRUE);
    pView->SetTrackSysColors(TRUE);
    using Colors = std::pair<COLORREF, COLORREF>; // the control class's, the view class's
    const auto disabledBk = [&] { return Colors(tracking.GetBkColor(), pView->GetBkColor()); };
    EXPECT_EQ(disabledBk(), Colors(crOriginal, crOriginal));

    ASSERT_TRUE(::SetSysColors(1, &nElement, &crFirst));
    EXPECT_EQ(disabledBk(), Colors(crOriginal, crOriginal)) << "kept until a list is told";
    untracked.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(disabledBk(), Colors(crOriginal, crOriginal)) << "a list that does not track colours";
    tracking.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(disabledBk(), Colors(crFirst, crOriginal)) << "the control class alone";
    EXPECT_EQ(untracked.GetBkColor(), crFirst) << "one set for every control";

    ASSERT_TRUE(::SetSysColors(1, &nElement, &crSecond));
    pView->SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(disabledBk(), Colors(crFirst, crSecond)) << "the view class alone";

    tracking.DestroyWindow();
    untracked.DestroyWindow();
    ::DestroyWindow(hParent);
}
} // namespace
