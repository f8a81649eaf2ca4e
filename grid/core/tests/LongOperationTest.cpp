#include "GridTestSupport.h"

#include <afxpriv.h>

#include <grid/core/AppData.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/WaitState.h>

#include <gtest/gtest.h>

namespace
{
DWORD s_dwNow = 0;

DWORD WINAPI TestTicks()
{
    return s_dwNow;
}

// The application's main frame: keeps the status texts and counts clicks and paints.
class StatusFrame : public CFrameWnd
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETMESSAGESTRING && lParam != 0)
            m_texts.emplace_back(reinterpret_cast<LPCTSTR>(lParam));
        else if (message == WM_LBUTTONDOWN)
            ++m_nClicks;
        else if (message == WM_PAINT)
            ++m_nPaints;
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<CString> m_texts;
    int m_nClicks = 0;
    int m_nPaints = 0;
};

class LongOperationTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        GridWindowTest::SetUp();
        CGXLongOperationImp::s_pfnGetTickCount = TestTicks;
        s_dwNow = 0;
        m_pFrame = new StatusFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("status"), WS_OVERLAPPEDWINDOW));
        m_app.m_pMainWnd = m_pFrame;
        GX_WAIT_STATE* pState = GXGetWaitState();
        pState->m_hStatusWnd = nullptr;
        pState->m_nSpinner = 0;
        PumpPendingMessages();
    }
    void TearDown() override
    {
        CGXLongOperationImp::s_pfnGetTickCount = ::GetTickCount;
        m_app.m_pMainWnd = nullptr;
        m_pFrame->DestroyWindow();
    }
    // Moves the clock on and asks for feedback; the texts sent since.
    std::vector<CString> FeedbackAt(GXLongOperationRecord& record, DWORD dwNow)
    {
        s_dwNow = dwNow;
        m_pFrame->m_texts.clear();
        GXShowLongOperationStatus(&record);
        return m_pFrame->m_texts;
    }

    StatusFrame* m_pFrame = nullptr;
};
} // namespace

TEST_F(LongOperationTest, FeedbackAfterTheDelayThenASpinnerOrThePercent)
{
    GXLongOperationRecord quick;
    GXBeginLongOperation(&quick);
    EXPECT_EQ(GXLongOpGetLevel(), 0);
    EXPECT_TRUE(FeedbackAt(quick, 749).empty());
    GXEndLongOperation(&quick);
    EXPECT_TRUE(m_pFrame->m_texts.empty()); // no "Done." either
    EXPECT_FALSE(GXGetWaitState()->m_bWaitCursor);

    GXLongOperationRecord record;
    s_dwNow = 10000;
    GXBeginLongOperation(&record);
    EXPECT_TRUE(FeedbackAt(record, 10749).empty());
    const LPCWSTR spinner[] = {L"  -", L"  \\", L"  |", L"  /", L"  -"};
    DWORD dwNow = 10750;
    for (LPCWSTR pszPhase : spinner)
    {
        EXPECT_EQ(FeedbackAt(record, dwNow), std::vector<CString>{CString(L"Processing...") + pszPhase});
        EXPECT_TRUE(FeedbackAt(record, dwNow + 1499).empty()); // the interval once feedback began
        dwNow += 1500;
    }
    GXLongOpSetPercentDone(250);
    EXPECT_EQ(GXGetWaitState()->m_nPercentDone, 100);
    EXPECT_EQ(FeedbackAt(record, dwNow), std::vector<CString>{L"Processing... 100%. "});

    m_pFrame->m_texts.clear();
    GXEndLongOperation(&record);
    EXPECT_EQ(m_pFrame->m_texts, std::vector<CString>{L"Done."});
    EXPECT_EQ(GXLongOpGetLevel(), -1);
}

TEST_F(LongOperationTest, EscapeAsksAndIgnoreGoesOn)
{
    GXLongOperationRecord record;
    GXBeginLongOperation(&record);
    GXLongOpSetRollback(TRUE);
    BOOL bAborted = TRUE;
    s_dwNow = 750;
    EXPECT_TRUE(GXGetLongOperationAbort(&record, bAborted));
    EXPECT_FALSE(bAborted);
    EXPECT_TRUE(m_app.m_boxes.empty()); // no key, no question

    m_app.m_answers = {IDIGNORE, IDRETRY};
    m_pFrame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    s_dwNow += 1500;
    m_pFrame->m_texts.clear();
    EXPECT_TRUE(GXGetLongOperationAbort(&record, bAborted));
    EXPECT_FALSE(bAborted);
    ASSERT_EQ(m_app.m_boxes.size(), 1u);
    EXPECT_STREQ(m_app.m_boxes[0].strText, L"Do you want to abort the operation?");
    EXPECT_EQ(m_app.m_boxes[0].nType & MB_TYPEMASK, static_cast<UINT>(MB_ABORTRETRYIGNORE));
    EXPECT_EQ(m_pFrame->m_texts, std::vector<CString>{L"Processing...   Press ESC to cancel  \\"});

    s_dwNow += 1500;
    EXPECT_TRUE(GXGetLongOperationAbort(&record, bAborted));
    EXPECT_EQ(m_app.m_boxes.size(), 1u); // no new key, no new question

    m_pFrame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    s_dwNow += 1500;
    EXPECT_TRUE(GXGetLongOperationAbort(&record, bAborted));
    EXPECT_TRUE(bAborted);
    EXPECT_TRUE(GXLongOpGetRollbackRequested());
    EXPECT_EQ(m_app.m_boxes.size(), 2u);
    GXEndLongOperation(&record);
}

TEST_F(LongOperationTest, InputIsDroppedWhileOtherMessagesAreProcessed)
{
    GXLongOperationRecord record;
    GXBeginLongOperation(&record);
    m_pFrame->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    m_pFrame->PostMessage(WM_PAINT, 0, 0);
    m_pFrame->PostMessage(WM_COMMAND, 1, 0);
    s_dwNow = 750;
    EXPECT_TRUE(GXShowLongOperationStatus(&record));
    EXPECT_EQ(m_pFrame->m_nClicks, 0);
    EXPECT_EQ(m_pFrame->m_nPaints, 1);
    MSG msg;
    EXPECT_FALSE(::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    GXEndLongOperation(&record);
}

TEST_F(LongOperationTest, DeepNestingKeepsTheTablesWhole)
{
    std::vector<GXLongOperationRecord> records(70);
    for (GXLongOperationRecord& record : records)
    {
        GXBeginLongOperation(&record);
        GXSetLongOperationStatus(&record, L"level");
    }
    EXPECT_EQ(GXLongOpGetLevel(), 69);
    EXPECT_STREQ(records[63].pszStatus, L"level");
    EXPECT_EQ(records[69].pszStatus, nullptr);
    for (auto it = records.rbegin(); it != records.rend(); ++it)
        GXEndLongOperation(&*it);
    EXPECT_EQ(GXLongOpGetLevel(), -1);

    GXLongOperationRecord record;
    GXBeginLongOperation(&record);
    const CString strLong(L'x', 300);
    GXSetLongOperationStatus(&record, strLong);
    s_dwNow = 750;
    m_pFrame->m_texts.clear();
    GXShowLongOperationStatus(&record);
    ASSERT_EQ(m_pFrame->m_texts.size(), 1u);
    EXPECT_EQ(m_pFrame->m_texts[0], CString(L'x', GX_WAIT_STATE::nFeedbackLength - 1));
    GXEndLongOperation(&record);
}

TEST_F(LongOperationTest, WithoutTheFeatureOnlyTheNestingIsCounted)
{
    CGXAppData* pAppData = GXGetAppDataPtr();
    CGXAbstractLongOperationImp* pImp = pAppData->m_pLongOperationImp;
    pAppData->m_pLongOperationImp = nullptr;
    GXLongOperationRecord first, second;
    GXBeginLongOperation(&first);
    GXBeginLongOperation(&second);
    GXEndLongOperation(&second);
    EXPECT_EQ(GXLongOpGetLevel(), 0);
    BOOL bAborted = TRUE;
    s_dwNow = 5000;
    EXPECT_FALSE(GXGetLongOperationAbort(&first, bAborted));
    EXPECT_FALSE(bAborted);
    EXPECT_FALSE(GXShowLongOperationStatus(&first));
    GXEndLongOperation(&first);
    EXPECT_EQ(GXLongOpGetLevel(), -1);
    pAppData->m_pLongOperationImp = pImp;

    CGXAbstractDateTimeImp* pDateTimeImp = pAppData->m_pDateTimeImp;
    pAppData->m_pDateTimeImp = nullptr;
    EXPECT_EQ(GXGetTimeSeparator(TRUE), L':');
    BOOL bFourDigitYear = FALSE;
    TCHAR chSeparator = 0;
    EXPECT_EQ(GXGetDateFormatOrder(TRUE, bFourDigitYear, chSeparator), 3);
    EXPECT_FALSE(bFourDigitYear);
    EXPECT_EQ(chSeparator, 0);
    pAppData->m_pDateTimeImp = pDateTimeImp;
}
