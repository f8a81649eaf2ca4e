// A sizeable control bar whose contents come from a dialog template.
#pragma once

#include <toolkit/frames/ControlBar.h>

namespace tarnwick::frames
{
class SECDialogBar : public SECControlBar
{
    DECLARE_DYNCREATE(SECDialogBar)
public:
    SECDialogBar();

private:
    // The dialog's size after creation.
    CSize m_sizeTemplate;
    LPCTSTR m_lpszTemplateName;
    void* m_pOccDialogInfo;
    // The template name while the dialog is being created.
    LPCTSTR m_lpszCreatingTemplate;
};
} // namespace tarnwick::frames
