// The dialog template reader: the classic and the extended layout, each field read only once its bytes are
// known to lie within the template.
#include "DialogTemplate.h"

#include <cstring>

namespace emu::dialogs {
namespace {

class Reader {
public:
    Reader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

    bool Has(size_t n) const { return m_ok && m_at <= m_size && n <= m_size - m_at; }
    size_t At() const { return m_at; }
    bool Ok() const { return m_ok; }

    template <class T> T Read() {
        T value{};
        if (!Has(sizeof(T))) {
            m_ok = false;
            return value;
        }
        std::memcpy(&value, m_data + m_at, sizeof(T));
        m_at += sizeof(T);
        return value;
    }

    void Skip(size_t n) {
        if (!Has(n))
            m_ok = false;
        else
            m_at += n;
    }

    // Items start on a 32-bit boundary from the start of the template.
    void AlignDword() {
        size_t pad = (4 - m_at % 4) % 4;
        if (Has(pad))
            m_at += pad;
        else if (m_size != SIZE_MAX)
            m_at = m_size; // padding at the very end may be missing; nothing follows it then
    }

    std::u16string Text() {
        std::u16string text;
        for (;;) {
            auto c = Read<char16_t>();
            if (!m_ok || c == 0)
                return text;
            text.push_back(c);
        }
    }

    TemplateName Name() {
        TemplateName name;
        auto first = Read<WORD>();
        if (!m_ok || first == 0)
            return name;
        if (first == 0xFFFF) {
            name.isOrdinal = true;
            name.ordinal = Read<WORD>();
            return name;
        }
        name.text.push_back(static_cast<char16_t>(first));
        name.text += Text();
        return name;
    }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_at = 0;
    bool m_ok = true;
};

void ReadFont(Reader& r, DialogTemplate& t) {
    t.hasFont = true;
    t.pointSize = r.Read<WORD>();
    if (t.extended) {
        if (t.pointSize == kMessageBoxFont)
            return;
        t.weight = r.Read<WORD>();
        t.italic = r.Read<BYTE>();
        t.charSet = r.Read<BYTE>();
    }
    t.faceName = r.Text();
}

TemplateItem ReadItem(Reader& r, bool extended) {
    TemplateItem item;
    if (extended) {
        item.helpId = r.Read<DWORD>();
        item.exStyle = r.Read<DWORD>();
        item.style = r.Read<DWORD>();
    } else {
        item.style = r.Read<DWORD>();
        item.exStyle = r.Read<DWORD>();
    }
    item.x = r.Read<short>();
    item.y = r.Read<short>();
    item.cx = r.Read<short>();
    item.cy = r.Read<short>();
    item.id = extended ? r.Read<DWORD>() : r.Read<WORD>();
    item.className = r.Name();
    item.title = r.Name();
    item.dataOffset = r.At();
    item.dataSize = r.Read<WORD>();
    r.Skip(item.dataSize);
    return item;
}

} // namespace

std::optional<DialogTemplate> ReadDialogTemplate(const BYTE* data, size_t size) {
    if (!data)
        return std::nullopt;
    Reader r(data, size);
    DialogTemplate t;
    WORD count = 0;
    if (r.Has(4) && data[0] == 1 && data[1] == 0 && data[2] == 0xFF && data[3] == 0xFF) {
        t.extended = true;
        r.Skip(4);
        t.helpId = r.Read<DWORD>();
        t.exStyle = r.Read<DWORD>();
        t.style = r.Read<DWORD>();
    } else {
        t.style = r.Read<DWORD>();
        t.exStyle = r.Read<DWORD>();
    }
    count = r.Read<WORD>();
    t.x = r.Read<short>();
    t.y = r.Read<short>();
    t.cx = r.Read<short>();
    t.cy = r.Read<short>();
    t.menu = r.Name();
    t.className = r.Name();
    t.title = r.Text();
    if (t.style & DS_SETFONT)
        ReadFont(r, t);
    for (WORD i = 0; i < count && r.Ok(); ++i) {
        r.AlignDword();
        t.items.push_back(ReadItem(r, t.extended));
    }
    if (!r.Ok())
        return std::nullopt;
    return t;
}

} // namespace emu::dialogs
