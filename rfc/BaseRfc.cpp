#include <rfc/BaseRfc.h>

#include <rfc/RfcConnection.h>
#include <rfc/RfcException.h>

#include <algorithm>
#include <cstdio>

#include <emmintrin.h>

IMPLEMENT_DYNAMIC(CBaseRfc, CObject)

namespace
{
const unsigned kStringBuffer = 512;

// Where the first NUL among the first nLength characters of the buffer stands (nLength if
// there is none), eight characters at a time: the buffer holds kStringBuffer characters, so
// the look may pass nLength.
unsigned FirstNul(const SAP_UC (&buffer)[kStringBuffer], unsigned nLength)
{
    static_assert(kStringBuffer % 8 == 0);
    const __m128i zero = _mm_setzero_si128();
    for (unsigned i = 0; i < nLength; i += 8)
    {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(buffer + i));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(chars, zero)));
        if (mask != 0)
            return std::min(nLength, i + static_cast<unsigned>(__builtin_ctz(mask)) / 2);
    }
    return nLength;
}
} // namespace

CBaseRfc::CBaseRfc(CRfcConnection* pConnection, LPCTSTR lpszFunctionName)
    : m_nWindowStart(0), m_nRowTotal(0), m_hFunction(nullptr), m_strFunctionName(lpszFunctionName),
      m_bLookUpAgain(FALSE)
{
    ZeroMemory(&m_errorInfo, sizeof(m_errorInfo));
    CreateFunction(pConnection);
}

CBaseRfc::~CBaseRfc()
{
    DestroyFunction();
}

void CBaseRfc::CreateFunction(CRfcConnection* pConnection)
{
    DestroyFunction();
    m_bLookUpAgain = FALSE;
    if (pConnection == nullptr)
        return;
    CSingleLock connectionLock(&pConnection->m_mutex, TRUE);
    if (pConnection->m_bStop)
        return;
    RFC_FUNCTION_DESC_HANDLE hDescription =
        RfcGetFunctionDesc(pConnection->m_hConnection, m_strFunctionName, &m_errorInfo);
    if (hDescription == nullptr)
    {
        m_bLookUpAgain = m_errorInfo.code != RFC_NOT_FOUND;
        return;
    }
    if (!pConnection->m_bStop)
    {
        CSingleLock lock(&m_mutex, TRUE);
        m_hFunction = RfcCreateFunction(hDescription, &m_errorInfo);
    }
}

void CBaseRfc::DestroyFunction()
{
    CSingleLock lock(&m_mutex, TRUE);
    if (m_hFunction != nullptr)
    {
        RfcDestroyFunction(m_hFunction, &m_errorInfo);
        m_hFunction = nullptr;
    }
}

BOOL CBaseRfc::HasFunction(CRfcConnection* pConnection)
{
    if (m_hFunction == nullptr && m_bLookUpAgain && pConnection != nullptr && pConnection->IsAlive())
        CreateFunction(pConnection);
    return m_hFunction != nullptr;
}

void CBaseRfc::CallFunctionModule(CRfcConnection* pConnection)
{
    if (pConnection == nullptr || m_hFunction == nullptr)
        return;
    CSingleLock connectionLock(&pConnection->m_mutex, TRUE);
    CSingleLock lock(&m_mutex, TRUE);
    if (pConnection->m_bStop)
        return;
    if (RfcInvoke(pConnection->m_hConnection, m_hFunction, &m_errorInfo) != RFC_OK && !pConnection->m_bStop)
    {
        // Not retried: the re-open only prepares the capture's next due call.
        pConnection->CheckConnection();
        CRfcException::Throw(_T("CBaseRfc::CallFunctionModule - RfcInvoke"), m_errorInfo);
    }
}

void CBaseRfc::SetParameterActive(LPCTSTR lpszParameter, BOOL bActive)
{
    CSingleLock lock(&m_mutex, TRUE);
    if (m_hFunction != nullptr &&
        RfcSetParameterActive(m_hFunction, lpszParameter, bActive ? 1 : 0, &m_errorInfo) != RFC_OK)
        CRfcException::ThrowParam(_T("CBaseRfc::SetParameterActive - RfcSetParameterActive()"), lpszParameter,
                                  m_errorInfo);
}

void CBaseRfc::SetString(DATA_CONTAINER_HANDLE hContainer, LPCTSTR lpszName, const CString& strValue)
{
    if (hContainer != nullptr && RfcSetString(hContainer, lpszName, strValue,
                                              static_cast<unsigned>(strValue.GetLength()), &m_errorInfo) != RFC_OK)
        CRfcException::ThrowParam(_T("CBaseRfc::SetString()"), lpszName, m_errorInfo);
}

void CBaseRfc::GetString(DATA_CONTAINER_HANDLE hContainer, LPCTSTR lpszName, CString& strValue)
{
    if (hContainer == nullptr)
        return;
    SAP_UC buffer[kStringBuffer];
    unsigned nLength = 0;
    if (RfcGetString(hContainer, lpszName, buffer, kStringBuffer, &nLength, &m_errorInfo) != RFC_OK)
        CRfcException::ThrowParam(_T("CBaseRfc::GetString()"), lpszName, m_errorInfo);
    // A library may report the value's full length; only the buffer holds characters.
    const SAP_UC* pEnd = buffer + FirstNul(buffer, std::min(nLength, kStringBuffer));
    strValue.SetString(buffer, static_cast<int>(pEnd - buffer));
    // Printable ASCII is never white space: most values need no look at the rules.
    const auto printable = [](SAP_UC ch) { return ch > L' ' && ch < 0x80; };
    if (pEnd != buffer && !(printable(buffer[0]) && printable(pEnd[-1])))
        strValue.Trim();
}

void CBaseRfc::GetBytes(DATA_CONTAINER_HANDLE hRow, SAP_UC* pBuffer, unsigned nLength)
{
    if (hRow != nullptr && RfcGetChars(hRow, _T("LINE"), pBuffer, nLength, &m_errorInfo) != RFC_OK)
        CRfcException::ThrowParam(_T("CBaseRfc::GetBytes - RfcGetBytes"), _T("LINE"), m_errorInfo);
}

RFC_STRUCTURE_HANDLE CBaseRfc::GetStructure(DATA_CONTAINER_HANDLE hContainer, LPCTSTR lpszStructure)
{
    RFC_STRUCTURE_HANDLE hStructure = nullptr;
    if (hContainer != nullptr && RfcGetStructure(hContainer, lpszStructure, &hStructure, &m_errorInfo) != RFC_OK)
        CRfcException::ThrowParam(_T("CBaseRfc::GetStructure - RfcGetStructure()"), lpszStructure, m_errorInfo);
    return hStructure;
}

RFC_TABLE_HANDLE CBaseRfc::GetTableHandle(LPCTSTR lpszTable)
{
    RFC_TABLE_HANDLE hTable = nullptr;
    if (RfcGetTable(m_hFunction, lpszTable, &hTable, &m_errorInfo) != RFC_OK)
        CRfcException::ThrowParam(_T("CBaseRfc::GetTableHandle - RfcGetTable"), lpszTable, m_errorInfo);
    return hTable;
}

unsigned CBaseRfc::GetTableRowCount(LPCTSTR lpszTable)
{
    if (m_hFunction == nullptr)
        return 0;
    unsigned nCount = 0;
    if (RfcGetRowCount(GetTableHandle(lpszTable), &nCount, &m_errorInfo) != RFC_OK)
        CRfcException::ThrowParam(_T("CBaseRfc::GetTableRowCount - RfcGetRowCount"), lpszTable, m_errorInfo);
    return nCount;
}

RFC_TABLE_HANDLE CBaseRfc::SetTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    if (m_hFunction == nullptr)
        return nullptr;
    RFC_TABLE_HANDLE hTable = GetTableHandle(lpszTable);
    if (RfcMoveTo(hTable, nRow, &m_errorInfo) != RFC_OK)
        CRfcException::ThrowParam(_T("CBaseRfc::SetTableRow - RfcMoveTo"), lpszTable, m_errorInfo);
    return hTable;
}

RFC_STRUCTURE_HANDLE CBaseRfc::AppendTableRow(LPCTSTR lpszTable)
{
    if (m_hFunction == nullptr)
        return nullptr;
    return RfcAppendNewRow(GetTableHandle(lpszTable), &m_errorInfo);
}

void CBaseRfc::DeleteTableRows(LPCTSTR lpszTable)
{
    if (m_hFunction != nullptr && RfcDeleteAllRows(GetTableHandle(lpszTable), &m_errorInfo) != RFC_OK)
        CRfcException::ThrowParam(_T("CBaseRfc::DeleteTableRows - RfcDeleteAllRows"), lpszTable, m_errorInfo);
}

int PASCAL CBaseRfc::HexToByte(LPCTSTR lpszText, BYTE& byte)
{
    // "%2x" of the text upper-cased and padded to two characters with '0'. Text in ASCII is read
    // here, without a scanner per call: white space is skipped, a sign and the digits share the
    // width of two. Other text goes to the scanner, which knows the digits of other scripts.
    const size_t nLength = wcslen(lpszText);
    if (std::any_of(lpszText, lpszText + nLength, [](TCHAR ch) { return ch >= 0x80; }))
    {
        TCHAR szText[kStringBuffer];
        const size_t nKept = std::min<size_t>(nLength, kStringBuffer - 1);
        std::transform(lpszText, lpszText + nKept, szText, [](TCHAR ch) { return static_cast<TCHAR>(towupper(ch)); });
        std::fill(szText + nKept, szText + std::max<size_t>(nKept, 2), _T('0'));
        szText[std::max<size_t>(nKept, 2)] = 0;
        unsigned nValue = 0;
        const int nRead = swscanf(szText, _T("%2x"), &nValue);
        if (nRead == 1)
            byte = static_cast<BYTE>(nValue);
        return nRead;
    }
    TCHAR szPadded[3] = {_T('0'), _T('0'), 0};
    LPCTSTR p = lpszText;
    if (nLength < 2)
    {
        std::copy_n(lpszText, nLength, szPadded);
        p = szPadded;
    }
    while (AfxIsSpace(*p))
        ++p;
    int nWidth = 2;
    const bool bNegative = *p == _T('-');
    if (*p == _T('-') || *p == _T('+'))
    {
        ++p;
        --nWidth;
    }
    const auto digit = [](TCHAR ch) -> int {
        if (ch >= _T('0') && ch <= _T('9'))
            return ch - _T('0');
        if ((ch | 0x20) >= _T('a') && (ch | 0x20) <= _T('f'))
            return (ch | 0x20) - _T('a') + 10;
        return -1;
    };
    unsigned nValue = 0;
    int nDigits = 0;
    for (; nDigits < nWidth && digit(*p) >= 0; ++nDigits, ++p)
        nValue = nValue * 16 + static_cast<unsigned>(digit(*p));
    if (nDigits == 0)
        return 0;
    byte = static_cast<BYTE>(bNegative ? 0u - nValue : nValue);
    return 1;
}

void CBaseRfc::OnTableRow(LPCTSTR, unsigned)
{
}
