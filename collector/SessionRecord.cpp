#include <collector/SessionRecord.h>

#include <afx/MoveBytes.h>

CSessionRecord::CSessionRecord(unsigned nSize) : m_bytes(nSize)
{
}

void CSessionRecord::Clear()
{
    std::fill(m_bytes.begin(), m_bytes.end(), BYTE(0));
}

void CSessionRecord::Put(unsigned nOffset, const void* pValue, unsigned nBytes)
{
    ASSERT(nOffset + nBytes <= m_bytes.size());
    // The target is little-endian like the records.
    AfxMoveBytes(m_bytes.data() + nOffset, pValue, nBytes);
}

void CSessionRecord::SetInt32(unsigned nOffset, int nValue)
{
    Put(nOffset, &nValue, sizeof(nValue));
}

void CSessionRecord::SetInt64(unsigned nOffset, __int64 nValue)
{
    Put(nOffset, &nValue, sizeof(nValue));
}

void CSessionRecord::SetDouble(unsigned nOffset, double dValue)
{
    Put(nOffset, &dValue, sizeof(dValue));
}

void CSessionRecord::SetText(unsigned nOffset, unsigned nBytes, const CString& strText)
{
    unsigned nUnits = std::min<unsigned>(strText.GetLength(), nBytes / 2);
    if (nUnits < static_cast<unsigned>(strText.GetLength()) && nUnits > 0 && IS_HIGH_SURROGATE(strText[nUnits - 1]))
        --nUnits;
    // Clear the field first: a record may be refilled without Clear.
    memset(m_bytes.data() + nOffset, 0, nBytes);
    Put(nOffset, (LPCTSTR)strText, nUnits * sizeof(WCHAR));
}

void CSessionRecord::SetValue(unsigned nOffset, unsigned nBytes, FieldType type, const CString& strText,
                              __time64_t nSampleTime)
{
    switch (type)
    {
    case FieldType::Time:
        SetInt64(nOffset, nSampleTime);
        break;
    case FieldType::Int32:
        SetInt32(nOffset, _wtoi(strText));
        break;
    case FieldType::Int64:
        SetInt64(nOffset, _wtoi64(strText));
        break;
    case FieldType::Double:
        SetDouble(nOffset, TextToDouble(strText));
        break;
    case FieldType::Text:
        SetText(nOffset, nBytes, strText);
        break;
    }
}

double TextToDouble(LPCTSTR lpszText)
{
    // Up to 15 digits are exact in a double.
    const int kExactDigits = 15;
    LPCTSTR p = lpszText;
    while (AfxIsSpace(*p))
        ++p;
    const bool bNegative = *p == _T('-');
    if (*p == _T('-') || *p == _T('+'))
        ++p;
    long long nValue = 0;
    int nDigits = 0;
    for (; *p >= _T('0') && *p <= _T('9') && nDigits <= kExactDigits; ++p, ++nDigits)
        nValue = nValue * 10 + (*p - _T('0'));
    // A fraction, an exponent (the library also takes 'd'), a hexadecimal prefix, more digits
    // or none at all: the library's own reading.
    if (nDigits == 0 || nDigits > kExactDigits || (*p != 0 && wcschr(_T(".eEdDxX"), *p) != nullptr))
        return _wtof(lpszText);
    const double dValue = static_cast<double>(nValue);
    return bNegative ? -dValue : dValue;
}
