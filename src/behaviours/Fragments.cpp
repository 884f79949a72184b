#include "behaviours/Fragments.h"

#include "behaviours/ScaledWorm.h"
#include "behaviours/WormFactory.h"
#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

namespace {
const int kFragmentTypes[5] = {WormTypeStraight, WormTypeSpark, WormTypeTwisty, WormTypeDragon,
                               WormTypeCurvy};
} // namespace

void BurstFragments(FragmentList& fragments, int px, int py, const BurstShape& shape) {
    int kind = kFragmentTypes[Rand() % 5];
    int n = Rand() % shape.countRange + shape.countBase;
    for (int i = 0; i < n; ++i) {
        std::unique_ptr<Worm> fragment(CreateWormOfType(kind));
        // Every fragment kind keeps a scaled position; anything else is left out of the ring.
        auto* scaled = dynamic_cast<ScaledWorm*>(fragment.get());
        if (scaled == nullptr)
            continue;
        fragment->Place(0, 0, static_cast<double>(i) / n * 360);
        scaled->m_dScale = scaled->m_dScale / (shape.divisorLow + RandUnit() * shape.divisorSpan);
        scaled->m_nOffsetX = px;
        scaled->m_nOffsetY = py;
        fragments.push_back(std::move(fragment));
    }
}

bool UpkeepFragments(FragmentList& fragments, Worm** worms, int count, int timer, int dropOdds) {
    for (size_t i = 0; i < fragments.size(); ++i) {
        if (!fragments[i]->Update(worms, count)) {
            fragments[i]->OnRemove();
            // The fragment that moves into the freed place waits until the next frame.
            fragments.erase(fragments.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    if (timer > 0)
        return true;
    if (fragments.empty())
        return false;
    if (Rand() % dropOdds == 0) {
        int j = Rand() % static_cast<int>(fragments.size());
        fragments.erase(fragments.begin() + j);
    }
    return true;
}

void DrawFragments(FragmentList& fragments, uint16_t* field) {
    for (auto& fragment : fragments)
        fragment->Draw(field);
}
