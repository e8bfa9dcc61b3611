// Icon resources for programs on this layer, the counterpart of an .exe's icon resources: the
// program's build generates a source that registers its icon image, and LoadIconA(instance,
// MAKEINTRESOURCEA(id)) hands it out; a window whose class has it shows it.
// Needs: nothing but standard C++ (callers need not include SDL).
#pragma once

// Registers an RGBA image (width x height, 4 bytes a pixel, rows from the top) that outlives
// the program as icon `id`. Returns true, so that a static initialiser can call it.
bool registerIconResource(int id, int width, int height, const unsigned char* rgba);
