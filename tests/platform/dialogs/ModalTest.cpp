// Modal dialogs: DialogBoxIndirectParamA's loop disables the owner, shows the dialog, tells the owner of idle
// moments, and ends with EndDialog's result; when the queued input runs out it ends as the user's cancel.
#include "DialogTest.h"

namespace {

std::vector<BYTE> Question() {
    return TemplateBuilder(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 20, 20, 150, 50)
        .Title("Question")
        .Control(kEdit, "", 10, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 7, 7, 100, 12)
        .Control(kButton, "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 30, 28, 50, 14)
        .Control(kButton, "Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP, 90, 28, 50, 14)
        .Build();
}

struct ModalState {
    HWND owner = nullptr;
    HWND dialog = nullptr;
    bool ownerEnabledInside = true;
    bool visibleAtCommand = false;
    int idleMessages = 0;
};
ModalState g_modal;

// The user types into the dialog once it is up and waiting: at the first idle moment the owner hears of.
bool g_typeWhenIdle = false;

LRESULT CALLBACK IdleOwnerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ENTERIDLE && wp == MSGF_DIALOGBOX && ++g_modal.idleMessages == 1 && g_typeWhenIdle) {
        emu::TypeText("42");
        emu::PressKey(VK_RETURN);
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

INT_PTR EndWithCommand(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_INITDIALOG)
        g_modal.dialog = dlg;
    if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
        g_modal.ownerEnabledInside = g_modal.owner && IsWindowEnabled(g_modal.owner);
        g_modal.visibleAtCommand = IsWindowVisible(dlg) != FALSE;
        BOOL ok = FALSE;
        UINT value = GetDlgItemInt(dlg, 10, &ok, FALSE);
        EndDialog(dlg, LOWORD(wp) == IDOK && ok ? static_cast<INT_PTR>(value) : -LOWORD(wp));
        return TRUE;
    }
    return FALSE;
}

class DialogModal : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        g_modal = ModalState{};
        g_typeWhenIdle = false;
        g_modal.owner = CreateOwner(IdleOwnerProc, "DialogIdleOwner");
        Pump();
    }
};

TEST_F(DialogModal, EndDialogEndsTheLoopWithItsResultAndTheOwnerIsEnabledAgain) {
    g_script.answer = EndWithCommand;
    g_typeWhenIdle = true;
    std::vector<BYTE> bytes = Question();
    INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), g_modal.owner,
                                             ScriptedDialogProc, 0);
    EXPECT_EQ(42, result);
    EXPECT_FALSE(g_modal.ownerEnabledInside);
    EXPECT_TRUE(g_modal.visibleAtCommand);
    EXPECT_TRUE(IsWindowEnabled(g_modal.owner));
    EXPECT_GT(g_modal.idleMessages, 0);
    EXPECT_FALSE(IsWindow(g_modal.dialog));
    EXPECT_EQ((std::vector<int>{IDOK}), Clicks());
}

TEST_F(DialogModal, RunningOutOfInputEndsTheDialogAsTheUsersCancel) {
    g_script.answer = [](HWND dlg, UINT msg, WPARAM wp, LPARAM) -> INT_PTR {
        if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
            g_modal.visibleAtCommand = IsWindowVisible(dlg) != FALSE;
            EndDialog(dlg, 77);
            return TRUE;
        }
        return FALSE;
    };
    std::vector<BYTE> bytes = Question();
    INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), g_modal.owner,
                                             ScriptedDialogProc, 0);
    EXPECT_EQ(77, result);
    EXPECT_TRUE(g_modal.visibleAtCommand);
    EXPECT_EQ((std::vector<int>{IDCANCEL}), Clicks());
    EXPECT_TRUE(IsWindowEnabled(g_modal.owner));
}

TEST_F(DialogModal, ADialogThatIgnoresTheCancelStillEndsWithIdcancel) {
    std::vector<BYTE> bytes = Question();
    INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), g_modal.owner,
                                             ScriptedDialogProc, 0);
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(DialogModal, TheDialogIsShownOnlyOnceItsQueueRunsEmpty) {
    static bool s_visibleAtPosted = true;
    g_script.answer = [](HWND dlg, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG)
            PostMessageA(dlg, WM_APP, 0, 0);
        if (msg == WM_APP) {
            s_visibleAtPosted = IsWindowVisible(dlg) != FALSE;
            EndDialog(dlg, 5);
        }
        return FALSE;
    };
    std::vector<BYTE> bytes = Question();
    EXPECT_EQ(5, DialogBoxIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), g_modal.owner,
                                         ScriptedDialogProc, 0));
    EXPECT_FALSE(s_visibleAtPosted);
}

TEST_F(DialogModal, ATimerMessageBeforeTheDialogIsShownShowsItOnceHandled) {
    static bool s_visibleAtTimer = true, s_visibleAtPosted = false;
    g_script.answer = [](HWND dlg, UINT msg, WPARAM wp, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG) {
            SetTimer(dlg, 1, 100, nullptr);
            Sleep(200);
        }
        if (msg == WM_TIMER && wp == 1) {
            KillTimer(dlg, 1);
            s_visibleAtTimer = IsWindowVisible(dlg) != FALSE;
            PostMessageA(dlg, WM_APP, 0, 0);
        }
        if (msg == WM_APP) {
            s_visibleAtPosted = IsWindowVisible(dlg) != FALSE;
            EndDialog(dlg, 9);
        }
        return FALSE;
    };
    std::vector<BYTE> bytes = Question();
    EXPECT_EQ(9, DialogBoxIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), g_modal.owner,
                                         ScriptedDialogProc, 0));
    // The posted message waited, yet the dialog was shown before it.
    EXPECT_FALSE(s_visibleAtTimer);
    EXPECT_TRUE(s_visibleAtPosted);
}

TEST_F(DialogModal, AQuitMessageEndsTheLoopAndStaysInTheQueue) {
    g_script.answer = [](HWND, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG)
            PostQuitMessage(3);
        return FALSE;
    };
    std::vector<BYTE> bytes = Question();
    DialogBoxIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), g_modal.owner, ScriptedDialogProc,
                            0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

} // namespace
