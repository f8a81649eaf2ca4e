#include <grid/core/Properties.h>
#include <grid/core/SysData.h>

#include <gtest/gtest.h>

namespace
{
CString CellValue(CGXData& data, ROWCOL nRow, ROWCOL nCol, CGXStyle* pStyle = nullptr)
{
    CGXStyle style;
    if (!data.GetStyleImpl(nRow, nCol, style, CGXStyle::modeCopy, 0))
        return _T("-");
    if (pStyle != nullptr)
        *pStyle = style;
    return style.GetValue();
}

// A system colour as the properties keep it: the marker over the value at registration.
COLORREF Marked(int nIndex)
{
    return (static_cast<COLORREF>(254 - nIndex) << 24) | GXGetSysData()->GetSysColor(nIndex);
}

TEST(Properties, DisplayAndPrintDefaults)
{
    CGXProperties properties;
    EXPECT_TRUE(properties.m_b3dHeader && properties.m_bVerticalLines && properties.m_bHorizontalLines &&
                properties.m_bMarkRowHeader && properties.m_bMarkColHeader);
    EXPECT_EQ(properties.m_strSection, _T("Grid"));
    EXPECT_EQ(properties.m_nZoom, 100);
    // Center Horizontal, Center Vertical, Print Column Headers, Print Horizontal Lines, Print
    // Row Headers, Print Vertical Lines, Page Order, Print Only B&W, Print Frame.
    const int flags[] = {properties.m_bCenterHorizontal, properties.m_bCenterVertical,  properties.m_bPrintColHeaders,
                         properties.m_bPrintHorzLines,   properties.m_bPrintRowHeaders, properties.m_bPrintVertLines,
                         properties.m_nPageOrder,        properties.m_bPrintBlackWhite, properties.m_bPrintFrame};
    EXPECT_EQ(std::vector<int>(std::begin(flags), std::end(flags)), (std::vector<int>{1, 0, 1, 1, 1, 1, 0, 1, 1}));
    EXPECT_EQ(std::vector<int>(std::begin(properties.m_anMargins), std::end(properties.m_anMargins)),
              (std::vector<int>{1500, 1000, 1500, 1000}));
    EXPECT_EQ(properties.m_nHeaderDistance, 400);
    EXPECT_EQ(properties.m_nFooterDistance, 400);
    EXPECT_EQ(properties.m_nFirstPage, -1);

    const CStringArray& tokens = properties.GetTokenArray();
    ASSERT_EQ(tokens.GetSize(), 6);
    EXPECT_EQ(tokens[0] + tokens[1] + tokens[2] + tokens[3] + tokens[4] + tokens[5], _T("$F$A$P$N$D$R"));
    EXPECT_EQ(properties.AddHeaderFooterToken(_T("$X")), 6);
}

TEST(Properties, RegistersTheFiveColours)
{
    CGXProperties properties;
    ASSERT_EQ(properties.GetColorNameArray().GetSize(), 5);
    EXPECT_EQ(properties.GetColorNameArray()[0], _T("Grid Lines"));
    EXPECT_EQ(properties.GetColorNameArray()[4], _T("Background"));
    EXPECT_EQ(properties.GetColor(CGXProperties::colorGridLines), Marked(17));
    EXPECT_EQ(properties.GetColor(CGXProperties::colorFixedLines), Marked(2));
    EXPECT_EQ(properties.GetColor(CGXProperties::colorTrackingLine), 0x0000FFu);
    EXPECT_EQ(properties.GetColor(CGXProperties::colorDraggingLine), 0x0000FFu);
    EXPECT_EQ(properties.GetColor(CGXProperties::colorBackground), Marked(15));
    EXPECT_EQ(properties.GetColor(5), 0u);
    EXPECT_EQ(properties.GetColor(-1), 0u);

    EXPECT_EQ(properties.AddColorPropertyByName(_T("Grid Lines"), RGB(1, 2, 3)), 0);
    EXPECT_EQ(properties.GetColor(0), Marked(17));
    EXPECT_EQ(properties.AddColorPropertyByName(_T("Marker"), RGB(1, 2, 3)), 5);
    EXPECT_EQ(properties.GetColor(5), RGB(1, 2, 3));
}

TEST(Properties, HeaderAndFooterCells)
{
    CGXProperties properties;
    CGXData& footer = properties.GetDataFooter();
    EXPECT_EQ(footer.GetRowCount(), 10u);
    EXPECT_EQ(footer.GetColCount(), 3u);
    EXPECT_EQ(CellValue(footer, 1, 1), _T("$D"));
    EXPECT_EQ(CellValue(footer, 1, 2), _T("-"));
    EXPECT_EQ(CellValue(footer, 1, 3), _T("$P/$N"));

    CGXData& header = properties.GetDataHeader();
    EXPECT_EQ(header.GetRowCount(), 10u);
    EXPECT_EQ(header.GetColCount(), 3u);
    CGXStyle style;
    EXPECT_EQ(CellValue(header, 1, 2, &style), _T("$R"));
    EXPECT_TRUE(style.GetFont().GetBold());
    EXPECT_EQ(style.GetFont().GetSize(), 16);
    EXPECT_EQ(CellValue(header, 1, 1), _T("-"));
}

TEST(Properties, UserPropertiesHoldACopyOfTheirStyle)
{
    CGXProperties properties;
    EXPECT_EQ(properties.GetUserProperty(51005).GetIncludeBits(), 0u);

    properties.AddDefaultUserProperties();
    const CGXStyle& frame = properties.GetUserProperty(CGXProperties::idCurrentCellProperty);
    EXPECT_EQ(frame.GetControl(), 52529);
    EXPECT_EQ(frame.GetChoiceList(), properties.m_strFrameInvertThin + _T("\n") + properties.m_strFrameInvertThick +
                                         _T("\n") + properties.m_strFrameThinBorder + _T("\n") +
                                         properties.m_strFrameThickBorder + _T("\n") + properties.m_strFrameNoBorder);
    EXPECT_EQ(frame.GetValue(), properties.m_strFrameInvertThin);

    CGXStyle second;
    second.SetValue(_T("second"));
    properties.AddUserProperty(51005, second);
    second.SetValue(_T("changed later"));
    EXPECT_EQ(properties.GetUserPropertyInfoMap().GetCount(), 1);
    EXPECT_EQ(properties.GetUserProperty(51005).GetValue(), _T("second"));

    properties.AddUserProperty(7, second);
    void* pEntry = nullptr;
    ASSERT_TRUE(properties.GetUserPropertyInfoMap().Lookup(7, pEntry));
    EXPECT_EQ(static_cast<CGXProperties::UserPropertyInfo*>(pEntry)->strName, _T("USERPROP7"));

    properties.ResetUserProperties();
    EXPECT_EQ(properties.GetUserPropertyInfoMap().GetCount(), 0);
    EXPECT_EQ(properties.GetColorNameArray().GetSize(), 0);
    EXPECT_EQ(properties.GetUserProperty(7).GetIncludeBits(), 0u);
}

TEST(Properties, BlackAndWhiteNeedsTheFlagAndThePrintOption)
{
    CGXProperties properties;
    EXPECT_FALSE(properties.IsBlackWhiteOutput());
    properties.m_bBlackWhite = TRUE;
    EXPECT_TRUE(properties.IsBlackWhiteOutput());
    properties.m_bPrintBlackWhite = FALSE;
    EXPECT_FALSE(properties.IsBlackWhiteOutput());
}
} // namespace
