// Ids of the grid's string resources that styles carry and more than one part of the grid reads:
// the controls a cell can use and user attributes.
#pragma once

#include <windows.h>

constexpr WORD idEditControl = 52512;
constexpr WORD idSpinEdit = 52519;
constexpr WORD idCheckBox3d = 52523;
constexpr WORD idDateTimeCalendar = 52543;
constexpr WORD idDateTimeNoCalendar = 52544;
constexpr WORD idCurrencyEdit = 52545;
constexpr WORD idsRtlReading = 52570;
constexpr WORD idsEllipsisType = 52792;

// The currency cell's user attributes.
constexpr WORD idsCurrencySeparators = 51045;
constexpr WORD idsCurrencyAttributes = 51046;
constexpr WORD idsCurrencyPositive = 51047;
constexpr WORD idsCurrencyNegative = 51048;
// "Number of decimals" limits the integer digits; "Number of fractional digits " counts the decimals.
constexpr WORD idsCurrencyIntegerDigits = 51049;
constexpr WORD idsCurrencyDecimals = 51050;
constexpr WORD idsCurrencySymbol = 51054;
