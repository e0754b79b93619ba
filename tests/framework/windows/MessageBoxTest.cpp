// The framework's message box: owner, caption and answer.
#include "WindowsTest.h"

namespace {

using MessageBoxTest = WindowsTest;

TEST_F(MessageBoxTest, OwnedByTheMainWindowAndTitledWithTheApplicationName) {
    CWinApp app("Box Test");
    CWnd mainWnd;
    ASSERT_TRUE(
        mainWnd.CreateEx(0, nullptr, "main", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
    app.m_pMainWnd = &mainWnd;
    emu::SetMessageBoxResponder([](const emu::MessageBoxShown&) { return IDNO; });

    EXPECT_EQ(IDNO, AfxMessageBox("Sure?", MB_YESNO | MB_ICONQUESTION, 17));
    ASSERT_EQ(1u, emu::MessageBoxesShown().size());
    const emu::MessageBoxShown& box = emu::MessageBoxesShown()[0];
    EXPECT_EQ(mainWnd.m_hWnd, box.owner);
    EXPECT_EQ("Sure?", box.text);
    EXPECT_EQ("Box Test", box.caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), box.type);
    // Destroying the main window would end the application (a WM_QUIT) for the tests after this one.
    app.m_pMainWnd = nullptr;
}

TEST_F(MessageBoxTest, WithoutAMainWindowTheActiveWindowOwnsIt) {
    CWinApp app;
    HWND active = CreatePlainWindow();
    HWND child = CreatePlainWindow(active);
    SetActiveWindow(active);
    SetFocus(child);

    EXPECT_EQ(IDOK, AfxMessageBox("Error"));
    ASSERT_EQ(1u, emu::MessageBoxesShown().size());
    EXPECT_EQ(active, emu::MessageBoxesShown()[0].owner);
    EXPECT_EQ(static_cast<UINT>(MB_OK), emu::MessageBoxesShown()[0].type);
    // Unnamed, the application is named after the executable.
    EXPECT_EQ("framework_windows_tests", emu::MessageBoxesShown()[0].caption);
}

} // namespace
