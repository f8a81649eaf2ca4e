// Golden bytes for archive tests: little-endian fields built by hand, and archives that store
// into memory or load from given bytes.
#pragma once

#include <afx.h>

#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <cstdio>
#include <vector>

typedef std::vector<BYTE> Bytes;

inline Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes result;
    for (const Bytes& part : parts)
        result.insert(result.end(), part.begin(), part.end());
    return result;
}

inline Bytes Word(WORD w)
{
    return {static_cast<BYTE>(w), static_cast<BYTE>(w >> 8)};
}

inline Bytes DWord(DWORD dw)
{
    return Join({Word(static_cast<WORD>(dw)), Word(static_cast<WORD>(dw >> 16))});
}

// A framework string shorter than 255 characters: the UTF-16 marker, the length, the text.
inline Bytes ArchiveString(LPCWSTR text)
{
    Bytes result{0xFF, 0xFE, 0xFF, static_cast<BYTE>(wcslen(text))};
    for (; *text != 0; ++text)
        result.insert(result.end(), {static_cast<BYTE>(*text), static_cast<BYTE>(*text >> 8)});
    return result;
}

// The tag of a class written for the first time: new-class tag, schema, name.
inline Bytes NewClassTag(WORD wSchema, const char* name)
{
    Bytes result = Join({Word(0xFFFF), Word(wSchema), Word(static_cast<WORD>(strlen(name)))});
    result.insert(result.end(), name, name + strlen(name));
    return result;
}

inline Bytes Stored(const std::function<void(CArchive&)>& store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

inline void Loaded(const Bytes& bytes, const std::function<void(CArchive&)>& load)
{
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    load(ar);
}

// The cause of the CArchiveException that call throws, or -1.
inline int ArchiveCause(const std::function<void()>& call)
{
    try
    {
        call();
    }
    catch (CArchiveException* e)
    {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

// Loads the bytes and answers the cause of the CArchiveException that the load throws (-1:
// none); pnRead gets the number of bytes read up to then.
inline int LoadCause(const Bytes& bytes, const std::function<void(CArchive&)>& load, ULONGLONG* pnRead = nullptr)
{
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    const int cause = ArchiveCause([&]() { load(ar); });
    ar.Flush();
    if (pnRead != nullptr)
        *pnRead = file.GetPosition();
    return cause;
}

// Whether loading the bytes reads every one of them.
inline bool LoadsExactly(const Bytes& bytes, const std::function<void(CArchive&)>& load)
{
    ULONGLONG nRead = 0;
    return LoadCause(bytes, load, &nRead) == -1 && nRead == bytes.size();
}

// Empty when both are equal, else where they first differ and their sizes, for a failure message.
inline std::string ByteDifference(const Bytes& a, const Bytes& b)
{
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    if (i == a.size() && i == b.size())
        return {};
    char text[96];
    snprintf(text, sizeof(text), "first difference at %zu of %zu and %zu bytes:", i, a.size(), b.size());
    std::string result = text;
    for (const Bytes* pBytes : {&a, &b})
    {
        result += "\n ";
        for (size_t j = i < 8 ? 0 : i - 8; j < i + 8 && j < pBytes->size(); ++j)
        {
            snprintf(text, sizeof(text), j == i ? " [%02X]" : " %02X", (*pBytes)[j]);
            result += text;
        }
    }
    return result;
}
