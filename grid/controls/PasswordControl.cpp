#include <grid/controls/PasswordControl.h>

#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <toolkit/foundation/VisualStyle.h>

namespace
{
constexpr TCHAR chThemedMask = 0x25CF;
} // namespace

IMPLEMENT_DYNAMIC(CGXPasswordControl, CGXEditControl)

const GXControlClass CGXPasswordControl::ctlClassCGXPasswordControl = {"CGXPasswordControl",
                                                                       &CGXEditControl::ctlClassCGXEditControl};

BEGIN_MESSAGE_MAP(CGXPasswordControl, CGXEditControl)
ON_MESSAGE(WM_LBUTTONDOWN, OnWndLButtonDownDefault)
END_MESSAGE_MAP()

CGXPasswordControl::CGXPasswordControl(CGXGridCore* pGrid, UINT nID)
    : CGXEditControl(pGrid, nID), m_chPassword(SECIsAppThemed() && SECIsThemeActive() ? chThemedMask : _T('*'))
{
}

CGXControl* CGXPasswordControl::Create(CGXGridCore* pGrid)
{
    return new CGXPasswordControl(pGrid, GX_IDS_CTRL_PASSWORD);
}

BOOL CGXPasswordControl::FormatDisplayText(CString& strOut, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText,
                                           const CGXStyle& style)
{
    if (!CGXEditControl::FormatDisplayText(strOut, nRow, nCol, pszText, style))
        return FALSE;
    if (m_bMasking)
        strOut = CString(m_chPassword, strOut.GetLength());
    return TRUE;
}

// The window holds the clear text and shows it masked.
void CGXPasswordControl::SetValue(LPCTSTR pszText)
{
    if (GetSafeHwnd() == nullptr)
        return;
    CString strClear;
    m_bMasking = FALSE;
    FormatDisplayText(strClear, static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), pszText, *LoadStyle());
    m_bMasking = TRUE;
    SetPasswordChar(m_chPassword);
    SetWindowText(strClear);
}

DWORD CGXPasswordControl::CalcEditStyle(CRect* pRect, const int* pLineHeight)
{
    return (CGXEditControl::CalcEditStyle(pRect, pLineHeight) & ~static_cast<DWORD>(ES_MULTILINE)) | ES_PASSWORD;
}

BOOL CGXPasswordControl::CopyToClipboard()
{
    return TRUE;
}

BOOL CGXPasswordControl::CutToClipboard()
{
    return TRUE;
}

BOOL CGXPasswordControl::CanFloatCell(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& /*style*/,
                                      BOOL /*bFloatOrFlood*/)
{
    return FALSE;
}

BOOL CGXPasswordControl::ReservedHookA(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/, DWORD /*dwValue4*/)
{
    return FALSE;
}

LRESULT CGXPasswordControl::OnWndLButtonDownDefault(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return Default();
}

const GXControlClass* CGXPasswordControl::GetControlClass() const
{
    return &ctlClassCGXPasswordControl;
}
