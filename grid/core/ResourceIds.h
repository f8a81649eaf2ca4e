// Ids of the grid's string resources that styles carry and more than one part of the grid reads:
// the controls a cell can use, user attributes, and the texts of undo and redo.
#pragma once

#include <windows.h>

constexpr WORD idEditControl = 52512;
constexpr WORD idSpinEdit = 52519;
constexpr WORD idCheckBox3d = 52523;
constexpr WORD idMaskEdit = 52535;
constexpr WORD idTabbedComboWnd = 52539;
constexpr WORD idTabbedDropDownListWnd = 52540;
constexpr WORD idTabbedCombo = 52541;
constexpr WORD idDateTimeCalendar = 52543;
constexpr WORD idDateTimeNoCalendar = 52544;
constexpr WORD idCurrencyEdit = 52545;
constexpr WORD idsRtlReading = 52570;
constexpr WORD idsEllipsisType = 52792;

constexpr UINT idsUndoTooLarge = 20082;
constexpr UINT idsRedoing = 20139;
constexpr UINT idsUndoing = 20140;
constexpr UINT idsRemovingRows = 20145;
constexpr UINT idsRemovingCols = 20146;
constexpr UINT idsRangeTooBig = 20149;
constexpr UINT idsMultiAreaPaste = 20153;
constexpr UINT idsChangeRowHeights = 20158;
constexpr UINT idsChangeColWidths = 20159;
constexpr UINT idsChangeDefaultRowHeight = 20160;
constexpr UINT idsChangeDefaultColWidth = 20161;
constexpr UINT idsMoveRows = 20162;
constexpr UINT idsMoveCols = 20163;
constexpr UINT idsInsertRows = 20164;
constexpr UINT idsInsertCols = 20165;
constexpr UINT idsCoverCells = 20166;
constexpr UINT idsCellsCommand = 20167;
constexpr UINT idsFreezeCols = 20168;
constexpr UINT idsFreezeRows = 20169;
constexpr UINT idsHideRows = 20170;
constexpr UINT idsHideCols = 20171;
constexpr UINT idsCurrentCell = 20174;
constexpr UINT idsCopy = 20178;
constexpr UINT idsMove = 20179;
constexpr UINT idsSortRows = 20181;
constexpr UINT idsSortCols = 20182;
constexpr UINT idsStylesMapChanges = 20185;
constexpr UINT idsPropertySettings = 20186;
constexpr UINT idsSetRangeName = 20188;
constexpr UINT idsDeleteRangeName = 20189;

// The currency cell's user attributes.
constexpr WORD idsCurrencySeparators = 51045;
constexpr WORD idsCurrencyAttributes = 51046;
constexpr WORD idsCurrencyPositive = 51047;
constexpr WORD idsCurrencyNegative = 51048;
// "Number of decimals" limits the integer digits; "Number of fractional digits " counts the decimals.
constexpr WORD idsCurrencyIntegerDigits = 51049;
constexpr WORD idsCurrencyDecimals = 51050;
constexpr WORD idsCurrencySymbol = 51054;

// The masked edit's user attributes.
constexpr WORD idsMaskEditMask = 51023;
constexpr WORD idsMaskEditPrompt = 51024;
constexpr WORD idsTabListKeyColumn = 51028;
constexpr WORD idsTabListTextColumn = 51029;
constexpr WORD idsTabListShowAllColumns = 51030;
constexpr WORD idsTabListColumnTitles = 51031;
constexpr WORD idsTabListColumnWidths = 51032;
constexpr WORD idsTabListSortColumn = 51033;
constexpr WORD idsTabListChoiceListId = 51055;
