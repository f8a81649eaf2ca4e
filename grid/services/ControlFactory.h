// The standard control factory: which cell control a control id stands for, the controls and
// user attributes that a styles map knows, the grid's window classes, and which feature
// objects every grid and the application get.
#pragma once

#include <grid/core/AbstractImps.h>

class CGXControlFactory : public CGXAbstractControlFactory
{
public:
    // The control for the id (the edit control for an id it does not know), owned by the
    // grid; none while that control is not part of the grid.
    CGXControl* CreateControl(UINT nId, CGXGridCore* pGrid) override;
    // The names of the factory's control ids, from the string table.
    void RegisterAllControls(CGXStylesMap* pStylesMap) override;
    void RegisterAllUserAttributes(CGXStylesMap* pStylesMap) override;
    void InitializeGridComponents(CGXGridCore* pGrid) override;
    void InitializeApplicationComponents() override;
    void RegisterWndClasses(HINSTANCE hInstance) override;
    void UnregisterWndClasses(HINSTANCE hInstance) override;

    // The control ids in the order RegisterAllControls registers them.
    static const WORD s_anControlIds[35];
};
