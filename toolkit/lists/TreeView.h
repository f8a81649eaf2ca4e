// The tree in a framework view: the tree logic over the list view, printing included.
#pragma once

#include "ListView.h"
#include "TreeBaseC.h"

namespace tarnwick::lists
{
extern template class SECTreeBaseT<SECListView>;

// The tree logic over the list view.
class SECTreeBaseV : public SECTreeBaseT<SECListView>
{
};

class SECTreeView : public SECTreeBaseV
{
    DECLARE_DYNCREATE(SECTreeView)
public:
    SECTreeView() = default;

    // Whether the tree keeps its column texts in a text store.
    BOOL HasSubItemTexts() const
    {
        return HasSubItemTextStorage();
    }

protected:
    DECLARE_MESSAGE_MAP()
};
} // namespace tarnwick::lists
