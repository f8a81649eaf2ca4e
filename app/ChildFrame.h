// The worksheet of a session: the child frame that holds a session's form inside the workbook.
#pragma once

#include <toolkit/frames/WorksheetWnd.h>

class CChildFrame : public tarnwick::frames::SECWorksheetWnd
{
    DECLARE_DYNCREATE(CChildFrame)
};
