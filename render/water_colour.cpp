#include "render/water_colour.h"

#include "platform/win32.h"

void beginWater() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glColor4fv(waterColour);
}

void endWater() {
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}
