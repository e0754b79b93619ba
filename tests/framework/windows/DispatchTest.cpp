// The window's object and its handler, found anew whenever they change: another object on the same window,
// an object of another class, a detached window, a procedure put in front of the object's, many windows of
// different classes in turn.
#include "WindowsTest.h"

#include <memory>

namespace {

class CKeyWnd : public CWnd {
protected:
    afx_msg void OnKeyDown(UINT nChar, UINT, UINT) { Note("key:OnKeyDown " + std::to_string(nChar)); }
    afx_msg LRESULT OnUser(WPARAM, LPARAM) { return 1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyWnd, CWnd)
ON_WM_KEYDOWN()
ON_MESSAGE(WM_USER, &CKeyWnd::OnUser)
END_MESSAGE_MAP()

// Derives from CKeyWnd but chains its map past it: the base's entries do not apply.
class CClickWnd : public CKeyWnd {
protected:
    afx_msg void OnLButtonDown(UINT, CPoint point) {
        Note("click:OnLButtonDown " + std::to_string(point.x) + "," + std::to_string(point.y));
    }
    afx_msg LRESULT OnUser(WPARAM, LPARAM) { return 2; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CClickWnd, CWnd)
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_USER, &CClickWnd::OnUser)
END_MESSAGE_MAP()

// A procedure put in front of whatever the window had: notes the keys, then passes everything on.
WNDPROC g_pfnBehindSpy = nullptr;

LRESULT CALLBACK SpyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN)
        Note("spy:WM_KEYDOWN");
    return CallWindowProcA(g_pfnBehindSpy, hWnd, message, wParam, lParam);
}

class DispatchTest : public WindowsTest {
protected:
    void SetUp() override {
        WindowsTest::SetUp();
        m_hWnd = CreatePlainWindow(nullptr, 0, {100, 100, 200, 200});
        ASSERT_NE(nullptr, m_hWnd);
        SetFocus(m_hWnd);
    }
    void TearDown() override {
        DestroyWindow(m_hWnd);
        WindowsTest::TearDown();
    }
    // A key and a click on the window, as the user gives them; the journal of what they reached.
    std::vector<std::string> KeyAndClick() {
        g_journal.clear();
        emu::PressKey('K');
        emu::Click(130, 140);
        emu::PumpMessages();
        std::vector<std::string> journal;
        for (const std::string& entry : g_journal) {
            if (entry != "plain:WM_CHAR" && entry != "plain:WM_KEYUP")
                journal.push_back(entry);
        }
        return journal;
    }

    HWND m_hWnd = nullptr;
};

TEST_F(DispatchTest, ObjectsOfOtherClassesTakeTheWindowInTurn) {
    CKeyWnd key;
    CClickWnd click;
    CWnd plain;
    ASSERT_TRUE(key.SubclassWindow(m_hWnd));
    EXPECT_EQ((std::vector<std::string>{"key:OnKeyDown 75"}), KeyAndClick());
    EXPECT_EQ(1, SendMessageA(m_hWnd, WM_USER, 0, 0));

    ASSERT_EQ(m_hWnd, key.UnsubclassWindow());
    EXPECT_EQ((std::vector<std::string>{"plain:WM_KEYDOWN"}), KeyAndClick());
    ASSERT_TRUE(click.SubclassWindow(m_hWnd));
    EXPECT_EQ((std::vector<std::string>{"plain:WM_KEYDOWN", "click:OnLButtonDown 30,40"}), KeyAndClick());
    EXPECT_EQ(2, SendMessageA(m_hWnd, WM_USER, 0, 0));

    // An object without handlers of its own passes everything to the window's procedure.
    ASSERT_EQ(m_hWnd, click.UnsubclassWindow());
    ASSERT_TRUE(plain.SubclassWindow(m_hWnd));
    EXPECT_EQ((std::vector<std::string>{"plain:WM_KEYDOWN"}), KeyAndClick());
    EXPECT_EQ(0, SendMessageA(m_hWnd, WM_USER, 0, 0));

    ASSERT_EQ(m_hWnd, plain.UnsubclassWindow());
    ASSERT_TRUE(key.SubclassWindow(m_hWnd));
    EXPECT_EQ((std::vector<std::string>{"key:OnKeyDown 75"}), KeyAndClick());
    EXPECT_EQ(m_hWnd, key.UnsubclassWindow());
}

TEST_F(DispatchTest, ADetachedWindowFindsTheNextObjectAttached) {
    CKeyWnd key;
    CClickWnd click;
    LONG_PTR pfnPlain = GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
    ASSERT_TRUE(key.SubclassWindow(m_hWnd));
    EXPECT_EQ(1, SendMessageA(m_hWnd, WM_USER, 0, 0));

    // The window keeps the framework's procedure, which finds no object and gives the default answer.
    EXPECT_EQ(m_hWnd, key.Detach());
    EXPECT_EQ(0, SendMessageA(m_hWnd, WM_USER, 0, 0));
    EXPECT_EQ(std::vector<std::string>{}, KeyAndClick());

    ASSERT_TRUE(click.Attach(m_hWnd));
    EXPECT_EQ(2, SendMessageA(m_hWnd, WM_USER, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"click:OnLButtonDown 30,40"}), KeyAndClick());
    EXPECT_EQ(m_hWnd, click.Detach());

    ASSERT_TRUE(key.Attach(m_hWnd));
    EXPECT_EQ(1, SendMessageA(m_hWnd, WM_USER, 0, 0));
    EXPECT_EQ(m_hWnd, key.Detach());
    SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, pfnPlain);
}

TEST_F(DispatchTest, AProcedureInFrontOfTheObjectPassesToItAndGoesAgain) {
    CKeyWnd key;
    CClickWnd click;
    ASSERT_TRUE(key.SubclassWindow(m_hWnd));
    g_pfnBehindSpy = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SpyProc)));
    EXPECT_EQ((std::vector<std::string>{"spy:WM_KEYDOWN", "key:OnKeyDown 75"}), KeyAndClick());

    SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnBehindSpy));
    EXPECT_EQ((std::vector<std::string>{"key:OnKeyDown 75"}), KeyAndClick());

    // The spy in front of another object, and of the plain procedure alone.
    ASSERT_EQ(m_hWnd, key.UnsubclassWindow());
    ASSERT_TRUE(click.SubclassWindow(m_hWnd));
    g_pfnBehindSpy = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SpyProc)));
    EXPECT_EQ((std::vector<std::string>{"spy:WM_KEYDOWN", "plain:WM_KEYDOWN", "click:OnLButtonDown 30,40"}),
              KeyAndClick());
    SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnBehindSpy));
    ASSERT_EQ(m_hWnd, click.UnsubclassWindow());
    EXPECT_EQ((std::vector<std::string>{"plain:WM_KEYDOWN"}), KeyAndClick());
}

TEST_F(DispatchTest, ManyWindowsOfTwoClassesAnswerInAnyOrder) {
    constexpr int kWindows = 64;
    auto make = [](bool bClick) -> std::unique_ptr<CKeyWnd> {
        return bClick ? std::make_unique<CClickWnd>() : std::make_unique<CKeyWnd>();
    };
    std::vector<std::unique_ptr<CKeyWnd>> objects;
    for (int k = 0; k < kWindows; ++k) {
        objects.push_back(make(k % 3 == 0));
        ASSERT_TRUE(objects.back()->SubclassWindow(CreatePlainWindow()));
    }
    // Forwards, backwards and in strides, so that the windows follow one another in many orders.
    auto askAll = [&](bool bSwapped) {
        for (int stride : {1, kWindows - 1, 5, 7}) {
            for (int n = 0, k = 0; n < kWindows; ++n, k = (k + stride) % kWindows) {
                bool bClick = (k % 3 == 0) != bSwapped;
                EXPECT_EQ(bClick ? 2 : 1, objects[k]->SendMessage(WM_USER)) << "window " << k;
            }
        }
    };
    askAll(false);
    // Every window handed from its object to one of the other class.
    for (int k = 0; k < kWindows; ++k) {
        HWND hWnd = objects[k]->UnsubclassWindow();
        objects[k] = make(k % 3 != 0);
        ASSERT_TRUE(objects[k]->SubclassWindow(hWnd));
    }
    askAll(true);
}

} // namespace
