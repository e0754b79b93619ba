// Modal dialogs: DialogBox*'s loop with the owner disabled, shown once its queue first runs empty (input
// that waits for the user to see the dialog aside) or a timer message has been handled, telling the owner
// of each idle moment (WM_ENTERIDLE), until EndDialog. The emulation's queue never waits: when nothing is
// left to retrieve the loop ends the dialog as the user's cancel, as Escape would (WM_COMMAND IDCANCEL),
// and with IDCANCEL if the dialog procedure does not end it then.
#include "Dialogs.h"

#include "core/Core.h"

namespace emu::dialogs {
namespace {

bool Running(HWND dlg) {
    DialogInfo* info = IsWindow(dlg) ? FindInfo(dlg) : nullptr;
    return info && !info->ended;
}

bool QueueEmpty() {
    MSG msg;
    return !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
}

void CancelAsUser(HWND dlg) {
    HWND cancel = GetDlgItem(dlg, IDCANCEL);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
    if (Running(dlg))
        EndDialog(dlg, IDCANCEL);
}

INT_PTR RunModal(HWND dlg, HWND owner) {
    bool shown = false;
    bool idleMessages = !(GetWindowLongA(dlg, GWL_STYLE) & DS_NOIDLEMSG);
    ReleaseCapture();
    while (Running(dlg)) {
        if (!shown && !core::HasQueuedWork()) {
            shown = true;
            ShowWindow(dlg, SW_SHOWNORMAL);
            continue;
        }
        if (shown && QueueEmpty()) {
            if (owner && idleMessages)
                SendMessageA(owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dlg));
            if (!Running(dlg))
                break;
            if (QueueEmpty()) {
                if (GetCapture())
                    ReleaseCapture();
                else
                    CancelAsUser(dlg);
                continue;
            }
        }
        MSG msg;
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageA(dlg, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        // A timer message that comes before the dialog is shown shows it once handled, whatever waits.
        if (!shown && msg.message == WM_TIMER && Running(dlg)) {
            shown = true;
            ShowWindow(dlg, SW_SHOWNORMAL);
        }
    }
    DialogInfo* info = IsWindow(dlg) ? FindInfo(dlg) : nullptr;
    return info ? info->result : 0;
}

INT_PTR RunDialogBox(HINSTANCE instance, const BYTE* data, size_t size, HWND owner, DLGPROC proc,
                     LPARAM param) {
    if (owner && !IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    HWND dlg = CreateFromTemplate(instance, data, size, top, proc, param, true);
    if (!IsWindow(dlg))
        return -1;
    bool disabled = top && IsWindowEnabled(top);
    if (disabled)
        EnableWindow(top, FALSE);
    INT_PTR result = RunModal(dlg, top);
    if (disabled && IsWindow(top) && !IsWindowEnabled(top))
        EnableWindow(top, TRUE);
    if (IsWindow(dlg))
        DestroyWindow(dlg);
    return result;
}

} // namespace
} // namespace emu::dialogs

using namespace emu::dialogs;

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA hDialogTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    return RunDialogBox(hInstance, reinterpret_cast<const BYTE*>(hDialogTemplate), SIZE_MAX, hWndParent,
                        lpDialogFunc, dwInitParam);
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam) {
    size_t size = 0;
    const BYTE* data = FindTemplate(hInstance, lpTemplateName, size);
    if (!data)
        return -1;
    return RunDialogBox(hInstance, data, size, hWndParent, lpDialogFunc, dwInitParam);
}

// Ends the dialog's loop with the result; the owner of a modal dialog is enabled again at once, so that it
// takes the activation back when the dialog goes.
BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
    if (!IsWindow(hDlg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    DialogInfo& info = Info(hDlg);
    info.ended = true;
    info.result = nResult;
    HWND owner = GetWindow(hDlg, GW_OWNER);
    if (owner && !IsWindowEnabled(owner) && !(GetWindowLongA(hDlg, GWL_STYLE) & WS_CHILD))
        EnableWindow(owner, TRUE);
    ShowWindow(hDlg, SW_HIDE);
    return TRUE;
}
