// The landscape that the RFC tests log on to: one host that carries systems of several
// releases, one instance each, a mainframe host reached for remote access, and a fixture that
// loads it fresh for every test.
#pragma once

#include <nwrfc/EntryCounters.h>
#include <nwrfc/HandleRegistry.h>
#include <rfc/BaseRfc.h>
#include <rfc/RfcConnection.h>
#include <rfc/RfcException.h>
#include <sapsim/Landscape.h>

#include <span>

#include <gtest/gtest.h>

struct TestSystem
{
    LPCWSTR id;
    LPCWSTR release;
    LPCWSTR sysnr;
};

// "PRD" (release 700) answers on system number 00; the others are there for the release test.
inline constexpr TestSystem kTestSystems[] = {
    {L"PRD", L"700", L"00"}, {L"R64", L"640", L"01"}, {L"R46", L"46C", L"02"},
    {L"R71", L"701", L"03"}, {L"R72", L"710", L"04"},
};
inline constexpr LPCWSTR kHost = L"saplx01";
inline constexpr LPCWSTR kDomain = L"corp.example";
inline constexpr LPCWSTR kUser = L"TESTER";
inline constexpr LPCWSTR kPassword = L"secret";

sapsim::CTopology MakeTestTopology();

class SimulatedLandscape : public ::testing::Test
{
protected:
    void SetUp() override;

    static sapsim::CLandscape& Landscape()
    {
        return sapsim::CLandscape::Active();
    }
    // Logon data of the given system number; the connection stays closed.
    static void SetLogon(CRfcConnection& connection, LPCWSTR sysnr = L"00", LPCWSTR password = kPassword);
    static unsigned long long Count(sapsim::Operation operation, LPCWSTR module = nullptr)
    {
        return Landscape().Count(operation, module);
    }
    static void AddFault(sapsim::FaultKind kind, LPCWSTR module = L"", DWORD delayMs = 0);
    // Connections and functions that the library holds open.
    static size_t OpenHandles()
    {
        return nwrfc::CHandleRegistry::Instance().OpenCount();
    }
    // Calls of every entry point of the library.
    static unsigned long long LibraryCalls();
};

// By the wrapper shape a wrapper adds nothing but texts to its base, so its texts are the
// CString objects that follow the base.
template <class T> std::span<CString> TextsOf(T& wrapper)
{
    static_assert((sizeof(T) - sizeof(CBaseRfc)) % sizeof(CString) == 0);
    auto* first = reinterpret_cast<CString*>(reinterpret_cast<BYTE*>(&wrapper) + sizeof(CBaseRfc));
    return {first, (sizeof(T) - sizeof(CBaseRfc)) / sizeof(CString)};
}

// What the step threw, for the caller to read and delete; nullptr when it threw nothing.
template <class Step> CRfcException* Thrown(Step step)
{
    try
    {
        step();
    }
    catch (CRfcException* e)
    {
        return e;
    }
    return nullptr;
}

// The line of what the step threw, or "(nothing thrown)".
template <class Step> CString ThrownText(Step step)
{
    CRfcException* e = Thrown(step);
    if (e == nullptr)
        return L"(nothing thrown)";
    CString text = e->m_strText;
    e->Delete();
    return text;
}
