// Common dialogs, property sheets and pages.
#pragma once

#include <afxwin.h>

#include <afx/PropertySheet.h>
#include <afx/CommonDialogs.h>
#include <afx/PrintDialog.h>
