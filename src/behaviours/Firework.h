#pragma once

#include "behaviours/Fragments.h"
#include "behaviours/VelocityWorm.h"

// A rocket that rises from the bottom of the field and bursts into a ring of fragments when
// its fuse runs out; done once the last fragment is gone.
class Firework : public VelocityWorm {
public:
    Firework();

    void OnRemove() override;
    bool Update(Worm** worms, int count) override;
    void Draw(uint16_t* field) override;

    bool m_bBurst = false;
    // The fuse before the burst, then the frames before thinning starts.
    int m_nTimer;
    FragmentList m_apFragments;
};
