// Formats amounts with the currency format's fixed defaults and parses the texts back, at
// 100,000 and 1,000,000 amounts, against the C runtime's swprintf("%.2f") and wcstod of the
// same values; prints the median of 5 runs per value, the ratio and the growth per value.
#include <grid/controls/BCurrencyFormat.h>
#include <BenchFigures.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <random>
#include <vector>

namespace
{
const int kRuns = 5;

struct Amount
{
    double dValue;
    BOOL bNegative;
};

// Fixed seed: -10,000,000 to 10,000,000 with two decimals, half of them negative.
std::vector<Amount> MakeAmounts(int nCount)
{
    std::mt19937_64 random(20261210);
    std::uniform_int_distribution<long long> cents(0, 1000000000LL);
    std::vector<Amount> amounts(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i)
        amounts[static_cast<size_t>(i)] = {static_cast<double>(cents(random)) / 100.0, i % 2 == 1};
    return amounts;
}

struct Figures
{
    double dFormat;
    double dRuntime;
    int nWrong;
};

Figures Measure(int nCount)
{
    const std::vector<Amount> amounts = MakeAmounts(nCount);
    const CGXBCurrencyFormat format;
    int nWrong = 0;
    const double dFormat = MedianSecondsOf(kRuns, [&] {
        nWrong = 0;
        CString strText;
        for (const Amount& amount : amounts)
        {
            format.FormatValue(amount.dValue, strText, amount.bNegative);
            double dValue = 0;
            BOOL bNegative = FALSE;
            if (!format.ParseValue(strText, dValue, bNegative) || dValue != amount.dValue ||
                bNegative != amount.bNegative)
                ++nWrong;
        }
    });
    double dSum = 0;
    const double dRuntime = MedianSecondsOf(kRuns, [&] {
        dSum = 0;
        wchar_t szText[64];
        for (const Amount& amount : amounts)
        {
            std::swprintf(szText, 64, L"%.2f", amount.bNegative ? -amount.dValue : amount.dValue);
            dSum += std::wcstod(szText, nullptr);
        }
    });
    if (!std::isfinite(dSum))
        ++nWrong;
    return {dFormat / nCount, dRuntime / nCount, nWrong};
}
} // namespace

int main()
{
    const Figures small = Measure(100000);
    const Figures large = Measure(1000000);
    std::printf("100,000 amounts:   format+parse %.1f ns a value, runtime %.1f ns, ratio %.2f, wrong %d\n",
                small.dFormat * 1e9, small.dRuntime * 1e9, small.dFormat / small.dRuntime, small.nWrong);
    std::printf("1,000,000 amounts: format+parse %.1f ns a value, runtime %.1f ns, ratio %.2f, wrong %d\n",
                large.dFormat * 1e9, large.dRuntime * 1e9, large.dFormat / large.dRuntime, large.nWrong);
    std::printf("growth per value at 10x the values: format %.2f, runtime %.2f (median of %d runs)\n",
                large.dFormat / small.dFormat, large.dRuntime / small.dRuntime, kRuns);
    return small.nWrong + large.nWrong == 0 ? 0 : 1;
}
