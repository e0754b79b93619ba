// Dialogs from a module's resources: the template found by name, the failures of a missing one and of an
// owner that is gone, and of a template cut short, which fails as the platform documents failures
// (CreateDialogParamA NULL, DialogBoxParamA -1) instead of being read past, since the resource gives its
// size.
#include "DialogTest.h"

#include <emu/Resources.h>

namespace {

const std::vector<BYTE> g_whole = TemplateBuilder(WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 100, 40)
                                      .Title("Whole")
                                      .Control(kButton, "OK", IDOK, WS_VISIBLE | WS_TABSTOP, 5, 5, 40, 14)
                                      .Build();
// The same template without its last bytes: the control's title runs past the end.
const std::vector<BYTE> g_cut(g_whole.begin(), g_whole.end() - 8);

EMU_RESOURCE(RT_DIALOG, MAKEINTRESOURCEA(300), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), g_whole.data(),
             g_whole.size());
EMU_RESOURCE(RT_DIALOG, MAKEINTRESOURCEA(301), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), g_cut.data(),
             g_cut.size());

using DialogResources = DialogTest;

TEST_F(DialogResources, ATemplateResourceMakesTheDialogAndAMissingOneFails) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    HWND dlg = CreateDialogParamA(module, MAKEINTRESOURCEA(300), nullptr, ScriptedDialogProc, 0);
    ASSERT_NE(nullptr, dlg);
    EXPECT_NE(nullptr, GetDlgItem(dlg, IDOK));
    char title[16] = {};
    GetWindowTextA(dlg, title, sizeof title);
    EXPECT_STREQ("Whole", title);
    DestroyWindow(dlg);
    SetLastError(0);
    EXPECT_EQ(-1, DialogBoxParamA(module, MAKEINTRESOURCEA(302), nullptr, ScriptedDialogProc, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND), GetLastError());
    // An owner that is gone fails before the template is used.
    HWND gone = CreateOwner();
    DestroyWindow(gone);
    g_script.calls.clear();
    SetLastError(0);
    EXPECT_EQ(0, DialogBoxParamA(module, MAKEINTRESOURCEA(300), gone, ScriptedDialogProc, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
    EXPECT_TRUE(g_script.calls.empty());
}

TEST_F(DialogResources, ATemplateCutShortFails) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    EXPECT_EQ(nullptr, CreateDialogParamA(module, MAKEINTRESOURCEA(301), nullptr, ScriptedDialogProc, 0));
    EXPECT_EQ(-1, DialogBoxParamA(module, MAKEINTRESOURCEA(301), nullptr, ScriptedDialogProc, 0));
}

} // namespace
