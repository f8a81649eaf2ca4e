// The information wizard on the started program: the pages' buttons, placeholders and checks,
// the profile sections they write, the grid pages' rows, checks and stores with cells typed by
// posted keys, the wizard's end code, and the Properties and About commands.
#include "ReadmeSession.h"
#include "StartedApp.h"

#include <app/InfoPropertySheet.h>

#include <collector/ForEachValue.h>
#include <collector/SapHost.h>
#include <collector/SapSystem.h>

#include <grid/controls/Control.h>
#include <grid/core/Style.h>

#include <testing/MessagePump.h>
#include <afxpriv.h>
#include <testing/ModalScript.h>
#include <testing/PrintString.h>

#include <utility>
#include <vector>

namespace
{
using Entries = std::vector<std::pair<int, CString>>;

const Entries kCustomer = {{IDC_COMPANY, _T("Acme Tools 4")},
                           {IDC_COMPANY_ADDRESS1, _T("1 Main Street")},
                           {IDC_COMPANY_CITY, _T("Springfield")},
                           {IDC_COMPANY_COUNTRY, _T("USA")},
                           {IDC_CONTACT, _T("Jane Roe")},
                           {IDC_CONTACT_TELEPHONE, _T("555 0100")},
                           {IDC_CONTACT_EMAIL, _T("jane@acme.example")}};
const Entries kRep = {
    {IDC_REP_NAME, _T("John Doe")},      {IDC_REP_CITY, _T("Shelbyville")},       {IDC_REP_COUNTRY, _T("USA")},
    {IDC_REP_TELEPHONE, _T("555 0199")}, {IDC_REP_EMAIL, _T("john@zol.example")}, {IDC_REASON, _T("Upgrade sizing")}};

// The wizard's pages by index.
enum Page
{
    kCustomerPage,
    kRepPage,
    kSapPage,
    kMachinePage
};

// Which of Back, Next and Finish a page offers: shown and enabled.
struct Offered
{
    bool bBack, bNext, bFinish;
    bool operator==(const Offered&) const = default;
};

bool IsOffered(HWND hSheet, int nID)
{
    const HWND hButton = ::GetDlgItem(hSheet, nID);
    return hButton != nullptr && ::IsWindowVisible(hButton) && ::IsWindowEnabled(hButton);
}

// What the user met when leaving a page was refused.
struct Refusal
{
    CString strText;
    bool bStopIcon = false;
};

CString ControlText(HWND hPage, int nID)
{
    return ModalWindow(hPage).ItemText(nID);
}

class WizardTest : public StartedApp
{
protected:
    void TearDown() override
    {
        if (m_sheet.m_hWnd != nullptr)
            m_sheet.DestroyWindow();
        StartedApp::TearDown();
    }

    // Landscape objects straight into the frame's maps, which own them.
    CSapHost& AddHost(LPCTSTR lpszName)
    {
        auto* pHost = new CSapHost;
        pHost->m_strHostName = lpszName;
        CSingleLock lock(&Frame().GetHostsMutex(), TRUE);
        Frame().GetHosts().SetAt(lpszName, pHost);
        return *pHost;
    }
    CSapSystem& AddSystem(LPCTSTR lpszSystemId)
    {
        auto* pSystem = new CSapSystem;
        CSingleLock lock(&Frame().GetSystemsMutex(), TRUE);
        Frame().GetSystems().SetAt(lpszSystemId, pSystem);
        return *pSystem;
    }
    // The hosts' names in the map's order.
    std::vector<CString> HostNames()
    {
        std::vector<CString> names;
        ForEachValue(Frame().GetHosts(), [&](CSapHost* pHost) { names.push_back(pHost->m_strHostName); });
        return names;
    }

    // Pages 1 and 2 as a user filled them before.
    void StoreFormPages()
    {
        ::StoreFormPages(App());
    }

    // The wizard without its own modal loop, driven by posted clicks.
    void OpenSheet()
    {
        ASSERT_TRUE(m_sheet.Create(&Frame()));
        PumpPendingMessages();
    }
    HWND Sheet()
    {
        return m_sheet.m_hWnd;
    }
    HWND CurrentPage()
    {
        return reinterpret_cast<HWND>(::SendMessage(Sheet(), PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    int CurrentIndex()
    {
        const HWND hPage = CurrentPage();
        return hPage == nullptr ? -1 : static_cast<int>(::SendMessage(Sheet(), PSM_HWNDTOINDEX, (WPARAM)hPage, 0));
    }
    Offered Buttons()
    {
        return {IsOffered(Sheet(), ID_WIZBACK), IsOffered(Sheet(), ID_WIZNEXT), IsOffered(Sheet(), ID_WIZFINISH)};
    }
    // Clicks the sheet's button and lets it act.
    void Click(int nID)
    {
        ModalWindow(Sheet()).Press(nID);
        PumpPendingMessages();
    }
    // Clicks the button, which the page refuses with a message box: reads the box and closes it.
    Refusal ClickRefused(int nID)
    {
        Refusal refusal;
        ModalScript script({[&](ModalWindow& box) {
            refusal.strText = box.Text();
            refusal.bStopIcon = box.Icon() != nullptr && box.Icon() == ::LoadIcon(nullptr, IDI_HAND);
            box.Press(IDOK);
        }});
        ModalWindow(Sheet()).Press(nID);
        EXPECT_TRUE(PumpMessagesUntil([&] { return script.Done(); }));
        PumpPendingMessages();
        return refusal;
    }
    void Fill(const Entries& entries)
    {
        for (const auto& [nID, strText] : entries)
            ModalWindow(CurrentPage()).SetItemText(nID, strText);
    }
    // The control with the focus once the sheet is active again, as the user returns to it.
    int FocusedItem()
    {
        const HWND hFocus = ModalWindow(Sheet()).Focus();
        return hFocus != nullptr && ::GetParent(hFocus) == CurrentPage() ? ::GetDlgCtrlID(hFocus) : 0;
    }
    // Goes to a grid page with pages 1 and 2 valid.
    void OpenAt(Page page)
    {
        StoreFormPages();
        OpenSheet();
        for (int i = kCustomerPage; i < page; ++i)
            Click(ID_WIZNEXT);
        ASSERT_EQ(page, CurrentIndex());
    }

    CGridPropertyPage& GridPage()
    {
        return CurrentIndex() == kSapPage ? static_cast<CGridPropertyPage&>(m_sheet.m_sapPage) : m_sheet.m_machinePage;
    }
    CGXGridWnd& Grid()
    {
        return GridPage().m_wndGrid;
    }
    // Types the text into the cell as keys posted to the grid, then to its active control;
    // the edit stays unconfirmed.
    void Type(ROWCOL nRow, ROWCOL nCol, LPCTSTR lpszText)
    {
        // Leaving the cell first confirms an edit in progress, so that the keys start a new one.
        Grid().SetCurrentCell(nRow, nCol == 1 ? 2 : 1);
        Grid().SetCurrentCell(nRow, nCol);
        Grid().SetFocus();
        for (LPCTSTR p = lpszText; *p != 0; ++p)
        {
            CGXControl* pControl = Grid().GetCurrentCellControl();
            const HWND hTarget = pControl != nullptr && pControl->IsActive() && pControl->GetControlWindow() != nullptr
                                     ? pControl->GetControlWindow()->m_hWnd
                                     : Grid().m_hWnd;
            ::PostMessage(hTarget, WM_CHAR, *p, 1);
            PumpPendingMessages();
        }
    }
    // Types the text and confirms it with the Enter key.
    void Enter(ROWCOL nRow, ROWCOL nCol, LPCTSTR lpszText)
    {
        Type(nRow, nCol, lpszText);
        ::PostMessage(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
        PumpPendingMessages();
    }
    std::pair<ROWCOL, ROWCOL> Current()
    {
        ROWCOL nRow = 0, nCol = 0;
        Grid().GetCurrentCell(&nRow, &nCol);
        return {nRow, nCol};
    }
    std::vector<CString> Row(ROWCOL nRow)
    {
        std::vector<CString> cells;
        for (ROWCOL nCol = 0; nCol <= 6; ++nCol)
            cells.push_back(GridPage().GetCellText(nRow, nCol));
        return cells;
    }
    // The column headers are drawn in bold "Courier New"; the row headers and the values keep
    // the grid's own font.
    void ExpectHeaderFontOnTheHeaderRowOnly()
    {
        for (ROWCOL nCol = 1; nCol <= 6; ++nCol)
        {
            CGXStyle header;
            Grid().ComposeStyleRowCol(0, nCol, &header);
            EXPECT_EQ(700, header.GetFont().GetWeight()) << nCol;
            EXPECT_EQ(CString(_T("Courier New")), header.GetFont().GetFaceName()) << nCol;
            for (ROWCOL nRow = 1; nRow <= Grid().GetRowCount(); ++nRow)
                for (ROWCOL nCell : {ROWCOL(0), nCol})
                {
                    CGXStyle cell;
                    Grid().ComposeStyleRowCol(nRow, nCell, &cell);
                    EXPECT_NE(CString(_T("Courier New")), cell.GetFont().GetFaceName()) << nRow << ", " << nCell;
                }
        }
    }
    CString Profile(LPCTSTR lpszSection, LPCTSTR lpszEntry)
    {
        return App().GetProfileString(lpszSection, lpszEntry, _T("(none)"));
    }

    CInfoPropertySheet m_sheet;
};

TEST_F(WizardTest, EachPageOffersItsButtonsAndHelpIsHidden)
{
    OpenAt(kMachinePage);
    std::vector<Offered> offered;
    for (int i = 0; i < 3; ++i)
        Click(ID_WIZBACK);
    ASSERT_EQ(kCustomerPage, CurrentIndex());
    for (int i = kCustomerPage; i <= kMachinePage; ++i)
    {
        EXPECT_EQ(i, CurrentIndex());
        offered.push_back(Buttons());
        Click(ID_WIZNEXT);
    }
    const std::vector<Offered> expected = {
        {false, true, false}, {true, true, false}, {true, true, false}, {true, false, true}};
    EXPECT_EQ(expected, offered);
    const HWND hHelp = ::GetDlgItem(Sheet(), IDHELP);
    EXPECT_TRUE(hHelp == nullptr || !::IsWindowVisible(hHelp));
}

TEST_F(WizardTest, FirstUseShowsThePlaceholdersAndAsksForTheCompany)
{
    OpenSheet();
    const HWND hPage = CurrentPage();
    for (int nID : {IDC_COMPANY, IDC_COMPANY_ADDRESS1, IDC_COMPANY_CITY, IDC_COMPANY_COUNTRY, IDC_CONTACT,
                    IDC_CONTACT_TELEPHONE, IDC_CONTACT_EMAIL})
        EXPECT_EQ(CString(_T("?")), ControlText(hPage, nID)) << nID;
    EXPECT_EQ(CString(), ControlText(hPage, IDC_COMPANY_ADDRESS2));
    EXPECT_EQ(CString(_T("Aerospace")), ControlText(hPage, IDC_INDUSTRY));
    EXPECT_EQ(34, ::SendDlgItemMessage(hPage, IDC_INDUSTRY, CB_GETCOUNT, 0, 0));

    const Refusal refusal = ClickRefused(ID_WIZNEXT);
    EXPECT_EQ(CString(_T("Lumiter Exception: Please enter company's name.")), refusal.strText);
    EXPECT_TRUE(refusal.bStopIcon);
    EXPECT_EQ(kCustomerPage, CurrentIndex());
    EXPECT_EQ(IDC_COMPANY, FocusedItem());
    EXPECT_EQ(CString(_T("(none)")), Profile(_T("Customer"), _T("Company")));
}

TEST_F(WizardTest, TheFormPagesRefuseEachMissingEntryWithTheFocusOnIt)
{
    struct Case
    {
        Page page;
        int nID;
        LPCTSTR lpszValue;
        LPCTSTR lpszMessage;
    };
    const Case cases[] = {
        {kCustomerPage, IDC_COMPANY, _T(""), _T("Please enter company's name.")},
        {kCustomerPage, IDC_COMPANY, _T("Acme-Tools"),
         _T("Invalid character ( - ) in company name.\nOnly characters [a-z] [A-Z] and [0-9] are allowed.")},
        {kCustomerPage, IDC_COMPANY, _T("Acme.Tools"),
         _T("Invalid character ( . ) in company name.\nOnly characters [a-z] [A-Z] and [0-9] are allowed.")},
        {kCustomerPage, IDC_COMPANY, _T("Caf\x00E9 Roma"),
         _T("Invalid character ( \x00E9 ) in company name.\nOnly characters [a-z] [A-Z] and [0-9] are allowed.")},
        {kCustomerPage, IDC_COMPANY_ADDRESS1, _T("?"), _T("Please enter company's address.")},
        {kCustomerPage, IDC_COMPANY_CITY, _T(""), _T("Please enter company's city, state, and zip code.")},
        {kCustomerPage, IDC_COMPANY_COUNTRY, _T("?"), _T("Please enter the company's country.")},
        {kCustomerPage, IDC_CONTACT, _T(""), _T("Please enter contact's name.")},
        {kCustomerPage, IDC_CONTACT_TELEPHONE, _T("?"), _T("Please enter contact's telephone number.")},
        {kCustomerPage, IDC_CONTACT_EMAIL, _T(""), _T("Please enter contact's email address.")},
        {kRepPage, IDC_REP_NAME, _T("?"), _T("Please enter sales rep's name.")},
        {kRepPage, IDC_REP_CITY, _T(""), _T("Please enter sales rep's city, state, and zip code.")},
        {kRepPage, IDC_REP_COUNTRY, _T("?"), _T("Please enter sales rep's country.")},
        {kRepPage, IDC_REP_TELEPHONE, _T(""), _T("Please enter sales rep's telephone number.")},
        {kRepPage, IDC_REP_EMAIL, _T("?"), _T("Please enter sales rep's email address.")},
        {kRepPage, IDC_REASON, _T(""), _T("Please enter reason for analysis.")},
    };
    OpenSheet();
    for (const Case& c : cases)
    {
        if (c.page == kRepPage && CurrentIndex() == kCustomerPage)
        {
            Fill(kCustomer);
            Click(ID_WIZNEXT);
        }
        ASSERT_EQ(c.page, CurrentIndex());
        Fill(c.page == kCustomerPage ? kCustomer : kRep);
        Fill({{c.nID, c.lpszValue}});
        const Refusal refusal = ClickRefused(ID_WIZNEXT);
        EXPECT_EQ(CString(_T("Lumiter Exception: ")) + c.lpszMessage, refusal.strText) << CW2A(c.lpszValue);
        EXPECT_EQ(c.page, CurrentIndex());
        EXPECT_EQ(c.nID, FocusedItem()) << CW2A(c.lpszMessage);
    }
}

TEST_F(WizardTest, CompanyNamesOfDigitsAndSpacesPassAndOptionalFieldsMayStayEmpty)
{
    OpenSheet();
    Fill(kCustomer);
    Fill({{IDC_COMPANY, _T("42 Acme 7 Tools")}, {IDC_COMPANY_ADDRESS2, _T("")}});
    Click(ID_WIZNEXT);
    EXPECT_EQ(kRepPage, CurrentIndex());
    Fill(kRep);
    Fill({{IDC_REP_ADDRESS1, _T("")}, {IDC_REP_ADDRESS2, _T("")}, {IDC_SIZING, _T("")}});
    Click(ID_WIZNEXT);
    EXPECT_EQ(kSapPage, CurrentIndex());
}

TEST_F(WizardTest, NextWritesTheSectionsWhichSurviveACancelAndComeBack)
{
    OpenSheet();
    Fill(kCustomer);
    Fill({{IDC_COMPANY_ADDRESS2, _T("Suite 5")}});
    ::SendDlgItemMessage(CurrentPage(), IDC_INDUSTRY, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(_T("Mining")));
    Click(ID_WIZNEXT);
    // Back writes nothing, and a page left by Cancel is not written.
    Fill({{IDC_REP_NAME, _T("Not Kept")}});
    Click(ID_WIZBACK);
    EXPECT_EQ(CString(_T("(none)")), Profile(_T("ZOL"), _T("Name")));
    Click(ID_WIZNEXT);
    Fill(kRep);
    Click(ID_WIZNEXT);
    ASSERT_EQ(kSapPage, CurrentIndex());
    Click(IDCANCEL);
    m_sheet.DestroyWindow();

    const std::pair<LPCTSTR, LPCTSTR> customer[] = {
        {_T("Company"), _T("Acme Tools 4")},     {_T("Industry"), _T("Mining")},
        {_T("Address1"), _T("1 Main Street")},   {_T("Address2"), _T("Suite 5")},
        {_T("CityStateZip"), _T("Springfield")}, {_T("Country"), _T("USA")},
        {_T("Contact"), _T("Jane Roe")},         {_T("Telephone"), _T("555 0100")},
        {_T("Email"), _T("jane@acme.example")}};
    for (const auto& [lpszEntry, lpszValue] : customer)
        EXPECT_EQ(CString(lpszValue), Profile(_T("Customer"), lpszEntry)) << CW2A(lpszEntry);
    EXPECT_EQ(CString(_T("John Doe")), Profile(_T("ZOL"), _T("Name")));
    EXPECT_EQ(CString(_T("Upgrade sizing")), Profile(_T("ZOL"), _T("Reason")));
    EXPECT_EQ(CString(), Profile(_T("ZOL"), _T("Sizing")));

    CInfoPropertySheet again;
    ASSERT_TRUE(again.Create(&Frame()));
    EXPECT_EQ(CString(_T("Mining")), ControlText(again.m_customerPage.m_hWnd, IDC_INDUSTRY));
    EXPECT_EQ(CString(_T("Suite 5")), ControlText(again.m_customerPage.m_hWnd, IDC_COMPANY_ADDRESS2));
    again.DestroyWindow();
}

TEST_F(WizardTest, MachineRowsFollowTheHostMapWithABoldHeaderAndPlaceholders)
{
    for (LPCTSTR lpszHost : {_T("saplx01"), _T("dbhost01"), _T("apphost7")})
        AddHost(lpszHost);
    OpenAt(kMachinePage);
    const std::vector<CString> names = HostNames();
    ASSERT_EQ(names.size(), Grid().GetRowCount());
    const std::vector<CString> header = {_T("Host"),      _T("Vendor"),      _T("Model"),    _T("# CPUs"),
                                         _T("CPU (MHz)"), _T("Memory (MB)"), _T("Disk (GB)")};
    EXPECT_EQ(header, Row(0));
    ExpectHeaderFontOnTheHeaderRowOnly();
    for (ROWCOL nRow = 1; nRow <= names.size(); ++nRow)
    {
        const std::vector<CString> expected = {names[nRow - 1], _T("?"), _T("?"), _T("0"), _T("0"), _T("0"), _T("0")};
        EXPECT_EQ(expected, Row(nRow));
    }
    EXPECT_EQ(std::make_pair(ROWCOL(1), ROWCOL(1)), Current());

    const Refusal refusal = ClickRefused(ID_WIZFINISH);
    EXPECT_EQ(CString(_T("Lumiter Exception: Please enter the machine vendor!")), refusal.strText);
    EXPECT_TRUE(refusal.bStopIcon);
    EXPECT_EQ(kMachinePage, CurrentIndex());
    EXPECT_EQ(std::make_pair(ROWCOL(1), ROWCOL(1)), Current());
    // The next idle pass gives the grid the keyboard focus back.
    ::SetFocus(::GetDlgItem(Sheet(), IDCANCEL));
    ::SendMessage(Sheet(), WM_KICKIDLE, MSGF_DIALOGBOX, 0);
    const HWND hFocus = ::GetFocus();
    EXPECT_TRUE(hFocus == Grid().m_hWnd || ::IsChild(Grid().m_hWnd, hFocus));
}

TEST_F(WizardTest, TheFirstFailingMachineCellBecomesCurrentWithItsMessage)
{
    CSapHost& host = AddHost(_T("saplx01"));
    OpenAt(kMachinePage);
    struct Case
    {
        ROWCOL nCol;
        LPCTSTR lpszTyped;
        LPCTSTR lpszMessage; // null: accepted
    };
    const Case cases[] = {
        {1, _T("?"), _T("Please enter the machine vendor!")},
        {2, _T(" "), _T("Please enter the machine model!")},
        {3, _T(" "), _T("Please enter the CPU count!")},
        {3, _T("0"), _T("Please enter a CPU count greater than zero!")},
        {4, _T(" "), _T("Please enter the CPU speed!")},
        {4, _T("-5"), _T("Please enter a CPU speed greater than zero!")},
        {5, _T(" "), _T("Please enter size of memory!")},
        {5, _T("abc"), _T("Please enter memory size greater than zero!")},
        {6, _T(" "), _T("Please enter disk space!")},
        {6, _T("0"), _T("Please enter disk space greater than zero!")},
        {5, _T("0.5"), nullptr},
    };
    const LPCTSTR valid[] = {_T(""), _T("Acme"), _T("X9"), _T("4"), _T("2400"), _T("16384"), _T("500")};
    for (const Case& c : cases)
    {
        for (ROWCOL nCol = 1; nCol <= 6; ++nCol)
            Enter(1, nCol, valid[nCol]);
        if (c.lpszMessage == nullptr)
        {
            // An edit left unconfirmed counts all the same.
            Type(1, c.nCol, c.lpszTyped);
            Click(ID_WIZFINISH);
            EXPECT_EQ(-1, CurrentIndex()) << "finished";
            continue;
        }
        Enter(1, c.nCol, c.lpszTyped);
        Grid().SetCurrentCell(1, c.nCol == 6 ? 1 : 6);
        const Refusal refusal = ClickRefused(ID_WIZFINISH);
        EXPECT_EQ(CString(_T("Lumiter Exception: ")) + c.lpszMessage, refusal.strText) << CW2A(c.lpszTyped);
        EXPECT_EQ(std::make_pair(ROWCOL(1), c.nCol), Current()) << CW2A(c.lpszMessage);
        // Nothing is stored unless every row passes.
        EXPECT_EQ(CString(_T("?")), host.m_strVendor);
        EXPECT_EQ(CString(_T("(none)")), Profile(_T("saplx01"), _T("Vendor")));
    }
    const std::vector<CString> stored = {host.m_strVendor,   host.m_strModel,  host.m_strCpuCount,
                                         host.m_strCpuSpeed, host.m_strMemory, host.m_strDisk};
    const std::vector<CString> expected = {_T("Acme"), _T("X9"), _T("4"), _T("2400"), _T("0.5"), _T("500")};
    EXPECT_EQ(expected, stored);
    const LPCTSTR entries[] = {_T("Vendor"), _T("Model"), _T("CpuCount"), _T("CpuSpeed"), _T("Memory"), _T("Disk")};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], Profile(_T("saplx01"), entries[i])) << CW2A(entries[i]);
}

TEST_F(WizardTest, BackThenNextRefillsFromTheHostsBeforeTheProfile)
{
    CSapHost& stored = AddHost(_T("saplx01"));
    AddHost(_T("dbhost01"));
    App().WriteProfileString(_T("saplx01"), _T("Vendor"), _T("FromProfile"));
    App().WriteProfileString(_T("dbhost01"), _T("Vendor"), _T("  Profiled  "));
    App().WriteProfileString(_T("dbhost01"), _T("Memory"), _T("8192"));
    OpenAt(kMachinePage);
    const ROWCOL nStored = HostNames()[0] == _T("saplx01") ? 1 : 2;
    EXPECT_EQ(CString(_T("FromProfile")), GridPage().GetCellText(nStored, 1));
    EXPECT_EQ(CString(_T("Profiled")), GridPage().GetCellText(3 - nStored, 1));
    EXPECT_EQ(CString(_T("8192")), GridPage().GetCellText(3 - nStored, 5));

    Enter(nStored, 2, _T("Typed"));
    stored.m_strVendor = _T("FromHost");
    Click(ID_WIZBACK);
    Click(ID_WIZNEXT);
    ASSERT_EQ(kMachinePage, CurrentIndex());
    EXPECT_EQ(CString(_T("FromHost")), GridPage().GetCellText(nStored, 1));
    EXPECT_EQ(CString(_T("?")), GridPage().GetCellText(nStored, 2));
    EXPECT_EQ(std::make_pair(ROWCOL(1), ROWCOL(1)), Current());
}

TEST_F(WizardTest, WithoutHostsOrSystemsFinishPasses)
{
    OpenAt(kMachinePage);
    EXPECT_EQ(0u, Grid().GetRowCount());
    Click(ID_WIZFINISH);
    EXPECT_EQ(-1, CurrentIndex());
    EXPECT_TRUE(m_sheet.m_machinePage.IsFinished());
}

TEST_F(WizardTest, SystemRowsShowThePlaceholdersAndAskForTheUsers)
{
    CSapSystem& system = AddSystem(_T("PRD"));
    OpenAt(kSapPage);
    ASSERT_EQ(1u, Grid().GetRowCount());
    const std::vector<CString> header = {_T("SAP SID"), _T("Install Date"), _T("Users"), _T("SAP Addr"),
                                         _T("DB Addr"), _T("Network"),      _T("CEN")};
    EXPECT_EQ(header, Row(0));
    const std::vector<CString> first = {_T("PRD"), _T("6/7/1992"), _T("0"), _T("0"), _T("0"), _T("?"), _T("0")};
    EXPECT_EQ(first, Row(1));
    ExpectHeaderFontOnTheHeaderRowOnly();
    CGXStyle style;
    Grid().ComposeStyleRowCol(1, 3, &style);
    EXPECT_EQ(52523, style.GetControl());
    EXPECT_EQ(CString(_T("64-bit")), style.GetChoiceList());
    Grid().ComposeStyleRowCol(1, 1, &style);
    EXPECT_EQ(52543, style.GetControl());

    Refusal refusal = ClickRefused(ID_WIZNEXT);
    EXPECT_EQ(CString(_T("Lumiter Exception: Please enter a total number of SAP users greater than zero!")),
              refusal.strText);
    EXPECT_EQ(std::make_pair(ROWCOL(1), ROWCOL(2)), Current());

    // The network's placeholder passes; an empty network does not.
    Enter(1, 2, _T("250"));
    Type(1, 5, _T(" "));
    refusal = ClickRefused(ID_WIZNEXT);
    EXPECT_EQ(CString(_T("Lumiter Exception: Please enter server network!")), refusal.strText);
    EXPECT_EQ(std::make_pair(ROWCOL(1), ROWCOL(5)), Current());
    EXPECT_EQ(CString(_T("0")), system.m_strUserCount);
    EXPECT_EQ(CString(_T("(none)")), Profile(_T("PRD"), _T("UserCount")));

    Type(1, 5, _T("LAN 10G"));
    Click(ID_WIZNEXT);
    ASSERT_EQ(kMachinePage, CurrentIndex());
    const std::vector<CString> stored = {system.m_strInstallDate, system.m_strUserCount, system.m_strSap64Addr,
                                         system.m_strDb64Addr,    system.m_strNetwork,   system.m_strCen};
    const std::vector<CString> expected = {_T("6/7/1992"), _T("250"), _T("0"), _T("0"), _T("LAN 10G"), _T("0")};
    EXPECT_EQ(expected, stored);
    const LPCTSTR entries[] = {_T("InstallDate"), _T("UserCount"), _T("Sap64Addr"),
                               _T("Db64Addr"),    _T("Network"),   _T("CEN")};
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], Profile(_T("PRD"), entries[i])) << CW2A(entries[i]);
}

// The wizard as the session runs it: its own modal loop and its end code.
class ModalWizardTest : public WizardTest
{
protected:
    INT_PTR Run(std::vector<ModalScript::Action> actions)
    {
        ModalScript script(std::move(actions));
        CInfoPropertySheet sheet;
        const INT_PTR nResult = sheet.DoModal();
        EXPECT_TRUE(script.Done());
        return nResult;
    }
    // Passes pages 1 to 3, then clicks Finish.
    static ModalScript::Action GoesToFinish()
    {
        return [](ModalWindow& sheet) {
            for (int i = kCustomerPage; i < kMachinePage; ++i)
                ::SendMessage(sheet.Handle(), PSM_PRESSBUTTON, PSBTN_NEXT, 0);
            sheet.Press(ID_WIZFINISH);
        };
    }
};

TEST_F(ModalWizardTest, FinishEndsWithTheFinishCodeAndCancelWithCancel)
{
    StoreFormPages();
    EXPECT_EQ(ID_WIZFINISH, Run({GoesToFinish()}));
    EXPECT_EQ(IDCANCEL, Run({[](ModalWindow& sheet) { sheet.Press(IDCANCEL); }}));
}

TEST_F(ModalWizardTest, ClosingAfterARefusedFinishIsNoFinish)
{
    StoreFormPages();
    AddHost(_T("saplx01"));
    CString strText;
    EXPECT_EQ(IDCANCEL, Run({GoesToFinish(),
                             [&](ModalWindow& box) {
                                 strText = box.Text();
                                 box.Press(IDOK);
                             },
                             [](ModalWindow& sheet) { ::PostMessage(sheet.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }}));
    EXPECT_EQ(CString(_T("Lumiter Exception: Please enter the machine vendor!")), strText);
}

TEST_F(WizardTest, PropertiesAndAboutOpenTheirWindows)
{
    struct Case
    {
        UINT nCommand;
        LPCTSTR lpszCaption;
    };
    for (const Case& c : {Case{ID_SESSION_PROPERTIES, _T("Properties")}, Case{ID_APP_ABOUT, _T("About Lumiter")}})
    {
        CString strCaption;
        ModalScript script({[&](ModalWindow& window) {
            strCaption = window.Caption();
            window.Press(IDCANCEL);
        }});
        RunCommand(c.nCommand);
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(CString(c.lpszCaption), strCaption);
    }
}
} // namespace
