// CArchive: buffered serialization over a CFile in MFC's byte format. Values are
// little-endian with fixed widths, strings carry a length prefix, and objects and their
// classes are written once and referred to by index afterwards.
#pragma once

#include <windows.h>

#include <afx/Object.h>
#include <afx/String.h>

#include <memory>

class CFile;
class CDocument;
class CMapPtrToPtr;
class CPtrArray;

// The widths are part of the file format: bool is one byte (0 or 1), wchar_t two, int, long
// and float four, long long and double eight, whatever the compiler's own choice.
static_assert(sizeof(BYTE) == 1 && sizeof(char) == 1 && sizeof(bool) == 1);
static_assert(sizeof(WORD) == 2 && sizeof(short) == 2 && sizeof(wchar_t) == 2);
static_assert(sizeof(LONG) == 4 && sizeof(DWORD) == 4 && sizeof(int) == 4 && sizeof(float) == 4);
static_assert(sizeof(LONGLONG) == 8 && sizeof(ULONGLONG) == 8 && sizeof(double) == 8);

class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2,
        // The format is little-endian and so is the machine: there is never anything to swap.
        bNoByteSwap = 4
    };

    // lpBuf, when given, is the caller's buffer of nBufSize bytes. A file that offers its
    // memory directly (GetBufferPtr) is used in place, without a buffer of the archive's.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Closes the archive unless bNoFlushOnDelete; errors are dropped here.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const
    {
        return (m_nMode & load) != 0;
    }
    BOOL IsStoring() const
    {
        return (m_nMode & load) == 0;
    }
    // Whether every byte taken from the file has been read.
    BOOL IsBufferEmpty() const
    {
        return m_lpBufCur == m_lpBufMax;
    }
    CFile* GetFile() const
    {
        return m_pFile;
    }

    // Storing: hands the buffered bytes to the file. Loading: puts the file position back to
    // the first byte not yet read.
    void Flush();
    // Flushes and detaches from the file, which stays open.
    void Close();
    // Detaches from the file, dropping buffered bytes; never throws.
    void Abort();

    // Returns the number of bytes read: less than nMax only at the end of the data.
    UINT Read(void* lpBuf, UINT nMax);
    // Reads all nCount bytes or throws CArchiveException::endOfFile.
    void EnsureRead(void* lpBuf, UINT nCount);
    void Write(const void* lpBuf, UINT nMax);

    // Text lines. WriteString writes the characters alone, adding no terminator or newline.
    // ReadString reads up to "\n" and drops it and a "\r" before it; FALSE or NULL when the
    // data ended before a character could be read. The LPTSTR form stops after nMax
    // characters (lpsz holds nMax + 1).
    void WriteString(LPCTSTR lpsz);
    BOOL ReadString(CString& rString);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);

    CArchive& operator<<(BYTE by)
    {
        return StoreValue(by);
    }
    CArchive& operator<<(WORD w)
    {
        return StoreValue(w);
    }
    CArchive& operator<<(LONG l)
    {
        return StoreValue(l);
    }
    CArchive& operator<<(DWORD dw)
    {
        return StoreValue(dw);
    }
    CArchive& operator<<(int i)
    {
        return StoreValue(i);
    }
    CArchive& operator<<(unsigned u)
    {
        return StoreValue(u);
    }
    CArchive& operator<<(short w)
    {
        return StoreValue(w);
    }
    CArchive& operator<<(char ch)
    {
        return StoreValue(ch);
    }
    CArchive& operator<<(wchar_t ch)
    {
        return StoreValue(ch);
    }
    CArchive& operator<<(LONGLONG ll)
    {
        return StoreValue(ll);
    }
    CArchive& operator<<(ULONGLONG ull)
    {
        return StoreValue(ull);
    }
    CArchive& operator<<(float f)
    {
        return StoreValue(f);
    }
    CArchive& operator<<(double d)
    {
        return StoreValue(d);
    }
    CArchive& operator<<(bool b)
    {
        return StoreValue(static_cast<BYTE>(b ? 1 : 0));
    }
    // Text is stored as a CString. Without this a literal would convert to bool.
    CArchive& operator<<(LPCWSTR lpsz);
    // Narrow text has no form of its own here: convert it to CString first.
    CArchive& operator<<(LPCSTR lpsz) = delete;

    CArchive& operator>>(BYTE& by)
    {
        return LoadValue(by);
    }
    CArchive& operator>>(WORD& w)
    {
        return LoadValue(w);
    }
    CArchive& operator>>(LONG& l)
    {
        return LoadValue(l);
    }
    CArchive& operator>>(DWORD& dw)
    {
        return LoadValue(dw);
    }
    CArchive& operator>>(int& i)
    {
        return LoadValue(i);
    }
    CArchive& operator>>(unsigned& u)
    {
        return LoadValue(u);
    }
    CArchive& operator>>(short& w)
    {
        return LoadValue(w);
    }
    CArchive& operator>>(char& ch)
    {
        return LoadValue(ch);
    }
    CArchive& operator>>(wchar_t& ch)
    {
        return LoadValue(ch);
    }
    CArchive& operator>>(LONGLONG& ll)
    {
        return LoadValue(ll);
    }
    CArchive& operator>>(ULONGLONG& ull)
    {
        return LoadValue(ull);
    }
    CArchive& operator>>(float& f)
    {
        return LoadValue(f);
    }
    CArchive& operator>>(double& d)
    {
        return LoadValue(d);
    }
    CArchive& operator>>(bool& b)
    {
        BYTE by;
        LoadValue(by);
        b = by != 0;
        return *this;
    }

    // Element counts of collections: a WORD below 0xFFFF, else 0xFFFF and a DWORD, else
    // 0xFFFFFFFF and a QWORD.
    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR dwCount);

    // An object is written with its class the first time, as a back-reference after that.
    // Loading creates the object, which must be of pClassRefRequested (NULL: any class).
    // An object whose Serialize throws is deleted.
    void WriteObject(const CObject* pOb);
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    // An object that its reader takes over (and may delete at once): always written in full,
    // never as a back-reference, and read only so. Reading refuses a reference with
    // CArchiveException::badIndex, and a later reference to the object read finds none.
    void WriteOwnedObject(const CObject* pOb);
    CObject* ReadOwnedObject(const CRuntimeClass* pClassRefRequested);
    // A class tag alone. ReadClass returns NULL for an object reference, whose index then
    // goes to pObTag (badIndex without pObTag), and the stored schema to pSchema.
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    // WriteClass or ReadClass as the direction says; loading sets the object schema.
    void SerializeClass(const CRuntimeClass* pClassRef);

    // The schema stored with the object being loaded, for a VERSIONABLE_SCHEMA class to
    // read older layouts. Answers once: a second call gives (UINT)-1.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema)
    {
        m_nObjectSchema = nSchema;
    }

    // Gives pOb the next index without writing or reading it, so that objects that both
    // sides have already can be referred to. Both sides must map the same objects in turn.
    void MapObject(const CObject* pOb);
    // Starting sizes of the store map (hash table, keys per block) and the load array's
    // least growth step; they apply when the first object is mapped. Both grow with the count.
    void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128);
    void SetLoadParams(UINT nGrowBy = 1024);

    CDocument* m_pDocument = nullptr;
    // Names the archive in its exceptions: the file's path.
    CString m_strFileName;

protected:
    CFile* m_pFile;
    UINT m_nMode;
    BOOL m_bDirectBuffer;
    UINT m_nBufSize;
    // The bytes [m_lpBufCur, m_lpBufMax) are the ones still to be read, or the room left to write.
    BYTE* m_lpBufStart = nullptr;
    BYTE* m_lpBufCur = nullptr;
    BYTE* m_lpBufMax = nullptr;

    UINT m_nObjectSchema = static_cast<UINT>(-1);
    UINT m_nMapCount = 0;
    UINT m_nHashSize = 2053;
    UINT m_nGrowSize = 1024;
    // Storing: object or class to index. Loading: index to object or class, and every class
    // read to the schema stored with it.
    class CStoreMap;
    std::unique_ptr<CStoreMap> m_pStoreMap;
    std::unique_ptr<CPtrArray> m_pLoadArray;
    std::unique_ptr<CMapPtrToPtr> m_pSchemaMap;

private:
    template <class T> CArchive& StoreValue(T value)
    {
        Write(&value, sizeof(value));
        return *this;
    }
    template <class T> CArchive& LoadValue(T& value)
    {
        EnsureRead(&value, sizeof(value));
        return *this;
    }

    [[noreturn]] void ThrowArchiveException(int cause) const;
    void CheckDirection(BOOL bStoring) const;
    void CheckCount() const;
    // Storing: a fresh stretch of buffer once the current one is full.
    void MakeRoom();
    // Loading: the next bytes of the file; FALSE at its end.
    BOOL FillBuffer();
    BOOL ReadLine(CString& rString, UINT nMax);
    void WriteReference(DWORD nIndex, bool bClass);
    CRuntimeClass* LoadedClass(DWORD nIndex, UINT* pSchema) const;
    CObject* LoadedObject(DWORD nIndex) const;
    // Creates an object of the class read and loads it; returns its index in the load array.
    CObject* LoadNewObject(CRuntimeClass* pClassRef, UINT nSchema, UINT& nIndex);
    // The next index for an object or class being stored or loaded.
    void MapStored(const void* p);
    UINT MapLoaded(void* p);

    std::unique_ptr<BYTE[]> m_pOwnBuffer;
};

CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);
CArchive& AFXAPI operator>>(CArchive& ar, const CObject*& pOb);

// MFC's string form: 0xFF 0xFFFE marks UTF-16 text, then the length in characters (a BYTE
// below 0xFF, else 0xFF and a WORD below 0xFFFE, else 0xFFFF and a DWORD below 0xFFFFFFFF,
// else 0xFFFFFFFF and a QWORD), then the characters. Loading also takes text without the
// marker: bytes in the ANSI code page.
CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
CArchive& AFXAPI operator>>(CArchive& ar, CString& string);
