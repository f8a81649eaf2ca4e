// An undo block open for a scope: every command recorded meanwhile joins it, and it is closed
// on every way out of the scope, an exception included. Rollback undoes what the block holds.
#pragma once

#include <grid/core/GridCore.h>

class CGXUndoBlockScope
{
public:
    CGXUndoBlockScope(CGXGridCore* pGrid, LPCTSTR pszName) : m_pGrid(pGrid)
    {
        pGrid->BeginUndoBlock(pszName);
    }
    ~CGXUndoBlockScope()
    {
        if (m_bOpen)
            m_pGrid->EndUndoBlock();
    }
    CGXUndoBlockScope(const CGXUndoBlockScope&) = delete;
    CGXUndoBlockScope& operator=(const CGXUndoBlockScope&) = delete;

    void Rollback()
    {
        if (!m_bOpen)
            return;
        m_bOpen = FALSE;
        m_pGrid->RollbackUndoBlock();
    }

private:
    CGXGridCore* m_pGrid;
    BOOL m_bOpen = TRUE;
};
