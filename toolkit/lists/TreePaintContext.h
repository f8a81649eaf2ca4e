// A list paint context that also knows the tree node of the row.
#pragma once

#include "ListPaintContext.h"
#include "TreeNode.h"

namespace tarnwick::lists
{
struct SECTreePaintContext : SECListPaintContext
{
    using SECListPaintContext::SECListPaintContext;

    TVITEMW query = {};
    _Node* pNode = nullptr;
    // A label "head\{HI}tail" keeps its head on the first line and hangs the tail after it.
    BOOL bSplit = FALSE;
    CString strHead;
    CString strTail;
};
} // namespace tarnwick::lists
