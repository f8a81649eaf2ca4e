// Dialogs from templates, modal and modeless, and dialog data exchange: the controls filled
// from members and read back, parse and range failures with their prompts and focus.
#include <afxwin.h>

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

namespace
{
constexpr UINT IDD_DATA = 65000;
constexpr UINT IDD_FIELD = 65001;
constexpr int IDC_NAME = 65010;
constexpr int IDC_COUNT = 65011;
constexpr int IDC_RATIO = 65012;
constexpr int IDC_CHECK = 65013;
constexpr int IDC_RADIO_A = 65014;
constexpr int IDC_RADIO_C = 65016;
constexpr int IDC_COMBO = 65017;
constexpr int IDC_LIST = 65018;
constexpr int IDC_FIELD = 65020;
constexpr int IDC_OTHER = 65021;
constexpr UINT WM_RUNNING = WM_APP + 1;
constexpr UINT_PTR kDeadlineTimer = 1;
constexpr int kTimedOut = -99;

// Records the message boxes instead of showing them.
class BoxApp : public CWinApp
{
public:
    struct Box
    {
        CString text;
        UINT nType;
    };
    std::vector<Box> m_boxes;

    BoxApp() : CWinApp(_T("DialogTest"))
    {
    }
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) override
    {
        m_boxes.push_back({lpszPrompt, nType});
        return IDOK;
    }
};

// A dialog whose exchange and steps come from the test. Once running it posts itself
// WM_RUNNING, so that the steps act from inside the modal loop; a deadline ends a dialog
// that the steps failed to close.
class TestDialog : public CDialog
{
public:
    TestDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent)
    {
    }

    std::function<void(TestDialog&)> m_beforeInit;
    std::function<void(CDataExchange*)> m_exchange;
    std::function<void(TestDialog&)> m_running;

    BOOL OnInitDialog() override
    {
        if (m_beforeInit)
            m_beforeInit(*this);
        const BOOL bResult = CDialog::OnInitDialog();
        SetTimer(kDeadlineTimer, 5000);
        if (m_running)
            PostMessage(WM_RUNNING);
        return bResult;
    }
    // Clicks a push button as the user does.
    void Click(int nID)
    {
        GetDlgItem(nID)->SendMessage(BM_CLICK);
    }
    int FocusId() const
    {
        const CWnd* pFocus = GetFocus();
        return pFocus != nullptr && IsChild(pFocus) ? pFocus->GetDlgCtrlID() : 0;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (m_exchange)
            m_exchange(pDX);
    }
    LRESULT OnRunning(WPARAM, LPARAM)
    {
        m_running(*this);
        return 0;
    }
    afx_msg void OnTimer(UINT_PTR)
    {
        EndDialog(kTimedOut);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
ON_MESSAGE(WM_RUNNING, OnRunning)
ON_WM_TIMER()
END_MESSAGE_MAP()

CString ItemText(const CWnd& wnd, int nID)
{
    CString text;
    wnd.GetDlgItemText(nID, text);
    return text;
}

void FillChoices(TestDialog& dlg)
{
    for (LPCTSTR lpsz : {_T("One"), _T("Two"), _T("Three")})
    {
        dlg.SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpsz));
        dlg.SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpsz));
    }
}

class DialogTest : public HiddenWindowTest
{
protected:
    BoxApp m_app;
};

struct Members
{
    CString strName = _T("alpha");
    int nCount = 42;
    double dRatio = 2.5;
    int nCheck = 1;
    int nRadio = 2;
    CString strCombo = _T("Tw");
    int nList = 1;

    void Exchange(CDataExchange* pDX)
    {
        DDX_Text(pDX, IDC_NAME, strName);
        DDX_Text(pDX, IDC_COUNT, nCount);
        DDX_Text(pDX, IDC_RATIO, dRatio);
        DDX_Check(pDX, IDC_CHECK, nCheck);
        DDX_Radio(pDX, IDC_RADIO_A, nRadio);
        DDX_CBString(pDX, IDC_COMBO, strCombo);
        DDX_LBIndex(pDX, IDC_LIST, nList);
    }
};

TEST_F(DialogTest, ModalDialogFillsControlsAndTakesTheirDataOnOK)
{
    Members members;
    TestDialog dlg(IDD_DATA, &Parent());
    dlg.m_beforeInit = FillChoices;
    dlg.m_exchange = [&](CDataExchange* pDX) { members.Exchange(pDX); };
    dlg.m_running = [&](TestDialog& d) {
        EXPECT_FALSE(Parent().IsWindowEnabled());
        EXPECT_EQ(CString(_T("alpha")), ItemText(d, IDC_NAME));
        EXPECT_EQ(CString(_T("42")), ItemText(d, IDC_COUNT));
        EXPECT_EQ(CString(_T("2.5")), ItemText(d, IDC_RATIO));
        EXPECT_EQ(BST_CHECKED, d.IsDlgButtonChecked(IDC_CHECK));
        EXPECT_EQ(IDC_RADIO_C, d.GetCheckedRadioButton(IDC_RADIO_A, IDC_RADIO_C));
        // The combo box selects the first item that begins with the member's text.
        EXPECT_EQ(1, d.SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL));
        EXPECT_EQ(1, d.SendDlgItemMessage(IDC_LIST, LB_GETCURSEL));

        d.SetDlgItemText(IDC_NAME, _T("beta"));
        d.SetDlgItemText(IDC_COUNT, _T(" -7 "));
        d.SetDlgItemText(IDC_RATIO, _T("1.25e-1"));
        d.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
        d.CheckRadioButton(IDC_RADIO_A, IDC_RADIO_C, IDC_RADIO_A);
        d.SetDlgItemText(IDC_COMBO, _T("Custom"));
        d.SendDlgItemMessage(IDC_LIST, LB_SETCURSEL, 2);
        d.Click(IDOK);
    };

    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_TRUE(Parent().IsWindowEnabled());
    EXPECT_EQ(CString(_T("beta")), members.strName);
    EXPECT_EQ(-7, members.nCount);
    EXPECT_DOUBLE_EQ(0.125, members.dRatio);
    EXPECT_EQ(0, members.nCheck);
    EXPECT_EQ(0, members.nRadio);
    EXPECT_EQ(CString(_T("Custom")), members.strCombo);
    EXPECT_EQ(2, members.nList);
    for (const BoxApp::Box& box : m_app.m_boxes)
        ADD_FAILURE() << "a message box said: " << CW2A(box.text, CP_UTF8);
}

TEST_F(DialogTest, CancelLeavesMembersAlone)
{
    Members members;
    TestDialog dlg(IDD_DATA, &Parent());
    dlg.m_beforeInit = FillChoices;
    dlg.m_exchange = [&](CDataExchange* pDX) { members.Exchange(pDX); };
    dlg.m_running = [](TestDialog& d) {
        d.SetDlgItemText(IDC_NAME, _T("beta"));
        d.Click(IDCANCEL);
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(CString(_T("alpha")), members.strName);
    EXPECT_TRUE(Parent().IsWindowEnabled());
}

TEST_F(DialogTest, KeysReachTheDialogThroughPreTranslateMessage)
{
    const struct
    {
        UINT nKey;
        INT_PTR nResult;
    } cases[] = {{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}};
    for (const auto& c : cases)
    {
        TestDialog dlg(IDD_FIELD, &Parent());
        dlg.m_running = [&](TestDialog& d) {
            // Posted, so that the loop's PreTranslateMessage sees it.
            d.GetDlgItem(IDC_FIELD)->PostMessage(WM_KEYDOWN, c.nKey, 1);
        };
        EXPECT_EQ(c.nResult, dlg.DoModal()) << c.nKey;
    }
}

TEST_F(DialogTest, FailedValidationKeepsTheDialogOpenWithFocusOnTheControl)
{
    int nCount = 5;
    TestDialog dlg(IDD_FIELD, &Parent());
    dlg.m_exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_FIELD, nCount);
        DDV_MinMaxInt(pDX, nCount, 1, 100);
    };
    int nRuns = 0;
    dlg.m_running = [&](TestDialog& d) {
        ++nRuns;
        d.SetDlgItemText(IDC_FIELD, _T("500"));
        d.GotoDlgCtrl(d.GetDlgItem(IDC_OTHER));
        d.Click(IDOK);

        EXPECT_TRUE(::IsWindow(d.m_hWnd));
        EXPECT_TRUE(d.ContinueModal());
        ASSERT_EQ(1u, m_app.m_boxes.size());
        EXPECT_EQ(CString(_T("Please enter an integer between 1 and 100.")), m_app.m_boxes[0].text);
        EXPECT_EQ(IDC_FIELD, d.FocusId());
        DWORD dwStart = 0, dwEnd = 0;
        d.SendDlgItemMessage(IDC_FIELD, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart),
                             reinterpret_cast<LPARAM>(&dwEnd));
        EXPECT_EQ(0u, dwStart);
        EXPECT_EQ(3u, dwEnd);

        d.SetDlgItemText(IDC_FIELD, _T("50"));
        d.Click(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, nRuns);
    EXPECT_EQ(50, nCount);
    EXPECT_EQ(1u, m_app.m_boxes.size());
}

TEST_F(DialogTest, EndDialogWhileInitialisingEndsDoModal)
{
    TestDialog dlg(IDD_FIELD, &Parent());
    dlg.m_beforeInit = [](TestDialog& d) { d.EndDialog(IDABORT); };
    EXPECT_EQ(IDABORT, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_TRUE(Parent().IsWindowEnabled());
}

TEST_F(DialogTest, MissingTemplateFailsDoModal)
{
    TestDialog dlg(IDD_FIELD + 50, &Parent());
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_TRUE(Parent().IsWindowEnabled());
}

// All the values that the field's exchanges use.
struct Values
{
    CString str;
    int n = 0;
    UINT u = 0;
    long l = 0;
    DWORD dw = 0;
    double d = 0;
};
using Exchange = void (*)(CDataExchange*, Values&);

class DataExchangeTest : public DialogTest
{
protected:
    void SetUp() override
    {
        m_dlg.m_exchange = [this](CDataExchange* pDX) {
            if (m_exchange != nullptr)
                m_exchange(pDX, m_values);
        };
        ASSERT_TRUE(m_dlg.Create(IDD_FIELD, &Parent()));
    }
    void TearDown() override
    {
        m_dlg.DestroyWindow();
    }

    TestDialog m_dlg{IDD_FIELD, nullptr};
    Values m_values;
    Exchange m_exchange = nullptr;
};

TEST_F(DataExchangeTest, FailuresPromptAndFocusTheControl)
{
    const struct
    {
        LPCTSTR lpszText;
        Exchange exchange;
        LPCTSTR lpszPrompt;
    } cases[] = {
        {_T("abc"), [](CDataExchange* pDX, Values& v) { DDX_Text(pDX, IDC_FIELD, v.n); },
         _T("Please enter an integer.")},
        {_T("12x"), [](CDataExchange* pDX, Values& v) { DDX_Text(pDX, IDC_FIELD, v.n); },
         _T("Please enter an integer.")},
        {_T(""), [](CDataExchange* pDX, Values& v) { DDX_Text(pDX, IDC_FIELD, v.n); }, _T("Please enter an integer.")},
        {_T("3000000000"), [](CDataExchange* pDX, Values& v) { DDX_Text(pDX, IDC_FIELD, v.n); },
         _T("Please enter an integer.")},
        {_T("-3"), [](CDataExchange* pDX, Values& v) { DDX_Text(pDX, IDC_FIELD, v.u); },
         _T("Please enter an integer.")},
        {_T("5000000000"), [](CDataExchange* pDX, Values& v) { DDX_Text(pDX, IDC_FIELD, v.dw); },
         _T("Please enter an integer.")},
        {_T("1.5.2"), [](CDataExchange* pDX, Values& v) { DDX_Text(pDX, IDC_FIELD, v.d); },
         _T("Please enter a number.")},
        {_T("10.5"),
         [](CDataExchange* pDX, Values& v) {
             DDX_Text(pDX, IDC_FIELD, v.d);
             DDV_MinMaxDouble(pDX, v.d, 0, 10);
         },
         _T("Please enter a number between 0 and 10.")},
        {_T("9"),
         [](CDataExchange* pDX, Values& v) {
             DDX_Text(pDX, IDC_FIELD, v.u);
             DDV_MinMaxUInt(pDX, v.u, 1, 5);
         },
         _T("Please enter an integer between 1 and 5.")},
        {_T("-6"),
         [](CDataExchange* pDX, Values& v) {
             DDX_Text(pDX, IDC_FIELD, v.l);
             DDV_MinMaxLong(pDX, v.l, -5, 5);
         },
         _T("Please enter an integer between -5 and 5.")},
        {_T("4000000001"),
         [](CDataExchange* pDX, Values& v) {
             DDX_Text(pDX, IDC_FIELD, v.dw);
             DDV_MinMaxDWord(pDX, v.dw, 0, 4000000000);
         },
         _T("Please enter an integer between 0 and 4000000000.")},
        {_T("hello"),
         [](CDataExchange* pDX, Values& v) {
             DDX_Text(pDX, IDC_FIELD, v.str);
             DDV_MaxChars(pDX, v.str, 4);
         },
         _T("Please enter no more than 4 characters.")},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(static_cast<LPCSTR>(CW2A(c.lpszText)));
        m_app.m_boxes.clear();
        m_exchange = c.exchange;
        m_dlg.SetDlgItemText(IDC_FIELD, c.lpszText);
        m_dlg.GotoDlgCtrl(m_dlg.GetDlgItem(IDC_OTHER));
        EXPECT_FALSE(m_dlg.UpdateData(TRUE));
        ASSERT_EQ(1u, m_app.m_boxes.size());
        EXPECT_EQ(CString(c.lpszPrompt), m_app.m_boxes[0].text);
        EXPECT_EQ(IDC_FIELD, m_dlg.FocusId());
    }
}

TEST_F(DataExchangeTest, ValuesAreSavedAndLoadedInTheirFormats)
{
    const struct
    {
        LPCTSTR lpszTyped;
        Exchange exchange;
        LPCTSTR lpszShown;
    } cases[] = {
        {_T(" -12 "), [](CDataExchange* pDX, Values& v) { DDX_Text(pDX, IDC_FIELD, v.n); }, _T("-12")},
        {_T("+2147483647"), [](CDataExchange* pDX, Values& v) { DDX_Text(pDX, IDC_FIELD, v.n); }, _T("2147483647")},
        {_T("4000000000"), [](CDataExchange* pDX, Values& v) { DDX_Text(pDX, IDC_FIELD, v.u); }, _T("4000000000")},
        {_T("-2147483648"), [](CDataExchange* pDX, Values& v) { DDX_Text(pDX, IDC_FIELD, v.l); }, _T("-2147483648")},
        {_T("4294967295"), [](CDataExchange* pDX, Values& v) { DDX_Text(pDX, IDC_FIELD, v.dw); }, _T("4294967295")},
        {_T("1e3"), [](CDataExchange* pDX, Values& v) { DDX_Text(pDX, IDC_FIELD, v.d); }, _T("1000")},
        {_T("0.1"), [](CDataExchange* pDX, Values& v) { DDX_Text(pDX, IDC_FIELD, v.d); }, _T("0.1")},
        {_T(" text "), [](CDataExchange* pDX, Values& v) { DDX_Text(pDX, IDC_FIELD, v.str); }, _T(" text ")},
        {_T("7"),
         [](CDataExchange* pDX, Values& v) {
             DDX_Text(pDX, IDC_FIELD, v.n);
             DDV_MinMaxInt(pDX, v.n, 7, 7);
         },
         _T("7")},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(static_cast<LPCSTR>(CW2A(c.lpszTyped)));
        m_exchange = c.exchange;
        m_values = Values();
        m_dlg.SetDlgItemText(IDC_FIELD, c.lpszTyped);
        ASSERT_TRUE(m_dlg.UpdateData(TRUE));
        // Loading what was saved shows the value in its own format.
        m_dlg.SetDlgItemText(IDC_FIELD, _T(""));
        ASSERT_TRUE(m_dlg.UpdateData(FALSE));
        EXPECT_EQ(CString(c.lpszShown), ItemText(m_dlg, IDC_FIELD));
    }
    EXPECT_TRUE(m_app.m_boxes.empty());
}

TEST_F(DataExchangeTest, LoadingLimitsTheTextAndShowsValuesOutOfRange)
{
    m_values.str = _T("ab");
    m_values.n = 500;
    m_exchange = [](CDataExchange* pDX, Values& v) {
        DDX_Text(pDX, IDC_FIELD, v.str);
        DDV_MaxChars(pDX, v.str, 4);
        DDX_Text(pDX, IDC_OTHER, v.n);
        DDV_MinMaxInt(pDX, v.n, 1, 100);
    };
    EXPECT_TRUE(m_dlg.UpdateData(FALSE));
    EXPECT_EQ(4, m_dlg.SendDlgItemMessage(IDC_FIELD, EM_GETLIMITTEXT));
    EXPECT_EQ(CString(_T("500")), ItemText(m_dlg, IDC_OTHER));
    EXPECT_TRUE(m_app.m_boxes.empty());
}

TEST_F(DialogTest, ListAndComboStringsAndIndexes)
{
    struct
    {
        CString strCombo, strExact, strList;
        int nComboIndex = -1;
    } v;
    TestDialog dlg(IDD_DATA, &Parent());
    dlg.m_beforeInit = FillChoices;
    dlg.m_exchange = [&](CDataExchange* pDX) {
        DDX_CBStringExact(pDX, IDC_COMBO, v.strExact);
        DDX_LBString(pDX, IDC_LIST, v.strList);
    };
    ASSERT_TRUE(dlg.Create(IDD_DATA, &Parent()));

    // An exact search does not take a prefix: the text goes to the edit field.
    v.strExact = _T("Tw");
    v.strList = _T("Th");
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(CB_ERR, dlg.SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL));
    EXPECT_EQ(CString(_T("Tw")), ItemText(dlg, IDC_COMBO));
    EXPECT_EQ(2, dlg.SendDlgItemMessage(IDC_LIST, LB_GETCURSEL));
    v.strExact = _T("Two");
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(1, dlg.SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL));

    dlg.SendDlgItemMessage(IDC_LIST, LB_SETCURSEL, static_cast<WPARAM>(-1));
    dlg.SendDlgItemMessage(IDC_COMBO, CB_SETCURSEL, 0);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(CString(_T("One")), v.strExact);
    EXPECT_EQ(CString(), v.strList);
    dlg.SendDlgItemMessage(IDC_LIST, LB_SETCURSEL, 1);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(CString(_T("Two")), v.strList);

    dlg.m_exchange = [&](CDataExchange* pDX) { DDX_CBIndex(pDX, IDC_COMBO, v.nComboIndex); };
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(0, v.nComboIndex);
    v.nComboIndex = 2;
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(CString(_T("Three")), ItemText(dlg, IDC_COMBO));
    dlg.DestroyWindow();
}

TEST_F(DialogTest, CheckRadioAndControlExchange)
{
    int nCheck = 7;
    int nRadio = 5;
    CButton check;
    TestDialog dlg(IDD_DATA, &Parent());
    dlg.m_exchange = [&](CDataExchange* pDX) {
        DDX_Control(pDX, IDC_CHECK, check);
        DDX_Check(pDX, IDC_CHECK, nCheck);
        DDX_Radio(pDX, IDC_RADIO_A, nRadio);
    };
    ASSERT_TRUE(dlg.Create(IDD_DATA, &Parent()));
    // Values that no button has are shown as none checked.
    EXPECT_EQ(0, nCheck);
    EXPECT_EQ(0, dlg.GetCheckedRadioButton(IDC_RADIO_A, IDC_RADIO_C));
    EXPECT_EQ(&check, CWnd::FromHandlePermanent(dlg.GetDlgItem(IDC_CHECK)->m_hWnd));

    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(-1, nRadio);
    dlg.CheckRadioButton(IDC_RADIO_A, IDC_RADIO_C, IDC_RADIO_A + 1);
    check.SetCheck(BST_CHECKED);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(1, nRadio);
    EXPECT_EQ(1, nCheck);
    dlg.DestroyWindow();
    EXPECT_EQ(nullptr, check.m_hWnd);
}

TEST_F(DialogTest, FocusMovesAndDefaultButton)
{
    TestDialog dlg(IDD_FIELD, &Parent());
    ASSERT_TRUE(dlg.Create(IDD_FIELD, &Parent()));
    EXPECT_EQ(MAKELONG(IDOK, DC_HASDEFID), dlg.GetDefID());
    dlg.SetDefID(IDCANCEL);
    EXPECT_EQ(MAKELONG(IDCANCEL, DC_HASDEFID), dlg.GetDefID());

    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_FIELD));
    EXPECT_EQ(IDC_FIELD, dlg.FocusId());
    dlg.NextDlgCtrl();
    EXPECT_EQ(IDC_OTHER, dlg.FocusId());
    dlg.PrevDlgCtrl();
    EXPECT_EQ(IDC_FIELD, dlg.FocusId());
    dlg.DestroyWindow();
}
} // namespace
