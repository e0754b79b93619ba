// Resources of a module. On Windows they come from the module's resource section; here each module
// declares them in its own code, and the emulation files them under the module that holds the declaration.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace emu {

// Files a copy of the data as a resource of the module that contains the address `anchor`.
void AddResource(const void* anchor, LPCSTR type, LPCSTR name, WORD language, const void* data, size_t size);

// Builds the binary menu template that LoadMenuIndirect reads (and RT_MENU resources hold).
class MenuTemplate {
public:
    MenuTemplate& Popup(const char* text); // opens a popup; items until End() belong to it
    MenuTemplate& Item(const char* text, UINT id, UINT flags = 0);
    MenuTemplate& Separator();
    MenuTemplate& End();
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

} // namespace emu

// Declares a resource of the module in which this line is compiled.
#define EMU_RESOURCE_CONCAT2(a, b) a##b
#define EMU_RESOURCE_CONCAT(a, b) EMU_RESOURCE_CONCAT2(a, b)
#define EMU_RESOURCE(type, name, language, data, size)                                                       \
    static const bool EMU_RESOURCE_CONCAT(emuResource_, __LINE__) = [] {                                     \
        static const char anchor = 0;                                                                        \
        ::emu::AddResource(&anchor, type, name, language, data, size);                                       \
        return true;                                                                                         \
    }()
