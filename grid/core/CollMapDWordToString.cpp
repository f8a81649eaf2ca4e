#include <grid/core/CollMapDWordToString.h>

IMPLEMENT_SERIAL(CGXCollMapDWordToString, CObject, 0)

CGXCollMapDWordToString::CGXCollMapDWordToString(INT_PTR nBlockSize) : CGXHashMap(nBlockSize)
{
}
