#include <grid/core/MapCellToOb.h>

IMPLEMENT_SERIAL(CGXMapCellToOb, CObject, 0)

CGXMapCellToOb::CGXMapCellToOb(INT_PTR nBlockSize) : CGXHashMap(nBlockSize)
{
}
