// The grid library started, and a hidden popup window as the parent of a benchmark's grids.
#pragma once

#include <grid/core/GridInit.h>

#include <afxwin.h>

class GridBenchHost
{
public:
    GridBenchHost()
    {
        GXInitLibraryDefault();
        m_parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr);
    }
    ~GridBenchHost()
    {
        m_parent.DestroyWindow();
    }
    GridBenchHost(const GridBenchHost&) = delete;
    GridBenchHost& operator=(const GridBenchHost&) = delete;
    CWnd& Parent()
    {
        return m_parent;
    }

private:
    CWnd m_parent;
};
