#include "behaviours/Worm.h"

#include "behaviours/WormGlobals.h"

#include <algorithm>
#include <cstdint>

namespace {
bool g_bLiveCountsReady = false;

bool Counted(int type) {
    return type >= 0 && type < 17;
}

// Stamp patterns by size, row by row from the worm's cell upward.
// clang-format off
const uint8_t kStamp3[3 * 3] = {
    255, 255, 255,
    255, 255, 255,
    255, 255, 255,
};
const uint8_t kStamp4[4 * 4] = {
    128, 255, 255, 128,
    255, 255, 255, 255,
    255, 255, 255, 255,
    128, 255, 255, 128,
};
const uint8_t kStamp5[5 * 5] = {
     64, 180, 255, 180,  64,
    180, 255, 255, 255, 180,
    255, 255, 255, 255, 255,
    180, 255, 255, 255, 180,
     64, 180, 255, 180,  64,
};
const uint8_t kStamp6[6 * 6] = {
     64, 180, 255, 255, 180,  64,
    180, 255, 255, 255, 255, 180,
    255, 255, 255, 255, 255, 255,
    255, 255, 255, 255, 255, 255,
    180, 255, 255, 255, 255, 180,
     64, 180, 255, 255, 180,  64,
};
// clang-format on
} // namespace

Worm::Worm(int type) : m_nType(type) {
    if (!g_bLiveCountsReady) {
        std::fill(std::begin(g_anLiveWorms), std::end(g_anLiveWorms), 0);
        g_bLiveCountsReady = true;
    }
    if (Counted(m_nType))
        g_anLiveWorms[m_nType] += 1;
}

Worm::~Worm() {
    if (Counted(m_nType))
        g_anLiveWorms[m_nType] -= 1;
}

void Worm::OnRemove() {}

void Worm::Draw(uint16_t* field) {
    int n;
    const uint8_t* pattern;
    switch (CurrentWormPreset().WormSize) {
    case 0:
        n = 3;
        pattern = kStamp3;
        break;
    case 1:
        n = 4;
        pattern = kStamp4;
        break;
    case 2:
        n = 5;
        pattern = kStamp5;
        break;
    default:
        n = 6;
        pattern = kStamp6;
        break;
    }

    int x = 0;
    int y = 0;
    GetPosition(x, y);
    // The whole pattern must fit; 64-bit sums keep extreme positions from wrapping into range.
    if (x < 0 || y < 0 || int64_t{x} + n >= g_nFieldWidth || int64_t{y} + n >= g_nFieldHeight)
        return;

    const size_t stride = static_cast<size_t>(g_nFieldWidth) + 2;
    for (int r = 0; r < n; ++r) {
        uint16_t* row = field + (static_cast<size_t>(y) + r + 1) * stride + (x + 1);
        for (int c = 0; c < n; ++c) {
            uint16_t value = pattern[r * n + c];
            if (value > row[c])
                row[c] = value;
        }
    }
}

bool Worm::CheckEdges(int& sideX, int& sideY, int margin) {
    int x = 0;
    int y = 0;
    GetPosition(x, y);
    if (x > g_nFieldWidth - margin)
        sideX = 1;
    else if (x < margin)
        sideX = -1;
    else
        sideX = 0;
    if (y > g_nFieldHeight - margin)
        sideY = 1;
    else if (y < margin)
        sideY = -1;
    else
        sideY = 0;
    return sideX != 0 || sideY != 0;
}
