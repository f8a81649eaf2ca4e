// The Windows side of bench/zip_package: packs a directory as the Package command does, or
// deflates the same files with zlib alone, and prints one line of figures for the script.
//   zip_package.exe package <directory> <archive>
//   zip_package.exe zlib <directory> <output>
// Prints "seconds=... bytes=... start_working_set=... peak_working_set=...".
#include <zip/Archive.h>
#include <BenchFigures.h>

#include <psapi.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace
{
PROCESS_MEMORY_COUNTERS MemoryCounters()
{
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    return memory;
}

// The files of the directory but archives, as the Package command takes them.
std::vector<CString> SessionFiles(const CString& szDir)
{
    std::vector<CString> files;
    WIN32_FIND_DATA data;
    HANDLE hFind = FindFirstFile(szDir + _T("\\*"), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return files;
    do
    {
        const CString szName = data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && szName.Right(4).CompareNoCase(_T(".zip")) != 0)
            files.push_back(szDir + _T("\\") + szName);
    } while (FindNextFile(hFind, &data));
    FindClose(hFind);
    return files;
}

ULONGLONG Package(const std::vector<CString>& files, const CString& szArchive)
{
    CZipArchive zip;
    zip.GetStorage().Open(szArchive);
    zip.ResetAfterOpen(0);
    for (const CString& szFile : files)
        zip.AddNewFile(szFile, -1, true, 7, 65536);
    zip.Close(0);
    CFileStatus status;
    CFile::GetStatus(szArchive, status);
    return static_cast<ULONGLONG>(status.m_size);
}

// Raw deflate at level 6 of every file, one stream each, read and written in the Package
// command's chunk sizes.
ULONGLONG DeflateAll(const std::vector<CString>& files, const CString& szOutput)
{
    CFile output(szOutput, CFile::modeCreate | CFile::modeWrite);
    std::vector<char> in(65536);
    std::vector<char> out(131072);
    ULONGLONG uTotal = 0;
    for (const CString& szFile : files)
    {
        CFile source(szFile, CFile::modeRead | CFile::shareDenyNone);
        z_stream stream = {};
        deflateInit2(&stream, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        int iFlush = Z_NO_FLUSH;
        do
        {
            const UINT uRead = source.Read(in.data(), static_cast<UINT>(in.size()));
            iFlush = uRead < in.size() ? Z_FINISH : Z_NO_FLUSH;
            stream.next_in = reinterpret_cast<Bytef*>(in.data());
            stream.avail_in = uRead;
            do
            {
                stream.next_out = reinterpret_cast<Bytef*>(out.data());
                stream.avail_out = static_cast<uInt>(out.size());
                deflate(&stream, iFlush);
                const UINT uProduced = static_cast<UINT>(out.size() - stream.avail_out);
                output.Write(out.data(), uProduced);
                uTotal += uProduced;
            } while (stream.avail_out == 0);
        } while (iFlush != Z_FINISH);
        deflateEnd(&stream);
    }
    return uTotal;
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4 || (strcmp(argv[1], "package") != 0 && strcmp(argv[1], "zlib") != 0))
    {
        std::fprintf(stderr, "usage: zip_package.exe package|zlib <directory> <output>\n");
        return 2;
    }
    const bool bPackage = strcmp(argv[1], "package") == 0;
    const std::vector<CString> files = SessionFiles(CString(argv[2]));
    const CString szOutput(argv[3]);
    const SIZE_T uStart = MemoryCounters().WorkingSetSize;
    const Clock::time_point start = Clock::now();
    ULONGLONG uBytes = 0;
    try
    {
        uBytes = bPackage ? Package(files, szOutput) : DeflateAll(files, szOutput);
    }
    catch (CException* e)
    {
        TCHAR szMessage[512] = {};
        e->GetErrorMessage(szMessage, _countof(szMessage));
        std::fprintf(stderr, "failed: %s\n", static_cast<const char*>(CW2A(szMessage)));
        e->Delete();
        return 1;
    }
    const double seconds = Seconds(Clock::now() - start);
    std::printf("files=%zu seconds=%.4f bytes=%llu start_working_set=%zu peak_working_set=%zu\n", files.size(), seconds,
                uBytes, static_cast<size_t>(uStart), static_cast<size_t>(MemoryCounters().PeakWorkingSetSize));
    return 0;
}
