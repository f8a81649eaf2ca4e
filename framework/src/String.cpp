#include <afx.h>

#include "Memory.h"

#include <afx/MoveBytes.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <iterator>
#include <memory>
#include <string_view>
#include <utility>

namespace
{
template <class C> int LengthOf(const C* psz)
{
    if (psz == nullptr)
        return 0;
    const size_t n = std::char_traits<C>::length(psz);
    if (n > INT_MAX)
        AfxThrowMemoryException();
    return static_cast<int>(n);
}

int AddLengths(int n1, int n2)
{
    if (n2 > INT_MAX - n1)
        AfxThrowMemoryException();
    return n1 + n2;
}

void CheckSource(const void* pch, int nLength)
{
    if (nLength < 0 || (pch == nullptr && nLength != 0))
        AfxThrowInvalidArgException();
}

LPCWSTR Checked(LPCWSTR psz)
{
    if (psz == nullptr)
        AfxThrowInvalidArgException();
    return psz;
}

std::wstring_view View(const CString& str)
{
    return {str.GetString(), static_cast<size_t>(str.GetLength())};
}

int ToIndex(size_t pos)
{
    return pos == std::wstring_view::npos ? -1 : static_cast<int>(pos);
}

auto FromCodePage(UINT nCodePage)
{
    return [nCodePage](LPCSTR pch, int nLength, LPWSTR pOut, int nOut) {
        return ::MultiByteToWideChar(nCodePage, 0, pch, nLength, pOut, nOut);
    };
}

auto ToCodePage(UINT nCodePage)
{
    return [nCodePage](LPCWSTR pch, int nLength, LPSTR pOut, int nOut) {
        return ::WideCharToMultiByte(nCodePage, 0, pch, nLength, pOut, nOut, nullptr, nullptr);
    };
}

// The one conversion path between code pages and UTF-16: measures, lets room(n) provide n
// characters and a terminator, then converts. Returns the length.
template <class To, class From, class Convert, class Room>
int ConvertText(const From* pch, int nLength, Convert convert, Room room)
{
    const int n = nLength > 0 ? convert(pch, nLength, nullptr, 0) : 0;
    if (n > 0)
    {
        To* p = room(n);
        convert(pch, nLength, p, n);
        p[n] = 0;
    }
    return n;
}

// For CA2W and CW2A: short texts stay in the converter's own buffer.
template <class To, size_t N, class From, class Convert>
To* ConvertInto(To (&buffer)[N], const From* psz, Convert convert)
{
    if (psz == nullptr)
        return nullptr;
    To* p = buffer;
    buffer[0] = 0;
    ConvertText<To>(psz, LengthOf(psz), convert, [&p](int n) {
        if (static_cast<size_t>(n) >= N)
            p = new To[n + 1];
        return p;
    });
    return p;
}

CString Concat(LPCWSTR pch1, int nLength1, LPCWSTR pch2, int nLength2)
{
    CString result;
    result.Preallocate(AddLengths(nLength1, nLength2));
    result.Append(pch1, nLength1);
    result.Append(pch2, nLength2);
    return result;
}

int InsertChars(CString& str, int iIndex, LPCWSTR pch, int nLength)
{
    const int nOld = str.GetLength();
    iIndex = std::clamp(iIndex, 0, nOld);
    if (nLength > 0)
    {
        // Built apart, since pch may point into str.
        CString result;
        result.Preallocate(AddLengths(nOld, nLength));
        result.Append(str.GetString(), iIndex);
        result.Append(pch, nLength);
        result.Append(str.GetString() + iIndex, nOld - iIndex);
        str = std::move(result);
    }
    return str.GetLength();
}

template <class Pred> CString& TrimLeftIf(CString& str, Pred isTrimmed)
{
    const LPCWSTR p = str.GetString();
    int i = 0;
    while (i < str.GetLength() && isTrimmed(p[i]))
        ++i;
    if (i > 0)
        str.Delete(0, i);
    return str;
}

template <class Pred> CString& TrimRightIf(CString& str, Pred isTrimmed)
{
    const LPCWSTR p = str.GetString();
    int n = str.GetLength();
    while (n > 0 && isTrimmed(p[n - 1]))
        --n;
    if (n < str.GetLength())
        str.Truncate(n);
    return str;
}

// A function object, so that the trimming loops take it inline.
constexpr auto IsSpace = [](wchar_t ch) { return AfxIsSpace(ch); };
auto IsChar(wchar_t chTarget)
{
    return [chTarget](wchar_t ch) { return ch == chTarget; };
}

auto IsOneOf(LPCWSTR pszTargets)
{
    return [targets = std::wstring_view(pszTargets != nullptr ? pszTargets : L"")](wchar_t ch) {
        return targets.find(ch) != std::wstring_view::npos;
    };
}

CString LoadFormat(UINT nFormatID)
{
    CString strFormat;
    if (!strFormat.LoadString(nFormatID))
        AfxThrowResourceException();
    return strFormat;
}
} // namespace

CA2W::CA2W(LPCSTR psz, UINT nCodePage)
{
    m_psz = ConvertInto(m_szBuffer, psz, FromCodePage(nCodePage));
}

CA2W::~CA2W()
{
    if (m_psz != m_szBuffer)
        delete[] m_psz;
}

CW2A::CW2A(LPCWSTR psz, UINT nCodePage)
{
    m_psz = ConvertInto(m_szBuffer, psz, ToCodePage(nCodePage));
}

CW2A::~CW2A()
{
    if (m_psz != m_szBuffer)
        delete[] m_psz;
}

const CString::NilBlock CString::s_nil = {{0, 0}, 0};

CString::CString(const CString& stringSrc) : CString()
{
    SetString(stringSrc.m_pszData, stringSrc.GetLength());
}

CString::CString(CString&& stringSrc) noexcept : m_pszData(std::exchange(stringSrc.m_pszData, Nil()))
{
}

CString::CString(LPCWSTR lpsz) : CString()
{
    if (!LoadImplicit(lpsz))
        SetString(lpsz);
}

CString::CString(LPCWSTR lpch, int nLength) : CString()
{
    SetString(lpch, nLength);
}

CString::CString(wchar_t ch, int nRepeat) : CString()
{
    if (nRepeat > 0)
    {
        std::wmemset(PrepareWrite(nRepeat), ch, nRepeat);
        SetLength(nRepeat);
    }
}

CString::CString(LPCSTR lpsz) : CString()
{
    if (!LoadImplicit(lpsz))
        *this = FromNarrow(lpsz, LengthOf(lpsz));
}

CString::CString(LPCSTR lpch, int nLength) : CString(FromNarrow(lpch, nLength))
{
}

CString::~CString()
{
    Empty();
}

CString& CString::operator=(const CString& stringSrc)
{
    SetString(stringSrc.m_pszData, stringSrc.GetLength());
    return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept
{
    if (this != &stringSrc)
    {
        Empty();
        m_pszData = std::exchange(stringSrc.m_pszData, Nil());
    }
    return *this;
}

CString& CString::operator=(LPCWSTR lpsz)
{
    SetString(lpsz);
    return *this;
}

CString& CString::operator=(LPCSTR lpsz)
{
    return *this = FromNarrow(lpsz, LengthOf(lpsz));
}

CString& CString::operator=(wchar_t ch)
{
    SetString(&ch, 1);
    return *this;
}

CString& CString::operator+=(const CString& str)
{
    Append(str);
    return *this;
}

CString& CString::operator+=(LPCWSTR lpsz)
{
    Append(lpsz);
    return *this;
}

CString& CString::operator+=(LPCSTR lpsz)
{
    Append(FromNarrow(lpsz, LengthOf(lpsz)));
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    AppendChar(ch);
    return *this;
}

void CString::Empty() noexcept
{
    if (!IsNil())
    {
        AfxFreeBlock(GetData());
        m_pszData = Nil();
    }
}

wchar_t CString::GetAt(int iChar) const
{
    if (iChar < 0 || iChar > GetLength())
        AfxThrowInvalidArgException();
    return m_pszData[iChar];
}

void CString::SetAt(int iChar, wchar_t ch)
{
    if (iChar < 0 || iChar >= GetLength())
        AfxThrowInvalidArgException();
    m_pszData[iChar] = ch;
}

void CString::SetString(LPCWSTR psz)
{
    SetString(psz, LengthOf(psz));
}

void CString::Assign(LPCWSTR pch, int nLength)
{
    CheckSource(pch, nLength);
    // A source inside this buffer is no longer than the buffer, so PrepareWrite keeps it in place.
    AfxMoveChars(PrepareWrite(nLength), pch, nLength);
    SetLength(nLength);
}

void CString::Append(const CString& str)
{
    Append(str.m_pszData, str.GetLength());
}

void CString::Append(LPCWSTR psz)
{
    Append(psz, LengthOf(psz));
}

void CString::Append(LPCWSTR pch, int nLength)
{
    CheckSource(pch, nLength);
    const int nOld = GetLength();
    const int nNew = AddLengths(nOld, nLength);
    // The source may lie in this buffer, which PrepareWrite may move.
    const auto base = reinterpret_cast<uintptr_t>(m_pszData);
    const auto source = reinterpret_cast<uintptr_t>(pch);
    const bool bInside = source >= base && source <= base + nOld * sizeof(wchar_t);
    wchar_t* p = PrepareWrite(nNew);
    if (bInside)
        pch = p + (source - base) / sizeof(wchar_t);
    AfxMoveChars(p + nOld, pch, nLength);
    SetLength(nNew);
}

void CString::AppendChar(wchar_t ch)
{
    Append(&ch, 1);
}

void CString::Truncate(int nNewLength)
{
    if (nNewLength < 0 || nNewLength > GetLength())
        AfxThrowInvalidArgException();
    SetLength(nNewLength);
}

void __cdecl CString::Format(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void __cdecl CString::Format(UINT nFormatID, ...)
{
    const CString strFormat = LoadFormat(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    FormatV(strFormat, args);
    va_end(args);
}

void CString::FormatV(LPCWSTR pszFormat, va_list args)
{
    CString result;
    result.AppendFormatV(pszFormat, args);
    *this = std::move(result);
}

void __cdecl CString::AppendFormat(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

void __cdecl CString::AppendFormat(UINT nFormatID, ...)
{
    const CString strFormat = LoadFormat(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    AppendFormatV(strFormat, args);
    va_end(args);
}

void CString::AppendFormatV(LPCWSTR pszFormat, va_list args)
{
    // msvcrt's functions, not the C99 swprintf: %s must stay a wide string.
    va_list measure;
    va_copy(measure, args);
    const int nFormatted = _vscwprintf(Checked(pszFormat), measure);
    va_end(measure);
    if (nFormatted < 0)
        AfxThrowInvalidArgException();
    // Formatted into a new block, as an argument may point into this string.
    const int nOld = GetLength();
    CString result;
    wchar_t* p = result.GetBuffer(AddLengths(nOld, nFormatted));
    std::wmemcpy(p, m_pszData, nOld);
    _vsnwprintf(p + nOld, static_cast<size_t>(nFormatted) + 1, pszFormat, args);
    result.ReleaseBufferSetLength(nOld + nFormatted);
    *this = std::move(result);
}

void __cdecl CString::FormatMessage(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatMessageV(pszFormat, &args);
    va_end(args);
}

void __cdecl CString::FormatMessage(UINT nFormatID, ...)
{
    const CString strFormat = LoadFormat(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    FormatMessageV(strFormat, &args);
    va_end(args);
}

void CString::FormatMessageV(LPCWSTR pszFormat, va_list* pArgList)
{
    LPWSTR pszResult = nullptr;
    ::SetLastError(ERROR_SUCCESS);
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, Checked(pszFormat), 0,
                                     0, reinterpret_cast<LPWSTR>(&pszResult), 0, pArgList);
    const std::unique_ptr<wchar_t, HLOCAL(WINAPI*)(HLOCAL)> result(pszResult, ::LocalFree);
    // An empty result reports ERROR_NO_WORK_DONE (not in the mingw headers); it is no error.
    constexpr DWORD kNoWorkDone = 235;
    if (n == 0 && ::GetLastError() != ERROR_SUCCESS && ::GetLastError() != kNoWorkDone)
        AfxThrowInvalidArgException();
    SetString(result.get(), static_cast<int>(n));
}

BOOL CString::LoadString(UINT nID)
{
    return LoadString(::GetModuleHandleW(nullptr), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // With no buffer, LoadStringW gives a pointer into the resource: any length fits.
    LPCWSTR pch = nullptr;
    const int n = ::LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&pch), 0);
    if (n <= 0)
    {
        Empty();
        return FALSE;
    }
    SetString(pch, n);
    return TRUE;
}

CString& CString::Trim()
{
    return TrimLeft().TrimRight();
}

CString& CString::Trim(wchar_t chTarget)
{
    return TrimLeft(chTarget).TrimRight(chTarget);
}

CString& CString::Trim(LPCWSTR pszTargets)
{
    return TrimLeft(pszTargets).TrimRight(pszTargets);
}

CString& CString::TrimLeft()
{
    return TrimLeftIf(*this, IsSpace);
}

CString& CString::TrimLeft(wchar_t chTarget)
{
    return TrimLeftIf(*this, IsChar(chTarget));
}

CString& CString::TrimLeft(LPCWSTR pszTargets)
{
    return TrimLeftIf(*this, IsOneOf(pszTargets));
}

CString& CString::TrimRight()
{
    return TrimRightIf(*this, IsSpace);
}

CString& CString::TrimRight(wchar_t chTarget)
{
    return TrimRightIf(*this, IsChar(chTarget));
}

CString& CString::TrimRight(LPCWSTR pszTargets)
{
    return TrimRightIf(*this, IsOneOf(pszTargets));
}

CString CString::Left(int nCount) const
{
    return CString(m_pszData, std::clamp(nCount, 0, GetLength()));
}

CString CString::Right(int nCount) const
{
    nCount = std::clamp(nCount, 0, GetLength());
    return CString(m_pszData + GetLength() - nCount, nCount);
}

CString CString::Mid(int iFirst) const
{
    return Mid(iFirst, GetLength());
}

CString CString::Mid(int iFirst, int nCount) const
{
    iFirst = std::max(iFirst, 0);
    if (iFirst >= GetLength() || nCount <= 0)
        return CString();
    // Compared as a remainder, so that iFirst + nCount cannot overflow.
    return CString(m_pszData + iFirst, std::min(nCount, GetLength() - iFirst));
}

CString CString::SpanIncluding(LPCWSTR pszCharSet) const
{
    const std::wstring_view text = View(*this);
    return Left(static_cast<int>(std::min(text.find_first_not_of(Checked(pszCharSet)), text.size())));
}

CString CString::SpanExcluding(LPCWSTR pszCharSet) const
{
    const std::wstring_view text = View(*this);
    return Left(static_cast<int>(std::min(text.find_first_of(Checked(pszCharSet)), text.size())));
}

int CString::Find(wchar_t ch, int iStart) const
{
    if (iStart < 0 || iStart >= GetLength())
        return -1;
    return ToIndex(View(*this).find(ch, iStart));
}

int CString::Find(LPCWSTR pszSub, int iStart) const
{
    if (pszSub == nullptr || iStart < 0 || iStart > GetLength())
        return -1;
    return ToIndex(View(*this).find(pszSub, iStart));
}

int CString::FindOneOf(LPCWSTR pszCharSet) const
{
    return ToIndex(View(*this).find_first_of(Checked(pszCharSet)));
}

int CString::ReverseFind(wchar_t ch) const
{
    return ToIndex(View(*this).rfind(ch));
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    if (chOld == chNew)
        return 0;
    int nCount = 0;
    for (int i = 0; i < GetLength(); ++i)
    {
        if (m_pszData[i] == chOld)
        {
            m_pszData[i] = chNew;
            ++nCount;
        }
    }
    return nCount;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew)
{
    const std::wstring_view text = View(*this);
    const std::wstring_view old(pszOld != nullptr ? pszOld : L"");
    if (old.empty())
        return 0;
    const int nNewLength = LengthOf(pszNew);
    // Built apart, since pszNew may point into this string.
    CString result;
    size_t from = 0;
    int nCount = 0;
    for (size_t pos = text.find(old); pos != text.npos; pos = text.find(old, from))
    {
        result.Append(m_pszData + from, static_cast<int>(pos - from));
        result.Append(pszNew, nNewLength);
        from = pos + old.size();
        ++nCount;
    }
    if (nCount > 0)
    {
        result.Append(m_pszData + from, static_cast<int>(text.size() - from));
        *this = std::move(result);
    }
    return nCount;
}

int CString::Remove(wchar_t chRemove)
{
    const int nOld = GetLength();
    const int nNew = static_cast<int>(std::remove(m_pszData, m_pszData + nOld, chRemove) - m_pszData);
    SetLength(nNew);
    return nOld - nNew;
}

int CString::Insert(int iIndex, wchar_t ch)
{
    return InsertChars(*this, iIndex, &ch, 1);
}

int CString::Insert(int iIndex, LPCWSTR psz)
{
    return InsertChars(*this, iIndex, psz, LengthOf(psz));
}

int CString::Delete(int iIndex, int nCount)
{
    const int nLength = GetLength();
    iIndex = std::max(iIndex, 0);
    if (nCount > 0 && iIndex < nLength)
    {
        nCount = std::min(nCount, nLength - iIndex);
        std::wmemmove(m_pszData + iIndex, m_pszData + iIndex + nCount, nLength - iIndex - nCount);
        SetLength(nLength - nCount);
    }
    return GetLength();
}

CString CString::Tokenize(LPCWSTR pszTokens, int& iStart) const
{
    if (iStart >= 0 && iStart < GetLength())
    {
        const std::wstring_view text = View(*this);
        const std::wstring_view tokens(pszTokens != nullptr ? pszTokens : L"");
        const size_t first = text.find_first_not_of(tokens, iStart);
        if (first != text.npos)
        {
            const size_t last = std::min(text.find_first_of(tokens, first), text.size());
            // Past the separator that ended the token.
            iStart = static_cast<int>(std::min(last + 1, text.size()));
            return CString(m_pszData + first, static_cast<int>(last - first));
        }
    }
    iStart = -1;
    return CString();
}

CString& CString::MakeUpper()
{
    ::CharUpperBuffW(m_pszData, GetLength());
    return *this;
}

CString& CString::MakeLower()
{
    ::CharLowerBuffW(m_pszData, GetLength());
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_pszData, m_pszData + GetLength());
    return *this;
}

int CString::Compare(LPCWSTR psz) const
{
    return std::wcscmp(m_pszData, Checked(psz));
}

int CString::CompareNoCase(LPCWSTR psz) const
{
    return _wcsicmp(m_pszData, Checked(psz));
}

int CString::Collate(LPCWSTR psz) const
{
    return std::wcscoll(m_pszData, Checked(psz));
}

int CString::CollateNoCase(LPCWSTR psz) const
{
    return _wcsicoll(m_pszData, Checked(psz));
}

LPWSTR CString::GetBuffer()
{
    return GetBuffer(0);
}

LPWSTR CString::GetBuffer(int nMinBufferLength)
{
    PrepareWrite(std::max(nMinBufferLength, GetLength()));
    // The shared empty block is never handed out for writing.
    if (IsNil())
        Reallocate(0);
    return m_pszData;
}

LPWSTR CString::GetBufferSetLength(int nLength)
{
    if (nLength < 0)
        AfxThrowInvalidArgException();
    GetBuffer(nLength);
    SetLength(nLength);
    return m_pszData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength == -1)
        nNewLength = static_cast<int>(::wcsnlen(m_pszData, GetAllocLength()));
    ReleaseBufferSetLength(nNewLength);
}

void CString::ReleaseBufferSetLength(int nNewLength)
{
    if (nNewLength < 0 || nNewLength > GetAllocLength())
        AfxThrowInvalidArgException();
    SetLength(nNewLength);
}

void CString::Preallocate(int nLength)
{
    if (nLength > GetAllocLength())
        Reallocate(nLength);
}

void CString::FreeExtra()
{
    if (IsEmpty())
        Empty();
    else if (GetAllocLength() > GetLength())
        Reallocate(GetLength());
}

CString CString::FromNarrow(LPCSTR pch, int nLength)
{
    CheckSource(pch, nLength);
    CString result;
    const int n = ConvertText<wchar_t>(pch, nLength, FromCodePage(CP_ACP),
                                       [&result](int nRoom) { return result.GetBuffer(nRoom); });
    result.ReleaseBufferSetLength(n);
    return result;
}

bool CString::LoadImplicit(const void* p)
{
    if (p == nullptr || !IS_INTRESOURCE(p))
        return false;
    LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(p)));
    return true;
}

void CString::Reallocate(int nAllocLength)
{
    const size_t nBytes = sizeof(CStringData) + (static_cast<size_t>(nAllocLength) + 1) * sizeof(wchar_t);
    const int nLength = std::min(GetLength(), nAllocLength);
    auto* pData = static_cast<CStringData*>(AfxReallocateBlock(IsNil() ? nullptr : GetData(), nBytes));
    if (pData == nullptr)
        AfxThrowMemoryException();
    pData->nDataLength = nLength;
    pData->nAllocLength = nAllocLength;
    m_pszData = reinterpret_cast<wchar_t*>(pData + 1);
    m_pszData[nLength] = 0;
}

wchar_t* CString::PrepareWrite(int nLength)
{
    const int nAlloc = GetAllocLength();
    if (nLength > nAlloc)
    {
        // Growing by half again keeps appending in a loop linear; a first block is exact.
        const long long nGrown = IsNil() ? 0 : nAlloc + nAlloc / 2LL;
        Reallocate(static_cast<int>(std::clamp<long long>(nGrown, nLength, INT_MAX)));
    }
    return m_pszData;
}

void CString::SetLength(int nLength)
{
    ASSERT(nLength >= 0 && nLength <= GetAllocLength());
    // The shared empty block only ever holds length 0.
    if (!IsNil())
    {
        GetData()->nDataLength = nLength;
        m_pszData[nLength] = 0;
    }
}

CString operator+(const CString& str1, const CString& str2)
{
    return Concat(str1, str1.GetLength(), str2, str2.GetLength());
}

CString operator+(const CString& str1, LPCWSTR psz2)
{
    return Concat(str1, str1.GetLength(), psz2, LengthOf(psz2));
}

CString operator+(LPCWSTR psz1, const CString& str2)
{
    return Concat(psz1, LengthOf(psz1), str2, str2.GetLength());
}

CString operator+(const CString& str1, wchar_t ch2)
{
    return Concat(str1, str1.GetLength(), &ch2, 1);
}

CString operator+(wchar_t ch1, const CString& str2)
{
    return Concat(&ch1, 1, str2, str2.GetLength());
}

bool operator==(const CString& str1, const CString& str2)
{
    return str1.Compare(str2) == 0;
}

bool operator==(const CString& str1, LPCWSTR psz2)
{
    return str1.Compare(psz2) == 0;
}

std::strong_ordering operator<=>(const CString& str1, const CString& str2)
{
    return str1.Compare(str2) <=> 0;
}

std::strong_ordering operator<=>(const CString& str1, LPCWSTR psz2)
{
    return str1.Compare(psz2) <=> 0;
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1)
{
    AfxFormatStrings(rString, nIDS, &lpsz1, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
    const LPCTSTR texts[] = {lpsz1, lpsz2};
    AfxFormatStrings(rString, nIDS, texts, 2);
}

void AFXAPI AfxFormatStrings(CString& rString, UINT nIDS, LPCTSTR const* rglpsz, int nString)
{
    CString strFormat;
    if (strFormat.LoadString(nIDS))
        AfxFormatStrings(rString, strFormat, rglpsz, nString);
}

void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString)
{
    CString result;
    for (LPCTSTR p = Checked(lpszFormat); *p != 0; ++p)
    {
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '9')
        {
            const int i = p[1] - '1';
            if (i < nString)
                result += rglpsz[i];
            else
                result += L'?';
            ++p;
        }
        else
            result += *p;
    }
    rString = std::move(result);
}
