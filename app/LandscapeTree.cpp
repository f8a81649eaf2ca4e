#include <app/LandscapeTree.h>

#include <app/BarMenu.h>
#include <app/resource.h>

using tarnwick::lists::LVXS_FITCOLUMNS;
using tarnwick::lists::SECTreeCtrl;
using tarnwick::lists::TVXS_HEADER;

IMPLEMENT_DYNAMIC(CLandscapeTree, SECTreeCtrl)

BEGIN_MESSAGE_MAP(CLandscapeTree, SECTreeCtrl)
ON_WM_CREATE()
ON_WM_CONTEXTMENU()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace
{
constexpr int IMAGE_SIZE = 32;
constexpr int IMAGE_COUNT = 4;
constexpr COLORREF IMAGE_MASK = RGB(255, 255, 255);
} // namespace

CLandscapeTree::CLandscapeTree(LPCTSTR lpszHeading, Image topLevelImage, UINT nRemoveID)
    : m_strHeading(lpszHeading), m_topLevelImage(topLevelImage), m_nRemoveID(nRemoveID)
{
}

BOOL CLandscapeTree::BuildContextMenu(CMenu& menu, CPoint ptClient)
{
    if (GetCount() == 0)
        return FALSE;
    return AddMenuItems(menu, ptClient) && menu.AppendMenu(MF_STRING, m_nRemoveID, _T("&Remove Selections"));
}

std::vector<CLandscapeSelection> CLandscapeTree::GetSelections()
{
    std::vector<CLandscapeSelection> selections;
    for (int nRow = GetNextItem(-1, LVNI_SELECTED); nRow != -1; nRow = GetNextItem(nRow, LVNI_SELECTED))
    {
        const HTREEITEM hItem = GetItemAt(nRow);
        const HTREEITEM hEntry = GetRootItem(hItem);
        CString strItem = GetItemText(hItem);
        CString strEntry = GetItemText(hEntry);
        selections.push_back({strItem.Trim(), strEntry.Trim(), hItem == hEntry});
    }
    return selections;
}

BOOL CLandscapeTree::AddMenuItems(CMenu&, CPoint)
{
    return TRUE;
}

CLandscapeTree::~CLandscapeTree() = default;

int CLandscapeTree::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (SECTreeCtrl::OnCreate(lpCreateStruct) == -1)
        return -1;
    ModifyListStyleEx(0, LVXS_FITCOLUMNS, TRUE);
    // Entries are inserted and deleted after every landscape command: the tree lays itself out
    // and repaints as they change.
    SetRedrawFlag(TRUE);
    ModifyTreeExStyle(0, TVXS_HEADER, FALSE);
    SetColumnHeading(0, m_strHeading);

    CBitmap bitmap;
    if (!m_ImageList.Create(IMAGE_SIZE, IMAGE_SIZE, ILC_COLOR24 | ILC_MASK, IMAGE_COUNT, 0))
        return -1;
    m_ImageList.SetBkColor(::GetSysColor(COLOR_WINDOW));
    if (bitmap.LoadBitmap(IDB_LANDSCAPE))
        m_ImageList.Add(&bitmap, IMAGE_MASK);
    SetImageList(&m_ImageList, LVSIL_NORMAL);
    return 0;
}

void CLandscapeTree::OnDestroy()
{
    SetImageList(nullptr, LVSIL_NORMAL);
    if (m_ImageList.m_hImageList != nullptr)
    {
        m_ImageList.Remove(-1);
        m_ImageList.DeleteImageList();
    }
    SECTreeCtrl::OnDestroy();
}

void CLandscapeTree::OnContextMenu(CWnd*, CPoint point)
{
    const CPoint ptMenu = ContextMenuPoint(*this, point);
    CPoint ptClient = ptMenu;
    ScreenToClient(&ptClient);
    CMenu menu;
    if (!menu.CreatePopupMenu() || !BuildContextMenu(menu, ptClient))
        return;
    // The landscape commands are the main window's.
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, ptMenu.x, ptMenu.y, AfxGetMainWnd());
}

HTREEITEM CLandscapeTree::InsertItemWithImage(LPCTSTR lpszText, Image image, HTREEITEM hParent, LPARAM lParam)
{
    TVINSERTSTRUCTW insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<LPWSTR>(lpszText);
    insert.item.iImage = insert.item.iSelectedImage = image;
    insert.item.lParam = lParam;
    return InsertItem(&insert);
}

HTREEITEM CLandscapeTree::InsertTopLevelItem(LPCTSTR lpszText)
{
    return InsertItemWithImage(lpszText, m_topLevelImage, TVI_ROOT, 0);
}

void CLandscapeTree::InsertInstances(HTREEITEM hParent, CSapInstanceMap& instances, CMutex& mutex)
{
    CSingleLock lock(&mutex, TRUE);
    LPARAM nPosition = 0;
    for (POSITION pos = instances.GetStartPosition(); pos != nullptr;)
    {
        CString strName;
        CSapInstance* pInstance = nullptr;
        instances.GetNextAssoc(pos, strName, pInstance);
        InsertItemWithImage(strName, imageInstance, hParent, ++nPosition);
    }
}
