// The wizard's last page: one row per host with its vendor, model, processors, processor speed,
// memory and disk, which go into the hosts and their profile sections.
#pragma once

#include <app/GridPropertyPage.h>
#include <app/resource.h>

class CMachinePropertyPage : public CGridPropertyPage
{
public:
    enum
    {
        IDD = IDD_MACHINE_PAGE
    };

    CMachinePropertyPage();

protected:
    void ForEachObject(const std::function<void(const CString&, const Fields&)>& visit) override;
    void FillRow(ROWCOL nRow, const Fields& fields) override;
    void Validate() override;
};
