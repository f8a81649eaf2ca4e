// Where tests find the stand-in RFC library that the build makes for them (LUMITER_STAND_IN,
// relative to the test's executable), and the export of its own that pins its clock.
#pragma once

#include <testing/ChildProcess.h>

#include <afx.h>

#include <bit>
#include <string>

inline CString StandInPath()
{
    const CString relative = ExecutableFolder() + LUMITER_STAND_IN;
    wchar_t full[MAX_PATH];
    return GetFullPathNameW(relative, MAX_PATH, full, nullptr) < MAX_PATH ? CString(full) : relative;
}

// Sets the clock of the stand-in's landscape, when the process has loaded it; false when not.
inline bool SetStandInTime(__time64_t time)
{
    const HMODULE module = GetModuleHandleW(L"simnwrfc.dll");
    const FARPROC set = module != nullptr ? GetProcAddress(module, "SimSetLandscapeTime") : nullptr;
    if (set == nullptr)
        return false;
    std::bit_cast<void (*)(__time64_t)>(set)(time);
    return true;
}

// The bytes of a file, read while other programs may have it open or loaded, as they do the
// stand-in library.
inline std::string ReadBytes(const CString& path)
{
    CFile file(path, CFile::modeRead | CFile::shareDenyNone);
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

inline void WriteBytes(const CString& path, const std::string& bytes)
{
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}
