// SECTBMenuBtn: label, mnemonic and size of a menu button, and its drop-down request.
#include <toolkit/bars/TBMenuBtn.h>

#include <toolkit/bars/BtnDrawData.h>
#include <toolkit/bars/CustomToolBar.h>
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/VisualStyle.h>

namespace tarnwick::bars
{
namespace
{
SECStdBtn* CreateTBMenuBtn()
{
    return new SECTBMenuBtn;
}
} // namespace

const SECButtonClass SECTBMenuBtn::classTBMenuBtn = {&CreateTBMenuBtn};

SECTBMenuBtn::SECTBMenuBtn() : m_nMenuID(0), m_nPopupIndex(0), m_chMnemonic(0), m_dwMenuMask(0)
{
    m_nType = KindMenu;
}

SECTBMenuBtn::~SECTBMenuBtn() = default;

void SECTBMenuBtn::OnThemeChanged()
{
    m_themeTaskBand.Close();
    m_themeMenu.Close();
    SECStdBtn::OnThemeChanged();
}

const SECButtonClass* SECTBMenuBtn::GetFactory() const
{
    return &classTBMenuBtn;
}

void SECTBMenuBtn::Init(SECCustomToolBar* pToolBar, const UINT_PTR* pParams)
{
    m_pToolBar = pToolBar;
    if (pParams != nullptr)
    {
        m_nMenuID = pParams[0];
        m_nPopupIndex = pParams[1];
        m_strLabel = reinterpret_cast<LPCTSTR>(pParams[2]);
        m_dwMenuMask = pParams[3];
    }
    ParseMnemonic();
    AdjustSize();
}

void SECTBMenuBtn::ParseMnemonic()
{
    m_chMnemonic = 0;
    const int nAmp = m_strLabel.Find(_T('&'));
    if (nAmp >= 0 && nAmp + 1 < m_strLabel.GetLength())
        m_chMnemonic = static_cast<TCHAR>(reinterpret_cast<UINT_PTR>(
            ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(static_cast<WORD>(m_strLabel[nAmp + 1]))))));
}

void SECTBMenuBtn::AdjustSize()
{
    if (m_pToolBar == nullptr || m_pToolBar->m_hWnd == nullptr)
        return;
    CClientDC dc(m_pToolBar);
    CFont* pOld = dc.SelectObject(m_pToolBar->GetFont());
    CRect rect(0, 0, 0, 0);
    dc.DrawText(m_strLabel, rect, DT_SINGLELINE | DT_CALCRECT);
    dc.SelectObject(pOld);
    m_cx = rect.Width() + 10;
    m_cy = rect.Height() + 6;
}

BOOL SECTBMenuBtn::OnLButtonDown(int x, int y)
{
    if (!SECStdBtn::OnLButtonDown(x, y))
        return FALSE;
    TrackMenu();
    return TRUE;
}

void SECTBMenuBtn::TrackMenu()
{
    RequestMenu(static_cast<int>(m_nMenuID), static_cast<int>(m_nPopupIndex));
}

void SECTBMenuBtn::RequestMenu(int nMenuID, int nPopupIndex)
{
    if (m_pToolBar == nullptr)
        return;
    const int nOwned = 0;
    m_pToolBar->SendBtnNotify(TBN_SEC_DROPDOWN, m_pToolBar->IndexOf(this), CPoint(nMenuID, nPopupIndex), &nOwned, 1);
}

void SECTBMenuBtn::DrawFace(SECBtnDrawData& data, BOOL, CRect& rect)
{
    CDC& dc = data.m_dcCompose;
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    const bool bPressed = (m_nStyle & TBBS_PRESSED) != 0;
    const bool bHot = (m_nStyle & TBBS_HOT) != 0;
    if (m_pToolBar != nullptr && SECIsThemeActive())
        m_themeTaskBand.Get(m_pToolBar->m_hWnd);
    dc.FillSolidRect(rect, data.GetBkColorUse() ? data.GetBkColor() : pAux->clrBtnFace);
    if (bPressed)
        dc.Draw3dRect(rect, pAux->clrBtnShadow, pAux->clrBtnHilite);
    else if (bHot)
        dc.Draw3dRect(rect, pAux->clrBtnHilite, pAux->clrBtnShadow);
    CRect rectText = rect;
    if (bPressed)
        rectText.OffsetRect(1, 1);
    CFont* pOld = dc.SelectObject(m_pToolBar->GetFont());
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld =
        dc.SetTextColor((m_nStyle & TBBS_DISABLED) ? ::GetSysColor(COLOR_GRAYTEXT) : ::GetSysColor(COLOR_BTNTEXT));
    dc.DrawText(m_strLabel, rectText, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    dc.SelectObject(pOld);
}

BOOL SECTBMenuBtn::SelectImage(SECBtnDrawData&, int&)
{
    return FALSE;
}
} // namespace tarnwick::bars
