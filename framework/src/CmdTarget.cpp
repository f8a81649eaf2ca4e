#include <afxwin.h>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
