#include <rfc/ThRequestQueue.h>

IMPLEMENT_DYNAMIC(CThRequestQueue, CBaseRfc)

namespace
{
const RfcText<CThRequestQueue> kQueueColumns[] = {
    RFC_TEXT(CThRequestQueue, THLINE),
};
const RfcTextGroup<CThRequestQueue> kTables[] = {
    {_T("REQUEST_QUEUES"), kQueueColumns},
};
} // namespace

CThRequestQueue::CThRequestQueue(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("TH_REQUEST_QUEUE"))
{
}

void CThRequestQueue::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}
