#include "ZipError.h"

#include <zip/Exception.h>
#include <zip/MemFile.h>
#include <zip/Storage.h>
#include <zip/VolumeCallback.h>

#include <testing/TempDirectory.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
const std::string kSignature("PK\x07\x08", 4);

std::string Pattern(size_t uSize, char cFirst = 'a')
{
    std::string bytes(uSize, '\0');
    for (size_t i = 0; i < uSize; ++i)
        bytes[i] = static_cast<char>(cFirst + i % 26);
    return bytes;
}

bool Exists(const CString& szPath)
{
    return ::GetFileAttributes(szPath) != INVALID_FILE_ATTRIBUTES;
}

// The file's bytes as they are on disk, read past the storage.
std::string Contents(const CString& szPath)
{
    HANDLE hFile =
        ::CreateFile(szPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes(::GetFileSize(hFile, nullptr), '\0');
    DWORD uRead = 0;
    if (!bytes.empty())
        ::ReadFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &uRead, nullptr);
    ::CloseHandle(hFile);
    return bytes;
}

void Write(CZipStorage& storage, const std::string& bytes, bool bAtOnce)
{
    storage.Write(bytes.data(), static_cast<DWORD>(bytes.size()), bAtOnce);
}

std::string Read(CZipStorage& storage, size_t uSize, bool bAtOnce)
{
    std::string bytes(uSize, '\0');
    EXPECT_EQ(uSize, storage.Read(bytes.data(), static_cast<DWORD>(uSize), bAtOnce));
    return bytes;
}

// Records every call; answers from a script (true when it runs out) and can act on the call.
class RecordingCallback : public CZipVolumeCallback
{
public:
    bool Callback(ULONGLONG uBytesNeeded) override
    {
        m_calls.push_back({m_iCode, m_uVolumeNeeded, m_szExternalFile, uBytesNeeded});
        if (m_onCall)
            m_onCall(*this);
        return m_iAnswerFalseAt != static_cast<int>(m_calls.size());
    }

    struct Call
    {
        int iCode;
        DWORD uVolume;
        CString szFile;
        ULONGLONG uNeeded;
    };
    std::vector<Call> m_calls;
    std::function<void(RecordingCallback&)> m_onCall;
    int m_iAnswerFalseAt = 0; // 1-based call that answers false
};

class ZipStorageTest : public testing::Test
{
protected:
    CString Path(LPCTSTR lpszName) const
    {
        return m_directory.File(lpszName);
    }

    TempDirectory m_directory;
    CZipStorage m_storage;
};

TEST_F(ZipStorageTest, NewArchiveTruncatesAndBuffersItsWrites)
{
    const CString szPath = Path(_T("a.zip"));
    {
        CFile old(szPath, CFile::modeCreate | CFile::modeWrite);
        old.Write("old contents", 12);
    }
    m_storage.Open(szPath);
    EXPECT_TRUE(m_storage.IsOpen());
    EXPECT_EQ(0u, m_storage.GetCurrentVolume());
    EXPECT_EQ(0u, m_storage.GetPosition());
    EXPECT_EQ("", Contents(szPath));

    Write(m_storage, Pattern(30), true);
    EXPECT_EQ(30u, m_storage.GetPosition());
    EXPECT_EQ("", Contents(szPath));
    m_storage.Flush();
    EXPECT_EQ(Pattern(30), Contents(szPath));
    EXPECT_STREQ(szPath, m_storage.Close(true));
    EXPECT_FALSE(m_storage.IsOpen());
    EXPECT_EQ(0xFFFFFFFFu, m_storage.GetCurrentVolume());
}

TEST_F(ZipStorageTest, AFullBufferGoesOutWithTheNextByte)
{
    const CString szPath = Path(_T("b.zip"));
    m_storage.Open(szPath);
    Write(m_storage, Pattern(65536), false);
    EXPECT_EQ(0u, Contents(szPath).size());
    Write(m_storage, "x", false);
    EXPECT_EQ(65536u, Contents(szPath).size());
    EXPECT_EQ(65537u, m_storage.GetPosition());
    m_storage.Close(true);
    EXPECT_EQ(Pattern(65536) + "x", Contents(szPath));
}

TEST_F(ZipStorageTest, CloseAfterAnExceptionDropsTheBufferAndCanReopen)
{
    const CString szPath = Path(_T("c.zip"));
    m_storage.Open(szPath);
    Write(m_storage, "lost", false);
    EXPECT_STREQ(szPath, m_storage.Close(false));
    EXPECT_EQ("", Contents(szPath));

    m_storage.Open(szPath);
    Write(m_storage, "kept", false);
    m_storage.Close(true, false);
    EXPECT_EQ("kept", Contents(szPath));
}

TEST_F(ZipStorageTest, MemoryFileIsTruncatedAndStaysTheCallers)
{
    CZipMemFile file;
    file.Write("previous", 8);
    m_storage.Open(file);
    EXPECT_EQ(0u, file.GetLength());
    Write(m_storage, "header", true);
    EXPECT_EQ(6u, m_storage.GetPosition());
    EXPECT_STREQ(_T(""), m_storage.Close(true));
    EXPECT_FALSE(file.IsClosed());
    std::string bytes(6, '\0');
    file.SeekToBegin();
    EXPECT_EQ(6u, file.Read(bytes.data(), 6));
    EXPECT_EQ("header", bytes);
}

TEST_F(ZipStorageTest, SplitVolumesTakeTheirSizeAndNames)
{
    const CString szPath = Path(_T("s.zip"));
    m_storage.OpenSplit(szPath, 100, false);
    EXPECT_TRUE(m_storage.IsSplit());
    EXPECT_EQ(4u, m_storage.GetPosition()); // the segmented-archive signature
    const std::string data = Pattern(250);
    Write(m_storage, data, false);
    EXPECT_EQ(2u, m_storage.GetCurrentVolume());
    EXPECT_EQ(54u, m_storage.GetPosition()); // within the current volume
    EXPECT_STREQ(szPath, m_storage.Close(true));

    EXPECT_EQ(kSignature + data.substr(0, 96), Contents(Path(_T("s.z01"))));
    EXPECT_EQ(data.substr(96, 100), Contents(Path(_T("s.z02"))));
    EXPECT_EQ(data.substr(196), Contents(szPath));
    EXPECT_FALSE(Exists(Path(_T("s.z03"))));
}

TEST_F(ZipStorageTest, SplitHeadersStayInOneVolume)
{
    m_storage.OpenSplit(Path(_T("h.zip")), 100, false);
    Write(m_storage, Pattern(90), false);
    Write(m_storage, Pattern(30, 'A'), true);  // 6 bytes left: the next volume
    Write(m_storage, Pattern(150, '0'), true); // larger than a volume: one of its own
    Write(m_storage, "end", false);
    m_storage.Close(true);

    EXPECT_EQ(kSignature + Pattern(90), Contents(Path(_T("h.z01"))));
    EXPECT_EQ(Pattern(30, 'A'), Contents(Path(_T("h.z02"))));
    EXPECT_EQ(Pattern(150, '0'), Contents(Path(_T("h.z03"))));
    EXPECT_EQ("end", Contents(Path(_T("h.zip"))));
}

TEST_F(ZipStorageTest, FinishedSplitArchiveReadsAcrossVolumes)
{
    m_storage.OpenSplit(Path(_T("r.zip")), 64, false);
    const std::string data = Pattern(200);
    Write(m_storage, data, false);
    m_storage.FinishSegmentation();
    EXPECT_TRUE(m_storage.IsExistingSegmented());
    EXPECT_EQ(3u, m_storage.GetLastVolume());
    EXPECT_TRUE(Exists(Path(_T("r.zip"))));
    EXPECT_FALSE(Exists(Path(_T("r.z04"))));

    m_storage.ChangeVolume(0);
    m_storage.Seek(4);
    EXPECT_EQ(data, Read(m_storage, 200, false));
    ExpectZipError(CZipException::badZipFile, [&] { Read(m_storage, 1, false); });

    // A block asked for at once must not cross into the next volume.
    m_storage.ChangeVolume(1);
    m_storage.Seek(60);
    ExpectZipError(CZipException::badZipFile, [&] { Read(m_storage, 10, true); });
    EXPECT_STREQ(Path(_T("r.zip")), m_storage.Close(true));
}

TEST_F(ZipStorageTest, SplitArchiveOfOneVolumeBecomesAnOrdinaryArchive)
{
    const CString szPath = Path(_T("one.zip"));
    m_storage.OpenSplit(szPath, 1000, false);
    Write(m_storage, "small", false);
    m_storage.FinishSegmentation();
    EXPECT_FALSE(m_storage.IsSegmented());
    EXPECT_FALSE(Exists(Path(_T("one.z01"))));
    m_storage.Seek(4);
    EXPECT_EQ("small", Read(m_storage, 5, true));
    EXPECT_STREQ(szPath, m_storage.Close(true));
    EXPECT_EQ(kSignature + "small", Contents(szPath));
}

TEST_F(ZipStorageTest, BinarySplitCutsBlocksAndCountsPositionsAcrossVolumes)
{
    const CString szPath = Path(_T("b.zip"));
    m_storage.OpenSplit(szPath, 100, true);
    const std::string data = Pattern(150, 'A');
    Write(m_storage, data, true); // binary split: even headers are cut
    EXPECT_EQ(1u, m_storage.GetCurrentVolume());
    EXPECT_EQ(154u, m_storage.GetPosition());
    Write(m_storage, Pattern(100, '0'), false);
    m_storage.FinishSegmentation();
    EXPECT_EQ(2u, m_storage.GetLastVolume());

    EXPECT_EQ(kSignature + data.substr(0, 96), Contents(Path(_T("b.zip.001"))));
    EXPECT_EQ(data.substr(96) + Pattern(46, '0'), Contents(Path(_T("b.zip.002"))));
    EXPECT_EQ(Pattern(100, '0').substr(46), Contents(Path(_T("b.zip.003"))));

    m_storage.Seek(98); // the archive's offset, in the first volume
    EXPECT_EQ(0u, m_storage.GetCurrentVolume());
    EXPECT_EQ(data.substr(94, 10), Read(m_storage, 10, true));
    EXPECT_EQ(1u, m_storage.GetCurrentVolume());
    EXPECT_EQ(108u, m_storage.GetPosition());
    m_storage.Seek(254);
    EXPECT_EQ(2u, m_storage.GetCurrentVolume());
    ExpectZipError(CZipException::genericError, [&] { m_storage.Seek(255); });
    EXPECT_STREQ(Path(_T("b.zip.003")), m_storage.Close(true));
    EXPECT_EQ(Pattern(100, '0').substr(46), Contents(Path(_T("b.zip.003"))));
}

TEST_F(ZipStorageTest, ClosingABinarySplitArchiveKeepsItsLastVolume)
{
    m_storage.OpenSplit(Path(_T("k.zip")), 100, true);
    Write(m_storage, Pattern(150), false);
    // The last volume already has its final name: nothing is moved or deleted.
    EXPECT_STREQ(Path(_T("k.zip.002")), m_storage.Close(true));
    EXPECT_EQ(Pattern(150).substr(96), Contents(Path(_T("k.zip.002"))));
    EXPECT_FALSE(Exists(Path(_T("k.zip"))));
}

TEST_F(ZipStorageTest, ClosingASplitArchiveReplacesAnOldArchive)
{
    const CString szPath = Path(_T("o.zip"));
    {
        CFile old(szPath, CFile::modeCreate | CFile::modeWrite);
        old.Write("old", 3);
    }
    m_storage.OpenSplit(szPath, 10, false);
    Write(m_storage, Pattern(12), false);
    m_storage.Close(true);
    EXPECT_EQ(Pattern(12).substr(6), Contents(szPath));
}

TEST_F(ZipStorageTest, SplitVolumesAreAskedForThroughTheCallback)
{
    const CString szPath = Path(_T("cb.zip"));
    {
        CFile stale(Path(_T("cb.z02")), CFile::modeCreate | CFile::modeWrite);
    }
    RecordingCallback callback;
    callback.m_onCall = [this](RecordingCallback& c) {
        if (c.m_iCode == CZipVolumeCallback::fileExists)
            ::DeleteFile(c.m_szExternalFile);
    };
    m_storage.OpenSplit(szPath, 8, false, &callback);
    Write(m_storage, Pattern(10), false);
    m_storage.Close(true);

    ASSERT_EQ(4u, callback.m_calls.size());
    EXPECT_EQ(CZipVolumeCallback::volumeNeeded, callback.m_calls[0].iCode);
    EXPECT_EQ(1u, callback.m_calls[0].uVolume);
    EXPECT_STREQ(Path(_T("cb.z01")), callback.m_calls[0].szFile);
    EXPECT_EQ(CZipVolumeCallback::volumeNeeded, callback.m_calls[1].iCode);
    EXPECT_EQ(2u, callback.m_calls[1].uVolume);
    EXPECT_EQ(1u, callback.m_calls[1].uNeeded);
    EXPECT_EQ(CZipVolumeCallback::fileExists, callback.m_calls[2].iCode);
    EXPECT_STREQ(Path(_T("cb.z02")), callback.m_calls[2].szFile);
    // The last volume's final name is asked for too.
    EXPECT_EQ(CZipVolumeCallback::volumeNeeded, callback.m_calls[3].iCode);
    EXPECT_EQ(2u, callback.m_calls[3].uVolume);
    EXPECT_STREQ(szPath, callback.m_calls[3].szFile);
    EXPECT_EQ(Pattern(10).substr(4), Contents(szPath));
    EXPECT_EQ(kSignature + Pattern(4), Contents(Path(_T("cb.z01"))));
    EXPECT_FALSE(Exists(Path(_T("cb.z02"))));
}

TEST_F(ZipStorageTest, ACallbackThatDeclinesAbortsTheVolumeChange)
{
    RecordingCallback callback;
    callback.m_iAnswerFalseAt = 2;
    m_storage.OpenSplit(Path(_T("no.zip")), 8, false, &callback);
    ExpectZipError(
        CZipException::aborted, [&] { Write(m_storage, Pattern(10), false); }, Path(_T("no.z02")));
    m_storage.Close(false);
}

TEST_F(ZipStorageTest, SplitArchiveNeedsAVolumeSize)
{
    ExpectZipError(CZipException::noVolumeSize, [&] { m_storage.OpenSplit(Path(_T("z.zip")), 0, false); });
}

TEST_F(ZipStorageTest, SpannedArchiveWithoutCallbackIsAnInternalError)
{
    ExpectZipError(CZipException::internalError, [&] { m_storage.OpenSpanned(Path(_T("sp.zip")), nullptr); });
    m_storage.Close(false);
}

// Puts a function of ours in place of one this executable imports, while it lives. Wine's
// volume labels cannot be read back, so the label calls are watched where they leave.
class ImportHook
{
public:
    ImportHook(LPCSTR lpszDll, LPCSTR lpszFunction, ULONGLONG uReplacement)
    {
        BYTE* pBase = reinterpret_cast<BYTE*>(::GetModuleHandle(nullptr));
        const auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            pBase + reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* pImport = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(pBase + imports.VirtualAddress);
             pImport->Name != 0; ++pImport)
        {
            if (_stricmp(reinterpret_cast<LPCSTR>(pBase + pImport->Name), lpszDll) != 0)
                continue;
            auto* pNames = reinterpret_cast<const IMAGE_THUNK_DATA*>(pBase + pImport->OriginalFirstThunk);
            auto* pAddresses = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pImport->FirstThunk);
            for (; pNames->u1.AddressOfData != 0; ++pNames, ++pAddresses)
            {
                if (IMAGE_SNAP_BY_ORDINAL(pNames->u1.Ordinal))
                    continue;
                const auto* pName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(pBase + pNames->u1.AddressOfData);
                if (strcmp(reinterpret_cast<LPCSTR>(pName->Name), lpszFunction) == 0)
                {
                    m_pSlot = &pAddresses->u1.Function;
                    m_uOriginal = *m_pSlot;
                    Patch(uReplacement);
                    return;
                }
            }
        }
    }
    ~ImportHook()
    {
        if (m_pSlot != nullptr)
            Patch(m_uOriginal);
    }
    bool IsHooked() const
    {
        return m_pSlot != nullptr;
    }

private:
    void Patch(ULONGLONG uFunction)
    {
        DWORD uOldProtect;
        ::VirtualProtect(m_pSlot, sizeof(*m_pSlot), PAGE_READWRITE, &uOldProtect);
        *m_pSlot = uFunction;
        ::VirtualProtect(m_pSlot, sizeof(*m_pSlot), uOldProtect, &uOldProtect);
    }

    ULONGLONG* m_pSlot = nullptr;
    ULONGLONG m_uOriginal = 0;
};

std::vector<std::pair<CString, CString>> g_labels; // root and label of each call
int g_iLabelFailures = 0;                          // calls that fail before the first success

BOOL WINAPI RecordLabel(LPCWSTR lpszRoot, LPCWSTR lpszLabel)
{
    g_labels.emplace_back(lpszRoot, lpszLabel);
    return g_iLabelFailures-- <= 0;
}

TEST_F(ZipStorageTest, SpannedDisksAreLabelledByNumber)
{
    g_labels.clear();
    g_iLabelFailures = 1;
    ImportHook hook("kernel32.dll", "SetVolumeLabelW", reinterpret_cast<ULONGLONG>(&RecordLabel));
    ASSERT_TRUE(hook.IsHooked());
    const CString szPath = Path(_T("span.zip"));
    RecordingCallback callback;
    // A new disk is put in: the old volume goes away.
    callback.m_onCall = [](RecordingCallback& c) {
        if (c.m_iCode == CZipVolumeCallback::fileExists)
            ::DeleteFile(c.m_szExternalFile);
    };
    m_storage.OpenSpanned(szPath, &callback);
    ASSERT_EQ(2u, callback.m_calls.size());
    EXPECT_EQ(CZipVolumeCallback::volumeNeeded, callback.m_calls[0].iCode);
    EXPECT_EQ(CZipVolumeCallback::cannotSetLabel, callback.m_calls[1].iCode);
    for (int i = 1; i < 10; ++i)
    {
        Write(m_storage, "x", false);
        m_storage.CreateNextVolume(1);
    }
    EXPECT_EQ(9u, m_storage.GetCurrentVolume());
    Write(m_storage, "y", false);
    EXPECT_EQ(CZipVolumeCallback::fileExists, callback.m_calls[3].iCode);
    EXPECT_EQ(2u, callback.m_calls[3].uVolume);
    m_storage.Close(true);

    ASSERT_EQ(11u, g_labels.size());
    EXPECT_STREQ(m_directory.Path().Left(3), g_labels[0].first);
    EXPECT_STREQ(_T("pkback# 001"), g_labels[0].second);
    EXPECT_STREQ(_T("pkback# 001"), g_labels[1].second);
    EXPECT_STREQ(_T("pkback# 002"), g_labels[2].second);
    EXPECT_STREQ(_T("pkback# 010"), g_labels[10].second);
    EXPECT_EQ("y", Contents(szPath)); // the tenth disk holds what was written last
}
} // namespace
