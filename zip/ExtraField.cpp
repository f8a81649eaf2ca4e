#include <zip/ExtraField.h>

#include <zip/Bytes.h>
#include <zip/Storage.h>

namespace
{
const WORD kManagedRecords[] = {CZipExtraData::zip64, CZipExtraData::aes, CZipExtraData::unicodePath,
                                CZipExtraData::unicodeComment, CZipExtraData::libraryOwn};
const WORD kManagedLocalRecords[] = {CZipExtraData::aes, CZipExtraData::unicodePath, CZipExtraData::unicodeComment};
} // namespace

bool CZipExtraData::Read(const char* pBuffer, DWORD uSize)
{
    if (uSize < 4)
        return false;
    CZipBytesReader reader(pBuffer);
    m_uHeaderID = reader.Word();
    const WORD uDataSize = reader.Word();
    if (4 + static_cast<DWORD>(uDataSize) > uSize)
        return false;
    m_data.Allocate(uDataSize);
    if (uDataSize != 0)
        memcpy(m_data, pBuffer + 4, uDataSize);
    return true;
}

DWORD CZipExtraData::Write(char* pBuffer) const
{
    CZipBytesWriter writer(pBuffer);
    writer.Word(m_uHeaderID);
    writer.Word(static_cast<WORD>(m_data.GetSize()));
    writer.Bytes(m_data, m_data.GetSize());
    return GetTotalSize();
}

CZipExtraField::CZipExtraField(const CZipExtraField& field)
{
    *this = field;
}

CZipExtraField& CZipExtraField::operator=(const CZipExtraField& field)
{
    if (this != &field)
    {
        RemoveAll();
        for (INT_PTR i = 0; i < field.GetCount(); ++i)
            m_aData.Add(new CZipExtraData(*field.GetAt(i)));
    }
    return *this;
}

CZipExtraField::~CZipExtraField()
{
    RemoveAll();
}

bool CZipExtraField::Read(CZipStorage* pStorage, WORD uSize)
{
    if (uSize == 0)
        return true;
    RemoveAll();
    CZipAutoBuffer buffer(uSize);
    pStorage->Read(buffer, uSize, true);
    for (DWORD uPos = 0; uPos < uSize;)
    {
        CZipExtraData* pRecord = new CZipExtraData;
        if (!pRecord->Read(buffer + uPos, uSize - uPos))
        {
            delete pRecord;
            return false;
        }
        uPos += pRecord->GetTotalSize();
        m_aData.Add(pRecord);
    }
    return true;
}

void CZipExtraField::Write(char* pBuffer) const
{
    for (INT_PTR i = 0; i < GetCount(); ++i)
        pBuffer += GetAt(i)->Write(pBuffer);
}

DWORD CZipExtraField::GetTotalSize() const
{
    DWORD uSize = 0;
    for (INT_PTR i = 0; i < GetCount(); ++i)
        uSize += GetAt(i)->GetTotalSize();
    return uSize;
}

CZipExtraData* CZipExtraField::Find(WORD uHeaderID, INT_PTR* piIndex) const
{
    for (INT_PTR i = 0; i < GetCount(); ++i)
    {
        if (GetAt(i)->GetHeaderID() == uHeaderID)
        {
            if (piIndex != nullptr)
                *piIndex = i;
            return GetAt(i);
        }
    }
    return nullptr;
}

void CZipExtraField::Remove(WORD uHeaderID)
{
    for (INT_PTR i = GetCount() - 1; i >= 0; --i)
    {
        if (GetAt(i)->GetHeaderID() == uHeaderID)
        {
            delete GetAt(i);
            m_aData.RemoveAt(i);
        }
    }
}

void CZipExtraField::RemoveManagedRecords()
{
    for (WORD uHeaderID : kManagedRecords)
        Remove(uHeaderID);
}

void CZipExtraField::RemoveManagedLocalRecords()
{
    for (WORD uHeaderID : kManagedLocalRecords)
        Remove(uHeaderID);
}

CZipExtraData* CZipExtraField::AppendRecord(WORD uHeaderID, INT_PTR* piIndex)
{
    CZipExtraData* pRecord = new CZipExtraData(uHeaderID);
    const INT_PTR iIndex = m_aData.Add(pRecord);
    if (piIndex != nullptr)
        *piIndex = iIndex;
    return pRecord;
}

void CZipExtraField::RemoveAll()
{
    for (INT_PTR i = 0; i < GetCount(); ++i)
        delete GetAt(i);
    m_aData.RemoveAll();
}
