// The viewer's entry: reads the command line, loads the map it names (war3map.w3e in the
// working folder when it names none), and runs the window. Text is UTF-8 inside. A map that did not
// load is never shown; the failure goes to standard error, and to a message box where nobody would
// read standard error.
#include "app/command_line.h"
#include "app/comparison.h"
#include "app/console_text.h"
#include "app/files_out.h"
#include "app/help_text.h"
#include "app/main_window.h"
#include "app/map_session.h"
#include "app/message_loop.h"
#include "app/open_dialog.h"
#include "app/palette_file.h"
#include "app/system_text.h"
#include "app/user_messages.h"
#include "platform/win32.h"
#include "render/scene_setup.h"
#include "render/window_context.h"
#include "terrain/terrain_map.h"
#include "view/viewer_state.h"
#include "zuvaro_version.h"

#include <iostream>
#include <new>
#include <sstream>

TerrainMap terrainMap;

namespace {

constexpr int goOn = -1; // no answer yet: the program goes on

// The answers that need no map: a command line not understood, --help, --version.
int answerAtOnce(const CommandLine& options, bool box) {
    if (!options.error.empty()) {
        tellMistake(options.error, box);
        return 2;
    }
    if (options.help) {
        tellUser(usageText);
        return 0;
    }
    if (options.version) {
        tellUser("zuvaro " ZUVARO_VERSION "\n");
        return 0;
    }
    return goOn;
}

// The map's path as given; started from the desktop without one, and none in the folder, the
// one the user picks.
int chooseMap(const CommandLine& options, bool box, std::string& given) {
    given = options.mapPath;
    if (!options.errorBox || !given.empty() || options.filesOut() || !fileMissing(defaultMapName))
        return goOn;
    std::string problem;
    if (askForMap(nullptr, "", given, problem)) return goOn;
    if (problem.empty()) return 0; // cancelled
    tellFailure(problem, box);
    return 1;
}

// Loads the map into terrainMap; false after saying why it could not.
bool loadFirstMap(const std::string& given, const std::string& file, ReportText text, bool box,
                  std::ostream& report, MapReading reading) {
    terrainMap = loadMapFile(file, report, text, reading);
    if (!terrainMap.loadWarning.empty()) tellWarning(terrainMap.loadWarning);
    if (terrainMap.loaded()) return true;
    std::string why = terrainMap.loadError;
    const bool missing = !(reading == MapReading::pipesToo && file == "-") && fileMissing(file);
    if (missing && given.empty())
        why += "\nlooked in " + folderOf(file) +
               ": start Zuvaro in a map's folder, or give the map's path (zuvaro PATH)";
    else if (missing)
        why += "\nthere is no " + fileNameOf(file) + " in " + folderOf(file);
    tellFailure(why, box);
    return false;
}

// The older map of a comparison and its file as it was when read.
struct Older {
    TerrainMap map;
    std::string file;
    FileStamp stamp;
};

// Loads the older map of a comparison, first so that its report comes first; false after
// saying why it could not be.
bool loadOlderMap(const std::string& given, ReportText text, bool box, MapReading reading,
                  Older& older) {
    older.file = mapFileFor(given);
    older.stamp = stampOf(older.file);
    older.map = loadMapFile(older.file, std::cout, text, reading);
    if (!older.map.loadWarning.empty()) tellWarning(older.map.loadWarning);
    if (older.map.loaded()) return true;
    tellFailure(older.map.loadError, box);
    return false;
}

// With --symmetry: the shown map's transform in the older map's place; false after saying why
// there is none.
bool transformShownMap(Symmetry kind, bool box, Older& older) {
    const std::string problem = symmetryProblem(terrainMap, kind);
    if (!problem.empty()) {
        tellFailure(problem, box);
        return false;
    }
    try {
        older.map = symmetryPartner(terrainMap, kind);
    } catch (const std::bad_alloc&) {
        tellFailure("not enough memory for the map's transform", box);
        return false;
    }
    return true;
}

// The window on the loaded map, following its file, until the user quits.
int runViewer(HINSTANCE instance, const CommandLine& options, const std::string& file,
              const FileStamp& stamp, ReportText text, bool box, Older& older,
              const TilePalette& palette) {
    ViewControls controls;
    controls.scene.textures.palette = palette;
    followFrom(controls.session, file, stamp, text);
    controls.scene.overlay.mapName = mapNameOf(file);
    if (!options.comparePath.empty())
        startComparison(controls, std::move(older.map), older.file, older.stamp);
    else if (options.symmetry != Symmetry::none)
        startSymmetry(controls, std::move(older.map), options.symmetry);
    std::string problem;
    if (!registerViewerClass(instance, problem) || !createMainWindow(instance, problem, controls)) {
        tellFailure(problem, box);
        return 1;
    }

    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&counter);
    viewerState.counterFrequency = counter.QuadPart;
    QueryPerformanceCounter(&counter);
    viewerState.startCount = counter.QuadPart;

    MessageBoxA(nullptr, helpText, helpCaption, MB_OK);
    ShowWindow(windowContext.mainWindow, SW_SHOW);
    UpdateWindow(windowContext.mainWindow);
    initGL();
    // Frames follow the display, so a step per frame keeps a usable speed on fast machines.
    setSwapInterval(options.noVsync ? 0 : 1);
    return runMessageLoop(controls);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    useConsolesForText();
    // The wide command line: names in any script, which the narrow one would turn into '?'.
    const std::string line = afterProgramName(utf8FromWide(GetCommandLineW()));
    const CommandLine options = parseCommandLine(splitCommandLine(line.c_str()));
    const bool box = standardErrorUnseen(options.errorBox);
    std::string given;
    if (const int answer = answerAtOnce(options, box); answer != goOn) return answer;
    if (const int answer = chooseMap(options, box, given); answer != goOn) return answer;
    const std::string file = mapFileFor(given);
    const ReportText text = standardOutputIsTerminal() ? ReportText::escaped : ReportText::asRead;
    const FileStamp stamp = stampOf(file);
    TilePalette palette;
    if (std::string problem; !loadPalette(options.palette, palette, problem)) {
        tellFailure(problem, box);
        return 1;
    }
    // Files out read each map once: pipes and standard input will do. The window follows its
    // files, and reads regular files only.
    const MapReading reading = options.filesOut() ? MapReading::pipesToo : MapReading::regularFiles;
    Older older;
    if (!options.comparePath.empty() &&
        !loadOlderMap(options.comparePath, text, box, reading, older))
        return 1;
    std::ostringstream heldReport; // --textconv prints it without the file's name
    if (!loadFirstMap(given, file, text, box, options.textconv ? heldReport : std::cout, reading))
        return 1;
    if (options.textconv) return writeTextconv(terrainMap, heldReport.str(), text, std::cout);
    const bool symmetry = options.symmetry != Symmetry::none;
    if (symmetry && !transformShownMap(options.symmetry, box, older)) return 1;
    if ((symmetry || !options.comparePath.empty()) && options.filesOut())
        return writeChangesOut(options, older.map, terrainMap, file, text, std::cout, box, palette);
    if (options.filesOut())
        return writeFilesOut(options, terrainMap, file, text, std::cout, box, palette);
    return runViewer(instance, options, file, stamp, text, box, older, palette);
}
