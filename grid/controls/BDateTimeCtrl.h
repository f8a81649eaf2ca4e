// A single-line window that shows and edits one date-time value as a row of gadgets: a number
// or list field for each part of the format, literals between them, and a spin button at the
// right edge.
#pragma once

#include <afxwin.h>
#include <afxcoll.h>
#include <afx/OleDateTime.h>

#include <grid/controls/BCalendar.h>
#include <grid/controls/BDTGadget.h>

// Window style bits below the WS_ bits.
constexpr DWORD GXBDT_DS_CALENDAR = 0x1;
constexpr DWORD GXBDT_DS_SPIN = 0x2;
constexpr DWORD GXBDT_DS_KEEPCENTURY = 0x10;

class CGXBDateTimeCtrl : public CWnd, public CGXBDTGadgetOwner
{
    DECLARE_DYNAMIC(CGXBDateTimeCtrl)

public:
    // Gadget ids, which also name the fields in notifications and refresh masks.
    enum FieldId : int
    {
        idHour12 = 0x1,
        idHour24 = 0x2,
        idMinute = 0x4,
        idSecond = 0x8,
        idAmPm = 0x10,
        idDay = 0x20,
        idDayName = 0x40,
        idMonth = 0x80,
        idMonthName = 0x100,
        idYear2 = 0x200,
        idYear4 = 0x400,
        idDropButton = 0x4000,
        idSpinButton = 0x8000
    };
    enum FormatKind : int
    {
        formatTime = 0,
        formatShortDate = 1,
        formatLongDate = 2,
        formatCustom = 3,
        formatDateTime = 4
    };
    enum RangeMode : int
    {
        rangeNone = 0,
        rangeTime = 1,
        rangeDate = 2,
        rangeDateTime = 3
    };
    // Bits of the no-edit mask.
    enum : UINT
    {
        noEditYear = 0x1,
        noEditMonth = 0x2,
        noEditDay = 0x4,
        noEditHour = 0x8,
        noEditMinute = 0x10,
        noEditSecond = 0x20
    };
    // Bits of the modified flags.
    enum : UINT
    {
        modifiedValue = 0x1,
        modifiedTyping = 0x4
    };

    CGXBDateTimeCtrl();
    ~CGXBDateTimeCtrl() override;

    virtual BOOL GetAdvanceFlag() const;
    // Checks the value against the range; a value outside it is clamped to the crossed bound
    // where the level allows (-1 always, 1 to 5 within the changed unit, 0 never).
    virtual BOOL ValidateDateTime(COleDateTime& value, int nLevel) const;
    virtual BOOL OnChanging(const COleDateTime& value);
    virtual void OnChanged();
    virtual int ResolveTwoDigitYear(int nYear) const;
    virtual void LayoutGadgets();
    virtual void DrawGadgets(CDC& dc);
    // Opens the popup calendar on the value; false when it cannot be created.
    virtual BOOL PopupCalendar();
    virtual void CreatePopupCalendar();
    BOOL OnNotifyFromGadget(int nCode, int nID, int nNumber) override;

    BOOL Create(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // False for an invalid value, which is not taken.
    BOOL SetDateTime(const COleDateTime& value);
    const COleDateTime& GetDateTime() const
    {
        return m_value;
    }
    BOOL SetRange(const COleDateTime& minimum, const COleDateTime& maximum, int nMode);
    void SetFormat(int nKind);
    void SetCustomFormat(LPCTSTR pszFormat);
    void SetNoEditMask(UINT nMask);
    void SetAdvanceFlag(BOOL bAdvance)
    {
        m_bAdvance = bAdvance;
    }
    // Copies the matching parts of the value into the fields whose ids are in the mask.
    void RefreshFields(UINT nMask);

    UINT GetModified() const
    {
        return m_nModified;
    }
    void SetModified(UINT nModified)
    {
        m_nModified = nModified;
    }
    INT_PTR GetGadgetCount() const
    {
        return m_gadgets.GetSize();
    }
    CGXBDTGadget* GetGadget(INT_PTR nIndex) const
    {
        return static_cast<CGXBDTGadget*>(m_gadgets[nIndex]);
    }
    // The gadget that has the keyboard, or null without fields.
    CGXBDTGadget* GetCurrentGadget() const;
    BOOL HasDateFields() const
    {
        return m_bHasDateFields;
    }
    CGXBPopupCalendar* GetPopupCalendar() const
    {
        return m_pCalendar;
    }
    int GetFormatKind() const
    {
        return m_nFormatKind;
    }
    const CString& GetCustomFormat() const
    {
        return m_strCustomFormat;
    }
    // The index of the gadget that has the keyboard; the gadget count without fields.
    INT_PTR GetCurrentIndex() const
    {
        return m_nCurrent;
    }
    // Makes the gadget the one that has the keyboard, leaving the focus flags as they are.
    void SetCurrentIndex(INT_PTR nIndex)
    {
        m_nCurrent = nIndex;
    }
    void ResetScrollOffset()
    {
        m_nScrollOffset = 0;
    }
    // The gadget under the point, else the first field ending right of it, else the last one;
    // -1 without gadgets.
    INT_PTR GadgetFromPoint(CPoint point) const;

    // CGXBDTGadgetOwner
    HWND GetGadgetWindow() const override
    {
        return m_hWnd;
    }
    HFONT GetGadgetFont() const override
    {
        return m_hFont;
    }
    COLORREF GetGadgetBackground() const override;
    UINT GetSpinInitialDelay() const override
    {
        return m_nSpinInitialDelay;
    }
    UINT GetSpinRepeatDelay() const override
    {
        return m_nSpinRepeatDelay;
    }
    void InvalidateGadget(const CRect& rect) override;

protected:
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnCalendarChosen(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCalendarClosed(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void ParseFormat();
    CString FormatString() const;
    void AddField(CGXBDTGadget* pGadget, UINT nNoEditBit);
    void AddLiteral(CString& strLiteral);
    void DeleteFields();
    void DeleteCalendar();
    // Moves the keyboard to the next (or previous) gadget that takes it; false at the end.
    BOOL MoveFocus(int nDirection);
    // The first gadget from nFrom on in the direction that takes the keyboard, or -1.
    INT_PTR FindField(INT_PTR nFrom, int nDirection) const;
    void SetCurrentGadget(INT_PTR nIndex);
    void ScrollIntoView(INT_PTR nIndex);
    BOOL HandleField(int nCode, int nID, int nNumber);
    CPoint ToGadget(const CGXBDTGadget* pGadget, CPoint point) const;

    UINT m_nModified = 0;
    UINT m_nNoEditMask = 0;
    BOOL m_bAdvance = TRUE;
    COleDateTime m_value;
    COleDateTime m_minimum;
    COleDateTime m_maximum;
    int m_nRangeMode = rangeNone;
    int m_nFormatKind = formatShortDate;
    CString m_strCustomFormat;
    HFONT m_hFont = nullptr;
    INT_PTR m_nCurrent = 0;
    int m_nScrollOffset = 0;
    int m_nButtonWidth = 0;
    INT_PTR m_nFirstField = 0;
    CGXBDTGadget* m_pCaptureGadget = nullptr;
    CGXBPopupCalendar* m_pCalendar = nullptr;
    BOOL m_bPM = FALSE;
    BOOL m_bHasDateFields = FALSE;
    CObArray m_gadgets;
    UINT m_nSpinInitialDelay = 500;
    UINT m_nSpinRepeatDelay = 100;
};
