// A self-drawn link: its text in the link colour (the visited colour once clicked), a hand cursor
// while the pointer is over it, and on a click its target handed to the shell.
#pragma once

#include <afxwin.h>
#include <atlwin.h>

class SECHyperlink : public ATL::CWindowImpl<SECHyperlink, ATL::CWindow, ATL::CControlWinTraits>
{
public:
    SECHyperlink();
    ~SECHyperlink() override;

    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                              DWORD dwMsgMapID = 0) override;

    // Makes the link window when the parent is a window; a style of 0 takes the class's.
    BOOL Create(HWND hWndParent, const RECT& rect, UINT nID, DWORD dwExStyle = 0, DWORD dwStyle = 0);

    virtual LPCTSTR SetTarget(LPCTSTR lpszTarget);
    virtual LPCTSTR GetTarget() const;
    virtual LPCTSTR SetVerb(LPCTSTR lpszVerb);
    virtual LPCTSTR GetVerb() const;
    virtual LPCTSTR SetParameters(LPCTSTR lpszParameters);
    virtual LPCTSTR GetParameters() const;
    virtual LPCTSTR SetDirectory(LPCTSTR lpszDirectory);
    virtual LPCTSTR GetDirectory() const;
    virtual int SetShowCommand(int nShowCommand);
    virtual int GetShowCommand() const;
    virtual LPCTSTR GetText() const;
    virtual LPCTSTR SetText(LPCTSTR lpszText);
    virtual COLORREF SetLinkColor(COLORREF clrLink);
    virtual COLORREF GetLinkColor() const;
    virtual COLORREF SetVisitedColor(COLORREF clrVisited);
    virtual COLORREF GetVisitedColor() const;
    virtual BOOL SetVisited(BOOL bVisited);
    virtual BOOL GetVisited() const;
    virtual HFONT SetLinkFont(HFONT hFont);
    virtual HFONT GetLinkFont() const;
    virtual HCURSOR SetLinkCursor(HCURSOR hCursor);
    virtual HCURSOR GetLinkCursor() const;
    virtual BOOL SetAutoSize(BOOL bAutoSize);
    virtual BOOL GetAutoSize() const;
    virtual BOOL SetOption(BOOL bOption);
    virtual BOOL GetOption() const;

    // The shell's execute operation that a click calls; tests replace it.
    static HINSTANCE(WINAPI* s_pfnShellExecute)(HWND, LPCTSTR, LPCTSTR, LPCTSTR, LPCTSTR, INT);

private:
    bool IsInside(LPARAM lParam) const;
    void OnMouseMove(LPARAM lParam);
    void OnLButtonUp(LPARAM lParam);
    // Draws into the paint DC, or into the DC that wParam hands over.
    void OnPaint(HDC hDC);

    CString m_strVerb;
    CString m_strTarget;
    CString m_strParameters;
    CString m_strDirectory;
    int m_nShowCommand;
    CString m_strText;
    COLORREF m_clrLink;
    COLORREF m_clrVisited;
    BOOL m_bOption;
    BOOL m_bVisited;
    BOOL m_bAutoSize;
    HFONT m_hFont;
    HCURSOR m_hPreviousCursor;
    HCURSOR m_hLinkCursor;
};
