#include <grid/core/MapNdxToOb.h>

IMPLEMENT_SERIAL(CMapNdxToOb, CObject, 0)

CMapNdxToOb::CMapNdxToOb(INT_PTR nBlockSize) : CGXHashMap(nBlockSize)
{
}
