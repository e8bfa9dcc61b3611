// KeyTable: which keys are held, by Windows virtual-key code, and keyActions, which applies
// the action of every held key once per message-loop iteration.
// Needs: the platform layer, the command table.
#pragma once

#include "platform/win32.h"

struct ViewControls;

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

// Applies the commands (app/commands.h) of the keys held, and of those pressed since the last
// call, in the table's order: arrows fly the camera within the map's extent, in steps of 64
// units at the start's height (more when higher); W, P, F choose the polygon mode; I, U, M, K
// move the light; then, once per press, the switches and the camera's jumps.
void keyActions(ViewControls& controls);
