// Dialogs that cannot be made: a template naming a control class that does not exist, and one whose item
// count promises more items than it holds. The dialog fails as the dialog manager fails it (DoModal -1,
// Create FALSE), the library's tree member is never attached, and the object can run a good dialog after.
#include "DialogHost.h"

#include "TemplateBuilder.h"

#include <cstddef>
#include <cstring>

namespace {

// The library's tree beside a control of a class that does not exist.
class CUnknownClassDlg : public CDialogEx {
public:
    CUnknownClassDlg() : CDialogEx(IDD_UNKNOWN_CLASS) {}

    COrnTreeCtrl m_tree;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CDialogEx::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_TREE, m_tree);
    }
    BOOL OnInitDialog() override {
        Note("OnInitDialog");
        return CDialogEx::OnInitDialog();
    }
};

using FailureTest = DialogHostTest;

TEST_F(FailureTest, AnUnknownControlClassFailsDoModalAndCreate) {
    CUnknownClassDlg modal;
    EXPECT_EQ(-1, modal.DoModal());
    EXPECT_EQ(nullptr, modal.m_hWnd);
    EXPECT_EQ(nullptr, modal.m_tree.m_hWnd);

    CUnknownClassDlg modeless;
    EXPECT_FALSE(modeless.Create(IDD_UNKNOWN_CLASS));
    EXPECT_EQ(nullptr, modeless.m_hWnd);
    EXPECT_EQ(nullptr, modeless.m_tree.m_hWnd);
    EXPECT_TRUE(g_journal.empty()) << "no dialog, so no WM_INITDIALOG";
}

// A tree view in a template that claims two items; the bytes after the first are zero, so the dialog
// manager reads a second item of no class.
class ShortTemplate {
public:
    ShortTemplate() {
        std::vector<BYTE> bytes =
            TemplateBuilder(WS_POPUP | WS_CAPTION, 0, 0, 160, 100)
                .Title("Short")
                .Font(8, "MS Shell Dlg")
                .Control(WC_TREEVIEWA, "", IDC_TREE, WS_VISIBLE | WS_BORDER | WS_TABSTOP, 5, 5, 100, 80)
                .Build();
        m_storage.assign(bytes.size() / sizeof(DWORD) + 64, 0);
        std::memcpy(m_storage.data(), bytes.data(), bytes.size());
        auto* header = reinterpret_cast<DLGTEMPLATE*>(m_storage.data());
        header->cdit = 2;
    }
    LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_storage.data()); }

private:
    std::vector<DWORD> m_storage;
};

class CShortDlg : public CDialogEx {
public:
    COrnTreeCtrl m_tree;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_TREE, m_tree); }
};

TEST_F(FailureTest, ATemplateWithFewerItemsThanItsCountFailsInMemoryToo) {
    ShortTemplate bytes;
    CShortDlg modal;
    ASSERT_TRUE(modal.InitModalIndirect(bytes.Get()));
    EXPECT_EQ(-1, modal.DoModal());
    EXPECT_EQ(nullptr, modal.m_tree.m_hWnd);

    CShortDlg modeless;
    EXPECT_FALSE(modeless.CreateIndirect(bytes.Get()));
    EXPECT_EQ(nullptr, modeless.m_hWnd);
    EXPECT_EQ(nullptr, modeless.m_tree.m_hWnd);
}

TEST_F(FailureTest, AfterAFailedDialogTheSameObjectRunsAGoodOne) {
    CTreesDlg dlg;
    dlg.m_lpszTemplateName = MAKEINTRESOURCE(IDD_UNKNOWN_CLASS);
    EXPECT_EQ(-1, dlg.DoModal());
    dlg.m_lpszTemplateName = MAKEINTRESOURCE(IDD_TREES);
    dlg.m_steps.assign({[] { emu::PressKey(VK_RETURN); }});
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ((Journal{"dialog:OnInitDialog", "dialog:OnOK"}), g_journal);
}

} // namespace
