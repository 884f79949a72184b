#pragma once

class Worm;

// What a follower's target index means besides an index into the engine's array.
constexpr int TargetSearch = -1;  // look for a target at the next update
constexpr int TargetGivenUp = -2; // a search failed and is not repeated

// How a follower treats a failed search and a target it cannot follow this frame.
enum class TargetRule {
    // A failed search is repeated next frame. A target that is gone, sits on an axis or has
    // become one of the follower's own kind is dropped for a new search.
    Retry,
    // As Retry, but a failed search gives up for good.
    GiveUp,
    // A failed search is repeated next frame. A target that is gone or sits on an axis is kept
    // and merely not followed this frame; its kind is never checked.
    Hold,
};

// Target upkeep shared by the followers, run at the start of each update: resets an index the
// array has shrunk below, searches when asked to, and applies the rule to the target. Returns
// true with the target's cell in (tx, ty) when there is a target to follow this frame;
// newlyFound tells whether it was picked by a search just now.
bool TrackTarget(Worm** worms, int count, int& target, int ownType, TargetRule rule, int& tx,
                 int& ty, bool& newlyFound);
