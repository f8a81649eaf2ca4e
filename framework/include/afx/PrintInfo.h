// What a view's printing code learns about the print job and the page being printed. The
// framework makes one per print command or preview and hands it to every print call of the view.
#pragma once

#include <afx/Geometry.h>
#include <afx/String.h>

class CDC;
class CPrintDialog;

struct CPrintInfo
{
    // The print dialog's object, flags PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION, the
    // pages 1 to 0xFFFF; page 1 is the current one.
    CPrintInfo();
    // Deletes the dialog object, the printer DC it still holds, and the job's DC.
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    // The pages the document has; the dialog offers them and printing stops after the last.
    void SetMinPage(UINT nMinPage);
    void SetMaxPage(UINT nMaxPage);
    UINT GetMinPage() const;
    UINT GetMaxPage() const;
    // The range the user chose: the whole document unless a page range was asked for.
    UINT GetFromPage() const;
    UINT GetToPage() const;
    // Pages printed before this document's first, when several documents make one job.
    UINT GetOffsetPage() const;

    CPrintDialog* m_pPD;
    // Print without the dialog, on the application's printer.
    BOOL m_bDirect;
    BOOL m_bPreview;
    // OnPrepareDC clears it to end the job before the current page.
    BOOL m_bContinuePrinting;
    UINT m_nCurPage;
    // Pages the preview shows at once: 1 or 2.
    UINT m_nNumPreviewPages;
    // The preview's page text, with %u for the page number.
    CString m_strPageDesc;
    LPVOID m_lpUserData;
    // The page's drawing area in logical units; printing code shrinks it by its margins.
    CRect m_rectDraw;
    UINT m_nOffsetPage;

    // The job's printer DC, made by CView::DoPreparePrinting through the application.
    CDC* m_pPrinterDC;
};
