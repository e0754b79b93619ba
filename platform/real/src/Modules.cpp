// On the real platform the system's loader calls each library's DllMain itself, and its calls cannot be
// watched: a registration does nothing, no call is recorded, and module file names cannot be made to fail.
// Tests that need these run on the emulation only.
#include <emu/Modules.h>

namespace emu {

ModuleEntryRegistration::ModuleEntryRegistration(ModuleEntry entry) : m_entry(entry) {}

ModuleEntryRegistration::~ModuleEntryRegistration() = default;

const std::vector<ModuleEntryCall>& ModuleEntryCalls() {
    static const std::vector<ModuleEntryCall> none;
    return none;
}

void FailModuleFileName(LPCSTR, UINT) {}

} // namespace emu
