// SECMenuBarFeature: the frame's messages to the menu tracking, then to the bitmap menus.
#include <toolkit/bars/MenuBarFeature.h>

#include <toolkit/bars/MenuBar.h>

namespace tarnwick::bars
{
IMPLEMENT_DYNAMIC(SECMenuBarFeature, SECBmpMenuPlugIn)

BEGIN_MESSAGE_MAP(SECMenuBarFeature, SECBmpMenuPlugIn)
ON_MESSAGE(WM_MENUSELECT, OnMenuSelectMessage)
ON_REGISTERED_MESSAGE(SECMenuBarMessages::MenuProdMessage(), OnMenuProdMessage)
ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopupMessage)
ON_MESSAGE(WM_SYSCOMMAND, OnSysCommandMessage)
ON_MESSAGE(WM_NCACTIVATE, OnNcActivateMessage)
END_MESSAGE_MAP()

SECMenuBarFeature::SECMenuBarFeature() : m_dwMenuBarOptions(0)
{
}

CWnd* SECMenuBarFeature::GetTargetWnd()
{
    return m_hWnd != nullptr ? CWnd::FromHandle(m_hWnd) : nullptr;
}

BOOL SECMenuBarFeature::PreTranslateMessage(MSG* pMsg)
{
    return SECMenuBarMessages::PreTranslateMessage(pMsg);
}

LRESULT SECMenuBarFeature::Handled(LRESULT lResult)
{
    StopMsgProcessing();
    return SetMsgHandled(lResult);
}

BOOL SECMenuBarFeature::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    if (!SECMenuBarMessages::OnNotify(reinterpret_cast<NMHDR*>(lParam)))
        return FALSE;
    *pResult = Handled(TRUE);
    return TRUE;
}

LRESULT SECMenuBarFeature::OnMenuSelectMessage(WPARAM, LPARAM)
{
    SECMenuBarMessages::OnMenuSelect();
    AllowDefaultProcessing();
    return 0;
}

LRESULT SECMenuBarFeature::OnMenuProdMessage(WPARAM, LPARAM)
{
    OnMenuProd();
    return Handled(0);
}

LRESULT SECMenuBarFeature::OnInitMenuPopupMessage(WPARAM wParam, LPARAM lParam)
{
    SECMenuBarMessages::OnInitMenuPopup();
    SECBmpMenuPlugIn::OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam),
                                      HIWORD(lParam));
    AllowDefaultProcessing();
    return 0;
}

LRESULT SECMenuBarFeature::OnSysCommandMessage(WPARAM wParam, LPARAM)
{
    if (SECMenuBarMessages::OnSysCommand(static_cast<UINT>(wParam)))
        return Handled(0);
    AllowDefaultProcessing();
    return 0;
}

LRESULT SECMenuBarFeature::OnNcActivateMessage(WPARAM wParam, LPARAM)
{
    SECMenuBarMessages::OnNcActivate(static_cast<BOOL>(wParam));
    AllowDefaultProcessing();
    return 0;
}
} // namespace tarnwick::bars
