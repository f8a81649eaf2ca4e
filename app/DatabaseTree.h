// The landscape window's tree of databases with their instance connections.
#pragma once

#include <app/LandscapeTree.h>

class CDatabaseTree : public CLandscapeTree
{
    DECLARE_DYNAMIC(CDatabaseTree)
public:
    CDatabaseTree();

    // Rebuilds the tree from the main frame's databases map.
    void AddItems();
};
