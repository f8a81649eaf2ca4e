// What the collector tests share: the simulated landscape of the RFC tests, a session
// directory, a client logged on to "PRD", and an independent encoder for expected records.
#pragma once

#include <collector/RfcClient.h>
#include <rfc/tests/SimulatedLandscape.h>
#include <testing/TempDirectory.h>

#include <vector>

// How a documented field holds its text.
enum class Kind
{
    Text,
    Int32,
    Int64,
    Double,
    Low32, // the low 32 bits of the 64-bit value
};

// Builds an expected record byte by byte from a documented field table; shares no code with
// the writers.
class GoldenRecord
{
public:
    explicit GoldenRecord(size_t size) : m_bytes(size)
    {
    }
    GoldenRecord& Int(size_t offset, long long value, size_t width)
    {
        for (size_t i = 0; i < width; ++i)
            m_bytes.at(offset + i) = static_cast<BYTE>(static_cast<unsigned long long>(value) >> (8 * i));
        return *this;
    }
    GoldenRecord& Int32(size_t offset, long long value)
    {
        return Int(offset, value, 4);
    }
    GoldenRecord& Int64(size_t offset, long long value)
    {
        return Int(offset, value, 8);
    }
    GoldenRecord& Double(size_t offset, double value);
    // UTF-16LE code units, at most size / 2 of them.
    GoldenRecord& Text(size_t offset, size_t size, const CString& text);
    // The text as the C run-time reads it for the kind.
    GoldenRecord& Field(size_t offset, size_t size, Kind kind, const CString& text);
    const std::vector<BYTE>& Bytes() const
    {
        return m_bytes;
    }

private:
    std::vector<BYTE> m_bytes;
};

// One field of a documented record table and the reader text that it holds.
template <class R> struct Column
{
    size_t offset;
    size_t bytes;
    Kind kind;
    CString R::*text;
};

// The record of the table from the reader's texts, with the time at offset 0.
template <class R, size_t N>
std::vector<BYTE> Expected(size_t size, __time64_t time, const R& reader, const Column<R> (&columns)[N])
{
    GoldenRecord record(size);
    record.Int64(0, time);
    for (const Column<R>& column : columns)
        record.Field(column.offset, column.bytes, column.kind, reader.*column.text);
    return record.Bytes();
}

// The whole content of a file; empty when it does not exist.
std::vector<BYTE> ReadFileBytes(const CString& path);
bool FileExists(const CString& path);
// The records of a file cut into pieces of the record size.
std::vector<std::vector<BYTE>> ReadRecords(const CString& path, size_t recordSize);

class CollectorLandscape : public SimulatedLandscape
{
protected:
    // Logs the client on to "PRD" and names its session files "fileNN.dat" in the session
    // directory, NN the kind's number (the instance thread forms the real names).
    void Connect(CRfcClient& client);
    CString FileOf(const CRfcClient& client, SessionFile file) const
    {
        return client.GetFileName(file);
    }

    TempDirectory m_session;
};

// The captures' tests: a client logged on and at a tick.
class CaptureLandscape : public CollectorLandscape
{
protected:
    static constexpr __time64_t kSampleTime = 1767268800; // 2026-01-01 12:00:00 UTC

    void SetUp() override
    {
        CollectorLandscape::SetUp();
        Connect(m_client);
        m_client.m_nSampleTime = kSampleTime;
    }
    CString File(SessionFile file) const
    {
        return FileOf(m_client, file);
    }

    CRfcClient m_client;
};
