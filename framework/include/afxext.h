// Extensions of the application framework: control bars and splitter windows.
#pragma once

#include <afxwin.h>

#include <afx/ControlBar.h>
#include <afx/PrintInfo.h>
#include <afx/RectTracker.h>
#include <afx/SplitterWnd.h>
