// The text forms in which profiles and style records keep a border pen and an interior brush:
// blank-separated decimal fields, colours as red, green, blue and a top byte.
//   pen:   style, width, red, green, blue, top byte
//   brush: brush style, hatch (pattern number for a pattern brush), foreground red, green,
//          blue, background red, green, blue, foreground top byte
// A top byte from 65 to 254 names a system colour (254 minus the byte), whose current value
// is written; any other top byte is the colour's kind.
#pragma once

#include <afx.h>

#include <grid/core/BrushRecord.h>
#include <grid/core/PenRecord.h>

// With fewer than five fields the colour becomes black and the pen is marked not set.
GXPenRecord& GXParseStyleDescription(GXPenRecord& pen, LPCTSTR pszDescription);
CString GXWriteStyleDescription(const GXPenRecord& pen);

// With fewer than five fields both colours become black.
GXBrushRecord& SetBrushRecordDescription(GXBrushRecord& brush, LPCTSTR pszDescription);
CString GetBrushRecordDescription(const GXBrushRecord& brush);
