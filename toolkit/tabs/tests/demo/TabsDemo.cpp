// A frame whose view is a 3-D tab window with the five message categories below the page, each
// category a tab window with two lists as flat tabs, in the toolkit's own visual style.
#include <afxwin.h>

#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/tabs/3DTabWnd.h>
#include <toolkit/tabs/TabWnd.h>

#include <array>

using namespace tarnwick::tabs;

namespace
{
struct Category
{
    LPCTSTR lpszLabel;
    UINT nIcon;
};
constexpr std::array<Category, 5> CATEGORIES = {
    {{_T("Lumiter5"), 128}, {_T("System"), 136}, {_T("Instance"), 137}, {_T("Host"), 135}, {_T("Database"), 134}}};
constexpr DWORD CATEGORY_TABS_STYLE = 0x50000018;
constexpr DWORD MESSAGE_TABS_STYLE = 0x50300012;

class CDemoFrame : public CFrameWnd
{
public:
    CDemoFrame()
    {
        Create(nullptr, _T("Tabs"), WS_OVERLAPPEDWINDOW, CRect(40, 40, 680, 440));
    }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1 ||
            !m_categories.Create(this, CATEGORY_TABS_STYLE, AFX_IDW_PANE_FIRST))
            return -1;
        for (size_t i = 0; i < CATEGORIES.size(); ++i)
        {
            SECTabWnd& messages = m_messages[i];
            if (!messages.Create(&m_categories, MESSAGE_TABS_STYLE, AFX_IDW_PANE_FIRST))
                return -1;
            messages.SetNotifyWnd(this);
            for (int j = 0; j < 2; ++j)
            {
                CListBox& list = m_lists[2 * i + j];
                list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 0, 0), &messages,
                            static_cast<UINT>(3000 + j));
                list.SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
                for (int nLine = 1; nLine <= 4; ++nLine)
                {
                    CString line;
                    line.Format(_T("%s source %d: message %d"), CATEGORIES[i].lpszLabel, j + 1, nLine);
                    list.AddString(line);
                }
                messages.AddTab(&list, j == 0 ? _T("Source A") : _T("Source B"));
            }
            messages.ActivateTab(0);
            m_categories.AddTab(&messages, CATEGORIES[i].lpszLabel);
            m_categories.SetTabIcon(static_cast<int>(i), CATEGORIES[i].nIcon, 16, 16);
        }
        m_categories.ActivateTab(0);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    SEC3DTabWnd m_categories;
    std::array<SECTabWnd, CATEGORIES.size()> m_messages;
    std::array<CListBox, 2 * CATEGORIES.size()> m_lists;
};

BEGIN_MESSAGE_MAP(CDemoFrame, CFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

class CDemoApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        SECSelectVisualStyle(TRUE);
        auto* pFrame = new CDemoFrame;
        m_pMainWnd = pFrame;
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        return TRUE;
    }
};

CDemoApp theApp;
} // namespace
