// The framework's base: objects and run-time classes, strings, exceptions and collections.
#pragma once

#ifndef UNICODE
#error The framework is built for UTF-16 text: define UNICODE and _UNICODE.
#endif

#include <windows.h>
#include <tchar.h>

#include <afx/Debug.h>
#include <afx/Object.h>
#include <afx/String.h>
#include <afx/Exception.h>
#include <afx/Time.h>
#include <afx/FileTime.h>
#include <afx/File.h>
#include <afx/StdioFile.h>
#include <afx/MemFile.h>
#include <afx/FileFind.h>
#include <afx/Archive.h>
#include <afxcoll.h>
