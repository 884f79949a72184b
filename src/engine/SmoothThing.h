#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class Preset;
class Settings;
class Worm;

// The field engine: owns the worm population and the 16-bit glow field. Each frame every worm
// stamps itself into the field and moves, and the field is blurred into the second buffer and
// into the caller's 8-bit image. All calls are made under the render thread's lock.
class SmoothThing {
public:
    // width x height is the drawn rectangle in pixels (the field is half that with DoublePixels).
    // areaRatio is the full-screen area over the drawn area; with restrictParticles the worm
    // counts are scaled down by it.
    SmoothThing(int width, int height, Settings* settings, bool restrictParticles,
                double areaRatio);
    ~SmoothThing();
    SmoothThing(const SmoothThing&) = delete;
    SmoothThing& operator=(const SmoothThing&) = delete;

    // One frame into the image (first row, pitch in bytes; never read). clearAll drops every
    // worm and the target, leaving the field to fade.
    void DoFrame(uint8_t* image, int pitch, bool clearAll);
    // Follows a changed particle count; the population moves one worm per frame toward it.
    void UpdateTargetWorms();

    // A preset count scaled for this engine and clamped to the cap.
    int ScaleCount(int n) const;
    // A worm of the given type, or with WormTypeAny one the preset's type states choose; null
    // when nothing may be made.
    Worm* CreateWorm(int type);
    // Appends a new worm, born on a random existing one when the preset's Spawn rule is on.
    void AddWorm(int type);
    // What a worm's step leaves of it.
    enum class WormStep {
        Keep,
        // Removed: its type is switched off.
        TypeOff,
        // Removed: one too many of a KeepOne type.
        OneTooMany,
        // Removed for a fresh one of the same type: it is done.
        Replace,
    };
    // Moves one worm.
    WormStep StepWorm(Worm* worm, Worm** worms, int count);

    // Slots 0..m_nWorms - 1 hold the live worms without gaps; the rest are null. Owning.
    std::vector<Worm*> m_apWorms;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nWorms = 0;
    int m_nTargetWorms = 0;
    int m_nMaxWorms = 500;
    bool m_bRestrictParticles = false;
    // Set to have the next frame build a fresh initial population.
    bool m_bPopulate = true;
    double m_dAreaRatio = 1.0;
    Settings* m_pSettings = nullptr;
    // Current field and the one being produced; both keep a zero border and swap every frame.
    std::unique_ptr<uint16_t[]> m_pBuffer1;
    std::unique_ptr<uint16_t[]> m_pBuffer2;
    // DoublePixels as the field was sized with; a later change of the setting means a new engine.
    bool m_bDoublePixels = false;

private:
    // The live counts while another engine's are published.
    int m_anLiveWorms[17] = {};

    // Makes this engine the one the behaviours read: its field size, and its live counts per type,
    // which stay its own when several engines take turns on one thread (the monitors of a desk).
    void Publish();
    Preset& CurrentPreset() const;
    void DestroySlot(int index);
};
