#include "GridTestSupport.h"

#include <grid/core/AppData.h>
#include <grid/core/GridInit.h>

int GridTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT /*nIDPrompt*/)
{
    m_boxes.push_back({lpszPrompt, nType});
    if (m_answers.empty())
        return IDOK;
    const int nAnswer = m_answers.front();
    m_answers.pop_front();
    return nAnswer;
}

void EnsureGridLibrary()
{
    if (!GXGetAppDataPtr()->m_bInitDone)
        GXInitLibraryDefault();
}

void TestGrid::CreateHidden(CWnd* pParent, const CRect& rect, DWORD dwStyle)
{
    ASSERT_TRUE(Create(_T("GXWND"), nullptr, WS_CHILD | dwStyle, rect, pParent, 1));
    Initialize();
}

CSize TestGrid::GetTextMetricsSize(CDC* /*pDC*/)
{
    return CSize(nColUnit, nRowUnit);
}
