// The main frame's Package command: packs a session directory into SAP_DATA_5072.zip inside it,
// with the progress in the status bar and the steps in the output window under "Package".
#include <app/MainFrame.h>

#include <app/HandlerGuard.h>
#include <app/SessionDialog.h>
#include <toolkit/bars/ProgressCtrl.h>
#include <zip/Archive.h>
#include <zip/Exception.h>

#include <vector>

using tarnwick::bars::SECCustomStatusBar;

namespace
{
constexpr TCHAR PACKAGE[] = _T("Package");
constexpr LPCTSTR ARCHIVE_NAME_FORMAT = _T("%sSAP_DATA_%d.zip");
constexpr int ARCHIVE_NUMBER = 5072;
// The archive being written lies beside its final name until it is complete.
constexpr LPCTSTR PARTIAL_SUFFIX = _T(".tmp");
constexpr LPCTSTR ZIP_EXTENSION = _T(".zip");
// The percentage, and bit 0x4000, which the progress control passes over.
constexpr DWORD PROGRESS_STYLE = tarnwick::bars::PBS_SEC_PERCENT | 0x4000;
static_assert(PROGRESS_STYLE == 0x4100);
constexpr int PROGRESS_STEP = 10;
constexpr int COMPRESSION_LEVEL = -1;
constexpr DWORD ADD_BUFFER_SIZE = 65536;

CString ArchiveName(const CString& strDirectory)
{
    CString strName;
    strName.Format(ARCHIVE_NAME_FORMAT, (LPCTSTR)strDirectory, ARCHIVE_NUMBER);
    return strName;
}

CString FileNameOf(const CString& strPath)
{
    return strPath.Mid(strPath.ReverseFind(_T('\\')) + 1);
}

bool IsZipFile(const CString& strName)
{
    const int nExtension = lstrlen(ZIP_EXTENSION);
    return strName.GetLength() >= nExtension && strName.Right(nExtension).CompareNoCase(ZIP_EXTENSION) == 0;
}

// The entries of the directory that go into the archive, in the file system's order: every file
// and sub-directory but zip files and the archive being written.
std::vector<CString> PackagedEntries(const CString& strDirectory, const CString& strPartialName)
{
    std::vector<CString> entries;
    CFileFind find;
    BOOL bMore = find.FindFile(strDirectory + _T("*.*"));
    while (bMore)
    {
        bMore = find.FindNextFile();
        const CString strName = find.GetFileName();
        if (find.IsDots() || IsZipFile(strName) || strName.CompareNoCase(strPartialName) == 0)
            continue;
        entries.push_back(find.GetFilePath());
    }
    return entries;
}

// The status bar's progress pane for one Package command, after "Zipping Files" in pane 0;
// pane 0 gets its own text back when the pane closes.
class CPackageProgress
{
public:
    explicit CPackageProgress(SECCustomStatusBar& bar) : m_bar(bar)
    {
        m_bar.InitProgressPane(_T("Zipping Files"), 0, 100, TRUE, PROGRESS_STYLE, PROGRESS_STEP);
    }
    ~CPackageProgress()
    {
        m_bar.CloseProgressPane();
    }
    CPackageProgress(const CPackageProgress&) = delete;
    CPackageProgress& operator=(const CPackageProgress&) = delete;

    void Show(size_t nAdded, size_t nTotal)
    {
        if (nTotal > 0)
            m_bar.SetProgressPos(static_cast<int>(nAdded * 100 / nTotal));
    }

private:
    SECCustomStatusBar& m_bar;
};
} // namespace

void CMainFrame::OnPackageSession()
{
    CSessionDialog dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    UpdateWindow();
    const CString strArchive = ArchiveName(dialog.SessionPath);
    if (const auto failure = PackageSession(dialog.SessionPath, strArchive))
    {
        Report(PACKAGE, *failure);
        return;
    }
    CString strText;
    strText.Format(_T("Created zip file: %s"), (LPCTSTR)strArchive);
    AfxMessageBox(strText, MB_OK | MB_ICONEXCLAMATION);
}

std::optional<CString> CMainFrame::PackageSession(const CString& strDirectory, const CString& strArchive)
{
    CWaitCursor wait;
    CPackageProgress progress(m_wndStatusBar);
    const CString strPartial = strArchive + PARTIAL_SUFFIX;
    if (m_pZipArchive == nullptr)
        m_pZipArchive = new CZipArchive;
    CString strEntry; // the entry being added, for the failure's text
    const auto failure = TrapFailure(
        _T("CMainFrame::OnPackageSession"),
        [&] {
            // Every command closes or drops the archive before it ends; one still open is refused
            // rather than written into.
            if (!m_pZipArchive->Open(strPartial))
                CZipException::Throw(CZipException::genericError, strPartial);
            CString strLine;
            strLine.Format(_T("created zip file: %s"), (LPCTSTR)strArchive);
            Log(PACKAGE, strLine);
            const std::vector<CString> entries = PackagedEntries(strDirectory, FileNameOf(strPartial));
            for (size_t nAdded = 0; nAdded < entries.size();)
            {
                strEntry = entries[nAdded];
                strLine.Format(_T("imploding - %s"), (LPCTSTR)strEntry);
                Log(PACKAGE, strLine);
                if (!m_pZipArchive->AddNewFile(strEntry, COMPRESSION_LEVEL, true, CZipAddRequest::smDefault,
                                               ADD_BUFFER_SIZE))
                    CZipException::Throw(CZipException::genericError, strPartial);
                progress.Show(++nAdded, entries.size());
            }
            strEntry.Empty();
            m_pZipArchive->Close(CZipArchive::afNoException);
            if (!::MoveFileEx(strPartial, strArchive, MOVEFILE_REPLACE_EXISTING))
                CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), strArchive);
        },
        FrameFailureText);
    if (!failure)
    {
        Log(PACKAGE, _T("file compression complete."));
        return std::nullopt;
    }
    AbandonArchive(strPartial);
    CString strText;
    if (strEntry.IsEmpty())
        strText.Format(_T("Zip file %s was not created. %s"), (LPCTSTR)strArchive, (LPCTSTR)*failure);
    else
        strText.Format(_T("Zip file %s was not created: %s could not be added. %s"), (LPCTSTR)strArchive,
                       (LPCTSTR)strEntry, (LPCTSTR)*failure);
    return strText;
}

void CMainFrame::AbandonArchive(const CString& strPath)
{
    // The object goes as well, so that the next command starts afresh even when this close
    // fails; its file is closed with it.
    TrapFailure(
        _T("CMainFrame::AbandonArchive"), [&] { m_pZipArchive->Close(CZipArchive::afAfterException); },
        FrameFailureText);
    delete m_pZipArchive;
    m_pZipArchive = nullptr;
    ::DeleteFile(strPath);
}
