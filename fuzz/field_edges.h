// Values at the edges of what a 32-bit header field can say: 0, 1, -1, powers of two and their
// neighbours, the extremes, and the widths whose block counts once overflowed. The format-aware
// fuzzer draws fields from here, and the regression test loads every pairing of them.
// Needs: standard C++ only.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

inline const std::vector<std::int32_t>& fieldEdges() {
    static const std::vector<std::int32_t> values = [] {
        constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();
        constexpr std::int32_t least = std::numeric_limits<std::int32_t>::min();
        std::vector<std::int32_t> v = {0,        1,         -1,        2,     3,        most,
                                       most - 1, most - 14, most - 15, least, least + 1};
        for (int k = 2; k < 31; k += 2) {
            const std::int32_t p = std::int32_t{1} << k;
            v.insert(v.end(), {p - 1, p, p + 1, -p});
        }
        return v;
    }();
    return values;
}
