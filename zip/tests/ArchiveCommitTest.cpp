#include <testing/ArchiveLayout.h>
#include <testing/CheckDirectory.h>
#include "ZipError.h"

#include <zip/ActionCallback.h>
#include <zip/Archive.h>
#include <zip/Exception.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace
{

// Every entry's local header as the bytes say: its name and its compressed data.
struct LocalEntry
{
    std::string name;
    std::string data;
};

std::vector<LocalEntry> LocalEntries(const std::string& bytes, const ArchiveLayout::Layout& layout)
{
    std::vector<LocalEntry> entries;
    for (const ArchiveLayout::CentralHeader& header : layout.headers)
    {
        const size_t uPos = static_cast<size_t>(header.uLocalOffset);
        EXPECT_EQ(0x04034B50u, ArchiveLayout::Le(bytes, uPos, 4));
        const size_t uName = static_cast<size_t>(ArchiveLayout::Le(bytes, uPos + 26, 2));
        const size_t uExtra = static_cast<size_t>(ArchiveLayout::Le(bytes, uPos + 28, 2));
        entries.push_back({bytes.substr(uPos + 30, uName),
                           bytes.substr(uPos + 30 + uName + uExtra, static_cast<size_t>(header.uComprSize))});
    }
    return entries;
}

// Stops the moves of a commit at the first chunk.
class StopMoving : public CZipActionCallback
{
public:
    int m_iCalls = 0;

protected:
    bool Callback(ULONGLONG) override
    {
        ++m_iCalls;
        return false;
    }
};

const LPCTSTR kSources[] = {_T("first.log"), _T("middle-entry.log"), _T("last-entry-of-the-session.log")};

// Three entries, large enough that moving them takes several chunks of the general buffer.
class ZipCommitTest : public ::testing::Test
{
protected:
    void Build(LPCTSTR lpszArchive, int iEncryption)
    {
        m_szDir = CheckDirectory::Fresh(CString(lpszArchive) + _T("-files"));
        CheckDirectory::WriteLines(m_szDir + kSources[0], 9000, "alpha");
        CheckDirectory::WriteLines(m_szDir + kSources[1], 3000, "beta");
        CheckDirectory::WriteLines(m_szDir + kSources[2], 6000, "gamma");
        m_szArchive = CheckDirectory::Root() + lpszArchive;
        ASSERT_TRUE(m_zip.Open(m_szArchive));
        m_zip.SetEncryptionMethod(iEncryption);
        ASSERT_TRUE(m_zip.SetPassword(iEncryption != CZipFileHeader::encNone ? _T("s3cret") : nullptr));
        for (LPCTSTR lpszName : kSources)
            ASSERT_TRUE(m_zip.AddNewFile(m_szDir + lpszName, 0));
        m_before = Entries();
    }

    std::vector<LocalEntry> Entries() const
    {
        const std::string bytes = ArchiveLayout::ReadFileBytes(m_szArchive);
        // Before Close the archive has no directory yet: the local headers are found in order.
        std::vector<LocalEntry> entries;
        size_t uPos = 0;
        for (ULONGLONG i = 0; i < m_zip.GetCount(); ++i)
        {
            const CZipFileHeader* pHeader = const_cast<CZipArchive&>(m_zip).GetCentralDir().GetAt(i);
            EXPECT_EQ(pHeader->m_uOffset, uPos);
            const size_t uName = static_cast<size_t>(ArchiveLayout::Le(bytes, uPos + 26, 2));
            const size_t uExtra = static_cast<size_t>(ArchiveLayout::Le(bytes, uPos + 28, 2));
            entries.push_back({bytes.substr(uPos + 30, uName),
                               bytes.substr(uPos + 30 + uName + uExtra, static_cast<size_t>(pHeader->m_uComprSize))});
            uPos +=
                30 + uName + uExtra + static_cast<size_t>(pHeader->m_uComprSize) + pHeader->GetDataDescriptorSize(true);
        }
        return entries;
    }

    // Closes and checks that every entry kept its data, under the expected name in both headers.
    void CloseAndCheck(const std::vector<std::string>& names, bool bEncrypted, bool bCompare = true)
    {
        m_zip.Close();
        std::map<std::string, std::string> expected{{"count", std::to_string(names.size())},
                                                    {"compare", bCompare ? "1" : "0"}};
        if (bEncrypted)
            expected["password"] = "s3cret";
        std::string joined;
        for (const std::string& name : names)
            joined += (joined.empty() ? "" : "|") + name;
        expected["names"] = joined;
        CheckDirectory::Expect(m_szArchive, expected);
        const std::string bytes = ArchiveLayout::ReadFileBytes(m_szArchive);
        const ArchiveLayout::Layout layout = ArchiveLayout::Parse(bytes);
        ASSERT_EQ(names.size(), layout.headers.size());
        const std::vector<LocalEntry> after = LocalEntries(bytes, layout);
        for (size_t i = 0; i < names.size(); ++i)
        {
            SCOPED_TRACE(i);
            EXPECT_EQ(names[i], layout.headers[i].name);
            EXPECT_EQ(names[i], after[i].name);
            EXPECT_TRUE(m_before[i].data == after[i].data) << "the data moved whole";
        }
    }

    // The source under a new name beside it, so that readers compare the entry with it.
    std::string CopyAs(int iIndex, LPCTSTR lpszNewName)
    {
        EXPECT_TRUE(::CopyFile(m_szDir + kSources[iIndex], m_szDir + lpszNewName, FALSE));
        return CheckDirectory::EntryName(m_szDir + lpszNewName);
    }

    std::vector<std::string> SourceNames() const
    {
        std::vector<std::string> names;
        for (LPCTSTR lpszName : kSources)
            names.push_back(CheckDirectory::EntryName(m_szDir + lpszName));
        return names;
    }

    CString m_szDir;
    CString m_szArchive;
    CZipArchive m_zip;
    std::vector<LocalEntry> m_before;
};

} // namespace

TEST_F(ZipCommitTest, RenamedEntriesAreReadableUnderTheirNewNames)
{
    struct Rename
    {
        int iIndex;
        LPCTSTR lpszNewName;
    };
    struct Case
    {
        LPCTSTR lpszArchive;
        int iCommitMode;
        int iEncryption;
        std::vector<Rename> renames;
    } cases[] = {
        {_T("rename-first-longer.zip"), 1, 0xFF, {{0, _T("first-entry-under-a-much-longer-name.log")}}},
        {_T("rename-middle-shorter.zip"), 1, 0xFF, {{1, _T("m.log")}}},
        {_T("rename-last-longer.zip"), 1, 0xFF, {{2, _T("last-entry-under-a-longer-name.log")}}},
        {_T("rename-deferred.zip"), 0, 0xFF, {{0, _T("f.log")}, {1, _T("middle-entry-renamed.log")}, {2, _T("l.log")}}},
        {_T("rename-aes-at-once.zip"), 1, 3, {{0, _T("f.log")}, {2, _T("last-entry-under-a-longer-name.log")}}},
        {_T("rename-aes-deferred.zip"), 0, 1, {{1, _T("middle-entry-renamed.log")}, {2, _T("l.log")}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(CW2A(c.lpszArchive)));
        Build(c.lpszArchive, c.iEncryption);
        m_zip.SetCommitMode(c.iCommitMode);
        std::vector<std::string> names = SourceNames();
        for (const Rename& rename : c.renames)
        {
            names[rename.iIndex] = CopyAs(rename.iIndex, rename.lpszNewName);
            CZipFileHeader* pHeader = m_zip.GetCentralDir().GetAt(rename.iIndex);
            ASSERT_TRUE(pHeader->SetFileName(CString(names[rename.iIndex].c_str())));
            EXPECT_EQ(c.iCommitMode == 0, pHeader->IsModified());
        }
        if (c.iCommitMode == 1)
        {
            // Committed already: the local headers carry the new names.
            const std::vector<LocalEntry> now = Entries();
            for (size_t i = 0; i < names.size(); ++i)
                EXPECT_EQ(names[i], now[i].name) << i;
        }
        CloseAndCheck(names, c.iEncryption != 0xFF);
    }
}

// The first entry's region moves up by more than the next changed local header, while the
// whole shrinks: moving from the front would overwrite data that has not moved yet.
TEST_F(ZipCommitTest, RegionsMovingBothWaysKeepTheirData)
{
    Build(_T("rename-mixed.zip"), 0xFF);
    m_zip.SetCommitMode(0);
    CZipCentralDir& dir = m_zip.GetCentralDir();
    const CString szMiddle = dir.GetAt(1)->GetFileName();
    const CString szLast = dir.GetAt(2)->GetFileName();
    const CString szFirst = dir.GetAt(0)->GetFileName() + CString(_T('x'), 30 + szMiddle.GetLength() + 20);
    ASSERT_LT(szFirst.GetLength() - dir.GetAt(0)->GetFileName().GetLength(),
              szMiddle.GetLength() - 1 + szLast.GetLength() - 1)
        << "the archive shrinks as a whole";
    ASSERT_TRUE(dir.GetAt(0)->SetFileName(szFirst));
    ASSERT_TRUE(dir.GetAt(1)->SetFileName(_T("1")));
    ASSERT_TRUE(dir.GetAt(2)->SetFileName(_T("2")));
    CString szExpected = szFirst;
    szExpected.Replace(_T('\\'), _T('/'));
    // Readers check every entry's CRC; the names have no source to compare with.
    CloseAndCheck({std::string(CW2A(szExpected)), "1", "2"}, false, false);
}

// While a rename waits for Close, the directory is not written: it would name entries
// differently from their local headers.
TEST_F(ZipCommitTest, FinalizeWaitsForAPendingRename)
{
    Build(_T("rename-pending.zip"), 0xFF);
    m_zip.SetAutoFinalize(true);
    m_zip.SetCommitMode(CZipArchive::cmManual);
    const auto EndsWithDirectory = [&] {
        const std::string bytes = ArchiveLayout::ReadFileBytes(m_szArchive);
        return bytes.size() >= 22 && ArchiveLayout::Le(bytes, bytes.size() - 22, 4) == 0x06054B50;
    };
    m_zip.Finalize();
    EXPECT_TRUE(EndsWithDirectory());
    std::vector<std::string> names = SourceNames();
    names[1] = CopyAs(1, _T("m.log"));
    ASSERT_TRUE(m_zip.GetCentralDir().GetAt(1)->SetFileName(CString(names[1].c_str())));
    const CString szNext = m_szDir + _T("next.log");
    CheckDirectory::WriteLines(szNext, 10, "delta");
    ASSERT_TRUE(m_zip.AddNewFile(szNext));
    EXPECT_FALSE(EndsWithDirectory());
    names.push_back(CheckDirectory::EntryName(szNext));
    m_before.push_back(Entries().back());
    CloseAndCheck(names, false);
}

TEST_F(ZipCommitTest, CommitWithoutChangesLeavesTheFileUntouched)
{
    Build(_T("commit-nothing.zip"), 0xFF);
    m_zip.SetAutoFinalize(true);
    m_zip.Finalize();
    const std::string bytes = ArchiveLayout::ReadFileBytes(m_szArchive);
    EXPECT_TRUE(m_zip.CommitChanges());
    EXPECT_TRUE(m_zip.GetCentralDir().GetAt(1)->SetFileName(CString(SourceNames()[1].c_str())));
    EXPECT_FALSE(m_zip.GetCentralDir().GetAt(1)->IsModified()) << "the same name is no change";
    m_zip.SetCommitMode(0);
    EXPECT_TRUE(m_zip.CommitChanges());
    EXPECT_TRUE(bytes == ArchiveLayout::ReadFileBytes(m_szArchive));
    CloseAndCheck(SourceNames(), false);
}

TEST_F(ZipCommitTest, StoppedCommitLeavesTheArchiveWithItsOldNames)
{
    for (int iCommitMode : {1, 0})
    {
        SCOPED_TRACE(iCommitMode);
        Build(iCommitMode == 1 ? _T("commit-stopped-at-once.zip") : _T("commit-stopped-at-close.zip"), 0xFF);
        m_zip.SetCommitMode(iCommitMode);
        StopMoving callback;
        m_zip.SetCallback(&callback, CZipActionCallback::cbMoveData);
        CZipFileHeader* pHeader = m_zip.GetCentralDir().GetAt(0);
        const CString szNewName =
            CString(CheckDirectory::EntryName(m_szDir + _T("first-entry-under-a-much-longer-name.log")).c_str());
        if (iCommitMode == 1)
        {
            ExpectZipError(CZipException::abortedAction, [&] { pHeader->SetFileName(szNewName); });
            EXPECT_STREQ(m_szDir.Mid(3) + kSources[0], pHeader->GetFileName());
            EXPECT_FALSE(pHeader->IsModified());
            CloseAndCheck(SourceNames(), false);
        }
        else
        {
            ASSERT_TRUE(pHeader->SetFileName(szNewName));
            ExpectZipError(CZipException::abortedAction, [&] { m_zip.Close(); });
            m_zip.Close(CZipArchive::afAfterException);
            CloseAndCheck(SourceNames(), false);
        }
        EXPECT_EQ(1, callback.m_iCalls);
    }
}

TEST_F(ZipCommitTest, RenameIsRefusedWhileAnEntryIsOpen)
{
    Build(_T("rename-refused.zip"), 0xFF);
    CZipFileHeader header;
    ASSERT_TRUE(m_zip.OpenNewFile(header));
    CZipFileHeader* pFirst = m_zip.GetCentralDir().GetAt(0);
    EXPECT_FALSE(pFirst->SetFileName(_T("other.log")));
    EXPECT_STREQ(m_szDir.Mid(3) + kSources[0], pFirst->GetFileName());
    EXPECT_FALSE(pFirst->IsModified());
    EXPECT_FALSE(m_zip.CommitChanges());
    m_zip.CloseNewFile();
    m_zip.Close();

    // A segmented archive being written cannot go back to a volume it has left.
    CZipArchive split;
    split.GetStorage().OpenSplit(m_szDir + _T("split.zip"), 1 << 20, false);
    split.ResetAfterOpen(0);
    ASSERT_TRUE(split.AddNewFile(m_szDir + kSources[1]));
    EXPECT_FALSE(split.GetCentralDir().GetAt(0)->SetFileName(_T("other.log")));
    split.Close();
}
