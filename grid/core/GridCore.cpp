#include <grid/core/GridCore.h>

#include <grid/controls/CellTipWnd.h>
#include <grid/controls/Control.h>
#include <grid/core/AbstractImps.h>
#include <grid/core/AppData.h>
#include <grid/core/Data.h>
#include <grid/core/GridInit.h>
#include <grid/core/GridParam.h>
#include <grid/core/PluginComponent.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <toolkit/foundation/ScopedValue.h>

#include <algorithm>

CGXGridCore::CGXGridCore(CWnd* pGridWnd, CDocument* pGridDoc, void* pContext)
    : m_FindStates(10), m_PluginComponents(10), m_pAppData(GXGetAppDataPtr()), m_pGridWnd(pGridWnd),
      m_pGridDoc(pGridDoc), m_pContext(pContext), m_nDefaultType(m_pAppData->m_nDefaultType),
      m_pDataClass(RUNTIME_CLASS(CGXData)), m_cxBorder(::GetSystemMetrics(SM_CXBORDER)),
      m_cyBorder(::GetSystemMetrics(SM_CYBORDER)), m_cxFrame(::GetSystemMetrics(SM_CXFRAME)),
      m_cyFrame(::GetSystemMetrics(SM_CYFRAME)), m_hcurArrow(::LoadCursorW(nullptr, IDC_ARROW)), m_StyleCache(10),
      m_StylesToDelete(10)
{
    if (m_pAppData->m_pControlFactory != nullptr)
        m_pAppData->m_pControlFactory->InitializeGridComponents(this);
}

CGXGridCore::~CGXGridCore()
{
    // Also for a grid whose window class does not pass its destruction on.
    ReleaseWindowCompanions();
    DeleteControls();
    ResetGridCaches();
    if (m_bOwnParam)
        delete m_pParam;
    m_pParam = nullptr;
    m_nLastControlId = 0;
    m_pLastControl = nullptr;

    FreeObjectCache();
    ReleaseClientDC();
    for (CGXStyle* pStyle : m_FreeStyles)
        delete pStyle;
    delete m_pStyleValue;
    delete m_pStyleStored;
    delete m_pCurrentCellStyle;
    m_pAppData->UnregisterGrid(this);

    delete m_pPrintImp;
    delete m_pSortImp;
    delete m_pOldDrawingImp;
    delete m_pCoveredCellsImp;
    delete m_pDrawSpannedCellsImp;
    delete m_pFloatCellsImp;
    delete m_pMergeCellsImp;
    delete m_pCommandFactory;
    delete m_pCalcSizeImp;
    delete m_pUpdateHintImp;
    delete m_pResizeToFitImp;
    delete m_pHideCellsImp;
    delete m_pFindReplaceImp;
    delete m_pUserSelectRangeImp;
    delete m_pExcelLikeFrameImp;
    delete m_pExcelLikeFillImp;
    delete m_pUserDragSelectRangeImp;
    delete m_pMoveRowsColsImp;
    delete m_pUserResizeCellsImp;
    delete m_pOptimizedUpdateImp;
    delete m_pMarkEditHeaderImp;
    delete m_pFreezeMenuHelperImp;
    delete m_pDirectCopyMoveCellsImp;
    delete m_pTextDataExchangeImp;
    delete m_pStyleDataExchangeImp;
    delete m_pCutPasteImp;
    delete m_pClearCellsImp;
    for (CGXAbstractSpareImp* pImp : m_apSpareImp)
        delete pImp;
    delete m_pAutoScrollPlugin;
}

void CGXGridCore::SetGridWnd(CWnd* pWnd, CDocument* pDoc, void* pContext)
{
    ASSERT(pWnd != nullptr);
    m_pGridWnd = pWnd;
    m_pGridDoc = pDoc;
    m_pContext = pContext;
}

CGXStylesMap* CGXGridCore::GetStylesMap() const
{
    return m_pParam != nullptr ? m_pParam->m_pStylesMap : nullptr;
}

CGXProperties* CGXGridCore::GetProperties() const
{
    return m_pParam != nullptr ? m_pParam->m_pProperties : nullptr;
}

CGXData* CGXGridCore::GetData() const
{
    return m_pParam != nullptr ? m_pParam->m_pData : nullptr;
}

void CGXGridCore::DeleteControls()
{
    for (POSITION pos = m_ControlMap.GetStartPosition(); pos != nullptr;)
    {
        WORD nId;
        CGXControl* pControl;
        m_ControlMap.GetNextAssoc(pos, nId, pControl);
        delete pControl;
    }
    m_ControlMap.RemoveAll();
    m_pDefaultControl = nullptr;
    m_pCurrentControl = nullptr;
}

void CGXGridCore::CreateScratchStyles()
{
    if (m_pStyleValue == nullptr)
        m_pStyleValue = CreateStyle();
    if (m_pStyleStored == nullptr)
        m_pStyleStored = CreateStyle();
    m_pStyleClass = m_pStyleValue->GetRuntimeClass();
    if (m_pCurrentCellStyle == nullptr)
        m_pCurrentCellStyle = CreateStyle();
}

void CGXGridCore::OnGridInitialUpdate()
{
    if (!GXIsWndClassRegistered(::GetModuleHandleW(nullptr), L"GXWND"))
        AfxThrowNotSupportedException();

    AttachPluginComponents();
    // The cell tips need the window: their relay follows the features the factory installed.
    CGXCellTipRelay::Install(this);
    CreateScratchStyles();
    if (m_pParam == nullptr)
        SetParam(nullptr, TRUE);
    CreateParamObjects();
    // An object no grid has shown yet (a loaded one) brings no spans worth trusting: those the
    // immediate modes keep are worked out here, for the whole table.
    if (!m_pParam->m_bInitDone)
    {
        const CGXRange table(0, 0, GetRowCount(), GetColCount());
        if ((m_pParam->m_wMergeCellsMode & 3) == 2 && m_pMergeCellsImp != nullptr)
            m_pMergeCellsImp->EvalMergeCells(this, table, nullptr);
        if (m_pParam->m_wFloatCellsMode == 2 && m_pFloatCellsImp != nullptr)
            m_pFloatCellsImp->EvalFloatCells(this, table, nullptr);
    }

    m_pParam->m_bInitDone = TRUE;
    m_nZoom = m_pParam->m_pProperties->m_nZoom;
    UpdateFontUnits();
    m_bInitDone = TRUE;
    m_bMouseReady = TRUE;
    m_bHintsEnabled = m_pGridDoc != nullptr;
    m_nPrintRowCount = std::max(m_nPrintRowCount, GetRowCount() + 1);
    m_nPrintColCount = std::max(m_nPrintColCount, GetColCount() + 1);
    if (m_pAppData->m_pGridInitImp != nullptr)
        m_pAppData->m_pGridInitImp->OnGridInit(GridWnd(), m_pParam->m_strName, !m_pParam->m_strName.IsEmpty());
    // A named grid names its sheet tab; an unnamed one takes the tab's name.
    if (m_pAppData->m_pTabWndInterface != nullptr)
        m_pAppData->m_pTabWndInterface->ExchangeTabName(GridWnd(), m_pParam->m_strName,
                                                        m_pParam->m_strName.IsEmpty() ? 0 : 1);

    if (m_pParam->m_bRestoreCell && m_pParam->m_nRestoreRow <= GetRowCount() &&
        m_pParam->m_nRestoreCol <= GetColCount())
        SetCurrentCell(m_pParam->m_nRestoreRow, m_pParam->m_nRestoreCol, 0);
    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
}

// Properties, styles map, default control and data object: made only where the parameter
// object has none, so that grids sharing it find each other's.
void CGXGridCore::CreateParamObjects()
{
    m_pAppData->RegisterGrid(m_pParam, this);
    ResetGridCaches();

    if (m_pParam->m_pProperties == nullptr)
    {
        auto* pProperties = new CGXProperties;
        pProperties->AddDefaultUserProperties();
        if (m_pAppData->m_pGridProfileImp != nullptr)
            pProperties->ReadProfile();
        m_pParam->m_pProperties = pProperties;
        m_pParam->m_bOwnProperties = TRUE;
    }
    m_pAppData->RegisterGrid(m_pParam->m_pProperties, this);

    if (m_pParam->m_pStylesMap == nullptr)
    {
        auto* pStylesMap = new CGXStylesMap(m_pStyleClass);
        pStylesMap->CreateStandardStyles();
        // The profile holds the base styles' user attributes under their ids: the map must know
        // them before it reads.
        if (m_pAppData->m_pControlFactory != nullptr)
            m_pAppData->m_pControlFactory->RegisterAllUserAttributes(pStylesMap);
        if (m_pAppData->m_pGridProfileImp != nullptr)
            pStylesMap->ReadProfile();
        m_pParam->m_pStylesMap = pStylesMap;
        m_pParam->m_bOwnStylesMap = TRUE;
    }
    m_pAppData->RegisterGrid(m_pParam->m_pStylesMap, this);

    m_pStyleStandard = m_pStyleRowHeader = m_pStyleColHeader = nullptr;
    CGXStylesMap* pStylesMap = m_pParam->m_pStylesMap;
    pStylesMap->LookupStyle(pStylesMap->m_wStyleStandard, m_pStyleStandard);
    pStylesMap->LookupStyle(pStylesMap->m_wStyleRowHeader, m_pStyleRowHeader);
    pStylesMap->LookupStyle(pStylesMap->m_wStyleColHeader, m_pStyleColHeader);

    if (m_pAppData->m_pControlFactory != nullptr && m_pStyleStandard != nullptr)
        if (CGXControl* pControl = m_pAppData->m_pControlFactory->CreateControl(m_pStyleStandard->GetControl(), this))
            RegisterControl(m_pStyleStandard->GetControl(), pControl, TRUE, FALSE);

    if (m_pParam->m_pData == nullptr)
    {
        auto* pData = static_cast<CGXData*>(m_pDataClass->CreateObject());
        if (pData == nullptr)
            AfxThrowMemoryException();
        m_pParam->m_pData = pData;
        m_pParam->m_bOwnData = TRUE;
        pData->InitParam(m_pParam);
    }
    m_pAppData->RegisterGrid(m_pParam->m_pData, this);
}

void CGXGridCore::SetParam(CGXGridParam* pParam, BOOL bOwn)
{
    if (pParam == nullptr)
        pParam = new CGXGridParam;
    if (m_bOwnParam && m_pParam != pParam)
        delete m_pParam;
    m_pParam = pParam;
    m_bOwnParam = bOwn;
}

void CGXGridCore::RegisterControl(WORD nControlId, CGXControl* pControl, BOOL bDefault, BOOL bRegisterName)
{
    ASSERT(pControl != nullptr);
    CGXControl* pOld;
    if (m_ControlMap.Lookup(nControlId, pOld) && pOld != pControl)
    {
        if (m_pLastControl == pOld)
        {
            m_nLastControlId = 0;
            m_pLastControl = nullptr;
        }
        if (m_pDefaultControl == pOld)
            m_pDefaultControl = nullptr;
        if (m_pCurrentControl == pOld)
            m_pCurrentControl = nullptr;
        delete pOld;
    }
    m_ControlMap.SetAt(nControlId, pControl);
    if (bRegisterName && GetStylesMap() != nullptr)
        GetStylesMap()->RegisterControl(nControlId);
    if (bDefault || m_pDefaultControl == nullptr)
        m_pDefaultControl = pControl;
}

CGXControl* CGXGridCore::GetRegisteredControl(WORD nControlId)
{
    if (nControlId == 0)
        return m_pDefaultControl;
    if (m_pLastControl != nullptr && nControlId == m_nLastControlId)
        return m_pLastControl;

    CGXControl* pControl = nullptr;
    if (!m_ControlMap.Lookup(nControlId, pControl))
    {
        pControl = nullptr;
        if (m_pAppData->m_pControlFactory != nullptr)
            pControl = m_pAppData->m_pControlFactory->CreateControl(nControlId, this);
        if (pControl != nullptr)
            RegisterControl(nControlId, pControl, FALSE, FALSE);
    }
    if (pControl == nullptr)
        return m_pDefaultControl;
    m_nLastControlId = nControlId;
    m_pLastControl = pControl;
    return pControl;
}

CGXControl* CGXGridCore::GetControl(ROWCOL nRow, ROWCOL nCol)
{
    return GetRegisteredControl(GetComposedStyle(nRow, nCol)->GetControl());
}

CGXStyle* CGXGridCore::GetStandardStyle()
{
    CGXStylesMap* pStylesMap = GetStylesMap();
    if (pStylesMap == nullptr)
        AfxThrowNotSupportedException();
    if (m_pStyleStandard == nullptr && !pStylesMap->LookupStyle(pStylesMap->m_wStyleStandard, m_pStyleStandard))
        AfxThrowNotSupportedException();
    return m_pStyleStandard;
}

CGXStyle* CGXGridCore::GetBaseStyle(WORD nBaseStyleId)
{
    CGXStyle* pStyle = nullptr;
    CGXStylesMap* pStylesMap = GetStylesMap();
    if (pStylesMap == nullptr || !pStylesMap->LookupStyle(nBaseStyleId, pStyle))
        AfxThrowNotSupportedException();
    return pStyle;
}

CWnd* CGXGridCore::GetRegisteredParent()
{
    const CPtrList& classes = m_pAppData->GetParentWndClasses();
    for (POSITION pos = classes.GetHeadPosition(); pos != nullptr;)
        if (CWnd* pParent = GXGetParentOfKind(m_pGridWnd, static_cast<CRuntimeClass*>(classes.GetNext(pos)), TRUE))
            return pParent;
    return nullptr;
}

CRect* CGXGridCore::GetGridRect(CRect* pRect)
{
    if (m_bPrinting)
        *pRect = m_rectPrint;
    else if (m_bGridRectOverride)
        *pRect = m_rectGridOverride;
    else if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        m_pGridWnd->GetClientRect(pRect);
    else
        pRect->SetRectEmpty();
    if (pRect->right < pRect->left || pRect->bottom < pRect->top)
        pRect->SetRectEmpty();
    return pRect;
}

void CGXGridCore::SetGridRectOverride(const CRect* pRect)
{
    m_bGridRectOverride = pRect != nullptr;
    if (pRect != nullptr)
        m_rectGridOverride = *pRect;
}

void CGXGridCore::SetPrinting(BOOL bPrint, BOOL bClientToDevice)
{
    if (bPrint && !m_bPrinting && IsActiveCurrentCell())
    {
        TransferCurrentCell();
        GetCurrentCellControl()->SetActive(FALSE);
    }
    if (bClientToDevice)
    {
        // The rectangle that the window shows, measured before the switch so that a failure
        // leaves the grid as it was.
        const tarnwick::foundation::SECScopedValue<BOOL> onScreen(m_bPrinting, FALSE);
        GetGridRect(&m_rectPrint);
    }
    m_bPrinting = bPrint;
    if (bClientToDevice)
    {
        m_nPrintRowUnit = m_nRowUnit;
        m_nPrintColUnit = m_nColUnit;
        m_nPrintRowCount = GetRowCount() + 1;
        m_nPrintColCount = GetColCount() + 1;
    }
    if (GetProperties() != nullptr)
        GetProperties()->m_awSettings[0] = static_cast<WORD>(bPrint);
}

BOOL CGXGridCore::GetParamSetting()
{
    return m_pParam != nullptr && m_pParam->m_bReadOnly;
}

BOOL CGXGridCore::StoreParamSetting(BOOL bSetting)
{
    if (m_pParam != nullptr)
        m_pParam->m_bReadOnly = bSetting;
    return TRUE;
}

void CGXGridCore::SetParamSetting(BOOL bSetting)
{
    const BOOL bOld = GetParamSetting();
    if (StoreParamSetting(bSetting))
        OnParamSettingChanged(bOld, TRUE);
}

void CGXGridCore::OnParamSettingChanged(BOOL bOldSetting, BOOL bNotify)
{
    if (IsActiveCurrentCell())
    {
        GetCurrentCellControl()->RefreshCell();
        GetCurrentCellControl()->Init(m_nCurrentRow, m_nCurrentCol);
    }
    if (CGXAbstractGridUpdateHintImp* pHints = HintSender(bNotify))
        pHints->HintParamSettingChanged(this, static_cast<DWORD>(bOldSetting));
}

void CGXGridCore::AddFindState(void* pState)
{
    m_FindStates.AddHead(pState);
}

int CGXGridCore::SwapValue(int nValue)
{
    const int nOld = m_nSwapValue;
    m_nSwapValue = nValue;
    return nOld;
}

BOOL CGXGridCore::ShowScrollBar(int nBar, BOOL bShow)
{
    return m_pGridWnd != nullptr && ::ShowScrollBar(m_pGridWnd->GetSafeHwnd(), nBar, bShow);
}

void CGXGridCore::ResetGridCaches()
{
    m_nLastControlId = 0;
    m_pLastControl = nullptr;
    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
    FreeObjectCache();
}

void CGXGridCore::SetExcelLikeFillImp(CGXAbstractGridExcelLikeFillImp* pImp)
{
    if (m_pExcelLikeFillImp != pImp)
        delete m_pExcelLikeFillImp;
    m_pExcelLikeFillImp = pImp;
}

ROWCOL CGXGridCore::GetRowCount()
{
    return GetData() != nullptr ? GetData()->GetRowCount() : 0;
}

ROWCOL CGXGridCore::GetColCount()
{
    return GetData() != nullptr ? GetData()->GetColCount() : 0;
}

ROWCOL CGXGridCore::GetHeaderRows()
{
    return m_pParam != nullptr ? m_pParam->m_nHeaderRows : 0;
}

ROWCOL CGXGridCore::GetHeaderCols()
{
    return m_pParam != nullptr ? m_pParam->m_nHeaderCols : 0;
}

ROWCOL CGXGridCore::GetFrozenRows()
{
    return m_pParam != nullptr ? m_pParam->m_nFrozenRows : 0;
}

ROWCOL CGXGridCore::GetFrozenCols()
{
    return m_pParam != nullptr ? m_pParam->m_nFrozenCols : 0;
}

BOOL CGXGridCore::IsReadOnly()
{
    return m_pParam != nullptr && m_pParam->m_bReadOnly;
}

BOOL CGXGridCore::IsChangeLocked()
{
    return m_pParam != nullptr && m_pParam->m_bLockReadOnly && GetParamSetting();
}

BOOL CGXGridCore::GetCurrentCell(ROWCOL* pRow, ROWCOL* pCol, BOOL bAlsoWhilePrinting)
{
    if (pRow != nullptr)
        *pRow = m_nCurrentRow;
    if (pCol != nullptr)
        *pCol = m_nCurrentCol;
    if (!m_bCurrentCell)
        return FALSE;
    // Rows or columns removed under the cell took it with them.
    if (m_nCurrentRow > GetRowCount() || m_nCurrentCol > GetColCount())
        m_bCurrentCell = FALSE;
    // A printed page shows no current cell.
    return m_bCurrentCell && (bAlsoWhilePrinting || !m_bPrinting);
}

BOOL CGXGridCore::IsCurrentCell(ROWCOL nRow, ROWCOL nCol, BOOL bAlsoWhilePrinting)
{
    // Asked for every painted cell: the cheap comparisons go first.
    if (!m_bCurrentCell || (nRow != GX_INVALID && nRow != m_nCurrentRow) ||
        (nCol != GX_INVALID && nCol != m_nCurrentCol))
        return FALSE;
    return GetCurrentCell(nullptr, nullptr, bAlsoWhilePrinting);
}

void CGXGridCore::SetCurrentCellPosition(BOOL bValid, ROWCOL nRow, ROWCOL nCol)
{
    // A control cached for another cell (a value stored while leaving it composes the old
    // cell's style) must not be taken for the new cell's.
    if (!bValid || !m_bCurrentCell || nRow != m_nCurrentRow || nCol != m_nCurrentCol)
        m_pCurrentControl = nullptr;
    m_bCurrentCell = bValid;
    // The position outlives the current cell: the next key move starts from it.
    if (bValid)
    {
        m_nCurrentRow = nRow;
        m_nCurrentCol = nCol;
    }
    if (m_pCurrentCellStyle != nullptr)
        m_pCurrentCellStyle->Free();
}

CGXControl* CGXGridCore::GetCurrentCellControl()
{
    if (!m_bCurrentCell)
        return nullptr;
    if (m_pCurrentControl == nullptr)
        GetComposedStyle(m_nCurrentRow, m_nCurrentCol);
    return m_pCurrentControl;
}

BOOL CGXGridCore::IsActiveCurrentCell()
{
    CGXControl* pControl = m_bPrinting ? nullptr : GetCurrentCellControl();
    return pControl != nullptr && pControl->IsActive();
}

BOOL CGXGridCore::GetParamOption()
{
    return m_pParam != nullptr ? m_pParam->GetOption() : 1;
}

void CGXGridCore::SetSizeLock(BOOL bLock)
{
    m_bSizeLock = bLock;
    if (!bLock && m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        m_pGridWnd->Invalidate();
}
