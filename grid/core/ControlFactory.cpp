#include <grid/core/ControlFactory.h>

#include <grid/controls/CheckBox.h>
#include <grid/controls/CheckBoxEx.h>
#include <grid/controls/CheckListComboBox.h>
#include <grid/controls/ComboBox.h>
#include <grid/controls/ComboBoxWnd.h>
#include <grid/controls/TabbedComboBoxWnd.h>
#include <grid/controls/Control.h>
#include <grid/controls/CurrencyEdit.h>
#include <grid/controls/DateTimeCtrl.h>
#include <grid/controls/EditControl.h>
#include <grid/controls/Header.h>
#include <grid/controls/HotSpotEdit.h>
#include <grid/controls/ListBox.h>
#include <grid/controls/MaskControl.h>
#include <grid/controls/PasswordControl.h>
#include <grid/controls/ProgressCtrl.h>
#include <grid/controls/PushButton.h>
#include <grid/controls/RadioButton.h>
#include <grid/controls/RadioButtonEx.h>
#include <grid/controls/SpinEdit.h>
#include <grid/controls/Static.h>
#include <grid/controls/VScrollEdit.h>
#include <grid/core/AppData.h>
#include <grid/core/AutoScrollPlugin.h>
#include <grid/core/CoveredCellPool.h>
#include <grid/core/DelayedRangePool.h>
#include <grid/core/GridCoveredCellsImp.h>
#include <grid/core/GridCutPasteImp.h>
#include <grid/core/GridExcelLikeFrameImp.h>
#include <grid/core/GridFloatCellsImp.h>
#include <grid/core/GridDocSerializeImp.h>
#include <grid/core/GridFreezeMenuHelperImp.h>
#include <grid/core/GridHideCellsImp.h>
#include <grid/core/GridMarkEditHeaderImp.h>
#include <grid/core/GridMergeCellsImp.h>
#include <grid/core/GridOldDrawingImp.h>
#include <grid/core/GridOptimizedUpdateImp.h>
#include <grid/core/GridParamCopyOperatorImp.h>
#include <grid/core/GridParam.h>
#include <grid/core/GridProfileImp.h>
#include <grid/core/GridStyleDataExchangeImp.h>
#include <grid/core/GridTextDataExchangeImp.h>
#include <grid/core/GridUserDragSelectRangeImp.h>
#include <grid/core/GridUserResizeCellsImp.h>
#include <grid/core/GridUserSelectRangeImp.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridWnd.h>
#include <grid/core/DataCopyMoveCellsImp.h>
#include <grid/core/DrawRotatedTextImp.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/NoOleDateTimeImp.h>
#include <grid/core/NumberFormattingImp.h>
#include <grid/core/OleDateTimeImp.h>
#include <grid/core/StyleCompareSubsetImp.h>
#include <grid/core/StyleSerializeImp.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/SpanCellPool.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>

#include <algorithm>
#include <iterator>

namespace
{
constexpr WORD idsTooltipText = 51022;
constexpr WORD idMfcDropDownList = 52529;
constexpr UINT idsEllipsisChoices = 20126;

using ControlCreator = CGXControl* (*)(CGXGridCore* pGrid);

// What each id makes and whether the control gets a cell tip. A row without a creator makes
// nothing until its control is part of the grid.
struct ControlEntry
{
    WORD nId;
    ControlCreator pfnCreate;
    BOOL bCellTip;
};

const ControlEntry controlTable[] = {
    {52512, CGXEditControl::Create, TRUE},
    {52513, CGXStatic::Create, TRUE},
    {52514, CGXPushbutton::Create, TRUE},
    {52515, CGXRadioButton::CreateFlat, FALSE},
    {52516, CGXCheckBox::CreateFlat, FALSE},
    {52517, CGXComboBox::Create<52517, 0x02>, TRUE},
    {52518, CGXHotSpotEdit::Create, TRUE},
    {52519, CGXSpinEdit::Create, TRUE},
    {52520, CGXHeader::Create, TRUE},
    {52521, CGXVScrollEdit::Create, FALSE},
    {52522, CGXListBox::Create, TRUE},
    {52523, CGXCheckBox::Create3d, FALSE},
    {52524, CGXRadioButton::Create3d, FALSE},
    {52525, CGXComboBox::Create<52525, 0x04>, TRUE},
    {52526, CGXComboBox::Create<52526, 0x08>, TRUE},
    {52527, CGXComboBox::Create<52527, 0x01>, TRUE},
    {52528, CGXComboBoxWnd::Create<52528, 0x200042>, FALSE},
    {52529, CGXComboBoxWnd::Create<52529, 0x200003>, FALSE},
    {52531, CGXComboBox::Create<52531, 0x18>, TRUE},
    {52532, CGXComboBox::Create<52532, 0x14>, TRUE},
    {52534, nullptr, FALSE},
    {52535, CGXMaskControl::Create, TRUE},
    {52536, CGXProgressCtrl::Create, FALSE},
    {52537, CGXPasswordControl::Create, TRUE},
    {52539, CGXTabbedComboBoxWnd::Create<52539, CBS_DROPDOWN>, FALSE},
    {52540, CGXTabbedComboBoxWnd::Create<52540, CBS_DROPDOWNLIST>, FALSE},
    {52541, nullptr, TRUE},
    {52542, CGXCheckListComboBox::Create<52542>, TRUE},
    {52543, CGXDateTimeCtrl::CreateWithCalendar, TRUE},
    {52544, CGXDateTimeCtrl::CreateWithoutCalendar, TRUE},
    {52545, CGXCurrencyEdit::Create, TRUE},
    {20130, CGXCheckBoxEx::CreateFlat, FALSE},
    {20131, CGXCheckBoxEx::Create3d, FALSE},
    {20136, CGXRadioButtonEx::Create3d, FALSE},
    {20137, CGXRadioButtonEx::CreateFlat, FALSE},
};

const ControlEntry* FindControlEntry(UINT nId)
{
    // On a 16-bit host the tabbed window controls are tabbed drop-downs.
    if (GXGetAppDataPtr()->m_bWin32s && (nId == 52539 || nId == 52540))
        nId = 52541;
    const auto it = std::find_if(std::begin(controlTable), std::end(controlTable),
                                 [nId](const ControlEntry& entry) { return entry.nId == nId; });
    return it != std::end(controlTable) ? it : FindControlEntry(idEditControl);
}
} // namespace

const WORD CGXControlFactory::s_anControlIds[35] = {
    52512, 52520, 52527, 52517, 52526, 52525, 52531, 52532, 52528, 52529, 52522, 52513,
    52514, 52515, 52524, 52516, 52523, 20130, 20131, 20137, 20136, 52535, 52536, 52537,
    52539, 52540, 52541, 52534, 52542, 52519, 52518, 52521, 52543, 52544, 52545,
};

CGXControl* CGXControlFactory::CreateControl(UINT nId, CGXGridCore* pGrid)
{
    const ControlEntry* pEntry = FindControlEntry(nId);
    CGXControl* pControl = pEntry->pfnCreate != nullptr ? pEntry->pfnCreate(pGrid) : nullptr;
    if (pControl != nullptr && pEntry->bCellTip)
        pControl->EnsureCellTip();
    return pControl;
}

void CGXControlFactory::RegisterAllControls(CGXStylesMap* pStylesMap)
{
    for (WORD nId : s_anControlIds)
        pStylesMap->RegisterControl(nId);
}

void CGXControlFactory::RegisterAllUserAttributes(CGXStylesMap* pStylesMap)
{
    CGXControl::RegisterUserAttributes(pStylesMap);
    CGXSpinEdit::RegisterUserAttributes(pStylesMap);
    CGXCheckBox::RegisterUserAttributes(pStylesMap);
    CGXRadioButtonEx::RegisterUserAttributes(pStylesMap);
    CGXMaskControl::RegisterUserAttributes(pStylesMap);
    CGXProgressCtrl::RegisterUserAttributes(pStylesMap);
    CGXTabbedComboBoxWnd::RegisterUserAttributes(pStylesMap);
    CGXDateTimeCtrl::RegisterUserAttributes(pStylesMap);

    CGXStyle tooltip;
    tooltip.SetWrapText(TRUE).SetAutoSize(TRUE);
    pStylesMap->AddUserAttribute(idsTooltipText, &tooltip);

    CGXStyle ellipsis;
    ellipsis.SetControl(idMfcDropDownList).SetChoiceList(GXLoadResourceString(idsEllipsisChoices));
    pStylesMap->AddUserAttribute(idsEllipsisType, &ellipsis);

    CGXCurrencyEdit::RegisterUserAttributes(pStylesMap);
}

void CGXControlFactory::InitializeGridComponents(CGXGridCore* pGrid)
{
    // The per-grid features join here, in their order, as they become part of the grid.
    GXInstallImp<CGXGridHideCellsImp>(pGrid->m_pHideCellsImp);
    if (pGrid->m_pAutoScrollPlugin == nullptr)
    {
        pGrid->m_pAutoScrollPlugin = new CGXAutoScrollPlugin(pGrid);
        pGrid->m_PluginComponents.AddTail(pGrid->m_pAutoScrollPlugin);
    }
    pGrid->InstallResizeToFitImp();
    pGrid->InstallCommandFactory();
    GXInstallImp<CGXGridOldDrawingImp>(pGrid->m_pOldDrawingImp);
    if (pGrid->m_pCoveredCellsImp == nullptr)
    {
        pGrid->m_pCoveredCellsImp = new CGXGridCoveredCellsImp;
        GXInstallCoveredCellPoolImp();
        pGrid->ImplementDrawSpannedCells();
        if (CGXGridParam* pParam = pGrid->GetParam())
            pParam->EnsureCoveredCellsPool();
    }
    if (pGrid->m_pMergeCellsImp == nullptr)
    {
        pGrid->m_pMergeCellsImp = new CGXGridMergeCellsImp;
        GXInstallStyleCompareSubsetImp();
        pGrid->ImplementDrawSpannedCells();
        GXInstallSpanCellPoolImp();
        GXInstallDelayedRangePoolImp();
    }
    if (pGrid->m_pFloatCellsImp == nullptr)
    {
        pGrid->m_pFloatCellsImp = new CGXGridFloatCellsImp;
        GXInstallSpanCellPoolImp();
        GXInstallDelayedRangePoolImp();
        pGrid->ImplementDrawSpannedCells();
        pGrid->ImplementCalcSize();
    }
    GXInstallImp<CGXGridUserSelectRangeImp>(pGrid->m_pUserSelectRangeImp);
    GXInstallImp<CGXGridExcelLikeFrameImp>(pGrid->m_pExcelLikeFrameImp);
    GXInstallImp<CGXGridUserDragSelectRangeImp>(pGrid->m_pUserDragSelectRangeImp);
    pGrid->ImplementMoveRowsCols();
    GXInstallImp<CGXGridUserResizeCellsImp>(pGrid->m_pUserResizeCellsImp);
    GXInstallImp<CGXGridOptimizedUpdateImp>(pGrid->m_pOptimizedUpdateImp);
    GXInstallImp<CGXGridMarkEditHeaderImp>(pGrid->m_pMarkEditHeaderImp);
    GXInstallImp<CGXGridFreezeMenuHelperImp>(pGrid->m_pFreezeMenuHelperImp);
    pGrid->InstallDirectCopyMoveCellsImp();
    GXInstallImp<CGXGridTextDataExchangeImp>(pGrid->m_pTextDataExchangeImp);
    GXInstallImp<CGXGridStyleDataExchangeImp>(pGrid->m_pStyleDataExchangeImp);
    GXInstallImp<CGXGridCutPasteImp>(pGrid->m_pCutPasteImp);
}

void CGXControlFactory::InitializeApplicationComponents()
{
    GXInstallStyleCompareSubsetImp();
    GXInstallStyleSerializeImp();
    GXInstallSerializeTW5CompatibleImp();
    GXInstallGridProfileImp();
    GXInstallGridDocSerializeImp();
    GXInstallGridParamCopyOperatorImp();
    GXInstallImp<CGXDrawRotatedTextImp>(GXGetAppDataPtr()->m_pDrawRotatedTextImp);
    GXInstallImp<CGXNumberFormattingImp>(GXGetAppDataPtr()->m_pNumberFormattingImp);
    GXInstallImp<CGXOleDateTimeImp>(GXGetAppDataPtr()->m_pDateTimeImp);
    GXInstallNoOleDateTimeImp();
    GXInstallDataCopyMoveCellsImp();
    GXInstallImp<CGXLongOperationImp>(GXGetAppDataPtr()->m_pLongOperationImp);
    GXInstallCoveredCellPoolImp();
    GXInstallSpanCellPoolImp();
    GXInstallDelayedRangePoolImp();
}

void CGXControlFactory::RegisterWndClasses(HINSTANCE hInstance)
{
    CGXGridWnd::RegisterClass(hInstance);
}

void CGXControlFactory::UnregisterWndClasses(HINSTANCE hInstance)
{
    CGXGridWnd::UnregisterClass(hInstance);
}
