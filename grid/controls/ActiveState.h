// The editing state of the drawn controls that change a value in place (check boxes and radio
// buttons with active state): a change goes into the control's cached copy of the cell's
// style, marks the control active and modified, and reaches the grid only when the grid stores
// the current cell, so that it takes part in validation and undo like an edit.
#pragma once

#include <grid/controls/Control.h>
#include <grid/core/GridCore.h>
#include <grid/core/Style.h>

template <class BASE> class CGXActiveStateControl : public BASE
{
public:
    using BASE::BASE;

    // Turning on reloads the cached style from the grid.
    void SetActive(BOOL bActive) override
    {
        if (bActive && !m_bActive)
        {
            this->FreeStyle(TRUE);
            this->LoadStyle();
        }
        m_bActive = bActive;
    }
    BOOL IsActive() override
    {
        return m_bActive;
    }
    void SetModified(BOOL bModified) override
    {
        m_bModified = bModified;
    }
    BOOL IsModified() override
    {
        return m_bModified;
    }
    void Init(ROWCOL nRow, ROWCOL nCol) override
    {
        CGXControl::Init(nRow, nCol);
        this->LoadStyle();
        SetModified(FALSE);
    }
    // Writes a pending value into the cell; without one nothing happens.
    BOOL StoreEditedValue() override
    {
        if (this->m_pStyle == nullptr || !IsModified())
            return TRUE;
        const CString strValue = this->m_pStyle->GetValue();
        SetActive(FALSE);
        this->FreeStyle(TRUE);
        return this->m_pGrid->SetValueRange(CGXRange(BoundRow(), BoundCol()), strValue, CGXStyle::modeOverride,
                                            GX_INVALIDATE);
    }

protected:
    ROWCOL BoundRow() const
    {
        return static_cast<ROWCOL>(this->m_nRow);
    }
    ROWCOL BoundCol() const
    {
        return static_cast<ROWCOL>(this->m_nCol);
    }
    // Activates for an edit the grid allows; FALSE when it refuses.
    BOOL StartEditing()
    {
        if (m_bActive)
            return TRUE;
        if (!this->RequestEditing())
            return FALSE;
        SetActive(TRUE);
        return TRUE;
    }
    // The pending value: into the cached style, drawn at once, reported as a change.
    void SetPendingValue(const CString& strValue)
    {
        this->LoadStyle()->SetValue(strValue);
        this->m_pGrid->RedrawRowCol(BoundRow(), BoundCol(), GX_INVALIDATE | GX_UPDATENOW, FALSE);
        SetModified(TRUE);
        this->RequestCommit();
    }
    // The style to draw a cell with: the pending one for the active bound cell.
    const CGXStyle& StyleToDraw(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
    {
        return this->IsActiveAt(nRow, nCol) && m_bActive && this->m_pStyle != nullptr ? *this->m_pStyle : style;
    }

private:
    BOOL m_bActive = FALSE;
    BOOL m_bModified = FALSE;
};
