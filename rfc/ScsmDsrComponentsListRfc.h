// Lists the components that write distributed statistics records ("SCSM_DSR_COMPONENTS_LIST_RFC").
#pragma once

#include <rfc/BaseRfc.h>

class CScsmDsrComponentsListRfc : public CBaseRfc
{
    DECLARE_DYNAMIC(CScsmDsrComponentsListRfc)
public:
    explicit CScsmDsrComponentsListRfc(CRfcConnection* pConnection);

    void SetImportParameters();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString RESTRICT_TO_MON_SYSTEM;
    CString RESTRICT_TO_MON_AGENT;
    CString RESTRICT_TO_COMPONENT_TYPE;
    // "DSR_COMPONENTS", the row read last
    CString COMPNAME;
    CString COMPCLASS;
    CString COMPGUID;
};
