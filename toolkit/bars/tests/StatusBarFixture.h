// A hidden frame with a status bar of the application's style, id and four indicators.
#pragma once

#include <afxwin.h>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

template <class Bar> class StatusBarFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static const UINT indicators[] = {0, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Status"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 700, 400)));
        ASSERT_TRUE(m_bar.Create(m_pFrame, 0x50008200, AFX_IDW_STATUS_BAR));
        ASSERT_TRUE(m_bar.SetIndicators(indicators, 4));
        m_pFrame->RecalcLayout();
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        m_pFrame->DestroyWindow();
        PumpPendingMessages();
    }

    CFrameWnd* m_pFrame = nullptr;
    Bar m_bar;
};
