#include <grid/controls/MaskData.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cwctype>

IMPLEMENT_DYNCREATE(CGXMaskData, CObject)

namespace
{
constexpr TCHAR chEscape = _T('\\');
constexpr TCHAR chDefaultPrompt = _T('_');

// What each mask character accepts, and how it stores what it accepts.
struct MaskKind
{
    TCHAR chMask;
    int (*pfnAccepts)(wint_t);
    wint_t (*pfnConvert)(wint_t);
};

int AcceptsAny(wint_t)
{
    return 1;
}

const MaskKind maskKinds[] = {
    {_T('#'), std::iswdigit, nullptr}, {_T('&'), AcceptsAny, nullptr},          {_T('?'), std::iswalpha, nullptr},
    {_T('A'), std::iswalnum, nullptr}, {_T('L'), std::iswalpha, std::towlower}, {_T('U'), std::iswalpha, std::towupper},
};

// Every mask character is ASCII: a table by character code finds its kind at once.
const MaskKind* FindMaskKind(TCHAR chMask)
{
    static const auto byCode = [] {
        std::array<const MaskKind*, 128> table{};
        for (const MaskKind& kind : maskKinds)
            table[kind.chMask] = &kind;
        return table;
    }();
    return chMask < byCode.size() ? byCode[chMask] : nullptr;
}
} // namespace

CGXMaskData::CGXMaskData() : m_strPrompt(chDefaultPrompt), m_bPlainWhenEmpty(TRUE), m_nMaxLength(INT_MAX)
{
}

BOOL CGXMaskData::IsPlain() const
{
    return m_bPlainWhenEmpty && m_strMask.IsEmpty();
}

TCHAR CGXMaskData::Prompt() const
{
    return m_strPrompt.GetString()[0];
}

BOOL CGXMaskData::HoldsPrompt(int nPos) const
{
    return nPos >= 0 && (nPos >= m_strDisplay.GetLength() || m_strDisplay.GetString()[nPos] == Prompt());
}

void CGXMaskData::StoreAt(int nPos, TCHAR ch)
{
    while (m_strDisplay.GetLength() <= nPos)
        m_strDisplay += Prompt();
    m_strDisplay.SetAt(nPos, ch);
}

void CGXMaskData::ClearMask()
{
    m_strMask.Empty();
    m_abLiteral.RemoveAll();
}

void CGXMaskData::SetMask(LPCTSTR pszMask)
{
    ClearMask();
    if (pszMask == nullptr || *pszMask == 0)
    {
        m_nMaxLength = INT_MAX;
        return;
    }
    bool bEscaped = false;
    for (LPCTSTR p = pszMask; *p != 0; ++p)
    {
        if (!bEscaped && *p == chEscape)
        {
            bEscaped = true;
            continue;
        }
        m_abLiteral.Add(static_cast<BYTE>(bEscaped || !IsMaskChar(*p)));
        m_strMask += *p;
        bEscaped = false;
    }
}

void CGXMaskData::GetData(CString& strOut, int nStart, int nEnd, BOOL bTrimRight) const
{
    if (IsPlain())
    {
        GetDisplayString(strOut, nStart, nEnd);
        return;
    }
    const int nFirst = std::max(nStart, 0);
    const int nLast = nEnd < 0 ? m_strMask.GetLength() - 1 : std::min(nEnd, m_strMask.GetLength() - 1);
    LPTSTR pszOut = strOut.GetBufferSetLength(std::max(nLast - nFirst + 1, 0));
    int nLength = 0;
    for (int nPos = nFirst; nPos <= nLast; ++nPos)
        if (!IsLiteral(nPos))
            pszOut[nLength++] = HoldsPrompt(nPos) ? _T(' ') : m_strDisplay.GetString()[nPos];
    strOut.ReleaseBuffer(nLength);
    if (bTrimRight)
        strOut.TrimRight();
}

int CGXMaskData::PutInput(LPCTSTR pszText, int nPos, BOOL bInsert)
{
    if (IsPlain())
        return SetDisplayString(pszText, nPos, bInsert);
    if (nPos == -1)
    {
        ResetDisplay();
        nPos = 0;
    }
    const int nLength = m_strMask.GetLength();
    if (nLength == 0 || nPos < 0 || nPos >= nLength)
        return -1;
    if (IsLiteral(nPos))
    {
        nPos = GetNextInputPos(nPos);
        if (nPos < 0)
            return -1;
    }
    for (LPCTSTR p = pszText != nullptr ? pszText : _T(""); *p != 0 && nPos < nLength; ++p)
    {
        if (IsLiteral(nPos))
        {
            const int nNext = GetNextInputPos(nPos);
            if (nNext < 0)
                break;
            nPos = nNext;
        }
        TCHAR ch = *p;
        if (!IsValidInput(nPos, ch))
            break;
        int nNextPos = -1;
        if (bInsert)
        {
            if (!InsertAt(nPos, ch, nNextPos))
                break;
        }
        else
            StoreAt(nPos, ch);
        ++nPos;
    }
    return nPos;
}

void CGXMaskData::GetDisplayString(CString& strOut, int nStart, int nEnd) const
{
    const int nLength = m_strDisplay.GetLength();
    const int nLast = nEnd < 0 ? nLength - 1 : std::min(nEnd, nLength - 1);
    nStart = std::max(nStart, 0);
    strOut = nStart <= nLast ? m_strDisplay.Mid(nStart, nLast - nStart + 1) : CString();
}

int CGXMaskData::SetDisplayString(LPCTSTR pszText, int nPos, BOOL bInsert)
{
    if (nPos == -1)
    {
        ResetDisplay();
        nPos = 0;
    }
    if (nPos < 0)
        return -1;
    const CString strText = pszText != nullptr ? pszText : _T("");
    const int nMaskLength = m_strMask.GetLength();
    if (nMaskLength == 0 && !bInsert)
    {
        const int nNewLength = nPos + strText.GetLength();
        if (m_strDisplay.GetLength() > nNewLength)
            m_strDisplay.Truncate(nNewLength);
    }
    for (int i = 0; i < strText.GetLength(); ++i, ++nPos)
    {
        if (nMaskLength > 0 && nPos >= nMaskLength)
            break;
        TCHAR ch = strText[i];
        const BOOL bLiteral = IsLiteral(nPos);
        if (bLiteral ? ch != m_strMask[nPos] : !IsValidInput(nPos, ch))
            return -1;
        int nNextPos = -1;
        if (!bInsert)
            StoreAt(nPos, ch);
        else if (!bLiteral && !InsertAt(nPos, ch, nNextPos))
            return -1;
    }
    if (nMaskLength > 0)
    {
        if (m_strDisplay.GetLength() > nMaskLength)
            m_strDisplay.Truncate(nMaskLength);
        else if (m_strDisplay.GetLength() < nMaskLength)
            StoreAt(nMaskLength - 1, Prompt());
    }
    else if (m_strDisplay.GetLength() > m_nMaxLength)
        m_strDisplay.Truncate(m_nMaxLength);
    return nPos;
}

BOOL CGXMaskData::IsValidInput(int nPos, TCHAR& ch) const
{
    if (IsPlain())
        return TRUE;
    if (nPos < 0 || nPos >= m_strMask.GetLength() || IsLiteral(nPos))
        return FALSE;
    if (ch == _T(' '))
    {
        ch = Prompt();
        return TRUE;
    }
    if (ch == Prompt())
        return TRUE;
    const MaskKind* pKind = FindMaskKind(m_strMask.GetString()[nPos]);
    if (pKind == nullptr || !pKind->pfnAccepts(ch))
        return FALSE;
    if (pKind->pfnConvert != nullptr)
        ch = static_cast<TCHAR>(pKind->pfnConvert(ch));
    return TRUE;
}

int CGXMaskData::GetNextInputPos(int nPos) const
{
    const int nLength = IsPlain() ? m_nMaxLength : m_strMask.GetLength();
    if (nLength < 1 || nPos >= nLength)
        return nPos;
    for (int p = nPos + 1; p < nLength; ++p)
        if (!IsLiteral(p))
            return p;
    return -1;
}

int CGXMaskData::GetPrevInputPos(int nPos) const
{
    const int nLength = IsPlain() ? m_strDisplay.GetLength() + 1 : m_strMask.GetLength();
    if (nLength < 1)
        return nPos;
    for (int p = std::min(nPos, nLength) - 1; p >= 0; --p)
        if (!IsLiteral(p))
            return p;
    return -1;
}

int CGXMaskData::GetEndOfInput(int nPos) const
{
    if (IsPlain())
        return std::min(nPos, m_strDisplay.GetLength());
    const int nLength = m_strMask.GetLength();
    if (nLength == 0)
        return nPos;
    int p = std::clamp(nPos, 0, nLength - 1);
    if (nPos >= nLength && !IsLiteral(p) && !HoldsPrompt(p))
        return nPos;
    const int q = IsLiteral(p) ? GetNextInputPos(p) : p;
    if (q >= 0 && !HoldsPrompt(q))
        return p;
    if (IsLiteral(p))
        p = GetPrevInputPos(p);
    while (p > 0 && HoldsPrompt(p))
        p = GetPrevInputPos(p);
    if (p > 0)
        return p + 1;
    if (p == 0 && !HoldsPrompt(0))
        return 1;
    return GetNextInputPos(-1);
}

BOOL CGXMaskData::InsertAt(int nPos, TCHAR ch, int& nNextPos)
{
    nNextPos = -1;
    if (IsPlain())
    {
        if (m_strDisplay.GetLength() >= m_nMaxLength || nPos < 0 || nPos > m_strDisplay.GetLength())
            return FALSE;
        m_strDisplay.Insert(nPos, ch);
        nNextPos = nPos + 1;
        return TRUE;
    }
    const int nLength = m_strMask.GetLength();
    if (nPos < 0 || nPos > nLength)
        return FALSE;
    // A caret on a literal or at the end inserts at the next input position.
    if (nPos == nLength || IsLiteral(nPos))
        nPos = GetNextInputPos(nPos == nLength ? nPos - 1 : nPos);
    const int nLast = GetPrevInputPos(nLength);
    if (nPos < 0 || nLast < 0 || !HoldsPrompt(nLast))
        return FALSE;
    int nFilled = nLast;
    while (nFilled >= 0 && HoldsPrompt(nFilled))
        nFilled = GetPrevInputPos(nFilled);
    // Check every move first, so that a refused one changes nothing.
    TCHAR chChecked = ch;
    if (!IsValidInput(nPos, chChecked))
        return FALSE;
    for (int p = nFilled; p >= nPos; p = GetPrevInputPos(p))
    {
        TCHAR chShifted = m_strDisplay[p];
        if (!IsValidInput(GetNextInputPos(p), chShifted))
            return FALSE;
    }
    for (int p = nFilled; p >= nPos; p = GetPrevInputPos(p))
        StoreAt(GetNextInputPos(p), m_strDisplay[p]);
    StoreAt(nPos, chChecked);
    const int nNext = GetNextInputPos(nPos);
    nNextPos = nNext >= 0 ? nNext : nPos + 1;
    return TRUE;
}

void CGXMaskData::DeleteRange(int nEnd, int nStart)
{
    if (IsPlain())
    {
        nStart = std::max(nStart, 0);
        nEnd = std::min(nEnd, m_strDisplay.GetLength());
        if (nStart < nEnd)
            m_strDisplay.Delete(nStart, nEnd - nStart);
        return;
    }
    const int nLength = m_strMask.GetLength();
    if (nEnd < 0 || nEnd > nLength || nStart < 0 || nStart >= nLength)
        return;
    if (IsLiteral(nStart))
    {
        nStart = GetNextInputPos(nStart);
        if (nStart < 0 || nStart > nEnd)
            return;
    }
    int nSource = nEnd == nLength ? -1 : IsLiteral(nEnd) ? GetNextInputPos(nEnd) : nEnd;
    int nDest = nStart;
    for (; nSource >= 0; nSource = GetNextInputPos(nSource), nDest = GetNextInputPos(nDest))
        StoreAt(nDest, HoldsPrompt(nSource) ? Prompt() : m_strDisplay[nSource]);
    for (; nDest >= 0 && nDest < nLength; nDest = GetNextInputPos(nDest))
        StoreAt(nDest, Prompt());
}

BOOL CGXMaskData::IsValidData() const
{
    if (m_strDisplay.IsEmpty())
        return TRUE;
    if (IsPlain())
        return m_strDisplay.GetLength() <= m_nMaxLength;
    if (m_strDisplay.GetLength() != m_strMask.GetLength())
        return FALSE;
    for (int nPos = 0; nPos < m_strDisplay.GetLength(); ++nPos)
    {
        TCHAR ch = m_strDisplay.GetString()[nPos];
        if (IsLiteral(nPos) ? ch != m_strMask.GetString()[nPos] : !IsValidInput(nPos, ch))
            return FALSE;
    }
    return TRUE;
}

BOOL CGXMaskData::IsMaskEmpty() const
{
    return m_strMask.IsEmpty();
}

int CGXMaskData::GetDisplayLength() const
{
    return m_strDisplay.GetLength();
}

int CGXMaskData::DataPosToEditPos(int nPos) const
{
    return nPos;
}

int CGXMaskData::EditPosToDataPos(int nIndex) const
{
    return nIndex;
}

void CGXMaskData::ResetDisplay()
{
    const int nLength = m_strMask.GetLength();
    LPTSTR pszDisplay = m_strDisplay.GetBufferSetLength(nLength);
    for (int nPos = 0; nPos < nLength; ++nPos)
        pszDisplay[nPos] = IsLiteral(nPos) ? m_strMask.GetString()[nPos] : Prompt();
    m_strDisplay.ReleaseBuffer(nLength);
}

int CGXMaskData::GetMaxLength() const
{
    return m_nMaxLength;
}

void CGXMaskData::SetMaxLength(int nMaxLength)
{
    m_nMaxLength = nMaxLength;
}

BOOL CGXMaskData::IsMaskChar(TCHAR ch) const
{
    return FindMaskKind(ch) != nullptr;
}

BOOL CGXMaskData::IsLiteral(int nPos) const
{
    return !IsPlain() && m_abLiteral[nPos] != 0;
}

BOOL CGXMaskData::SetPromptChar(LPCTSTR pszPrompt, BOOL bReplaceShown)
{
    const CString strPrompt = pszPrompt != nullptr && *pszPrompt != 0 ? pszPrompt : _T("_");
    if (strPrompt.GetLength() > 1)
        return FALSE;
    if (bReplaceShown)
        for (int nPos = 0; nPos < m_strDisplay.GetLength() && nPos < m_strMask.GetLength(); ++nPos)
            if (!IsLiteral(nPos) && m_strDisplay[nPos] == Prompt())
                m_strDisplay.SetAt(nPos, strPrompt[0]);
    m_strPrompt = strPrompt;
    return TRUE;
}
