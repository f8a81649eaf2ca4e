// Documents and views for the tests of document frames: two kinds of each, so that templates
// can differ by class.
#pragma once

#include <afxwin.h>

#include <vector>

// The application object of a test: its templates go with it.
class DocumentsApp : public CWinApp
{
public:
    DocumentsApp() : CWinApp(_T("Documents"))
    {
    }
};

class TestDocA : public CDocument
{
    DECLARE_DYNCREATE(TestDocA)
};

class TestDocB : public CDocument
{
    DECLARE_DYNCREATE(TestDocB)
};

// Counts its initial updates and the commands and keys it gets.
class TestViewA : public CView
{
    DECLARE_DYNCREATE(TestViewA)
public:
    static constexpr UINT ID_VIEW_COMMAND = 0x8201;
    int m_nInitialUpdates = 0;
    int m_nCommands = 0;
    void OnDraw(CDC*) override
    {
    }
    void OnInitialUpdate() override
    {
        ++m_nInitialUpdates;
        CView::OnInitialUpdate();
    }
    // The states of the frame activations the view was told of.
    std::vector<UINT> m_frameActivations;
    void OnActivateFrame(UINT nState, CFrameWnd* pDeactivateFrame) override
    {
        m_frameActivations.push_back(nState);
        CView::OnActivateFrame(nState, pDeactivateFrame);
    }

protected:
    afx_msg void OnViewCommand()
    {
        ++m_nCommands;
    }
    DECLARE_MESSAGE_MAP()
};

class TestViewB : public TestViewA
{
    DECLARE_DYNCREATE(TestViewB)
};
