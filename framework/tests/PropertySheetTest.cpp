// Property sheets on the system's control: pages made from templates, their notifications
// as virtual calls, wizard buttons and the modal loop. The common dialogs that run without
// blocking: the find dialog and the file dialog's results.
#include <afxdlgs.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

namespace
{
constexpr UINT IDD_PAGE_FIRST = 65002;
constexpr int IDC_PAGE_EDIT = 65030;
constexpr UINT WM_RUNNING = WM_APP + 1;
constexpr UINT_PTR kDeadlineTimer = 1;
constexpr int kTimedOut = -99;

using Log = std::vector<std::string>;

// Logs its notifications; in a wizard it sets the buttons for its place.
class LogPage : public CPropertyPage
{
public:
    LogPage(int nIndex, int nCount, Log& log)
        : CPropertyPage(IDD_PAGE_FIRST + nIndex), m_nIndex(nIndex), m_nCount(nCount), m_log(log)
    {
    }

    CString m_strText;
    BOOL m_bWizard = FALSE;
    BOOL m_bRefuseToLeave = FALSE;

    BOOL OnSetActive() override
    {
        Add("SetActive");
        if (m_bWizard)
        {
            const DWORD dwBack = m_nIndex > 0 ? PSWIZB_BACK : 0;
            const DWORD dwForward = m_nIndex + 1 < m_nCount ? PSWIZB_NEXT : PSWIZB_FINISH;
            static_cast<CPropertySheet*>(GetParent())->SetWizardButtons(dwBack | dwForward);
        }
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        Add("KillActive");
        return !m_bRefuseToLeave && CPropertyPage::OnKillActive();
    }
    LRESULT OnWizardNext() override
    {
        Add("Next");
        return CPropertyPage::OnWizardNext();
    }
    LRESULT OnWizardBack() override
    {
        Add("Back");
        return CPropertyPage::OnWizardBack();
    }
    BOOL OnWizardFinish() override
    {
        Add("Finish");
        return CPropertyPage::OnWizardFinish();
    }
    BOOL OnApply() override
    {
        Add("Apply");
        return CPropertyPage::OnApply();
    }
    void OnReset() override
    {
        Add("Reset");
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PAGE_EDIT, m_strText);
    }

private:
    void Add(const char* pszWhat)
    {
        m_log.push_back(pszWhat + std::to_string(m_nIndex));
    }
    int m_nIndex;
    int m_nCount;
    Log& m_log;
};

// Runs the test's steps from inside its modal loop; a deadline ends a sheet that stays.
class TestSheet : public CPropertySheet
{
public:
    TestSheet(CWnd* pParent, const std::function<void(TestSheet&)>& running)
        : CPropertySheet(_T("Sheet"), pParent), m_running(running)
    {
    }
    BOOL OnInitDialog() override
    {
        const BOOL bResult = CPropertySheet::OnInitDialog();
        SetTimer(kDeadlineTimer, 5000, nullptr);
        PostMessage(WM_RUNNING);
        return bResult;
    }
    void Click(int nID)
    {
        GetDlgItem(nID)->SendMessage(BM_CLICK);
        PumpPendingMessages();
    }
    BOOL IsButtonEnabled(int nID)
    {
        return GetDlgItem(nID)->IsWindowEnabled();
    }

protected:
    LRESULT OnRunning(WPARAM, LPARAM)
    {
        // The buttons that the first page posted.
        PumpPendingMessages();
        m_running(*this);
        return 0;
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        EndModalLoop(kTimedOut);
    }
    DECLARE_MESSAGE_MAP()

private:
    std::function<void(TestSheet&)> m_running;
};

BEGIN_MESSAGE_MAP(TestSheet, CPropertySheet)
ON_MESSAGE(WM_RUNNING, OnRunning)
ON_WM_TIMER()
END_MESSAGE_MAP()

class PropertySheetTest : public HiddenWindowTest
{
protected:
    Log m_log;
    LogPage m_pages[3] = {{0, 3, m_log}, {1, 3, m_log}, {2, 3, m_log}};
};

TEST_F(PropertySheetTest, WizardButtonsAndHandlersInOrder)
{
    TestSheet sheet(&Parent(), [this](TestSheet& s) {
        EXPECT_FALSE(Parent().IsWindowEnabled());
        EXPECT_FALSE(s.IsButtonEnabled(ID_WIZBACK));
        EXPECT_TRUE(s.IsButtonEnabled(ID_WIZNEXT));
        // A page that refuses to be left stays.
        m_pages[0].m_bRefuseToLeave = TRUE;
        s.Click(ID_WIZNEXT);
        EXPECT_EQ(0, s.GetActiveIndex());
        m_pages[0].m_bRefuseToLeave = FALSE;
        s.GetActivePage()->SetDlgItemText(IDC_PAGE_EDIT, _T("typed"));
        s.Click(ID_WIZNEXT);
        EXPECT_EQ(1, s.GetActiveIndex());
        // Leaving the page took its data.
        EXPECT_EQ(CString(_T("typed")), m_pages[0].m_strText);
        EXPECT_TRUE(s.IsButtonEnabled(ID_WIZBACK));
        EXPECT_TRUE(s.IsButtonEnabled(ID_WIZNEXT));

        s.Click(ID_WIZBACK);
        EXPECT_EQ(&m_pages[0], s.GetActivePage());
        EXPECT_FALSE(s.IsButtonEnabled(ID_WIZBACK));
        s.Click(ID_WIZNEXT);
        s.Click(ID_WIZNEXT);
        EXPECT_EQ(2, s.GetActiveIndex());
        EXPECT_TRUE(s.IsButtonEnabled(ID_WIZFINISH));
        s.Click(ID_WIZFINISH);
    });
    for (LogPage& page : m_pages)
    {
        page.m_bWizard = TRUE;
        sheet.AddPage(&page);
    }
    sheet.SetWizardMode();
    EXPECT_EQ(3, sheet.GetPageCount());
    EXPECT_EQ(&m_pages[1], sheet.GetPage(1));

    EXPECT_EQ(ID_WIZFINISH, sheet.DoModal());
    EXPECT_TRUE(Parent().IsWindowEnabled());
    EXPECT_EQ(nullptr, sheet.m_hWnd);
    const Log expected = {"SetActive0", "Next0",       "KillActive0", "Next0",  "KillActive0", "SetActive1",
                          "Back1",      "KillActive1", "SetActive0",  "Next0",  "KillActive0", "SetActive1",
                          "Next1",      "KillActive1", "SetActive2",  "Finish2"};
    EXPECT_EQ(expected, m_log);
}

TEST_F(PropertySheetTest, ApplyModifiedAndCancelToClose)
{
    TestSheet sheet(&Parent(), [this](TestSheet& s) {
        EXPECT_TRUE(s.SetActivePage(&m_pages[2]));
        EXPECT_EQ(&m_pages[2], s.GetActivePage());
        EXPECT_FALSE(s.IsButtonEnabled(ID_APPLY_NOW));
        m_pages[2].SetModified();
        EXPECT_TRUE(s.IsButtonEnabled(ID_APPLY_NOW));
        s.Click(ID_APPLY_NOW);
        EXPECT_FALSE(s.IsButtonEnabled(ID_APPLY_NOW));
        m_pages[2].CancelToClose();
        EXPECT_FALSE(s.IsButtonEnabled(IDCANCEL));
        s.Click(IDOK);
    });
    for (LogPage& page : m_pages)
        sheet.AddPage(&page);
    sheet.SetActivePage(1);
    EXPECT_EQ(&m_pages[1], sheet.GetActivePage());

    EXPECT_EQ(IDOK, sheet.DoModal());
    // Apply and OK leave the current page, apply every page made so far and enter it again.
    const Log expected = {"SetActive1", "KillActive1", "SetActive2",  "KillActive2", "Apply1",
                          "Apply2",     "SetActive2",  "KillActive2", "Apply1",      "Apply2"};
    EXPECT_EQ(expected, m_log);
}

TEST_F(PropertySheetTest, PagesAreInitialisedAsDialogs)
{
    m_pages[1].m_strText = _T("preset");
    CString strShown;
    TestSheet sheet(&Parent(), [&](TestSheet& s) {
        EXPECT_TRUE(s.SetActivePage(1));
        s.GetActivePage()->GetDlgItemText(IDC_PAGE_EDIT, strShown);
        s.Click(IDCANCEL);
    });
    for (LogPage& page : m_pages)
        sheet.AddPage(&page);
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(CString(_T("preset")), strShown) << "OnInitDialog put the member into its control";
}

TEST_F(PropertySheetTest, ModelessSheetAddsPagesLater)
{
    CPropertySheet sheet(_T("Modeless"));
    sheet.AddPage(&m_pages[0]);
    ASSERT_TRUE(sheet.Create(&Parent()));
    EXPECT_EQ(0, sheet.GetActiveIndex());
    sheet.AddPage(&m_pages[1]);
    EXPECT_EQ(2, sheet.GetPageCount());
    EXPECT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(&m_pages[1], sheet.GetActivePage());
    EXPECT_NE(nullptr, m_pages[1].m_hWnd);
    sheet.DestroyWindow();
    EXPECT_EQ(nullptr, m_pages[1].m_hWnd);
}

TEST(FileDialogTest, NamesOfTheSelection)
{
    CFileDialog single(TRUE, _T("txt"), _T("C:\\data\\report.final.txt"), OFN_HIDEREADONLY,
                       _T("Text (*.txt)|*.txt|All (*.*)|*.*||"));
    EXPECT_EQ(CString(_T("C:\\data\\report.final.txt")), single.GetPathName());
    EXPECT_EQ(CString(_T("report.final.txt")), single.GetFileName());
    EXPECT_EQ(CString(_T("txt")), single.GetFileExt());
    // The filter goes to the system with null separators.
    const TCHAR filter[] = _T("Text (*.txt)\0*.txt\0All (*.*)\0*.*\0");
    EXPECT_EQ(0, memcmp(single.m_ofn.lpstrFilter, filter, sizeof(filter)));
    POSITION pos = single.GetStartPosition();
    EXPECT_EQ(CString(_T("C:\\data\\report.final.txt")), single.GetNextPathName(pos));
    EXPECT_EQ(nullptr, pos);

    // As the system fills a multiple selection: the directory, then each name.
    CFileDialog multi(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
    TCHAR buffer[] = _T("C:\\dir\0a.txt\0b\0\0");
    multi.m_ofn.lpstrFile = buffer;
    multi.m_ofn.nMaxFile = _countof(buffer);
    std::vector<CString> paths;
    for (pos = multi.GetStartPosition(); pos != nullptr;)
        paths.push_back(multi.GetNextPathName(pos));
    EXPECT_EQ((std::vector<CString>{_T("C:\\dir\\a.txt"), _T("C:\\dir\\b")}), paths);

    CFileDialog none(FALSE);
    EXPECT_EQ(nullptr, none.GetStartPosition());
    EXPECT_EQ(CString(), none.GetFileExt());
}

// Keeps what the find dialog reported.
class FindOwner : public CWnd
{
public:
    struct Report
    {
        CFindReplaceDialog* pNotifier;
        CString strFind;
        BOOL bFindNext, bMatchCase, bWholeWord, bDown, bTerminating;
    };
    std::vector<Report> m_reports;

protected:
    LRESULT OnFindMsg(WPARAM, LPARAM lParam)
    {
        const CFindReplaceDialog* pDlg = CFindReplaceDialog::GetNotifier(lParam);
        m_reports.push_back({CFindReplaceDialog::GetNotifier(lParam), pDlg->GetFindString(), pDlg->FindNext(),
                             pDlg->MatchCase(), pDlg->MatchWholeWord(), pDlg->SearchDown(), pDlg->IsTerminating()});
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

const UINT s_nFindMsg = ::RegisterWindowMessage(FINDMSGSTRING);

BEGIN_MESSAGE_MAP(FindOwner, CWnd)
ON_REGISTERED_MESSAGE(s_nFindMsg, OnFindMsg)
END_MESSAGE_MAP()

TEST(FindReplaceDialogTest, ModelessFindReportsToItsOwner)
{
    FindOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), _T("Owner"), WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    auto* pDlg = new CFindReplaceDialog;
    ASSERT_TRUE(pDlg->Create(TRUE, _T("abc"), nullptr, FR_DOWN, &owner));
    EXPECT_EQ(pDlg, CWnd::FromHandlePermanent(pDlg->m_hWnd));
    // The system's initialisation filled the field.
    EXPECT_EQ(CString(_T("abc")), [&] {
        CString text;
        pDlg->GetDlgItemText(0x480, text);
        return text;
    }());

    pDlg->SetDlgItemText(0x480, _T("needle"));
    pDlg->CheckDlgButton(0x411, BST_CHECKED);
    pDlg->GetDlgItem(IDOK)->SendMessage(BM_CLICK);
    PumpPendingMessages();
    ASSERT_EQ(1u, owner.m_reports.size());
    const FindOwner::Report& find = owner.m_reports[0];
    EXPECT_EQ(pDlg, find.pNotifier);
    EXPECT_EQ(CString(_T("needle")), find.strFind);
    EXPECT_TRUE(find.bFindNext);
    EXPECT_TRUE(find.bMatchCase);
    EXPECT_FALSE(find.bWholeWord);
    EXPECT_TRUE(find.bDown);
    EXPECT_FALSE(find.bTerminating);

    // Closing reports the end; the object deletes itself with its window.
    const HWND hWndDlg = pDlg->m_hWnd;
    pDlg->GetDlgItem(IDCANCEL)->SendMessage(BM_CLICK);
    PumpPendingMessages();
    ASSERT_EQ(2u, owner.m_reports.size());
    EXPECT_TRUE(owner.m_reports[1].bTerminating);
    EXPECT_FALSE(::IsWindow(hWndDlg));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWndDlg));
    owner.DestroyWindow();
}
} // namespace
