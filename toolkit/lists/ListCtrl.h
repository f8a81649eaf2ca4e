// The list control window: the list core on a plain window, with its message map.
#pragma once

#include "ListBaseC.h"

namespace tarnwick::lists
{
class SECListCtrl : public SECListBaseC
{
    DECLARE_DYNAMIC(SECListCtrl)
public:
    SECListCtrl() = default;

protected:
    DECLARE_MESSAGE_MAP()
};
} // namespace tarnwick::lists
