#include <zip/Compatibility.h>

#include <gtest/gtest.h>

namespace
{
using namespace ZipCompatibility;

TEST(ZipCompatibilityTest, WindowsAttributesAsUnixModes)
{
    EXPECT_EQ(0x81B4u, WindowsToUnix(FILE_ATTRIBUTE_ARCHIVE)); // -rw-rw-r--
    EXPECT_EQ(0x8124u, WindowsToUnix(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(0x8090u, WindowsToUnix(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(0x41FDu, WindowsToUnix(FILE_ATTRIBUTE_DIRECTORY)); // drwxrwxr-x
}

TEST(ZipCompatibilityTest, UnixModesAsWindowsAttributes)
{
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE), UnixToWindows(0x81A4));   // -rw-r--r--
    EXPECT_EQ(0u, UnixToWindows(0x81ED));                                           // -rwxr-xr-x
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY), UnixToWindows(0x41ED)); // drwxr-xr-x
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              UnixToWindows(0x8000));
}

TEST(ZipCompatibilityTest, ConvertersBySystem)
{
    DWORD uOut = 0;
    EXPECT_TRUE(ToNative(zcDosFat, 0x27, uOut));
    EXPECT_EQ(0x27u, uOut);
    EXPECT_TRUE(FromNative(zcNtfs, 0x27, uOut));
    EXPECT_EQ(0x27u, uOut);
    EXPECT_TRUE(ToNative(zcMacintosh, 0x37, uOut));
    EXPECT_EQ(0x11u, uOut);
    EXPECT_TRUE(FromNative(zcUnix, FILE_ATTRIBUTE_ARCHIVE, uOut));
    EXPECT_EQ(0x81B4u, uOut);
    EXPECT_TRUE(ToNative(zcSystem20, 0x21, uOut));
    EXPECT_EQ(0x21u, uOut);
    for (int iSystem : {1, 2, 4, 5, 8, 9, 10})
        EXPECT_FALSE(FromNative(iSystem, 0x20, uOut)) << iSystem;
}

TEST(ZipCompatibilityTest, SupportedSystems)
{
    for (int iSystem : {0, 3, 6, 7, 11, 15, 20})
        EXPECT_TRUE(IsPlatformSupported(iSystem)) << iSystem;
    for (int iSystem : {1, 10, 12, 19, 21})
        EXPECT_FALSE(IsPlatformSupported(iSystem)) << iSystem;
}
} // namespace
