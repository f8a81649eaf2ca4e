// The program settings sheet and the session directory dialog: defaults, the lists filled from
// the dialog's initialisation data, the round trip through section "Properties", the data
// directory's checks and walk, and a fresh profile.
#include "DialogTest.h"

#include <app/DataDirectory.h>
#include <app/SessionDialog.h>
#include <app/SessionPropertySheet.h>

#include <testing/TempDirectory.h>

#include <climits>

namespace
{
const LPCTSTR kRfcEntries[] = {_T("DsrInterval"),        _T("BiInterval"),          _T("HostInterval"),
                               _T("DatabaseInterval"),   _T("DialogStepInterval"),  _T("BufferInterval"),
                               _T("DispatcherInterval"), _T("WorkProcessInterval"), _T("ReportInterval"),
                               _T("ReportRowCount"),     _T("TraceLevel")};
const std::vector<CString> kDefaults = {_T("15"), _T("15"), _T("1"), _T("20"),    _T("15"), _T("15"),
                                        _T("1"),  _T("15"), _T("5"), _T("10000"), _T("0")};

HWND CurrentPage(const ModalWindow& sheet)
{
    return reinterpret_cast<HWND>(::SendMessage(sheet.Handle(), PSM_GETCURRENTPAGEHWND, 0, 0));
}

int CurrentPageIndex(const ModalWindow& sheet)
{
    const HWND hTab = reinterpret_cast<HWND>(::SendMessage(sheet.Handle(), PSM_GETTABCONTROL, 0, 0));
    return static_cast<int>(::SendMessage(hTab, TCM_GETCURSEL, 0, 0));
}

std::vector<CString> ListEntries(HWND hPage, int nID)
{
    const HWND hList = ::GetDlgItem(hPage, nID);
    std::vector<CString> entries;
    const int nCount = static_cast<int>(::SendMessage(hList, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < nCount; ++i)
    {
        CString strEntry;
        const int nLength = static_cast<int>(::SendMessage(hList, CB_GETLBTEXTLEN, i, 0));
        ::SendMessage(hList, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(strEntry.GetBuffer(nLength)));
        strEntry.ReleaseBuffer(nLength);
        entries.push_back(strEntry);
    }
    return entries;
}

std::vector<CString> Selections(HWND hPage)
{
    std::vector<CString> values;
    for (int nID = IDC_DSR_INTERVAL; nID <= IDC_TRACE_LEVEL; ++nID)
        values.push_back(ModalWindow(hPage).ItemText(nID));
    return values;
}

// Selects the entry as the user does, which tells the page.
void Choose(HWND hPage, int nID, LPCTSTR lpszEntry)
{
    const HWND hList = ::GetDlgItem(hPage, nID);
    const LRESULT nIndex =
        ::SendMessage(hList, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(lpszEntry));
    ASSERT_NE(CB_ERR, nIndex) << CW2A(lpszEntry);
    ::SendMessage(hList, CB_SETCURSEL, nIndex, 0);
    ::SendMessage(hPage, WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hList));
}

// Presses Apply and waits for it; for an apply that shows no message.
void Apply(const ModalWindow& sheet)
{
    ::SendMessage(sheet.Handle(), WM_COMMAND, MAKEWPARAM(ID_APPLY_NOW, BN_CLICKED),
                  reinterpret_cast<LPARAM>(::GetDlgItem(sheet.Handle(), ID_APPLY_NOW)));
}

// Switches to the other tab as a click on it does; posted, so that the action ends first.
void ShowPage(const ModalWindow& sheet, int nPage)
{
    ::PostMessage(sheet.Handle(), PSM_SETCURSEL, nPage, 0);
}

bool IsDirectory(const CString& strPath)
{
    const DWORD dwAttributes = ::GetFileAttributes(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// What a refused apply left: the message box, then the sheet's page and focus.
struct SheetRefusal
{
    CString strText;
    bool bExclamation = false;
    int nPage = -1;
    int nFocus = 0;
    CString strEntry;
};

ModalScript::Action ReadRefusal(SheetRefusal& refusal)
{
    return [&refusal](ModalWindow& box) {
        refusal.strText = box.Text();
        refusal.bExclamation = box.Icon() != nullptr && box.Icon() == ::LoadIcon(nullptr, IDI_EXCLAMATION);
        box.Press(IDOK);
    };
}

ModalScript::Action ReadPageAndCancel(SheetRefusal& refusal)
{
    return [&refusal](ModalWindow& sheet) {
        refusal.nPage = CurrentPageIndex(sheet);
        const HWND hFocus = sheet.Focus();
        refusal.nFocus = hFocus != nullptr && ::GetParent(hFocus) == CurrentPage(sheet) ? ::GetDlgCtrlID(hFocus) : 0;
        refusal.strEntry = ModalWindow(CurrentPage(sheet)).ItemText(refusal.nFocus);
        sheet.Press(IDCANCEL);
    };
}

class SettingsTest : public DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        App().WriteProfileString(kPropertiesSection, _T("ProgramPath"), m_program.Path());
    }

    // The integer value as text, with "(none)" for a missing one.
    CString StoredInt(LPCTSTR lpszEntry)
    {
        const int nValue = App().GetProfileInt(kPropertiesSection, lpszEntry, INT_MIN);
        CString strValue(_T("(none)"));
        if (nValue != INT_MIN)
            strValue.Format(_T("%d"), nValue);
        return strValue;
    }
    std::vector<CString> StoredRfcValues()
    {
        std::vector<CString> values;
        for (LPCTSTR lpszEntry : kRfcEntries)
            values.push_back(StoredInt(lpszEntry));
        return values;
    }

    TempDirectory m_program;
};

TEST_F(SettingsTest, IntervalPageShowsTheDefaultsAndItsListsInOrder)
{
    CSessionPropertySheet sheet(&Parent());
    sheet.SetActivePage(1);
    std::vector<CString> shown;
    std::vector<std::vector<CString>> lists;
    CString strCaption;
    ModalScript script({[&](ModalWindow& window) {
        strCaption = window.Caption();
        const HWND hPage = CurrentPage(window);
        shown = Selections(hPage);
        for (int nID = IDC_DSR_INTERVAL; nID <= IDC_TRACE_LEVEL; ++nID)
            lists.push_back(ListEntries(hPage, nID));
        window.Press(IDCANCEL);
    }});
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(CString(_T("Properties")), strCaption);
    EXPECT_EQ(kDefaults, shown);
    const std::vector<CString> intervals = {_T("0"),  _T("1"),  _T("5"),  _T("10"),
                                            _T("15"), _T("20"), _T("30"), _T("60")};
    const std::vector<CString> records = {_T("10000"), _T("20000"), _T("30000"), _T("40000"), _T("50000"),
                                          _T("60000"), _T("70000"), _T("80000"), _T("90000"), _T("100000")};
    const std::vector<CString> levels = {_T("0"), _T("1"), _T("2"), _T("3")};
    std::vector<std::vector<CString>> expected(9, intervals);
    expected.push_back(records);
    expected.push_back(levels);
    EXPECT_EQ(expected, lists);
    EXPECT_EQ(std::vector<CString>(11, _T("(none)")), StoredRfcValues()) << "Cancel writes nothing";
}

TEST_F(SettingsTest, StoredValuesAreShownAndOkWritesAllElevenAfterATraceLevelChangeAlone)
{
    const std::vector<CString> stored = {_T("5"), _T("10"), _T("0"),  _T("60"),    _T("30"), _T("1"),
                                         _T("5"), _T("20"), _T("10"), _T("50000"), _T("2")};
    for (size_t i = 0; i < stored.size(); ++i)
        App().WriteProfileInt(kPropertiesSection, kRfcEntries[i], _ttoi(stored[i]));
    App().WriteProfileString(kPropertiesSection, _T("HostInterval"), nullptr); // absent: its default
    CSessionPropertySheet sheet(&Parent());
    sheet.SetActivePage(1);
    std::vector<CString> shown;
    bool bApplyEnabled = true;
    ModalScript script({[&](ModalWindow& window) {
        const HWND hPage = CurrentPage(window);
        shown = Selections(hPage);
        Choose(hPage, IDC_TRACE_LEVEL, _T("3"));
        bApplyEnabled = ::IsWindowEnabled(::GetDlgItem(window.Handle(), ID_APPLY_NOW)) != FALSE;
        window.Press(IDOK);
    }});
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(script.Done());
    std::vector<CString> expectedShown = stored;
    expectedShown[2] = _T("1");
    EXPECT_EQ(expectedShown, shown);
    EXPECT_FALSE(bApplyEnabled) << "the trace level has no change handler";
    std::vector<CString> expectedStored = expectedShown;
    expectedStored[10] = _T("3");
    EXPECT_EQ(expectedStored, StoredRfcValues());
}

TEST_F(SettingsTest, ApplyWritesAChangedIntervalPageAndAStoredTextSelectsTheFirstEntryItBegins)
{
    App().WriteProfileInt(kPropertiesSection, _T("DsrInterval"), 2);
    CSessionPropertySheet sheet(&Parent());
    sheet.SetActivePage(1);
    CString strShown;
    std::vector<CString> applied;
    bool bApplyEnabled = false;
    ModalScript script({[&](ModalWindow& window) {
        const HWND hPage = CurrentPage(window);
        strShown = ModalWindow(hPage).ItemText(IDC_DSR_INTERVAL);
        Choose(hPage, IDC_BUFFER_INTERVAL, _T("60"));
        bApplyEnabled = ::IsWindowEnabled(::GetDlgItem(window.Handle(), ID_APPLY_NOW)) != FALSE;
        Apply(window);
        applied = StoredRfcValues();
        window.Press(IDCANCEL);
    }});
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(CString(_T("20")), strShown) << "a stored 2 selects 20";
    EXPECT_TRUE(bApplyEnabled);
    std::vector<CString> expected = kDefaults;
    expected[0] = _T("20");
    expected[5] = _T("60");
    EXPECT_EQ(expected, applied);
}

TEST_F(SettingsTest, AStoredValueThatNoEntryMatchesIsRefusedAndKept)
{
    // Written by hand or by another version: no entry begins with it.
    App().WriteProfileInt(kPropertiesSection, _T("WorkProcessInterval"), 7);
    CSessionPropertySheet sheet(&Parent());
    sheet.SetActivePage(1);
    SheetRefusal refusal;
    ModalScript script(
        {[&](ModalWindow& window) { window.Press(IDOK); }, ReadRefusal(refusal), ReadPageAndCancel(refusal)});
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(CString(_T("Lumiter Exception: Please enter work process interval.")), refusal.strText);
    EXPECT_TRUE(refusal.bExclamation);
    EXPECT_EQ(IDC_WORK_PROCESS_INTERVAL, refusal.nFocus);
    EXPECT_EQ(CString(_T("7")), StoredInt(_T("WorkProcessInterval")));
    EXPECT_EQ(CString(_T("(none)")), StoredInt(_T("DsrInterval"))) << "nothing was written";
}

TEST_F(SettingsTest, ApplyShowsTheDataPathWithABackslashAndMakesEveryMissingLevel)
{
    const CString strTyped = m_program.Path() + _T("sizing\\2024\\PRD");
    App().WriteProfileString(kPropertiesSection, _T("DataPath"), m_program.Path());
    CSessionPropertySheet sheet(&Parent());
    CString strShown;
    bool bApplyEnabledAtStart = true;
    ModalScript script({[&](ModalWindow& window) {
        bApplyEnabledAtStart = ::IsWindowEnabled(::GetDlgItem(window.Handle(), ID_APPLY_NOW)) != FALSE;
        ModalWindow(CurrentPage(window)).SetItemText(IDC_DATA_PATH, strTyped);
        Apply(window);
        strShown = ModalWindow(CurrentPage(window)).ItemText(IDC_DATA_PATH);
        window.Press(IDCANCEL);
    }});
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(bApplyEnabledAtStart) << "opening the sheet changes nothing";
    EXPECT_EQ(strTyped + _T("\\"), strShown);
    EXPECT_TRUE(IsDirectory(strTyped));
    EXPECT_EQ(strTyped + _T("\\"), Profile(kPropertiesSection, _T("DataPath")));
}

TEST_F(SettingsTest, ALevelThatCannotBeMadeIsReportedWithItsPathAndTheWalkStops)
{
    const CString strFile = m_program.File(_T("notes.txt"));
    CFile(strFile, CFile::modeCreate | CFile::modeWrite).Close();
    CSessionPropertySheet sheet(&Parent());
    SheetRefusal refusal;
    ModalScript script({[&](ModalWindow& window) {
                            ModalWindow(CurrentPage(window)).SetItemText(IDC_DATA_PATH, strFile + _T("\\sessions\\"));
                            window.Press(ID_APPLY_NOW);
                        },
                        ReadRefusal(refusal), ReadPageAndCancel(refusal)});
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(_T("Lumiter Exception: unable to create directory ") + strFile, refusal.strText);
    EXPECT_TRUE(refusal.bExclamation);
    EXPECT_FALSE(IsDirectory(m_program.File(_T("sessions")))) << "no level lands in the parent";
    EXPECT_EQ(CString(_T("(none)")), Profile(kPropertiesSection, _T("DataPath")));
}

TEST_F(SettingsTest, LeavingTheProgramPageWithAnEmptyPathStaysThere)
{
    CSessionPropertySheet sheet(&Parent());
    SheetRefusal refusal;
    ModalScript script({[&](ModalWindow& window) {
                            ModalWindow(CurrentPage(window)).SetItemText(IDC_DATA_PATH, _T(""));
                            ShowPage(window, 1);
                        },
                        ReadRefusal(refusal), ReadPageAndCancel(refusal)});
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(CString(_T("Lumiter Exception: Please enter path of data directory.")), refusal.strText);
    EXPECT_TRUE(refusal.bExclamation);
    EXPECT_EQ(0, refusal.nPage);
    EXPECT_EQ(IDC_DATA_PATH, refusal.nFocus);
}

TEST_F(SettingsTest, AFreshProfileGetsTheProgramPathAndARelativeDataPathLandsBelowIt)
{
    App().WriteProfileString(kPropertiesSection, _T("ProgramPath"), nullptr);
    CString strPrevious;
    const DWORD nSize = ::GetCurrentDirectory(0, nullptr);
    ::GetCurrentDirectory(nSize, strPrevious.GetBuffer(nSize));
    strPrevious.ReleaseBuffer();
    ASSERT_TRUE(::SetCurrentDirectory(m_program.Path()));
    CSessionPropertySheet sheet(&Parent());
    CString strProposed, strShown;
    ModalScript script({[&](ModalWindow& window) {
        const ModalWindow page(CurrentPage(window));
        strProposed = page.ItemText(IDC_DATA_PATH);
        page.SetItemText(IDC_DATA_PATH, _T("sessions"));
        window.Press(IDOK);
    }});
    const INT_PTR nResult = sheet.DoModal();
    ::SetCurrentDirectory(strPrevious);
    EXPECT_EQ(IDOK, nResult);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(m_program.Path(), Profile(kPropertiesSection, _T("ProgramPath")));
    EXPECT_EQ(m_program.Path() + _T("DATA\\"), strProposed);
    EXPECT_EQ(m_program.File(_T("sessions\\")), Profile(kPropertiesSection, _T("DataPath")));
    EXPECT_TRUE(IsDirectory(m_program.File(_T("sessions"))));
}

TEST_F(SettingsTest, SessionDirectoryDialogRefusesAnEmptyPathAndEndsAPathWithABackslash)
{
    App().WriteProfileString(kPropertiesSection, _T("SessionPath"), _T("C:\\DATA\\20240105093000\\"));
    {
        CSessionDialog dialog(&Parent());
        const Refusal refusal = Refuse(dialog, {{IDC_SESSION_PATH, _T("")}});
        EXPECT_EQ(CString(_T("Lumiter Exception: Please enter path of session directory.")), refusal.strText);
        EXPECT_TRUE(refusal.bStopIcon);
        EXPECT_EQ(IDC_SESSION_PATH, refusal.nFocus);
    }
    {
        CSessionDialog dialog(&Parent());
        CString strProposed;
        ModalScript script({[&](ModalWindow& window) {
            strProposed = window.ItemText(IDC_SESSION_PATH);
            window.Press(IDOK);
        }});
        EXPECT_EQ(IDOK, dialog.DoModal());
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(CString(_T("C:\\DATA\\20240105093000\\")), strProposed);
        EXPECT_EQ(strProposed, dialog.SessionPath);
    }
    CSessionDialog dialog(&Parent());
    EXPECT_EQ(IDOK, Accept(dialog, {{IDC_SESSION_PATH, _T("D:\\sessions\\20240105093000")}}));
    EXPECT_EQ(CString(_T("D:\\sessions\\20240105093000\\")), dialog.SessionPath);
    EXPECT_EQ(CString(_T("C:\\DATA\\20240105093000\\")), Profile(kPropertiesSection, _T("SessionPath")))
        << "the dialog does not write the path";
}

TEST(DataDirectoryTest, ADataPathNamesAnAbsoluteDirectory)
{
    const struct
    {
        LPCTSTR lpszDataPath;
        LPCTSTR lpszExpected;
    } cases[] = {
        {_T(""), _T("C:\\lumiter\\DATA\\")},
        {_T("D:\\sizing"), _T("D:\\sizing\\")},
        {_T("D:/sizing/PRD/"), _T("D:\\sizing\\PRD\\")},
        {_T("sessions"), _T("C:\\lumiter\\sessions\\")},
        {_T("..\\sessions\\.\\PRD"), _T("C:\\sessions\\PRD\\")},
        {_T("\\sessions"), _T("C:\\sessions\\")},
        {_T("D:sessions"), _T("D:\\sessions\\")},
        {_T("\\\\server\\share\\sizing"), _T("\\\\server\\share\\sizing\\")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CString(c.lpszExpected), DataDirectory(c.lpszDataPath, _T("C:\\lumiter\\"))) << CW2A(c.lpszDataPath);
}
} // namespace
