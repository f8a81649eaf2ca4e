#include <rfc/ReadTableTrdir.h>

IMPLEMENT_DYNAMIC(CReadTableTrdir, CRfcReadTable)

CReadTableTrdir::CReadTableTrdir(CRfcConnection* pConnection) : CRfcReadTable(pConnection, _T("TRDIR"))
{
}
