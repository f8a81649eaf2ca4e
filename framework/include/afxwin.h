// The application framework: command targets, threads and the application object.
#pragma once

#include <afx.h>

#include <afx/CmdTarget.h>
#include <afx/WinThread.h>
#include <afx/WinApp.h>
