#pragma once

#include "behaviours/ScaledWorm.h"

#include <algorithm>
#include <cmath>

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

protected:
    enum class Force { Toward, Away };
    // Accumulates, in array order, the inverse-square force 5e-7 / d² of every worm off row
    // and column 0 that felt(other, dx, dy, d²) accepts (it also decides whether this worm
    // counts); each component is clipped to ±limit and then added to (ax, ay), or taken off it
    // when the force pushes away.
    template <typename Felt>
    void AccumulateForces(Worm** worms, int count, Force direction, double limit, Felt felt,
                          double& ax, double& ay);
};

template <typename Felt>
void VelocityWorm::AccumulateForces(Worm** worms, int count, Force direction, double limit,
                                    Felt felt, double& ax, double& ay) {
    for (int i = 0; i < count; ++i) {
        Worm* other = worms[i];
        if (other == nullptr)
            continue;
        double dx = 0;
        double dy = 0;
        if (!OffsetTo(*other, dx, dy))
            continue;
        double d2 = dx * dx + dy * dy;
        if (!felt(*other, dx, dy, d2))
            continue;
        double d = std::sqrt(d2);
        double f = 5e-7 / d2;
        double fx = std::clamp(f * dx / d, -limit, limit);
        double fy = std::clamp(f * dy / d, -limit, limit);
        // Taken off rather than negated and added, which would differ in the sign of a zero.
        if (direction == Force::Away) {
            ax -= fx;
            ay -= fy;
        } else {
            ax += fx;
            ay += fy;
        }
    }
}
