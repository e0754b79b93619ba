// Text of the system ANSI code page to UTF-16, with the platform's own conversion, for the menu templates
// built by the test-facing API.
#include "../../emu/src/services/Ansi.h"

#include <windows.h>

namespace emu::detail {

std::u16string AnsiToUtf16(std::string_view text) {
    const int length = static_cast<int>(text.size());
    std::u16string out(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0)),
                       u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<LPWSTR>(out.data()),
                        static_cast<int>(out.size()));
    return out;
}

} // namespace emu::detail
