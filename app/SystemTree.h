// The landscape window's tree of SAP systems with their instances.
#pragma once

#include <app/LandscapeTree.h>

class CSystemTree : public CLandscapeTree
{
    DECLARE_DYNAMIC(CSystemTree)
public:
    CSystemTree();

    // Rebuilds the tree from the main frame's systems map.
    void Refresh();
};
