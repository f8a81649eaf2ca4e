#include <collector/SessionFile.h>

namespace
{
UINT OpenFlags(SessionFileMode mode)
{
    const UINT nFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite;
    return mode == SessionFileMode::Snapshot ? nFlags : nFlags | CFile::modeNoTruncate;
}
} // namespace

CSessionFile::CSessionFile(const CString& strPath, SessionFileMode mode, const CRfcConnection& connection,
                           const ULONGLONG* pBaselineEnd)
{
    Open(strPath, mode, connection.GetStopFlag(), pBaselineEnd);
}

CSessionFile::CSessionFile(const CString& strPath, SessionFileMode mode)
{
    Open(strPath, mode, FALSE, nullptr);
}

void CSessionFile::Open(const CString& strPath, SessionFileMode mode, BOOL bQuiet, const ULONGLONG* pBaselineEnd)
{
    CFileException* pError = new CFileException;
    if (!m_file.Open(strPath, OpenFlags(mode), pError))
    {
        if (bQuiet)
        {
            pError->Delete();
            return;
        }
        throw pError;
    }
    pError->Delete();
    if (mode == SessionFileMode::History)
        m_file.SeekToEnd();
    else if (mode == SessionFileMode::BaselineAndLatest && m_file.GetLength() > 0 && pBaselineEnd != nullptr)
        m_file.Seek(static_cast<LONGLONG>(*pBaselineEnd), CFile::begin);
}

void CSessionFile::Write(const CSessionRecord& record)
{
    m_file.Write(record.GetData(), record.GetSize());
}

ULONGLONG CSessionFile::GetLength() const
{
    return m_file.GetLength();
}
