#include <app/CustomerPropertyPage.h>

#include <app/EntryChecks.h>
#include <app/Lumiter5Exception.h>

namespace
{
const LPCTSTR kIndustries[] = {_T("Aerospace"),
                               _T("Automotive"),
                               _T("Banking"),
                               _T("Chemical"),
                               _T("Construction"),
                               _T("Consumer Products"),
                               _T("Defense"),
                               _T("Distribution"),
                               _T("Electrical"),
                               _T("Engineering"),
                               _T("Fabrication & Assembly"),
                               _T("Finance"),
                               _T("Forest"),
                               _T("Government"),
                               _T("Healthcare"),
                               _T("High Technology"),
                               _T("Higher Education"),
                               _T("Insurance"),
                               _T("Manufacturing"),
                               _T("Media"),
                               _T("Metals"),
                               _T("Mining"),
                               _T("Petroleum (Oil & Gas)"),
                               _T("Pharmaceutical"),
                               _T("Process"),
                               _T("Public Sector"),
                               _T("Publishing"),
                               _T("Retail"),
                               _T("Rubber"),
                               _T("Telecommunications"),
                               _T("Textiles"),
                               _T("Transportation"),
                               _T("Travel"),
                               _T("Utilities")};

bool IsNameCharacter(TCHAR ch)
{
    return ch == _T(' ') || (ch >= _T('0') && ch <= _T('9')) || (ch >= _T('A') && ch <= _T('Z')) ||
           (ch >= _T('a') && ch <= _T('z'));
}
} // namespace

CCustomerPropertyPage::CCustomerPropertyPage()
    : CProfileFormPage(IDD, _T("CCustomerPropertyPage"), _T("Customer"),
                       {{_T("Company"), IDC_COMPANY, kPlaceholder, &Company},
                        {_T("Industry"), IDC_INDUSTRY, kIndustries[0], &Industry, true},
                        {_T("Address1"), IDC_COMPANY_ADDRESS1, kPlaceholder, &Address1},
                        {_T("Address2"), IDC_COMPANY_ADDRESS2, nullptr, &Address2},
                        {_T("CityStateZip"), IDC_COMPANY_CITY, kPlaceholder, &CityStateZip},
                        {_T("Country"), IDC_COMPANY_COUNTRY, kPlaceholder, &Country},
                        {_T("Contact"), IDC_CONTACT, kPlaceholder, &Contact},
                        {_T("Telephone"), IDC_CONTACT_TELEPHONE, kPlaceholder, &Telephone},
                        {_T("Email"), IDC_CONTACT_EMAIL, kPlaceholder, &Email}})
{
}

void CCustomerPropertyPage::FillLists()
{
    CComboBox* pList = static_cast<CComboBox*>(GetDlgItem(IDC_INDUSTRY));
    for (LPCTSTR lpszIndustry : kIndustries)
        pList->AddString(lpszIndustry);
}

void CCustomerPropertyPage::Validate()
{
    Require(IDC_COMPANY, Company, _T("Please enter company's name."));
    for (int i = 0; i < Company.GetLength(); ++i)
        if (!IsNameCharacter(Company[i]))
        {
            CString strMessage;
            strMessage.Format(_T("Invalid character ( %c ) in company name.\n")
                              _T("Only characters [a-z] [A-Z] and [0-9] are allowed."),
                              Company[i]);
            RefuseEntry(*this, IDC_COMPANY, strMessage);
        }
    Require(IDC_COMPANY_ADDRESS1, Address1, _T("Please enter company's address."));
    Require(IDC_COMPANY_CITY, CityStateZip, _T("Please enter company's city, state, and zip code."));
    Require(IDC_COMPANY_COUNTRY, Country, _T("Please enter the company's country."));
    Require(IDC_CONTACT, Contact, _T("Please enter contact's name."));
    Require(IDC_CONTACT_TELEPHONE, Telephone, _T("Please enter contact's telephone number."));
    Require(IDC_CONTACT_EMAIL, Email, _T("Please enter contact's email address."));
}
