#pragma once

#include "behaviours/Fragments.h"
#include "behaviours/HeadingWorm.h"

// Steers into a worm of another kind, finishes it and bursts into a ring of fragments; done
// once the last fragment is gone. Without a target it waits in place.
class Missile : public HeadingWorm {
public:
    Missile();

    void OnRemove() override;
    bool Update(Worm** worms, int count) override;
    void Draw(uint16_t* field) override;

    bool m_bBurst = false;
    // Frames before thinning starts; meaningful only after the burst.
    int m_nTimer = 0;
    // Index into the engine's array, or TargetSearch.
    int m_nTarget;
    double m_dTurnGain;
    // Degrees per frame.
    double m_dTurnRate;
    FragmentList m_apFragments;
};
