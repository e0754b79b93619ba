// Icons and cursors behind HICON and HCURSOR handles: an image and its AND mask, which the drawing code
// combines with what lies beneath (the mask keeps the screen, the image is then XORed onto it), or an image
// with an alpha channel, which is blended.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace emu::detail {

struct Icon {
    bool isIcon = true;
    POINT hotspot{};
    int width = 0;
    int height = 0;
    std::vector<uint32_t> image; // 0x00RRGGBB, rows from the top
    std::vector<uint8_t> mask;   // 1 where the screen shows through
    std::vector<uint8_t> alpha;  // each pixel's alpha; empty when the image has none
    bool monochrome = false;     // a 1-bit image: GetIconInfo gives one double-height mask bitmap
    bool shared = false;         // loaded with LR_SHARED: DestroyIcon leaves it alone
};

HICON AddIcon(Icon icon);
// NULL for a value that names no live icon or cursor.
const Icon* FindIcon(HICON handle);

// The icon stretched (nearest pixel) to cx by cy; the hotspot moves with it.
Icon Scaled(const Icon& icon, int cx, int cy);

// The image of an RT_ICON or RT_CURSOR resource (a cursor's starts with its hotspot): a DIB of twice the
// icon's height (the image, then the 1-bit mask) or a PNG image. nullopt when malformed.
std::optional<Icon> DecodeIconImage(const BYTE* data, size_t size, bool isIcon);

// One image of an icon directory (a group resource or an icon file).
struct IconCandidate {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    int id = 0; // the RT_ICON or RT_CURSOR ID, or the image's index in a file
};
// The ID of the candidate that best fits cx by cy (0: the system's size), or 0 when there is none.
int ChooseIcon(const std::vector<IconCandidate>& candidates, BOOL fIcon, int cx, int cy, UINT flags);
// ChooseIcon over the entries of an RT_GROUP_ICON or RT_GROUP_CURSOR resource of `size` bytes.
int LookupIconId(const BYTE* directory, size_t size, BOOL fIcon, int cx, int cy, UINT flags);
// A new handle for the icon at cx by cy: 0 is its own size, or the system's with LR_DEFAULTSIZE;
// LR_MONOCHROME makes it black and white, LR_SHARED marks it shared.
HICON MakeIcon(Icon icon, int cx, int cy, UINT flags);

// The system's icons (IDI_) and cursors (IDC_) at their standard size; nullopt for an unknown ID.
std::optional<Icon> SystemIcon(WORD id, bool isIcon);

// The small icon that stands for a window whose application gave it none (WM_GETICON with ICON_SMALL2):
// made from the icon once, shared, and destroyed with it.
HICON SmallIconOf(HICON icon);

} // namespace emu::detail
