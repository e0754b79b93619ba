// Keys during a label edit in a dialog whose host translates accelerators before the dialog manager: the
// library's tree hands Enter, Escape, Delete and Control's combinations to its edit box first, so the edit
// ends or goes on and the dialog stays open; a plain tree view's edit box loses Delete and Ctrl+C to the
// host's accelerators, which is why the library does so. Enter and Escape still reach a plain tree's edit
// box, which claims every key from the dialog manager (WM_GETDLGCODE).
#include "DialogHost.h"

#include "MessageLog.h"

namespace {

class LabelEditKeysTest : public ModelessHostTest {
protected:
    // Focuses the tree with a click on its selected first item, presses F2 (the host's Rename) and records
    // the keys and characters that the edit box receives from then on.
    void StartEdit(CTreeCtrl& tree, HTREEITEM hItem) {
        ClickLabel(tree, hItem);
        ASSERT_EQ(tree.m_hWnd, ::GetFocus());
        PressKey(VK_F2);
        ASSERT_NE(nullptr, tree.GetEditControl());
        m_log.Attach(tree.GetEditControl()->m_hWnd, "edit");
    }
    // Types "abc" over the selected old text, moves back two places and presses Delete, then Ctrl+C.
    void TypeDeleteAndCopy() {
        emu::TypeText("abc");
        PressKey(VK_LEFT);
        PressKey(VK_LEFT);
        PressKey(VK_DELETE);
        PressWithControl('C');
    }
    // The edit box's key presses and characters: "down 2E", "char 03".
    std::vector<std::string> EditKeys() const {
        std::vector<std::string> keys;
        for (const LoggedMessage& m : m_log.All()) {
            if (m.message == WM_KEYDOWN || m.message == WM_CHAR) {
                char text[16];
                std::snprintf(text, sizeof text, "%s %02X", m.message == WM_KEYDOWN ? "down" : "char",
                              static_cast<unsigned>(m.wParam));
                keys.push_back(text);
            }
        }
        return keys;
    }
    bool Open() const { return m_dlg.IsWindowVisible() != FALSE; }

    MessageLog m_log;
};

TEST_F(LabelEditKeysTest, DeleteAndCtrlCReachTheLibrarysEditBoxAndEnterEndsTheEditWithTheDialogOpen) {
    StartEdit(m_dlg.m_tree, m_dlg.m_hTreeRoot);
    TypeDeleteAndCopy();
    EXPECT_EQ("ac", EditText(m_dlg.m_tree)) << "Delete took the b";
    EXPECT_EQ((std::vector<std::string>{"down 41", "char 61", "down 42", "char 62", "down 43", "char 63",
                                        "down 25", "down 25", "down 2E", "down 11", "down 43", "char 03"}),
              EditKeys());

    PressKey(VK_RETURN);
    EXPECT_EQ(nullptr, m_dlg.m_tree.GetEditControl());
    EXPECT_EQ(
        (Journal{"dialog:rename tree", "listener:OnEndLabelEdit(11|ac)", "dialog:ENDLABELEDIT tree ac"}),
        g_journal)
        << "neither accelerator fired, and the dialog did not end";
    EXPECT_EQ("ac", std::string(m_dlg.m_tree.GetItemText(m_dlg.m_hTreeRoot)));
    EXPECT_TRUE(Open());
    EXPECT_EQ(IDC_TREE, FocusID());
}

TEST_F(LabelEditKeysTest, EscapeCancelsOnlyTheLibrarysEdit) {
    StartEdit(m_dlg.m_tree, m_dlg.m_hTreeRoot);
    emu::TypeText("zz");
    PressKey(VK_ESCAPE);
    EXPECT_EQ(nullptr, m_dlg.m_tree.GetEditControl());
    EXPECT_EQ(Journal{"dialog:rename tree"}, g_journal);
    EXPECT_EQ(1, m_dlg.m_nCancelledEdits[0]);
    EXPECT_EQ("alpha", std::string(m_dlg.m_tree.GetItemText(m_dlg.m_hTreeRoot)));
    EXPECT_TRUE(m_dlg.m_tree.GetStyle() & TVS_EDITLABELS) << "a cancelled edit leaves editing on";
    EXPECT_TRUE(Open());
}

TEST_F(LabelEditKeysTest, APlainTreesEditBoxLosesDeleteAndCtrlCToTheHostsAccelerators) {
    StartEdit(m_dlg.m_plain, m_dlg.m_hPlainRoot);
    TypeDeleteAndCopy();
    EXPECT_EQ("abc", EditText(m_dlg.m_plain)) << "Delete never reached the edit box";
    EXPECT_EQ((std::vector<std::string>{"down 41", "char 61", "down 42", "char 62", "down 43", "char 63",
                                        "down 25", "down 25", "down 11"}),
              EditKeys());
    EXPECT_EQ((Journal{"dialog:rename plain", "dialog:command Delete", "dialog:command Copy"}), g_journal);

    PressKey(VK_RETURN);
    EXPECT_EQ(nullptr, m_dlg.m_plain.GetEditControl());
    EXPECT_EQ((Journal{"dialog:rename plain", "dialog:command Delete", "dialog:command Copy",
                       "dialog:ENDLABELEDIT plain abc"}),
              g_journal);
    EXPECT_EQ("abc", std::string(m_dlg.m_plain.GetItemText(m_dlg.m_hPlainRoot)));
    EXPECT_TRUE(Open());
}

// The edit box of a tree view claims every key, with and without the key's message, so the dialog manager
// hands it Enter and Escape rather than pressing a button.
TEST_F(LabelEditKeysTest, APlainTreesEditBoxClaimsEnterAndEscapeFromTheDialogManager) {
    StartEdit(m_dlg.m_plain, m_dlg.m_hPlainRoot);
    HWND hEdit = m_dlg.m_plain.GetEditControl()->m_hWnd;
    for (UINT vk : {0u, static_cast<UINT>(VK_RETURN), static_cast<UINT>(VK_ESCAPE)}) {
        MSG msg = {hEdit, WM_KEYDOWN, vk, 0, 0, {0, 0}};
        LPARAM lParam = vk == 0 ? 0 : reinterpret_cast<LPARAM>(&msg);
        EXPECT_EQ(DLGC_WANTARROWS | DLGC_WANTALLKEYS, ::SendMessage(hEdit, WM_GETDLGCODE, vk, lParam))
            << "key " << vk;
    }
    emu::TypeText("zz");
    PressKey(VK_ESCAPE);
    EXPECT_EQ(nullptr, m_dlg.m_plain.GetEditControl());
    EXPECT_EQ(1, m_dlg.m_nCancelledEdits[1]);
    EXPECT_EQ(Journal{"dialog:rename plain"}, g_journal);
    EXPECT_EQ("gamma", std::string(m_dlg.m_plain.GetItemText(m_dlg.m_hPlainRoot)));
    EXPECT_TRUE(Open());
}

TEST_F(LabelEditKeysTest, WithoutAnEditTheAcceleratorsFireInEitherTree) {
    ClickLabel(m_dlg.m_tree, m_dlg.m_hTreeRoot);
    PressKey(VK_DELETE);
    PressWithControl('C');
    ClickLabel(m_dlg.m_plain, m_dlg.m_hPlainRoot);
    PressKey(VK_DELETE);
    EXPECT_EQ((Journal{"dialog:command Delete", "dialog:command Copy", "dialog:command Delete"}), g_journal);
    EXPECT_EQ(2u, m_dlg.m_tree.GetCount());
    EXPECT_TRUE(Open());
}

} // namespace
