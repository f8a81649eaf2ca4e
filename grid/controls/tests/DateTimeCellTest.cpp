#include "GridTestSupport.h"

#include <grid/controls/DateTimeCtrl.h>
#include <grid/core/FindReplaceState.h>
#include <grid/core/GridParam.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <testing/MessagePump.h>

#include <map>

#include <gtest/gtest.h>

// Wine's locale is pinned to English (United States) by the test environment.
namespace
{
constexpr WORD idsFormatType = 51038;
constexpr WORD idsCustomFormat = 51039;
constexpr WORD idsPrecision = 52572;

class DateTimeCellTest : public HiddenGridTest
{
protected:
    void SetUp() override
    {
        HiddenGridTest::SetUp();
        m_grid.SetColWidth(1, 2, 160);
        CGXStyle column;
        column.SetControl(GX_IDS_CTRL_DATETIME);
        ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange().SetCols(1, 2), column));
    }

    void SetCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
    {
        ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange(nRow, nCol), style));
    }
    void SetCellValue(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue)
    {
        CGXStyle style;
        style.SetValue(pszValue);
        SetCell(nRow, nCol, style);
    }
    // The current cell's date-time control, bound to the cell.
    CGXDateTimeCtrl* ControlAt(ROWCOL nRow, ROWCOL nCol)
    {
        EXPECT_TRUE(m_grid.SetCurrentCell(nRow, nCol));
        auto* pControl = dynamic_cast<CGXDateTimeCtrl*>(m_grid.GetCurrentCellControl());
        EXPECT_NE(pControl, nullptr);
        return pControl;
    }
    CGXDateTimeCtrl* Control()
    {
        return static_cast<CGXDateTimeCtrl*>(m_grid.GetRegisteredControl(GX_IDS_CTRL_DATETIME));
    }
    CGXStyle Composed(ROWCOL nRow, ROWCOL nCol)
    {
        CGXStyle style;
        m_grid.ComposeStyleRowCol(nRow, nCol, &style);
        return style;
    }
    // The focused field of the editing window, null when none has the focus.
    static CGXBDTGadget* FocusedField(CGXDateTimeCtrl* pControl)
    {
        for (INT_PTR i = 0; i < pControl->GetGadgetCount(); ++i)
            if (pControl->GetGadget(i)->HasFocus())
                return pControl->GetGadget(i);
        return nullptr;
    }
    static void PutOnClipboard(HWND hWnd, const CString& strText)
    {
        ASSERT_TRUE(::OpenClipboard(hWnd));
        ::EmptyClipboard();
        const SIZE_T nBytes = (strText.GetLength() + 1) * sizeof(WCHAR);
        HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, nBytes);
        memcpy(::GlobalLock(hText), static_cast<LPCWSTR>(strText), nBytes);
        ::GlobalUnlock(hText);
        ::SetClipboardData(CF_UNICODETEXT, hText);
        ::CloseClipboard();
    }
    static CString Number(const COleDateTime& date)
    {
        CString strText;
        strText.Format(_T("%.13g"), static_cast<DATE>(date));
        return strText;
    }
};

TEST_F(DateTimeCellTest, TheFactoryMakesBothKindsWithTheirButtons)
{
    for (WORD nId : {WORD(52543), WORD(52544)})
    {
        CGXControl* pControl = m_grid.GetRegisteredControl(nId);
        ASSERT_NE(pControl, nullptr);
        ASSERT_TRUE(pControl->IsControlKindOf(&CGXDateTimeCtrl::ctlClassCGXDateTimeCtrl)) << nId;
        auto* pWindow = static_cast<CGXDateTimeCtrl*>(pControl);
        EXPECT_EQ((pWindow->GetStyle() & GXBDT_DS_CALENDAR) != 0, nId == 52543) << nId;
        EXPECT_NE(pWindow->GetStyle() & GXBDT_DS_SPIN, 0u) << nId;
        EXPECT_TRUE(pWindow->GetValueField());
    }
}

TEST_F(DateTimeCellTest, BothKindsInOneGridGiveEveryChildWindowItsOwnId)
{
    for (WORD nId : {WORD(52543), WORD(52544)})
        ASSERT_NE(m_grid.GetRegisteredControl(nId), nullptr);
    std::map<int, int> windowsOfId;
    for (HWND hChild = ::GetWindow(m_grid.m_hWnd, GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        ++windowsOfId[::GetDlgCtrlID(hChild)];
    EXPECT_GE(windowsOfId.size(), 6u);
    for (const auto& [nId, nWindows] : windowsOfId)
        EXPECT_EQ(nWindows, 1) << nId;
    const CGXDateTimeCtrl* pCalendar = static_cast<CGXDateTimeCtrl*>(m_grid.GetRegisteredControl(52543));
    EXPECT_EQ(::GetDlgCtrlID(pCalendar->m_hWnd), 52543);
}

TEST_F(DateTimeCellTest, TypedDatesStayLocaleTextWhilePasteAndStoreValueGiveNumbers)
{
    const CString strJune7 = Number(COleDateTime(1992, 6, 7, 0, 0, 0));

    // Edited in the window and stored when the current cell moves: the locale's short date.
    CGXDateTimeCtrl* pControl = ControlAt(1, 1);
    ASSERT_TRUE(pControl->StoreText(_T("6/7/1992")));
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 1));
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("6/7/1992"));

    // Pasted into the active cell: the date's number.
    pControl = ControlAt(3, 1);
    pControl->SetActive(TRUE);
    PutOnClipboard(m_grid.m_hWnd, _T("6/7/1992"));
    EXPECT_TRUE(pControl->PasteFromClipboard());
    EXPECT_EQ(m_grid.GetValueRowCol(3, 1), strJune7);

    // Stored through the control's conversion: the number as well.
    EXPECT_TRUE(m_grid.SetControlTextRowCol(4, 1, _T("6/7/1992"), GX_UPDATENOW, nullptr));
    EXPECT_EQ(m_grid.GetValueRowCol(4, 1), strJune7);

    // Both forms show the same fields.
    for (ROWCOL nRow : {1u, 3u, 4u})
    {
        CString strShown;
        EXPECT_TRUE(Control()->FormatDisplayText(strShown, nRow, 1, nullptr, Composed(nRow, 1)));
        EXPECT_EQ(strShown, _T("6/7/1992")) << nRow;
    }
}

TEST_F(DateTimeCellTest, TextsThatAreNoDateAreRefusedAndTheCellKeepsItsValue)
{
    SetCellValue(1, 1, _T("39448"));
    for (LPCTSTR pszText : {_T("not a date"), _T("31,2,2008"), _T("0")})
    {
        EXPECT_FALSE(m_grid.SetControlTextRowCol(1, 1, pszText, GX_UPDATENOW, nullptr)) << pszText;
        EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("39448")) << pszText;
    }
    CGXDateTimeCtrl* pControl = ControlAt(1, 1);
    pControl->SetActive(TRUE);
    PutOnClipboard(m_grid.m_hWnd, _T("soon"));
    EXPECT_FALSE(pControl->PasteFromClipboard());
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("39448"));
    CString strShown;
    EXPECT_FALSE(pControl->FormatDisplayText(strShown, 1, 1, _T("soon"), Composed(1, 1)));
    EXPECT_TRUE(strShown.IsEmpty());
}

TEST_F(DateTimeCellTest, TextsTheDateParserRefusesFillTheFieldsOfTheFormatPartByPart)
{
    struct Case
    {
        LPCTSTR pszFormat;
        LPCTSTR pszText;
        COleDateTime expected;
    };
    const Case cases[] = {{_T("H:mm"), _T("13 45"), COleDateTime(1899, 12, 30, 13, 45, 0)},
                          {_T("yyyy-M-d H"), _T("2008,12,31,23"), COleDateTime(2008, 12, 31, 23, 0, 0)}};
    for (const Case& c : cases)
    {
        CGXStyle style;
        style.SetUserAttribute(idsCustomFormat, c.pszFormat);
        SetCell(1, 1, style);
        EXPECT_TRUE(m_grid.SetControlTextRowCol(1, 1, c.pszText, GX_UPDATENOW, nullptr)) << c.pszText;
        EXPECT_EQ(m_grid.GetValueRowCol(1, 1), Number(c.expected)) << c.pszText;
    }
    // A part that is no number for a number field, or a day the month lacks, is no date.
    for (LPCTSTR pszText : {_T("13 xx"), _T("2008,2,30,1")})
        EXPECT_FALSE(m_grid.SetControlTextRowCol(1, 1, pszText, GX_UPDATENOW, nullptr)) << pszText;
}

TEST_F(DateTimeCellTest, CopiedValuesAreDateNumbersWithSixDecimals)
{
    struct Case
    {
        LPCTSTR pszValue;
        LPCTSTR pszCopied;
    };
    const Case cases[] = {{_T("39448"), _T("39448.000000")},
                          {_T("1/1/2008"), _T("39448.000000")},
                          {_T("39448.5"), _T("39448.500000")},
                          {_T("someday"), _T("someday")}};
    for (const Case& c : cases)
    {
        SetCellValue(1, 1, c.pszValue);
        CString strCopied;
        Control()->GetValueForCopy(1, 1, Composed(1, 1), strCopied);
        EXPECT_EQ(strCopied, c.pszCopied) << c.pszValue;
    }
}

TEST_F(DateTimeCellTest, ThePrecisionAttributeIsKeptBetween13And15Digits)
{
    struct Case
    {
        LPCTSTR pszPrecision;
        int nDigits;
    };
    const Case cases[] = {{_T("20"), 15}, {_T("5"), 13}, {_T("14"), 14}, {nullptr, 13}};
    ROWCOL nRow = 5;
    for (const Case& c : cases)
    {
        CGXStyle style;
        if (c.pszPrecision != nullptr)
            style.SetUserAttribute(idsPrecision, c.pszPrecision);
        style.SetValue(_T("39448"));
        SetCell(nRow, 1, style);
        CGXDateTimeCtrl* pControl = ControlAt(nRow, 1);
        EXPECT_EQ(pControl->GetPrecision(), c.nDigits);
        CString strText = _T("1/1/2008 12:34:56 PM");
        ASSERT_TRUE(pControl->CanStoreValue(nRow, 1, strText, nullptr));
        CString strExpected;
        strExpected.Format(_T("%.*g"), c.nDigits, static_cast<DATE>(COleDateTime(2008, 1, 1, 12, 34, 56)));
        EXPECT_EQ(strText, strExpected) << c.nDigits;
        ++nRow;
    }
}

TEST_F(DateTimeCellTest, TheFormatTypeAndCustomPictureChooseTheFields)
{
    struct Case
    {
        LPCTSTR pszType;
        LPCTSTR pszCustom;
        int nKind;
    };
    const Case cases[] = {{_T("7"), nullptr, CGXBDateTimeCtrl::formatDateTime},
                          {_T("4"), nullptr, CGXBDateTimeCtrl::formatDateTime},
                          {nullptr, _T("yyyy"), CGXBDateTimeCtrl::formatCustom},
                          {nullptr, nullptr, CGXBDateTimeCtrl::formatShortDate},
                          {_T("0"), nullptr, CGXBDateTimeCtrl::formatTime}};
    for (const Case& c : cases)
    {
        CGXStyle style;
        if (c.pszType != nullptr)
            style.SetUserAttribute(idsFormatType, c.pszType);
        if (c.pszCustom != nullptr)
            style.SetUserAttribute(idsCustomFormat, c.pszCustom);
        CGXDateTimeCtrl* pControl = Control();
        EXPECT_EQ(pControl->ApplyFormatFromStyle(*pControl, style), c.nKind != CGXBDateTimeCtrl::formatTime);
        EXPECT_EQ(pControl->GetFormatKind(), c.nKind);
    }
}

TEST_F(DateTimeCellTest, SplitFieldTextsDropsEmptyPartsBetweenSeparators)
{
    struct Case
    {
        LPCTSTR pszText;
        std::vector<CString> parts;
    };
    const Case cases[] = {{_T("1,2,,2008"), {_T("1"), _T("2"), _T("2008")}},
                          {_T("12\r\n5"), {_T("12"), _T("5")}},
                          {_T(",5"), {_T(""), _T("5")}},
                          {_T("7 8,"), {_T("7"), _T("8")}},
                          {_T("2008"), {_T("2008")}}};
    for (const Case& c : cases)
    {
        CStringArray parts;
        EXPECT_TRUE(Control()->SplitFieldTexts(c.pszText, parts)) << c.pszText;
        ASSERT_EQ(parts.GetSize(), static_cast<INT_PTR>(c.parts.size())) << c.pszText;
        for (size_t i = 0; i < c.parts.size(); ++i)
            EXPECT_EQ(parts[static_cast<INT_PTR>(i)], c.parts[i]) << c.pszText;
    }
}

TEST_F(DateTimeCellTest, TypingADigitOnAnInactiveCellDeliversItToTheFirstField)
{
    SetCellValue(1, 1, _T("39448"));
    CGXDateTimeCtrl* pControl = ControlAt(1, 1);
    ASSERT_FALSE(pControl->IsActive());
    m_grid.SendMessage(WM_CHAR, '5', 1);
    EXPECT_TRUE(pControl->IsActive());
    PumpPendingMessages();
    auto* pField = dynamic_cast<CGXBDTNumericGadget*>(FocusedField(pControl));
    ASSERT_NE(pField, nullptr);
    EXPECT_EQ(pField->GetID(), CGXBDateTimeCtrl::idMonth) << "the first field of M/d/yyyy";
    EXPECT_EQ(pField->GetTypedDigitCount(), 1);
    EXPECT_EQ(pField->GetTypedValue(), 5);

    // Leaving the cell commits the digit and stores the edited date.
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 1));
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("5/1/2008"));
}

TEST_F(DateTimeCellTest, HomeAndEndActivateWithTheFirstOrLastField)
{
    SetCellValue(1, 1, _T("39448"));
    CGXDateTimeCtrl* pControl = ControlAt(1, 1);
    EXPECT_TRUE(pControl->OnKeyDown(VK_END, 1, 0));
    EXPECT_TRUE(pControl->IsActive());
    ASSERT_NE(FocusedField(pControl), nullptr);
    EXPECT_EQ(FocusedField(pControl)->GetID(), CGXBDateTimeCtrl::idYear4);
    EXPECT_TRUE(pControl->OnKeyDown(VK_HOME, 1, 0));
    EXPECT_EQ(FocusedField(pControl)->GetID(), CGXBDateTimeCtrl::idMonth);
}

TEST_F(DateTimeCellTest, ShiftDeleteKeepsTheValueAndDeleteClearsIt)
{
    SetCellValue(1, 1, _T("39448"));
    CGXDateTimeCtrl* pControl = ControlAt(1, 1);
    {
        const HeldKey shift(VK_SHIFT);
        pControl->OnKeyDown(VK_DELETE, 1, 0);
    }
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("39448"));
    pControl->OnKeyDown(VK_DELETE, 1, 0);
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T(""));

    // The editing window clears as well; with a cut pending the grid keeps Delete to itself.
    SetCellValue(2, 1, _T("39448"));
    pControl = ControlAt(2, 1);
    m_grid.GetParam()->SetCutPending(TRUE);
    pControl->OnKeyDown(VK_DELETE, 1, 0);
    EXPECT_EQ(m_grid.GetValueRowCol(2, 1), _T("39448"));
    m_grid.GetParam()->SetCutPending(FALSE);
    pControl->SetActive(TRUE);
    pControl->SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(m_grid.GetValueRowCol(2, 1), _T(""));
}

TEST_F(DateTimeCellTest, FindingADigitHitsTheFieldOfThatValue)
{
    CGXStyle style;
    style.SetValue(Number(COleDateTime(2008, 2, 12, 0, 0, 0))).SetUserAttribute(idsCustomFormat, _T("dd.MM.yyyy"));
    SetCell(3, 2, style);
    CString strShown;
    ASSERT_TRUE(Control()->FormatDisplayText(strShown, 3, 2, nullptr, Composed(3, 2)));
    ASSERT_EQ(strShown, _T("12.02.2008"));

    GX_FR_STATE find;
    find.m_strFind = find.m_strFindUpper = _T("2");
    ASSERT_TRUE(m_grid.SetCurrentCell(1, 1));
    CGXDateTimeCtrl* pControl = Control();
    ASSERT_TRUE(pControl->ForwardFeatureA(find, 3, 2, TRUE, TRUE));
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    ASSERT_TRUE(m_grid.GetCurrentCell(&nRow, &nCol));
    EXPECT_EQ(std::make_pair(nRow, nCol), std::make_pair(ROWCOL(3), ROWCOL(2)));
    EXPECT_TRUE(pControl->IsActive());
    ASSERT_NE(FocusedField(pControl), nullptr);
    EXPECT_EQ(FocusedField(pControl)->GetID(), CGXBDateTimeCtrl::idMonth);
    CString strSelected;
    pControl->GetCopyText(strSelected);
    EXPECT_EQ(strSelected, _T("2"));

    // Searching on from the hit finds nothing more.
    EXPECT_FALSE(pControl->ForwardFeatureA(find, 3, 2, FALSE, TRUE));
}

TEST_F(DateTimeCellTest, ReplaceAllStoresTheReplacementForAMatchingFieldUnlessReadOnly)
{
    CGXStyle style;
    style.SetValue(Number(COleDateTime(2008, 2, 12, 0, 0, 0))).SetUserAttribute(idsCustomFormat, _T("dd.MM.yyyy"));
    SetCell(3, 2, style);
    m_grid.GetParam()->m_bLockReadOnly = FALSE;
    SetCell(4, 2, CGXStyle(style).SetReadOnly(TRUE));
    m_grid.GetParam()->m_bLockReadOnly = TRUE;
    ASSERT_TRUE(m_grid.SetCurrentCell(1, 1));

    GX_FR_STATE find;
    find.m_strFind = find.m_strFindUpper = _T("2");
    find.m_strReplace = _T("3/3/2009");
    EXPECT_FALSE(Control()->ForwardFeatureB(find, 4, 2));
    EXPECT_EQ(m_grid.GetValueRowCol(4, 2), Number(COleDateTime(2008, 2, 12, 0, 0, 0)));
    EXPECT_TRUE(Control()->ForwardFeatureB(find, 3, 2));
    EXPECT_EQ(m_grid.GetValueRowCol(3, 2), Number(COleDateTime(2009, 3, 3, 0, 0, 0)));

    // "1" is no field's whole value in 03.03.2009.
    find.m_strFind = find.m_strFindUpper = _T("1");
    ASSERT_TRUE(m_grid.SetCurrentCell(1, 1));
    EXPECT_FALSE(Control()->ForwardFeatureB(find, 3, 2));
}

TEST_F(DateTimeCellTest, ATime64BecomesTheLocalDateAndTime)
{
    struct tm tmLocal = {};
    tmLocal.tm_year = 108;
    tmLocal.tm_mon = 0;
    tmLocal.tm_mday = 1;
    tmLocal.tm_hour = 12;
    tmLocal.tm_min = 30;
    tmLocal.tm_isdst = -1;
    const COleDateTime date = CGXDateTimeCtrl::DateTimeFromTime64(_mktime64(&tmLocal));
    ASSERT_EQ(date.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(static_cast<DATE>(date), static_cast<DATE>(COleDateTime(2008, 1, 1, 12, 30, 0)));
    EXPECT_EQ(CGXDateTimeCtrl::DateTimeFromTime64(-1).GetStatus(), COleDateTime::invalid);
}
} // namespace
