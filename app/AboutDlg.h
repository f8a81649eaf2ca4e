// The About box: the program's picture, name and version, and two links in place of two of its
// static texts, one to the web site and one that starts an e-mail to support.
#pragma once

#include <afxwin.h>

#include <app/Hyperlink.h>
#include <app/resource.h>

class CAboutDlg : public CDialog
{
public:
    enum
    {
        IDD = IDD_ABOUTBOX
    };

    explicit CAboutDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    // Puts the link at the place, Z order and help id of the dialog's static nID and destroys the
    // static. Answers the link's window, or 0 when the static is missing or the link cannot be
    // made (the static then stays).
    static HWND ReplaceStatic(UINT nID, CWnd* pDialog, SECHyperlink& link);

    SECHyperlink m_websiteLink;
    SECHyperlink m_emailLink;
};
