#pragma once

class Worm;

// Makes the worm of the given behaviour index (0..14, or 16 for the burst spark). Returns null
// for any other index or when out of memory; the caller owns the result.
Worm* CreateWormOfType(int type);
