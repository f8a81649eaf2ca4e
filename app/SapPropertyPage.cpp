#include <app/SapPropertyPage.h>

#include <app/MainFrame.h>

#include <collector/SapSystem.h>

#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>

namespace
{
constexpr LPCTSTR kUnchecked = _T("0");
const CGridPropertyPage::Column kColumns[] = {{_T("SAP SID"), 55},
                                              {_T("Install Date"), 115, _T("InstallDate"), _T("6/7/1992")},
                                              {_T("Users"), 55, _T("UserCount"), _T("0")},
                                              {_T("SAP Addr"), 75, _T("Sap64Addr"), kUnchecked},
                                              {_T("DB Addr"), 75, _T("Db64Addr"), kUnchecked},
                                              {_T("Network"), 128, _T("Network"), _T("?")},
                                              {_T("CEN"), 30, _T("CEN"), kUnchecked}};

constexpr LPCTSTR k64BitLabel = _T("64-bit");
constexpr int kCentred = 4;

CGXStyle CheckBox(const CString& strValue, LPCTSTR lpszLabel)
{
    CGXStyle style;
    style.SetControl(GX_IDS_CTRL_CHECKBOX_3D).SetValue(strValue).SetVerticalAlignment(kCentred);
    if (lpszLabel != nullptr)
        style.SetChoiceList(lpszLabel);
    return style;
}
} // namespace

CSapPropertyPage::CSapPropertyPage() : CGridPropertyPage(IDD, _T("CSapPropertyPage"), kColumns)
{
}

void CSapPropertyPage::ForEachObject(const std::function<void(const CString&, const Fields&)>& visit)
{
    CMainFrame* pFrame = CMainFrame::Get();
    CSingleLock lock(&pFrame->GetSystemsMutex(), TRUE);
    const CSapSystemMap& systems = pFrame->GetSystems();
    CString strSystemId;
    CSapSystem* pSystem = nullptr;
    for (POSITION pos = systems.GetStartPosition(); pos != nullptr;)
    {
        systems.GetNextAssoc(pos, strSystemId, pSystem);
        visit(strSystemId, {&pSystem->m_strInstallDate, &pSystem->m_strUserCount, &pSystem->m_strSap64Addr,
                            &pSystem->m_strDb64Addr, &pSystem->m_strNetwork, &pSystem->m_strCen});
    }
}

void CSapPropertyPage::FillRow(ROWCOL nRow, const Fields& fields)
{
    CGXStyle date;
    date.SetControl(GX_IDS_CTRL_DATETIME).SetValue(*fields[0]);
    SetCellStyle(nRow, 1, date);
    SetNumber(nRow, 2, *fields[1]);
    SetCellStyle(nRow, 3, CheckBox(*fields[2], k64BitLabel));
    SetCellStyle(nRow, 4, CheckBox(*fields[3], k64BitLabel));
    SetText(nRow, 5, *fields[4]);
    SetCellStyle(nRow, 6, CheckBox(*fields[5], nullptr));
}

void CSapPropertyPage::Validate()
{
    for (ROWCOL nRow = 1; nRow <= m_wndGrid.GetRowCount(); ++nRow)
    {
        if (GetCellText(nRow, 1).IsEmpty())
            RefuseCell(nRow, 1, _T("Please enter the installation date!"));
        RequirePositive(nRow, 2, _T("Please enter the total number of SAP users!"),
                        _T("Please enter a total number of SAP users greater than zero!"));
        // The placeholder passes: only an empty network is refused.
        if (GetCellText(nRow, 5).IsEmpty())
            RefuseCell(nRow, 5, _T("Please enter server network!"));
    }
}
