// Resources compiled from the program's script: found by number, by name and by "#number", with the sizes
// and the binary forms the resource compiler writes, and read by the functions that load each kind.
#include "ResourcesTest.h"

#include <BitmapPixels.h>

#include <cstring>
#include <vector>

using ScriptTest = ResourcesTest;

namespace {

std::string MenuText(HMENU hMenu, UINT nPosition) {
    char text[64] = {};
    GetMenuStringA(hMenu, nPosition, text, sizeof text, MF_BYPOSITION);
    return text;
}

} // namespace

TEST_F(ScriptTest, RawDataIsFoundByNameInAnyCaseAndKeepsItsSize) {
    // RCDATA numbers are words: 1, 2, then the two bytes of the text.
    EXPECT_EQ(std::string("\1\0\2\0ab", 6), Bytes("Blob", RT_RCDATA));
    EXPECT_EQ(Bytes("Blob", RT_RCDATA), Bytes("BLOB", RT_RCDATA));
    EXPECT_EQ("<none>", Bytes("Blob", RT_BITMAP));
    EXPECT_EQ(Bytes(MAKEINTRESOURCEA(IDB_COLOURS), RT_BITMAP), Bytes("#200", RT_BITMAP));
    SetLastError(0);
    EXPECT_EQ(nullptr, FindResourceA(m_hModule, MAKEINTRESOURCEA(999), RT_BITMAP));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND), GetLastError());
    EXPECT_NE(nullptr,
              FindResourceExA(m_hModule, RT_RCDATA, "Blob", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)));
}

TEST_F(ScriptTest, TheMenuHasItsPopupsItemsStatesAndSeparator) {
    HMENU hMenu = LoadMenuA(m_hModule, MAKEINTRESOURCEA(IDR_MENU));
    ASSERT_NE(nullptr, hMenu);
    ASSERT_EQ(2, GetMenuItemCount(hMenu));
    EXPECT_EQ("&File", MenuText(hMenu, 0));
    EXPECT_EQ(static_cast<UINT>(ID_HELP), GetMenuItemID(hMenu, 1));
    HMENU hFile = GetSubMenu(hMenu, 0);
    ASSERT_EQ(5, GetMenuItemCount(hFile));
    EXPECT_EQ(static_cast<UINT>(ID_ITEM_OPEN), GetMenuItemID(hFile, 0));
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(hFile, ID_ITEM_CHECKED, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(static_cast<UINT>(MF_SEPARATOR), GetMenuState(hFile, 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(static_cast<UINT>(MF_GRAYED), GetMenuState(hFile, ID_ITEM_GRAYED, MF_BYCOMMAND) & MF_GRAYED);
    HMENU hMore = GetSubMenu(hFile, 4);
    ASSERT_NE(nullptr, hMore);
    EXPECT_EQ("&Inner", MenuText(hMore, 0));
    DestroyMenu(hMenu);

    HMENU hNamed = LoadMenuA(m_hModule, "TreeMenu");
    ASSERT_NE(nullptr, hNamed);
    EXPECT_EQ("Only", MenuText(hNamed, 0));
    DestroyMenu(hNamed);
}

TEST_F(ScriptTest, TheBitmapIsADibWithoutFileHeader) {
    std::string dib = Bytes(MAKEINTRESOURCEA(IDB_COLOURS), RT_BITMAP);
    ASSERT_GE(dib.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.data(), sizeof header);
    EXPECT_EQ(sizeof header, header.biSize);
    EXPECT_EQ(3, header.biWidth);
    EXPECT_EQ(2, header.biHeight);

    HBITMAP hBitmap = LoadBitmapA(m_hModule, MAKEINTRESOURCEA(IDB_COLOURS));
    ASSERT_NE(nullptr, hBitmap);
    EXPECT_EQ((std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFFFFFF}),
              BitmapPixels(hBitmap, 3, 2));
    DeleteObject(hBitmap);
    // Stretched to the size asked for (how the colours spread over the new pixels is the system's).
    HBITMAP hWide =
        static_cast<HBITMAP>(LoadImageA(m_hModule, MAKEINTRESOURCEA(IDB_COLOURS), IMAGE_BITMAP, 6, 4, 0));
    ASSERT_NE(nullptr, hWide);
    BITMAP wide{};
    ASSERT_NE(0, GetObjectA(hWide, sizeof wide, &wide));
    EXPECT_EQ(6, wide.bmWidth);
    EXPECT_EQ(4, wide.bmHeight);
    EXPECT_EQ(0xFF0000u, BitmapPixels(hWide, 6, 4)[0]);
    DeleteObject(hWide);
}

TEST_F(ScriptTest, TheDialogTemplateStartsWithItsStyle) {
    std::string dialog = Bytes(MAKEINTRESOURCEA(IDD_SAMPLE), RT_DIALOG);
    ASSERT_GE(dialog.size(), 18u);
    DWORD style;
    std::memcpy(&style, dialog.data(), sizeof style);
    EXPECT_EQ(static_cast<DWORD>(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU), style & ~DS_SETFONT);
    WORD controls;
    std::memcpy(&controls, dialog.data() + 8, sizeof controls);
    EXPECT_EQ(2, controls);
}

TEST_F(ScriptTest, TheVersionRecordIsReadByFileName) {
    char path[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, path, sizeof path));
    DWORD handle = 1;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_NE(0u, size);
    EXPECT_EQ(0u, handle);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<LPVOID*>(&fixed), &length));
    ASSERT_EQ(sizeof *fixed, length);
    EXPECT_EQ(static_cast<DWORD>(VS_FFI_SIGNATURE), fixed->dwSignature);
    EXPECT_EQ(0x00020003u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00040005u, fixed->dwFileVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
    char* description = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\FileDescription",
                               reinterpret_cast<LPVOID*>(&description), &length));
    EXPECT_STREQ("Resource tests", description);
    EXPECT_FALSE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\Comments",
                                reinterpret_cast<LPVOID*>(&description), &length));
}
