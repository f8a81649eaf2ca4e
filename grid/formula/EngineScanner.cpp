#include <grid/formula/EngineScanner.h>

#include <grid/formula/EngineReferences.h>
#include <grid/formula/EngineStore.h>

#include <cstring>

namespace
{
const int kFirstCapacity = 16384;

BOOL IsLetter(WCHAR ch)
{
    return (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z');
}

BOOL IsDigit(WCHAR ch)
{
    return ch >= L'0' && ch <= L'9';
}

BOOL IsHexDigit(WCHAR ch)
{
    return IsDigit(ch) || (ch >= L'A' && ch <= L'F') || (ch >= L'a' && ch <= L'f');
}

// The scanner's rules each measure their match at the read point; 0 is no match.
class CMatcher
{
public:
    CMatcher(LPCWSTR psz, int nLength) : m_psz(psz), m_nLength(nLength)
    {
    }

    WCHAR At(int n) const
    {
        return n < m_nLength ? m_psz[n] : L'\0';
    }

    int Digits(int n) const
    {
        int nEnd = n;
        while (IsDigit(At(nEnd)))
            ++nEnd;
        return nEnd - n;
    }

    // "$"? letters{1,3} "$"? digits{1,7}; the letters' extent comes back in nLetters.
    int CellReference(int& nLettersFrom, int& nLetters) const
    {
        int n = At(0) == L'$' ? 1 : 0;
        nLettersFrom = n;
        while (IsLetter(At(n)) && n - nLettersFrom < 3)
            ++n;
        nLetters = n - nLettersFrom;
        if (nLetters == 0)
            return 0;
        if (At(n) == L'$')
            ++n;
        int nDigits = Digits(n);
        if (nDigits == 0)
            return 0;
        return n + (nDigits > 7 ? 7 : nDigits);
    }

    int Identifier() const
    {
        if (!(IsLetter(At(0)) || At(0) == L'_' || At(0) == L'$'))
            return 0;
        int n = 1;
        for (WCHAR ch = At(n); IsLetter(ch) || IsDigit(ch) || ch == L'_' || ch == L'.' || ch == L'$'; ch = At(++n))
        {
        }
        return n;
    }

    int FunctionName() const
    {
        if (At(0) != L'@')
            return 0;
        int n = 1;
        for (WCHAR ch = At(n); IsLetter(ch) || IsDigit(ch) || ch == L'_'; ch = At(++n))
        {
        }
        return n;
    }

    int String() const
    {
        if (At(0) != L'"')
            return 0;
        for (int n = 1; n < m_nLength; ++n)
        {
            if (m_psz[n] == L'"')
                return n + 1;
            if (m_psz[n] == L'\\' && ++n >= m_nLength)
                return 0;
        }
        return 0;
    }

    int Hex() const
    {
        if (At(0) != L'0' || (At(1) != L'x' && At(1) != L'X'))
            return 0;
        int n = 2;
        while (IsHexDigit(At(n)))
            ++n;
        return n > 2 ? n : 0;
    }

    // A lower-case "e", an optional sign and digits, or nothing.
    int Exponent(int n) const
    {
        if (At(n) != L'e')
            return 0;
        int nSign = At(n + 1) == L'+' || At(n + 1) == L'-' ? 1 : 0;
        int nDigits = Digits(n + 1 + nSign);
        return nDigits > 0 ? 1 + nSign + nDigits : 0;
    }

    int Number() const
    {
        int nDigits = Digits(0);
        if (nDigits > 0)
        {
            if (At(nDigits) != L'.')
                return nDigits + Exponent(nDigits);
            int n = nDigits + 1 + Digits(nDigits + 1);
            return n + Exponent(n);
        }
        if (At(0) == L'.' && IsDigit(At(1)))
        {
            int n = 1 + Digits(1);
            return n + Exponent(n);
        }
        return 0;
    }

    int Comment() const
    {
        if (At(0) != L'/' || At(1) != L'/')
            return 0;
        int n = 2;
        while (n < m_nLength && m_psz[n] != L'\n')
            ++n;
        return n;
    }

    // "#AND#", "#OR#", "#NOT#" in any case.
    int Word(int& nClass) const
    {
        static const struct
        {
            LPCWSTR pszWord;
            int nClass;
        } kWords[] = {{L"#AND#", GX_TOKEN_AND}, {L"#OR#", GX_TOKEN_OR}, {L"#NOT#", GX_TOKEN_EXCLAMATION}};
        for (const auto& word : kWords)
        {
            const int n = static_cast<int>(wcslen(word.pszWord));
            if (n <= m_nLength && _wcsnicmp(m_psz, word.pszWord, n) == 0)
            {
                nClass = word.nClass;
                return n;
            }
        }
        return 0;
    }

    int Punctuation(int& nClass) const
    {
        static const struct
        {
            LPCWSTR pszText;
            int nClass;
        } kPunctuation[] = {
            {L"**", GX_TOKEN_POWER},
            {L"&&", GX_TOKEN_AND},
            {L"||", GX_TOKEN_OR},
            {L"<<", GX_TOKEN_SHIFT_LEFT},
            {L">>", GX_TOKEN_SHIFT_RIGHT},
            {L"<=", GX_TOKEN_LESS_EQUAL},
            {L">=", GX_TOKEN_GREATER_EQUAL},
            {L"!=", GX_TOKEN_NOT_EQUAL},
            {L"<>", GX_TOKEN_NOT_EQUAL},
            {L"==", GX_TOKEN_EQUAL_EQUAL},
            {L"..", GX_TOKEN_DOTDOT},
            {L"??", GX_TOKEN_INVALID_REF},
            {L".", GX_TOKEN_DOT},
            {L";", GX_TOKEN_SEMICOLON},
            {L":", GX_TOKEN_COLON},
            {L",", GX_TOKEN_COMMA},
            {L"?", GX_TOKEN_QUESTION},
            {L"#", GX_TOKEN_HASH},
            {L"\\", GX_TOKEN_BACKSLASH},
            {L"+", GX_TOKEN_PLUS},
            {L"-", GX_TOKEN_MINUS},
            {L"*", GX_TOKEN_STAR},
            {L"/", GX_TOKEN_SLASH},
            {L"%", GX_TOKEN_PERCENT},
            {L"|", GX_TOKEN_BAR},
            {L"&", GX_TOKEN_AMPERSAND},
            {L"!", GX_TOKEN_EXCLAMATION},
            {L"~", GX_TOKEN_TILDE},
            {L"<", GX_TOKEN_LESS},
            {L">", GX_TOKEN_GREATER},
            {L"(", GX_TOKEN_LPAREN},
            {L")", GX_TOKEN_RPAREN},
            {L"{", GX_TOKEN_LBRACE},
            {L"}", GX_TOKEN_RBRACE},
            {L"=", GX_TOKEN_EQUAL},
            {L"^", GX_TOKEN_CARET},
        };
        // Two-character tokens come first, so the first hit is the longest.
        for (const auto& entry : kPunctuation)
        {
            const int n = entry.pszText[1] != L'\0' ? 2 : 1;
            if (n <= m_nLength && wcsncmp(m_psz, entry.pszText, n) == 0)
            {
                nClass = entry.nClass;
                return n;
            }
        }
        return 0;
    }

private:
    LPCWSTR m_psz;
    int m_nLength;
};
} // namespace

GX_PARSE_STATE::~GX_PARSE_STATE()
{
    GXEngineFree(pszBuffer);
}

GX_PARSE_STATE* GXGetParseState()
{
    static GX_PARSE_STATE state{};
    return &state;
}

BOOL GXEngineScanStart(LPCWSTR pszText)
{
    GX_PARSE_STATE* pState = GXGetParseState();
    const size_t nLength = wcslen(pszText);
    if (pState->pszBuffer == nullptr || nLength >= static_cast<size_t>(pState->nCapacity))
    {
        size_t nCapacity = pState->nCapacity > 0 ? pState->nCapacity : kFirstCapacity;
        while (nCapacity <= nLength)
            nCapacity *= 2;
        LPWSTR pszBuffer =
            nCapacity <= 0x3FFFFFFF ? static_cast<LPWSTR>(GXEngineTryAlloc(sizeof(WCHAR) * nCapacity)) : nullptr;
        if (pszBuffer == nullptr)
            return FALSE;
        GXEngineFree(pState->pszBuffer);
        pState->pszBuffer = pszBuffer;
        pState->nCapacity = static_cast<int>(nCapacity);
    }
    std::memcpy(pState->pszBuffer, pszText, sizeof(WCHAR) * (nLength + 1));
    pState->nLength = static_cast<int>(nLength);
    pState->nOffset = 0;
    pState->nPos = 0;
    return TRUE;
}

void GXEngineScanNext(GXEngineToken& token)
{
    GX_PARSE_STATE* pState = GXGetParseState();
    token.strValue.Empty();
    token.nError = 0;
    for (;;)
    {
        LPCWSTR psz = pState->pszBuffer + pState->nOffset;
        const int nLeft = pState->nLength - pState->nOffset;
        token.nPos = pState->nPos;
        if (nLeft <= 0)
        {
            token.nClass = GX_TOKEN_END;
            return;
        }
        if (*psz == L'\n')
        {
            ++pState->nOffset;
            continue;
        }
        if (*psz == L' ' || *psz == L'\t')
        {
            ++pState->nOffset;
            ++pState->nPos;
            continue;
        }
        CMatcher match(psz, nLeft);
        int nLettersFrom = 0;
        int nLetters = 0;
        const int nCell = match.CellReference(nLettersFrom, nLetters);
        const int nIdentifier = match.Identifier();
        int nLength = 0;
        int nValueFrom = 0;
        int nValueLength = -1;
        if (nCell > 0 && nCell >= nIdentifier)
        {
            nLength = nCell;
            token.nClass =
                GXEngineColumnNumber(CString(psz + nLettersFrom, nLetters)) >= 0 ? GX_TOKEN_CELL : GX_TOKEN_IDENTIFIER;
        }
        else if (nIdentifier > 0)
        {
            nLength = nIdentifier;
            token.nClass = GX_TOKEN_IDENTIFIER;
            GXEngineRange range;
            if (GXEngineParseCellRef(CString(psz, nIdentifier), range))
            {
                // A range written with "." or "..": the first cell, then the rest again.
                const LPCWSTR pszDot = wcschr(psz, L'.');
                if (pszDot != nullptr && pszDot - psz < nIdentifier)
                    nLength = static_cast<int>(pszDot - psz);
                token.nClass = GX_TOKEN_CELL;
            }
        }
        else if ((nLength = match.FunctionName()) > 0)
        {
            token.nClass = GX_TOKEN_FUNCTION;
            nValueFrom = 1;
        }
        else if ((nLength = match.String()) > 0)
        {
            token.nClass = GX_TOKEN_STRING;
            nValueFrom = 1;
            nValueLength = nLength - 2;
        }
        else
        {
            const int nHex = match.Hex();
            const int nNumber = match.Number();
            const int nComment = match.Comment();
            int nWordClass = 0;
            const int nWord = match.Word(nWordClass);
            int nPunctuationClass = 0;
            const int nPunctuation = match.Punctuation(nPunctuationClass);
            if (nHex > 0 && nHex >= nNumber)
            {
                nLength = nHex;
                token.nClass = GX_TOKEN_HEX;
                nValueFrom = 2;
            }
            else if (nNumber > 0 && nNumber >= nPunctuation)
            {
                nLength = nNumber;
                token.nClass = GX_TOKEN_NUMBER;
            }
            else if (nComment > 0)
            {
                nLength = nComment;
                token.nClass = GX_TOKEN_COMMENT;
                nValueFrom = 2;
            }
            else if (nWord > nPunctuation)
            {
                nLength = nWord;
                token.nClass = nWordClass;
                nValueLength = 0;
            }
            else if (nPunctuation > 0)
            {
                nLength = nPunctuation;
                token.nClass = nPunctuationClass;
                nValueLength = 0;
            }
            else
            {
                nLength = 1;
                token.nClass = GX_TOKEN_ERROR;
                token.nError = 223;
                nValueLength = 0;
            }
        }
        if (nValueLength < 0)
            nValueLength = nLength - nValueFrom;
        if (nValueLength > 0)
            token.strValue = CString(psz + nValueFrom, nValueLength);
        pState->nOffset += nLength;
        pState->nPos += nLength;
        return;
    }
}
