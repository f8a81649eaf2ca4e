// A frame whose view is a grid window: header cells with the selected rows' headers pressed,
// grid lines, text cells drawn by the static and the edit control, two-place number cells,
// dates in date-time cells, 3-d check boxes, a selected range and the current cell's frame on
// a date, which shows its calendar and spin buttons. A row of combo cells below: the drawn
// combo, a choice shown for its number, the window combo box and drop-down list, and the
// drop-down check list. With "dropdown" on the command line the drawn combo's list is open,
// with "checklist" the check list.
#include <afxwin.h>

#include <grid/controls/CheckListComboBox.h>
#include <grid/controls/ComboBox.h>
#include <grid/controls/ComboBoxWnd.h>

#include <grid/core/GridInit.h>
#include <grid/core/GridParam.h>
#include <grid/core/GridWnd.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>

namespace
{
constexpr WORD idStatic = 52513;
constexpr WORD idComboNoTextFit = 52517;
constexpr WORD idComboDisplayChoiceOneBased = 52531;
constexpr WORD idComboBoxWnd = 52528;
constexpr WORD idDropDownListWnd = 52529;
constexpr WORD idCheckListCombo = 52542;
constexpr ROWCOL nComboRow = 7;
constexpr int nNumberFormatFixed = 2;

struct Row
{
    LPCTSTR pszSystem;
    LPCTSTR pszHost;
    double dResponse;
    double dLoad;
    BOOL bActive;
    LPCTSTR pszInstalled;
};
constexpr Row rows[] = {
    {_T("PRD"), _T("sapprd01"), 512.25, 71.5, TRUE, _T("39448")},
    {_T("QAS"), _T("sapqas01"), 240.5, 33.125, TRUE, _T("40179.5")},
    {_T("DEV"), _T("sapdev02"), 98.75, 12.0, FALSE, _T("41275")},
    {_T("SBX"), _T("sapsbx01"), 1204.0, 88.25, FALSE, _T("42005")},
    {_T("TRN"), _T("saptrn01"), 310.125, 41.75, TRUE, _T("")},
    {_T("ERP"), _T("saperp03"), 655.5, 64.0, FALSE, _T("45292")},
};

class CDemoGrid : public CGXGridWnd
{
public:
    void Fill()
    {
        CGXStyle stat;
        stat.SetControl(idStatic);
        ChangeBaseStyle(GetStylesMap()->m_wStyleStandard, stat, 0);

        const ROWCOL nRows = sizeof(rows) / sizeof(rows[0]);
        SetRowCount(nRows + 4);
        SetColCount(6);
        SetColWidth(1, 2, 90);
        SetColWidth(3, 4, 100);
        SetColWidth(5, 5, 110);
        SetColWidth(6, 6, 130);
        const LPCTSTR titles[] = {_T("System"), _T("Host"), _T("Response ms"), _T("Load %"), _T("Monitored"),
                                  _T("Installed")};
        for (ROWCOL nCol = 1; nCol <= 6; ++nCol)
            SetValueRange(CGXRange(0, nCol), titles[nCol - 1]);

        CGXStyle check;
        check.SetControl(idCheckBox3d).SetChoiceList(_T("active"));
        CGXStyle number;
        number.SetFormat(nNumberFormatFixed).SetPlaces(2).SetHorizontalAlignment(DT_RIGHT);
        for (ROWCOL nRow = 1; nRow <= nRows; ++nRow)
        {
            const Row& row = rows[nRow - 1];
            SetValueRange(CGXRange(nRow, 1), row.pszSystem);
            SetValueRange(CGXRange(nRow, 2), row.pszHost);
            SetStyleRangeShort(CGXRange(nRow, 3), CGXStyle(number).SetValue(row.dResponse));
            SetStyleRangeShort(CGXRange(nRow, 4), CGXStyle(number).SetValue(row.dLoad));
            SetStyleRangeShort(CGXRange(nRow, 5), CGXStyle(check).SetValue(row.bActive ? _T("1") : _T("0")));
            SetStyleRangeShort(CGXRange(nRow, 6), CGXStyle().SetControl(idDateTimeCalendar).SetValue(row.pszInstalled));
        }
        SetStyleRangeShort(CGXRange().SetCols(2, 2), CGXStyle().SetControl(idEditControl));
        FillCombos();
        SetStyleRangeShort(CGXRange(2, 1, 2, 4), CGXStyle().SetInteriorColor(RGB(255, 255, 204)));

        GetParam()->m_SelRects.AddTail(new CGXRange(3, 2, 5, 3));
        SetCurrentCellPosition(TRUE, 3, 6);
        GetParam()->SetCurrentCellFrame(TRUE);
    }
    void FillCombos();
    // Opens the list of the combo cell in the column.
    void OpenList(ROWCOL nCol);
};

void CDemoGrid::FillCombos()
{
    struct Combo
    {
        WORD nControl;
        LPCTSTR pszChoices;
        LPCTSTR pszValue;
    };
    const Combo combos[] = {
        {idComboNoTextFit, _T("Europe\nAmerica\nAsia\nAfrica\nOceania"), _T("Europe")},
        {idComboDisplayChoiceOneBased, _T("Dialog\nBatch\nUpdate\nSpool"), _T("2")},
        {idComboBoxWnd, _T("sapprd01\nsapqas01\nsapdev02"), _T("sapqas01")},
        {idDropDownListWnd, _T("Low\nMedium\nHigh"), _T("High")},
        {idComboNoTextFit, _T("None\nDaily\nWeekly"), _T("Weekly")},
        {idCheckListCombo, _T("Weekdays\nMonday\nTuesday\nWednesday\nThursday\nFriday"), _T("5")},
    };
    for (ROWCOL nCol = 1; nCol <= 6; ++nCol)
    {
        const Combo& combo = combos[nCol - 1];
        SetStyleRangeShort(CGXRange(nComboRow, nCol),
                           CGXStyle().SetControl(combo.nControl).SetChoiceList(combo.pszChoices).SetValue(combo.pszValue));
    }
    // The window combos show their buttons in every cell, as the drawn ones do.
    for (WORD nId : {idComboBoxWnd, idDropDownListWnd})
        static_cast<CGXComboBoxWnd*>(GetRegisteredControl(nId))->m_bButtonInCurrentCellOnly = FALSE;
}

void CDemoGrid::OpenList(ROWCOL nCol)
{
    SetCurrentCell(nComboRow, nCol);
    if (auto* pCombo = dynamic_cast<CGXComboBox*>(GetCurrentCellControl()))
        pCombo->OnSysKeyDown(VK_DOWN, 1, 0);
}

class CDemoFrame : public CFrameWnd
{
public:
    CDemoFrame()
    {
        Create(nullptr, _T("Grid"), WS_OVERLAPPEDWINDOW, CRect(40, 40, 780, 360));
    }
    CDemoGrid& Grid()
    {
        return m_grid;
    }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1 ||
            !m_grid.Create(_T("GXWND"), nullptr, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, CRect(0, 0, 0, 0),
                           this, AFX_IDW_PANE_FIRST))
            return -1;
        m_grid.Initialize();
        m_grid.Fill();
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    CDemoGrid m_grid;
};

BEGIN_MESSAGE_MAP(CDemoFrame, CFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

class CDemoApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        GXInitLibraryDefault();
        auto* pFrame = new CDemoFrame;
        m_pMainWnd = pFrame;
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        const CString strCommand(m_lpCmdLine);
        if (strCommand.Find(_T("dropdown")) >= 0)
            pFrame->Grid().OpenList(1);
        else if (strCommand.Find(_T("checklist")) >= 0)
            pFrame->Grid().OpenList(6);
        return TRUE;
    }
};

CDemoApp theApp;
} // namespace
