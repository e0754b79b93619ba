#include "Ansi.h"

#include <windows.h>

#include <iconv.h>

#include <cerrno>
#include <string>

namespace emu::detail {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can into out; returns false at a sequence it cannot convert (in then points
    // at it) or when the converter does not exist.
    bool Run(const char*& in, size_t& inLeft, std::string& out) {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            return false;
        char buffer[256];
        while (inLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            char* src = const_cast<char*>(in);
            size_t result = iconv(m_cd, &src, &inLeft, &dst, &dstLeft);
            in = src;
            out.append(buffer, dst);
            if (result == static_cast<size_t>(-1) && errno != E2BIG)
                return false;
        }
        return true;
    }

private:
    iconv_t m_cd;
};

std::string CodePageName() {
    return "CP" + std::to_string(GetACP());
}

} // namespace

std::u16string AnsiToUtf16(std::string_view text) {
    Converter converter("UTF-16LE", CodePageName().c_str());
    std::string bytes;
    const char* in = text.data();
    size_t left = text.size();
    while (!converter.Run(in, left, bytes)) {
        auto passThrough = static_cast<unsigned char>(*in);
        bytes.push_back(static_cast<char>(passThrough));
        bytes.push_back(0);
        ++in;
        --left;
    }
    std::u16string out;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            static_cast<unsigned char>(bytes[i + 1]) << 8));
    return out;
}

std::string Utf16ToAnsi(std::u16string_view text) {
    Converter converter(CodePageName().c_str(), "UTF-16LE");
    std::string units;
    for (char16_t c : text) {
        units.push_back(static_cast<char>(c & 0xFF));
        units.push_back(static_cast<char>(c >> 8));
    }
    std::string out;
    const char* in = units.data();
    size_t left = units.size();
    while (!converter.Run(in, left, out)) {
        out.push_back('?');
        size_t skip = left < 2 ? left : 2;
        in += skip;
        left -= skip;
    }
    return out;
}

} // namespace emu::detail
