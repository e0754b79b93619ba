// Resources on the real platform come from each module's resource script. A resource declared in code
// cannot be added to a module's resource section, so it is not filed anywhere: a test that needs one carries
// a resource script with the same resources for the Windows build. ResourceLoads cannot watch the system's
// LoadResource and answers -1.
#include <emu/Resources.h>

namespace emu {

void AddResource(const void*, LPCSTR, LPCSTR, WORD, const void*, size_t) {}

int ResourceLoads(HMODULE, LPCSTR, LPCSTR) {
    return -1;
}

} // namespace emu
