// The date-time cell: the current cell is edited in a date-time window of fields laid over the
// cell; every other cell is drawn through an off-screen window of the same kind. Values are
// stored as OLE date numbers (or, as typed, in the locale's date text) and shown in the fields
// of the cell's format.
#pragma once

#include <afxwin.h>

#include <vector>

#include <grid/controls/BDateTimeCtrl.h>
#include <grid/controls/WindowControl.h>

class GX_FR_STATE;

// The off-screen windows that measure and draw cells without touching the editing window.
class CGXCaptiveDateTimeCtrl : public CGXBDateTimeCtrl
{
    DECLARE_DYNAMIC(CGXCaptiveDateTimeCtrl)
public:
    CGXCaptiveDateTimeCtrl() = default;
    ~CGXCaptiveDateTimeCtrl() override;

    // The window lies off-screen and is never painted: changed gadgets need no repaint.
    void InvalidateGadget(const CRect& rect) override;

    // Set while the window loads values: a number is never read as date text.
    BOOL m_bForceNumber = FALSE;
};

class CGXDateTimeCtrl : public CGXWindowControl<CGXBDateTimeCtrl>
{
    DECLARE_DYNAMIC(CGXDateTimeCtrl)
public:
    CGXDateTimeCtrl(CGXGridCore* pGrid, UINT nID);
    ~CGXDateTimeCtrl() override;

    static const GXControlClass ctlClassCGXDateTimeCtrl;
    // The factory's two kinds: with the popup calendar and without it.
    static CGXControl* CreateWithCalendar(CGXGridCore* pGrid);
    static CGXControl* CreateWithoutCalendar(CGXGridCore* pGrid);
    static void RegisterUserAttributes(CGXStylesMap* pStylesMap);

    // Creates the editing window (with the rectangle, else empty) and the measuring and drawing
    // windows off-screen; FALSE when one fails.
    BOOL CreateWnd(DWORD dwStyle, const RECT* pRect);

    // Window-side operations.
    virtual void SetValueAsNumber(BOOL bValueAsNumber);
    virtual BOOL GetValueField();
    // Activates the cell with the field under the point current and hands it the click.
    virtual BOOL ActivateAtPoint(UINT nFlags, CPoint point, BOOL bForce);
    virtual void DrawSpinGadget(CDC* pDC, CGXBDTGadget* pGadget, const CRect& rectCell);
    virtual void DrawNumericGadget(CDC* pDC, CGXBDTGadget* pGadget, const CRect& rectCell);
    virtual void DrawListGadget(CDC* pDC, CGXBDTGadget* pGadget, const CRect& rectCell);
    virtual void DrawStaticGadget(CDC* pDC, CGXBDTGadget* pGadget, const CRect& rectCell);
    virtual void DrawButtonGadget(CDC* pDC, CGXBDTGadget* pGadget, const CRect& rectCell);
    // Gives the window the style's format; TRUE when the format shows a date part.
    virtual BOOL ApplyFormatFromStyle(CGXBDateTimeCtrl& window, const CGXStyle& style);
    // The parts of a text between blanks, line breaks and the field separators; TRUE with parts.
    virtual BOOL SplitFieldTexts(const CString& strText, CStringArray& parts);

    BOOL OnChanging(const COleDateTime& value) override;
    void OnChanged() override;

    // Control operations.
    const GXControlClass* GetControlClass() const override;
    void SetActive(BOOL bActive) override;
    void SetModified(BOOL bModified) override;
    BOOL IsModified() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    BOOL StoreEditedValue() override;
    BOOL ValidateValue() override;
    BOOL RequestEditing() override;
    CRect GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect = nullptr,
                            const CGXStyle* pStyle = nullptr) override;
    CSize AddFrameToSize(CSize& size, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle) override;
    CSize GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection) override;
    BOOL CanFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatOrFlood) override;
    void Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
              const CGXStyle* pStandardStyle) override;
    void GetCurrentText(CString& strText) override;
    BOOL StoreText(const CString& strText) override;
    BOOL GetStyleValue(CString& strText) override;
    void SetValue(LPCTSTR pszText) override;
    BOOL FormatDisplayText(CString& strOut, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText, const CGXStyle& style) override;
    BOOL CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle) override;
    BOOL RebindToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType) override;
    void HideControl() override;
    BOOL OnLButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnLButtonDblClk(UINT nFlags, CPoint point) override;
    BOOL ReservedHookA(DWORD dwValue1, DWORD dwValue2, DWORD dwValue3, DWORD dwValue4) override;
    BOOL OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL OnCharText(const CString& strText) override;
    BOOL OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL CopyToClipboard() override;
    BOOL PasteFromClipboard() override;
    BOOL CanPaste() override;
    void GetValueForCopy(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, CString& strText) override;
    BOOL ForwardFeatureA(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, BOOL bFromCurrent, BOOL bSelect) override;
    BOOL ForwardFeatureB(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol) override;
    void SetCellText(const CString& strText) override;
    void GetCopyText(CString& strText) override;

    void SetAlwaysShowSpin(BOOL bShow)
    {
        m_bAlwaysShowSpin = bShow;
    }
    void SetAlwaysShowButton(BOOL bShow)
    {
        m_bAlwaysShowButton = bShow;
    }
    int GetPrecision() const
    {
        return m_nPrecision;
    }
    // The field separators of SplitFieldTexts besides blanks and line breaks (default ",").
    void SetFieldSeparators(const CString& strSeparators)
    {
        m_strSeparators = strSeparators;
    }

    // The current local date and time.
    static COleDateTime DateTimeNow();
    // A 64-bit time through the local broken-down time; invalid when it does not convert back.
    static COleDateTime DateTimeFromTime64(__time64_t nTime);

protected:
    afx_msg LRESULT OnWndKeyDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndKeyUp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndChar(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndSysKeyDown(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndSysKey(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndLButtonUp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndSetFocus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndKillFocus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWndEraseBkgnd(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Where the last find hit lay and where the next search goes on.
    struct FindState
    {
        ROWCOL nRow = 0x7FFFFFFF;
        ROWCOL nCol = 0x7FFFFFFF;
        CString strText;
        INT_PTR nNext = 0;
        BOOL bHit = FALSE;
    };

    ROWCOL Row() const
    {
        return static_cast<ROWCOL>(m_nRow);
    }
    ROWCOL Col() const
    {
        return static_cast<ROWCOL>(m_nCol);
    }
    // A value text as a date: date text unless bForceNumber, else a non-zero number.
    static BOOL ReadDate(const CString& strText, BOOL bForceNumber, COleDateTime& date);
    // Puts a cell value into a window; without a value, today (date formats) or day 0.
    void LoadWindowValue(CGXBDateTimeCtrl& window, const CString& strText, BOOL bForceNumber, BOOL bHasDate);
    // Loads the value into the measuring window in the style's format; FALSE without a value.
    BOOL LoadMeasuringWindow(const CString& strText, const CGXStyle& style);
    // The fields' texts of a window, in order.
    static CString FieldTexts(const CGXBDateTimeCtrl& window);
    // A date built from the window's date with the parts given to its fields in order.
    BOOL DateFromParts(const CGXBDateTimeCtrl& window, const CStringArray& parts, COleDateTime& date);
    // The text to store for a date: locale text, or the number with the precision.
    CString StoredText(const COleDateTime& date) const;
    // Keeps a valid enabled current field, else the first enabled one; focus on it alone.
    void SelectCurrentField();
    // Activates the control with the first or the last enabled field current.
    void ActivateAtField(BOOL bLast);
    // Stores the text as the cell's whole value through the control's conversion.
    BOOL StoreCellText(const CString& strText);
    // Clears the cell to "" as the Delete key does.
    void ClearCell();
    // The first field from nStart that matches the search; -1 when none does.
    static INT_PTR MatchField(const CGXBDateTimeCtrl& window, INT_PTR nStart, const CString& strFind, BOOL bCase,
                              BOOL bExact);
    // The first field from nFrom on in the direction that takes the keyboard, or -1.
    INT_PTR FindEnabledField(INT_PTR nFrom, int nDirection) const;
    // Focus on the field alone.
    void FocusField(INT_PTR nField);
    // A find's hit in another cell: that cell becomes current and active with the field focused.
    void ShowFoundField(ROWCOL nRow, ROWCOL nCol, INT_PTR nField);
    void ResetFindState();
    void DrawThroughWindow(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                           const CGXStyle* pStandardStyle);
    void DrawLive(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStandardStyle);
    // Lays out the window's gadgets in the rectangle as the drawing window needs them.
    void LayoutIn(CGXBDateTimeCtrl& window, CDC* pDC, const CRect& rect);
    BOOL PassToGrid(UINT nMessage, WPARAM wParam, LPARAM lParam);
    BOOL IsClipboardEditable();

    BOOL m_bValueAsNumber = TRUE;
    BOOL m_bForceNumber = FALSE;
    int m_nPrecision = 13;
    BOOL m_bAlwaysShowSpin = FALSE;
    BOOL m_bAlwaysShowButton = FALSE;
    BOOL m_bHasDate = TRUE;
    UINT m_nID;
    BOOL m_bModify = FALSE;
    FindState m_find;
    CString m_strSeparators = _T(",");
    // The drawing window's gadget sizes for a font and a format.
    struct GadgetSizes
    {
        HFONT hFont = nullptr;
        int nKind = -1;
        CString strCustom;
        int nDigitWidth = 0;
        std::vector<CRect> rects;
    };
    GadgetSizes m_sizes;
    CGXCaptiveDateTimeCtrl m_measuringWnd;
    CGXCaptiveDateTimeCtrl m_drawingWnd;
    CFont m_font;
};
