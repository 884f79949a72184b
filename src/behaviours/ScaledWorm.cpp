#include "behaviours/ScaledWorm.h"

#include "behaviours/WormGlobals.h"

#include <climits>
#include <cmath>

namespace {
// Toward zero like a plain conversion, but saturating, so a position far outside the field
// still names a cell outside it instead of undefined behaviour.
int TruncToCell(double value) {
    if (std::isnan(value))
        return -1;
    if (value >= 2147483647.0)
        return INT_MAX;
    if (value <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(value);
}
} // namespace

// A field without rows has no unit; one cell per unit keeps every position finite.
ScaledWorm::ScaledWorm(int type)
    : Worm(type), m_dScale(g_nFieldHeight > 0 ? static_cast<double>(g_nFieldHeight) : 1.0) {
    m_dX = InitialX() / m_dScale;
    m_dY = InitialY() / m_dScale;
}

void ScaledWorm::GetPosition(int& x, int& y) {
    x = TruncToCell(m_dScale * m_dX + m_nOffsetX + 0.5);
    y = TruncToCell(m_dScale * m_dY + m_nOffsetY + 0.5);
}

bool ScaledWorm::OffsetTo(Worm& other, double& dx, double& dy) {
    int px = 0;
    int py = 0;
    other.GetPosition(px, py);
    if (px == 0 || py == 0)
        return false;
    dx = px / m_dScale - m_dX;
    dy = py / m_dScale - m_dY;
    return true;
}
