// The program's own exception: its formatted, trimmed and bounded message, and how it is thrown.
#include <app/Lumiter5Exception.h>

#include <gtest/gtest.h>

namespace
{
CString Repeat(TCHAR ch, int nCount)
{
    CString str;
    for (int i = 0; i < nCount; ++i)
        str += ch;
    return str;
}

TEST(Lumiter5ExceptionTest, MessageIsFormattedTrimmedAndBounded)
{
    const CString strPrefix = _T("Lumiter Exception: ");
    const struct
    {
        CString strText;
        CString strMessage;
    } cases[] = {
        {_T("abc  "), strPrefix + _T("abc")},
        {_T("100% sure\n\t "), strPrefix + _T("100% sure")},
        {CString(), _T("Lumiter Exception:")},
        {Repeat('x', 492), strPrefix + Repeat('x', 492)}, // 511 characters stay whole
        {Repeat('x', 493), strPrefix + Repeat('x', 492)},
        {Repeat('x', 600), strPrefix + Repeat('x', 492)},
    };
    for (const auto& c : cases)
    {
        const CLumiter5Exception e(c.strText);
        EXPECT_EQ(c.strMessage, e.m_strMessage) << c.strText.GetLength();
    }
    EXPECT_EQ(511, CLumiter5Exception(Repeat('x', 600)).m_strMessage.GetLength());
}

TEST(Lumiter5ExceptionTest, ThrownOnTheHeapAndReadAsAnyFrameworkException)
{
    try
    {
        ThrowLumiter5Exception(_T("Please enter a password."));
    }
    catch (CException* e)
    {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CLumiter5Exception)));
        EXPECT_TRUE(e->m_bAutoDelete);
        TCHAR szMessage[256] = {};
        EXPECT_TRUE(e->GetErrorMessage(szMessage, _countof(szMessage)));
        EXPECT_STREQ(_T("Lumiter Exception: Please enter a password."), szMessage);
        e->Delete();
        return;
    }
    ADD_FAILURE() << "nothing was thrown";
}
} // namespace
