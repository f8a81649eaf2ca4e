// One source's lines in the output window: a report list of time and message.
#pragma once

#include <afxcmn.h>

class CMessageWnd : public CListCtrl
{
    DECLARE_DYNCREATE(CMessageWnd)
public:
    // Every window of the class is a report list.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};
