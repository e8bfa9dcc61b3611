// The viewer's one WindowContext.
#include "render/window_context.h"

WindowContext windowContext;
