// What the collection engine needs of the application: the output window, the registered
// landscape, the profile and the facts of this PC. The application implements it; the session
// document hands it to the collector it creates.
#pragma once

#include <afxcoll.h>
#include <afxtempl.h>

class CSapSystem;
class CSapHost;
class CSapDatabase;
class CPcInfo;

using CSapSystemMap = CTypedPtrMap<CMapStringToPtr, CString, CSapSystem*>;
using CSapHostMap = CTypedPtrMap<CMapStringToPtr, CString, CSapHost*>;
using CSapDatabaseMap = CTypedPtrMap<CMapStringToPtr, CString, CSapDatabase*>;

class CSessionHost
{
public:
    // Output categories: the tab of the output window and part of the log file name.
    enum Category
    {
        categoryCollector,
        categorySystem,
        categoryInstance,
        categoryHost,
        categoryDatabase,
    };

    virtual ~CSessionHost() = default;

    // The output window's handle, or null while there is none: then nothing is posted.
    virtual HWND GetOutputWindow() const = 0;

    // The landscape maps: system id, host name and database name (RFCDATABS) to the objects.
    // Maps iterate in insertion order, so threads start and records follow in registration order.
    virtual const CSapSystemMap& GetSystems() const = 0;
    virtual const CSapHostMap& GetHosts() const = 0;
    virtual const CSapDatabaseMap& GetDatabases() const = 0;

    virtual UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const = 0;
    virtual CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr) const = 0;

    virtual const CPcInfo& GetPcInfo() const = 0;

    // The clock of the session's ticks, seconds since 1970 UTC.
    virtual __time64_t Now() const
    {
        return _time64(nullptr);
    }
};
