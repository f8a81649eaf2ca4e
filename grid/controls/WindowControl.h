// The frame of the cell controls that are themselves the window over their active cell (edit,
// currency, rich-edit, list-box, date-time and combo-box cells): the window is the control's
// window, its run-time class the window class, and the control is active only with a window.
#pragma once

#include <grid/controls/Static.h>

template <class WND> class CGXWindowControl : public WND, public CGXStatic
{
public:
    explicit CGXWindowControl(CGXGridCore* pGrid) : CGXStatic(pGrid)
    {
    }

    CRuntimeClass* GetWindowClass() const override
    {
        return this->GetRuntimeClass();
    }
    CWnd* GetControlWindow() const override
    {
        return const_cast<CGXWindowControl*>(this);
    }
    BOOL IsActive() override
    {
        return m_bIsActive;
    }

protected:
    BOOL m_bIsActive = FALSE;
};
