// Builds dialog templates in memory (DLGTEMPLATE with DS_SETFONT, then its items), in the layout that the
// dialog manager reads and that a resource compiler writes for a DIALOG resource.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

class DialogTemplate {
public:
    // Predefined control classes, as a template names them by atom.
    static constexpr WORD kButton = 0x0080;
    static constexpr WORD kEdit = 0x0081;
    static constexpr WORD kStatic = 0x0082;

    DialogTemplate(DWORD style, short x, short y, short cx, short cy, const char* title) {
        Align(4);
        DLGTEMPLATE header{};
        header.style = style | DS_SETFONT;
        header.x = x;
        header.y = y;
        header.cx = cx;
        header.cy = cy;
        Append(&header, sizeof header);
        Word(0); // no menu
        Word(0); // the dialog class
        Text(title);
        Word(8);
        Text("MS Shell Dlg");
    }

    // A control of a predefined class (kButton, ...); WS_CHILD | WS_VISIBLE are added.
    DialogTemplate& Item(WORD classAtom, WORD id, DWORD style, short x, short y, short cx, short cy,
                         const char* text) {
        BeginItem(id, style, x, y, cx, cy);
        Word(0xFFFF);
        Word(classAtom);
        Finish(text);
        return *this;
    }
    // A control of a class named by its name.
    DialogTemplate& Item(const char* className, WORD id, DWORD style, short x, short y, short cx, short cy,
                         const char* text) {
        BeginItem(id, style, x, y, cx, cy);
        Text(className);
        Finish(text);
        return *this;
    }

    const std::vector<BYTE>& Bytes() const { return m_bytes; }
    LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_storage.data()); }
    // Copies the bytes to storage aligned for the dialog manager; call after the last item.
    DialogTemplate& Done() {
        m_storage.assign((m_bytes.size() + 3) / 4, 0);
        std::memcpy(m_storage.data(), m_bytes.data(), m_bytes.size());
        return *this;
    }

private:
    void BeginItem(WORD id, DWORD style, short x, short y, short cx, short cy) {
        Align(4);
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = id;
        Append(&item, sizeof item);
        // The item count in the header.
        WORD count = 0;
        std::memcpy(&count, m_bytes.data() + offsetof(DLGTEMPLATE, cdit), sizeof count);
        ++count;
        std::memcpy(m_bytes.data() + offsetof(DLGTEMPLATE, cdit), &count, sizeof count);
    }
    void Finish(const char* text) {
        Text(text);
        Word(0); // no creation data
    }
    void Append(const void* data, size_t size) {
        const BYTE* p = static_cast<const BYTE*>(data);
        m_bytes.insert(m_bytes.end(), p, p + size);
    }
    void Word(WORD w) { Append(&w, sizeof w); }
    // ASCII text as UTF-16.
    void Text(const char* text) {
        for (const char* p = text; *p != '\0'; ++p)
            Word(static_cast<BYTE>(*p));
        Word(0);
    }
    void Align(size_t boundary) {
        while (m_bytes.size() % boundary != 0)
            m_bytes.push_back(0);
    }

    std::vector<BYTE> m_bytes;
    std::vector<DWORD> m_storage;
};
