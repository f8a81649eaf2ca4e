// The systems an archive entry can come from, and the conversion of file attributes between
// them and the running system (Windows attribute bits).
#pragma once

#include <windows.h>

namespace ZipCompatibility
{
enum ZipPlatforms
{
    zcDosFat = 0,
    zcUnix = 3,
    zcOs2Hpfs = 6,
    zcMacintosh = 7,
    zcNtfs = 11,
    zcSystem15 = 15,
    zcSystem20 = 20,
};

// The systems an archive may be set to make entries for.
bool IsPlatformSupported(int iSystem);

// The attributes of a system in Windows form, and the reverse. False when the system has no
// converter (1, 2, 4, 5, 8, 9, 10); systems 0 and above 10 are taken as they are.
bool ToNative(int iSystem, DWORD uAttributes, DWORD& uNative);
bool FromNative(int iSystem, DWORD uNative, DWORD& uAttributes);

// A Unix mode from Windows attributes, and the reverse.
DWORD WindowsToUnix(DWORD uAttributes);
DWORD UnixToWindows(DWORD uMode);
} // namespace ZipCompatibility
