// String tables: RT_STRING resources, each a block of 16 strings (a WORD count of UTF-16 units, then the
// units), block n holding the IDs 16 * (n - 1) to 16 * n - 1.
#include "services/Ansi.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr UINT kStringsPerBlock = 16;

// The string of that ID in the module's tables; nullopt when the block or the string is missing or
// malformed.
std::optional<std::u16string> FindString(HINSTANCE instance, WORD id) {
    HRSRC info = FindResourceA(instance, MAKEINTRESOURCEA(id / kStringsPerBlock + 1), RT_STRING);
    if (!info)
        return std::nullopt;
    const BYTE* block = static_cast<const BYTE*>(LockResource(LoadResource(instance, info)));
    size_t size = SizeofResource(instance, info);
    size_t at = 0;
    for (UINT index = 0; block; ++index) {
        if (at + 2 > size)
            return std::nullopt;
        size_t length = block[at] | block[at + 1] << 8;
        at += 2;
        if (length > (size - at) / 2)
            return std::nullopt;
        if (index == id % kStringsPerBlock) {
            if (length == 0)
                return std::nullopt;
            std::u16string text(length, u'\0');
            for (size_t i = 0; i < length; ++i)
                text[i] = static_cast<char16_t>(block[at + 2 * i] | block[at + 2 * i + 1] << 8);
            return text;
        }
        at += 2 * length;
    }
    return std::nullopt;
}

} // namespace

int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
    if (cchBufferMax == 0)
        return -1;
    if (!lpBuffer || cchBufferMax < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::optional<std::u16string> text = FindString(hInstance, LOWORD(uID));
    std::string ansi = text ? emu::detail::Utf16ToAnsi(*text) : std::string();
    // Cut to the buffer, never between the two bytes of a character.
    size_t kept = 0;
    while (kept < ansi.size()) {
        size_t next = kept + (IsDBCSLeadByte(static_cast<BYTE>(ansi[kept])) ? 2 : 1);
        if (next > static_cast<size_t>(cchBufferMax - 1) || next > ansi.size())
            break;
        kept = next;
    }
    std::memcpy(lpBuffer, ansi.data(), kept);
    lpBuffer[kept] = '\0';
    return static_cast<int>(kept);
}
