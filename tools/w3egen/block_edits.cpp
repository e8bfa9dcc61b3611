#include "block_edits.h"

#include <algorithm>
#include <cstdio>

namespace {

struct Named {
    const char* name;
    BlockEdit::Field field;
    int lowest, highest;
};

constexpr Named fields[] = {{"raise", BlockEdit::Field::raise, -8192, 8192},
                            {"tile", BlockEdit::Field::tile, 0, 15},
                            {"layer", BlockEdit::Field::layer, 0, 15},
                            {"cliff", BlockEdit::Field::cliff, 0, 15},
                            {"flags", BlockEdit::Field::flags, 0, 15},
                            {"water", BlockEdit::Field::water, -2048, 2048}};

std::int16_t clampedRaw(int raw) {
    return static_cast<std::int16_t>(std::clamp(raw, -32768, 32767));
}

} // namespace

bool parseBlockEdit(const std::string& text, BlockEdit& edit, std::string& error) {
    char what[16] = {};
    char end = 0;
    if (std::sscanf(text.c_str(), "%15[a-z]:%d,%d,%d,%d:%d%c", what, &edit.c0, &edit.r0, &edit.c1,
                    &edit.r1, &edit.value, &end) != 6) {
        error = "--edit takes WHAT:C0,R0,C1,R1:V, not '" + text + "'";
        return false;
    }
    for (const Named& f : fields) {
        if (text.rfind(std::string(f.name) + ":", 0) != 0) continue;
        edit.field = f.field;
        if (edit.value >= f.lowest && edit.value <= f.highest) return true;
        error = "--edit " + std::string(f.name) + " takes a value from " +
                std::to_string(f.lowest) + " to " + std::to_string(f.highest) + ", not '" + text +
                "'";
        return false;
    }
    error = "--edit changes raise, tile, layer, cliff, flags or water, not '" + text + "'";
    return false;
}

void applyBlockEdit(W3eDocument& doc, const BlockEdit& e) {
    const int c0 = std::max(e.c0, 0), c1 = std::min(e.c1, doc.mapWidth - 1);
    const int r0 = std::max(e.r0, 0), r1 = std::min(e.r1, doc.mapHeight - 1);
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            W3eTilePoint& p = doc.at(c, r);
            const int layer = p.cliffAndLayer & 0x0F;
            switch (e.field) {
            case BlockEdit::Field::raise:
                p.groundHeight = clampedRaw(p.groundHeight + 4 * e.value);
                break;
            case BlockEdit::Field::tile:
                p.flagsAndTexture = static_cast<std::uint8_t>((p.flagsAndTexture & 0xF0) | e.value);
                break;
            case BlockEdit::Field::layer: // 512 raw units a layer
                p.groundHeight = clampedRaw(p.groundHeight - 512 * (e.value - layer));
                p.cliffAndLayer = static_cast<std::uint8_t>((p.cliffAndLayer & 0xF0) | e.value);
                break;
            case BlockEdit::Field::cliff:
                p.cliffAndLayer =
                    static_cast<std::uint8_t>((p.cliffAndLayer & 0x0F) | e.value << 4);
                break;
            case BlockEdit::Field::flags:
                p.flagsAndTexture =
                    static_cast<std::uint8_t>((p.flagsAndTexture & 0x0F) | e.value << 4);
                break;
            case BlockEdit::Field::water: {
                const int level = std::clamp((p.waterWord & 0x3FFF) + 4 * e.value, 0, 0x3FFF);
                p.waterWord = static_cast<std::uint16_t>((p.waterWord & 0xC000) | level);
                break;
            }
            }
        }
}
