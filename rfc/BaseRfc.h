// The base of every function-module wrapper: one function handle of one function module and
// the typed operations that the wrappers are built from. A wrapper is mostly tables of
// RfcText entries that tie its text members to the module's parameters, fields and columns.
#pragma once

#include <afxmt.h>
#include <sapnwrfc.h>

#include <span>
#include <type_traits>

class CRfcConnection;

// One text member of T and the parameter, field or column that it holds.
template <class T> struct RfcText
{
    LPCTSTR lpszName;
    CString T::*pText;
    LPCTSTR lpszDefault = nullptr; // import parameters only: the value the constructor sets
};

// The texts of one structure or table. For export groups a null name stands for the
// function's own export parameters.
template <class T> struct RfcTextGroup
{
    LPCTSTR lpszName;
    std::span<const RfcText<T>> texts;
};

// A text member named as the SAP field that it holds.
#define RFC_TEXT(wrapper, field)                                                                                       \
    {                                                                                                                  \
        _T(#field), &wrapper::field                                                                                    \
    }
// A text named after its structure or table and field, for fields whose names repeat in
// several containers of one module: RFC_MEMBER(wrapper, TABLE, FIELD) ties TABLE_FIELD to FIELD.
#define RFC_MEMBER(wrapper, container, field)                                                                          \
    {                                                                                                                  \
        _T(#field), &wrapper::container##_##field                                                                      \
    }
// An import parameter with its default.
#define RFC_IMPORT(wrapper, field, value)                                                                              \
    {                                                                                                                  \
        _T(#field), &wrapper::field, _T(value)                                                                         \
    }

class CBaseRfc : public CObject
{
    DECLARE_DYNAMIC(CBaseRfc)
public:
    // Never throws: a function that cannot be made leaves a wrapper that does nothing.
    CBaseRfc(CRfcConnection* pConnection, LPCTSTR lpszFunctionName);
    ~CBaseRfc() override;

    void CreateFunction(CRfcConnection* pConnection);
    void DestroyFunction();
    // The test before each use. A lookup that failed only because the connection was down is
    // repeated once the connection answers; a module that does not exist stays off.
    BOOL HasFunction(CRfcConnection* pConnection);
    RFC_FUNCTION_HANDLE GetFunctionHandle() const
    {
        return m_hFunction;
    }

    // A failed call pings the connection and re-opens it if it is dead, then throws.
    void CallFunctionModule(CRfcConnection* pConnection);
    void SetParameterActive(LPCTSTR lpszParameter, BOOL bActive);

    // A null container (function, structure or row) sets or reads nothing.
    void SetString(DATA_CONTAINER_HANDLE hContainer, LPCTSTR lpszName, const CString& strValue);
    void GetString(DATA_CONTAINER_HANDLE hContainer, LPCTSTR lpszName, CString& strValue);
    void GetBytes(DATA_CONTAINER_HANDLE hRow, SAP_UC* pBuffer, unsigned nLength);
    RFC_STRUCTURE_HANDLE GetStructure(DATA_CONTAINER_HANDLE hContainer, LPCTSTR lpszStructure);

    unsigned GetTableRowCount(LPCTSTR lpszTable);
    // The table handle, which now reads as the row.
    RFC_TABLE_HANDLE SetTableRow(LPCTSTR lpszTable, unsigned nRow);
    RFC_STRUCTURE_HANDLE AppendTableRow(LPCTSTR lpszTable);
    void DeleteTableRows(LPCTSTR lpszTable);

    // One or two hex digits ("7" reads as 0x70); the number of values read, 1 on success.
    static int PASCAL HexToByte(LPCTSTR lpszText, BYTE& byte);

    // The row hook: a client walks a result table by calling it for rows 0 to count - 1.
    virtual void OnTableRow(LPCTSTR lpszTable, unsigned nRow);

    template <class T> static void SetDefaults(T& object, std::type_identity_t<std::span<const RfcText<T>>> texts)
    {
        for (const RfcText<T>& text : texts)
            object.*text.pText = text.lpszDefault != nullptr ? text.lpszDefault : _T("");
    }
    template <class T>
    void SetStrings(DATA_CONTAINER_HANDLE hContainer, const T& object,
                    std::type_identity_t<std::span<const RfcText<T>>> texts)
    {
        for (const RfcText<T>& text : texts)
            SetString(hContainer, text.lpszName, object.*text.pText);
    }
    template <class T>
    void GetStrings(DATA_CONTAINER_HANDLE hContainer, T& object,
                    std::type_identity_t<std::span<const RfcText<T>>> texts)
    {
        for (const RfcText<T>& text : texts)
            GetString(hContainer, text.lpszName, object.*text.pText);
    }
    // The function's export parameters and structures, group by group.
    template <class T> void GetExports(T& object, std::type_identity_t<std::span<const RfcTextGroup<T>>> groups)
    {
        for (const RfcTextGroup<T>& group : groups)
        {
            DATA_CONTAINER_HANDLE hContainer =
                group.lpszName == nullptr ? m_hFunction : GetStructure(m_hFunction, group.lpszName);
            GetStrings(hContainer, object, group.texts);
        }
    }
    // Positions the table, then reads the row into the texts of the first table of that name.
    template <class T>
    void ReadTableRow(T& object, LPCTSTR lpszTable, unsigned nRow,
                      std::type_identity_t<std::span<const RfcTextGroup<T>>> tables)
    {
        RFC_TABLE_HANDLE hRow = SetTableRow(lpszTable, nRow);
        for (const RfcTextGroup<T>& table : tables)
        {
            if (wcscmp(table.lpszName, lpszTable) == 0)
            {
                GetStrings(hRow, object, table.texts);
                return;
            }
        }
    }

    ULONGLONG m_nWindowStart; // seconds since 1970, for the readers of time windows
    ULONGLONG m_nRowTotal;    // a running total kept by the client

private:
    RFC_TABLE_HANDLE GetTableHandle(LPCTSTR lpszTable);

    RFC_FUNCTION_HANDLE m_hFunction;
    RFC_ERROR_INFO m_errorInfo;
    CMutex m_mutex;
    CString m_strFunctionName;
    BOOL m_bLookUpAgain; // the last lookup failed for another reason than a missing module
};
