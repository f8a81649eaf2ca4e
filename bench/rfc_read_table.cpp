// Reads a generated table of 100,000 rows and 20 fields through RFC_READ_TABLE into texts and
// prints the fields read per second, the median of several runs. The call itself, which the
// simulated system spends generating the rows, is timed apart.
//
// The RFC library is chosen once per process, so each measurement runs in a process of its own:
// this program starts itself in turns through the built-in landscape and through the stand-in
// library, and compares the two.
#include <nwrfc/Binding.h>
#include <nwrfc/tests/StandIn.h>
#include <rfc/BaseRfc.h>
#include <rfc/RfcConnection.h>
#include <rfc/RfcException.h>
#include <BenchFigures.h>
#include <testing/ChildProcess.h>
#include <testing/TempDirectory.h>

#include <shellapi.h>

#include <cstdio>
#include <vector>

namespace
{
const int kRows = 100000;
const int kFields = 20;
const int kRuns = 5;
const int kRounds = 9;
const LPCWSTR kTable = L"ZBENCH";

// The landscape of both libraries, read from LUMITER_LANDSCAPE.
const char kLandscape[] = "host benchhost os=Linux ip=10.0.0.1\n"
                          "database BEN system=ORACLE host=benchhost release=10.2.0\n"
                          "system BEN release=700 database=BEN clients=100\n"
                          "user BEN BENCH password=bench auth=*\n"
                          "instance BEN host=benchhost sysnr=00 services=dialog,update,enqueue,background,spool\n"
                          "table BEN ZBENCH rows=100000 fields=20\n";

struct Field
{
    int offset;
    int length;
};

struct Figures
{
    double callSeconds = 0;
    double fieldsPerSecond = 0;
};

// One process's measurement through the library it chose, the medians of its runs, written to
// the file: the library in use, then the call's seconds and the fields per second.
int Measure(LPCWSTR file)
{
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
    CStdioFile out(file, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    CString figures;
    figures.Format(L"%s\n%.6f %.1f\n", nwrfc::CBinding::Process().Describe().GetString(), Median(callSeconds),
                   Median(fieldsPerSecond));
    out.WriteString(figures);
    return 0;
}

// Starts this program to measure through the library given (null for the built-in landscape).
bool MeasureInProcess(LPCWSTR library, const CString& file, CString& description, Figures& figures)
{
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    SetEnvironmentVariableW(L"LUMITER_RFC_LIBRARY", library);
    const long exitCode = RunChildProcess(program, L"measure \"" + file + L"\"", 600000);
    SetEnvironmentVariableW(L"LUMITER_RFC_LIBRARY", nullptr);
    CStdioFile in;
    CString numbers;
    if (exitCode != 0 || !in.Open(file, CFile::modeRead | CFile::typeText) || !in.ReadString(description) ||
        !in.ReadString(numbers))
        return false;
    return swscanf(numbers, L"%lf %lf", &figures.callSeconds, &figures.fieldsPerSecond) == 2;
}
} // namespace

int main()
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc == 3 && wcscmp(argv[1], L"measure") == 0)
        return Measure(argv[2]);
    LocalFree(argv);

    TempDirectory directory;
    const CString landscape = directory.File(L"bench-landscape.txt");
    CFile(landscape, CFile::modeCreate | CFile::modeWrite).Write(kLandscape, sizeof(kLandscape) - 1);
    SetEnvironmentVariableW(L"LUMITER_LANDSCAPE", landscape);

    const CString standIn = StandInPath();
    const LPCWSTR kLibraries[] = {nullptr, standIn};
    CString descriptions[2];
    std::vector<double> callSeconds[2], fieldsPerSecond[2];
    // In turns, so that both meet the same load of a shared machine.
    for (int round = 0; round < kRounds; round++)
    {
        for (int library = 0; library < 2; library++)
        {
            Figures figures;
            if (!MeasureInProcess(kLibraries[library], directory.File(L"figures.txt"), descriptions[library], figures))
            {
                std::fprintf(stderr, "the measurement through %ls failed\n",
                             library == 0 ? L"the built-in landscape" : standIn.GetString());
                return 1;
            }
            callSeconds[library].push_back(figures.callSeconds);
            fieldsPerSecond[library].push_back(figures.fieldsPerSecond);
        }
    }
    std::printf("rfc_read_table: %d rows x %d fields, median of %d runs in each of %d processes per library\n", kRows,
                kFields, kRuns, kRounds);
    for (int library = 0; library < 2; library++)
    {
        std::printf("%ls\n", descriptions[library].GetString());
        std::printf("  call (the simulated system generates the rows): %.3f s\n", Median(callSeconds[library]));
        std::printf("  reading into texts: %.0f fields per second\n", Median(fieldsPerSecond[library]));
    }
    std::printf("stand-in library / built-in landscape, fields per second: %.3f\n",
                Median(fieldsPerSecond[1]) / Median(fieldsPerSecond[0]));
    return 0;
}
