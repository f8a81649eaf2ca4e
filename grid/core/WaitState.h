// The per-thread state of long operations: feedback timing, nesting, abort protocol and the
// status texts of each nesting level.
#pragma once

#include <afx.h>

class GX_WAIT_STATE
{
public:
    static constexpr int nMaxLevels = 64;
    static constexpr int nFeedbackLength = 128;

    GX_WAIT_STATE() = default;
    GX_WAIT_STATE(const GX_WAIT_STATE&) = delete;
    GX_WAIT_STATE& operator=(const GX_WAIT_STATE&) = delete;

    DWORD m_dwFirstDelay = 750;
    DWORD m_dwInterval = 1500;
    BOOL m_bAskUser = TRUE;
    CString m_sProcessing;
    CString m_sDone;
    CString m_sPressEsc;
    int m_nPercentDone = -1;
    int m_nNesting = 0;
    int m_nCutOffLevel = -1;
    BOOL m_bWaitCursor = FALSE;
    BOOL m_bAbortKey = FALSE;
    BOOL m_bAborted = FALSE;
    BOOL m_bRollbackRequested = FALSE;
    BOOL m_bAbortAllowed = TRUE;
    BOOL m_bRollbackPossible = TRUE;
    CString m_sAbortQuestion;
    LPTSTR m_apszStatus[nMaxLevels] = {};
    // A level owns its text when it points into the level's copy; the copies keep their
    // buffers between long operations, so that setting a text costs no allocation.
    BOOL m_abOwned[nMaxLevels] = {};
    CString m_astrStatusCopy[nMaxLevels];
    TCHAR m_szFeedback[nFeedbackLength] = {};
    int m_nSpinner = 0;
    HWND m_hStatusWnd = nullptr;
};
