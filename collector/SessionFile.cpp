#include <collector/SessionFile.h>

namespace
{
const size_t kBlockBytes = 64 * 1024;

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

CSessionFile::~CSessionFile() noexcept(false)
{
    if (std::uncaught_exceptions() == m_nExceptions)
    {
        WriteGathered();
        return;
    }
    try
    {
        WriteGathered();
    }
    catch (CException* e)
    {
        e->Delete();
    }
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
    m_gathered.insert(m_gathered.end(), record.GetData(), record.GetData() + record.GetSize());
    if (m_gathered.size() >= kBlockBytes)
        WriteGathered();
}

void CSessionFile::WriteGathered()
{
    if (m_pFile == nullptr || m_gathered.empty())
        return;
    // Gone from the block even when the write fails: the file exception reports them.
    std::vector<BYTE> block;
    block.swap(m_gathered);
    m_pFile->Write(block.data(), static_cast<UINT>(block.size()));
    block.clear();
    m_gathered.swap(block);
}

void CSessionFile::WriteLine(const CString& strLine)
{
    static_cast<CStdioFile&>(*m_pFile).WriteString(strLine + _T('\n'));
}

ULONGLONG CSessionFile::GetLength()
{
    WriteGathered();
    return m_pFile->GetLength();
}

void CSessionFile::Close()
{
    WriteGathered();
    if (m_pFile != nullptr)
        m_pFile->Close();
    m_pFile.reset();
}
