#include "app/palette_file.h"

#include "app/map_file.h"
#include "app/system_text.h"
#include "app/user_messages.h"
#include "platform/win32.h"
#include "terrain/whole_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

// A palette is a few lines; anything larger is not one.
constexpr std::uintmax_t largestPalette = 1 << 20;

bool readText(const std::string& path, std::string& text, std::string& error) {
    std::error_code ec;
    const std::filesystem::path file = std::filesystem::u8path(path);
    if (!std::filesystem::is_regular_file(file, ec)) {
        error = "cannot read the palette " + path + ": " +
                (std::filesystem::exists(file, ec) ? "it is not a file" : "there is no such file");
        return false;
    }
    if (std::filesystem::file_size(file, ec) > largestPalette) {
        error = "cannot read the palette " + path + ": it is over 1 MB, not a palette";
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in) {
        error = "cannot read the palette " + path;
        return false;
    }
    text = bytes.str();
    return true;
}

} // namespace

std::string configuredPaletteFile() {
    WCHAR folder[MAX_PATH] = {};
    if (!SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return "";
    return (std::filesystem::u8path(utf8FromWide(folder)) / "zuvaro" / "palette.txt").u8string();
}

bool loadPalette(const std::string& given, TilePalette& palette, std::string& error) {
    std::string path = given;
    if (path.empty()) {
        path = configuredPaletteFile();
        std::error_code ec;
        if (path.empty() || !std::filesystem::exists(std::filesystem::u8path(path), ec))
            return true; // no palette: the usual colours
    }
    std::string text;
    if (!readText(path, text, error)) return false;
    std::vector<std::string> problems;
    palette = readPalette(text, problems);
    for (const std::string& problem : problems) tellWarning(path + ": " + problem);
    return true;
}

bool writePaletteOut(const std::string& path, const TerrainMap& map, const TilePalette& palette,
                     std::string& error) {
    const std::string text = paletteText(*map.header, GroundColours::of(*map.header, &palette));
    return replaceFileWhole(path, text.data(), text.size(), error);
}
