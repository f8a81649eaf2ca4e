// The generic table reader ("RFC_READ_TABLE"): the texts and operations that the readers of
// single database tables share. With the blank delimiter every field of a data row stands at
// the offset and with the length that its "FIELDS" row gives.
#pragma once

#include <rfc/BaseRfc.h>

// A text member of T cut from the data row, and how it is cleaned.
template <class T> struct RfcDataField
{
    LPCTSTR lpszName;
    CString T::*pText;
    bool bNumber = false; // only leading blanks and zeros removed, else trimmed at both ends
};

#define RFC_FIELD(wrapper, field)                                                                                      \
    {                                                                                                                  \
        _T(#field), &wrapper::field                                                                                    \
    }
#define RFC_NUMBER_FIELD(wrapper, field)                                                                               \
    {                                                                                                                  \
        _T(#field), &wrapper::field, true                                                                              \
    }

class CRfcReadTable : public CBaseRfc
{
    DECLARE_DYNAMIC(CRfcReadTable)
public:
    CRfcReadTable(CRfcConnection* pConnection, LPCTSTR lpszQueryTable);

    void SetImportParameters();
    void AppendOptionsRow();
    void SetOptionsText();
    void AppendFieldsRow();
    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString QUERY_TABLE;
    CString DELIMITER;
    CString NODATA; // "NO_DATA", a winsock macro
    CString ROWSKIPS;
    CString ROWCOUNT;
    // "OPTIONS"
    CString TEXT;
    // "FIELDS", the row read last
    CString FIELDNAME;
    CString OFFSET;
    CString LENGTH;
    CString TYPE;
    CString FIELDTEXT;
    // "DATA", the row read last, with its leading blanks: they belong to its first field
    CString WA;

protected:
    // Cuts the data row into the fields that the "FIELDS" rows of the last call place.
    template <class T> void CutFields(T& object, std::span<const RfcDataField<T>> fields)
    {
        const unsigned nFields = GetTableRowCount(_T("FIELDS"));
        for (unsigned i = 0; i < nFields; i++)
        {
            OnTableRow(_T("FIELDS"), i);
            for (const RfcDataField<T>& field : fields)
            {
                if (FIELDNAME == field.lpszName)
                {
                    object.*field.pText = Cut(field.bNumber);
                    break;
                }
            }
        }
    }

private:
    void ReadDataRow(RFC_TABLE_HANDLE hRow);
    CString Cut(bool bNumber) const;
};
