// Menus: templates, resources in two modules, items and their states, handle lifetime.
#include "module/ModuleResources.h"

#include <emu/Emu.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::vector<BYTE> contextMenu = emu::MenuTemplate()
                                          .Popup("Context")
                                          .Item("&Open", 101)
                                          .Item("Rename", 102, MF_GRAYED)
                                          .Separator()
                                          .Popup("Sort")
                                          .Item("By name", 111, MF_CHECKED)
                                          .Item("By date", 112)
                                          .End()
                                          .End()
                                          .Build();
EMU_RESOURCE(RT_MENU, MAKEINTRESOURCEA(200), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), contextMenu.data(),
             contextMenu.size());

std::string String(HMENU menu, UINT item, UINT flags) {
    char text[64] = "<unchanged>";
    int length = GetMenuStringA(menu, item, text, sizeof text, flags);
    return length == 0 ? "" : std::string(text, static_cast<size_t>(length));
}

// The menu as text, one item after another: "[popup: items]", "-" for a separator, "text=id" with
// "(g)" grayed and "(c)" checked.
std::string Describe(HMENU menu) {
    std::string out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (i)
            out += ", ";
        UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (HMENU sub = GetSubMenu(menu, i)) {
            out += "[" + String(menu, static_cast<UINT>(i), MF_BYPOSITION) + ": " + Describe(sub) + "]";
            continue;
        }
        if (state & MF_SEPARATOR) {
            out += "-";
            continue;
        }
        out +=
            String(menu, static_cast<UINT>(i), MF_BYPOSITION) + "=" + std::to_string(GetMenuItemID(menu, i));
        if (state & MF_GRAYED)
            out += "(g)";
        if (state & MF_CHECKED)
            out += "(c)";
    }
    return out;
}

class Menus : public ::testing::Test {
protected:
    void SetUp() override {
        emu::Reset();
        SetLastError(0);
    }
};

TEST_F(Menus, TemplateIsTheStandardBinaryFormat) {
    std::vector<BYTE> bytes =
        emu::MenuTemplate().Popup("P").Item("A", 7, MF_GRAYED).Separator().End().Build();
    const std::vector<BYTE> expected = {
        0,
        0,
        0,
        0, // version 0, no further header
        MF_POPUP | MF_END,
        0,
        'P',
        0,
        0,
        0, // last top-level item: a popup (no ID)
        MF_GRAYED,
        0,
        7,
        0,
        'A',
        0,
        0,
        0, // item 7
        MF_END,
        0,
        0,
        0,
        0,
        0, // separator: no flags, ID 0, empty text; last
    };
    EXPECT_EQ(bytes, expected);
}

TEST_F(Menus, TemplateRoundTripThroughLoadMenuIndirect) {
    HMENU menu = LoadMenuIndirectA(contextMenu.data());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Describe(menu), "[Context: &Open=101, Rename=102(g), -, [Sort: By name=111(c), By date=112]]");
    HMENU context = GetSubMenu(menu, 0);
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(-1)) << "a popup has no command ID";
    EXPECT_EQ(GetMenuItemID(context, 2), 0u) << "a separator's ID";
    EXPECT_EQ(GetMenuItemID(context, 4), static_cast<UINT>(-1)) << "beyond the end";
    EXPECT_EQ(GetSubMenu(context, 0), nullptr) << "a command, not a popup";
    EXPECT_EQ(GetSubMenu(context, 9), nullptr);
}

TEST_F(Menus, LoadMenuTakesTheMenuOfTheGivenModule) {
    HMENU own = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(200));
    HMENU library = LoadMenuA(ServicesTestModule(), MAKEINTRESOURCEA(200));
    EXPECT_EQ(Describe(own).substr(0, 9), "[Context:");
    EXPECT_EQ(Describe(library), "[Module: From module=501]");
    EXPECT_EQ(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(299)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST_F(Menus, TruncatedOrForeignTemplatesAreRefused) {
    static const char anchor = 0;
    for (size_t cut = 1; cut < contextMenu.size(); cut += 3) {
        std::vector<BYTE> truncated(contextMenu.begin(), contextMenu.end() - static_cast<long>(cut));
        emu::AddResource(&anchor, RT_MENU, "TRUNCATED", 0, truncated.data(), truncated.size());
        SetLastError(0);
        EXPECT_EQ(LoadMenuA(GetModuleHandleA(nullptr), "Truncated"), nullptr) << cut;
        EXPECT_NE(GetLastError(), 0u);
    }
    const BYTE extended[] = {1, 0, 4, 0, 0, 0, 0, 0};
    EXPECT_EQ(LoadMenuIndirectA(extended), nullptr) << "only the standard format";
}

TEST_F(Menus, ItemsAreFoundByPositionOrByCommandInSubmenus) {
    HMENU menu = LoadMenuIndirectA(contextMenu.data());
    EXPECT_EQ(String(menu, 112, MF_BYCOMMAND), "By date");
    EXPECT_EQ(String(menu, 0, MF_BYPOSITION), "Context");
    EXPECT_EQ(String(menu, 999, MF_BYCOMMAND), "");

    char small[4] = "xyz";
    EXPECT_EQ(GetMenuStringA(menu, 112, small, sizeof small, MF_BYCOMMAND), 3);
    EXPECT_STREQ(small, "By ");
    EXPECT_EQ(GetMenuStringA(menu, 112, nullptr, 0, MF_BYCOMMAND), 7) << "the length without a buffer";

    HMENU context = GetSubMenu(menu, 0);
    EXPECT_EQ(GetMenuState(context, 3, MF_BYPOSITION), (2u << 8) | MF_POPUP) << "item count in the high byte";
    EXPECT_EQ(GetMenuState(menu, 102, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(GetMenuState(menu, 999, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(Menus, EnableAndCheckReturnThePreviousState) {
    HMENU menu = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuA(menu, MF_STRING, 1, "One"));
    ASSERT_TRUE(AppendMenuA(menu, MF_STRING | MF_GRAYED, 2, "Two"));
    EXPECT_EQ(EnableMenuItem(menu, 2, MF_BYCOMMAND | MF_ENABLED), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(EnableMenuItem(menu, 2, MF_BYCOMMAND | MF_DISABLED), static_cast<UINT>(MF_ENABLED));
    EXPECT_EQ(EnableMenuItem(menu, 1, MF_BYPOSITION | MF_GRAYED), static_cast<UINT>(MF_DISABLED));
    EXPECT_EQ(EnableMenuItem(menu, 7, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(CheckMenuItem(menu, 1, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 1, MF_BYCOMMAND | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 7, MF_BYCOMMAND), static_cast<DWORD>(-1));
    EXPECT_EQ(Describe(menu), "One=1, Two=2(g)");
}

TEST_F(Menus, DestroyMenuDestroysSubmenusAndStaleHandlesFail) {
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    HMENU nested = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuA(nested, MF_STRING, 5, "Deep"));
    ASSERT_TRUE(AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(nested), "Nested"));
    ASSERT_TRUE(AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "Popup"));
    EXPECT_FALSE(AppendMenuA(nested, MF_POPUP, reinterpret_cast<UINT_PTR>(bar), "Loop"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    ASSERT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(popup));
    EXPECT_FALSE(IsMenu(nested));
    EXPECT_FALSE(DestroyMenu(popup));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));

    EXPECT_EQ(GetMenuItemCount(bar), -1);
    EXPECT_FALSE(AppendMenuA(bar, MF_STRING, 1, "x"));
    EXPECT_EQ(GetSubMenu(bar, 0), nullptr);
    EXPECT_EQ(GetMenuItemID(nested, 0), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuStringA(nested, 5, nullptr, 0, MF_BYCOMMAND), 0);
    EXPECT_EQ(GetMenuState(nested, 5, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(EnableMenuItem(nested, 5, MF_GRAYED), static_cast<UINT>(-1));
    EXPECT_FALSE(AppendMenuA(CreateMenu(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "Gone"));

    HMENU next = CreateMenu();
    EXPECT_NE(next, bar);
    EXPECT_LE(reinterpret_cast<uintptr_t>(next), UINT32_MAX);
    emu::Reset();
    EXPECT_FALSE(IsMenu(next)) << "a reset destroys every menu";
}

} // namespace
