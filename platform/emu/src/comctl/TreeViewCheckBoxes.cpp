// Check boxes of the tree view (TVS_CHECKBOXES): the state image list the control makes for itself, state
// image 1 (unchecked) on every item, and the user's toggling.
//
// What the platform's conformance test of the style shows: setting the style on a tree makes the list at
// once and gives every item state image 1, whatever it had; a tree created with the style gives each new item
// state image 1 and makes the list at its first paint, which again sets every item to 1 (the documentation
// warns of exactly that); removing the list brings the same at the next paint; each tree has a list of its
// own; Space on the selected item steps to the next state image and from the last back to 1.
#include "ImageList.h"
#include "TreeView.h"

namespace emu::comctl {

namespace {
constexpr int BoxSize = 16;

// Image 0 transparent, 1 an empty box, 2 a box with a tick: black frame, white inside.
HIMAGELIST MakeCheckBoxes() {
    constexpr uint32_t Clear = 0, Frame = 0xFF000000u, Inside = 0xFFFFFFFFu;
    std::vector<uint32_t> pixels(3 * BoxSize * BoxSize, Clear);
    for (int image = 1; image < 3; ++image) {
        uint32_t* p = pixels.data() + image * BoxSize * BoxSize;
        for (int y = 1; y < 14; ++y)
            for (int x = 1; x < 14; ++x)
                p[y * BoxSize + x] = (x == 1 || x == 13 || y == 1 || y == 13) ? Frame : Inside;
        if (image == 2)
            for (int x = 4; x <= 10; ++x) {
                int y = x <= 6 ? 3 + x : 15 - x; // down to (6, 9), then up to (10, 5)
                p[y * BoxSize + x] = p[(y - 1) * BoxSize + x] = Frame;
            }
    }
    return CreateImageListFromPixels(BoxSize, BoxSize, pixels, 3);
}
} // namespace

// Gives the tree its own list when it has none, then state image 1 to every item.
void TreeView::ResetCheckBoxes() {
    if (!m_state) {
        m_checkBoxes = MakeCheckBoxes();
        SetImageList(TVSIL_STATE, m_checkBoxes);
    }
    for (Index n = At(m_root).first; n;) {
        Item& it = At(n);
        it.state = (it.state & ~static_cast<UINT>(TVIS_STATEIMAGEMASK)) | INDEXTOSTATEIMAGEMASK(1);
        if (it.first) {
            n = it.first;
            continue;
        }
        while (n && !At(n).next)
            n = At(n).parent == m_root ? 0 : At(n).parent;
        n = n ? At(n).next : 0;
    }
    ApplyKeys();
    Changed();
}

// The next state image of the item, from the last one back to the first box.
void TreeView::ToggleCheck(Index i) {
    UINT index = (At(i).state & TVIS_STATEIMAGEMASK) >> 12;
    UINT count = m_state ? static_cast<UINT>(std::max(0, ImageList_GetImageCount(m_state))) : 0;
    UINT next = index + 1 < count ? index + 1 : 1;
    At(i).state = (At(i).state & ~static_cast<UINT>(TVIS_STATEIMAGEMASK)) | INDEXTOSTATEIMAGEMASK(next);
    UpdateKey(i);
    Invalidate();
}

} // namespace emu::comctl
