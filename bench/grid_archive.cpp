// Stores a grid's parameter object (owning its styles map, properties and a plain data object
// of text and number cells; every tenth cell bold on a solid interior, every hundredth with
// borders and a base style) into a memory archive with Serialize and loads it into a new object.
// The peer loop writes the same cells' style-record fields with the archive's operators and
// reads them back into plain structs; the reference writes the stored bytes in one Write.
// Prints medians of 5 runs at 100,000 cells, MB/s, the ratios to the loop, and the cost per cell
// at 10,000 and 100,000 cells.
#include <grid/core/Data.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/services/archive/GridDocSerializeImp.h>
#include <grid/services/archive/StyleSerializeImp.h>
#include <BenchFigures.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace
{
const int kRuns = 5;
const ROWCOL kCols = 100;

CGXStyle CellStyle(ROWCOL nRow, ROWCOL nCol, WORD nBaseStyle)
{
    CGXStyle style;
    const ROWCOL nIndex = (nRow - 1) * kCols + nCol - 1;
    if (nCol % 2 == 0)
    {
        CString strText;
        strText.Format(L"cell %lu,%lu", static_cast<unsigned long>(nRow), static_cast<unsigned long>(nCol));
        style.SetValue(strText);
    }
    else
    {
        style.SetValue(static_cast<double>(nIndex) * 0.25);
    }
    if (nIndex % 10 == 0)
        style.SetFont(CGXFont().SetBold(TRUE)).SetInteriorColor(RGB(200, 220, 255));
    if (nIndex % 100 == 0)
    {
        GXPenRecord pen;
        pen.SetStyle(PS_SOLID).SetColor(RGB(0, 0, 128));
        style.SetBorders(GXBorder::Bottom, pen).SetBorders(GXBorder::Right, pen).SetBaseStyle(nBaseStyle);
    }
    return style;
}

std::unique_ptr<CGXGridParam> MakeParam(ROWCOL nRows)
{
    auto pParam = std::make_unique<CGXGridParam>();
    pParam->m_pStylesMap = new CGXStylesMap;
    pParam->m_pStylesMap->CreateStandardStyles();
    pParam->m_bOwnStylesMap = TRUE;
    pParam->m_pProperties = new CGXProperties;
    pParam->m_bOwnProperties = TRUE;
    pParam->m_pData = new CGXData;
    pParam->m_bOwnData = TRUE;
    pParam->m_pData->SetRowCount(nRows);
    pParam->m_pData->SetColCount(kCols);
    const WORD nBase = pParam->m_pStylesMap->m_wStyleRowHeader;
    for (ROWCOL nRow = 1; nRow <= nRows; ++nRow)
        for (ROWCOL nCol = 1; nCol <= kCols; ++nCol)
        {
            const CGXStyle style = CellStyle(nRow, nCol, nBase);
            pParam->m_pData->StoreStyleImpl(nRow, nCol, &style, CGXStyle::modeCopy, 0);
        }
    return pParam;
}

void Store(CGXGridParam& param, CMemFile& file)
{
    CArchive ar(&file, CArchive::store);
    param.Serialize(ar);
    ar.Close();
}

std::vector<BYTE> Contents(CMemFile& file)
{
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// The style-record fields of one cell as the loop writes and reads them.
struct CellFields
{
    WORD wSchema;
    DWORD dwInclude;
    CString strValue;
    WORD wFontVersion;
    DWORD dwFontFlags;
    WORD wWeight;
    WORD wBorders;
    WORD wNullTag;
    BYTE nValueType;
};

struct Figures
{
    double dStore;
    double dLoad;
    double dLoop;
    double dWrite;
    size_t nBytes;
};

Figures Measure(ROWCOL nRows)
{
    const std::unique_ptr<CGXGridParam> pParam = MakeParam(nRows);
    Figures figures{};
    figures.dStore = MedianSecondsOf(kRuns, [&] {
        CMemFile file;
        Store(*pParam, file);
    });
    // Taking the bytes out for the load is no part of storing: it is done once, untimed.
    std::vector<BYTE> bytes;
    {
        CMemFile file;
        Store(*pParam, file);
        bytes = Contents(file);
    }
    figures.nBytes = bytes.size();
    figures.dLoad = MedianSecondsOf(kRuns, [&] {
        CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        CGXGridParam loaded;
        loaded.Serialize(ar);
        if (loaded.m_pData == nullptr || loaded.m_pData->GetRowCount() != nRows)
            std::printf("load failed\n");
    });

    std::vector<CGXStyle> styles;
    const WORD nBase = pParam->m_pStylesMap->m_wStyleRowHeader;
    for (ROWCOL nRow = 1; nRow <= nRows; ++nRow)
        for (ROWCOL nCol = 1; nCol <= kCols; ++nCol)
            styles.push_back(CellStyle(nRow, nCol, nBase));
    figures.dLoop = MedianSecondsOf(kRuns, [&] {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            for (const CGXStyle& style : styles)
            {
                const BOOL bFont = style.GetInclude(CGXStyle::inclFont);
                ar << WORD{6} << style.GetIncludeBits() << style.GetValue();
                if (bFont)
                    ar << WORD{2} << DWORD{0x40} << static_cast<WORD>(style.GetFont().GetWeight());
                ar << static_cast<WORD>(style.GetInclude(CGXStyle::inclBorders)) << WORD{0}
                   << static_cast<BYTE>(style.GetValueType());
            }
            ar.Close();
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        std::vector<CellFields> cells(styles.size());
        for (CellFields& cell : cells)
        {
            ar >> cell.wSchema >> cell.dwInclude >> cell.strValue;
            if (cell.dwInclude & CGXStyle::inclFont)
                ar >> cell.wFontVersion >> cell.dwFontFlags >> cell.wWeight;
            ar >> cell.wBorders >> cell.wNullTag >> cell.nValueType;
        }
    });
    figures.dWrite = MedianSecondsOf(kRuns, [&] {
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        ar.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        ar.Close();
    });
    return figures;
}

double MegabytesPerSecond(size_t nBytes, double dSeconds)
{
    return static_cast<double>(nBytes) / 1e6 / dSeconds;
}
} // namespace

int main()
{
    GXInstallGridDocSerializeImp();
    const Figures small = Measure(100);
    const Figures large = Measure(1000);
    const double dCells = 1000.0 * kCols;
    std::printf("grid_archive: 1,000 rows x 100 columns, %zu bytes, medians of %d runs\n", large.nBytes, kRuns);
    std::printf("  store (Serialize)   %8.2f ms  %7.1f MB/s  %5.2f x loop\n", large.dStore * 1e3,
                MegabytesPerSecond(large.nBytes, large.dStore), large.dStore / large.dLoop);
    std::printf("  load (Serialize)    %8.2f ms  %7.1f MB/s  %5.2f x loop\n", large.dLoad * 1e3,
                MegabytesPerSecond(large.nBytes, large.dLoad), large.dLoad / large.dLoop);
    std::printf("  loop (fields)       %8.2f ms\n", large.dLoop * 1e3);
    std::printf("  one Write           %8.2f ms  %7.1f MB/s\n", large.dWrite * 1e3,
                MegabytesPerSecond(large.nBytes, large.dWrite));
    const double dSmallCells = 100.0 * kCols;
    const double dStoreSmall = small.dStore / dSmallCells * 1e6;
    const double dLoadSmall = small.dLoad / dSmallCells * 1e6;
    std::printf("  per cell at 10,000 cells:  store %.3f us, load %.3f us\n", dStoreSmall, dLoadSmall);
    std::printf("  per cell at 100,000 cells: store %.3f us (%.2f x), load %.3f us (%.2f x)\n",
                large.dStore / dCells * 1e6, large.dStore / dCells * 1e6 / dStoreSmall, large.dLoad / dCells * 1e6,
                large.dLoad / dCells * 1e6 / dLoadSmall);
    return 0;
}
