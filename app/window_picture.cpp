#include "app/window_picture.h"

#include "app/files_out.h"
#include "app/system_text.h"
#include "app/user_messages.h"
#include "export/png_encode.h"
#include "render/window_context.h"
#include "view/viewer_state.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>

namespace {

std::string picturesFolder() {
    WCHAR path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, path)))
        return utf8FromWide(path);
    return ".";
}

// "<map>-YYYYMMDD-HHMMSS.png" in the folder, with "-2", "-3" ... if that is taken; a map
// called by its folder ("Highlands/war3map.w3e") by the folder's name.
std::string pictureName(const std::string& folder, const std::string& mapName) {
    const std::filesystem::path map = std::filesystem::u8path(mapName);
    const std::string stem =
        (map.has_parent_path() ? map.parent_path().filename() : map.stem()).u8string();
    const std::time_t now = std::time(nullptr);
    char stamp[32] = "picture";
    if (const std::tm* local = std::localtime(&now))
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", local);
    const std::string base =
        (std::filesystem::u8path(folder) /
         std::filesystem::u8path((stem.empty() ? "zuvaro" : stem) + "-" + stamp))
            .u8string();
    std::string name = base + ".png";
    std::error_code ignored;
    for (int n = 2; std::filesystem::exists(std::filesystem::u8path(name), ignored); ++n)
        name = base + "-" + std::to_string(n) + ".png";
    return name;
}

} // namespace

void saveWindowPicture(SceneView& scene) {
    Overlay& o = scene.overlay;
    if (o.picture.empty()) return;
    PngImage image;
    image.width = o.pictureWidth;
    image.height = o.pictureHeight;
    image.channels = 3;
    image.pixels = std::move(o.picture);
    o.picture.clear();
    const std::string path = pictureName(picturesFolder(), o.mapName);
    std::string error;
    if (!writePng(path, image, "", error)) {
        tellFailure(error, true, windowContext.mainWindow);
        return;
    }
    std::cout << "picture: " << path << std::endl;
    std::snprintf(o.note, sizeof o.note, "picture saved: %s", path.c_str());
    o.noteUntil = viewerState.elapsedSeconds + 5.0f;
}
