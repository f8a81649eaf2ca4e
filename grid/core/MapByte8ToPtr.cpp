#include <grid/core/MapByte8ToPtr.h>

IMPLEMENT_SERIAL(CGXMapByte8ToPtr, CObject, 0)

CGXMapByte8ToPtr::CGXMapByte8ToPtr(INT_PTR nBlockSize) : CGXHashMap(nBlockSize)
{
}
