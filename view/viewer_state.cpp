// The viewer's one ViewerState.
#include "view/viewer_state.h"

ViewerState viewerState;
