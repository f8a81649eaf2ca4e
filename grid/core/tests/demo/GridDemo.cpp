// A frame whose view is a grid window: header cells with the selected rows' headers pressed,
// grid lines, text cells drawn by the static and the edit control, two-place number cells,
// dates in date-time cells, 3-d check boxes, currency amounts, a selected range and the current
// cell on an amount, edited in its currency window with the drop button; with the argument
// "calculator" the popup calculator is open under it.
#include <afxwin.h>

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
constexpr int nNumberFormatFixed = 2;

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
        const LPCTSTR titles[] = {_T("System"), _T("Host"), _T("Response ms"), _T("Load %"), _T("Monitored"),
                                  _T("Installed"), _T("Budget")};
        for (ROWCOL nCol = 1; nCol <= 7; ++nCol)
            SetValueRange(CGXRange(0, nCol), titles[nCol - 1]);

        CGXStyle check;
        check.SetControl(idCheckBox3d).SetChoiceList(_T("active"));
        CGXStyle currency;
        currency.SetControl(idCurrencyEdit).SetHorizontalAlignment(DT_RIGHT).SetUserAttribute(idsCurrencyAttributes, _T("11 1"));
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
        SetStyleRangeShort(CGXRange(3, 7), CGXStyle()
                                               .SetUserAttribute(idsCurrencySeparators, _T(".,"))
                                               .SetUserAttribute(idsCurrencySymbol, _T("0")));
        SetStyleRangeShort(CGXRange(4, 7), CGXStyle()
                                               .SetUserAttribute(idsCurrencyAttributes, _T("11*1"))
                                               .SetUserAttribute(idsCurrencyIntegerDigits, _T("6")));
        SetStyleRangeShort(CGXRange().SetCols(2, 2), CGXStyle().SetControl(idEditControl));
        SetStyleRangeShort(CGXRange(2, 1, 2, 4), CGXStyle().SetInteriorColor(RGB(255, 255, 204)));

        GetParam()->m_SelRects.AddTail(new CGXRange(3, 2, 5, 3));
        GetParam()->SetCurrentCellFrame(TRUE);
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
};

class CDemoFrame : public CFrameWnd
{
public:
    CDemoFrame()
    {
        Create(nullptr, _T("Grid"), WS_OVERLAPPEDWINDOW, CRect(10, 40, 790, 360));
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

public:
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
        pFrame->m_grid.EditAmount(m_lpCmdLine != nullptr && _tcsstr(m_lpCmdLine, _T("calculator")) != nullptr);
        return TRUE;
    }
};

CDemoApp theApp;
} // namespace
