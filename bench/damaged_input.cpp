// Loads 10,000 damaged copies of each kind of file the program reads from outside: a grid
// archive with every record kind, a pasted styles block, BMPs of each depth and compression, a
// baseline and a progressive JPEG, a dock-state profile, a workspace file and a workspace tree
// in the registry. The copies come from valid files the program wrote, changed with a fixed seed:
// bytes flipped, cut, repeated, and 16- or 32-bit fields set to 0, 0x7FFFFFFF or 0xFFFFFFFF.
// Each reader runs in processes of its own: a process that crashes is counted and the next one
// goes on after the copy that ended it; one that claims more than the image cap plus 1 GiB, or
// spends more than 3 s on one copy, ends itself and is counted so. Prints per reader: copies
// loaded, refused and how (exception class, or FALSE with the reason), crashes, the largest peak
// private bytes and the slowest load.
//
//   damaged_input [reader ...]     all readers, or the named ones
#include <grid/core/GridInit.h>
#include <grid/core/GridParam.h>
#include <grid/core/GridWnd.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/RangeList.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <toolkit/foundation/Dib.h>
#include <toolkit/foundation/Jpeg.h>
#include <toolkit/foundation/StoredPlacement.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockState.h>
#include <toolkit/frames/FrameWnd.h>
#include <toolkit/workspace/PTNStrategyProfile.h>
#include <toolkit/workspace/PTNStrategyRegistry.h>
#include <toolkit/workspace/PersistentTreeNode.h>
#include <BenchFigures.h>
#include <testing/ChildProcess.h>
#include <testing/PrivateBytes.h>
#include <testing/RegistrySandbox.h>
#include <testing/TempDirectory.h>

#include <afxwin.h>
#include <shellapi.h>

#include <jpeglib.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <thread>
#include <vector>

using tarnwick::foundation::SECDib;
using tarnwick::foundation::SECImage;
using tarnwick::foundation::SECJpeg;
using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECDockState;
using tarnwick::frames::SECFrameWnd;
using namespace tarnwick::workspace;

namespace
{
using Bytes = std::vector<BYTE>;

constexpr int kMutants = 10000;
constexpr unsigned kSeed = 60;
constexpr size_t kMemoryLimit = static_cast<size_t>(SECImage::MaxHeldBytes) + (1u << 30);
constexpr DWORD kLoadLimitMs = 3000;
constexpr int kNoSeed = 4; // the child's exit code when the valid file could not be made
const TCHAR kSection[] = _T("Layout");
const TCHAR kRootName[] = _T("WorkState_v1_2");

class BenchApp : public CWinApp
{
public:
    BenchApp() : CWinApp(_T("Damaged Input"))
    {
    }
    // A damaged paste may ask; nobody answers a benchmark.
    int DoMessageBox(LPCTSTR, UINT, UINT) override
    {
        return IDCANCEL;
    }
};
BenchApp theApp;

Bytes Contents(CMemFile& file)
{
    const auto nLength = static_cast<size_t>(file.GetLength());
    BYTE* pData = file.Detach();
    Bytes bytes(pData, pData + nLength);
    free(pData);
    return bytes;
}

Bytes Stored(const std::function<void(CArchive&)>& store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
    }
    return Contents(file);
}

// Runs the archive reader over the bytes: "" when it loaded, else the exception's class.
std::string LoadArchive(const Bytes& bytes, const std::function<void(CArchive&)>& load)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    load(ar);
    return "";
}

Bytes ReadWhole(const CString& path)
{
    CFile file(path, CFile::modeRead);
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void WriteWhole(const CString& path, const Bytes& bytes)
{
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    if (!bytes.empty())
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    // Profile readers keep a file they read: drop it, so that the next read sees the new bytes.
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path);
}

std::string FalseWith(DWORD dwReason)
{
    return "FALSE(" + std::to_string(dwReason) + ")";
}

// ---- Mutation --------------------------------------------------------------------------------

const DWORD kFieldValues[] = {0, 0x7FFFFFFF, 0xFFFFFFFF};

Bytes Mutate(const Bytes& seed, std::mt19937& random)
{
    Bytes bytes = seed;
    if (bytes.empty())
        return bytes;
    auto at = [&](size_t nEnd) { return static_cast<size_t>(random() % nEnd); };
    switch (random() % 5)
    {
    case 0: // bytes flipped
        for (unsigned n = 1 + random() % 4; n > 0; --n)
            bytes[at(bytes.size())] ^= static_cast<BYTE>(1 + random() % 255);
        break;
    case 1: // cut
        bytes.resize(at(bytes.size()));
        break;
    case 2: // a span repeated
    {
        const size_t nFrom = at(bytes.size());
        const size_t nLength = 1 + at(std::min<size_t>(bytes.size() - nFrom, 64));
        const Bytes span(bytes.begin() + nFrom, bytes.begin() + nFrom + nLength);
        bytes.insert(bytes.begin() + nFrom + nLength, span.begin(), span.end());
        break;
    }
    default: // a 32- or 16-bit count or offset set to an edge value
    {
        const DWORD dwValue = kFieldValues[random() % 3];
        const size_t nWidth = random() % 2 == 0 ? 4 : 2;
        if (bytes.size() < nWidth)
            break;
        const size_t nAt = at(bytes.size() - nWidth + 1);
        for (size_t i = 0; i < nWidth; ++i)
            bytes[nAt + i] = static_cast<BYTE>(dwValue >> (8 * i));
        break;
    }
    }
    return bytes;
}

// ---- Grids -----------------------------------------------------------------------------------

CWnd& GridParent()
{
    static CWnd* pParent = [] {
        GXInitLibraryDefault();
        auto* pWnd = new CWnd;
        pWnd->CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr);
        return pWnd;
    }();
    return *pParent;
}

std::unique_ptr<CGXGridWnd> MakeGrid()
{
    CWnd& parent = GridParent(); // the library first
    auto pGrid = std::make_unique<CGXGridWnd>();
    pGrid->Create(L"GXWND", nullptr, WS_CHILD, CRect(0, 0, 800, 600), &parent, 1);
    pGrid->Initialize();
    pGrid->GetParam()->m_bUndoEnabled = FALSE;
    pGrid->SetRowCount(20);
    pGrid->SetColCount(8);
    return pGrid;
}

// A grid holding every kind of record its archive has: texts, numbers, fonts, borders, base
// styles, user attributes, row heights, hidden rows, frozen rows, covered, merged and floating
// cells.
std::unique_ptr<CGXGridWnd> MakeFilledGrid()
{
    std::unique_ptr<CGXGridWnd> pGrid = MakeGrid();
    CGXGridWnd& grid = *pGrid;
    for (ROWCOL nRow = 1; nRow <= 20; ++nRow)
        for (ROWCOL nCol = 1; nCol <= 8; ++nCol)
        {
            CGXStyle style;
            if (nCol % 2 == 0)
                style.SetValue(static_cast<double>(nRow * nCol) / 4);
            else
            {
                CString text;
                text.Format(L"cell %lu,%lu", static_cast<unsigned long>(nRow), static_cast<unsigned long>(nCol));
                style.SetValue(text);
            }
            if ((nRow + nCol) % 5 == 0)
                style.SetFont(CGXFont().SetBold(TRUE).SetFaceName(L"Arial")).SetInteriorColor(RGB(200, 220, 255));
            if ((nRow + nCol) % 7 == 0)
            {
                GXPenRecord pen;
                pen.SetStyle(PS_SOLID).SetColor(RGB(0, 0, 128));
                style.SetBorders(GXBorder::Bottom, pen).SetBaseStyle(grid.GetStylesMap()->m_wStyleRowHeader);
            }
            if (nRow % 6 == 0)
                style.SetUserAttribute(GX_IDS_UA_VALID_MIN, L"1");
            if (nRow == 3)
                style.SetMergeCell(3).SetValue(L"same");
            if (nRow == 9 && nCol == 1)
                style.SetFloatCell(TRUE).SetValue(L"a text that floats over its neighbours");
            grid.SetStyleRangeShort(CGXRange(nRow, nCol), style);
        }
    grid.SetStyleRangeShort(CGXRange().SetCols(2, 2), CGXStyle().SetHorizontalAlignment(2));
    grid.SetStyleRangeShort(CGXRange().SetRows(4, 4), CGXStyle().SetTextColor(RGB(128, 0, 0)));
    grid.SetCoveredCellsRowCol(12, 2, 14, 4);
    grid.SetMergeCellsMode(1, FALSE);
    grid.SetRowHeight(5, 6, 30);
    grid.HideRows(15, 16);
    grid.SetFrozenRows(2, 0);
    return pGrid;
}

Bytes GridArchive()
{
    std::unique_ptr<CGXGridWnd> pGrid = MakeFilledGrid();
    return Stored([&](CArchive& ar) { pGrid->GetParam()->Serialize(ar); });
}

std::string LoadGridArchive(const Bytes& bytes)
{
    return LoadArchive(bytes, [](CArchive& ar) {
        CGXGridParam param;
        param.Serialize(ar);
    });
}

Bytes StylesBlock()
{
    std::unique_ptr<CGXGridWnd> pGrid = MakeFilledGrid();
    CGXRangeList list;
    list.AddTail(new CGXRange(2, 1, 13, 5));
    return Stored([&](CArchive& ar) { pGrid->CopyStylesFromRangeList(list, ar, FALSE); });
}

std::string PasteStylesBlock(const Bytes& bytes)
{
    static std::unique_ptr<CGXGridWnd> pTarget = MakeGrid();
    BOOL bPasted = FALSE;
    const std::string strRefused =
        LoadArchive(bytes, [&](CArchive& ar) { bPasted = pTarget->PasteStylesFromArchive(ar, CGXRange(1, 1), TRUE); });
    pTarget->SetRowCount(20);
    pTarget->SetColCount(8);
    return bPasted ? strRefused : "FALSE";
}

// ---- Images ----------------------------------------------------------------------------------

void Put(Bytes& out, DWORD dw, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        out.push_back(static_cast<BYTE>(dw >> (8 * i)));
}

constexpr int kImageWidth = 37;
constexpr int kImageHeight = 23;

// The pixel (palette index or colour) of the picture at x, y from the bottom.
DWORD Picture(int x, int y, int nBits)
{
    const DWORD dwIndex = static_cast<DWORD>((x / 3 + y / 2) % 7);
    if (nBits <= 8)
        return dwIndex % (1u << nBits);
    return (dwIndex * 0x2F1B07) & (nBits == 16 ? 0x7FFF : 0xFFFFFF);
}

// A BMP file: the header of the size, rows or run-length codes made from the picture.
Bytes MakeBmp(DWORD dwHeaderSize, WORD wBits, DWORD dwCompression)
{
    const UINT nColors = wBits <= 8 ? 1u << wBits : 0;
    Bytes pixels;
    if (dwCompression == BI_RLE8 || dwCompression == BI_RLE4)
    {
        for (int y = 0; y < kImageHeight; ++y)
        {
            for (int x = 0; x < kImageWidth; x += 2)
            {
                const DWORD a = Picture(x, y, wBits), b = Picture(x + 1, y, wBits);
                Put(pixels, 2, 1);
                Put(pixels, wBits == 4 ? (a << 4) | b : a, 1);
            }
            Put(pixels, 0, 2); // end of line
        }
        Put(pixels, 0x0100, 2); // end of bitmap
    }
    else
    {
        const DWORD dwRow = SECImage::RowBytesFor(kImageWidth, wBits);
        pixels.assign(static_cast<size_t>(dwRow) * kImageHeight, 0);
        for (int y = 0; y < kImageHeight; ++y)
            for (int x = 0; x < kImageWidth; ++x)
            {
                BYTE* pRow = pixels.data() + static_cast<size_t>(y) * dwRow;
                const DWORD dwPixel = Picture(x, y, wBits);
                if (wBits < 8)
                    pRow[x * wBits / 8] |= static_cast<BYTE>(dwPixel << (8 - wBits - x * wBits % 8));
                else
                    for (int k = 0; k < wBits / 8; ++k)
                        pRow[x * wBits / 8 + k] = static_cast<BYTE>(dwPixel >> (8 * k));
            }
    }
    const BOOL bCore = dwHeaderSize == 12;
    Bytes header;
    Put(header, dwHeaderSize, 4);
    if (bCore)
    {
        Put(header, kImageWidth, 2);
        Put(header, kImageHeight, 2);
        Put(header, 1, 2);
        Put(header, wBits, 2);
    }
    else
    {
        for (DWORD dw : {DWORD(kImageWidth), DWORD(kImageHeight), DWORD(1 | (wBits << 16)), dwCompression,
                         DWORD(pixels.size()), DWORD(2835), DWORD(2835), DWORD(nColors), DWORD(0)})
            Put(header, dw, 4);
        const DWORD masks[] = {0x7C00, 0x03E0, 0x001F};
        if (dwHeaderSize > 40)
            for (DWORD dw : masks)
                Put(header, dw, 4);
        header.resize(dwHeaderSize, 0);
        if (dwCompression == BI_BITFIELDS && dwHeaderSize == 40)
            for (DWORD dw : masks)
                Put(header, dw, 4);
    }
    for (UINT i = 0; i < nColors; ++i)
        Put(header, i * 0x3F1D2B, bCore ? 3 : 4);
    Bytes file;
    Put(file, 0x4D42, 2);
    Put(file, static_cast<DWORD>(14 + header.size() + pixels.size()), 4);
    Put(file, 0, 4);
    Put(file, static_cast<DWORD>(14 + header.size()), 4);
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

std::string LoadImageBytes(SECImage& image, const Bytes& bytes)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    return image.LoadImage(&file) ? "" : FalseWith(::GetLastError());
}

// The layouts the program writes itself, passed through its own save.
Bytes SavedBmp(WORD wBits)
{
    SECDib image;
    const Bytes crafted = MakeBmp(40, wBits, BI_RGB);
    CMemFile in(const_cast<BYTE*>(crafted.data()), static_cast<UINT>(crafted.size()));
    CMemFile out;
    if (!image.LoadImage(&in) || !image.SaveImage(&out))
        std::printf("the %u-bit image was not made\n", wBits);
    return Contents(out);
}

std::string LoadBmp(const Bytes& bytes)
{
    SECDib image;
    return LoadImageBytes(image, bytes);
}

// A JPEG of the 24-bit picture: the program's own baseline file, or a progressive one written
// by the library directly, as the program writes none.
Bytes MakeJpeg(BOOL bProgressive)
{
    SECDib source;
    const Bytes bmp = MakeBmp(40, 24, BI_RGB);
    CMemFile in(const_cast<BYTE*>(bmp.data()), static_cast<UINT>(bmp.size()));
    source.LoadImage(&in);
    if (!bProgressive)
    {
        SECJpeg jpeg;
        CMemFile out;
        jpeg.CopyImage(source);
        jpeg.SaveImage(&out);
        return Contents(out);
    }
    jpeg_compress_struct info = {};
    jpeg_error_mgr error = {};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* pOut = nullptr;
    unsigned long nOut = 0;
    jpeg_mem_dest(&info, &pOut, &nOut);
    info.image_width = kImageWidth;
    info.image_height = kImageHeight;
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height)
    {
        auto pRow =
            const_cast<JSAMPROW>(source.GetBits() + (kImageHeight - 1 - info.next_scanline) * source.GetRowBytes());
        jpeg_write_scanlines(&info, &pRow, 1);
    }
    jpeg_finish_compress(&info);
    Bytes bytes(pOut, pOut + nOut);
    jpeg_destroy_compress(&info);
    free(pOut);
    return bytes;
}

std::string LoadJpeg(const Bytes& bytes)
{
    SECJpeg image;
    return LoadImageBytes(image, bytes);
}

// ---- Dock state and workspaces -----------------------------------------------------------------

CString ScratchFile(LPCTSTR lpszName)
{
    static TempDirectory directory;
    return directory.File(lpszName);
}

// A frame with bars docked on three sides and one floating.
SECFrameWnd& LayoutFrame()
{
    static SECFrameWnd* pFrame = [] {
        auto* pNew = new SECFrameWnd;
        pNew->Create(nullptr, _T("Layout"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 700));
        pNew->EnableDocking(CBRS_ALIGN_ANY);
        const UINT sides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_BOTTOM};
        for (int i = 0; i < 4; ++i)
        {
            auto* pBar = new SECControlBar;
            pBar->Create(pNew, _T("Bar"), WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, 0x10F31, 0x9000 + i);
            pBar->EnableDocking(CBRS_ALIGN_ANY);
            if (i < 3)
                pNew->DockControlBarSized(pBar, sides[i], 0, 0, 1.0f, 120);
            else
                pNew->FloatControlBar(pBar, CPoint(300, 200));
        }
        pNew->RecalcLayout();
        return pNew;
    }();
    return *pFrame;
}

// Uses the profile file for the application's profile.
void UseProfile(const CString& path)
{
    free(const_cast<LPTSTR>(theApp.m_pszProfileName));
    theApp.m_pszProfileName = _tcsdup(path);
}

Bytes DockProfile()
{
    const CString path = ScratchFile(_T("dock.ini"));
    UseProfile(path);
    LayoutFrame().SaveDockState(kSection);
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path);
    return ReadWhole(path);
}

std::string LoadDockProfile(const Bytes& bytes)
{
    WriteWhole(ScratchFile(_T("dock.ini")), bytes);
    SECDockState state;
    state.LoadState(kSection);
    return "";
}

// The workspace tree the program writes: its dock state and the frames' placements.
void FillWorkspaceTree(SECPTNFactory& factory, SECPersistentTreeNode* pRoot)
{
    SECDockState state;
    LayoutFrame().GetDockState(state);
    state.SaveStateToNode(factory, pRoot);
    SECPersistentTreeNode* pFrames = factory.AddChild(_T("Frames"), pRoot);
    SECPersistentTreeNode* pMain = factory.AddChild(_T("MainFrame"), pFrames);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    LayoutFrame().GetWindowPlacement(&wp);
    pMain->SetBinaryValue(_T("WindowPlacement"), reinterpret_cast<const BYTE*>(&wp), sizeof(wp), TRUE);
    pMain->SetStringValue(_T("Title"), _T("Lumiter"), TRUE);
}

// Reads the tree back as opening a workspace does: the tree, its dock state, the main frame's
// placement.
std::string LoadWorkspaceTree(SECPTNStrategy& store)
{
    SECPTNFactory factory;
    SECPersistentTreeNode* pRoot = factory.AddChild(kRootName, nullptr);
    if (!pRoot->LoadTree(&store))
        return "FALSE";
    SECDockState state;
    state.LoadStateFromNode(pRoot);
    SECPersistentTreeNode* pFrames = pRoot->FindChild(_T("Frames"));
    SECPersistentTreeNode* pMain = pFrames != nullptr ? pFrames->FindChild(_T("MainFrame")) : nullptr;
    BYTE* pData = nullptr;
    DWORD nLength = 0;
    if (pMain != nullptr && pMain->GetBinaryValue(_T("WindowPlacement"), &pData, &nLength) == 0 &&
        nLength == sizeof(WINDOWPLACEMENT))
    {
        WINDOWPLACEMENT wp;
        memcpy(&wp, pData, sizeof(wp));
        tarnwick::foundation::KeepPlacementShown(wp, LayoutFrame().GetSafeHwnd());
    }
    delete[] pData;
    return "";
}

Bytes WorkspaceFile()
{
    const CString path = ScratchFile(_T("space.wsp"));
    SECPTNFactory factory;
    SECPersistentTreeNode* pRoot = factory.AddChild(kRootName, nullptr);
    FillWorkspaceTree(factory, pRoot);
    SECPTNStrategyProfile store(path);
    pRoot->SaveTree(&store);
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path);
    return ReadWhole(path);
}

std::string LoadWorkspaceFile(const Bytes& bytes)
{
    const CString path = ScratchFile(_T("space.wsp"));
    WriteWhole(path, bytes);
    SECPTNStrategyProfile store(path);
    return LoadWorkspaceTree(store);
}

// The registry tree: every value below the key, one of which a mutant changes at a time.
struct RegistryValue
{
    CString key;
    CString name;
    DWORD dwType;
    Bytes data;
};

RegistrySandbox& Sandbox()
{
    static RegistrySandbox sandbox;
    return sandbox;
}

void CollectValues(const CString& key, std::vector<RegistryValue>& values)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; ++i)
    {
        TCHAR name[256];
        DWORD cchName = 256, dwType = 0, cbData = 0;
        if (::RegEnumValueW(hKey, i, name, &cchName, nullptr, &dwType, nullptr, &cbData) != ERROR_SUCCESS)
            break;
        RegistryValue value{key, name, dwType, Bytes(cbData)};
        cchName = 256;
        ::RegEnumValueW(hKey, i, name, &cchName, nullptr, &dwType, value.data.data(), &cbData);
        values.push_back(std::move(value));
    }
    for (DWORD i = 0;; ++i)
    {
        TCHAR name[256];
        DWORD cchName = 256;
        if (::RegEnumKeyExW(hKey, i, name, &cchName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        CollectValues(key + _T("\\") + name, values);
    }
    ::RegCloseKey(hKey);
}

const std::vector<RegistryValue>& RegistryTree()
{
    static const std::vector<RegistryValue> values = [] {
        const CString path = Sandbox().Path() + _T("\\Space");
        SECPTNFactory factory;
        SECPersistentTreeNode* pRoot = factory.AddChild(kRootName, nullptr);
        FillWorkspaceTree(factory, pRoot);
        SECPTNStrategyRegistry store(path, HKEY_CURRENT_USER);
        pRoot->SaveTree(&store);
        std::vector<RegistryValue> collected;
        CollectValues(path, collected);
        return collected;
    }();
    return values;
}

void WriteValue(const RegistryValue& value, const Bytes& data)
{
    ::RegSetKeyValueW(HKEY_CURRENT_USER, value.key, value.name, value.dwType, data.data(),
                      static_cast<DWORD>(data.size()));
}

// The seed of the registry tree is its values one after another; a mutant changes the value
// where it first differs from the seed, which takes the change in length as well.
const Bytes& RegistrySeed()
{
    static const Bytes all = [] {
        Bytes bytes;
        for (const RegistryValue& value : RegistryTree())
            bytes.insert(bytes.end(), value.data.begin(), value.data.end());
        return bytes;
    }();
    return all;
}

std::string LoadRegistryTree(const Bytes& bytes)
{
    const Bytes& seed = RegistrySeed();
    const size_t nSame = static_cast<size_t>(
        std::mismatch(seed.begin(), seed.begin() + std::min(seed.size(), bytes.size()), bytes.begin()).first -
        seed.begin());
    const std::vector<RegistryValue>& values = RegistryTree();
    size_t nAt = 0;
    const RegistryValue* pChanged = &values.back();
    for (const RegistryValue& value : values)
    {
        if (nSame < nAt + value.data.size())
        {
            pChanged = &value;
            break;
        }
        nAt += value.data.size();
    }
    nAt = std::min(nAt, bytes.size());
    const LONGLONG nLength = static_cast<LONGLONG>(pChanged->data.size()) + bytes.size() - seed.size();
    const size_t nTake = static_cast<size_t>(std::clamp<LONGLONG>(nLength, 0, bytes.size() - nAt));
    WriteValue(*pChanged, Bytes(bytes.begin() + nAt, bytes.begin() + nAt + nTake));
    SECPTNStrategyRegistry store(Sandbox().Path() + _T("\\Space"), HKEY_CURRENT_USER);
    const std::string strResult = LoadWorkspaceTree(store);
    WriteValue(*pChanged, pChanged->data);
    return strResult;
}

// ---- The readers -------------------------------------------------------------------------------

struct Reader
{
    const char* pszName;
    std::function<Bytes()> seed;
    std::function<std::string(const Bytes&)> load;
};

const std::vector<Reader>& Readers()
{
    static const std::vector<Reader> readers = {
        {"grid-archive", GridArchive, LoadGridArchive},
        {"styles-block", StylesBlock, PasteStylesBlock},
        {"bmp-1", [] { return SavedBmp(1); }, LoadBmp},
        {"bmp-4", [] { return SavedBmp(4); }, LoadBmp},
        {"bmp-8", [] { return SavedBmp(8); }, LoadBmp},
        {"bmp-24", [] { return SavedBmp(24); }, LoadBmp},
        {"bmp-32", [] { return MakeBmp(40, 32, BI_RGB); }, LoadBmp},
        {"bmp-16-fields", [] { return MakeBmp(40, 16, BI_BITFIELDS); }, LoadBmp},
        {"bmp-v5-fields", [] { return MakeBmp(124, 16, BI_BITFIELDS); }, LoadBmp},
        {"bmp-rle8", [] { return MakeBmp(40, 8, BI_RLE8); }, LoadBmp},
        {"bmp-rle4", [] { return MakeBmp(40, 4, BI_RLE4); }, LoadBmp},
        {"bmp-core-8", [] { return MakeBmp(12, 8, BI_RGB); }, LoadBmp},
        {"jpeg-baseline", [] { return MakeJpeg(FALSE); }, LoadJpeg},
        {"jpeg-progressive", [] { return MakeJpeg(TRUE); }, LoadJpeg},
        {"dock-profile", DockProfile, LoadDockProfile},
        {"workspace-file", WorkspaceFile, LoadWorkspaceFile},
        {"registry-tree", RegistrySeed, LoadRegistryTree},
    };
    return readers;
}

// ---- The child: loads the mutants from an index on, one line of result each -----------------

HANDLE g_hResults = INVALID_HANDLE_VALUE;
std::atomic<int> g_nCurrent{-1};
std::atomic<DWORD> g_dwStarted{0};

void WriteLine(const std::string& line)
{
    const std::string text = line + "\n";
    DWORD dwWritten = 0;
    ::WriteFile(g_hResults, text.data(), static_cast<DWORD>(text.size()), &dwWritten, nullptr);
}

// Ends the process on a copy that holds too much memory or takes too long, noting which.
void Watch()
{
    for (;;)
    {
        ::Sleep(5);
        const int nIndex = g_nCurrent.load();
        if (nIndex < 0)
            continue;
        const char* pszWhy = nullptr;
        if (ReadPrivateBytes().nCurrent > kMemoryLimit)
            pszWhy = "memory";
        else if (::GetTickCount() - g_dwStarted.load() > kLoadLimitMs)
            pszWhy = "hang";
        if (pszWhy != nullptr)
        {
            WriteLine(std::to_string(nIndex) + " " + pszWhy);
            ::TerminateProcess(::GetCurrentProcess(), 2);
        }
    }
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* pInfo)
{
    ::TerminateProcess(::GetCurrentProcess(), pInfo->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

int RunChild(const Reader& reader, int nFrom, const CString& results)
{
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::SetUnhandledExceptionFilter(OnCrash);
    Bytes seed;
    try
    {
        seed = reader.seed();
    }
    catch (CException* e)
    {
        std::printf("  %s: the valid file was not made (%s)\n", reader.pszName, e->GetRuntimeClass()->m_lpszClassName);
        e->Delete();
    }
    if (seed.empty())
        return kNoSeed;
    g_hResults = ::CreateFileW(results, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    std::thread(Watch).detach();
    std::mt19937 random(kSeed + static_cast<unsigned>(std::hash<std::string>()(reader.pszName)));
    for (int i = 0; i < kMutants; ++i)
    {
        const Bytes mutant = Mutate(seed, random); // drawn for every index, so that a restart sees the same
        if (i < nFrom)
            continue;
        g_dwStarted = ::GetTickCount();
        g_nCurrent = i;
        std::string strHow;
        const Clock::time_point start = Clock::now();
        try
        {
            strHow = reader.load(mutant);
        }
        catch (CException* e)
        {
            strHow = e->GetRuntimeClass()->m_lpszClassName;
            e->Delete();
        }
        catch (const std::bad_alloc&)
        {
            strHow = "std::bad_alloc";
        }
        catch (const std::exception&)
        {
            strHow = "std::exception";
        }
        const double dMs = Seconds(Clock::now() - start) * 1000;
        g_nCurrent = -1;
        char line[160];
        std::snprintf(line, sizeof(line), "%d %s %.3f %zu", i, strHow.empty() ? "loaded" : strHow.c_str(), dMs,
                      ReadPrivateBytes().nPeak);
        WriteLine(line);
    }
    return 0;
}

// ---- The parent: runs each reader's children and sums up ---------------------------------------

struct Tally
{
    int nLoaded = 0;
    std::map<std::string, int> refused;
    // Copies that ended their process: by a crash, by claiming too much memory, by taking too long.
    std::map<std::string, int> ended;
    size_t nPeak = 0;
    double dSlowestMs = 0;
    int nSlowest = -1;
};

// Reads the children's lines: "n how ms peak" for a load, "n why" for a copy that ended its
// process. Answers the index after the last line and whether that line says why.
std::pair<int, bool> ReadResults(const CString& results, Tally& tally)
{
    tally = Tally();
    std::pair<int, bool> last = {0, false};
    FILE* pFile = _wfopen(results, L"r");
    if (pFile == nullptr)
        return last;
    char line[256];
    while (std::fgets(line, sizeof(line), pFile) != nullptr)
    {
        int nIndex = 0;
        char how[128] = {};
        double dMs = 0;
        size_t nPeak = 0;
        const int nFields = std::sscanf(line, "%d %127s %lf %zu", &nIndex, how, &dMs, &nPeak);
        if (nFields < 2)
            continue;
        last = {nIndex + 1, nFields == 2};
        if (nFields == 2)
            ++tally.ended[how];
        else if (std::string(how) == "loaded")
            ++tally.nLoaded;
        else
            ++tally.refused[how];
        tally.nPeak = std::max(tally.nPeak, nPeak);
        if (dMs > tally.dSlowestMs)
            tally.dSlowestMs = dMs, tally.nSlowest = nIndex;
    }
    std::fclose(pFile);
    return last;
}

Tally RunReader(const Reader& reader)
{
    const CString results = ScratchFile(CString(reader.pszName) + _T(".txt"));
    ::DeleteFileW(results);
    Tally tally;
    for (int nFrom = 0; nFrom < kMutants;)
    {
        CString arguments;
        arguments.Format(L"--child %S %d \"%s\"", reader.pszName, nFrom, static_cast<LPCTSTR>(results));
        const long nExit = RunChildProcess(ExecutableFolder() + L"damaged_input.exe", arguments, 3600000);
        if (nExit == kNoSeed)
            break;
        const std::pair<int, bool> last = ReadResults(results, tally);
        // Without a word of why from the process, the copy after its last line ended it: a crash.
        if (last.first < kMutants && (last.first == nFrom || !last.second))
        {
            FILE* pFile = _wfopen(results, L"a");
            std::fprintf(pFile, "%d crash\n", last.first);
            std::fclose(pFile);
            std::printf("  %s: copy %d crashed its process (exit code 0x%lX)\n", reader.pszName, last.first,
                        static_cast<unsigned long>(nExit));
            std::fflush(stdout);
        }
        nFrom = ReadResults(results, tally).first;
    }
    return tally;
}

void Print(const Reader& reader, const Tally& tally)
{
    int nRefused = 0;
    std::string how;
    for (const auto& [strKind, nCount] : tally.refused)
    {
        nRefused += nCount;
        how += (how.empty() ? "" : ", ") + strKind + " " + std::to_string(nCount);
    }
    const auto ended = [&tally](const char* pszWhy) {
        const auto it = tally.ended.find(pszWhy);
        return it != tally.ended.end() ? it->second : 0;
    };
    std::printf("%-17s %5d copies: %5d loaded, %5d refused (%s); %d crashes, %d over memory, %d hangs; "
                "peak %.1f MiB; slowest %.2f ms (copy %d)\n",
                reader.pszName, kMutants, tally.nLoaded, nRefused, how.c_str(), ended("crash"), ended("memory"),
                ended("hang"), tally.nPeak / 1048576.0, tally.dSlowestMs, tally.nSlowest);
    std::fflush(stdout);
}
} // namespace

int main()
{
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argc == 5 && std::wstring(argv[1]) == L"--child")
    {
        for (const Reader& reader : Readers())
            if (CString(reader.pszName) == argv[2])
                return RunChild(reader, _wtoi(argv[3]), argv[4]);
        return 1;
    }
    std::printf("damaged input: %d copies of each file, seed %u; image cap %.0f MiB\n", kMutants, kSeed,
                SECImage::MaxHeldBytes / 1048576.0);
    for (const Reader& reader : Readers())
    {
        BOOL bNamed = argc == 1;
        for (int i = 1; i < argc; ++i)
            bNamed = bNamed || CString(reader.pszName) == argv[i];
        if (bNamed)
            Print(reader, RunReader(reader));
    }
    ::LocalFree(argv);
    return 0;
}
