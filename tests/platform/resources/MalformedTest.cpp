// Damaged resources and handles: string blocks, accelerator tables and icons whose data is cut short or
// wrong give the functions' failure results, and script resources stand beside declared ones.
#include <emu/Emu.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kDeclared[] = "declared";
EMU_RESOURCE(RT_RCDATA, MAKEINTRESOURCEA(2), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), kDeclared,
             sizeof kDeclared);

// Files bytes as a resource of the test program, as a later declaration of the same ID replaces them.
void Declare(LPCSTR type, WORD id, const std::vector<BYTE>& bytes) {
    static const char anchor = 0;
    static std::vector<std::vector<BYTE>> kept;
    kept.push_back(bytes);
    emu::AddResource(&anchor, type, MAKEINTRESOURCEA(id), 0, kept.back().data(), kept.back().size());
}

std::string Data(LPCSTR name) {
    HRSRC info = FindResourceA(nullptr, name, RT_RCDATA);
    if (!info)
        return "<none>";
    return std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, info))),
                       SizeofResource(nullptr, info));
}

class Malformed : public testing::Test {
protected:
    void SetUp() override { emu::Reset(); }
};

} // namespace

TEST_F(Malformed, ScriptAndDeclaredResourcesStandSideBySide) {
    EXPECT_EQ("from the script", Data(MAKEINTRESOURCEA(1)));
    EXPECT_EQ("named", Data("FROMSCRIPT"));
    EXPECT_EQ(std::string(kDeclared, sizeof kDeclared), Data(MAKEINTRESOURCEA(2)));
    LoadResource(nullptr, FindResourceA(nullptr, MAKEINTRESOURCEA(1), RT_RCDATA));
    EXPECT_EQ(2, emu::ResourceLoads(nullptr, RT_RCDATA, MAKEINTRESOURCEA(1)));
}

TEST_F(Malformed, AStringBlockCutShortHoldsOnlyItsWholeStrings) {
    // String 0 "ab", then string 1 claims 200 characters the block does not hold.
    Declare(RT_STRING, 1, {2, 0, 'a', 0, 'b', 0, 200, 0, 'c', 0});
    char buffer[16];
    EXPECT_EQ(2, LoadStringA(nullptr, 0, buffer, sizeof buffer));
    EXPECT_STREQ("ab", buffer);
    EXPECT_EQ(0, LoadStringA(nullptr, 1, buffer, sizeof buffer));
    EXPECT_EQ(0, LoadStringA(nullptr, 2, buffer, sizeof buffer)) << "past the damage";
    Declare(RT_STRING, 2, {5});
    EXPECT_EQ(0, LoadStringA(nullptr, 16, buffer, sizeof buffer));
    EXPECT_EQ(0, LoadStringA(nullptr, 0, nullptr, 16));
}

TEST_F(Malformed, AcceleratorTablesEndAtTheirLastWholeEntry) {
    // One whole entry (VK_F2 -> 7, not flagged last), then half of one.
    Declare(RT_ACCELERATOR, 10, {FVIRTKEY, 0, VK_F2, 0, 7, 0, 0, 0, 0x80, 0, 'A'});
    HACCEL hAccel = LoadAcceleratorsA(nullptr, MAKEINTRESOURCEA(10));
    ASSERT_NE(nullptr, hAccel);
    EXPECT_EQ(1, CopyAcceleratorTableA(hAccel, nullptr, 0));
    EXPECT_EQ(hAccel, LoadAcceleratorsA(nullptr, MAKEINTRESOURCEA(10))) << "loaded once";
    Declare(RT_ACCELERATOR, 11, {0x80, 0});
    EXPECT_EQ(nullptr, LoadAcceleratorsA(nullptr, MAKEINTRESOURCEA(11)));
    // Handles of other kinds, stale ones and made-up ones are refused.
    MSG msg{nullptr, WM_KEYDOWN, VK_F2, 0, 0, {}};
    SetLastError(0);
    EXPECT_EQ(0, TranslateAcceleratorA(nullptr, reinterpret_cast<HACCEL>(GetStockObject(WHITE_BRUSH)), &msg));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_ACCEL_HANDLE), GetLastError());
    EXPECT_EQ(0, TranslateAcceleratorA(nullptr, hAccel, &msg)) << "no window";
    EXPECT_EQ(0, TranslateAcceleratorA(nullptr, hAccel, nullptr));
    EXPECT_EQ(0, CopyAcceleratorTableA(reinterpret_cast<HACCEL>(0x12345678), nullptr, 0));
    EXPECT_FALSE(DestroyAcceleratorTable(reinterpret_cast<HACCEL>(static_cast<uintptr_t>(-1))));
}

TEST_F(Malformed, DamagedIconDataLoadsNothing) {
    // A group that names 60 images in a directory of one.
    Declare(RT_GROUP_ICON, 20, {0, 0, 1, 0, 60, 0, 16, 16, 0, 0, 1, 0, 24, 0, 40, 0, 0, 0, 21, 0});
    EXPECT_EQ(nullptr, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(20)));
    // A well-formed group whose image is a header without bits.
    Declare(RT_GROUP_ICON, 22, {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 24, 0, 40, 0, 0, 0, 23, 0});
    std::vector<BYTE> header(40, 0);
    header[0] = 40, header[4] = 16, header[8] = 32, header[12] = 1, header[14] = 24;
    Declare(RT_ICON, 23, header);
    SetLastError(0);
    EXPECT_EQ(nullptr, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(22)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_DATA), GetLastError());
    EXPECT_EQ(nullptr, CreateIconFromResourceEx(header.data(), 20, TRUE, 0x00030000, 0, 0, 0));
    EXPECT_EQ(nullptr, CreateIconFromResourceEx(header.data(), 40, TRUE, 0x00010000, 0, 0, 0))
        << "old format";
    EXPECT_EQ(nullptr, LoadImageA(nullptr, "/nonexistent/file.ico", IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
    // Handles that are no icons.
    ICONINFO info;
    EXPECT_FALSE(GetIconInfo(reinterpret_cast<HICON>(GetStockObject(WHITE_BRUSH)), &info));
    EXPECT_FALSE(DestroyIcon(reinterpret_cast<HICON>(0x5000FFFF)));
    EXPECT_EQ(nullptr, CopyIcon(nullptr));
    EXPECT_FALSE(DrawIconEx(GetDC(nullptr), 0, 0, nullptr, 0, 0, 0, nullptr, DI_NORMAL));
}
