// Extra-field records of zip headers: CZipExtraData is one record, CZipExtraField a header's list.
#pragma once

#include <zip/AutoBuffer.h>
#include <zip/Collections.h>

class CZipStorage;

class CZipExtraData
{
public:
    // Header ids of the records the library makes itself.
    enum HeaderIds : WORD
    {
        zip64 = 0x0001,
        aes = 0x9901,
        unicodePath = 0x7075,
        unicodeComment = 0x6375,
        libraryOwn = 0x5A4C,
    };

    explicit CZipExtraData(WORD uHeaderID = 0) : m_uHeaderID(uHeaderID)
    {
    }

    // One record from the start of pBuffer; false when it does not fit in uSize bytes.
    bool Read(const char* pBuffer, DWORD uSize);
    // Id, size word and data; returns the bytes written.
    DWORD Write(char* pBuffer) const;
    DWORD GetTotalSize() const
    {
        return 4 + m_data.GetSize();
    }
    WORD GetHeaderID() const
    {
        return m_uHeaderID;
    }

    CZipAutoBuffer m_data;

private:
    WORD m_uHeaderID;
};

class CZipExtraField
{
public:
    CZipExtraField() = default;
    CZipExtraField(const CZipExtraField& field);
    CZipExtraField& operator=(const CZipExtraField& field);
    ~CZipExtraField();

    // Reads a field of uSize bytes from the storage. False when it is malformed; the records
    // read before the bad one stay.
    bool Read(CZipStorage* pStorage, WORD uSize);
    // Writes the records in order; pBuffer holds GetTotalSize() bytes.
    void Write(char* pBuffer) const;
    DWORD GetTotalSize() const;

    // The first record with the id and, in piIndex, its index; null when there is none.
    CZipExtraData* Find(WORD uHeaderID, INT_PTR* piIndex = nullptr) const;
    // Removes every record with the id.
    void Remove(WORD uHeaderID);
    // Removes the records the library makes and drops before writing.
    void RemoveManagedRecords();
    void RemoveManagedLocalRecords();
    // A new empty record at the end, and its index in piIndex.
    CZipExtraData* AppendRecord(WORD uHeaderID, INT_PTR* piIndex = nullptr);
    void RemoveAll();

    INT_PTR GetCount() const
    {
        return m_aData.GetSize();
    }
    CZipExtraData* GetAt(INT_PTR iIndex) const
    {
        return m_aData.GetAt(iIndex);
    }

private:
    CZipArray<CZipExtraData*> m_aData;
};
