// The list control window: the list core with its message handlers.
#pragma once

#include "ListBaseC.h"

namespace tarnwick::lists
{
// The cursor resource the list loads on creation.
constexpr UINT IDC_SEC_LIST_CURSOR = 20692;

class SECListCtrl : public SECListBaseC
{
    DECLARE_DYNAMIC(SECListCtrl)
public:
    SECListCtrl() = default;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSysColorChange();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnCancelMode();
    DECLARE_MESSAGE_MAP()
};
} // namespace tarnwick::lists
