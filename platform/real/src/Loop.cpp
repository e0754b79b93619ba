// Running the thread's real message loop until it has nothing left to do: no message, and no held input or
// wait of the test-facing API (Clock.h). Injected input reaches the queue through the system, so an empty
// queue is watched a short while before the pumping ends.
#include "Clock.h"

#include <emu/Loop.h>

namespace {

// How long an empty queue is watched for messages still on their way before the pumping ends.
constexpr DWORD kSettleMilliseconds = 30;

bool PumpOne(BOOL (*pumpOne)()) {
    if (pumpOne != nullptr)
        return pumpOne() != FALSE;
    MSG msg;
    if (!GetMessageA(&msg, nullptr, 0, 0))
        return false;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

// True when a message is ready, waiting at most `milliseconds` for one.
bool MessageReady(DWORD milliseconds) {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
        return true;
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
}

bool QuitWaiting() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

} // namespace

namespace emu {

int PumpMessages(BOOL (*pumpOne)()) {
    int retrieved = 0;
    for (;;) {
        if (QuitWaiting())
            return retrieved;
        if (!MessageReady(kSettleMilliseconds)) {
            if (detail::InputOutstanding())
                continue;
            return retrieved;
        }
        if (!PumpOne(pumpOne)) {
            // GetMessage took the WM_QUIT: put it back, so that it stays retrievable.
            PostQuitMessage(0);
            return retrieved + 1;
        }
        ++retrieved;
    }
}

} // namespace emu
