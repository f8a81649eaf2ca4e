// Little-endian fields of zip records, written to and read from a byte buffer.
#pragma once

#include <windows.h>

#include <cstring>

class CZipBytesWriter
{
public:
    explicit CZipBytesWriter(char* pBuffer) : m_pCursor(pBuffer)
    {
    }
    void Byte(BYTE uValue)
    {
        *m_pCursor++ = static_cast<char>(uValue);
    }
    void Word(WORD uValue)
    {
        Integer(uValue, 2);
    }
    void DWord(DWORD uValue)
    {
        Integer(uValue, 4);
    }
    void QWord(ULONGLONG uValue)
    {
        Integer(uValue, 8);
    }
    void Bytes(const void* pData, size_t uSize)
    {
        if (uSize != 0)
            memcpy(m_pCursor, pData, uSize);
        m_pCursor += uSize;
    }
    char* GetCursor() const
    {
        return m_pCursor;
    }
    void Skip(size_t uSize)
    {
        m_pCursor += uSize;
    }

private:
    void Integer(ULONGLONG uValue, int iBytes)
    {
        for (int i = 0; i < iBytes; ++i, uValue >>= 8)
            *m_pCursor++ = static_cast<char>(uValue & 0xFF);
    }

    char* m_pCursor;
};

class CZipBytesReader
{
public:
    explicit CZipBytesReader(const char* pBuffer) : m_pCursor(pBuffer)
    {
    }
    BYTE Byte()
    {
        return static_cast<BYTE>(Integer(1));
    }
    WORD Word()
    {
        return static_cast<WORD>(Integer(2));
    }
    DWORD DWord()
    {
        return static_cast<DWORD>(Integer(4));
    }
    ULONGLONG QWord()
    {
        return Integer(8);
    }

private:
    ULONGLONG Integer(int iBytes)
    {
        ULONGLONG uValue = 0;
        for (int i = 0; i < iBytes; ++i)
            uValue |= static_cast<ULONGLONG>(static_cast<BYTE>(m_pCursor[i])) << (8 * i);
        m_pCursor += iBytes;
        return uValue;
    }

    const char* m_pCursor;
};
