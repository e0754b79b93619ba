// The simulated user: clicks, drags and keys on the dialog's trees and buttons, each finished through the
// message loop.
#pragma once

#include <TalControl.h>
#include <emu/Emu.h>

class CUser {
public:
    // Screen points of an item: the middle of its label and of its check box or image.
    static CPoint LabelPoint(CTreeCtrl& tree, HTREEITEM hItem);
    static CPoint BoxPoint(CTreeCtrl& tree, HTREEITEM hItem);
    // The middle of a window, such as a dialog's button.
    static CPoint MiddleOf(CWnd& wnd);
    // The middle of the item's expand button, one indent step left of its image.
    static CPoint ButtonPoint(CTreeCtrl& tree, HTREEITEM hItem);

    static void Pump();
    static void Click(CPoint point, emu::Button button = emu::Button::Left);
    static void Key(UINT vk);
    static void Type(const char* pszText);
    // Tab, or Shift+Tab when bBack.
    static void Tab(bool bBack);
    // Presses on the item's label and moves past the drag distance, so that the drag starts.
    static void Press(CTreeCtrl& tree, HTREEITEM hItem);
    // A whole drag onto another item, released with Ctrl held for a copy.
    static void DragOnto(CTreeCtrl& source, HTREEITEM hItem, CTreeCtrl& target, HTREEITEM hTarget,
                         bool bCtrl);
};
