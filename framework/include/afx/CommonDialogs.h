// The system's common dialogs behind dialog objects: file open and save, and the modeless
// find and replace dialog, which reports to its owner through the registered FINDMSGSTRING.
#pragma once

#include <afxtempl.h>

#include <commdlg.h>

class CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);

    // The system's dialog procedure initialises the controls.
    BOOL OnInitDialog() override;

protected:
    // The system's dialog procedure ends the dialog, after the exchange for OK.
    void OnOK() override;
    void OnCancel() override;
};

class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter pairs descriptions and patterns with '|': "Text (*.txt)|*.txt||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    // Change before DoModal; a multiple selection needs a larger lpstrFile buffer.
    OPENFILENAME m_ofn;

    // IDOK or IDCANCEL.
    INT_PTR DoModal() override;

    CString GetPathName() const;
    CString GetFileName() const;
    // Without the dot; empty when the name has none.
    CString GetFileExt() const;
    // The selected files one by one: NULL when there are none.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

protected:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;
    CString m_strDefExt;
    TCHAR m_szFileTitle[64];
    TCHAR m_szFileName[_MAX_PATH];
};

class CFindReplaceDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFindReplaceDialog)
public:
    // Allocate with new: the object deletes itself when its window is gone.
    CFindReplaceDialog();

    FINDREPLACE m_fr;

    // Modeless; pParentWnd (else the main window) gets FINDMSGSTRING messages.
    virtual BOOL Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith = nullptr,
                        DWORD dwFlags = FR_DOWN, CWnd* pParentWnd = nullptr);

    // The dialog that sent a FINDMSGSTRING message, from its lParam.
    static CFindReplaceDialog* PASCAL GetNotifier(LPARAM lParam);

    CString GetFindString() const;
    CString GetReplaceString() const;
    BOOL SearchDown() const;
    BOOL FindNext() const;
    BOOL MatchCase() const;
    BOOL MatchWholeWord() const;
    BOOL ReplaceCurrent() const;
    BOOL ReplaceAll() const;
    BOOL IsTerminating() const;

protected:
    void PostNcDestroy() override;

    TCHAR m_szFindWhat[128];
    TCHAR m_szReplaceWith[128];
};
