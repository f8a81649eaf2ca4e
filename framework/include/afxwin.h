// The application framework: GDI, command targets, windows, threads and the application object.
#pragma once

#include <afx.h>

#include <commctrl.h>

#include <afx/Geometry.h>
#include <afx/Gdi.h>
#include <afx/DC.h>
#include <afx/Menu.h>

#include <afx/CmdTarget.h>
#include <afx/CmdUI.h>
#include <afx/Wnd.h>
#include <afx/Controls.h>
#include <afx/WinThread.h>
#include <afx/WinApp.h>
