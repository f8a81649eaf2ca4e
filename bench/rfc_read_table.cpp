// Reads a generated table of 100,000 rows and 20 fields through RFC_READ_TABLE into texts and
// prints the fields read per second, the median of several runs. The call itself, which the
// simulated system spends generating the rows, is timed apart.
#include <rfc/BaseRfc.h>
#include <rfc/RfcConnection.h>
#include <rfc/RfcException.h>
#include <sapsim/Landscape.h>
#include <BenchFigures.h>

#include <cstdio>
#include <vector>

namespace
{
const int kRows = 100000;
const int kFields = 20;
const int kRuns = 5;
const LPCWSTR kTable = L"ZBENCH";

sapsim::CTopology BenchTopology()
{
    sapsim::CTopology topology;
    sapsim::CHostInfo host;
    host.name = L"benchhost";
    host.os = L"Linux";
    host.ip = L"10.0.0.1";
    topology.hosts.push_back(host);
    topology.databases.push_back(sapsim::CDatabaseInfo{L"BEN", L"ORACLE", L"benchhost", L"10.2.0"});
    sapsim::CSystemInfo system;
    system.id = L"BEN";
    system.release = L"700";
    system.database = L"BEN";
    system.clients = {L"100"};
    system.users = {sapsim::CUserInfo{L"BENCH", L"bench", {L"*"}}};
    system.instances = {sapsim::CInstanceInfo{L"benchhost", L"00", 0x1F}};
    system.tables = {sapsim::CTableInfo{kTable, kRows, kFields}};
    topology.systems.push_back(system);
    return topology;
}

struct Field
{
    int offset;
    int length;
};
} // namespace

int main()
{
    sapsim::CLandscape::Active().Load(BenchTopology());
    CRfcConnection connection;
    connection.SetLogonData(L"", L"benchhost", L"", L"00", L"100", L"BENCH", L"bench", L"EN");
    std::vector<double> callSeconds;
    std::vector<double> fieldsPerSecond;
    try
    {
        connection.Connect();
        CBaseRfc reader(&connection, L"RFC_READ_TABLE");
        if (!reader.HasFunction(&connection))
        {
            std::fprintf(stderr, "RFC_READ_TABLE is missing\n");
            return 1;
        }
        RFC_FUNCTION_HANDLE hFunction = reader.GetFunctionHandle();
        reader.SetString(hFunction, L"QUERY_TABLE", kTable);
        reader.SetString(hFunction, L"DELIMITER", L"");
        for (int run = 0; run < kRuns; run++)
        {
            const Clock::time_point called = Clock::now();
            reader.CallFunctionModule(&connection);
            const Clock::time_point start = Clock::now();

            // Where each field stands in a data row.
            std::vector<Field> fields(reader.GetTableRowCount(L"FIELDS"));
            CString offset, length;
            for (unsigned i = 0; i < fields.size(); i++)
            {
                RFC_TABLE_HANDLE hRow = reader.SetTableRow(L"FIELDS", i);
                reader.GetString(hRow, L"OFFSET", offset);
                reader.GetString(hRow, L"LENGTH", length);
                fields[i] = {_wtoi(offset), _wtoi(length)};
            }
            const unsigned rows = reader.GetTableRowCount(L"DATA");
            CString line;
            std::vector<CString> texts(fields.size());
            for (unsigned row = 0; row < rows; row++)
            {
                reader.GetString(reader.SetTableRow(L"DATA", row), L"WA", line);
                for (size_t i = 0; i < fields.size(); i++)
                {
                    texts[i] = line.Mid(fields[i].offset, fields[i].length);
                    texts[i].Trim();
                }
            }
            const Clock::time_point end = Clock::now();
            if (rows != static_cast<unsigned>(kRows) || fields.size() != static_cast<size_t>(kFields))
            {
                std::fprintf(stderr, "read %u rows of %zu fields, expected %d of %d\n", rows, fields.size(), kRows,
                             kFields);
                return 1;
            }
            reader.DeleteTableRows(L"DATA");
            reader.DeleteTableRows(L"FIELDS");
            callSeconds.push_back(Seconds(start - called));
            fieldsPerSecond.push_back(static_cast<double>(rows) * static_cast<double>(fields.size()) /
                                      Seconds(end - start));
        }
    }
    catch (CRfcException* e)
    {
        std::fprintf(stderr, "failed: %ls\n", e->m_strText.GetString());
        e->Delete();
        return 1;
    }
    std::printf("rfc_read_table: %d rows x %d fields, median of %d runs\n", kRows, kFields, kRuns);
    std::printf("  call (the simulated system generates the rows): %.3f s\n", Median(callSeconds));
    std::printf("  reading into texts: %.0f fields per second\n", Median(fieldsPerSecond));
    return 0;
}
