// Message boxes are recorded and answered by the responder, or by their default button.
#include "ResetHooks.h"

#include <emu/Modal.h>

#include <windows.h>

#include <algorithm>
#include <vector>

namespace emu::detail {
namespace {

struct Boxes {
    MessageBoxResponder responder;
    std::vector<MessageBoxShown> shown;
};

Boxes& State() {
    static auto& state = *new Boxes;
    return state;
}

const ResetHook resetBoxes(ResetStage::Services, [] {
    State().responder = nullptr;
    State().shown.clear();
});

// The buttons of each MB_ type, left to right.
std::vector<int> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return {IDOK};
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
        return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_RETRYCANCEL:
        return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE:
        return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    default:
        return {};
    }
}

} // namespace
} // namespace emu::detail

using namespace emu::detail;

void emu::SetMessageBoxResponder(MessageBoxResponder responder) {
    State().responder = std::move(responder);
}

const std::vector<emu::MessageBoxShown>& emu::MessageBoxesShown() {
    return State().shown;
}

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    if (hWnd && !IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    std::vector<int> buttons = ButtonsOf(uType);
    if (buttons.empty()) {
        SetLastError(ERROR_INVALID_MSGBOX_STYLE);
        return 0;
    }
    size_t defaultIndex = (uType & MB_DEFMASK) >> 8;
    int defaultButton = defaultIndex < buttons.size() ? buttons[defaultIndex] : buttons[0];

    emu::MessageBoxShown box{hWnd, lpText ? lpText : "", lpCaption ? lpCaption : "Error", uType,
                             defaultButton};
    int answer = State().responder ? State().responder(box) : defaultButton;
    // Escape closes a box without a Cancel button only when it has just OK; other answers the box cannot
    // give leave the choice to the default button.
    if (answer == IDCANCEL && buttons == std::vector<int>{IDOK})
        answer = IDOK;
    if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end())
        answer = defaultButton;
    box.answer = answer;
    State().shown.push_back(box);
    return answer;
}
