// One session data file opened for one write. Snapshot files are recreated, history files
// appended to, and baseline-and-latest files keep the rows of their first capture with rows
// and rewrite what follows them.
#pragma once

#include <collector/SessionRecord.h>

#include <exception>
#include <memory>
#include <vector>

class CRfcConnection;

enum class SessionFileMode
{
    Snapshot,
    History,
    BaselineAndLatest,
    Text, // a snapshot of text lines in the C locale's code page, with CR LF line ends
};

class CSessionFile
{
public:
    // Opens the file in its mode, positioned for writing. A failed open throws the filled
    // CFileException unless the connection's owner is stopping; then the file stays closed.
    // A baseline-and-latest file is written from *pBaselineEnd.
    CSessionFile(const CString& strPath, SessionFileMode mode, const CRfcConnection& connection,
                 const ULONGLONG* pBaselineEnd = nullptr);
    // A file of the session itself (control and information files): a failed open always throws.
    CSessionFile(const CString& strPath, SessionFileMode mode);
    // Writes what is still gathered. An error there throws the file exception, unless the
    // writer is leaving on another exception already: that one is reported.
    ~CSessionFile() noexcept(false);
    CSessionFile(const CSessionFile&) = delete;
    CSessionFile& operator=(const CSessionFile&) = delete;

    BOOL IsOpen() const
    {
        return m_pFile != nullptr;
    }
    // Records are gathered and written in blocks: a system call per record would cost more
    // than reading and converting it.
    void Write(const CSessionRecord& record);
    // A line of a text file; the line end is added.
    void WriteLine(const CString& strLine);
    // The length with every record written so far.
    ULONGLONG GetLength();
    // Closes the file, reporting what was not yet written as a file exception.
    void Close();

private:
    // A failed open throws its error unless bQuiet; then the file stays closed.
    void Open(const CString& strPath, SessionFileMode mode, BOOL bQuiet, const ULONGLONG* pBaselineEnd);
    void WriteGathered();

    std::unique_ptr<CFile> m_pFile; // a CStdioFile for text; null while closed
    std::vector<BYTE> m_gathered;   // records not yet written
    const int m_nExceptions = std::uncaught_exceptions();
};

// The common shape of a per-row writer: one record of the layout per row of the table, while
// the connection's owner is not stopping; then a baseline-and-latest file takes its baseline
// end and the table's rows are given back. A table without rows writes nothing and keeps them.
template <class R>
void WriteTableRecords(CSessionFile& file, R& reader, LPCTSTR lpszTable, const RecordLayout<R>& layout,
                       __time64_t nSampleTime, const CRfcConnection& connection, ULONGLONG* pBaselineEnd = nullptr);

#include <rfc/RfcConnection.h>

template <class R>
void WriteTableRecords(CSessionFile& file, R& reader, LPCTSTR lpszTable, const RecordLayout<R>& layout,
                       __time64_t nSampleTime, const CRfcConnection& connection, ULONGLONG* pBaselineEnd)
{
    const unsigned nRows = reader.GetTableRowCount(lpszTable);
    if (nRows == 0)
        return;
    CSessionRecord record(layout.nSize);
    for (unsigned nRow = 0; nRow < nRows && !connection.GetStopFlag(); ++nRow)
    {
        reader.OnTableRow(lpszTable, nRow);
        record.Fill(reader, layout, nSampleTime);
        file.Write(record);
    }
    if (pBaselineEnd != nullptr && *pBaselineEnd == 0)
        *pBaselineEnd = file.GetLength();
    reader.DeleteTableRows(lpszTable);
}
