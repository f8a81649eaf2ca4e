#include "ListCtrl.h"

namespace tarnwick::lists
{
IMPLEMENT_DYNAMIC(SECListCtrl, SECListBaseC)

BEGIN_MESSAGE_MAP(SECListCtrl, SECListBaseC)
ON_WM_PAINT()
SEC_LIST_MESSAGE_ENTRIES()
END_MESSAGE_MAP()

} // namespace tarnwick::lists
