#include "FindPopupCalculator.h"
#include "GridTestSupport.h"

#include <grid/controls/BCalculator.h>
#include <grid/controls/CurrencyEdit.h>
#include <grid/core/AbstractUserAttribute.h>
#include <grid/core/FindReplaceState.h>
#include <grid/core/GridParam.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/services/ControlFactory.h>
#include <testing/MessagePump.h>
#include <testing/PrintString.h>

#include <gtest/gtest.h>

#include <clocale>

// Wine's locale is pinned to English (United States) by the test environment.
namespace
{
// A grid that can refuse to store values.
class RefusingGrid : public TestGrid
{
public:
    BOOL SetValueRange(const CGXRange& range, LPCTSTR pszValue, int nMode, UINT flags) override
    {
        return !m_bRefuse && TestGrid::SetValueRange(range, pszValue, nMode, flags);
    }
    BOOL m_bRefuse = FALSE;
};

void SetFind(GX_FR_STATE& find, LPCTSTR pszFind, LPCTSTR pszReplace = _T(""), BOOL bCase = FALSE)
{
    find.m_strFind = pszFind;
    find.m_strFindUpper = pszFind;
    find.m_strFindUpper.MakeUpper();
    find.m_strReplace = pszReplace;
    find.m_bCase = bCase;
}

class CurrencyCellTest : public HiddenGridOfTest<RefusingGrid>
{
protected:
    void SetUp() override
    {
        HiddenGridOfTest<RefusingGrid>::SetUp();
        m_grid.SetColWidth(1, 3, 120);
        CGXStyle column;
        column.SetControl(GX_IDS_CTRL_CURRENCY);
        ASSERT_TRUE(m_grid.SetStyleRangeShort(CGXRange().SetCols(1, 3), column));
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
    // Read-only cells are changed only with the lock off.
    void SetReadOnlyCell(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue)
    {
        m_grid.GetParam()->m_bLockReadOnly = FALSE;
        CGXStyle locked;
        locked.SetValue(pszValue).SetReadOnly(TRUE);
        SetCell(nRow, nCol, locked);
        m_grid.GetParam()->m_bLockReadOnly = TRUE;
    }
    CGXCurrencyEdit* Control()
    {
        return static_cast<CGXCurrencyEdit*>(m_grid.GetRegisteredControl(GX_IDS_CTRL_CURRENCY));
    }
    CGXCurrencyEdit* ControlAt(ROWCOL nRow, ROWCOL nCol)
    {
        EXPECT_TRUE(m_grid.SetCurrentCell(nRow, nCol));
        auto* pControl = dynamic_cast<CGXCurrencyEdit*>(m_grid.GetCurrentCellControl());
        EXPECT_NE(pControl, nullptr);
        return pControl;
    }
    CString WindowText(CGXCurrencyEdit* pControl)
    {
        CString strText;
        pControl->GetWindowText(strText);
        return strText;
    }
    // The format that the attributes make on top of the given one.
    CGXBCurrencyFormat Applied(const CGXBCurrencyFormat& start, const CGXStyle& style)
    {
        Control()->SetFormat(start);
        Control()->ApplyStyleToFormat(nullptr, style);
        return Control()->GetFormat();
    }
};
} // namespace

TEST_F(CurrencyCellTest, TheFactoryMakesTheControlAndRegistersItsAttributes)
{
    CGXControl* pControl = m_grid.GetRegisteredControl(GX_IDS_CTRL_CURRENCY);
    ASSERT_NE(pControl, nullptr);
    EXPECT_TRUE(pControl->IsControlKindOf(&CGXCurrencyEdit::ctlClassCGXCurrencyEdit));
    WCHAR szClass[64] = {};
    ::GetClassName(Control()->m_hWnd, szClass, 64);
    EXPECT_STREQ(szClass, L"CGXBCurrencyEdit");

    CGXStylesMap stylesMap;
    CGXControlFactory().RegisterAllUserAttributes(&stylesMap);
    const CGXStylesMap* pMap = &stylesMap;
    const auto* pAttributes = pMap->GetUserAttributeInfo(GX_IDS_UA_CURRENCY_ATTRIBUTES);
    ASSERT_NE(pAttributes, nullptr);
    EXPECT_EQ(pAttributes->strName, _T("Currency: Attributes"));
    ASSERT_NE(pAttributes->pStyle, nullptr);
    EXPECT_EQ(pAttributes->pStyle->GetControl(), 52535);
    EXPECT_EQ(pAttributes->pStyle->GetUserAttribute(51023).GetValue(), _T("##AAAA#"));
    const auto* pPositive = pMap->GetUserAttributeInfo(GX_IDS_UA_CURRENCY_POSITIVE);
    ASSERT_NE(pPositive, nullptr);
    EXPECT_EQ(pPositive->pStyle->GetControl(), 52532);
    EXPECT_EQ(pPositive->pStyle->GetChoiceList(), _T("$1\n1$\n$ 1\n1 $\n(1$)"));
    const auto* pNegative = pMap->GetUserAttributeInfo(GX_IDS_UA_CURRENCY_NEGATIVE);
    ASSERT_NE(pNegative, nullptr);
    EXPECT_EQ(pNegative->pStyle->GetChoiceList().Left(13), _T("($1)\n-$1\n$-1\n"));
    EXPECT_EQ(pMap->GetUserAttributeInfo(GX_IDS_UA_CURRENCY_DECIMALS)->strName,
              _T("Currency: Number of fractional digits "));
    EXPECT_EQ(pMap->GetUserAttributeInfo(GX_IDS_UA_CURRENCY_SYMBOL)->strName, _T("Currency: Monetary Symbol. "));
    EXPECT_EQ(pMap->GetUserAttributeInfo(GX_IDS_UA_CURRENCY_SEPARATORS)->strName, _T("Currency: Separators"));
}

TEST_F(CurrencyCellTest, AttributesMakeTheFormat)
{
    CGXBCurrencyFormat start;
    start.SetThousandSeparator(_T('\''));
    start.SetLeadingZero(FALSE);
    start.SetMonetarySymbol(_T("EUR"));

    CGXStyle style;
    // Unset attributes leave the window's settings.
    CGXBCurrencyFormat format = Applied(start, style);
    EXPECT_TRUE(format.IsEqual(start));

    style.SetUserAttribute(GX_IDS_UA_CURRENCY_ATTRIBUTES, _T("1"));
    format = Applied(start, style);
    EXPECT_TRUE(format.GetLeadingZero());
    EXPECT_TRUE(format.GetKeepTrailingDigits());
    EXPECT_EQ(format.GetPaddingChar(), _T(' '));
    EXPECT_EQ(format.GetThousandSeparator(), _T('\''));

    struct Case
    {
        LPCTSTR pszSeparators;
        TCHAR chThousands;
        TCHAR chDecimal;
    };
    const Case separators[] = {{_T("0,"), 0, _T(',')}, {_T("xyz"), _T(','), _T('.')}, {_T(".,"), _T('.'), _T(',')}};
    for (const Case& c : separators)
    {
        CGXStyle separated;
        separated.SetUserAttribute(GX_IDS_UA_CURRENCY_SEPARATORS, c.pszSeparators);
        format = Applied(start, separated);
        EXPECT_EQ(format.GetThousandSeparator(), c.chThousands) << CW2A(c.pszSeparators);
        EXPECT_EQ(format.GetDecimalSeparator(), c.chDecimal) << CW2A(c.pszSeparators);
    }

    CGXStyle symbol;
    symbol.SetUserAttribute(GX_IDS_UA_CURRENCY_SYMBOL, _T("0"));
    EXPECT_EQ(Applied(start, symbol).GetMonetarySymbol(), _T(""));

    // Values out of range keep what the format had.
    CGXStyle wrong;
    wrong.SetUserAttribute(GX_IDS_UA_CURRENCY_POSITIVE, _T("4"))
        .SetUserAttribute(GX_IDS_UA_CURRENCY_NEGATIVE, _T("16"))
        .SetUserAttribute(GX_IDS_UA_CURRENCY_DECIMALS, _T("-1"))
        .SetUserAttribute(GX_IDS_UA_CURRENCY_INTEGER_DIGITS, _T("1000000000"));
    start.SetPositivePattern(2);
    start.SetNegativePattern(5);
    start.SetIntegerDigits(6);
    format = Applied(start, wrong);
    EXPECT_EQ(format.GetPositivePattern(), 2);
    EXPECT_EQ(format.GetNegativePattern(), 5);
    EXPECT_EQ(format.GetDecimalDigits(), 2);
    EXPECT_EQ(format.GetIntegerDigits(), 6);
    CGXStyle right;
    right.SetUserAttribute(GX_IDS_UA_CURRENCY_POSITIVE, _T("3"))
        .SetUserAttribute(GX_IDS_UA_CURRENCY_NEGATIVE, _T("15"))
        .SetUserAttribute(GX_IDS_UA_CURRENCY_DECIMALS, _T("0"))
        .SetUserAttribute(GX_IDS_UA_CURRENCY_INTEGER_DIGITS, _T("0"));
    format = Applied(start, right);
    EXPECT_EQ(format.GetPositivePattern(), 3);
    EXPECT_EQ(format.GetNegativePattern(), 15);
    EXPECT_EQ(format.GetDecimalDigits(), 0);
    EXPECT_EQ(format.GetIntegerDigits(), CGXBCurrencyFormat::noLimit);
}

TEST_F(CurrencyCellTest, ConvertsBetweenAmountsAndNumberTexts)
{
    CGXCurrencyEdit* pControl = Control();
    CGXStyle style;
    CString strText = _T("$1,234.5");
    EXPECT_TRUE(pControl->CanStoreValue(1, 1, strText, &style));
    EXPECT_EQ(strText, _T("1234.50"));
    strText = _T("($7)");
    EXPECT_TRUE(pControl->CanStoreValue(1, 1, strText, &style));
    EXPECT_EQ(strText, _T("-7.00"));
    strText.Empty();
    EXPECT_TRUE(pControl->CanStoreValue(1, 1, strText, &style));
    EXPECT_EQ(strText, _T(""));
    strText = _T("abc");
    EXPECT_FALSE(pControl->CanStoreValue(1, 1, strText, &style));

    SetCellValue(2, 1, _T("5.00"));
    EXPECT_FALSE(m_grid.SetControlTextRowCol(2, 1, _T("abc"), GX_UPDATENOW, nullptr));
    EXPECT_EQ(m_grid.GetValueRowCol(2, 1), _T("5.00"));
    EXPECT_TRUE(m_grid.SetControlTextRowCol(2, 1, _T("$12.5"), GX_UPDATENOW, nullptr));
    EXPECT_EQ(m_grid.GetValueRowCol(2, 1), _T("12.50"));

    style.SetValue(_T("1234.5"));
    CString strShown;
    EXPECT_TRUE(pControl->FormatDisplayText(strShown, 1, 1, nullptr, style));
    EXPECT_EQ(strShown, _T("$1,234.50"));
    style.SetUserAttribute(GX_IDS_UA_CURRENCY_SEPARATORS, _T(".,"))
        .SetUserAttribute(GX_IDS_UA_CURRENCY_SYMBOL, _T("0"));
    EXPECT_TRUE(pControl->FormatDisplayText(strShown, 1, 1, nullptr, style));
    EXPECT_EQ(strShown, _T("1.234,50"));
    CString strCopy;
    pControl->GetValueForCopy(1, 1, style, strCopy);
    EXPECT_EQ(strCopy, _T("1234.50"));
    style.SetValue(_T(""));
    EXPECT_FALSE(pControl->FormatDisplayText(strShown, 1, 1, nullptr, style));
}

TEST_F(CurrencyCellTest, StoredTextsKeepTheirPointUnderACommaLocale)
{
    const CString strOld = _wsetlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(_wsetlocale(LC_NUMERIC, L"German"), nullptr);
    CGXStyle style;
    CString strText = _T("$1,234.5");
    const BOOL bStored = Control()->CanStoreValue(1, 1, strText, &style);
    CGXCurrencyEdit* pControl = ControlAt(3, 1);
    pControl->SetValue(_T("2.5"));
    pControl->SetModified(TRUE);
    CString strValue;
    pControl->GetStyleValue(strValue);
    _wsetlocale(LC_NUMERIC, strOld);
    EXPECT_TRUE(bStored);
    EXPECT_EQ(strText, _T("1234.50"));
    EXPECT_EQ(strValue, _T("2.50"));
}

TEST_F(CurrencyCellTest, TypingIntoAnInactiveCellReachesTheWindow)
{
    SetCellValue(1, 1, _T("3"));
    CGXCurrencyEdit* pControl = ControlAt(1, 1);
    ASSERT_FALSE(pControl->IsActive());
    EXPECT_FALSE(pControl->OnChar('7', 1, 0));
    EXPECT_TRUE(pControl->IsActive());
    PumpPendingMessages();
    EXPECT_EQ(WindowText(pControl), _T("$7.00"));
    EXPECT_TRUE(pControl->IsModified());
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 1));
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("7.00"));
}

TEST_F(CurrencyCellTest, SpaceFlipsTheSignUnlessReadOnly)
{
    SetCellValue(1, 1, _T("12.5"));
    CGXCurrencyEdit* pControl = ControlAt(1, 1);
    EXPECT_TRUE(pControl->OnKeyDown(VK_SPACE, 1, 0));
    EXPECT_EQ(WindowText(pControl), _T("($12.50)"));
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 1));
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("-12.50"));

    SetReadOnlyCell(3, 1, _T("4"));
    pControl = ControlAt(3, 1);
    EXPECT_FALSE(pControl->OnKeyDown(VK_SPACE, 1, 0));
    EXPECT_FALSE(pControl->IsNegative());
}

TEST_F(CurrencyCellTest, AltDownOpensTheCalculatorWithADropButton)
{
    for (LPCTSTR pszAttributes : {_T("1100"), _T("1101")})
    {
        CGXStyle style;
        style.SetValue(_T("8")).SetUserAttribute(GX_IDS_UA_CURRENCY_ATTRIBUTES, pszAttributes);
        SetCell(1, 1, style);
        CGXCurrencyEdit* pControl = ControlAt(1, 1);
        EXPECT_TRUE(pControl->OnSysKeyDown(VK_DOWN, 1, 0));
        CGXBPopupCalculator* pPopup = FindPopupCalculator();
        EXPECT_EQ(pPopup != nullptr, pszAttributes[3] != _T('0')) << CW2A(pszAttributes);
        if (pPopup != nullptr)
        {
            EXPECT_EQ(pPopup->GetDisplayText(), _T("8."));
            pPopup->DestroyWindow();
        }
        ASSERT_TRUE(m_grid.SetCurrentCell(2, 2));
    }
}

TEST_F(CurrencyCellTest, FindsInTheActiveCellAndInOthers)
{
    CGXStyle style;
    style.SetValue(_T("12"))
        .SetUserAttribute(GX_IDS_UA_CURRENCY_SYMBOL, _T("eur"))
        .SetUserAttribute(GX_IDS_UA_CURRENCY_ATTRIBUTES, _T("11*1"));
    SetCell(1, 1, style);
    SetCell(2, 1, style);
    SetCellValue(3, 1, _T("312"));
    CGXCurrencyEdit* pControl = ControlAt(3, 1);
    pControl->SetActive(TRUE);
    EXPECT_EQ(WindowText(pControl), _T("$312.00"));

    // "$12" in the active cell searches "12".
    GX_FR_STATE find;
    SetFind(find, _T("$12"));
    ASSERT_TRUE(pControl->ForwardFeatureA(find, 3, 1, TRUE, TRUE));
    EXPECT_EQ(pControl->SendMessage(EM_GETSEL), MAKELRESULT(2, 4));

    // Lower case with case: never in the active cell's capitals, but in another cell's text.
    ControlAt(1, 1)->SetActive(TRUE);
    SetFind(find, _T("ur"), _T(""), TRUE);
    EXPECT_FALSE(Control()->ForwardFeatureA(find, 1, 1, TRUE, FALSE));
    EXPECT_TRUE(Control()->ForwardFeatureA(find, 2, 1, TRUE, FALSE));

    // The padding character alone matches at the start.
    SetFind(find, _T("*"));
    ASSERT_TRUE(Control()->ForwardFeatureA(find, 2, 1, TRUE, TRUE));
    EXPECT_TRUE(m_grid.IsCurrentCell(2, 1));
    EXPECT_EQ(Control()->SendMessage(EM_GETSEL), MAKELRESULT(0, 0));
}

TEST_F(CurrencyCellTest, ReplaceAllStoresTheNumberText)
{
    GX_FR_STATE find;
    SetFind(find, _T("0"), _T("5"));
    EXPECT_TRUE(Control()->ForwardFeatureB(find, 1, 1));
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("5.00"));

    SetCellValue(2, 1, _T("1.5"));
    SetFind(find, _T("1.5"), _T("2"));
    EXPECT_TRUE(Control()->ForwardFeatureB(find, 2, 1));
    EXPECT_EQ(m_grid.GetValueRowCol(2, 1), _T("2.00"));

    // Under "." for thousands the number text still stores the amount.
    CGXStyle european;
    european.SetValue(_T("1234.5")).SetUserAttribute(GX_IDS_UA_CURRENCY_SEPARATORS, _T(".,"));
    SetCell(3, 1, european);
    SetFind(find, _T("4"), _T("6"));
    EXPECT_TRUE(Control()->ForwardFeatureB(find, 3, 1));
    EXPECT_EQ(m_grid.GetValueRowCol(3, 1), _T("1236.50"));

    SetCellValue(4, 1, _T("7"));
    struct Case
    {
        LPCTSTR pszFind;
        LPCTSTR pszReplace;
        BOOL bRefuse;
    };
    const Case refused[] = {
        {_T("$"), _T("("), FALSE}, {_T("7"), _T("8"), TRUE}, {_T(""), _T("8"), FALSE}, {_T("9"), _T("8"), FALSE}};
    for (const Case& c : refused)
    {
        m_grid.m_bRefuse = c.bRefuse;
        SetFind(find, c.pszFind, c.pszReplace);
        EXPECT_FALSE(Control()->ForwardFeatureB(find, 4, 1)) << CW2A(c.pszFind);
        EXPECT_EQ(m_grid.GetValueRowCol(4, 1), _T("7")) << CW2A(c.pszFind);
    }
    m_grid.m_bRefuse = FALSE;
}

TEST_F(CurrencyCellTest, TheCalculatorsResultTakesTheCellsDecimalSeparator)
{
    CGXStyle european;
    european.SetValue(_T("1")).SetUserAttribute(GX_IDS_UA_CURRENCY_SEPARATORS, _T(".,"));
    SetCell(1, 1, european);
    CGXCurrencyEdit* pControl = ControlAt(1, 1);
    pControl->SendMessage(GXB_CALC_RESULT, 0, reinterpret_cast<LPARAM>(_T("12.5")));
    EXPECT_EQ(WindowText(pControl), _T("$12,50"));
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 1));
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("12.50"));

    SetReadOnlyCell(3, 1, _T("4"));
    pControl = ControlAt(3, 1);
    pControl->SendMessage(GXB_CALC_RESULT, 0, reinterpret_cast<LPARAM>(_T("9")));
    EXPECT_EQ(WindowText(pControl), _T("$4.00"));
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 1));
    EXPECT_EQ(m_grid.GetValueRowCol(3, 1), _T("4"));
}

TEST_F(CurrencyCellTest, AClickActivatesWithTheCaretAtTheCharacter)
{
    SetCellValue(1, 1, _T("5"));
    CGXCurrencyEdit* pControl = ControlAt(1, 1);
    m_grid.GetParam()->m_wActivateCell = 0x2;
    const CRect rectCell = m_grid.CalcRectFromRowCol(1, 1);
    EXPECT_TRUE(pControl->OnLButtonUp(0, CPoint(rectCell.right - 3, rectCell.CenterPoint().y)));
    EXPECT_TRUE(pControl->IsActive());
    EXPECT_EQ(pControl->GetCaretIndex(), 5);
    EXPECT_FALSE(pControl->HasSelection());
    EXPECT_TRUE(pControl->OnLButtonUp(0, CPoint(rectCell.left + 1, rectCell.CenterPoint().y)));
    EXPECT_EQ(pControl->GetCaretIndex(), 0);
}

TEST_F(CurrencyCellTest, TextSetIntoTheActiveWindowIsAnEdit)
{
    SetCellValue(1, 1, _T("5"));
    CGXCurrencyEdit* pControl = ControlAt(1, 1);
    EXPECT_FALSE(pControl->IsModified());
    pControl->SetActive(TRUE);
    pControl->SetWindowText(_T("abc"));
    EXPECT_FALSE(pControl->IsModified());
    pControl->SetWindowText(_T("42"));
    EXPECT_TRUE(pControl->IsModified());
    ASSERT_TRUE(m_grid.SetCurrentCell(2, 1));
    EXPECT_EQ(m_grid.GetValueRowCol(1, 1), _T("42.00"));
}
