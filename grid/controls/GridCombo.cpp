// The combo cells' drop-down frame and the process-wide drop-down flag.
#include <grid/controls/GridCombo.h>

#include <grid/core/AppData.h>

BOOL CGXGridCombo::s_bDropDownOwner = FALSE;

BEGIN_MESSAGE_MAP(CGXGridCombo, CWnd)
ON_WM_CTLCOLOR()
ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CGXGridCombo::CGXGridCombo(CWnd* pOwner, const CRect& rect) : m_pOwner(pOwner)
{
    const auto dropDown = ScopedDropDownOwner();
    CRect rectFrame = rect;
    rectFrame.left -= 1;
    CreateEx(WS_EX_TOOLWINDOW, GXGetAppDataPtr()->m_sSaveBitsClassName, nullptr, WS_POPUP | WS_VISIBLE, rectFrame,
             CWnd::GetDesktopWindow(), 0);
}

CGXGridCombo::~CGXGridCombo()
{
    delete m_pListBox;
    m_brush.DeleteObject();
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

void CGXGridCombo::SetColor(COLORREF rgbText, COLORREF rgbBack)
{
    m_rgbText = rgbText;
    m_rgbBack = rgbBack;
    m_bColor = TRUE;
    m_brush.DeleteObject();
    m_brush.CreateSolidBrush(rgbBack);
}

void CGXGridCombo::SetListBox(CWnd* pListBox)
{
    m_pListBox = pListBox;
}

void CGXGridCombo::SetDropDownOwner(BOOL bSet)
{
    s_bDropDownOwner = bSet;
}

BOOL CGXGridCombo::IsDropDownOwner()
{
    return s_bDropDownOwner;
}

tarnwick::foundation::SECScopedValue<BOOL> CGXGridCombo::ScopedDropDownOwner()
{
    return {s_bDropDownOwner, TRUE};
}

BOOL CGXGridCombo::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_pListBox != nullptr && m_pOwner != nullptr && reinterpret_cast<HWND>(lParam) == m_pListBox->GetSafeHwnd())
    {
        m_pOwner->SendMessage(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

HBRUSH CGXGridCombo::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (!m_bColor)
        return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    pDC->SetBkColor(m_rgbBack);
    pDC->SetTextColor(m_rgbText);
    return static_cast<HBRUSH>(m_brush.GetSafeHandle());
}

void CGXGridCombo::OnSysCommand(UINT /*nID*/, LPARAM /*lParam*/)
{
    // The pop-up is neither moved, sized nor closed through the system menu.
}
