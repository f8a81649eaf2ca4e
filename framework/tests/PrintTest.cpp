// Printing: the print information and dialog objects, the application's printer, a view's
// print job on a stand-in printer, and the print preview in a frame.
#include <afxdlgs.h>
#include <afxpriv.h>
#include <afxres.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>
#include <testing/PrinterStandIn.h>

namespace
{
using Log = std::vector<std::string>;

// A view of nPages pages (0: it never says) that logs the print calls and inks each page's
// logical rectangle, one inch square per page number down the left edge.
class PagedView : public CView
{
    DECLARE_DYNCREATE(PagedView)
public:
    UINT m_nPages = 3;
    Log m_log;
    std::vector<CRect> m_drawRects;

    void OnDraw(CDC*) override
    {
    }
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        m_log.push_back("OnPreparePrinting");
        if (m_nPages != 0)
            pInfo->SetMaxPage(m_nPages);
        return DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC* pDC, CPrintInfo*) override
    {
        m_log.push_back(pDC->IsPrinting() ? "OnBeginPrinting" : "OnBeginPrinting on screen");
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_log.push_back("OnPrint " + std::to_string(pInfo->m_nCurPage));
        m_drawRects.push_back(pInfo->m_rectDraw);
        const int nInch = pDC->GetDeviceCaps(LOGPIXELSX);
        pDC->FillSolidRect(0, 0, nInch, nInch * static_cast<int>(pInfo->m_nCurPage), RGB(0, 0, 0));
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override
    {
        m_log.push_back("OnEndPrinting");
    }

    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(PagedView, CView)
BEGIN_MESSAGE_MAP(PagedView, CView)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

class PrintDoc : public CDocument
{
};

class TopBar : public CControlBar
{
public:
    BOOL Create(CWnd* pParent)
    {
        return CreateBar(WS_CHILD | WS_VISIBLE | CBRS_TOP, pParent, AFX_IDW_CONTROLBAR_FIRST);
    }
    CSize CalcFixedLayout(BOOL, BOOL) override
    {
        return CSize(32767, 20);
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override
    {
    }
};

// A frame with a paged view of a titled document and one control bar at the top.
class PrintTest : public ::testing::Test
{
protected:
    StandInPrinterApp m_app{_T("Print Test")};
    PrintDoc* m_pDoc = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    PagedView* m_pView = nullptr;
    TopBar m_bar;

    void SetUp() override
    {
        m_pDoc = new PrintDoc;
        m_pDoc->SetTitle(_T("Ledger"));
        CCreateContext context;
        context.m_pCurrentDoc = m_pDoc;
        context.m_pNewViewClass = RUNTIME_CLASS(PagedView);
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Print"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 400), nullptr,
                                     nullptr, 0, &context));
        m_app.m_pMainWnd = m_pFrame;
        m_pFrame->InitialUpdateFrame(m_pDoc, FALSE);
        m_pView = static_cast<PagedView*>(m_pFrame->GetDlgItem(AFX_IDW_PANE_FIRST));
        ASSERT_NE(m_pView, nullptr);
        m_pFrame->SetActiveView(m_pView);
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        delete m_pDoc;
        PumpPendingMessages();
    }
    CPreviewView* Preview() const
    {
        return DYNAMIC_DOWNCAST(CPreviewView, m_pFrame->GetActiveView());
    }
};

TEST(PrintInfoTest, DefaultsPagesAndRanges)
{
    CPrintInfo info;
    EXPECT_EQ(info.m_pPD->m_pd.Flags & (PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION | PD_RETURNDC),
              DWORD{PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION | PD_RETURNDC});
    EXPECT_EQ(info.GetMinPage(), 1u);
    EXPECT_EQ(info.GetMaxPage(), 0xFFFFu);
    EXPECT_EQ(info.m_nCurPage, 1u);
    EXPECT_TRUE(info.m_bContinuePrinting);
    EXPECT_FALSE(info.m_bPreview);
    EXPECT_FALSE(info.m_bDirect);

    info.SetMaxPage(9);
    info.SetMinPage(2);
    EXPECT_EQ(info.GetFromPage(), 2u);
    EXPECT_EQ(info.GetToPage(), 9u);
    // A range the user chose.
    info.m_pPD->m_pd.Flags |= PD_PAGENUMS;
    info.m_pPD->m_pd.nFromPage = 3;
    info.m_pPD->m_pd.nToPage = 4;
    EXPECT_EQ(info.GetFromPage(), 3u);
    EXPECT_EQ(info.GetToPage(), 4u);
    EXPECT_TRUE(info.m_pPD->PrintRange());
    EXPECT_FALSE(info.m_pPD->PrintAll());
    EXPECT_EQ(info.m_pPD->GetFromPage(), 3);
}

TEST(PrintDialogTest, FlagsNamesAndNoPrinter)
{
    CPrintDialog setup(TRUE);
    EXPECT_TRUE(setup.m_pd.Flags & PD_PRINTSETUP);
    EXPECT_FALSE(setup.m_pd.Flags & PD_RETURNDC);
    EXPECT_TRUE(setup.m_pd.Flags & PD_NOPAGENUMS);
    EXPECT_TRUE(setup.PrintAll());
    EXPECT_EQ(setup.GetFromPage(), -1);

    // The names come out of a DEVNAMES block as the system lays it out.
    const wchar_t szNames[] = L"winspool\0Office Laser\0FILE:\0";
    HGLOBAL hNames = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(DEVNAMES) + sizeof(szNames));
    auto* pNames = static_cast<DEVNAMES*>(::GlobalLock(hNames));
    const WORD nBase = sizeof(DEVNAMES) / sizeof(wchar_t);
    *pNames = DEVNAMES{nBase, static_cast<WORD>(nBase + 9), static_cast<WORD>(nBase + 22), 0};
    memcpy(pNames + 1, szNames, sizeof(szNames));
    ::GlobalUnlock(hNames);
    CPrintDialog print(FALSE);
    print.m_pd.hDevNames = hNames;
    EXPECT_EQ(print.GetDriverName(), CString(_T("winspool")));
    EXPECT_EQ(print.GetDeviceName(), CString(_T("Office Laser")));
    EXPECT_EQ(print.GetPortName(), CString(_T("FILE:")));
    EXPECT_EQ(print.GetDevMode(), nullptr);
    EXPECT_EQ(print.GetCopies(), 1);
    // No such printer: no DC.
    EXPECT_EQ(print.CreatePrinterDC(), nullptr);
    EXPECT_EQ(print.GetPrinterDC(), nullptr);
    ::GlobalFree(hNames);

    // The test prefix has no printer.
    CPrintDialog defaults(TRUE);
    EXPECT_FALSE(defaults.GetDefaults());
    EXPECT_FALSE(defaults.m_pd.Flags & PD_RETURNDEFAULT);
    EXPECT_EQ(AfxCreateDC(nullptr, nullptr), nullptr);
}

TEST(AppPrinterTest, SelectedBlocksAreTheDefaults)
{
    StandInPrinterApp app(_T("Printer"));
    PRINTDLG pd = {};
    EXPECT_FALSE(app.GetPrinterDeviceDefaults(&pd));
    CDC dc;
    EXPECT_FALSE(app.CreatePrinterDC(dc));

    HGLOBAL hNames = ::GlobalAlloc(GMEM_MOVEABLE, 64);
    HGLOBAL hMode = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(DEVMODE));
    app.SelectPrinter(hNames, hMode);
    ASSERT_TRUE(app.GetPrinterDeviceDefaults(&pd));
    EXPECT_EQ(pd.hDevNames, hNames);
    EXPECT_EQ(pd.hDevMode, hMode);
    // Choosing again frees the blocks that are no longer the application's.
    HGLOBAL hOtherMode = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(DEVMODE));
    app.SelectPrinter(hNames, hOtherMode);
    EXPECT_EQ(app.m_hDevNames, hNames);
    EXPECT_EQ(::GlobalFlags(hMode), GMEM_INVALID_HANDLE);
    EXPECT_NE(::GlobalFlags(hNames), GMEM_INVALID_HANDLE);
}

TEST_F(PrintTest, PrintJobRunsEveryPageBetweenStartAndEnd)
{
    std::vector<bool> inked;
    m_app.m_journal.onEndPage = [&](const PrinterStandIn& printer) {
        // Page n inks n inches of the left edge (600 dots each) and nothing below.
        const int nPage = static_cast<int>(inked.size()) + 1;
        inked.push_back(printer.IsInked(300, nPage * 600 - 10) && !printer.IsInked(300, nPage * 600 + 10));
    };
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);

    EXPECT_EQ(m_app.m_journal.Text(),
              "StartDoc StartPage EndPage StartPage EndPage StartPage EndPage EndDoc");
    EXPECT_EQ(m_app.m_journal.strDocName, CString(_T("Ledger")));
    EXPECT_EQ(m_pView->m_log, (Log{"OnPreparePrinting", "OnBeginPrinting", "OnPrint 1", "OnPrint 2", "OnPrint 3",
                                   "OnEndPrinting"}));
    EXPECT_EQ(inked, (std::vector<bool>{true, true, true}));
    // The page in the view's units: MM_TEXT on the printer.
    ASSERT_FALSE(m_pView->m_drawRects.empty());
    EXPECT_EQ(m_pView->m_drawRects[0], CRect(0, 0, 4800, 6600));
}

TEST_F(PrintTest, ViewWithoutAPageCountPrintsOnePage)
{
    m_pView->m_nPages = 0;
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(m_app.m_journal.Text(), "StartDoc StartPage EndPage EndDoc");
}

TEST_F(PrintTest, FailingPrinterAbortsAndStillEndsPrinting)
{
    m_app.m_journal.nFailStartPage = 2;
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(m_app.m_journal.Text(), "StartDoc StartPage EndPage StartPage AbortDoc");
    EXPECT_EQ(m_pView->m_log, (Log{"OnPreparePrinting", "OnBeginPrinting", "OnPrint 1", "OnEndPrinting"}));
}

TEST_F(PrintTest, NoPrinterSaysSoAndPrintsNothing)
{
    m_app.m_bStandIn = false;
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    EXPECT_TRUE(m_app.m_journal.steps.empty());
    EXPECT_EQ(m_pView->m_log, (Log{"OnPreparePrinting", "OnPreparePrinting"}));
    CString strNoPrinter;
    strNoPrinter.LoadString(AFX_IDP_NO_PRINTER);
    EXPECT_FALSE(strNoPrinter.IsEmpty());
    EXPECT_EQ(m_app.m_messages, (std::vector<CString>{strNoPrinter, strNoPrinter}));
    // The frame is as it was.
    EXPECT_EQ(m_pFrame->GetActiveView(), m_pView);
    EXPECT_TRUE(m_pView->IsWindowVisible() || !m_pFrame->IsWindowVisible());
    EXPECT_EQ(m_pView->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
}

TEST_F(PrintTest, PreviewTakesTheViewsPlaceAndPagesThrough)
{
    ASSERT_TRUE(m_bar.Create(m_pFrame));
    m_pView->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    CPreviewView* pPreview = Preview();
    ASSERT_NE(pPreview, nullptr);
    EXPECT_EQ(pPreview->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(m_pView->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_SAVE));
    EXPECT_FALSE(m_pView->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(m_pView->m_log, (Log{"OnPreparePrinting", "OnBeginPrinting"}));
    EXPECT_EQ(pPreview->GetCurrentPage(), 1u);
    EXPECT_FALSE(m_bar.GetStyle() & WS_VISIBLE);

    // The page drawn scaled: page 1 inks one inch of a 4800 x 6600 page.
    CRect rectClient;
    pPreview->GetClientRect(&rectClient);
    MemoryCanvas canvas(rectClient.Width(), rectClient.Height(), RGB(0, 255, 0));
    pPreview->OnDraw(&canvas.Dc());
    EXPECT_EQ(m_pView->m_log.back(), "OnPrint 1");
    // The page's corner is the first black pixel: the ink of page 1, an inch square there.
    CPoint ptCorner(-1, -1);
    for (int y = 0; y < rectClient.Height() && ptCorner.x < 0; ++y)
        for (int x = 0; x < rectClient.Width() && ptCorner.x < 0; ++x)
            if (canvas.Pixel(x, y) == RGB(0, 0, 0))
                ptCorner = CPoint(x, y);
    ASSERT_GE(ptCorner.x, 0);
    int nInk = 0;
    while (canvas.Pixel(ptCorner.x + nInk, ptCorner.y + 1) == RGB(0, 0, 0))
        ++nInk;
    // The page, 8 by 11 inches, fills the height below the button strip less the margins.
    EXPECT_LT(nInk * 11, rectClient.Height() - 16);
    EXPECT_GT(nInk * 11, rectClient.Height() - 80);
    EXPECT_EQ(canvas.Pixel(ptCorner.x + 1, ptCorner.y + nInk + 2), RGB(255, 255, 255));
    EXPECT_EQ(canvas.Pixel(ptCorner.x + nInk + 2, ptCorner.y + 1), RGB(255, 255, 255));

    const HWND hNext = ::GetDlgItem(pPreview->m_hWnd, AFX_ID_PREVIEW_NEXT);
    const HWND hPrev = ::GetDlgItem(pPreview->m_hWnd, AFX_ID_PREVIEW_PREV);
    EXPECT_TRUE(::IsWindowEnabled(hNext));
    EXPECT_FALSE(::IsWindowEnabled(hPrev));
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(pPreview->GetCurrentPage(), 3u);
    EXPECT_FALSE(::IsWindowEnabled(hNext));
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(pPreview->GetCurrentPage(), 3u);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_PREV);
    EXPECT_EQ(pPreview->GetCurrentPage(), 2u);
    CString strPage;
    ::GetDlgItemText(pPreview->m_hWnd, AFX_IDS_PREVIEW_PAGE, strPage.GetBuffer(64), 64);
    strPage.ReleaseBuffer();
    EXPECT_EQ(strPage, CString(_T("Page 2")));

    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    PumpPendingMessages();
    EXPECT_EQ(m_pFrame->GetActiveView(), m_pView);
    EXPECT_EQ(m_pView->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_TRUE(m_pView->GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(m_bar.GetStyle() & WS_VISIBLE);
    EXPECT_EQ(m_pView->m_log.back(), "OnEndPrinting");
    EXPECT_EQ(std::count(m_pView->m_log.begin(), m_pView->m_log.end(), "OnEndPrinting"), 1);
    EXPECT_TRUE(m_app.m_journal.steps.empty());
}
} // namespace
