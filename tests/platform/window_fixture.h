// Helpers for tests of the platform layer on a real display: a window class whose procedure
// records every message, and shell commands to read the X server back.
#pragma once

#include "platform/win32.h"
#include "shell_output.h"

#include <string>
#include <vector>

struct Received {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Every message the recording procedure has seen, oldest first.
extern std::vector<Received> received;

// What the latest WM_CREATE carried.
extern CREATESTRUCTA lastCreate;

// The procedure records, then leaves everything to DefWindowProcA.
LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A window of the recording class (registered once, with double clicks), hidden, with a client area of the given
// size; `received` is cleared after its creation messages unless keepCreation.
HWND makeWindow(const char* title, int width = 320, int height = 240, bool keepCreation = false);

// Closes through DefWindowProcA, which destroys the window.
void closeWindow(HWND window);

// Whether a message was received since the last clear.
bool receivedMessage(UINT message);

// The X window id of the visible window with exactly this title, or "".
std::string visibleWindowNamed(const std::string& title);
