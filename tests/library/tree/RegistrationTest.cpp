// Registration of the control's drop target when a window is attached: by subclassing an existing tree
// view (as a dialog does with its controls) or by creating the window through the control.
#include "TreeHost.h"

namespace {

bool Registered(HWND hWnd) {
    return GetPropA(hWnd, "OleDropTargetInterface") != nullptr;
}

class RegistrationTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        m_nOleInits = AfxGetModuleState()->m_nOleInits;
    }
    // A tree view in the panel that no object has attached yet.
    HWND CreateTreeView() {
        return CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | kTreeStyle, kTreeRect.left, kTreeRect.top,
                               kTreeRect.Width(), kTreeRect.Height(), m_panel.m_hWnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeID)),
                               GetModuleHandleA(nullptr), nullptr);
    }
    int OleInitsSinceSetUp() const { return AfxGetModuleState()->m_nOleInits - m_nOleInits; }

    int m_nOleInits = 0;
};

TEST_F(RegistrationTest, SubclassingInitialisesOleOnlyWhenTheFirstRegistrationFails) {
    HWND hWnd = CreateTreeView();
    COrnTreeCtrl tree;
    ASSERT_TRUE(tree.SubclassDlgItem(kTreeID, &m_panel));
    EXPECT_TRUE(Registered(hWnd));
    EXPECT_EQ(1, OleInitsSinceSetUp());

    HWND hOther = CreateTreeView();
    COrnTreeCtrl other;
    ASSERT_TRUE(other.SubclassWindow(hOther));
    EXPECT_TRUE(Registered(hOther));
    EXPECT_EQ(1, OleInitsSinceSetUp()) << "OLE was ready";
    EXPECT_TRUE(emu::MessageBoxesShown().empty());
}

TEST_F(RegistrationTest, WhenOleCannotBeInitialisedTheBoxErrorIsShownAndTheControlWorksOn) {
    emu::SetOleInitializeResult(E_FAIL);
    HWND hWnd = CreateTreeView();
    bool bRegisteredAtBox = true;
    emu::SetMessageBoxResponder([&](const emu::MessageBoxShown&) {
        bRegisteredAtBox = Registered(hWnd);
        return IDOK;
    });
    COrnTreeCtrl tree;
    ASSERT_TRUE(tree.SubclassDlgItem(kTreeID, &m_panel));
    ASSERT_EQ(1u, emu::MessageBoxesShown().size());
    const emu::MessageBoxShown& box = emu::MessageBoxesShown()[0];
    EXPECT_EQ("Error", box.text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), box.type);
    EXPECT_EQ(m_frame.m_hWnd, box.owner);
    EXPECT_FALSE(bRegisteredAtBox);
    EXPECT_FALSE(Registered(hWnd));
    EXPECT_NE(nullptr, tree.AddItem(TVI_ROOT, "a", TVI_LAST, 0, 0, 1));
}

// The second registration comes after the box: here OLE becomes ready while the box is open.
TEST_F(RegistrationTest, TheSecondRegistrationFollowsTheBox) {
    emu::SetOleInitializeResult(E_FAIL);
    emu::SetMessageBoxResponder([](const emu::MessageBoxShown&) {
        emu::SetOleInitializeResult(S_OK);
        OleInitialize(nullptr);
        return IDOK;
    });
    HWND hWnd = CreateTreeView();
    COrnTreeCtrl tree;
    ASSERT_TRUE(tree.SubclassDlgItem(kTreeID, &m_panel));
    EXPECT_EQ(1u, emu::MessageBoxesShown().size());
    EXPECT_TRUE(Registered(hWnd));
}

// Create attaches the window in the creation hook, so the subclassing registration runs first; WM_CREATE's
// registration adds no box of its own.
TEST_F(RegistrationTest, CreatingTheWindowTakesBothPaths) {
    COrnTreeCtrl tree;
    ASSERT_TRUE(tree.Create(kTreeStyle, kTreeRect, &m_panel, kTreeID));
    EXPECT_TRUE(Registered(tree.m_hWnd));
    EXPECT_EQ(1, OleInitsSinceSetUp());

    emu::SetOleInitializeResult(E_FAIL);
    OleUninitialize();
    COrnTreeCtrl failing;
    ASSERT_TRUE(failing.Create(kTreeStyle, kTreeRect, &m_panel, kTreeID + 1));
    EXPECT_EQ(1u, emu::MessageBoxesShown().size());
    EXPECT_FALSE(Registered(failing.m_hWnd));
}

// OLE comes up between the two registrations (here in a derived class's PreSubclassWindow), so only the
// one of WM_CREATE can succeed.
TEST_F(RegistrationTest, CreationRegistersOnceMoreAtWmCreate) {
    class CLateOleTree : public COrnTreeCtrl {
    protected:
        void PreSubclassWindow() override {
            COrnTreeCtrl::PreSubclassWindow();
            Note(std::string("after subclassing: ") + (Registered(m_hWnd) ? "registered" : "not registered"));
            emu::SetOleInitializeResult(S_OK);
            OleInitialize(nullptr);
        }
    } tree;
    emu::SetOleInitializeResult(E_FAIL);
    ASSERT_TRUE(tree.Create(kTreeStyle, kTreeRect, &m_panel, kTreeID));
    EXPECT_EQ(Journal{"after subclassing: not registered"}, g_journal);
    EXPECT_TRUE(Registered(tree.m_hWnd));
    EXPECT_EQ(1u, emu::MessageBoxesShown().size());
}

} // namespace
