// Text between UTF-8 and UTF-16 (MultiByteToWideChar, WideCharToMultiByte), and the wide names
// of the layer's other calls. Both code pages this layer knows are UTF-8: CP_UTF8, and CP_ACP,
// which is what the system's own narrow names are in here.
//
// POSIX names are bytes and need not be UTF-8. So that every name survives the trip through
// UTF-16 and back, a byte that is not part of valid UTF-8 becomes the lone surrogate
// U+DC00 + byte, and that surrogate becomes the byte again; any other lone surrogate becomes
// U+FFFD, as on Windows.
#include "platform/sdl/layer_state.h"

namespace {

// Appends the code units of the UTF-8 in [text, text + n).
void decode(const unsigned char* text, std::size_t n, std::u16string& out) {
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = text[i];
        // The sequence's length and the range of its second byte (RFC 3629).
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (b < 0x80) {
            out += static_cast<char16_t>(b);
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0) low = 0xA0;
            if (b == 0xED) high = 0x9F; // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0) low = 0x90;
            if (b == 0xF4) high = 0x8F;
        }
        bool valid = length > 0 && i + length <= n;
        for (std::size_t k = 1; valid && k < length; ++k) {
            const unsigned char c = text[i + k];
            valid = k == 1 ? c >= low && c <= high : c >= 0x80 && c <= 0xBF;
        }
        if (!valid) {
            out += static_cast<char16_t>(0xDC00 + b);
            ++i;
            continue;
        }
        char32_t code = b & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length; ++k) code = code << 6 | (text[i + k] & 0x3F);
        if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (code >> 10));
            out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
        i += length;
    }
}

void encode(const char16_t* wide, std::size_t n, std::string& out) {
    for (std::size_t i = 0; i < n; ++i) {
        char32_t code = wide[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < n && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xDC80 && code <= 0xDCFF) {
            out += static_cast<char>(code - 0xDC00); // a byte that was not UTF-8
            continue;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | code >> 18);
            out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
}

bool knownCodePage(UINT codePage) {
    return codePage == CP_UTF8 || codePage == CP_ACP;
}

// Copies a converted text out as Windows does: its size when there is no room asked for,
// 0 with ERROR_INSUFFICIENT_BUFFER when the room is too small.
template <typename Char, typename Text> int copyOut(const Text& text, Char* out, int room) {
    const auto size = static_cast<int>(text.size());
    if (room == 0) return size;
    if (!out || room < size) {
        failWith(ERROR_INSUFFICIENT_BUFFER, "The data area passed to a system call is too small.");
        return 0;
    }
    for (int i = 0; i < size; ++i) out[i] = static_cast<Char>(text[static_cast<std::size_t>(i)]);
    return size;
}

} // namespace

std::u16string wideName(const std::string& name) {
    std::u16string out;
    decode(reinterpret_cast<const unsigned char*>(name.data()), name.size(), out);
    return out;
}

std::string narrowName(LPCWSTR name) {
    std::string out;
    if (name) encode(name, std::char_traits<char16_t>::length(name), out);
    return out;
}

int MultiByteToWideChar(UINT codePage, DWORD, LPCSTR text, int bytes, LPWSTR wide, int room) {
    if (!knownCodePage(codePage) || !text || bytes == 0 || bytes < -1 || room < 0) {
        failWith(ERROR_INVALID_PARAMETER, "The parameter is incorrect.");
        return 0;
    }
    // -1: up to the zero, which is converted too.
    const std::size_t n =
        bytes == -1 ? std::char_traits<char>::length(text) + 1 : static_cast<std::size_t>(bytes);
    std::u16string out;
    decode(reinterpret_cast<const unsigned char*>(text), n, out);
    return copyOut(out, wide, room);
}

int WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR wide, int units, LPSTR text, int room, LPCSTR,
                        BOOL* usedDefault) {
    if (!knownCodePage(codePage) || !wide || units == 0 || units < -1 || room < 0) {
        failWith(ERROR_INVALID_PARAMETER, "The parameter is incorrect.");
        return 0;
    }
    if (usedDefault) *usedDefault = FALSE;
    const std::size_t n = units == -1 ? std::char_traits<char16_t>::length(wide) + 1
                                      : static_cast<std::size_t>(units);
    std::string out;
    encode(wide, n, out);
    return copyOut(out, text, room);
}
