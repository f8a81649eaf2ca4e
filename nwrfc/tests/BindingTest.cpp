#include "StandIn.h"

#include <nwrfc/Binding.h>

#include <testing/PrintString.h>
#include <testing/TempDirectory.h>

#include <gtest/gtest.h>

#include <string>

using nwrfc::CBinding;

namespace
{
// The published field lists, widths in characters: the places where a library reads and writes.
struct Text
{
    size_t offset; // in bytes
    size_t width;
};

CString TextAt(const void* record, Text text)
{
    const auto* begin = reinterpret_cast<const SAP_UC*>(static_cast<const BYTE*>(record) + text.offset);
    return CString(begin, static_cast<int>(wcsnlen(begin, text.width)));
}

// The stand-in with the exports of the names renamed, so that they are not found.
std::string WithoutExports(std::string bytes, std::initializer_list<const char*> names)
{
    for (const char* name : names)
    {
        const std::string exported = std::string(1, '\0') + name + '\0';
        const size_t at = bytes.find(exported);
        EXPECT_NE(std::string::npos, at) << name;
        if (at != std::string::npos)
            bytes[at + exported.size() - 2] = '_';
    }
    return bytes;
}

class BindingTest : public ::testing::Test
{
protected:
    const CBinding& StandIn()
    {
        static const CBinding standIn = CBinding::Load(StandInPath());
        return standIn;
    }
    // Logs on to the default landscape through the stand-in.
    RFC_CONNECTION_HANDLE Open(LPCWSTR password, RFC_ERROR_INFO& error)
    {
        const RFC_CONNECTION_PARAMETER parameters[] = {
            {L"ashost", L"saplx01"}, {L"sysnr", L"00"}, {L"client", L"100"}, {L"user", L"lumiter"},
            {L"passwd", password},   {L"lang", L"EN"},  {L"trace", L"0"}};
        return StandIn().Functions().RfcOpenConnection(parameters, 7, &error);
    }
};
} // namespace

TEST_F(BindingTest, WithoutALibraryTheProcessTalksToTheBuiltInLandscape)
{
    ASSERT_EQ(CBinding::Kind::BuiltIn, CBinding::Process().GetKind());
    EXPECT_EQ(CString(L"RFC library: built-in simulated SAP landscape (default)"), CBinding::Process().Describe());
    unsigned version[3] = {9, 9, 9};
    EXPECT_STREQ(L"1.0.0 simulated SAP landscape", RfcGetVersion(&version[0], &version[1], &version[2]));
    EXPECT_EQ(1u, version[0]);
}

TEST_F(BindingTest, TheStandInFillsTheRecordsAtTheirPublishedPlaces)
{
    ASSERT_EQ(CBinding::Kind::Loaded, StandIn().GetKind()) << StandIn().Error().GetString();
    EXPECT_EQ(L"RFC library: " + StandInPath() + L", version 1.0.0", StandIn().Describe());
    const nwrfc::CFunctionTable& library = StandIn().Functions();

    // code, group, key[128], message[512], abapMsgClass[21], abapMsgType[2], abapMsgNumber[4].
    const Text key{8, 128}, message{8 + 2 * 128, 512}, abapClass{8 + 2 * 640, 21}, abapType{8 + 2 * 661, 2},
        abapNumber{8 + 2 * 663, 4};
    RFC_ERROR_INFO error;
    memset(&error, 0x55, sizeof(error));
    EXPECT_EQ(nullptr, Open(L"wrong", error));
    const auto* numbers = reinterpret_cast<const int*>(&error);
    EXPECT_EQ(RFC_LOGON_FAILURE, numbers[0]);
    EXPECT_EQ(LOGON_FAILURE, numbers[1]);
    EXPECT_EQ(CString(L"RFC_ERROR_LOGON_FAILURE"), TextAt(&error, key));
    EXPECT_EQ(CString(L"Name or password is incorrect (repeat logon)"), TextAt(&error, message));
    for (const Text& empty : {abapClass, abapType, abapNumber})
        EXPECT_EQ(CString(), TextAt(&error, empty));

    RFC_CONNECTION_HANDLE connection = Open(L"Lumiter5!", error);
    ASSERT_NE(nullptr, connection) << error.message;
    EXPECT_EQ(RFC_OK, numbers[0]);
    EXPECT_EQ(nullptr, library.RfcGetFunctionDesc(connection, L"Z_NOT_THERE", &error));
    EXPECT_EQ(RFC_NOT_FOUND, numbers[0]);
    EXPECT_EQ(ABAP_APPLICATION_FAILURE, numbers[1]);
    EXPECT_EQ(CString(L"FU_NOT_FOUND"), TextAt(&error, key));
    EXPECT_EQ(CString(L"Function module \"Z_NOT_THERE\" not found"), TextAt(&error, message));

    // The 20 texts that the connection copies, dest to progName, at their published places.
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = L"";
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    GetComputerNameW(computer, &length);
    const struct
    {
        LPCWSTR name;
        size_t width;
        CString expected;
    } kAttributes[] = {{L"dest", 65, L""},
                       {L"host", 101, computer},
                       {L"partnerHost", 101, L"saplx01"},
                       {L"sysNumber", 3, L"00"},
                       {L"sysId", 9, L"PRD"},
                       {L"client", 4, L"100"},
                       {L"user", 13, L"LUMITER"},
                       {L"language", 3, L"E"},
                       {L"trace", 2, L"0"},
                       {L"isoLanguage", 3, L"EN"},
                       {L"codepage", 5, L"4103"},
                       {L"partnerCodepage", 5, L"4103"},
                       {L"rfcRole", 2, L"C"},
                       {L"type", 2, L"E"},
                       {L"partnerType", 2, L"3"},
                       {L"rel", 5, L"720"},
                       {L"partnerRel", 5, L"700"},
                       {L"kernelRel", 5, L"700"},
                       {L"cpicConvId", 9, L"########"}, // eight digits
                       {L"progName", 129, L"SAPLSYST"}};
    RFC_ATTRIBUTES attributes;
    memset(&attributes, 0x55, sizeof(attributes));
    ASSERT_EQ(RFC_OK, library.RfcGetConnectionAttributes(connection, &attributes, &error));
    size_t offset = 0;
    for (const auto& attribute : kAttributes)
    {
        CString text = TextAt(&attributes, {offset, attribute.width});
        if (attribute.expected == L"########" && text.GetLength() == 8 && text.SpanIncluding(L"0123456789") == text)
            text = attribute.expected;
        EXPECT_EQ(attribute.expected, text) << attribute.name;
        offset += 2 * attribute.width;
    }
    EXPECT_EQ(RFC_OK, library.RfcCloseConnection(connection, &error));
    EXPECT_EQ(RFC_INVALID_HANDLE, library.RfcPing(connection, &error));
}

TEST_F(BindingTest, ALibraryThatCannotServeIsRefusedWithTheReason)
{
    TempDirectory directory;
    const std::string standIn = ReadBytes(StandInPath());
    WriteBytes(directory.File(L"notes.txt"), "RfcOpenConnection\r\n");
    WriteBytes(directory.File(L"cut.dll"), standIn.substr(0, 4096));
    std::string x86 = standIn;
    const size_t machine = *reinterpret_cast<const int32_t*>(&x86[0x3C]) + 4;
    x86[machine] = '\x4C';
    x86[machine + 1] = '\x01';
    WriteBytes(directory.File(L"x86.dll"), x86);
    WriteBytes(directory.File(L"old.dll"), WithoutExports(standIn, {"RfcGetChars"}));
    WriteBytes(directory.File(L"older.dll"), WithoutExports(standIn, {"RfcGetChars", "RfcPing"}));
    std::string needy = standIn;
    needy.replace(needy.find("COMCTL32.dll"), 12, "COMCTL99.dll");
    WriteBytes(directory.File(L"needy.dll"), needy);
    CreateDirectoryW(directory.File(L"folder.dll"), nullptr);
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);

    const struct
    {
        CString path;
        LPCWSTR problem; // after the path
        LPCWSTR end = L"";
    } kCases[] = {
        {directory.File(L"missing.dll"), L"does not exist"},
        {directory.File(L"folder.dll"), L"is a folder, not a 64-bit DLL"},
        {directory.File(L"notes.txt"), L"is not a 64-bit DLL (it is no Windows program file)"},
        {directory.File(L"x86.dll"), L"is not a 64-bit DLL (it is built for 32-bit Windows)"},
        {directory.File(L"cut.dll"), L"could not be loaded: "},
        {directory.File(L"needy.dll"), L"could not be loaded: ",
         L" (error 126); a DLL that it needs is missing from its folder and from the system's search path"},
        {CString(system) + L"\\version.dll", L"is not an RFC library: it exports none of the RFC functions"},
        {directory.File(L"old.dll"), L"lacks the function RfcGetChars"},
        {directory.File(L"older.dll"), L"lacks the functions RfcPing, RfcGetChars"},
    };
    for (const auto& test : kCases)
    {
        const CBinding binding = CBinding::Load(test.path);
        EXPECT_EQ(CBinding::Kind::Refused, binding.GetKind()) << test.path.GetString();
        const CString expected = L"RFC library: " + test.path + L" " + test.problem;
        EXPECT_EQ(expected, binding.Error().Left(expected.GetLength()));
        EXPECT_EQ(CString(test.end), binding.Error().Right(static_cast<int>(wcslen(test.end))));
        EXPECT_EQ(binding.Error(), binding.Describe());
        RFC_ERROR_INFO error{};
        EXPECT_EQ(RFC_EXTERNAL_FAILURE, binding.Refuse(&error));
        EXPECT_STREQ(binding.Error(), error.message);
    }
}
