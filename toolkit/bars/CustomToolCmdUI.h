// The command-update object through which a toolbar's buttons are enabled, checked and set
// indeterminate: its "other" window is the toolbar and its index the button's.
#pragma once

#include <afxwin.h>

namespace tarnwick::bars
{
class SECCustomToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override;
    // A check state makes the button a check box: 1 checked, 2 indeterminate.
    void SetCheck(int nCheck = 1) override;
    // Buttons show no text.
    void SetText(LPCTSTR lpszText) override;
};
} // namespace tarnwick::bars
