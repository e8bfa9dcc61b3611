// The viewer's command line: zuvaro [OPTIONS] [PATH]. WinMain receives it as one string on
// every platform and splits it as the Windows C runtime does, so a quoted path with spaces
// (what Windows passes for a file dropped on the program's icon) is one argument.
// Needs: standard C++ only.
#pragma once

#include "view/map_symmetry.h"
#include "view/terrain_view.h"

#include <string>
#include <vector>

struct CommandLine {
    std::string mapPath;   // as given; empty: war3map.w3e in the working folder
    bool help = false;     // --help, -h
    bool version = false;  // --version
    bool errorBox = false; // --error-box: failures at start also in a message box
    bool noVsync = false;  // --no-vsync: frames as fast as they come, for measuring
    // Files out instead of a window: a picture of the whole map in a view (at `size` pixels
    // along its longer side; 0: a pixel a tile point), a heightmap, a summary.
    std::string output, heightmap;
    TerrainView view = TerrainView::plain;
    bool viewGiven = false; // with --compare, --output draws the changes unless --view is given
    int size = 0;
    bool legend = false;   // --legend: the view's legend beside the picture
    bool contours = false; // --contours: contour lines over the picture
    bool summary = false;
    bool textconv = false; // --textconv: the report, the summary and the blocks' lines for git
    // A mesh of the terrain (.glb, .obj or .stl): every step-th tile point, every coordinate
    // times the scale, a solid's base this far below the lowest ground (0: the default).
    std::string mesh;
    int step = 1;
    double scale = 1.0;
    double base = 0.0;
    // --compare OLD: the map (NEW) compared with an older version of it, OLD (either as any
    // map path); --summary then says what changed.
    std::string comparePath;
    Symmetry symmetry = Symmetry::none; // --symmetry KIND: the map against its own transform
    std::string changes;                // --changes FILE: the changed regions, .csv or .json
    // --palette FILE: the user's colours for tile sets; --palette-out FILE.txt: the map's.
    std::string palette, paletteOut;
    std::string error; // what was not understood; the program then shows its usage

    bool filesOut() const {
        return !output.empty() || !heightmap.empty() || !mesh.empty() || !changes.empty() ||
               !paletteOut.empty() || summary || textconv;
    }
};

// Arguments as the Windows C runtime splits them: blanks separate; double quotes group;
// backslashes are literal except before a quote, where 2n give n and 2n + 1 give n and a
// literal quote; "" inside quotes is a literal quote.
std::vector<std::string> splitCommandLine(const char* line);

// What follows the program's name in a whole command line (GetCommandLineW's): the name ends
// at the next quote when it starts with one, at the first blank otherwise, as the runtime
// reads it.
std::string afterProgramName(const std::string& line);

CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// A file name's extension, in lower case, without its dot; empty when it has none.
std::string extensionOf(const std::string& path);

// The usage text that --help prints and a bad command line shows.
extern const char* const usageText;
