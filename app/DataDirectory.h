// The program's directories as section "Properties" of the profile keeps them, and the one walk
// that makes a directory with all its missing levels. The settings page and the session
// document both build their paths here, so that they always mean the same directory.
#pragma once

#include <afx.h>

inline constexpr TCHAR kPropertiesSection[] = _T("Properties");

// "ProgramPath", ending in a backslash. A fresh profile has none: then the current directory is
// taken and written back. Throws a CLumiter5Exception "unable to get program path." when the
// current directory cannot be read.
CString ProgramDirectory();

// The "DataPath" of a profile that has none: "DATA\" in the program directory.
CString DefaultDataPath(const CString& strProgramPath);

// The absolute directory, ending in a backslash, that a "DataPath" value names: an empty one is
// the program directory's "DATA\", a relative one is taken relative to the program directory
// (one beginning with a backslash to its drive's root), and "." and ".." are resolved.
CString DataDirectory(const CString& strDataPath, const CString& strProgramPath);

// Makes every missing level of an absolute directory path, from the root down. Stops at the
// first level that cannot be made (or is a file) with a CLumiter5Exception "unable to create
// directory %s" naming that level.
void CreateDirectoryLevels(const CString& strPath);
