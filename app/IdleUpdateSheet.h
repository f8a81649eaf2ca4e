// A property sheet whose pages keep their command state current: on idle the sheet updates its
// own controls and sends the idle-update message to every page and control below it.
#pragma once

#include <afxdlgs.h>

class CIdleUpdateSheet : public CPropertySheet
{
public:
    using CPropertySheet::CPropertySheet;

protected:
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};
