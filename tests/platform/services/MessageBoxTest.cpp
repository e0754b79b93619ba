// Message boxes: what is recorded, which button the default is, and how answers are taken.
#include "TestWindow.h"

#include <emu/Emu.h>

#include <windows.h>

#include <gtest/gtest.h>

namespace {

class MessageBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        emu::Reset();
        SetLastError(0);
    }
};

TEST_F(MessageBoxes, EveryBoxIsRecordedWithErrorAsTheCaptionForNull) {
    HWND owner = services_test::CreateTestWindow();
    EXPECT_EQ(MessageBoxA(owner, "Cannot initialise OLE.", nullptr, MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, nullptr, "Title", MB_YESNO), IDYES);
    ASSERT_EQ(emu::MessageBoxesShown().size(), 2u);
    const emu::MessageBoxShown& first = emu::MessageBoxesShown()[0];
    EXPECT_EQ(first.owner, owner);
    EXPECT_EQ(first.text, "Cannot initialise OLE.");
    EXPECT_EQ(first.caption, "Error");
    EXPECT_EQ(first.type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(first.answer, IDOK);
    EXPECT_EQ(emu::MessageBoxesShown()[1].text, "");
    EXPECT_EQ(emu::MessageBoxesShown()[1].caption, "Title");

    emu::Reset();
    EXPECT_TRUE(emu::MessageBoxesShown().empty());
}

TEST_F(MessageBoxes, WithoutAResponderTheDefaultButtonOfTheButtonSetIsPressed) {
    struct Case {
        UINT type;
        int pressed;
    };
    const Case cases[] = {
        {MB_OK, IDOK},
        {MB_OK | MB_DEFBUTTON2, IDOK}, // no second button: the first is the default
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
        {MB_YESNOCANCEL, IDYES},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION, IDNO},
        {MB_RETRYCANCEL, IDRETRY},
        {MB_CANCELTRYCONTINUE | MB_DEFBUTTON3, IDCONTINUE},
        {MB_CANCELTRYCONTINUE | MB_DEFBUTTON4, IDCANCEL},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageBoxA(nullptr, "?", "Question", c.type), c.pressed) << std::hex << c.type;
}

TEST_F(MessageBoxes, TheResponderChoosesAmongTheButtonsOfTheBox) {
    int answer = 0;
    emu::MessageBoxShown seen{};
    emu::SetMessageBoxResponder([&](const emu::MessageBoxShown& box) {
        seen = box;
        return answer;
    });
    answer = IDNO;
    EXPECT_EQ(MessageBoxA(nullptr, "Save?", "App", MB_YESNOCANCEL | MB_DEFBUTTON3), IDNO);
    EXPECT_EQ(seen.text, "Save?");
    EXPECT_EQ(seen.answer, IDCANCEL) << "the responder sees the default button";
    EXPECT_EQ(emu::MessageBoxesShown().back().answer, IDNO);

    answer = IDCANCEL;
    EXPECT_EQ(MessageBoxA(nullptr, "Done", "App", MB_OK), IDOK) << "Escape on an OK box";
    EXPECT_EQ(MessageBoxA(nullptr, "Sure?", "App", MB_YESNO | MB_DEFBUTTON2), IDNO) << "no Cancel button";
    answer = IDRETRY;
    EXPECT_EQ(MessageBoxA(nullptr, "Sure?", "App", MB_YESNO), IDYES);
}

TEST_F(MessageBoxes, InvalidOwnerOrStyleShowsNothing) {
    HWND gone = services_test::CreateTestWindow();
    DestroyWindow(gone);
    EXPECT_EQ(MessageBoxA(gone, "text", "caption", MB_OK), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", 7), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MSGBOX_STYLE));
    EXPECT_TRUE(emu::MessageBoxesShown().empty());
}

} // namespace
