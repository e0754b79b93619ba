// The framework's message pump: pre-translation up the window tree, the current message, idle time.
#include "WindowsTest.h"

namespace {

class CPreTranslatingWnd : public CWnd {
public:
    explicit CPreTranslatingWnd(std::string name) : m_name(std::move(name)) {}
    UINT m_nEat = 0; // the message this window takes in PreTranslateMessage

    BOOL PreTranslateMessage(MSG* pMsg) override {
        std::string message = MessageName(pMsg->message);
        if (message.empty())
            return FALSE;
        Note(m_name + ":" + message);
        return pMsg->message == m_nEat;
    }

protected:
    afx_msg void OnKeyDown(UINT, UINT, UINT) { Note(m_name + ":OnKeyDown"); }
    afx_msg void OnLButtonDown(UINT, CPoint point) {
        const MSG* pMsg = GetCurrentMessage();
        Note(m_name + ":OnLButtonDown at " + std::to_string(point.x) + "," + std::to_string(point.y) +
             ", message " + std::to_string(pMsg->message) + " at " + std::to_string(pMsg->pt.x) + "," +
             std::to_string(pMsg->pt.y));
    }
    DECLARE_MESSAGE_MAP()

private:
    std::string m_name;
};

BEGIN_MESSAGE_MAP(CPreTranslatingWnd, CWnd)
ON_WM_KEYDOWN()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class PumpTest : public WindowsTest {
protected:
    void SetUp() override {
        WindowsTest::SetUp();
        ASSERT_TRUE(
            m_top.CreateEx(0, nullptr, "top", WS_POPUP | WS_VISIBLE, 100, 50, 300, 200, nullptr, nullptr));
        ASSERT_TRUE(m_middle.Create(nullptr, "middle", WS_VISIBLE, CRect(10, 10, 210, 160), &m_top, 1));
        // A plain window between the framework windows is passed over.
        HWND plain = CreatePlainWindow(m_middle.m_hWnd, 2, {10, 10, 160, 110});
        ASSERT_TRUE(
            m_inner.Create(nullptr, "inner", WS_VISIBLE, CRect(5, 5, 105, 85), CWnd::FromHandle(plain), 3));
        m_inner.SetFocus();
        g_journal.clear();
    }
    CPreTranslatingWnd m_top{"top"};
    CPreTranslatingWnd m_middle{"middle"};
    CPreTranslatingWnd m_inner{"inner"};
};

TEST_F(PumpTest, PreTranslationWalksFromTheTargetUpToTheTop) {
    emu::KeyDown('A');
    emu::PumpMessages(AfxPumpMessage);
    EXPECT_EQ((std::vector<std::string>{"inner:WM_KEYDOWN", "middle:WM_KEYDOWN", "top:WM_KEYDOWN",
                                        "inner:OnKeyDown", "inner:WM_CHAR", "middle:WM_CHAR", "top:WM_CHAR"}),
              g_journal);
}

TEST_F(PumpTest, TheFirstWindowThatTakesTheMessageEndsTheWalkAndTheDispatch) {
    m_middle.m_nEat = WM_KEYDOWN;
    emu::PressKey('A');
    emu::PumpMessages(AfxPumpMessage);
    // Not dispatched, and not translated: no WM_CHAR follows.
    EXPECT_EQ((std::vector<std::string>{"inner:WM_KEYDOWN", "middle:WM_KEYDOWN", "inner:WM_KEYUP",
                                        "middle:WM_KEYUP", "top:WM_KEYUP"}),
              g_journal);
}

TEST_F(PumpTest, TheApplicationStopsTheWalkAtItsMainWindow) {
    CWinApp app("PumpTest");
    app.m_pMainWnd = &m_middle;
    emu::KeyDown('A');
    emu::PumpMessages(AfxPumpMessage);
    EXPECT_EQ((std::vector<std::string>{"inner:WM_KEYDOWN", "middle:WM_KEYDOWN", "inner:OnKeyDown",
                                        "inner:WM_CHAR", "middle:WM_CHAR"}),
              g_journal);
}

TEST_F(PumpTest, TheCurrentMessageCarriesThePositionOfTheClick) {
    emu::Click(100 + 10 + 10 + 5 + 7, 50 + 10 + 10 + 5 + 9);
    emu::PumpMessages(AfxPumpMessage);
    ASSERT_FALSE(g_journal.empty());
    EXPECT_EQ("inner:OnLButtonDown at 7,9, message 513 at 132,84", g_journal.back());
}

TEST_F(PumpTest, RunPumpsUntilQuitAndIdlesWhenTheQueueIsEmpty) {
    struct CIdleApp : CWinApp {
        CIdleApp() : CWinApp("IdleTest") {}
        BOOL OnIdle(LONG lCount) override {
            Note("OnIdle " + std::to_string(lCount));
            if (lCount == 1)
                PostQuitMessage(3);
            return lCount < 1;
        }
    } app;
    m_inner.PostMessage(WM_USER);
    EXPECT_EQ(3, app.Run());
    EXPECT_EQ(
        (std::vector<std::string>{"inner:WM_USER", "middle:WM_USER", "top:WM_USER", "OnIdle 0", "OnIdle 1"}),
        g_journal);
}

TEST_F(PumpTest, TemporaryObjectsLiveUntilIdleTime) {
    HWND plain = CreatePlainWindow();
    CWnd* pTemp = CWnd::FromHandle(plain);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(plain, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(plain));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(plain));
    EXPECT_EQ(&m_top, CWnd::FromHandle(m_top.m_hWnd));

    // Idle time leaves temporary objects alone while the maps are locked.
    CWinApp app("TempTest");
    AfxLockTempMaps();
    EXPECT_FALSE(app.OnIdle(1));
    EXPECT_EQ(pTemp, CWnd::FromHandle(plain));
    EXPECT_EQ(plain, pTemp->m_hWnd);
    AfxLockTempMaps();
    EXPECT_FALSE(AfxUnlockTempMaps());
    EXPECT_TRUE(AfxUnlockTempMaps());
}

} // namespace
