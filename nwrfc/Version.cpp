// The simulated library's version.
#include <nwrfc/FunctionTable.h>

const SAP_UC* SAP_API SimRfcGetVersion(unsigned* majorVersion, unsigned* minorVersion, unsigned* patchLevel)
{
    const unsigned kVersion[] = {1, 0, 0};
    unsigned* const numbers[] = {majorVersion, minorVersion, patchLevel};
    for (int i = 0; i < 3; ++i)
    {
        if (numbers[i] != nullptr)
            *numbers[i] = kVersion[i];
    }
    return L"1.0.0 simulated SAP landscape";
}
