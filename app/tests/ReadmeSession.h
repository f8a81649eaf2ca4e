// What the wizard asks before PRD's session starts, as the tests and the demonstration give it:
// the customer's and the sales representative's pages filled once before, the company typed,
// and the facts of PRD and its hosts known from an earlier session.
#pragma once

#include <app/InfoPropertySheet.h>
#include <app/MainFrame.h>

#include <collector/ForEachValue.h>
#include <collector/SapHost.h>
#include <collector/SapSystem.h>

#include <testing/ModalScript.h>

#include <utility>
#include <vector>

inline constexpr LPCTSTR kReadmeCompany = _T("Acme Tools 4");
inline constexpr LPCTSTR kReadmeVendor = _T("Lumiter Vendor");

// The customer's and the sales representative's pages as a user filled them before.
inline void StoreFormPages(CWinApp& app)
{
    const std::pair<LPCTSTR, std::vector<std::pair<LPCTSTR, LPCTSTR>>> sections[] = {
        {_T("Customer"),
         {{_T("Company"), _T("Acme")},
          {_T("Address1"), _T("1 Main Street")},
          {_T("CityStateZip"), _T("Springfield")},
          {_T("Country"), _T("USA")},
          {_T("Contact"), _T("Jane Roe")},
          {_T("Telephone"), _T("555")},
          {_T("Email"), _T("jane@acme.example")}}},
        {_T("ZOL"),
         {{_T("Name"), _T("John Doe")},
          {_T("CityStateZip"), _T("Shelbyville")},
          {_T("Country"), _T("USA")},
          {_T("Telephone"), _T("555")},
          {_T("Email"), _T("john@zol.example")},
          {_T("Reason"), _T("Sizing")}}}};
    for (const auto& [lpszSection, values] : sections)
        for (const auto& [lpszEntry, lpszValue] : values)
            app.WriteProfileString(lpszSection, lpszEntry, lpszValue);
}

// The form pages' sections, and the facts of the frame's systems and hosts.
inline void StoreWizardEntries(CWinApp& app, CMainFrame& frame)
{
    ForEachValue(frame.GetSystems(), [](CSapSystem* pSystem) { pSystem->m_strUserCount = _T("250"); });
    ForEachValue(frame.GetHosts(), [](CSapHost* pHost) {
        for (auto [pField, lpszValue] : {std::pair{&pHost->m_strVendor, kReadmeVendor},
                                         {&pHost->m_strModel, _T("M1")},
                                         {&pHost->m_strCpuCount, _T("4")},
                                         {&pHost->m_strCpuSpeed, _T("2400")},
                                         {&pHost->m_strMemory, _T("16384")},
                                         {&pHost->m_strDisk, _T("500")}})
            *pField = lpszValue;
    });
    StoreFormPages(app);
}

// On the wizard: the company typed on the first page, the other pages passed with what they
// show, then Finish.
inline ModalScript::Action FinishesWizard()
{
    return [](ModalWindow& sheet) {
        const HWND hPage = reinterpret_cast<HWND>(::SendMessage(sheet.Handle(), PSM_GETCURRENTPAGEHWND, 0, 0));
        ModalWindow(hPage).SetItemText(IDC_COMPANY, kReadmeCompany);
        for (int nPage = 0; nPage < 3; ++nPage)
            ::SendMessage(sheet.Handle(), PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        sheet.Press(ID_WIZFINISH);
    };
}
