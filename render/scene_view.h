// SceneView: what frames keep beside the ViewerState: the camera's pose, the level-of-detail
// switch with its mesh, textures and the frame's choice of levels, the words over the picture,
// and the last frame's projection and viewport, from which the mouse finds where it points.
// One record per window, passed to the frame and the controls.
// Needs: the level-of-detail mesh, OpenGL for its textures and the screen's text.
#pragma once

#include "render/camera_pose.h"
#include "render/gl_entry_points.h"
#include "render/lod_geometry.h"
#include "render/lod_select.h"
#include "render/lod_textures.h"
#include "render/screen_text.h"
#include "render/text_lines.h"

#include <string>
#include <vector>

// The projection and viewport the last frame was drawn with.
struct FrameCamera {
    float tanHalfFovy = 0.57735f; // 60 degrees, the window's first projection
    float aspect = 4.0f / 3.0f;
    int width = 800, height = 600;
};

// The words over the picture: the status line, the legend and the point under the cursor
// (shown in the coloured views and hidden in the plain one, until Tab decides), the keys (F1)
// and the tile grid's lines (G).
struct Overlay {
    enum class Words { asTheViewHasThem, shown, hidden };
    Words words = Words::asTheViewHasThem;
    bool keys = false;
    TextLines keyLines; // the F1 list, made by the app from its command table
    bool grid = false;
    bool cursorIn = false; // the pointer is over the window, at (cursorX, cursorY)
    int cursorX = 0, cursorY = 0;
    std::string mapName;    // the shown map's file name
    char note[160] = {};    // a passing line under the status line, such as where a picture went
    float noteUntil = 0.0f; // the ViewerState's elapsedSeconds when it goes
    // F12: the next frame reads its picture back (RGB, rows top first) for the app to save.
    bool pictureWanted = false;
    std::vector<unsigned char> picture;
    int pictureWidth = 0, pictureHeight = 0;
    ScreenText text;

    bool wordsShown(TerrainView view) const {
        return words == Words::asTheViewHasThem ? view != TerrainView::plain
                                                : words == Words::shown;
    }
};

struct SceneView {
    CameraPose pose;
    bool levelOfDetail = true; // D: off draws the full grid quad by quad at every camera
    LodMesh mesh;
    LodTextures textures;
    LodGeometry geometry;  // the mesh's vertices as the driver holds them
    GlEntryPoints gl;      // of the window's context
    GLuint markerList = 0; // the light marker, compiled for every camera but the start one
    LodSelection selection;
    FrameCamera frame;
    Overlay overlay;
};
