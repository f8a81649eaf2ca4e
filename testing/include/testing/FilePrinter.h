// A PostScript printer that prints into files, installed in the test prefix for the life of the
// object and removed afterwards: a generic A4 printer of 300 dpi described by a PPD the fixture
// writes, on Wine's PostScript driver, with the port "FILE:". A print job names its output file
// in the DOCINFO. Tests using it run one at a time: the printer is visible to every process.
#pragma once

#include <afx.h>

#include <testing/TempDirectory.h>

#include <string>

class FilePrinter
{
public:
    explicit FilePrinter(LPCTSTR pszName = _T("Lumiter Test PostScript"));
    ~FilePrinter();
    FilePrinter(const FilePrinter&) = delete;
    FilePrinter& operator=(const FilePrinter&) = delete;

    // Whether the driver and the printer could be added.
    bool IsInstalled() const
    {
        return m_bInstalled;
    }
    const CString& Name() const
    {
        return m_strName;
    }
    // A file in the fixture's directory, for a job's output.
    CString OutputFile(LPCTSTR pszName) const
    {
        return m_directory.File(pszName);
    }

private:
    TempDirectory m_directory;
    CString m_strName;
    bool m_bInstalled = false;
};

// The bytes of a file as text; empty when it cannot be read.
std::string ReadFileText(LPCTSTR pszPath);
