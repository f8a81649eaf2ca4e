// What the grid core's tests share: an application that answers message boxes from a script,
// the library's start-up, and a hidden grid window whose fields the tests may reach.
#pragma once

#include <afxwin.h>

#include <grid/controls/Control.h>
#include <grid/core/GridWnd.h>

#include <deque>
#include <vector>

#include <testing/MessagePump.h>

// Records each message box and answers from m_answers (IDOK once they are used up).
class GridTestApp : public CWinApp
{
public:
    struct Box
    {
        CString strText;
        UINT nType;
    };

    GridTestApp() : CWinApp(_T("GridCoreTest"))
    {
    }
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    std::vector<Box> m_boxes;
    std::deque<int> m_answers;
};

// The library with the standard factory, started once for the test program.
void EnsureGridLibrary();

// A grid window with font units of 10 (columns) by 15 (rows) pixels, whatever the fonts.
class TestGrid : public CGXGridWnd
{
public:
    static constexpr int nColUnit = 10;
    static constexpr int nRowUnit = 15;

    // A hidden child of the parent with the rectangle, initialised.
    void CreateHidden(CWnd* pParent, const CRect& rect);
    CSize GetTextMetricsSize(CDC* pDC) override;

    using CGXGridCore::m_bKeepCurrentCellStyle;
    using CGXGridCore::m_nDrawingDepth;
    using CGXGridCore::m_nLeftCol;
    using CGXGridCore::m_nRowUnit;
    using CGXGridCore::m_nTopRow;
    using CGXGridCore::m_pCommandFactory;
    using CGXGridCore::m_pCutPasteImp;
    using CGXGridCore::m_pHideCellsImp;
    using CGXGridCore::m_pUpdateHintImp;
    using CGXGridCore::m_pUserResizeCellsImp;
};

// A cell control that counts the live objects of its kind.
class CountedControl : public CGXControl
{
public:
    explicit CountedControl(CGXGridCore* pGrid) : CGXControl(pGrid)
    {
        ++s_nLive;
    }
    ~CountedControl() override
    {
        --s_nLive;
    }
    static inline int s_nLive = 0;
};

// A hidden parent, the scripted application and the library for each test of a grid.
class GridWindowTest : public HiddenWindowTest
{
protected:
    void SetUp() override
    {
        EnsureGridLibrary();
    }

    GridTestApp m_app;
};

// A memory DC with the system font that records the text outputs instead of drawing them.
class RecordingDC : public CDC
{
public:
    RecordingDC()
    {
        CreateCompatibleDC(nullptr);
        SelectStockObject(SYSTEM_FONT);
    }
    BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount) override
    {
        m_points.emplace_back(x, y);
        m_texts.emplace_back(lpszString, nCount);
        return TRUE;
    }
    std::vector<CPoint> m_points;
    std::vector<CString> m_texts;
};
