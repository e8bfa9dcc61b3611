// The viewer's message loop: one message per iteration, key actions in between.
// Needs: the platform layer.
#pragma once

// Runs until WM_QUIT (its code is returned) or Escape (0).
int runMessageLoop();
