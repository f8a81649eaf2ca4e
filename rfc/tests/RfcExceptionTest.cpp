#include <rfc/RfcException.h>

#include <gtest/gtest.h>

#include <cwchar>

namespace
{
RFC_ERROR_INFO ErrorInfo(int code, int group, LPCWSTR key, LPCWSTR message)
{
    RFC_ERROR_INFO info{};
    info.code = static_cast<RFC_RC>(code);
    info.group = static_cast<RFC_ERROR_GROUP>(group);
    wcsncpy(info.key, key, std::size(info.key));
    wcsncpy(info.message, message, std::size(info.message));
    return info;
}

// Runs the throw and hands back what was thrown, as a catcher gets it.
template <class Throw> CRfcException* Caught(Throw throwIt)
{
    try
    {
        throwIt();
    }
    catch (CException* e)
    {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CRfcException)));
        return static_cast<CRfcException*>(e);
    }
    ADD_FAILURE() << "nothing thrown";
    return nullptr;
}
} // namespace

TEST(RfcException, NamesCodesAndGroups)
{
    const struct
    {
        int code;
        int group;
        LPCWSTR codeName;
        LPCWSTR groupName;
    } cases[] = {
        {0, 0, L"RFC_OK", L"OK"},
        {1, 4, L"RFC_COMMUNICATION_FAILURE", L"COMMUNICATION_FAILURE"},
        {2, 3, L"RFC_LOGON_FAILURE", L"LOGON_FAILURE"},
        {5, 1, L"RFC_ABAP_EXCEPTION", L"ABAP_APPLICATION_FAILURE"},
        {13, 2, L"RFC_INVALID_HANDLE", L"ABAP_RUNTIME_FAILURE"},
        {17, 5, L"RFC_NOT_FOUND", L"EXTERNAL_RUNTIME_FAILURE"},
        {21, 6, L"RFC_CODEPAGE_CONVERSION_FAILURE", L"EXTERNAL_APPLICATION_FAILURE"},
        {25, 0, L"RFC_TABLE_MOVE_EOF", L"OK"},
        {26, 7, L"UNDEFINED_ERROR_CODE", L"UNDEFINED_ERROR_GROUP"},
        {-5, -1, L"UNDEFINED_ERROR_CODE", L"UNDEFINED_ERROR_GROUP"},
    };
    for (const auto& c : cases)
    {
        CRfcException* e = Caught([&] {
            CRfcException::Throw(L"CBaseRfc::CallFunctionModule - RfcInvoke", ErrorInfo(c.code, c.group, L"K", L"M"));
        });
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->m_nCode, c.code);
        EXPECT_EQ(e->m_nGroup, c.group);
        EXPECT_STREQ(e->m_strCodeName, c.codeName);
        EXPECT_STREQ(e->m_strGroupName, c.groupName);
        CString expected;
        expected.Format(L"RFC Exception -> Function: CBaseRfc::CallFunctionModule - RfcInvoke() | Code: %s | Group: "
                        L"%s | Key: K | Message : M.",
                        c.codeName, c.groupName);
        EXPECT_STREQ(e->m_strText, expected);
        e->Delete();
    }
}

TEST(RfcException, ParameterFormTrimsKeyAndMessage)
{
    // A key that fills its whole array has no terminator.
    CString fullKey(L'Q', 128);
    CRfcException* e = Caught([&] {
        CRfcException::ThrowParam(L"CBaseRfc::GetString()", L"RFCHOST",
                                  ErrorInfo(RFC_INVALID_PARAMETER, 5, fullKey, L"field RFCHOST unknown   "));
    });
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->m_strKey, fullKey);
    EXPECT_STREQ(e->m_strMessage, L"field RFCHOST unknown");
    EXPECT_STREQ(e->m_strText,
                 L"RFC Exception -> Function: CBaseRfc::GetString()(RFCHOST) | Code: RFC_INVALID_PARAMETER "
                 L"| Group: EXTERNAL_RUNTIME_FAILURE | Key: " +
                     fullKey + L" | Message : field RFCHOST unknown.");
    e->Delete();
}

TEST(RfcException, LongMessageCutsTheLineTo511Characters)
{
    CString message(L'x', 600);
    CRfcException* e =
        Caught([&] { CRfcException::Throw(L"CRfcConnection::Connect - RfcPing", ErrorInfo(1, 4, L"KEY", message)); });
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->m_strMessage.GetLength(), 512); // all that the error info holds
    EXPECT_EQ(e->m_strText.GetLength(), 511);
    EXPECT_EQ(e->m_strText.Find(L"RFC Exception -> Function: CRfcConnection::Connect - RfcPing() |"), 0);
    e->Delete();

    e = Caught([&] { CRfcException::ThrowText(message); });
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->m_strMessage.GetLength(), 600);
    EXPECT_EQ(e->m_strText.GetLength(), 511);
    e->Delete();
}

TEST(RfcException, TextAndAuthorityForms)
{
    CRfcException* e = Caught([] { CRfcException::ThrowText(L"SAP system release 640 is not supported.  "); });
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->m_nCode, -1);
    EXPECT_EQ(e->m_nGroup, -1);
    EXPECT_STREQ(e->m_strCodeName, L"UNDEFINED_ERROR_CODE");
    EXPECT_STREQ(e->m_strGroupName, L"UNDEFINED_ERROR_GROUP");
    EXPECT_STREQ(e->m_strKey, L"RFC_EXCEPTION");
    EXPECT_STREQ(e->m_strMessage, L"SAP system release 640 is not supported.");
    EXPECT_STREQ(e->m_strText, L"RFC Exception -> SAP system release 640 is not supported.");
    // The framework's message is the same line, cut to the buffer.
    wchar_t message[64];
    EXPECT_TRUE(e->GetErrorMessage(message, 64));
    EXPECT_STREQ(message, L"RFC Exception -> SAP system release 640 is not supported.");
    EXPECT_TRUE(e->GetErrorMessage(message, 14));
    EXPECT_STREQ(message, L"RFC Exception");
    e->Delete();

    e = Caught([] { CRfcException::ThrowAuthority(L"S_TOOLS_EX", L"USER_IS_NOT_AUTHORIZED"); });
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->m_strKey, L"RFC_EXCEPTION");
    EXPECT_STREQ(e->m_strText, L"RFC Exception -> AuthorityCheck(S_TOOLS_EX): USER_IS_NOT_AUTHORIZED");
    e->Delete();
}
