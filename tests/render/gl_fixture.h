// A real OpenGL window for tests of the render layer and the key actions: the viewer's own
// main window, shown on the test's Xvfb display, 800 by 600.
#pragma once

#include "app/view_controls.h"
#include "platform/win32.h"
#include "terrain/terrain_map.h"

#include <string>
#include <vector>

// Creates the window and its current context on first use; fills windowContext.
void ensureGlWindow();

// Resets the viewer's records, the window's controls and GL state to those of a fresh start
// (initGL included).
void freshViewer();

// The controls of the test window, as the entry makes them for the viewer's.
ViewControls& testControls();

// renderFrame with the test window's scene, again once the mesh it began to make is made.
void drawFrame();

// Loads a map written from bytes into the global terrainMap.
void useMap(const std::vector<unsigned char>& bytes);

// The window's pixels as the X server shows them, RGB, top row first.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* at(int x, int y) const {
        return &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
    }
    // Pixels with r == g == b > threshold (lit white terrain), and yellowish ones.
    int greyCount(int threshold = 8) const;
    int yellowCount() const;
};
Screenshot screenshot();

// The X window id of the test window.
std::string testWindowId();
