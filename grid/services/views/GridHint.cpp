#include <grid/services/views/GridHint.h>

IMPLEMENT_DYNAMIC(CGXGridHint, CObject)

CGXGridHint::CGXGridHint(DWORD id, DWORD viewId) : id(id), viewId(viewId)
{
}
