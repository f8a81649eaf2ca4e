// Cut, Copy and Paste between a grid and the clipboard: the cells as text (CF_UNICODETEXT),
// any program's format, and with their whole styles ("Grid Styles %08x"), the grid's own. A
// copy with a direct option of the parameter object also puts "GX_DIRECTCOPY": 4 bytes naming
// the parameter object, so that a paste into the same grid copies or moves the cells directly.
// The current cell's control cuts, copies and pastes its own text first when it is asked to.
#pragma once

#include <grid/core/AbstractGridImps.h>

class CGXGridCutPasteImp : public CGXAbstractGridCutPasteImp
{
public:
    // Copy and Cut answer FALSE while another window holds the clipboard open; so do CanCopy
    // and CanCut.
    BOOL CanCopy(CGXGridCore* pGrid) override;
    // The selection, else the current cell; clears a pending direct cut.
    BOOL Copy(CGXGridCore* pGrid) override;
    BOOL CopyRangeList(CGXGridCore* pGrid, const CGXRangeList& list) override;
    BOOL CopyTextToClipboard(CGXGridCore* pGrid, const CGXRangeList& list) override;
    BOOL CopyStylesToClipboard(CGXGridCore* pGrid, const CGXRangeList& list, BOOL bComposed) override;
    BOOL CanCut(CGXGridCore* pGrid) override;
    // Copies and clears in one undo block, or with DirectCutPaste only marks the cells for
    // the next paste in this grid.
    BOOL Cut(CGXGridCore* pGrid) override;
    // Nothing is cleared unless the copy succeeded.
    BOOL CutRangeList(CGXGridCore* pGrid, const CGXRangeList& list, BOOL bStyles) override;
    BOOL CanPaste(CGXGridCore* pGrid) override;
    BOOL IsClipboardDataAvailable(CGXGridCore* pGrid) override;
    // Into the one selected area (several: a message, and nothing changes) or the current
    // cell: the grid's own cells directly, else the styles, else the text.
    BOOL Paste(CGXGridCore* pGrid) override;
    BOOL PasteDirect(CGXGridCore* pGrid, const CGXRange& target) override;
    // Reads the clipboard, which the caller has opened.
    BOOL PasteFromClipboard(CGXGridCore* pGrid, const CGXRange& target) override;
    // "Clipboard size is different from selected range": TRUE on OK.
    BOOL ConfirmPasteSizeMismatch(CGXGridCore* pGrid) override;

    // The id of "GX_DIRECTCOPY", registered on first use.
    static UINT GetDirectCopyFormat();
};
