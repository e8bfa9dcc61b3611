// The main window: its class, its creation with an OpenGL context, and its procedure.
// Needs: the platform layer, the render layer.
#pragma once

#include "app/view_controls.h"
#include "platform/win32.h"

#include <string>

// Registers the viewer's window class; false, with the reason in `problem`, when the system
// refuses it.
bool registerViewerClass(HINSTANCE instance, std::string& problem);

// Creates the hidden main window with an 800 x 600 client area, its device context and a
// current OpenGL context (all in windowContext), accepting dropped files. Its input and frames
// act on `controls`, which must outlive it. Null when any of these fails, with the reason in
// `problem`.
HWND createMainWindow(HINSTANCE instance, std::string& problem, ViewControls& controls);

// Asks the current OpenGL context for `interval` display refreshes per buffer swap (0: swap at
// once), where the driver offers it; false where it does not.
bool setSwapInterval(int interval);

LRESULT CALLBACK viewerWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
