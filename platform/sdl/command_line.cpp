// Quoting by the rules that the Windows C runtime splits a command line with: inside quotes,
// 2n backslashes before a quote are n backslashes and the quote ends nothing only when escaped
// by one more backslash; backslashes elsewhere are plain characters.
#include "platform/sdl/command_line.h"

namespace {

std::string quoted(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos)
        return argument;
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (const char ch : argument) {
        if (ch == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled and the quote escaped; elsewhere kept.
        out.append(ch == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        out += ch;
    }
    out.append(2 * backslashes, '\\'); // before the closing quote
    return out + "\"";
}

} // namespace

std::string windowsCommandLine(int count, const char* const* arguments) {
    std::string line;
    for (int i = 0; i < count; ++i) line += (i > 0 ? " " : "") + quoted(arguments[i]);
    return line;
}
