// The main of every test executable: GoogleTest with GoogleMock, and a listener that prints the
// text of a framework exception that escaped a test, which GoogleTest reports as unknown.
#include <afx.h>

#include <gmock/gmock.h>

#include <cstdio>
#include <cstring>
#include <exception>

namespace
{
class CExceptionPrinter : public ::testing::EmptyTestEventListener
{
    void OnTestPartResult(const ::testing::TestPartResult& result) override
    {
        // GoogleTest reports an unknown exception from inside its catch: the exception is still
        // the one being handled.
        const std::exception_ptr pCurrent = std::current_exception();
        if (!result.failed() || pCurrent == nullptr || strstr(result.message(), "Unknown C++ exception") == nullptr)
            return;
        try
        {
            std::rethrow_exception(pCurrent);
        }
        catch (CException* e)
        {
            TCHAR szMessage[1024] = {};
            e->GetErrorMessage(szMessage, _countof(szMessage));
            printf("The exception was %s: %s\n", e->GetRuntimeClass()->m_lpszClassName,
                   static_cast<const char*>(CW2A(szMessage, CP_UTF8)));
            fflush(stdout);
        }
        catch (...)
        {
        }
    }
};
} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleMock(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new CExceptionPrinter);
    return RUN_ALL_TESTS();
}
