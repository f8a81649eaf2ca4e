// The handlers' guard: the text each kind of failure gives, and the exception deleted.
#include <app/HandlerGuard.h>
#include <app/Lumiter5Exception.h>

#include <gtest/gtest.h>

namespace
{
TEST(HandlerGuardTest, TextOfEachKindOfFailure)
{
    auto errorMessage = [](CException* e) { return ErrorMessageOf(e); };
    EXPECT_FALSE(TrapFailure(
                     _T("C::F"), [] {}, errorMessage)
                     .has_value());
    EXPECT_EQ(CString(_T("An unsupported operation was attempted.")),
              TrapFailure(
                  _T("C::F"), [] { AfxThrowNotSupportedException(); }, errorMessage)
                  .value());
    EXPECT_EQ(CString(_T("CMainFrame::OnSystemAdd()\nlow-level exception trapped.")),
              TrapFailure(
                  _T("CMainFrame::OnSystemAdd"), [] { throw 42; }, errorMessage)
                  .value());

    // The error message is fetched into 255 characters; the text function sees the exception.
    const CString strLong(_T('x'), 400);
    const CString strCut = TrapFailure(
                               _T("C::F"), [&] { ThrowLumiter5Exception(strLong); }, errorMessage)
                               .value();
    EXPECT_EQ(254, strCut.GetLength());
    EXPECT_EQ(0, strCut.Find(_T("Lumiter Exception: xxx")));
    EXPECT_EQ(CString(_T("Lumiter Exception: ")) + strLong,
              TrapFailure(
                  _T("C::F"), [&] { ThrowLumiter5Exception(strLong); },
                  [](CException* e) { return static_cast<CLumiter5Exception*>(e)->m_strMessage; })
                  .value());
}
} // namespace
