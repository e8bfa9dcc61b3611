// setWindowTitle: a window's title from a printf format, formatted into a bounded buffer.
// Needs: the platform layer.
#pragma once

#include "platform/win32.h"

void setWindowTitle(HWND window, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
