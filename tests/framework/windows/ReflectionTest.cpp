// Reflection of control notifications: the parent hands WM_NOTIFY and WM_COMMAND back to the control first.
#include "WindowsTest.h"

#include "afx/DataExchange.h"

#include <commctrl.h>

namespace {

constexpr int kChildId = 21;
constexpr UINT kCodeControl = 5; // a WM_COMMAND notification code

class CReflectingChild : public CWnd {
public:
    BOOL m_bConsumeDblClk = FALSE;
    BOOL m_bConsumeControl = FALSE;

    // Sends a notification to the parent, as a control does; returns the parent's answer.
    LRESULT Notify(UINT code) {
        NMHDR nmhdr{m_hWnd, static_cast<UINT_PTR>(kChildId), code};
        return ::SendMessageA(::GetParent(m_hWnd), WM_NOTIFY, kChildId, reinterpret_cast<LPARAM>(&nmhdr));
    }
    LRESULT Command(UINT code) {
        return ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(kChildId, code),
                              reinterpret_cast<LPARAM>(m_hWnd));
    }

protected:
    afx_msg void OnClick(NMHDR*, LRESULT* pResult) {
        Note("child:NM_CLICK");
        *pResult = 5;
    }
    afx_msg BOOL OnDblClk(NMHDR*, LRESULT* pResult) {
        Note("child:NM_DBLCLK");
        *pResult = 7;
        return m_bConsumeDblClk;
    }
    afx_msg BOOL OnControl() {
        Note("child:control");
        return m_bConsumeControl;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
ON_NOTIFY_REFLECT(NM_CLICK, &CReflectingChild::OnClick)
ON_NOTIFY_REFLECT_EX(NM_DBLCLK, &CReflectingChild::OnDblClk)
ON_CONTROL_REFLECT_EX(kCodeControl, &CReflectingChild::OnControl)
END_MESSAGE_MAP()

class CNotifiedParent : public CWnd {
public:
    CReflectingChild m_child;
    bool m_bExchangeNotifies = false;

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, kChildId, m_child);
        if (m_bExchangeNotifies)
            m_child.Notify(NM_RCLICK);
    }

protected:
    afx_msg void OnChildClick(NMHDR*, LRESULT*) { Note("parent:NM_CLICK"); }
    afx_msg void OnChildDblClk(NMHDR* pNMHDR, LRESULT* pResult) {
        Note("parent:NM_DBLCLK with " + std::to_string(*pResult) + " from " + std::to_string(pNMHDR->idFrom));
        *pResult += 1;
    }
    afx_msg void OnChildRClick(NMHDR*, LRESULT* pResult) {
        Note("parent:NM_RCLICK");
        *pResult = 3;
    }
    afx_msg void OnChildControl() { Note("parent:control"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifiedParent, CWnd)
ON_NOTIFY(NM_CLICK, kChildId, &CNotifiedParent::OnChildClick)
ON_NOTIFY(NM_DBLCLK, kChildId, &CNotifiedParent::OnChildDblClk)
ON_NOTIFY(NM_RCLICK, kChildId, &CNotifiedParent::OnChildRClick)
ON_CONTROL(kCodeControl, kChildId, &CNotifiedParent::OnChildControl)
END_MESSAGE_MAP()

class ReflectionTest : public WindowsTest {
protected:
    void SetUp() override {
        WindowsTest::SetUp();
        ASSERT_TRUE(
            m_parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
        ASSERT_TRUE(
            m_parent.m_child.Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 50, 50), &m_parent, kChildId));
    }
    CNotifiedParent m_parent;
};

TEST_F(ReflectionTest, PlainReflectionConsumesTheNotification) {
    EXPECT_EQ(5, m_parent.m_child.Notify(NM_CLICK));
    EXPECT_EQ(std::vector<std::string>{"child:NM_CLICK"}, g_journal);
}

TEST_F(ReflectionTest, ReflectionWithResultFalseLetsTheParentRunWithTheSameResult) {
    EXPECT_EQ(8, m_parent.m_child.Notify(NM_DBLCLK));
    EXPECT_EQ((std::vector<std::string>{"child:NM_DBLCLK", "parent:NM_DBLCLK with 7 from 21"}), g_journal);
}

TEST_F(ReflectionTest, ReflectionWithResultTrueConsumesTheNotification) {
    m_parent.m_child.m_bConsumeDblClk = TRUE;
    EXPECT_EQ(7, m_parent.m_child.Notify(NM_DBLCLK));
    EXPECT_EQ(std::vector<std::string>{"child:NM_DBLCLK"}, g_journal);
}

TEST_F(ReflectionTest, NotificationsTheChildDoesNotMapGoToTheParent) {
    EXPECT_EQ(3, m_parent.m_child.Notify(NM_RCLICK));
    EXPECT_EQ(std::vector<std::string>{"parent:NM_RCLICK"}, g_journal);
}

TEST_F(ReflectionTest, ControlCommandsAreReflectedFirst) {
    EXPECT_EQ(1, m_parent.m_child.Command(kCodeControl));
    m_parent.m_child.m_bConsumeControl = TRUE;
    EXPECT_EQ(1, m_parent.m_child.Command(kCodeControl));
    EXPECT_EQ((std::vector<std::string>{"child:control", "parent:control", "child:control"}), g_journal);
}

TEST_F(ReflectionTest, APlainParentReflectsNothing) {
    HWND plainParent = CreatePlainWindow();
    m_parent.m_child.SetParent(CWnd::FromHandle(plainParent));
    g_journal.clear();
    EXPECT_EQ(0, m_parent.m_child.Notify(NM_CLICK));
    EXPECT_EQ(std::vector<std::string>{"plain:WM_NOTIFY"}, g_journal);
}

TEST_F(ReflectionTest, APlainChildIsNotReflectedTo) {
    HWND plainChild = CreatePlainWindow(m_parent.m_hWnd, kChildId + 1);
    g_journal.clear();
    NMHDR nmhdr{plainChild, static_cast<UINT_PTR>(kChildId), NM_CLICK};
    m_parent.SendMessage(WM_NOTIFY, kChildId, reinterpret_cast<LPARAM>(&nmhdr));
    EXPECT_EQ(std::vector<std::string>{"parent:NM_CLICK"}, g_journal);
}

TEST_F(ReflectionTest, DataExchangeLocksOutNotifications) {
    CNotifiedParent dialog;
    ASSERT_TRUE(dialog.CreateEx(0, nullptr, "dialog", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    HWND hWndControl = CreatePlainWindow(dialog.m_hWnd, kChildId);
    dialog.m_bExchangeNotifies = true;
    g_journal.clear();
    EXPECT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_TRUE(g_journal.empty());
    EXPECT_EQ(&dialog.m_child, CWnd::FromHandlePermanent(hWndControl));

    // Outside the exchange the notification arrives, and a second exchange keeps the same control.
    EXPECT_EQ(3, dialog.m_child.Notify(NM_RCLICK));
    dialog.m_bExchangeNotifies = false;
    EXPECT_TRUE(dialog.UpdateData());
    EXPECT_EQ(std::vector<std::string>{"parent:NM_RCLICK"}, g_journal);

    // A control that is not there fails the exchange.
    CNotifiedParent empty;
    ASSERT_TRUE(empty.CreateEx(0, nullptr, "empty", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    EXPECT_FALSE(empty.UpdateData());
}

} // namespace
