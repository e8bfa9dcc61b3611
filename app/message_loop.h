// The viewer's message loop: one message per iteration, key actions in between.
// Needs: the platform layer.
#pragma once

#include "app/view_controls.h"

// Runs until WM_QUIT (its code is returned) or Escape (0); the keys act on `controls`.
int runMessageLoop(ViewControls& controls);
