// The load: one front-to-back pass over the environment file that prints each report line
// as soon as its value is read, then decodes the tile points into the vertex grid.
// Every count and dimension is checked against the bytes the file really has before
// anything is allocated from it, so a damaged file costs an error message, never a crash.
#include "terrain/byte_reader.h"
#include "terrain/report_format.h"
#include "terrain/terrain_map.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <limits>
#include <new>

namespace {

struct Load {
    const char* fileName;
    std::ostream& report;
    ByteReader& reader;
    std::uint64_t fileSize;
    std::string error;

    void line(const std::string& text) {
        report << text << '\n';
        report.flush();
    }

    bool fail(const std::string& what) {
        error = std::string(fileName) + ": " + what;
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
        line(idLabel + std::string(ids.get()));
        return true;
    }

    bool readHeader(EnvironmentHeader& h) {
        if (!readField(h.magic, 4, "magic")) return false;
        if (std::memcmp(h.magic, "W3E!", 5) == 0)
            line(std::string(h.magic) + " - W3E check passed.");
        if (!readInt32(h.version, "version")) return false;
        if (h.version == 11) line("Version - 11.  Version check passed");
        if (!readField(&h.tileSet, 1, "main tile set")) return false;
        line(std::string("Tile set - ") + h.tileSet);
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
        const std::size_t rowBytes = static_cast<std::size_t>(width) * tilePointSize;
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

template <typename T>
void allocateGrid(std::vector<std::unique_ptr<T[]>>& grid, int width, int height) {
    grid.clear();
    if (width == 0 || height == 0) return;
    grid.resize(static_cast<std::size_t>(width));
    for (auto& column : grid) column.reset(new T[static_cast<std::size_t>(height)]());
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

TerrainMap::TerrainMap(const char* fileName, std::ostream& report) {
    auto h = std::make_unique<EnvironmentHeader>();
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName, "rb"));
    if (!file) {
        const int reason = errno;
        report << "shat\n";
        report.flush();
        loadError = std::string("cannot open ") + fileName + ": " + std::strerror(reason);
        header = std::move(h);
        return;
    }
    try {
        std::error_code sizeError;
        const std::uintmax_t size = std::filesystem::file_size(fileName, sizeError);
        if (sizeError) {
            loadError =
                std::string(fileName) + ": cannot tell the file's size: " + sizeError.message();
        } else {
            ByteReader reader(file.get());
            Load load{fileName, report, reader, size, {}};
            if (load.readHeader(*h) && load.gridFits(*h)) {
                try {
                    allocateGrid(vertices, h->mapWidth, h->mapHeight);
                    allocateGrid(normals, h->mapWidth, h->mapHeight);
                } catch (const std::bad_alloc&) {
                    // Give the memory back first: the message needs some of its own.
                    vertices.clear();
                    normals.clear();
                    load.fail("out of memory for a grid of " + std::to_string(h->mapWidth) +
                              " by " + std::to_string(h->mapHeight) + " tile points");
                }
                if (load.error.empty() && load.readTilePoints(*this, h->mapWidth, h->mapHeight)) {
                    computeNormals(*h);
                    heightBlocks.build(vertices, h->mapWidth, h->mapHeight, quadsPerHeightBlock);
                }
            }
            loadError = load.error;
        }
    } catch (const std::bad_alloc&) {
        loadError = std::string(fileName) + ": out of memory while loading";
    } catch (const std::exception& e) {
        loadError = std::string(fileName) + ": " + e.what();
    }
    header = std::move(h);
    file.reset();
    if (loaded()) {
        report << "Done loading " << fileName << '\n';
        report.flush();
    } else {
        vertices.clear();
        normals.clear();
    }
}
