// The text of a masked-edit field: the input mask parsed into positions, what each position
// shows, the prompt that marks an empty input position, and, without a mask, a plain text buffer
// limited by a maximum length. No window: the masked-edit control drives two of these.
#pragma once

#include <afx.h>
#include <afxcoll.h>

// Mask characters: # digit, & any, ? letter, A letter or digit, L letter (lower case), U letter
// (upper case); \ makes the next mask character a literal; every other character is a literal.
// One mask or input character is one position; positions are 0-based, -1 is none.
class CGXMaskData : public CObject
{
    DECLARE_DYNCREATE(CGXMaskData)
public:
    CGXMaskData();

    // Empties the mask; the display stays.
    virtual void ClearMask();
    // Parses the mask; the caller resets the display. An empty mask also lifts the length limit.
    virtual void SetMask(LPCTSTR pszMask);
    // The entered characters from nStart to nEnd inclusive (-1: to the end), a blank for each
    // prompt; bTrimRight cuts trailing white space. Without a mask: the display text.
    virtual void GetData(CString& strOut, int nStart = 0, int nEnd = -1, BOOL bTrimRight = FALSE) const;
    // Places typed or pasted characters on input positions from nPos (-1: reset, then 0), skipping
    // literals of the mask but not of the text; stops at the first refused character. Returns the
    // position after the last character placed, or -1.
    virtual int PutInput(LPCTSTR pszText, int nPos, BOOL bInsert);
    // The display from nStart to nEnd inclusive (-1: to the end).
    virtual void GetDisplayString(CString& strOut, int nStart = 0, int nEnd = -1) const;
    // Takes a text laid out like the display (literals in place) from nPos (-1: reset, then 0).
    // Returns the position after the last character taken, or -1 when a character does not fit.
    virtual int SetDisplayString(LPCTSTR pszText, int nPos, BOOL bInsert);
    // Whether ch fits the position; L and U convert it, a blank becomes the prompt.
    virtual BOOL IsValidInput(int nPos, TCHAR& ch) const;
    virtual int GetNextInputPos(int nPos) const;
    virtual int GetPrevInputPos(int nPos) const;
    // The caret position just after the last entered character, for a caret at nPos.
    virtual int GetEndOfInput(int nPos) const;
    // Inserts ch at nPos and shifts the entered characters behind it one input position right.
    // Fails, changing nothing, when the last input position is filled or a shifted character
    // would not fit where it lands. nNextPos: the caret after the character, -1 on failure.
    virtual BOOL InsertAt(int nPos, TCHAR ch, int& nNextPos);
    // Removes the entered characters of [nStart, nEnd): the end comes first. The characters
    // behind move left over the input positions; literals stay.
    virtual void DeleteRange(int nEnd, int nStart);
    // Whether every position agrees with the mask; prompts pass, so incomplete input is valid.
    virtual BOOL IsValidData() const;
    virtual BOOL IsMaskEmpty() const;
    virtual int GetDisplayLength() const;
    // Data positions and edit-window character indexes: one character per position here.
    virtual int DataPosToEditPos(int nPos) const;
    virtual int EditPosToDataPos(int nIndex) const;
    // Literals in place, the prompt in every input position; empty without a mask.
    virtual void ResetDisplay();
    virtual int GetMaxLength() const;
    virtual void SetMaxLength(int nMaxLength);
    virtual BOOL IsMaskChar(TCHAR ch) const;
    virtual BOOL IsLiteral(int nPos) const;

    // A prompt of one character ("" is "_"); a longer one is refused (FALSE). bReplaceShown also
    // changes the input positions that show the old prompt.
    BOOL SetPromptChar(LPCTSTR pszPrompt, BOOL bReplaceShown);

private:
    // Without a mask the object is a plain text buffer.
    BOOL IsPlain() const;
    // The prompt is never empty.
    TCHAR Prompt() const;
    BOOL HoldsPrompt(int nPos) const;
    // Stores a character, growing the display with prompts up to the position.
    void StoreAt(int nPos, TCHAR ch);

    CString m_strMask;
    CByteArray m_abLiteral;
    CString m_strDisplay;
    CString m_strPrompt;
    BOOL m_bPlainWhenEmpty;
    int m_nMaxLength;
};
