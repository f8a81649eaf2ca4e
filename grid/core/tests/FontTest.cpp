#include <grid/core/Font.h>
#include <grid/core/FontState.h>

#include <memory>
#include <thread>

#include <gtest/gtest.h>

namespace
{
// Font sizes are checked at 96 dots per inch, whatever the display says.
class FontTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_pState = GXGetFontState();
        m_nSavedY = m_pState->m_nLogPixelsY;
        m_pState->m_nLogPixelsY = 96;
        m_nEntriesBefore = m_pState->GetFontDataCount();
    }
    void TearDown() override
    {
        m_pState->m_nLogPixelsY = m_nSavedY;
    }

    INT_PTR NewEntries() const
    {
        return m_pState->GetFontDataCount() - m_nEntriesBefore;
    }

    GX_FONT_STATE* m_pState = nullptr;
    int m_nSavedY = 0;
    INT_PTR m_nEntriesBefore = 0;
};
} // namespace

TEST_F(FontTest, ANewFontIncludesNothing)
{
    const CGXFont font;
    EXPECT_FALSE(font.GetIncludeFaceName());
    EXPECT_FALSE(font.GetIncludeWeight());
    EXPECT_FALSE(font.GetIncludeItalic());
    EXPECT_FALSE(font.GetIncludeUnderline());
    EXPECT_FALSE(font.GetIncludeStrikeOut());
    EXPECT_FALSE(font.GetIncludeSize());
    EXPECT_FALSE(font.GetIncludeOrientation());
    EXPECT_EQ(font.GetFaceName(), nullptr);

    const LOGFONT& lf = font.GetLogFont();
    EXPECT_EQ(lf.lfHeight, 0);
    EXPECT_EQ(lf.lfWeight, 0);
    EXPECT_EQ(lf.lfFaceName[0], 0);
}

TEST_F(FontTest, SizesInQuarterPointsAndTheirHeights)
{
    const struct
    {
        double dPoints;
        double dStored;
        LONG nHeight;
    } cases[] = {
        {10, 10, -13},       // 40 quarter points; MulDiv rounds 13.33 to 13
        {8.25, 8.25, -11},   // the standard font
        {8.3, 8.25, -11},    // truncated to the quarter point
        {300, 255.75, -341}, // capped at 1023 quarter points
        {-8, 8, -11},        // made non-negative
        {72, 72, -96},
    };
    for (const auto& c : cases)
    {
        CGXFont font;
        font.SetSize(c.dPoints);
        EXPECT_TRUE(font.GetIncludeSize());
        EXPECT_DOUBLE_EQ(font.GetSize(), c.dStored) << c.dPoints;
        EXPECT_EQ(font.GetLogFont().lfHeight, c.nHeight) << c.dPoints;
    }

    LOGFONT lf;
    CGXFont().SetSize(10).GetLogFontScaled(lf, 250);
    EXPECT_EQ(lf.lfHeight, -13 * 250 / 100);
}

TEST_F(FontTest, WeightsInHundreds)
{
    const struct
    {
        LONG nWeight;
        LONG nStored;
        BOOL bBold;
    } cases[] = {
        {FW_BOLD, 700, TRUE}, {FW_NORMAL, 400, FALSE}, {FW_HEAVY, 900, TRUE},
        {450, 400, FALSE},    {0, 0, FALSE},           {1500, 1400, TRUE}, // 15 hundreds would read as unset
    };
    for (const auto& c : cases)
    {
        CGXFont font;
        font.SetWeight(c.nWeight);
        EXPECT_TRUE(font.GetIncludeWeight()) << c.nWeight;
        EXPECT_EQ(font.GetWeight(), c.nStored);
        EXPECT_EQ(font.GetBold(), c.bBold);
        EXPECT_EQ(font.GetLogFont().lfWeight, c.nStored);
    }
    EXPECT_EQ(CGXFont().SetBold(TRUE).GetWeight(), 700);
    EXPECT_EQ(CGXFont().SetBold(FALSE).GetWeight(), 400);
}

TEST_F(FontTest, OrientationAndFaceInTheLogFont)
{
    CGXFont font;
    font.SetOrientation(-900).SetFaceName(_T("Arial")).SetItalic(TRUE).SetUnderline(FALSE);
    EXPECT_EQ(font.GetOrientation(), 2700);
    const LOGFONT& lf = font.GetLogFont();
    EXPECT_EQ(lf.lfEscapement, 2700);
    EXPECT_EQ(lf.lfOrientation, 2700);
    EXPECT_STREQ(lf.lfFaceName, L"Arial");
    EXPECT_EQ(lf.lfPitchAndFamily & 4, 4);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_FALSE(lf.lfUnderline);

    // Angles are kept as whole degrees of 0..359.
    EXPECT_EQ(CGXFont().SetOrientation(905).GetOrientation(), 900);
    EXPECT_EQ(CGXFont().SetOrientation(-3600).GetOrientation(), 0);
    EXPECT_EQ(CGXFont().SetOrientation(3610).GetOrientation(), 10);
    EXPECT_EQ(CGXFont().SetOrientation(0).GetLogFont().lfPitchAndFamily & 4, 0);
}

TEST_F(FontTest, TheDefaultCellFontIsArialAtEightAndAQuarterPoints)
{
    CGXFont font;
    font.SetDefaultCellFont();
    EXPECT_DOUBLE_EQ(font.GetSize(), 8.25);
    EXPECT_EQ(font.GetWeight(), 400);
    EXPECT_FALSE(font.GetItalic());
    EXPECT_TRUE(font.GetIncludeItalic());
    EXPECT_EQ(font.GetFaceNameIndex(), 0u); // looked up first in every thread
    EXPECT_STREQ(font.GetFaceName(), L"Arial");
    EXPECT_EQ(font.GetLogFont().lfHeight, -11);
}

TEST_F(FontTest, SetLogFontOfAnotherScriptKeepsTheScriptOutOfTheFaceName)
{
    const CString strScript = GX_FONT_STATE::GetScriptName(RUSSIAN_CHARSET);
    if (strScript.IsEmpty())
        GTEST_SKIP() << "no font of the display has a Cyrillic script";

    LOGFONT lf{};
    wcscpy(lf.lfFaceName, L"Lumiter Test Face");
    lf.lfCharSet = RUSSIAN_CHARSET;
    lf.lfHeight = -16;
    lf.lfWeight = FW_BOLD;
    CGXFont font;
    font.SetLogFont(lf);
    EXPECT_STREQ(font.GetFaceName(), L"Lumiter Test Face (" + strScript + L")");
    EXPECT_DOUBLE_EQ(font.GetSize(), 12);
    EXPECT_EQ(font.GetWeight(), 700);

    const LOGFONT& built = font.GetLogFont();
    EXPECT_STREQ(built.lfFaceName, L"Lumiter Test Face");
    EXPECT_EQ(built.lfCharSet, RUSSIAN_CHARSET);
    EXPECT_EQ(built.lfHeight, -16);
}

TEST_F(FontTest, SetLogFontOfACharacterSetWithoutAScriptUsesTheFaceAlone)
{
    if (!GX_FONT_STATE::GetScriptName(MAC_CHARSET).IsEmpty())
        GTEST_SKIP() << "a font of the display has the Mac character set";

    LOGFONT lf{};
    wcscpy(lf.lfFaceName, L"Lumiter Mac Face");
    lf.lfCharSet = MAC_CHARSET;
    CGXFont font;
    font.SetLogFont(lf);
    EXPECT_STREQ(font.GetFaceName(), L"Lumiter Mac Face");
    EXPECT_FALSE(font.GetIncludeSize());
    EXPECT_STREQ(font.GetLogFont().lfFaceName, L"Lumiter Mac Face");
    EXPECT_EQ(font.GetLogFont().lfCharSet, MAC_CHARSET);
}

TEST_F(FontTest, MergeModes)
{
    CGXFont mine;
    mine.SetSize(10).SetItalic(TRUE);
    CGXFont other;
    other.SetSize(12).SetBold(TRUE).SetItalic(FALSE).SetFaceName(_T("Courier New"));

    CGXFont applied(mine);
    applied.ChangeFont(other, 1);
    EXPECT_DOUBLE_EQ(applied.GetSize(), 10);
    EXPECT_TRUE(applied.GetItalic());
    EXPECT_EQ(applied.GetWeight(), 700);
    EXPECT_STREQ(applied.GetFaceName(), L"Courier New");

    CGXFont overridden(mine);
    overridden.ChangeFont(other, 0);
    EXPECT_DOUBLE_EQ(overridden.GetSize(), 12);
    EXPECT_FALSE(overridden.GetItalic());
    EXPECT_TRUE(overridden.IsSubSet(other));
    EXPECT_FALSE(mine.IsSubSet(other));

    CGXFont copied(mine);
    copied.ChangeFont(other, 2);
    EXPECT_TRUE(copied.IsSubSet(other) && other.IsSubSet(copied));

    // Excluding a font that includes only the weight resets only the weight.
    CGXFont excluded(overridden);
    excluded.ChangeFont(CGXFont().SetBold(TRUE), 3);
    EXPECT_FALSE(excluded.GetIncludeWeight());
    EXPECT_TRUE(excluded.GetIncludeSize());
    EXPECT_TRUE(excluded.GetIncludeItalic());
    EXPECT_TRUE(excluded.GetIncludeFaceName());
    excluded.ChangeFont(other, 3);
    EXPECT_FALSE(excluded.GetIncludeSize() || excluded.GetIncludeItalic() || excluded.GetIncludeFaceName());

    EXPECT_TRUE(mine.IsSubSet(CGXFont()));
    EXPECT_FALSE(CGXFont().IsSubSet(mine));
}

TEST_F(FontTest, EqualFontsShareOneLogFontUntilTheLastIsGone)
{
    {
        auto pFirst = std::make_unique<CGXFont>();
        pFirst->SetSize(11.5).SetFaceName(_T("Share Test"));
        auto pSecond = std::make_unique<CGXFont>();
        pSecond->SetFaceName(_T("Share Test")).SetSize(11.5);
        EXPECT_EQ(&pFirst->GetLogFont(), &pSecond->GetLogFont());
        EXPECT_EQ(NewEntries(), 1);

        const CGXFont copy(*pFirst); // a copy takes its own reference
        pFirst.reset();
        pSecond.reset();
        EXPECT_EQ(NewEntries(), 1);
        EXPECT_EQ(copy.GetLogFont().lfHeight, -15);

        // A font that changes gives its entry up.
        CGXFont changed(copy);
        changed.GetLogFont();
        changed.SetItalic(TRUE);
        changed.GetLogFont();
        EXPECT_EQ(NewEntries(), 2);
    }
    EXPECT_EQ(NewEntries(), 0);
}

TEST_F(FontTest, MergingReleasesTheEntryOfTheFormerAttributes)
{
    {
        CGXFont small;
        small.SetSize(9).SetBold(TRUE);
        CGXFont large;
        large.SetSize(14).SetBold(TRUE);
        small.GetLogFont();
        large.GetLogFont();
        EXPECT_EQ(NewEntries(), 2);

        // small takes large's attributes: its own entry goes, large's stays with large.
        small.ChangeFont(CGXFont().SetSize(14), 0);
        EXPECT_EQ(NewEntries(), 1);
        EXPECT_EQ(large.GetLogFont().lfHeight, -19);
        EXPECT_EQ(&small.GetLogFont(), &large.GetLogFont());
    }
    EXPECT_EQ(NewEntries(), 0);
}

TEST(FontStateTest, FaceNamesAreCutToTheirFields)
{
    // A thread of its own, so that its face table can be filled up.
    std::thread([] {
        GX_FONT_STATE* pState = GXGetFontState();
        EXPECT_EQ(pState->LookupFaceName(_T("Arial")), 0u);
        EXPECT_EQ(pState->LookupFaceName(_T("")), 1023u);
        EXPECT_EQ(pState->LookupFaceName(nullptr), 1023u);

        const CString strLong(L'x', 100);
        const UINT nLong = pState->LookupFaceName(strLong);
        EXPECT_EQ(CString(GXGetFaceNameByIndex(nLong)), CString(L'x', 65));
        EXPECT_EQ(pState->LookupFaceName(strLong), nLong); // found again under its cut name

        CGXFont font;
        font.SetFaceNameIndex(nLong);
        EXPECT_EQ(CString(font.GetLogFont().lfFaceName), CString(L'x', LF_FACESIZE - 1));

        // Indexes run out at 1023: later names have no face.
        UINT nIndex = 0;
        for (int i = 0; nIndex != 1023; ++i)
        {
            CString strName;
            strName.Format(L"Face %d", i);
            nIndex = pState->LookupFaceName(strName);
        }
        EXPECT_NE(pState->LookupFaceName(_T("Arial")), 1023u);
        EXPECT_EQ(pState->GetFaceEntry(1023), nullptr);
        EXPECT_NE(pState->GetFaceEntry(1022), nullptr);
        EXPECT_EQ(GXGetFaceNameIndex(_T("One Too Many")), 1023u);
    }).join();
}
