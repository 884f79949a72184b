#pragma once

class Worm;

// What a follower's target index means besides an index into the engine's array.
constexpr int TargetSearch = -1;  // look for a target at the next update
constexpr int TargetGivenUp = -2; // a search failed and is not repeated

// Target upkeep shared by the followers, run at the start of each update. Resets an index the
// array has shrunk below, searches when asked to (a failed search gives up for good when
// giveUpOnFailure is set), and drops a target that sits on an axis or has become one of the
// follower's own kind. Returns true with the target's cell in (tx, ty) when there is a target
// this frame; newlyFound tells whether it was picked by a search just now.
bool TrackTarget(Worm** worms, int count, int& target, int ownType, bool giveUpOnFailure, int& tx,
                 int& ty, bool& newlyFound);
