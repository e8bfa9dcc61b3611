#include "app/last_error.h"

#include "app/system_text.h"
#include "platform/win32.h"

std::string lastErrorText() {
    WCHAR text[512] = {};
    const DWORD code = GetLastError();
    if (!FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                        0, text, sizeof text / sizeof text[0], nullptr))
        return "error " + std::to_string(code);
    std::string s = utf8FromWide(text);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
    return s;
}
