// Listeners that delete items or destroy the tree from inside a label-edit or selection event: the tree stays
// sound, nothing is applied to an item that is gone, and the tree goes on working.
#include "ActingListener.h"
#include "TreeHost.h"
#include "TreeSoundness.h"

namespace {

// Notes each event as CJournalListener does, then carries out the test's action once, inside the event.
class CActingListener : public CActing<CJournalListener> {
public:
    bool OnEndLabelEdit(CCtrlBase* pCtrl) override { return Act(CJournalListener::OnEndLabelEdit(pCtrl)); }
    bool OnSelChanged(CCtrlBase* pCtrl) override { return Act(CJournalListener::OnSelChanged(pCtrl)); }
};

class HostileEvents : public TreeHostTest {
protected:
    void SetUp() override {
        TreeHostTest::SetUp();
        m_tree.SetListener(&m_actor);
        m_actor.m_bAnswer = true;
        m_hA = m_tree.AddItem(TVI_ROOT, "alpha", TVI_LAST, 1, 0, 11);
        m_hB = m_tree.AddItem(m_hA, "beta", TVI_LAST, 1, 0, 12);
        m_hC = m_tree.AddItem(m_hA, "gamma", TVI_LAST, 1, 0, 13);
        m_tree.Expand(m_hA, TVE_EXPAND);
        m_tree.SelectItem(m_hB);
        Pump();
        g_journal.clear();
    }
    // Edits the selected item's label with the keyboard and ends the edit with Enter.
    void EditSelected(const char* pszText) {
        m_tree.ModifyStyle(0, TVS_EDITLABELS);
        PressKey(VK_F2);
        ASSERT_NE(nullptr, m_tree.GetEditControl());
        emu::TypeText(pszText);
        PressKey(VK_RETURN);
    }
    void ExpectSound() {
        if (m_tree.m_hWnd != NULL) {
            EXPECT_EQ(FindTreeFault(m_tree), "");
            EXPECT_EQ(nullptr, m_tree.GetEditControl());
        }
    }
    CActingListener m_actor;
    HTREEITEM m_hA = nullptr, m_hB = nullptr, m_hC = nullptr;
};

TEST_F(HostileEvents, AnAcceptedLabelEditWhoseItemTheListenerDeleted) {
    m_actor.m_act = [this] { EXPECT_TRUE(m_tree.DeleteItem(m_hB)); };
    EditSelected("omega");
    ASSERT_FALSE(g_journal.empty());
    EXPECT_EQ(g_journal.front().rfind("OnEndLabelEdit(12|omega|", 0), 0u) << g_journal.front();
    EXPECT_FALSE(IsItemOf(m_tree, m_hB));
    EXPECT_EQ("gamma", std::string(m_tree.GetItemText(m_hC))) << "the text went nowhere else";
    EXPECT_EQ("alpha", std::string(m_tree.GetItemText(m_hA)));
    ExpectSound();

    m_tree.SelectItem(m_hC);
    EditSelected("delta");
    EXPECT_EQ("delta", std::string(m_tree.GetItemText(m_hC)));
}

TEST_F(HostileEvents, AnAcceptedLabelEditWhoseTreeTheListenerEmptied) {
    m_actor.m_act = [this] { EXPECT_TRUE(m_tree.DeleteAllItems()); };
    EditSelected("omega");
    EXPECT_EQ(m_tree.GetCount(), 0u);
    ExpectSound();
}

TEST_F(HostileEvents, AnAcceptedLabelEditWhoseTreeTheListenerDestroyed) {
    m_actor.m_act = [this] { EXPECT_TRUE(m_tree.DestroyWindow()); };
    EditSelected("omega");
    EXPECT_EQ(m_tree.m_hWnd, nullptr);
    // The host makes the tree again in the same object.
    ASSERT_TRUE(m_tree.Create(kTreeStyle, kTreeRect, &m_panel, kTreeID));
    HTREEITEM hItem = m_tree.AddItem(TVI_ROOT, "again", TVI_LAST, 0, 0, 1);
    m_tree.SelectItem(hItem);
    m_tree.SetFocus();
    EditSelected("anew");
    EXPECT_EQ("anew", std::string(m_tree.GetItemText(hItem)));
    ExpectSound();
}

TEST_F(HostileEvents, ASelectionChangeWhoseListenerDeletesTheNewSelection) {
    m_actor.m_act = [this] { EXPECT_TRUE(m_tree.DeleteItem(m_hC)); };
    ClickLabel(m_hC);
    EXPECT_EQ(g_journal.front(), "OnSelChanged()");
    EXPECT_FALSE(IsItemOf(m_tree, m_hC));
    ExpectSound();
    ClickLabel(m_hA);
    EXPECT_EQ(m_tree.GetSelectedItem(), m_hA);
}

TEST_F(HostileEvents, ASelectionChangeWhoseListenerEmptiesTheTree) {
    m_actor.m_act = [this] { EXPECT_TRUE(m_tree.DeleteAllItems()); };
    ClickLabel(m_hC);
    EXPECT_EQ(m_tree.GetCount(), 0u);
    ExpectSound();
    PressKey(VK_DOWN);
    PressKey(VK_F2);
    ExpectSound();
}

TEST_F(HostileEvents, ASelectionChangeWhoseListenerDestroysTheTree) {
    m_actor.m_act = [this] { EXPECT_TRUE(m_tree.DestroyWindow()); };
    PressKey(VK_DOWN);
    EXPECT_EQ(m_tree.m_hWnd, nullptr);
    PressKey(VK_DOWN);
    EXPECT_EQ(g_journal, (Journal{"OnSelChanged()", "panel:SELCHANGED result 0"}))
        << "the notification still reaches the parent, once";
}

} // namespace
