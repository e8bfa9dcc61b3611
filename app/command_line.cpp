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

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool pathsOnly = false, pathGiven = false, viewGiven = false, sizeGiven = false;
    const auto fail = [&](const std::string& why) {
        if (line.error.empty()) line.error = why;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (!pathsOnly && a.size() > 1 && a[0] == '-') {
            // Options with a value take it from "--name=value" or the next argument.
            const std::size_t equals = a.find('=');
            const std::string name = a.substr(0, equals);
            const bool valued =
                name == "--output" || name == "--heightmap" || name == "--view" || name == "--size";
            std::string value;
            if (valued) {
                if (equals != std::string::npos) {
                    value = a.substr(equals + 1);
                } else if (i + 1 < arguments.size()) {
                    value = arguments[++i];
                } else {
                    fail(name + " needs a value");
                    continue;
                }
            }
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
            } else if (a == "--summary") {
                line.summary = true;
            } else if (a == "--legend") {
                line.legend = true;
            } else if (name == "--output" || name == "--heightmap") {
                if (value.empty()) fail(name + " needs a file name");
                (name == "--output" ? line.output : line.heightmap) = value;
            } else if (name == "--view") {
                viewGiven = true;
                if (!viewNamed(value, line.view))
                    fail("--view takes plain, tiles, height or cliffs, not " + value);
            } else if (name == "--size") {
                sizeGiven = true;
                if (!sizeNamed(value, line.size))
                    fail("--size takes a whole number of pixels from 1 to 16384, not " + value);
            } else {
                fail("unknown option " + a);
            }
            continue;
        }
        if (pathGiven) {
            fail("one map at a time, not also " + a);
            continue;
        }
        line.mapPath = a;
        pathGiven = true;
    }
    if (pathGiven && line.mapPath.empty()) fail("the map's path is empty");
    if ((viewGiven || sizeGiven || line.legend) && line.output.empty())
        fail(std::string(viewGiven   ? "--view"
                         : sizeGiven ? "--size"
                                     : "--legend") +
             " is for the picture of --output");
    if (!line.output.empty() && line.output == line.heightmap)
        fail("--output and --heightmap name the same file");
    return line;
}
