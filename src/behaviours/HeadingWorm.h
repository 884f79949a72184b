#pragma once

#include "behaviours/ScaledWorm.h"

// Moves a fixed distance per frame along a heading in degrees and reflects the heading at the
// field border.
class HeadingWorm : public ScaledWorm {
public:
    explicit HeadingWorm(int type);

    double GetHeading() override;
    void Place(int x, int y, double heading) override;
    bool CheckEdges(int& sideX, int& sideY, int margin) override;

    // One step along the heading with a 15-cell border margin. Returns false when the step
    // ended at a border with Recycle set.
    bool MoveStep();

    double m_dHeading;
    double m_dSpeed;
};
