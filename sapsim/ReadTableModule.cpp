// RFC_READ_TABLE over the generated tables of a system: the program directory TRDIR, the BI
// statistics RSDDSTAT_OLAP and RSDDSTAT_DM, and tables of any other name with generic fields.
// A selection in OPTIONS is conditions "FIELD op 'value'" joined by AND and OR, with parentheses.
#include <sapsim/CallContext.h>
#include <sapsim/ModuleRegistry.h>

#include <algorithm>
#include <functional>
#include <string>

namespace sapsim
{
namespace
{
const int kLineWidth = 512;

struct CColumn
{
    CString name;
    int length;
    CString text;
};

// Fills one row's values, one per column, from its generator.
using RowMaker = std::function<void(CRandom& random, __time64_t moment, int row, std::vector<std::wstring>& values)>;

struct CLayout
{
    std::vector<CColumn> columns;
    RowMaker make;
    bool timed = false; // rows are events, one a minute up to now
};

std::wstring Digits(CRandom& random, int count)
{
    std::wstring text(count, L'0');
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(L'0' + random.Range(0, 9));
    return text;
}

std::wstring Letters(CRandom& random, int count)
{
    std::wstring text(count, L'A');
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(L'A' + random.Range(0, 25));
    return text;
}

// Decimal, with leading zeros up to the width.
std::wstring Number(long long value, int width = 0)
{
    wchar_t digits[24];
    _i64tow_s(value, digits, 24, 10);
    std::wstring text(digits);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, width - text.size(), L'0');
    return text;
}

std::wstring DateOf(__time64_t moment, LPCWSTR format)
{
    return std::wstring(CTime(moment).FormatGmt(format));
}

CLayout Trdir()
{
    CLayout layout;
    layout.columns = {{L"NAME", 40, L"ABAP program name"},
                      {L"EDTX", 1, L"Edit lock"},
                      {L"SUBC", 1, L"Program type"},
                      {L"SECU", 8, L"Authorization group"},
                      {L"CNAM", 12, L"Author"},
                      {L"CDAT", 8, L"Created on"},
                      {L"UNAM", 12, L"Last changed by"},
                      {L"UDAT", 8, L"Changed on"},
                      {L"VERN", 6, L"Version number"},
                      {L"RMAND", 3, L"Client"},
                      {L"SDATE", 8, L"Date"},
                      {L"STIME", 6, L"Time"}};
    layout.make = [](CRandom& random, __time64_t, int, std::vector<std::wstring>& values) {
        const long long kind = random.Range(0, 99);
        std::wstring name = kind < 6    ? L"Z" + Letters(random, 2) + L"_REPORT_" + Digits(random, 4)
                            : kind < 8  ? L"Y" + Letters(random, 3) + Digits(random, 3)
                            : kind < 60 ? L"SAPL" + Letters(random, 4) + Digits(random, 2)
                                        : L"RS" + Letters(random, 6) + Digits(random, 2);
        const __time64_t created = 946684800 + random.Range(0, 20LL * 365 * 86400);
        const std::wstring date = DateOf(created, L"%Y%m%d");
        values = {name,
                  L"",
                  kind < 60 ? L"F" : L"1",
                  L"",
                  name[0] == L'Z' || name[0] == L'Y' ? L"DEVELOPER" : L"SAP",
                  date,
                  L"SAP",
                  date,
                  Number(random.Range(1, 40), 6),
                  L"000",
                  date,
                  DateOf(created, L"%H%M%S")};
    };
    return layout;
}

const LPCWSTR kInfoProviders[] = {L"0SD_C03", L"0FIGL_C10", L"0PUR_C01", L"ZSALES_C01", L"0IC_C03"};
const LPCWSTR kUsers[] = {L"BWREMOTE", L"ANALYST1", L"ANALYST2", L"CONTROLLER", L"SALESMGR"};

CLayout RsddstatOlap()
{
    CLayout layout;
    layout.timed = true;
    layout.columns = {{L"SESSIONUID", 25, L"Session"},  {L"STEPUID", 25, L"Step"},
                      {L"HANDLEID", 4, L"Handle"},      {L"HANDLETP", 4, L"Handle type"},
                      {L"EVENTID", 4, L"Event"},        {L"UNAME", 12, L"User"},
                      {L"STEPTP", 4, L"Step type"},     {L"STEPCNT", 4, L"Step counter"},
                      {L"UTIME", 6, L"Time"},           {L"CALDAY", 8, L"Calendar day"},
                      {L"RUNTIME", 10, L"Run time"},    {L"INFOPROV", 30, L"InfoProvider"},
                      {L"OBJNAME", 30, L"Object"},      {L"OBJPROP", 10, L"Object property"},
                      {L"STATLEVEL", 2, L"Level"},      {L"EVTIME", 10, L"Event time"},
                      {L"EVCOUNT", 10, L"Event count"}, {L"EVENTIDCNT", 10, L"Event counter"},
                      {L"STARTTIME", 15, L"Start"}};
    layout.make = [](CRandom& random, __time64_t moment, int, std::vector<std::wstring>& values) {
        const std::wstring provider = kInfoProviders[random.Range(0, 4)];
        values = {Letters(random, 25),
                  Letters(random, 25),
                  Number(random.Range(1, 60), 4),
                  L"OLAP",
                  Number(random.Range(1, 3) * 1000 + random.Range(0, 99), 4),
                  kUsers[random.Range(0, 4)],
                  L"BEX3",
                  Number(random.Range(1, 30), 4),
                  DateOf(moment, L"%H%M%S"),
                  DateOf(moment, L"%Y%m%d"),
                  Number(random.Range(10, 90000)),
                  provider,
                  provider + L"_Q" + Digits(random, 3),
                  L"",
                  L"1",
                  L"   " + Number(random.Range(1, 50000), 7),
                  Number(random.Range(1, 500)),
                  Number(random.Range(1, 20)),
                  DateOf(moment, L"%Y%m%d%H%M%S") + L"0"};
    };
    return layout;
}

CLayout RsddstatDm()
{
    CLayout layout;
    layout.timed = true;
    layout.columns = {{L"STEPUID", 25, L"Step"},
                      {L"HANDLEID", 4, L"Handle"},
                      {L"HANDLETP", 4, L"Handle type"},
                      {L"UNAME", 12, L"User"},
                      {L"UTIME", 6, L"Time"},
                      {L"CALDAY", 8, L"Calendar day"},
                      {L"OBJNAME", 30, L"Object"},
                      {L"DMUID", 25, L"Data manager"},
                      {L"ACCESSCNT", 4, L"Accesses"},
                      {L"ACCESSTP", 4, L"Access type"},
                      {L"INFOPROV", 30, L"InfoProvider"},
                      {L"PARTPROV", 30, L"Part provider"},
                      {L"AGGREGATE", 30, L"Aggregate"},
                      {L"TABLTP", 4, L"Table type"},
                      {L"TIMEDMPREP", 10, L"Preparation"},
                      {L"TIMEDMPOST", 10, L"Postprocessing"},
                      {L"TIMEREAD", 10, L"Read time"},
                      {L"TIMESID", 10, L"SID time"},
                      {L"TIMENAVATTR", 10, L"Navigation"},
                      {L"TIMEHIERARCHY", 10, L"Hierarchy"},
                      {L"DBSEL", 10, L"Selected"},
                      {L"DBTRANS", 10, L"Transferred"},
                      {L"WP_ID", 4, L"Work process"},
                      {L"PROCESSCNT", 4, L"Processes"},
                      {L"SLOTNR", 4, L"Slot"},
                      {L"STARTTIME", 15, L"Start"}};
    layout.make = [](CRandom& random, __time64_t moment, int, std::vector<std::wstring>& values) {
        const std::wstring provider = kInfoProviders[random.Range(0, 4)];
        const long long selected = random.Range(10, 2000000);
        values = {Letters(random, 25),
                  Number(random.Range(1, 60), 4),
                  L"DM",
                  kUsers[random.Range(0, 4)],
                  DateOf(moment, L"%H%M%S"),
                  DateOf(moment, L"%Y%m%d"),
                  provider,
                  Letters(random, 25),
                  Number(random.Range(1, 9), 4),
                  Number(random.Range(0, 3), 4),
                  provider,
                  provider,
                  random.Range(0, 3) == 0 ? L"1" + Digits(random, 5) : L"",
                  L"F",
                  Number(random.Range(0, 500)),
                  Number(random.Range(0, 800)),
                  Number(random.Range(10, 60000)),
                  Number(random.Range(0, 900)),
                  Number(random.Range(0, 400)),
                  Number(random.Range(0, 300)),
                  Number(selected),
                  Number(selected / random.Range(1, 50)),
                  Number(random.Range(0, 30), 4),
                  Number(random.Range(1, 4), 4),
                  Number(random.Range(0, 20), 4),
                  DateOf(moment, L"%Y%m%d%H%M%S") + L"0"};
    };
    return layout;
}

CLayout Generic(int fieldCount)
{
    CLayout layout;
    for (int i = 1; i <= fieldCount; ++i)
    {
        CString name, text;
        name.Format(L"F%02d", i);
        text.Format(L"Field %d", i);
        layout.columns.push_back({name, 10, text});
    }
    layout.make = [](CRandom& random, __time64_t, int row, std::vector<std::wstring>& values) {
        for (size_t i = 0; i < values.size(); ++i)
            values[i] = i == 0 ? Number(row, 10) : i % 2 == 0 ? Letters(random, 8) : Number(random.Range(0, 999999));
    };
    return layout;
}

CLayout LayoutOf(const CTableInfo& table)
{
    if (table.name.CompareNoCase(L"TRDIR") == 0)
        return Trdir();
    if (table.name.CompareNoCase(L"RSDDSTAT_OLAP") == 0)
        return RsddstatOlap();
    if (table.name.CompareNoCase(L"RSDDSTAT_DM") == 0)
        return RsddstatDm();
    return Generic(table.fieldCount);
}

struct CCondition
{
    int column;
    CString op;
    CString value;

    bool Holds(const std::vector<std::wstring>& values) const
    {
        const int order = CString(values[column].c_str()).Trim().Compare(value);
        return op == L"="    ? order == 0
               : op == L"<>" ? order != 0
               : op == L"<"  ? order < 0
               : op == L"<=" ? order <= 0
               : op == L">"  ? order > 0
                             : order >= 0;
    }
};

// A condition, or conditions joined by AND or by OR. An empty AND holds for every row.
struct CSelection
{
    enum class Kind
    {
        Condition,
        And,
        Or,
    };
    Kind kind = Kind::And;
    CCondition condition{};
    std::vector<CSelection> parts;

    bool Holds(const std::vector<std::wstring>& values) const
    {
        switch (kind)
        {
        case Kind::Condition:
            return condition.Holds(values);
        case Kind::And:
            return std::all_of(parts.begin(), parts.end(), [&](const CSelection& part) { return part.Holds(values); });
        default:
            return std::any_of(parts.begin(), parts.end(), [&](const CSelection& part) { return part.Holds(values); });
        }
    }
};

int ColumnOf(const CLayout& layout, const CString& name)
{
    for (size_t i = 0; i < layout.columns.size(); ++i)
    {
        if (layout.columns[i].name.CompareNoCase(name) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

// The lines of OPTIONS are one text: conditions "FIELD op 'value'" joined by AND and OR, AND
// binding closer, in parentheses where needed. A literal may hold blanks.
class COptionsParser
{
public:
    COptionsParser(CCallContext& call, const CLayout& layout) : m_call(call), m_layout(layout)
    {
        const CTable& options = call.Input(L"OPTIONS");
        for (unsigned row = 0; row < options.RowCount(); ++row)
        {
            const std::wstring_view line = options.Row(row).Get(0);
            m_text += CString(line.data(), static_cast<int>(line.size())) + L" ";
        }
    }

    CSelection Parse()
    {
        if (Peek().IsEmpty())
            return CSelection();
        CSelection selection = Disjunction();
        if (!Peek().IsEmpty())
            m_call.Raise(L"OPTION_NOT_VALID");
        return selection;
    }

private:
    CSelection Disjunction()
    {
        return Joined(CSelection::Kind::Or, L"OR", [this] { return Conjunction(); });
    }
    CSelection Conjunction()
    {
        return Joined(CSelection::Kind::And, L"AND", [this] { return Operand(); });
    }
    template <class Next> CSelection Joined(CSelection::Kind kind, LPCWSTR word, Next next)
    {
        CSelection joined;
        joined.kind = kind;
        joined.parts.push_back(next());
        while (Peek().CompareNoCase(word) == 0)
        {
            Take();
            joined.parts.push_back(next());
        }
        return joined.parts.size() == 1 ? joined.parts.front() : joined;
    }
    CSelection Operand()
    {
        if (Peek() == L"(")
        {
            Take();
            CSelection inner = Disjunction();
            if (Take() != L")")
                m_call.Raise(L"OPTION_NOT_VALID");
            return inner;
        }
        const LPCWSTR kOperators[][2] = {{L"=", L"="}, {L"EQ", L"="}, {L"<>", L"<>"}, {L"NE", L"<>"},
                                         {L"<", L"<"}, {L"LT", L"<"}, {L"<=", L"<="}, {L"LE", L"<="},
                                         {L">", L">"}, {L"GT", L">"}, {L">=", L">="}, {L"GE", L">="}};
        CSelection selection;
        selection.kind = CSelection::Kind::Condition;
        selection.condition.column = ColumnOf(m_layout, Take());
        const CString op = Take();
        for (const auto& known : kOperators)
        {
            if (op.CompareNoCase(known[0]) == 0)
                selection.condition.op = known[1];
        }
        const CString literal = Take();
        if (selection.condition.column < 0 || selection.condition.op.IsEmpty() || literal.GetLength() < 2 ||
            literal[0] != L'\'' || literal[literal.GetLength() - 1] != L'\'')
            m_call.Raise(L"OPTION_NOT_VALID");
        selection.condition.value = literal.Mid(1, literal.GetLength() - 2);
        return selection;
    }

    // The next token: a parenthesis, a quoted literal with its quotes, or a word; empty at
    // the end.
    CString Peek()
    {
        const int position = m_position;
        CString token = Take();
        m_position = position;
        return token;
    }
    CString Take()
    {
        while (m_position < m_text.GetLength() && m_text[m_position] == L' ')
            ++m_position;
        const int start = m_position;
        if (m_position >= m_text.GetLength())
            return CString();
        const wchar_t first = m_text[m_position];
        if (first == L'(' || first == L')')
            ++m_position;
        else if (first == L'\'')
        {
            const int close = m_text.Find(L'\'', m_position + 1);
            if (close < 0)
                m_call.Raise(L"OPTION_NOT_VALID");
            m_position = close + 1;
        }
        else
        {
            while (m_position < m_text.GetLength() && wcschr(L" ()'", m_text[m_position]) == nullptr)
                ++m_position;
        }
        return m_text.Mid(start, m_position - start);
    }

    CCallContext& m_call;
    const CLayout& m_layout;
    CString m_text;
    int m_position = 0;
};

// The requested columns, in the order of FIELDS, or all when FIELDS is empty.
std::vector<int> SelectedColumns(CCallContext& call, const CLayout& layout)
{
    std::vector<int> selected;
    const CTable& fields = call.Input(L"FIELDS");
    for (unsigned row = 0; row < fields.RowCount(); ++row)
    {
        const std::wstring_view name = fields.Row(row).Get(0);
        const int column = ColumnOf(layout, CString(name.data(), static_cast<int>(name.size())).Trim());
        if (column < 0)
            call.Raise(L"FIELD_NOT_VALID");
        selected.push_back(column);
    }
    if (selected.empty())
    {
        for (size_t i = 0; i < layout.columns.size(); ++i)
            selected.push_back(static_cast<int>(i));
    }
    return selected;
}

void ReadTable(CCallContext& call)
{
    const CSession& session = call.Session();
    const CTableInfo* table = session.System().FindTable(call.Import(L"QUERY_TABLE"));
    if (table == nullptr)
        call.Raise(L"TABLE_NOT_AVAILABLE");
    const CLayout layout = LayoutOf(*table);
    const std::vector<int> selected = SelectedColumns(call, layout);
    const CSelection selection = COptionsParser(call, layout).Parse();
    const CString delimiter = call.Import(L"DELIMITER");

    CTableWriter fields = call.Result(L"FIELDS");
    int offset = 0;
    for (int column : selected)
    {
        const CColumn& field = layout.columns[column];
        fields.Append()
            .Set(L"FIELDNAME", field.name)
            .Set(L"OFFSET", Number(offset, 6).c_str())
            .Set(L"LENGTH", Number(field.length, 6).c_str())
            .Set(L"TYPE", L"C")
            .Set(L"FIELDTEXT", field.text);
        offset += field.length + delimiter.GetLength();
    }
    if (offset - delimiter.GetLength() > kLineWidth)
        call.Raise(L"DATA_BUFFER_EXCEEDED");

    CTableWriter data = call.Result(L"DATA");
    if (!call.Import(L"NO_DATA").IsEmpty())
        return;
    const long long skip = _wtoi64(call.Import(L"ROWSKIPS"));
    const long long count = _wtoi64(call.Import(L"ROWCOUNT"));
    data.Reserve(static_cast<unsigned>(count > 0 ? std::min<long long>(count, table->rows) : table->rows));
    const UINT64 tableSeed = CRandom::Mix(CRandom::Mix(session.Topology().seed, session.System().id), table->name);
    const __time64_t lastMinute = call.Now() - call.Now() % 60;
    std::vector<std::wstring> values(layout.columns.size());
    std::wstring line;
    long long matched = 0;
    long long written = 0;
    for (int row = 0; row < table->rows && (count <= 0 || written < count); ++row)
    {
        // Events keep their values as time goes on: they are seeded by their own minute.
        const __time64_t moment = layout.timed ? lastMinute - 60LL * (table->rows - 1 - row) : 0;
        CRandom random(CRandom::Mix(tableSeed, static_cast<UINT64>(layout.timed ? moment : row)));
        layout.make(random, moment, row, values);
        if (!selection.Holds(values) || matched++ < skip)
            continue;
        line.clear();
        for (size_t i = 0; i < selected.size(); ++i)
        {
            const size_t length = layout.columns[selected[i]].length;
            const std::wstring_view value = std::wstring_view(values[selected[i]]).substr(0, length);
            if (i > 0)
                line += delimiter.GetString();
            line += value;
            line.append(length - value.size(), L' ');
        }
        while (!line.empty() && line.back() == L' ')
            line.pop_back();
        data.Append().Set(L"WA", line.c_str());
        ++written;
    }
}
} // namespace

void RegisterReadTable(CModuleRegistry& registry)
{
    registry.AddModule(
        L"RFC_READ_TABLE",
        {Import(L"QUERY_TABLE", 30), Import(L"DELIMITER", 1), Import(L"NO_DATA", 1), Import(L"ROWSKIPS", 11, L"0"),
         Import(L"ROWCOUNT", 11, L"0"), Tables(L"OPTIONS", registry.AddType(L"RFC_DB_OPT", {Char(L"TEXT", 72)})),
         Tables(L"FIELDS",
                registry.AddType(L"RFC_DB_FLD", {Char(L"FIELDNAME", 30), Char(L"OFFSET", 6), Char(L"LENGTH", 6),
                                                 Char(L"TYPE", 1), Char(L"FIELDTEXT", 60)})),
         Tables(L"DATA", registry.AddType(L"TAB512", {Char(L"WA", kLineWidth)}))},
        ReadTable);
}

} // namespace sapsim
