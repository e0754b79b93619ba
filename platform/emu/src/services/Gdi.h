// The GDI object table. Bitmaps live here; other areas add their own kinds of GDI object (fonts, brushes)
// through AddGdiObject so that GetObjectA, GetObjectType and DeleteObject know every GDI handle.
// emu::Reset deletes every object in the table.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace emu::detail {

class GdiObject {
public:
    virtual ~GdiObject() = default;
    virtual DWORD Type() const = 0; // an OBJ_ value
    // GetObjectA: with out NULL the size of the description, else the bytes written (0 when size is short).
    virtual int Describe(int size, void* out) const = 0;
    // Stock objects belong to the system: DeleteObject succeeds and leaves them alone.
    virtual bool Permanent() const { return false; }
};

HGDIOBJ AddGdiObject(std::unique_ptr<GdiObject> object);
GdiObject* FindGdiObject(HGDIOBJ handle);

// A device-dependent bitmap: 1 bit per pixel (monochrome) or 16, 24 or 32 (the screen's depth).
class Bitmap : public GdiObject {
public:
    Bitmap(int width, int height, int bitCount);
    DWORD Type() const override { return OBJ_BITMAP; }
    int Describe(int size, void* out) const override;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int BitCount() const { return m_bitCount; }
    // Rows from the top, 0x00RRGGBB, already reduced to what the bit count can hold.
    const std::vector<uint32_t>& Pixels() const { return m_pixels; }
    std::vector<uint32_t>& MutablePixels() { return m_pixels; }
    // Reduces every pixel to the colours the bit count can hold.
    void Quantize();

private:
    int m_width;
    int m_height;
    int m_bitCount;
    std::vector<uint32_t> m_pixels;
};

Bitmap* FindBitmap(HGDIOBJ handle);

// The bit depth of the emulated screen, and so of bitmaps compatible with it.
constexpr int screenBitCount = 32;

} // namespace emu::detail
