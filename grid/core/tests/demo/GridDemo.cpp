// A frame whose view is a grid window: header cells with the selected rows' headers pressed,
// grid lines, text cells drawn by the static and the edit control, two-place number cells,
// dates in date-time cells, 3-d check boxes, currency amounts, a selected range and the current
// cell on an amount, edited in its currency window with the drop button; with the argument
// "calculator" the popup calculator is open under it. With /paste the grid pastes its own cells
// first: two rows copied directly and one block moved. The "spans" page shows a covered block,
// merged system names and runs, and long texts that float over empty cells. A row of combo
// cells below the systems: the drawn combo, a choice shown for its number, the window combo box
// and drop-down list, and the drop-down check list; with "dropdown" on the command line the drawn
// combo's list is open, with "checklist" the check list. Below them a telephone number in a
// masked-edit cell.
#include <afxwin.h>

#include <grid/controls/CheckListComboBox.h>
#include <grid/controls/ComboBox.h>
#include <grid/controls/ComboBoxWnd.h>
#include <grid/controls/CurrencyEdit.h>
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
constexpr ROWCOL nMaskRow = nComboRow + 1;
constexpr int nNumberFormatFixed = 2;
constexpr int nMergeDownValues = 0x2 | 0x4;
constexpr int nMergeAcrossValues = 0x1 | 0x4;
constexpr WORD wDelayed = 1;

struct SpanRow
{
    LPCTSTR pszSystem;
    LPCTSTR pszInstance;
    LPCTSTR pszState;
    LPCTSTR pszNote;
};
constexpr SpanRow spanRows[] = {
    {_T("PRD"), _T("sapprd01_PRD_00"), _T("running"), _T("")},
    {_T("PRD"), _T("sapprd02_PRD_01"), _T("running"), _T("")},
    {_T("PRD"), _T("sapprd03_PRD_02"), _T("stopped"), _T("Maintenance window until Sunday 06:00")},
    {_T("QAS"), _T("sapqas01_QAS_00"), _T("no data"), _T("")},
    {_T("QAS"), _T("sapqas02_QAS_01"), _T("running"), _T("")},
    {_T("DEV"), _T("sapdev01_DEV_00"), _T("running"), _T("Collected with the reduced reader set")},
};

struct Row
{
    LPCTSTR pszSystem;
    LPCTSTR pszHost;
    double dResponse;
    double dLoad;
    BOOL bActive;
    LPCTSTR pszInstalled;
    LPCTSTR pszBudget;
};
constexpr Row rows[] = {
    {_T("PRD"), _T("sapprd01"), 512.25, 71.5, TRUE, _T("39448"), _T("1234.5")},
    {_T("QAS"), _T("sapqas01"), 240.5, 33.125, TRUE, _T("40179.5"), _T("-870.25")},
    {_T("DEV"), _T("sapdev02"), 98.75, 12.0, FALSE, _T("41275"), _T("12345.6")},
    {_T("SBX"), _T("sapsbx01"), 1204.0, 88.25, FALSE, _T("42005"), _T("98.4")},
    {_T("TRN"), _T("saptrn01"), 310.125, 41.75, TRUE, _T(""), _T("")},
    {_T("ERP"), _T("saperp03"), 655.5, 64.0, FALSE, _T("45292"), _T("1000000")},
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
        SetColCount(7);
        SetColWidth(1, 2, 70);
        SetColWidth(3, 4, 90);
        SetColWidth(5, 5, 90);
        SetColWidth(6, 6, 120);
        SetColWidth(7, 7, 120);
        const LPCTSTR titles[] = {_T("System"),    _T("Host"),      _T("Response ms"), _T("Load %"),
                                  _T("Monitored"), _T("Installed"), _T("Budget")};
        for (ROWCOL nCol = 1; nCol <= 7; ++nCol)
            SetValueRange(CGXRange(0, nCol), titles[nCol - 1]);

        CGXStyle check;
        check.SetControl(idCheckBox3d).SetChoiceList(_T("active"));
        CGXStyle currency;
        currency.SetControl(idCurrencyEdit)
            .SetHorizontalAlignment(DT_RIGHT)
            .SetUserAttribute(idsCurrencyAttributes, _T("11 1"));
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
            SetStyleRangeShort(CGXRange(nRow, 7), CGXStyle(currency).SetValue(row.pszBudget));
        }
        // Without a symbol under separators ".,", and padded to six digits.
        SetStyleRangeShort(
            CGXRange(3, 7),
            CGXStyle().SetUserAttribute(idsCurrencySeparators, _T(".,")).SetUserAttribute(idsCurrencySymbol, _T("0")));
        SetStyleRangeShort(CGXRange(4, 7), CGXStyle()
                                               .SetUserAttribute(idsCurrencyAttributes, _T("11*1"))
                                               .SetUserAttribute(idsCurrencyIntegerDigits, _T("6")));
        SetStyleRangeShort(CGXRange().SetCols(2, 2), CGXStyle().SetControl(idEditControl));
        FillCombos();
        SetValueRange(CGXRange(nMaskRow, 5), _T("Phone"));
        SetStyleRangeShort(CGXRange(nMaskRow, 6), CGXStyle()
                                                      .SetControl(idMaskEdit)
                                                      .SetUserAttribute(idsMaskEditMask, _T("(###) ###-####"))
                                                      .SetValue(_T("5551234567")));
        SetStyleRangeShort(CGXRange(2, 1, 2, 4), CGXStyle().SetInteriorColor(RGB(255, 255, 204)));

        GetParam()->m_SelRects.AddTail(new CGXRange(3, 2, 5, 3));
        GetParam()->SetCurrentCellFrame(TRUE);
    }

    // The grid's own paste: rows 1-2 copied below the systems, then rows 5-6 of the first two
    // columns cut and moved into the last row pair.
    void PasteInside()
    {
        CGXGridParam* pParam = GetParam();
        pParam->SetDirectCopyPaste(TRUE);
        pParam->SetDirectCutPaste(TRUE);
        pParam->SetDirectPasteMode(2);
        pParam->ClipboardRangeList().AddTail(new CGXRange(1, 1, 2, 7));
        m_pDirectCopyMoveCellsImp->PasteDirect(this, CGXRange(7, 1));
        pParam->ClipboardRangeList().DeleteAll();
        pParam->ClipboardRangeList().AddTail(new CGXRange(5, 1, 6, 2));
        pParam->SetCutPending(TRUE);
        m_pDirectCopyMoveCellsImp->PasteDirect(this, CGXRange(9, 3));
        pParam->m_SelRects.DeleteAll();
        pParam->m_SelRects.AddTail(new CGXRange(7, 1, 8, 7));
    }

    // The first amount edited in its window; the calculator open under it when asked.
    void EditAmount(BOOL bCalculator)
    {
        SetCurrentCell(1, 7);
        CGXControl* pControl = GetCurrentCellControl();
        if (pControl == nullptr || !pControl->RequestEditing())
            return;
        pControl->SetActive(TRUE);
        pControl->RefreshCell();
        UpdateWindow();
        if (bCalculator)
            static_cast<CGXCurrencyEdit*>(pControl)->OpenCalculator();
    }
    void FillCombos();
    // Opens the list of the combo cell in the column.
    void OpenList(ROWCOL nCol);
};

// Covered, merged and floating cells.
class CSpansGrid : public CGXGridWnd
{
public:
    void Fill()
    {
        CGXStyle stat;
        stat.SetControl(idStatic);
        ChangeBaseStyle(GetStylesMap()->m_wStyleStandard, stat, 0);
        const ROWCOL nRows = sizeof(spanRows) / sizeof(spanRows[0]);
        SetRowCount(nRows + 4);
        SetColCount(7);
        SetColWidth(1, 1, 70);
        SetColWidth(2, 2, 130);
        SetColWidth(3, 7, 80);
        const LPCTSTR titles[] = {_T("System"), _T("Instance"), _T("State"), _T("Dialog"),
                                  _T("Batch"),  _T("Spool"),    _T("Notes")};
        for (ROWCOL nCol = 1; nCol <= 7; ++nCol)
            SetValueRange(CGXRange(0, nCol), titles[nCol - 1]);

        CGXStyle system;
        system.SetMergeCell(nMergeDownValues).SetVerticalAlignment(DT_VCENTER).SetInteriorColor(RGB(232, 240, 255));
        CGXStyle state;
        state.SetMergeCell(nMergeAcrossValues).SetHorizontalAlignment(DT_CENTER);
        for (ROWCOL nRow = 1; nRow <= nRows; ++nRow)
        {
            const SpanRow& row = spanRows[nRow - 1];
            SetStyleRangeShort(CGXRange(nRow, 1), CGXStyle(system).SetValue(row.pszSystem));
            SetValueRange(CGXRange(nRow, 2), row.pszInstance);
            // A state that stands for the whole row of work processes merges across it.
            const BOOL bWhole = CString(row.pszState) != _T("running");
            for (ROWCOL nCol = 3; nCol <= (bWhole ? 6u : 3u); ++nCol)
                SetStyleRangeShort(CGXRange(nRow, nCol), CGXStyle(state).SetValue(row.pszState));
            if (!bWhole)
                for (ROWCOL nCol = 4; nCol <= 6; ++nCol)
                {
                    CString strCount;
                    strCount.Format(_T("%u"), nRow * 3 + nCol);
                    SetValueRange(CGXRange(nRow, nCol), strCount);
                }
            SetValueRange(CGXRange(nRow, 7), row.pszNote);
        }

        // A covered block of two rows and three columns with its text centred.
        const ROWCOL nBlock = nRows + 2;
        SetStyleRangeShort(CGXRange(nBlock, 2), CGXStyle()
                                                    .SetValue(_T("Landscape total: 6 instances"))
                                                    .SetHorizontalAlignment(DT_CENTER)
                                                    .SetVerticalAlignment(DT_VCENTER)
                                                    .SetInteriorColor(RGB(255, 255, 204)));
        SetCoveredCellsRowCol(nBlock, 2, nBlock + 1, 4);
        SetValueRange(CGXRange(nBlock, 5), _T("Long texts float over the empty cells to their right"));

        SetMergeCellsMode(wDelayed, FALSE);
        SetFloatCellsMode(wDelayed, FALSE);
    }
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
    explicit CDemoFrame(BOOL bSpans) : m_bSpans(bSpans)
    {
        Create(nullptr, bSpans ? _T("Grid spans") : _T("Grid"), WS_OVERLAPPEDWINDOW, CRect(10, 40, 790, 360));
    }

    // The first amount edited in its window, on the main page.
    void EditAmount(BOOL bCalculator)
    {
        if (!m_bSpans)
            m_grid.EditAmount(bCalculator);
    }
    CDemoGrid& Grid()
    {
        return m_grid;
    }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        CGXGridWnd& grid = m_bSpans ? static_cast<CGXGridWnd&>(m_spans) : m_grid;
        if (!grid.Create(_T("GXWND"), nullptr, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, CRect(0, 0, 0, 0), this,
                         AFX_IDW_PANE_FIRST))
            return -1;
        grid.Initialize();
        if (m_bSpans)
            m_spans.Fill();
        else
        {
            m_grid.Fill();
            if (CString(AfxGetApp()->m_lpCmdLine).Find(_T("/paste")) >= 0)
                m_grid.PasteInside();
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bSpans;
    CDemoGrid m_grid;
    CSpansGrid m_spans;
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
        auto* pFrame = new CDemoFrame(CString(m_lpCmdLine).Trim() == _T("spans"));
        m_pMainWnd = pFrame;
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        const CString strCommand(m_lpCmdLine);
        if (strCommand.Find(_T("dropdown")) >= 0)
            pFrame->Grid().OpenList(1);
        else if (strCommand.Find(_T("checklist")) >= 0)
            pFrame->Grid().OpenList(6);
        else
            pFrame->EditAmount(strCommand.Find(_T("calculator")) >= 0);
        return TRUE;
    }
};

CDemoApp theApp;
} // namespace
