#include <app/ChildFrame.h>

using tarnwick::frames::SECWorksheetWnd;

IMPLEMENT_DYNCREATE(CChildFrame, SECWorksheetWnd)
