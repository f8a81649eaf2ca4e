#include "BrowseEditBase.h"

#include "BrowseButton.h"

namespace tarnwick::tabs
{
namespace
{
constexpr int ButtonWidth = 25;
constexpr int ButtonGap = 1;
constexpr UINT HighestControlId = 32767;

// The highest id that no child of the dialog has, so that the button clashes with nothing.
UINT FreeControlId(CWnd* pDialog)
{
    UINT nID = HighestControlId;
    while (nID > 1 && pDialog->GetDlgItem(static_cast<int>(nID)) != nullptr)
        --nID;
    return nID;
}
} // namespace

IMPLEMENT_DYNAMIC(SECBrowseEditBase, CEdit)

BEGIN_MESSAGE_MAP(SECBrowseEditBase, CEdit)
ON_WM_ENABLE()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

SECBrowseEditBase::~SECBrowseEditBase()
{
    if (m_pButton != nullptr)
    {
        m_pButton->DetachEdit();
        m_pButton->DestroyWindow();
    }
}

BOOL SECBrowseEditBase::Initialize(UINT nID, CWnd* pDialog)
{
    if (!SubclassDlgItem(nID, pDialog))
        return FALSE;

    CRect rect;
    GetWindowRect(rect);
    SetWindowPos(nullptr, 0, 0, rect.Width() - ButtonWidth - ButtonGap, rect.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pDialog->ScreenToClient(rect);
    rect.left = rect.right - ButtonWidth;

    auto* pButton = new SECBrowseButton(this);
    if (!pButton->Create(pDialog, rect, FreeControlId(pDialog)))
    {
        delete pButton;
        return FALSE;
    }
    m_pButton = pButton;
    // Right after the edit in the tab order.
    m_pButton->SetWindowPos(this, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_pButton->EnableWindow(IsWindowEnabled());
    return TRUE;
}

void SECBrowseEditBase::ButtonDestroyed()
{
    m_pButton = nullptr;
}

void SECBrowseEditBase::OnEnable(BOOL bEnable)
{
    CEdit::OnEnable(bEnable);
    if (m_pButton != nullptr)
        m_pButton->EnableWindow(bEnable);
}

void SECBrowseEditBase::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CEdit::OnShowWindow(bShow, nStatus);
    if (m_pButton != nullptr)
        m_pButton->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}
} // namespace tarnwick::tabs
