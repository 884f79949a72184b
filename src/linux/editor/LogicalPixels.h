#pragma once

#include "editor/DialogGeometry.h"

#include <cmath>

// The models' figures are 96-DPI pixels, which are GTK's logical pixels: GTK scales them.
constexpr int LogicalDpi = 96;

// A pointer position in logical pixels as the models take it.
inline Point ToPoint(double x, double y) {
    return {static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
}
