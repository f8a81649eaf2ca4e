// The wizard's second page: the sales representative or business partner who asked for the
// analysis, and why, kept in profile section "ZOL".
#pragma once

#include <app/ProfileFormPage.h>
#include <app/resource.h>

class CZOLPropertyPage : public CProfileFormPage
{
public:
    enum
    {
        IDD = IDD_ZOL_PAGE
    };

    CZOLPropertyPage();

    CString Name;
    CString Address1;
    CString Address2;
    CString CityStateZip;
    CString Country;
    CString Telephone;
    CString Email;
    CString Reason;
    CString Sizing;

protected:
    void Validate() override;
};
