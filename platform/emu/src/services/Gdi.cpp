#include "Gdi.h"

#include "Dib.h"
#include "Handles.h"
#include "ResetHooks.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace emu::detail {
namespace {

HandleTable<std::unique_ptr<GdiObject>>& Objects() {
    static auto& objects = *new HandleTable<std::unique_ptr<GdiObject>>(0x40);
    return objects;
}

const ResetHook resetObjects(ResetStage::Services, [] { Objects().Clear(); });

// Device-dependent bits: rows from the top, each padded to a 16-bit boundary.
size_t DdbStride(int width, int bitCount) {
    return static_cast<size_t>((static_cast<int64_t>(width) * bitCount + 15) / 16 * 2);
}

uint32_t Expand5(uint32_t value) {
    return value << 3 | value >> 2;
}

HBITMAP Add(std::unique_ptr<Bitmap> bitmap) {
    return static_cast<HBITMAP>(AddGdiObject(std::move(bitmap)));
}

Canvas CanvasOf(Bitmap& bitmap) {
    return {bitmap.Width(), bitmap.Height(), bitmap.MutablePixels().data()};
}

} // namespace

HGDIOBJ AddGdiObject(std::unique_ptr<GdiObject> object) {
    return ToHandle<HGDIOBJ>(Objects().Add(std::move(object)));
}

GdiObject* FindGdiObject(HGDIOBJ handle) {
    auto* found = Objects().Find(FromHandle(handle));
    return found ? found->get() : nullptr;
}

Bitmap* FindBitmap(HGDIOBJ handle) {
    GdiObject* object = FindGdiObject(handle);
    return object && object->Type() == OBJ_BITMAP ? static_cast<Bitmap*>(object) : nullptr;
}

Bitmap::Bitmap(int width, int height, int bitCount)
    : m_width(width), m_height(height), m_bitCount(bitCount),
      m_pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0) {}

int Bitmap::Describe(int size, void* out) const {
    if (!out)
        return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP)))
        return 0;
    BITMAP description{};
    description.bmWidth = m_width;
    description.bmHeight = m_height;
    description.bmWidthBytes = static_cast<LONG>(DdbStride(m_width, m_bitCount));
    description.bmPlanes = 1;
    description.bmBitsPixel = static_cast<WORD>(m_bitCount);
    std::memcpy(out, &description, sizeof description);
    return sizeof description;
}

void Bitmap::Quantize() {
    for (uint32_t& pixel : m_pixels) {
        if (m_bitCount == 1)
            pixel = ToMonochrome(pixel);
        else if (m_bitCount == 16)
            pixel = Expand5(pixel >> 19 & 0x1F) << 16 | Expand5(pixel >> 11 & 0x1F) << 8 |
                    Expand5(pixel >> 3 & 0x1F);
    }
}

} // namespace emu::detail

using namespace emu::detail;

HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits) {
    if (nWidth < 0 || nHeight < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (nWidth == 0 || nHeight == 0)
        return Add(std::make_unique<Bitmap>(1, 1, 1));
    UINT bitCount = nPlanes * nBitCount;
    if (bitCount != 1 && bitCount != 16 && bitCount != 24 && bitCount != 32) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (static_cast<int64_t>(nWidth) * nHeight > maxBitmapPixels) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto bitmap = std::make_unique<Bitmap>(nWidth, nHeight, static_cast<int>(bitCount));
    if (lpBits) {
        DibFormat format{};
        format.width = nWidth;
        format.height = nHeight;
        format.topDown = true;
        format.bitCount = static_cast<int>(bitCount);
        format.compression = BI_RGB;
        if (bitCount == 16) {
            format.masks[0] = 0x7C00, format.masks[1] = 0x03E0, format.masks[2] = 0x001F;
        } else if (bitCount == 32) {
            format.masks[0] = 0xFF0000, format.masks[1] = 0x00FF00, format.masks[2] = 0x0000FF;
        }
        format.palette = {0x000000, 0xFFFFFF};
        format.stride = DdbStride(nWidth, format.bitCount);
        DecodeDib(format, static_cast<const BYTE*>(lpBits), SIZE_MAX, 0, nHeight, CanvasOf(*bitmap));
        bitmap->Quantize();
    }
    return Add(std::move(bitmap));
}

int WINAPI SetDIBits(HDC, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi,
                     UINT ColorUse) {
    Bitmap* bitmap = FindBitmap(hbm);
    if (!bitmap) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    auto format = ReadDibFormat(lpbmi, SIZE_MAX, ColorUse);
    if (!format || !lpBits || start > INT32_MAX || cLines > INT32_MAX) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int lines = DecodeDib(*format, static_cast<const BYTE*>(lpBits), SIZE_MAX, static_cast<int>(start),
                          static_cast<int>(cLines), CanvasOf(*bitmap));
    bitmap->Quantize();
    return lines < 0 ? 0 : lines;
}

HBITMAP WINAPI CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit, const void* pjBits,
                              const BITMAPINFO* pbmi, UINT iUsage) {
    // Only the size is taken from pbmih; the bits are described by pbmi.
    if (!pbmih || (pbmih->biSize != sizeof(BITMAPCOREHEADER) && pbmih->biSize < sizeof(BITMAPINFOHEADER))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    int64_t width, height;
    if (pbmih->biSize == sizeof(BITMAPCOREHEADER)) {
        const auto* core = reinterpret_cast<const BITMAPCOREHEADER*>(pbmih);
        width = core->bcWidth;
        height = core->bcHeight;
    } else {
        width = pbmih->biWidth;
        height = pbmih->biHeight < 0 ? -static_cast<int64_t>(pbmih->biHeight) : pbmih->biHeight;
    }
    if (width <= 0 || height <= 0 || width * height > maxBitmapPixels) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HBITMAP handle =
        Add(std::make_unique<Bitmap>(static_cast<int>(width), static_cast<int>(height), screenBitCount));
    if ((flInit & CBM_INIT) && !SetDIBits(hdc, handle, 0, static_cast<UINT>(height), pjBits, pbmi, iUsage)) {
        DeleteObject(handle);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return handle;
}

int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
    GdiObject* object = FindGdiObject(h);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return object->Describe(c, pv);
}

DWORD WINAPI GetObjectType(HGDIOBJ h) {
    GdiObject* object = FindGdiObject(h);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return object->Type();
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    if (GdiObject* object = FindGdiObject(ho); object && object->Permanent())
        return TRUE;
    return Objects().Remove(FromHandle(ho)) ? TRUE : FALSE;
}

HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
    return static_cast<HBITMAP>(LoadImageA(hInstance, lpBitmapName, IMAGE_BITMAP, 0, 0, 0));
}
