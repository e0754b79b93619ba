// Pictures of windows on the real platform: the whole window rectangle with its children as the screen
// shows them, and the PNG file written from it.
#include <emu/Picture.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr COLORREF kParentColour = RGB(200, 40, 20);
constexpr COLORREF kChildColour = RGB(30, 60, 220);

HWND CreateFilled(const char* name, COLORREF colour, DWORD style, int x, int y, int w, int h, HWND parent) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = CreateSolidBrush(colour);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
    return CreateWindowExA(0, name, "", style, x, y, w, h, parent, nullptr, wc.hInstance, nullptr);
}

class RealPictures : public ::testing::Test {
protected:
    void SetUp() override {
        frame = CreateFilled("PictureFrame", kParentColour, WS_POPUP | WS_BORDER | WS_VISIBLE, 30, 30, 160,
                             120, nullptr);
        ASSERT_NE(frame, nullptr);
        child = CreateFilled("PictureChild", kChildColour, WS_CHILD | WS_VISIBLE, 100, 60, 40, 30, frame);
        ASSERT_NE(child, nullptr);
    }
    void TearDown() override { DestroyWindow(frame); }

    HWND frame = nullptr;
    HWND child = nullptr;
};

TEST_F(RealPictures, TheWindowComesWithItsFrameAndChildren) {
    emu::Picture picture = emu::RenderWindow(frame);
    ASSERT_EQ(160, picture.width);
    ASSERT_EQ(120, picture.height);
    // The border's one pixel, the client area, and the child at its place inside it.
    EXPECT_NE(kParentColour, picture.Pixel(0, 0));
    EXPECT_EQ(kParentColour, picture.Pixel(20, 20));
    EXPECT_EQ(kChildColour, picture.Pixel(1 + 100 + 20, 1 + 60 + 15));
    EXPECT_EQ(kChildColour, picture.Pixel(1 + 100, 1 + 60));
    EXPECT_EQ(kParentColour, picture.Pixel(1 + 100 + 40, 1 + 60 + 30));
    EXPECT_EQ(CLR_INVALID, picture.Pixel(160, 0));
}

TEST_F(RealPictures, TheFileHoldsThePicture) {
    const std::string path = (std::filesystem::temp_directory_path() / "real-picture.png").string();
    ASSERT_TRUE(emu::SaveWindowPicture(frame, path));
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    file.close();
    std::remove(path.c_str());
    // Signature, IHDR (13 bytes of data) with the width and height, then the image data: stored blocks of
    // 160 * 120 pixels, 3 bytes each, and a filter byte a row.
    ASSERT_GT(bytes.size(), 33u);
    EXPECT_EQ("\x89PNG", std::string(bytes.begin(), bytes.begin() + 4));
    EXPECT_EQ("IHDR", std::string(bytes.begin() + 12, bytes.begin() + 16));
    EXPECT_EQ(160, static_cast<unsigned char>(bytes[19]));
    EXPECT_EQ(120, static_cast<unsigned char>(bytes[23]));
    EXPECT_GT(bytes.size(), 120u * (1 + 3 * 160));
}

// The file reads back as the picture; image data that is compressed, or a file cut short, reads as nothing.
TEST_F(RealPictures, TheFileReadsBackAsThePictureWhenItsDataIsStored) {
    const std::string path = (std::filesystem::temp_directory_path() / "real-picture-back.png").string();
    ASSERT_TRUE(emu::SaveWindowPicture(frame, path));
    emu::Picture back = emu::LoadPicture(path);
    EXPECT_EQ(160, back.width);
    EXPECT_EQ(120, back.height);
    EXPECT_EQ(emu::RenderWindow(frame).pixels, back.pixels);

    std::vector<char> bytes;
    {
        std::ifstream file(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    auto rewrite = [&path](const std::vector<char>& content) {
        std::ofstream(path, std::ios::binary)
            .write(content.data(), static_cast<std::streamsize>(content.size()));
    };
    // After the signature (8 bytes), IHDR (25) and IDAT's length and type (8), the zlib header (2): the first
    // block's header, whose type bits 01 say fixed Huffman codes.
    std::vector<char> compressed = bytes;
    compressed[43] = 0x02;
    rewrite(compressed);
    EXPECT_EQ(0, emu::LoadPicture(path).width);
    rewrite(std::vector<char>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2)));
    EXPECT_EQ(0, emu::LoadPicture(path).width);
    std::remove(path.c_str());
}

TEST(RealPicturesOfNoWindow, AnInvalidHandleGivesNothing) {
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(gone, nullptr);
    DestroyWindow(gone);
    EXPECT_EQ(0, emu::RenderWindow(gone).width);
    EXPECT_FALSE(
        emu::SaveWindowPicture(gone, (std::filesystem::temp_directory_path() / "none.png").string()));
}

} // namespace
