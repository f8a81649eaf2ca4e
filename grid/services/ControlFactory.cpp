#include <grid/services/ControlFactory.h>

#include <grid/controls/CheckBox.h>
#include <grid/controls/CheckBoxEx.h>
#include <grid/controls/CheckListComboBox.h>
#include <grid/controls/ComboBox.h>
#include <grid/controls/ComboBoxWnd.h>
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
#include <grid/controls/RichEditCtrl.h>
#include <grid/controls/SpinEdit.h>
#include <grid/controls/Static.h>
#include <grid/controls/TabbedComboBox.h>
#include <grid/controls/TabbedComboBoxWnd.h>
#include <grid/controls/VScrollEdit.h>
#include <grid/core/AppData.h>
#include <grid/core/CoveredCellPool.h>
#include <grid/core/DelayedRangePool.h>
#include <grid/core/DrawRotatedTextImp.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridHideCellsImp.h>
#include <grid/core/GridInit.h>
#include <grid/core/GridOldDrawingImp.h>
#include <grid/core/GridParam.h>
#include <grid/core/GridWnd.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/SpanCellPool.h>
#include <grid/core/Style.h>
#include <grid/core/StyleCompareSubsetImp.h>
#include <grid/core/StylesMap.h>
#include <grid/services/archive/GridDocSerializeImp.h>
#include <grid/services/archive/GridParamCopyOperatorImp.h>
#include <grid/services/archive/GridProfileImp.h>
#include <grid/services/archive/StyleSerializeImp.h>
#include <grid/services/cells/DataCopyMoveCellsImp.h>
#include <grid/services/cells/GridClearCellsImp.h>
#include <grid/services/find/GridFindReplaceImp.h>
#include <grid/services/format/NoOleDateTimeImp.h>
#include <grid/services/format/NumberFormattingImp.h>
#include <grid/services/format/OleDateTimeImp.h>
#include <grid/services/mouse/AutoScrollPlugin.h>
#include <grid/services/mouse/GridExcelLikeFillImp.h>
#include <grid/services/mouse/GridExcelLikeFrameImp.h>
#include <grid/services/mouse/GridUserDragSelectRangeImp.h>
#include <grid/services/mouse/GridUserResizeCellsImp.h>
#include <grid/services/mouse/GridUserSelectRangeImp.h>
#include <grid/services/print/PrintDeviceImp.h>
#include <grid/services/rowscols/GridFreezeMenuHelperImp.h>
#include <grid/services/sort/GridSortImp.h>
#include <grid/services/spans/GridCoveredCellsImp.h>
#include <grid/services/spans/GridFloatCellsImp.h>
#include <grid/services/spans/GridMergeCellsImp.h>
#include <grid/services/tabs/TabBeam.h>
#include <grid/services/tabs/TabWnd.h>
#include <grid/services/tabs/TabWndInterface.h>
#include <grid/services/views/GridMarkEditHeaderImp.h>
#include <grid/services/views/GridOptimizedUpdateImp.h>
#include <grid/services/views/GridUpdateHintImp.h>

#include <algorithm>
#include <iterator>

namespace
{

using ControlCreator = CGXControl* (*)(CGXGridCore* pGrid);

// What each id makes and whether the control gets a cell tip.
struct ControlEntry
{
    WORD nId;
    ControlCreator pfnCreate;
    BOOL bCellTip;
};

const ControlEntry controlTable[] = {
    {GX_IDS_CTRL_EDIT, CGXEditControl::Create, TRUE},
    {GX_IDS_CTRL_STATIC, CGXStatic::Create, TRUE},
    {GX_IDS_CTRL_PUSHBUTTON, CGXPushbutton::Create, TRUE},
    {GX_IDS_CTRL_RADIO, CGXRadioButton::CreateFlat, FALSE},
    {GX_IDS_CTRL_CHECKBOX, CGXCheckBox::CreateFlat, FALSE},
    {GX_IDS_CTRL_COMBO_NO_TEXT_FIT, CGXComboBox::Create<GX_IDS_CTRL_COMBO_NO_TEXT_FIT, 0x02>, TRUE},
    {GX_IDS_CTRL_HOTSPOT_EDIT, CGXHotSpotEdit::Create, TRUE},
    {GX_IDS_CTRL_SPIN_EDIT, CGXSpinEdit::Create, TRUE},
    {GX_IDS_CTRL_HEADER, CGXHeader::Create, TRUE},
    {GX_IDS_CTRL_SCROLL_EDIT, CGXVScrollEdit::Create, FALSE},
    {GX_IDS_CTRL_LISTBOX, CGXListBox::Create, TRUE},
    {GX_IDS_CTRL_CHECKBOX_3D, CGXCheckBox::Create3d, FALSE},
    {GX_IDS_CTRL_RADIO_3D, CGXRadioButton::Create3d, FALSE},
    {GX_IDS_CTRL_COMBO_ZERO_BASED, CGXComboBox::Create<GX_IDS_CTRL_COMBO_ZERO_BASED, 0x04>, TRUE},
    {GX_IDS_CTRL_COMBO_ONE_BASED, CGXComboBox::Create<GX_IDS_CTRL_COMBO_ONE_BASED, 0x08>, TRUE},
    {GX_IDS_CTRL_COMBO_TEXT_FIT, CGXComboBox::Create<GX_IDS_CTRL_COMBO_TEXT_FIT, 0x01>, TRUE},
    {GX_IDS_CTRL_COMBO_WND, CGXComboBoxWnd::Create<GX_IDS_CTRL_COMBO_WND, 0x200042>, FALSE},
    {GX_IDS_CTRL_DROPDOWN_LIST_WND, CGXComboBoxWnd::Create<GX_IDS_CTRL_DROPDOWN_LIST_WND, 0x200003>, FALSE},
    {GX_IDS_CTRL_COMBO_CHOICE_ONE_BASED, CGXComboBox::Create<GX_IDS_CTRL_COMBO_CHOICE_ONE_BASED, 0x18>, TRUE},
    {GX_IDS_CTRL_COMBO_CHOICE_ZERO_BASED, CGXComboBox::Create<GX_IDS_CTRL_COMBO_CHOICE_ZERO_BASED, 0x14>, TRUE},
    {GX_IDS_CTRL_RICH_EDIT, CGXRichEditCtrl::Create, FALSE},
    {GX_IDS_CTRL_MASKED_EDIT, CGXMaskControl::Create, TRUE},
    {GX_IDS_CTRL_PROGRESS, CGXProgressCtrl::Create, FALSE},
    {GX_IDS_CTRL_PASSWORD, CGXPasswordControl::Create, TRUE},
    {GX_IDS_CTRL_TABBED_COMBO_WND, CGXTabbedComboBoxWnd::Create<GX_IDS_CTRL_TABBED_COMBO_WND, CBS_DROPDOWN>, FALSE},
    {GX_IDS_CTRL_TABBED_DROPDOWN_LIST_WND,
     CGXTabbedComboBoxWnd::Create<GX_IDS_CTRL_TABBED_DROPDOWN_LIST_WND, CBS_DROPDOWNLIST>, FALSE},
    {GX_IDS_CTRL_TABBED_COMBO, CGXTabbedComboBox::Create<GX_IDS_CTRL_TABBED_COMBO>, TRUE},
    {GX_IDS_CTRL_CHECKLIST_COMBO, CGXCheckListComboBox::Create<GX_IDS_CTRL_CHECKLIST_COMBO>, TRUE},
    {GX_IDS_CTRL_DATETIME, CGXDateTimeCtrl::CreateWithCalendar, TRUE},
    {GX_IDS_CTRL_DATETIME_NO_CALENDAR, CGXDateTimeCtrl::CreateWithoutCalendar, TRUE},
    {GX_IDS_CTRL_CURRENCY, CGXCurrencyEdit::Create, TRUE},
    {GX_IDS_CTRL_CHECKBOX_MODIFY, CGXCheckBoxEx::CreateFlat, FALSE},
    {GX_IDS_CTRL_CHECKBOX_3D_MODIFY, CGXCheckBoxEx::Create3d, FALSE},
    {GX_IDS_CTRL_RADIO_3D_ACTIVE, CGXRadioButtonEx::Create3d, FALSE},
    {GX_IDS_CTRL_RADIO_ACTIVE, CGXRadioButtonEx::CreateFlat, FALSE},
};

const ControlEntry* FindControlEntry(UINT nId)
{
    // On a 16-bit host the tabbed window controls are tabbed drop-downs.
    if (GXGetAppDataPtr()->m_bWin32s &&
        (nId == GX_IDS_CTRL_TABBED_COMBO_WND || nId == GX_IDS_CTRL_TABBED_DROPDOWN_LIST_WND))
        nId = GX_IDS_CTRL_TABBED_COMBO;
    const auto it = std::find_if(std::begin(controlTable), std::end(controlTable),
                                 [nId](const ControlEntry& entry) { return entry.nId == nId; });
    return it != std::end(controlTable) ? it : FindControlEntry(GX_IDS_CTRL_EDIT);
}
} // namespace

const WORD CGXControlFactory::s_anControlIds[35] = {
    GX_IDS_CTRL_EDIT,
    GX_IDS_CTRL_HEADER,
    GX_IDS_CTRL_COMBO_TEXT_FIT,
    GX_IDS_CTRL_COMBO_NO_TEXT_FIT,
    GX_IDS_CTRL_COMBO_ONE_BASED,
    GX_IDS_CTRL_COMBO_ZERO_BASED,
    GX_IDS_CTRL_COMBO_CHOICE_ONE_BASED,
    GX_IDS_CTRL_COMBO_CHOICE_ZERO_BASED,
    GX_IDS_CTRL_COMBO_WND,
    GX_IDS_CTRL_DROPDOWN_LIST_WND,
    GX_IDS_CTRL_LISTBOX,
    GX_IDS_CTRL_STATIC,
    GX_IDS_CTRL_PUSHBUTTON,
    GX_IDS_CTRL_RADIO,
    GX_IDS_CTRL_RADIO_3D,
    GX_IDS_CTRL_CHECKBOX,
    GX_IDS_CTRL_CHECKBOX_3D,
    GX_IDS_CTRL_CHECKBOX_MODIFY,
    GX_IDS_CTRL_CHECKBOX_3D_MODIFY,
    GX_IDS_CTRL_RADIO_ACTIVE,
    GX_IDS_CTRL_RADIO_3D_ACTIVE,
    GX_IDS_CTRL_MASKED_EDIT,
    GX_IDS_CTRL_PROGRESS,
    GX_IDS_CTRL_PASSWORD,
    GX_IDS_CTRL_TABBED_COMBO_WND,
    GX_IDS_CTRL_TABBED_DROPDOWN_LIST_WND,
    GX_IDS_CTRL_TABBED_COMBO,
    GX_IDS_CTRL_RICH_EDIT,
    GX_IDS_CTRL_CHECKLIST_COMBO,
    GX_IDS_CTRL_SPIN_EDIT,
    GX_IDS_CTRL_HOTSPOT_EDIT,
    GX_IDS_CTRL_SCROLL_EDIT,
    GX_IDS_CTRL_DATETIME,
    GX_IDS_CTRL_DATETIME_NO_CALENDAR,
    GX_IDS_CTRL_CURRENCY,
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
    CGXTabbedComboBox::RegisterUserAttributes(pStylesMap);
    CGXDateTimeCtrl::RegisterUserAttributes(pStylesMap);

    CGXStyle tooltip;
    tooltip.SetWrapText(TRUE).SetAutoSize(TRUE);
    pStylesMap->AddUserAttribute(GX_IDS_UA_TOOLTIP_TEXT, &tooltip);

    CGXStyle ellipsis;
    ellipsis.SetControl(GX_IDS_CTRL_DROPDOWN_LIST_WND).SetChoiceList(GXLoadResourceString(GX_IDS_ELLIPSIS_CHOICES));
    pStylesMap->AddUserAttribute(GX_IDS_UA_ELLIPSIS_TYPE, &ellipsis);

    CGXCurrencyEdit::RegisterUserAttributes(pStylesMap);
}

void CGXControlFactory::InitializeGridComponents(CGXGridCore* pGrid)
{
    // The per-grid features, in their installation order.
    if (pGrid->m_pFindReplaceImp == nullptr)
    {
        pGrid->m_pFindReplaceImp = new CGXGridFindReplaceImp;
        pGrid->AddFindState(pGrid->m_pFindReplaceImp);
    }
    GXInstallImp<CGXGridHideCellsImp>(pGrid->m_pHideCellsImp);
    if (pGrid->m_pAutoScrollPlugin == nullptr)
    {
        pGrid->m_pAutoScrollPlugin = new CGXAutoScrollPlugin(pGrid);
        pGrid->m_PluginComponents.AddTail(pGrid->m_pAutoScrollPlugin);
    }
    pGrid->InstallResizeToFitImp();
    GXInstallImp<CGXGridUpdateHintImp>(pGrid->m_pUpdateHintImp);
    pGrid->InstallCommandFactory();
    if (pGrid->m_pSortImp == nullptr)
    {
        pGrid->m_pSortImp = new CGXGridSortImp;
        GXInstallGridSortMoveDataImp();
    }
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
    pGrid->InstallPrintImp();
    GXInstallImp<CGXGridUserSelectRangeImp>(pGrid->m_pUserSelectRangeImp);
    GXInstallImp<CGXGridExcelLikeFrameImp>(pGrid->m_pExcelLikeFrameImp);
    GXInstallImp<CGXGridUserDragSelectRangeImp>(pGrid->m_pUserDragSelectRangeImp);
    pGrid->ImplementMoveRowsCols();
    GXInstallImp<CGXGridUserResizeCellsImp>(pGrid->m_pUserResizeCellsImp);
    GXInstallImp<CGXGridOptimizedUpdateImp>(pGrid->m_pOptimizedUpdateImp);
    GXInstallImp<CGXGridMarkEditHeaderImp>(pGrid->m_pMarkEditHeaderImp);
    GXInstallImp<CGXGridFreezeMenuHelperImp>(pGrid->m_pFreezeMenuHelperImp);
    pGrid->InstallDirectCopyMoveCellsImp();
    GXInstallImp<CGXGridClearCellsImp>(pGrid->m_pClearCellsImp);
    if (pGrid->m_pExcelLikeFillImp == nullptr)
    {
        pGrid->SetExcelLikeFillImp(new CGXGridExcelLikeFillImp);
        GXInstallImp<CGXGridExcelLikeFrameImp>(pGrid->m_pExcelLikeFrameImp);
    }
    pGrid->InstallTextDataExchangeImp();
    pGrid->InstallStyleDataExchangeImp();
    pGrid->InstallCutPasteImp();
}

void CGXControlFactory::InitializeApplicationComponents()
{
    GXInstallPrintDeviceImp();
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
    GXInstallGridSortMoveDataImp();
    GXInstallDataCopyMoveCellsImp();
    GXInstallImp<CGXLongOperationImp>(GXGetAppDataPtr()->m_pLongOperationImp);
    GXInstallCoveredCellPoolImp();
    GXInstallSpanCellPoolImp();
    GXInstallDelayedRangePoolImp();
    GXInstallImp<CGXTabWndInterface>(GXGetAppDataPtr()->m_pTabWndInterface);
}

void CGXControlFactory::RegisterWndClasses(HINSTANCE hInstance)
{
    CGXGridWnd::RegisterClass(hInstance);
    CGXTabBeam::RegisterClass(hInstance);
    CGXTabWnd::RegisterClass(hInstance);
}

void CGXControlFactory::UnregisterWndClasses(HINSTANCE hInstance)
{
    CGXGridWnd::UnregisterClass(hInstance);
    CGXTabBeam::UnregisterClass(hInstance);
    CGXTabWnd::UnregisterClass(hInstance);
}

void GXInitLibraryDefault()
{
    GXInit(new CGXControlFactory);
}
