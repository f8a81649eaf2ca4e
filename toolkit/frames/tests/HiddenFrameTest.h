// A hidden frame for tests whose bars need a real parent; derived fixtures drop their bars
// before the frame goes.
#pragma once

#include <afxwin.h>

#include <ostream>

#include <gtest/gtest.h>

inline void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom << ")";
}

class HiddenFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = NewFrame();
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Bars"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)));
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
    }
    // The kind of frame the bars live in.
    virtual CFrameWnd* NewFrame()
    {
        return new CFrameWnd;
    }
    CFrameWnd* m_pFrame = nullptr;
};
