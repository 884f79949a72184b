#include "behaviours/VelocityWorm.h"

#include "behaviours/WormGlobals.h"

#include <cmath>

VelocityWorm::VelocityWorm(int type) : ScaledWorm(type) {}

double VelocityWorm::GetHeading() {
    if (m_dVX == 0 && m_dVY == 0)
        return 0;
    return NormaliseHeading(std::atan2(m_dVX, m_dVY) / DegToRad);
}

void VelocityWorm::Place(int x, int y, double heading) {
    m_dX = (x - m_nOffsetX) / m_dScale;
    m_dY = (y - m_nOffsetY) / m_dScale;
    // A heading that is not a number would turn every later position into one.
    double a = (std::isfinite(heading) ? heading : 0.0) * DegToRad;
    m_dVX = std::sin(a) * 0.005;
    m_dVY = std::cos(a) * 0.005;
}

bool VelocityWorm::CheckEdges(int& sideX, int& sideY, int margin) {
    if (!Worm::CheckEdges(sideX, sideY, margin))
        return false;
    // Only a velocity pointing into a border is turned back.
    if ((sideX == 1 && m_dVX > 0) || (sideX == -1 && m_dVX < 0))
        m_dVX = -m_dVX;
    else
        sideX = 0;
    if ((sideY == 1 && m_dVY > 0) || (sideY == -1 && m_dVY < 0))
        m_dVY = -m_dVY;
    else
        sideY = 0;
    return sideX != 0 || sideY != 0;
}

bool VelocityWorm::MoveStep() {
    m_dY += m_dVY;
    m_dX += m_dVX;
    return BounceFromBorder(1.0);
}

bool VelocityWorm::BounceFromBorder(double damping) {
    int sideX = 0;
    int sideY = 0;
    if (!CheckEdges(sideX, sideY, 15))
        return true;
    if (CurrentWormPreset().Recycle)
        return false;
    m_dVX *= damping;
    m_dVY *= damping;
    // The velocity is already reflected: this takes back the step into the border and one more.
    if (sideX != 0)
        m_dX += 2 * m_dVX;
    if (sideY != 0)
        m_dY += 2 * m_dVY;
    return true;
}
