// Row regions, hit testing at their borders, item rectangles and scrolling.
#include "TreeFixture.h"

using Geometry = TreeFixture;

namespace {
std::string Zone(UINT flags) {
    std::string out;
    auto add = [&](UINT bit, const char* name) {
        if (flags & bit)
            out += std::string(out.empty() ? "" : "|") + name;
    };
    add(TVHT_NOWHERE, "nowhere");
    add(TVHT_ONITEMINDENT, "indent");
    add(TVHT_ONITEMBUTTON, "button");
    add(TVHT_ONITEMSTATEICON, "state");
    add(TVHT_ONITEMICON, "icon");
    add(TVHT_ONITEMLABEL, "label");
    add(TVHT_ONITEMRIGHT, "right");
    add(TVHT_ABOVE, "above");
    add(TVHT_BELOW, "below");
    add(TVHT_TOLEFT, "left");
    add(TVHT_TORIGHT, "right-of");
    return out;
}
HIMAGELIST Icons(int count, int size = 16) {
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32, count, 1);
    ImageList_SetImageCount(list, static_cast<UINT>(count));
    return list;
}
} // namespace

// With buttons and lines at the root and no images, a top-level row is: button column [0,19), label from 19,
// 6 pixels a character plus 4. The button zone exists only for an item that has children.
TEST_F(Geometry, HitZonesAtTheirBorders) {
    HTREEITEM parentItem = Add("parent"); // label [19, 59)
    Add("child", parentItem);
    HTREEITEM leaf = Add("leaf");
    auto at = [&](int x, int y) {
        TVHITTESTINFO info = HitTest(x, y);
        return names.Name(info.hItem) + ":" + Zone(info.flags);
    };
    EXPECT_EQ(at(0, 0), "parent:button");
    EXPECT_EQ(at(18, 15), "parent:button") << "one pixel left of the label";
    EXPECT_EQ(at(18, 16), "leaf:indent") << "a childless item has no button zone";
    EXPECT_EQ(at(19, 0), "parent:label");
    EXPECT_EQ(at(58, 0), "parent:label");
    EXPECT_EQ(at(59, 0), "parent:right");
    EXPECT_EQ(at(199, 31), "leaf:right");
    EXPECT_EQ(at(5, 32), "null:nowhere") << "below the last row, inside the client area";
    EXPECT_EQ(at(-1, 0), "null:left");
    EXPECT_EQ(at(200, 0), "null:right-of");
    EXPECT_EQ(at(0, -1), "null:above");
    EXPECT_EQ(at(0, 160), "null:below");
    EXPECT_EQ(at(-1, 160), "null:below|left");
    TVHITTESTINFO info = HitTest(20, 20);
    EXPECT_EQ(reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info))), leaf);

    Expand(parentItem);
    EXPECT_EQ(at(18, 16), "child:indent");
    EXPECT_EQ(at(19, 16), "child:indent") << "the child's button column [19,38) has no button";
    EXPECT_EQ(at(38, 16), "child:label");
}

TEST_F(Geometry, ImagesAndStateImagesWidenTheRow) {
    HTREEITEM a = Add("abc");
    HIMAGELIST normal = Icons(2), state = Icons(2);
    EXPECT_EQ(Send(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(normal)), 0);
    EXPECT_EQ(HitTest(19, 0).flags, static_cast<UINT>(TVHT_ONITEMICON));
    EXPECT_EQ(HitTest(34, 0).flags, static_cast<UINT>(TVHT_ONITEMICON));
    EXPECT_EQ(HitTest(35, 0).flags, static_cast<UINT>(TVHT_ONITEMLABEL));
    Send(TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(state));
    EXPECT_EQ(HitTest(19, 0).flags, static_cast<UINT>(TVHT_ONITEMICON)) << "no state index, no state image";
    TVITEMA set{TVIF_STATE, a, INDEXTOSTATEIMAGEMASK(1), TVIS_STATEIMAGEMASK, nullptr, 0, 0, 0, 0, 0};
    Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set));
    EXPECT_EQ(HitTest(19, 0).flags, static_cast<UINT>(TVHT_ONITEMSTATEICON));
    EXPECT_EQ(HitTest(35, 0).flags, static_cast<UINT>(TVHT_ONITEMICON));
    EXPECT_EQ(HitTest(51, 0).flags, static_cast<UINT>(TVHT_ONITEMLABEL));
    RECT rc;
    ASSERT_TRUE(ItemRect(a, TRUE, rc));
    EXPECT_EQ(rc.left, 51);
    EXPECT_EQ(rc.right, 51 + 18 + 4);
    EXPECT_EQ(Send(TVM_SETIMAGELIST, TVSIL_NORMAL, 0), reinterpret_cast<LRESULT>(normal));
}

TEST_F(Geometry, StyleChangesTakeEffectAtOnce) {
    HTREEITEM a = Add("a");
    Add("a1", a);
    EXPECT_EQ(HitTest(5, 0).flags, static_cast<UINT>(TVHT_ONITEMBUTTON));
    SetWindowLongA(tree, GWL_STYLE, GetWindowLongA(tree, GWL_STYLE) & ~TVS_LINESATROOT);
    EXPECT_EQ(HitTest(0, 0).flags, static_cast<UINT>(TVHT_ONITEMLABEL))
        << "top-level rows lose their button column";
    SetWindowLongA(tree, GWL_STYLE, GetWindowLongA(tree, GWL_STYLE) | TVS_LINESATROOT);
    SetWindowLongA(tree, GWL_STYLE, GetWindowLongA(tree, GWL_STYLE) & ~TVS_HASBUTTONS);
    EXPECT_EQ(HitTest(5, 0).flags, static_cast<UINT>(TVHT_ONITEMINDENT)) << "no buttons, no button zone";
}

TEST_F(Geometry, ItemRectangles) {
    HTREEITEM a = Add("abcd");
    HTREEITEM a1 = Add("x", a);
    HTREEITEM b = Add("b");
    RECT rc;
    ASSERT_TRUE(ItemRect(b, FALSE, rc));
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 16);
    EXPECT_EQ(rc.right, 200);
    EXPECT_EQ(rc.bottom, 32);
    ASSERT_TRUE(ItemRect(a, TRUE, rc));
    EXPECT_EQ(rc.left, 19);
    EXPECT_EQ(rc.right, 19 + 24 + 4);
    EXPECT_FALSE(ItemRect(a1, FALSE, rc)) << "under a collapsed parent";
    Expand(a);
    ASSERT_TRUE(ItemRect(a1, TRUE, rc));
    EXPECT_EQ(rc.left, 38);
    EXPECT_EQ(rc.top, 16);
    EXPECT_EQ(Send(TVM_GETVISIBLECOUNT), 10);
    EXPECT_EQ(Send(TVM_GETITEMHEIGHT), 16);
    EXPECT_EQ(Send(TVM_SETITEMHEIGHT, 9), 16);
    EXPECT_EQ(Send(TVM_GETITEMHEIGHT), 8) << "odd heights round down";
    ASSERT_TRUE(ItemRect(b, FALSE, rc));
    EXPECT_EQ(rc.top, 16);
    Send(TVM_SETITEMHEIGHT, static_cast<WPARAM>(-1));
    EXPECT_EQ(Send(TVM_GETITEMHEIGHT), 16);

    Send(TVM_SETINDENT, 5);
    EXPECT_EQ(Send(TVM_GETINDENT), 19) << "clamped to the minimum";
    Send(TVM_SETINDENT, 30);
    ASSERT_TRUE(ItemRect(a1, TRUE, rc));
    EXPECT_EQ(rc.left, 60);
}

TEST_F(Geometry, VerticalScrollingInRowsClampedAtTheEnds) {
    std::vector<HTREEITEM> items;
    for (int k = 0; k < 30; ++k)
        items.push_back(Add(("i" + std::to_string(k)).c_str()));
    EXPECT_TRUE(GetWindowLongA(tree, GWL_STYLE) & WS_VSCROLL) << "30 rows do not fit 10";
    auto scroll = [&](WORD code, WORD pos = 0) {
        Send(WM_VSCROLL, MAKEWPARAM(code, pos));
        return names.Name(Next(TVGN_FIRSTVISIBLE));
    };
    EXPECT_EQ(scroll(SB_LINEUP), "i0");
    EXPECT_EQ(scroll(SB_LINEDOWN), "i1");
    EXPECT_EQ(scroll(SB_PAGEDOWN), "i11");
    EXPECT_EQ(scroll(SB_PAGEDOWN), "i20") << "the last page is full";
    EXPECT_EQ(scroll(SB_LINEDOWN), "i20");
    EXPECT_EQ(scroll(SB_PAGEUP), "i10");
    EXPECT_EQ(scroll(SB_THUMBPOSITION, 5), "i5");
    EXPECT_EQ(scroll(SB_THUMBTRACK, 25), "i20");
    EXPECT_EQ(scroll(SB_TOP), "i0");
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)));
    EXPECT_EQ(names.Name(Next(TVGN_FIRSTVISIBLE)), "i3") << "a wheel notch scrolls three rows";
    EXPECT_TRUE(Select(items[15], TVGN_FIRSTVISIBLE));
    EXPECT_EQ(Next(TVGN_FIRSTVISIBLE), items[15]);
    EXPECT_TRUE(Select(items[28], TVGN_FIRSTVISIBLE));
    EXPECT_EQ(Next(TVGN_FIRSTVISIBLE), items[20]) << "as near the top as the last full page allows";
    EXPECT_EQ(log, Log{}) << "scrolling notifies nothing";
    EXPECT_EQ(scroll(SB_BOTTOM), "i20");
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(tree, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 29);
    EXPECT_EQ(si.nPage, 10u);
    EXPECT_EQ(si.nPos, 20);
    RECT rc;
    ASSERT_TRUE(ItemRect(items[19], FALSE, rc));
    EXPECT_EQ(rc.top, -16) << "rows above the window have negative rectangles";
    EXPECT_EQ(names.Name(HitTest(50, 0).hItem), "i20");

    for (int k = 29; k >= 5; --k)
        Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(items[static_cast<size_t>(k)]));
    EXPECT_FALSE(GetWindowLongA(tree, GWL_STYLE) & WS_VSCROLL) << "the bar goes when the rows fit";
    EXPECT_EQ(Next(TVGN_FIRSTVISIBLE), items[0]);
    EXPECT_EQ(scroll(SB_LINEDOWN), "i0") << "ignored without a bar";
}

TEST_F(Geometry, HorizontalScrollingByPixelsOnlyWithABar) {
    HTREEITEM shortItem = Add("short");
    RECT rc;
    Send(WM_HSCROLL, SB_LINERIGHT);
    ASSERT_TRUE(ItemRect(shortItem, TRUE, rc));
    EXPECT_EQ(rc.left, 19) << "no bar: nothing to scroll";

    HTREEITEM wide = Add(std::string(60, 'w').c_str()); // right edge 19 + 360 + 4 = 383
    EXPECT_TRUE(GetWindowLongA(tree, GWL_STYLE) & WS_HSCROLL);
    Send(WM_HSCROLL, SB_LINELEFT);
    ASSERT_TRUE(ItemRect(wide, TRUE, rc));
    EXPECT_EQ(rc.left, 19);
    Send(WM_HSCROLL, SB_LINERIGHT);
    ASSERT_TRUE(ItemRect(wide, TRUE, rc));
    EXPECT_EQ(rc.left, 19 - 16) << "a line is one item height";
    Send(WM_HSCROLL, SB_RIGHT);
    ASSERT_TRUE(ItemRect(wide, TRUE, rc));
    EXPECT_EQ(rc.right, 200) << "clamped where the widest row ends at the window's edge";
    Send(WM_HSCROLL, SB_PAGERIGHT);
    ASSERT_TRUE(ItemRect(wide, TRUE, rc));
    EXPECT_EQ(rc.right, 200);
    EXPECT_EQ(HitTest(199, 16).flags, static_cast<UINT>(TVHT_ONITEMLABEL));
    Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(wide));
    EXPECT_FALSE(GetWindowLongA(tree, GWL_STYLE) & WS_HSCROLL);
    ASSERT_TRUE(ItemRect(shortItem, TRUE, rc));
    EXPECT_EQ(rc.left, 19);
}
