// A fixture for tests of the RFC library over the default landscape at a fixed time, with
// small helpers that keep the tests about behaviour rather than about calling conventions.
#pragma once

#include <sapnwrfc.h>

#include <afx.h>
#include <sapsim/Landscape.h>

#include <gtest/gtest.h>

#include <vector>

class RfcFixture : public ::testing::Test
{
protected:
    static constexpr __time64_t kMonday10am = 1715594400; // 2024-05-13 10:00 UTC

    void SetUp() override
    {
        Landscape().Load(sapsim::CTopology::Default());
        Landscape().SetTime(kMonday10am);
    }
    void TearDown() override
    {
        for (RFC_CONNECTION_HANDLE connection : m_connections)
            RfcCloseConnection(connection, nullptr);
        Landscape().Load(sapsim::CTopology::Default());
    }

    static sapsim::CLandscape& Landscape()
    {
        return sapsim::CLandscape::Active();
    }

    // Logs on; the connection is closed at the end of the test.
    RFC_CONNECTION_HANDLE Open(LPCWSTR ashost = L"saplx01", LPCWSTR sysnr = L"00", LPCWSTR client = L"100",
                               LPCWSTR user = L"lumiter", LPCWSTR password = L"Lumiter5!")
    {
        const RFC_CONNECTION_PARAMETER parameters[] = {{L"ashost", ashost}, {L"sysnr", sysnr},     {L"client", client},
                                                       {L"user", user},     {L"passwd", password}, {L"lang", L"EN"},
                                                       {L"trace", L"0"}};
        RFC_CONNECTION_HANDLE connection = RfcOpenConnection(parameters, 7, &m_error);
        if (connection != nullptr)
            m_connections.push_back(connection);
        return connection;
    }

    // A function of the module on the connection; destroyed with the fixture's Destroy.
    RFC_FUNCTION_HANDLE Create(RFC_CONNECTION_HANDLE connection, LPCWSTR module)
    {
        RFC_FUNCTION_DESC_HANDLE description = RfcGetFunctionDesc(connection, module, &m_error);
        return description == nullptr ? nullptr : RfcCreateFunction(description, &m_error);
    }

    RFC_RC Set(DATA_CONTAINER_HANDLE container, LPCWSTR name, LPCWSTR value)
    {
        return RfcSetString(container, name, value, static_cast<unsigned>(wcslen(value)), &m_error);
    }

    // The field's text, or "<rc>" for a failed read.
    CString Get(DATA_CONTAINER_HANDLE container, LPCWSTR name)
    {
        SAP_UC buffer[512];
        unsigned length = 0;
        const RFC_RC rc = RfcGetString(container, name, buffer, 512, &length, &m_error);
        CString text;
        if (rc != RFC_OK)
            text.Format(L"<%d>", rc);
        else
            text = CString(buffer, static_cast<int>(length));
        return text;
    }

    RFC_TABLE_HANDLE Table(RFC_FUNCTION_HANDLE function, LPCWSTR name)
    {
        RFC_TABLE_HANDLE table = nullptr;
        EXPECT_EQ(RFC_OK, RfcGetTable(function, name, &table, &m_error)) << m_error.message;
        return table;
    }

    unsigned Rows(RFC_TABLE_HANDLE table)
    {
        unsigned count = 0;
        EXPECT_EQ(RFC_OK, RfcGetRowCount(table, &count, &m_error));
        return count;
    }

    // The values of one column, row by row.
    std::vector<CString> Column(RFC_FUNCTION_HANDLE function, LPCWSTR table, LPCWSTR field)
    {
        RFC_TABLE_HANDLE handle = Table(function, table);
        std::vector<CString> values;
        for (unsigned row = 0; row < Rows(handle); ++row)
        {
            EXPECT_EQ(RFC_OK, RfcMoveTo(handle, row, &m_error));
            values.push_back(Get(handle, field));
        }
        return values;
    }

    RFC_ERROR_INFO m_error{};
    std::vector<RFC_CONNECTION_HANDLE> m_connections;
};
