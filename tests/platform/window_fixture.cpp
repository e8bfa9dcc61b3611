#include "window_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

std::vector<Received> received;

CREATESTRUCTA lastCreate;

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    received.push_back({window, message, wParam, lParam});
    if (message == WM_CREATE) lastCreate = *reinterpret_cast<const CREATESTRUCTA*>(lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND makeWindow(const char* title, int width, int height, bool keepCreation) {
    static const ATOM registered = [] {
        WNDCLASSEXA c{};
        c.cbSize = sizeof c;
        c.style = CS_DBLCLKS;
        c.lpfnWndProc = recordingProcedure;
        c.lpszClassName = "ZuvaroTestClass";
        return RegisterClassExA(&c);
    }();
    EXPECT_NE(registered, 0);
    received.clear();
    HWND w = CreateWindowExA(0, "ZuvaroTestClass", title, WS_OVERLAPPEDWINDOW, 0, 0, width, height,
                             nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(w, nullptr) << "no window: is there a display?";
    if (!keepCreation) received.clear();
    return w;
}

void closeWindow(HWND window) {
    DefWindowProcA(window, WM_CLOSE, 0, 0);
}

bool receivedMessage(UINT message) {
    return std::any_of(received.begin(), received.end(),
                       [&](const Received& r) { return r.message == message; });
}

std::string visibleWindowNamed(const std::string& title) {
    return shellLine("xdotool search --onlyvisible --name '^" + title +
                     "$' 2>/dev/null | head -n 1");
}
