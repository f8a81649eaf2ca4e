// Puts typed texts through the mask data, as the masked-edit cell does with a pasted or stored
// value: PutInput from a reset, IsValidData and the entered characters. 100,000 and 1,000,000
// texts for the masks "(###) ###-####" and "UU-####-LL", one in ten wrong in one place, against
// a plain loop that checks each character against a precomputed table of position kinds and
// builds the same entered characters. Prints the median of 5 runs per text, the ratio and the
// growth per text.
#include <grid/controls/MaskData.h>
#include <BenchFigures.h>

#include <cstdio>
#include <cwctype>
#include <random>
#include <string>
#include <vector>

namespace
{
const int kRuns = 5;

enum Kind
{
    kindLiteral,
    kindDigit,
    kindUpper,
    kindLower
};

struct MaskCase
{
    LPCWSTR pszMask;
    std::vector<Kind> kinds;
};

const MaskCase masks[] = {
    {L"(###) ###-####",
     {kindLiteral, kindDigit, kindDigit, kindDigit, kindLiteral, kindLiteral, kindDigit, kindDigit, kindDigit,
      kindLiteral, kindDigit, kindDigit, kindDigit, kindDigit}},
    {L"UU-####-LL",
     {kindUpper, kindUpper, kindLiteral, kindDigit, kindDigit, kindDigit, kindDigit, kindLiteral, kindLower,
      kindLower}},
};

// Fixed seed: the input characters of the mask in either case, every tenth text with one
// character of the wrong kind.
std::vector<std::wstring> MakeTexts(const MaskCase& mask, int nCount)
{
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> letter(0, 25);
    std::vector<std::wstring> texts;
    texts.reserve(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i)
    {
        std::wstring text;
        for (Kind kind : mask.kinds)
            if (kind == kindDigit)
                text += static_cast<wchar_t>(L'0' + digit(random));
            else if (kind != kindLiteral)
                text += static_cast<wchar_t>((letter(random) % 2 ? L'a' : L'A') + letter(random));
        if (i % 10 == 9)
        {
            const size_t nWrong = static_cast<size_t>(digit(random)) % text.size();
            text[nWrong] = std::iswdigit(text[nWrong]) ? L'x' : L'7';
        }
        texts.push_back(std::move(text));
    }
    return texts;
}

// The entered characters' codes plus their count, summed over the texts.
unsigned long long Checksum(LPCWSTR psz, size_t nLength)
{
    unsigned long long nSum = nLength;
    for (size_t i = 0; i < nLength; ++i)
        nSum += psz[i];
    return nSum;
}

struct Figures
{
    double dMask;
    double dLoop;
    bool bAgree;
};

Figures Measure(int nCount)
{
    double dMask = 0;
    double dLoop = 0;
    bool bAgree = true;
    for (const MaskCase& mask : masks)
    {
        const std::vector<std::wstring> texts = MakeTexts(mask, nCount);
        unsigned long long nMaskSum = 0;
        dMask += MedianSecondsOf(kRuns, [&] {
            nMaskSum = 0;
            CGXMaskData data;
            data.SetMask(mask.pszMask);
            CString strEntered;
            for (const std::wstring& text : texts)
            {
                data.PutInput(text.c_str(), -1, FALSE);
                if (data.IsValidData())
                {
                    data.GetData(strEntered, 0, -1, TRUE);
                    nMaskSum += Checksum(strEntered, static_cast<size_t>(strEntered.GetLength()));
                }
            }
        });
        unsigned long long nLoopSum = 0;
        dLoop += MedianSecondsOf(kRuns, [&] {
            nLoopSum = 0;
            wchar_t szEntered[32];
            for (const std::wstring& text : texts)
            {
                size_t nEntered = 0;
                size_t nNext = 0;
                for (Kind kind : mask.kinds)
                {
                    if (kind == kindLiteral)
                        continue;
                    if (nNext >= text.size())
                        break;
                    const wchar_t ch = text[nNext++];
                    if (kind == kindDigit ? !std::iswdigit(ch) : !std::iswalpha(ch))
                        break;
                    szEntered[nEntered++] = kind == kindUpper   ? static_cast<wchar_t>(std::towupper(ch))
                                            : kind == kindLower ? static_cast<wchar_t>(std::towlower(ch))
                                                                : ch;
                }
                nLoopSum += Checksum(szEntered, nEntered);
            }
        });
        bAgree = bAgree && nMaskSum == nLoopSum;
    }
    return {dMask / (2.0 * nCount), dLoop / (2.0 * nCount), bAgree};
}
} // namespace

int main()
{
    const Figures small = Measure(100000);
    const Figures large = Measure(1000000);
    std::printf("100,000 texts a mask:   mask data %.1f ns a text, loop %.1f ns, ratio %.2f, sums %s\n",
                small.dMask * 1e9, small.dLoop * 1e9, small.dMask / small.dLoop, small.bAgree ? "agree" : "DIFFER");
    std::printf("1,000,000 texts a mask: mask data %.1f ns a text, loop %.1f ns, ratio %.2f, sums %s\n",
                large.dMask * 1e9, large.dLoop * 1e9, large.dMask / large.dLoop, large.bAgree ? "agree" : "DIFFER");
    std::printf("growth per text at 10x the texts: mask data %.2f, loop %.2f (median of %d runs)\n",
                large.dMask / small.dMask, large.dLoop / small.dLoop, kRuns);
    return small.bAgree && large.bAgree ? 0 : 1;
}
