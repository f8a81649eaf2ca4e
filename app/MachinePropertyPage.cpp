#include <app/MachinePropertyPage.h>

#include <app/EntryChecks.h>
#include <app/MainFrame.h>

#include <collector/ForEachValue.h>
#include <collector/SapHost.h>

namespace
{
constexpr LPCTSTR kZero = _T("0");
const CGridPropertyPage::Column kColumns[] = {{_T("Host"), 130},
                                              {_T("Vendor"), 54, _T("Vendor"), kPlaceholder},
                                              {_T("Model"), 54, _T("Model"), kPlaceholder},
                                              {_T("# CPUs"), 55, _T("CpuCount"), kZero},
                                              {_T("CPU (MHz)"), 75, _T("CpuSpeed"), kZero},
                                              {_T("Memory (MB)"), 90, _T("Memory"), kZero},
                                              {_T("Disk (GB)"), 75, _T("Disk"), kZero}};
} // namespace

CMachinePropertyPage::CMachinePropertyPage() : CGridPropertyPage(IDD, _T("CMachinePropertyPage"), kColumns)
{
}

void CMachinePropertyPage::ForEachObject(const std::function<void(const CString&, const Fields&)>& visit)
{
    CMainFrame* pFrame = CMainFrame::Get();
    CSingleLock lock(&pFrame->GetHostsMutex(), TRUE);
    ForEachValue(pFrame->GetHosts(), [&](CSapHost* pHost) {
        visit(pHost->m_strHostName, {&pHost->m_strVendor, &pHost->m_strModel, &pHost->m_strCpuCount,
                                     &pHost->m_strCpuSpeed, &pHost->m_strMemory, &pHost->m_strDisk});
    });
}

void CMachinePropertyPage::FillRow(ROWCOL nRow, const Fields& fields)
{
    SetText(nRow, 1, *fields[0]);
    SetText(nRow, 2, *fields[1]);
    for (ROWCOL nCol = 3; nCol <= kFieldCount; ++nCol)
        SetNumber(nRow, nCol, *fields[nCol - 1]);
}

void CMachinePropertyPage::Validate()
{
    for (ROWCOL nRow = 1; nRow <= m_wndGrid.GetRowCount(); ++nRow)
    {
        RequireText(nRow, 1, _T("Please enter the machine vendor!"));
        RequireText(nRow, 2, _T("Please enter the machine model!"));
        RequirePositive(nRow, 3, _T("Please enter the CPU count!"), _T("Please enter a CPU count greater than zero!"));
        RequirePositive(nRow, 4, _T("Please enter the CPU speed!"), _T("Please enter a CPU speed greater than zero!"));
        RequirePositive(nRow, 5, _T("Please enter size of memory!"),
                        _T("Please enter memory size greater than zero!"));
        RequirePositive(nRow, 6, _T("Please enter disk space!"), _T("Please enter disk space greater than zero!"));
    }
}
