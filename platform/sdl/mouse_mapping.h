// From SDL mouse events to Windows mouse messages: the message, the MK_ flags of the buttons
// and modifier keys held, and the position as Windows packs it. Pure: reads nothing but its
// arguments, so it is tested without a window.
// Needs: nothing but the layer's declarations; buttons and modifiers are SDL's masks.
#pragma once

#include "platform/sdl/win32_api.h"

struct MouseMessage {
    UINT message = 0; // 0 for an event that makes none (a button Windows does not report)
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// A move to client point (x, y).
MouseMessage mouseMoveMessage(int x, int y, unsigned buttons, unsigned modifiers);

// A press or release of SDL button `button` at client point (x, y); `clicks` counts the
// presses in quick succession. Where the window's class asks for double clicks, every second
// press is a double click; `buttons` is the mask after the event.
MouseMessage mouseButtonMessage(int button, bool down, int clicks, bool doubleClicks, int x, int y,
                                unsigned buttons, unsigned modifiers);

// A turn of the wheel by `notches` (away from the user is positive) with the pointer at
// screen point (x, y), as WM_MOUSEWHEEL carries it.
MouseMessage mouseWheelMessage(int notches, int x, int y, unsigned buttons, unsigned modifiers);
