// The pacing of injected input. Events are held in the test-facing API's own queue and injected one at a
// time: the next only once a message loop has retrieved the message of the one before, so that the system's
// key and button state and the cursor position always match the message being handled, as for a person's
// input. A wait in that queue lets its time pass before the events after it.
#pragma once

#include <windows.h>

namespace emu::detail {

// True while held events, or an injected one whose message has not yet been retrieved, remain, or while a
// wait that has begun has not ended.
bool InputOutstanding();
// Forgets the held events and the cursor position (for Reset), releasing the buttons and keys held down.
void ResetInput();

} // namespace emu::detail
