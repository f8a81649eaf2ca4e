// The wizard's third page: one row per SAP system with its installation date, its number of
// users, the 64-bit flags of the application and the database, the server network and the
// "CEN" flag, which go into the systems and their profile sections.
#pragma once

#include <app/GridPropertyPage.h>
#include <app/resource.h>

class CSapPropertyPage : public CGridPropertyPage
{
public:
    enum
    {
        IDD = IDD_SAP_PAGE
    };

    CSapPropertyPage();

protected:
    void ForEachObject(const std::function<void(const CString&, const Fields&)>& visit) override;
    void FillRow(ROWCOL nRow, const Fields& fields) override;
    void Validate() override;
};
