#include "User.h"

CPoint CUser::LabelPoint(CTreeCtrl& tree, HTREEITEM hItem) {
    CRect rect;
    tree.GetItemRect(hItem, &rect, TRUE);
    CPoint point = rect.CenterPoint();
    tree.ClientToScreen(&point);
    return point;
}

// The check box or image is the 16 pixels left of the label.
CPoint CUser::BoxPoint(CTreeCtrl& tree, HTREEITEM hItem) {
    CRect rect;
    tree.GetItemRect(hItem, &rect, TRUE);
    CPoint point(rect.left - 8, rect.CenterPoint().y);
    tree.ClientToScreen(&point);
    return point;
}

CPoint CUser::ButtonPoint(CTreeCtrl& tree, HTREEITEM hItem) {
    CRect rect;
    tree.GetItemRect(hItem, &rect, TRUE);
    CPoint point(rect.left - 16 - static_cast<int>(tree.GetIndent()) / 2, rect.CenterPoint().y);
    tree.ClientToScreen(&point);
    return point;
}

CPoint CUser::MiddleOf(CWnd& wnd) {
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect.CenterPoint();
}

void CUser::Pump() {
    emu::PumpMessages(AfxPumpMessage);
}

void CUser::Click(CPoint point, emu::Button button) {
    emu::Click(point.x, point.y, button);
    Pump();
}

void CUser::Key(UINT vk) {
    emu::PressKey(vk);
    Pump();
}

void CUser::Type(const char* pszText) {
    emu::TypeText(pszText);
    Pump();
}

void CUser::Tab(bool bBack) {
    if (bBack)
        emu::KeyDown(VK_SHIFT);
    emu::PressKey(VK_TAB);
    if (bBack)
        emu::KeyUp(VK_SHIFT);
    Pump();
}

void CUser::Press(CTreeCtrl& tree, HTREEITEM hItem) {
    // Long enough after any earlier press not to make a double click.
    emu::Wait(::GetDoubleClickTime() + 10);
    CPoint point = LabelPoint(tree, hItem);
    emu::MouseMove(point.x, point.y);
    emu::MouseDown();
    emu::MouseMove(point.x + 5, point.y);
}

void CUser::DragOnto(CTreeCtrl& source, HTREEITEM hItem, CTreeCtrl& target, HTREEITEM hTarget, bool bCtrl) {
    Press(source, hItem);
    CPoint point = LabelPoint(target, hTarget);
    emu::MouseMove(point.x, point.y);
    if (bCtrl) {
        emu::KeyDown(VK_CONTROL);
        // Held a moment before the release, as a person's Ctrl is, so that the drag loop sees it.
        emu::Wait(200);
    }
    emu::MouseUp();
    // Ctrl is let go only once the drop has been handled, however long the drag loop takes to see it.
    Pump();
    if (bCtrl) {
        emu::KeyUp(VK_CONTROL);
        Pump();
    }
}
