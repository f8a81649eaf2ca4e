// The add-system dialog: its template, its placeholders, the validation table, the test logon
// against the simulated landscape and the remembered entries with the scrambled password.
#include "DialogTest.h"

#include <app/AddSystemDialog.h>

namespace
{
const TCHAR kLogon[] = _T("Logon");
// "Lumiter5!" with each unit raised by 9 (its length) plus its index.
const CString kScrambled(L"\x55\x7f\x78\x75\x81\x73\x81\x45\x32");
const LPCTSTR kProfileEntries[] = {_T("HostName"), _T("Domain"), _T("SapRouter"), _T("SystemNumber"),
                                   _T("Client"),   _T("User"),   _T("Password"),  _T("Language")};

class AddSystemDialogTest : public DialogTest
{
protected:
    std::vector<CString> StoredLogon()
    {
        std::vector<CString> values;
        for (LPCTSTR lpszEntry : kProfileEntries)
            values.push_back(Profile(kLogon, lpszEntry));
        return values;
    }
};

TEST_F(AddSystemDialogTest, FirstUseShowsThePlaceholdersAndOkAsksForTheHostName)
{
    CAddSystemDialog dialog(&Parent());
    Entries shown;
    Refusal refusal{};
    ModalScript script({
        [&](ModalWindow& window) {
            for (const auto& entry : kReadmeEntries)
                shown.emplace_back(entry.first, window.ItemText(entry.first));
            window.Press(IDOK);
        },
        [&](ModalWindow& box) {
            refusal.strText = box.Text();
            box.Press(IDOK);
        },
        [&](ModalWindow& window) {
            refusal.nFocus = window.FocusedItem();
            window.Press(IDCANCEL);
        },
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_TRUE(script.Done());
    const Entries expected = {
        {IDC_HOST_NAME, _T("?")}, {IDC_DOMAIN, _T("")}, {IDC_SAP_ROUTER, _T("")},     {IDC_SYSTEM_NUMBER, _T("00")},
        {IDC_CLIENT, _T("000")},  {IDC_USER, _T("?")},  {IDC_PASSWORD, _T("??????")}, {IDC_LANGUAGE, _T("EN")},
    };
    EXPECT_EQ(expected, shown);
    EXPECT_EQ(CString(_T("Lumiter Exception: Please enter a short host name.")), refusal.strText);
    EXPECT_EQ(IDC_HOST_NAME, refusal.nFocus);
    EXPECT_EQ(std::vector<CString>(8, _T("(none)")), StoredLogon()) << "Cancel writes nothing";
}

TEST_F(AddSystemDialogTest, EachRefusedEntryGetsItsMessageAndTheFocusAndNothingIsTried)
{
    const CString strIpAddress = _T("Please do not enter an IP address or\n domain suffix for the short host name.");
    const struct
    {
        Entries changes;
        int nFocus;
        CString strMessage;
    } cases[] = {
        {{{IDC_HOST_NAME, _T("")}}, IDC_HOST_NAME, _T("Please enter a short host name.")},
        {{{IDC_HOST_NAME, _T("?")}}, IDC_HOST_NAME, _T("Please enter a short host name.")},
        {{{IDC_HOST_NAME, _T(".saplx01")}}, IDC_HOST_NAME, _T("Please enter a short host name.")},
        {{{IDC_HOST_NAME, _T("saplx01.lumiter.example")}}, IDC_HOST_NAME, strIpAddress},
        {{{IDC_HOST_NAME, _T("10.20.1.11")}}, IDC_HOST_NAME, strIpAddress},
        {{{IDC_SYSTEM_NUMBER, _T("")}}, IDC_SYSTEM_NUMBER, _T("Please enter a system number.")},
        {{{IDC_CLIENT, _T("")}}, IDC_CLIENT, _T("Please enter a client.")},
        {{{IDC_USER, _T("")}}, IDC_USER, _T("Please enter a SAP user id.")},
        {{{IDC_USER, _T("?")}}, IDC_USER, _T("Please enter a SAP user id.")},
        {{{IDC_PASSWORD, _T("")}}, IDC_PASSWORD, _T("Please enter a password.")},
        {{{IDC_PASSWORD, _T("??????")}}, IDC_PASSWORD, _T("Please enter a password.")},
        {{{IDC_LANGUAGE, _T("")}}, IDC_LANGUAGE, _T("Please enter a language.")},
        // The checks run in order: the first failure is the one shown.
        {{{IDC_LANGUAGE, _T("")}, {IDC_USER, _T("?")}, {IDC_CLIENT, _T("")}}, IDC_CLIENT, _T("Please enter a client.")},
        {{{IDC_PASSWORD, _T("")}, {IDC_HOST_NAME, _T("a.b")}}, IDC_HOST_NAME, strIpAddress},
    };
    for (const auto& c : cases)
    {
        const Entries entries = With(kReadmeEntries, c.changes);
        CAddSystemDialog dialog(&Parent());
        const Refusal refusal = Refuse(dialog, entries);
        EXPECT_EQ(_T("Lumiter Exception: ") + c.strMessage, refusal.strText);
        EXPECT_TRUE(refusal.bStopIcon);
        EXPECT_EQ(c.nFocus, refusal.nFocus) << CW2A(c.strMessage);
        // The dialog kept what the user typed.
        for (const auto& [nID, strText] : c.changes)
        {
            if (nID == c.nFocus)
            {
                EXPECT_EQ(strText, refusal.strEntry);
            }
        }
    }
    EXPECT_EQ(0u, Landscape().Count(sapsim::Operation::Logon)) << "no logon was tried";
    EXPECT_EQ(std::vector<CString>(8, _T("(none)")), StoredLogon());
}

TEST_F(AddSystemDialogTest, AFailedLogonShowsTheSystemsMessageAndKeepsTheStoredEntries)
{
    // Entries of an earlier success stay as they were.
    for (LPCTSTR lpszEntry : kProfileEntries)
        App().WriteProfileString(kLogon, lpszEntry, CString(lpszEntry) + _T("-before"));
    const std::vector<CString> before = StoredLogon();

    // The texts are the simulated landscape's; the release refusal is the RFC layer's own.
    const struct
    {
        Entries entries;
        LPCTSTR lpszMessage;
    } cases[] = {
        {With(kReadmeEntries, {{IDC_PASSWORD, _T("wrong")}}), _T("Name or password is incorrect (repeat logon)")},
        // No instance of saplx01 has system number 05.
        {With(kReadmeEntries, {{IDC_SYSTEM_NUMBER, _T("05")}}), _T("partner 'saplx01:sapdp05' not reached")},
        {With(kReadmeEntries, {{IDC_HOST_NAME, _T("sapnowhere")}}), _T("partner 'sapnowhere:sapdp00' not reached")},
        {With(kReadmeEntries, {{IDC_HOST_NAME, _T("sapwin01")}, {IDC_SYSTEM_NUMBER, _T("10")}}),
         _T("SAP system release 640 is not supported.")},
    };
    for (const auto& c : cases)
    {
        CAddSystemDialog dialog(&Parent());
        const Refusal refusal = Refuse(dialog, c.entries);
        EXPECT_EQ(CString(c.lpszMessage), refusal.strText);
        EXPECT_TRUE(refusal.bStopIcon);
        EXPECT_EQ(IDC_HOST_NAME, refusal.nFocus);
        EXPECT_TRUE(dialog.SystemId.IsEmpty());
    }
    EXPECT_EQ(before, StoredLogon());
}

TEST_F(AddSystemDialogTest, ALogonStoresTheEntriesWithTheScrambledPasswordAndReopensThemAsTyped)
{
    const Entries entries = With(kReadmeEntries, {{IDC_DOMAIN, _T("lumiter.example")}});
    CAddSystemDialog dialog(&Parent());
    ASSERT_EQ(IDOK, Accept(dialog, entries));
    EXPECT_EQ(CString(_T("PRD")), dialog.SystemId);
    const struct
    {
        const CString& strMember;
        LPCTSTR lpszTyped;
    } members[] = {
        {dialog.HostName, _T("saplx01")},   {dialog.Domain, _T("lumiter.example")},
        {dialog.SapRouter, _T("")},         {dialog.SystemNumber, _T("00")},
        {dialog.Client, _T("000")},         {dialog.User, _T("LUMITER")},
        {dialog.Password, _T("Lumiter5!")}, {dialog.Language, _T("EN")},
    };
    for (const auto& member : members)
        EXPECT_EQ(CString(member.lpszTyped), member.strMember);

    const std::vector<CString> expected = {_T("saplx01"), _T("lumiter.example"), _T(""),     _T("00"),
                                           _T("000"),     _T("LUMITER"),         kScrambled, _T("EN")};
    EXPECT_EQ(expected, StoredLogon());

    // Reopened, the dialog shows what was typed, the password too; Cancel changes nothing.
    CAddSystemDialog reopened(&Parent());
    Entries shown;
    ModalScript script({[&](ModalWindow& window) {
        for (const auto& entry : entries)
            shown.emplace_back(entry.first, window.ItemText(entry.first));
        window.Press(IDCANCEL);
    }});
    EXPECT_EQ(IDCANCEL, reopened.DoModal());
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(entries, shown);
    EXPECT_EQ(expected, StoredLogon());
}

TEST_F(AddSystemDialogTest, AStoredEmptyPasswordShowsThePlaceholderAndIsNeverScrambled)
{
    App().WriteProfileString(kLogon, _T("Password"), _T(""));
    CAddSystemDialog dialog(&Parent());
    CString strShown;
    ModalScript script({[&](ModalWindow& window) {
        strShown = window.ItemText(IDC_PASSWORD);
        window.Press(IDCANCEL);
    }});
    dialog.DoModal();
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(CString(_T("??????")), strShown);
}

// The template: caption, the two group boxes with their labelled fields in tab order, the
// fields' styles, and OK and Cancel at the bottom right.
TEST_F(AddSystemDialogTest, TemplateGroupsLabelledFieldsInTabOrder)
{
    CAddSystemDialog dialog(&Parent());
    ASSERT_TRUE(dialog.Create(IDD_ADD_SYSTEM, &Parent()));
    CString strCaption;
    dialog.GetWindowText(strCaption);
    EXPECT_EQ(CString(_T("Add SAP System")), strCaption);

    const DWORD dwNumber = ES_NUMBER | ES_RIGHT;
    const struct
    {
        int nID;
        LPCTSTR lpszLabel;
        LPCTSTR lpszGroup;
        DWORD dwStyle; // of the edit styles below
    } fields[] = {
        {IDC_HOST_NAME, _T("Host Name"), _T("Central Instance"), ES_AUTOHSCROLL},
        {IDC_DOMAIN, _T("Domain"), _T("Central Instance"), ES_AUTOHSCROLL},
        {IDC_SAP_ROUTER, _T("SAP Router String"), _T("Central Instance"), ES_AUTOHSCROLL},
        {IDC_SYSTEM_NUMBER, _T("System Number"), _T("Central Instance"), dwNumber},
        {IDC_USER, _T("Name"), _T("User"), ES_UPPERCASE},
        {IDC_PASSWORD, _T("Password"), _T("User"), ES_PASSWORD | ES_AUTOHSCROLL},
        {IDC_LANGUAGE, _T("Language"), _T("User"), ES_UPPERCASE},
        {IDC_CLIENT, _T("Client"), _T("User"), dwNumber},
    };
    const DWORD dwEditStyles = ES_AUTOHSCROLL | ES_NUMBER | ES_RIGHT | ES_UPPERCASE | ES_PASSWORD | ES_LOWERCASE;
    CWnd* pPrevious = nullptr;
    for (const auto& field : fields)
    {
        CWnd* pEdit = dialog.GetDlgItem(field.nID);
        ASSERT_NE(nullptr, pEdit) << field.nID;
        EXPECT_EQ(field.dwStyle, pEdit->GetStyle() & dwEditStyles) << field.nID;
        EXPECT_TRUE(pEdit->GetStyle() & WS_TABSTOP);
        // The label comes just before its field; the field sits inside its group box.
        CString strLabel;
        pEdit->GetWindow(GW_HWNDPREV)->GetWindowText(strLabel);
        EXPECT_EQ(CString(field.lpszLabel), strLabel);
        CRect rectEdit;
        pEdit->GetWindowRect(rectEdit);
        CWnd* pGroup = nullptr;
        for (CWnd* pChild = dialog.GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetWindow(GW_HWNDNEXT))
        {
            CString strText;
            pChild->GetWindowText(strText);
            if ((pChild->GetStyle() & BS_TYPEMASK) == BS_GROUPBOX && strText == field.lpszGroup)
                pGroup = pChild;
        }
        ASSERT_NE(nullptr, pGroup) << CW2A(field.lpszGroup);
        CRect rectGroup;
        pGroup->GetWindowRect(rectGroup);
        EXPECT_EQ(rectEdit, rectEdit & rectGroup) << field.nID;
        // Tab order: each field after the one before it.
        if (pPrevious != nullptr)
        {
            EXPECT_EQ(pEdit, dialog.GetNextDlgTabItem(pPrevious)) << field.nID;
        }
        pPrevious = pEdit;
    }
    EXPECT_EQ(dialog.GetDlgItem(IDOK), dialog.GetNextDlgTabItem(pPrevious));
    EXPECT_EQ(dialog.GetDlgItem(IDCANCEL), dialog.GetNextDlgTabItem(dialog.GetDlgItem(IDOK)));

    CRect rectClient, rectOk, rectCancel;
    dialog.GetClientRect(rectClient);
    dialog.ClientToScreen(rectClient);
    dialog.GetDlgItem(IDOK)->GetWindowRect(rectOk);
    dialog.GetDlgItem(IDCANCEL)->GetWindowRect(rectCancel);
    EXPECT_EQ(rectOk.top, rectCancel.top);
    EXPECT_LT(rectOk.right, rectCancel.left);
    EXPECT_LT(rectClient.right - rectCancel.right, 20);
    EXPECT_LT(rectClient.bottom - rectCancel.bottom, 20);
    EXPECT_TRUE(dialog.GetDlgItem(IDOK)->GetStyle() & BS_DEFPUSHBUTTON);
    dialog.DestroyWindow();
}

// A password longer than its field is typed in whole: the field scrolls sideways.
TEST_F(AddSystemDialogTest, TheFieldsTakeLongTypedEntries)
{
    CAddSystemDialog dialog(&Parent());
    ASSERT_TRUE(dialog.Create(IDD_ADD_SYSTEM, &Parent()));
    for (const int nID : {IDC_HOST_NAME, IDC_DOMAIN, IDC_SAP_ROUTER, IDC_PASSWORD})
    {
        CWnd* pEdit = dialog.GetDlgItem(nID);
        pEdit->SetWindowText(_T(""));
        const CString strTyped = _T("Lumiter5-a-long-password-of-40-letters!!");
        for (int i = 0; i < strTyped.GetLength(); ++i)
            pEdit->SendMessage(WM_CHAR, strTyped[i], 1);
        CString strText;
        pEdit->GetWindowText(strText);
        EXPECT_EQ(strTyped, strText) << nID;
    }
    dialog.DestroyWindow();
}
} // namespace
