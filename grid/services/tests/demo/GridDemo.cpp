// A frame whose view is a grid window: header cells with the selected rows' headers pressed,
// grid lines, text cells drawn by the static and the edit control, two-place number cells,
// dates in date-time cells, 3-d check boxes, currency amounts, a selected range and the current
// cell on an amount, edited in its currency window with the drop button; with the argument
// "calculator" the popup calculator is open under it. With /paste the grid pastes its own cells
// first: two rows copied directly and one block moved. The "spans" page shows a covered block,
// merged system names and runs, and long texts that float over empty cells. A row of combo
// cells below the systems: the drawn combo, a choice shown for its number, the window combo box
// and drop-down list, and the drop-down check list; with "dropdown" on the command line the drawn
// combo's list is open, with "checklist" the check list. Below them two tabbed combo cells that
// store a system's code and show its role (the drop-down and the window's drop-down list; with
// "tabbed" the drop-down's list is open under its title header), rich text with a bold and a
// coloured word, and a telephone number in a masked-edit cell. Rows of further cells below that: a tall list box, progress bars, a push
// button, flat and 3-d radio buttons, check boxes and radio buttons that keep their change until
// the cell is left, and a text cut by its cell; with "tip" the pointer rests on that text and its
// tip shows. The "features" page shows rows frozen by the freeze command, a hidden column,
// columns fitted to their texts, the marked headers of the current cell and a selection of whole
// columns in its frame. With /reload the grid stores its parameter object and a second grid
// below shows the object loaded from those bytes. The "find" page shows the replace dialog over
// a grid of systems whose first hit is the current cell; the "fill" page a selection's fill
// frame dragged down by its corner handle.
#include <afxwin.h>

#include <initializer_list>

#include <grid/controls/CellTipWnd.h>
#include <grid/controls/CheckListComboBox.h>
#include <grid/controls/ComboBox.h>
#include <grid/controls/ComboBoxWnd.h>
#include <grid/controls/CurrencyEdit.h>
#include <grid/core/FindReplaceState.h>
#include <grid/core/GridInit.h>
#include <grid/core/GridParam.h>
#include <grid/core/GridWnd.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/services/tabs/TabWnd.h>

#include <memory>
#include <utility>

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
constexpr ROWCOL nCellsRow = 11;
constexpr UINT_PTR nTipTimer = 1;
constexpr UINT_PTR nFillTimer = 2;
constexpr WORD idListBox = 52522;
constexpr WORD idProgress = 52536;
constexpr WORD idPushbutton = 52514;
constexpr WORD idRadioFlat = 52515;
constexpr WORD idRadio3d = 52524;
constexpr WORD idCheckBoxEx = 20130;
constexpr WORD idCheckBoxEx3d = 20131;
constexpr WORD idRadioEx = 20137;
constexpr WORD idRadioEx3d = 20136;
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

// Static cells throughout and one column per title, the titles in the header row.
void SetUpStaticColumns(CGXGridWnd& grid, std::initializer_list<LPCTSTR> titles)
{
    CGXStyle stat;
    stat.SetControl(idStatic);
    grid.ChangeBaseStyle(grid.GetStylesMap()->m_wStyleStandard, stat, 0);
    grid.SetColCount(static_cast<ROWCOL>(titles.size()));
    ROWCOL nCol = 0;
    for (LPCTSTR lpszTitle : titles)
        grid.SetValueRange(CGXRange(0, ++nCol), lpszTitle);
}

class CDemoGrid : public CGXGridWnd
{
public:
    void Fill()
    {
        SetUpStaticColumns(*this, {_T("System"), _T("Host"), _T("Response ms"), _T("Load %"), _T("Monitored"),
                                   _T("Installed"), _T("Budget")});
        const ROWCOL nRows = sizeof(rows) / sizeof(rows[0]);
        SetRowCount(nRows + 7);
        SetColWidth(1, 2, 70);
        SetColWidth(3, 4, 90);
        SetColWidth(5, 5, 90);
        SetColWidth(6, 6, 120);
        SetColWidth(7, 7, 120);

        CGXStyle check;
        check.SetControl(GX_IDS_CTRL_CHECKBOX_3D).SetChoiceList(_T("active"));
        CGXStyle currency;
        currency.SetControl(GX_IDS_CTRL_CURRENCY)
            .SetHorizontalAlignment(DT_RIGHT)
            .SetUserAttribute(GX_IDS_UA_CURRENCY_ATTRIBUTES, _T("11 1"));
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
            SetStyleRangeShort(CGXRange(nRow, 6),
                               CGXStyle().SetControl(GX_IDS_CTRL_DATETIME).SetValue(row.pszInstalled));
            SetStyleRangeShort(CGXRange(nRow, 7), CGXStyle(currency).SetValue(row.pszBudget));
        }
        // Without a symbol under separators ".,", and padded to six digits.
        SetStyleRangeShort(CGXRange(3, 7), CGXStyle()
                                               .SetUserAttribute(GX_IDS_UA_CURRENCY_SEPARATORS, _T(".,"))
                                               .SetUserAttribute(GX_IDS_UA_CURRENCY_SYMBOL, _T("0")));
        SetStyleRangeShort(CGXRange(4, 7), CGXStyle()
                                               .SetUserAttribute(GX_IDS_UA_CURRENCY_ATTRIBUTES, _T("11*1"))
                                               .SetUserAttribute(GX_IDS_UA_CURRENCY_INTEGER_DIGITS, _T("6")));
        SetStyleRangeShort(CGXRange().SetCols(2, 2), CGXStyle().SetControl(GX_IDS_CTRL_EDIT));
        FillCombos();
        SetValueRange(CGXRange(nMaskRow, 5), _T("Phone"));
        SetStyleRangeShort(CGXRange(nMaskRow, 6), CGXStyle()
                                                      .SetControl(GX_IDS_CTRL_MASKED_EDIT)
                                                      .SetUserAttribute(GX_IDS_UA_MASKEDIT_MASK, _T("(###) ###-####"))
                                                      .SetValue(_T("5551234567")));
        SetRowHeight(nMaskRow, nMaskRow, 22);
        SetStyleRangeShort(CGXRange(nMaskRow, 3),
                           CGXStyle().SetControl(GX_IDS_CTRL_RICH_EDIT).SetValue(_T(
                               "{\\rtf1{\\colortbl;\\red200\\green0\\blue0;}\\fs20{\\b Load} is {\\cf1 high}}")));
        FillTabbed();
        FillCells();
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
    void FillTabbed();
    void FillCells();
    // The pointer resting on the cut text until its tip shows.
    void ShowTip()
    {
        const CPoint point = CalcRectFromRowCol(nCellsRow + 1, 6).CenterPoint();
        SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        if (m_pCellTipRelay != nullptr)
            m_pCellTipRelay->SendMessage(WM_TIMER, CGXCellTipRelay::nHoverTimer);
    }
    // Opens the list of the combo cell in the column.
    void OpenList(ROWCOL nRow, ROWCOL nCol);
};

// Covered, merged and floating cells.
class CSpansGrid : public CGXGridWnd
{
public:
    void Fill()
    {
        SetUpStaticColumns(*this, {_T("System"), _T("Instance"), _T("State"), _T("Dialog"), _T("Batch"),
                                   _T("Spool"), _T("Notes")});
        const ROWCOL nRows = sizeof(spanRows) / sizeof(spanRows[0]);
        SetRowCount(nRows + 4);
        SetColWidth(1, 1, 70);
        SetColWidth(2, 2, 130);
        SetColWidth(3, 7, 80);

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

// The window combos show their buttons in every cell, as the drawn ones do.
void ShowWindowComboButtons(CGXGridWnd& grid)
{
    for (WORD nId : {idComboBoxWnd, idDropDownListWnd})
        static_cast<CGXComboBoxWnd*>(grid.GetRegisteredControl(nId))->m_bButtonInCurrentCellOnly = FALSE;
}

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
        SetStyleRangeShort(
            CGXRange(nComboRow, nCol),
            CGXStyle().SetControl(combo.nControl).SetChoiceList(combo.pszChoices).SetValue(combo.pszValue));
    }
    ShowWindowComboButtons(*this);
}

void CDemoGrid::FillTabbed()
{
    CGXStyle tabbed;
    tabbed.SetChoiceList(_T("System\tRole\tClient\nPRD\tProduction\t100\nQAS\tQuality\t200\nDEV\tDevelopment\t300"))
        .SetUserAttribute(GX_IDS_UA_TAB_TEXT_COLUMN, _T("1"))
        .SetUserAttribute(GX_IDS_UA_TAB_TITLES, _T("1"))
        .SetUserAttribute(GX_IDS_UA_TAB_SORT_COLUMN, _T("0"));
    SetStyleRangeShort(CGXRange(nMaskRow, 1), CGXStyle(tabbed).SetControl(GX_IDS_CTRL_TABBED_COMBO).SetValue(_T("PRD")));
    SetStyleRangeShort(CGXRange(nMaskRow, 2),
                       CGXStyle(tabbed).SetControl(GX_IDS_CTRL_TABBED_DROPDOWN_LIST_WND).SetValue(_T("QAS")));
}

void CDemoGrid::FillCells()
{
    SetRowHeight(nCellsRow, nCellsRow, 64);
    SetRowHeight(nCellsRow + 1, nCellsRow + 1, 36);
    SetStyleRangeShort(CGXRange(nCellsRow, 1), CGXStyle()
                                                   .SetControl(idListBox)
                                                   .SetChoiceList(_T("Dialog\nBatch\nUpdate\nSpool\nEnqueue"))
                                                   .SetValue(_T("Spool")));
    const LPCTSTR values[] = {_T("0"), _T("50"), _T("100")};
    for (ROWCOL nCol = 2; nCol <= 4; ++nCol)
        SetStyleRangeShort(CGXRange(nCellsRow, nCol), CGXStyle()
                                                          .SetControl(idProgress)
                                                          .SetUserAttribute(51025, _T("0"))
                                                          .SetUserAttribute(51026, _T("100"))
                                                          .SetUserAttribute(51027, _T("%d %%"))
                                                          .SetTextColor(RGB(0, 84, 166))
                                                          .SetInteriorColor(RGB(230, 236, 245))
                                                          .SetValue(values[nCol - 2]));
    SetStyleRangeShort(CGXRange(nCellsRow, 5), CGXStyle().SetControl(idPushbutton).SetChoiceList(_T("Collect")));
    SetStyleRangeShort(CGXRange(nCellsRow, 6),
                       CGXStyle().SetControl(idRadioFlat).SetChoiceList(_T("Daily\nWeekly\nMonthly")).SetValue(_T("1")));
    SetStyleRangeShort(CGXRange(nCellsRow, 7),
                       CGXStyle().SetControl(idRadio3d).SetChoiceList(_T("Daily\nWeekly\nMonthly")).SetValue(_T("2")));

    const ROWCOL nRow = nCellsRow + 1;
    SetStyleRangeShort(CGXRange(nRow, 1), CGXStyle().SetControl(idCheckBoxEx).SetChoiceList(_T("pending")).SetValue(_T("1")));
    SetStyleRangeShort(CGXRange(nRow, 2), CGXStyle().SetControl(idCheckBoxEx3d).SetChoiceList(_T("kept")).SetValue(_T("0")));
    const struct
    {
        ROWCOL nCol;
        WORD nControl;
        LPCTSTR pszTextAlignment;
    } radios[] = {{3, idRadioEx, _T("1")}, {4, idRadioEx3d, _T("1")}, {5, idRadioEx, _T("0")}};
    for (const auto& radio : radios)
        SetStyleRangeShort(CGXRange(nRow, radio.nCol), CGXStyle()
                                                           .SetControl(radio.nControl)
                                                           .SetChoiceList(_T("On\nOff"))
                                                           .SetUserAttribute(51057, _T("1"))
                                                           .SetUserAttribute(52568, radio.pszTextAlignment)
                                                           .SetValue(_T("0")));
    SetStyleRangeShort(CGXRange(nRow, 6), CGXStyle().SetWrapText(FALSE).SetValue(
                                               _T("sapprd01.landscape.example: dialog response above the limit")));
}

void CDemoGrid::OpenList(ROWCOL nRow, ROWCOL nCol)
{
    SetCurrentCell(nRow, nCol);
    if (auto* pCombo = dynamic_cast<CGXComboBox*>(GetCurrentCellControl()))
        pCombo->OnSysKeyDown(VK_DOWN, 1, 0);
}

class CFeaturesGrid : public CGXGridWnd
{
public:
    void Fill()
    {
        SetUpStaticColumns(*this, {_T("System"), _T("Instance"), _T("Internal id"), _T("State"), _T("Notes"),
                                   _T("Checked")});
        const ROWCOL nRows = sizeof(spanRows) / sizeof(spanRows[0]);
        SetRowCount(nRows * 3);
        for (ROWCOL nRow = 1; nRow <= nRows * 3; ++nRow)
        {
            const SpanRow& row = spanRows[(nRow - 1) % nRows];
            SetValueRange(CGXRange(nRow, 1), row.pszSystem);
            SetValueRange(CGXRange(nRow, 2), row.pszInstance);
            CString strId;
            strId.Format(_T("#%04u"), nRow * 37);
            SetValueRange(CGXRange(nRow, 3), strId);
            SetValueRange(CGXRange(nRow, 4), row.pszState);
            SetValueRange(CGXRange(nRow, 5), row.pszNote);
            SetValueRange(CGXRange(nRow, 6), nRow % 3 == 0 ? _T("yes") : _T("no"));
        }
        ResizeColWidthsToFit(CGXRange().SetCols(1, 6));
        // The spreadsheet-like selection frame in place of inverted cells.
        GetParam()->m_anCoreSettings[3] = 1;
        GetParam()->m_bMarkSelection = FALSE;
        // The two stopped systems' rows stay on top: frozen through the freeze command.
        SelectRange(CGXRange().SetRows(3, 4));
        FreezeRowsCmd();
        HideCols(3, 0);
        SelectRange(CGXRange().SetCols(5, 6));
        SetCurrentCell(7, 2);
    }
};

// Edit cells of the systems' instances, states and notes, in the spreadsheet-like frame: found
// in and filled by dragging the frame's corner.
class CWorkGrid : public CGXGridWnd
{
public:
    void Fill()
    {
        SetColCount(4);
        const LPCTSTR titles[] = {_T("System"), _T("Instance"), _T("State"), _T("Notes")};
        for (ROWCOL nCol = 1; nCol <= 4; ++nCol)
            SetValueRange(CGXRange(0, nCol), titles[nCol - 1]);
        const ROWCOL nRows = sizeof(spanRows) / sizeof(spanRows[0]);
        SetRowCount(nRows + 12);
        for (ROWCOL nRow = 1; nRow <= nRows; ++nRow)
        {
            const SpanRow& row = spanRows[nRow - 1];
            const LPCTSTR values[] = {row.pszSystem, row.pszInstance, row.pszState, row.pszNote};
            for (ROWCOL nCol = 1; nCol <= 4; ++nCol)
                SetValueRange(CGXRange(nRow, nCol), values[nCol - 1]);
        }
        SetColWidth(1, 1, 70);
        SetColWidth(2, 3, 130);
        SetColWidth(4, 4, 300);
        GetParam()->m_anCoreSettings[3] = 1;
        GetParam()->m_bMarkSelection = FALSE;
        SetCurrentCell(1, 1);
    }
    // The first instance stopped for maintenance found, then the replace dialog opened on it.
    void ShowFind()
    {
        SetCurrentCell(1, 3);
        FindNextText(_T("stopped"), TRUE, FALSE);
        ShowFindReplaceDialog(FALSE);
        // Below the rows, where it hides no hit.
        if (CFindReplaceDialog* pDialog = GXGetFindReplaceState()->m_pDialog)
        {
            CRect rect;
            GetWindowRect(&rect);
            pDialog->SetWindowPos(nullptr, rect.left + 120, rect.top + 280, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
    }
    // The first two systems' rows selected and their frame's handle dragged down five rows.
    void DragFill()
    {
        SelectRange(CGXRange(1, 1, 2, 3));
        SetCurrentCell(1, 1);
        const CRect rectCorner = CalcRectFromRowCol(2, 3);
        SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rectCorner.right - 1, rectCorner.bottom - 1));
        // The pointer goes there too, so that the mouse itself keeps the frame where it is.
        CPoint target = CalcRectFromRowCol(7, 2).CenterPoint();
        SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(target.x, target.y));
        ClientToScreen(&target);
        ::SetCursorPos(target.x, target.y);
    }
};

// A new parameter object loaded from the bytes that the grid's own stores.
CGXGridParam* ReloadedParam(CGXGridParam& param)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        param.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    auto pLoaded = std::make_unique<CGXGridParam>();
    pLoaded->Serialize(ar);
    return pLoaded.release();
}

class CDemoFrame : public CFrameWnd
{
public:
    enum Page
    {
        mainPage,
        spansPage,
        featuresPage,
        tabsPage,
        findPage,
        fillPage
    };
    explicit CDemoFrame(Page page)
        : m_page(page), m_bReload(CString(AfxGetApp()->m_lpCmdLine).Find(_T("/reload")) >= 0)
    {
        const LPCTSTR titles[] = {_T("Grid"), _T("Grid spans"), _T("Grid features"), _T("Grid sheets"),
                                  _T("Grid find"), _T("Grid fill")};
        Create(nullptr, titles[page], WS_OVERLAPPEDWINDOW, CRect(10, 40, 790, 600));
    }

    // The first amount edited in its window, on the main page.
    void EditAmount(BOOL bCalculator)
    {
        if (m_page == mainPage)
            m_grid.EditAmount(bCalculator);
    }
    CDemoGrid& Grid()
    {
        return m_grid;
    }
    CWorkGrid& Work()
    {
        return m_work;
    }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        if (m_page == tabsPage)
            return CreateSheets() ? 0 : -1;
        const BOOL bWork = m_page == findPage || m_page == fillPage;
        CGXGridWnd& grid = m_page == featuresPage ? m_features
                           : m_page == spansPage  ? static_cast<CGXGridWnd&>(m_spans)
                           : bWork                ? static_cast<CGXGridWnd&>(m_work)
                                                  : m_grid;
        // The two grids of /reload share the client area: they are laid out in OnSize.
        const UINT nId = m_bReload ? idFirstGrid : AFX_IDW_PANE_FIRST;
        if (!grid.Create(_T("GXWND"), nullptr, dwGridStyle, CRect(0, 0, 0, 0), this, nId))
            return -1;
        grid.Initialize();
        if (m_page == featuresPage)
            m_features.Fill();
        else if (m_page == spansPage)
            m_spans.Fill();
        else if (bWork)
            m_work.Fill();
        else
        {
            m_grid.Fill();
            if (CString(AfxGetApp()->m_lpCmdLine).Find(_T("/paste")) >= 0)
                m_grid.PasteInside();
        }
        if (m_bReload)
        {
            m_reloaded.SetParam(ReloadedParam(*grid.GetParam()), TRUE);
            if (!m_reloaded.Create(_T("GXWND"), nullptr, dwGridStyle, CRect(0, 0, 0, 0), this, idFirstGrid + 1))
                return -1;
            m_reloaded.Initialize();
            ShowWindowComboButtons(m_reloaded);
        }
        return 0;
    }
    // The three grids as sheets of a tab window, the second one shown.
    BOOL CreateSheets()
    {
        auto* pTabWnd = new CGXTabWnd;
        if (!pTabWnd->Create(this, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, AFX_IDW_PANE_FIRST))
            return FALSE;
        const std::pair<CGXGridWnd*, LPCTSTR> sheets[] = {
            {&m_grid, _T("Controls")}, {&m_spans, _T("Spans")}, {&m_features, _T("Features")}};
        UINT nId = CGXTabWnd::idFirstSheet;
        for (const auto& [pGrid, pszName] : sheets)
        {
            if (!pGrid->Create(_T("GXWND"), nullptr, dwGridStyle, CRect(0, 0, 0, 0), pTabWnd, nId++))
                return FALSE;
            pGrid->Initialize();
        }
        m_grid.Fill();
        m_spans.Fill();
        m_features.Fill();
        for (const auto& [pGrid, pszName] : sheets)
            pTabWnd->AttachWnd(pGrid, pszName);
        pTabWnd->ActivateSheet(&m_spans);
        return TRUE;
    }
    void OnTimer(UINT_PTR nIDEvent)
    {
        KillTimer(nIDEvent);
        if (nIDEvent == nFillTimer)
            m_work.DragFill();
        else
            m_grid.ShowTip();
    }
    void OnSize(UINT nType, int cx, int cy)
    {
        CFrameWnd::OnSize(nType, cx, cy);
        if (!m_bReload || m_reloaded.m_hWnd == nullptr)
            return;
        CRect client;
        GetClientRect(&client);
        const int nHalf = client.Height() / 2;
        GetDlgItem(idFirstGrid)->MoveWindow(0, 0, client.Width(), nHalf - 2);
        m_reloaded.MoveWindow(0, nHalf + 2, client.Width(), client.Height() - nHalf - 2);
    }
    DECLARE_MESSAGE_MAP()

private:
    static constexpr UINT idFirstGrid = 1;
    static constexpr DWORD dwGridStyle = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
    Page m_page;
    BOOL m_bReload;
    CGXGridWnd m_reloaded;
    CDemoGrid m_grid;
    CSpansGrid m_spans;
    CFeaturesGrid m_features;
    CWorkGrid m_work;
};

BEGIN_MESSAGE_MAP(CDemoFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_TIMER()
ON_WM_SIZE()
END_MESSAGE_MAP()

class CDemoApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        GXInitLibraryDefault();
        const CString strPage = CString(m_lpCmdLine).Trim();
        auto* pFrame = new CDemoFrame(strPage == _T("spans")      ? CDemoFrame::spansPage
                                      : strPage == _T("features") ? CDemoFrame::featuresPage
                                      : strPage == _T("tabs")     ? CDemoFrame::tabsPage
                                      : strPage == _T("find")     ? CDemoFrame::findPage
                                      : strPage == _T("fill")     ? CDemoFrame::fillPage
                                                                  : CDemoFrame::mainPage);
        m_pMainWnd = pFrame;
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        const CString strCommand(m_lpCmdLine);
        if (strCommand.Find(_T("dropdown")) >= 0)
            pFrame->Grid().OpenList(nComboRow, 1);
        else if (strCommand.Find(_T("checklist")) >= 0)
            pFrame->Grid().OpenList(nComboRow, 6);
        else if (strCommand.Find(_T("tabbed")) >= 0)
            pFrame->Grid().OpenList(nMaskRow, 1);
        else if (strPage == _T("find"))
            pFrame->Work().ShowFind();
        else
            pFrame->EditAmount(strCommand.Find(_T("calculator")) >= 0);
        // The drag starts once the start's paints are over: a paint takes the frame away.
        if (strPage == _T("fill"))
            pFrame->SetTimer(nFillTimer, 1500, nullptr);
        // The pointer comes to rest once the start's focus changes, which hide tips, are over.
        if (strCommand.Find(_T("tip")) >= 0)
            pFrame->SetTimer(nTipTimer, 1500, nullptr);
        return TRUE;
    }
};

CDemoApp theApp;
} // namespace
