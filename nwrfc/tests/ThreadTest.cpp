#include "RfcFixture.h"

#include <afxwin.h>

#include <nwrfc/EntryCounters.h>
#include <nwrfc/HandleRegistry.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

namespace
{
// Reads the programs of TRDIR and the CPU figures over a connection of its own, many times.
struct CReader
{
    LPCWSTR host;
    LPCWSTR sysnr;
    LPCWSTR client;
    int rounds = 0;
    std::vector<CString> result;
    CString failure;

    static CString Read(RFC_CONNECTION_HANDLE connection, RFC_FUNCTION_HANDLE table, RFC_FUNCTION_HANDLE cpu)
    {
        RFC_ERROR_INFO error;
        if (RfcInvoke(connection, table, &error) != RFC_OK || RfcInvoke(connection, cpu, &error) != RFC_OK)
            return CString(L"invoke failed: ") + error.message;
        RFC_TABLE_HANDLE data = nullptr;
        unsigned rows = 0;
        RfcGetTable(table, L"DATA", &data, &error);
        RfcGetRowCount(data, &rows, &error);
        CString text;
        SAP_UC buffer[512];
        unsigned length = 0;
        for (unsigned row = 0; row < rows; ++row)
        {
            RfcMoveTo(data, row, &error);
            if (RfcGetString(data, L"WA", buffer, 512, &length, &error) != RFC_OK)
                return CString(L"read failed: ") + error.message;
            text += CString(buffer, static_cast<int>(length)) + L"|";
        }
        RFC_TABLE_HANDLE figures = nullptr;
        RfcGetTable(cpu, L"TF_CPU_ALL", &figures, &error);
        RfcGetString(figures, L"USR_TOTAL", buffer, 512, &length, &error);
        return text + CString(buffer, static_cast<int>(length));
    }

    static UINT Run(LPVOID parameter)
    {
        auto* reader = static_cast<CReader*>(parameter);
        const RFC_CONNECTION_PARAMETER logon[] = {{L"ashost", reader->host},
                                                  {L"sysnr", reader->sysnr},
                                                  {L"client", reader->client},
                                                  {L"user", L"LUMITER"},
                                                  {L"passwd", L"Lumiter5!"}};
        RFC_ERROR_INFO error;
        for (int round = 0; round < reader->rounds && reader->failure.IsEmpty(); ++round)
        {
            RFC_CONNECTION_HANDLE connection = RfcOpenConnection(logon, 5, &error);
            RFC_FUNCTION_HANDLE table =
                RfcCreateFunction(RfcGetFunctionDesc(connection, L"RFC_READ_TABLE", &error), &error);
            RFC_FUNCTION_HANDLE cpu = RfcCreateFunction(RfcGetFunctionDesc(connection, L"GET_CPU_ALL", &error), &error);
            RfcSetString(table, L"QUERY_TABLE", L"TRDIR", 5, &error);
            RfcSetString(table, L"ROWCOUNT", L"300", 3, &error);
            const CString text = Read(connection, table, cpu);
            reader->result.push_back(text);
            RfcDestroyFunction(table, &error);
            RfcDestroyFunction(cpu, &error);
            if (RfcCloseConnection(connection, &error) != RFC_OK)
                reader->failure = error.message;
        }
        return 0;
    }
};

class ThreadTest : public RfcFixture
{
};

TEST_F(ThreadTest, ConnectionsOnDifferentThreadsDoNotDisturbEachOther)
{
    const size_t openAtStart = nwrfc::CHandleRegistry::Instance().OpenCount();
    std::vector<std::unique_ptr<CReader>> readers;
    const LPCWSTR kInstances[][3] = {
        {L"saplx01", L"00", L"100"}, {L"sapwin01", L"01", L"100"}, {L"sapwin01", L"10", L"200"}};
    for (int i = 0; i < 6; ++i)
        readers.push_back(std::make_unique<CReader>(
            CReader{kInstances[i % 3][0], kInstances[i % 3][1], kInstances[i % 3][2], 40, {}, {}}));

    std::vector<CWinThread*> threads;
    for (const auto& reader : readers)
    {
        CWinThread* thread = AfxBeginThread(CReader::Run, reader.get(), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(nullptr, thread);
        thread->m_bAutoDelete = FALSE;
        thread->ResumeThread();
        threads.push_back(thread);
    }
    for (CWinThread* thread : threads)
    {
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(*thread, 60000));
        delete thread;
    }

    for (size_t i = 0; i < readers.size(); ++i)
    {
        const CReader& reader = *readers[i];
        EXPECT_TRUE(reader.failure.IsEmpty()) << reader.failure.GetString();
        ASSERT_EQ(40u, reader.result.size());
        // The same system and time give the same data on every round and every thread.
        const CReader& twin = *readers[i % 3];
        for (const CString& text : reader.result)
            EXPECT_EQ(twin.result[0], text);
        EXPECT_EQ(
            300, std::count(twin.result[0].GetString(), twin.result[0].GetString() + twin.result[0].GetLength(), L'|'));
    }
    EXPECT_NE(readers[0]->result[0], readers[2]->result[0]) << "PRD and OLD have tables of their own";
    EXPECT_EQ(openAtStart, nwrfc::CHandleRegistry::Instance().OpenCount());
}
TEST_F(ThreadTest, CallsOfThreadsThatEndedStayCounted)
{
    // Each wave's threads end before the next starts, which takes over what they kept.
    const unsigned long long before = nwrfc::CEntryCounters::Get(nwrfc::EntryPoint::GetRowCount);
    for (int wave = 1; wave <= 3; ++wave)
    {
        std::vector<std::thread> threads;
        for (int i = 0; i < 4; ++i)
        {
            threads.emplace_back([] {
                unsigned rows = 0;
                for (int call = 0; call < 10; ++call)
                    RfcGetRowCount(nullptr, &rows, nullptr);
            });
        }
        for (std::thread& thread : threads)
            thread.join();
        EXPECT_EQ(before + 40u * wave, nwrfc::CEntryCounters::Get(nwrfc::EntryPoint::GetRowCount));
    }
}
} // namespace

TEST_F(ThreadTest, AFunctionDestroyedWhileAnotherThreadReadsItIsRefusedThere)
{
    RFC_CONNECTION_HANDLE connection = Open();
    RFC_ERROR_INFO error;
    RFC_FUNCTION_DESC_HANDLE description = RfcGetFunctionDesc(connection, L"RFC_READ_TABLE", &error);
    ASSERT_NE(nullptr, description);
    for (int round = 0; round < 200; ++round)
    {
        RFC_FUNCTION_HANDLE function = RfcCreateFunction(description, &error);
        ASSERT_NE(nullptr, function);
        RfcSetString(function, L"QUERY_TABLE", L"TRDIR", 5, &error);
        std::atomic<int> reads{0};
        RFC_RC last = RFC_OK;
        CString wrong;
        std::thread reader([&] {
            SAP_UC buffer[16];
            unsigned length = 0;
            RFC_ERROR_INFO readError;
            while ((last = RfcGetString(function, L"QUERY_TABLE", buffer, 16, &length, &readError)) == RFC_OK)
            {
                if (CString(buffer, static_cast<int>(length)) != L"TRDIR" && wrong.IsEmpty())
                    wrong = buffer;
                reads.fetch_add(1, std::memory_order_relaxed);
            }
        });
        // Destroy while the reader is in full swing.
        while (reads.load(std::memory_order_relaxed) < 100 + round)
            SwitchToThread();
        EXPECT_EQ(RFC_OK, RfcDestroyFunction(function, &error));
        reader.join();
        EXPECT_EQ(RFC_INVALID_HANDLE, last);
        EXPECT_TRUE(wrong.IsEmpty()) << wrong.GetString();
    }
}
