// Splitting and reading the command line.
#include "app/command_line.h"

const char* const usageText =
    R"(usage: zuvaro [OPTIONS] [PATH]

Shows the terrain of an environment file (war3map.w3e) in a window, after a report of its
header on standard output. PATH is an environment file of any name, or a folder that holds
war3map.w3e; without it, war3map.w3e in the current folder. Drop a file or a folder on the
window to open it; F5 reloads the map, which also reloads by itself when its file changes.

Options:
  --error-box   show a failure to load the map or to start in a message box too
                (for starts from a desktop, where nobody reads standard error)
  --no-vsync    draw frames as fast as they come instead of following the display
  --version     print the version and exit
  -h, --help    print this text and exit
  --            take what follows as the PATH, even if it starts with -

Exit codes: 0 after Escape or closing the window, and after --help or --version;
1 when the map cannot be loaded or the window cannot open; 2 for a command line
that is not understood.
)";

std::vector<std::string> splitCommandLine(const char* line) {
    std::vector<std::string> arguments;
    if (!line) return arguments;
    const std::string text(line);
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t i = 0;
    for (;;) {
        while (i < text.size() && blank(text[i])) ++i;
        if (i >= text.size()) return arguments;
        std::string argument;
        bool quoted = false;
        while (i < text.size() && (quoted || !blank(text[i]))) {
            if (text[i] == '\\') {
                std::size_t run = 0;
                while (i < text.size() && text[i] == '\\') ++run, ++i;
                if (i < text.size() && text[i] == '"') {
                    argument.append(run / 2, '\\');
                    if (run % 2 == 1) argument += text[i++]; // an escaped quote
                } else {
                    argument.append(run, '\\');
                }
            } else if (text[i] == '"') {
                if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument += text[i++];
            }
        }
        arguments.push_back(argument);
    }
}

std::string afterProgramName(const std::string& line) {
    std::size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        i = line.find('"', 1);
        i = i == std::string::npos ? line.size() : i + 1;
    }
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    return line.substr(i);
}

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool pathsOnly = false, pathGiven = false;
    for (const std::string& a : arguments) {
        if (!pathsOnly && a.size() > 1 && a[0] == '-') {
            if (a == "--") {
                pathsOnly = true;
            } else if (a == "--help" || a == "-h") {
                line.help = true;
            } else if (a == "--version") {
                line.version = true;
            } else if (a == "--error-box") {
                line.errorBox = true;
            } else if (a == "--no-vsync") {
                line.noVsync = true;
            } else if (line.error.empty()) {
                line.error = "unknown option " + a;
            }
            continue;
        }
        if (pathGiven) {
            if (line.error.empty()) line.error = "one map at a time, not also " + a;
            continue;
        }
        line.mapPath = a;
        pathGiven = true;
    }
    if (pathGiven && line.mapPath.empty() && line.error.empty())
        line.error = "the map's path is empty";
    return line;
}
