// Dialog data exchange in a modal dialog: OnInitDialog fills the controls from the members, OK saves and
// validates what the user typed, a value that does not validate keeps the dialog open with the focus on
// it, and DDX_Control subclasses a control so that its object sees the control's messages.
#include "DialogTest.h"

namespace {

class CCountingEdit : public CEdit {
public:
    int m_nChars = 0;

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
        ++m_nChars;
        CEdit::OnChar(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingEdit, CEdit)
ON_WM_CHAR()
END_MESSAGE_MAP()

class CPersonDlg : public CDialog {
public:
    explicit CPersonDlg(CWnd* pParent) { InitModalIndirect(FormTemplate(), pParent); }

    CString m_strName = "Ada";
    int m_nCount = 3;
    int m_nOption = BST_UNCHECKED;
    CCountingEdit m_name;
    // What the controls showed when OnInitDialog returned.
    CString m_strNameShown;
    CString m_strCountShown;
    int m_nOptionShown = -1;
    bool m_bSubclassedInInit = false;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, kIdcName, m_name);
        DDX_Text(pDX, kIdcName, m_strName);
        DDX_Text(pDX, kIdcCount, m_nCount);
        DDX_Check(pDX, kIdcOption, m_nOption);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_bSubclassedInInit = m_name.m_hWnd == ::GetDlgItem(m_hWnd, kIdcName) &&
                              CWnd::FromHandlePermanent(m_name.m_hWnd) == &m_name;
        m_name.GetWindowText(m_strNameShown);
        GetDlgItem(kIdcCount)->GetWindowText(m_strCountShown);
        m_nOptionShown = static_cast<int>(GetDlgItem(kIdcOption)->SendMessage(BM_GETCHECK));
        return TRUE;
    }
};

class DataExchangeTest : public DialogTest {};

TEST_F(DataExchangeTest, OnInitDialogFillsTheControlsAndOkSavesWhatTheUserEntered) {
    m_owner.m_user = [] {
        // Under Wine a Shift pressed as soon as the dialog had become active was lost at times: the user
        // deletes the selected name and waits a moment before typing a capital.
        emu::PressKey(VK_DELETE);
        emu::Wait(300);
        emu::TypeText("Grace");
        emu::PressKey(VK_TAB);
        emu::TypeText("42");
        emu::PressKey(VK_TAB);
        emu::PressKey(VK_SPACE);
        emu::PressKey(VK_RETURN);
    };
    CPersonDlg dlg(&m_owner);
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(dlg.m_bSubclassedInInit);
    EXPECT_STREQ("Ada", dlg.m_strNameShown);
    EXPECT_STREQ("3", dlg.m_strCountShown);
    EXPECT_EQ(BST_UNCHECKED, dlg.m_nOptionShown);
    EXPECT_STREQ("Grace", dlg.m_strName);
    EXPECT_EQ(42, dlg.m_nCount);
    EXPECT_EQ(BST_CHECKED, dlg.m_nOption);
    EXPECT_EQ(5, dlg.m_name.m_nChars);
}

TEST_F(DataExchangeTest, CancelLeavesTheMembersAsTheyWere) {
    m_owner.m_user = [] {
        emu::TypeText("Grace");
        emu::PressKey(VK_ESCAPE);
    };
    CPersonDlg dlg(&m_owner);
    ASSERT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("Ada", dlg.m_strName);
    EXPECT_EQ(3, dlg.m_nCount);
}

TEST_F(DataExchangeTest, ACountThatIsNotANumberIsRefusedWithTheFocusBackOnItsSelectedText) {
    m_owner.m_user = [] {
        emu::PressKey(VK_TAB);
        emu::TypeText("4x2");
        emu::PressKey(VK_RETURN);
    };
    // The user reads the box, presses OK and types the count again: it replaces the refused text only if
    // that has the focus and is selected. A second refusal is cancelled.
    int nBoxes = 0;
    emu::SetMessageBoxResponder([&nBoxes](const emu::MessageBoxShown& box) {
        if (++nBoxes == 1) {
            emu::TypeText("17");
            emu::PressKey(VK_RETURN);
        } else {
            emu::PressKey(VK_ESCAPE);
        }
        return box.answer;
    });
    CPersonDlg dlg(&m_owner);
    ASSERT_EQ(IDOK, dlg.DoModal());
    ASSERT_EQ(1u, emu::MessageBoxesShown().size());
    EXPECT_EQ("Please enter an integer.", emu::MessageBoxesShown()[0].text);
    EXPECT_EQ(17, dlg.m_nCount);
    EXPECT_STREQ("Ada", dlg.m_strName);
}

} // namespace
