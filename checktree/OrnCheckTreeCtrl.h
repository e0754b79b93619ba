// A tri-state check tree: each item's image is its check box (unchecked, checked, partly checked).
#pragma once

#include "OrnTreeCtrl.h"

// Images 0, 2 and 4 of its image list (taken from the library's own bitmap, whatever bitmaps the host
// holds) show an unchecked, a checked and a partly checked box: an item's check state is its image index
// divided by two, and an item starts in the state of the image it was inserted with. A click on an item's box
// or label toggles it (a partly checked item becomes checked); the new state goes to all its descendants,
// and each ancestor takes its children's image when they all show the same one, else it and every ancestor
// above are partly checked. Of the top-level items only the first can be checked. The tree never starts a
// drag (TVS_DISABLEDRAGDROP) but takes drops; the rest is COrnTreeCtrl's.
class TALCONTROL_API COrnCheckTreeCtrl : public COrnTreeCtrl {
public:
    // A control without a window, as COrnTreeCtrl.
    COrnCheckTreeCtrl();
    // As COrnTreeCtrl's; its check images go with it.
    virtual ~COrnCheckTreeCtrl();

    // Sets the item checked or unchecked, with its descendants and ancestors as a click does.
    // 1 done, 0 refused, -1 already in the requested state.
    int CheckItem(HTREEITEM hItem, bool bCheck);
    // Toggles the item as a click on it does; false when the item is refused (a second or later top-level
    // item), with nothing changed.
    bool ClickItem(HTREEITEM hItem);
    // Gives every descendant of the item the image nImage (as image and selected image); the item itself
    // is not changed.
    void TravelChild(HTREEITEM hItem, int nImage);

protected:
    // Brings the ancestors of an item that now shows nImage into line, as after a click.
    void TravelSiblingAndParent(HTREEITEM hItem, int nImage);
    // Switches the tree view's drags off, gives it the check images and registers the drop target.
    virtual void PreSubclassWindow();

    // A click on an item's box or label toggles the item (ClickItem); the tree view then goes on as usual.
    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};
