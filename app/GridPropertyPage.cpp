#include <app/GridPropertyPage.h>

#include <app/EntryChecks.h>
#include <app/Lumiter5Exception.h>
#include <app/resource.h>

#include <grid/controls/Control.h>
#include <grid/core/GridParam.h>
#include <grid/core/Range.h>
#include <grid/core/Style.h>
#include <toolkit/foundation/ScopedValue.h>

#include <afxpriv.h>

#include <cstdlib>

IMPLEMENT_DYNAMIC(CGridPropertyPage, CWizardPage)

BEGIN_MESSAGE_MAP(CGridPropertyPage, CWizardPage)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

namespace
{
constexpr int kNumberFormat = 2;
constexpr LPCTSTR kHeaderFont = _T("Courier New");
constexpr LONG kBold = 700;
} // namespace

CGridPropertyPage::CGridPropertyPage(UINT nIDTemplate, LPCTSTR lpszClassName, std::span<const Column> columns)
    : CWizardPage(nIDTemplate, lpszClassName), m_columns(columns)
{
}

BOOL CGridPropertyPage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    SetupGrid();
    FillGrid();
    EnterGrid();
    m_bRefill = FALSE;
    return TRUE;
}

BOOL CGridPropertyPage::OnSetActive()
{
    UpdateWizardButtons();
    if (m_bRefill)
    {
        FillGrid();
        EnterGrid();
        m_bRefill = FALSE;
    }
    return CPropertyPage::OnSetActive();
}

LRESULT CGridPropertyPage::OnWizardBack()
{
    m_bRefill = TRUE;
    return CWizardPage::OnWizardBack();
}

void CGridPropertyPage::EnterGrid()
{
    if (m_wndGrid.GetRowCount() >= 1)
        m_wndGrid.SetCurrentCell(1, 1, GX_MOVECELL);
    m_wndGrid.SetFocus();
}

void CGridPropertyPage::SetupGrid()
{
    m_wndGrid.SubclassDlgItem(IDC_MACHINE_GRID, this);
    m_wndGrid.Initialize();
    m_wndGrid.SetColCount(static_cast<ROWCOL>(m_columns.size() - 1), GX_UPDATENOW);
    CGXFont font;
    font.SetFaceName(kHeaderFont).SetWeight(kBold);
    CGXStyle header;
    header.SetFont(font);
    // On the header cells themselves: a style given to row 0 as a whole would be stored in its
    // column 0, the table's style, which every value cell takes in.
    m_wndGrid.SetStyleRangeShort(CGXRange(0, 1, 0, m_wndGrid.GetColCount()), header, CGXStyle::modeOverride, 0,
                                 GX_UPDATENOW);
    for (ROWCOL nCol = 0; nCol < m_columns.size(); ++nCol)
    {
        m_wndGrid.SetValueRange(CGXRange(0, nCol), m_columns[nCol].lpszHeader, 0, GX_UPDATENOW);
        m_wndGrid.SetColWidth(nCol, nCol, m_columns[nCol].nWidth, nullptr, GX_UPDATENOW);
    }
}

void CGridPropertyPage::FillGrid()
{
    if (const ROWCOL nRows = m_wndGrid.GetRowCount(); nRows > 0)
        m_wndGrid.RemoveRows(1, nRows, GX_UPDATENOW);
    {
        const tarnwick::foundation::SECScopedValue<BOOL> lockUpdate(m_wndGrid.GetParam()->m_bLockUpdate, TRUE);
        ForEachObject([this](const CString& strKey, const Fields& fields) {
            LoadFields(strKey, fields);
            const ROWCOL nRow = AppendRow();
            SetText(nRow, 0, strKey);
            FillRow(nRow, fields);
        });
    }
    m_wndGrid.RedrawGrid(GX_UPDATENOW, TRUE);
}

ROWCOL CGridPropertyPage::AppendRow()
{
    const ROWCOL nRow = m_wndGrid.GetRowCount() + 1;
    m_wndGrid.InsertRows(nRow, 1, nullptr, nullptr, nullptr, 0, GX_UPDATENOW);
    return nRow;
}

void CGridPropertyPage::SetText(ROWCOL nRow, ROWCOL nCol, const CString& strText)
{
    m_wndGrid.SetValueRange(CGXRange(nRow, nCol), strText, 0, GX_UPDATENOW);
}

void CGridPropertyPage::SetNumber(ROWCOL nRow, ROWCOL nCol, const CString& strText)
{
    CGXStyle style;
    style.SetValue(std::wcstod(strText, nullptr)).SetFormat(kNumberFormat).SetPlaces(0);
    SetCellStyle(nRow, nCol, style);
}

void CGridPropertyPage::SetCellStyle(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    m_wndGrid.SetStyleRangeShort(CGXRange(nRow, nCol), style, CGXStyle::modeOverride, 0, GX_UPDATENOW);
}

CString CGridPropertyPage::GetCellText(ROWCOL nRow, ROWCOL nCol)
{
    CString strText;
    // The grid's current-cell test takes column 0 for any column, which would read the row's
    // key from an edit in progress elsewhere in the row.
    ROWCOL nCurrentRow = 0, nCurrentCol = 0;
    if (m_wndGrid.GetCurrentCell(&nCurrentRow, &nCurrentCol) && nCurrentRow == nRow && nCurrentCol == nCol &&
        m_wndGrid.IsActiveCurrentCell())
        m_wndGrid.GetControl(nRow, nCol)->GetCurrentText(strText);
    else
    {
        CGXStyle* pStyle = m_wndGrid.CreateStyle();
        m_wndGrid.ComposeStyleRowCol(nRow, nCol, pStyle);
        strText = pStyle->GetValue();
        m_wndGrid.RecycleStyle(pStyle);
    }
    return strText.Trim();
}

ROWCOL CGridPropertyPage::FindRow(const CString& strKey)
{
    for (ROWCOL nRow = 1; nRow <= m_wndGrid.GetRowCount(); ++nRow)
        if (GetCellText(nRow, 0) == strKey)
            return nRow;
    return 0;
}

void CGridPropertyPage::RefuseCell(ROWCOL nRow, ROWCOL nCol, LPCTSTR lpszMessage)
{
    m_wndGrid.SetCurrentCell(nRow, nCol, GX_MOVECELL);
    ThrowLumiter5Exception(lpszMessage);
}

void CGridPropertyPage::RequireText(ROWCOL nRow, ROWCOL nCol, LPCTSTR lpszMessage)
{
    const CString strText = GetCellText(nRow, nCol);
    if (strText.IsEmpty() || strText == kPlaceholder)
        RefuseCell(nRow, nCol, lpszMessage);
}

void CGridPropertyPage::RequirePositive(ROWCOL nRow, ROWCOL nCol, LPCTSTR lpszEmpty, LPCTSTR lpszNotPositive)
{
    const CString strText = GetCellText(nRow, nCol);
    if (strText.IsEmpty())
        RefuseCell(nRow, nCol, lpszEmpty);
    if (!(std::wcstod(strText, nullptr) > 0.0))
        RefuseCell(nRow, nCol, lpszNotPositive);
}

void CGridPropertyPage::LeaveForward()
{
    Validate();
    StoreObjects();
    SaveProfile();
}

void CGridPropertyPage::OnLeaveFailed()
{
    m_bRefocus = TRUE;
}

LRESULT CGridPropertyPage::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    UpdateDialogControls(this, FALSE);
    if (m_bRefocus)
    {
        m_wndGrid.SetFocus();
        m_bRefocus = FALSE;
    }
    return 0;
}

void CGridPropertyPage::LoadFields(const CString& strKey, const Fields& fields)
{
    for (ROWCOL nField = 0; nField < kFieldCount; ++nField)
    {
        const Column& column = m_columns[nField + 1];
        CString& strField = *fields[nField];
        if (strField.IsEmpty())
            strField = AfxGetApp()->GetProfileString(strKey, column.lpszEntry, _T(""));
        strField.Trim();
        if (strField.IsEmpty())
            strField = column.lpszPlaceholder;
    }
}

void CGridPropertyPage::StoreObjects()
{
    ForEachObject([this](const CString& strKey, const Fields& fields) {
        if (const ROWCOL nRow = FindRow(strKey))
            for (ROWCOL nField = 0; nField < kFieldCount; ++nField)
                *fields[nField] = GetCellText(nRow, nField + 1);
    });
}

void CGridPropertyPage::SaveProfile()
{
    CWinApp* pApp = AfxGetApp();
    ForEachObject([&](const CString& strKey, const Fields&) {
        if (const ROWCOL nRow = FindRow(strKey))
            for (ROWCOL nField = 0; nField < kFieldCount; ++nField)
                pApp->WriteProfileString(strKey, m_columns[nField + 1].lpszEntry, GetCellText(nRow, nField + 1));
    });
}
