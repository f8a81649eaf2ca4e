// The user attributes of a style: owned attribute objects sorted by ascending id, one per id.
#pragma once

#include <grid/core/AbstractUserAttribute.h>

class CGXUserAttributeMap : public CObArray
{
    DECLARE_SERIAL(CGXUserAttributeMap)
public:
    CGXUserAttributeMap() = default;
    ~CGXUserAttributeMap() override;

    // The index of the attribute with the id, or -1.
    INT_PTR FindIndex(WORD nId) const;
    void Sort();
    // Takes ownership of pAttribute and gives it the id; an attribute with that id is deleted.
    void SetAttribute(WORD nId, CGXAbstractUserAttribute* pAttribute);
    void SetAttributeClone(WORD nId, const CGXAbstractUserAttribute& attribute);
    void RemoveAttribute(WORD nId);
    // Null when the map has no attribute with the id.
    CGXAbstractUserAttribute* GetAttribute(WORD nId) const;
    void Empty();
    // Merges another map by the style change modes: 0 override, 1 apply, 2 copy, 3 exclude.
    void ChangeMap(const CGXUserAttributeMap& other, int nMode);

    // A 16-bit count, then each attribute as an object followed by its 16-bit id.
    void Serialize(CArchive& ar) override;
    // Each attribute's text under "UA<id>" in the application's profile section.
    void WriteProfile(LPCTSTR pszSection) const;

private:
    // Binary search among the first nCount attributes, which are sorted.
    INT_PTR FindInSorted(WORD nId, INT_PTR nCount) const;
    CGXAbstractUserAttribute* AttributeAt(INT_PTR nIndex) const
    {
        return static_cast<CGXAbstractUserAttribute*>(GetAt(nIndex));
    }
};
