#include "GridTestSupport.h"

#include <grid/core/AppData.h>
#include <grid/core/GridInit.h>
#include <grid/core/LongOperationImp.h>
#include <grid/core/Style.h>

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

void DisablingGrid::ComposeStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle* pStyle, BOOL bApplyStandard)
{
    TestGrid::ComposeStyleRowCol(nRow, nCol, pStyle, bApplyStandard);
    if (m_disabled.count({nRow, nCol}) != 0)
        pStyle->SetEnabled(FALSE);
}

std::pair<ROWCOL, ROWCOL> DisablingGrid::Current()
{
    ROWCOL nRow = 0, nCol = 0;
    return GetCurrentCell(&nRow, &nCol) ? std::make_pair(nRow, nCol) : std::make_pair(GX_INVALID, GX_INVALID);
}

DWORD WINAPI FastTicks()
{
    static DWORD dwNow = 0;
    return dwNow += 1000;
}

CString ClipboardText(HWND hWnd)
{
    CString strText;
    if (!::OpenClipboard(hWnd))
        return _T("<not opened>");
    if (HANDLE hText = ::GetClipboardData(CF_UNICODETEXT))
    {
        strText = static_cast<LPCTSTR>(::GlobalLock(hText));
        ::GlobalUnlock(hText);
    }
    ::CloseClipboard();
    return strText;
}

namespace
{
void SetKeyState(int nVirtKey, BYTE nState)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[nVirtKey] = nState;
    ::SetKeyboardState(keys);
}
} // namespace

namespace
{
DWORD s_dwRunningTicks = 0;

DWORD WINAPI RunningTicks()
{
    return s_dwRunningTicks += 2000;
}
} // namespace

EscapeAbort::EscapeAbort(CWnd* pWnd)
{
    CGXLongOperationImp::s_pfnGetTickCount = RunningTicks;
    pWnd->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
}

EscapeAbort::~EscapeAbort()
{
    CGXLongOperationImp::s_pfnGetTickCount = ::GetTickCount;
}

HeldKey::HeldKey(int nVirtKey) : m_nVirtKey(nVirtKey)
{
    SetKeyState(nVirtKey, 0x80);
}

HeldKey::~HeldKey()
{
    SetKeyState(m_nVirtKey, 0);
}
