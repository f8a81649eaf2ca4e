// CString: a UTF-16 string with value semantics, and the code page conversions CA2W and CW2A.
#pragma once

#include <windows.h>

#include <afx/MoveBytes.h>

#include <compare>
#include <cstdarg>
#include <cstddef>
#include <cwctype>

// Narrow text in a code page to UTF-16. A null source gives a null pointer.
class CA2W
{
public:
    CA2W(LPCSTR psz, UINT nCodePage = CP_ACP);
    ~CA2W();
    CA2W(const CA2W&) = delete;
    CA2W& operator=(const CA2W&) = delete;

    operator LPWSTR() const noexcept
    {
        return m_psz;
    }

private:
    LPWSTR m_psz;
    wchar_t m_szBuffer[128]; // short texts need no allocation
};

// UTF-16 to narrow text in a code page. A null source gives a null pointer.
class CW2A
{
public:
    CW2A(LPCWSTR psz, UINT nCodePage = CP_ACP);
    ~CW2A();
    CW2A(const CW2A&) = delete;
    CW2A& operator=(const CW2A&) = delete;

    operator LPSTR() const noexcept
    {
        return m_psz;
    }

private:
    LPSTR m_psz;
    char m_szBuffer[128];
};

// The text lives in one heap block behind a small header, so the object is a single pointer.
// Empty strings share a constant block and allocate nothing. Copies are deep.
class CString
{
public:
    CString() noexcept : m_pszData(Nil())
    {
    }
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    // A pointer whose high bits are zero is a string resource id (MAKEINTRESOURCE).
    CString(LPCWSTR lpsz);
    CString(LPCWSTR lpch, int nLength);
    explicit CString(wchar_t ch, int nRepeat = 1);
    // Narrow text is in the ANSI code page.
    CString(LPCSTR lpsz);
    CString(LPCSTR lpch, int nLength);
    ~CString();

    CString& operator=(const CString& stringSrc);
    CString& operator=(CString&& stringSrc) noexcept;
    CString& operator=(LPCWSTR lpsz);
    CString& operator=(LPCSTR lpsz);
    CString& operator=(wchar_t ch);

    CString& operator+=(const CString& str);
    CString& operator+=(LPCWSTR lpsz);
    CString& operator+=(LPCSTR lpsz);
    CString& operator+=(wchar_t ch);

    int GetLength() const noexcept
    {
        return GetData()->nDataLength;
    }
    BOOL IsEmpty() const noexcept
    {
        return GetLength() == 0;
    }
    void Empty() noexcept;
    LPCWSTR GetString() const noexcept
    {
        return m_pszData;
    }
    operator LPCWSTR() const noexcept
    {
        return m_pszData;
    }

    // Index GetLength() reads the terminating null.
    wchar_t GetAt(int iChar) const;
    wchar_t operator[](int iChar) const
    {
        return GetAt(iChar);
    }
    void SetAt(int iChar, wchar_t ch);

    void SetString(LPCWSTR psz);
    void SetString(LPCWSTR pch, int nLength)
    {
        // Text that fits the string's own block is copied in place; the shared empty block is
        // never written.
        if (nLength > 0 && pch != nullptr && !IsNil() && nLength <= GetAllocLength())
        {
            AfxMoveChars(m_pszData, pch, static_cast<size_t>(nLength));
            GetData()->nDataLength = nLength;
            m_pszData[nLength] = 0;
        }
        else
            Assign(pch, nLength);
    }
    void Append(const CString& str);
    void Append(LPCWSTR psz);
    void Append(LPCWSTR pch, int nLength);
    void AppendChar(wchar_t ch);
    void Truncate(int nNewLength);

    // printf formatting with the C runtime's rules: %s is wide, %S narrow, %I64d 64-bit.
    // Pass strings as GetString() or (LPCTSTR): a CString object cannot travel through "...".
    void __cdecl Format(LPCWSTR pszFormat, ...);
    void __cdecl Format(UINT nFormatID, ...);
    void FormatV(LPCWSTR pszFormat, va_list args);
    void __cdecl AppendFormat(LPCWSTR pszFormat, ...);
    void __cdecl AppendFormat(UINT nFormatID, ...);
    void AppendFormatV(LPCWSTR pszFormat, va_list args);

    // %1-style inserts, as ::FormatMessage reads them.
    void __cdecl FormatMessage(LPCWSTR pszFormat, ...);
    void __cdecl FormatMessage(UINT nFormatID, ...);
    void FormatMessageV(LPCWSTR pszFormat, va_list* pArgList);

    // From the string table of the process's executable. FALSE, and empty, when absent.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    CString& Trim();
    CString& Trim(wchar_t chTarget);
    CString& Trim(LPCWSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t chTarget);
    CString& TrimLeft(LPCWSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(wchar_t chTarget);
    CString& TrimRight(LPCWSTR pszTargets);

    // Arguments out of range are clamped: the result is shorter or empty.
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    CString SpanIncluding(LPCWSTR pszCharSet) const;
    CString SpanExcluding(LPCWSTR pszCharSet) const;

    // -1 when not found or when iStart is outside the string.
    int Find(wchar_t ch, int iStart = 0) const;
    int Find(LPCWSTR pszSub, int iStart = 0) const;
    int FindOneOf(LPCWSTR pszCharSet) const;
    int ReverseFind(wchar_t ch) const;

    // These return the number of characters or texts replaced or removed.
    int Replace(wchar_t chOld, wchar_t chNew);
    int Replace(LPCWSTR pszOld, LPCWSTR pszNew);
    int Remove(wchar_t chRemove);
    // These return the new length.
    int Insert(int iIndex, wchar_t ch);
    int Insert(int iIndex, LPCWSTR psz);
    int Delete(int iIndex, int nCount = 1);

    // The next token after iStart, skipping separators; at the end an empty string and iStart -1.
    CString Tokenize(LPCWSTR pszTokens, int& iStart) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    int Compare(LPCWSTR psz) const;
    int CompareNoCase(LPCWSTR psz) const;
    int Collate(LPCWSTR psz) const;
    int CollateNoCase(LPCWSTR psz) const;

    // The buffer holds at least the given length plus a terminator; the length takes effect
    // with ReleaseBuffer.
    LPWSTR GetBuffer();
    LPWSTR GetBuffer(int nMinBufferLength);
    LPWSTR GetBufferSetLength(int nLength);
    // -1: up to the first null.
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength);
    void Preallocate(int nLength);
    void FreeExtra();
    int GetAllocLength() const noexcept
    {
        return GetData()->nAllocLength;
    }

private:
    struct CStringData
    {
        int nDataLength;
        int nAllocLength;
    };
    struct NilBlock
    {
        CStringData header;
        wchar_t terminator;
    };
    static_assert(offsetof(NilBlock, terminator) == sizeof(CStringData), "the text follows its header directly");
    static const NilBlock s_nil;

    static wchar_t* Nil() noexcept
    {
        return const_cast<wchar_t*>(&s_nil.terminator);
    }
    CStringData* GetData() const noexcept
    {
        return reinterpret_cast<CStringData*>(m_pszData) - 1;
    }
    bool IsNil() const noexcept
    {
        return m_pszData == Nil();
    }

    static CString FromNarrow(LPCSTR pch, int nLength);
    bool LoadImplicit(const void* p);
    // SetString for text that does not fit the block.
    void Assign(LPCWSTR pch, int nLength);
    void Reallocate(int nAllocLength);
    wchar_t* PrepareWrite(int nLength);
    void SetLength(int nLength);

    wchar_t* m_pszData;
};

CString operator+(const CString& str1, const CString& str2);
CString operator+(const CString& str1, LPCWSTR psz2);
CString operator+(LPCWSTR psz1, const CString& str2);
CString operator+(const CString& str1, wchar_t ch2);
CString operator+(wchar_t ch1, const CString& str2);

// The runtime's iswspace, without its call for the usual characters: the hot paths (trimming
// field values, reading numbers) test every character that they skip.
inline bool AfxIsSpace(wchar_t ch)
{
    if (ch < 0x80)
        return ch == L' ' || (ch >= L'\t' && ch <= L'\r');
    return std::iswspace(ch) != 0;
}

// Ordered as wcscmp orders; the reversed and derived forms (!=, <, ... with LPCWSTR on the left)
// come from these.
bool operator==(const CString& str1, const CString& str2);
bool operator==(const CString& str1, LPCWSTR psz2);
std::strong_ordering operator<=>(const CString& str1, const CString& str2);
std::strong_ordering operator<=>(const CString& str1, LPCWSTR psz2);

// Loads a string resource and puts the texts in place of %1 to %9, literally; an insert with
// no text becomes '?'.
void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
void AFXAPI AfxFormatStrings(CString& rString, UINT nIDS, LPCTSTR const* rglpsz, int nString);
void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString);
