#include <rfc/RfcReadTable.h>

#include <rfc/RfcException.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CRfcReadTable, CBaseRfc)

namespace
{
const RfcText<CRfcReadTable> kImports[] = {
    RFC_IMPORT(CRfcReadTable, QUERY_TABLE, ""),       RFC_IMPORT(CRfcReadTable, DELIMITER, " "),
    {_T("NO_DATA"), &CRfcReadTable::NODATA, _T(" ")}, RFC_IMPORT(CRfcReadTable, ROWSKIPS, "0"),
    RFC_IMPORT(CRfcReadTable, ROWCOUNT, "0"),
};
const RfcText<CRfcReadTable> kOptionsColumns[] = {
    RFC_TEXT(CRfcReadTable, TEXT),
};
const RfcText<CRfcReadTable> kFieldsColumns[] = {
    RFC_TEXT(CRfcReadTable, FIELDNAME), RFC_TEXT(CRfcReadTable, OFFSET),    RFC_TEXT(CRfcReadTable, LENGTH),
    RFC_TEXT(CRfcReadTable, TYPE),      RFC_TEXT(CRfcReadTable, FIELDTEXT),
};
const RfcTextGroup<CRfcReadTable> kTables[] = {
    {_T("OPTIONS"), kOptionsColumns},
    {_T("FIELDS"), kFieldsColumns},
};
const unsigned kLineWidth = 512;
} // namespace

CRfcReadTable::CRfcReadTable(CRfcConnection* pConnection, LPCTSTR lpszQueryTable)
    : CBaseRfc(pConnection, _T("RFC_READ_TABLE"))
{
    SetDefaults(*this, kImports);
    QUERY_TABLE = lpszQueryTable;
}

void CRfcReadTable::SetImportParameters()
{
    SetStrings(GetFunctionHandle(), *this, kImports);
}

void CRfcReadTable::AppendOptionsRow()
{
    SetStrings(AppendTableRow(_T("OPTIONS")), *this, kOptionsColumns);
}

void CRfcReadTable::SetOptionsText()
{
    SetStrings(SetTableRow(_T("OPTIONS"), 0), *this, kOptionsColumns);
}

void CRfcReadTable::AppendFieldsRow()
{
    SetStrings(AppendTableRow(_T("FIELDS")), *this, kFieldsColumns);
}

void CRfcReadTable::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    if (wcscmp(lpszTable, _T("DATA")) == 0)
        ReadDataRow(SetTableRow(lpszTable, nRow));
    else
        ReadTableRow(*this, lpszTable, nRow, kTables);
}

void CRfcReadTable::ReadDataRow(RFC_TABLE_HANDLE hRow)
{
    if (hRow == nullptr)
        return;
    SAP_UC buffer[kLineWidth + 1];
    unsigned nLength = 0;
    RFC_ERROR_INFO errorInfo;
    if (RfcGetString(hRow, _T("WA"), buffer, kLineWidth + 1, &nLength, &errorInfo) != RFC_OK)
        CRfcException::ThrowParam(_T("CBaseRfc::GetString()"), _T("WA"), errorInfo);
    nLength = static_cast<unsigned>(wcsnlen(buffer, std::min(nLength, kLineWidth)));
    WA.SetString(buffer, static_cast<int>(nLength));
    WA.TrimRight();
}

CString CRfcReadTable::Cut(bool bNumber) const
{
    const int nStart = std::max(_wtoi(OFFSET), 0);
    const int nLength = std::max(_wtoi(LENGTH), 0);
    CString strField = nStart < WA.GetLength() ? WA.Mid(nStart, nLength) : CString();
    return bNumber ? strField.TrimLeft(_T(" 0")) : strField.Trim();
}
