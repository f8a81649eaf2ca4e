// The wizard's first page: the customer company, its industry and address, and its contact,
// kept in profile section "Customer".
#pragma once

#include <app/ProfileFormPage.h>
#include <app/resource.h>

class CCustomerPropertyPage : public CProfileFormPage
{
public:
    enum
    {
        IDD = IDD_CUSTOMER_PAGE
    };

    CCustomerPropertyPage();

    CString Company;
    CString Industry;
    CString Address1;
    CString Address2;
    CString CityStateZip;
    CString Country;
    CString Contact;
    CString Telephone;
    CString Email;

protected:
    void FillLists() override;
    void Validate() override;
};
