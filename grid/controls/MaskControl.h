// The masked-edit cell: an edit window that always shows the whole mask (literals in place,
// entered characters, prompts in the empty input positions) while the cell's value holds only
// the entered characters. Keys, clicks and the clipboard work on a mask data object; the window
// text is rewritten from it after each change. Layout, drawing of the active window and focus
// are the edit cell's.
#pragma once

#include <grid/controls/EditControl.h>

#include <memory>

class CGXMaskData;
class CGXStylesMap;

class CGXMaskControl : public CGXEditControl
{
    DECLARE_DYNAMIC(CGXMaskControl)
public:
    // pMaskDataClass names the data class, CGXMaskData or a class derived from it.
    CGXMaskControl(CGXGridCore* pGrid, UINT nID, CRuntimeClass* pMaskDataClass);
    ~CGXMaskControl() override;

    static const GXControlClass ctlClassCGXMaskControl;
    static CGXControl* Create(CGXGridCore* pGrid);
    // "Maskedit: Input Mask" and "Maskedit: Prompt Char".
    static void RegisterUserAttributes(CGXStylesMap* pStylesMap);

    // The edit and draw data made anew from the data class.
    virtual void CreateMaskData();
    // Mask, prompt and limit of a data object from the style's user attributes and maximum length.
    virtual void InitMaskData(CGXMaskData* pData, const CGXStyle& style);
    BOOL CreateControl(DWORD dwStyle, const RECT* pRect) override;

    // The window's selection in data positions, and back.
    void GetSelData(int& nStart, int& nEnd);
    void SetSelData(int nStart, int nEnd, BOOL bNoScroll = FALSE);
    // Takes a display text into the edit data when given, shows the data and marks the window
    // modified.
    void UpdateEditText(LPCTSTR pszText = nullptr);
    // A notification of the window to the grid, as the edit window would send it.
    void NotifyParent(UINT nCode);
    void UpdateEditRect();
    void CalcEditRect(CRect& rect);

    // When set, an inactive cell with an empty value shows the empty mask.
    void SetShowEmptyMask(BOOL bShow);
    // The clipboard format of the entered characters.
    static UINT GetMaskDataFormat();

    const GXControlClass* GetControlClass() const override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL StoreEditedValue() override;
    BOOL ValidateValue() override;
    void GetCurrentText(CString& strText) override;
    BOOL StoreText(const CString& strText) override;
    BOOL GetStyleValue(CString& strText) override;
    void SetValue(LPCTSTR pszText) override;
    BOOL FormatDisplayText(CString& strOut, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText, const CGXStyle& style) override;
    BOOL CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle) override;
    BOOL OnLButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnLButtonDblClk(UINT nFlags, CPoint point) override;
    BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnCharText(const CString& strText) override;
    BOOL CopyToClipboard() override;
    BOOL PasteFromClipboard() override;
    BOOL CanPaste() override;
    void SetCellText(const CString& strText) override;
    BOOL ForwardFeatureB(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol) override;

protected:
    afx_msg LRESULT OnMaskKeyDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMaskChar(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMaskLButtonUp(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The key reaches the grid's key processing, or the window's when the grid leaves it.
    LRESULT KeyToGrid(WPARAM wParam, LPARAM lParam);
    // Places a typed character at the caret (insert or overwrite); FALSE when nothing changed.
    BOOL TypeCharacter(TCHAR ch);
    // Shows the edit data, tells the grid of the change and puts the caret at nPos.
    void ShowChange(int nPos);
    // Replaces [nStart, nEnd) of the data by a text, taken as display text unless bEntered, else
    // as entered characters; on failure the data stays as it was. The position after the text or -1.
    int ReplaceRange(CGXMaskData& data, int nStart, int nEnd, const CString& strText, BOOL bEntered);
    // The data position a click on the cell's text places the caret at, -1 when no character.
    int ClickedDataPos(CPoint point, BOOL bLimitToInput);
    // The entered characters of a text that fits the draw data as display text or as entered
    // characters; FALSE when it fits neither.
    BOOL ConvertToEntered(const CGXStyle& style, CString& strText);

    BOOL m_bShowEmptyMask = FALSE;
    std::unique_ptr<CGXMaskData> m_pEditData;
    std::unique_ptr<CGXMaskData> m_pDrawData;
    CRuntimeClass* m_pMaskDataClass;
    BOOL m_bInsertMode = TRUE;
    BOOL m_bPastingMaskData = FALSE;
};
