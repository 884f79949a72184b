#pragma once

#include "behaviours/ScaledWorm.h"

// Carries a velocity in units per frame and reflects it at the field border.
class VelocityWorm : public ScaledWorm {
public:
    explicit VelocityWorm(int type);

    // The direction of the velocity in degrees, normalised; 0 when at rest.
    double GetHeading() override;
    void Place(int x, int y, double heading) override;
    bool CheckEdges(int& sideX, int& sideY, int margin) override;

    // Adds the velocity with a 15-cell border margin. Returns false when the step ended at a
    // border with Recycle set.
    bool MoveStep();
    // After a step: at the border (15-cell margin) the already reflected velocity is scaled by
    // `damping` and takes the worm back out. False when the border ends it (Recycle set).
    bool BounceFromBorder(double damping);

    double m_dVX = 0;
    double m_dVY = 0;
};
