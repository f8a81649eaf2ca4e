// OLE automation types: COleDateTime and COleDateTimeSpan.
#pragma once

#include <afx.h>

#include <afx/OleDateTime.h>
