// The system's print and printer set-up dialog behind a dialog object, and the printer DC made
// from its device blocks.
#pragma once

#include <afx/CommonDialogs.h>

class CPrintDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPrintDialog)
public:
    // The print dialog returns a printer DC; the set-up form only chooses the printer.
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    // The printer DC the dialog returned is not deleted here: the caller owns it.
    ~CPrintDialog() override = default;

    // Change before DoModal. hDevMode and hDevNames belong to whoever put them there.
    PRINTDLG m_pd;

    // IDOK or IDCANCEL; without a printer the system says so and the answer is IDCANCEL.
    INT_PTR DoModal() override;
    // The default printer's blocks into m_pd (and its DC unless set-up only), without a
    // dialog; FALSE when there is no printer. hDevMode and hDevNames must be NULL before.
    BOOL GetDefaults();

    int GetCopies() const;
    BOOL PrintCollate() const;
    BOOL PrintSelection() const;
    BOOL PrintAll() const;
    BOOL PrintRange() const;
    BOOL PrintToFile() const;
    int GetFromPage() const;
    int GetToPage() const;
    // The device mode in m_pd.hDevMode, left locked as the system's callers expect; NULL
    // without one.
    LPDEVMODE GetDevMode() const;
    CString GetDriverName() const;
    CString GetDeviceName() const;
    CString GetPortName() const;
    HDC GetPrinterDC() const;
    // A DC for the printer in m_pd's blocks, kept in m_pd.hDC (a DC there before is deleted);
    // NULL when it cannot be made.
    HDC CreatePrinterDC();
};

// A printer DC for the printer that a DEVNAMES block names, with the device mode; NULL when
// there are no names or the printer cannot be opened.
HDC AFXAPI AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode);
