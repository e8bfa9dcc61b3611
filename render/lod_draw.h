// Drawing the chunks a frame has chosen from the geometry the driver holds, one draw a chunk
// (and one more for its skirts where it needs them), in the coloured views with the ground's
// look, which holds the water. Lighting comes from the chunks' normals, or, where the frame
// asks for it (a plan, with multitexture), from the baked light textures beside the colours
// (OpenGL's own lighting is off for the ground), so that a coarse chunk shades as the full grid
// does.
// Needs: OpenGL 1.x, the level-of-detail mesh, its selection, geometry and textures.
#pragma once

#include "render/lod_geometry.h"
#include "render/lod_textures.h"
#include "view/lod_select.h"

// What a frame draws the chunks from, made beforehand (prepare, prepareLight).
struct LodDrawing {
    const LodMesh& mesh;
    const LodTextures& textures;
    const LodGeometry& geometry;
    const GlEntryPoints& gl;
    // The light textures are made and in use: a plan, with multitexture and lighting on.
    bool bakedLight = false;
};

// Draws the chunks `selection` chose, coloured for `view`. Leaves the GL state as it found it.
void drawLevelOfDetail(const TerrainMap& map, const LodDrawing& drawing,
                       const LodSelection& selection, TerrainView view);
