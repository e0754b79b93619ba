// Version records. A record is a tree of nodes, each a WORD length (of the node with its children), a WORD
// value length (bytes, or characters for text), a WORD type (1 text, 0 binary), a UTF-16 key, the value and
// the children, every part starting on a 32-bit boundary of the record. GetFileVersionInfoA's block holds the
// record, then a DWORD saying how many bytes follow it, then the room where VerQueryValueA puts the ANSI copy
// of a string at the string's own offset in the record.
#include "Ansi.h"
#include "Modules.h"

#include <emu/Resources.h>
#include <windows.h>

#include <limits.h>
#include <stdlib.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace emu::detail {
namespace {

constexpr size_t kHeaderSize = 6;
constexpr WORD kText = 1;
constexpr WORD kBinary = 0;

size_t Align(size_t offset) {
    return (offset + 3) & ~size_t{3};
}

WORD ReadWord(const BYTE* at) {
    WORD value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

class Writer {
public:
    // Starts a node; returns its offset for End.
    size_t Begin(std::u16string_view key, size_t valueLength, WORD type) {
        Pad();
        size_t start = m_data.size();
        Word(0);
        Word(static_cast<WORD>(valueLength));
        Word(type);
        for (char16_t c : key)
            Word(c);
        Word(0);
        Pad();
        return start;
    }
    void End(size_t start) {
        WORD length = static_cast<WORD>(m_data.size() - start);
        std::memcpy(&m_data[start], &length, sizeof length);
    }
    void Word(WORD value) { Bytes(&value, sizeof value); }
    void Bytes(const void* data, size_t size) {
        const BYTE* bytes = static_cast<const BYTE*>(data);
        m_data.insert(m_data.end(), bytes, bytes + size);
    }
    std::vector<BYTE> Take() { return std::move(m_data); }

private:
    void Pad() { m_data.resize(Align(m_data.size()), 0); }

    std::vector<BYTE> m_data;
};

struct Node {
    size_t start;
    size_t end;
    WORD valueLength;
    WORD type;
    std::u16string key;
    size_t value;
    size_t children;
};

// Reads the node at `start`; false unless it lies within `limit`.
bool ReadNode(const BYTE* record, size_t start, size_t limit, Node& node) {
    if (start + kHeaderSize > limit)
        return false;
    WORD length = ReadWord(record + start);
    if (length < kHeaderSize || start + length > limit)
        return false;
    node = Node{start, start + length, ReadWord(record + start + 2), ReadWord(record + start + 4), {}, 0, 0};
    size_t at = start + kHeaderSize;
    for (; at + 2 <= node.end; at += 2) {
        WORD c = ReadWord(record + at);
        if (c == 0)
            break;
        node.key += static_cast<char16_t>(c);
    }
    if (at + 2 > node.end)
        return false;
    node.value = Align(at + 2);
    size_t valueBytes = node.type == kText ? size_t{node.valueLength} * 2 : node.valueLength;
    if (node.value + valueBytes > node.end)
        return false;
    node.children = Align(node.value + valueBytes);
    return true;
}

bool SameKey(std::u16string_view key, std::u16string_view wanted) {
    auto lower = [](char16_t c) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    };
    return key.size() == wanted.size() &&
           std::equal(key.begin(), key.end(), wanted.begin(),
                      [&](char16_t a, char16_t b) { return lower(a) == lower(b); });
}

// Replaces the node with its child of that key; false when it has none.
bool EnterChild(const BYTE* record, Node& node, std::u16string_view key) {
    Node child;
    for (size_t at = node.children; ReadNode(record, at, node.end, child); at = Align(child.end)) {
        if (SameKey(child.key, key)) {
            node = child;
            return true;
        }
    }
    return false;
}

// The loaded module of a file name, or NULL with the error set.
HMODULE ModuleOfFile(LPCSTR name) {
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!IsPathName(name)) {
        HMODULE module = *name ? FindModule(name) : nullptr;
        if (!module)
            SetLastError(ERROR_FILE_NOT_FOUND);
        return module;
    }
    char path[PATH_MAX];
    if (!realpath(name, path)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    HMODULE module = FindModule(path);
    if (!module)
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return module;
}

// The file's version record and its length, or NULL with the error set.
const BYTE* RecordOfFile(LPCSTR name, size_t& length) {
    HMODULE module = ModuleOfFile(name);
    if (!module)
        return nullptr;
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(VS_VERSION_INFO), VS_FILE_INFO);
    if (!info)
        return nullptr;
    const BYTE* record = static_cast<const BYTE*>(LockResource(LoadResource(module, info)));
    Node root;
    if (!ReadNode(record, 0, SizeofResource(module, info), root)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    length = root.end;
    return record;
}

} // namespace
} // namespace emu::detail

using namespace emu::detail;

emu::VersionRecord::VersionRecord(const VS_FIXEDFILEINFO& fixed) : m_fixed(fixed) {}

emu::VersionRecord& emu::VersionRecord::String(const char* table, const char* name, const char* value) {
    auto it = std::find_if(m_tables.begin(), m_tables.end(), [&](const Table& t) { return t.name == table; });
    if (it == m_tables.end())
        it = m_tables.insert(m_tables.end(), Table{table, {}});
    it->strings.emplace_back(name, value);
    return *this;
}

emu::VersionRecord& emu::VersionRecord::Translation(WORD language, WORD codePage) {
    m_translations.emplace_back(language, codePage);
    return *this;
}

std::vector<BYTE> emu::VersionRecord::Build() const {
    Writer writer;
    size_t root = writer.Begin(u"VS_VERSION_INFO", sizeof m_fixed, kBinary);
    writer.Bytes(&m_fixed, sizeof m_fixed);
    if (!m_tables.empty()) {
        size_t fileInfo = writer.Begin(u"StringFileInfo", 0, kText);
        for (const Table& table : m_tables) {
            size_t tableStart = writer.Begin(AnsiToUtf16(table.name), 0, kText);
            for (const auto& [name, value] : table.strings) {
                std::u16string text = AnsiToUtf16(value);
                size_t entry = writer.Begin(AnsiToUtf16(name), text.size() + 1, kText);
                for (char16_t c : text)
                    writer.Word(c);
                writer.Word(0);
                writer.End(entry);
            }
            writer.End(tableStart);
        }
        writer.End(fileInfo);
    }
    if (!m_translations.empty()) {
        size_t varInfo = writer.Begin(u"VarFileInfo", 0, kText);
        size_t var = writer.Begin(u"Translation", m_translations.size() * 4, kBinary);
        for (const auto& [language, codePage] : m_translations) {
            writer.Word(language);
            writer.Word(codePage);
        }
        writer.End(var);
        writer.End(varInfo);
    }
    writer.End(root);
    return writer.Take();
}

DWORD WINAPI GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle) {
    if (lpdwHandle)
        *lpdwHandle = 0;
    size_t length = 0;
    if (!RecordOfFile(lptstrFilename, length))
        return 0;
    return static_cast<DWORD>(Align(length) + sizeof(DWORD) + length);
}

BOOL WINAPI GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD, DWORD dwLen, LPVOID lpData) {
    if (!lpData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    size_t length = 0;
    const BYTE* record = RecordOfFile(lptstrFilename, length);
    if (!record)
        return FALSE;
    // A short buffer gets the record cut to fit, so that the count of the bytes after it always fits too.
    size_t kept = Align(length) + sizeof(DWORD) <= dwLen ? length
                  : dwLen >= sizeof(DWORD)               ? (dwLen - sizeof(DWORD)) & ~size_t{3}
                                                         : 0;
    if (kept < kHeaderSize) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    BYTE* block = static_cast<BYTE*>(lpData);
    std::memcpy(block, record, kept);
    WORD keptLength = static_cast<WORD>(kept);
    std::memcpy(block, &keptLength, sizeof keptLength);
    std::memset(block + kept, 0, Align(kept) - kept);
    DWORD room = static_cast<DWORD>(dwLen - Align(kept) - sizeof(DWORD));
    std::memcpy(block + Align(kept), &room, sizeof room);
    return TRUE;
}

BOOL WINAPI VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, PUINT puLen) {
    if (!pBlock || !lpSubBlock || !lplpBuffer)
        return FALSE;
    BYTE* block = static_cast<BYTE*>(const_cast<void*>(pBlock));
    Node node;
    if (!ReadNode(block, 0, ReadWord(block), node))
        return FALSE;
    size_t recordEnd = node.end;
    std::string_view path = lpSubBlock;
    while (!path.empty()) {
        size_t slash = path.find('\\');
        std::string_view name = path.substr(0, slash);
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
        if (!name.empty() && !EnterChild(block, node, AnsiToUtf16(name)))
            return FALSE;
    }
    UINT length = node.valueLength;
    void* value = block + node.value;
    if (node.type == kText && node.valueLength > 0) {
        std::u16string text;
        for (size_t at = node.value; text.size() < node.valueLength && ReadWord(block + at) != 0; at += 2)
            text += static_cast<char16_t>(ReadWord(block + at));
        std::string ansi = Utf16ToAnsi(text);
        DWORD room;
        std::memcpy(&room, block + Align(recordEnd), sizeof room);
        if (node.value + ansi.size() + 1 > room)
            return FALSE;
        value = block + Align(recordEnd) + sizeof room + node.value;
        std::memcpy(value, ansi.c_str(), ansi.size() + 1);
        length = static_cast<UINT>(ansi.size() + 1);
    }
    *lplpBuffer = value;
    if (puLen)
        *puLen = length;
    return TRUE;
}
