#include "editor/RampRow.h"

void FillRampRow(uint8_t* row, int width) {
    for (int x = 0; x < width; ++x)
        row[x] = static_cast<uint8_t>(255 * x / width);
}
