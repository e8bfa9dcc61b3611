// Mouse messages as Windows builds them, from SDL mouse events; no window needed.
#include "platform/sdl/mouse_mapping.h"

#include <SDL_keyboard.h>
#include <SDL_mouse.h>

#include <gtest/gtest.h>

namespace {

TEST(MouseMapping, ButtonsAndKeysHeldAreTheMkFlags) {
    const MouseMessage move =
        mouseMoveMessage(10, 20, SDL_BUTTON_LMASK | SDL_BUTTON_RMASK, KMOD_LSHIFT | KMOD_RCTRL);
    EXPECT_EQ(move.message, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(move.wParam, static_cast<WPARAM>(MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL));
    EXPECT_EQ(GET_X_LPARAM(move.lParam), 10);
    EXPECT_EQ(GET_Y_LPARAM(move.lParam), 20);
    // A captured pointer left of and above the window: negative, as Windows packs it.
    const MouseMessage outside = mouseMoveMessage(-5, -300, SDL_BUTTON_MMASK, 0);
    EXPECT_EQ(GET_X_LPARAM(outside.lParam), -5);
    EXPECT_EQ(GET_Y_LPARAM(outside.lParam), -300);
    EXPECT_EQ(outside.wParam, static_cast<WPARAM>(MK_MBUTTON));
}

TEST(MouseMapping, EverySecondQuickPressIsADoubleClickWhereTheClassAsksForThem) {
    const auto press = [](int button, int clicks, bool doubleClicks) {
        return mouseButtonMessage(button, true, clicks, doubleClicks, 1, 2, SDL_BUTTON(button), 0)
            .message;
    };
    EXPECT_EQ(press(SDL_BUTTON_LEFT, 1, true), static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(press(SDL_BUTTON_LEFT, 2, true), static_cast<UINT>(WM_LBUTTONDBLCLK));
    EXPECT_EQ(press(SDL_BUTTON_LEFT, 3, true), static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(press(SDL_BUTTON_LEFT, 2, false), static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(press(SDL_BUTTON_RIGHT, 2, true), static_cast<UINT>(WM_RBUTTONDBLCLK));
    const MouseMessage up = mouseButtonMessage(SDL_BUTTON_RIGHT, false, 2, true, 7, 8, 0, 0);
    EXPECT_EQ(up.message, static_cast<UINT>(WM_RBUTTONUP)); // releases are never double
    EXPECT_EQ(up.wParam, 0u);                               // nothing held after it
    EXPECT_EQ(mouseButtonMessage(SDL_BUTTON_X1, true, 1, true, 0, 0, 0, 0).message, 0u);
}

TEST(MouseMapping, TheWheelGivesItsDistanceInTheHighWordAndScreenCoordinates) {
    const MouseMessage away = mouseWheelMessage(2, 900, 700, 0, KMOD_LCTRL);
    EXPECT_EQ(away.message, static_cast<UINT>(WM_MOUSEWHEEL));
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(away.wParam), 2 * WHEEL_DELTA);
    EXPECT_EQ(GET_KEYSTATE_WPARAM(away.wParam), MK_CONTROL);
    EXPECT_EQ(GET_X_LPARAM(away.lParam), 900);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(mouseWheelMessage(-1, 0, 0, 0, 0).wParam), -WHEEL_DELTA);
}

} // namespace
