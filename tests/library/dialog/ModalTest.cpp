// The dialog run by DoModal, whose keys pass through the framework's pump and PreTranslateMessage: without
// a label edit Enter and Escape end it with IDOK and IDCANCEL; during an edit in the library's tree they end
// only the edit, and the next one ends the dialog.
#include "DialogHost.h"

namespace {

class ModalHostTest : public DialogHostTest {
protected:
    // Each step runs once the dialog's loop is idle with the step before done.
    void Steps(std::initializer_list<std::function<void()>> steps) { m_dlg.m_steps.assign(steps); }
    static std::function<void()> Press(UINT vk) {
        return [vk] { emu::PressKey(vk); };
    }

    CTreesDlg m_dlg;
};

TEST_F(ModalHostTest, WithoutAnEditEnterEndsTheDialogWithIdok) {
    Steps({Press(VK_RETURN)});
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    EXPECT_EQ((Journal{"dialog:OnInitDialog", "dialog:OnOK"}), g_journal);
    EXPECT_EQ(nullptr, m_dlg.m_tree.m_hWnd);
}

TEST_F(ModalHostTest, WithoutAnEditEscapeEndsTheDialogWithIdcancel) {
    Steps({Press(VK_ESCAPE)});
    EXPECT_EQ(IDCANCEL, m_dlg.DoModal());
    EXPECT_EQ((Journal{"dialog:OnInitDialog", "dialog:OnCancel"}), g_journal);
}

TEST_F(ModalHostTest, EnterEndsTheEditFirstAndThenTheDialog) {
    std::string label;
    bool bEditGone = false;
    Steps({Press(VK_F2),
           [] {
               emu::TypeText("omega");
               emu::PressKey(VK_RETURN);
           },
           [&] {
               label = m_dlg.m_tree.GetItemText(m_dlg.m_hTreeRoot);
               bEditGone = m_dlg.m_tree.GetEditControl() == nullptr;
           },
           Press(VK_RETURN)});
    EXPECT_EQ(IDOK, m_dlg.DoModal());
    EXPECT_EQ((Journal{"dialog:OnInitDialog", "dialog:rename tree", "listener:OnEndLabelEdit(11|omega)",
                       "dialog:ENDLABELEDIT tree omega", "dialog:OnOK"}),
              g_journal);
    EXPECT_EQ("omega", label);
    EXPECT_TRUE(bEditGone);
}

TEST_F(ModalHostTest, EscapeCancelsTheEditFirstAndThenTheDialog) {
    bool bEditGone = false;
    Steps({Press(VK_F2),
           [] {
               emu::TypeText("omega");
               emu::PressKey(VK_ESCAPE);
           },
           [&] { bEditGone = m_dlg.m_tree.GetEditControl() == nullptr; }, Press(VK_ESCAPE)});
    EXPECT_EQ(IDCANCEL, m_dlg.DoModal());
    EXPECT_EQ((Journal{"dialog:OnInitDialog", "dialog:rename tree", "dialog:OnCancel"}), g_journal);
    EXPECT_EQ(1, m_dlg.m_nCancelledEdits[0]);
    EXPECT_TRUE(bEditGone);
}

} // namespace
