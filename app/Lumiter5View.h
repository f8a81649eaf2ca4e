// The session's form: the SAP systems of the session, its start, current and elapsed times and
// a Stop button. Its one-second timer notices each new local minute, which refreshes the times
// and passes the tick on to the session's collector.
#pragma once

#include <app/resource.h>

#include <afxext.h>

class CLumiter5Doc;

class CLumiter5View : public CFormView
{
    DECLARE_DYNCREATE(CLumiter5View)
public:
    enum
    {
        IDD = IDD_LUMITER5_FORM
    };
    // The id of the view's one-second timer.
    static constexpr UINT_PTR kTimerId = 0x8401;

    CLumiter5View();

    CLumiter5Doc* GetDocument() const;

    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    CString m_strSystems;
    CString m_strStartTime;
    CString m_strCurrentTime;
    CString m_strElapsedTime;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    UINT_PTR m_nTimer;
    int m_nLastMinute;
};
