#include <grid/core/UserAttribute.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwchar>

IMPLEMENT_SERIAL(CGXUserAttribute, CGXAbstractUserAttribute, 0)

namespace
{
const int nShortTextLength = 4;

CString FormatNumber(double dValue)
{
    CString strText;
    strText.Format(_T("%.13g"), dValue);
    return strText;
}

// A text is a number only when the number gives back the very same text, so that storing a
// value never changes what the user wrote ("007" and "1.50" stay texts).
BOOL RecogniseNumber(LPCTSTR pszText, double& rValue)
{
    LPWSTR pszEnd = nullptr;
    const double dValue = wcstod(pszText, &pszEnd);
    if (pszEnd == pszText || *pszEnd != 0 || !std::isfinite(dValue) || FormatNumber(dValue) != pszText)
        return FALSE;
    rValue = dValue;
    return TRUE;
}
} // namespace

CGXUserAttribute::CGXUserAttribute()
{
    SetType(vtEmpty);
}

CGXUserAttribute::CGXUserAttribute(const CGXUserAttribute& source) : CGXUserAttribute()
{
    m_nId = source.m_nId;
    if (source.m_vtType == vtShortText || source.m_vtType == vtLongText)
    {
        SetText(source.GetValue());
    }
    else
    {
        m_vtType = source.m_vtType;
        std::memcpy(m_value.bytes, source.m_value.bytes, sizeof(m_value.bytes));
    }
}

CGXUserAttribute::CGXUserAttribute(LPCTSTR pszValue) : CGXUserAttribute()
{
    if (pszValue == nullptr || *pszValue == 0)
        SetType(vtShortText);
    else
        SetValue(pszValue);
}

CGXUserAttribute::CGXUserAttribute(const CString& strValue) : CGXUserAttribute(static_cast<LPCTSTR>(strValue))
{
}

CGXUserAttribute::CGXUserAttribute(DWORD dwValue) : CGXUserAttribute()
{
    SetType(vtDWord);
    m_value.dwValue = dwValue;
}

CGXUserAttribute::CGXUserAttribute(LONG lValue) : CGXUserAttribute()
{
    SetType(vtLong);
    m_value.lValue = lValue;
}

CGXUserAttribute::CGXUserAttribute(double dValue) : CGXUserAttribute()
{
    SetType(vtDouble);
    m_value.dValue = dValue;
}

CGXUserAttribute::CGXUserAttribute(ULONGLONG ullValue) : CGXUserAttribute()
{
    SetType(vtInt64);
    m_value.dwHalves[0] = static_cast<DWORD>(ullValue);
    m_value.dwHalves[1] = static_cast<DWORD>(ullValue >> 32);
}

CGXUserAttribute::~CGXUserAttribute()
{
    SetType(vtEmpty);
}

void CGXUserAttribute::SetType(DWORD vtType)
{
    if (m_vtType == vtLongText)
        delete[] m_value.pszLong;
    std::memset(m_value.bytes, 0, sizeof(m_value.bytes));
    m_vtType = vtType;
}

void CGXUserAttribute::SetText(LPCTSTR pszText)
{
    const size_t nLength = std::wcslen(pszText);
    if (nLength > nShortTextLength)
    {
        LPWSTR pszCopy = new WCHAR[nLength + 1];
        std::wmemcpy(pszCopy, pszText, nLength + 1);
        SetType(vtLongText);
        m_value.pszLong = pszCopy;
    }
    else
    {
        SetType(vtShortText);
        std::wmemcpy(m_value.szShort, pszText, nLength);
    }
}

LPCTSTR CGXUserAttribute::GetText(int& nLength) const
{
    if (m_vtType == vtLongText)
    {
        nLength = static_cast<int>(std::wcslen(m_value.pszLong));
        return m_value.pszLong;
    }
    nLength = static_cast<int>(wcsnlen(m_value.szShort, nShortTextLength));
    return m_value.szShort;
}

CGXAbstractUserAttribute& CGXUserAttribute::SetValue(LPCTSTR pszValue)
{
    double dValue = 0;
    if (pszValue == nullptr || *pszValue == 0)
    {
        SetType(vtEmpty);
    }
    else if (RecogniseNumber(pszValue, dValue))
    {
        SetType(vtDouble);
        m_value.dValue = dValue;
    }
    else
    {
        SetText(pszValue);
    }
    return *this;
}

CString CGXUserAttribute::GetValue() const
{
    CString strValue;
    int nLength = 0;
    switch (m_vtType)
    {
    case vtEmpty:
        break;
    case vtDWord:
        strValue.Format(_T("%lu"), m_value.dwValue);
        break;
    case vtLong:
        strValue.Format(_T("%ld"), m_value.lValue);
        break;
    case vtShortText:
    case vtLongText: {
        LPCTSTR pszText = GetText(nLength);
        strValue.SetString(pszText, nLength);
        break;
    }
    case vtDouble:
        strValue = FormatNumber(m_value.dValue);
        break;
    case vtInt64:
        strValue.Format(_T("%08x%08x"), m_value.dwHalves[1], m_value.dwHalves[0]);
        break;
    default:
        strValue = _T("Value?");
        break;
    }
    return strValue;
}

LONG CGXUserAttribute::GetLong() const
{
    switch (m_vtType)
    {
    case vtDWord:
    case vtLong:
        return m_value.lValue;
    case vtShortText:
    case vtLongText:
        return _wtol(GetValue());
    case vtDouble:
        return static_cast<LONG>(m_value.dValue);
    default:
        return 0;
    }
}

DWORD CGXUserAttribute::GetDWord() const
{
    return static_cast<DWORD>(GetLong());
}

double CGXUserAttribute::GetDouble() const
{
    switch (m_vtType)
    {
    case vtDWord:
        return m_value.dwValue;
    case vtLong:
        return m_value.lValue;
    case vtShortText:
    case vtLongText:
        return CGXAbstractUserAttribute::GetDouble();
    case vtDouble:
        return m_value.dValue;
    default:
        return 0;
    }
}

CGXAbstractUserAttribute* CGXUserAttribute::Clone() const
{
    return new CGXUserAttribute(*this);
}

BOOL CGXUserAttribute::IsEqual(const CGXAbstractUserAttribute& other) const
{
    if (!other.IsKindOf(RUNTIME_CLASS(CGXUserAttribute)) || other.m_nId != m_nId)
        return FALSE;
    const CGXUserAttribute& attribute = static_cast<const CGXUserAttribute&>(other);
    if (attribute.m_vtType != m_vtType)
        return FALSE;
    switch (m_vtType)
    {
    case vtEmpty:
        return TRUE;
    case vtDWord:
    case vtLong:
        return m_value.dwValue == attribute.m_value.dwValue;
    case vtShortText:
    case vtLongText:
        return GetValue() == attribute.GetValue();
    case vtDouble:
        return m_value.dValue == attribute.m_value.dValue;
    case vtInt64:
        return std::memcmp(m_value.bytes, attribute.m_value.bytes, sizeof(m_value.bytes)) == 0;
    default:
        return FALSE;
    }
}

void CGXUserAttribute::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << static_cast<BYTE>(m_vtType);
        if (m_vtType == vtShortText || m_vtType == vtLongText)
            ar << GetValue();
        else
            ar.Write(m_value.bytes, sizeof(m_value.bytes));
    }
    else
    {
        BYTE vtType = 0;
        ar >> vtType;
        if (vtType == vtShortText || vtType == vtLongText)
        {
            CString strText;
            ar >> strText;
            SetText(strText);
        }
        else
        {
            BYTE bytes[sizeof(m_value.bytes)];
            ar.EnsureRead(bytes, sizeof(bytes));
            SetType(vtType);
            std::memcpy(m_value.bytes, bytes, sizeof(bytes));
        }
    }
}
