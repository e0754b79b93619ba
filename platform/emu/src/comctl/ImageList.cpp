// Image lists: a table of validated handles, each list holding its images as 32-bit pixels with a
// transparency mask.
#include "ImageList.h"

#include "../ResetHooks.h"

#include <emu/ImageListPixels.h>

#include <algorithm>
#include <memory>

namespace emu::comctl {

namespace {

constexpr uint32_t Opaque = 0xFF000000u;

struct List {
    int cx = 0, cy = 0;
    UINT flags = 0;
    int count = 0;
    std::vector<uint32_t> pixels; // count images of cx*cy pixels, 0xAARRGGBB
    COLORREF background = CLR_NONE;
    HBITMAP infoImage = nullptr, infoMask = nullptr;

    bool Masked() const { return flags & ILC_MASK; }
    size_t Size() const { return static_cast<size_t>(cx) * static_cast<size_t>(cy); }
    uint32_t* Image(int i) { return pixels.data() + Size() * static_cast<size_t>(i); }
    void DropInfo() {
        if (infoImage)
            DeleteObject(infoImage);
        if (infoMask)
            DeleteObject(infoMask);
        infoImage = infoMask = nullptr;
    }
    void Resize(int n) {
        DropInfo();
        count = n;
        pixels.resize(Size() * static_cast<size_t>(n), Masked() ? 0u : Opaque);
    }
};

// Handles: slot index in the low 20 bits, generation above; freed slots are reused first in, first out.
class Table {
public:
    static Table& Get() {
        static Table table;
        return table;
    }
    HIMAGELIST Add(std::unique_ptr<List> list) {
        uint32_t i;
        if (m_freeHead) {
            i = m_freeHead;
            m_freeHead = m_slots[i].nextFree;
            if (!m_freeHead)
                m_freeTail = 0;
        } else {
            if (m_slots.size() >= (1u << IndexBits))
                return nullptr;
            i = static_cast<uint32_t>(m_slots.size());
            m_slots.push_back(Slot{nullptr, 1, 0});
        }
        m_slots[i].list = std::move(list);
        return reinterpret_cast<HIMAGELIST>(static_cast<uintptr_t>((m_slots[i].gen << IndexBits) | i));
    }
    List* Find(HIMAGELIST h) {
        uintptr_t v = reinterpret_cast<uintptr_t>(h);
        uint32_t i = static_cast<uint32_t>(v & ((1u << IndexBits) - 1));
        if (v >= (uintptr_t(1) << 31) || i == 0 || i >= m_slots.size() || (v >> IndexBits) != m_slots[i].gen)
            return nullptr;
        return m_slots[i].list.get();
    }
    bool Remove(HIMAGELIST h) {
        List* list = Find(h);
        if (!list)
            return false;
        uint32_t i = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h) & ((1u << IndexBits) - 1));
        Release(i);
        return true;
    }
    void Clear() {
        for (uint32_t i = 1; i < m_slots.size(); ++i)
            if (m_slots[i].list)
                Release(i);
    }

private:
    static constexpr unsigned IndexBits = 20;
    struct Slot {
        std::unique_ptr<List> list;
        uint32_t gen;
        uint32_t nextFree;
    };
    void Release(uint32_t i) {
        m_slots[i].list->DropInfo();
        m_slots[i].list.reset();
        m_slots[i].gen = m_slots[i].gen + 1 >= (1u << (31 - IndexBits)) ? 1 : m_slots[i].gen + 1;
        m_slots[i].nextFree = 0;
        if (m_freeTail)
            m_slots[m_freeTail].nextFree = i;
        else
            m_freeHead = i;
        m_freeTail = i;
    }
    std::vector<Slot> m_slots = std::vector<Slot>(1);
    uint32_t m_freeHead = 0, m_freeTail = 0;
};

const detail::ResetHook resetImageLists(detail::ResetStage::Services, [] { Table::Get().Clear(); });

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

// The bitmap's pixels as opaque 0xAARRGGBB values, top row first.
bool ReadBitmap(HBITMAP bitmap, int& width, int& height, std::vector<uint32_t>& pixels) {
    BITMAP bm{};
    if (!bitmap || GetObjectA(bitmap, sizeof bm, &bm) != sizeof bm || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return false;
    width = bm.bmWidth;
    height = bm.bmHeight;
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    BITMAPINFO bi = TopDown32(width, height);
    HDC screen = GetDC(nullptr);
    const int read =
        GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (read <= 0)
        return false;
    for (uint32_t& p : pixels)
        p |= Opaque;
    return true;
}

COLORREF ToColorRef(uint32_t argb) {
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

// Copies image k of a bitmap strip (and of its mask, white meaning transparent) into dst.
void CutImage(const List& list, uint32_t* dst, const std::vector<uint32_t>& src, int width, int height,
              const std::vector<uint32_t>* mask, int k) {
    for (int y = 0; y < list.cy; ++y)
        for (int x = 0; x < list.cx; ++x) {
            int sx = k * list.cx + x;
            uint32_t p = y < height && sx < width ? src[static_cast<size_t>(y) * width + sx] : Opaque;
            if (mask && y < height && sx < width && ((*mask)[static_cast<size_t>(y) * width + sx] & 0xFFFFFF))
                p &= 0x00FFFFFF;
            dst[static_cast<size_t>(y) * list.cx + x] = p;
        }
}

int AddStrip(List& list, const std::vector<uint32_t>& src, int width, int height,
             const std::vector<uint32_t>* mask) {
    int n = width / list.cx;
    if (n <= 0)
        return -1;
    int first = list.count;
    list.Resize(first + n);
    for (int k = 0; k < n; ++k)
        CutImage(list, list.Image(first + k), src, width, height, mask, k);
    return first;
}

} // namespace

HIMAGELIST CreateImageListFromPixels(int cx, int cy, const std::vector<uint32_t>& pixels, int count) {
    HIMAGELIST h = ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, count, 1);
    if (List* list = Table::Get().Find(h)) {
        list->Resize(count);
        for (int k = 0; k < count; ++k) {
            auto from = pixels.begin() + static_cast<ptrdiff_t>(list->Size() * static_cast<size_t>(k));
            std::copy(from, from + static_cast<ptrdiff_t>(list->Size()), list->Image(k));
        }
    }
    return h;
}

} // namespace emu::comctl

using emu::comctl::List;
using emu::comctl::Table;

HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow) {
    if (cx <= 0 || cy <= 0 || cInitial < 0 || cGrow < 0)
        return nullptr;
    auto list = std::make_unique<List>();
    list->cx = cx;
    list->cy = cy;
    list->flags = flags;
    list->pixels.reserve(list->Size() * static_cast<size_t>(cInitial));
    return Table::Get().Add(std::move(list));
}

BOOL WINAPI ImageList_Destroy(HIMAGELIST himl) {
    return Table::Get().Remove(himl) ? TRUE : FALSE;
}

int WINAPI ImageList_GetImageCount(HIMAGELIST himl) {
    List* list = Table::Get().Find(himl);
    return list ? list->count : 0;
}

BOOL WINAPI ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount) {
    List* list = Table::Get().Find(himl);
    if (!list || uNewCount > (1u << 24))
        return FALSE;
    list->Resize(static_cast<int>(uNewCount));
    return TRUE;
}

BOOL WINAPI ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
    List* list = Table::Get().Find(himl);
    if (!list || !cx || !cy)
        return FALSE;
    *cx = list->cx;
    *cy = list->cy;
    return TRUE;
}

int WINAPI ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask) {
    List* list = Table::Get().Find(himl);
    int width, height;
    std::vector<uint32_t> pixels;
    if (!list || !emu::comctl::ReadBitmap(hbmImage, width, height, pixels))
        return -1;
    std::vector<uint32_t> mask;
    int mw, mh;
    bool useMask = list->Masked() && hbmMask && emu::comctl::ReadBitmap(hbmMask, mw, mh, mask) &&
                   mw >= width && mh >= height;
    if (useMask && mw != width) {
        std::vector<uint32_t> cut(static_cast<size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            std::copy_n(mask.begin() + static_cast<ptrdiff_t>(y) * mw, width,
                        cut.begin() + static_cast<ptrdiff_t>(y) * width);
        mask.swap(cut);
    }
    return emu::comctl::AddStrip(*list, pixels, width, height, useMask ? &mask : nullptr);
}

// The mask colour becomes transparent, and those pixels turn black, in the list and, as documented, in
// the caller's bitmap too. A list without a mask takes the images as they are.
int WINAPI ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask) {
    List* list = Table::Get().Find(himl);
    if (!list)
        return -1;
    if (!list->Masked())
        return ImageList_Add(himl, hbmImage, nullptr);
    int width, height;
    std::vector<uint32_t> pixels;
    if (!emu::comctl::ReadBitmap(hbmImage, width, height, pixels))
        return -1;
    COLORREF key = crMask == CLR_DEFAULT ? emu::comctl::ToColorRef(pixels[0]) : (crMask & 0xFFFFFF);
    std::vector<uint32_t> mask(pixels.size(), 0);
    bool changed = false;
    for (size_t k = 0; k < pixels.size(); ++k)
        if (emu::comctl::ToColorRef(pixels[k]) == key) {
            mask[k] = 0xFFFFFF;
            changed |= (pixels[k] & 0xFFFFFF) != 0;
            pixels[k] = emu::comctl::Opaque;
        }
    int first = emu::comctl::AddStrip(*list, pixels, width, height, &mask);
    if (first >= 0 && changed) {
        BITMAPINFO bi = emu::comctl::TopDown32(width, height);
        SetDIBits(nullptr, hbmImage, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS);
    }
    return first;
}

BOOL WINAPI ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask) {
    List* list = Table::Get().Find(himl);
    if (!list || i < 0 || i >= list->count)
        return FALSE;
    int width, height, mw, mh;
    std::vector<uint32_t> pixels, mask;
    if (!emu::comctl::ReadBitmap(hbmImage, width, height, pixels))
        return FALSE;
    bool useMask = list->Masked() && hbmMask && emu::comctl::ReadBitmap(hbmMask, mw, mh, mask) &&
                   mw == width && mh == height;
    list->DropInfo();
    emu::comctl::CutImage(*list, list->Image(i), pixels, width, height, useMask ? &mask : nullptr, 0);
    return TRUE;
}

BOOL WINAPI ImageList_Remove(HIMAGELIST himl, int i) {
    List* list = Table::Get().Find(himl);
    if (!list || i < -1 || i >= list->count)
        return FALSE;
    if (i == -1) {
        list->Resize(0);
        return TRUE;
    }
    list->DropInfo();
    auto begin = list->pixels.begin() + static_cast<ptrdiff_t>(list->Size() * static_cast<size_t>(i));
    list->pixels.erase(begin, begin + static_cast<ptrdiff_t>(list->Size()));
    --list->count;
    return TRUE;
}

// The images as one strip, image i at (i * cx, 0); the mask has 1 (white) where an image is transparent.
BOOL WINAPI ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* pImageInfo) {
    List* list = Table::Get().Find(himl);
    if (!list || !pImageInfo || i < 0 || i >= list->count)
        return FALSE;
    if (!list->infoImage) {
        int width = list->cx * list->count, height = list->cy;
        std::vector<uint32_t> strip(static_cast<size_t>(width) * height);
        size_t rowBytes = static_cast<size_t>((width + 15) / 16 * 2);
        std::vector<BYTE> maskBits(rowBytes * static_cast<size_t>(height), 0);
        for (int k = 0; k < list->count; ++k)
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < list->cx; ++x) {
                    uint32_t p = list->Image(k)[static_cast<size_t>(y) * list->cx + x];
                    int sx = k * list->cx + x;
                    strip[static_cast<size_t>(y) * width + sx] = p & 0xFFFFFF;
                    if (list->Masked() && !(p & emu::comctl::Opaque))
                        maskBits[static_cast<size_t>(y) * rowBytes + sx / 8] |=
                            static_cast<BYTE>(0x80 >> (sx % 8));
                }
        list->infoImage = CreateBitmap(width, height, 1, 32, strip.data());
        if (list->Masked())
            list->infoMask = CreateBitmap(width, height, 1, 1, maskBits.data());
    }
    pImageInfo->hbmImage = list->infoImage;
    pImageInfo->hbmMask = list->infoMask;
    pImageInfo->Unused1 = pImageInfo->Unused2 = 0;
    pImageInfo->rcImage = RECT{i * list->cx, 0, (i + 1) * list->cx, list->cy};
    return TRUE;
}

COLORREF WINAPI ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk) {
    List* list = Table::Get().Find(himl);
    if (!list)
        return CLR_NONE;
    std::swap(list->background, clrBk);
    return clrBk;
}

COLORREF WINAPI ImageList_GetBkColor(HIMAGELIST himl) {
    List* list = Table::Get().Find(himl);
    return list ? list->background : CLR_NONE;
}

std::vector<uint32_t> emu::ImageListPixels(HIMAGELIST himl, int index) {
    List* list = Table::Get().Find(himl);
    if (!list || index < 0 || index >= list->count)
        return {};
    const uint32_t* image = list->Image(index);
    std::vector<uint32_t> out(image, image + list->Size());
    if (!list->Masked())
        for (uint32_t& p : out)
            p |= emu::comctl::Opaque;
    return out;
}
