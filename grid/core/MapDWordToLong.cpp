#include <grid/core/MapDWordToLong.h>

IMPLEMENT_SERIAL(CGXMapDWordToLong, CGXCollMapDWordToLong, 0)

CGXMapDWordToLong::CGXMapDWordToLong(INT_PTR nBlockSize) : CGXCollMapDWordToLong(nBlockSize)
{
}

CGXMapDWordToLong& CGXMapDWordToLong::operator=(const CGXMapDWordToLong& source)
{
    if (&source != this)
        Assign(source);
    return *this;
}
