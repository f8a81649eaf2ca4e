#include <afx.h>
#include <testing/TempDirectory.h>

#include <clocale>
#include <string>

#include <gtest/gtest.h>

namespace
{
// The file's bytes, read through the handle rather than the C run-time.
std::string BytesOf(const CString& path)
{
    CFile file(path, CFile::modeRead | CFile::shareDenyNone);
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    bytes.resize(file.Read(bytes.data(), static_cast<UINT>(bytes.size())));
    return bytes;
}

void WriteBytes(const CString& path, const std::string& bytes)
{
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

// Text goes through the code page of the C locale; every test leaves the "C" locale behind.
class StdioFile : public ::testing::Test
{
protected:
    ~StdioFile() override
    {
        _wsetlocale(LC_ALL, L"C");
    }
    TempDirectory dir;
};
} // namespace

TEST_F(StdioFile, TextIsWrittenInTheLocaleCodePageWithCrLf)
{
    ASSERT_NE(_wsetlocale(LC_ALL, L"English"), nullptr);
    const CString path = dir.File(_T("text.txt"));
    {
        CStdioFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString(L"Gr\u00fc\u00dfe \u00e9\n");
        file.WriteString(L"\u20ac 5");
    }
    EXPECT_EQ(BytesOf(path), "\x47\x72\xFC\xDF\x65\x20\xE9\x0D\x0A\x80\x20\x35");

    CStdioFile file(path, CFile::modeRead | CFile::typeText);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, L"Gr\u00fc\u00dfe \u00e9");
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, L"\u20ac 5");
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
}

TEST_F(StdioFile, ReadStringSplitsLines)
{
    const CString path = dir.File(_T("lines.txt"));
    const std::string longLine(300, 'L');
    WriteBytes(path, "one\r\n\r\n" + longLine + "\r\nlast");

    CStdioFile file(path, CFile::modeRead);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, _T("one"));
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, _T("")) << "an empty line is still a line";
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, CString(longLine.c_str()));
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, _T("last")) << "the last line needs no line end";
    EXPECT_FALSE(file.ReadString(line));

    // The buffer form keeps the "\n" and stops at nMax - 1 characters.
    file.SeekToBegin();
    TCHAR buffer[8];
    EXPECT_EQ(file.ReadString(buffer, 3), buffer);
    EXPECT_STREQ(buffer, _T("on"));
    EXPECT_STREQ(file.ReadString(buffer, 8), _T("e\n"));
    EXPECT_STREQ(file.ReadString(buffer, 8), _T("\n"));
    file.Seek(-4, CFile::end);
    EXPECT_STREQ(file.ReadString(buffer, 8), _T("last"));
    EXPECT_EQ(file.ReadString(buffer, 8), nullptr);
}

TEST_F(StdioFile, TextModeTranslatesLineEndsAndBinaryModeDoesNot)
{
    // In binary mode the C run-time writes wide text as it is, UTF-16.
    const struct
    {
        UINT type;
        std::string bytes;
    } cases[] = {
        {CFile::typeText, "a\r\nb\r\n"},
        {0, "a\r\nb\r\n"}, // text is the default
        {CFile::typeBinary, std::string("a\nb\0\n\0", 6)},
    };
    for (const auto& c : cases)
    {
        const CString path = dir.File(_T("mode.txt"));
        {
            CStdioFile file(path, CFile::modeCreate | CFile::modeReadWrite | c.type);
            file.Write("a\n", 2);
            file.WriteString(_T("b\n"));
            file.Flush();
            EXPECT_EQ(file.GetLength(), c.bytes.size()) << c.type;
            EXPECT_EQ(file.GetPosition(), c.bytes.size());
            file.SeekToBegin();
            char buffer[8];
            EXPECT_EQ(std::string(buffer, file.Read(buffer, sizeof(buffer))),
                      c.type == CFile::typeBinary ? c.bytes : "a\nb\n");
        }
        EXPECT_EQ(BytesOf(path), c.bytes) << c.type;
    }
}

TEST_F(StdioFile, OpenFailuresAndStreamErrors)
{
    const CString missing = dir.File(_T("missing.txt"));
    CStdioFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(missing, CFile::modeRead | CFile::typeText, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_strFileName, missing);
    EXPECT_EQ(file.m_pStream, nullptr);
    try
    {
        CStdioFile opened(missing, CFile::modeRead);
        ADD_FAILURE() << "no exception";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        e->Delete();
    }

    // Writing to a stream opened for reading fails.
    const CString path = dir.File(_T("ro.txt"));
    WriteBytes(path, "x");
    CStdioFile reader(path, CFile::modeRead);
    try
    {
        reader.WriteString(_T("y\n"));
        reader.Flush();
        ADD_FAILURE() << "no exception";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(e->m_strFileName, path);
        e->Delete();
    }
}

TEST_F(StdioFile, CloseAndTheCallersStream)
{
    const CString path = dir.File(_T("own.txt"));
    {
        CStdioFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        file.WriteString(_T("kept"));
        file.Close();
        EXPECT_EQ(file.m_pStream, nullptr);
        EXPECT_EQ(file.m_hFile, CFile::hFileNull);
        file.Close();
        file.Abort();
    }
    EXPECT_EQ(BytesOf(path), "kept");

    FILE* stream = _wfopen(path, L"a");
    ASSERT_NE(stream, nullptr);
    {
        CStdioFile file(stream);
        EXPECT_NE(file.m_hFile, CFile::hFileNull);
        file.WriteString(_T("+"));
    }
    // The destructor left the caller's stream open.
    EXPECT_GE(fputs("more", stream), 0);
    EXPECT_EQ(fclose(stream), 0);
    EXPECT_EQ(BytesOf(path), "kept+more");

    CStdioFile file(path, CFile::modeRead);
    try
    {
        file.Duplicate();
        ADD_FAILURE() << "no exception";
    }
    catch (CNotSupportedException* e)
    {
        e->Delete();
    }
}
