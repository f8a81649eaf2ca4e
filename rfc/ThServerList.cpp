#include <rfc/ThServerList.h>

IMPLEMENT_DYNAMIC(CThServerList, CBaseRfc)

namespace
{
const RfcText<CThServerList> kImports[] = {
    RFC_IMPORT(CThServerList, SERVICES, "FF"),
    RFC_IMPORT(CThServerList, SYSSERVICE, "00"),
};
const RfcText<CThServerList> kListColumns[] = {
    RFC_TEXT(CThServerList, NAME),     RFC_TEXT(CThServerList, HOST),    RFC_TEXT(CThServerList, SERV),
    RFC_TEXT(CThServerList, MSGTYPES), RFC_TEXT(CThServerList, HOSTADR), RFC_TEXT(CThServerList, SERVNO),
    RFC_TEXT(CThServerList, STATE),
};
const RfcText<CThServerList> kListIpv6Columns[] = {
    RFC_TEXT(CThServerList, NAME),
    RFC_TEXT(CThServerList, HOST),
    RFC_TEXT(CThServerList, SERV),
    RFC_TEXT(CThServerList, MSGTYPES),
    RFC_TEXT(CThServerList, HOSTADR),
    RFC_TEXT(CThServerList, SERVNO),
    RFC_TEXT(CThServerList, STATE),
    RFC_TEXT(CThServerList, HOSTNAMELONG),
    RFC_TEXT(CThServerList, HOSTADDR_V4_STR),
    RFC_TEXT(CThServerList, HOSTADDR_V6_STR),
    RFC_TEXT(CThServerList, SYSSERVICE0),
    RFC_TEXT(CThServerList, SYSSERVICE1),
    RFC_TEXT(CThServerList, SYSSERVICE2),
    RFC_TEXT(CThServerList, SYSSERVICE3),
};
const RfcTextGroup<CThServerList> kTables[] = {
    {_T("LIST"), kListColumns},
    {_T("LIST_IPV6"), kListIpv6Columns},
};
// By bit of "MSGTYPES", lowest first.
const LPCTSTR kServices[] = {_T("Dialog "), _T("Update "), _T("Enqueue "), _T("Backg "),
                             _T("Spool "),  _T("Upd2 "),   _T("ATP "),     _T("ICM")};
} // namespace

CThServerList::CThServerList(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("TH_SERVER_LIST"))
{
    SetDefaults(*this, kImports);
}

void CThServerList::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CThServerList::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    ReadTableRow(*this, lpszTable, nRow, kTables);
}

CString CThServerList::FormatMsgTypes() const
{
    BYTE types = 0;
    HexToByte(MSGTYPES, types);
    CString strServices;
    for (int nBit = 0; nBit < 8; nBit++)
    {
        if (types & (1 << nBit))
            strServices += kServices[nBit];
    }
    return strServices.Trim();
}
