// Printing on a PostScript printer of the test prefix that writes files; the files are read
// back by Ghostscript after the run (check_prints.py).
#include <afxdlgs.h>
#include <afxext.h>

#include <grid/core/AppData.h>
#include <grid/core/GridParam.h>
#include <grid/core/PrintDevice.h>
#include <grid/core/Properties.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <testing/FilePrinter.h>
#include <testing/ModalScript.h>

#include "GridTestSupport.h"

namespace
{
// The place where check_prints.py looks: PRINT_CHECK_DIR, or a fixed place under /tmp.
CString PrintCheckDirectory()
{
    TCHAR szDir[MAX_PATH] = {};
    CString strDir = ::GetEnvironmentVariable(_T("PRINT_CHECK_DIR"), szDir, MAX_PATH) > 0
                         ? CString(szDir)
                         : CString(_T("Z:\\tmp\\lumiter-print-check"));
    strDir.Replace(_T('/'), _T('\\'));
    strDir.TrimRight(_T('\\'));
    ::CreateDirectory(strDir, nullptr);
    return strDir + _T('\\');
}

void WriteText(const CString& strPath, const std::string& text)
{
    CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
    file.Write(text.data(), static_cast<UINT>(text.size()));
}

// A DEVNAMES block for the printer: driver "winspool", the printer's name, the port "FILE:".
HGLOBAL DevNamesFor(const CString& strPrinter)
{
    const std::wstring texts[] = {L"winspool", static_cast<LPCWSTR>(strPrinter), L"FILE:"};
    size_t nChars = sizeof(DEVNAMES) / sizeof(WCHAR);
    for (const std::wstring& text : texts)
        nChars += text.size() + 1;
    HGLOBAL hNames = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nChars * sizeof(WCHAR));
    auto* pNames = static_cast<DEVNAMES*>(::GlobalLock(hNames));
    WORD* aOffsets[] = {&pNames->wDriverOffset, &pNames->wDeviceOffset, &pNames->wOutputOffset};
    WORD nOffset = sizeof(DEVNAMES) / sizeof(WCHAR);
    for (int i = 0; i < 3; ++i)
    {
        *aOffsets[i] = nOffset;
        wcscpy(reinterpret_cast<LPWSTR>(pNames) + nOffset, texts[i].c_str());
        nOffset = static_cast<WORD>(nOffset + texts[i].size() + 1);
    }
    ::GlobalUnlock(hNames);
    return hNames;
}

// The device name of a device's DEVNAMES block.
CString DeviceName(HGLOBAL hNames)
{
    if (hNames == nullptr)
        return CString();
    const auto* pNames = static_cast<const DEVNAMES*>(::GlobalLock(hNames));
    CString strName = reinterpret_cast<LPCWSTR>(pNames) + pNames->wDeviceOffset;
    ::GlobalUnlock(hNames);
    return strName;
}

class FilePrinterTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        GridWindowTest::SetUp();
        ASSERT_TRUE(m_printer.IsInstalled());
        m_grid.CreateHidden(&Parent(), CRect(0, 0, 300, 200));
        m_device.m_pPrintDeviceImp->SetDeviceFromHandles(&m_device, m_hNames, nullptr);
    }
    void TearDown() override
    {
        m_grid.DestroyWindow();
        ::GlobalFree(m_hNames);
    }

    FilePrinter m_printer;
    TestGrid m_grid;
    CGXPrintDevice m_device;
    HGLOBAL m_hNames = DevNamesFor(m_printer.Name());
};

TEST_F(FilePrinterTest, AGridPrintsPageByPageIntoAPostScriptFile)
{
    HDC hDC = m_device.GetPrinterDC();
    ASSERT_NE(hDC, nullptr);
    EXPECT_EQ(::GetDeviceCaps(hDC, LOGPIXELSX), 300);
    EXPECT_EQ(::GetDeviceCaps(hDC, LOGPIXELSY), 300);

    // Six rows of 300 pixels and a header row: two rows on each of three pages.
    m_grid.GetData()->SetRowCount(6);
    m_grid.GetData()->SetColCount(3);
    m_grid.SetRowHeight(1, 6, 300);
    m_grid.GetParam()->m_strName = _T("Quarterly");
    CPrintInfo info;
    CDC dc;
    dc.Attach(::CreateDCW(L"WINSPOOL", m_printer.Name(), nullptr, nullptr));
    dc.m_bPrinting = TRUE;
    m_grid.OnGridPrepareDC(&dc, &info);
    m_grid.OnGridBeginPrinting(&dc, &info);
    ASSERT_EQ(info.GetMaxPage(), 3u);

    const CString strOutput = PrintCheckDirectory() + _T("grid-pages.ps");
    ::DeleteFile(strOutput);
    DOCINFOW doc{sizeof(DOCINFOW), L"Grid pages", strOutput, nullptr, 0};
    ASSERT_GT(dc.StartDoc(&doc), 0);
    for (UINT nPage = 1; nPage <= info.GetMaxPage(); ++nPage)
    {
        info.m_nCurPage = nPage;
        ASSERT_GT(dc.StartPage(), 0);
        m_grid.OnGridPrepareDC(&dc, &info);
        m_grid.OnGridPrint(&dc, &info);
        ASSERT_GT(dc.EndPage(), 0);
    }
    ASSERT_GT(dc.EndDoc(), 0);
    m_grid.OnGridEndPrinting(&dc, &info);
    dc.DeleteDC();

    const std::string text = ReadFileText(strOutput);
    EXPECT_EQ(text.rfind("%!PS-Adobe-3.0", 0), 0u);
    EXPECT_NE(text.find("%%Pages: 3"), std::string::npos);
    EXPECT_NE(text.find("%%EOF"), std::string::npos);
    // Each page's header and page number, read by Ghostscript after the run.
    WriteText(strOutput + _T(".check"), "pages=3\npage1=Quarterly|1/3\npage2=Quarterly|2/3\npage3=Quarterly|3/3\n");
}

TEST_F(FilePrinterTest, ThePrintSetupStoresTheChosenPrinterAndCancelKeepsTheDevice)
{
    ASSERT_EQ(m_device.m_hDevMode, nullptr);
    {
        ModalScript script({[](ModalWindow& window) { window.Press(IDCANCEL); }});
        CPrintDialog dialog(TRUE);
        m_device.m_pPrintDeviceImp->DoPrintSetup(&m_device, &dialog);
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(m_device.m_hDevMode, nullptr);
    EXPECT_EQ(DeviceName(m_device.m_hDevNames), m_printer.Name());
    {
        ModalScript script({[](ModalWindow& window) { window.Press(IDOK); }});
        CPrintDialog dialog(TRUE);
        m_device.m_pPrintDeviceImp->DoPrintSetup(&m_device, &dialog);
        EXPECT_TRUE(script.Done());
    }
    EXPECT_NE(m_device.m_hDevMode, nullptr);
    EXPECT_EQ(DeviceName(m_device.m_hDevNames), m_printer.Name());

    m_device.m_pPrintDeviceImp->CopyToAppPrinter(&m_device);
    EXPECT_NE(AfxGetApp()->m_hDevNames, m_device.m_hDevNames);
    EXPECT_EQ(DeviceName(AfxGetApp()->m_hDevNames), m_printer.Name());
    EXPECT_TRUE(m_device.QueryDeviceEx(static_cast<BYTE*>(::GlobalLock(AfxGetApp()->m_hDevNames)),
                                       static_cast<DWORD>(::GlobalSize(AfxGetApp()->m_hDevNames)),
                                       static_cast<BYTE*>(::GlobalLock(AfxGetApp()->m_hDevMode)),
                                       static_cast<DWORD>(::GlobalSize(AfxGetApp()->m_hDevMode))));
    ::GlobalUnlock(AfxGetApp()->m_hDevNames);
    ::GlobalUnlock(AfxGetApp()->m_hDevMode);
}

class PrintView : public CView
{
protected:
    void OnDraw(CDC*) override
    {
    }
};

TEST_F(FilePrinterTest, PreparingAPrintStartsFromTheDevicesPrinter)
{
    PrintView view;
    CGXAbstractPrintDeviceImp* pImp = m_device.m_pPrintDeviceImp;
    {
        // Without a device: the view's own preparation, on the application's printer.
        CPrintInfo info;
        info.m_bDirect = TRUE;
        AfxGetApp()->SelectPrinter(DevNamesFor(m_printer.Name()), nullptr);
        EXPECT_TRUE(pImp->DoPreparePrinting(nullptr, &view, &info));
        ASSERT_NE(info.m_pPrinterDC, nullptr);
        EXPECT_EQ(info.m_pPrinterDC->GetDeviceCaps(LOGPIXELSX), 300);
    }
    {
        // With the device: the job prints on its printer, which the user kept.
        CPrintInfo info;
        info.m_bDirect = TRUE;
        BYTE* pNames = nullptr;
        BYTE* pMode = nullptr;
        DWORD cbNames = 0;
        DWORD cbMode = 0;
        m_device.GetOwnDeviceBlocks(pNames, cbNames, pMode, cbMode);
        EXPECT_TRUE(pImp->DoPreparePrinting(&m_device, &view, &info));
        ASSERT_NE(info.m_pPrinterDC, nullptr);
        EXPECT_TRUE(m_device.QueryDeviceEx(pNames, cbNames, pMode, cbMode));
        delete[] pNames;
        delete[] pMode;
    }
    {
        // The print dialog's choice of other settings is stored in the device.
        ModalScript script({[](ModalWindow& window) { window.Press(IDOK); }});
        CPrintInfo info;
        EXPECT_TRUE(pImp->DoPreparePrinting(&m_device, &view, &info));
        EXPECT_TRUE(script.Done());
        EXPECT_NE(m_device.m_hDevMode, nullptr);
        EXPECT_EQ(DeviceName(m_device.m_hDevNames), m_printer.Name());
    }
}
} // namespace
