// The emulation's dialog template reader over any bytes: it reads nothing beyond them (the sanitizers watch
// that), and what it reads holds together: every control's creation data lies within the bytes, and a
// template read once reads the same again.
#include "dialogs/DialogTemplate.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::optional<emu::dialogs::DialogTemplate> read = emu::dialogs::ReadDialogTemplate(data, size);
    if (!read)
        return 0;
    for (const emu::dialogs::TemplateItem& item : read->items) {
        if (item.dataOffset + 2 + item.dataSize > size)
            std::abort();
    }
    std::optional<emu::dialogs::DialogTemplate> again = emu::dialogs::ReadDialogTemplate(data, size);
    if (!again || again->items.size() != read->items.size() || again->title != read->title)
        std::abort();
    return 0;
}
