// What the wizard's two grid pages share: a grid on the page's control 1007 with a bold header
// row, one row per landscape object rebuilt whenever the page is entered after Back, and, when
// the user leaves forward, the rows checked, copied into the objects and kept in the profile,
// one section per object. A failing check makes its cell current.
#pragma once

#include <app/WizardPage.h>

#include <grid/core/GridWnd.h>

#include <array>
#include <functional>
#include <span>

class CGXStyle;

class CGridPropertyPage : public CWizardPage
{
    DECLARE_DYNAMIC(CGridPropertyPage)
public:
    CGXGridWnd m_wndGrid;
    BOOL m_bRefill = TRUE;  // the rows are rebuilt from the landscape at the next activation
    BOOL m_bRefocus = FALSE; // the grid gets the focus at the next idle pass

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;

    // The text of a cell as the user sees it: an edit in progress counts unconfirmed.
    CString GetCellText(ROWCOL nRow, ROWCOL nCol);

    // Columns 1 to 6 hold six text fields of each object.
    static constexpr ROWCOL kFieldCount = 6;
    using Fields = std::array<CString*, kFieldCount>;

    // A column's header and width; for columns 1 to 6 also the field's profile value and its
    // placeholder.
    struct Column
    {
        LPCTSTR lpszHeader;
        int nWidth;
        LPCTSTR lpszEntry = nullptr;
        LPCTSTR lpszPlaceholder = nullptr;
    };

protected:

    CGridPropertyPage(UINT nIDTemplate, LPCTSTR lpszClassName, std::span<const Column> columns);

    void SetupGrid();
    // Rebuilds the rows from the landscape.
    void FillGrid();
    // Visits every object of the landscape in its map's order, under the map's lock, with its
    // key (column 0 and the name of its profile section) and its fields.
    virtual void ForEachObject(const std::function<void(const CString& strKey, const Fields& fields)>& visit) = 0;
    // Puts the fields into columns 1 to 6 of the row.
    virtual void FillRow(ROWCOL nRow, const Fields& fields) = 0;
    // Checks every row; the first failure makes its cell current and throws.
    virtual void Validate() = 0;
    // Copies each object's row into its fields, then into its profile section; an object
    // without a row keeps its fields.
    void StoreObjects();
    void SaveProfile();

    void LeaveForward() override;
    void OnLeaveFailed() override;

    void SetText(ROWCOL nRow, ROWCOL nCol, const CString& strText);
    // A number cell shown without decimal places, its value the text's leading number.
    void SetNumber(ROWCOL nRow, ROWCOL nCol, const CString& strText);
    void SetCellStyle(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style);
    // The first row whose column 0 holds the key exactly, or 0.
    ROWCOL FindRow(const CString& strKey);
    // Makes the cell current and throws a CLumiter5Exception with the message.
    [[noreturn]] void RefuseCell(ROWCOL nRow, ROWCOL nCol, LPCTSTR lpszMessage);
    // Refuses an empty cell or one that holds the placeholder.
    void RequireText(ROWCOL nRow, ROWCOL nCol, LPCTSTR lpszMessage);
    // Refuses an empty cell, then one whose number is not above 0 (text that is no number is 0).
    void RequirePositive(ROWCOL nRow, ROWCOL nCol, LPCTSTR lpszEmpty, LPCTSTR lpszNotPositive);

    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    std::span<const Column> m_columns;

    // Row 1, column 1 current when there are rows; the grid gets the focus.
    void EnterGrid();
    // An empty field takes its value from the object's profile section, trimmed, else the
    // column's placeholder.
    void LoadFields(const CString& strKey, const Fields& fields);
    // Appends a row and answers its number.
    ROWCOL AppendRow();
};
