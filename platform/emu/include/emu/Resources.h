// Resources declared in code, for tests of the emulation. A module's own resources come from its resource
// scripts (tal_add_resources, docs/resources.md), as on Windows; a declaration here adds a resource to the
// module that holds the declaration, beside those.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace emu {

// Files a copy of the data as a resource of the module that contains the address `anchor`.
void AddResource(const void* anchor, LPCSTR type, LPCSTR name, WORD language, const void* data, size_t size);

// How many times LoadResource has loaded the module's resource (of any language) since the last Reset.
int ResourceLoads(HMODULE module, LPCSTR type, LPCSTR name);

// Builds the binary menu template that LoadMenuIndirect reads (and RT_MENU resources hold).
class MenuTemplate {
public:
    MenuTemplate& Popup(const char* text); // opens a popup; items until End() belong to it
    // A command item with its ID and MF_ flags (MF_GRAYED, MF_CHECKED, ...).
    MenuTemplate& Item(const char* text, UINT id, UINT flags = 0);
    // A separator line.
    MenuTemplate& Separator();
    // Closes the popup opened last.
    MenuTemplate& End();
    // The template's bytes.
    std::vector<BYTE> Build() const;

private:
    struct Entry {
        UINT flags;
        UINT id;
        std::string text;
        int depthChange;
    };
    std::vector<Entry> m_entries;
};

// Builds a version record as RT_VERSION resources hold it and GetFileVersionInfoA reads it: VS_VERSION_INFO
// with the fixed part, a StringFileInfo with one string table per language and code page (named like
// "040904E4"), and a VarFileInfo with the translations. Texts are in the system ANSI code page.
class VersionRecord {
public:
    // A record whose fixed part is `fixed`, written as given (signature included).
    explicit VersionRecord(const VS_FIXEDFILEINFO& fixed);
    // Adds a string to a table, created on first use: String("040904E4", "FileVersion", "1.0.0.1").
    VersionRecord& String(const char* table, const char* name, const char* value);
    // Adds a language and code page to the translations of VarFileInfo.
    VersionRecord& Translation(WORD language, WORD codePage);
    // The record's bytes.
    std::vector<BYTE> Build() const;

private:
    struct Table {
        std::string name;
        std::vector<std::pair<std::string, std::string>> strings;
    };
    VS_FIXEDFILEINFO m_fixed;
    std::vector<Table> m_tables;
    std::vector<std::pair<WORD, WORD>> m_translations;
};

} // namespace emu

#define EMU_RESOURCE_CONCAT2(a, b) a##b
#define EMU_RESOURCE_CONCAT(a, b) EMU_RESOURCE_CONCAT2(a, b)
// Declares a resource of the module in which this line is compiled: at that module's start, a copy of the
// `size` bytes at `data` is filed (AddResource) under the type, name and language given, as a resource
// script would file it. At most one declaration a line.
#define EMU_RESOURCE(type, name, language, data, size)                                                       \
    static const bool EMU_RESOURCE_CONCAT(emuResource_, __LINE__) = [] {                                     \
        static const char anchor = 0;                                                                        \
        ::emu::AddResource(&anchor, type, name, language, data, size);                                       \
        return true;                                                                                         \
    }()
