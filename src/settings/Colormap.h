#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Byte order of the first three bytes of a palette entry.
struct ColorTriple {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    bool operator==(const ColorTriple&) const = default;
};

// Laid out like a Windows DIB colour-table entry, so a filled table can be handed over unchanged.
struct PaletteEntry {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;
    bool operator==(const PaletteEntry&) const = default;
};

using Palette = PaletteEntry[256];

struct ColormapStop {
    ColorTriple colour;
    int position = 0;
};

class PaletteVisitor {
public:
    virtual void Visit(int index, int red, int green, int blue) = 0;

protected:
    ~PaletteVisitor() = default;
};

// A named gradient of colour stops that expands into a 256-entry palette. Its text form is
// "Name:PPRRGGBB:PPRRGGBB:...:".
class Colormap {
public:
    Colormap();
    explicit Colormap(const std::string& name);

    int AddStop(int position, ColorTriple colour);
    void MoveStop(int& index, int newPosition);
    // Packed colour 0x00BBGGRR.
    void SetStopColor(int index, uint32_t packed);
    void RemoveStop(int index);
    ColorTriple GetColorAt(int index) const;

    void Rename(const std::string& name) { m_strName = name; }

    void GetText(std::string& text) const;
    bool Read(const std::string& text);

    void EnumPalette(PaletteVisitor& visitor) const;
    void FillColorTable(PaletteEntry table[256]) const;

    std::vector<ColormapStop> m_aStops;
    std::string m_strName;
};
