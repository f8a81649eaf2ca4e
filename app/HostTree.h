// The landscape window's tree of hosts with their instance connections.
#pragma once

#include <app/LandscapeTree.h>

class CHostTree : public CLandscapeTree
{
    DECLARE_DYNAMIC(CHostTree)
public:
    CHostTree();

    // Rebuilds the tree from the main frame's hosts map.
    void AddItems();

protected:
    // Beside the entries "Add Host"; on a host that no instance reaches "Add Instance".
    BOOL AddMenuItems(CMenu& menu, CPoint ptClient) override;
};
