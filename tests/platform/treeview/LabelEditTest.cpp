// Label editing: the edit child window, the notifications around it and how the edit ends.
#include "TreeFixture.h"

class LabelEdit : public TreeFixture {
protected:
    HTREEITEM a = nullptr, b = nullptr;
    void SetUp() override {
        TreeFixture::SetUp();
        Create(DefaultStyle | TVS_EDITLABELS);
        a = Add("a");
        b = Add("b");
        SetFocus(tree);
        log.clear();
    }
    HWND Edit(HTREEITEM h) {
        return reinterpret_cast<HWND>(Send(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(h)));
    }
    HWND EditControl() { return reinterpret_cast<HWND>(Send(TVM_GETEDITCONTROL)); }
    static std::string WindowText(HWND hwnd) {
        char buffer[400] = "";
        GetWindowTextA(hwnd, buffer, sizeof buffer);
        return buffer;
    }
    void AcceptEdits(bool accept) {
        answer = [accept](NMHDR* hdr) -> LRESULT { return hdr->code == TVN_ENDLABELEDITA && accept; };
    }
};

TEST_F(LabelEdit, TypedTextAndEnterCommitWhenTheParentAgrees) {
    AcceptEdits(true);
    HWND edit = Edit(a);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(EditControl(), edit);
    EXPECT_EQ(GetParent(edit), tree);
    EXPECT_TRUE(IsWindowVisible(edit));
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(WindowText(edit), "a");
    EXPECT_EQ(Caret(), nullptr) << "TVM_EDITLABEL does not select the item";
    emu::TypeText("xyz"); // replaces the whole text, which starts selected
    emu::PumpMessages();
    EXPECT_EQ(WindowText(edit), "xyz");
    Key(VK_RETURN);
    EXPECT_EQ(log, (Log{"BEGINLABELEDIT(a)", "ENDLABELEDIT(a,'xyz')"}));
    EXPECT_EQ(Text(a), "xyz");
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(EditControl(), nullptr);
    EXPECT_EQ(GetFocus(), tree);
}

// Enter is documented as ending the edit with its text and only a cancel gives pszText NULL, so an edit that
// did not change the text still ends with it. The documentation of label editing describes the program's
// edits (TVM_EDITLABEL) as well as the user's for a tree with TVS_EDITLABELS; without the style neither
// starts, and the parent hears nothing.
TEST_F(LabelEdit, EnterWithUnchangedTextStillCommitsAndMessagesNeedTheStyle) {
    ASSERT_NE(Edit(a), nullptr);
    Key(VK_RETURN);
    EXPECT_EQ(log, (Log{"BEGINLABELEDIT(a)", "ENDLABELEDIT(a,'a')"}));
    log.clear();
    SetWindowLongA(tree, GWL_STYLE, GetWindowLongA(tree, GWL_STYLE) & ~TVS_EDITLABELS);
    EXPECT_EQ(Edit(a), nullptr);
    EXPECT_EQ(EditControl(), nullptr);
    EXPECT_EQ(log, Log{});
}

TEST_F(LabelEdit, RefusedOrCancelledEditsKeepTheText) {
    AcceptEdits(false);
    Edit(a);
    emu::TypeText("no");
    Key(VK_RETURN);
    EXPECT_EQ(Text(a), "a") << "the parent answered FALSE";

    AcceptEdits(true);
    log.clear();
    HWND edit = Edit(a);
    emu::TypeText("no");
    Key(VK_ESCAPE);
    EXPECT_EQ(log, (Log{"BEGINLABELEDIT(a)", "ENDLABELEDIT(a,null)"}));
    EXPECT_EQ(Text(a), "a");
    EXPECT_FALSE(IsWindow(edit));

    log.clear();
    Edit(b);
    EXPECT_TRUE(Send(TVM_ENDEDITLABELNOW, TRUE));
    Edit(b);
    SetWindowTextA(EditControl(), "now");
    EXPECT_TRUE(Send(TVM_ENDEDITLABELNOW, FALSE));
    EXPECT_FALSE(Send(TVM_ENDEDITLABELNOW, FALSE)) << "no edit to end";
    EXPECT_EQ(log, (Log{"BEGINLABELEDIT(b)", "ENDLABELEDIT(b,null)", "BEGINLABELEDIT(b)",
                        "ENDLABELEDIT(b,'now')"}));
    EXPECT_EQ(Text(b), "now");
}

TEST_F(LabelEdit, BeginLabelEditCanVetoAndItsEditsAreKept) {
    answer = [](NMHDR* hdr) -> LRESULT { return hdr->code == TVN_BEGINLABELEDITA; };
    EXPECT_EQ(Edit(a), nullptr);
    EXPECT_EQ(EditControl(), nullptr);
    EXPECT_EQ(GetWindow(tree, GW_CHILD), nullptr) << "the hidden edit is gone again";
    EXPECT_EQ(Edit(nullptr), nullptr);

    answer = [&](NMHDR* hdr) -> LRESULT {
        if (hdr->code == TVN_BEGINLABELEDITA) {
            EXPECT_FALSE(IsWindowVisible(EditControl())) << "created hidden, shown after the notification";
            SetWindowTextA(EditControl(), "preset");
        }
        return hdr->code == TVN_ENDLABELEDITA;
    };
    Edit(a);
    Key(VK_RETURN);
    EXPECT_EQ(Text(a), "preset");
}

TEST_F(LabelEdit, OnlyTheEditsOwnKillFocusEndsIt) {
    HWND edit = Edit(a);
    Send(WM_COMMAND, MAKEWPARAM(0, EN_KILLFOCUS), reinterpret_cast<LPARAM>(parent));
    Select(nullptr);
    EXPECT_EQ(EditControl(), edit) << "another window's notice and a selection change leave the edit open";
    Send(WM_COMMAND, MAKEWPARAM(0, EN_KILLFOCUS), reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(log, (Log{"BEGINLABELEDIT(a)", "ENDLABELEDIT(a,'a')"}));
}

TEST_F(LabelEdit, LosingTheFocusCommits) {
    AcceptEdits(true);
    HWND edit = Edit(a);
    emu::TypeText("moved");
    emu::PumpMessages();
    SetFocus(parent);
    EXPECT_EQ(log, (Log{"BEGINLABELEDIT(a)", "ENDLABELEDIT(a,'moved')"}));
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(Text(a), "moved");
}

// The control applies whatever pszText points to after the notification.
TEST_F(LabelEdit, TheParentMayReplaceTheText) {
    static char replacement[] = "replaced";
    answer = [](NMHDR* hdr) -> LRESULT {
        if (hdr->code != TVN_ENDLABELEDITA)
            return 0;
        reinterpret_cast<NMTVDISPINFOA*>(hdr)->item.pszText = replacement;
        return TRUE;
    };
    Edit(a);
    Key(VK_RETURN);
    EXPECT_EQ(Text(a), "replaced");
}

TEST_F(LabelEdit, TextIsLimitedTo259Characters) {
    int cchTextMax = 0;
    answer = [&](NMHDR* hdr) -> LRESULT {
        if (hdr->code == TVN_ENDLABELEDITA)
            cchTextMax = reinterpret_cast<NMTVDISPINFOA*>(hdr)->item.cchTextMax;
        return hdr->code == TVN_ENDLABELEDITA;
    };
    HWND edit = Edit(a);
    EXPECT_EQ(Send(TVM_GETEDITCONTROL), reinterpret_cast<LRESULT>(edit));
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 259);
    SetWindowTextA(edit, std::string(300, 'q').c_str());
    Key(VK_RETURN);
    EXPECT_EQ(Text(a), std::string(259, 'q'));
    EXPECT_EQ(cchTextMax, 260);
}

TEST_F(LabelEdit, DeletingTheEditedItemCancelsTheEdit) {
    HWND edit = Edit(a);
    Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(a));
    EXPECT_EQ(log, (Log{"BEGINLABELEDIT(a)", "ENDLABELEDIT(a,null)", "DELETEITEM(a)"}));
    EXPECT_FALSE(IsWindow(edit));
}

// A click on the label of the item that is already selected starts the edit once the double-click time has
// passed without a second click; the style is read at that moment.
TEST_F(LabelEdit, ClickOnTheSelectedLabelEditsAfterTheDoubleClickTime) {
    Select(a);
    log.clear();
    Click(22, 4);
    EXPECT_EQ(log, Log{"CLICK"});
    emu::Wait(GetDoubleClickTime() + 1);
    emu::PumpMessages();
    EXPECT_EQ(log, (Log{"CLICK", "BEGINLABELEDIT(a)"}));
    ASSERT_NE(EditControl(), nullptr);
    Send(TVM_ENDEDITLABELNOW, TRUE);

    SetWindowLongA(tree, GWL_STYLE, GetWindowLongA(tree, GWL_STYLE) & ~TVS_EDITLABELS);
    log.clear();
    Click(22, 4);
    emu::Wait(GetDoubleClickTime() + 1);
    emu::PumpMessages();
    EXPECT_EQ(log, Log{"CLICK"}) << "without TVS_EDITLABELS a click never edits";

    SetWindowLongA(tree, GWL_STYLE, GetWindowLongA(tree, GWL_STYLE) | TVS_EDITLABELS);
    log.clear();
    POINT p = Screen(22, 4);
    emu::DoubleClick(p.x, p.y);
    emu::Wait(GetDoubleClickTime() + 1);
    emu::PumpMessages();
    EXPECT_EQ(log, (Log{"CLICK", "DBLCLK"})) << "a double click cancels the pending edit";
    EXPECT_EQ(EditControl(), nullptr);

    // F2 is the host's to handle (as TVN_KEYDOWN): the control itself starts no edit for it, as on Windows.
    log.clear();
    Key(VK_F2);
    EXPECT_EQ(log, Log{"KEYDOWN(113)"});
    EXPECT_EQ(EditControl(), nullptr);
}

// The edit window on its own: typing, the caret and selection, the limit, and its notices to its parent.
TEST_F(LabelEdit, EditControlTakesTypedText) {
    HWND edit = CreateWindowExA(0, WC_EDITA, "ab", WS_CHILD | WS_VISIBLE, 0, 200, 100, 20, parent,
                                reinterpret_cast<HMENU>(3), nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    SetFocus(edit);
    log.clear();
    SendMessageA(edit, EM_SETSEL, 2, 2);
    emu::TypeText("c");
    emu::PumpMessages();
    EXPECT_EQ(WindowText(edit), "abc");
    EXPECT_EQ(log, (Log{"EN_UPDATE", "EN_CHANGE"}));
    Key(VK_LEFT);
    Key(VK_BACK);
    EXPECT_EQ(WindowText(edit), "ac");
    SendMessageA(edit, EM_LIMITTEXT, 3, 0);
    log.clear();
    emu::TypeText("xy");
    emu::PumpMessages();
    EXPECT_EQ(WindowText(edit), "axc");
    EXPECT_EQ(log, (Log{"EN_UPDATE", "EN_CHANGE", "EN_MAXTEXT"}));
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
    SetWindowTextA(edit, "longer than the limit");
    EXPECT_EQ(WindowText(edit), "longer than the limit") << "the limit binds typing only";
    EXPECT_EQ(SendMessageA(edit, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
    log.clear();
    SetFocus(parent);
    EXPECT_EQ(log, Log{"EN_KILLFOCUS"});
}
