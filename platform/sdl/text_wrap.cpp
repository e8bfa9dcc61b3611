#include "platform/sdl/text_wrap.h"

#include <vector>

namespace {

bool continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::string wrapLine(const std::string& line, std::size_t width) {
    std::string out;
    std::size_t start = 0;
    while (true) {
        // The byte where `width` characters from start end.
        std::size_t end = start, characters = 0;
        while (end < line.size() && characters < width) {
            ++end;
            while (end < line.size() && continuation(line[end])) ++end;
            ++characters;
        }
        if (end >= line.size()) return out + line.substr(start);
        std::size_t cut = std::string::npos;
        bool blank = false;
        for (std::size_t i = end; i > start; --i) {
            if (line[i] == ' ') {
                cut = i;
                blank = true;
                break;
            }
            if (cut == std::string::npos && (line[i - 1] == '/' || line[i - 1] == '\\')) cut = i;
        }
        if (cut == std::string::npos || cut == start) cut = end;
        out += line.substr(start, cut - start) + "\n";
        start = blank ? cut + 1 : cut;
    }
}

} // namespace

std::string wrapText(const std::string& text, std::size_t width) {
    if (width == 0) return text;
    std::string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        out += wrapLine(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start), width);
        if (end == std::string::npos) break;
        out += '\n';
        start = end + 1;
    }
    return out;
}
