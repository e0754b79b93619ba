// Icon and cursor images as resources hold them: RT_ICON and RT_CURSOR data (a DIB of twice the icon's
// height: the image, then the 1-bit AND mask; or a PNG image; a cursor's starts with its hotspot), and the
// directories of RT_GROUP_ICON and RT_GROUP_CURSOR that name the images of one icon in several sizes.
#include "Icons.h"

#include "services/Dib.h"

#include <png.h>

#include <cstdlib>
#include <cstring>

namespace emu::detail {
namespace {

constexpr BYTE kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kDirectoryHeader = 6;
constexpr size_t kDirectoryEntry = 14;

WORD Word(const BYTE* at) {
    return static_cast<WORD>(at[0] | at[1] << 8);
}

std::optional<Icon> DecodePng(const BYTE* data, size_t size) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, data, size))
        return std::nullopt;
    png.format = PNG_FORMAT_BGRA;
    if (png.width == 0 || png.height == 0 || static_cast<int64_t>(png.width) * png.height > maxBitmapPixels) {
        png_image_free(&png);
        return std::nullopt;
    }
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr))
        return std::nullopt;
    Icon icon;
    icon.width = static_cast<int>(png.width);
    icon.height = static_cast<int>(png.height);
    size_t count = static_cast<size_t>(icon.width) * static_cast<size_t>(icon.height);
    icon.image.resize(count);
    icon.mask.resize(count);
    icon.alpha.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const png_byte* p = &pixels[4 * i];
        icon.image[i] = static_cast<uint32_t>(p[2]) << 16 | p[1] << 8 | p[0];
        icon.alpha[i] = p[3];
        icon.mask[i] = p[3] == 0;
    }
    return icon;
}

std::optional<Icon> DecodeDibIcon(const BYTE* data, size_t size) {
    auto format = ReadDibFormat(data, size, DIB_RGB_COLORS);
    if (!format || format->topDown || format->height < 2 ||
        (format->compression != BI_RGB && format->compression != BI_BITFIELDS))
        return std::nullopt;
    Icon icon;
    icon.width = format->width;
    icon.height = format->height / 2;
    icon.monochrome = format->bitCount == 1;
    size_t count = static_cast<size_t>(icon.width) * static_cast<size_t>(icon.height);
    icon.image.resize(count);
    DibFormat image = *format;
    image.height = icon.height;
    const BYTE* bits = data + format->infoSize;
    size_t left = size - format->infoSize;
    if (DecodeDib(image, bits, left, 0, icon.height, Canvas{icon.width, icon.height, icon.image.data()}) !=
        icon.height)
        return std::nullopt;
    size_t imageBytes = image.stride * static_cast<size_t>(icon.height);
    DibFormat mask{};
    mask.width = icon.width;
    mask.height = icon.height;
    mask.bitCount = 1;
    mask.compression = BI_RGB;
    mask.palette = {0x000000, 0xFFFFFF};
    mask.stride = DibStride(icon.width, 1);
    std::vector<uint32_t> maskPixels(count);
    if (DecodeDib(mask, bits + imageBytes, left - imageBytes, 0, icon.height,
                  Canvas{icon.width, icon.height, maskPixels.data()}) != icon.height)
        return std::nullopt;
    icon.mask.resize(count);
    for (size_t i = 0; i < count; ++i)
        icon.mask[i] = maskPixels[i] != 0;
    // A 32-bit image carries each pixel's alpha in its fourth byte (rows from the bottom); none of it set
    // means it has none.
    if (format->bitCount == 32) {
        icon.alpha.resize(count);
        bool any = false;
        for (int y = 0; y < icon.height; ++y)
            for (int x = 0; x < icon.width; ++x) {
                BYTE a = bits[static_cast<size_t>(icon.height - 1 - y) * image.stride +
                              4 * static_cast<size_t>(x) + 3];
                icon.alpha[static_cast<size_t>(y) * static_cast<size_t>(icon.width) +
                           static_cast<size_t>(x)] = a;
                any = any || a != 0;
            }
        if (!any)
            icon.alpha.clear();
    }
    return icon;
}

int Distance(const IconCandidate& candidate, int cx, int cy) {
    return std::abs(candidate.width - cx) + std::abs(candidate.height - cy);
}

// Whether a is the better of two candidates for cx by cy: nearer in size, then the larger (shrinking looks
// better than growing), then the deeper colours (1 bit with LR_MONOCHROME).
bool Better(const IconCandidate& a, const IconCandidate& b, int cx, int cy, UINT flags) {
    if (Distance(a, cx, cy) != Distance(b, cx, cy))
        return Distance(a, cx, cy) < Distance(b, cx, cy);
    if (a.width != b.width)
        return a.width > b.width;
    if (flags & LR_MONOCHROME)
        return (a.bitCount == 1) > (b.bitCount == 1);
    return a.bitCount > b.bitCount;
}

// The entries of an RT_GROUP_ICON or RT_GROUP_CURSOR directory; empty when malformed.
std::vector<IconCandidate> ReadDirectory(const BYTE* directory, size_t size, BOOL fIcon) {
    std::vector<IconCandidate> entries;
    if (!directory || size < kDirectoryHeader || Word(directory) != 0 ||
        Word(directory + 2) != (fIcon ? 1 : 2))
        return entries;
    size_t count = Word(directory + 4);
    if (count > (size - kDirectoryHeader) / kDirectoryEntry)
        return entries;
    for (size_t i = 0; i < count; ++i) {
        const BYTE* entry = directory + kDirectoryHeader + i * kDirectoryEntry;
        IconCandidate candidate;
        if (fIcon) {
            candidate.width = entry[0] ? entry[0] : 256;
            candidate.height = entry[1] ? entry[1] : 256;
        } else {
            candidate.width = Word(entry);
            candidate.height = Word(entry + 2) / 2;
        }
        candidate.bitCount = Word(entry + 6);
        candidate.id = Word(entry + 12);
        entries.push_back(candidate);
    }
    return entries;
}

} // namespace

std::optional<Icon> DecodeIconImage(const BYTE* data, size_t size, bool isIcon) {
    if (!data)
        return std::nullopt;
    POINT hotspot{};
    if (!isIcon) {
        if (size < 4)
            return std::nullopt;
        hotspot = {Word(data), Word(data + 2)};
        data += 4;
        size -= 4;
    }
    bool png = size >= sizeof kPngSignature && std::memcmp(data, kPngSignature, sizeof kPngSignature) == 0;
    std::optional<Icon> icon = png ? DecodePng(data, size) : DecodeDibIcon(data, size);
    if (icon) {
        icon->isIcon = isIcon;
        icon->hotspot = isIcon ? POINT{icon->width / 2, icon->height / 2} : hotspot;
    }
    return icon;
}

int ChooseIcon(const std::vector<IconCandidate>& candidates, BOOL fIcon, int cx, int cy, UINT flags) {
    if (cx == 0)
        cx = GetSystemMetrics(fIcon ? SM_CXICON : SM_CXCURSOR);
    if (cy == 0)
        cy = GetSystemMetrics(fIcon ? SM_CYICON : SM_CYCURSOR);
    const IconCandidate* best = nullptr;
    for (const IconCandidate& candidate : candidates)
        if (!best || Better(candidate, *best, cx, cy, flags))
            best = &candidate;
    return best ? best->id : 0;
}

int LookupIconId(const BYTE* directory, size_t size, BOOL fIcon, int cx, int cy, UINT flags) {
    return ChooseIcon(ReadDirectory(directory, size, fIcon), fIcon, cx, cy, flags);
}

HICON MakeIcon(Icon icon, int cx, int cy, UINT flags) {
    if (cx == 0)
        cx = (flags & LR_DEFAULTSIZE) ? GetSystemMetrics(icon.isIcon ? SM_CXICON : SM_CXCURSOR) : icon.width;
    if (cy == 0)
        cy = (flags & LR_DEFAULTSIZE) ? GetSystemMetrics(icon.isIcon ? SM_CYICON : SM_CYCURSOR) : icon.height;
    Icon made = Scaled(icon, cx, cy);
    if (flags & LR_MONOCHROME) {
        for (uint32_t& pixel : made.image)
            pixel = ToMonochrome(pixel);
        made.alpha.clear();
        made.monochrome = true;
    }
    made.shared = (flags & LR_SHARED) != 0;
    return AddIcon(std::move(made));
}

} // namespace emu::detail

using namespace emu::detail;

// The directory's size is not given: it is taken to hold the entries its header counts.
int WINAPI LookupIconIdFromDirectoryEx(PBYTE presbits, BOOL fIcon, int cxDesired, int cyDesired, UINT Flags) {
    if (!presbits) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    size_t size = kDirectoryHeader + kDirectoryEntry * Word(presbits + 4);
    int id = LookupIconId(presbits, size, fIcon, cxDesired, cyDesired, Flags);
    if (id == 0)
        SetLastError(ERROR_INVALID_DATA);
    return id;
}

HICON WINAPI CreateIconFromResourceEx(PBYTE presbits, DWORD dwResSize, BOOL fIcon, DWORD dwVer, int cxDesired,
                                      int cyDesired, UINT Flags) {
    if (!presbits || dwVer < 0x00020000 || dwVer > 0x00030000 || cxDesired < 0 || cyDesired < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::optional<Icon> icon = DecodeIconImage(presbits, dwResSize, fIcon != FALSE);
    if (!icon) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    return MakeIcon(std::move(*icon), cxDesired, cyDesired, Flags & ~LR_SHARED);
}
