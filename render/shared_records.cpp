// The records that the app layer writes and the frame reads.
#include "render/viewer_state.h"
#include "render/window_context.h"

ViewerState viewerState;
WindowContext windowContext;
