// Loading icons, cursors and bitmaps: from a module's resources (a group resource names the images of one
// icon in several sizes, the best fit is taken), from the system's own (a NULL instance), or from .ico,
// .cur and .bmp files. Shared images (LR_SHARED; LoadIcon and LoadCursor always share) are loaded once per
// module, name, kind and size.
#include "Icons.h"

#include "ResetHooks.h"
#include "services/Dib.h"
#include "services/Gdi.h"
#include "services/Handles.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <optional>
#include <span>
#include <string>

namespace emu::detail {
namespace {

constexpr size_t kFileHeader = 14;    // BITMAPFILEHEADER
constexpr size_t kIconFileHeader = 6; // reserved, type, count
constexpr size_t kIconFileEntry = 16;
constexpr std::streamsize kLargestFile = std::streamsize{1} << 26;

struct SharedKey {
    HINSTANCE instance;
    WORD id;
    std::string name;
    UINT type;
    int cx;
    int cy;
    auto operator<=>(const SharedKey&) const = default;
};

std::map<SharedKey, uint32_t>& Shared() {
    static auto& shared = *new std::map<SharedKey, uint32_t>;
    return shared;
}

const ResetHook reset(ResetStage::Services, [] { Shared().clear(); });

SharedKey KeyOf(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy) {
    SharedKey key{instance, 0, {}, type, cx, cy};
    if (IS_INTRESOURCE(name)) {
        key.id = static_cast<WORD>(reinterpret_cast<uintptr_t>(name));
    } else {
        for (const char* c = name; *c; ++c)
            key.name += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    }
    return key;
}

WORD Word(const BYTE* at) {
    return static_cast<WORD>(at[0] | at[1] << 8);
}

DWORD Dword(const BYTE* at) {
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<DWORD>(at[3]) << 24;
}

std::optional<std::vector<BYTE>> ReadWholeFile(LPCSTR path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return std::nullopt;
    }
    std::vector<BYTE> bytes;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
        if (static_cast<std::streamsize>(bytes.size()) > kLargestFile) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return std::nullopt;
        }
    }
    return bytes;
}

std::span<const BYTE> ResourceBytes(HINSTANCE instance, LPCSTR name, LPCSTR type) {
    HRSRC info = FindResourceA(instance, name, type);
    if (!info)
        return {};
    return {static_cast<const BYTE*>(LockResource(LoadResource(instance, info))),
            SizeofResource(instance, info)};
}

// An icon or cursor from a module's group resource.
std::optional<Icon> FromResources(HINSTANCE instance, LPCSTR name, bool isIcon, int cx, int cy, UINT flags) {
    std::span<const BYTE> directory = ResourceBytes(instance, name, isIcon ? RT_GROUP_ICON : RT_GROUP_CURSOR);
    if (directory.empty())
        return std::nullopt;
    int id = LookupIconId(directory.data(), directory.size(), isIcon, cx, cy, flags);
    std::span<const BYTE> image =
        id ? ResourceBytes(instance, MAKEINTRESOURCEA(id), isIcon ? RT_ICON : RT_CURSOR)
           : std::span<const BYTE>();
    std::optional<Icon> icon = DecodeIconImage(image.data(), image.size(), isIcon);
    if (!icon)
        SetLastError(ERROR_INVALID_DATA);
    return icon;
}

// An icon or cursor from an .ico or .cur file: a directory of images (width, height, colours, reserved,
// planes or the hotspot's x, bit count or its y, size, offset), each an RT_ICON image.
std::optional<Icon> FromIconFile(LPCSTR path, bool isIcon, int cx, int cy, UINT flags) {
    std::optional<std::vector<BYTE>> file = ReadWholeFile(path);
    if (!file)
        return std::nullopt;
    const BYTE* bytes = file->data();
    size_t size = file->size();
    std::vector<IconCandidate> candidates;
    if (size >= kIconFileHeader && Word(bytes) == 0 && Word(bytes + 2) == (isIcon ? 1 : 2)) {
        size_t count = std::min<size_t>(Word(bytes + 4), (size - kIconFileHeader) / kIconFileEntry);
        for (size_t i = 0; i < count; ++i) {
            const BYTE* entry = bytes + kIconFileHeader + i * kIconFileEntry;
            candidates.push_back({entry[0] ? entry[0] : 256, entry[1] ? entry[1] : 256,
                                  isIcon ? Word(entry + 6) : 0, static_cast<int>(i) + 1});
        }
    }
    int chosen = ChooseIcon(candidates, isIcon, cx, cy, flags);
    if (chosen == 0) {
        SetLastError(ERROR_INVALID_DATA);
        return std::nullopt;
    }
    const BYTE* entry = bytes + kIconFileHeader + static_cast<size_t>(chosen - 1) * kIconFileEntry;
    size_t imageSize = Dword(entry + 8), offset = Dword(entry + 12);
    std::optional<Icon> icon;
    if (offset <= size && imageSize <= size - offset)
        icon = DecodeIconImage(bytes + offset, imageSize, true);
    if (!icon) {
        SetLastError(ERROR_INVALID_DATA);
        return std::nullopt;
    }
    if (!isIcon) {
        icon->isIcon = false;
        icon->hotspot = {Word(entry + 4), Word(entry + 6)};
    }
    return icon;
}

HANDLE LoadIconImage(HINSTANCE instance, LPCSTR name, bool isIcon, int cx, int cy, UINT flags) {
    std::optional<Icon> icon;
    if (flags & LR_LOADFROMFILE) {
        icon = FromIconFile(name, isIcon, cx, cy, flags);
    } else if (!instance) {
        icon = IS_INTRESOURCE(name) ? SystemIcon(static_cast<WORD>(reinterpret_cast<uintptr_t>(name)), isIcon)
                                    : std::nullopt;
        if (!icon)
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    } else {
        icon = FromResources(instance, name, isIcon, cx, cy, flags);
    }
    return icon ? MakeIcon(std::move(*icon), cx, cy, flags) : nullptr;
}

// A bitmap from a packed DIB (a bitmap resource, or a .bmp file past its file header), stretched to cx by
// cy unless they are 0.
HBITMAP MakeBitmap(const BYTE* dib, size_t size, const BYTE* bits, size_t bitsSize, int cx, int cy,
                   UINT flags) {
    auto format = ReadDibFormat(dib, size, DIB_RGB_COLORS);
    if (!format) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    if (!bits) {
        bits = dib + format->infoSize;
        bitsSize = size - format->infoSize;
    }
    std::vector<uint32_t> pixels(static_cast<size_t>(format->width) * static_cast<size_t>(format->height));
    if (DecodeDib(*format, bits, bitsSize, 0, format->height,
                  Canvas{format->width, format->height, pixels.data()}) != format->height) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    int width = cx ? cx : format->width, height = cy ? cy : format->height;
    auto bitmap = std::make_unique<Bitmap>(width, height, (flags & LR_MONOCHROME) ? 1 : screenBitCount);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->MutablePixels()[static_cast<size_t>(y) * static_cast<size_t>(width) +
                                    static_cast<size_t>(x)] =
                pixels[static_cast<size_t>(y * format->height / height) * static_cast<size_t>(format->width) +
                       static_cast<size_t>(x * format->width / width)];
    bitmap->Quantize();
    return static_cast<HBITMAP>(AddGdiObject(std::move(bitmap)));
}

HANDLE LoadBitmapImage(HINSTANCE instance, LPCSTR name, int cx, int cy, UINT flags) {
    if (flags & LR_LOADFROMFILE) {
        std::optional<std::vector<BYTE>> file = ReadWholeFile(name);
        if (!file)
            return nullptr;
        const BYTE* bytes = file->data();
        size_t size = file->size();
        if (size < kFileHeader || bytes[0] != 'B' || bytes[1] != 'M' || Dword(bytes + 10) > size) {
            SetLastError(ERROR_INVALID_DATA);
            return nullptr;
        }
        size_t offset = Dword(bytes + 10);
        return MakeBitmap(bytes + kFileHeader, size - kFileHeader, bytes + offset, size - offset, cx, cy,
                          flags);
    }
    if (!instance) {
        // The system's predefined bitmaps (OBM_) are not emulated.
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    std::span<const BYTE> dib = ResourceBytes(instance, name, RT_BITMAP);
    return dib.empty() ? nullptr : MakeBitmap(dib.data(), dib.size(), nullptr, 0, cx, cy, flags);
}

} // namespace
} // namespace emu::detail

using namespace emu::detail;

HANDLE WINAPI LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad) {
    if (!name || cx < 0 || cy < 0 || type > IMAGE_CURSOR) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (type == IMAGE_BITMAP)
        return LoadBitmapImage(hInst, name, cx, cy, fuLoad);
    bool isIcon = type == IMAGE_ICON;
    if (fuLoad & LR_DEFAULTSIZE) {
        cx = cx ? cx : GetSystemMetrics(isIcon ? SM_CXICON : SM_CXCURSOR);
        cy = cy ? cy : GetSystemMetrics(isIcon ? SM_CYICON : SM_CYCURSOR);
    }
    if (!(fuLoad & LR_SHARED) || (fuLoad & LR_LOADFROMFILE))
        return LoadIconImage(hInst, name, isIcon, cx, cy, fuLoad & ~LR_SHARED);
    SharedKey key = KeyOf(hInst, name, type, cx, cy);
    auto& shared = Shared();
    if (auto found = shared.find(key); found != shared.end() && FindIcon(ToHandle<HICON>(found->second)))
        return ToHandle<HANDLE>(found->second);
    HANDLE loaded = LoadIconImage(hInst, name, isIcon, cx, cy, fuLoad);
    if (loaded)
        shared[key] = FromHandle(loaded);
    return loaded;
}

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
    return static_cast<HICON>(
        LoadImageA(hInstance, lpIconName, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    return static_cast<HCURSOR>(
        LoadImageA(hInstance, lpCursorName, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}
