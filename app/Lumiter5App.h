// The application object: start-up readies the controls, the locale, the grid library and the
// profile key, creates the main frame with a splash window over it, and gathers the facts of
// this PC that every session records.
#pragma once

#include <collector/PcInfo.h>

#include <afxwin.h>

class CMainFrame;

class CLumiter5App : public CWinApp
{
public:
    CLumiter5App();
    ~CLumiter5App() override;

    BOOL InitInstance() override;

    // Help > About: the About box.
    afx_msg void OnAppAbout();

    const CPcInfo& GetPcInfo() const
    {
        return m_PcInfo;
    }
    CMainFrame* GetMainFrame() const
    {
        return m_pMainFrame;
    }

private:
    CString m_strLocale;
    CPcInfo m_PcInfo;
    CMainFrame* m_pMainFrame;

    void ShowSplash();
    void GatherPcInfo();

    DECLARE_MESSAGE_MAP()
};
