// The rich-text cell: the cell's value holds RTF. The active cell is edited in a rich edit
// window over the cell; inactive cells are rendered from their RTF, and their plain text, their
// height and their character formats come from four hidden rich edit windows, each of which
// parses a value again only when it changes. The style's font, text colour and horizontal
// alignment and the rich text's formats are converted into each other, so that applying a style
// to the cell formats its text.
#pragma once

#include <afxcmn.h>

#include <grid/controls/WindowControl.h>

class GX_FR_STATE;

class CGXRichEditCtrl : public CGXWindowControl<CRichEditCtrl>
{
    DECLARE_DYNAMIC(CGXRichEditCtrl)
public:
    CGXRichEditCtrl(CGXGridCore* pGrid, UINT nID);
    ~CGXRichEditCtrl() override;

    static const GXControlClass ctlClassCGXRichEditCtrl;
    static CGXControl* Create(CGXGridCore* pGrid);

    // The edit window as a child of the grid window and the four hidden windows as its children;
    // TRUE only when all five were made.
    virtual BOOL CreateControl(DWORD dwStyle, UINT nID);
    // The style's horizontal alignment, font and text colour as rich-text formats, and back.
    virtual void StyleToFormat(PARAFORMAT2& pf, CHARFORMAT& cf, const CGXStyle& style);
    virtual void FormatToStyle(const PARAFORMAT2& pf, const CHARFORMAT& cf, CGXStyle& style);

    // Plain text as RTF content: backslash and braces escaped, line breaks as paragraphs, tabs as
    // tab words, characters above 0x7F as Unicode words.
    static CString EscapeRtfText(const CString& strText);

    // The formats of a cell's rich text as a style: the active current cell's selection, else the
    // value's first character; TRUE when any format was found.
    BOOL GetEditedCellText(ROWCOL nRow, ROWCOL nCol, CGXStyle& style);
    using CGXStatic::GetEditedCellText;

    const GXControlClass* GetControlClass() const override;
    void SetActive(BOOL bActive) override;
    void SetModified(BOOL bModified) override;
    BOOL IsModified() override;
    CRect GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect = nullptr,
                            const CGXStyle* pStyle = nullptr) override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL StoreEditedValue() override;
    BOOL GetStyleValue(CString& strText) override;
    void SetValue(LPCTSTR pszText) override;
    BOOL StoreText(const CString& strText) override;
    BOOL FormatDisplayText(CString& strOut, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText, const CGXStyle& style) override;
    BOOL StoreValue(ROWCOL nRow, ROWCOL nCol, const CString& strText, const CGXStyle* pStyle) override;
    BOOL CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle) override;
    BOOL RebindToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType) override;
    void HideControl() override;
    BOOL CopyToClipboard() override;
    BOOL CutToClipboard() override;
    BOOL CanPaste() override;
    BOOL PasteFromClipboard() override;
    void GetCopyText(CString& strText) override;
    CSize GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    BOOL OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnCharText(const CString& strText) override;
    BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnLButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnLButtonDblClk(UINT nFlags, CPoint point) override;
    BOOL ForwardFeatureA(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, BOOL fromCurrentPos, BOOL setSel) override;
    BOOL ForwardFeatureB(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol) override;
    void SetCellText(const CString& strText) override;
    BOOL OnGridCommand(WORD wCommand, HWND hWnd) override;

protected:
    // Streams a value into a rich edit window: RTF (beginning "{\rtf") through the ANSI code
    // page, any other value as Unicode text.
    virtual void StreamValueIn(CRichEditCtrl& wnd, const CString& strValue);

    afx_msg LRESULT OnWndGetDlgCode(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndKeyDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndChar(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndToGridFirst(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndKillFocus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndEraseBkgnd(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndLButtonDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndContextMenu(WPARAM wParam, LPARAM lParam);
    afx_msg void OnRequestResizeReflected(NMHDR* pNotify, LRESULT* pResult);
    // The measuring window's resize requests: its id lies above what a message map can name.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    DECLARE_MESSAGE_MAP()

private:
    // A hidden rich edit window and the value last streamed into it.
    struct HiddenWindow
    {
        CRichEditCtrl wnd;
        CString strValue;
        BOOL bLoaded = FALSE;
    };
    // Streams the value into the hidden window when it differs from the one it holds; with
    // pStyle, the style's formats become the window's defaults first.
    void LoadValue(HiddenWindow& hidden, const CString& strValue, const CGXStyle* pStyle = nullptr);
    // The window's content as RTF.
    static CString StreamRtfOut(CRichEditCtrl& wnd);
    // The style's formats as the window's default formats.
    void SetDefaultFormats(CRichEditCtrl& wnd, const CGXStyle& style);
    // Applies formats to the window's selection, each only when it has fields.
    static void ApplyFormats(CRichEditCtrl& wnd, PARAFORMAT2& pf, CHARFORMAT& cf, BOOL bWord);
    // A resize request of the edit window while editing grows or shrinks the cell's last row.
    void ResizeRowToRequest(const RECT& rectRequested);
    // Activates, makes the cell show it and forwards a click at the point of the cell to the
    // window, which places the caret there.
    void ClickIntoWindow(UINT nFlags, CPoint point);
    // The key reaches the grid's key processing; TRUE when the grid took it.
    BOOL PassToGrid(UINT nMessage, WPARAM wParam, LPARAM lParam);
    // The text the window would hold with its selection replaced.
    CString TextWithSelectionReplaced(const CString& strInsert);
    int TextLength();
    // The search range of a find in a window: from the selection (one character further unless
    // bFromCurrent) to the end; the hit or -1.
    static long FindInWindow(CRichEditCtrl& wnd, const GX_FR_STATE& find, long nFrom, CHARRANGE& hit);
    // Replaces every hit from nFrom on in the window; the number replaced.
    static int ReplaceAllInWindow(CRichEditCtrl& wnd, const GX_FR_STATE& find, long nFrom);
    // The value a find or replace works on when the cell is not the active one.
    CString CellValueForFind(const GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, const CGXStyle*& pStyle);

    UINT m_nID;
    DWORD m_dwEventMask = ENM_CHANGE | ENM_UPDATE | ENM_REQUESTRESIZE | ENM_SELCHANGE | ENM_PROTECTED;
    DWORD m_dwOptions = ECO_AUTOWORDSELECTION | ECO_AUTOVSCROLL | ECO_AUTOHSCROLL | ECO_NOHIDESEL | ECO_SAVESEL;
    BOOL m_bShrinkRows = TRUE;
    int m_nMinRowHeight = 0;
    BOOL m_bAutoSize = FALSE;
    BOOL m_bMeasuring = FALSE;
    // Set by a click into the window until the next key: the text's resize requests size no row.
    BOOL m_bNoResize = FALSE;
    CRect m_rectRequested;
    HiddenWindow m_render;
    HiddenWindow m_text;
    HiddenWindow m_measure;
    HiddenWindow m_format;
};
