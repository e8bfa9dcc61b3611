#include "view/tile_palette.h"

#include <cstdio>
#include <sstream>

namespace {

bool hexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "#rrggbb" as a colour; false for anything else.
bool colourNamed(const std::string& text, Rgb& colour) {
    if (text.size() != 7 || text[0] != '#') return false;
    for (std::size_t i = 1; i < 7; ++i)
        if (!hexDigit(text[i])) return false;
    const unsigned long hex = std::stoul(text.substr(1), nullptr, 16);
    colour = {static_cast<float>(hex >> 16 & 0xFF) / 255.0f,
              static_cast<float>(hex >> 8 & 0xFF) / 255.0f,
              static_cast<float>(hex & 0xFF) / 255.0f};
    return true;
}

// Reads one line's words into `entry` (left without an ID for a blank or comment line); the
// reason it cannot, or empty. A '#' starting the first word begins a comment, starting the
// second the colour, starting the third a comment again.
std::string readLine(const std::string& line, TilePalette::Entry& entry) {
    std::istringstream words(line);
    std::string id, colour, extra;
    words >> id;
    if (id.empty() || id[0] == '#') return "";
    words >> colour;
    if (colour.empty()) return "an ID needs a colour: ID #rrggbb";
    if (id.size() != 4) return "a tile set's ID has 4 characters, not '" + id + "'";
    if (!colourNamed(colour, entry.colour)) return "'" + colour + "' is not a colour: #rrggbb";
    if (words >> extra && extra[0] != '#')
        return "one ID and one colour a line, not also '" + extra + "'";
    entry.id = id;
    return "";
}

} // namespace

const Rgb* TilePalette::colourOf(const std::string& id) const {
    for (auto e = entries.rbegin(); e != entries.rend(); ++e)
        if (e->id == id) return &e->colour;
    return nullptr;
}

TilePalette readPalette(const std::string& text, std::vector<std::string>& problems) {
    TilePalette palette;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        TilePalette::Entry entry;
        const std::string problem = readLine(line, entry);
        if (!problem.empty())
            problems.push_back("line " + std::to_string(number) + ": " + problem);
        else if (!entry.id.empty())
            palette.entries.push_back(entry);
    }
    return palette;
}

std::string paletteText(const EnvironmentHeader& header, const GroundColours& colours) {
    std::string text = "# Zuvaro tile palette: a tile set's ID and its colour a line.\n";
    for (int i = 0; i < 16 && i < header.groundTileSetCount; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "%s %s\n", header.groundTileSetId(i).c_str(),
                      hexColour(colours.byNumber[i]).c_str());
        text += line;
    }
    return text;
}
