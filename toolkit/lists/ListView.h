// The list in a framework view: a pane of a document frame that prints and previews itself
// page by page through the framework's print commands.
#pragma once

#include "ListBaseC.h"

#include <afxext.h>

namespace tarnwick::lists
{
extern template class SECListBaseT<CView>;

// The list logic over a view; its runtime class and message map are the view's.
class SECListBaseV : public SECListBaseT<CView>
{
};

class SECListView : public SECListBaseV
{
    DECLARE_DYNCREATE(SECListView)
public:
    SECListView();
    // The print fonts go before the list's own clean-up.
    ~SECListView() override;

    // Only a printing DC is drawn on: the screen is painted by WM_PAINT.
    void OnDraw(CDC* pDC) override;
    // While printing only the printer scaling; otherwise the view's.
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    // The whole list prints: the dialog offers no page range and no selection.
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    // Print mode: the top row, fonts, layout rectangle and measuring DC become the job's; a
    // preview counts the pages. OnEndPrinting puts everything back.
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    // The printed page while printing, else the client rectangle.
    void GetListClientRect(CRect& rect) const override;
    // The print DC (not to be deleted) while printing, else a new client DC.
    CDC* GetMeasureDC(BOOL* pbDelete) override;

    // The top row moves to the first row of the next page; FALSE when there is none. A row
    // taller than the page gets a page of its own.
    virtual BOOL NextPrintPage(CDC* pDC);
    // One logical unit becomes one screen pixel on paper; the page rectangle in those units.
    virtual void PreparePrintDC(CDC* pDC);
    // The top row on the first row of page nPage (from 1); nothing to do for the page it is on.
    virtual BOOL GoToPrintPage(UINT nPage, CDC* pDC);
    // Copies of the item and header fonts, else 11-point "Times New Roman".
    virtual BOOL CreatePrintFonts(CDC* pDC);
    virtual BOOL DeletePrintFonts();

    BOOL IsPrintingList() const
    {
        return m_bPrinting;
    }

protected:
    // While printing the update region is validated and nothing drawn.
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CFont* m_pSavedItemFont = nullptr;
    CFont* m_pSavedHeaderFont = nullptr;
    CFont m_printItemFont;
    CFont m_printHeaderFont;
    CRect m_rectPrintPage;
    BOOL m_bPrinting = FALSE;
    int m_nSavedTopIndex = 0;
    UINT m_nPrintPage = 0;
    CDC* m_pPrintDC = nullptr;
};
} // namespace tarnwick::lists
