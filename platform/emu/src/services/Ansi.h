// Text of the system ANSI code page to and from UTF-16, the form in which resources hold text.
#pragma once

#include <string>
#include <string_view>

namespace emu::detail {

// Bytes that the code page does not define become the code point of the same value.
std::u16string AnsiToUtf16(std::string_view text);
// Characters that the code page cannot show become '?'.
std::string Utf16ToAnsi(std::u16string_view text);

} // namespace emu::detail
