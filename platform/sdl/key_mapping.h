// From SDL key events to Windows keyboard messages: the virtual-key code and the lParam
// that Windows builds (repeat count, scan code, extended bit, context, previous state,
// transition). Pure: reads nothing but its arguments, so it is tested without a window.
// Needs: nothing but the layer's declarations; the codes are SDL's key and scan codes.
#pragma once

#include "platform/sdl/win32_api.h"

struct KeyMessage {
    UINT message = 0; // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP; 0 for no key
    WPARAM virtualKey = 0;
    LPARAM lParam = 0;
};

// sym is SDL's key code (the layout's character), scancode its scan code (the position),
// modifiers SDL's modifier bits. `down` is true for a press, `repeat` for an automatic
// repetition of a held key.
KeyMessage keyMessageFor(int sym, int scancode, unsigned modifiers, bool down, bool repeat);
