#include "app/files_out.h"

#include "app/map_file.h"
#include "app/palette_file.h"
#include "app/user_messages.h"
#include "export/block_lines.h"
#include "export/changes_list.h"
#include "export/glb_write.h"
#include "export/map_picture.h"
#include "export/map_summary.h"
#include "export/obj_write.h"
#include "export/picture_legend.h"
#include "export/stl_write.h"
#include "terrain/whole_file.h"
#include "view/change_colours.h"
#include "view/contour_lines.h"

#include <filesystem>
#include <functional>
#include <new>
#include <sstream>

namespace {

// True, with the reason in `error`, when `path` is the map's own file `keep`.
bool overTheMap(const std::string& path, const std::string& keep, std::string& error) {
    std::error_code ignored;
    if (keep.empty() || !std::filesystem::equivalent(std::filesystem::u8path(path),
                                                     std::filesystem::u8path(keep), ignored))
        return false;
    error = "will not write " + path + " over the map it shows";
    return true;
}

// A mesh written whole through `write` (`expected` bytes of it when known), unless `problem`
// says why it cannot be.
bool writeMeshFile(const std::string& path, const std::string& problem,
                   const std::function<void(std::ostream&)>& write, std::string& error,
                   std::uint64_t expected = 0) {
    if (!problem.empty()) {
        error = "cannot write " + path + ": " + problem;
        return false;
    }
    return replaceFileWhole(path, write, error, expected);
}

// The mesh in the format its name ends with; the OBJ's materials beside it, named after it.
bool writeMesh(const CommandLine& options, const TerrainMap& map, const std::string& file,
               const TilePalette& palette, std::string& error) {
    const MeshOptions mesh{options.view, options.step,    options.scale,
                           options.base, mapNameOf(file), &palette};
    const std::string& path = options.mesh;
    if (overTheMap(path, file, error)) return false;
    const std::string kind = extensionOf(path);
    if (kind == "glb") {
        const GlbLayout layout = GlbLayout::of(map, mesh);
        return writeMeshFile(
            path, layout.problem, [&](std::ostream& out) { writeGlb(out, map, layout); }, error,
            layout.fileBytes());
    }
    if (kind == "stl")
        return writeMeshFile(
            path, stlProblem(map, mesh), [&](std::ostream& out) { writeStl(out, map, mesh); },
            error, stlBytes(map, mesh));
    // The mesh and its materials appear together or not at all.
    const std::string materials = path.substr(0, path.size() - kind.size()) + "mtl";
    if (overTheMap(materials, file, error)) return false;
    if (const std::string problem = meshProblem(map, mesh); !problem.empty()) {
        error = "cannot write " + path + ": " + problem;
        return false;
    }
    return replaceFilesWhole(
        {{path, [&](std::ostream& out) { writeObj(out, map, mesh, fileNameOf(materials)); }},
         {materials, writeMtl}},
        error);
}

// The heightmap as a PNG, or as raw values where the name ends in .raw.
bool writeHeightmap(const std::string& path, const TerrainMap& map, const std::string& file,
                    std::string& error) {
    if (extensionOf(path) != "raw") return writePng(path, heightmap(map), file, error);
    if (overTheMap(path, file, error)) return false;
    if (map.vertices.empty()) {
        error = "cannot write " + path + ": the map has no tile points";
        return false;
    }
    const std::vector<unsigned char> raw = rawHeights(heightmap(map));
    return replaceFileWhole(path, raw.data(), raw.size(), error);
}

// The picture of --output (of `map`), with `legend` beside it for --legend and the contours'
// row when they are drawn; never over `keep`, the map's own file.
bool writeOutput(const CommandLine& options, PngImage picture, Legend legend, const TerrainMap& map,
                 const std::string& keep, std::string& error) {
    if (options.contours)
        addContourRow(legend, contourInterval(map.lowestHeight, map.highestHeight));
    if (options.legend && picture.width > 0) picture = withLegend(picture, legend);
    return writePng(options.output, picture, keep, error);
}

// The older map's file of a comparison, or empty.
std::string olderFile(const CommandLine& options) {
    return options.comparePath.empty() ? "" : mapFileFor(options.comparePath);
}

// A path as the report prints it.
std::string pathAsShown(const std::string& path, ReportText text) {
    return text == ReportText::escaped ? escapeControls(path) : path;
}

// The changed regions as --changes lists them, never over either map's file.
bool writeChangesList(const CommandLine& options, const MapChanges& changes,
                      const TerrainMap& after, const std::string& file, std::string& error) {
    const std::string& path = options.changes;
    if (overTheMap(path, file, error) || overTheMap(path, olderFile(options), error)) return false;
    const std::vector<ChangedRegion> regions = changedRegions(changes, *after.header);
    const std::string text =
        extensionOf(path) == "csv" ? changesCsv(regions) : changesJson(changes, regions);
    return replaceFileWhole(path, text.data(), text.size(), error);
}

} // namespace

bool writePng(const std::string& path, const PngImage& image, const std::string& keep,
              std::string& error) {
    if (overTheMap(path, keep, error)) return false;
    if (image.width == 0 || image.height == 0) {
        error = "cannot write " + path + ": the map has no tile points to draw";
        return false;
    }
    const std::vector<unsigned char> bytes = encodePng(image);
    if (bytes.empty()) {
        error = "not enough memory to compress the picture for " + path;
        return false;
    }
    return replaceFileWhole(path, bytes.data(), bytes.size(), error);
}

int writeFilesOut(const CommandLine& options, const TerrainMap& map, const std::string& file,
                  ReportText text, std::ostream& out, bool box, const TilePalette& palette) {
    const auto shown = [text](const std::string& name) { return pathAsShown(name, text); };
    std::string error;
    const auto failed = [&] {
        tellFailure(error, box);
        return 1;
    };
    if (!options.mesh.empty()) {
        const MeshOptions mesh{options.view, options.step, options.scale, options.base, ""};
        error = meshNumbersProblem(map, mesh, extensionOf(options.mesh) == "stl");
        if (!error.empty()) return failed(), 2; // the command line's numbers, not the map
    }
    try {
        if (options.summary) {
            for (const std::string& line : mapSummary(map, text)) out << line << '\n';
            out.flush();
        }
        if (!options.heightmap.empty()) {
            if (!writeHeightmap(options.heightmap, map, file, error)) return failed();
            out << "heightmap: " << shown(options.heightmap) << ": " << heightRange(map)
                << std::endl;
        }
        if (!options.mesh.empty()) {
            if (!writeMesh(options, map, file, palette, error)) return failed();
            out << "mesh: " << shown(options.mesh) << std::endl;
        }
        if (!options.output.empty()) {
            if (!writeOutput(
                    options,
                    mapPicture(map, options.view, options.size, options.contours, &palette),
                    legendOf(map, options.view, true, nullptr, &palette), map, file, error))
                return failed();
            out << shown(options.output) << std::endl;
        }
        if (!options.paletteOut.empty()) {
            if (overTheMap(options.paletteOut, file, error) ||
                !writePaletteOut(options.paletteOut, map, palette, error))
                return failed();
            out << "palette: " << shown(options.paletteOut) << std::endl;
        }
    } catch (const std::bad_alloc&) {
        error = "not enough memory for the files asked for";
        return failed();
    }
    return 0;
}

int writeTextconv(const TerrainMap& map, const std::string& report, ReportText text,
                  std::ostream& out) {
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("Done loading", 0) != 0) out << line << '\n';
    for (const std::string& line : mapSummary(map, text)) out << line << '\n';
    for (const std::string& line : blockLines(map)) out << line << '\n';
    out.flush();
    return 0;
}

int writeChangesOut(const CommandLine& options, const TerrainMap& before, const TerrainMap& after,
                    const std::string& file, ReportText text, std::ostream& out, bool box,
                    const TilePalette& palette) {
    const auto shown = [text](const std::string& name) { return pathAsShown(name, text); };
    std::string error = unmatchedWhy(before, after);
    if (!error.empty()) {
        tellFailure(error, box);
        return 1;
    }
    try {
        const MapChanges changes = options.symmetry == Symmetry::none
                                       ? MapChanges::between(before, after)
                                       : symmetryChanges(before, after, options.symmetry);
        if (options.summary) {
            if (options.symmetry != Symmetry::none)
                out << "symmetry: " << symmetryName(options.symmetry) << '\n';
            for (const std::string& line : changesSummary(changes)) out << line << '\n';
            out.flush();
        }
        if (!options.changes.empty()) {
            if (!writeChangesList(options, changes, after, file, error)) {
                tellFailure(error, box);
                return 1;
            }
            out << "changes: " << shown(options.changes) << std::endl;
        }
        if (options.output.empty()) return 0;
        const bool changesView = !options.viewGiven;
        if (overTheMap(options.output, olderFile(options), error) ||
            !writeOutput(
                options,
                changesView
                    ? changesPicture(after, changes, options.size, options.contours)
                    : mapPicture(after, options.view, options.size, options.contours, &palette),
                changesView ? changesLegend(changes)
                            : legendOf(after, options.view, true, nullptr, &palette),
                after, file, error)) {
            tellFailure(error, box);
            return 1;
        }
        out << shown(options.output) << std::endl;
    } catch (const std::bad_alloc&) {
        tellFailure("not enough memory to compare the maps", box);
        return 1;
    }
    return 0;
}
