#include "ResFile.h"

namespace emu::detail {
namespace {

// The fixed fields after NAME: DataVersion, MemoryFlags, LanguageId, Version, Characteristics.
constexpr size_t kTailSize = 16;
// DataSize and HeaderSize.
constexpr size_t kSizesSize = 8;

size_t Align(size_t offset) {
    return (offset + 3) & ~size_t{3};
}

WORD Word(const BYTE* at) {
    return static_cast<WORD>(at[0] | at[1] << 8);
}

DWORD Dword(const BYTE* at) {
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<DWORD>(at[3]) << 24;
}

// Reads an ID at `at` within `end`; moves `at` past it. False when it runs past `end`.
bool ReadId(const BYTE* header, size_t& at, size_t end, ResId& id) {
    if (at + 2 > end)
        return false;
    if (Word(header + at) == 0xFFFF) {
        if (at + 4 > end)
            return false;
        id.ordinal = Word(header + at + 2);
        at += 4;
        return true;
    }
    id.named = true;
    for (; at + 2 <= end; at += 2) {
        WORD unit = Word(header + at);
        if (unit == 0) {
            at += 2;
            return true;
        }
        id.text += static_cast<char16_t>(unit);
    }
    return false;
}

} // namespace

std::vector<ResEntry> ReadResFile(const BYTE* bytes, size_t size) {
    std::vector<ResEntry> entries;
    if (!bytes)
        return entries;
    for (size_t at = 0; size - at >= kSizesSize;) {
        const BYTE* header = bytes + at;
        size_t left = size - at;
        size_t dataSize = Dword(header);
        size_t headerSize = Dword(header + 4);
        if (headerSize < kSizesSize + kTailSize + 8 || headerSize > left || dataSize > left - headerSize)
            break;
        ResEntry entry;
        size_t field = kSizesSize;
        if (!ReadId(header, field, headerSize, entry.type) || !ReadId(header, field, headerSize, entry.name))
            break;
        field = Align(field);
        if (field + kTailSize > headerSize)
            break;
        entry.dataVersion = Dword(header + field);
        entry.memoryFlags = Word(header + field + 4);
        entry.language = Word(header + field + 6);
        entry.version = Dword(header + field + 8);
        entry.characteristics = Dword(header + field + 12);
        entry.data = header + headerSize;
        entry.size = dataSize;
        if (entry.type.named || entry.type.ordinal != 0)
            entries.push_back(std::move(entry));
        size_t next = Align(headerSize + dataSize);
        if (next >= left)
            break;
        at += next;
    }
    return entries;
}

} // namespace emu::detail
