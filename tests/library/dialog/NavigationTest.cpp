// The library's trees take part in the dialog's keyboard interface as tree views do: Tab and Shift+Tab visit
// them and the buttons in template order, each claims the arrows and characters (so the arrows move its
// selection, not the focus) and leaves Enter to the dialog's default button.
#include "DialogHost.h"

namespace {

using NavigationTest = ModelessHostTest;

TEST_F(NavigationTest, TabVisitsTheTreesAndButtonsInTemplateOrder) {
    ASSERT_EQ(IDC_TREE, FocusID()) << "the first tab stop has the focus";
    std::vector<int> visited;
    for (int i = 0; i < 5; ++i) {
        PressKey(VK_TAB);
        visited.push_back(FocusID());
    }
    emu::KeyDown(VK_SHIFT);
    emu::PressKey(VK_TAB);
    emu::KeyUp(VK_SHIFT);
    Pump();
    visited.push_back(FocusID());
    EXPECT_EQ((std::vector<int>{IDC_PLAIN, IDC_CHECKS, IDOK, IDCANCEL, IDC_TREE, IDCANCEL}), visited);
    EXPECT_TRUE(g_journal.empty());
}

TEST_F(NavigationTest, TheTreesClaimArrowsAndCharactersAndOkIsTheDefaultButton) {
    EXPECT_EQ(MAKELONG(IDOK, DC_HASDEFID), static_cast<LONG>(m_dlg.GetDefID()));
    for (CTreeCtrl* pTree :
         {static_cast<CTreeCtrl*>(&m_dlg.m_tree), &m_dlg.m_plain, static_cast<CTreeCtrl*>(&m_dlg.m_checks)})
        EXPECT_EQ(DLGC_WANTARROWS | DLGC_WANTCHARS, pTree->SendMessage(WM_GETDLGCODE))
            << pTree->GetDlgCtrlID();
    EXPECT_EQ(DLGC_BUTTON | DLGC_DEFPUSHBUTTON, m_dlg.GetDlgItem(IDOK)->SendMessage(WM_GETDLGCODE));
    EXPECT_EQ(DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, m_dlg.GetDlgItem(IDCANCEL)->SendMessage(WM_GETDLGCODE));

    // Down moves the tree's selection, which the listener hears; the focus stays.
    PressKey(VK_DOWN);
    EXPECT_EQ(m_dlg.m_hTreeChild, m_dlg.m_tree.GetSelectedItem());
    EXPECT_EQ(IDC_TREE, FocusID());
    // Enter in a tree presses the default button.
    PressKey(VK_RETURN);
    EXPECT_EQ((Journal{"listener:OnSelChanged", "dialog:OnOK"}), g_journal);
}

} // namespace
