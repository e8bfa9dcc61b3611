// Splitting and reading the command line.
#include "app/command_line.h"

#include <cmath>
#include <cstdlib>

const char* const usageText =
    R"(usage: zuvaro [OPTIONS] [PATH]

Shows the terrain of an environment file (war3map.w3e) in a window, after a report of its
header on standard output. PATH is an environment file of any name, or a folder that holds
war3map.w3e; without it, war3map.w3e in the current folder. Where a map is read once (files
out, --summary, --textconv, --compare with those), a pipe or - (standard input) will do. Drop a file or a folder on the
window to open it; F5 reloads the map, which also reloads by itself when its file changes.

Options:
  --output FILE.png     write a picture of the whole map from above instead of opening
                        a window: a pixel a tile point, north up, shaded from the
                        north-west; its path is the report's last line
  --view VIEW           the picture's or the mesh's view: plain (the default), tiles,
                        height, cliffs
  --size N              the picture's longer side in pixels (1 to 16384)
  --legend              add the view's legend beside the picture, as the window shows it
  --contours            draw lines of equal height over the picture, every 1, 2 or 5 x
                        10^n units (10 to 30 lines over the map's heights), every fifth
                        stronger
  --heightmap FILE.png  write the ground's heights as 16-bit grey (0 the lowest, 65535
                        the highest) and print the heights those stand for; FILE.raw:
                        the same values as raw 16-bit little-endian, north row first
  --mesh FILE           write the terrain as a mesh, by the name's ending: .glb (glTF
                        2.0 with the view's colours and the water), .obj (with FILE.mtl
                        beside it) or .stl (a closed solid to print, with a base); x east
                        and y up (z up in .stl), in the map's own coordinates
  --step N              the mesh of every Nth tile point (the last row and column kept)
  --scale S             every coordinate of the mesh times S
  --base T              the .stl solid's base T world units below the lowest ground
                        (a tenth of the map's longer side without it)
  --palette FILE        the colours of tile sets by their IDs, one "ID #rrggbb" a line (#
                        starts a comment), in the window, pictures, legends and meshes;
                        without it, palette.txt in the user's configuration folder's
                        zuvaro folder, where there is one
  --palette-out FILE.txt  write the map's tile sets with the colours they have, to start a
                        palette from
  --summary             print what the map holds as "key: value" lines
  --textconv            print the map as text for git to compare versions: the header's
                        report and the summary without the file's name (git hands over a
                        temporary copy), then a line for each block of 16 x 16 tile points
                        with its place, heights, water and a digest of its points
  --compare OLD         compare the map (PATH) with an older version of it, OLD (a map's
                        file or folder): the window starts in the changes view (raised
                        ground warm, lowered cool, other changes in colours of their
                        own) and B shows either version; --summary prints what changed
                        as "key: value" lines, --output draws it (--view: PATH in a view)
  --symmetry KIND       compare the map with its own transform, to check it is fair: turn
                        (half a turn about the middle), mirror-x (east to west), mirror-z
                        (north to south), and for square maps diagonal and antidiagonal;
                        shown and written as --compare's changes (heights within 1 unit
                        of their partners' count as equal)
  --changes FILE        with --compare or --symmetry, list the changed regions (points that changed,
                        joined where they touch), largest first: FILE.csv a region a row,
                        FILE.json the summary's counts and the regions
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

// A positive real number written plainly: digits, a point, an exponent.
bool positiveNamed(const std::string& text, double& value) {
    if (text.empty() || text.find_first_not_of("0123456789.eE+-") != std::string::npos)
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value) && value > 0.0;
}

// Whether a file option writes names with this extension: every file's name says what it holds.
bool writes(const std::string& option, const std::string& extension) {
    if (option == "--output") return extension == "png";
    if (option == "--heightmap") return extension == "png" || extension == "raw";
    if (option == "--changes") return extension == "csv" || extension == "json";
    if (option == "--palette-out") return extension == "txt";
    return extension == "glb" || extension == "obj" || extension == "stl";
}

struct Parsing {
    CommandLine line;
    bool pathsOnly = false, pathGiven = false, sizeGiven = false;
    const char* meshOption = nullptr; // the first of --step, --scale and --base given

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
                    {"--legend", &CommandLine::legend},    {"--contours", &CommandLine::contours},
                    {"--textconv", &CommandLine::textconv}};
    for (const auto& s : switches) {
        if (a != s.name) continue;
        line.*s.on = true;
        return true;
    }
    return false;
}

bool takesValue(const std::string& name) {
    for (const char* valued :
         {"--output", "--heightmap", "--mesh", "--view", "--size", "--step", "--scale", "--base",
          "--compare", "--changes", "--symmetry", "--palette", "--palette-out"})
        if (name == valued) return true;
    return false;
}

void takeFileName(Parsing& p, const std::string& name, const std::string& value) {
    CommandLine& line = p.line;
    if (value.empty()) p.fail(name + " needs a file name");
    if (!value.empty() && !writes(name, extensionOf(value)))
        p.fail(name +
               (name == "--output"        ? " writes PNG pictures (.png), not "
                : name == "--heightmap"   ? " writes .png or .raw heightmaps, not "
                : name == "--changes"     ? " writes .csv or .json lists, not "
                : name == "--palette-out" ? " writes .txt palettes, not "
                                          : " writes .glb, .obj or .stl meshes, not ") +
               value);
    (name == "--output"        ? line.output
     : name == "--heightmap"   ? line.heightmap
     : name == "--changes"     ? line.changes
     : name == "--palette-out" ? line.paletteOut
                               : line.mesh) = value;
}

void takeMeshNumber(Parsing& p, const std::string& name, const std::string& value) {
    CommandLine& line = p.line;
    if (!p.meshOption)
        p.meshOption = name == "--step" ? "--step" : name == "--scale" ? "--scale" : "--base";
    if (name == "--step") {
        if (!sizeNamed(value, line.step))
            p.fail("--step takes a whole number from 1 to 16384, not " + value);
    } else if (!positiveNamed(value, name == "--scale" ? line.scale : line.base)) {
        p.fail(name + " takes a number above 0, not " + value);
    }
}

void takeValue(Parsing& p, const std::string& name, const std::string& value) {
    CommandLine& line = p.line;
    if (name == "--output" || name == "--heightmap" || name == "--mesh" || name == "--changes" ||
        name == "--palette-out") {
        takeFileName(p, name, value);
    } else if (name == "--step" || name == "--scale" || name == "--base") {
        takeMeshNumber(p, name, value);
    } else if (name == "--palette") {
        if (value.empty()) p.fail("--palette needs a palette file's name");
        line.palette = value;
    } else if (name == "--symmetry") {
        if (!symmetryNamed(value, line.symmetry))
            p.fail("--symmetry takes turn, mirror-x, mirror-z, diagonal or antidiagonal, not " +
                   value);
    } else if (name == "--compare") {
        if (value.empty()) p.fail("--compare needs the older map's path");
        line.comparePath = value;
    } else if (name == "--view") {
        line.viewGiven = true;
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

// What a comparison, with another version or with the map's own transform, takes.
void checkComparing(Parsing& p) {
    const CommandLine& line = p.line;
    if (!line.comparePath.empty() && !p.pathGiven)
        p.fail("--compare takes two maps: zuvaro --compare OLD NEW");
    if (line.comparePath == "-" && line.mapPath == "-")
        p.fail("standard input (-) can be one of the maps, not both");
    if (!line.comparePath.empty() && (!line.heightmap.empty() || !line.mesh.empty()))
        p.fail(std::string(line.mesh.empty() ? "--heightmap" : "--mesh") +
               " is for one map, not --compare");
    if (line.textconv && (!line.comparePath.empty() || line.symmetry != Symmetry::none))
        p.fail("--textconv is for one map, not --compare or --symmetry");
    if (line.symmetry != Symmetry::none && !line.comparePath.empty())
        p.fail("--symmetry compares the map with its own transform, not with --compare");
    if (line.symmetry != Symmetry::none && (!line.heightmap.empty() || !line.mesh.empty()))
        p.fail(std::string(line.mesh.empty() ? "--heightmap" : "--mesh") +
               " is for one map, not --symmetry");
    if (!line.paletteOut.empty() && (!line.comparePath.empty() || line.symmetry != Symmetry::none))
        p.fail("--palette-out is for one map, not a comparison");
    if (!line.changes.empty() && line.comparePath.empty() && line.symmetry == Symmetry::none)
        p.fail("--changes lists what changed: zuvaro --compare OLD NEW --changes FILE");
}

// What only the whole line shows: options that need another, names that clash.
void checkTogether(Parsing& p) {
    const CommandLine& line = p.line;
    if (p.pathGiven && line.mapPath.empty()) p.fail("the map's path is empty");
    checkComparing(p);
    if (line.textconv && (!line.output.empty() || !line.heightmap.empty() || !line.mesh.empty()))
        p.fail("--textconv prints text alone, without files out");
    if (line.viewGiven && line.output.empty() && line.mesh.empty())
        p.fail("--view is for the picture of --output or the mesh of --mesh");
    if ((p.sizeGiven || line.legend || line.contours) && line.output.empty())
        p.fail(std::string(p.sizeGiven   ? "--size"
                           : line.legend ? "--legend"
                                         : "--contours") +
               " is for the picture of --output");
    if (p.meshOption && line.mesh.empty())
        p.fail(std::string(p.meshOption) + " is for the mesh of --mesh");
    if (line.base > 0.0 && !line.mesh.empty() && extensionOf(line.mesh) != "stl")
        p.fail("--base is for the solid of an .stl mesh");
    const std::pair<const char*, const std::string*> files[] = {{"--output", &line.output},
                                                                {"--heightmap", &line.heightmap},
                                                                {"--mesh", &line.mesh},
                                                                {"--changes", &line.changes}};
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            if (!files[a].second->empty() && *files[a].second == *files[b].second)
                p.fail(std::string(files[a].first) + " and " + files[b].first +
                       " name the same file");
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

std::string extensionOf(const std::string& path) {
    const std::size_t name = path.find_last_of("/\\");
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (name != std::string::npos && dot < name)) return "";
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return extension;
}
