#include "linux/RunSettings.h"

#include "linux/Options.h"
#include "settings/IgnoringCase.h"
#include "settings/Settings.h"

#include <cctype>
#include <cstdlib>

int FindPreset(const Settings& settings, const std::string& text) {
    const int count = static_cast<int>(settings.m_apPresets.size());
    bool digits = !text.empty() && text.size() <= 9;
    for (char c : text)
        digits = digits && std::isdigit(static_cast<unsigned char>(c));
    if (digits) {
        int index = std::atoi(text.c_str());
        return index < count ? index : -1;
    }
    for (int i = 0; i < count; ++i)
        if (settings.m_apPresets[i]->Name == text)
            return i;
    for (int i = 0; i < count; ++i)
        if (SameIgnoringCase(settings.m_apPresets[i]->Name, text))
            return i;
    return -1;
}

bool ApplyOverrides(const Options& options, Settings& settings, std::string& error) {
    if (options.preset) {
        int index = FindPreset(settings, *options.preset);
        if (index < 0) {
            error = "--preset: no preset '" + *options.preset + "' (see --list)";
            return false;
        }
        settings.SelectPreset(index);
    }
    if (options.cpu)
        settings.CPU = *options.cpu;
    if (options.doublePixels)
        settings.DoublePixels = true;
    if (options.fastSmoothing)
        settings.FastSmoothing = true;
    if (options.noCycle)
        settings.Cycle = false;
    return true;
}

void ListSettings(const Settings& settings, std::FILE* out) {
    std::fprintf(out, "Presets:\n");
    for (size_t i = 0; i < settings.m_apPresets.size(); ++i) {
        const Preset& preset = *settings.m_apPresets[i];
        std::fprintf(out, "%c %3zu  %s\n",
                     static_cast<int>(i) == settings.CurrentPreset ? '*' : ' ', i,
                     preset.Name.c_str());
    }
    std::fprintf(out, "Colormaps:\n");
    for (size_t i = 0; i < settings.m_apColormaps.size(); ++i)
        std::fprintf(out, "  %3zu  %s\n", i, settings.m_apColormaps[i]->m_strName.c_str());
}
