// Splitting and reading the command line.
#include "app/command_line.h"

const char* const usageText =
    R"(usage: zuvaro [OPTIONS] [PATH]

Shows the terrain of an environment file (war3map.w3e) in a window, after a report of its
header on standard output. PATH is an environment file of any name, or a folder that holds
war3map.w3e; without it, war3map.w3e in the current folder. Drop a file or a folder on the
window to open it; F5 reloads the map, which also reloads by itself when its file changes.

Options:
  --output FILE.png     write a picture of the whole map from above instead of opening
                        a window: a pixel a tile point, north up, shaded from the
                        north-west; its path is the report's last line
  --view VIEW           the picture's view: plain (the default), tiles, height, cliffs
  --size N              the picture's longer side in pixels (1 to 16384)
  --legend              add the view's legend beside the picture, as the window shows it
  --heightmap FILE.png  write the ground's heights as 16-bit grey (0 the lowest, 65535
                        the highest) and print the heights those stand for
  --summary             print what the map holds as "key: value" lines
  --error-box           show a failure to load the map or to start in a message box too
                        (for starts from a desktop, where nobody reads standard error);
                        with no PATH and no map in the folder, ask for one with the
                        desktop's file dialog
  --no-vsync            draw frames as fast as they come instead of following the display
  --version             print the version and exit
  -h, --help            print this text and exit
  --                    take what follows as the PATH, even if it starts with -

Exit codes: 0 after Escape or closing the window, after --help or --version, and
when the files asked for are written; 1 when the map cannot be loaded, a file
cannot be written or the window cannot open; 2 for a command line that is not
understood.
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

namespace {

bool viewNamed(const std::string& name, TerrainView& view) {
    const struct {
        const char* name;
        TerrainView view;
    } views[] = {{"plain", TerrainView::plain},
                 {"tiles", TerrainView::groundTiles},
                 {"height", TerrainView::height},
                 {"cliffs", TerrainView::cliffsAndFlags}};
    for (const auto& v : views) {
        if (name != v.name) continue;
        view = v.view;
        return true;
    }
    return false;
}

// A whole number from 1 to 16384 written plainly, digits only.
bool sizeNamed(const std::string& text, int& size) {
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    size = std::stoi(text);
    return size >= 1 && size <= 16384;
}

struct Parsing {
    CommandLine line;
    bool pathsOnly = false, pathGiven = false, viewGiven = false, sizeGiven = false;

    // The first fault is the one the user reads.
    void fail(const std::string& why) {
        if (line.error.empty()) line.error = why;
    }
};

// The options without a value.
bool switchNamed(const std::string& a, CommandLine& line) {
    const struct {
        const char* name;
        bool CommandLine::*on;
    } switches[] = {{"--help", &CommandLine::help},        {"-h", &CommandLine::help},
                    {"--version", &CommandLine::version},  {"--error-box", &CommandLine::errorBox},
                    {"--no-vsync", &CommandLine::noVsync}, {"--summary", &CommandLine::summary},
                    {"--legend", &CommandLine::legend}};
    for (const auto& s : switches) {
        if (a != s.name) continue;
        line.*s.on = true;
        return true;
    }
    return false;
}

bool takesValue(const std::string& name) {
    return name == "--output" || name == "--heightmap" || name == "--view" || name == "--size";
}

void takeValue(Parsing& p, const std::string& name, const std::string& value) {
    CommandLine& line = p.line;
    if (name == "--output" || name == "--heightmap") {
        if (value.empty()) p.fail(name + " needs a file name");
        (name == "--output" ? line.output : line.heightmap) = value;
    } else if (name == "--view") {
        p.viewGiven = true;
        if (!viewNamed(value, line.view))
            p.fail("--view takes plain, tiles, height or cliffs, not " + value);
    } else {
        p.sizeGiven = true;
        if (!sizeNamed(value, line.size))
            p.fail("--size takes a whole number of pixels from 1 to 16384, not " + value);
    }
}

// An argument starting with "-". Options with a value take it from "--name=value" or the next
// argument, which `i` then moves past.
void takeOption(Parsing& p, const std::vector<std::string>& arguments, std::size_t& i) {
    const std::string& a = arguments[i];
    if (a == "--") {
        p.pathsOnly = true;
        return;
    }
    if (switchNamed(a, p.line)) return;
    const std::size_t equals = a.find('=');
    const std::string name = a.substr(0, equals);
    if (!takesValue(name))
        p.fail("unknown option " + a);
    else if (equals != std::string::npos)
        takeValue(p, name, a.substr(equals + 1));
    else if (i + 1 < arguments.size())
        takeValue(p, name, arguments[++i]);
    else
        p.fail(name + " needs a value");
}

// What only the whole line shows: options that need another, names that clash.
void checkTogether(Parsing& p) {
    const CommandLine& line = p.line;
    if (p.pathGiven && line.mapPath.empty()) p.fail("the map's path is empty");
    if ((p.viewGiven || p.sizeGiven || line.legend) && line.output.empty())
        p.fail(std::string(p.viewGiven   ? "--view"
                           : p.sizeGiven ? "--size"
                                         : "--legend") +
               " is for the picture of --output");
    if (!line.output.empty() && line.output == line.heightmap)
        p.fail("--output and --heightmap name the same file");
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    Parsing p;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (!p.pathsOnly && a.size() > 1 && a[0] == '-') {
            takeOption(p, arguments, i);
        } else if (p.pathGiven) {
            p.fail("one map at a time, not also " + a);
        } else {
            p.line.mapPath = a;
            p.pathGiven = true;
        }
    }
    checkTogether(p);
    return p.line;
}
