// DoModal: the dialog is created from its template owned by the parent, which is disabled while the
// framework's modal loop runs; keys go through the thread's pump, where the innermost window objects see
// them before the dialog's PreTranslateMessage hands them to the dialog manager.
#include "DialogTest.h"

namespace {

std::string KeyName(const MSG* pMsg) {
    std::string name = pMsg->message == WM_KEYDOWN ? "down" : pMsg->message == WM_KEYUP ? "up" : "other";
    return name + (pMsg->wParam == VK_RETURN ? " Enter" : pMsg->wParam == VK_ESCAPE ? " Escape" : " key");
}

bool IsKey(const MSG* pMsg) {
    return pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP;
}

// An edit control object that takes the first Enter pressed in it, as a tree control takes Enter during a
// label edit.
class CEnterTakingEdit : public CEdit {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (IsKey(pMsg))
            Note("edit: " + KeyName(pMsg));
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && !m_bTaken) {
            m_bTaken = true;
            Note("edit takes it");
            return TRUE;
        }
        return CEdit::PreTranslateMessage(pMsg);
    }
    bool m_bTaken = false;
};

class CFormDlg : public CDialog {
public:
    explicit CFormDlg(CWnd* pParent) { InitModalIndirect(FormTemplate(), pParent); }

    CEnterTakingEdit m_name;
    HWND m_hWndOwnerSeen = nullptr;
    BOOL m_bOwnerEnabledSeen = TRUE;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, kIdcName, m_name); }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_hWndOwnerSeen = ::GetWindow(m_hWnd, GW_OWNER);
        m_bOwnerEnabledSeen = ::IsWindowEnabled(m_hWndOwnerSeen);
        Note("OnInitDialog");
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (IsKey(pMsg))
            Note("dialog: " + KeyName(pMsg));
        return CDialog::PreTranslateMessage(pMsg);
    }
    void OnOK() override {
        Note("OnOK");
        CDialog::OnOK();
    }
    void OnCancel() override {
        Note("OnCancel");
        CDialog::OnCancel();
    }
};

class DoModalTest : public DialogTest {};

TEST_F(DoModalTest, AWindowObjectInsideTheDialogSeesEnterFirstAndTheNextEnterEndsTheDialogWithIdok) {
    UserPresses({VK_RETURN, VK_RETURN});
    CFormDlg dlg(&m_owner);
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(
        (std::vector<std::string>{"OnInitDialog", "edit: down Enter", "edit takes it", "edit: up Enter",
                                  "dialog: up Enter", "edit: down Enter", "dialog: down Enter", "OnOK"}),
        g_journal);
    EXPECT_EQ(m_owner.m_hWnd, dlg.m_hWndOwnerSeen);
    EXPECT_FALSE(dlg.m_bOwnerEnabledSeen);
    EXPECT_TRUE(m_owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_name.m_hWnd);
}

TEST_F(DoModalTest, EscapeEndsTheDialogWithIdcancelThroughOnCancel) {
    UserPresses({VK_ESCAPE});
    CFormDlg dlg(&m_owner);
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(
        (std::vector<std::string>{"OnInitDialog", "edit: down Escape", "dialog: down Escape", "OnCancel"}),
        g_journal);
    EXPECT_TRUE(m_owner.IsWindowEnabled());
}

// Ends the dialog from OnInitDialog, before its loop starts.
class CEndAtOnceDlg : public CDialog {
public:
    explicit CEndAtOnceDlg(CWnd* pParent) { InitModalIndirect(FormTemplate(), pParent); }

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        EndDialog(7);
        return TRUE;
    }
};

TEST_F(DoModalTest, EndDialogInOnInitDialogEndsTheDialogBeforeItsLoopRuns) {
    CEndAtOnceDlg dlg(&m_owner);
    EXPECT_EQ(7, dlg.DoModal());
    EXPECT_EQ(0, m_owner.m_nIdle);
    EXPECT_TRUE(m_owner.IsWindowEnabled());
}

TEST_F(DoModalTest, ADialogThatCannotBeCreatedGivesMinusOneAndLeavesTheOwnerEnabled) {
    std::vector<BYTE> broken = TemplateBuilder(WS_POPUP | WS_CAPTION, 0, 0, 100, 50)
                                   .Title("Broken")
                                   .Font(8, "MS Shell Dlg")
                                   .Control("NoSuchWindowClass", "", 5, WS_VISIBLE, 0, 0, 10, 10)
                                   .Build();
    CDialog unknownClass;
    unknownClass.InitModalIndirect(AsTemplate(broken), &m_owner);
    EXPECT_EQ(-1, unknownClass.DoModal());
    EXPECT_TRUE(m_owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, unknownClass.m_hWnd);

    CDialog noResource(999u, &m_owner);
    EXPECT_EQ(-1, noResource.DoModal());
    CDialog noTemplate;
    EXPECT_EQ(-1, noTemplate.DoModal());
    EXPECT_EQ(0, m_owner.m_nIdle);
}

TEST_F(DoModalTest, ATemplateResourceIsFoundByItsIdAndTheMainWindowOwnsTheDialogWithoutAParent) {
    CWinApp app("Dialogs");
    app.m_pMainWnd = &m_owner;
    UserPresses({VK_RETURN});
    CDialog dlg(kIddNamed);
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, m_owner.m_nIdle);
    app.m_pMainWnd = nullptr;
}

} // namespace
