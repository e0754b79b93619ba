// Creating a dialog from its template: the frame window with the template's font and the dialog base units
// it gives, the controls in template order (each sent the font), the default push button, WM_INITDIALOG with
// its focus rule, and the failures of a template that cannot be read or names a class that does not exist.
#include "DialogTemplate.h"
#include "Dialogs.h"

#include "services/Ansi.h"

#include <string>

namespace emu::dialogs {
namespace {

// The classes a template names by ordinal.
const char* PredefinedClass(WORD ordinal) {
    switch (ordinal) {
    case 0x0080:
        return "Button";
    case 0x0081:
        return "Edit";
    case 0x0082:
        return "Static";
    case 0x0083:
        return "ListBox";
    case 0x0084:
        return "ScrollBar";
    case 0x0085:
        return "ComboBox";
    default:
        return nullptr;
    }
}

// A resource name as the A functions take it: an ordinal as MAKEINTRESOURCE, else text in the ANSI code page.
LPCSTR ResourceName(const TemplateName& name, std::string& storage) {
    if (name.isOrdinal)
        return MAKEINTRESOURCEA(name.ordinal);
    storage = detail::Utf16ToAnsi(name.text);
    return storage.c_str();
}

// A control's title: text, or an ordinal (an icon's resource, for a static) as the A functions pass it on:
// 0xFF and then the ordinal's two bytes.
LPCSTR ItemTitle(const TemplateName& title, std::string& storage) {
    if (title.isOrdinal) {
        storage = {'\xFF', static_cast<char>(title.ordinal & 0xFF), static_cast<char>(title.ordinal >> 8)};
        return storage.c_str();
    }
    storage = detail::Utf16ToAnsi(title.text);
    return storage.c_str();
}

HFONT MakeFont(const DialogTemplate& t) {
    LOGFONTA log{};
    if (t.extended && t.pointSize == kMessageBoxFont) {
        // The message box font, which here is the GUI font.
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof log, &log);
        return CreateFontIndirectA(&log);
    }
    // Points at the screen's 96 pixels an inch.
    log.lfHeight = -static_cast<LONG>((t.pointSize * 96 + 36) / 72);
    log.lfWeight = t.weight ? t.weight : FW_NORMAL;
    log.lfItalic = t.italic;
    log.lfCharSet = t.charSet ? t.charSet : DEFAULT_CHARSET;
    std::string face = detail::Utf16ToAnsi(t.faceName);
    face.copy(log.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&log);
}

// The frame's window rectangle: the client area in dialog units, placed relative to the owner's client
// area (or the parent's for a child dialog, or the screen with DS_ABSALIGN), or centred with DS_CENTER.
RECT FrameRect(const DialogTemplate& t, const DialogInfo& info, DWORD style, DWORD exStyle, bool menu,
               HWND owner) {
    RECT units{t.x, t.y, t.x + t.cx, t.y + t.cy};
    RECT rect = ToPixels(units, info);
    RECT frame{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    AdjustWindowRectEx(&frame, style, menu, exStyle);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    POINT at{rect.left, rect.top};
    if (style & DS_CENTER) {
        at = POINT{(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
    } else if (!(style & WS_CHILD) && owner && !(style & DS_ABSALIGN)) {
        ClientToScreen(owner, &at);
    }
    return RECT{at.x, at.y, at.x + width, at.y + height};
}

// Creates the template's controls; false when one could not be created and the template does not ask to
// go on regardless (DS_NOFAILCREATE).
bool CreateControls(HWND dlg, const DialogTemplate& t, const BYTE* data, HINSTANCE instance,
                    DialogInfo& info) {
    for (const TemplateItem& item : t.items) {
        std::string classStorage, titleStorage;
        LPCSTR className = item.className.isOrdinal && PredefinedClass(item.className.ordinal)
                               ? PredefinedClass(item.className.ordinal)
                               : ResourceName(item.className, classStorage);
        RECT r = ToPixels(RECT{item.x, item.y, item.x + item.cx, item.y + item.cy}, info);
        LONG_PTR id = t.extended ? static_cast<LONG_PTR>(static_cast<LONG>(item.id)) : item.id;
        LPVOID creation = item.dataSize ? const_cast<BYTE*>(data + item.dataOffset) : nullptr;
        HWND control = CreateWindowExA(
            item.exStyle | WS_EX_NOPARENTNOTIFY, className, ItemTitle(item.title, titleStorage),
            (item.style & ~WS_POPUP) | WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top, dlg,
            reinterpret_cast<HMENU>(id), instance, creation);
        if (!IsWindow(dlg))
            return false;
        if (!control) {
            if (t.style & DS_NOFAILCREATE)
                continue;
            return false;
        }
        if (info.font)
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(info.font), FALSE);
        if (IsWindow(control) && (DialogCode(control) & DLGC_DEFPUSHBUTTON))
            info.defId = static_cast<UINT>(id);
    }
    return true;
}

} // namespace

const BYTE* FindTemplate(HINSTANCE instance, LPCSTR name, size_t& size) {
    HRSRC resource = FindResourceA(instance, name, RT_DIALOG);
    if (!resource)
        return nullptr;
    HGLOBAL loaded = LoadResource(instance, resource);
    size = SizeofResource(instance, resource);
    return static_cast<const BYTE*>(LockResource(loaded));
}

HWND CreateFromTemplate(HINSTANCE instance, const BYTE* data, size_t size, HWND owner, DLGPROC proc,
                        LPARAM param, bool modal) {
    std::optional<DialogTemplate> read = ReadDialogTemplate(data, size);
    if (!read) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    const DialogTemplate& t = *read;
    if (owner && !IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    DWORD style = t.style;
    DWORD exStyle = t.exStyle;
    if (style & DS_MODALFRAME)
        exStyle |= WS_EX_DLGMODALFRAME;
    if (style & DS_CONTROL) {
        style &= ~(WS_CAPTION | WS_SYSMENU);
        exStyle |= WS_EX_CONTROLPARENT;
    }
    if (style & DS_SYSMODAL)
        exStyle |= WS_EX_TOPMOST;

    DialogInfo info;
    HFONT font = t.hasFont ? MakeFont(t) : nullptr;
    FontBaseUnits(font, info.baseX, info.baseY);
    std::string menuStorage, classStorage;
    HMENU menu = t.menu.Empty() ? nullptr : LoadMenuA(instance, ResourceName(t.menu, menuStorage));
    LPCSTR className = t.className.Empty() ? WC_DIALOG : ResourceName(t.className, classStorage);
    RECT rect = FrameRect(t, info, style, exStyle, menu != nullptr, owner);
    std::string title = detail::Utf16ToAnsi(t.title);
    HWND dlg =
        CreateWindowExA(exStyle, className, title.c_str(), style & ~WS_VISIBLE, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, owner, menu, instance, nullptr);
    if (!dlg) {
        if (font)
            DeleteObject(font);
        if (menu)
            DestroyMenu(menu);
        return nullptr;
    }
    DialogInfo& kept = Info(dlg);
    kept.fromTemplate = true;
    kept.baseX = info.baseX;
    kept.baseY = info.baseY;
    kept.ownFont = font != nullptr;
    kept.font = font;
    SetWindowLongPtrA(dlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    if (font)
        SendMessageA(dlg, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (!IsWindow(dlg))
        return nullptr;
    DialogInfo* live = FindInfo(dlg);
    if (!live || !CreateControls(dlg, t, data, instance, *live)) {
        if (IsWindow(dlg))
            DestroyWindow(dlg);
        return nullptr;
    }
    HWND focus = FirstFocus(dlg);
    if (SendMessageA(dlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), param) && IsWindow(dlg)) {
        // A hidden child dialog does not take the focus.
        if (!((style & DS_CONTROL) && !IsWindowVisible(dlg)))
            MoveDialogFocus(dlg, FirstFocus(dlg) ? FirstFocus(dlg) : dlg);
    }
    // A dialog that destroyed itself in WM_INITDIALOG still gives its (now invalid) handle, as the real
    // dialog manager does.
    if (IsWindow(dlg) && (t.style & WS_VISIBLE) && !modal) {
        ShowWindow(dlg, SW_SHOWNORMAL);
        UpdateWindow(dlg);
    }
    return dlg;
}

} // namespace emu::dialogs

using namespace emu::dialogs;

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA lpTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    return CreateFromTemplate(hInstance, reinterpret_cast<const BYTE*>(lpTemplate), SIZE_MAX, hWndParent,
                              lpDialogFunc, dwInitParam, false);
}

HWND WINAPI CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    size_t size = 0;
    const BYTE* data = FindTemplate(hInstance, lpTemplateName, size);
    if (!data)
        return nullptr;
    return CreateFromTemplate(hInstance, data, size, hWndParent, lpDialogFunc, dwInitParam, false);
}
