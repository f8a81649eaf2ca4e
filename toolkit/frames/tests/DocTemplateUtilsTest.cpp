// Template lookup: names and indexes of templates, and the template of a document's frame.
#include <toolkit/frames/DockableFrame.h>
#include <toolkit/frames/DocTemplateUtils.h>
#include <toolkit/frames/MDIChildWnd.h>
#include <toolkit/frames/MultiDocTemplate.h>

#include <gtest/gtest.h>

#include "DocumentTestClasses.h"

using tarnwick::frames::SECDockableFrame;
using tarnwick::frames::SECDocTemplateList;
using tarnwick::frames::SECDocTemplateUtils;
using tarnwick::frames::SECMDIChildWnd;
using tarnwick::frames::SECMultiDocTemplate;

namespace
{
class LookupApp : public CWinApp
{
public:
    LookupApp() : CWinApp(_T("Lookup"))
    {
    }
};

// Five templates: 0 and 1 share their names and classes and differ by resource id; 2 is a plain
// template of other classes; 3 differs from 0 only by its document class; 4 is a copy of 0.
class DocTemplateUtilsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_templates = {
            Add(new SECMultiDocTemplate(101, RUNTIME_CLASS(TestDocA), RUNTIME_CLASS(SECMDIChildWnd),
                                        RUNTIME_CLASS(TestViewA)),
                _T("\nSheet\nSheet\n\n\nLum.Sheet\nSheet file")),
            Add(new SECMultiDocTemplate(102, RUNTIME_CLASS(TestDocA), RUNTIME_CLASS(SECMDIChildWnd),
                                        RUNTIME_CLASS(TestViewA)),
                _T("\nSheet\nSheet\n\n\nLum.Sheet\nSheet file")),
            Add(new CMultiDocTemplate(103, RUNTIME_CLASS(TestDocB), RUNTIME_CLASS(SECMDIChildWnd),
                                      RUNTIME_CLASS(TestViewB)),
                _T("\nLog\nLog\n\n\nLum.Log\nLog file")),
            Add(new SECMultiDocTemplate(101, RUNTIME_CLASS(TestDocB), RUNTIME_CLASS(SECMDIChildWnd),
                                        RUNTIME_CLASS(TestViewA)),
                _T("\nOther\nOther\n\n\nLum.Other\nOther file")),
            Add(new SECMultiDocTemplate(101, RUNTIME_CLASS(TestDocA), RUNTIME_CLASS(SECMDIChildWnd),
                                        RUNTIME_CLASS(TestViewA)),
                _T("\nCopy\nCopy\n\n\nLum.Copy\nCopy file")),
        };
    }
    CDocTemplate* Add(CDocTemplate* pTemplate, LPCTSTR lpszStrings)
    {
        pTemplate->m_strDocStrings = lpszStrings;
        m_app.AddDocTemplate(pTemplate);
        return pTemplate;
    }

    LookupApp m_app;
    std::vector<CDocTemplate*> m_templates;
};

TEST_F(DocTemplateUtilsTest, SameNamedTemplatesAreToldApartByTheirIndex)
{
    for (BOOL bFileTypeId : {TRUE, FALSE})
    {
        SECDocTemplateUtils utils(bFileTypeId);
        const CString strName = bFileTypeId ? _T("Lum.Sheet") : _T("Sheet file");
        EXPECT_EQ(utils.GetTemplateIndex(m_templates[0], strName), 0);
        EXPECT_EQ(utils.GetTemplateIndex(m_templates[1], strName), 1);
        EXPECT_EQ(utils.FindTemplateByName(strName, 0), m_templates[0]);
        EXPECT_EQ(utils.FindTemplateByName(strName, 1), m_templates[1]);
        // Fewer templates than the index: none, not the last one.
        EXPECT_EQ(utils.FindTemplateByName(strName, 2), nullptr);
        EXPECT_EQ(utils.FindTemplateByName(strName, -1), nullptr);
        // A template of another name has no index under this one.
        EXPECT_EQ(utils.GetTemplateIndex(m_templates[2], strName), -1);
        EXPECT_EQ(utils.GetTemplateIndex(nullptr, strName), -1);
    }
}

TEST_F(DocTemplateUtilsTest, FindTemplateDecidesAtTheFirstStepThatLeavesOne)
{
    SECDocTemplateUtils utils;
    TestViewA viewA;
    TestViewB viewB;
    SECMDIChildWnd child;
    SECDockableFrame dockable;
    TestDocA docA;
    TestDocB docB;
    struct Case
    {
        const char* pszStep;
        CDocument* pDoc;
        CView* pView;
        CFrameWnd* pFrame;
        UINT nFrameID;
        CDocTemplate* pOwn;
        int nExpected;
    };
    const Case cases[] = {
        {"view and frame", &docA, &viewB, &child, 101, nullptr, 2},
        {"resource id", &docA, &viewA, &child, 102, nullptr, 1},
        {"dockable frame by resource id", &docA, &viewA, &dockable, 102, nullptr, 1},
        {"document", &docB, &viewA, &child, 101, nullptr, 3},
        {"the document's own template", &docA, &viewA, &child, 101, m_templates[4], 4},
        {"the first when the own one is not left", &docA, &viewA, &child, 101, m_templates[2], 0},
    };
    for (const Case& c : cases)
    {
        c.pFrame->m_nIDHelp = c.nFrameID;
        c.pDoc->m_pDocTemplate = c.pOwn;
        EXPECT_EQ(utils.FindTemplate(c.pDoc, c.pView, c.pFrame), m_templates[c.nExpected]) << c.pszStep;
        c.pDoc->m_pDocTemplate = nullptr;
    }
    // No template's frame class fits a plain frame.
    CFrameWnd plain;
    EXPECT_EQ(utils.FindTemplate(&docA, &viewA, &plain), nullptr);
    EXPECT_EQ(utils.FindTemplate(nullptr, &viewA, &child), nullptr);
    EXPECT_EQ(utils.FindTemplate(&docA, nullptr, &child), nullptr);
    EXPECT_EQ(utils.FindTemplate(&docA, &viewA, nullptr), nullptr);
    EXPECT_EQ(utils.GetFrameResourceID(nullptr), 0u);
}

TEST_F(DocTemplateUtilsTest, FrameClassesSingleTemplatesAndFilters)
{
    SECDocTemplateUtils utils;
    EXPECT_EQ(utils.GetTemplateFrameClass(m_templates[0], FALSE), RUNTIME_CLASS(SECMDIChildWnd));
    EXPECT_EQ(utils.GetTemplateFrameClass(m_templates[0], TRUE), RUNTIME_CLASS(SECDockableFrame));
    EXPECT_EQ(utils.GetTemplateFrameClass(m_templates[2], FALSE), RUNTIME_CLASS(SECMDIChildWnd));
    EXPECT_EQ(utils.GetTemplateFrameClass(m_templates[2], TRUE), nullptr);
    EXPECT_EQ(utils.GetTemplateFrameClass(nullptr, FALSE), nullptr);
    EXPECT_TRUE(utils.IsDockableFrameClass(RUNTIME_CLASS(SECDockableFrame)));
    EXPECT_FALSE(utils.IsDockableFrameClass(RUNTIME_CLASS(SECMDIChildWnd)));
    EXPECT_FALSE(utils.IsDockableFrameClass(nullptr));

    SECDocTemplateList list;
    CDocTemplate* pSingle = m_templates[0];
    EXPECT_TRUE(utils.GetSingleTemplate(list, pSingle));
    EXPECT_EQ(pSingle, nullptr);
    list.AddTail(m_templates[1]);
    EXPECT_TRUE(utils.GetSingleTemplate(list, pSingle));
    EXPECT_EQ(pSingle, m_templates[1]);
    list.AddTail(m_templates[2]);
    EXPECT_FALSE(utils.GetSingleTemplate(list, pSingle));
    EXPECT_EQ(pSingle, nullptr);

    EXPECT_FALSE(utils.FilterByDocument(list, nullptr));
    EXPECT_FALSE(utils.FilterByResource(list, nullptr));
    EXPECT_FALSE(utils.FilterByViewAndFrame(list, nullptr, nullptr));
    EXPECT_EQ(list.GetCount(), 2);
    list.RemoveAll();
    EXPECT_TRUE(utils.GetAllTemplates(list));
    EXPECT_EQ(list.GetCount(), 5);
}
} // namespace
