// Titles longer than the buffer are cut rather than written past its end.
#include "render/window_title.h"

#include <cstdarg>
#include <cstdio>

void setWindowTitle(HWND window, const char* format, ...) {
    char text[32768];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    SetWindowTextA(window, text);
}
