// The common controls: image lists and the control wrappers of comctl32 and rich edit.
#pragma once

#include <afxwin.h>

#include <commctrl.h>
#include <richedit.h>

#include <afx/ImageList.h>
#include <afx/CommonControls.h>
