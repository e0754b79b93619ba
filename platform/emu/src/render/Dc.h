// Device contexts: their attributes, and the pixels each one draws into.
//
// A window's client device context is the value BeginPaint hands out (the window handle with the top bit
// set); GetWindowDC and CreateCompatibleDC make entries of a table of their own. Window device contexts
// draw only while a picture of the window or of an ancestor is being rendered (see Surface).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace emu::render {

// Where a device context draws: a buffer of 0x00RRGGBB pixels, rows from the top.
struct Target {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    bool mono = false; // a monochrome bitmap: every pixel black or white
    POINT origin{};    // the device point (0, 0) in the buffer
    RECT clip{};       // in buffer coordinates, within the buffer
};

struct DcState {
    COLORREF text = RGB(0, 0, 0);
    COLORREF bk = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    HGDIOBJ font = nullptr;
    HBITMAP bitmap = nullptr; // memory device contexts only
    POINT position{};
    POINT viewport{};
    bool clipped = false;
    RECT clip{}; // device coordinates, while clipped
};

struct Dc {
    enum class Kind { Client, Window, Memory };
    Kind kind = Kind::Client;
    HWND hwnd = nullptr;
    DcState state;
    std::vector<DcState> saved;
};

// NULL for a value that names no live device context (a window's context dies with the window).
Dc* FindDc(HDC hdc);
std::optional<Target> TargetOf(const Dc& dc);

// The picture being rendered: the device contexts of `root`, of its descendants and of the desktop draw
// into it while a SurfaceScope for it lives. Scopes nest; the innermost one is drawn into.
struct Surface {
    HWND root = nullptr;
    POINT screenOrigin{};
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

class SurfaceScope {
public:
    explicit SurfaceScope(Surface& surface);
    ~SurfaceScope();
    SurfaceScope(const SurfaceScope&) = delete;
    SurfaceScope& operator=(const SurfaceScope&) = delete;

private:
    Surface* m_previous;
};

} // namespace emu::render
