// Fills the landscape window's three trees from the main window's maps and paints each once
// into a memory DC, for 5, 10, 20 and 50 systems of 10 instances each (every instance on a host
// of its own system's ten, every system with its database of the same ten instances), in the
// program started on a hidden main window. Prints the median of 5 runs per size and the time
// per tree item, which stays flat when filling grows linearly.
#include <app/Lumiter5App.h>
#include <app/MainFrame.h>

#include <collector/SapDatabase.h>
#include <collector/SapHost.h>
#include <collector/SapSystem.h>

#include <BenchCanvas.h>
#include <BenchFigures.h>

#include <cstdio>

namespace
{
const int kInstances = 10;
const int kRuns = 5;
const CSize kPaintSize(300, 800);

template <class TEntry> void DeleteEntries(CTypedPtrMap<CMapStringToPtr, CString, TEntry*>& map)
{
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
    {
        CString strKey;
        TEntry* pEntry = nullptr;
        map.GetNextAssoc(pos, strKey, pEntry);
        delete pEntry;
    }
    map.RemoveAll();
}

void Register(CMainFrame& frame, int nSystems)
{
    for (int nSystem = 0; nSystem < nSystems; ++nSystem)
    {
        CString strSystem;
        strSystem.Format(_T("S%02d"), nSystem);
        auto* pSystem = new CSapSystem;
        auto* pDatabase = new CSapDatabase;
        for (int nInstance = 0; nInstance < kInstances; ++nInstance)
        {
            CString strHost, strInstance;
            strHost.Format(_T("host%02d%02d"), nSystem, nInstance);
            strInstance.Format(_T("%s_%s_%02d"), static_cast<LPCTSTR>(strHost), static_cast<LPCTSTR>(strSystem),
                               nInstance);
            auto* pHost = new CSapHost;
            pHost->m_instances.SetAt(strInstance, new CSapInstance);
            frame.GetHosts().SetAt(strHost, pHost);
            pSystem->m_instances.SetAt(strInstance, new CSapInstance);
            pDatabase->m_instances.SetAt(strInstance, new CSapInstance);
        }
        frame.GetSystems().SetAt(strSystem, pSystem);
        frame.GetDatabases().SetAt(strSystem, pDatabase);
    }
}

void Paint(CLandscapeTree& tree)
{
    BenchCanvas canvas(kPaintSize.cx, kPaintSize.cy);
    tree.DrawControl(&canvas.Dc());
}

void FillAndPaint(CLandscapeWnd& landscape)
{
    landscape.GetSystemTree().Refresh();
    landscape.GetHostTree().AddItems();
    landscape.GetDatabaseTree().AddItems();
    Paint(landscape.GetSystemTree());
    Paint(landscape.GetHostTree());
    Paint(landscape.GetDatabaseTree());
}
} // namespace

int main()
{
    CLumiter5App app;
    app.m_nCmdShow = SW_HIDE;
    if (!app.InitInstance())
    {
        std::printf("the program did not start\n");
        return 1;
    }
    CMainFrame& frame = *app.GetMainFrame();
    CLandscapeWnd& landscape = frame.GetLandscapeWnd();
    std::printf("three landscape trees filled and painted once (median of %d runs)\n", kRuns);
    std::printf("  systems  tree items      total    per item\n");
    for (const int nSystems : {5, 10, 20, 50})
    {
        Register(frame, nSystems);
        // Systems and databases with their instances, and each host with its one.
        const int nItems = nSystems * (2 * (1 + kInstances) + 2 * kInstances);
        const double dSeconds = MedianSecondsOf(kRuns, [&] { FillAndPaint(landscape); });
        std::printf("  %7d  %10d  %7.2f ms  %7.2f us\n", nSystems, nItems, dSeconds * 1e3, dSeconds * 1e6 / nItems);
        DeleteEntries(frame.GetSystems());
        DeleteEntries(frame.GetHosts());
        DeleteEntries(frame.GetDatabases());
    }
    frame.DestroyWindow();
    return 0;
}
