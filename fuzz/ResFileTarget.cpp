// The emulation's .res reader over any bytes, and the dialog template reader over the dialogs it finds. Each
// entry's data lies within the bytes, after the previous entry's; no entry is an empty one (type 0); the
// bytes cut at the end of an entry's data read as the entries up to it; and a dialog entry's template is read
// from a copy of its data alone, so that the sanitizers see any read beyond the entry.
#include "dialogs/DialogTemplate.h"
#include "resources/ResFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using emu::detail::ResEntry;
using emu::detail::ResId;

void Require(bool bCondition, const char* pszWhat) {
    if (bCondition)
        return;
    std::fprintf(stderr, "broken: %s\n", pszWhat);
    std::abort();
}

bool SameId(const ResId& a, const ResId& b) {
    return a.named == b.named && a.ordinal == b.ordinal && a.text == b.text;
}

bool Same(const ResEntry& a, const ResEntry& b) {
    return SameId(a.type, b.type) && SameId(a.name, b.name) && a.dataVersion == b.dataVersion &&
           a.memoryFlags == b.memoryFlags && a.language == b.language && a.version == b.version &&
           a.characteristics == b.characteristics && a.data == b.data && a.size == b.size;
}

// The bytes cut at the end of entry k read as entries 0 to k.
void CheckCut(const uint8_t* data, const std::vector<ResEntry>& entries, size_t k) {
    const size_t end = static_cast<size_t>(entries[k].data - data) + entries[k].size;
    std::vector<ResEntry> cut = emu::detail::ReadResFile(data, end);
    Require(cut.size() == k + 1, "the bytes cut after an entry read as other entries");
    for (size_t i = 0; i <= k; ++i)
        Require(Same(cut[i], entries[i]), "an entry reads otherwise from the cut bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr WORD kDialog = 5;
    constexpr size_t kCuts = 8;
    std::vector<ResEntry> entries = emu::detail::ReadResFile(data, size);
    const uint8_t* pAfter = data;
    for (const ResEntry& entry : entries) {
        Require(entry.type.named || entry.type.ordinal != 0, "an empty entry was kept");
        Require(entry.data >= pAfter && entry.size <= size && entry.data <= data + size - entry.size,
                "an entry's data lies outside the bytes or before the previous entry's end");
        pAfter = entry.data + entry.size;
        for (const ResId* id : {&entry.type, &entry.name})
            Require(!id->named || id->text.find(u'\0') == std::u16string::npos, "a name holds a NUL");
        if (!entry.type.named && entry.type.ordinal == kDialog) {
            std::vector<BYTE> copy(entry.data, entry.data + entry.size);
            std::optional<emu::dialogs::DialogTemplate> read =
                emu::dialogs::ReadDialogTemplate(copy.data(), copy.size());
            for (const emu::dialogs::TemplateItem& item :
                 read ? read->items : std::vector<emu::dialogs::TemplateItem>())
                Require(item.dataOffset + 2 + item.dataSize <= copy.size(),
                        "a control's data lies beyond its dialog");
        }
    }
    for (size_t k = 0; k < entries.size() && k < kCuts; ++k)
        CheckCut(data, entries, k);
    if (entries.size() > kCuts)
        CheckCut(data, entries, entries.size() - 1);
    return 0;
}
