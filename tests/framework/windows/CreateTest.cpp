// Attaching objects to windows: creation through the framework, subclassing, destruction, and exceptions
// escaping handlers.
#include "WindowsTest.h"

namespace {

class CRecordingWnd : public CWnd {
public:
    int m_nCreateResult = 0;
    bool m_bThrowInCreate = false;
    bool m_bThrowOnUser = false;

    void PreSubclassWindow() override {
        bool swapped =
            GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(AfxGetAfxWndProc());
        Note(std::string("PreSubclassWindow") + (m_hWnd != nullptr ? " attached" : " detached") +
             (swapped ? " swapped" : " original proc"));
        CWnd::PreSubclassWindow();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        std::string name = MessageName(message);
        if (!name.empty())
            Note(name);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { Note("PostNcDestroy"); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        Note("OnCreate");
        if (m_bThrowInCreate)
            AfxThrowInvalidArgException();
        if (CWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        return m_nCreateResult;
    }
    afx_msg LRESULT OnUser(WPARAM, LPARAM) {
        if (m_bThrowOnUser)
            AfxThrowNotSupportedException();
        Note("OnUser");
        return 42;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
ON_WM_CREATE()
ON_MESSAGE(WM_USER, &CRecordingWnd::OnUser)
END_MESSAGE_MAP()

// Creates a framework child while its own creation is in progress.
class CNestingWnd : public CWnd {
public:
    CRecordingWnd m_child;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        if (CWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        return m_child.Create(nullptr, "c", WS_VISIBLE, CRect(0, 0, 10, 10), this, 7) ? 0 : -1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNestingWnd, CWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

using CreateTest = WindowsTest;

TEST_F(CreateTest, CreateAttachesInTheHookBeforeTheFirstMessage) {
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ((std::vector<std::string>{"PreSubclassWindow attached original proc", "WM_NCCREATE",
                                        "WM_CREATE", "OnCreate"}),
              g_journal);
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    EXPECT_EQ(42, wnd.SendMessage(WM_USER));

    // The creation hook is gone: a plain window created now is left alone.
    HWND plain = CreatePlainWindow();
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(plain));
}

TEST_F(CreateTest, CreateFailsWhenOnCreateRefuses) {
    CRecordingWnd wnd;
    wnd.m_nCreateResult = -1;
    EXPECT_FALSE(wnd.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(
        (std::vector<std::string>{"PreSubclassWindow attached original proc", "WM_NCCREATE", "WM_CREATE",
                                  "OnCreate", "WM_DESTROY", "WM_NCDESTROY", "PostNcDestroy"}),
        g_journal);

    // The object can try again.
    wnd.m_nCreateResult = 0;
    EXPECT_TRUE(wnd.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
}

TEST_F(CreateTest, AnUnknownClassFailsWithoutAttaching) {
    CRecordingWnd wnd;
    EXPECT_FALSE(wnd.CreateEx(0, "NoSuchClass", "w", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(std::vector<std::string>{"PostNcDestroy"}, g_journal);
}

TEST_F(CreateTest, ChildCreatedInsideOnCreateIsAttachedToo) {
    CNestingWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "p", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(&parent.m_child, CWnd::FromHandlePermanent(GetDlgItem(parent.m_hWnd, 7)));
    EXPECT_EQ(&parent, parent.m_child.GetParent());
    EXPECT_TRUE(parent.m_child.GetStyle() & WS_CHILD);
}

TEST_F(CreateTest, SubclassingAnExistingWindowSeesNoCreation) {
    HWND hWnd = CreatePlainWindow();
    g_journal.clear();
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    EXPECT_EQ(std::vector<std::string>{"PreSubclassWindow attached original proc"}, g_journal);

    // Handled messages stop at the object; the others reach the original procedure.
    g_journal.clear();
    EXPECT_EQ(42, SendMessageA(hWnd, WM_USER, 0, 0));
    SendMessageA(hWnd, WM_NOTIFY, 0, 0);
    EXPECT_EQ((std::vector<std::string>{"WM_USER", "OnUser", "WM_NOTIFY", "plain:WM_NOTIFY"}), g_journal);

    EXPECT_FALSE(CRecordingWnd().SubclassWindow(hWnd)); // one object per window

    EXPECT_EQ(hWnd, wnd.UnsubclassWindow());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    g_journal.clear();
    SendMessageA(hWnd, WM_USER, 0, 0);
    EXPECT_EQ(std::vector<std::string>{"plain:WM_USER"}, g_journal);
}

TEST_F(CreateTest, DestructionDetachesTheObject) {
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    HWND hWnd = wnd.m_hWnd;
    g_journal.clear();
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ((std::vector<std::string>{"WM_DESTROY", "WM_NCDESTROY", "PostNcDestroy"}), g_journal);
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_FALSE(wnd.DestroyWindow());

    // An object that goes away takes its window with it.
    HWND hWndOwned;
    {
        CRecordingWnd owner;
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
        hWndOwned = owner.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWndOwned));

    // An object attached without subclassing is detached by DestroyWindow itself.
    CWnd attached;
    ASSERT_TRUE(attached.Attach(CreatePlainWindow()));
    EXPECT_TRUE(attached.DestroyWindow());
    EXPECT_EQ(nullptr, attached.m_hWnd);
}

TEST_F(CreateTest, DefaultClassIsRegisteredAgainAfterAReset) {
    {
        CWnd first;
        ASSERT_TRUE(first.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    }
    emu::Reset();
    CWnd second;
    EXPECT_TRUE(second.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    char name[32] = {};
    GetClassNameA(second.m_hWnd, name, sizeof(name));
    WNDCLASSA wc;
    EXPECT_TRUE(GetClassInfoA(AfxGetInstanceHandle(), name, &wc));
    EXPECT_TRUE(wc.style & CS_DBLCLKS);

    // Named classes likewise: one name per set of attributes, registered again when gone.
    std::string registered = AfxRegisterWndClass(CS_HREDRAW);
    EXPECT_NE(registered, AfxRegisterWndClass(CS_VREDRAW));
    EXPECT_EQ(registered, AfxRegisterWndClass(CS_HREDRAW));
    emu::Reset();
    EXPECT_EQ(registered, AfxRegisterWndClass(CS_HREDRAW));
    CWnd third;
    EXPECT_TRUE(third.CreateEx(0, registered.c_str(), "w", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
}

TEST_F(CreateTest, ExceptionsFromHandlersAreCaughtAtTheWindowProcedure) {
    CRecordingWnd failing;
    failing.m_bThrowInCreate = true;
    EXPECT_FALSE(failing.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(nullptr, failing.m_hWnd);
    EXPECT_TRUE(emu::MessageBoxesShown().empty());

    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    wnd.m_bThrowOnUser = true;
    EXPECT_EQ(0, wnd.SendMessage(WM_USER));
    ASSERT_EQ(1u, emu::MessageBoxesShown().size());
    EXPECT_EQ(MB_ICONERROR, emu::MessageBoxesShown()[0].type);
    char expected[256];
    CNotSupportedException().GetErrorMessage(expected, sizeof(expected));
    EXPECT_EQ(expected, emu::MessageBoxesShown()[0].text);
}

} // namespace
