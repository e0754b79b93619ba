// The icon and cursor objects: the handle table, icons made from bitmaps and back, copies, and the small
// icons made for windows.
#include "Icons.h"

#include "ResetHooks.h"
#include "services/Dib.h"
#include "services/Gdi.h"
#include "services/Handles.h"

#include <algorithm>
#include <map>

namespace emu::detail {
namespace {

struct IconTable {
    HandleTable<Icon> icons{0x50};
    // The small icon made from each icon, by handle value.
    std::map<uint32_t, uint32_t> small;
};

IconTable& State() {
    static auto& state = *new IconTable;
    return state;
}

const ResetHook reset(ResetStage::Services, [] {
    State().icons.Clear();
    State().small.clear();
});

Icon* FindOrFail(HICON handle) {
    Icon* icon = State().icons.Find(FromHandle(handle));
    if (!icon)
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
    return icon;
}

size_t At(int x, int y, int width) {
    return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
}

// A new bitmap of those pixels (rows from the top) and bit count.
HBITMAP MakeBitmap(int width, int height, int bitCount, const std::vector<uint32_t>& pixels) {
    HBITMAP handle = CreateBitmap(width, height, 1, static_cast<UINT>(bitCount), nullptr);
    if (Bitmap* bitmap = FindBitmap(handle))
        bitmap->MutablePixels() = pixels;
    return handle;
}

bool Destroy(HICON handle) {
    IconTable& state = State();
    const Icon* icon = FindOrFail(handle);
    if (!icon)
        return false;
    if (icon->shared)
        return true;
    uint32_t value = FromHandle(handle);
    if (auto small = state.small.find(value); small != state.small.end()) {
        state.icons.Remove(small->second);
        state.small.erase(small);
    }
    state.icons.Remove(value);
    return true;
}

} // namespace

HICON AddIcon(Icon icon) {
    return ToHandle<HICON>(State().icons.Add(std::move(icon)));
}

const Icon* FindIcon(HICON handle) {
    return State().icons.Find(FromHandle(handle));
}

Icon Scaled(const Icon& icon, int cx, int cy) {
    if (cx == icon.width && cy == icon.height)
        return icon;
    Icon scaled = icon;
    scaled.shared = false;
    scaled.width = cx;
    scaled.height = cy;
    scaled.hotspot = {icon.hotspot.x * cx / std::max(icon.width, 1),
                      icon.hotspot.y * cy / std::max(icon.height, 1)};
    scaled.image.assign(static_cast<size_t>(cx) * static_cast<size_t>(cy), 0);
    scaled.mask.assign(scaled.image.size(), 1);
    if (!icon.alpha.empty())
        scaled.alpha.assign(scaled.image.size(), 0);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            size_t from = At(x * icon.width / cx, y * icon.height / cy, icon.width), to = At(x, y, cx);
            scaled.image[to] = icon.image[from];
            scaled.mask[to] = icon.mask[from];
            if (!icon.alpha.empty())
                scaled.alpha[to] = icon.alpha[from];
        }
    return scaled;
}

HICON SmallIconOf(HICON handle) {
    const Icon* icon = FindIcon(handle);
    if (!icon)
        return nullptr;
    IconTable& state = State();
    uint32_t value = FromHandle(handle);
    if (auto small = state.small.find(value); small != state.small.end())
        return ToHandle<HICON>(small->second);
    Icon small = Scaled(*icon, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    small.shared = true;
    HICON made = AddIcon(std::move(small));
    state.small[value] = FromHandle(made);
    return made;
}

} // namespace emu::detail

using namespace emu::detail;

// The mask bitmap is white where the screen shows through. Without a colour bitmap the mask is twice as
// high: the AND mask above the XOR image.
HICON WINAPI CreateIconIndirect(PICONINFO piconinfo) {
    const Bitmap* mask = piconinfo ? FindBitmap(piconinfo->hbmMask) : nullptr;
    const Bitmap* color = piconinfo && piconinfo->hbmColor ? FindBitmap(piconinfo->hbmColor) : nullptr;
    if (!mask || (piconinfo->hbmColor && !color)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Icon icon;
    icon.isIcon = piconinfo->fIcon != FALSE;
    icon.monochrome = !color;
    icon.width = color ? color->Width() : mask->Width();
    icon.height = color ? color->Height() : mask->Height() / 2;
    icon.image.assign(static_cast<size_t>(icon.width) * static_cast<size_t>(icon.height), 0);
    icon.mask.assign(icon.image.size(), 1);
    for (int y = 0; y < icon.height; ++y)
        for (int x = 0; x < icon.width; ++x) {
            size_t to = At(x, y, icon.width);
            if (x < mask->Width() && y < mask->Height())
                icon.mask[to] = ToMonochrome(mask->Pixels()[At(x, y, mask->Width())]) != 0;
            if (color)
                icon.image[to] = color->Pixels()[to];
            else if (y + icon.height < mask->Height())
                icon.image[to] = ToMonochrome(mask->Pixels()[At(x, y + icon.height, mask->Width())]);
        }
    icon.hotspot =
        icon.isIcon ? POINT{icon.width / 2, icon.height / 2}
                    : POINT{static_cast<LONG>(piconinfo->xHotspot), static_cast<LONG>(piconinfo->yHotspot)};
    return AddIcon(std::move(icon));
}

BOOL WINAPI GetIconInfo(HICON hIcon, PICONINFO piconinfo) {
    const Icon* icon = FindOrFail(hIcon);
    if (!icon || !piconinfo) {
        if (icon)
            SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    int maskHeight = icon->monochrome ? 2 * icon->height : icon->height;
    std::vector<uint32_t> mask(static_cast<size_t>(icon->width) * static_cast<size_t>(maskHeight), 0);
    for (size_t i = 0; i < icon->mask.size(); ++i) {
        mask[i] = icon->mask[i] ? 0xFFFFFF : 0;
        if (icon->monochrome)
            mask[i + icon->mask.size()] = icon->image[i] ? 0xFFFFFF : 0;
    }
    piconinfo->fIcon = icon->isIcon;
    piconinfo->xHotspot = static_cast<DWORD>(icon->hotspot.x);
    piconinfo->yHotspot = static_cast<DWORD>(icon->hotspot.y);
    piconinfo->hbmMask = MakeBitmap(icon->width, maskHeight, 1, mask);
    piconinfo->hbmColor =
        icon->monochrome ? nullptr : MakeBitmap(icon->width, icon->height, screenBitCount, icon->image);
    return TRUE;
}

HICON WINAPI CopyIcon(HICON hIcon) {
    const Icon* icon = FindOrFail(hIcon);
    if (!icon)
        return nullptr;
    Icon copy = *icon;
    copy.shared = false;
    return AddIcon(std::move(copy));
}

BOOL WINAPI DestroyIcon(HICON hIcon) {
    return Destroy(hIcon);
}

BOOL WINAPI DestroyCursor(HCURSOR hCursor) {
    return Destroy(hCursor);
}
