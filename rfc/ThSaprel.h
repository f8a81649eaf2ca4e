// Reads the kernel release of an instance ("TH_SAPREL").
#pragma once

#include <rfc/BaseRfc.h>

class CThSaprel : public CBaseRfc
{
    DECLARE_DYNAMIC(CThSaprel)
public:
    explicit CThSaprel(CRfcConnection* pConnection);

    void SetImportParameters();
    void GetExportParameters();
    // Reads "THLINE" of the row whatever the table.
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString DYNPRO;
    CString KERN_REL;
    CString KERN_DBLIB;
    CString KERN_COMP_ON;
    CString KERN_COMP_TIME;
    CString KERN_PATCHLEVEL;
    CString THLINE;
};
