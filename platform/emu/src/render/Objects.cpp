// Pens, brushes and fonts in the GDI object table; the stock objects and the system colours.
#include "Objects.h"

#include "ResetHooks.h"
#include "services/Gdi.h"

#include <array>
#include <cstring>
#include <algorithm>
#include <memory>

namespace emu::render {
namespace {

using detail::GdiObject;

template <class Log> int Copy(const Log& log, int size, void* out) {
    if (!out)
        return sizeof log;
    if (size < static_cast<int>(sizeof log))
        return 0;
    std::memcpy(out, &log, sizeof log);
    return sizeof log;
}

class Pen : public GdiObject {
public:
    Pen(const LOGPEN& log, bool stock) : m_log(log), m_stock(stock) {}
    DWORD Type() const override { return OBJ_PEN; }
    int Describe(int size, void* out) const override { return Copy(m_log, size, out); }
    bool Permanent() const override { return m_stock; }
    const LOGPEN& Log() const { return m_log; }

private:
    LOGPEN m_log;
    bool m_stock;
};

class Brush : public GdiObject {
public:
    Brush(const LOGBRUSH& log, bool stock) : m_log(log), m_stock(stock) {}
    DWORD Type() const override { return OBJ_BRUSH; }
    int Describe(int size, void* out) const override { return Copy(m_log, size, out); }
    bool Permanent() const override { return m_stock; }
    const LOGBRUSH& Log() const { return m_log; }

private:
    LOGBRUSH m_log;
    bool m_stock;
};

class Font : public GdiObject {
public:
    Font(const LOGFONTA& log, bool stock) : m_log(log), m_stock(stock) {}
    DWORD Type() const override { return OBJ_FONT; }
    int Describe(int size, void* out) const override { return Copy(m_log, size, out); }
    bool Permanent() const override { return m_stock; }
    const LOGFONTA& Log() const { return m_log; }

private:
    LOGFONTA m_log;
    bool m_stock;
};

class StockBitmap : public detail::Bitmap {
public:
    StockBitmap() : Bitmap(1, 1, 1) {}
    bool Permanent() const override { return true; }
};

// Windows 2000's "Windows Standard" scheme; index 25 is unused.
constexpr std::array<COLORREF, 31> SysColors = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(0, 0, 0),       RGB(0, 0, 128),     RGB(166, 202, 240), RGB(192, 192, 192), RGB(10, 36, 106),
    RGB(212, 208, 200)};

constexpr int StockCount = DEFAULT_GUI_FONT + 1;

struct Cache {
    std::array<HGDIOBJ, StockCount> stock{};
    std::array<HBRUSH, SysColors.size()> sysBrushes{};
    HBITMAP defaultBitmap = nullptr;
};

Cache& Cached() {
    static Cache cache;
    return cache;
}

// emu::Reset empties the object table, stock objects included; they are made again when next asked for.
const detail::ResetHook resetCache(detail::ResetStage::Last, [] { Cached() = Cache{}; });

HGDIOBJ MakePen(int style, COLORREF color) {
    return detail::AddGdiObject(std::make_unique<Pen>(LOGPEN{static_cast<UINT>(style), {1, 0}, color}, true));
}

HGDIOBJ MakeBrush(UINT style, COLORREF color) {
    return detail::AddGdiObject(std::make_unique<Brush>(LOGBRUSH{style, color, 0}, true));
}

HGDIOBJ MakeFont(bool fixed) {
    LOGFONTA log{};
    log.lfHeight = EMU_FONT_HEIGHT;
    log.lfWidth = EMU_FONT_CHAR_WIDTH;
    log.lfWeight = FW_NORMAL;
    log.lfCharSet = ANSI_CHARSET;
    log.lfPitchAndFamily = fixed ? FF_MODERN | 1 : 0;
    std::strcpy(log.lfFaceName, "DejaVu Sans Mono");
    return detail::AddGdiObject(std::make_unique<Font>(log, true));
}

HGDIOBJ MakeStock(int i) {
    switch (i) {
    case WHITE_BRUSH:
        return MakeBrush(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH:
        return MakeBrush(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH:
        return MakeBrush(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH:
        return MakeBrush(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH:
        return MakeBrush(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH:
        return MakeBrush(BS_NULL, 0);
    case WHITE_PEN:
        return MakePen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN:
        return MakePen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN:
        return MakePen(PS_NULL, 0);
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
        return MakeFont(true);
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case DEFAULT_GUI_FONT:
        return MakeFont(false);
    default:
        return nullptr;
    }
}

template <class T> const T* Find(HGDIOBJ handle) {
    return dynamic_cast<const T*>(detail::FindGdiObject(handle));
}

} // namespace

std::optional<PenInfo> PenOf(HGDIOBJ handle) {
    const Pen* pen = Find<Pen>(handle);
    if (!pen)
        return std::nullopt;
    const LOGPEN& log = pen->Log();
    return PenInfo{static_cast<int>(log.lopnStyle), std::max(1, static_cast<int>(log.lopnWidth.x)),
                   log.lopnColor};
}

std::optional<BrushInfo> BrushOf(HGDIOBJ handle) {
    auto value = reinterpret_cast<uintptr_t>(handle);
    if (value >= 1 && value <= SysColors.size())
        return BrushInfo{false, GetSysColor(static_cast<int>(value - 1))};
    const Brush* brush = Find<Brush>(handle);
    if (!brush)
        return std::nullopt;
    return BrushInfo{brush->Log().lbStyle == BS_NULL, brush->Log().lbColor};
}

std::optional<FontInfo> FontOf(HGDIOBJ handle) {
    const Font* font = Find<Font>(handle);
    if (!font)
        return std::nullopt;
    return FontInfo{font->Log().lfWeight >= FW_BOLD};
}

HBITMAP DefaultBitmap() {
    HBITMAP& bitmap = Cached().defaultBitmap;
    if (!bitmap)
        bitmap = static_cast<HBITMAP>(detail::AddGdiObject(std::make_unique<StockBitmap>()));
    return bitmap;
}

} // namespace emu::render

using namespace emu::render;

DWORD WINAPI GetSysColor(int nIndex) {
    if (nIndex < 0 || nIndex >= static_cast<int>(SysColors.size()))
        return 0;
    return SysColors[static_cast<size_t>(nIndex)];
}

HBRUSH WINAPI GetSysColorBrush(int nIndex) {
    if (nIndex < 0 || nIndex >= static_cast<int>(SysColors.size()) || nIndex == 25)
        return nullptr;
    HBRUSH& brush = Cached().sysBrushes[static_cast<size_t>(nIndex)];
    if (!brush)
        brush = static_cast<HBRUSH>(MakeBrush(BS_SOLID, SysColors[static_cast<size_t>(nIndex)]));
    return brush;
}

HGDIOBJ WINAPI GetStockObject(int i) {
    if (i < 0 || i >= StockCount)
        return nullptr;
    HGDIOBJ& object = Cached().stock[static_cast<size_t>(i)];
    if (!object)
        object = MakeStock(i);
    return object;
}

HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color) {
    if (iStyle < PS_SOLID || iStyle > PS_INSIDEFRAME) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    LOGPEN log{static_cast<UINT>(iStyle), {std::max(0, cWidth), 0}, color & 0xFFFFFF};
    return static_cast<HPEN>(emu::detail::AddGdiObject(std::make_unique<Pen>(log, false)));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    LOGBRUSH log{BS_SOLID, color & 0xFFFFFF, 0};
    return static_cast<HBRUSH>(emu::detail::AddGdiObject(std::make_unique<Brush>(log, false)));
}

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lplf) {
    if (!lplf) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return static_cast<HFONT>(emu::detail::AddGdiObject(std::make_unique<Font>(*lplf, false)));
}
