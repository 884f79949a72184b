#pragma once

#include <cstdint>

// One particle. The engine draws every worm once per frame and then lets it move by its
// behaviour; the behaviour index is fixed at construction and counted in g_anLiveWorms.
class Worm {
public:
    explicit Worm(int type);
    virtual ~Worm();
    Worm(const Worm&) = delete;
    Worm& operator=(const Worm&) = delete;

    // Called before the engine deletes the worm; owners of fragments release them here.
    virtual void OnRemove();
    // One frame of movement. worms/count is the engine's whole array, this worm included.
    // Returns false when the worm is done and should be removed.
    virtual bool Update(Worm** worms, int count) = 0;
    virtual void GetPosition(int& x, int& y) = 0;
    virtual double GetHeading() = 0;
    virtual void Place(int x, int y, double heading) = 0;
    // Stamps the worm into the field buffer, which includes its one-cell zero border: cell
    // (x, y) is element (y + 1) * (W + 2) + (x + 1).
    virtual void Draw(uint16_t* field);
    // Reports which borders the worm is within margin cells of (-1 low side, 1 high side).
    virtual bool CheckEdges(int& sideX, int& sideY, int margin);

    int m_nType;
    bool m_bFinished = false;
};
