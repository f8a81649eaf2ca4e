// The dock bar's bar list as a model: bars without windows (visible through a pending show),
// placeholders as ids, and the shares, placements and rows that the operations leave.
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockBar.h>

#include <map>
#include <memory>
#include <string>

#include <gtest/gtest.h>

using tarnwick::frames::CBRS_EX_OWNROW;
using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECDockBar;
using tarnwick::frames::SECDockPlacement;

namespace
{
// A list written as text: a letter per bar, '|' per row break, '#' per placeholder.
class BarListModel
{
public:
    explicit BarListModel(const std::string& text)
    {
        m_dockBar.m_dwStyle = CBRS_ALIGN_TOP;
        m_dockBar.m_arrBars.RemoveAll();
        for (char c : text)
            m_dockBar.m_arrBars.Add(c == '|' ? nullptr : c == '#' ? reinterpret_cast<void*>(0xE900) : Bar(c));
    }
    SECControlBar* Bar(char c)
    {
        auto& pBar = m_bars[c];
        if (!pBar)
        {
            pBar = std::make_unique<SECControlBar>();
            pBar->m_nStateFlags = CControlBar::delayShow;
        }
        return pBar.get();
    }
    void Hide(char c)
    {
        Bar(c)->m_nStateFlags = 0;
    }
    std::string Text() const
    {
        std::string text;
        for (INT_PTR i = 0; i < m_dockBar.m_arrBars.GetSize(); ++i)
        {
            void* pEntry = m_dockBar.m_arrBars[i];
            if (pEntry == nullptr)
                text += '|';
            else if (reinterpret_cast<UINT_PTR>(pEntry) <= 0xFFFF)
                text += '#';
            else
                for (const auto& [c, pBar] : m_bars)
                    if (pBar.get() == pEntry)
                        text += c;
        }
        return text;
    }
    SECDockBar m_dockBar;

private:
    std::map<char, std::unique_ptr<SECControlBar>> m_bars;
};

// A run of a top or left dock bar reaches from the index to the end of the list, of a bottom or
// right one from the start to the index, whatever other style bits are set.
TEST(DockBarRedrawTest, ARunReachesAwayFromTheFrameEdge)
{
    const struct
    {
        DWORD dwStyle;
        const char* pszRun;
    } cases[] = {
        {CBRS_ALIGN_TOP, "BC"},
        {CBRS_ALIGN_LEFT | CBRS_GRIPPER, "BC"},
        {CBRS_ALIGN_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS, "BC"},
        {CBRS_ALIGN_RIGHT | CBRS_GRIPPER, "AB"},
        {CBRS_ALIGN_BOTTOM, "AB"},
    };
    for (const auto& c : cases)
    {
        BarListModel model("ABC");
        model.m_dockBar.m_dwStyle = c.dwStyle;
        model.m_dockBar.AddRunToRedrawList(1);
        std::string run;
        for (char bar : std::string("ABC"))
            if (model.m_dockBar.IsInRedrawList(model.Bar(bar)))
                run += bar;
        EXPECT_EQ(run, c.pszRun) << std::hex << c.dwStyle;
    }
}

struct ShareCase
{
    const char* name;
    float shareA, shareB, shareNew;
    bool hideB;
    float wantA, wantB, wantNew;
};

TEST(DockBarShareTest, NormalizeRowPercentages)
{
    const ShareCase cases[] = {
        // A new bar in a full row keeps its share; the others keep their proportions.
        {"new bar in full row", 0.6f, 0.4f, 0.5f, false, 0.3f, 0.2f, 0.5f},
        // Asking for more than 0.95 fits it as if no bar were new.
        {"above 0.95 none is new", 0.5f, 0.5f, 0.97f, false, 0.5f / 1.97f, 0.5f / 1.97f, 0.97f / 1.97f},
        // A hidden bar is skipped and loses its settled flag; its share stays for its return.
        {"hidden bar", 0.6f, 0.4f, 0.5f, true, 0.6f / 3.6f, 0.4f, 3.0f / 3.6f},
    };
    for (const ShareCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        BarListModel model("|ABN|");
        model.Bar('A')->m_fPctWidth = c.shareA;
        model.Bar('B')->m_fPctWidth = c.shareB;
        model.Bar('N')->m_fPctWidth = c.shareNew;
        if (c.hideB)
            model.Hide('B');
        int nSizable = -1;
        int nFixed = -1;
        model.m_dockBar.NormalizeRowPercentages(1, model.Bar('N'), &nSizable, &nFixed);
        EXPECT_NEAR(model.Bar('A')->m_fPctWidth, c.wantA, 1e-5);
        EXPECT_NEAR(model.Bar('B')->m_fPctWidth, c.wantB, 1e-5);
        EXPECT_NEAR(model.Bar('N')->m_fPctWidth, c.wantNew, 1e-5);
        EXPECT_EQ(nSizable, c.hideB ? 2 : 3);
        EXPECT_EQ(nFixed, 0);
        EXPECT_EQ(model.Bar('B')->IsShareSettled(), c.hideB ? FALSE : TRUE);
    }
}

TEST(DockBarShareTest, HiddenBarShownAgainIsFittedAsNew)
{
    BarListModel model("|AB|");
    model.Bar('A')->m_fPctWidth = 0.5f;
    model.Bar('B')->m_fPctWidth = 0.5f;
    int nSizable = 0;
    int nFixed = 0;
    model.Hide('B');
    model.m_dockBar.NormalizeRowPercentages(1, nullptr, &nSizable, &nFixed);
    EXPECT_FLOAT_EQ(model.Bar('A')->m_fPctWidth, 1.0f); // alone, it takes the whole row
    model.Bar('B')->m_nStateFlags = CControlBar::delayShow;
    model.m_dockBar.NormalizeRowPercentages(1, nullptr, &nSizable, &nFixed);
    EXPECT_NEAR(model.Bar('B')->m_fPctWidth, 0.5f, 1e-5);
    EXPECT_NEAR(model.Bar('A')->m_fPctWidth, 0.5f, 1e-5);
}

TEST(DockBarShareTest, MinimumShareIs18PixelsOfTheRow)
{
    const struct
    {
        int nLength;
        float fShare;
    } cases[] = {{-5, 0.05f}, {0, 0.05f}, {10, 1.0f}, {18, 1.0f}, {360, 0.05f}, {600, 0.03f}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(SECDockBar::MinimumShareFor(c.nLength), c.fShare) << c.nLength;
}

TEST(DockBarShareTest, AddPercentStopsAtTheMinimumAndReturnsTheShortfall)
{
    BarListModel model("|A|");
    SECControlBar* pBar = model.Bar('A');
    pBar->m_fPctWidth = 0.3f;
    EXPECT_FLOAT_EQ(model.m_dockBar.AddPercent(-0.1f, pBar), 0.0f);
    EXPECT_FLOAT_EQ(pBar->m_fPctWidth, 0.2f);
    EXPECT_NEAR(model.m_dockBar.AddPercent(-0.25f, pBar), -0.1f, 1e-6);
    EXPECT_FLOAT_EQ(pBar->m_fPctWidth, 0.05f);
}

TEST(DockBarShareTest, ExpandThenContractKeepsTheRowWhole)
{
    BarListModel model("|ABC|D|");
    SECDockBar& dockBar = model.m_dockBar;
    dockBar.ExpandBar(model.Bar('B'), SECDockBar::EXPAND_BAR);
    EXPECT_FLOAT_EQ(model.Bar('A')->m_fPctWidth, 0.05f);
    EXPECT_FLOAT_EQ(model.Bar('C')->m_fPctWidth, 0.05f);
    EXPECT_NEAR(model.Bar('B')->m_fPctWidth, 0.9f, 1e-6);
    EXPECT_FLOAT_EQ(model.Bar('D')->m_fPctWidth, 1.0f); // another row is untouched
    EXPECT_TRUE(dockBar.IsBarExpanded(model.Bar('B')));
    EXPECT_FALSE(dockBar.IsBarExpanded(model.Bar('A')));

    dockBar.ExpandBar(model.Bar('B'), 0);
    for (char c : std::string("ABC"))
        EXPECT_NEAR(model.Bar(c)->m_fPctWidth, 1.0f / 3.0f, 1e-6) << c;
    EXPECT_FALSE(dockBar.IsBarExpanded(model.Bar('B')));
    EXPECT_TRUE(dockBar.IsInRedrawList(model.Bar('D')));
}

TEST(DockBarShareTest, RowQueries)
{
    BarListModel model("|AB#C|D|");
    model.Hide('C');
    SECDockBar& dockBar = model.m_dockBar;
    EXPECT_TRUE(dockBar.IsAloneInRow(model.Bar('D')));
    EXPECT_FALSE(dockBar.IsAloneInRow(model.Bar('B')));
    EXPECT_FALSE(dockBar.IsAloneInRow(nullptr));
    model.Hide('A');
    EXPECT_TRUE(dockBar.IsAloneInRow(model.Bar('B'))); // the others of its row are hidden

    CPtrList list;
    list.AddTail(model.Bar('D'));
    dockBar.GetRowBars(list, model.Bar('C'));
    std::string order;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        void* pBar = list.GetNext(pos);
        for (char c : std::string("ABCD"))
            if (pBar == model.Bar(c))
                order += c;
    }
    EXPECT_EQ(order, "BAC"); // nearest first before it, then it and those after
}

struct PlaceCase
{
    const char* list;
    SECDockPlacement place;
    const char* want;
    int nIndex;
};

TEST(DockBarPlaceTest, InsertBarAtPlace)
{
    const PlaceCase cases[] = {
        {"|", {0, 0, 0}, "|X|", 1},
        {"|AC|B|", {-1, 0, 0}, "|XAC|B|", 1},  // front of the first row
        {"|AC|B|", {-2, 0, 0}, "|X|AC|B|", 1}, // a new first row
        {"|AC|B|", {0, 0, 4}, "|X|AC|B|", 1},  // a new row in front of the first
        {"|AC|B|", {1, 0, 1}, "|AC|B|X|", 6},  // a new last row
        {"|AC|B|", {2, 0, 0}, "|AC|B|X|", 6},  // row R of R rows: a new last row
        {"|AC|B|", {3, 0, 0}, "|AC|B||X|", 7}, // one empty row before it
        {"|AC|B|", {0, 1, 0}, "|AXC|B|", 2},   // one visible bar before it
        {"|AC|B|", {0, 5, 0}, "|ACX|B|", 3},   // past the row's bars: its end
        {"|AC|B|", {0, 0, 2}, "|AXC|B|", 2},   // counted from the end: before the last
        {"|AC|B|", {0, -1, 2}, "|XAC|B|", 1},  // before the second last
        {"|AC|B|", {0, 1, 2}, "|ACX|B|", 3},   // after the last
        {"|AC|B|", {0, 0, 1}, "|AC|XB|", 4},   // the last row
        {"|AC|B|", {-1, 0, 1}, "|XAC|B|", 1},  // the row before the last
        {"|AC|B|", {-2, 0, 1}, "|XAC|B|", 1},  // -R from the last: front of the first row
        {"|AC|B|", {-3, 0, 1}, "|X|AC|B|", 1}, // further: a new first row
        {"|A#C|B|", {0, 1, 0}, "|A#XC|B|", 3}, // placeholders are stepped over
    };
    for (const PlaceCase& c : cases)
    {
        BarListModel model(c.list);
        SCOPED_TRACE(std::string(c.list) + " -> " + c.want);
        EXPECT_EQ(model.m_dockBar.InsertBarAtPlace(model.Bar('X'), c.place), c.nIndex);
        EXPECT_EQ(model.Text(), c.want);
        EXPECT_TRUE(model.m_dockBar.IsInRedrawList(model.Bar('X')));
    }
}

TEST(DockBarPlaceTest, BarsWithTheirOwnRowNeverShareIt)
{
    const struct
    {
        const char* list;
        int nIndex;
        bool bOwnRow;
        const char* want;
        int nUsed;
    } cases[] = {
        {"|A|", 2, true, "|A|X|", 3},  {"|A|", 1, true, "|X|A|", 1}, {"|W|", 1, false, "|X|W|", 1},
        {"|W|", 2, false, "|W|X|", 3}, {"|A|", 2, false, "|AX|", 2}, {"|", 1, true, "|X", 1},
    };
    for (const auto& c : cases)
    {
        BarListModel model(c.list);
        model.Bar('W')->m_dwExStyle = CBRS_EX_OWNROW;
        model.Bar('X')->m_dwExStyle = c.bOwnRow ? CBRS_EX_OWNROW : 0;
        SCOPED_TRACE(std::string(c.list) + " -> " + c.want);
        EXPECT_EQ(model.m_dockBar.InsertBarAt(c.nIndex, model.Bar('X')), c.nUsed);
        EXPECT_EQ(model.Text(), c.want);
    }
}

TEST(DockBarPlaceTest, InsertBarAsFirstRow)
{
    BarListModel model("|A|");
    EXPECT_EQ(model.m_dockBar.InsertBarAsFirstRow(model.Bar('X')), 1);
    EXPECT_EQ(model.Text(), "|X|A|");
    BarListModel empty("|");
    EXPECT_EQ(empty.m_dockBar.InsertBarAsFirstRow(empty.Bar('X')), 1);
    EXPECT_EQ(empty.Text(), "|X|");
}
} // namespace
