// The frame's help mode, driven by messages posted before it starts.
#include <afxpriv.h>

#include <vector>

#include <gtest/gtest.h>

namespace
{
class HelpFrame : public CFrameWnd
{
public:
    void WinHelp(DWORD_PTR dwData, UINT) override
    {
        m_contexts.push_back(dwData);
    }
    std::vector<DWORD_PTR> m_contexts;
};

// A child that names its own help context.
class HelpChild : public CWnd
{
protected:
    afx_msg LRESULT OnHelpHitTest(WPARAM, LPARAM)
    {
        return 0x12345;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpChild, CWnd)
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

class HelpModeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new HelpFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Help"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        ASSERT_TRUE(m_child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 60), m_pFrame, 1234));
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
    }
    HelpFrame* m_pFrame = nullptr;
    HelpChild m_child;
};

TEST_F(HelpModeTest, AClickNamesTheHelpContextAndEscapeEndsWithout)
{
    m_child.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    m_pFrame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
    EXPECT_EQ(m_pFrame->m_contexts, std::vector<DWORD_PTR>{0x12345});
    EXPECT_FALSE(m_pFrame->m_bHelpMode);
    EXPECT_EQ(::GetCapture(), nullptr);

    m_pFrame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    m_pFrame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
    m_pFrame->PostMessage(WM_EXITHELPMODE);
    m_pFrame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
    EXPECT_EQ(m_pFrame->m_contexts.size(), 1u);
}
} // namespace
