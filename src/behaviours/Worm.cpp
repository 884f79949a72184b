#include "behaviours/Worm.h"

#include "behaviours/WormGlobals.h"

#include <algorithm>
#include <cstdint>

namespace {
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

// A size known at compile time lets the compiler unroll the rows and take each one's maximum in
// a few vector instructions.
template <int N> void Stamp(uint16_t* field, int x, int y, const uint8_t (&pattern)[N * N]) {
    const size_t stride = static_cast<size_t>(g_nFieldWidth) + 2;
    for (int r = 0; r < N; ++r) {
        uint16_t* row = field + (static_cast<size_t>(y) + r + 1) * stride + (x + 1);
        for (int c = 0; c < N; ++c)
            row[c] = std::max<uint16_t>(row[c], pattern[r * N + c]);
    }
}
} // namespace

Worm::Worm(int type) : m_nType(type) {
    if (Counted(m_nType))
        g_anLiveWorms[m_nType] += 1;
}

Worm::~Worm() {
    if (Counted(m_nType))
        g_anLiveWorms[m_nType] -= 1;
}

void Worm::OnRemove() {}

void Worm::Draw(uint16_t* field) {
    // Sizes 0, 1 and 2 stamp 3, 4 and 5 cells square; any other value 6.
    const int size = CurrentWormPreset().WormSize;
    const int n = size >= 0 && size <= 2 ? size + 3 : 6;
    int x = 0;
    int y = 0;
    GetPosition(x, y);
    // The whole pattern must fit; 64-bit sums keep extreme positions from wrapping into range.
    if (x < 0 || y < 0 || int64_t{x} + n >= g_nFieldWidth || int64_t{y} + n >= g_nFieldHeight)
        return;
    switch (n) {
    case 3:
        Stamp<3>(field, x, y, kStamp3);
        break;
    case 4:
        Stamp<4>(field, x, y, kStamp4);
        break;
    case 5:
        Stamp<5>(field, x, y, kStamp5);
        break;
    default:
        Stamp<6>(field, x, y, kStamp6);
        break;
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
