// Simulated user input at the hardware level. Every call queues input in screen coordinates; the input is
// turned into window messages when a message loop retrieves it: mouse messages go to the capture window or
// the window under the cursor (client coordinates, MK_ flags), keys to the focus window.
#pragma once

#include <windows.h>

namespace emu {

enum class Button { Left, Right, Middle };

void MouseMove(int x, int y);
void MouseDown(Button button = Button::Left);
void MouseUp(Button button = Button::Left);
void KeyDown(UINT vk);
void KeyUp(UINT vk);

// A press and release of one key.
void PressKey(UINT vk);
// Types printable text: each character is pressed and released (with Shift where the character needs it).
void TypeText(const char* text);

// Moves to (x, y) and presses and releases the button. Waits out the double-click time first, so that
// two Click calls in a row are two single clicks.
void Click(int x, int y, Button button = Button::Left);
void DoubleClick(int x, int y, Button button = Button::Left);

// Lets virtual time pass; timers that fall due are posted when a loop next looks at the queue.
void Wait(DWORD milliseconds);

// True while queued input has not yet been retrieved by a message loop.
bool HasPendingInput();

} // namespace emu
