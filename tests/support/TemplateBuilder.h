// Builds dialog templates in memory, in the classic (DLGTEMPLATE) or the extended (DLGTEMPLATEEX) layout,
// for CreateDialogIndirectParamA and DialogBoxIndirectParamA.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

// Class ordinals of the predefined controls in templates.
constexpr WORD kButton = 0x0080;
constexpr WORD kEdit = 0x0081;
constexpr WORD kStatic = 0x0082;

class TemplateBuilder {
public:
    TemplateBuilder(DWORD style, short x, short y, short cx, short cy, bool extended = false)
        : m_style(style), m_x(x), m_y(y), m_cx(cx), m_cy(cy), m_extended(extended) {}

    TemplateBuilder& Title(const char* title) {
        m_title = title;
        return *this;
    }
    // DS_SETFONT is added to the style.
    TemplateBuilder& Font(WORD pointSize, const char* face) {
        m_style |= DS_SETFONT;
        m_pointSize = pointSize;
        m_face = face;
        return *this;
    }
    // The extended form's point size 0x7FFF: the message box font, with no other font field.
    TemplateBuilder& MessageBoxFont() {
        m_style |= DS_SETFONT;
        m_pointSize = 0x7FFF;
        return *this;
    }
    TemplateBuilder& ExStyle(DWORD exStyle) {
        m_exStyle = exStyle;
        return *this;
    }
    // A control of a predefined class (kButton, kEdit, kStatic, ...), with its creation
    // data (the bytes after the size word).
    TemplateBuilder& Control(WORD classOrdinal, const char* title, DWORD id, DWORD style, short x, short y,
                             short cx, short cy, std::vector<BYTE> data = {}) {
        m_items.push_back(Item{classOrdinal, "", title, id, static_cast<DWORD>(style | WS_CHILD), x, y, cx,
                               cy, std::move(data)});
        return *this;
    }
    // A control of a class given by name.
    TemplateBuilder& Control(const char* className, const char* title, DWORD id, DWORD style, short x,
                             short y, short cx, short cy, std::vector<BYTE> data = {}) {
        m_items.push_back(Item{0, className, title, id, static_cast<DWORD>(style | WS_CHILD), x, y, cx, cy,
                               std::move(data)});
        return *this;
    }

    // The last control's title becomes a resource ordinal (0xFFFF, then the ordinal), as for an icon.
    TemplateBuilder& OrdinalTitle(WORD ordinal) {
        m_items.back().titleOrdinal = ordinal;
        return *this;
    }

    std::vector<BYTE> Build() const {
        std::vector<BYTE> out;
        if (m_extended) {
            Word(out, 1);
            Word(out, 0xFFFF);
            Dword(out, 0);
            Dword(out, m_exStyle);
            Dword(out, m_style);
        } else {
            Dword(out, m_style);
            Dword(out, m_exStyle);
        }
        Word(out, static_cast<WORD>(m_items.size()));
        for (short v : {m_x, m_y, m_cx, m_cy})
            Word(out, static_cast<WORD>(v));
        Word(out, 0); // no menu
        Word(out, 0); // the dialog class
        Text(out, m_title);
        if (m_style & DS_SETFONT) {
            Word(out, m_pointSize);
            bool messageBoxFont = m_extended && m_pointSize == 0x7FFF;
            if (m_extended && !messageBoxFont) {
                Word(out, FW_NORMAL);
                out.push_back(0);
                out.push_back(DEFAULT_CHARSET);
            }
            if (!messageBoxFont)
                Text(out, m_face);
        }
        for (const Item& item : m_items) {
            while (out.size() % 4)
                out.push_back(0);
            if (m_extended) {
                Dword(out, 0);
                Dword(out, 0);
                Dword(out, item.style);
            } else {
                Dword(out, item.style);
                Dword(out, 0);
            }
            for (short v : {item.x, item.y, item.cx, item.cy})
                Word(out, static_cast<WORD>(v));
            if (m_extended)
                Dword(out, item.id);
            else
                Word(out, static_cast<WORD>(item.id));
            if (item.classOrdinal) {
                Word(out, 0xFFFF);
                Word(out, item.classOrdinal);
            } else {
                Text(out, item.className);
            }
            if (item.titleOrdinal) {
                Word(out, 0xFFFF);
                Word(out, item.titleOrdinal);
            } else {
                Text(out, item.title);
            }
            Word(out, static_cast<WORD>(item.data.size()));
            out.insert(out.end(), item.data.begin(), item.data.end());
        }
        while (out.size() % 4)
            out.push_back(0);
        return out;
    }

private:
    struct Item {
        WORD classOrdinal;
        std::string className;
        std::string title;
        DWORD id;
        DWORD style;
        short x, y, cx, cy;
        std::vector<BYTE> data;
        WORD titleOrdinal = 0;
    };
    static void Word(std::vector<BYTE>& out, WORD w) {
        out.push_back(static_cast<BYTE>(w & 0xFF));
        out.push_back(static_cast<BYTE>(w >> 8));
    }
    static void Dword(std::vector<BYTE>& out, DWORD d) {
        Word(out, static_cast<WORD>(d & 0xFFFF));
        Word(out, static_cast<WORD>(d >> 16));
    }
    // ASCII text as the template's UTF-16.
    static void Text(std::vector<BYTE>& out, const std::string& text) {
        for (char c : text)
            Word(out, static_cast<BYTE>(c));
        Word(out, 0);
    }

    DWORD m_style;
    DWORD m_exStyle = 0;
    short m_x, m_y, m_cx, m_cy;
    bool m_extended;
    std::string m_title;
    WORD m_pointSize = 0;
    std::string m_face;
    std::vector<Item> m_items;
};

inline const DLGTEMPLATE* AsTemplate(const std::vector<BYTE>& bytes) {
    return reinterpret_cast<const DLGTEMPLATE*>(bytes.data());
}
