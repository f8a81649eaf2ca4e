// Reads the program directory "TRDIR" through "RFC_READ_TABLE"; its one field is the row.
#pragma once

#include <rfc/RfcReadTable.h>

class CReadTableTrdir : public CRfcReadTable
{
    DECLARE_DYNAMIC(CReadTableTrdir)
public:
    explicit CReadTableTrdir(CRfcConnection* pConnection);
};
