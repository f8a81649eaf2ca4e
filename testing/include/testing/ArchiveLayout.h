// Reads an archive file's end records and central headers straight from its bytes, by the
// published record layouts, to check what the archive wrote.
#pragma once

#include <afx.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ArchiveLayout
{
inline std::string ReadFileBytes(const CString& szPath)
{
    HANDLE hFile =
        ::CreateFile(szPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return std::string();
    LARGE_INTEGER size{};
    ::GetFileSizeEx(hFile, &size);
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD uRead = 0;
    if (!bytes.empty())
        ::ReadFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &uRead, nullptr);
    ::CloseHandle(hFile);
    return bytes;
}

inline uint64_t Le(const std::string& bytes, size_t uPos, int iWidth)
{
    uint64_t uValue = 0;
    for (int i = iWidth - 1; i >= 0; --i)
        uValue = (uValue << 8) | static_cast<uint8_t>(bytes.at(uPos + i));
    return uValue;
}

struct EndRecord
{
    uint64_t uThisDisk, uStartDisk, uDiskEntries, uTotalEntries, uSize, uOffset, uCommentLength;
};

struct CentralHeader
{
    uint16_t uFlag, uMethod;
    uint32_t uCrc;
    uint64_t uComprSize, uUncomprSize, uLocalOffset;
    std::string name;
    std::string extra;
};

struct Layout
{
    EndRecord end{};
    bool bZip64 = false;
    EndRecord zip64{}; // when bZip64
    std::vector<CentralHeader> headers;
};

// The values a central header's Zip64 record holds for the fields that show all ones.
inline void ApplyZip64Record(CentralHeader& header)
{
    for (size_t uPos = 0; uPos + 4 <= header.extra.size();)
    {
        const size_t uSize = static_cast<size_t>(Le(header.extra, uPos + 2, 2));
        if (Le(header.extra, uPos, 2) == 0x0001)
        {
            size_t uField = uPos + 4;
            for (uint64_t* pValue : {&header.uUncomprSize, &header.uComprSize, &header.uLocalOffset})
            {
                if (*pValue == 0xFFFFFFFF)
                {
                    *pValue = Le(header.extra, uField, 8);
                    uField += 8;
                }
            }
        }
        uPos += 4 + uSize;
    }
}

// An archive without a comment: the end record is its last 22 bytes.
inline Layout Parse(const std::string& bytes)
{
    Layout layout;
    const size_t uEnd = bytes.size() - 22;
    EXPECT_EQ(0x06054B50u, Le(bytes, uEnd, 4));
    layout.end = {Le(bytes, uEnd + 4, 2),  Le(bytes, uEnd + 6, 2),  Le(bytes, uEnd + 8, 2), Le(bytes, uEnd + 10, 2),
                  Le(bytes, uEnd + 12, 4), Le(bytes, uEnd + 16, 4), Le(bytes, uEnd + 20, 2)};
    uint64_t uDirOffset = layout.end.uOffset;
    uint64_t uCount = layout.end.uTotalEntries;
    layout.bZip64 = uEnd >= 20 && Le(bytes, uEnd - 20, 4) == 0x07064B50;
    if (layout.bZip64)
    {
        const size_t uRecord = static_cast<size_t>(Le(bytes, uEnd - 12, 8));
        EXPECT_EQ(0x06064B50u, Le(bytes, uRecord, 4));
        EXPECT_EQ(44u, Le(bytes, uRecord + 4, 8));
        EXPECT_EQ(uRecord + 56, uEnd - 20) << "the record lies right before the locator";
        layout.zip64 = {Le(bytes, uRecord + 16, 4),
                        Le(bytes, uRecord + 20, 4),
                        Le(bytes, uRecord + 24, 8),
                        Le(bytes, uRecord + 32, 8),
                        Le(bytes, uRecord + 40, 8),
                        Le(bytes, uRecord + 48, 8),
                        0};
        uDirOffset = layout.zip64.uOffset;
        uCount = layout.zip64.uTotalEntries;
    }
    size_t uPos = static_cast<size_t>(uDirOffset);
    for (uint64_t i = 0; i < uCount; ++i)
    {
        EXPECT_EQ(0x02014B50u, Le(bytes, uPos, 4));
        CentralHeader header;
        header.uFlag = static_cast<uint16_t>(Le(bytes, uPos + 8, 2));
        header.uMethod = static_cast<uint16_t>(Le(bytes, uPos + 10, 2));
        header.uCrc = static_cast<uint32_t>(Le(bytes, uPos + 16, 4));
        header.uComprSize = Le(bytes, uPos + 20, 4);
        header.uUncomprSize = Le(bytes, uPos + 24, 4);
        header.uLocalOffset = Le(bytes, uPos + 42, 4);
        const size_t uName = static_cast<size_t>(Le(bytes, uPos + 28, 2));
        const size_t uExtra = static_cast<size_t>(Le(bytes, uPos + 30, 2));
        const size_t uComment = static_cast<size_t>(Le(bytes, uPos + 32, 2));
        header.name = bytes.substr(uPos + 46, uName);
        header.extra = bytes.substr(uPos + 46 + uName, uExtra);
        ApplyZip64Record(header);
        layout.headers.push_back(header);
        uPos += 46 + uName + uExtra + uComment;
    }
    EXPECT_EQ(uDirOffset + (layout.bZip64 ? layout.zip64.uSize : layout.end.uSize), uPos);
    return layout;
}
} // namespace ArchiveLayout
