// WindowContext: the handles of the main window that frames are drawn into. Written when the
// window is created, read by the frame for its title and its buffer swap.
// Needs: the platform layer's Windows types.
#pragma once

#include "platform/win32.h"

struct WindowContext {
    HWND mainWindow = nullptr;
    HDC deviceContext = nullptr; // taken once, never released
    HGLRC renderingContext = nullptr;
};

extern WindowContext windowContext;
