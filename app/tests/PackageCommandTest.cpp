// Session > Package on a directory laid out as a stopped session leaves it: the archive and what
// it holds, the progress pane and pane 0 meanwhile, the output lines, and a failing file that
// must leave neither a half archive nor the status bar in its packaging state.
#include "StartedApp.h"

#include <app/resource.h>

#include <testing/ArchiveLayout.h>
#include <testing/CheckDirectory.h>
#include <testing/MessagePump.h>

#include <toolkit/bars/CustomStatusBar.h>
#include <toolkit/bars/ProgressCtrl.h>

#include <algorithm>
#include <string>

using tarnwick::bars::SECCustomStatusBar;

namespace
{
using Lines = std::vector<CString>;

// A stopped session's files: the control files, histories, logs and a trace folder, beside
// zip files of earlier runs that Package leaves out.
const LPCTSTR kSessionFiles[] = {
    _T("customer.ctl"), _T("zol.ctl"),      _T("pc.ctl"),     _T("system.ctl"),  _T("instance.ctl"),
    _T("host.ctl"),     _T("database.ctl"), _T("PRD_wl.his"), _T("saplx01.his"), _T("collector(0x1a2c).log")};
const LPCTSTR kZipFiles[] = {_T("old.zip"), _T("NOTES.ZIP"), _T("SAP_DATA_5072.zip")};
constexpr TCHAR kSubDirectory[] = _T("trace");

// The pane while the command runs: pane 0's text and the progress position.
struct Sample
{
    CString strPane0;
    int nPos;
};

// Samples the status bar whenever its progress pane is painted, which the command does as it
// moves the pane.
class ProgressWatch
{
public:
    explicit ProgressWatch(SECCustomStatusBar& bar) : m_bar(bar)
    {
        s_pWatch = this;
        m_hHook = ::SetWindowsHookEx(WH_GETMESSAGE, OnMessage, nullptr, ::GetCurrentThreadId());
    }
    ~ProgressWatch()
    {
        ::UnhookWindowsHookEx(m_hHook);
        s_pWatch = nullptr;
    }
    ProgressWatch(const ProgressWatch&) = delete;
    ProgressWatch& operator=(const ProgressWatch&) = delete;

    std::vector<Sample> samples;

private:
    static LRESULT CALLBACK OnMessage(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const auto* pMsg = reinterpret_cast<const MSG*>(lParam);
        auto* pProgress = s_pWatch->m_bar.GetProgressCtrl();
        if (nCode == HC_ACTION && pMsg->message == WM_PAINT && pProgress != nullptr && pMsg->hwnd == pProgress->m_hWnd)
            s_pWatch->samples.push_back({s_pWatch->m_bar.GetPaneText(0), pProgress->GetPos()});
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }

    static ProgressWatch* s_pWatch;
    SECCustomStatusBar& m_bar;
    HHOOK m_hHook;
};
ProgressWatch* ProgressWatch::s_pWatch = nullptr;

// What the command's closing message box showed, with the status bar as it was then.
struct Outcome
{
    CString strText;
    HICON hIcon = nullptr;
    CString strPane0;
    bool bProgressOpen = true;
};

bool FileExists(const CString& strPath)
{
    return ::GetFileAttributes(strPath) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

class PackageCommandTest : public ShownApp
{
protected:
    SECCustomStatusBar& StatusBar()
    {
        return *DYNAMIC_DOWNCAST(SECCustomStatusBar, Frame().GetControlBar(AFX_IDW_STATUS_BAR));
    }

    // A fresh session directory of that name in the archive check directory.
    CString MakeSession(LPCTSTR lpszName)
    {
        const CString strDir = CheckDirectory::Fresh(lpszName);
        for (int i = 0; i < static_cast<int>(std::size(kSessionFiles)); ++i)
            CheckDirectory::WriteLines(strDir + kSessionFiles[i], 40 + 300 * i, "session");
        for (LPCTSTR lpszZip : kZipFiles)
            CheckDirectory::WriteLines(strDir + lpszZip, 3, "not an archive");
        ::CreateDirectory(strDir + kSubDirectory, nullptr);
        CheckDirectory::WriteLines(strDir + kSubDirectory + _T("\\rfc.trc"), 5, "trace");
        return strDir;
    }

    // The archive names of what Package must add from the directory.
    static std::vector<std::string> ExpectedNames(const CString& strDir, const Lines& extra = {})
    {
        std::vector<std::string> names;
        for (LPCTSTR lpszFile : kSessionFiles)
            names.push_back(CheckDirectory::EntryName(strDir + lpszFile));
        for (const CString& strFile : extra)
            names.push_back(CheckDirectory::EntryName(strDir + strFile));
        names.push_back(CheckDirectory::EntryName(strDir + kSubDirectory) + "/");
        return Sorted(names);
    }

    static std::vector<std::string> ArchivedNames(const CString& strArchive)
    {
        std::vector<std::string> names;
        for (const auto& header : ArchiveLayout::Parse(ArchiveLayout::ReadFileBytes(strArchive)).headers)
            names.push_back(header.name);
        return Sorted(names);
    }

    // Runs Session > Package on the path as typed into the session dialog; the closing message
    // box is read and closed.
    Outcome Package(const CString& strTyped)
    {
        Outcome outcome;
        RunScripted(ID_SESSION_PACKAGE, {[strTyped](ModalWindow& dialog) {
                                             dialog.SetItemText(IDC_SESSION_PATH, strTyped);
                                             dialog.Press(IDOK);
                                         },
                                         [&](ModalWindow& box) {
                                             outcome.strText = box.Text();
                                             outcome.hIcon = box.Icon();
                                             outcome.strPane0 = StatusBar().GetPaneText(0);
                                             outcome.bProgressOpen = StatusBar().GetProgressCtrl() != nullptr;
                                             box.Press(IDOK);
                                         }});
        return outcome;
    }

    // The message box's icon for the type's icon flag.
    static HICON IconOf(LPCTSTR lpszIcon)
    {
        return ::LoadIcon(nullptr, lpszIcon);
    }
};

TEST_F(PackageCommandTest, PacksEverySessionFileButZipFilesWithProgressAndLog)
{
    const CString strDir = MakeSession(_T("package-session"));
    const CString strArchive = strDir + _T("SAP_DATA_5072.zip");
    const CString strPane0 = StatusBar().GetPaneText(0);

    ProgressWatch watch(StatusBar());
    const Outcome outcome = Package(strDir.Left(strDir.GetLength() - 1));

    EXPECT_EQ(_T("Created zip file: ") + strArchive, outcome.strText);
    EXPECT_EQ(IconOf(IDI_EXCLAMATION), outcome.hIcon);
    EXPECT_FALSE(outcome.bProgressOpen) << "the pane closes before the message";
    EXPECT_EQ(strPane0, outcome.strPane0);
    EXPECT_EQ(strPane0, StatusBar().GetPaneText(0));

    ASSERT_FALSE(watch.samples.empty()) << "the progress pane showed";
    for (const Sample& sample : watch.samples)
        EXPECT_EQ(_T("Zipping Files"), CString(sample.strPane0).Trim());
    EXPECT_TRUE(std::is_sorted(watch.samples.begin(), watch.samples.end(),
                               [](const Sample& a, const Sample& b) { return a.nPos < b.nPos; }));
    EXPECT_EQ(100, watch.samples.back().nPos);

    EXPECT_EQ(ExpectedNames(strDir), ArchivedNames(strArchive));
    EXPECT_FALSE(FileExists(strArchive + _T(".tmp")));
    CheckDirectory::Expect(strArchive, {{"count", std::to_string(ExpectedNames(strDir).size())}, {"compare", "1"}});

    const Lines logged = Logged(_T("Package"));
    ASSERT_EQ(std::size(kSessionFiles) + 3, logged.size());
    EXPECT_EQ(_T("created zip file: ") + strArchive, logged.front());
    EXPECT_EQ(_T("file compression complete."), logged.back());
    std::vector<std::string> imploded;
    for (size_t i = 1; i + 1 < logged.size(); ++i)
    {
        ASSERT_EQ(_T("imploding - ") + strDir, logged[i].Left(12 + strDir.GetLength()));
        imploded.push_back(CheckDirectory::EntryName(logged[i].Mid(12)));
    }
    std::vector<std::string> expected = ExpectedNames(strDir);
    for (std::string& name : expected)
        if (name.back() == '/')
            name.pop_back();
    EXPECT_EQ(expected, Sorted(imploded));
}

TEST_F(PackageCommandTest, PackagingAgainReplacesTheArchive)
{
    const CString strDir = MakeSession(_T("package-twice"));
    const CString strArchive = strDir + _T("SAP_DATA_5072.zip");
    Package(strDir);
    CheckDirectory::WriteLines(strDir + _T("later.his"), 200, "later");

    const Outcome outcome = Package(strDir);

    EXPECT_EQ(_T("Created zip file: ") + strArchive, outcome.strText);
    EXPECT_EQ(ExpectedNames(strDir, {_T("later.his")}), ArchivedNames(strArchive));
    CheckDirectory::Expect(strArchive, {{"count", std::to_string(ExpectedNames(strDir).size() + 1)}, {"compare", "1"}});
}

TEST_F(PackageCommandTest, AFileHeldOpenFailsTheCommandAndLeavesTheEarlierArchive)
{
    const CString strDir = MakeSession(_T("package-held"));
    const CString strArchive = strDir + _T("SAP_DATA_5072.zip");
    const CString strHeld = strDir + _T("host.ctl");
    Package(strDir);
    const std::string earlier = ArchiveLayout::ReadFileBytes(strArchive);
    const CString strPane0 = StatusBar().GetPaneText(0);
    const size_t nLogged = Logged(_T("Package")).size();

    HANDLE hHeld = ::CreateFile(strHeld, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    const Outcome failed = Package(strDir);
    ::CloseHandle(hHeld);

    EXPECT_EQ(IconOf(IDI_HAND), failed.hIcon);
    EXPECT_NE(-1, failed.strText.Find(strArchive)) << CW2A(failed.strText);
    EXPECT_NE(-1, failed.strText.Find(strHeld)) << CW2A(failed.strText);
    EXPECT_FALSE(failed.bProgressOpen);
    EXPECT_EQ(strPane0, failed.strPane0);
    EXPECT_TRUE(earlier == ArchiveLayout::ReadFileBytes(strArchive)) << "the earlier archive stays";
    EXPECT_FALSE(FileExists(strArchive + _T(".tmp")));
    const Lines logged = Logged(_T("Package"));
    ASSERT_LT(nLogged, logged.size());
    // The output window shortens long lines.
    EXPECT_EQ(failed.strText.Left(logged.back().GetLength()), logged.back());
    EXPECT_EQ(0, logged.back().Find(_T("Zip file ") + strArchive + _T(" was not created")));

    const Outcome next = Package(strDir);
    EXPECT_EQ(_T("Created zip file: ") + strArchive, next.strText);
    EXPECT_EQ(ExpectedNames(strDir), ArchivedNames(strArchive));
    CheckDirectory::Expect(strArchive, {{"count", std::to_string(ExpectedNames(strDir).size())}, {"compare", "1"}});
}

TEST_F(PackageCommandTest, AnEarlierArchiveHeldOpenStaysAndTheNewOneIsDropped)
{
    const CString strDir = MakeSession(_T("package-archive-held"));
    const CString strArchive = strDir + _T("SAP_DATA_5072.zip");
    const std::string earlier = ArchiveLayout::ReadFileBytes(strArchive);

    HANDLE hHeld = ::CreateFile(strArchive, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    const Outcome outcome = Package(strDir);
    ::CloseHandle(hHeld);

    EXPECT_EQ(IconOf(IDI_HAND), outcome.hIcon);
    EXPECT_EQ(0, outcome.strText.Find(_T("Zip file ") + strArchive + _T(" was not created"))) << CW2A(outcome.strText);
    EXPECT_FALSE(outcome.bProgressOpen);
    EXPECT_TRUE(earlier == ArchiveLayout::ReadFileBytes(strArchive));
    EXPECT_FALSE(FileExists(strArchive + _T(".tmp")));
}

TEST_F(PackageCommandTest, AMissingDirectoryIsReportedAndMakesNothing)
{
    const CString strDir = CheckDirectory::Root() + _T("package-missing\\");
    RemoveDirectoryTree(strDir);

    const Outcome outcome = Package(strDir);

    EXPECT_EQ(IconOf(IDI_HAND), outcome.hIcon);
    EXPECT_NE(-1, outcome.strText.Find(strDir + _T("SAP_DATA_5072.zip"))) << CW2A(outcome.strText);
    EXPECT_FALSE(outcome.bProgressOpen);
    EXPECT_FALSE(FileExists(strDir));
}
} // namespace
