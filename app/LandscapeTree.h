// The shape the three landscape trees share: a header with the tree's heading, 32-pixel
// images of bitmap 133, top-level entries with their instances below them, and a context menu
// of landscape commands that the main window receives.
#pragma once

#include <collector/SapInstance.h>

#include <toolkit/lists/TreeCtrl.h>

#include <afxmt.h>

#include <vector>

// One selected item of a landscape tree: its text and the text of its top-level entry (its own
// for an entry), both trimmed.
struct CLandscapeSelection
{
    CString strItem;
    CString strEntry;
    BOOL bEntry; // a top-level entry, not one of its instances
};

class CLandscapeTree : public tarnwick::lists::SECTreeCtrl
{
    DECLARE_DYNAMIC(CLandscapeTree)
public:
    // Images of bitmap 133.
    enum Image
    {
        imageSystem,
        imageInstance,
        imageHost,
        imageDatabase,
    };

    ~CLandscapeTree() override;

    // Appends a top-level entry with the tree's image.
    HTREEITEM InsertTopLevelItem(LPCTSTR lpszText);
    // The selected items, in the order of their rows.
    std::vector<CLandscapeSelection> GetSelections();
    // The context menu for a point in client coordinates: the tree's own items, then "Remove
    // Selections"; FALSE (no menu) while the tree is empty.
    BOOL BuildContextMenu(CMenu& menu, CPoint ptClient);

protected:
    CLandscapeTree(LPCTSTR lpszHeading, Image topLevelImage, UINT nRemoveID);

    // The items before "Remove Selections"; none by default.
    virtual BOOL AddMenuItems(CMenu& menu, CPoint ptClient);

    // Rebuilds the tree from a map of entries that each hold instances under their own mutex.
    // The tree is laid out and repainted once, at the end, not after every item.
    template <class TEntry>
    void Fill(CTypedPtrMap<CMapStringToPtr, CString, TEntry*>& map, CMutex& mutex)
    {
        const BOOL bRedraw = GetRedrawFlag();
        SetRedrawFlag(FALSE);
        DeleteAllItems();
        {
            CSingleLock lock(&mutex, TRUE);
            for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
            {
                CString strKey;
                TEntry* pEntry = nullptr;
                map.GetNextAssoc(pos, strKey, pEntry);
                const HTREEITEM hItem = InsertTopLevelItem(strKey);
                InsertInstances(hItem, pEntry->m_instances, pEntry->m_instanceMutex);
                Expand(hItem, TVE_TOGGLE, FALSE, FALSE);
            }
        }
        SetRedrawFlag(bRedraw);
        RecalcLayout();
        RepaintIfRedrawing();
    }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CString m_strHeading;
    Image m_topLevelImage;
    UINT m_nRemoveID;
    CImageList m_ImageList;

    HTREEITEM InsertItemWithImage(LPCTSTR lpszText, Image image, HTREEITEM hParent, LPARAM lParam);
    void InsertInstances(HTREEITEM hParent, CSapInstanceMap& instances, CMutex& mutex);
};
