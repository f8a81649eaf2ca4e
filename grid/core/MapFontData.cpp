#include <grid/core/MapFontData.h>

IMPLEMENT_SERIAL(CGXMapFontData, CObject, 0)

CGXMapFontData::CGXMapFontData(INT_PTR nBlockSize) : CGXHashMap(nBlockSize, 257)
{
}
