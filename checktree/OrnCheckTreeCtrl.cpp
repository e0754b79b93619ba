#include "OrnCheckTreeCtrl.h"

#include "BranchWalk.h"
#include "CheckBitmaps.h"
#include "CheckClick.h"

namespace {

// Image indexes that the check tree writes; an item's check state is its image divided by two.
constexpr int kUncheckedImage = 0;
constexpr int kCheckedImage = 2;
constexpr int kPartlyCheckedImage = 4;

// Every item with a parent is accepted, and of the top-level items only the first; no item (in an empty
// tree, the first top-level item is no item either) is refused. The parent is handed back, since the caller
// needs it again.
bool Accepts(const CTreeCtrl& tree, HTREEITEM hItem, HTREEITEM& hParent) {
    hParent = tree.GetParentItem(hItem);
    return hItem != NULL && (hParent != NULL || tree.GetRootItem() == hItem);
}

// An image that cannot be read counts as -1, which is check state 0.
int ImageOf(const CTreeCtrl& tree, HTREEITEM hItem) {
    int nImage = -1, nSelectedImage = -1;
    tree.GetItemImage(hItem, nImage, nSelectedImage);
    return nImage;
}

// The image and the selected image always get the same value, so a box looks the same selected or not.
void WriteImage(CTreeCtrl& tree, HTREEITEM hItem, int nImage) {
    tree.SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, NULL, nImage, nImage, 0, 0, 0);
}

// Whether every sibling of the item shows the image, reading the following siblings nearest first, then the
// preceding ones, and stopping at the first that differs. Raw indexes are compared, so an odd image differs
// from the even one of the same check state.
bool SiblingsShow(const CTreeCtrl& tree, HTREEITEM hItem, int nImage) {
    for (HTREEITEM h = tree.GetNextSiblingItem(hItem); h != NULL; h = tree.GetNextSiblingItem(h))
        if (ImageOf(tree, h) != nImage)
            return false;
    for (HTREEITEM h = tree.GetPrevSiblingItem(hItem); h != NULL; h = tree.GetPrevSiblingItem(h))
        if (ImageOf(tree, h) != nImage)
            return false;
    return true;
}

} // namespace

BEGIN_MESSAGE_MAP(COrnCheckTreeCtrl, COrnTreeCtrl)
ON_NOTIFY_REFLECT(NM_CLICK, &COrnCheckTreeCtrl::OnClick)
END_MESSAGE_MAP()

COrnCheckTreeCtrl::COrnCheckTreeCtrl() {}

COrnCheckTreeCtrl::~COrnCheckTreeCtrl() {}

int COrnCheckTreeCtrl::CheckItem(HTREEITEM hItem, bool bCheck) {
    HTREEITEM hParent;
    if (!Accepts(*this, hItem, hParent))
        return 0;
    int nState = ImageOf(*this, hItem) / 2;
    if (bCheck ? nState == 1 : nState == 0)
        return -1;
    int nImage = bCheck ? kCheckedImage : kUncheckedImage;
    WriteImage(*this, hItem, nImage);
    TravelChild(hItem, nImage);
    if (hParent != NULL)
        TravelSiblingAndParent(hItem, nImage);
    return 1;
}

bool COrnCheckTreeCtrl::ClickItem(HTREEITEM hItem) {
    HTREEITEM hParent;
    if (!Accepts(*this, hItem, hParent))
        return false;
    // Unchecked and partly checked items both become checked.
    int nImage = ImageOf(*this, hItem) / 2 == 1 ? kUncheckedImage : kCheckedImage;
    WriteImage(*this, hItem, nImage);
    TravelChild(hItem, nImage);
    if (hParent != NULL)
        TravelSiblingAndParent(hItem, nImage);
    return true;
}

// Depth first, each item written before its children, without growing the stack with the tree's depth.
void COrnCheckTreeCtrl::TravelChild(HTREEITEM hItem, int nImage) {
    if (hItem == NULL || !ItemHasChildren(hItem))
        return;
    WalkBranch(*this, hItem, [&](HTREEITEM hChild, size_t) {
        WriteImage(*this, hChild, nImage);
        return ItemHasChildren(hChild) ? WalkStep::Descend : WalkStep::Skip;
    });
}

// Climbs one level per round, as long as all siblings show the image that the level below took.
void COrnCheckTreeCtrl::TravelSiblingAndParent(HTREEITEM hItem, int nImage) {
    for (;;) {
        if (!SiblingsShow(*this, hItem, nImage)) {
            // Once the children of one ancestor differ, it and every ancestor above it are partly checked.
            for (HTREEITEM h = GetParentItem(hItem); h != NULL; h = GetParentItem(h))
                WriteImage(*this, h, kPartlyCheckedImage);
            return;
        }
        HTREEITEM hParent = GetParentItem(hItem);
        if (hParent == NULL)
            return;
        WriteImage(*this, hParent, nImage);
        hItem = hParent;
    }
}

void COrnCheckTreeCtrl::OnClick(NMHDR* pNMHDR, LRESULT* pResult) {
    UNUSED_ALWAYS(pNMHDR);
    HTREEITEM hItem = ItemClickedOnBox(*this);
    if (hItem != NULL)
        ClickItem(hItem);
    // The tree view goes on with its own click handling (selection and so on).
    *pResult = 0;
}

void COrnCheckTreeCtrl::PreSubclassWindow() {
    // The tree view sends no drag start from now on, so this tree is never a drag source.
    ModifyStyle(0, TVS_DISABLEDRAGDROP, 0);
    if (m_hWnd != NULL) {
        if (m_pImageList != NULL)
            m_pImageList->DeleteImageList();
        else
            m_pImageList = new CImageList;
        m_pImageList->Create(16, 16, ILC_MASK, 6, 6);
        // The bitmap must come from the library's resources whichever module attached the window, and even
        // when the host holds a bitmap with the same ID.
        AFX_MAINTAIN_STATE2 libraryState(AfxGetStaticModuleState());
        CBitmap bitmap;
        bitmap.LoadBitmap(IDB_CHECK_IMAGES);
        // White is cut out around and inside each box, so the boxes show the tree's background.
        m_pImageList->Add(&bitmap, RGB(255, 255, 255));
        bitmap.DeleteObject();
        SetImageList(m_pImageList, TVSIL_NORMAL);
    }
    // Registers the drop target as the general tree does, then runs the window class's own set-up.
    COrnTreeCtrl::PreSubclassWindow();
}
