// Reading a bitmap's pixels as a device-independent bitmap. The device context names the device whose
// colours the bitmap holds, so it must be a live one.
#include "Dc.h"
#include "services/Dib.h"
#include "services/Gdi.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

using namespace emu::detail;
using emu::render::FindDc;

int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi,
                     UINT usage) {
    Bitmap* bitmap = FindBitmap(hbm);
    if (!bitmap || !FindDc(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!lpbmi || lpbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) || usage != DIB_RGB_COLORS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    BITMAPINFOHEADER& header = lpbmi->bmiHeader;
    if (!lpvBits && header.biBitCount == 0) {
        header.biWidth = bitmap->Width();
        header.biHeight = bitmap->Height();
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(bitmap->BitCount());
        header.biCompression = BI_RGB;
        header.biSizeImage =
            static_cast<DWORD>(DibStride(bitmap->Width(), bitmap->BitCount()) * bitmap->Height());
        header.biXPelsPerMeter = header.biYPelsPerMeter = 0;
        header.biClrUsed = header.biClrImportant = 0;
        return bitmap->Height();
    }
    int bitCount = header.biBitCount;
    if ((bitCount != 1 && bitCount != 16 && bitCount != 24 && bitCount != 32) ||
        header.biCompression != BI_RGB || header.biPlanes != 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (bitCount == 1) {
        lpbmi->bmiColors[0] = {0, 0, 0, 0};
        (&lpbmi->bmiColors[0])[1] = {0xFF, 0xFF, 0xFF, 0};
    }
    if (!lpvBits) {
        header.biWidth = bitmap->Width();
        header.biHeight = header.biHeight < 0 ? -bitmap->Height() : bitmap->Height();
        header.biSizeImage = static_cast<DWORD>(DibStride(bitmap->Width(), bitCount) * bitmap->Height());
        header.biClrUsed = 0;
        return bitmap->Height();
    }
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    DibFormat format{};
    format.width = header.biWidth;
    format.height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    format.topDown = header.biHeight < 0;
    format.bitCount = bitCount;
    format.stride = DibStride(format.width, bitCount);
    if (start >= static_cast<UINT>(format.height))
        return 0;
    int lines = static_cast<int>(std::min<UINT>(cLines, static_cast<UINT>(format.height) - start));
    Canvas canvas{bitmap->Width(), bitmap->Height(), bitmap->MutablePixels().data()};
    EncodeDib(format, canvas, static_cast<int>(start), lines, static_cast<BYTE*>(lpvBits));
    return lines;
}
