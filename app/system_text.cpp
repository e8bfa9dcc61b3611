// Conversions through the system's own (MultiByteToWideChar, WideCharToMultiByte), so that
// names read back exactly as the system gave them.
#include "app/system_text.h"

WideString wideFromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int bytes = static_cast<int>(text.size());
    WideString wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, nullptr, 0)),
        WCHAR{});
    if (wide.empty()) return wide;
    MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, &wide[0], static_cast<int>(wide.size()));
    return wide;
}

std::string utf8FromWide(const WCHAR* text, int length) {
    if (!text || length == 0) return {};
    if (length < 0) length = static_cast<int>(std::char_traits<WCHAR>::length(text));
    if (length == 0) return {};
    std::string narrow(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text, length,
                                                                    nullptr, 0, nullptr, nullptr)),
                       '\0');
    if (narrow.empty()) return narrow;
    WideCharToMultiByte(CP_UTF8, 0, text, length, &narrow[0], static_cast<int>(narrow.size()),
                        nullptr, nullptr);
    return narrow;
}

WideString systemPath(const std::string& path) {
    WideString wide = wideFromUtf8(path);
    // Room for the longest name a folder path may still be joined with.
    if (wide.size() < MAX_PATH - 12) return wide;
    const DWORD room = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (room == 0) return wide;
    WideString full(room, WCHAR{});
    const DWORD n = GetFullPathNameW(wide.c_str(), room, &full[0], nullptr);
    if (n == 0 || n >= room) return wide;
    full.resize(n);
    const auto starts = [&](const char* start) {
        for (std::size_t i = 0; start[i]; ++i)
            if (i >= full.size() || full[i] != static_cast<WCHAR>(start[i])) return false;
        return true;
    };
    const auto wideOf = [](const char* text) {
        return WideString(text, text + std::char_traits<char>::length(text));
    };
    // Only a drive or a share has a long form; other systems' paths have no such limit.
    if (starts("\\\\?\\")) return full;
    if (starts("\\\\")) return wideOf("\\\\?\\UNC\\") + full.substr(2);
    if (full.size() > 2 && full[1] == WCHAR(':')) return wideOf("\\\\?\\") + full;
    return wide;
}
