// The main window: its class, its creation with an OpenGL context, and its procedure.
// Needs: the platform layer, the render layer.
#pragma once

#include "platform/win32.h"

#include <string>

// Registers the viewer's window class; false when the system refuses it.
bool registerViewerClass(HINSTANCE instance);

// Creates the hidden main window with an 800 x 600 client area, its device context and a
// current OpenGL context (all in windowContext). Null when any of these fails; then
// startProblem() says which and why.
HWND createMainWindow(HINSTANCE instance);

// Why the window or its OpenGL context could not be made.
const std::string& startProblem();

// The text of the system's last error, for messages.
std::string lastErrorText();

LRESULT CALLBACK viewerWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
