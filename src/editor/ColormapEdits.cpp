#include "editor/ColormapEdits.h"

#include "settings/Colormap.h"
#include "settings/Settings.h"

std::unique_ptr<Colormap> MakeNewColormap() {
    auto colormap = std::make_unique<Colormap>("New colormap");
    colormap->AddStop(0, ColorTriple{0, 0, 0});
    colormap->AddStop(255, ColorTriple{255, 255, 255});
    return colormap;
}

std::unique_ptr<Colormap> DuplicateColormap(const Colormap& source) {
    // Through the text form, so a copy holds exactly what saving and loading the source would.
    std::string text;
    source.GetText(text);
    auto copy = std::make_unique<Colormap>();
    copy->Read(text);
    return copy;
}

const char* ColormapNameProblem(const std::string& name) {
    if (name.empty())
        return "Type a name";
    if (name.find(':') != std::string::npos)
        return "No \":\" in a name";
    return nullptr;
}

bool CanDeleteColormap(const Settings& settings) {
    return settings.m_apColormaps.size() > 1;
}
