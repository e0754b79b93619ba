// Reading dialog templates (DLGTEMPLATE and DLGTEMPLATEEX) from their bytes. The reader is pure and checks
// every read against the size it is given, so that a truncated template fails instead of reading past it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace emu::dialogs {

// A menu, class or title field: nothing (0x0000), an ordinal (0xFFFF, then the value) or a UTF-16 text.
struct TemplateName {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::u16string text;
    bool Empty() const { return !isOrdinal && text.empty(); }
};

struct TemplateItem {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0; // a WORD in the classic form
    TemplateName className;
    TemplateName title;
    // The creation data: the offset of its size word in the template, and the bytes that follow that word.
    size_t dataOffset = 0;
    WORD dataSize = 0;
};

// The point size that, in the extended form, names the message box font instead of a font of its own.
constexpr WORD kMessageBoxFont = 0x7FFF;

struct DialogTemplate {
    bool extended = false;
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    TemplateName menu;
    TemplateName className;
    std::u16string title;
    // With DS_SETFONT: the point size, and in the extended form weight, italic and character set. A point
    // size of 0x7FFF in the extended form names the message box font and has no other font field.
    bool hasFont = false;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charSet = 0;
    std::u16string faceName;
    std::vector<TemplateItem> items;
};

// Reads the template at `data`, of which `size` bytes may be read (SIZE_MAX when the caller does not know
// the size, as for a template in memory: then the reader trusts the template as the platform does).
// Returns nothing when a field lies beyond the size.
std::optional<DialogTemplate> ReadDialogTemplate(const BYTE* data, size_t size);

} // namespace emu::dialogs
