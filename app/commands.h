// Every key and mouse action of the viewer, in one table: what the F1 list, the README and the
// manual page name, and what the keys do, in the order keyActions applies them.
// Needs: the window's controls, the view layer's words.
#pragma once

#include "view/text_lines.h"

struct ViewControls;

struct Command {
    enum Trigger {
        held,    // every loop iteration while a key is held
        pressed, // once a press
        mouse,   // a mouse action (mouse_actions does it)
        loop,    // the message loop's own (Escape)
    };
    const char* keys; // as the user reads them: "Up, Down", "Ctrl+O", "Wheel"
    const char* does; // what it does, in a few words
    Trigger trigger;
    int codes[3];  // virtual-key codes, 0 where none; `which` tells act which one
    bool withCtrl; // the key counts only while Ctrl is held
    void (*act)(ViewControls& controls, int which);
};

extern const Command commands[];
extern const int commandCount;

// The F1 list: a line a command, "keys: what it does".
void listCommands(TextLines& out);
