#include <zip/Compatibility.h>

#include <algorithm>
#include <iterator>

namespace
{
using Converter = DWORD (*)(DWORD);

struct SystemConverters
{
    int iSystem;
    Converter toNative;
    Converter fromNative;
};

DWORD Identity(DWORD uAttributes)
{
    return uAttributes;
}

// A Macintosh keeps only read-only and directory.
DWORD MacintoshAttributes(DWORD uAttributes)
{
    return uAttributes & 0x11;
}

const SystemConverters kConverters[] = {
    {ZipCompatibility::zcUnix, ZipCompatibility::UnixToWindows, ZipCompatibility::WindowsToUnix},
    {ZipCompatibility::zcMacintosh, MacintoshAttributes, MacintoshAttributes},
};

// Systems 1 to 10 other than Unix, OS/2 HPFS and Macintosh have no converter.
bool HasNoConverter(int iSystem)
{
    return iSystem >= 1 && iSystem <= 10 && iSystem != ZipCompatibility::zcUnix &&
           iSystem != ZipCompatibility::zcOs2Hpfs && iSystem != ZipCompatibility::zcMacintosh;
}

bool Convert(int iSystem, DWORD uIn, DWORD& uOut, Converter SystemConverters::*pConverter)
{
    if (HasNoConverter(iSystem))
        return false;
    const auto it = std::find_if(std::begin(kConverters), std::end(kConverters),
                                 [iSystem](const SystemConverters& entry) { return entry.iSystem == iSystem; });
    uOut = it == std::end(kConverters) ? Identity(uIn) : ((*it).*pConverter)(uIn);
    return true;
}
} // namespace

namespace ZipCompatibility
{
bool IsPlatformSupported(int iSystem)
{
    static const int kSupported[] = {zcDosFat, zcUnix, zcOs2Hpfs, zcMacintosh, zcNtfs, zcSystem15, zcSystem20};
    return std::find(std::begin(kSupported), std::end(kSupported), iSystem) != std::end(kSupported);
}

bool ToNative(int iSystem, DWORD uAttributes, DWORD& uNative)
{
    return Convert(iSystem, uAttributes, uNative, &SystemConverters::toNative);
}

bool FromNative(int iSystem, DWORD uNative, DWORD& uAttributes)
{
    return Convert(iSystem, uNative, uAttributes, &SystemConverters::fromNative);
}

DWORD WindowsToUnix(DWORD uAttributes)
{
    DWORD uMode = 0;
    if (!(uAttributes & FILE_ATTRIBUTE_HIDDEN))
        uMode |= 0x124; // read for all
    if (!(uAttributes & FILE_ATTRIBUTE_READONLY))
        uMode |= 0x90; // write for owner and group
    if (uAttributes & FILE_ATTRIBUTE_DIRECTORY)
        uMode |= 0x4049; // directory, execute for all
    else
        uMode |= 0x8000; // regular file
    return uMode;
}

DWORD UnixToWindows(DWORD uMode)
{
    const bool bDirectory = (uMode & 0x4000) != 0;
    DWORD uAttributes = bDirectory ? FILE_ATTRIBUTE_DIRECTORY : 0;
    if (!bDirectory && !(uMode & 0x40))
        uAttributes |= FILE_ATTRIBUTE_ARCHIVE;
    if (!(uMode & 0x80))
        uAttributes |= FILE_ATTRIBUTE_READONLY;
    if (!(uMode & 0x100))
        uAttributes |= FILE_ATTRIBUTE_HIDDEN;
    return uAttributes;
}
} // namespace ZipCompatibility
