#include "behaviours/Wormy.h"

#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

namespace {
// Column and row change for directions 1..8 (index 0 unused).
const int kStepX[9] = {0, 0, 1, 1, 1, 0, -1, -1, -1};
const int kStepY[9] = {0, 1, 1, 0, -1, -1, -1, 0, 1};
} // namespace

Wormy::Wormy() : Worm(WormTypeWormy) {
    m_nX = InitialX();
    m_nY = InitialY();
    m_nDirection = Rand() % 8 + 1;
}

bool Wormy::Update(Worm**, int) {
    if (!m_bBlocked && Rand() % 2 == 1) {
        m_nDirection += Rand() % 3 - 1;
        if (m_nDirection < 1)
            m_nDirection = 8;
        if (m_nDirection > 8)
            m_nDirection = 1;
    }

    m_bBlocked = false;
    int stepX = kStepX[m_nDirection];
    int stepY = kStepY[m_nDirection];
    m_nX += stepX;
    m_nY += stepY;

    // Only a coordinate that moved toward a border can block.
    if ((stepY > 0 && m_nY > g_nFieldHeight - 15) || (stepY < 0 && m_nY < 15) ||
        (stepX > 0 && m_nX > g_nFieldWidth - 15) || (stepX < 0 && m_nX < 15))
        m_bBlocked = true;

    if (!m_bBlocked)
        return true;
    if (CurrentWormPreset().Recycle)
        return false;
    m_nDirection += 1;
    if (m_nDirection > 8)
        m_nDirection = 1;
    return true;
}

void Wormy::GetPosition(int& x, int& y) {
    x = m_nX;
    y = m_nY;
}

double Wormy::GetHeading() {
    return m_nDirection * 45 - 45;
}

void Wormy::Place(int x, int y, double heading) {
    m_nX = x;
    m_nY = y;
    // Inherited headings need not be normalised; outside [0, 360] the rounding below would name
    // no direction.
    double h = NormaliseHeading(heading);
    m_nDirection = static_cast<int>(h / 45 + 0.5) + 1;
    if (m_nDirection == 9)
        m_nDirection = 1;
}
