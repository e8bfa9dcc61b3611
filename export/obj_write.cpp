// Numbers are written as the shortest text that reads back as the same float.
#include "export/obj_write.h"

#include "terrain/whole_file.h"
#include "zuvaro_version.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// Lines of text, written out once there are enough of them.
struct TextRun {
    std::ostream& out;
    std::string text;

    TextRun& operator<<(const char* s) {
        text += s;
        return *this;
    }
    TextRun& operator<<(const std::string& s) {
        text += s;
        return *this;
    }
    TextRun& operator<<(float f) {
        char number[32];
        const auto end = std::to_chars(number, number + sizeof number, f).ptr;
        text.append(number, end);
        return *this;
    }
    TextRun& operator<<(std::uint64_t n) {
        char number[24];
        const auto end = std::to_chars(number, number + sizeof number, n).ptr;
        text.append(number, end);
        return *this;
    }
    void flush(bool always = false) {
        if (!always && text.size() < writeChunk) return;
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        text.clear();
    }
};

// One line "v x y z r g b" of a point in OBJ's axes (y up, z south), its colour as sRGB.
void vertexLine(TextRun& t, const MeshPlace& place, int column, int row, float height,
                const Rgb& c) {
    t << "v " << place.east(column) << " " << place.up(height) << " " << -place.north(row) << " "
      << c.r << " " << c.g << " " << c.b << "\n";
}

// The faces of a quad, "f a//a b//b c//c": each point with the normal of its own number, or
// all with normal `normal` where it is not 0.
void quadFaces(TextRun& t, const std::uint64_t corner[4], std::uint64_t normal) {
    for (const auto& triangle : quadTriangles) {
        t << "f";
        for (const int k : triangle) t << " " << corner[k] << "//" << (normal ? normal : corner[k]);
        t << "\n";
    }
}

void writeGround(TextRun& t, const TerrainMap& map, const MeshOptions& options, const MeshGrid& g,
                 const MeshPlace& place) {
    const MeshColours colours = MeshColours::of(map, options.view, options.palette);
    for (std::size_t i = 0; i < g.columns.size(); ++i, t.flush())
        for (std::size_t j = 0; j < g.rows.size(); ++j) {
            const TerrainVertex& v = g.vertex(map, i, j);
            vertexLine(t, place, g.columns[i], g.rows[j], v.position.y, colours.colourOf(v));
        }
    for (std::size_t i = 0; i < g.columns.size(); ++i, t.flush())
        for (std::size_t j = 0; j < g.rows.size(); ++j) {
            const Point3 n = g.normal(map, i, j).scaledTo(1.0f);
            t << "vn " << n.x << " " << n.y << " " << n.z << "\n"; // the world's z is south too
        }
    t << "usemtl ground\n";
    for (std::size_t j = 0; j + 1 < g.rows.size(); ++j, t.flush())
        for (std::size_t i = 0; i + 1 < g.columns.size(); ++i) {
            const std::uint64_t corner[4] = {g.index(i, j) + 1ull, g.index(i + 1, j) + 1ull,
                                             g.index(i, j + 1) + 1ull,
                                             g.index(i + 1, j + 1) + 1ull};
            quadFaces(t, corner, 0);
        }
}

void writeWater(TextRun& t, const TerrainMap& map, const MeshGrid& g, const MeshPlace& place,
                const std::vector<unsigned char>& wet, const WaterPoints& water) {
    const Rgb blue{waterColour[0], waterColour[1], waterColour[2]};
    t << "o water\n";
    for (std::size_t i = 0; i < g.columns.size(); ++i, t.flush())
        for (std::size_t j = 0; j < g.rows.size(); ++j)
            if (water.number[g.index(i, j)] != WaterPoints::none)
                vertexLine(t, place, g.columns[i], g.rows[j],
                           waterSurfaceHeight(g.vertex(map, i, j)), blue);
    t << "vn 0 1 0\nusemtl water\n";
    const std::uint64_t first = g.points() + 1, up = g.points() + 1;
    const std::size_t across = g.columns.size() - 1;
    for (std::size_t j = 0; j + 1 < g.rows.size(); ++j, t.flush())
        for (std::size_t i = 0; i < across; ++i) {
            if (!wet[j * across + i]) continue;
            const std::uint64_t corner[4] = {first + water.number[g.index(i, j)],
                                             first + water.number[g.index(i + 1, j)],
                                             first + water.number[g.index(i, j + 1)],
                                             first + water.number[g.index(i + 1, j + 1)]};
            quadFaces(t, corner, up);
        }
}

} // namespace

void writeObj(std::ostream& out, const TerrainMap& map, const MeshOptions& options,
              const std::string& materials) {
    const MeshGrid g = MeshGrid::of(*map.header, options.step);
    const MeshPlace place = MeshPlace::of(*map.header, options.scale);
    TextRun t{out, {}};
    t << "# " << (options.name.empty() ? std::string("terrain") : options.name)
      << ", written by Zuvaro " ZUVARO_VERSION ": x east, y up, z south\n";
    t << "mtllib " << materials << "\no ground\n";
    writeGround(t, map, options, g, place);
    const std::vector<unsigned char> wet = wetQuads(map, g, options.view);
    const WaterPoints water = WaterPoints::of(g, wet);
    if (water.count > 0) writeWater(t, map, g, place, wet, water);
    t.flush(true);
}

void writeMtl(std::ostream& out) {
    char water[160];
    std::snprintf(water, sizeof water,
                  "newmtl water\nKa 0 0 0\nKd %.3f %.3f %.3f\nKs 0 0 0\nd %.2f\nillum 1\n",
                  waterColour[0], waterColour[1], waterColour[2], waterColour[3]);
    out << "# Zuvaro " ZUVARO_VERSION ": the ground's colours are its points' own\n"
           "newmtl ground\nKa 0 0 0\nKd 1 1 1\nKs 0 0 0\nillum 1\n\n"
        << water;
}
