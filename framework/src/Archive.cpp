#include <afx.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace
{
// MFC's tags. Indices count from 1 in one numbering for classes and objects; 0 is the null
// object. An index that does not fit in 15 bits follows wBigObjectTag as a DWORD, with
// dwBigClassTag set for a class.
const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;
const UINT nMaxMapCount = 0x3FFFFFFE;

// The archive's own buffer, and each stretch of a file's memory it takes, is never smaller.
const UINT nMinBufSize = 128;
// Long texts are read a piece at a time, so that a damaged length meets the end of the data
// before it can claim memory.
const UINT nStringChunk = 0x10000;

BOOL IsSerializableClass(const CRuntimeClass* pClass)
{
    return pClass->m_wSchema != AFX_NOSCHEMA;
}

void* MapValue(UINT n)
{
    return reinterpret_cast<void*>(static_cast<UINT_PTR>(n));
}

UINT FromMapValue(void* p)
{
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(p));
}

// The length and character size of a string, as MFC prefixes it.
ULONGLONG ReadStringLength(CArchive& ar, UINT& nCharSize)
{
    nCharSize = sizeof(char);
    BYTE bLength;
    ar >> bLength;
    if (bLength < 0xFF)
        return bLength;
    WORD wLength;
    ar >> wLength;
    if (wLength == 0xFFFE)
    {
        nCharSize = sizeof(wchar_t);
        ar >> bLength;
        if (bLength < 0xFF)
            return bLength;
        ar >> wLength;
    }
    if (wLength < 0xFFFE)
        return wLength;
    DWORD dwLength;
    ar >> dwLength;
    if (dwLength < 0xFFFFFFFF)
        return dwLength;
    ULONGLONG qwLength;
    ar >> qwLength;
    return qwLength;
}
} // namespace

// The index of every object and class stored so far, with no heap node of its own per entry:
// the keys in index order (the null object is index 0) in blocks that are never moved, and an
// open-addressed table of their indices, kept at most half full so that a search ends after a
// probe or two. An entry takes 16 to 24 bytes, a third of what a map of heap nodes took.
class CArchive::CStoreMap
{
public:
    // Both sizes are rounded up to powers of two.
    CStoreMap(UINT nHashSize, UINT nBlockSize)
    {
        while ((UINT{1} << m_nBlockShift) < nBlockSize && m_nBlockShift < 16)
            ++m_nBlockShift;
        AddKey(nullptr);
        UINT nShift = 63;
        while ((UINT_PTR{1} << (64 - nShift)) < nHashSize && nShift > 32)
            --nShift;
        Rehash(nShift);
    }

    // FALSE when p was never mapped.
    BOOL Lookup(const void* p, UINT& nIndex) const
    {
        if (p == nullptr)
        {
            nIndex = wNullTag;
            return TRUE;
        }
        for (size_t nSlot = Home(p);; nSlot = Next(nSlot))
        {
            nIndex = m_slots[nSlot];
            if (nIndex == wNullTag)
                return FALSE;
            if (Key(nIndex) == p)
                return TRUE;
        }
    }

    // Gives p the next index, which is the count of entries so far; null is never found.
    void Add(const void* p)
    {
        AddKey(p);
        if (2 * static_cast<size_t>(m_nCount) > m_slots.size())
            Rehash(m_nShift - 1);
        else
            Place(m_nCount - 1);
    }

private:
    const void* Key(UINT nIndex) const
    {
        return m_blocks[nIndex >> m_nBlockShift][nIndex & BlockMask()];
    }
    UINT BlockMask() const
    {
        return (UINT{1} << m_nBlockShift) - 1;
    }
    void AddKey(const void* p)
    {
        if ((m_nCount & BlockMask()) == 0)
            m_blocks.push_back(std::make_unique_for_overwrite<const void*[]>(BlockMask() + 1));
        m_blocks.back()[m_nCount & BlockMask()] = p;
        ++m_nCount;
    }
    // Fibonacci hashing: the top bits of the address times 2^64 / phi, which spreads addresses
    // of any stride over a table of any power of two.
    size_t Home(const void* p) const
    {
        return static_cast<size_t>((reinterpret_cast<UINT_PTR>(p) * 0x9E3779B97F4A7C15ull) >> m_nShift);
    }
    size_t Next(size_t nSlot) const
    {
        return (nSlot + 1) & (m_slots.size() - 1);
    }
    // An entry without a key (an owned object's) only takes its index.
    void Place(UINT nIndex)
    {
        if (Key(nIndex) == nullptr)
            return;
        size_t nSlot = Home(Key(nIndex));
        while (m_slots[nSlot] != wNullTag)
            nSlot = Next(nSlot);
        m_slots[nSlot] = nIndex;
    }
    // A table of 2^(64 - nShift) slots, filled again from the keys.
    void Rehash(UINT nShift)
    {
        m_nShift = nShift;
        m_slots.assign(size_t{1} << (64 - nShift), wNullTag);
        for (UINT nIndex = 1; nIndex < m_nCount; ++nIndex)
            Place(nIndex);
    }

    std::vector<std::unique_ptr<const void*[]>> m_blocks;
    UINT m_nBlockShift = 0;
    UINT m_nCount = 0;
    std::vector<UINT> m_slots;
    UINT m_nShift = 63;
};

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pFile(pFile), m_nMode(nMode), m_bDirectBuffer(FALSE), m_nBufSize(0)
{
    if (pFile == nullptr || nBufSize <= 0)
        AfxThrowInvalidArgException();
    m_strFileName = pFile->GetFilePath();
    m_bDirectBuffer = (pFile->GetBufferPtr(CFile::bufferCheck) & CFile::bufferDirect) != 0;
    // The caller's buffer is used as it is.
    const bool bCallersBuffer = lpBuf != nullptr && !m_bDirectBuffer;
    m_nBufSize = bCallersBuffer ? static_cast<UINT>(nBufSize) : std::max<UINT>(nBufSize, nMinBufSize);
    if (m_bDirectBuffer)
        return;
    if (!bCallersBuffer)
    {
        m_pOwnBuffer = std::make_unique<BYTE[]>(m_nBufSize);
        lpBuf = m_pOwnBuffer.get();
    }
    m_lpBufStart = static_cast<BYTE*>(lpBuf);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive()
{
    if (m_pFile == nullptr || (m_nMode & bNoFlushOnDelete) != 0)
        return;
    try
    {
        Close();
    }
    catch (CException* e)
    {
        e->Delete();
    }
}

void CArchive::ThrowArchiveException(int cause) const
{
    AfxThrowArchiveException(cause, m_strFileName);
}

void CArchive::CheckDirection(BOOL bStoring) const
{
    if (m_pFile == nullptr)
        ThrowArchiveException(CArchiveException::genericException);
    if (bStoring && !IsStoring())
        ThrowArchiveException(CArchiveException::readOnly);
    if (!bStoring && IsStoring())
        ThrowArchiveException(CArchiveException::writeOnly);
}

void CArchive::CheckCount() const
{
    if (m_nMapCount >= nMaxMapCount)
        ThrowArchiveException(CArchiveException::badIndex);
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        return;
    if (IsLoading())
    {
        // Bytes taken ahead of the reader go back, so the file continues where it stopped.
        if (m_lpBufCur != m_lpBufMax)
            m_pFile->Seek(-static_cast<LONGLONG>(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax;
        return;
    }
    const UINT nCount = static_cast<UINT>(m_lpBufCur - m_lpBufStart);
    if (m_bDirectBuffer)
    {
        // The rest of the stretch stays ours to write.
        if (nCount != 0)
            m_pFile->GetBufferPtr(CFile::bufferCommit, nCount);
        m_lpBufStart = m_lpBufCur;
    }
    else
    {
        if (nCount != 0)
            m_pFile->Write(m_lpBufStart, nCount);
        m_lpBufCur = m_lpBufStart;
    }
}

void CArchive::Close()
{
    Flush();
    Abort();
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_lpBufStart = m_lpBufCur = m_lpBufMax = nullptr;
}

void CArchive::MakeRoom()
{
    Flush();
    if (m_bDirectBuffer)
    {
        void* pStart;
        void* pMax;
        m_pFile->GetBufferPtr(CFile::bufferWrite, m_nBufSize, &pStart, &pMax);
        m_lpBufStart = m_lpBufCur = static_cast<BYTE*>(pStart);
        m_lpBufMax = static_cast<BYTE*>(pMax);
    }
}

BOOL CArchive::FillBuffer()
{
    if (m_bDirectBuffer)
    {
        void* pStart;
        void* pMax;
        m_pFile->GetBufferPtr(CFile::bufferRead, m_nBufSize, &pStart, &pMax);
        m_lpBufStart = static_cast<BYTE*>(pStart);
        m_lpBufMax = static_cast<BYTE*>(pMax);
    }
    else
    {
        m_lpBufMax = m_lpBufStart + m_pFile->Read(m_lpBufStart, m_nBufSize);
    }
    m_lpBufCur = m_lpBufStart;
    return m_lpBufCur != m_lpBufMax;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckDirection(FALSE);
    BYTE* pDest = static_cast<BYTE*>(lpBuf);
    UINT nRead = 0;
    while (nRead < nMax)
    {
        if (m_lpBufCur == m_lpBufMax && !FillBuffer())
            break;
        const UINT nCount = std::min(nMax - nRead, static_cast<UINT>(m_lpBufMax - m_lpBufCur));
        std::memcpy(pDest + nRead, m_lpBufCur, nCount);
        m_lpBufCur += nCount;
        nRead += nCount;
    }
    return nRead;
}

void CArchive::EnsureRead(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        ThrowArchiveException(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckDirection(TRUE);
    const BYTE* pSource = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0)
    {
        if (m_lpBufCur == m_lpBufMax)
            MakeRoom();
        const UINT nCount = std::min(nMax, static_cast<UINT>(m_lpBufMax - m_lpBufCur));
        std::memcpy(m_lpBufCur, pSource, nCount);
        m_lpBufCur += nCount;
        pSource += nCount;
        nMax -= nCount;
    }
}

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz == nullptr)
        AfxThrowInvalidArgException();
    Write(lpsz, static_cast<UINT>(::lstrlen(lpsz) * sizeof(TCHAR)));
}

BOOL CArchive::ReadLine(CString& rString, UINT nMax)
{
    CString line;
    TCHAR ch;
    BOOL bAny = FALSE;
    while (static_cast<UINT>(line.GetLength()) < nMax && Read(&ch, sizeof(ch)) == sizeof(ch))
    {
        bAny = TRUE;
        if (ch == _T('\n'))
        {
            if (!line.IsEmpty() && line[line.GetLength() - 1] == _T('\r'))
                line.Truncate(line.GetLength() - 1);
            break;
        }
        line.AppendChar(ch);
    }
    rString = line;
    return bAny;
}

BOOL CArchive::ReadString(CString& rString)
{
    return ReadLine(rString, INT_MAX);
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr)
        AfxThrowInvalidArgException();
    CString line;
    if (!ReadLine(line, nMax))
        return nullptr;
    std::memcpy(lpsz, line.GetString(), (line.GetLength() + 1) * sizeof(TCHAR));
    return lpsz;
}

CArchive& CArchive::operator<<(LPCWSTR lpsz)
{
    return *this << CString(lpsz);
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    if (dwCount != 0xFFFFFFFF)
        return dwCount;
    ULONGLONG qwCount;
    *this >> qwCount;
    return qwCount;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF)
    {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (dwCount < 0xFFFFFFFF)
    {
        *this << static_cast<DWORD>(dwCount);
        return;
    }
    *this << static_cast<DWORD>(0xFFFFFFFF) << static_cast<ULONGLONG>(dwCount);
}

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring())
    {
        if (m_pStoreMap == nullptr)
        {
            m_pStoreMap = std::make_unique<CStoreMap>(m_nHashSize, m_nGrowSize);
            m_nMapCount = 1;
        }
        if (pOb != nullptr)
            MapStored(pOb);
    }
    else
    {
        if (m_pLoadArray == nullptr)
        {
            m_pLoadArray = std::make_unique<CPtrArray>();
            m_pLoadArray->SetSize(1, m_nGrowSize);
            m_pSchemaMap = std::make_unique<CMapPtrToPtr>();
            m_nMapCount = 1;
        }
        if (pOb != nullptr)
            MapLoaded(const_cast<CObject*>(pOb));
    }
}

void CArchive::MapStored(const void* p)
{
    CheckCount();
    m_pStoreMap->Add(p);
    ++m_nMapCount;
}

UINT CArchive::MapLoaded(void* p)
{
    CheckCount();
    const UINT nIndex = m_nMapCount++;
    // The array at least doubles, so that loading n objects copies O(n) entries.
    const INT_PTR nSize = m_pLoadArray->GetSize();
    if (nIndex >= nSize)
        m_pLoadArray->SetSize(nIndex + 1, std::max<INT_PTR>(m_nGrowSize, nSize));
    m_pLoadArray->SetAt(nIndex, p);
    return nIndex;
}

void CArchive::SetStoreParams(UINT nHashSize, UINT nBlockSize)
{
    m_nHashSize = nHashSize;
    m_nGrowSize = nBlockSize;
}

void CArchive::SetLoadParams(UINT nGrowBy)
{
    m_nGrowSize = nGrowBy;
}

void CArchive::WriteReference(DWORD nIndex, bool bClass)
{
    if (nIndex < wBigObjectTag)
        *this << static_cast<WORD>(nIndex | (bClass ? wClassTag : 0));
    else
        *this << wBigObjectTag << static_cast<DWORD>(nIndex | (bClass ? dwBigClassTag : 0));
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    CheckDirection(TRUE);
    if (pClassRef == nullptr)
        AfxThrowInvalidArgException();
    // Its objects could not be created again when loading.
    if (!IsSerializableClass(pClassRef))
        AfxThrowNotSupportedException();
    MapObject(nullptr);
    UINT nIndex;
    if (m_pStoreMap->Lookup(pClassRef, nIndex))
    {
        WriteReference(nIndex, true);
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    MapStored(pClassRef);
}

void CArchive::WriteObject(const CObject* pOb)
{
    CheckDirection(TRUE);
    MapObject(nullptr);
    // The null object is mapped too, to wNullTag.
    UINT nIndex;
    if (m_pStoreMap->Lookup(pOb, nIndex))
    {
        WriteReference(nIndex, false);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    // Mapped before its contents, so that they may refer back to it.
    MapStored(pOb);
    const_cast<CObject*>(pOb)->Serialize(*this);
}

void CArchive::WriteOwnedObject(const CObject* pOb)
{
    CheckDirection(TRUE);
    MapObject(nullptr);
    if (pOb == nullptr)
    {
        WriteReference(wNullTag, false);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    // The index is taken, as the reader counts it, but the address is never looked up: a
    // shared or reused address must not turn into a back-reference.
    MapStored(nullptr);
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::LoadedClass(DWORD nIndex, UINT* pSchema) const
{
    void* pSchemaValue;
    if (nIndex >= m_nMapCount || !m_pSchemaMap->Lookup(m_pLoadArray->GetAt(nIndex), pSchemaValue))
        ThrowArchiveException(CArchiveException::badIndex);
    *pSchema = FromMapValue(pSchemaValue);
    return static_cast<CRuntimeClass*>(m_pLoadArray->GetAt(nIndex));
}

CObject* CArchive::LoadedObject(DWORD nIndex) const
{
    if (nIndex >= m_nMapCount)
        ThrowArchiveException(CArchiveException::badIndex);
    void* pEntry = m_pLoadArray->GetAt(nIndex);
    // An emptied entry is an object that was taken over or failed to load.
    void* pSchemaValue;
    if ((pEntry == nullptr && nIndex != wNullTag) || m_pSchemaMap->Lookup(pEntry, pSchemaValue))
        ThrowArchiveException(CArchiveException::badIndex);
    return static_cast<CObject*>(pEntry);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    CheckDirection(FALSE);
    MapObject(nullptr);
    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = (static_cast<DWORD>(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag)
    {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == nullptr)
            ThrowArchiveException(CArchiveException::badClass);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema && (pClassRef->m_wSchema & VERSIONABLE_SCHEMA) == 0)
            ThrowArchiveException(CArchiveException::badSchema);
        m_pSchemaMap->SetAt(pClassRef, MapValue(nSchema));
        MapLoaded(pClassRef);
    }
    else if ((obTag & dwBigClassTag) != 0)
    {
        pClassRef = LoadedClass(obTag & ~dwBigClassTag, &nSchema);
    }
    else
    {
        if (pObTag == nullptr)
            ThrowArchiveException(CArchiveException::badIndex);
        *pObTag = obTag;
        return nullptr;
    }
    if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
        ThrowArchiveException(CArchiveException::badClass);
    if (pSchema != nullptr)
        *pSchema = nSchema;
    if (pObTag != nullptr)
        *pObTag = 0;
    return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema;
    DWORD obTag;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (pClassRef == nullptr)
    {
        CObject* pOb = LoadedObject(obTag);
        if (pOb != nullptr && pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
            ThrowArchiveException(CArchiveException::badClass);
        return pOb;
    }

    UINT nIndex;
    return LoadNewObject(pClassRef, nSchema, nIndex);
}

CObject* CArchive::ReadOwnedObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema;
    DWORD obTag;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (pClassRef == nullptr)
    {
        if (obTag != wNullTag)
            ThrowArchiveException(CArchiveException::badIndex);
        return nullptr;
    }
    UINT nIndex;
    CObject* pOb = LoadNewObject(pClassRef, nSchema, nIndex);
    m_pLoadArray->SetAt(nIndex, nullptr);
    return pOb;
}

CObject* CArchive::LoadNewObject(CRuntimeClass* pClassRef, UINT nSchema, UINT& nIndex)
{
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == nullptr)
        AfxThrowMemoryException();
    // Mapped before its contents, so that they may refer back to it.
    nIndex = MapLoaded(pOb);
    const UINT nSchemaSave = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    try
    {
        pOb->Serialize(*this);
    }
    catch (...)
    {
        // Nobody else has the object yet; later references to it find none.
        m_pLoadArray->SetAt(nIndex, nullptr);
        delete pOb;
        throw;
    }
    m_nObjectSchema = nSchemaSave;
    return pOb;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef, &m_nObjectSchema);
}

UINT CArchive::GetObjectSchema()
{
    const UINT nSchema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return nSchema;
}

void CRuntimeClass::Store(CArchive& ar) const
{
    const WORD nLen = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema;
    WORD nLen;
    ar >> wSchema >> nLen;
    std::string name(nLen, '\0');
    ar.EnsureRead(name.data(), nLen);
    *pwSchemaNum = wSchema;
    // A null inside the name would make a prefix of it match.
    if (name.find('\0') != std::string::npos)
        return nullptr;
    CRuntimeClass* pClass = FromName(name.c_str());
    return pClass != nullptr && IsSerializableClass(pClass) ? pClass : nullptr;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    // Always the UTF-16 form; a CString never needs the QWORD length.
    const UINT nLength = static_cast<UINT>(string.GetLength());
    ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFE);
    if (nLength < 0xFF)
        ar << static_cast<BYTE>(nLength);
    else if (nLength < 0xFFFE)
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(nLength);
    else
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(nLength);
    ar.Write(string.GetString(), nLength * sizeof(wchar_t));
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    UINT nCharSize;
    const ULONGLONG nLength = ReadStringLength(ar, nCharSize);
    if (nLength > INT_MAX)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    const size_t nBytes = static_cast<size_t>(nLength) * nCharSize;
    std::vector<BYTE> bytes;
    while (bytes.size() < nBytes)
    {
        const size_t nDone = bytes.size();
        const UINT nCount = static_cast<UINT>(std::min<size_t>(nBytes - nDone, nStringChunk));
        bytes.resize(nDone + nCount);
        ar.EnsureRead(bytes.data() + nDone, nCount);
    }
    const int nChars = static_cast<int>(nLength);
    if (nCharSize == sizeof(wchar_t))
        string = CString(reinterpret_cast<LPCWSTR>(bytes.data()), nChars);
    else
        string = CString(reinterpret_cast<LPCSTR>(bytes.data()), nChars);
    return ar;
}
