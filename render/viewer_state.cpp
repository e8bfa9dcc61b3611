// The viewer's one ViewerState.
#include "render/viewer_state.h"

ViewerState viewerState;
