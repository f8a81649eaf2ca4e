// The number format of the currency edit window: symbol, separators, grouping, decimals, an
// integer digit limit with padding, the positive and negative patterns and optional colours.
// It turns an amount (a non-negative value and a sign) into text and back. The edit names it
// CGXBCurrencyEdit::Format.
#pragma once

#include <afxwin.h>

class CGXBCurrencyFormat
{
public:
    static constexpr int nPositivePatterns = 4;
    static constexpr int nNegativePatterns = 16;
    // The integer digit limit that means none.
    static constexpr int noLimit = -1;

    // The fixed defaults: "$", "3;0", ',' and '.', two decimals, patterns 0, leading zero.
    CGXBCurrencyFormat();
    // From the user's default locale when bFromLocale is set, else the fixed defaults.
    explicit CGXBCurrencyFormat(BOOL bFromLocale);
    CGXBCurrencyFormat(const CGXBCurrencyFormat& other);
    CGXBCurrencyFormat& operator=(const CGXBCurrencyFormat& other);
    virtual ~CGXBCurrencyFormat();

    // A text as an amount: the non-negative value and whether it is negative. An empty text is
    // 0.0; a text without digits, with unpaired parentheses, with other characters inside the
    // number or beyond the range of a double fails.
    virtual BOOL ParseValue(LPCTSTR pszText, double& dValue, BOOL& bNegative) const;
    // The display text of a non-negative value with the sign.
    virtual void FormatValue(double dValue, CString& strText, BOOL bNegative) const;
    // The last occurrence of the character (of the decimal separator when 0), -1 when none.
    virtual int FindLastChar(LPCTSTR pszText, TCHAR ch = 0) const;
    // The number inside a text: from its last digit leftwards over digits, thousands
    // separators and one decimal separator. FALSE when the text has no digit.
    virtual BOOL FindNumberSpan(LPCTSTR pszText, int& nFirst, int& nLast) const;
    virtual void Assign(const CGXBCurrencyFormat& other);
    virtual BOOL IsEqual(const CGXBCurrencyFormat& other) const;

    BOOL GetLeadingZero() const
    {
        return m_bLeadingZero;
    }
    void SetLeadingZero(BOOL bLeadingZero)
    {
        m_bLeadingZero = bLeadingZero;
    }
    // With a digit limit, show the last digits of a longer integer part instead of the first.
    BOOL GetKeepTrailingDigits() const
    {
        return m_bKeepTrailingDigits;
    }
    void SetKeepTrailingDigits(BOOL bKeep)
    {
        m_bKeepTrailingDigits = bKeep;
    }
    BOOL GetPadBeforeGrouping() const
    {
        return m_bPadBeforeGrouping;
    }
    void SetPadBeforeGrouping(BOOL bBefore)
    {
        m_bPadBeforeGrouping = bBefore;
    }
    const CString& GetMonetarySymbol() const
    {
        return m_strSymbol;
    }
    void SetMonetarySymbol(LPCTSTR pszSymbol)
    {
        m_strSymbol = pszSymbol;
    }
    // Group sizes separated by ';' from the decimal separator leftwards; a final 0 repeats the
    // last size.
    const CString& GetGrouping() const
    {
        return m_strGrouping;
    }
    void SetGrouping(LPCTSTR pszGrouping);
    // 0: no grouping.
    TCHAR GetThousandSeparator() const
    {
        return m_chThousands;
    }
    void SetThousandSeparator(TCHAR ch)
    {
        m_chThousands = ch;
    }
    TCHAR GetDecimalSeparator() const
    {
        return m_chDecimal;
    }
    void SetDecimalSeparator(TCHAR ch)
    {
        m_chDecimal = ch;
    }
    TCHAR GetPaddingChar() const
    {
        return m_chPadding;
    }
    // Refuses the digits 1-9, which would read as part of the amount.
    BOOL SetPaddingChar(TCHAR ch);
    int GetPositivePattern() const
    {
        return m_nPositivePattern;
    }
    // FALSE and unchanged outside 0-3.
    BOOL SetPositivePattern(int nPattern);
    int GetNegativePattern() const
    {
        return m_nNegativePattern;
    }
    // FALSE and unchanged outside 0-15.
    BOOL SetNegativePattern(int nPattern);
    // The number of integer digits shown, noLimit for all.
    int GetIntegerDigits() const
    {
        return m_nIntegerDigits;
    }
    // A limit below 1 means none; FALSE and unchanged above 15.
    BOOL SetIntegerDigits(int nDigits);
    int GetDecimalDigits() const
    {
        return m_nDecimals;
    }
    // FALSE and unchanged outside 0-15.
    BOOL SetDecimalDigits(int nDigits);

    // Each colour getter answers FALSE while its colour is not set.
    void SetBackgroundColor(COLORREF rgb);
    BOOL GetBackgroundColor(COLORREF& rgb) const;
    void SetNegativeColor(COLORREF rgb);
    BOOL GetNegativeColor(COLORREF& rgb) const;
    void SetPositiveColor(COLORREF rgb);
    BOOL GetPositiveColor(COLORREF& rgb) const;

    // The C runtime's decimal point in the current C locale.
    static TCHAR RuntimeDecimalPoint();

private:
    enum : DWORD
    {
        colorBackground = 1,
        colorNegative = 2,
        colorPositive = 4,
    };

    void LoadFromLocale();
    // Groups the integer part, the first nIntegerLength characters of the text.
    void GroupIntegerPart(CString& strNumber, int nIntegerLength) const;

    BOOL m_bLeadingZero = TRUE;
    BOOL m_bKeepTrailingDigits = FALSE;
    BOOL m_bPadBeforeGrouping = FALSE;
    CString m_strSymbol = _T("$");
    CString m_strGrouping = _T("3;0");
    TCHAR m_chThousands = _T(',');
    TCHAR m_chDecimal = _T('.');
    TCHAR m_chPadding = _T(' ');
    COLORREF m_rgbBackground = 0;
    COLORREF m_rgbNegative = 0;
    COLORREF m_rgbPositive = 0;
    DWORD m_dwColorFlags = 0;
    int m_nPositivePattern = 0;
    int m_nNegativePattern = 0;
    int m_nIntegerDigits = noLimit;
    int m_nDecimals = 2;
};
