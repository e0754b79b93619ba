// A framed top-level window holding a tree view, with helpers to build image lists and to find a child's
// client area in the top-level window's picture.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <emu/Emu.h>
#include <emu/Picture.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 160, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Magenta = RGB(255, 0, 255);
constexpr COLORREF White = RGB(255, 255, 255);

class RenderFixture : public ::testing::Test {
protected:
    static constexpr DWORD TreeStyle = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;

    HWND frame = nullptr;
    HWND tree = nullptr;

    void SetUp() override {
        emu::Reset();
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "RenderFrame";
        RegisterClassA(&wc);
        frame = CreateWindowExA(0, "RenderFrame", "Folders", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 40, 260,
                                240, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(frame, nullptr);
        CreateTree(TreeStyle);
    }
    void TearDown() override { emu::Reset(); }

    // A tree of w x h pixels at (8, 8) in the frame's client area.
    void CreateTree(DWORD style, int w = 200, int h = 160) {
        if (tree)
            DestroyWindow(tree);
        tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | style, 8, 8, w, h,
                               frame, reinterpret_cast<HMENU>(7), GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(tree, nullptr);
    }

    HTREEITEM Add(const char* text, HTREEITEM under = TVI_ROOT, int image = 0) {
        TVINSERTSTRUCTA is{};
        is.hParent = under;
        is.hInsertAfter = TVI_LAST;
        is.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        is.item.pszText = const_cast<char*>(text);
        is.item.iImage = is.item.iSelectedImage = image;
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
    }
    void Expand(HTREEITEM h) { SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(h)); }
    void Select(HTREEITEM h, UINT code = TVGN_CARET) {
        SendMessageA(tree, TVM_SELECTITEM, code, reinterpret_cast<LPARAM>(h));
    }
    RECT ItemRect(HTREEITEM h, BOOL textOnly) {
        RECT rc{};
        std::memcpy(&rc, &h, sizeof h);
        EXPECT_TRUE(SendMessageA(tree, TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&rc)));
        return rc;
    }

    // A list of 16 x 16 images, one a colour, masked where the colour is magenta.
    static HIMAGELIST ImageList(const std::vector<std::vector<COLORREF>>& images) {
        HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4);
        for (const auto& image : images) {
            std::vector<uint32_t> bits(image.begin(), image.end());
            for (uint32_t& b : bits)
                b = GetRValue(b) << 16 | GetGValue(b) << 8 | GetBValue(b);
            HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, bits.data());
            ImageList_AddMasked(list, bitmap, Magenta);
            DeleteObject(bitmap);
        }
        return list;
    }
    // A square of `inner` with a border of `border`, masked outside a 12 x 12 middle.
    static std::vector<COLORREF> Boxed(COLORREF border, COLORREF inner) {
        std::vector<COLORREF> image(256, Magenta);
        for (int y = 2; y < 14; ++y)
            for (int x = 2; x < 14; ++x)
                image[static_cast<size_t>(y * 16 + x)] =
                    (x == 2 || y == 2 || x == 13 || y == 13) ? border : inner;
        return image;
    }

    // Where a window's client area starts in the picture of `top`.
    static POINT ClientOffset(HWND top, HWND child) {
        RECT window{};
        GetWindowRect(top, &window);
        POINT p{0, 0};
        ClientToScreen(child, &p);
        return POINT{p.x - window.left, p.y - window.top};
    }

    // Pixels of the picture in a rectangle given in `child`'s client coordinates.
    static std::vector<COLORREF> Pixels(const emu::Picture& picture, POINT offset, const RECT& r) {
        std::vector<COLORREF> out;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                out.push_back(picture.Pixel(offset.x + x, offset.y + y));
        return out;
    }
    static int Count(const std::vector<COLORREF>& pixels, COLORREF color) {
        int n = 0;
        for (COLORREF c : pixels)
            n += c == color;
        return n;
    }
};
