// The resources of each module: those of its compiled resource scripts, read from its resource notes
// (tal_add_resources) the first time the module is searched and used in place, and those declared in code
// (EMU_RESOURCE). HRSRC and the HGLOBAL of loaded data are numbered entries of one table; entries stay for
// the life of the process, and those of an unloaded module answer nothing.
#include "ResFile.h"
#include "ResetHooks.h"
#include "services/Ansi.h"
#include "services/Handles.h"
#include "services/Modules.h"

#include <emu/Resources.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <span>
#include <string>
#include <vector>

namespace emu::detail {
namespace {

constexpr uint32_t infoTag = 0x20000000;
constexpr uint32_t dataTag = 0x21000000;
// The language the emulated user interface runs in.
constexpr WORD userLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
// The notes that tal_add_resources files into a module: each holds one .res file.
constexpr char noteOwner[] = "TalControl";
constexpr uint32_t noteType = 1;

// An integer ID or an upper-cased name.
struct Key {
    WORD id = 0;
    std::u16string name;
    bool operator==(const Key&) const = default;
};

struct Entry {
    HMODULE module;
    Key type;
    Key name;
    WORD language;
    const BYTE* data;
    size_t size;
    // LoadResource calls since the last Reset.
    int loads = 0;
};

struct Table {
    std::vector<Entry> entries;
    // Declared data is never freed, so pointers from LockResource stay valid when a declaration is repeated.
    std::deque<std::vector<BYTE>> declared;
    // The modules whose resource notes have been read.
    std::vector<HMODULE> read;
};

Table& State() {
    static Table& table = *new Table;
    return table;
}

const ResetHook resetLoads(ResetStage::Services, [] {
    for (Entry& entry : State().entries)
        entry.loads = 0;
});

// Names compare without case, as the loader upper-cases them.
std::u16string Upper(std::u16string name) {
    for (char16_t& c : name)
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    return name;
}

Key KeyOf(LPCSTR value) {
    if (IS_INTRESOURCE(value))
        return {static_cast<WORD>(reinterpret_cast<uintptr_t>(value)), {}};
    if (value[0] == '#' && value[1] != '\0') {
        char* end = nullptr;
        unsigned long number = std::strtoul(value + 1, &end, 10);
        if (*end == '\0' && number <= 0xFFFF)
            return {static_cast<WORD>(number), {}};
    }
    return {0, Upper(AnsiToUtf16(value))};
}

Key KeyOf(const ResId& id) {
    return id.named ? Key{0, Upper(id.text)} : Key{id.ordinal, {}};
}

// Files the resources of the module's compiled scripts, once per module.
void ReadScripts(HMODULE module) {
    Table& table = State();
    if (std::find(table.read.begin(), table.read.end(), module) != table.read.end())
        return;
    table.read.push_back(module);
    for (std::span<const BYTE> file : ModuleNotes(module, noteOwner, noteType))
        for (const ResEntry& res : ReadResFile(file.data(), file.size()))
            table.entries.push_back(
                {module, KeyOf(res.type), KeyOf(res.name), res.language, res.data, res.size});
}

Entry* EntryOf(HRSRC info) {
    uint32_t value = FromHandle(info);
    if ((value & 0xFF000000) != infoTag)
        return nullptr;
    size_t index = (value & 0xFFFFFF) - 1;
    return index < State().entries.size() ? &State().entries[index] : nullptr;
}

// The entry of loaded data, while its module is loaded.
const Entry* EntryOf(HGLOBAL data) {
    uint32_t value = FromHandle(data);
    if ((value & 0xFF000000) != dataTag)
        return nullptr;
    const Entry* entry = EntryOf(ToHandle<HRSRC>((value & 0xFFFFFF) | infoTag));
    return entry && ResolveModule(entry->module) == entry->module ? entry : nullptr;
}

// Searches one module. exactLanguage false means the loader's fallbacks: neutral, the user's default,
// the system default, the user interface language and its primary language, then the lowest language.
HRSRC Find(HMODULE module, const Key& type, const Key& name, WORD language, bool exactLanguage) {
    HMODULE resolved = ResolveModule(module);
    if (resolved)
        ReadScripts(resolved);
    std::vector<size_t> named;
    bool moduleHasAny = false, typeFound = false;
    const auto& entries = State().entries;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!resolved || entries[i].module != resolved)
            continue;
        moduleHasAny = true;
        if (!(entries[i].type == type))
            continue;
        typeFound = true;
        if (entries[i].name == name)
            named.push_back(i);
    }
    DWORD error = !moduleHasAny   ? ERROR_RESOURCE_DATA_NOT_FOUND
                  : !typeFound    ? ERROR_RESOURCE_TYPE_NOT_FOUND
                  : named.empty() ? ERROR_RESOURCE_NAME_NOT_FOUND
                                  : ERROR_RESOURCE_LANG_NOT_FOUND;
    auto withLanguage = [&](WORD wanted) -> HRSRC {
        for (size_t i : named)
            if (entries[i].language == wanted)
                return ToHandle<HRSRC>(infoTag | static_cast<uint32_t>(i + 1));
        return nullptr;
    };
    if (exactLanguage) {
        if (HRSRC found = withLanguage(language))
            return found;
    } else {
        const WORD order[] = {MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                              MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                              MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT), userLanguage,
                              MAKELANGID(PRIMARYLANGID(userLanguage), SUBLANG_NEUTRAL)};
        for (WORD wanted : order)
            if (HRSRC found = withLanguage(wanted))
                return found;
        auto lowest = std::min_element(named.begin(), named.end(), [&](size_t a, size_t b) {
            return entries[a].language < entries[b].language;
        });
        if (lowest != named.end())
            return ToHandle<HRSRC>(infoTag | static_cast<uint32_t>(*lowest + 1));
    }
    SetLastError(error);
    return nullptr;
}

} // namespace
} // namespace emu::detail

using namespace emu::detail;

void emu::AddResource(const void* anchor, LPCSTR type, LPCSTR name, WORD language, const void* data,
                      size_t size) {
    HMODULE module = ModuleOfAddress(anchor);
    if (!module)
        return;
    Table& table = State();
    const BYTE* bytes = static_cast<const BYTE*>(data);
    const std::vector<BYTE>& stored = table.declared.emplace_back(bytes, bytes + size);
    Key typeKey = KeyOf(type), nameKey = KeyOf(name);
    for (Entry& entry : table.entries) {
        if (entry.module == module && entry.type == typeKey && entry.name == nameKey &&
            entry.language == language) {
            entry.data = stored.data();
            entry.size = stored.size();
            return;
        }
    }
    table.entries.push_back({module, typeKey, nameKey, language, stored.data(), stored.size()});
}

int emu::ResourceLoads(HMODULE module, LPCSTR type, LPCSTR name) {
    HMODULE resolved = ResolveModule(module);
    Key typeKey = KeyOf(type), nameKey = KeyOf(name);
    int loads = 0;
    for (const Entry& entry : State().entries) {
        if (resolved && entry.module == resolved && entry.type == typeKey && entry.name == nameKey)
            loads += entry.loads;
    }
    return loads;
}

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
    return Find(hModule, KeyOf(lpType), KeyOf(lpName), 0, false);
}

HRSRC WINAPI FindResourceExA(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage) {
    bool threadLanguage = wLanguage == MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    return Find(hModule, KeyOf(lpType), KeyOf(lpName), wLanguage, !threadLanguage);
}

HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo) {
    Entry* entry = EntryOf(hResInfo);
    if (!entry || entry->module != ResolveModule(hModule)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++entry->loads;
    return ToHandle<HGLOBAL>((FromHandle(hResInfo) & 0xFFFFFF) | dataTag);
}

LPVOID WINAPI LockResource(HGLOBAL hResData) {
    const Entry* entry = EntryOf(hResData);
    if (!entry)
        return nullptr;
    // Windows hands out read-only resource memory through a non-const pointer.
    return const_cast<BYTE*>(entry->data);
}

DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
    const Entry* entry = EntryOf(hResInfo);
    if (!entry || entry->module != ResolveModule(hModule)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return static_cast<DWORD>(entry->size);
}

BOOL WINAPI FreeResource(HGLOBAL) {
    return FALSE;
}
