#pragma once

#include "behaviours/Worm.h"

// A worm with a floating position in units of m_dScale cells, shifted by a cell offset. Ordinary
// worms use the field height as their unit; burst fragments shrink it and offset to the burst.
class ScaledWorm : public Worm {
public:
    explicit ScaledWorm(int type);

    void GetPosition(int& x, int& y) override;
    // The vector in units from this worm to another's cell. False for a worm on row or column 0,
    // which the force behaviours leave out.
    bool OffsetTo(Worm& other, double& dx, double& dy);

    double m_dScale;
    int m_nOffsetX = 0;
    int m_nOffsetY = 0;
    double m_dX;
    double m_dY;
};
