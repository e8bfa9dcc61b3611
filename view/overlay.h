// Overlay: the words over the picture, as the user has them: which show, where the pointer is,
// the map's name, a passing note, and the window's picture asked for by F12.
// Needs: the views, the text lines; no OpenGL.
#pragma once

#include "view/terrain_view.h"
#include "view/text_lines.h"

#include <string>
#include <vector>

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
    std::string changeLine; // while comparing: the changed regions, or the one N flew to
    float noteUntil = 0.0f; // the ViewerState's elapsedSeconds when it goes
    // F12: the next frame reads its picture back (RGB, rows top first) for the app to save.
    bool pictureWanted = false;
    std::vector<unsigned char> picture;
    int pictureWidth = 0, pictureHeight = 0;

    bool wordsShown(TerrainView view) const {
        return words == Words::asTheViewHasThem ? view != TerrainView::plain
                                                : words == Words::shown;
    }
};
