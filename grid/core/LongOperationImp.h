// Long operations: progress on the main frame's status line, the wait cursor and the abort
// question, all on the calling thread's GX_WAIT_STATE. Grid code reaches the installed
// feature through the free functions below, which only count the nesting without it.
#pragma once

#include <grid/core/AbstractImps.h>

class GX_WAIT_STATE;

// One long operation's record, kept by its caller.
struct GXLongOperationRecord
{
    DWORD dwStartTicks = 0;
    DWORD dwLastTicks = 0;
    LPCTSTR pszStatus = nullptr;
    BOOL bShowDone = FALSE;
    BOOL bFeedback = FALSE;
};

class CGXLongOperationImp : public CGXAbstractLongOperationImp
{
public:
    void Start(GXLongOperationRecord* pRecord) override;
    void End(GXLongOperationRecord* pRecord) override;
    void FreeStatusText(GXLongOperationRecord* pRecord) override;
    void SetStatusText(GXLongOperationRecord* pRecord, LPCTSTR pszText, BOOL bCopy) override;
    BOOL NeedMessagesAbort(GXLongOperationRecord* pRecord, BOOL& bAborted) override;
    BOOL NeedMessages(GXLongOperationRecord* pRecord) override;
    void DoMessages() override;

    // The clock of the feedback timing; tests replace it.
    static DWORD(WINAPI* s_pfnGetTickCount)();

private:
    static BOOL IsDue(const GXLongOperationRecord* pRecord, const GX_WAIT_STATE* pState);
    // Builds the feedback text and sends it to the status window.
    static void ShowFeedback(const GXLongOperationRecord* pRecord, GX_WAIT_STATE* pState, BOOL bAbortHint);
    static void AskAbort(GX_WAIT_STATE* pState);
};

GX_WAIT_STATE* GXGetWaitState();

// Free accessors of the calling thread's wait state.
int GXLongOpGetLevel();
BOOL GXLongOpGetRollbackRequested();
void GXLongOpSetRollback(BOOL bPossible);
BOOL GXLongOpIsBeyondCutoff();
void GXLongOpSetPercentDone(int nPercent);
// nDone of nTotal in percent, computed in 64 bits; 0 for a total of 0.
int GXPercentDone(ULONGLONG nDone, ULONGLONG nTotal);
BOOL GXLongOpIsFeedbackDue(const GXLongOperationRecord* pRecord);
// The progress of a loop at nDone of nTotal when feedback is due; TRUE when the user aborted.
BOOL GXLongOpReportProgress(GXLongOperationRecord* pRecord, ULONGLONG nDone, ULONGLONG nTotal);
// Freezes feedback at the current nesting level, or releases it (GXLongOpCheckAbort); nothing
// while an outer level holds the freeze, so inner levels neither take nor release it.
void GXLongOpFreezeFeedback(BOOL bFreeze);

// The forwarders to the application's long-operation feature.
void GXBeginLongOperation(GXLongOperationRecord* pRecord);
void GXEndLongOperation(GXLongOperationRecord* pRecord);
void GXResetWaitText(GXLongOperationRecord* pRecord);
// The status text (or the string with that id) and the percent done of total, TRUE when set.
BOOL GXSetLongOperationStatus(GXLongOperationRecord* pRecord, LPCTSTR pszText, ULONGLONG nDone = 0,
                              ULONGLONG nTotal = 0);
BOOL GXSetLongOperationStatus(GXLongOperationRecord* pRecord, UINT nTextId, ULONGLONG nDone = 0, ULONGLONG nTotal = 0);
// Whether feedback was due; bAborted tells whether the user aborted.
BOOL GXGetLongOperationAbort(GXLongOperationRecord* pRecord, BOOL& bAborted);
BOOL GXShowLongOperationStatus(GXLongOperationRecord* pRecord);
BOOL GXStartWaitFeedback(GXLongOperationRecord* pRecord);

// The date-time feature's locale facts; the defaults without it.
void GXInitDateTimeSettings();
int GXGetDateFormatOrder(BOOL bRefresh, BOOL& bFourDigitYear, TCHAR& chSeparator);
TCHAR GXGetTimeSeparator(BOOL bRefresh);

// Closes a long operation when its scope ends, also by an exception.
class CGXLongOperationScope
{
public:
    CGXLongOperationScope()
    {
        GXBeginLongOperation(&m_record);
    }
    ~CGXLongOperationScope()
    {
        GXEndLongOperation(&m_record);
    }
    CGXLongOperationScope(const CGXLongOperationScope&) = delete;
    CGXLongOperationScope& operator=(const CGXLongOperationScope&) = delete;

    GXLongOperationRecord* Record()
    {
        return &m_record;
    }

private:
    GXLongOperationRecord m_record;
};

// Freezes the feedback at the current level for a scope (see GXLongOpFreezeFeedback).
class CGXLongOpFeedbackFreeze
{
public:
    CGXLongOpFeedbackFreeze()
    {
        GXLongOpFreezeFeedback(TRUE);
    }
    ~CGXLongOpFeedbackFreeze()
    {
        GXLongOpFreezeFeedback(FALSE);
    }
    CGXLongOpFeedbackFreeze(const CGXLongOpFeedbackFreeze&) = delete;
    CGXLongOpFeedbackFreeze& operator=(const CGXLongOpFeedbackFreeze&) = delete;
};
