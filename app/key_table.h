// KeyTable: which keys are held, by Windows virtual-key code, and keyActions, which applies
// the action of every held key once per message-loop iteration.
// Needs: the platform layer, the render layer's ViewerState and scene, the terrain model, the
// map session.
#pragma once

#include "platform/win32.h"
#include "render/scene_view.h"

struct KeyTable {
    unsigned char held[256] = {};    // 1 from a key's WM_KEYDOWN to its WM_KEYUP
    unsigned char pressed[256] = {}; // 1 from a press (not a repetition) until it is taken

    void keyDown(WPARAM code) {
        if (code >= 256) return;
        if (!held[code]) pressed[code] = 1;
        held[code] = 1;
    }
    void keyUp(WPARAM code) {
        if (code < 256) held[code] = 0;
    }
    bool isHeld(int code) const { return code >= 0 && code < 256 && held[code] != 0; }
    // True once for each press of the key, however long it is held.
    bool takePress(int code) {
        if (code < 0 || code >= 256 || !pressed[code]) return false;
        pressed[code] = 0;
        return true;
    }
    // Keys released while the window had no focus never send their key-up here.
    void releaseAll() {
        for (unsigned char& k : held) k = 0;
        for (unsigned char& k : pressed) k = 0;
    }
};

extern KeyTable keyTable;

// While held, in this order: arrows fly the camera ahead, back, right and left of the way it
// faces within the map's extent, in steps of 64 units at the start's height (more when higher);
// I, U, K, M move the light; W, P, F choose the polygon mode. Then, once per press: L switches
// lighting; V cycles the views (and prints the new one's legend); H shows or hides the water;
// Page Down and Page Up double and halve the camera's height (256 to 32768), Home restores
// the start's height and direction where the camera is; O switches the overview; D switches
// the level of detail; Tab shows or hides the words over the picture, F1 the keys, G the tile
// grid; F5 reloads the map; Ctrl+O opens another with the desktop's file dialog; F12 saves the
// window's picture. The camera keys leave the overview first.
void keyActions(SceneView& scene);
