#include "view/text_lines.h"

#include <cstdarg>
#include <cstdio>

void TextLines::add(const char* format, ...) {
    if (count >= most) return;
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line[count++], width, format, arguments);
    va_end(arguments);
}
