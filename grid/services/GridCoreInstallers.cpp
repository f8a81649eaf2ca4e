// Part of CGXGridCore: the installers of the feature objects that live among the grid's services,
// called by the control factory.
#include <grid/core/GridCore.h>

#include <grid/core/AbstractImps.h>
#include <grid/services/cells/DataCopyMoveCellsImp.h>
#include <grid/services/cells/DirectCopyMoveCellsImp.h>
#include <grid/services/clipboard/GridCutPasteImp.h>
#include <grid/services/clipboard/GridStyleDataExchangeImp.h>
#include <grid/services/clipboard/GridTextDataExchangeImp.h>
#include <grid/services/commands/CommandFactory.h>
#include <grid/services/print/GridPrintImp.h>
#include <grid/services/print/PrintDeviceImp.h>
#include <grid/services/rowscols/GridMoveRowsColsImp.h>
#include <grid/services/rowscols/GridResizeToFitImp.h>

void CGXGridCore::InstallCommandFactory()
{
    GXInstallImp<CGXCommandFactory>(m_pCommandFactory);
}

void CGXGridCore::InstallDirectCopyMoveCellsImp()
{
    GXInstallImp<CGXGridDirectCopyMoveCellsImp>(m_pDirectCopyMoveCellsImp);
    GXInstallDataCopyMoveCellsImp();
}

void CGXGridCore::InstallPrintImp()
{
    GXInstallImp<CGXGridPrintImp>(m_pPrintImp);
    GXInstallPrintDeviceImp();
}

void CGXGridCore::InstallCutPasteImp()
{
    GXInstallImp<CGXGridCutPasteImp>(m_pCutPasteImp);
}

void CGXGridCore::InstallTextDataExchangeImp()
{
    GXInstallImp<CGXGridTextDataExchangeImp>(m_pTextDataExchangeImp);
}

void CGXGridCore::InstallStyleDataExchangeImp()
{
    GXInstallImp<CGXGridStyleDataExchangeImp>(m_pStyleDataExchangeImp);
}

void CGXGridCore::ImplementMoveRowsCols()
{
    GXInstallImp<CGXGridMoveRowsColsImp>(m_pMoveRowsColsImp);
}

void CGXGridCore::InstallResizeToFitImp()
{
    GXInstallImp<CGXGridResizeToFitImp>(m_pResizeToFitImp);
    ImplementCalcSize();
}
