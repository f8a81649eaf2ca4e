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
#include <afx/DataExchange.h>
#include <afx/Dialog.h>
#include <afx/WinThread.h>
#include <afx/CommandLineInfo.h>
#include <afx/WinApp.h>
#include <afx/FrameWnd.h>
#include <afx/MDIFrameWnd.h>
#include <afx/MiniFrameWnd.h>
#include <afx/Document.h>
#include <afx/View.h>
#include <afx/ScrollView.h>
#include <afx/FormView.h>
#include <afx/DocTemplate.h>
