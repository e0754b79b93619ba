// Simulated user input at the hardware level. Every call queues input in screen coordinates; the input is
// turned into window messages when a message loop retrieves it: mouse messages go to the capture window or
// the window under the cursor (client coordinates, MK_ flags), keys to the focus window.
//
// Time is virtual: each queued event takes 10 ms, and Wait lets time pass between events. A message's time
// (GetMessageTime) is the time of its event.
//
// Mouse events, when retrieved:
// - With a capture window, every mouse message goes to it in its client coordinates, without hit testing.
// - Otherwise the window under the cursor is found as WindowFromPoint does (WM_NCHITTEST; hidden windows are
//   skipped; a disabled child passes the point to its parent; over a disabled top-level window the event is
//   lost). Over the client area the message is WM_MOUSEMOVE, WM_xBUTTONDOWN/UP/DBLCLK; elsewhere on the
//   window it is the non-client form (WM_NCMOUSEMOVE ..., wParam the hit-test code, lParam screen
//   coordinates). Over no window the event gives no message.
// - A button press over a child first sends WM_PARENTNOTIFY up its parents (unless WS_EX_NOPARENTNOTIFY),
// then
//   WM_MOUSEACTIVATE when the window's top-level window is not the active one (MA_ACTIVATE activates it with
//   WA_CLICKACTIVE; the ...ANDEAT answers drop the press), then WM_SETCURSOR as for every uncaptured event.
// - A second press of the same button over the same window within GetDoubleClickTime() and the
//   SM_CXDOUBLECLK x SM_CYDOUBLECLK rectangle is a double click: WM_xBUTTONDBLCLK for classes with CS_DBLCLKS
//   (always in the non-client area); a third press starts over.
// Key events go to the focus window; with no focus, to the active window as WM_SYSKEYDOWN/UP. While Alt is
// down (without Ctrl), and for F10, they are WM_SYSKEYDOWN/UP. TranslateMessage makes WM_CHAR/WM_SYSCHAR
// with the US layout.
#pragma once

#include <windows.h>

// The emulation's test-facing API (<emu/Emu.h>), which the Windows build of the tests has for the real
// platform too.
namespace emu {

// A mouse button.
enum class Button { Left, Right, Middle };

// Moves the cursor to (x, y).
void MouseMove(int x, int y);
// Presses the button where the cursor is.
void MouseDown(Button button = Button::Left);
// Releases the button where the cursor is.
void MouseUp(Button button = Button::Left);
// Presses the key of virtual-key code vk; it stays down until KeyUp.
void KeyDown(UINT vk);
// Releases the key of virtual-key code vk.
void KeyUp(UINT vk);

// A press and release of one key.
void PressKey(UINT vk);
// Types text: each character is pressed and released (with Shift where the character needs it). A character
// that the US layout has no key for is typed as its code in the ANSI code page: Alt held while 0 and three
// digits are typed on the numeric keypad.
void TypeText(const char* text);

// Moves to (x, y) and presses and releases the button. Waits out the double-click time first, so that
// two Click calls in a row are two single clicks.
void Click(int x, int y, Button button = Button::Left);
// Moves to (x, y) and clicks twice within the double-click time, after waiting it out as Click does.
void DoubleClick(int x, int y, Button button = Button::Left);

// Lets virtual time pass; timers that fall due are posted when a loop next looks at the queue. Queued
// after other input, the wait takes place after that input has been retrieved.
void Wait(DWORD milliseconds);

// True while queued input has not yet been retrieved by a message loop.
bool HasPendingInput();

} // namespace emu
