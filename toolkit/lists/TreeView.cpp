#include "TreeView.h"

namespace tarnwick::lists
{
IMPLEMENT_DYNCREATE(SECTreeView, SECListView)

BEGIN_MESSAGE_MAP(SECTreeView, SECListView)
SEC_TREE_MESSAGE_ENTRIES()
END_MESSAGE_MAP()
} // namespace tarnwick::lists
