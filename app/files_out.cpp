#include "app/files_out.h"

#include "app/user_messages.h"
#include "export/map_picture.h"
#include "export/map_summary.h"
#include "export/picture_legend.h"
#include "terrain/whole_file.h"

#include <cstdio>
#include <filesystem>
#include <new>

bool writePng(const std::string& path, const PngImage& image, const std::string& keep,
              std::string& error) {
    std::error_code ignored;
    if (!keep.empty() && std::filesystem::equivalent(std::filesystem::u8path(path),
                                                     std::filesystem::u8path(keep), ignored)) {
        error = "will not write " + path + " over the map it shows";
        return false;
    }
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
                  ReportText text, std::ostream& out, bool box) {
    const auto shown = [&](const std::string& name) {
        return text == ReportText::escaped ? escapeControls(name) : name;
    };
    std::string error;
    try {
        if (options.summary) {
            for (const std::string& line : mapSummary(map, text)) out << line << '\n';
            out.flush();
        }
        if (!options.heightmap.empty()) {
            if (!writePng(options.heightmap, heightmap(map), file, error)) {
                tellFailure(error, box);
                return 1;
            }
            char levels[96];
            std::snprintf(levels, sizeof levels, ": 0 = %.2f, 65535 = %.2f world units",
                          map.lowestHeight, map.highestHeight);
            out << "heightmap: " << shown(options.heightmap) << levels << std::endl;
        }
        if (!options.output.empty()) {
            PngImage picture = mapPicture(map, options.view, options.size);
            if (options.legend && picture.width > 0)
                picture = withLegend(picture, legendOf(map, options.view, true));
            if (!writePng(options.output, picture, file, error)) {
                tellFailure(error, box);
                return 1;
            }
            out << shown(options.output) << std::endl;
        }
    } catch (const std::bad_alloc&) {
        tellFailure("not enough memory for the files asked for", box);
        return 1;
    }
    return 0;
}
