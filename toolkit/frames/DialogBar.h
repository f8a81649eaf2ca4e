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
    ~SECDialogBar() override;

    // The dialog made from the template as a bar of its size (every remembered size), shown
    // only with WS_VISIBLE in nStyle; no caption.
    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, DWORD dwExStyle, UINT nID);
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, DWORD dwExStyle, UINT nID)
    {
        return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, dwExStyle, nID);
    }
    // The dialog's controls are enabled through their commands' update handlers.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // Kept for a control-site manager; none exists here, so the controls come from the
    // template alone.
    virtual BOOL SetOccDialogInfo(void* pOccDialogInfo);
    // The template's integer resource id; 0 for a template named by a string.
    UINT GetTemplateID() const;
    CSize GetTemplateSize() const
    {
        return m_sizeTemplate;
    }

protected:
    afx_msg LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    // The dialog's size after creation.
    CSize m_sizeTemplate;
    LPCTSTR m_lpszTemplateName;
    void* m_pOccDialogInfo;
    // The template name while the dialog is being created.
    LPCTSTR m_lpszCreatingTemplate;
};
} // namespace tarnwick::frames
