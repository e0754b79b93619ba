// The message-map entries that code written for the framework uses in dialogs: control notifications by
// name, and window messages whose handlers get their arguments cracked, each with its documented signature.
#include "DialogTest.h"

#include <algorithm>

namespace {

constexpr UINT kIdPush = 10;
constexpr UINT kIdNotifying = 11;
constexpr UINT kIdEdit = 12;
constexpr UINT kIdmAbout = 0x0010;

const UINT g_msgPing = ::RegisterWindowMessageA("TalControl.DialogTests.Ping");

class CHostWnd : public CWnd {
public:
    BOOL Create() {
        if (!CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
                      "Host", WS_POPUP | WS_VISIBLE, 50, 50, 300, 200, NULL, NULL))
            return FALSE;
        return m_push.Create("Push", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 40), this,
                             kIdPush) &&
               m_notifying.Create("Notify", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_NOTIFY,
                                  CRect(100, 10, 180, 40), this, kIdNotifying) &&
               m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 60, 190, 84), this,
                             kIdEdit);
    }
    // The centre of a child, in screen coordinates.
    static CPoint Centre(const CWnd& child) {
        CRect rect;
        child.GetWindowRect(&rect);
        return rect.CenterPoint();
    }

    CButton m_push;
    CButton m_notifying;
    CEdit m_edit;
    HCURSOR m_hDragCursor = nullptr;
    // The edit asks for its colours whenever it paints; noted only when a test looks at them.
    bool m_bNoteCtlColor = false;

protected:
    afx_msg void OnPushClicked() { Note("BN_CLICKED push"); }
    afx_msg void OnNotifyingDoubleClicked() { Note("BN_DOUBLECLICKED notify"); }
    afx_msg void OnEditChange() { Note("EN_CHANGE"); }
    afx_msg void OnEditUpdate() { Note("EN_UPDATE"); }
    afx_msg void OnEditSetFocus() { Note("EN_SETFOCUS"); }
    afx_msg void OnEditKillFocus() { Note("EN_KILLFOCUS"); }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) {
        if ((nID & 0xFFF0) == kIdmAbout) {
            Note("about " + std::to_string(lParam));
            return;
        }
        CWnd::OnSysCommand(nID, lParam);
    }
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        Note(dc.m_ps.rcPaint.right > dc.m_ps.rcPaint.left ? "paint" : "paint nothing");
        dc.FillSolidRect(&dc.m_ps.rcPaint, RGB(0, 128, 0));
    }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC) {
        Note(pDC != nullptr && pDC->GetSafeHdc() != nullptr ? "erase" : "erase without a DC");
        return TRUE;
    }
    afx_msg HCURSOR OnQueryDragIcon() { return m_hDragCursor; }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus) {
        Note(std::string("show ") + (bShow ? "TRUE " : "FALSE ") + std::to_string(nStatus));
    }
    afx_msg void OnSize(UINT nType, int cx, int cy) {
        Note("size " + std::to_string(nType) + " " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    afx_msg void OnDestroy() {
        Note("destroy");
        CWnd::OnDestroy();
    }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
        if (m_bNoteCtlColor && pWnd == &m_edit && nCtlColor == CTLCOLOR_EDIT && pDC != nullptr)
            Note("ctlcolor edit");
        return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam) + lParam; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHostWnd, CWnd)
ON_BN_CLICKED(kIdPush, &CHostWnd::OnPushClicked)
ON_BN_DOUBLECLICKED(kIdNotifying, &CHostWnd::OnNotifyingDoubleClicked)
ON_EN_CHANGE(kIdEdit, &CHostWnd::OnEditChange)
ON_EN_UPDATE(kIdEdit, &CHostWnd::OnEditUpdate)
ON_EN_SETFOCUS(kIdEdit, &CHostWnd::OnEditSetFocus)
ON_EN_KILLFOCUS(kIdEdit, &CHostWnd::OnEditKillFocus)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_QUERYDRAGICON()
ON_WM_SHOWWINDOW()
ON_WM_SIZE()
ON_WM_DESTROY()
ON_WM_CTLCOLOR()
ON_REGISTERED_MESSAGE(g_msgPing, &CHostWnd::OnPing)
END_MESSAGE_MAP()

bool Noted(const std::string& entry) {
    return std::find(g_journal.begin(), g_journal.end(), entry) != g_journal.end();
}

class MessageMapMacrosTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        ASSERT_TRUE(m_host.Create());
        emu::PumpMessages(&AfxPumpMessage);
        g_journal.clear();
    }
    void TearDown() override {
        m_host.DestroyWindow();
        DialogTest::TearDown();
    }
    CHostWnd m_host;
};

TEST_F(MessageMapMacrosTest, ButtonNotificationsReachTheirHandlersByControlId) {
    CPoint push = CHostWnd::Centre(m_host.m_push);
    emu::Click(push.x, push.y);
    emu::PumpMessages(&AfxPumpMessage);
    EXPECT_EQ((std::vector<std::string>{"BN_CLICKED push"}), g_journal);

    g_journal.clear();
    CPoint notifying = CHostWnd::Centre(m_host.m_notifying);
    emu::DoubleClick(notifying.x, notifying.y);
    emu::PumpMessages(&AfxPumpMessage);
    EXPECT_EQ((std::vector<std::string>{"BN_DOUBLECLICKED notify"}), g_journal);
}

TEST_F(MessageMapMacrosTest, EditNotificationsFollowFocusAndTyping) {
    CPoint edit = CHostWnd::Centre(m_host.m_edit);
    emu::Click(edit.x, edit.y);
    emu::TypeText("ab");
    CPoint push = CHostWnd::Centre(m_host.m_push);
    emu::Click(push.x, push.y);
    emu::PumpMessages(&AfxPumpMessage);
    EXPECT_EQ((std::vector<std::string>{"EN_SETFOCUS", "EN_UPDATE", "EN_CHANGE", "EN_UPDATE", "EN_CHANGE",
                                        "EN_KILLFOCUS", "BN_CLICKED push"}),
              g_journal);
}

TEST_F(MessageMapMacrosTest, WindowMessageHandlersGetTheirArgumentsCracked) {
    m_host.SendMessage(WM_SYSCOMMAND, kIdmAbout, 1234);
    m_host.Invalidate(TRUE);
    m_host.UpdateWindow();
    m_host.MoveWindow(50, 50, 320, 240, FALSE);
    CRect client;
    m_host.GetClientRect(&client);
    m_host.ShowWindow(SW_HIDE);
    EXPECT_EQ((std::vector<std::string>{"about 1234", "erase", "paint",
                                        "size 0 " + std::to_string(client.Width()) + "x" +
                                            std::to_string(client.Height()),
                                        "show FALSE 0"}),
              g_journal);

    // A dialog answers with its icon, as the wizard's code does.
    m_host.m_hDragCursor = ::LoadIconA(nullptr, IDI_APPLICATION);
    ASSERT_NE(nullptr, m_host.m_hDragCursor);
    EXPECT_EQ(reinterpret_cast<LRESULT>(m_host.m_hDragCursor), m_host.SendMessage(WM_QUERYDRAGICON));
    EXPECT_EQ(11, m_host.SendMessage(g_msgPing, 5, 6));

    g_journal.clear();
    m_host.DestroyWindow();
    EXPECT_EQ((std::vector<std::string>{"destroy"}), g_journal);
}

TEST_F(MessageMapMacrosTest, AnEditAboutToBePaintedAsksItsParentForColours) {
    m_host.m_bNoteCtlColor = true;
    m_host.m_edit.Invalidate();
    emu::PumpMessages(&AfxPumpMessage);
    EXPECT_TRUE(Noted("ctlcolor edit"));
}

} // namespace
