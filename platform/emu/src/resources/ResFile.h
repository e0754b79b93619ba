// The standard .res format that resource compilers write: a sequence of entries, each a RESOURCEHEADER
// (DataSize, HeaderSize, TYPE, NAME, DataVersion, MemoryFlags, LanguageId, Version, Characteristics) and
// its data, every entry and every part after NAME on a DWORD boundary. TYPE and NAME are 0xFFFF and an
// ordinal, or NUL-terminated UTF-16 text. The file starts with an empty entry (type 0), which is no
// resource.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace emu::detail {

// A resource type or name: an ordinal, or text when `named`.
struct ResId {
    bool named = false;
    WORD ordinal = 0;
    std::u16string text;
};

struct ResEntry {
    ResId type;
    ResId name;
    DWORD dataVersion = 0;
    WORD memoryFlags = 0;
    WORD language = 0;
    DWORD version = 0;
    DWORD characteristics = 0;
    const BYTE* data = nullptr; // within the bytes read, not copied
    size_t size = 0;
};

// The resources of a .res file's bytes, in file order. Reading stops at the first entry that is truncated
// or malformed; the entries before it are kept. Empty entries (type 0) are left out.
std::vector<ResEntry> ReadResFile(const BYTE* bytes, size_t size);

} // namespace emu::detail
