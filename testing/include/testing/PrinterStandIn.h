// A printer for tests: a DC over a monochrome page bitmap that answers a printer's resolution,
// page size and technology, and writes the print job's steps into a journal. An application
// whose CreatePrintJobDC hands it out lets views print without a printer installed.
#pragma once

#include <afxwin.h>

#include <functional>
#include <string>
#include <vector>

class PrinterStandIn;

// What the stand-ins of a test printed. It outlives them: a job deletes its DC at the end.
struct PrintJournal
{
    // "StartDoc", "StartPage", "EndPage", "EndDoc", "AbortDoc", in the order they came.
    std::vector<std::string> steps;
    CString strDocName;
    // Called at each EndPage, while the page is still on the stand-in.
    std::function<void(const PrinterStandIn&)> onEndPage;
    // StartPage fails from this page on (1 for the first); 0 never.
    int nFailStartPage = 0;

    // The steps as one line: "StartDoc StartPage EndPage ... EndDoc".
    std::string Text() const;
};

class PrinterStandIn : public CDC
{
public:
    // A printer of nDpi dots per inch whose printable page is cx by cy dots.
    explicit PrinterStandIn(PrintJournal& journal, int nDpi = 600, int cx = 4800, int cy = 6600);
    ~PrinterStandIn() override;

    int GetDeviceCaps(int nIndex) const override;
    using CDC::StartDoc;
    int StartDoc(LPDOCINFO lpDocInfo) override;
    int StartPage() override;
    int EndPage() override;
    int AbortDoc() override;
    int EndDoc() override;

    // Whether the page's dot is black, whatever mapping the view left behind.
    bool IsInked(int x, int y) const;

private:
    PrintJournal& m_journal;
    int m_nDpi;
    CSize m_sizePage;
    CBitmap m_page;
    CBitmap* m_pOldBitmap = nullptr;
    int m_nPages = 0;
};

// An application whose print jobs and previews go to stand-ins writing into m_journal, or to
// the system's printer while m_bStandIn is false; message boxes are recorded, not shown.
class StandInPrinterApp : public CWinApp
{
public:
    explicit StandInPrinterApp(LPCTSTR lpszAppName) : CWinApp(lpszAppName)
    {
    }

    CDC* CreatePrintJobDC(CPrintInfo* pInfo) override;
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    PrintJournal m_journal;
    bool m_bStandIn = true;
    // The stand-in printer's resolution and printable page in dots.
    int m_nDpi = 600;
    CSize m_sizePage{4800, 6600};
    // Jobs asked for, and the message boxes' texts.
    int m_nJobs = 0;
    std::vector<CString> m_messages;
};
