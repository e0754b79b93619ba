// TrackPopupMenu: the messages the owner receives around a modal popup menu, the command posted after it
// returns, and the user's answers from the menu responder.
#include "TestWindow.h"

#include <MessageLog.h>
#include <emu/Emu.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using services_test::CreateTestWindow;
using services_test::OnMessage;

class PopupMenus : public ::testing::Test {
protected:
    void SetUp() override {
        emu::Reset();
        OnMessage() = nullptr;
        owner = CreateTestWindow();
        ASSERT_NE(owner, nullptr);
        bar = LoadMenuIndirectA(emu::MenuTemplate()
                                    .Popup("Context")
                                    .Item("Open", 101)
                                    .Item("Rename", 102, MF_GRAYED)
                                    .Separator()
                                    .Popup("Sort")
                                    .Item("By name", 111, MF_CHECKED)
                                    .Item("By date", 112)
                                    .End()
                                    .End()
                                    .Build()
                                    .data());
        context = GetSubMenu(bar, 0);
        sort = GetSubMenu(context, 3);
        ASSERT_NE(sort, nullptr);
        log.Attach(owner, "owner");
    }
    void TearDown() override { OnMessage() = nullptr; }

    // The menu messages and commands the owner received, with handles by name.
    std::vector<std::string> Received() const {
        static const std::map<UINT, const char*> names = {{WM_ENTERMENULOOP, "WM_ENTERMENULOOP"},
                                                          {WM_EXITMENULOOP, "WM_EXITMENULOOP"},
                                                          {WM_INITMENU, "WM_INITMENU"},
                                                          {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"},
                                                          {WM_MENUSELECT, "WM_MENUSELECT"},
                                                          {WM_UNINITMENUPOPUP, "WM_UNINITMENUPOPUP"},
                                                          {WM_COMMAND, "WM_COMMAND"},
                                                          {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"}};
        auto value = [&](uintptr_t v) -> std::string {
            if (v == reinterpret_cast<uintptr_t>(context))
                return "context";
            if (v == reinterpret_cast<uintptr_t>(sort))
                return "sort";
            char text[32];
            std::snprintf(text, sizeof text, "%#zx", static_cast<size_t>(v));
            return text;
        };
        std::vector<std::string> out;
        for (const LoggedMessage& m : log.All()) {
            auto name = names.find(m.message);
            if (name != names.end())
                out.push_back(std::string(name->second) + " " + value(m.wParam) + " " +
                              value(static_cast<uintptr_t>(m.lParam)));
        }
        return out;
    }

    HWND owner = nullptr;
    HMENU bar = nullptr, context = nullptr, sort = nullptr;
    MessageLog log;
};

TEST_F(PopupMenus, PickInASubmenuSendsTheMenuMessagesAndPostsTheCommandAfterReturning) {
    emu::SetMenuResponder([](const emu::PopupMenuShown&) { return 112u; });
    ASSERT_TRUE(TrackPopupMenu(context, TPM_LEFTALIGN | TPM_RIGHTBUTTON, 40, 50, 0, owner, nullptr));
    EXPECT_EQ(Received(),
              (std::vector<std::string>{
                  "WM_ENTERMENULOOP 0x1 0",     // TRUE: entered by TrackPopupMenu
                  "WM_INITMENU context 0",      // the menu as a whole
                  "WM_INITMENUPOPUP context 0", // position 0, not the window menu
                  // The pointer rests on Sort (position 3; MF_MOUSESELECT | MF_HILITE | MF_POPUP) ...
                  "WM_MENUSELECT 0x80900003 context",
                  "WM_INITMENUPOPUP sort 0x3",
                  // ... then on By date (112)
                  "WM_MENUSELECT 0x80800070 sort",
                  "WM_UNINITMENUPOPUP sort 0",
                  "WM_UNINITMENUPOPUP context 0",
                  "WM_MENUSELECT 0xffff0000 0", // the menu has closed
                  "WM_EXITMENULOOP 0x1 0",
              }))
        << "the command is posted, so it has not arrived yet";

    log.Clear();
    emu::PumpMessages();
    EXPECT_EQ(Received(), (std::vector<std::string>{"WM_COMMAND 0x70 0"}));
}

TEST_F(PopupMenus, DismissingSendsOnlyOpeningAndClosingAndNoCommand) {
    ASSERT_TRUE(TrackPopupMenu(context, 0, 0, 0, 0, owner, nullptr)) << "without a responder: dismissed";
    emu::PumpMessages();
    EXPECT_EQ(Received(),
              (std::vector<std::string>{"WM_ENTERMENULOOP 0x1 0", "WM_INITMENU context 0",
                                        "WM_INITMENUPOPUP context 0", "WM_UNINITMENUPOPUP context 0",
                                        "WM_MENUSELECT 0xffff0000 0", "WM_EXITMENULOOP 0x1 0"}));
}

TEST_F(PopupMenus, ReturnCmdReturnsThePickInsteadOfPostingIt) {
    emu::SetMenuResponder([](const emu::PopupMenuShown&) { return 101u; });
    EXPECT_EQ(TrackPopupMenu(context, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 101);
    emu::SetMenuResponder(nullptr);
    EXPECT_EQ(TrackPopupMenu(context, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0) << "dismissed";
    log.Clear();
    emu::PumpMessages();
    EXPECT_EQ(Received(), std::vector<std::string>{});
}

TEST_F(PopupMenus, NoNotifyLeavesOutTheMenuMessagesAndTheCommand) {
    emu::SetMenuResponder([](const emu::PopupMenuShown&) { return 112u; });
    EXPECT_TRUE(TrackPopupMenu(context, TPM_NONOTIFY, 0, 0, 0, owner, nullptr));
    EXPECT_EQ(TrackPopupMenu(context, TPM_NONOTIFY | TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 112);
    emu::PumpMessages();
    EXPECT_EQ(Received(), (std::vector<std::string>{"WM_ENTERMENULOOP 0x1 0", "WM_EXITMENULOOP 0x1 0",
                                                    "WM_ENTERMENULOOP 0x1 0", "WM_EXITMENULOOP 0x1 0"}));
}

TEST_F(PopupMenus, CommandsTheUserCannotPickDismissTheMenu) {
    UINT answer = 0;
    emu::SetMenuResponder([&](const emu::PopupMenuShown&) { return answer; });
    // Grayed, absent, and the ID Windows keeps for the Sort popup item.
    for (UINT unpickable : {102u, 999u, static_cast<UINT>(reinterpret_cast<uintptr_t>(sort))}) {
        answer = unpickable;
        EXPECT_EQ(TrackPopupMenu(context, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0) << unpickable;
    }
    EnableMenuItem(context, 111, MF_BYCOMMAND | MF_DISABLED);
    answer = 111;
    EXPECT_EQ(TrackPopupMenu(context, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0) << "disabled";

    // Items grayed by the owner while the menu opens count as grayed.
    OnMessage() = [&](HWND, UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_INITMENUPOPUP)
            EnableMenuItem(reinterpret_cast<HMENU>(wParam), 101, MF_BYCOMMAND | MF_GRAYED);
    };
    answer = 101;
    EXPECT_EQ(TrackPopupMenu(context, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0);
    log.Clear();
    emu::PumpMessages();
    EXPECT_EQ(Received(), std::vector<std::string>{});
}

TEST_F(PopupMenus, EveryPopupShownIsRecordedForTheResponder) {
    std::vector<emu::PopupMenuShown> seen;
    emu::SetMenuResponder([&](const emu::PopupMenuShown& shown) {
        seen.push_back(shown);
        return 0u;
    });
    TrackPopupMenu(context, TPM_RIGHTBUTTON, 120, 80, 0, owner, nullptr);
    TrackPopupMenuEx(sort, TPM_RETURNCMD, 5, 6, owner, nullptr);
    ASSERT_EQ(emu::PopupMenusShown().size(), 2u);
    const emu::PopupMenuShown& first = emu::PopupMenusShown()[0];
    EXPECT_EQ(first.menu, context);
    EXPECT_EQ(first.owner, owner);
    EXPECT_EQ(first.screen.x, 120);
    EXPECT_EQ(first.screen.y, 80);
    EXPECT_EQ(first.flags, static_cast<UINT>(TPM_RIGHTBUTTON));
    EXPECT_EQ(emu::PopupMenusShown()[1].menu, sort);
    EXPECT_EQ(seen.size(), 2u);

    emu::Reset();
    EXPECT_TRUE(emu::PopupMenusShown().empty());
}

TEST_F(PopupMenus, InvalidMenuOrOwnerFailsWithoutShowingAnything) {
    emu::SetMenuResponder([](const emu::PopupMenuShown&) { return 101u; });
    HMENU gone = CreatePopupMenu();
    DestroyMenu(gone);
    SetLastError(0);
    EXPECT_FALSE(TrackPopupMenu(gone, 0, 0, 0, 0, owner, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    EXPECT_FALSE(TrackPopupMenu(context, 0, 0, 0, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    HWND destroyed = CreateTestWindow();
    DestroyWindow(destroyed);
    EXPECT_FALSE(TrackPopupMenuEx(context, TPM_RETURNCMD, 0, 0, destroyed, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_TRUE(emu::PopupMenusShown().empty());
    EXPECT_EQ(Received(), std::vector<std::string>{});
}

TEST_F(PopupMenus, OnlyOneMenuAtATimeAndEndMenuDismissesTheOpenOne) {
    BOOL nested = TRUE;
    DWORD nestedError = 0;
    emu::SetMenuResponder([&](const emu::PopupMenuShown&) {
        nested = TrackPopupMenu(sort, 0, 0, 0, 0, owner, nullptr);
        nestedError = GetLastError();
        return 101u;
    });
    EXPECT_EQ(TrackPopupMenu(context, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 101);
    EXPECT_FALSE(nested);
    EXPECT_EQ(nestedError, static_cast<DWORD>(ERROR_POPUP_ALREADY_ACTIVE));

    OnMessage() = [](HWND, UINT message, WPARAM, LPARAM) {
        if (message == WM_INITMENUPOPUP)
            EndMenu();
    };
    log.Clear();
    EXPECT_EQ(TrackPopupMenu(context, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0);
    EXPECT_EQ(emu::PopupMenusShown().size(), 1u) << "ended before it was shown";
    EXPECT_EQ(Received().back(), "WM_EXITMENULOOP 0x1 0");
}

TEST_F(PopupMenus, TheMenuTakesTheMouseCapture) {
    SetCapture(owner);
    TrackPopupMenu(context, 0, 0, 0, 0, owner, nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    std::vector<std::string> received = Received();
    ASSERT_GE(received.size(), 2u);
    EXPECT_EQ(received[0].substr(0, 17), "WM_CAPTURECHANGED");
    EXPECT_EQ(received[1], "WM_ENTERMENULOOP 0x1 0");
}

// A menu opened on a button press takes that button's release while it is open; the input after the release
// reaches the windows again.
TEST_F(PopupMenus, AMenuOpenedByAPressTakesThatButtonsRelease) {
    std::vector<std::string> mouse;
    OnMessage() = [&](HWND, UINT message, WPARAM, LPARAM) {
        static const std::map<UINT, const char*> names = {{WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
                                                          {WM_RBUTTONUP, "WM_RBUTTONUP"},
                                                          {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
                                                          {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
                                                          {WM_LBUTTONUP, "WM_LBUTTONUP"}};
        auto name = names.find(message);
        if (name == names.end())
            return;
        mouse.push_back(name->second);
        if (message == WM_RBUTTONDOWN)
            TrackPopupMenu(context, TPM_RIGHTBUTTON, 60, 70, 0, owner, nullptr);
    };
    emu::SetMenuResponder([](const emu::PopupMenuShown&) { return 0u; });
    emu::Click(60, 70, emu::Button::Right);
    emu::Click(61, 70);
    emu::PumpMessages();
    EXPECT_EQ(mouse, (std::vector<std::string>{"WM_RBUTTONDOWN", "WM_LBUTTONDOWN", "WM_LBUTTONUP"}));
    EXPECT_EQ(emu::PopupMenusShown().size(), 1u);
}

} // namespace
