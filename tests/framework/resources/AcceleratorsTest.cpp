// Accelerator tables: made, copied and destroyed; loaded from the script; and translating the keys a user
// presses, in the message loop, into the commands that reach the window, instead of the key messages.
#include "ResourcesTest.h"

#include <cstdio>
#include <vector>

namespace {

const char kKeysClass[] = "TestAcceleratorWindow";

// What the window received, in order.
std::vector<std::string> g_received;
HWND g_hWnd = nullptr;
HACCEL g_hAccel = nullptr;

void Receive(const char* name, WPARAM wParam, LPARAM lParam) {
    char entry[64];
    std::snprintf(entry, sizeof entry, "%s %#x %#x", name, static_cast<unsigned>(wParam),
                  static_cast<unsigned>(lParam));
    g_received.push_back(entry);
}

// Key messages are kept from the default procedure, which would open the window menu on Alt.
LRESULT CALLBACK KeysProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        return Receive("WM_KEYDOWN", wParam, 0), 0;
    case WM_SYSKEYDOWN:
        return Receive("WM_SYSKEYDOWN", wParam, 0), 0;
    case WM_CHAR:
        return Receive("WM_CHAR", wParam, 0), 0;
    case WM_SYSCHAR:
        return Receive("WM_SYSCHAR", wParam, 0), 0;
    case WM_COMMAND:
        return Receive("WM_COMMAND", wParam, lParam), 0;
    case WM_SYSCOMMAND:
        return Receive("WM_SYSCOMMAND", wParam, lParam), 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return 0;
    default:
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

// One turn of an application's message loop: the accelerators first.
BOOL PumpOne() {
    MSG msg;
    if (!GetMessageA(&msg, nullptr, 0, 0))
        return FALSE;
    if (!TranslateAcceleratorA(g_hWnd, g_hAccel, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return TRUE;
}

class AcceleratorsTest : public ResourcesTest {
protected:
    void SetUp() override {
        ResourcesTest::SetUp();
        WNDCLASSA wc{};
        wc.lpfnWndProc = KeysProc;
        wc.hInstance = m_hModule;
        wc.lpszClassName = kKeysClass;
        RegisterClassA(&wc);
        g_hWnd = CreateWindowExA(0, kKeysClass, "Keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 150,
                                 nullptr, nullptr, m_hModule, nullptr);
        ASSERT_NE(nullptr, g_hWnd);
        SetFocus(g_hWnd);
        g_hAccel = LoadAcceleratorsA(m_hModule, MAKEINTRESOURCEA(IDR_KEYS));
        ASSERT_NE(nullptr, g_hAccel);
        emu::PumpMessages();
        g_received.clear();
    }
    void TearDown() override {
        DestroyAcceleratorTable(g_hAccel);
        DestroyWindow(g_hWnd);
        UnregisterClassA(kKeysClass, m_hModule);
        ResourcesTest::TearDown();
    }

    // Presses the key with the modifiers held, and runs the loop.
    static std::vector<std::string> Press(std::initializer_list<UINT> modifiers, UINT vk) {
        g_received.clear();
        for (UINT modifier : modifiers)
            emu::KeyDown(modifier);
        emu::PressKey(vk);
        for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
            emu::KeyUp(*it);
        emu::PumpMessages(PumpOne);
        return g_received;
    }
};

using Received = std::vector<std::string>;

} // namespace

TEST_F(AcceleratorsTest, CharactersAndVirtualKeysBecomeCommandsInsteadOfTheirMessages) {
    // No entry takes 'n' or the key alone.
    EXPECT_EQ((Received{"WM_KEYDOWN 0x4e 0", "WM_CHAR 0x6e 0"}), Press({}, 'N'));
    // "N": the character 'N', typed with Shift.
    EXPECT_EQ((Received{"WM_KEYDOWN 0x10 0", "WM_KEYDOWN 0x4e 0", "WM_COMMAND 0x103e9 0"}),
              Press({VK_SHIFT}, 'N'));
    // The character Ctrl+N gives (0x0E), after its key went through.
    EXPECT_EQ((Received{"WM_KEYDOWN 0x11 0", "WM_KEYDOWN 0x4e 0", "WM_COMMAND 0x103e8 0"}),
              Press({VK_CONTROL}, 'N'));
    // The virtual key N with Ctrl and Shift: the key itself, so no character follows.
    EXPECT_EQ((Received{"WM_KEYDOWN 0x11 0", "WM_KEYDOWN 0x10 0", "WM_COMMAND 0x103eb 0"}),
              Press({VK_CONTROL, VK_SHIFT}, 'N'));
    EXPECT_EQ((Received{"WM_COMMAND 0x103ea 0"}), Press({}, VK_F5));
}

TEST_F(AcceleratorsTest, AltKeysComeAsSystemKeysAndWindowMenuCommandsAsSystemCommands) {
    // Alt+F4 is SC_CLOSE, a command of the window menu; lParam's high word 1 tells an accelerator.
    EXPECT_EQ((Received{"WM_SYSKEYDOWN 0x12 0", "WM_SYSCOMMAND 0xf060 0x10000"}), Press({VK_MENU}, VK_F4));
    // "x" with ALT takes the character that Alt+X gives, WM_SYSCHAR.
    EXPECT_EQ((Received{"WM_SYSKEYDOWN 0x12 0", "WM_SYSKEYDOWN 0x58 0", "WM_COMMAND 0x103ed 0"}),
              Press({VK_MENU}, 'X'));
    // Without Alt, 'x' is no accelerator.
    EXPECT_EQ((Received{"WM_KEYDOWN 0x58 0", "WM_CHAR 0x78 0"}), Press({}, 'X'));
}

TEST_F(AcceleratorsTest, ADestroyedTableTranslatesNothing) {
    ASSERT_TRUE(DestroyAcceleratorTable(g_hAccel));
    EXPECT_EQ((Received{"WM_KEYDOWN 0x74 0"}), Press({}, VK_F5));
    MSG msg{g_hWnd, WM_KEYDOWN, VK_F5, 0, 0, {}};
    EXPECT_EQ(0, TranslateAcceleratorA(g_hWnd, g_hAccel, &msg));
    EXPECT_FALSE(DestroyAcceleratorTable(g_hAccel));
    g_hAccel = nullptr;
}

TEST_F(AcceleratorsTest, TheLoadedTableHoldsTheScriptsEntries) {
    ACCEL entries[8] = {};
    ASSERT_EQ(6, CopyAcceleratorTableA(g_hAccel, nullptr, 0));
    ASSERT_EQ(6, CopyAcceleratorTableA(g_hAccel, entries, 8));
    EXPECT_EQ(0x0E, entries[0].key);
    EXPECT_EQ(0, entries[0].fVirt & ~FNOINVERT);
    EXPECT_EQ(ID_CTRL_N, entries[0].cmd);
    EXPECT_EQ(VK_F5, entries[2].key);
    EXPECT_EQ(FVIRTKEY | FNOINVERT, entries[2].fVirt | FNOINVERT);
    EXPECT_EQ(FVIRTKEY | FCONTROL | FSHIFT | FNOINVERT, entries[3].fVirt | FNOINVERT);
    EXPECT_EQ(SC_CLOSE, entries[4].cmd);
    EXPECT_EQ(FALT | FNOINVERT, entries[5].fVirt | FNOINVERT);
    EXPECT_EQ('x', entries[5].key);
}

TEST_F(AcceleratorsTest, TablesMadeInMemoryKeepSevenFlagBitsAndCopyAsAsked) {
    ACCEL made[2] = {{FVIRTKEY | FCONTROL, 'A', 1000}, {0xFF, 0xFFFF, 0xFFFF}};
    SetLastError(0);
    EXPECT_EQ(nullptr, CreateAcceleratorTableA(made, 0));
    HACCEL hAccel = CreateAcceleratorTableA(made, 2);
    ASSERT_NE(nullptr, hAccel);
    EXPECT_EQ(2, CopyAcceleratorTableA(hAccel, nullptr, 1)) << "without a buffer: the table's size";
    ACCEL copied[2] = {};
    EXPECT_EQ(1, CopyAcceleratorTableA(hAccel, copied, 1));
    EXPECT_EQ(0, copied[1].cmd) << "only what was asked for";
    EXPECT_EQ(2, CopyAcceleratorTableA(hAccel, copied, 2));
    EXPECT_EQ(FVIRTKEY | FCONTROL, copied[0].fVirt);
    EXPECT_EQ(1000, copied[0].cmd);
    EXPECT_EQ(0x7F, copied[1].fVirt);
    EXPECT_EQ(0xFFFF, copied[1].key);
    ASSERT_TRUE(DestroyAcceleratorTable(hAccel));
    EXPECT_EQ(0, CopyAcceleratorTableA(hAccel, copied, 2));
    EXPECT_FALSE(DestroyAcceleratorTable(nullptr));
}
