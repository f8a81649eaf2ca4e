// Form views: a scrolling view made from a dialog template, whose controls show the
// document through dialog data exchange.
#pragma once

class CFormView : public CScrollView
{
    DECLARE_DYNAMIC(CFormView)
public:
    // Created as a modeless child dialog of pParentWnd from the template, then given the
    // id, style and place asked for; the scroll size is the template's size.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    // Fills the controls from the members (UpdateData(FALSE)), then the view's update.
    void OnInitialUpdate() override;
    // The controls paint themselves.
    void OnDraw(CDC* pDC) override;
    // The dialog's keyboard interface: tab and arrow keys move between the controls.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    explicit CFormView(UINT nIDTemplate);
    explicit CFormView(LPCTSTR lpszTemplateName);

    LPCTSTR m_lpszTemplateName;
    // Kept for OnCreate: a dialog's creation parameters are not the view's.
    CCreateContext* m_pCreateContext;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);

    DECLARE_MESSAGE_MAP()
};
