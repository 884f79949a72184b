#include "behaviours/TargetTracking.h"

#include "behaviours/Worm.h"
#include "behaviours/WormGlobals.h"

bool TrackTarget(Worm** worms, int count, int& target, int ownType, TargetRule rule, int& tx,
                 int& ty, bool& newlyFound) {
    newlyFound = false;
    if (target > count - 1)
        target = TargetSearch;
    if (target == TargetSearch) {
        if (PickTarget(worms, count, target, ownType))
            newlyFound = true;
        else if (rule == TargetRule::GiveUp)
            target = TargetGivenUp;
    }
    if (target < 0)
        return false;

    const bool hold = rule == TargetRule::Hold;
    Worm* followed = worms[target];
    if (followed == nullptr) {
        if (!hold)
            target = TargetSearch;
        return false;
    }
    followed->GetPosition(tx, ty);
    if (hold)
        return tx != 0 && ty != 0;
    if (tx == 0 || ty == 0 || followed->m_nType == ownType) {
        target = TargetSearch;
        return false;
    }
    return true;
}
