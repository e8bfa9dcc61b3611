// A colour or light tile holds a texel per tile point, (quads + 1) a side, and a look tile two,
// which is no power of two; drivers of OpenGL 2 and later take any size, older ones get the next
// power of two with the rest unused.
#include "render/lod_textures.h"

#include "view/light_shade.h"
#include "view/view_colours.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

bool anySizeTextures() {
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return (version && version[0] >= '2' && version[0] <= '9') ||
           (extensions && std::strstr(extensions, "GL_ARB_texture_non_power_of_two"));
}

int sideFor(int texels, bool anySize) {
    if (anySize) return texels;
    int side = 1;
    while (side < texels) side *= 2;
    return side;
}

unsigned char toByte(float v) {
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

// Uploads texels (across x down, `channels` bytes each, the rest of a larger texture zero).
LodTexture upload(const std::vector<unsigned char>& texels, int across, int down, bool anySize,
                  GLenum format, GLint filter = GL_NEAREST) {
    LodTexture t;
    t.across = sideFor(across, anySize);
    t.down = sideFor(down, anySize);
    glGenTextures(1, &t.id);
    glBindTexture(GL_TEXTURE_2D, t.id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), t.across, t.down, 0, format,
                 GL_UNSIGNED_BYTE, texels.data());
    return t;
}

void remove(std::vector<LodTexture>& textures) {
    for (const LodTexture& t : textures)
        if (t.id) glDeleteTextures(1, &t.id);
    textures.clear();
}

// The tiles of a map: where each starts and how many quads it covers.
struct TileSpan {
    int c0, r0, quadsAcross, quadsDown;
};

template <typename Each> void forTiles(const LodTextures& t, const TerrainMap& map, Each each) {
    const int quadsX = std::max(map.header->mapWidth - 1, 0);
    const int quadsZ = std::max(map.header->mapHeight - 1, 0);
    for (int tz = 0; tz < t.tilesZ; ++tz) {
        for (int tx = 0; tx < t.tilesX; ++tx) {
            const int c0 = tx * t.tileQuads, r0 = tz * t.tileQuads;
            each(TileSpan{c0, r0, std::min(t.tileQuads, quadsX - c0),
                          std::min(t.tileQuads, quadsZ - r0)});
        }
    }
}

// A texel per tile point of the tile, `channels` bytes from `texel(vertex, normal, bytes)`.
template <typename Texel>
std::vector<unsigned char>& pointTexels(std::vector<unsigned char>& texels, const TerrainMap& map,
                                        const TileSpan& tile, bool anySize, int channels,
                                        Texel texel) {
    const int across = tile.quadsAcross + 1, down = tile.quadsDown + 1;
    const int side = sideFor(across, anySize);
    texels.assign(static_cast<std::size_t>(side) * sideFor(down, anySize) * channels, 0);
    for (int c = 0; c < across; ++c) {
        const TerrainVertex* column = map.vertices[static_cast<std::size_t>(tile.c0 + c)].get();
        const Point3* normals = map.normals[static_cast<std::size_t>(tile.c0 + c)].get();
        for (int r = 0; r < down; ++r)
            texel(column[tile.r0 + r], normals[tile.r0 + r],
                  &texels[(static_cast<std::size_t>(r) * side + c) * channels]);
    }
    return texels;
}

void makeLook(LodTextures& t, const TerrainMap& map, bool anySize) {
    std::vector<unsigned char> texels;
    forTiles(t, map, [&](const TileSpan& tile) {
        const int across = lookTexelsPerTile * (tile.quadsAcross + 1),
                  down = lookTexelsPerTile * (tile.quadsDown + 1);
        const int side = sideFor(across, anySize);
        texels.assign(static_cast<std::size_t>(side) * sideFor(down, anySize) * 3, 0);
        fillGroundLook(map, t.colouring,
                       MapSpan{tile.c0, tile.r0, tile.quadsAcross, tile.quadsDown}, side,
                       texels.data());
        t.look.push_back(upload(texels, across, down, anySize, GL_RGB));
    });
}

void makeColour(LodTextures& t, const TerrainMap& map, bool anySize) {
    const VertexColouring& colouring = t.colouring;
    std::vector<unsigned char> texels;
    forTiles(t, map, [&](const TileSpan& tile) {
        pointTexels(texels, map, tile, anySize, 3,
                    [&](const TerrainVertex& v, const Point3&, unsigned char* out) {
                        const Rgb rgb = colouring.colourOf(v);
                        out[0] = toByte(rgb.r);
                        out[1] = toByte(rgb.g);
                        out[2] = toByte(rgb.b);
                    });
        t.colour.push_back(
            upload(texels, tile.quadsAcross + 1, tile.quadsDown + 1, anySize, GL_RGB));
    });
}

} // namespace

void LodTextures::release() {
    remove(colour);
    remove(look);
    remove(light);
    generation = -1;
}

void LodTextures::prepare(const TerrainMap& map, const LodMesh& mesh, TerrainView shown,
                          const ComparedMaps& compared, bool waterShown) {
    const bool newMesh = generation != mesh.generation;
    const bool wet = viewShowsWater(shown, waterShown);
    if (!newMesh && shown == view && wet == water) return;
    colouring = VertexColouring::of(map, shown, compared.changes, compared.showingOlder);
    const bool anySize = anySizeTextures();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (newMesh) {
        release();
        generation = mesh.generation;
        GLint largest = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
        tileQuads = 4096;
        while (tileQuads > lodChunkCells &&
               sideFor(lookTexelsPerTile * (tileQuads + 1), anySize) > largest)
            tileQuads /= 2;
        const int quadsX = std::max(map.header->mapWidth - 1, 0);
        const int quadsZ = std::max(map.header->mapHeight - 1, 0);
        tilesX = quadsX > 0 ? (quadsX + tileQuads - 1) / tileQuads : 0;
        tilesZ = quadsZ > 0 ? (quadsZ + tileQuads - 1) / tileQuads : 0;
    }
    remove(colour);
    remove(look);
    view = shown;
    water = wet;
    if (shown != TerrainView::plain) makeColour(*this, map, anySize);
    if (wet) makeLook(*this, map, anySize);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void LodTextures::prepareLight(const TerrainMap& map, const float position[4]) {
    if (!light.empty() && std::equal(lightAt, lightAt + 3, position)) return;
    const bool anySize = anySizeTextures();
    const bool remake = light.size() != static_cast<std::size_t>(tilesX) * tilesZ;
    if (remake) remove(light);
    std::copy(position, position + 3, lightAt);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::size_t index = 0;
    forTiles(*this, map, [&](const TileSpan& tile) {
        pointTexels(texels, map, tile, anySize, 1,
                    [&](const TerrainVertex& v, const Point3& normal, unsigned char* out) {
                        *out = toByte(lightShade(normal, v.position, position));
                    });
        const int across = tile.quadsAcross + 1, down = tile.quadsDown + 1;
        if (remake) {
            light.push_back(upload(texels, across, down, anySize, GL_LUMINANCE, GL_LINEAR));
        } else {
            glBindTexture(GL_TEXTURE_2D, light[index].id);
            glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, light[index].across, light[index].down,
                            GL_LUMINANCE, GL_UNSIGNED_BYTE, texels.data());
        }
        ++index;
    });
    glBindTexture(GL_TEXTURE_2D, 0);
}

std::size_t LodTextures::bytes() const {
    std::size_t total = 0;
    for (const auto* set : {&colour, &look, &light})
        for (const LodTexture& t : *set)
            total += static_cast<std::size_t>(t.across) * t.down * (set == &light ? 1 : 3);
    return total;
}
