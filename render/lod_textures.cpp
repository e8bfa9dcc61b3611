// A colour or light tile holds a texel per tile point, (quads + 1) a side, and a look tile two,
// which is no power of two; drivers of OpenGL 2 and later take any size, older ones get the next
// power of two with the rest unused. Colours are RGBA, the layout a software rasteriser keeps,
// so handing them over is a copy; a map's textures keep their storage from view to view.
#include "render/lod_textures.h"

#include "view/light_shade.h"
#include "view/view_colours.h"

#include <algorithm>
#include <cstring>
#include <utility>

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

// Tiles of at most `most` quads a side whose textures, `texels` a tile, the driver takes.
TextureTiles tilesFor(const TerrainMap& map, int most, int texels, bool anySize) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    TextureTiles tiles{most, 0, 0};
    while (tiles.quads > lodChunkCells && sideFor(texels * (tiles.quads + 1), anySize) > largest)
        tiles.quads /= 2;
    const int quadsX = std::max(map.header->mapWidth - 1, 0);
    const int quadsZ = std::max(map.header->mapHeight - 1, 0);
    tiles.across = quadsX > 0 ? (quadsX + tiles.quads - 1) / tiles.quads : 0;
    tiles.down = quadsZ > 0 ? (quadsZ + tiles.quads - 1) / tiles.quads : 0;
    return tiles;
}

// Tile `index` of the map's tiles.
MapSpan spanOf(const TerrainMap& map, const TextureTiles& tiles, std::size_t index) {
    const int c0 = static_cast<int>(index % static_cast<std::size_t>(tiles.across)) * tiles.quads;
    const int r0 = static_cast<int>(index / static_cast<std::size_t>(tiles.across)) * tiles.quads;
    return {c0, r0, std::min(tiles.quads, map.header->mapWidth - 1 - c0),
            std::min(tiles.quads, map.header->mapHeight - 1 - r0)};
}

// Room for texels of a tile `across` x `down` (a larger texture where sizes must be powers of
// two), `channels` bytes each: its side.
int roomFor(std::vector<unsigned char>& texels, int across, int down, int channels, bool anySize) {
    const int side = sideFor(across, anySize);
    texels.resize(static_cast<std::size_t>(side) * sideFor(down, anySize) * channels);
    return side;
}

// Hands texels (a texture of side x down) to texture `index` of `set`: into the storage it has
// when that is the same size, else into new storage.
void setTexels(std::vector<LodTexture>& set, std::size_t index,
               const std::vector<unsigned char>& texels, int side, int down, GLenum format,
               GLint filter) {
    if (index >= set.size()) set.resize(index + 1);
    LodTexture& t = set[index];
    if (t.id && t.across == side && t.down == down) {
        glBindTexture(GL_TEXTURE_2D, t.id);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, side, down, format, GL_UNSIGNED_BYTE,
                        texels.data());
        return;
    }
    if (!t.id) glGenTextures(1, &t.id);
    t.across = side;
    t.down = down;
    glBindTexture(GL_TEXTURE_2D, t.id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexImage2D(GL_TEXTURE_2D, 0, format == GL_RGBA ? GL_RGBA8 : static_cast<GLint>(format), side,
                 down, 0, format, GL_UNSIGNED_BYTE, texels.data());
}

void remove(std::vector<LodTexture>& textures) {
    for (const LodTexture& t : textures)
        if (t.id) glDeleteTextures(1, &t.id);
    textures.clear();
}

// The colours of the span's points into `texels`, `side` texels a row.
void pointColours(const TerrainMap& map, const VertexColouring& colouring, const MapSpan& span,
                  const Texels& texels) {
    for (int c = 0; c <= span.quadsAcross; ++c) {
        const TerrainVertex* column = map.vertices[static_cast<std::size_t>(span.c0 + c)].get();
        for (int r = 0; r <= span.quadsDown; ++r)
            putColour(texels.at(c, r), colouring.colourOf(column[span.r0 + r]));
    }
}

} // namespace

void LodTextures::release() {
    remove(colour);
    remove(look);
    remove(light);
    lookMade.clear();
    generation = -1;
}

void LodTextures::prepare(const TerrainMap& map, const LodMesh& mesh, TerrainView shown,
                          const ComparedMaps& compared, bool waterShown) {
    const bool newMap = generation != mesh.generation;
    const bool wet = viewShowsWater(shown, waterShown);
    if (!newMap && shown == view && wet == water) return;
    colouring = VertexColouring::of(map, shown, compared.changes, compared.showingOlder, &palette);
    const bool anySize = anySizeTextures();
    if (newMap) {
        release();
        generation = mesh.generation;
        colourTiles = tilesFor(map, 4096, 1, anySize);
        lookTiles = tilesFor(map, 1024, lookTexelsPerTile, anySize);
    }
    view = shown;
    water = wet;
    colourJustMade = true;
    lookMade.assign(static_cast<std::size_t>(lookTiles.across) * lookTiles.down, 0);
    if (shown == TerrainView::plain) return;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const std::size_t tiles = static_cast<std::size_t>(colourTiles.across) * colourTiles.down;
    for (std::size_t index = 0; index < tiles; ++index) {
        const MapSpan span = spanOf(map, colourTiles, index);
        const int down = span.quadsDown + 1;
        const int side = roomFor(texels, span.quadsAcross + 1, down, 4, anySize);
        pointColours(map, colouring, span, Texels{texels.data(), side});
        setTexels(colour, index, texels, side, sideFor(down, anySize), GL_RGBA, GL_NEAREST);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

void LodTextures::prepareMore(const TerrainMap& map) {
    // One large piece a frame: a map whose look is one tile has it with its colours.
    const bool wait = std::exchange(colourJustMade, false) && lookMade.size() > 1;
    if (wait || !water) return;
    const auto waiting = std::find(lookMade.begin(), lookMade.end(), 0);
    if (waiting == lookMade.end()) return;
    const auto index = static_cast<std::size_t>(waiting - lookMade.begin());
    const bool anySize = anySizeTextures();
    const MapSpan span = spanOf(map, lookTiles, index);
    const int across = span.quadsAcross + 1, down = span.quadsDown + 1;
    const int side = roomFor(texels, across, down, 4, anySize);
    pointColours(map, colouring, span, Texels{texels.data(), side});
    const int lookSide =
        roomFor(lookTexels, lookTexelsPerTile * across, lookTexelsPerTile * down, 4, anySize);
    fillGroundLook(map, view, span, Texels{texels.data(), side},
                   Texels{lookTexels.data(), lookSide});
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    setTexels(look, index, lookTexels, lookSide, sideFor(lookTexelsPerTile * down, anySize),
              GL_RGBA, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    *waiting = 1;
}

ChunkTexture LodTextures::groundOf(int column, int row) const {
    if (water) {
        const std::size_t tile = lookTiles.of(column, row);
        if (lookMade[tile])
            return {&look[tile], static_cast<float>(lookTexelsPerTile), column % lookTiles.quads,
                    row % lookTiles.quads};
    }
    return {&colour[colourTiles.of(column, row)], 1.0f, column % colourTiles.quads,
            row % colourTiles.quads};
}

ChunkTexture LodTextures::lightOf(int column, int row) const {
    return {&light[colourTiles.of(column, row)], 1.0f, column % colourTiles.quads,
            row % colourTiles.quads};
}

void LodTextures::prepareLight(const TerrainMap& map, const float position[4]) {
    if (!light.empty() && std::equal(lightAt, lightAt + 3, position)) return;
    const bool anySize = anySizeTextures();
    std::copy(position, position + 3, lightAt);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const std::size_t tiles = static_cast<std::size_t>(colourTiles.across) * colourTiles.down;
    for (std::size_t index = 0; index < tiles; ++index) {
        const MapSpan span = spanOf(map, colourTiles, index);
        const int down = span.quadsDown + 1;
        const int side = roomFor(texels, span.quadsAcross + 1, down, 1, anySize);
        for (int c = 0; c <= span.quadsAcross; ++c) {
            const TerrainVertex* column = map.vertices[static_cast<std::size_t>(span.c0 + c)].get();
            const Point3* normals = map.normals[static_cast<std::size_t>(span.c0 + c)].get();
            for (int r = 0; r < down; ++r) {
                const float shade =
                    lightShade(normals[span.r0 + r], column[span.r0 + r].position, position);
                texels[static_cast<std::size_t>(r) * side + c] =
                    static_cast<unsigned char>(std::clamp(shade, 0.0f, 1.0f) * 255.0f + 0.5f);
            }
        }
        setTexels(light, index, texels, side, sideFor(down, anySize), GL_LUMINANCE, GL_LINEAR);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

std::size_t LodTextures::bytes() const {
    std::size_t total = 0;
    for (const auto* set : {&colour, &look, &light})
        for (const LodTexture& t : *set)
            total += static_cast<std::size_t>(t.across) * t.down * (set == &light ? 1 : 4);
    return total;
}
