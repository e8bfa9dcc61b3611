#include "render/contour_texture.h"

#include "view/contour_lines.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr GLenum contourUnit = GL_TEXTURE2;
constexpr int texels = contourTexels; // five intervals

// The lines' shade at a texel: 1 away from them, darker near a line's height, the first of
// the five (at a multiple of five intervals) the darkest and widest; grey, opaque.
std::vector<unsigned char> lineTexels() {
    std::vector<unsigned char> out(texels * 4, 255);
    const double perInterval = texels / 5.0;
    for (int k = 0; k < texels; ++k) {
        const double at = k + 0.5;
        const int nearest = static_cast<int>(std::lround(at / perInterval));
        const double apart = std::fabs(at - nearest * perInterval) / perInterval; // intervals
        const bool strong = nearest % 5 == 0;
        const double half = strong ? strongLineHalfWidth : lightLineHalfWidth,
                     keep = strong ? 0.3 : 0.6;
        const auto shade =
            static_cast<unsigned char>(std::lround(255.0 * (apart <= half ? keep : 1.0)));
        std::fill_n(&out[static_cast<std::size_t>(k) * 4], 3, shade);
    }
    return out;
}

} // namespace

bool ContourTexture::possible(const GlEntryPoints& gl) {
    if (!gl.multitexture()) return false;
    if (units < 0) {
        GLint count = 0;
        glGetIntegerv(GL_MAX_TEXTURE_UNITS, &count);
        units = count;
    }
    return units >= 3;
}

void ContourTexture::begin(const GlEntryPoints& gl, float interval) {
    if (!(interval > 0.0f) || !possible(gl)) return;
    gl.activeTexture(contourUnit);
    if (id == 0) {
        glGenTextures(1, &id);
        glBindTexture(GL_TEXTURE_1D, id);
        const std::vector<unsigned char> shades = lineTexels();
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage1D(GL_TEXTURE_1D, 0, GL_RGBA8, texels, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     shades.data());
        glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        // RGBA, one level, the nearest texel: each of these halves what the lookup costs a
        // software rasteriser; the lines' edges are then as crisp as drawn lines'.
        glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }
    glBindTexture(GL_TEXTURE_1D, id);
    glEnable(GL_TEXTURE_1D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // s = height / (5 intervals): whole at every fifth line.
    const GLfloat plane[4] = {0.0f, 1.0f / (5.0f * interval), 0.0f, 0.0f};
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
    glTexGenfv(GL_S, GL_EYE_PLANE, plane);
    glEnable(GL_TEXTURE_GEN_S);
    gl.activeTexture(GL_TEXTURE0);
    on = true;
}

void ContourTexture::end(const GlEntryPoints& gl) {
    if (!on) return;
    gl.activeTexture(contourUnit);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_1D);
    glBindTexture(GL_TEXTURE_1D, 0);
    gl.activeTexture(GL_TEXTURE0);
    on = false;
}

void ContourTexture::release() {
    if (id != 0) glDeleteTextures(1, &id);
    id = 0;
}
