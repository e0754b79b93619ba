// The tree view and its label-edit box as pictures: highlight, images, buttons, lines, scrolling and text.
#include "RenderFixture.h"

#include <emu/Input.h>

#include <string>

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Gray = RGB(128, 128, 128);

class TreePaint : public RenderFixture {
protected:
    emu::Picture Render() {
        emu::Picture picture = emu::RenderWindow(frame);
        origin = ClientOffset(frame, tree);
        return picture;
    }
    COLORREF At(const emu::Picture& picture, int x, int y) const {
        return picture.Pixel(origin.x + x, origin.y + y);
    }
    int CountIn(const emu::Picture& picture, const RECT& r, COLORREF color) const {
        return Count(Pixels(picture, origin, r), color);
    }
    static int Area(const RECT& r) { return (r.right - r.left) * (r.bottom - r.top); }

    POINT origin{};
};

TEST_F(TreePaint, TheSelectionIsHighlightedWhileTheTreeHasTheFocus) {
    HTREEITEM a = Add("Alpha");
    Add("Beta");
    Select(a);
    SetFocus(tree);
    emu::Picture picture = Render();
    RECT label = ItemRect(a, TRUE);
    EXPECT_GT(CountIn(picture, label, GetSysColor(COLOR_HIGHLIGHT)), Area(label) / 2);
    EXPECT_EQ(At(picture, label.right + 2, label.top + 8), GetSysColor(COLOR_WINDOW)) << "only the label";
    EXPECT_EQ(CountIn(picture, RECT{label.left, label.top, label.right, label.top + 1},
                      GetSysColor(COLOR_HIGHLIGHT) ^ 0xFFFFFF),
              (label.right - label.left) / 2)
        << "the focus rectangle's dots";

    SetFocus(frame);
    picture = Render();
    EXPECT_EQ(CountIn(picture, label, GetSysColor(COLOR_HIGHLIGHT)), 0) << "no TVS_SHOWSELALWAYS";
    EXPECT_GT(CountIn(picture, label, Black), 10) << "the label in the window text colour";

    CreateTree(TreeStyle | TVS_SHOWSELALWAYS);
    HTREEITEM b = Add("Beta");
    Select(b);
    picture = Render();
    label = ItemRect(b, TRUE);
    EXPECT_GT(CountIn(picture, label, GetSysColor(COLOR_BTNFACE)), Area(label) / 2);
    EXPECT_EQ(CountIn(picture, label, GetSysColor(COLOR_HIGHLIGHT)), 0);
}

TEST_F(TreePaint, TheDropTargetTakesTheHighlight) {
    HTREEITEM a = Add("Alpha");
    HTREEITEM b = Add("Beta");
    Select(a);
    SetFocus(tree);
    Select(b, TVGN_DROPHILITE);
    emu::Picture picture = Render();
    RECT target = ItemRect(b, TRUE), selected = ItemRect(a, TRUE);
    EXPECT_GT(CountIn(picture, target, GetSysColor(COLOR_HIGHLIGHT)), Area(target) / 2);
    EXPECT_EQ(CountIn(picture, selected, GetSysColor(COLOR_HIGHLIGHT)), 0);
    Select(nullptr, TVGN_DROPHILITE);
    picture = Render();
    EXPECT_EQ(CountIn(picture, target, GetSysColor(COLOR_HIGHLIGHT)), 0);
    EXPECT_GT(CountIn(picture, selected, GetSysColor(COLOR_HIGHLIGHT)), Area(selected) / 2);
}

TEST_F(TreePaint, ImagesAreDrawnThroughTheirMasks) {
    HIMAGELIST normal = ImageList({Boxed(Red, Blue), Boxed(Red, Green)});
    HIMAGELIST states = ImageList({std::vector<COLORREF>(256, Magenta), Boxed(Black, White)});
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(normal));
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(states));
    HTREEITEM a = Add("Checked");
    TVITEMA item{TVIF_STATE | TVIF_SELECTEDIMAGE,
                 a,
                 INDEXTOSTATEIMAGEMASK(1),
                 TVIS_STATEIMAGEMASK,
                 nullptr,
                 0,
                 0,
                 1,
                 0,
                 0};
    SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    emu::Picture picture = Render();
    RECT label = ItemRect(a, TRUE);
    int icon = label.left - 16, state = icon - 16, top = label.top;
    EXPECT_EQ(At(picture, icon + 2, top + 2), Red);
    EXPECT_EQ(At(picture, icon + 7, top + 7), Blue);
    EXPECT_EQ(At(picture, icon, top), GetSysColor(COLOR_WINDOW)) << "masked: the background shows";
    EXPECT_EQ(At(picture, state + 2, top + 2), Black) << "the state image left of the icon";
    EXPECT_EQ(At(picture, state + 7, top + 7), White);
    EXPECT_EQ(At(picture, state + 15, top + 15), GetSysColor(COLOR_WINDOW));

    Select(a);
    picture = Render();
    EXPECT_EQ(At(picture, icon + 7, top + 7), Green) << "the selected image once selected";
}

TEST_F(TreePaint, ButtonsAndLinesFollowTheRows) {
    int indent = static_cast<int>(SendMessageA(tree, TVM_GETINDENT, 0, 0));
    HTREEITEM parent = Add("Parent");
    Add("Child", parent);
    RECT next = ItemRect(Add("Next"), FALSE);
    emu::Picture picture = Render();
    int cx = indent / 2, cy = 8;
    EXPECT_EQ(At(picture, cx - 4, cy), GetSysColor(COLOR_BTNSHADOW)) << "the button's box";
    EXPECT_EQ(At(picture, cx, cy), Black) << "the minus bar";
    EXPECT_EQ(At(picture, cx, cy - 2), Black) << "and the plus bar while collapsed";
    EXPECT_EQ(CountIn(picture, RECT{0, next.top, indent, next.bottom}, Black), 0)
        << "no button for an item without children";

    Expand(parent);
    picture = Render();
    EXPECT_EQ(At(picture, cx, cy - 2), GetSysColor(COLOR_WINDOW)) << "a minus once expanded";
    int childColumn = indent + indent / 2;
    EXPECT_GE(CountIn(picture, RECT{childColumn, 16, childColumn + 1, 24}, Gray), 4)
        << "the child's connector";
    EXPECT_GE(CountIn(picture, RECT{childColumn, 24, 2 * indent, 25}, Gray), 4) << "towards its label";
    EXPECT_GE(CountIn(picture, RECT{cx, 16, cx + 1, 32}, Gray), 8) << "the parent's line to its next sibling";

    CreateTree(TVS_HASBUTTONS | TVS_LINESATROOT);
    parent = Add("Parent");
    Add("Child", parent);
    Expand(parent);
    picture = Render();
    EXPECT_EQ(CountIn(picture, RECT{childColumn, 16, 2 * indent, 32}, Gray), 0) << "no TVS_HASLINES";
    CreateTree(TVS_HASLINES | TVS_LINESATROOT);
    parent = Add("Parent");
    Add("Child", parent);
    picture = Render();
    EXPECT_EQ(CountIn(picture, RECT{0, 0, indent, 16}, Black), 0) << "no TVS_HASBUTTONS";
    EXPECT_GE(CountIn(picture, RECT{0, 0, indent, 16}, Gray), 4) << "but the lines";
}

TEST_F(TreePaint, RowsMoveWithTheScrollPositions) {
    CreateTree(TreeStyle, 120, 100);
    HTREEITEM wide = Add("A label wider than the tree");
    HTREEITEM last = nullptr;
    for (int k = 0; k < 20; ++k)
        last = Add("row");
    Select(wide);
    SetFocus(tree);
    RECT before = ItemRect(wide, TRUE);
    emu::Picture picture = Render();
    SendMessageA(tree, WM_HSCROLL, SB_LINERIGHT, 0);
    RECT after = ItemRect(wide, TRUE);
    ASSERT_EQ(after.left, before.left - 16);
    RECT uncovered{after.left + 1, after.top + 1, before.left, after.bottom - 1};
    EXPECT_EQ(CountIn(picture, uncovered, GetSysColor(COLOR_HIGHLIGHT)), 0);
    picture = Render();
    EXPECT_GT(CountIn(picture, uncovered, GetSysColor(COLOR_HIGHLIGHT)), Area(uncovered) / 2)
        << "the highlight moved left with the label";
    RECT client{};
    GetClientRect(tree, &client);

    Select(last);
    picture = Render();
    RECT row = ItemRect(last, TRUE);
    EXPECT_GT(row.top, 0) << "scrolled into view at the bottom";
    EXPECT_GT(CountIn(picture, RECT{std::max(0, static_cast<int>(row.left)), row.top, row.right, row.bottom},
                      GetSysColor(COLOR_HIGHLIGHT)),
              0);
    SendMessageA(tree, WM_VSCROLL, SB_TOP, 0);
    picture = Render();
    EXPECT_EQ(CountIn(picture, RECT{0, 0, client.right, client.bottom}, GetSysColor(COLOR_HIGHLIGHT)), 0)
        << "the selection is scrolled away";
}

TEST_F(TreePaint, BoldLabelsUseHeavierGlyphs) {
    HTREEITEM plain = Add("Heavy");
    HTREEITEM bold = Add("Heavy");
    TVITEMA item{TVIF_STATE, bold, TVIS_BOLD, TVIS_BOLD, nullptr, 0, 0, 0, 0, 0};
    SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    emu::Picture picture = Render();
    EXPECT_GT(CountIn(picture, ItemRect(bold, TRUE), Black),
              CountIn(picture, ItemRect(plain, TRUE), Black) + 5);
}

TEST_F(TreePaint, TheLabelEditBoxHasABorderTextAndCaret) {
    SetWindowLongA(tree, GWL_STYLE, GetWindowLongA(tree, GWL_STYLE) | TVS_EDITLABELS);
    HTREEITEM a = Add("Name");
    auto edit = reinterpret_cast<HWND>(SendMessageA(tree, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(a)));
    ASSERT_NE(edit, nullptr);
    emu::Picture picture = emu::RenderWindow(frame);
    RECT window{}, client{};
    GetWindowRect(edit, &window);
    GetClientRect(edit, &client);
    POINT o = ClientOffset(frame, edit);
    EXPECT_EQ(picture.Pixel(o.x - 1, o.y - 1), GetSysColor(COLOR_WINDOWFRAME)) << "the border";
    EXPECT_EQ(picture.Pixel(o.x + client.right, o.y + client.bottom), GetSysColor(COLOR_WINDOWFRAME));
    std::vector<COLORREF> inside = Pixels(picture, o, client);
    EXPECT_GT(Count(inside, GetSysColor(COLOR_HIGHLIGHT)), 20) << "the text is selected";

    emu::TypeText("Zed");
    emu::PumpMessages();
    picture = emu::RenderWindow(frame);
    inside = Pixels(picture, o, client);
    EXPECT_EQ(Count(inside, GetSysColor(COLOR_HIGHLIGHT)), 0);
    EXPECT_GT(Count(inside, Black), 10);
    int caret = 1 + 3 * EMU_FONT_CHAR_WIDTH;
    EXPECT_EQ(Count(Pixels(picture, o, RECT{caret, 0, caret + 1, client.bottom}), Black), EMU_FONT_HEIGHT)
        << "the caret after the third character";
}

TEST_F(TreePaint, CallbackTextIsAskedForOncePerPaintedRow) {
    static int asked = 0;
    asked = 0;
    auto answer = [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == TVN_GETDISPINFOA) {
            auto* info = reinterpret_cast<NMTVDISPINFOA*>(lp);
            ++asked;
            if (info->item.mask & TVIF_TEXT)
                std::strcpy(info->item.pszText, "Answer");
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    };
    SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+answer));
    TVINSERTSTRUCTA is{};
    is.hParent = TVI_ROOT;
    is.hInsertAfter = TVI_LAST;
    is.item.mask = TVIF_TEXT;
    is.item.pszText = LPSTR_TEXTCALLBACKA;
    auto h =
        reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
    Add("Plain");
    RECT label = ItemRect(h, TRUE);
    asked = 0;
    emu::Picture picture = Render();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(label.right - label.left, 6 * EMU_FONT_CHAR_WIDTH + 4);
    EXPECT_GT(CountIn(picture, label, Black), 10);
}

} // namespace
