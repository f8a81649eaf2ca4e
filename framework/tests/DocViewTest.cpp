// Documents and their views without frames, scrolling and form views, and the command
// line's parsing.
#include <afxpriv.h>

#include <iterator>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

namespace
{
class CountedDoc : public CDocument
{
public:
    explicit CountedDoc(int* pnDeleted) : m_pnDeleted(pnDeleted)
    {
    }
    ~CountedDoc() override
    {
        ++*m_pnDeleted;
    }

private:
    int* m_pnDeleted;
};

class PlainView : public CView
{
public:
    std::vector<LPARAM> m_hints;
    void OnDraw(CDC*) override
    {
    }
    void OnUpdate(CView*, LPARAM lHint, CObject*) override
    {
        m_hints.push_back(lHint);
    }
};

TEST(DocumentTest, ViewsJoinAndLeave)
{
    int nDeleted = 0;
    CountedDoc doc(&nDeleted);
    doc.m_bAutoDelete = FALSE;
    PlainView first;
    PlainView second;
    doc.AddView(&first);
    doc.AddView(&second);
    EXPECT_EQ(first.GetDocument(), &doc);

    std::vector<CView*> views;
    for (POSITION pos = doc.GetFirstViewPosition(); pos != nullptr;)
        views.push_back(doc.GetNextView(pos));
    EXPECT_EQ(views, (std::vector<CView*>{&first, &second}));

    doc.UpdateAllViews(&first, 3);
    EXPECT_TRUE(first.m_hints.empty());
    EXPECT_EQ(second.m_hints, std::vector<LPARAM>{3});

    doc.RemoveView(&first);
    EXPECT_EQ(first.GetDocument(), nullptr);
    POSITION pos = doc.GetFirstViewPosition();
    EXPECT_EQ(doc.GetNextView(pos), &second);
    EXPECT_EQ(pos, nullptr);
    // A view that goes leaves its document.
    doc.RemoveView(&second);
    EXPECT_EQ(doc.GetFirstViewPosition(), nullptr);
    EXPECT_EQ(nDeleted, 0);
}

TEST(DocumentTest, AutoDeletingDocumentGoesWithItsLastView)
{
    int nDeleted = 0;
    auto* pDoc = new CountedDoc(&nDeleted);
    {
        PlainView view;
        pDoc->AddView(&view);
        pDoc->SetModifiedFlag();
        EXPECT_TRUE(pDoc->IsModified());
        EXPECT_TRUE(pDoc->OnNewDocument());
        EXPECT_FALSE(pDoc->IsModified());
        EXPECT_EQ(nDeleted, 0);
    }
    EXPECT_EQ(nDeleted, 1);
}

TEST(DocumentTest, ViewsOutlivingTheirDocumentAreLetGo)
{
    int nDeleted = 0;
    PlainView view;
    auto* pDoc = new CountedDoc(&nDeleted);
    pDoc->AddView(&view);
    delete pDoc;
    EXPECT_EQ(view.GetDocument(), nullptr) << "the view's own end must not reach the deleted document";
}

TEST(CommandLineInfoTest, ParseParamTable)
{
    struct Case
    {
        std::vector<const TCHAR*> args; // flags start with '/'
        int nShellCommand;
        const TCHAR* pszFileName;
        const TCHAR* pszPrinter;
        BOOL bRunEmbedded;
        BOOL bShowSplash;
    };
    const Case cases[] = {
        {{}, CCommandLineInfo::FileNew, _T(""), _T(""), FALSE, TRUE},
        {{_T("a.sht")}, CCommandLineInfo::FileOpen, _T("a.sht"), _T(""), FALSE, TRUE},
        {{_T("/P"), _T("a.sht")}, CCommandLineInfo::FilePrint, _T("a.sht"), _T(""), FALSE, TRUE},
        {{_T("/pt"), _T("a.sht"), _T("Laser"), _T("drv"), _T("LPT1")},
         CCommandLineInfo::FilePrintTo,
         _T("a.sht"),
         _T("Laser"),
         FALSE,
         TRUE},
        {{_T("/Embedding")}, CCommandLineInfo::FileNew, _T(""), _T(""), TRUE, FALSE},
        {{_T("/unregserver")}, CCommandLineInfo::AppUnregister, _T(""), _T(""), FALSE, TRUE},
        {{_T("/dde")}, CCommandLineInfo::FileDDE, _T(""), _T(""), FALSE, TRUE},
        {{_T("/unknown"), _T("b.sht")}, CCommandLineInfo::FileOpen, _T("b.sht"), _T(""), FALSE, TRUE},
    };
    for (size_t nCase = 0; nCase < std::size(cases); ++nCase)
    {
        const Case& c = cases[nCase];
        SCOPED_TRACE(nCase);
        CCommandLineInfo info;
        for (size_t i = 0; i < c.args.size(); ++i)
        {
            const TCHAR* pszArg = c.args[i];
            const BOOL bFlag = pszArg[0] == _T('/');
            info.ParseParam(bFlag ? pszArg + 1 : pszArg, bFlag, i + 1 == c.args.size());
        }
        EXPECT_EQ(static_cast<int>(info.m_nShellCommand), c.nShellCommand);
        EXPECT_EQ(info.m_strFileName, CString(c.pszFileName));
        EXPECT_EQ(info.m_strPrinterName, CString(c.pszPrinter));
        EXPECT_EQ(info.m_bRunEmbedded, c.bRunEmbedded);
        EXPECT_EQ(info.m_bShowSplash, c.bShowSplash);
    }
}

constexpr UINT IDD_FORM = 64002;
constexpr UINT IDC_NAME = 64003;

class SizedScrollView : public CScrollView
{
public:
    void OnDraw(CDC*) override
    {
    }
};

class ScrollViewTest : public HiddenWindowTest
{
protected:
    SizedScrollView* m_pView = nullptr;
    CRect m_rectClient;

    void SetUp() override
    {
        m_pView = new SizedScrollView;
        ASSERT_TRUE(m_pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &Parent(), 1));
        m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 800));
        m_pView->GetClientRect(&m_rectClient);
    }
};

TEST_F(HiddenWindowTest, ViewBorderBecomesTheClientEdge)
{
    for (const DWORD dwBorder : {DWORD(0), DWORD(WS_BORDER)})
    {
        auto* pView = new PlainView;
        ASSERT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD | dwBorder, CRect(0, 0, 50, 50), &Parent(), 1));
        EXPECT_EQ(pView->GetStyle() & WS_BORDER, 0u);
        EXPECT_EQ((pView->GetExStyle() & WS_EX_CLIENTEDGE) != 0, dwBorder != 0);
        pView->DestroyWindow(); // deletes the view
    }
}

TEST_F(ScrollViewTest, ScrollPositionIsKeptInRangeAndMovesTheOrigin)
{
    EXPECT_EQ(m_pView->GetTotalSize(), CSize(1000, 800));
    m_pView->ScrollToPosition(CPoint(50, 60));
    EXPECT_EQ(m_pView->GetScrollPosition(), CPoint(50, 60));

    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    m_pView->OnPrepareDC(&dc);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(-50, -60));

    // The last position shows the end of the view in the client area.
    m_pView->ScrollToPosition(CPoint(5000, -5));
    EXPECT_EQ(m_pView->GetScrollPosition(), CPoint(1000 - m_rectClient.Width(), 0));
}

TEST_F(ScrollViewTest, ScrollBarMessagesMoveByLineAndPage)
{
    // The default page is a tenth of the total size, a line a tenth of the page.
    struct Case
    {
        UINT nCode;
        int nExpected;
    };
    const Case cases[] = {{SB_LINEDOWN, 8},
                          {SB_PAGEDOWN, 88},
                          {SB_LINEUP, 80},
                          {SB_TOP, 0},
                          {SB_BOTTOM, 800 - m_rectClient.Height()},
                          {SB_PAGEUP, 800 - m_rectClient.Height() - 80}};
    for (const Case& c : cases)
    {
        m_pView->SendMessage(WM_VSCROLL, MAKEWPARAM(c.nCode, 0));
        EXPECT_EQ(m_pView->GetScrollPosition().y, c.nExpected) << c.nCode;
    }
}

class NameForm : public CFormView
{
public:
    CString m_strName = _T("Initial");
    NameForm() : CFormView(IDD_FORM)
    {
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_strName);
    }
};

TEST_F(HiddenWindowTest, FormViewIsTheTemplatesChildWithItsData)
{
    int nDeleted = 0;
    CountedDoc doc(&nDeleted);
    doc.m_bAutoDelete = FALSE;
    CCreateContext context;
    context.m_pCurrentDoc = &doc;

    auto* pForm = new NameForm;
    ASSERT_TRUE(pForm->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &Parent(),
                              AFX_IDW_PANE_FIRST, &context));
    EXPECT_EQ(pForm->GetDocument(), &doc);
    EXPECT_EQ(pForm->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(pForm->GetParent(), &Parent());
    EXPECT_TRUE(pForm->GetStyle() & WS_CHILD);
    ASSERT_NE(pForm->GetDlgItem(IDC_NAME), nullptr);
    EXPECT_GT(pForm->GetTotalSize().cx, 0);

    pForm->SendMessage(WM_INITIALUPDATE);
    CString strText;
    pForm->GetDlgItemText(IDC_NAME, strText);
    EXPECT_EQ(strText, CString(_T("Initial")));

    pForm->DestroyWindow();
    EXPECT_EQ(doc.GetFirstViewPosition(), nullptr);
}
} // namespace
