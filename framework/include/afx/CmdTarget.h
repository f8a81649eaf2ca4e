// The base of the objects that receive commands. Message maps come with the windows.
#pragma once

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
};
