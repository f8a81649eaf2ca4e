#include <collector/SessionFile.h>

namespace
{
UINT OpenFlags(SessionFileMode mode)
{
    const UINT nFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite;
    switch (mode)
    {
    case SessionFileMode::Snapshot:
        return nFlags;
    case SessionFileMode::Text:
        return nFlags | CFile::typeText;
    default:
        return nFlags | CFile::modeNoTruncate;
    }
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
    auto pFile = mode == SessionFileMode::Text ? std::make_unique<CStdioFile>() : std::make_unique<CFile>();
    CFileException* pError = new CFileException;
    if (!pFile->Open(strPath, OpenFlags(mode), pError))
    {
        if (bQuiet)
        {
            pError->Delete();
            return;
        }
        throw pError;
    }
    pError->Delete();
    m_pFile = std::move(pFile);
    if (mode == SessionFileMode::History)
        m_pFile->SeekToEnd();
    else if (mode == SessionFileMode::BaselineAndLatest && m_pFile->GetLength() > 0 && pBaselineEnd != nullptr)
        m_pFile->Seek(static_cast<LONGLONG>(*pBaselineEnd), CFile::begin);
}

void CSessionFile::Write(const CSessionRecord& record)
{
    m_pFile->Write(record.GetData(), record.GetSize());
}

void CSessionFile::WriteLine(const CString& strLine)
{
    static_cast<CStdioFile&>(*m_pFile).WriteString(strLine + _T('\n'));
}

ULONGLONG CSessionFile::GetLength() const
{
    return m_pFile->GetLength();
}

void CSessionFile::Close()
{
    if (m_pFile != nullptr)
        m_pFile->Close();
    m_pFile.reset();
}
