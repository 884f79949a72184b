#pragma once

#include "behaviours/Worm.h"

// Crawls one cell per frame in one of eight directions, wandering at random and turning away
// from the border.
class Wormy : public Worm {
public:
    Wormy();

    bool Update(Worm** worms, int count) override;
    void GetPosition(int& x, int& y) override;
    double GetHeading() override;
    void Place(int x, int y, double heading) override;

    // 1 = up (increasing rows), then clockwise in steps of 45 degrees to 8 = up and left.
    int m_nDirection;
    int m_nX;
    int m_nY;
    // The last move ended too close to the border.
    bool m_bBlocked = false;
};
