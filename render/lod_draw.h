// Drawing the chunks a frame has chosen: GL 1.1 vertex arrays and glDrawElements, one call a
// chunk, then the water over them in the coloured views.
// Needs: OpenGL 1.x, the level-of-detail mesh, its selection and textures.
#pragma once

#include "render/lod_select.h"
#include "render/lod_textures.h"

// Draws the chunks `selection` chose; in a coloured view with its colour textures (made first
// if the map or the view is new), and with `water` the water surface over them. Leaves the GL
// state as it found it.
void drawLevelOfDetail(const TerrainMap& map, const LodMesh& mesh, const LodSelection& selection,
                       LodTextures& textures, TerrainView view, bool water);
