#include "CollectorLandscape.h"

#include <cstring>

GoldenRecord& GoldenRecord::Double(size_t offset, double value)
{
    long long bits = 0;
    memcpy(&bits, &value, sizeof(bits));
    return Int64(offset, bits);
}

GoldenRecord& GoldenRecord::Text(size_t offset, size_t size, const CString& text)
{
    for (size_t i = 0; i < static_cast<size_t>(text.GetLength()) && 2 * i + 1 < size; ++i)
        Int(offset + 2 * i, text[static_cast<int>(i)], 2);
    return *this;
}

GoldenRecord& GoldenRecord::Field(size_t offset, size_t size, Kind kind, const CString& text)
{
    switch (kind)
    {
    case Kind::Text:
        return Text(offset, size, text);
    case Kind::Int32:
        return Int32(offset, _wtoi(text));
    case Kind::Int64:
        return Int64(offset, _wtoi64(text));
    case Kind::Double:
        return Double(offset, _wtof(text));
    case Kind::Low32:
        return Int32(offset, _wtoi64(text) & 0xFFFFFFFF);
    }
    return *this;
}

std::vector<BYTE> ReadFileBytes(const CString& path)
{
    std::vector<BYTE> bytes;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return bytes;
    bytes.resize(static_cast<size_t>(file.GetLength()));
    if (!bytes.empty())
        bytes.resize(file.Read(bytes.data(), static_cast<UINT>(bytes.size())));
    return bytes;
}

bool FileExists(const CString& path)
{
    return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::vector<BYTE>> ReadRecords(const CString& path, size_t recordSize)
{
    const std::vector<BYTE> bytes = ReadFileBytes(path);
    EXPECT_EQ(0u, bytes.size() % recordSize) << "a file of whole records";
    std::vector<std::vector<BYTE>> records;
    for (size_t offset = 0; offset + recordSize <= bytes.size(); offset += recordSize)
        records.emplace_back(bytes.begin() + offset, bytes.begin() + offset + recordSize);
    return records;
}

void CollectorLandscape::Connect(CRfcClient& client)
{
    SetLogon(client);
    client.Connect();
    for (int file = 0; file < fileCount; ++file)
    {
        CString name;
        name.Format(L"%sfile%02d.dat", (LPCTSTR)m_session.Path(), file);
        client.m_strFiles[file] = name;
    }
}
