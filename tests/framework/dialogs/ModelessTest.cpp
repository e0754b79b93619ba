// Modeless dialogs from templates in memory: Create leaves the owner enabled; UpdateData moves values both
// ways; focus and the default button move as the dialog manager moves them; dialog units map to pixels by
// the dialog's font.
#include "DialogTest.h"

namespace {

class CCounterDlg : public CDialog {
public:
    CString m_strName = "first";
    int m_nCount = -5;
    int m_nInits = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, kIdcName, m_strName);
        DDX_Text(pDX, kIdcCount, m_nCount);
    }
    BOOL OnInitDialog() override {
        ++m_nInits;
        return CDialog::OnInitDialog();
    }
};

CString TextOf(CWnd* pWnd) {
    CString text;
    pWnd->GetWindowText(text);
    return text;
}

class ModelessTest : public DialogTest {};

TEST_F(ModelessTest, CreateIndirectRunsOnInitDialogAndUpdateDataMovesValuesBothWays) {
    CCounterDlg dlg;
    ASSERT_TRUE(dlg.CreateIndirect(FormTemplate(), &m_owner));
    EXPECT_EQ(1, dlg.m_nInits);
    EXPECT_EQ(m_owner.m_hWnd, ::GetWindow(dlg.m_hWnd, GW_OWNER));
    EXPECT_TRUE(m_owner.IsWindowEnabled());
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
    EXPECT_STREQ("first", TextOf(dlg.GetDlgItem(kIdcName)));
    EXPECT_STREQ("-5", TextOf(dlg.GetDlgItem(kIdcCount)));

    dlg.m_strName = "second";
    dlg.m_nCount = 12;
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_STREQ("second", TextOf(dlg.GetDlgItem(kIdcName)));
    EXPECT_STREQ("12", TextOf(dlg.GetDlgItem(kIdcCount)));

    dlg.GetDlgItem(kIdcName)->SetWindowText("third");
    dlg.GetDlgItem(kIdcCount)->SetWindowText("  +8 ");
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ("third", dlg.m_strName);
    EXPECT_EQ(8, dlg.m_nCount);

    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST_F(ModelessTest, FocusAndTheDefaultButtonMoveAsTheDialogManagerMovesThem) {
    CDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(FormTemplate(), &m_owner));
    dlg.ShowWindow(SW_SHOW);
    EXPECT_EQ(MAKELONG(IDOK, DC_HASDEFID), static_cast<LONG>(dlg.GetDefID()));
    dlg.SetDefID(IDCANCEL);
    EXPECT_EQ(MAKELONG(IDCANCEL, DC_HASDEFID), static_cast<LONG>(dlg.GetDefID()));

    dlg.GotoDlgCtrl(dlg.GetDlgItem(kIdcCount));
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, kIdcCount), ::GetFocus());
    dlg.NextDlgCtrl();
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, kIdcOption), ::GetFocus());
    dlg.PrevDlgCtrl();
    dlg.PrevDlgCtrl();
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, kIdcName), ::GetFocus());
    dlg.DestroyWindow();
}

TEST_F(ModelessTest, ADialogsClientAreaIsItsTemplateSizeInDialogUnits) {
    std::vector<BYTE> bare = TemplateBuilder(WS_POPUP, 0, 0, 160, 80).Font(8, "MS Shell Dlg").Build();
    CDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(AsTemplate(bare), &m_owner));
    CRect units(0, 0, 160, 80);
    dlg.MapDialogRect(&units);
    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(units.Width(), client.Width());
    EXPECT_EQ(units.Height(), client.Height());
    EXPECT_GT(units.Width(), 160);
    dlg.DestroyWindow();
}

TEST_F(ModelessTest, ADialogThatCannotBeCreatedLeavesTheObjectDetached) {
    std::vector<BYTE> broken = TemplateBuilder(WS_POPUP, 0, 0, 100, 50)
                                   .Font(8, "MS Shell Dlg")
                                   .Control("NoSuchWindowClass", "", 5, WS_VISIBLE, 0, 0, 10, 10)
                                   .Build();
    CCounterDlg dlg;
    EXPECT_FALSE(dlg.CreateIndirect(AsTemplate(broken), &m_owner));
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(0, dlg.m_nInits);
    EXPECT_FALSE(dlg.Create(999u, &m_owner));
}

} // namespace
