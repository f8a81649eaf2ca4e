// Ids of the grid's string resources that styles carry and more than one part of the grid reads:
// the controls a cell can use and user attributes.
#pragma once

#include <windows.h>

constexpr WORD idEditControl = 52512;
constexpr WORD idSpinEdit = 52519;
constexpr WORD idCheckBox3d = 52523;
constexpr WORD idDateTimeCalendar = 52543;
constexpr WORD idDateTimeNoCalendar = 52544;
constexpr WORD idsRtlReading = 52570;
constexpr WORD idsEllipsisType = 52792;
