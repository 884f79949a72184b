#include "FuzzCheck.h"
#include "engine/SmoothThing.h"
#include "settings/RegTree.h"
#include "settings/Settings.h"
#include "settings/WormTypes.h"
#include "support/Random.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

const char* const g_aValueNames[] = {
    "Presets",    "CurrentPreset", "nColormaps", "DoublePixels",  "RGB",
    "CPU",        "Cycle",         "CycleType",  "FastSmoothing", "Delay",
    "DelayRange", "Colormap0",     "Colormap1",  "Colormap2",     "TransitionFrames",
    "Worms",      "InitialWorms",  "WormSize",   "Colormap",      "Recycle",
    "Spawn",      "StartInCenter", "Name",
};

std::string ValueName(FuzzedDataProvider& input) {
    constexpr size_t known = sizeof g_aValueNames / sizeof g_aValueNames[0];
    size_t pick = input.ConsumeIntegralInRange<size_t>(0, known + WormTypeCount);
    if (pick < known)
        return g_aValueNames[pick];
    if (pick < known + WormTypeCount)
        return g_aWormTypes[pick - known].registryName;
    return input.ConsumeRandomLengthString(16);
}

std::vector<uint8_t> Bytes(FuzzedDataProvider& input, size_t size) {
    return input.ConsumeBytes<uint8_t>(size);
}

// Values of every kind and size under the settings key and a few preset subkeys; a value not
// drawn stays missing.
void Plant(FuzzedDataProvider& input, MemoryRegStore& store) {
    int subKeys = input.ConsumeIntegralInRange(0, 4);
    for (int key = -1; key < subKeys && input.remaining_bytes() > 0; ++key) {
        RegSection& section =
            key < 0 ? store.Root()
                    : store.m_tree.Create(SettingsRootPath() + "\\Preset" + std::to_string(key));
        int values = input.ConsumeIntegralInRange(0, 24);
        for (int i = 0; i < values && input.remaining_bytes() > 0; ++i) {
            std::string name = ValueName(input);
            switch (input.ConsumeIntegralInRange(0, 3)) {
            case 0: {
                std::string text = input.ConsumeRandomLengthString(64);
                section.Set(name, RegSz, std::vector<uint8_t>(text.begin(), text.end()));
                break;
            }
            case 1:
                section.Set(name, RegDword, Bytes(input, 4));
                break;
            case 2:
                section.Set(name, RegBinary, Bytes(input, input.ConsumeIntegralInRange(0, 8)));
                break;
            default:
                section.Set(name, input.ConsumeIntegral<uint32_t>(),
                            Bytes(input, input.ConsumeIntegralInRange(0, 8)));
                break;
            }
        }
    }
}

// Everything the settings store, as one comparable text.
std::string Snapshot(const Settings& s) {
    std::string out;
    auto add = [&](auto value) { out += std::to_string(static_cast<long long>(value)) + ","; };
    add(s.DoublePixels);
    add(s.CPU);
    add(s.CurrentPreset);
    add(s.Cycle);
    add(s.FastSmoothing);
    add(s.RGB);
    add(s.Delay);
    add(s.DelayRange);
    add(s.CycleType);
    add(s.TransitionFrames);
    for (const auto& p : s.m_apPresets) {
        out += "\n" + p->Name + "|";
        add(p->Colormap);
        add(p->Worms);
        add(p->InitialWorms);
        add(p->WormSize);
        add(p->Recycle);
        add(p->Spawn);
        add(p->StartInCenter);
        for (int state : p->m_anTypeStates)
            add(state);
    }
    for (const auto& c : s.m_apColormaps) {
        std::string text;
        c->GetText(text);
        out += "\n" + text;
    }
    return out;
}

} // namespace

// Whatever the store holds, loading must succeed, and what is saved must load back unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    MemoryRegStore store;
    Plant(input, store);
    Settings first(store);
    FuzzCheck(first.m_pCurrentPreset != nullptr, "loaded settings have a current preset");
    PaletteEntry palette[256];
    first.FillPresetPalette(first.m_pCurrentPreset, palette);
    // Whatever loads must also run: a few frames of a small engine on it.
    SeedRand(1);
    std::vector<uint8_t> image(32 * 20);
    SmoothThing engine(32, 20, &first, false, 1.0);
    for (int frame = 0; frame < 3; ++frame)
        engine.DoFrame(image.data(), 32, false);
    first.Save();
    Settings second(store);
    FuzzCheck(Snapshot(first) == Snapshot(second), "saved settings load back unchanged");
    return 0;
}
