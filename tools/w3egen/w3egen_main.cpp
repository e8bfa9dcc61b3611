// w3egen: writes environment files for demos, tests and fuzzing. See usage() or --help.
#include "block_edits.h"
#include "terrain_shapes.h"
#include "w3e_document.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <limits>
#include <new>
#include <string>
#include <vector>

namespace {

const char* const usageText =
    R"(usage: w3egen [options] OUTPUT

Writes an environment file (the war3map.w3e layout) to OUTPUT. An OUTPUT that exists is
left alone unless --force is given.

Terrain:
  --shape NAME        demo (default): rolling hills on cliff layers with several ground
                      tile types, lakes, ramps, tinted ground and a boundary
                      round the edge
                      rugged: ground as map makers build it: a base cliff layer with
                      plateaus and mountains up to layer 10 and basins below, cliff
                      steps and ramps, a few units of height noise from point to
                      point, lakes at several levels with shores, twelve ground
                      tile sets in patches, every flag
                      wet: the rugged ground with about half of it under water:
                      a sea with islands, and lakes at six levels with shores
                      flat: level ground; ramp-columns: rises by STEP per column;
                      ramp-rows: rises by STEP per row; bump: level ground with the
                      centre tile point (width/2, height/2) raised by STEP
  --width N           tile points per row (default 129)
  --height N          rows of tile points (default 129)
  --seed N            seed of the demo and rugged terrains (default 1); the same
                      seed, the same file
  --level Y           world height of level ground and of the ramps' start (default 0)
  --step Y            world units per column or row of a ramp, or the bump (default 128)

Header:
  --tileset C         main tile set character (default V; rugged Q)
  --custom N          custom tile sets flag (default 0)
  --ground-ids LIST   comma-separated 4-character ground tile set IDs
                      (default Vmos,Vash,Vpeb,Vsil; for the rugged shape
                      Qgra,Qdir,Qrok,Qsan,Qmud,Qsno,Qlea,Qflo,Qgrv,Qmos,Qash,Qpav;
                      an empty LIST gives none)
  --cliff-ids LIST    cliff tile set IDs (default Vcl1,Vcl2; rugged Qcl1,Qcl2,Qcl3)
  --x-offset F        X offset (default -64 * (width - 1))
  --z-offset F        Z offset (default -64 * (height - 1))

Edits, made in order after the shape, for two versions of a map with known changes:
  --edit WHAT:C0,R0,C1,R1:V
                      change the tile points of columns C0 to C1 and rows R0 to R1:
                      raise (V world units onto the ground, below 0 to lower it),
                      tile (ground texture number V), layer (cliff layer V, the
                      ground keeping its height), cliff (cliff texture number V),
                      flags (tile flags V: 1 ramp, 2 tinted ground, 4 water,
                      8 boundary), water (V world units onto the water level)

Broken files, for tests:
  --magic TEXT        up to 4 characters instead of W3E!
  --version N         another format version than 11
  --cut N             keep only the first N bytes of the file
  --trailing N        append N bytes after the last tile point

  --force             replace OUTPUT if it exists
  --help              show this text

Exit codes: 0 when the file is written; 1 when it cannot be (or exists, without --force);
2 for options that are not understood.
)";

struct Options {
    ShapeOptions shape;
    W3eDocument header;
    bool xOffsetGiven = false, zOffsetGiven = false;
    bool tileSetGiven = false, groundIdsGiven = false, cliffIdsGiven = false;
    std::vector<BlockEdit> edits;
    long long cut = -1;
    long long trailing = 0;
    bool force = false;
    std::string output;
};

[[noreturn]] void die(const std::string& message) {
    std::cerr << "w3egen: " << message << "\n(w3egen --help explains the options)\n";
    std::exit(2);
}

// Whether text is a decimal number as a person writes it: an optional sign, digits with an
// optional point and fraction, an optional exponent; nothing before or after (no blanks, no
// hexadecimal, no inf or nan, which strtod would take).
bool plainDecimal(const std::string& text, bool fraction) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    std::size_t mantissa = digits();
    if (fraction && i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (fraction && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        if (digits() == 0) return false;
    }
    return i == text.size();
}

long long wholeNumber(const std::string& option, const std::string& text, long long lowest,
                      long long highest) {
    errno = 0;
    const long long value = plainDecimal(text, false) ? std::strtoll(text.c_str(), nullptr, 10) : 0;
    if (!plainDecimal(text, false) || errno == ERANGE || value < lowest || value > highest)
        die(option + " needs a whole number from " + std::to_string(lowest) + " to " +
            std::to_string(highest) + ", not '" + text + "'");
    return value;
}

float realNumber(const std::string& option, const std::string& text) {
    const double largest = std::numeric_limits<float>::max();
    const double value = plainDecimal(text, true) ? std::strtod(text.c_str(), nullptr) : 0.0;
    if (!plainDecimal(text, true) || !(std::fabs(value) <= largest))
        die(option + " needs a decimal number within a float's range, not '" + text + "'");
    return static_cast<float>(value);
}

std::vector<std::string> idList(const std::string& option, const std::string& text) {
    std::vector<std::string> ids;
    std::size_t start = 0;
    while (!text.empty() && start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        ids.push_back(text.substr(start, comma - start));
        if (ids.back().size() != 4)
            die(option + " takes IDs of exactly 4 characters, not '" + ids.back() + "'");
        start = comma + 1;
    }
    return ids;
}

// The shape's options; false for a name that is not one of them.
bool takeShapeOption(Options& o, const std::string& arg, const std::string& value) {
    constexpr long long int32Max = std::numeric_limits<std::int32_t>::max();
    if (arg == "--shape") {
        if (!parseShape(value, o.shape.shape)) die("no shape called '" + value + "'");
    } else if (arg == "--width") {
        o.shape.width = static_cast<std::int32_t>(wholeNumber(arg, value, 0, 32768));
    } else if (arg == "--height") {
        o.shape.height = static_cast<std::int32_t>(wholeNumber(arg, value, 0, 32768));
    } else if (arg == "--seed") {
        o.shape.seed = static_cast<std::uint64_t>(wholeNumber(arg, value, 0, int32Max));
    } else if (arg == "--level") {
        o.shape.level = static_cast<int>(wholeNumber(arg, value, -10240, 6143));
    } else if (arg == "--step") {
        o.shape.step = static_cast<int>(wholeNumber(arg, value, -16384, 16384));
    } else {
        return false;
    }
    return true;
}

// The header's and the file's options; false for a name that is not one of them.
bool takeFileOption(Options& o, const std::string& arg, const std::string& value) {
    constexpr long long int32Max = std::numeric_limits<std::int32_t>::max();
    constexpr long long int32Min = std::numeric_limits<std::int32_t>::min();
    if (arg == "--tileset") {
        if (value.size() != 1) die("--tileset takes one character, not '" + value + "'");
        o.header.tileSet = value[0];
        o.tileSetGiven = true;
    } else if (arg == "--custom") {
        o.header.customTileSet =
            static_cast<std::int32_t>(wholeNumber(arg, value, int32Min, int32Max));
    } else if (arg == "--ground-ids") {
        o.header.setGroundIds(idList(arg, value));
        o.groundIdsGiven = true;
    } else if (arg == "--cliff-ids") {
        o.header.setCliffIds(idList(arg, value));
        o.cliffIdsGiven = true;
    } else if (arg == "--x-offset") {
        o.header.xOffset = realNumber(arg, value);
        o.xOffsetGiven = true;
    } else if (arg == "--z-offset") {
        o.header.zOffset = realNumber(arg, value);
        o.zOffsetGiven = true;
    } else if (arg == "--magic") {
        if (value.size() > 4) die("--magic takes at most 4 characters, not '" + value + "'");
        o.header.magic = value;
    } else if (arg == "--version") {
        o.header.version = static_cast<std::int32_t>(wholeNumber(arg, value, int32Min, int32Max));
    } else if (arg == "--edit") {
        std::string error;
        o.edits.emplace_back();
        if (!parseBlockEdit(value, o.edits.back(), error)) die(error);
    } else if (arg == "--cut") {
        o.cut = wholeNumber(arg, value, 0, std::numeric_limits<long long>::max());
    } else if (arg == "--trailing") {
        o.trailing = wholeNumber(arg, value, 0, 1 << 30);
    } else {
        return false;
    }
    return true;
}

// The shape's own tile sets wherever none were given.
void useShapeTileSets(Options& o) {
    W3eDocument shapeDefaults;
    useDefaultTileSets(shapeDefaults, o.shape.shape);
    if (!o.tileSetGiven) o.header.tileSet = shapeDefaults.tileSet;
    if (!o.groundIdsGiven) {
        o.header.groundTileSetCount = shapeDefaults.groundTileSetCount;
        o.header.groundTileSetIds = shapeDefaults.groundTileSetIds;
    }
    if (!o.cliffIdsGiven) {
        o.header.cliffTileSetCount = shapeDefaults.cliffTileSetCount;
        o.header.cliffTileSetIds = shapeDefaults.cliffTileSetIds;
    }
}

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << usageText;
            std::exit(0);
        }
        if (arg == "--force") {
            o.force = true;
            continue;
        }
        if (arg.rfind("--", 0) != 0) {
            if (!o.output.empty()) die("one OUTPUT only, not also '" + arg + "'");
            o.output = arg;
            continue;
        }
        if (i + 1 >= argc) die(arg + " needs a value");
        const std::string value = argv[++i];
        if (!takeShapeOption(o, arg, value) && !takeFileOption(o, arg, value))
            die("unknown option " + arg);
    }
    if (o.output.empty()) die("no OUTPUT file given");
    useShapeTileSets(o);
    return o;
}

// The file's bytes; throws std::bad_alloc when memory runs out.
std::vector<unsigned char> fileBytes(const Options& o) {
    W3eDocument doc = o.header;
    if (!o.xOffsetGiven) doc.xOffset = -64.0f * static_cast<float>(std::max(o.shape.width - 1, 0));
    if (!o.zOffsetGiven) doc.zOffset = -64.0f * static_cast<float>(std::max(o.shape.height - 1, 0));
    std::string error;
    if (!shapeTerrain(doc, o.shape, error)) die(error);
    for (const BlockEdit& edit : o.edits) applyBlockEdit(doc, edit);
    std::vector<unsigned char> bytes = doc.bytes();
    doc = W3eDocument{}; // its grid's memory back before the trailing bytes take more
    bytes.reserve(bytes.size() + static_cast<std::size_t>(o.trailing));
    for (long long i = 0; i < o.trailing; ++i)
        bytes.push_back(static_cast<unsigned char>(i * 37 + 11));
    if (o.cut >= 0 && static_cast<unsigned long long>(o.cut) < bytes.size())
        bytes.resize(static_cast<std::size_t>(o.cut));
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // Past a file-size limit a write fails with a reason instead of ending the program, so the
    // partial file is removed and OUTPUT stays as it was.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    const Options o = parse(argc, argv);
    std::error_code ignored;
    if (!o.force && std::filesystem::symlink_status(o.output, ignored).type() !=
                        std::filesystem::file_type::not_found) {
        std::cerr << "w3egen: " << o.output << " exists; give --force to replace it\n";
        return 1;
    }
    std::vector<unsigned char> bytes;
    try {
        bytes = fileBytes(o);
    } catch (const std::bad_alloc&) {
        std::cerr << "w3egen: not enough memory for a grid of " << o.shape.width << " by "
                  << o.shape.height << " tile points\n";
        return 1;
    }
    std::string error;
    if (!writeBytes(o.output, bytes, error)) {
        std::cerr << "w3egen: " << error << '\n';
        return 1;
    }
    return 0;
}
