// Cuts a formula text into tokens by longest match over the scanner's rules, the earlier rule
// winning a tie. Characters above U+00FF are invalid.
#pragma once

#include <afx.h>

// Token classes; 0 to 42 also index the compiler's expected-token messages.
enum : int
{
    GX_TOKEN_SEMICOLON = 0,
    GX_TOKEN_COLON = 1,
    GX_TOKEN_COMMA = 2,
    GX_TOKEN_QUESTION = 3,
    GX_TOKEN_HASH = 4,
    GX_TOKEN_BACKSLASH = 5,
    GX_TOKEN_PLUS = 6,
    GX_TOKEN_MINUS = 7,
    GX_TOKEN_STAR = 8,
    GX_TOKEN_SLASH = 9,
    GX_TOKEN_PERCENT = 10,
    GX_TOKEN_BAR = 11,
    GX_TOKEN_CARET = 12,
    GX_TOKEN_AMPERSAND = 13,
    GX_TOKEN_EXCLAMATION = 14,
    GX_TOKEN_TILDE = 15,
    GX_TOKEN_LESS = 16,
    GX_TOKEN_GREATER = 17,
    GX_TOKEN_LPAREN = 18,
    GX_TOKEN_RPAREN = 19,
    GX_TOKEN_LBRACE = 20,
    GX_TOKEN_RBRACE = 21,
    GX_TOKEN_EQUAL = 22,
    GX_TOKEN_POWER = 23,
    GX_TOKEN_AND = 24,
    GX_TOKEN_OR = 25,
    GX_TOKEN_SHIFT_LEFT = 26,
    GX_TOKEN_SHIFT_RIGHT = 27,
    GX_TOKEN_LESS_EQUAL = 28,
    GX_TOKEN_GREATER_EQUAL = 29,
    GX_TOKEN_NOT_EQUAL = 30,
    GX_TOKEN_EQUAL_EQUAL = 31,
    GX_TOKEN_DOTDOT = 32,
    GX_TOKEN_CELL = 33,
    GX_TOKEN_IDENTIFIER = 34,
    GX_TOKEN_FUNCTION = 35,
    GX_TOKEN_STRING = 36,
    GX_TOKEN_NUMBER = 37,
    GX_TOKEN_HEX = 38,
    GX_TOKEN_COMMENT = 39,
    GX_TOKEN_END = 40,
    GX_TOKEN_ERROR = 41,
    GX_TOKEN_DOT = 42,
    GX_TOKEN_INVALID_REF = 43
};

struct GXEngineToken
{
    int nClass;
    // The token's text, or part of it (see the rules); empty for punctuation.
    CString strValue;
    int nError;
    int nPos;
};

// The process-wide scanner: the input copied into a buffer that doubles from 16,384
// characters as needed, the read offset and the running position.
struct GX_PARSE_STATE
{
    LPWSTR pszBuffer;
    int nCapacity;
    int nLength;
    int nOffset;
    int nPos;

    ~GX_PARSE_STATE();
};

GX_PARSE_STATE* GXGetParseState();

// Makes the text the scanner's input; FALSE when the buffer cannot be allocated.
BOOL GXEngineScanStart(LPCWSTR pszText);
void GXEngineScanNext(GXEngineToken& token);
