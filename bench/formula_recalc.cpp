// Forced full recalculation of a formula sheet in eager mode. Half of the cells form one chain
// (each the previous plus one), half are blocks of 50 constants each summed by one formula
// written out. Prints the time per cell at 10,000 and 100,000 cells, the ratio between the
// two (linear growth: near 1) and the ratio to a plain loop doing the same additions over
// arrays of doubles; medians of several runs.
#include <grid/formula/EngineRecalc.h>
#include <grid/formula/EngineStore.h>
#include <BenchFigures.h>

#include <cstdio>
#include <vector>

namespace
{
const int kRuns = 5;
const LONG kBlock = 50;

// One sheet of about nCells cells: the chain in column A, the blocks in column B with each
// block's sum in the row after it.
struct Sheet
{
    int nSheet;
    LONG nChain;
    LONG nBlocks;

    explicit Sheet(LONG nCells) : nSheet(GXEngineNewSheet()), nChain(nCells / 2), nBlocks(nCells / 2 / (kBlock + 1))
    {
        GXEngineSetFlagA(nSheet, 1);
        GXEngineSetCellNumber(nSheet, 1, 0, 1);
        for (LONG nRow = 2; nRow <= nChain; ++nRow)
        {
            CString strFormula;
            strFormula.Format(L"=A%ld+1", nRow - 1);
            GXEngineSetCellFormula(nSheet, nRow, 0, strFormula);
        }
        for (LONG nBlockIndex = 0; nBlockIndex < nBlocks; ++nBlockIndex)
        {
            const LONG nFirst = nBlockIndex * (kBlock + 1) + 1;
            CString strFormula = L"=";
            for (LONG i = 0; i < kBlock; ++i)
            {
                GXEngineSetCellNumber(nSheet, nFirst + i, 1, static_cast<double>(i));
                CString strTerm;
                strTerm.Format(i == 0 ? L"B%ld" : L"+B%ld", nFirst + i);
                strFormula += strTerm;
            }
            GXEngineSetCellFormula(nSheet, nFirst + kBlock, 1, strFormula);
        }
    }
    ~Sheet()
    {
        GXEngineDeleteSheet(nSheet);
    }
    LONG Cells() const
    {
        return nChain + nBlocks * (kBlock + 1);
    }
    // The end of the chain plus every block's sum, to check the run.
    double Result() const
    {
        double dTotal = GXEngineFindCell(nSheet, nChain, 0)->value.dNumber;
        for (LONG nBlockIndex = 0; nBlockIndex < nBlocks; ++nBlockIndex)
            dTotal += GXEngineFindCell(nSheet, nBlockIndex * (kBlock + 1) + 1 + kBlock, 1)->value.dNumber;
        return dTotal;
    }
};

// The same additions over arrays of doubles.
double Floor(LONG nChain, LONG nBlocks, std::vector<double>& chain, const std::vector<double>& constants,
             std::vector<double>& sums)
{
    chain[0] = 1;
    for (LONG i = 1; i < nChain; ++i)
        chain[i] = chain[i - 1] + 1;
    double dTotal = chain[nChain - 1];
    for (LONG nBlockIndex = 0; nBlockIndex < nBlocks; ++nBlockIndex)
    {
        double dSum = 0;
        for (LONG i = 0; i < kBlock; ++i)
            dSum += constants[nBlockIndex * kBlock + i];
        sums[nBlockIndex] = dSum;
        dTotal += dSum;
    }
    return dTotal;
}

struct Figures
{
    double dEnginePerCell;
    double dFloorPerCell;
};

Figures Measure(LONG nCells)
{
    Sheet sheet(nCells);
    std::vector<double> chain(sheet.nChain);
    std::vector<double> constants(sheet.nBlocks * kBlock);
    for (size_t i = 0; i < constants.size(); ++i)
        constants[i] = static_cast<double>(i % kBlock);
    std::vector<double> sums(sheet.nBlocks);
    std::vector<double> engine;
    std::vector<double> floor;
    double dFloorResult = 0;
    for (int nRun = 0; nRun < kRuns; ++nRun)
    {
        Clock::time_point start = Clock::now();
        GXEngineRecalcNow(sheet.nSheet);
        engine.push_back(Seconds(Clock::now() - start));
        start = Clock::now();
        dFloorResult = Floor(sheet.nChain, sheet.nBlocks, chain, constants, sums);
        floor.push_back(Seconds(Clock::now() - start));
    }
    if (sheet.Result() != dFloorResult)
        std::printf("mismatch: engine %.17g, loop %.17g\n", sheet.Result(), dFloorResult);
    return {Median(engine) / sheet.Cells(), Median(floor) / sheet.Cells()};
}
} // namespace

int main()
{
    const Figures small = Measure(10000);
    const Figures large = Measure(100000);
    std::printf("cells     engine ns/cell   loop ns/cell   engine/loop\n");
    std::printf("10,000    %14.1f %14.2f %13.1f\n", small.dEnginePerCell * 1e9, small.dFloorPerCell * 1e9,
                small.dEnginePerCell / small.dFloorPerCell);
    std::printf("100,000   %14.1f %14.2f %13.1f\n", large.dEnginePerCell * 1e9, large.dFloorPerCell * 1e9,
                large.dEnginePerCell / large.dFloorPerCell);
    std::printf("growth per cell 100,000 / 10,000: %.2f\n", large.dEnginePerCell / small.dEnginePerCell);
    return 0;
}
