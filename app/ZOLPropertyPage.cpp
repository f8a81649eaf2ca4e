#include <app/ZOLPropertyPage.h>

#include <app/EntryChecks.h>

CZOLPropertyPage::CZOLPropertyPage()
    : CProfileFormPage(IDD, _T("CZOLPropertyPage"), _T("ZOL"),
                       {{_T("Name"), IDC_REP_NAME, kPlaceholder, &Name},
                        {_T("Address1"), IDC_REP_ADDRESS1, nullptr, &Address1},
                        {_T("Address2"), IDC_REP_ADDRESS2, nullptr, &Address2},
                        {_T("CityStateZip"), IDC_REP_CITY, kPlaceholder, &CityStateZip},
                        {_T("Country"), IDC_REP_COUNTRY, kPlaceholder, &Country},
                        {_T("Telephone"), IDC_REP_TELEPHONE, kPlaceholder, &Telephone},
                        {_T("Email"), IDC_REP_EMAIL, kPlaceholder, &Email},
                        {_T("Reason"), IDC_REASON, kPlaceholder, &Reason},
                        {_T("Sizing"), IDC_SIZING, nullptr, &Sizing}})
{
}

void CZOLPropertyPage::Validate()
{
    Require(IDC_REP_NAME, Name, _T("Please enter sales rep's name."));
    Require(IDC_REP_CITY, CityStateZip, _T("Please enter sales rep's city, state, and zip code."));
    Require(IDC_REP_COUNTRY, Country, _T("Please enter sales rep's country."));
    Require(IDC_REP_TELEPHONE, Telephone, _T("Please enter sales rep's telephone number."));
    Require(IDC_REP_EMAIL, Email, _T("Please enter sales rep's email address."));
    Require(IDC_REASON, Reason, _T("Please enter reason for analysis."));
}
