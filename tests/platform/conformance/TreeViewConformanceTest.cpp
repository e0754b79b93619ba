// The tree view as the platform's conformance tests of the control (and its documentation, where the tests
// say nothing) have it, one test a behaviour: the notifications and messages it sends, in order, and the
// states it leaves. Runs on the emulation and on the real platform.
#include "../treeview/TreeFixture.h"

#include <emu/Picture.h>

#include <algorithm>

namespace {

class Conformance : public TreeFixture {
protected:
    // Notification codes only, what the platform's sequences compare; with the expansion's direction when
    // asked for.
    std::vector<std::string> codes;
    std::vector<UINT> sent; // every notification's code
    void RecordCodes(bool direction = true) {
        answer = [this, direction](NMHDR* hdr) -> LRESULT {
            auto tv = reinterpret_cast<const NMTREEVIEWA*>(hdr);
            switch (hdr->code) {
            case TVN_SELCHANGINGA:
                codes.push_back("SELCHANGING");
                break;
            case TVN_SELCHANGEDA:
                codes.push_back("SELCHANGED");
                break;
            case TVN_SINGLEEXPAND:
                codes.push_back("SINGLEEXPAND");
                break;
            case TVN_ITEMEXPANDINGA:
            case TVN_ITEMEXPANDEDA:
                codes.push_back(std::string(hdr->code == TVN_ITEMEXPANDINGA ? "EXPANDING" : "EXPANDED") +
                                (!direction                       ? ""
                                 : (tv->action & 3) == TVE_EXPAND ? "+"
                                                                  : "-"));
                break;
            default:
                break;
            }
            return 0;
        };
    }
    UINT StateImage(HTREEITEM h) { return (State(h) & TVIS_STATEIMAGEMASK) >> 12; }
    void SetStateImage(HTREEITEM h, UINT index) {
        TVITEMA item{};
        item.mask = TVIF_STATE;
        item.hItem = h;
        item.state = INDEXTOSTATEIMAGEMASK(index);
        item.stateMask = TVIS_STATEIMAGEMASK;
        ASSERT_TRUE(Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }
    HIMAGELIST StateList() { return reinterpret_cast<HIMAGELIST>(Send(TVM_GETIMAGELIST, TVSIL_STATE)); }
    std::string Order(HTREEITEM from = nullptr) {
        std::string out;
        for (HTREEITEM h = from ? Next(TVGN_CHILD, from) : Next(TVGN_ROOT); h; h = Next(TVGN_NEXT, h))
            out += Text(h) + (Next(TVGN_CHILD, h) ? "(" + Order(h) + ")" : "") + " ";
        return out;
    }
};

// Selecting, ensuring visible or scrolling to an item under a collapsed parent expands the parent with both
// notifications, even when the parent was expanded before and a TVM_EXPAND would send nothing (the
// sequence for a selection under a collapsed, once expanded parent in the test of TVS_SINGLEEXPAND).
TEST_F(Conformance, RevealingAnItemNotifiesTheExpansionOfAParentExpandedBefore) {
    HTREEITEM a = Add("a"), c = Add("c"), e = Add("e");
    HTREEITEM b = Add("b", a), d = Add("d", c), f = Add("f", e);
    for (HTREEITEM h : {a, c, e}) {
        Expand(h);
        Expand(h, TVE_COLLAPSE);
    }
    RecordCodes();
    EXPECT_TRUE(Expand(a));
    EXPECT_TRUE(Expand(a, TVE_COLLAPSE));
    EXPECT_EQ(codes, std::vector<std::string>{}) << "messages expand a parent expanded before silently";
    EXPECT_TRUE(Select(b));
    EXPECT_EQ(codes, (std::vector<std::string>{"SELCHANGING", "EXPANDING+", "EXPANDED+", "SELCHANGED"}));
    codes.clear();
    Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(d));
    EXPECT_EQ(codes, (std::vector<std::string>{"EXPANDING+", "EXPANDED+"}));
    codes.clear();
    EXPECT_TRUE(Select(f, TVGN_FIRSTVISIBLE));
    EXPECT_EQ(codes, (std::vector<std::string>{"EXPANDING+", "EXPANDED+"}));
    for (HTREEITEM h : {a, c, e})
        EXPECT_EQ(State(h) & (TVIS_EXPANDED | TVIS_EXPANDEDONCE), UINT(TVIS_EXPANDED | TVIS_EXPANDEDONCE));
}

// NM_CUSTOMDRAW: prepaint, item prepaint and postpaint for each row, postpaint; the device context holds
// the colours an item's notification names, the label is drawn in those the parent sets, and the tree's own
// colours and font are back before the item's postpaint.
TEST_F(Conformance, CustomDrawAsksForEachItemAndDrawsInTheParentsColours) {
    HTREEITEM root = Add("root"), child = Add("child", root);
    Expand(root);
    const COLORREF ink = RGB(0xca, 0xfe, 0x00), paper = RGB(0xc0, 0xff, 0xee);
    LOGFONTA description{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    description.lfHeight *= 2;
    HFONT big = CreateFontIndirectA(&description);
    std::vector<std::string> mismatches;
    logCustomDraw = true;
    answer = [&](NMHDR* hdr) -> LRESULT {
        if (hdr->code != NM_CUSTOMDRAW)
            return 0;
        auto cd = reinterpret_cast<NMTVCUSTOMDRAW*>(hdr);
        HDC dc = cd->nmcd.hdc;
        switch (cd->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        case CDDS_ITEMPREPAINT:
            if (GetTextColor(dc) != cd->clrText || GetBkColor(dc) != cd->clrTextBk)
                mismatches.push_back("prepaint colours");
            cd->clrText = ink;
            cd->clrTextBk = paper;
            SetTextColor(dc, paper);
            SetBkColor(dc, ink);
            SelectObject(dc, big);
            return CDRF_NOTIFYPOSTPAINT | CDRF_NEWFONT;
        case CDDS_ITEMPOSTPAINT:
            if (cd->clrText != ink || cd->clrTextBk != paper)
                mismatches.push_back("postpaint keeps the parent's colours");
            if (GetTextColor(dc) == paper || GetBkColor(dc) == ink || GetCurrentObject(dc, OBJ_FONT) == big)
                mismatches.push_back("postpaint with the tree's own colours and font");
            return 0;
        default:
            return 0;
        }
    };
    log.clear();
    InvalidateRect(tree, nullptr, TRUE);
    UpdateWindow(tree);
    EXPECT_EQ(log, (Log{"CUSTOMDRAW(PREPAINT)", "CUSTOMDRAW(ITEMPREPAINT,root)",
                        "CUSTOMDRAW(ITEMPOSTPAINT,root)", "CUSTOMDRAW(ITEMPREPAINT,child)",
                        "CUSTOMDRAW(ITEMPOSTPAINT,child)", "CUSTOMDRAW(POSTPAINT)"}));
    EXPECT_EQ(mismatches, std::vector<std::string>{});
    RECT label{};
    ASSERT_TRUE(ItemRect(child, TRUE, label));
    emu::Picture picture = emu::RenderWindow(tree);
    EXPECT_EQ(picture.Pixel(label.left + 1, label.top + 1), paper) << "the label's background";

    // CDRF_SKIPDEFAULT at the start: the tree draws nothing and asks for no item.
    answer = [](NMHDR* hdr) -> LRESULT { return hdr->code == NM_CUSTOMDRAW ? CDRF_SKIPDEFAULT : 0; };
    log.clear();
    InvalidateRect(tree, nullptr, TRUE);
    UpdateWindow(tree);
    EXPECT_EQ(log, Log{"CUSTOMDRAW(PREPAINT)"});
    answer = nullptr;
    DeleteObject(big);
}

// TVS_SINGLEEXPAND: each selection sends TVN_SINGLEEXPAND after TVN_SELCHANGED; the new item expands, the
// old one and its ancestors off the new item's path collapse, each with the user's pair of notifications;
// items without children neither expand nor collapse, and selecting the selected item sends nothing. As in
// the platform's test the pairs are compared without their direction, which the final states decide.
TEST_F(Conformance, SingleExpandOpensTheSelectionAndClosesTheOldOne) {
    Create(DefaultStyle | TVS_SINGLEEXPAND);
    ShowWindow(tree, SW_HIDE); // no painting in between
    HTREEITEM p = Add("p"), u = Add("u");
    HTREEITEM q = Add("q", p), s = Add("s", p), v = Add("v", u), y = Add("y", u);
    HTREEITEM r = Add("r", q), t = Add("t", s), w = Add("w", v), x = Add("x", v);
    RecordCodes(false);
    const std::vector<std::string> sel{"SELCHANGING", "SELCHANGED", "SINGLEEXPAND"};
    auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> all = sel;
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    const std::vector<std::string> pair{"EXPANDING", "EXPANDED"};
    auto join = [](std::initializer_list<std::vector<std::string>> parts) {
        std::vector<std::string> all;
        for (const auto& part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    struct Step {
        HTREEITEM item;
        std::vector<std::string> expected;
    };
    const std::vector<Step> steps{
        {p, with(pair)},
        {q, with(pair)},
        {s, with(join({pair, pair}))},
        {u, with(join({pair, pair, pair}))},
        {p, with(join({pair, pair}))},
        {v, join({{"SELCHANGING"}, pair, {"SELCHANGED", "SINGLEEXPAND"}, pair, pair})},
        {w, sel},
        {x, sel},
        {x, {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(Text(step.item));
        codes.clear();
        EXPECT_TRUE(Select(step.item));
        EXPECT_EQ(codes, step.expected);
    }
    const UINT once = TVIS_EXPANDEDONCE, expanded = TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    std::vector<std::pair<HTREEITEM, UINT>> finals{
        {p, once},     {q, once},     {r, 0u}, {s, once},          {t, 0u},
        {u, expanded}, {v, expanded}, {w, 0u}, {x, TVIS_SELECTED}, {y, 0u}};
    for (auto [h, state] : finals)
        EXPECT_EQ(State(h), state) << Text(h);
}

// TVM_EDITLABEL starts an edit only in a tree with TVS_EDITLABELS, as the documentation of label editing
// describes both the user's and the program's edits for such a tree.
TEST_F(Conformance, EditLabelNeedsTheEditLabelsStyle) {
    HTREEITEM a = Add("a");
    SetFocus(tree);
    log.clear();
    EXPECT_EQ(Send(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(a)), 0);
    EXPECT_EQ(log, Log{});
    SetWindowLongA(tree, GWL_STYLE, GetWindowLongA(tree, GWL_STYLE) | TVS_EDITLABELS);
    auto edit = reinterpret_cast<HWND>(Send(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(a)));
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(Send(TVM_ENDEDITLABELNOW, TRUE));
    EXPECT_NE(std::find(log.begin(), log.end(), "BEGINLABELEDIT(a)"), log.end());
}

// TVS_CHECKBOXES as the platform's test of the style shows it: the style set on a tree makes the tree's own
// state image list and gives every item state image 1; a tree created with it gives new items 1 and makes
// the list when it first paints, which sets every item to 1 again; Space steps the selected item through the
// images and back to 1. The documented click on the box toggles it too, after NM_CLICK.
TEST_F(Conformance, CheckBoxesHaveTheirOwnImagesAndToggle) {
    HTREEITEM root = Add("root"), child = Add("child", root);
    EXPECT_EQ(StateList(), nullptr);
    EXPECT_EQ(StateImage(root), 0u);
    SetStateImage(child, 4);
    SetWindowLongA(tree, GWL_STYLE, GetWindowLongA(tree, GWL_STYLE) | TVS_CHECKBOXES);
    HIMAGELIST first = StateList();
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(StateImage(root), 1u);
    EXPECT_EQ(StateImage(child), 1u);

    Create(DefaultStyle | TVS_CHECKBOXES);
    root = Add("root");
    child = Add("child", root);
    EXPECT_EQ(StateList(), nullptr) << "not before the first paint";
    EXPECT_EQ(StateImage(root), 1u);
    SetStateImage(child, 2);
    EXPECT_EQ(StateImage(child), 2u);
    UpdateWindow(tree);
    EXPECT_NE(StateList(), nullptr);
    EXPECT_NE(StateList(), first) << "each tree has a list of its own";
    EXPECT_EQ(StateImage(child), 1u) << "the first paint sets every item to 1";

    SetFocus(tree);
    Select(root);
    Key(VK_SPACE);
    EXPECT_EQ(StateImage(root), 2u);
    Key(VK_SPACE);
    EXPECT_EQ(StateImage(root), 1u);

    UINT atClick = 99;
    answer = [&](NMHDR* hdr) -> LRESULT {
        if (hdr->code == NM_CLICK)
            atClick = StateImage(root);
        return 0;
    };
    RECT label{};
    ASSERT_TRUE(ItemRect(root, TRUE, label));
    TVHITTESTINFO box = HitTest(label.left - 8, (label.top + label.bottom) / 2);
    ASSERT_EQ(box.flags, static_cast<UINT>(TVHT_ONITEMSTATEICON));
    Click(label.left - 8, (label.top + label.bottom) / 2);
    EXPECT_EQ(atClick, 1u) << "NM_CLICK comes before the box changes";
    EXPECT_EQ(StateImage(root), 2u);
}

// The tree view is the version 5 control, which a program gets unless its manifest names version 6 of the
// common controls (the library's and the tests' do not): a state change, by a message, a selection or the
// user's toggling of a check box, sends none of the notifications of state changes that version 6 brought
// (documented for Vista and later). Wine, with and without such a manifest, sends none of them either.
TEST_F(Conformance, StateChangesSendNoVersion6Notifications) {
    answer = [this](NMHDR* hdr) -> LRESULT {
        sent.push_back(hdr->code);
        return 0;
    };
    Create(DefaultStyle | TVS_CHECKBOXES);
    HTREEITEM a = Add("a"), b = Add("b");
    UpdateWindow(tree);
    SetFocus(tree);
    Select(a);
    Select(b);
    TVITEMA item{};
    item.mask = TVIF_STATE;
    item.hItem = a;
    item.state = TVIS_BOLD;
    item.stateMask = TVIS_BOLD;
    ASSERT_TRUE(Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    SetStateImage(a, 2);
    Key(VK_SPACE);
    RECT label{};
    ASSERT_TRUE(ItemRect(a, TRUE, label));
    Click(label.left - 8, (label.top + label.bottom) / 2);

    EXPECT_EQ(State(a) & TVIS_BOLD, static_cast<UINT>(TVIS_BOLD));
    EXPECT_EQ(StateImage(a), 1u) << "set to 2, then toggled by the click";
    EXPECT_EQ(StateImage(b), 2u) << "toggled by Space";
    for (UINT code : {TVN_ITEMCHANGINGA, TVN_ITEMCHANGEDA, NM_TVSTATEIMAGECHANGING})
        EXPECT_EQ(std::count(sent.begin(), sent.end(), code), 0) << code;
    EXPECT_NE(std::find(sent.begin(), sent.end(), TVN_SELCHANGEDA), sent.end()) << "the log records";
}

// TVM_SORTCHILDREN sorts the item's children, one level whatever fRecurse says, case-insensitively and
// stably; NULL and TVI_ROOT sort the top-level items alone, answering TRUE; an item without children and an
// empty tree answer FALSE (the platform's test of sorting, and the framework's page of SortChildren).
TEST_F(Conformance, SortChildrenSortsOneLevel) {
    EXPECT_FALSE(Send(TVM_SORTCHILDREN, 0, 0));
    EXPECT_FALSE(Send(TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(TVI_ROOT)));
    HTREEITEM root = Add("root");
    EXPECT_FALSE(Send(TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(root)));
    EXPECT_FALSE(Send(TVM_SORTCHILDREN, TRUE, reinterpret_cast<LPARAM>(root)));
    HTREEITEM m = Add("m", root), b = Add("B", root);
    Add("z", m);
    Add("a", m);
    Add("k", b);
    Add("c", b);
    Add("b", root);
    Add("Top2");
    Add("top1");
    ASSERT_EQ(Order(), "root(m(z a ) B(k c ) b ) Top2 top1 ");
    EXPECT_TRUE(Send(TVM_SORTCHILDREN, TRUE, 0));
    EXPECT_EQ(Order(), "root(m(z a ) B(k c ) b ) top1 Top2 ");
    Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Next(TVGN_NEXT, root)));
    Add("a top");
    EXPECT_TRUE(Send(TVM_SORTCHILDREN, FALSE, reinterpret_cast<LPARAM>(TVI_ROOT)));
    EXPECT_EQ(Order(), "a top root(m(z a ) B(k c ) b ) Top2 ");
    EXPECT_TRUE(Send(TVM_SORTCHILDREN, TRUE, reinterpret_cast<LPARAM>(root)));
    EXPECT_EQ(Order(), "a top root(B(k c ) b m(z a ) ) Top2 ");
}

// State bits that the parent answers in TVN_GETDISPINFO, with TVIF_STATE added to the mask, reach the
// caller of TVM_GETITEM together with the item's own (the platform's test of callbacks).
TEST_F(Conformance, StateAnsweredWithTheImageCallbackReachesTheCaller) {
    HTREEITEM a = Add("a");
    TVITEMA set{};
    set.mask = TVIF_IMAGE | TVIF_STATE;
    set.hItem = a;
    set.iImage = I_IMAGECALLBACK;
    set.state = set.stateMask = TVIS_BOLD;
    ASSERT_TRUE(Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set)));
    int asked = 0;
    answer = [&](NMHDR* hdr) -> LRESULT {
        if (hdr->code == TVN_GETDISPINFOA) {
            auto di = reinterpret_cast<NMTVDISPINFOA*>(hdr);
            ++asked;
            di->item.iImage = 3;
            di->item.mask |= TVIF_STATE;
            di->item.state = TVIS_CUT | INDEXTOSTATEIMAGEMASK(2);
            di->item.stateMask = TVIS_CUT | TVIS_STATEIMAGEMASK;
        }
        return 0;
    };
    TVITEMA get{};
    get.mask = TVIF_IMAGE;
    get.hItem = a;
    ASSERT_TRUE(Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get)));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(get.iImage, 3);
    EXPECT_EQ(get.state, UINT(TVIS_BOLD | TVIS_CUT | INDEXTOSTATEIMAGEMASK(2)));
    get.mask = TVIF_STATE;
    ASSERT_TRUE(Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get)));
    EXPECT_EQ(asked, 1) << "asking for the state alone sends no TVN_GETDISPINFO";
}

} // namespace
