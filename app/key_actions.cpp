// keyActions: the commands of held and pressed keys, from the command table, in its order.
#include "app/commands.h"
#include "app/key_table.h"

KeyTable keyTable;

void keyActions(ViewControls& controls) {
    for (int i = 0; i < commandCount; ++i) {
        const Command& c = commands[i];
        if ((c.trigger != Command::held && c.trigger != Command::pressed) || !c.act) continue;
        if (c.withCtrl && !keyTable.isHeld(VK_CONTROL)) continue;
        for (int which = 0; which < 3 && c.codes[which] != 0; ++which) {
            const bool acts = c.trigger == Command::held ? keyTable.isHeld(c.codes[which])
                                                         : keyTable.takePress(c.codes[which]);
            if (acts) c.act(controls, which);
        }
    }
}
