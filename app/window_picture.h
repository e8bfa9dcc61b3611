// F12: the window's picture as a PNG file, in the desktop's pictures folder where there is one
// (else the current folder), named from the map and the time, and said where: on standard
// output and for a few seconds under the status line.
// Needs: the platform layer, the render layer's scene, the export layer.
#pragma once

#include "render/scene_view.h"

// Saves the picture the last frame read back into the scene, if there is one, and forgets it.
void saveWindowPicture(SceneView& scene);
