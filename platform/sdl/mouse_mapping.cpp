// Mouse messages as Windows builds them: positions are signed 16-bit pairs (a captured
// pointer left of or above the window is negative), the wheel's distance is WHEEL_DELTA a
// notch in the high word of wParam.
#include "platform/sdl/mouse_mapping.h"

#include <SDL_keyboard.h>
#include <SDL_mouse.h>

namespace {

// The MK_ flags for SDL's button mask and keyboard modifier bits.
WORD mouseKeyFlags(unsigned buttons, unsigned modifiers) {
    WORD flags = 0;
    if (buttons & SDL_BUTTON_LMASK) flags |= MK_LBUTTON;
    if (buttons & SDL_BUTTON_RMASK) flags |= MK_RBUTTON;
    if (buttons & SDL_BUTTON_MMASK) flags |= MK_MBUTTON;
    if (modifiers & KMOD_SHIFT) flags |= MK_SHIFT;
    if (modifiers & KMOD_CTRL) flags |= MK_CONTROL;
    return flags;
}

} // namespace

MouseMessage mouseMoveMessage(int x, int y, unsigned buttons, unsigned modifiers) {
    return {WM_MOUSEMOVE, mouseKeyFlags(buttons, modifiers), MAKELPARAM(x, y)};
}

MouseMessage mouseButtonMessage(int button, bool down, int clicks, bool doubleClicks, int x, int y,
                                unsigned buttons, unsigned modifiers) {
    UINT message = 0;
    switch (button) {
    case SDL_BUTTON_LEFT:
        message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        break;
    case SDL_BUTTON_RIGHT:
        message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        break;
    case SDL_BUTTON_MIDDLE:
        message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        break;
    default:
        return {};
    }
    // Windows makes the second press of a pair a double click, and the third a press again.
    if (down && doubleClicks && clicks >= 2 && clicks % 2 == 0) message += 2;
    return {message, mouseKeyFlags(buttons, modifiers), MAKELPARAM(x, y)};
}

MouseMessage mouseWheelMessage(int notches, int x, int y, unsigned buttons, unsigned modifiers) {
    const auto distance = static_cast<WORD>(static_cast<short>(notches * WHEEL_DELTA));
    return {WM_MOUSEWHEEL, MAKEWPARAM(mouseKeyFlags(buttons, modifiers), distance),
            MAKELPARAM(x, y)};
}
