// Label edits and selection changes as the user makes them: the listener decides whether a new label is
// applied, editing is switched off after an edit that ends with a text, and the parent window still
// receives both notifications after the listener. Keys during an edit go straight to the edit box.
#include "TreeHost.h"

#include <algorithm>

namespace {

class LabelEditTest : public TreeHostTest {
protected:
    void SetUp() override {
        TreeHostTest::SetUp();
        m_hA = m_tree.AddItem(TVI_ROOT, "alpha", TVI_LAST, 1, 0, 11);
        m_hB = m_tree.AddItem(m_hA, "beta", TVI_LAST, 1, 0, 12);
        m_tree.Expand(m_hA, TVE_EXPAND);
        m_tree.SelectItem(m_hA);
        m_tree.ModifyStyle(0, TVS_EDITLABELS);
        Pump();
        g_journal.clear();
        m_frame.m_keys.clear();
    }

    // F2 on the selected item, new text typed over the old one (which starts selected), then a last key.
    void EditWithKeys(const char* pszText, UINT vkEnd) {
        PressKey(VK_F2);
        ASSERT_NE(nullptr, m_tree.GetEditControl());
        emu::TypeText(pszText);
        PressKey(vkEnd);
    }
    bool Editable() const { return (m_tree.GetStyle() & TVS_EDITLABELS) != 0; }
    std::string Handle(HTREEITEM hItem) const {
        return std::to_string(static_cast<int32_t>(reinterpret_cast<uintptr_t>(hItem)));
    }
    std::string EditText() const {
        CString str;
        m_tree.GetEditControl()->GetWindowText(str);
        return std::string(str);
    }

    HTREEITEM m_hA = nullptr;
    HTREEITEM m_hB = nullptr;
};

TEST_F(LabelEditTest, AnAcceptedEditChangesTheLabelAndSwitchesEditingOff) {
    m_listener.m_bAnswer = true;
    EditWithKeys("omega", VK_RETURN);
    EXPECT_EQ(
        (Journal{"OnEndLabelEdit(11|omega|" + Handle(m_hA) + ")", "panel:ENDLABELEDIT(omega) result 0"}),
        g_journal);
    EXPECT_EQ("omega", std::string(m_tree.GetItemText(m_hA)));
    EXPECT_EQ(nullptr, m_tree.GetEditControl());
    EXPECT_FALSE(Editable());

    // Editing stays off until the host enables it again.
    PressKey(VK_F2);
    EXPECT_EQ(nullptr, m_tree.GetEditControl());
    m_tree.ModifyStyle(0, TVS_EDITLABELS);
    PressKey(VK_F2);
    EXPECT_NE(nullptr, m_tree.GetEditControl());
}

// Without a listener the answer is a refusal.
TEST_F(LabelEditTest, ARefusedEditKeepsTheLabelAndStillSwitchesEditingOff) {
    m_listener.m_bAnswer = false;
    EditWithKeys("omega", VK_RETURN);
    EXPECT_EQ(
        (Journal{"OnEndLabelEdit(11|omega|" + Handle(m_hA) + ")", "panel:ENDLABELEDIT(omega) result 0"}),
        g_journal);
    EXPECT_EQ("alpha", std::string(m_tree.GetItemText(m_hA)));
    EXPECT_FALSE(Editable());

    m_tree.SetListener(NULL);
    m_tree.ModifyStyle(0, TVS_EDITLABELS);
    g_journal.clear();
    EditWithKeys("omega", VK_RETURN);
    EXPECT_EQ(Journal{"panel:ENDLABELEDIT(omega) result 0"}, g_journal);
    EXPECT_EQ("alpha", std::string(m_tree.GetItemText(m_hA)));
    EXPECT_FALSE(Editable());
}

// Escape reaches the edit box although the frame takes it before dispatching.
TEST_F(LabelEditTest, ACancelledEditRaisesNothingAndKeepsEditingOn) {
    m_listener.m_bAnswer = true;
    EditWithKeys("omega", VK_ESCAPE);
    EXPECT_EQ(Journal{"panel:ENDLABELEDIT(null) result 0"}, g_journal);
    EXPECT_EQ("alpha", std::string(m_tree.GetItemText(m_hA)));
    EXPECT_EQ(nullptr, m_tree.GetEditControl());
    EXPECT_TRUE(Editable());
    EXPECT_EQ(0, m_tree.m_arrArgs.GetSize());
}

// A click on the selected item's label starts the edit once the double-click time has passed; a click on
// another item ends it with the typed text (taking the focus back from the edit box, and nothing else).
TEST_F(LabelEditTest, AnEditStartedAndEndedWithTheMouse) {
    m_listener.m_bAnswer = true;
    ClickLabel(m_hA);
    emu::Wait(GetDoubleClickTime() + 1);
    Pump();
    ASSERT_NE(nullptr, m_tree.GetEditControl());
    emu::TypeText("gamma");
    Pump();
    ClickLabel(m_hB);
    EXPECT_EQ(
        (Journal{"OnEndLabelEdit(11|gamma|" + Handle(m_hA) + ")", "panel:ENDLABELEDIT(gamma) result 0"}),
        g_journal);
    EXPECT_EQ("gamma", std::string(m_tree.GetItemText(m_hA)));
    EXPECT_EQ(m_hA, m_tree.GetSelectedItem());
    EXPECT_FALSE(Editable());

    // With editing off, a click on the selected label starts nothing.
    g_journal.clear();
    ClickLabel(m_hA);
    emu::Wait(GetDoubleClickTime() + 1);
    Pump();
    EXPECT_EQ(nullptr, m_tree.GetEditControl());
    EXPECT_TRUE(g_journal.empty());
}

// The listener finds an empty list on a selection change, whatever the event before left there.
TEST_F(LabelEditTest, ASelectionChangeTellsTheListenerFirstWithNoArguments) {
    m_listener.m_bAnswer = true;
    EditWithKeys("omega", VK_RETURN);
    g_journal.clear();
    PressKey(VK_DOWN);
    EXPECT_EQ((Journal{"OnSelChanged()", "panel:SELCHANGED result 0"}), g_journal);
    EXPECT_EQ(0, m_tree.m_arrArgs.GetSize());
    g_journal.clear();
    ClickLabel(m_hA);
    EXPECT_EQ((Journal{"OnSelChanged()", "panel:SELCHANGED result 0"}), g_journal);

    m_tree.SetListener(NULL);
    g_journal.clear();
    ClickLabel(m_hB);
    EXPECT_EQ(Journal{"panel:SELCHANGED result 0"}, g_journal);
}

// The drag start is consumed by the control: the parent never sees it.
TEST_F(LabelEditTest, TheParentDoesNotReceiveTheDragStart) {
    POINT point = LabelPoint(m_hB);
    emu::Wait(GetDoubleClickTime() + 1);
    emu::MouseMove(point.x, point.y);
    emu::MouseDown();
    emu::MouseMove(point.x + 30, point.y + 30);
    emu::MouseUp();
    Pump();
    EXPECT_EQ(g_journal.end(), std::find(g_journal.begin(), g_journal.end(), "panel:BEGINDRAG"));
}

using KeysTest = LabelEditTest;

// The frame, like a dialog, takes Enter and Escape before they are dispatched; during an edit the tree
// dispatches them, Delete and every key pressed while Control's state is nonzero first.
TEST_F(KeysTest, DuringAnEditSomeKeysGoStraightToTheEditBox) {
    m_listener.m_bAnswer = true;
    // Control's toggle bit is what earlier presses in the session left: start with it off.
    if (::GetKeyState(VK_CONTROL) & 1)
        PressKey(VK_CONTROL);
    m_frame.m_keys.clear();
    PressKey(VK_F2);
    ASSERT_NE(nullptr, m_tree.GetEditControl());
    EXPECT_EQ(std::vector<UINT>{VK_F2}, m_frame.m_keys);
    m_frame.m_keys.clear();

    emu::TypeText("ab");
    PressKey(VK_LEFT);
    PressKey(VK_DELETE);
    EXPECT_EQ("a", EditText()) << "Delete reached the edit box";
    EXPECT_EQ((std::vector<UINT>{'A', 'B', VK_LEFT}), m_frame.m_keys);

    // Control held down: Control itself and the key pressed with it.
    emu::KeyDown(VK_CONTROL);
    emu::PressKey('Q');
    emu::KeyUp(VK_CONTROL);
    Pump();
    // That press and release set Control's toggle bit; the next press clears it.
    PressKey('C');
    PressKey(VK_CONTROL);
    PressKey('D');
    EXPECT_EQ((std::vector<UINT>{'A', 'B', VK_LEFT, 'D'}), m_frame.m_keys);

    PressKey(VK_RETURN);
    EXPECT_EQ(nullptr, m_tree.GetEditControl()) << "Enter ended the edit";
    EXPECT_EQ((Journal{"OnEndLabelEdit(11|acd|" + Handle(m_hA) + ")", "panel:ENDLABELEDIT(acd) result 0"}),
              g_journal);
    EXPECT_EQ((std::vector<UINT>{'A', 'B', VK_LEFT, 'D'}), m_frame.m_keys);
}

TEST_F(KeysTest, WithoutAnEditEveryKeyTakesTheDefaultPath) {
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    PressKey(VK_DELETE);
    emu::KeyDown(VK_CONTROL);
    emu::PressKey('Q');
    emu::KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ((std::vector<UINT>{VK_RETURN, VK_ESCAPE, VK_DELETE, VK_CONTROL, 'Q'}), m_frame.m_keys);
    EXPECT_TRUE(g_journal.empty());
}

} // namespace
