#include "behaviours/HeadingWorm.h"

#include "behaviours/WormGlobals.h"

#include <cmath>

HeadingWorm::HeadingWorm(int type) : ScaledWorm(type) {
    m_dHeading = RandUnit() * 359.99;
    m_dSpeed = 0.005;
}

double HeadingWorm::GetHeading() {
    return m_dHeading;
}

void HeadingWorm::Place(int x, int y, double heading) {
    m_dX = (x - m_nOffsetX) / m_dScale;
    m_dY = (y - m_nOffsetY) / m_dScale;
    // A heading that is not a number would turn every later position into one.
    m_dHeading = std::isfinite(heading) ? heading : 0.0;
    m_dSpeed = 0.005;
}

bool HeadingWorm::CheckEdges(int& sideX, int& sideY, int margin) {
    if (!Worm::CheckEdges(sideX, sideY, margin))
        return false;
    // Only a worm moving toward a border is turned; one already leaving it keeps its heading.
    if ((sideX == 1 && m_dHeading < 180) || (sideX == -1 && m_dHeading > 180))
        m_dHeading = -m_dHeading;
    else
        sideX = 0;
    if ((sideY == 1 && (m_dHeading < 90 || m_dHeading > 270)) ||
        (sideY == -1 && 90 < m_dHeading && m_dHeading < 270))
        m_dHeading = 180 - m_dHeading;
    else
        sideY = 0;
    m_dHeading = NormaliseHeading(m_dHeading);
    return sideX != 0 || sideY != 0;
}

bool HeadingWorm::MoveStep() {
    double dx = std::sin(m_dHeading * DegToRad) * m_dSpeed;
    double dy = std::cos(m_dHeading * DegToRad) * m_dSpeed;
    m_dX += dx;
    m_dY += dy;
    int sideX = 0;
    int sideY = 0;
    if (!CheckEdges(sideX, sideY, 15))
        return true;
    if (CurrentWormPreset().Recycle)
        return false;
    // Undo the step into the border and take one more away from it.
    if (sideX != 0)
        m_dX -= 2 * dx;
    if (sideY != 0)
        m_dY -= 2 * dy;
    return true;
}
