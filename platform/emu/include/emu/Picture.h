// Pictures of windows: what the user would see of a window and its children, as pixels or a PNG file.
//
// Rendering repaints the window the way RedrawWindow with RDW_INVALIDATE | RDW_ERASE | RDW_FRAME |
// RDW_ALLCHILDREN | RDW_UPDATENOW would: the window and then each visible descendant (parents before
// their children, siblings from the bottom of the Z order up) receives WM_NCPAINT, WM_ERASEBKGND and
// WM_PAINT, and what they draw on their device contexts lands in the picture. An image-list drag image
// that is shown is drawn over the windows last. A hidden window's picture shows only the desktop colour.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace emu {

// The pixels of a window's picture, or of a PNG file read back.
struct Picture {
    // In pixels.
    int width = 0;
    // In pixels.
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, rows from the top

    // The colour at (x, y); CLR_INVALID outside the picture.
    COLORREF Pixel(int x, int y) const;
};

// The window's rectangle (non-client area included, its top left corner at 0, 0) as the screen would
// show it with nothing in front. Empty for an invalid handle.
Picture RenderWindow(HWND hwnd);

// Writes RenderWindow's picture as an 8-bit RGB PNG file; false for an invalid handle or a file that cannot
// be written.
bool SaveWindowPicture(HWND hwnd, const std::string& path);
// Writes the picture as an 8-bit RGB PNG file; false when the file cannot be written.
bool SavePicture(const Picture& picture, const std::string& path);
// Reads a PNG file (any colour type, alpha dropped); empty when it cannot be read. On the real platform only
// files whose image data is uncompressed and unfiltered (as SavePicture writes them), 8-bit RGB or RGBA and
// not interlaced.
Picture LoadPicture(const std::string& path);

} // namespace emu
