// A colour tile holds a texel per tile point, (quads + 1) a side, which is no power of two;
// drivers of OpenGL 2 and later take any size, older ones get the next power of two with the
// rest unused. A water tile holds a texel per quad: where the water shows in the view.
#include "render/lod_textures.h"

#include "render/view_colours.h"

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
                  GLenum format) {
    LodTexture t;
    t.across = sideFor(across, anySize);
    t.down = sideFor(down, anySize);
    glGenTextures(1, &t.id);
    glBindTexture(GL_TEXTURE_2D, t.id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
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

} // namespace

void LodTextures::release() {
    remove(colour);
    remove(water);
    generation = -1;
}

void LodTextures::prepare(const TerrainMap& map, const LodMesh& mesh, TerrainView shown) {
    const bool newMesh = generation != mesh.generation;
    if (!newMesh && shown == view) return;
    const bool anySize = anySizeTextures();
    const int quadsX = std::max(map.header->mapWidth - 1, 0);
    const int quadsZ = std::max(map.header->mapHeight - 1, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::vector<unsigned char> texels;
    if (newMesh) {
        release();
        generation = mesh.generation;
        GLint largest = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
        tileQuads = 4096;
        while (tileQuads > lodChunkCells && sideFor(tileQuads + 1, anySize) > largest)
            tileQuads /= 2;
        tilesX = quadsX > 0 ? (quadsX + tileQuads - 1) / tileQuads : 0;
        tilesZ = quadsZ > 0 ? (quadsZ + tileQuads - 1) / tileQuads : 0;
    }
    remove(colour);
    remove(water);
    view = shown;
    if (shown != TerrainView::plain) {
        for (int tz = 0; tz < tilesZ; ++tz) {
            for (int tx = 0; tx < tilesX; ++tx) {
                const int c0 = tx * tileQuads, r0 = tz * tileQuads;
                const int across = std::min(tileQuads, quadsX - c0),
                          down = std::min(tileQuads, quadsZ - r0);
                const int side = sideFor(across, anySize);
                texels.assign(static_cast<std::size_t>(side) * sideFor(down, anySize), 0);
                bool any = false;
                for (int r = 0; r < down; ++r) {
                    for (int c = 0; c < across; ++c) {
                        if (!waterShowsOver(map, c0 + c, r0 + r, shown)) continue;
                        texels[static_cast<std::size_t>(r) * side + c] = 255;
                        any = true;
                    }
                }
                water.push_back(any ? upload(texels, across, down, anySize, GL_ALPHA)
                                    : LodTexture{});
            }
        }
    }
    if (shown != TerrainView::plain) {
        const VertexColouring colouring = VertexColouring::of(map, shown);
        for (int tz = 0; tz < tilesZ; ++tz) {
            for (int tx = 0; tx < tilesX; ++tx) {
                const int c0 = tx * tileQuads, r0 = tz * tileQuads;
                const int across = std::min(tileQuads, quadsX - c0) + 1;
                const int down = std::min(tileQuads, quadsZ - r0) + 1;
                const int side = sideFor(across, anySize);
                texels.assign(static_cast<std::size_t>(side) * sideFor(down, anySize) * 3, 0);
                for (int c = 0; c < across; ++c) {
                    const TerrainVertex* column =
                        map.vertices[static_cast<std::size_t>(c0 + c)].get();
                    for (int r = 0; r < down; ++r) {
                        const Rgb rgb = colouring.colourOf(column[r0 + r]);
                        unsigned char* t = &texels[(static_cast<std::size_t>(r) * side + c) * 3];
                        t[0] = toByte(rgb.r);
                        t[1] = toByte(rgb.g);
                        t[2] = toByte(rgb.b);
                    }
                }
                colour.push_back(upload(texels, across, down, anySize, GL_RGB));
            }
        }
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}
