// The currency edit window: a drop-button edit that keeps an amount (a value and a sign) and
// shows it through its number format. It draws its own text, caret and selection, takes only
// digits, sign and decimal separator, keeps a one-step undo, offers a context menu and opens
// the popup calculator as its drop action.
#pragma once

#include <afxwin.h>

#include <memory>

#include <grid/controls/BCurrencyFormat.h>
#include <grid/controls/BDropEdit.h>

class CGXBCurrencyEdit : public CGXBDropEdit
{
    DECLARE_DYNAMIC(CGXBCurrencyEdit)
public:
    using Format = CGXBCurrencyFormat;

    // The window class every currency edit window is created with.
    static constexpr LPCTSTR pszWindowClass = _T("CGXBCurrencyEdit");

    // The format comes from the user's locale.
    CGXBCurrencyEdit();
    ~CGXBCurrencyEdit() override;

    // Creates the window with the class "CGXBCurrencyEdit", registered on first use.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
    // Whether a popup calculator is being opened by any currency edit now.
    static BOOL IsOpeningCalculator();

    virtual void OpenCalculator();
    // A pasted text that is no amount of the format keeps only its digits.
    virtual BOOL AcceptPasteText(CString& strText);
    virtual HMENU CreateContextMenu();
    virtual void DestroyContextMenu(HMENU hMenu);
    virtual void BackspaceChar();
    virtual void DeleteChar();
    virtual void InsertText(LPCTSTR pszText);
    virtual void PaintBackground(CDC& dc);
    // Saves the text (the window's when null), the caret (the current one when -1) and the
    // current selection as the undo state.
    virtual void SaveUndoState(LPCTSTR pszText, int nCaret);
    virtual void CreateAndPlaceCaret(int nPosition);
    virtual void HideEditCaret();
    virtual void PaintText(CDC& dc);
    virtual void ToggleSign();
    virtual void ToggleOverwrite();

    void OnDropButton() override;

    // The sign is taken from the value.
    void SetValue(double dValue);
    void SetValueAndSign(double dValue, BOOL bNegative, BOOL bRedraw = TRUE);
    // The amount, negative when the sign is.
    double GetValue() const;
    BOOL IsNegative() const
    {
        return m_bNegative;
    }
    // Writes the text as it stands, without parsing it.
    void SetWindowTextQuiet(LPCTSTR pszText);
    // 0 left, 1 centre, 2 right.
    void SetAlignment(int nAlignment);
    int GetAlignment() const;
    BOOL IsReadOnly() const;
    // A start of -1 removes the selection; an end of -1 selects to the end.
    void SetSel(int nStart, int nEnd);
    // The selection in order; (-1, 0) without one.
    void GetSel(int& nStart, int& nEnd) const;
    BOOL HasSelection() const;
    int GetCaretIndex() const
    {
        return m_nCaret;
    }
    BOOL IsOverwriteMode() const
    {
        return m_bOverwrite;
    }
    // Sends WM_COMMAND with the control id and the code to the parent.
    void NotifyParent(UINT nCode);

    const Format& GetFormat() const
    {
        return *m_pFormat;
    }
    // Takes over the format and shows the amount through it.
    void SetFormat(const Format& format);
    // Whether the text is an amount of the format: it parses and holds nothing but the number,
    // the symbol, signs, parentheses and blanks.
    BOOL IsAmountText(const CString& strText) const;

protected:
    struct UndoState
    {
        CString strText;
        int nCaret = -1;
        int nSelStart = -1;
        int nSelEnd = 0;
    };

    CString GetText() const;
    // Shows the amount through the format.
    void ShowAmount();
    // Puts an edited text into effect: parsed, shown through the format with the caret after as
    // many digits as it had before; FALSE (nothing changed) when it does not parse.
    BOOL ApplyEditedText(const CString& strText, int nCaret);
    // The selection's text removed from the window's text; the caret where it began.
    CString TextWithoutSelection(int& nCaret) const;
    // With a selection: removes it as an edit and answers TRUE.
    BOOL RemoveSelection();
    void MoveCaret(int nPosition, BOOL bExtend);
    // The text area and the x of the text's first character.
    CRect TextArea(CDC& dc, const CString& strText, int& xText) const;
    int CharFromPoint(CPoint point);
    void Copy();
    void Cut();
    void Paste();
    void Clear();
    void Undo();
    void SelectAll();
    COLORREF TextColor() const;
    COLORREF BackgroundColor() const;
    // The context menu's commands.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg LRESULT OnPaintMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEraseBkgndMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnKeyDownMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSysKeyDownMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCharMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetTextMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonDownMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMouseMoveMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonUpMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLButtonDblClkMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRButtonUpMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFocusMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnKillFocusMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetDlgCodeMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetSelMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetSelMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCanUndoMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnEmptyUndoMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUndoMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetReadOnlyMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMarginsMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetFontMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFontMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCopyMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCutMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPasteMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnClearMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL m_bNegative = FALSE;
    BOOL m_bCanUndo = FALSE;
    BOOL m_bParseOnSetText = TRUE;
    BOOL m_bMouseSelecting = FALSE;
    BOOL m_bOverwrite = FALSE;
    UndoState m_undo;
    double m_dValue = 0.0;
    std::unique_ptr<Format> m_pFormat;
    HFONT m_hFont = nullptr;
    int m_nCaret = 0;
    int m_nSelStart = -1;
    int m_nSelEnd = 0;
    int m_nRightMargin = 0;
    int m_nLeftMargin = 0;
};

// A currency edit that the cell control keeps hidden to format and convert other cells' values.
class CGXCaptiveCurEdit : public CGXBCurrencyEdit
{
    DECLARE_DYNAMIC(CGXCaptiveCurEdit)
public:
    CGXCaptiveCurEdit() = default;
    ~CGXCaptiveCurEdit() override;
};
