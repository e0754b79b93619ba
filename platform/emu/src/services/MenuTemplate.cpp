// The binary menu template that LoadMenuIndirect reads, built for tests and hosts. Only the platform's text
// conversion is needed, so the real platform's test-facing API builds this file too.
#include "Ansi.h"
#include "Menus.h"

#include <emu/Resources.h>

#include <windows.h>

namespace emu {

MenuTemplate& MenuTemplate::Popup(const char* text) {
    m_entries.push_back({MF_POPUP, 0, text ? text : "", 1});
    return *this;
}

MenuTemplate& MenuTemplate::Item(const char* text, UINT id, UINT flags) {
    m_entries.push_back(
        {static_cast<UINT>(flags & detail::keptFlags & ~(MF_POPUP | MF_SEPARATOR)), id, text ? text : "", 0});
    return *this;
}

MenuTemplate& MenuTemplate::Separator() {
    m_entries.push_back({MF_SEPARATOR, 0, "", 0});
    return *this;
}

MenuTemplate& MenuTemplate::End() {
    m_entries.push_back({0, 0, "", -1});
    return *this;
}

std::vector<BYTE> MenuTemplate::Build() const {
    struct Node {
        const Entry* entry;
        std::vector<Node> children;
    };
    std::vector<Node> top;
    std::vector<std::vector<Node>*> open{&top};
    for (const Entry& entry : m_entries) {
        if (entry.depthChange < 0) {
            if (open.size() > 1)
                open.pop_back();
            continue;
        }
        open.back()->push_back({&entry, {}});
        if (entry.depthChange > 0)
            open.push_back(&open.back()->back().children);
    }

    std::vector<BYTE> out(4, 0); // version 0, no extra header bytes
    auto word = [&](UINT value) {
        out.push_back(static_cast<BYTE>(value));
        out.push_back(static_cast<BYTE>(value >> 8));
    };
    auto text = [&](const std::string& ansi) {
        for (char16_t unit : detail::AnsiToUtf16(ansi))
            word(unit);
        word(0);
    };
    // The format cannot express an empty menu or popup: it gets one separator.
    auto write = [&](auto&& self, const std::vector<Node>& level) -> void {
        if (level.empty()) {
            word(MF_END), word(0), word(0);
            return;
        }
        for (size_t i = 0; i < level.size(); ++i) {
            const Entry& entry = *level[i].entry;
            UINT end = i + 1 == level.size() ? MF_END : 0;
            if (entry.flags & MF_POPUP) {
                word(entry.flags | end);
                text(entry.text);
                self(self, level[i].children);
            } else if (entry.flags & MF_SEPARATOR) {
                word(end), word(0), word(0);
            } else {
                word(entry.flags | end), word(entry.id);
                text(entry.text);
            }
        }
    };
    write(write, top);
    return out;
}

} // namespace emu
