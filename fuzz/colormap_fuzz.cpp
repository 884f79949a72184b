#include "FuzzCheck.h"
#include "settings/Colormap.h"

#include <cstdint>
#include <cstring>
#include <string>

// Any text the reader accepts must expand into a palette, and its written form must read back
// into the same colormap.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Colormap colormap;
    if (!colormap.Read(std::string(reinterpret_cast<const char*>(data), size)))
        return 0;
    PaletteEntry table[256];
    colormap.FillColorTable(table);

    std::string text;
    colormap.GetText(text);
    Colormap again;
    FuzzCheck(again.Read(text), "written text reads back");
    FuzzCheck(again.m_strName == colormap.m_strName, "name survives");
    FuzzCheck(again.m_aStops.size() == colormap.m_aStops.size(), "stop count survives");
    for (size_t i = 0; i < again.m_aStops.size(); ++i) {
        FuzzCheck(again.m_aStops[i].position == colormap.m_aStops[i].position, "stop position");
        FuzzCheck(again.m_aStops[i].colour == colormap.m_aStops[i].colour, "stop colour");
    }
    PaletteEntry reread[256];
    again.FillColorTable(reread);
    FuzzCheck(std::memcmp(table, reread, sizeof table) == 0, "palette survives");

    int probe = size > 0 ? data[0] : 0;
    ColorTriple at = colormap.GetColorAt(probe);
    FuzzCheck(at.red == table[probe].red && at.green == table[probe].green &&
                  at.blue == table[probe].blue,
              "GetColorAt agrees with the table");
    return 0;
}
