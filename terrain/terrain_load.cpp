// The load: one front-to-back pass over the environment file's bytes that prints each report
// line as soon as its value is read, then decodes the tile points into the vertex grid.
// Every count and dimension is checked against the bytes the source really has before
// anything is allocated from it, so a damaged file costs an error message, never a crash.
#include "terrain/byte_reader.h"
#include "terrain/report_format.h"
#include "terrain/terrain_map.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <limits>
#include <new>

namespace {

struct Load {
    const char* name;
    std::ostream& report;
    ByteReader& reader;
    std::uint64_t fileSize;
    ReportText text;
    std::string error;
    std::string warning;

    // Text from the file, as the report's reader should see it.
    std::string shown(const std::string& raw) const {
        return text == ReportText::escaped ? escapeControls(raw) : raw;
    }

    void line(const std::string& content) {
        report << content << '\n';
        report.flush();
    }

    bool fail(const std::string& what) {
        error = std::string(name) + ": " + what;
        return false;
    }

    std::uint64_t bytesLeft() const {
        return fileSize > reader.offset() ? fileSize - reader.offset() : 0;
    }

    std::string sizeNote() const { return "; the file has " + std::to_string(fileSize) + " bytes"; }

    bool readField(void* dst, std::size_t n, const char* field) {
        const std::uint64_t at = reader.offset();
        if (reader.read(dst, n)) return true;
        return fail(std::string("the file ends inside the ") + field + " at byte offset " +
                    std::to_string(at) + sizeNote());
    }

    bool readInt32(std::int32_t& value, const char* field) {
        unsigned char b[4];
        if (!readField(b, 4, field)) return false;
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | b[1] << 8 |
                                          b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24);
        return true;
    }

    bool readFloat(float& value, const char* field) {
        std::int32_t bits;
        if (!readInt32(bits, field)) return false;
        std::memcpy(&value, &bits, sizeof value);
        return true;
    }

    bool notNegative(std::int32_t value, const char* field) {
        if (value >= 0) return true;
        return fail(std::string("the ") + field + " is negative (" + std::to_string(value) +
                    ", read before byte offset " + std::to_string(reader.offset()) + ")");
    }

    // Count, then count IDs of 4 characters as one block into a zero-terminated buffer.
    bool readIds(std::int32_t& count, std::unique_ptr<char[]>& ids, const char* countField,
                 const char* idField, const char* countLabel, const char* idLabel) {
        if (!readInt32(count, countField)) return false;
        line(countLabel + std::to_string(count));
        if (!notNegative(count, countField)) return false;
        const std::uint64_t bytes = 4 * static_cast<std::uint64_t>(count);
        if (bytes > bytesLeft())
            return fail(std::string("the ") + countField + " " + std::to_string(count) + " needs " +
                        std::to_string(bytes) + " bytes of " + idField + " at byte offset " +
                        std::to_string(reader.offset()) + sizeNote());
        try {
            if (bytes + 1 > std::numeric_limits<std::size_t>::max()) throw std::bad_alloc();
            ids.reset(new char[static_cast<std::size_t>(bytes) + 1]());
        } catch (const std::bad_alloc&) {
            return fail(std::string("out of memory for ") + std::to_string(bytes) + " bytes of " +
                        idField);
        }
        if (!readField(ids.get(), static_cast<std::size_t>(bytes), idField)) return false;
        line(idLabel + shown(ids.get()));
        return true;
    }

    // Files with another magic or version are still read as environment files; the warning
    // says so, and a failure later says they may be something else.
    void warnUnlessEnvironmentFile(const EnvironmentHeader& h) {
        const bool magicOk = std::memcmp(h.magic, "W3E!", 5) == 0, versionOk = h.version == 11;
        if (magicOk && versionOk) return;
        const std::string magic = "\"" + escapeControls(std::string(h.magic, 4)) + "\"";
        const std::string version = std::to_string(h.version);
        warning = std::string(name) + ": the " +
                  (magicOk     ? "version is " + version + " where an environment file has 11"
                   : versionOk ? "magic is " + magic + " where an environment file has \"W3E!\""
                               : "magic is " + magic + " and the version " + version +
                                     ", where an environment file has \"W3E!\" and 11") +
                  "; reading it anyway";
    }

    bool readHeader(EnvironmentHeader& h) {
        if (!readField(h.magic, 4, "magic")) return false;
        if (std::memcmp(h.magic, "W3E!", 5) == 0)
            line(std::string(h.magic) + " - W3E check passed.");
        if (!readInt32(h.version, "version")) return false;
        if (h.version == 11) line("Version - 11.  Version check passed");
        warnUnlessEnvironmentFile(h);
        if (!readField(&h.tileSet, 1, "main tile set")) return false;
        line("Tile set - " + shown(std::string(1, h.tileSet)));
        if (!readInt32(h.customTileSet, "custom tile sets flag")) return false;
        line("Custom tile set - " + std::to_string(h.customTileSet));
        if (!readIds(h.groundTileSetCount, h.groundTileSetIds, "ground tile set count",
                     "ground tile set IDs", "Number of ground tile sets - ",
                     "Ground tile set IDs - "))
            return false;
        if (!readIds(h.cliffTileSetCount, h.cliffTileSetIds, "cliff tile set count",
                     "cliff tile set IDs", "Number of cliff tile sets - ", "Cliff tile set IDs - "))
            return false;
        if (!readInt32(h.mapWidth, "map width")) return false;
        line("Map width - " + std::to_string(h.mapWidth));
        if (!notNegative(h.mapWidth, "map width")) return false;
        if (!readInt32(h.mapHeight, "map height")) return false;
        line("Map height - " + std::to_string(h.mapHeight));
        if (!notNegative(h.mapHeight, "map height")) return false;
        if (!readFloat(h.xOffset, "X offset")) return false;
        line("X offset - " + formatReportFloat(h.xOffset));
        if (!readFloat(h.zOffset, "Z offset")) return false;
        line("Z offset - " + formatReportFloat(h.zOffset));
        return true;
    }

    // The tile points must all be in the file before a grid is sized from the dimensions.
    bool gridFits(const EnvironmentHeader& h) {
        const std::uint64_t width = static_cast<std::uint64_t>(h.mapWidth);
        const std::uint64_t height = static_cast<std::uint64_t>(h.mapHeight);
        const std::uint64_t whole = bytesLeft() / tilePointSize; // complete tile points present
        if (width == 0 || height == 0 || width <= whole / height) return true;
        return fail("the file ends at byte offset " + std::to_string(fileSize) +
                    ", at tile point (column " + std::to_string(whole % width) + ", row " +
                    std::to_string(whole / width) + "): a grid of " + std::to_string(width) +
                    " by " + std::to_string(height) + " needs " + std::to_string(width * height) +
                    " tile points of 7 bytes from byte offset " + std::to_string(reader.offset()));
    }

    // Tile points come row by row but the grid is stored column by column, so they are read
    // in bands of rows and decoded a column at a time: each column's writes stay together.
    bool readTilePoints(TerrainMap& map, int width, int height) {
        if (width == 0 || height == 0) return true; // nothing to read, however long the other side
        // A row that fits the file may still not fit a 32-bit size_t.
        const std::uint64_t rowBytes64 = static_cast<std::uint64_t>(width) * tilePointSize;
        if (rowBytes64 > std::numeric_limits<std::size_t>::max() / 2)
            return fail("a row of " + std::to_string(width) +
                        " tile points is too long for this program");
        const std::size_t rowBytes = static_cast<std::size_t>(rowBytes64);
        const int bandRows = static_cast<int>(std::max<std::size_t>(1, (1u << 18) / rowBytes));
        std::vector<unsigned char> band(rowBytes *
                                        static_cast<std::size_t>(std::min(bandRows, height)));
        for (int first = 0; first < height; first += bandRows) {
            const int rows = std::min(bandRows, height - first);
            const std::uint64_t at = reader.offset();
            if (!reader.read(band.data(), rowBytes * static_cast<std::size_t>(rows))) {
                const std::uint64_t point = (reader.offset() - at) / tilePointSize;
                return fail("the file ends inside tile point (column " +
                            std::to_string(point % static_cast<std::uint64_t>(width)) + ", row " +
                            std::to_string(first + point / static_cast<std::uint64_t>(width)) +
                            ") at byte offset " + std::to_string(at + point * tilePointSize) +
                            sizeNote());
            }
            for (int c = 0; c < width; ++c) {
                TerrainVertex* column = map.vertices[c].get();
                const unsigned char* bytes =
                    band.data() + static_cast<std::size_t>(c) * tilePointSize;
                for (int r = 0; r < rows; ++r, bytes += rowBytes)
                    column[first + r] = decodeTilePoint(bytes, c, first + r);
            }
        }
        return true;
    }
};

void findHeightRange(const std::vector<std::shared_ptr<TerrainVertex[]>>& vertices, int height,
                     float& lowest, float& highest) {
    if (vertices.empty()) return;
    lowest = highest = vertices[0][0].position.y;
    for (const auto& column : vertices) {
        for (int r = 0; r < height; ++r) {
            lowest = std::min(lowest, column[r].position.y);
            highest = std::max(highest, column[r].position.y);
        }
    }
}

template <typename T>
void allocateGrid(std::vector<std::shared_ptr<T[]>>& grid, int width, int height) {
    grid.clear();
    if (width == 0 || height == 0) return;
    grid.resize(static_cast<std::size_t>(width));
    for (auto& column : grid) column.reset(new T[static_cast<std::size_t>(height)]());
}

} // namespace

TerrainMap::TerrainMap(const char* name, ByteSource& source, std::ostream& report,
                       ReportText text) {
    auto h = std::make_unique<EnvironmentHeader>();
    try {
        ByteReader reader(source);
        Load load{name, report, reader, source.size(), text, {}, {}};
        if (load.readHeader(*h) && load.gridFits(*h)) {
            try {
                allocateGrid(vertices, h->mapWidth, h->mapHeight);
                allocateGrid(normals, h->mapWidth, h->mapHeight);
            } catch (const std::bad_alloc&) {
                // Give the memory back first: the message needs some of its own.
                vertices.clear();
                normals.clear();
                load.fail("out of memory for a grid of " + std::to_string(h->mapWidth) + " by " +
                          std::to_string(h->mapHeight) + " tile points");
            }
            if (load.error.empty() && load.readTilePoints(*this, h->mapWidth, h->mapHeight)) {
                computeNormals(*h);
                heightBlocks.build(vertices, h->mapWidth, h->mapHeight, quadsPerHeightBlock);
                findHeightRange(vertices, h->mapHeight, lowestHeight, highestHeight);
            }
        }
        loadError = load.error;
        loadWarning = load.warning;
    } catch (const std::bad_alloc&) {
        loadError = std::string(name) + ": out of memory while loading";
    } catch (const std::exception& e) {
        loadError = std::string(name) + ": " + e.what();
    }
    header = std::move(h);
    if (loaded()) {
        report << "Done loading " << (text == ReportText::escaped ? escapeControls(name) : name)
               << '\n';
        report.flush();
        return;
    }
    if (!loadWarning.empty()) loadError += "; it does not look like an environment file";
    vertices.clear();
    normals.clear();
    heightBlocks = HeightBlocks{};
}

TerrainMap TerrainMap::sharingGrids() const {
    TerrainMap shared;
    EnvironmentHeader& h = *shared.header;
    std::copy_n(header->magic, sizeof h.magic, h.magic);
    h.version = header->version;
    h.tileSet = header->tileSet;
    h.customTileSet = header->customTileSet;
    const auto ids = [](const std::unique_ptr<char[]>& from, std::int32_t count) {
        std::unique_ptr<char[]> to;
        if (!from) return to;
        const std::size_t bytes = 4 * static_cast<std::size_t>(std::max(count, 0)) + 1;
        to.reset(new char[bytes]);
        std::copy_n(from.get(), bytes, to.get());
        return to;
    };
    h.groundTileSetCount = header->groundTileSetCount;
    h.groundTileSetIds = ids(header->groundTileSetIds, header->groundTileSetCount);
    h.cliffTileSetCount = header->cliffTileSetCount;
    h.cliffTileSetIds = ids(header->cliffTileSetIds, header->cliffTileSetCount);
    h.mapWidth = header->mapWidth;
    h.mapHeight = header->mapHeight;
    h.xOffset = header->xOffset;
    h.zOffset = header->zOffset;
    shared.vertices = vertices;
    shared.normals = normals;
    shared.heightBlocks = heightBlocks;
    shared.lowestHeight = lowestHeight;
    shared.highestHeight = highestHeight;
    shared.loadError = loadError;
    shared.loadWarning = loadWarning;
    return shared;
}

TerrainMap TerrainMap::unopened(const std::string& name, const std::string& reason,
                                std::ostream& report) {
    report << "shat\n";
    report.flush();
    TerrainMap map;
    map.loadError = "cannot open " + name + ": " + reason;
    return map;
}
