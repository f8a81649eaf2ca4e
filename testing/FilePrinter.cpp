#include <testing/FilePrinter.h>

#include <winspool.h>

#include <cstdio>

namespace
{
constexpr WCHAR szDriverName[] = L"Wine PostScript Driver";
constexpr WCHAR szEnvironment[] = L"Windows x64";
constexpr WCHAR szDriverFile[] = L"wineps.drv";

// A generic PostScript printer: A4 only, 300 dpi.
constexpr char szPpd[] = "*PPD-Adobe: \"4.3\"\n"
                         "*FormatVersion: \"4.3\"\n"
                         "*FileVersion: \"1.0\"\n"
                         "*LanguageVersion: English\n"
                         "*LanguageEncoding: ISOLatin1\n"
                         "*PCFileName: \"LUMITER.PPD\"\n"
                         "*Manufacturer: \"Generic\"\n"
                         "*Product: \"(Generic PostScript)\"\n"
                         "*ModelName: \"Generic PostScript\"\n"
                         "*ShortNickName: \"Generic PostScript\"\n"
                         "*NickName: \"Generic PostScript\"\n"
                         "*PSVersion: \"(3010.000) 0\"\n"
                         "*LanguageLevel: \"3\"\n"
                         "*ColorDevice: False\n"
                         "*DefaultColorSpace: Gray\n"
                         "*FileSystem: False\n"
                         "*Throughput: \"1\"\n"
                         "*TTRasterizer: Type42\n"
                         "*DefaultResolution: 300dpi\n"
                         "*OpenUI *PageSize/Page Size: PickOne\n"
                         "*OrderDependency: 10 AnySetup *PageSize\n"
                         "*DefaultPageSize: A4\n"
                         "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
                         "*CloseUI: *PageSize\n"
                         "*OpenUI *PageRegion: PickOne\n"
                         "*OrderDependency: 10 AnySetup *PageRegion\n"
                         "*DefaultPageRegion: A4\n"
                         "*PageRegion A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
                         "*CloseUI: *PageRegion\n"
                         "*DefaultImageableArea: A4\n"
                         "*ImageableArea A4/A4: \"18 18 577 824\"\n"
                         "*DefaultPaperDimension: A4\n"
                         "*PaperDimension A4/A4: \"595 842\"\n"
                         "*DefaultFont: Courier\n"
                         "*Font Courier: Standard \"(002.004S)\" Standard ROM\n";
} // namespace

FilePrinter::FilePrinter(LPCTSTR pszName) : m_strName(pszName)
{
    const CString strPpd = m_directory.File(_T("lumiter.ppd"));
    if (FILE* pFile = _wfopen(strPpd, L"wb"))
    {
        fwrite(szPpd, 1, sizeof(szPpd) - 1, pFile);
        fclose(pFile);
    }
    // The driver file comes from the system directory, the PPD from the fixture's.
    WCHAR szSystem[MAX_PATH] = {};
    ::GetSystemDirectoryW(szSystem, MAX_PATH);
    CString strDriver = CString(szSystem) + L"\\" + szDriverFile;
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<LPWSTR>(szDriverName);
    driver.pEnvironment = const_cast<LPWSTR>(szEnvironment);
    driver.pDriverPath = strDriver.GetBuffer();
    driver.pDataFile = const_cast<LPWSTR>(static_cast<LPCWSTR>(strPpd));
    driver.pConfigFile = strDriver.GetBuffer();
    if (!::AddPrinterDriverExW(nullptr, 3, reinterpret_cast<LPBYTE>(&driver),
                               APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY))
        return;

    PRINTER_INFO_2W printer{};
    printer.pPrinterName = m_strName.GetBuffer();
    printer.pPortName = const_cast<LPWSTR>(L"FILE:");
    printer.pDriverName = const_cast<LPWSTR>(szDriverName);
    printer.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
    printer.pDatatype = const_cast<LPWSTR>(L"RAW");
    printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE hPrinter = ::AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&printer));
    if (hPrinter == nullptr && ::GetLastError() == ERROR_PRINTER_ALREADY_EXISTS)
    {
        m_bInstalled = true;
        return;
    }
    if (hPrinter == nullptr)
        return;
    ::ClosePrinter(hPrinter);
    m_bInstalled = true;
}

FilePrinter::~FilePrinter()
{
    HANDLE hPrinter = nullptr;
    PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (::OpenPrinterW(m_strName.GetBuffer(), &hPrinter, &defaults))
    {
        ::DeletePrinter(hPrinter);
        ::ClosePrinter(hPrinter);
    }
}

std::string ReadFileText(LPCTSTR pszPath)
{
    std::string text;
    FILE* pFile = _wfopen(pszPath, L"rb");
    if (pFile == nullptr)
        return text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
        text.append(buffer, n);
    fclose(pFile);
    return text;
}
