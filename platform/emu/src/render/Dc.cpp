// Device contexts: getting and releasing them, memory device contexts with their bitmaps, the objects and
// attributes selected into them, the viewport origin and the clip rectangle.
#include "Dc.h"

#include "Objects.h"
#include "Render.h"
#include "ResetHooks.h"
#include "core/Core.h"
#include "services/Gdi.h"
#include "services/Handles.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace emu::render {
namespace {

constexpr uintptr_t ClientDcBit = 0x80000000u;

struct Registry {
    detail::HandleTable<Dc> table{0x48};
    std::unordered_map<HWND, Dc> clients;
    std::unordered_map<HBITMAP, HDC> selected; // bitmap -> the memory device context holding it
    Surface* surface = nullptr;
};

Registry& Dcs() {
    static auto& registry = *new Registry;
    return registry;
}

const detail::ResetHook reset(detail::ResetStage::Last, [] {
    Dcs().table.Clear();
    Dcs().clients.clear();
    Dcs().selected.clear();
});

DcState Defaults() {
    DcState state;
    state.pen = GetStockObject(BLACK_PEN);
    state.brush = GetStockObject(WHITE_BRUSH);
    state.font = GetStockObject(SYSTEM_FONT);
    return state;
}

HDC ClientDc(HWND hwnd) {
    return reinterpret_cast<HDC>(reinterpret_cast<uintptr_t>(hwnd) | ClientDcBit);
}

HDC Add(Dc dc) {
    return detail::ToHandle<HDC>(Dcs().table.Add(std::move(dc)));
}

RECT Intersect(const RECT& a, const RECT& b) {
    RECT r;
    if (!IntersectRect(&r, &a, &b))
        return RECT{};
    return r;
}

// The device context's drawing area in device coordinates, before any clip rectangle.
RECT DeviceBounds(const Dc& dc) {
    if (dc.kind == Dc::Kind::Memory) {
        detail::Bitmap* bitmap = detail::FindBitmap(dc.state.bitmap);
        return bitmap ? RECT{0, 0, bitmap->Width(), bitmap->Height()} : RECT{};
    }
    core::Window* w = core::Find(dc.hwnd);
    if (!w)
        return RECT{};
    const RECT& r = dc.kind == Dc::Kind::Client ? w->client : w->rect;
    return RECT{0, 0, r.right - r.left, r.bottom - r.top};
}

RECT ClipOf(const Dc& dc) {
    RECT bounds = DeviceBounds(dc);
    return dc.state.clipped ? Intersect(bounds, dc.state.clip) : bounds;
}

// The area a window device context may draw on the surface, in screen coordinates; empty when hidden.
RECT VisibleArea(const Dc& dc, core::Window* w, core::Window* root) {
    if (w == core::Desktop())
        return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!root || !core::IsDescendant(root, w))
        return RECT{};
    RECT area = dc.kind == Dc::Kind::Client ? core::ScreenClient(w) : core::ScreenRect(w);
    for (core::Window* p = w; p != root; p = p->parent) {
        if (!(p->style & WS_VISIBLE))
            return RECT{};
        area = Intersect(area, core::ScreenClient(p->parent));
    }
    return area;
}

} // namespace

Dc* FindDc(HDC hdc) {
    auto raw = reinterpret_cast<uintptr_t>(hdc);
    if (raw > UINT32_MAX)
        return nullptr;
    if (!(raw & ClientDcBit))
        return Dcs().table.Find(static_cast<uint32_t>(raw));
    auto hwnd = reinterpret_cast<HWND>(raw & ~ClientDcBit);
    if (!core::Find(hwnd))
        return nullptr;
    auto [it, added] = Dcs().clients.try_emplace(hwnd);
    if (added) {
        it->second.hwnd = hwnd;
        it->second.state = Defaults();
    }
    return &it->second;
}

std::optional<Target> TargetOf(const Dc& dc) {
    Target target;
    if (dc.kind == Dc::Kind::Memory) {
        detail::Bitmap* bitmap = detail::FindBitmap(dc.state.bitmap);
        if (!bitmap)
            return std::nullopt;
        target.pixels = bitmap->MutablePixels().data();
        target.width = bitmap->Width();
        target.height = bitmap->Height();
        target.mono = bitmap->BitCount() == 1;
        target.clip = ClipOf(dc);
        return target;
    }
    Surface* surface = Dcs().surface;
    core::Window* w = core::Find(dc.hwnd);
    if (!surface || !w)
        return std::nullopt;
    RECT area = VisibleArea(dc, w, core::Find(surface->root));
    RECT device = dc.kind == Dc::Kind::Window ? core::ScreenRect(w) : core::ScreenClient(w);
    target.pixels = surface->pixels.data();
    target.width = surface->width;
    target.height = surface->height;
    target.origin = POINT{device.left - surface->screenOrigin.x, device.top - surface->screenOrigin.y};
    OffsetRect(&area, -surface->screenOrigin.x, -surface->screenOrigin.y);
    RECT clip = ClipOf(dc);
    OffsetRect(&clip, target.origin.x, target.origin.y);
    target.clip = Intersect(Intersect(area, clip), RECT{0, 0, surface->width, surface->height});
    return target;
}

void ResetClientDc(HWND hwnd) {
    Dcs().clients.erase(hwnd);
}

SurfaceScope::SurfaceScope(Surface& surface) : m_previous(Dcs().surface) {
    Dcs().surface = &surface;
}

SurfaceScope::~SurfaceScope() {
    Dcs().surface = m_previous;
}

} // namespace emu::render

using namespace emu::render;

HDC WINAPI GetDC(HWND hWnd) {
    emu::core::Window* w = hWnd ? emu::core::Check(hWnd) : emu::core::Desktop();
    if (!w)
        return nullptr;
    ResetClientDc(w->handle);
    return ClientDc(w->handle);
}

HDC WINAPI GetWindowDC(HWND hWnd) {
    emu::core::Window* w = hWnd ? emu::core::Check(hWnd) : emu::core::Desktop();
    if (!w)
        return nullptr;
    Dc dc;
    dc.kind = Dc::Kind::Window;
    dc.hwnd = w->handle;
    dc.state = Defaults();
    return Add(std::move(dc));
}

int WINAPI ReleaseDC(HWND hWnd, HDC hDC) {
    Dc* dc = FindDc(hDC);
    if (!dc || dc->kind == Dc::Kind::Memory)
        return 0;
    HWND owner = hWnd ? hWnd : emu::core::Desktop()->handle;
    if (dc->hwnd != owner)
        return 0;
    if (dc->kind == Dc::Kind::Client)
        ResetClientDc(owner);
    else
        Dcs().table.Remove(emu::detail::FromHandle(hDC));
    return 1;
}

HWND WINAPI WindowFromDC(HDC hDC) {
    Dc* dc = FindDc(hDC);
    return dc && dc->kind != Dc::Kind::Memory && emu::core::Find(dc->hwnd) ? dc->hwnd : nullptr;
}

HDC WINAPI CreateCompatibleDC(HDC hdc) {
    if (hdc && !FindDc(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    Dc dc;
    dc.kind = Dc::Kind::Memory;
    dc.state = Defaults();
    dc.state.bitmap = DefaultBitmap();
    return Add(std::move(dc));
}

BOOL WINAPI DeleteDC(HDC hdc) {
    Dc* dc = FindDc(hdc);
    if (!dc || dc->kind != Dc::Kind::Memory)
        return FALSE;
    Dcs().selected.erase(dc->state.bitmap);
    for (const DcState& saved : dc->saved)
        Dcs().selected.erase(saved.bitmap);
    Dcs().table.Remove(emu::detail::FromHandle(hdc));
    return TRUE;
}

// A bitmap compatible with the device: monochrome like the bitmap a memory device context holds, else in
// the screen's format. A zero size gives a 1 x 1 monochrome bitmap, as documented.
HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    Dc* dc = FindDc(hdc);
    if (!dc || cx < 0 || cy < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (cx == 0 || cy == 0)
        return CreateBitmap(1, 1, 1, 1, nullptr);
    emu::detail::Bitmap* current =
        dc->kind == Dc::Kind::Memory ? emu::detail::FindBitmap(dc->state.bitmap) : nullptr;
    bool mono = current && current->BitCount() == 1;
    return CreateBitmap(cx, cy, 1, mono ? 1 : emu::detail::screenBitCount, nullptr);
}

// Only bitmaps in the screen's format or monochrome ones can be selected, each into one memory device
// context at a time.
HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    Dc* dc = FindDc(hdc);
    if (!dc || !h) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    DcState& state = dc->state;
    HGDIOBJ previous = nullptr;
    switch (GetObjectType(h)) {
    case OBJ_PEN:
        previous = std::exchange(state.pen, h);
        break;
    case OBJ_BRUSH:
        previous = std::exchange(state.brush, h);
        break;
    case OBJ_FONT:
        previous = std::exchange(state.font, h);
        break;
    case OBJ_BITMAP: {
        auto* bitmap = emu::detail::FindBitmap(h);
        auto bits = bitmap->BitCount();
        auto held = Dcs().selected.find(static_cast<HBITMAP>(h));
        bool elsewhere = held != Dcs().selected.end() && held->second != hdc;
        if (dc->kind != Dc::Kind::Memory || elsewhere || (bits != 1 && bits != emu::detail::screenBitCount))
            return nullptr;
        previous = std::exchange(state.bitmap, static_cast<HBITMAP>(h));
        Dcs().selected.erase(static_cast<HBITMAP>(previous));
        if (h != DefaultBitmap())
            Dcs().selected[static_cast<HBITMAP>(h)] = hdc;
        break;
    }
    default:
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return previous;
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
    Dc* dc = FindDc(hdc);
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_PEN:
        return dc->state.pen;
    case OBJ_BRUSH:
        return dc->state.brush;
    case OBJ_FONT:
        return dc->state.font;
    case OBJ_BITMAP:
        return dc->state.bitmap;
    default:
        return nullptr;
    }
}

int WINAPI SaveDC(HDC hdc) {
    Dc* dc = FindDc(hdc);
    if (!dc)
        return 0;
    dc->saved.push_back(dc->state);
    return static_cast<int>(dc->saved.size());
}

// nSavedDC is a level that SaveDC returned, or negative: that many levels back from the latest.
BOOL WINAPI RestoreDC(HDC hdc, int nSavedDC) {
    Dc* dc = FindDc(hdc);
    if (!dc)
        return FALSE;
    int levels = static_cast<int>(dc->saved.size());
    int level = nSavedDC < 0 ? levels + 1 + nSavedDC : nSavedDC;
    if (level < 1 || level > levels)
        return FALSE;
    if (dc->state.bitmap != dc->saved[static_cast<size_t>(level - 1)].bitmap)
        Dcs().selected.erase(dc->state.bitmap);
    dc->state = dc->saved[static_cast<size_t>(level - 1)];
    dc->saved.resize(static_cast<size_t>(level - 1));
    if (dc->kind == Dc::Kind::Memory && dc->state.bitmap != DefaultBitmap())
        Dcs().selected[dc->state.bitmap] = hdc;
    return TRUE;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    Dc* dc = FindDc(hdc);
    return dc ? std::exchange(dc->state.text, color & 0xFFFFFF) : CLR_INVALID;
}

COLORREF WINAPI GetTextColor(HDC hdc) {
    Dc* dc = FindDc(hdc);
    return dc ? dc->state.text : CLR_INVALID;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    Dc* dc = FindDc(hdc);
    return dc ? std::exchange(dc->state.bk, color & 0xFFFFFF) : CLR_INVALID;
}

COLORREF WINAPI GetBkColor(HDC hdc) {
    Dc* dc = FindDc(hdc);
    return dc ? dc->state.bk : CLR_INVALID;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    Dc* dc = FindDc(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    return std::exchange(dc->state.bkMode, mode);
}

int WINAPI GetBkMode(HDC hdc) {
    Dc* dc = FindDc(hdc);
    return dc ? dc->state.bkMode : 0;
}

BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    Dc* dc = FindDc(hdc);
    if (!dc)
        return FALSE;
    if (lppt)
        *lppt = dc->state.viewport;
    dc->state.viewport = POINT{x, y};
    return TRUE;
}

BOOL WINAPI OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    Dc* dc = FindDc(hdc);
    if (!dc)
        return FALSE;
    if (lppt)
        *lppt = dc->state.viewport;
    dc->state.viewport.x += x;
    dc->state.viewport.y += y;
    return TRUE;
}

BOOL WINAPI GetViewportOrgEx(HDC hdc, LPPOINT lppoint) {
    Dc* dc = FindDc(hdc);
    if (!dc || !lppoint)
        return FALSE;
    *lppoint = dc->state.viewport;
    return TRUE;
}

int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    Dc* dc = FindDc(hdc);
    if (!dc)
        return ERROR;
    RECT rect{left, top, right, bottom};
    OffsetRect(&rect, dc->state.viewport.x, dc->state.viewport.y);
    dc->state.clip = Intersect(ClipOf(*dc), rect);
    dc->state.clipped = true;
    return IsRectEmpty(&dc->state.clip) ? NULLREGION : SIMPLEREGION;
}

int WINAPI GetClipBox(HDC hdc, LPRECT lprect) {
    Dc* dc = FindDc(hdc);
    if (!dc || !lprect)
        return ERROR;
    RECT box = ClipOf(*dc);
    if (IsRectEmpty(&box)) {
        *lprect = RECT{};
        return NULLREGION;
    }
    OffsetRect(&box, -dc->state.viewport.x, -dc->state.viewport.y);
    *lprect = box;
    return SIMPLEREGION;
}
