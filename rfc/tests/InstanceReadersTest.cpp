#include "SimulatedLandscape.h"

#include <rfc/PflGetServerParamValues.h>
#include <rfc/ThRequestQueue.h>
#include <rfc/ThSaprel.h>
#include <rfc/ThWpInfo.h>

#include <functional>
#include <memory>
#include <vector>

namespace
{
using sapsim::FaultKind;
using sapsim::Operation;

struct InstanceCase
{
    LPCWSTR module = nullptr;
    LPCWSTR table = nullptr;
    std::function<std::unique_ptr<CBaseRfc>(CRfcConnection*)> make;
    // Sets the imports, calls and reads the exports.
    std::function<void(CBaseRfc&, CRfcConnection&)> get;
    // Every text that a call and its first row fill.
    std::function<std::vector<CString>(CBaseRfc&)> texts;
};

template <class T> InstanceCase Case(LPCWSTR module, LPCWSTR table, std::vector<CString T::*> members)
{
    InstanceCase c;
    c.module = module;
    c.table = table;
    c.make = [](CRfcConnection* pConnection) { return std::make_unique<T>(pConnection); };
    c.get = [](CBaseRfc& rfc, CRfcConnection& connection) {
        T& wrapper = static_cast<T&>(rfc);
        if constexpr (requires { wrapper.SetImportParameters(); })
            wrapper.SetImportParameters();
        wrapper.CallFunctionModule(&connection);
        if constexpr (requires { wrapper.GetExportParameters(); })
            wrapper.GetExportParameters();
    };
    c.texts = [members](CBaseRfc& rfc) {
        std::vector<CString> texts;
        for (CString T::*member : members)
            texts.push_back(static_cast<T&>(rfc).*member);
        return texts;
    };
    return c;
}

std::vector<InstanceCase> InstanceCases()
{
    using W = CThWpInfo;
    return {
        Case<CThSaprel>(L"TH_SAPREL", L"KERN_INFO",
                        {&CThSaprel::KERN_REL, &CThSaprel::KERN_DBLIB, &CThSaprel::KERN_COMP_ON,
                         &CThSaprel::KERN_COMP_TIME, &CThSaprel::KERN_PATCHLEVEL, &CThSaprel::THLINE}),
        Case<CPflGetServerParamValues>(L"PFL_GET_SERVER_PARAM_VALUES", L"SUBST_SRV_PARAM_TBL",
                                       {&CPflGetServerParamValues::STATUS, &CPflGetServerParamValues::PARAM_NAME,
                                        &CPflGetServerParamValues::USER_VALUE, &CPflGetServerParamValues::DFL_VALUE}),
        Case<CThRequestQueue>(L"TH_REQUEST_QUEUE", L"REQUEST_QUEUES", {&CThRequestQueue::THLINE}),
        Case<W>(L"TH_WPINFO", L"WPLIST",
                {&W::WP_NO,      &W::WP_ITYPE,   &W::WP_TYP,     &W::WP_PID,     &W::WP_ISTATUS,
                 &W::WP_STATUS,  &W::WP_IWAIT,   &W::WP_WAITING, &W::WP_SEM,     &W::WP_IRESTRT,
                 &W::WP_RESTART, &W::WP_DUMPS,   &W::WP_CPU,     &W::WP_ELTIME,  &W::WP_MANDT,
                 &W::WP_BNAME,   &W::WP_REPORT,  &W::WP_IACTION, &W::WP_ACTION,  &W::WP_TABLE,
                 &W::WP_SERVER,  &W::WP_WAITINF, &W::WP_WAITTIM, &W::WP_SEMSTAT, &W::WP_INDEX}),
    };
}

class InstanceReadersTest : public SimulatedLandscape
{
protected:
    void SetUp() override
    {
        SimulatedLandscape::SetUp();
        SetLogon(m_connection);
        m_connection.Connect();
    }

    CRfcConnection m_connection;
};
} // namespace

TEST_F(InstanceReadersTest, EveryReaderReadsEveryFieldCutTo512)
{
    AddFault(FaultKind::OverlongValues);
    for (const InstanceCase& c : InstanceCases())
    {
        SCOPED_TRACE(c.module);
        std::unique_ptr<CBaseRfc> reader = c.make(&m_connection);
        ASSERT_TRUE(reader->HasFunction(&m_connection));
        for (const CString& text : c.texts(*reader))
            EXPECT_STREQ(text, L"");
        const unsigned long long invokes = Count(Operation::Invoke, c.module);
        c.get(*reader, m_connection);
        EXPECT_EQ(Count(Operation::Invoke, c.module), invokes + 1);
        ASSERT_GT(reader->GetTableRowCount(c.table), 0u);
        reader->OnTableRow(c.table, 0);
        int i = 0;
        for (const CString& text : c.texts(*reader))
            EXPECT_EQ(text.GetLength(), 512) << i++;
    }
}

TEST_F(InstanceReadersTest, AnEmptyResultGivesNoRows)
{
    AddFault(FaultKind::EmptyResult);
    for (const InstanceCase& c : InstanceCases())
    {
        SCOPED_TRACE(c.module);
        std::unique_ptr<CBaseRfc> reader = c.make(&m_connection);
        c.get(*reader, m_connection);
        EXPECT_EQ(reader->GetTableRowCount(c.table), 0u);
        for (const CString& text : c.texts(*reader))
            EXPECT_STREQ(text, L"");
    }
}

TEST_F(InstanceReadersTest, KernelReleaseReadsExportsAndAnyTable)
{
    CThSaprel saprel(&m_connection);
    EXPECT_STREQ(saprel.DYNPRO, L" ");
    saprel.SetImportParameters();
    saprel.CallFunctionModule(&m_connection);
    saprel.GetExportParameters();
    EXPECT_STREQ(saprel.KERN_REL, L"721");
    EXPECT_STREQ(saprel.KERN_DBLIB, L"ORACLE 10.2.0");
    EXPECT_FALSE(saprel.KERN_PATCHLEVEL.IsEmpty());
    saprel.OnTableRow(L"KERN_INFO", 0);
    EXPECT_EQ(saprel.THLINE.Find(L"721"), saprel.THLINE.GetLength() - 3);
    EXPECT_NE(ThrownText([&] { saprel.OnTableRow(L"NO_SUCH_TABLE", 0); }).Find(L"NO_SUCH_TABLE"), -1);
}

TEST_F(InstanceReadersTest, BothParameterTablesFillTheSameTexts)
{
    CPflGetServerParamValues parameters(&m_connection);
    parameters.CallFunctionModule(&m_connection);
    const unsigned rows = parameters.GetTableRowCount(L"SUBST_SRV_PARAM_TBL");
    ASSERT_EQ(parameters.GetTableRowCount(L"USUBST_SRV_PARAM_TBL"), rows);
    for (unsigned row = 0; row < rows; ++row)
    {
        parameters.OnTableRow(L"SUBST_SRV_PARAM_TBL", row);
        const CString texts[] = {parameters.STATUS, parameters.PARAM_NAME, parameters.USER_VALUE, parameters.DFL_VALUE};
        parameters.STATUS = parameters.PARAM_NAME = parameters.USER_VALUE = parameters.DFL_VALUE = L"x";
        parameters.OnTableRow(L"USUBST_SRV_PARAM_TBL", row);
        EXPECT_STREQ(parameters.STATUS, texts[0]);
        EXPECT_STREQ(parameters.PARAM_NAME, texts[1]);
        EXPECT_STREQ(parameters.USER_VALUE, texts[2]);
        EXPECT_STREQ(parameters.DFL_VALUE, texts[3]);
    }
    // An unset user value arrives empty, not padded.
    parameters.OnTableRow(L"SUBST_SRV_PARAM_TBL", 5);
    EXPECT_STREQ(parameters.PARAM_NAME, L"rdisp/max_wprun_time");
    EXPECT_STREQ(parameters.USER_VALUE, L"");
    EXPECT_STREQ(parameters.DFL_VALUE, L"600");
}

TEST_F(InstanceReadersTest, RequestQueuesListEveryQueue)
{
    CThRequestQueue queues(&m_connection);
    queues.CallFunctionModule(&m_connection);
    ASSERT_EQ(queues.GetTableRowCount(L"REQUEST_QUEUES"), 7u);
    const LPCWSTR names[] = {L"NOWP", L"DIA", L"UPD", L"ENQ", L"BTC", L"SPO", L"UP2"};
    for (unsigned row = 0; row < 7; ++row)
    {
        queues.OnTableRow(L"REQUEST_QUEUES", row);
        wchar_t name[8] = {};
        int numbers[5] = {};
        ASSERT_EQ(swscanf(queues.THLINE, L"%7ls %d %d %d %d %d", name, &numbers[0], &numbers[1], &numbers[2],
                          &numbers[3], &numbers[4]),
                  6);
        EXPECT_STREQ(name, names[row]);
        EXPECT_LE(numbers[0], numbers[1]);
    }
}

TEST_F(InstanceReadersTest, WorkProcessesGiveCpuOnlyWhenAsked)
{
    CThWpInfo wpInfo(&m_connection);
    EXPECT_STREQ(wpInfo.SRVNAME, L" ");
    EXPECT_STREQ(wpInfo.WITH_CPU, L"00");
    for (LPCWSTR withCpu : {L"00", L"01"})
    {
        SCOPED_TRACE(withCpu);
        wpInfo.WITH_CPU = withCpu;
        wpInfo.SetImportParameters();
        wpInfo.CallFunctionModule(&m_connection);
        // Six dialog, two update, one enqueue, three background and one spool process.
        ASSERT_EQ(wpInfo.GetTableRowCount(L"WPLIST"), 13u);
        for (unsigned row = 0; row < 13; ++row)
        {
            wpInfo.OnTableRow(L"WPLIST", row);
            EXPECT_EQ(_wtoi(wpInfo.WP_NO), static_cast<int>(row));
            EXPECT_EQ(wpInfo.WP_CPU.IsEmpty(), CString(withCpu) == L"00");
            EXPECT_STREQ(wpInfo.WP_SERVER, L"saplx01_PRD_00");
        }
        wpInfo.OnTableRow(L"WPLIST", 12);
        EXPECT_STREQ(wpInfo.WP_TYP, L"SPO");
    }
}
