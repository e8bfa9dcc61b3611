// From SDL key events to Windows keyboard messages: the virtual-key code and the lParam
// that Windows builds (repeat count, scan code, extended bit, context, previous state,
// transition). Pure: reads nothing but its arguments, so it is tested without a window.
// Needs: SDL2's key definitions.
#pragma once

#include "platform/sdl/win32_api.h"

#include <SDL_keyboard.h>

struct KeyMessage {
    UINT message = 0; // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP; 0 for no key
    WPARAM virtualKey = 0;
    LPARAM lParam = 0;
};

// `down` is true for a press, `repeat` for an automatic repetition of a held key.
KeyMessage keyMessageFor(SDL_Keycode sym, SDL_Scancode scancode, Uint16 modifiers, bool down,
                         bool repeat);
