// The tree view driven by simulated mouse and keyboard input through the message loop.
#include "TreeFixture.h"

#include "MessageLog.h"

class Input : public TreeFixture {
protected:
    HTREEITEM a = nullptr, a1 = nullptr, b = nullptr;
    void SetUp() override {
        TreeFixture::SetUp();
        a = Add("a"); // row 0, label [19, 29)
        a1 = Add("a1", a);
        b = Add("b"); // row 1
    }
};

// The whole click runs inside WM_LBUTTONDOWN: the release is taken by the control's own drag detection, then
// NM_CLICK (while the caret is still the old item), then the selection, then the focus.
TEST_F(Input, ClickOnALabelClicksThenSelectsThenFocuses) {
    logFocus = true;
    HTREEITEM caretInClick = reinterpret_cast<HTREEITEM>(1);
    answer = [&](NMHDR* hdr) -> LRESULT {
        if (hdr->code == NM_CLICK)
            caretInClick = Caret();
        return 0;
    };
    Click(22, 20);
    EXPECT_EQ(log, (Log{"CLICK", "SELCHANGING(null>b,mouse)", "SELCHANGED(null>b,mouse)", "SETFOCUS"}));
    EXPECT_EQ(caretInClick, nullptr);
    EXPECT_EQ(Caret(), b);
    EXPECT_EQ(GetFocus(), tree);
    EXPECT_EQ(GetCapture(), nullptr);
}

// Before the cursor is set for a mouse message, the parent hears of it (NM_SETCURSOR) with the item under the
// pointer and the hit-test code; a non-zero answer means the parent has set the cursor, and the control
// stops.
TEST_F(Input, TheParentHearsOfEachCursorSettingFirst) {
    logCursor = true;
    POINT over = Screen(22, 4), below = Screen(22, 120);
    // The control asks where the cursor is now, so each move is taken before the next one is made.
    emu::MouseMove(over.x, over.y);
    emu::PumpMessages();
    emu::MouseMove(below.x, below.y);
    emu::PumpMessages();
    EXPECT_EQ(log, (Log{"SETCURSOR(a,1)", "SETCURSOR(null,1)"}));

    log.clear();
    const LPARAM move = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    answer = [](NMHDR* hdr) -> LRESULT { return hdr->code == NM_SETCURSOR; };
    EXPECT_TRUE(SendMessageA(tree, WM_SETCURSOR, reinterpret_cast<WPARAM>(tree), move));
    answer = nullptr;
    EXPECT_FALSE(SendMessageA(tree, WM_SETCURSOR, reinterpret_cast<WPARAM>(tree), move)) << "the default";
    EXPECT_FALSE(SendMessageA(tree, WM_SETCURSOR, reinterpret_cast<WPARAM>(parent), move))
        << "another window's";
    EXPECT_EQ(log, (Log{"SETCURSOR(null,1)", "SETCURSOR(null,1)"}));
}

TEST_F(Input, NonZeroClickAnswerSkipsTheSelection) {
    answer = [](NMHDR* hdr) -> LRESULT { return hdr->code == NM_CLICK; };
    Click(22, 20);
    EXPECT_EQ(log, Log{"CLICK"});
    EXPECT_EQ(Caret(), nullptr);
}

// A drag leaves the SM_CXDRAG x SM_CYDRAG rectangle around the press before the release. The documentation
// of TVN_BEGINDRAG gives ptDrag in screen coordinates, which the emulation follows.
TEST_F(Input, DragDetectionAgainstClick) {
    int cx = GetSystemMetrics(SM_CXDRAG);
    POINT ptDrag{};
    answer = [&](NMHDR* hdr) -> LRESULT {
        if (hdr->code == TVN_BEGINDRAGA)
            ptDrag = reinterpret_cast<NMTREEVIEWA*>(hdr)->ptDrag;
        return 0;
    };
    Drag(22, 4, cx, 0);
    EXPECT_EQ(log, Log{"BEGINDRAG(a)"}) << "no click and no selection";
    EXPECT_EQ(Caret(), nullptr);
    POINT expected = Screen(22 + cx, 4);
    EXPECT_EQ(ptDrag.x, expected.x);
    EXPECT_EQ(ptDrag.y, expected.y);

    log.clear();
    Drag(22, 4, cx - 1, -cx);
    EXPECT_EQ(log, (Log{"CLICK", "SELCHANGING(null>a,mouse)", "SELCHANGED(null>a,mouse)"}))
        << "within the rectangle (its right and bottom edges are outside) it is a click";

    // The release after a right drag is not taken by the detection: with no one handling the drag it reaches
    // the tree, whose default processing asks for a context menu.
    log.clear();
    Drag(22, 20, 0, -cx - 1, emu::Button::Right);
    POINT up = Screen(22, 20 - cx - 1);
    EXPECT_EQ(log, (Log{"BEGINRDRAG(b)",
                        "CONTEXTMENU(" + std::to_string(up.x) + "," + std::to_string(up.y) + ")"}));
    EXPECT_EQ(Caret(), a);
}

TEST_F(Input, DisableDragDropTakesEffectAtOnce) {
    SetWindowLongA(tree, GWL_STYLE, GetWindowLongA(tree, GWL_STYLE) | TVS_DISABLEDRAGDROP);
    Drag(22, 20, 20, 0);
    EXPECT_EQ(log, (Log{"CLICK", "SELCHANGING(null>b,mouse)", "SELCHANGED(null>b,mouse)"}))
        << "without drag notifications the gesture is a click";
    SetWindowLongA(tree, GWL_STYLE, GetWindowLongA(tree, GWL_STYLE) & ~TVS_DISABLEDRAGDROP);
    log.clear();
    Drag(22, 20, 20, 0);
    EXPECT_EQ(log, Log{"BEGINDRAG(b)"});
}

TEST_F(Input, ButtonClickTogglesWithNotificationsEveryTime) {
    Click(5, 4);
    EXPECT_EQ(log, (Log{"CLICK", "ITEMEXPANDING(a,expand)", "ITEMEXPANDED(a,expand)"}));
    log.clear();
    Click(5, 4);
    EXPECT_EQ(log, (Log{"CLICK", "ITEMEXPANDING(a,collapse)", "ITEMEXPANDED(a,collapse)"}));
    EXPECT_EQ(Caret(), nullptr) << "the button does not select";
    log.clear();
    Click(5, 20);
    EXPECT_EQ(log, Log{"CLICK"}) << "a childless item has no button";
    log.clear();
    Click(5, 100);
    EXPECT_EQ(log, Log{"CLICK"}) << "below the last row";
}

TEST_F(Input, DoubleClickTogglesAfterNmDblclk) {
    POINT p = Screen(22, 4);
    emu::DoubleClick(p.x, p.y);
    emu::PumpMessages();
    EXPECT_EQ(log, (Log{"CLICK", "SELCHANGING(null>a,mouse)", "SELCHANGED(null>a,mouse)", "DBLCLK",
                        "ITEMEXPANDING(a,expand)", "ITEMEXPANDED(a,expand)"}));
    EXPECT_EQ(GetClassLongA(tree, GCL_STYLE) & CS_DBLCLKS, static_cast<DWORD>(CS_DBLCLKS));
}

TEST_F(Input, RightClickNeverSelects) {
    Select(a);
    log.clear();
    HTREEITEM caretInRClick = nullptr;
    answer = [&](NMHDR* hdr) -> LRESULT {
        if (hdr->code == NM_RCLICK)
            caretInRClick = Caret();
        return 0;
    };
    Click(22, 20, emu::Button::Right);
    POINT screen = Screen(22, 20);
    EXPECT_EQ(log, (Log{"RCLICK",
                        "CONTEXTMENU(" + std::to_string(screen.x) + "," + std::to_string(screen.y) + ")"}));
    EXPECT_EQ(caretInRClick, a);
    EXPECT_EQ(Caret(), a);

    log.clear();
    answer = [](NMHDR* hdr) -> LRESULT { return hdr->code == NM_RCLICK; };
    Click(22, 20, emu::Button::Right);
    EXPECT_EQ(log, Log{"RCLICK"}) << "a non-zero answer keeps the context menu back";
}

// NM_CLICK comes from inside the press, after the control's own loop took the release: a tree destroyed in
// NM_CLICK has seen the press and the loss of capture, never the release.
TEST_F(Input, ClickHandlerDestroyingTheTreeIsSafe) {
    MessageLog messages;
    messages.Attach(tree, "tree");
    answer = [&](NMHDR* hdr) -> LRESULT {
        if (hdr->code == NM_CLICK)
            DestroyWindow(hdr->hwndFrom);
        return 0;
    };
    Click(22, 20);
    EXPECT_FALSE(IsWindow(tree));
    EXPECT_EQ(log, (Log{"CLICK", "DELETEITEM(a1)", "DELETEITEM(a)", "DELETEITEM(b)"}));
    EXPECT_EQ(messages.Only({{WM_LBUTTONDOWN, "down"}, {WM_LBUTTONUP, "up"}, {WM_CAPTURECHANGED, "capture"}}),
              (std::vector<std::string>{"tree:down", "tree:capture"}));
}

// When the queued input runs out during drag detection the user has let go elsewhere: capture is lost, which
// the control's tracking reports as no drag, so the press counts as a click.
TEST_F(Input, PressWithoutReleaseIsAClickWhenTheInputRunsDry) {
    POINT p = Screen(22, 20);
    emu::Wait(GetDoubleClickTime() + 1);
    emu::MouseMove(p.x, p.y);
    emu::MouseDown();
    emu::PumpMessages();
    EXPECT_EQ(log, (Log{"CLICK", "SELCHANGING(null>b,mouse)", "SELCHANGED(null>b,mouse)"}));
    EXPECT_EQ(GetCapture(), nullptr);
    emu::MouseUp();
    emu::PumpMessages();
}

// Gaining the focus is neither a user's selection nor TVM_SELECTITEM, the documented sources of selection
// changes, so the focus alone selects nothing; the first arrow key then selects the first visible item.
TEST_F(Input, FocusAloneSelectsNothing) {
    logFocus = true;
    SetFocus(tree);
    EXPECT_EQ(log, Log{"SETFOCUS"});
    EXPECT_EQ(Caret(), nullptr);
    SetFocus(parent);
    EXPECT_EQ(log, (Log{"SETFOCUS", "KILLFOCUS"}));
}

TEST_F(Input, ArrowKeysMoveTheSelectionAfterTvnKeydown) {
    SetFocus(tree);
    log.clear();
    Key(VK_DOWN);
    EXPECT_EQ(log, (Log{"KEYDOWN(40)", "SELCHANGING(null>a,key)", "SELCHANGED(null>a,key)"}));
    log.clear();
    Key(VK_RIGHT);
    EXPECT_EQ(log, (Log{"KEYDOWN(39)", "ITEMEXPANDING(a,expand)", "ITEMEXPANDED(a,expand)"}));
    log.clear();
    Key(VK_RIGHT);
    Key(VK_DOWN);
    Key(VK_UP);
    EXPECT_EQ(log, (Log{"KEYDOWN(39)", "SELCHANGING(a>a1,key)", "SELCHANGED(a>a1,key)", "KEYDOWN(40)",
                        "SELCHANGING(a1>b,key)", "SELCHANGED(a1>b,key)", "KEYDOWN(38)",
                        "SELCHANGING(b>a1,key)", "SELCHANGED(b>a1,key)"}));
    log.clear();
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(log, (Log{"KEYDOWN(37)", "SELCHANGING(a1>a,key)", "SELCHANGED(a1>a,key)", "KEYDOWN(37)",
                        "ITEMEXPANDING(a,collapse)", "ITEMEXPANDED(a,collapse)"}));
    log.clear();
    Key(VK_END);
    Key(VK_HOME);
    EXPECT_EQ(log, (Log{"KEYDOWN(35)", "SELCHANGING(a>b,key)", "SELCHANGED(a>b,key)", "KEYDOWN(36)",
                        "SELCHANGING(b>a,key)", "SELCHANGED(b>a,key)"}));
    log.clear();
    Key(VK_RETURN);
    EXPECT_EQ(log, (Log{"KEYDOWN(13)", "RETURN"}));
    EXPECT_EQ(Send(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

// User expansions always notify, unlike TVM_EXPAND after the first expansion.
TEST_F(Input, KeyboardExpansionAlwaysNotifies) {
    HTREEITEM lazy = Add("lazy");
    TVITEMA set{TVIF_CHILDREN, lazy, 0, 0, nullptr, 0, 0, 0, 1, 0};
    Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set));
    SetFocus(tree);
    Select(a);
    log.clear();
    Key(VK_ADD);
    Key(VK_ADD);
    EXPECT_EQ(log, (Log{"KEYDOWN(107)", "ITEMEXPANDING(a,expand)", "ITEMEXPANDED(a,expand)", "KEYDOWN(107)",
                        "ITEMEXPANDING(a,expand)", "ITEMEXPANDED(a,expand)"}));
    Key(VK_SUBTRACT);
    log.clear();
    Key(VK_SUBTRACT);
    EXPECT_EQ(log, (Log{"KEYDOWN(109)", "ITEMEXPANDING(a,collapse)"})) << "collapsing a collapsed item";
    Select(lazy);
    log.clear();
    Key(VK_ADD);
    EXPECT_EQ(log, (Log{"KEYDOWN(107)", "ITEMEXPANDING(lazy,expand)"})) << "children promised but not added";
    Select(b);
    log.clear();
    Key(VK_ADD);
    EXPECT_EQ(log, Log{"KEYDOWN(107)"}) << "a childless item";
}
