// Rendering a window into a picture, and pictures as PNG files.
#include <emu/Picture.h>

#include "Dc.h"
#include "Objects.h"
#include "Render.h"
#include "core/Core.h"

#include <emu/DragImage.h>
#include <emu/ImageListPixels.h>

#include <png.h>

namespace emu::render {
namespace {

// Repaints the window, then its visible children from the bottom of the Z order up, each with its own.
void PaintBranch(HWND hwnd) {
    ResetClientDc(hwnd);
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    if (!IsWindow(hwnd))
        return;
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_UPDATENOW | RDW_NOCHILDREN);
    core::Window* w = core::Find(hwnd);
    if (!w)
        return;
    std::vector<HWND> children;
    for (core::Window* c = w->lastChild; c; c = c->prev)
        children.push_back(c->handle);
    for (HWND child : children) {
        core::Window* c = core::Find(child);
        if (c && (c->style & WS_VISIBLE))
            PaintBranch(child);
    }
}

// The image-list drag image, over everything else on the screen.
void PaintDragImage() {
    DragImageState drag = DragImage();
    core::Window* lock = drag.lockWindow ? core::Find(drag.lockWindow) : core::Desktop();
    if (!drag.active || !drag.shown || !lock)
        return;
    RECT origin = core::ScreenRect(lock);
    HIMAGELIST image = ImageList_GetDragImage(nullptr, nullptr);
    std::vector<uint32_t> pixels = ImageListPixels(image, 0);
    int cx = 0, cy = 0;
    if (pixels.empty() || !ImageList_GetIconSize(image, &cx, &cy))
        return;
    HDC screen = GetDC(nullptr);
    DrawPixels(screen, origin.left + drag.position.x - drag.hotspot.x,
               origin.top + drag.position.y - drag.hotspot.y, cx, cy, pixels.data());
    ReleaseDC(nullptr, screen);
}

} // namespace
} // namespace emu::render

using namespace emu::render;

COLORREF emu::Picture::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    return ToColorRef(pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]);
}

emu::Picture emu::RenderWindow(HWND hwnd) {
    core::Window* w = core::Find(hwnd);
    if (!w)
        return {};
    RECT r = core::ScreenRect(w);
    Surface surface;
    surface.root = hwnd;
    surface.screenOrigin = POINT{r.left, r.top};
    surface.width = std::max(0, static_cast<int>(r.right - r.left));
    surface.height = std::max(0, static_cast<int>(r.bottom - r.top));
    surface.pixels.assign(static_cast<size_t>(surface.width) * static_cast<size_t>(surface.height),
                          ToPixel(GetSysColor(COLOR_BACKGROUND)));
    if (core::IsVisible(w)) {
        SurfaceScope scope(surface);
        PaintBranch(hwnd);
        PaintDragImage();
    }
    return Picture{surface.width, surface.height, std::move(surface.pixels)};
}

bool emu::SavePicture(const Picture& picture, const std::string& path) {
    if (picture.width <= 0 || picture.height <= 0)
        return false;
    std::vector<png_byte> rgb;
    rgb.reserve(picture.pixels.size() * 3);
    for (uint32_t p : picture.pixels) {
        rgb.push_back(static_cast<png_byte>(p >> 16));
        rgb.push_back(static_cast<png_byte>(p >> 8));
        rgb.push_back(static_cast<png_byte>(p));
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

bool emu::SaveWindowPicture(HWND hwnd, const std::string& path) {
    if (!IsWindow(hwnd))
        return false;
    return SavePicture(RenderWindow(hwnd), path);
}

emu::Picture emu::LoadPicture(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return {};
    }
    Picture picture{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    picture.pixels.resize(static_cast<size_t>(image.width) * image.height);
    for (size_t k = 0; k < picture.pixels.size(); ++k)
        picture.pixels[k] = uint32_t{rgb[3 * k]} << 16 | uint32_t{rgb[3 * k + 1]} << 8 | rgb[3 * k + 2];
    return picture;
}
