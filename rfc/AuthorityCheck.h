// Checks an authorization of a user ("AUTHORITY_CHECK"); the module answers with an ABAP exception.
#pragma once

#include <rfc/BaseRfc.h>

class CAuthorityCheck : public CBaseRfc
{
    DECLARE_DYNAMIC(CAuthorityCheck)
public:
    explicit CAuthorityCheck(CRfcConnection* pConnection);

    void SetImportParameters();

    CString NEW_BUFFERING;
    CString USER;
    CString OBJECT;
    CString FIELD1;
    CString VALUE1;
    CString FIELD2;
    CString VALUE2;
    CString FIELD3;
    CString VALUE3;
    CString FIELD4;
    CString VALUE4;
    CString FIELD5;
    CString VALUE5;
    CString FIELD6;
    CString VALUE6;
    CString FIELD7;
    CString VALUE7;
    CString FIELD8;
    CString VALUE8;
    CString FIELD9;
    CString VALUE9;
    CString FIELD10;
    CString VALUE10;
};
