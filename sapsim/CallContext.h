// What a module's generator sees of one call: the session's system, instance and host, the
// import values, and writers for exports, export structures and result tables. Writes to
// inactive parameters go nowhere; texts are cut to their field's width.
#pragma once

#include <sapsim/FunctionData.h>
#include <sapsim/Random.h>
#include <sapsim/Session.h>

namespace sapsim
{

class CRecordWriter
{
public:
    // With no record every write is dropped. With a function, its inactive parameters are skipped.
    CRecordWriter(CRecord* record, const CStructureType& type, unsigned base, const CFunctionData* function = nullptr);

    CRecordWriter& Set(LPCWSTR field, LPCWSTR value);
    CRecordWriter& Set(LPCWSTR field, long long value);
    // A UTC moment as SAP's date (YYYYMMDD) and time (HHMMSS) fields.
    CRecordWriter& SetMoment(LPCWSTR dateField, LPCWSTR timeField, __time64_t moment);
    CRecordWriter Structure(LPCWSTR field);

private:
    int Field(LPCWSTR field) const;
    bool Writes(int field) const;

    CRecord* m_record;
    const CStructureType* m_type;
    unsigned m_base;
    const CFunctionData* m_function;
};

class CTableWriter
{
public:
    // With no table every row is dropped.
    CTableWriter(CTable* table, const CStructureType& rowType) : m_table(table), m_rowType(&rowType)
    {
    }

    CRecordWriter Append();
    void Reserve(unsigned rows);

private:
    CTable* m_table;
    const CStructureType* m_rowType;
};

class CCallContext
{
public:
    // Empty: exports and result tables stay empty whatever the generator writes.
    CCallContext(const CSession& session, CFunctionData& function, __time64_t now, bool empty);

    const CSession& Session() const
    {
        return m_session;
    }
    __time64_t Now() const
    {
        return m_now;
    }
    // The same numbers for the same seed, subject, stream and minute.
    CRandom Random(LPCWSTR subject, LPCWSTR stream) const;

    // The host that the imports LOCAL_REMOTE and LOGICAL_DESTINATION name: the session's own
    // for "LOCAL", else the one of a destination "SAPCCMSR.<host>.99".
    const CHostInfo& TargetHost() const;

    // Trimmed at both ends.
    CString Import(LPCWSTR name) const;
    const CTable& Input(LPCWSTR table) const;
    CRecordWriter Exports();
    // The table, emptied.
    CTableWriter Result(LPCWSTR table);
    // Ends the call with an ABAP exception.
    [[noreturn]] void Raise(LPCWSTR key) const;

private:
    int Parameter(LPCWSTR name, bool table) const;

    const CSession& m_session;
    CFunctionData& m_function;
    __time64_t m_now;
    bool m_empty;
};

} // namespace sapsim
