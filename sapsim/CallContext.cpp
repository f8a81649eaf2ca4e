#include <sapsim/CallContext.h>

#include <sapsim/Failure.h>

namespace sapsim
{
namespace
{
[[noreturn]] void Unknown(const CStructureType& type, LPCWSTR name)
{
    CString message;
    message.Format(L"%s has no parameter or field %s.", type.Name().GetString(), name);
    CFailure::Throw(FailureKind::AbapRuntime, L"GENERATOR_FIELD_UNKNOWN", message);
}
} // namespace

CRecordWriter::CRecordWriter(CRecord* record, const CStructureType& type, unsigned base, const CFunctionData* function)
    : m_record(record), m_type(&type), m_base(base), m_function(function)
{
}

int CRecordWriter::Field(LPCWSTR field) const
{
    const int index = m_type->Find(field);
    if (index < 0)
        Unknown(*m_type, field);
    return index;
}

bool CRecordWriter::Writes(int field) const
{
    return m_record != nullptr && (m_function == nullptr || m_function->IsActive(field));
}

CRecordWriter& CRecordWriter::Set(LPCWSTR field, LPCWSTR value)
{
    const int index = Field(field);
    const CFieldDef& def = m_type->Field(index);
    if (def.kind == FieldKind::Structure || def.kind == FieldKind::Table)
        Unknown(*m_type, field);
    if (Writes(index))
    {
        std::wstring_view text(value);
        m_record->Set(m_base + m_type->SlotOf(index), text.substr(0, def.width));
    }
    return *this;
}

CRecordWriter& CRecordWriter::Set(LPCWSTR field, long long value)
{
    wchar_t text[24];
    _i64tow_s(value, text, 24, 10);
    return Set(field, text);
}

CRecordWriter& CRecordWriter::SetMoment(LPCWSTR dateField, LPCWSTR timeField, __time64_t moment)
{
    tm parts{};
    _gmtime64_s(&parts, &moment);
    CString text;
    text.Format(L"%04d%02d%02d", parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
    Set(dateField, text);
    text.Format(L"%02d%02d%02d", parts.tm_hour, parts.tm_min, parts.tm_sec);
    return Set(timeField, text);
}

CRecordWriter CRecordWriter::Structure(LPCWSTR field)
{
    const int index = Field(field);
    const CFieldDef& def = m_type->Field(index);
    if (def.kind != FieldKind::Structure)
        Unknown(*m_type, field);
    return CRecordWriter(Writes(index) ? m_record : nullptr, *def.type, m_base + m_type->SlotOf(index));
}

CRecordWriter CTableWriter::Append()
{
    return CRecordWriter(m_table == nullptr ? nullptr : &m_table->Append(), *m_rowType, 0);
}

void CTableWriter::Reserve(unsigned rows)
{
    if (m_table != nullptr)
        m_table->Reserve(rows);
}

CCallContext::CCallContext(const CSession& session, CFunctionData& function, __time64_t now, bool empty)
    : m_session(session), m_function(function), m_now(now), m_empty(empty)
{
}

CRandom CCallContext::Random(LPCWSTR subject, LPCWSTR stream) const
{
    UINT64 seed = CRandom::Mix(m_session.Topology().seed, subject);
    seed = CRandom::Mix(seed, stream);
    return CRandom(CRandom::Mix(seed, static_cast<UINT64>(m_now / 60)));
}

int CCallContext::Parameter(LPCWSTR name, bool table) const
{
    const int field = m_function.Type().Find(name);
    if (field < 0 || (m_function.Type().Field(field).kind == FieldKind::Table) != table ||
        m_function.Type().Field(field).kind == FieldKind::Structure)
        Unknown(m_function.Type(), name);
    return field;
}

const CHostInfo& CCallContext::TargetHost() const
{
    if (Import(L"LOCAL_REMOTE").CompareNoCase(L"LOCAL") == 0)
        return m_session.Host();
    const CString destination = Import(L"LOGICAL_DESTINATION");
    int position = 0;
    const CString prefix = destination.Tokenize(L".", position);
    const CString host = destination.Tokenize(L".", position);
    const CHostInfo* target = prefix.CompareNoCase(L"SAPCCMSR") == 0 ? m_session.Topology().FindHost(host) : nullptr;
    if (target == nullptr)
        Raise(L"DESTINATION_UNKNOWN");
    return *target;
}

CString CCallContext::Import(LPCWSTR name) const
{
    const std::wstring_view value = m_function.Parameters().Get(m_function.Type().SlotOf(Parameter(name, false)));
    CString text(value.data(), static_cast<int>(value.size()));
    return text.Trim();
}

const CTable& CCallContext::Input(LPCWSTR table) const
{
    return m_function.Table(m_function.Type().TableOf(Parameter(table, true)));
}

CRecordWriter CCallContext::Exports()
{
    return CRecordWriter(m_empty ? nullptr : &m_function.Parameters(), m_function.Type(), 0, &m_function);
}

CTableWriter CCallContext::Result(LPCWSTR table)
{
    const int field = Parameter(table, true);
    CTable& rows = m_function.Table(m_function.Type().TableOf(field));
    if (!m_function.IsActive(field))
        return CTableWriter(nullptr, rows.RowType());
    rows.Clear();
    return CTableWriter(m_empty ? nullptr : &rows, rows.RowType());
}

void CCallContext::Raise(LPCWSTR key) const
{
    CFailure::Throw(FailureKind::AbapException, key, key);
}

} // namespace sapsim
