#include "settings/Colormap.h"

#include "support/Trace.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

class TableVisitor final : public PaletteVisitor {
public:
    explicit TableVisitor(PaletteEntry* table) : m_pTable(table) {}
    void Visit(int index, int red, int green, int blue) override {
        m_pTable[index] = {static_cast<uint8_t>(blue), static_cast<uint8_t>(green),
                           static_cast<uint8_t>(red), 0};
    }

private:
    PaletteEntry* m_pTable;
};

class SingleIndexVisitor final : public PaletteVisitor {
public:
    explicit SingleIndexVisitor(int wanted) : m_nWanted(wanted) {}
    void Visit(int index, int red, int green, int blue) override {
        if (index == m_nWanted)
            m_colour = {static_cast<uint8_t>(blue), static_cast<uint8_t>(green),
                        static_cast<uint8_t>(red)};
    }
    ColorTriple m_colour;

private:
    int m_nWanted;
};

void VisitStop(PaletteVisitor& visitor, int index, const ColormapStop& stop) {
    visitor.Visit(index, stop.colour.red, stop.colour.green, stop.colour.blue);
}

int Lerp(int from, int to, int t, int d) {
    return from + (to - from) * t / d;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// One conversion of a scanf-style "%2hx": leading white space, then one or two hex digits.
bool ScanHexByte(const std::string& token, size_t& pos, int& value) {
    while (pos < token.size() && IsSpace(token[pos]))
        ++pos;
    int digits = 0;
    value = 0;
    while (digits < 2 && pos < token.size() && HexDigit(token[pos]) >= 0) {
        value = value * 16 + HexDigit(token[pos]);
        ++pos;
        ++digits;
    }
    return digits > 0;
}

} // namespace

Colormap::Colormap() = default;

Colormap::Colormap(const std::string& name) : m_strName(name) {
    Trace(TraceInfo, "Colormap: New colormap \"%s\"", name.c_str());
}

int Colormap::AddStop(int position, ColorTriple colour) {
    auto later = std::find_if(m_aStops.begin(), m_aStops.end(),
                              [&](const ColormapStop& stop) { return stop.position > position; });
    auto inserted = m_aStops.insert(later, ColormapStop{colour, position});
    return static_cast<int>(inserted - m_aStops.begin());
}

void Colormap::MoveStop(int& index, int newPosition) {
    m_aStops[index].position = newPosition;
    if (m_aStops.size() < 2)
        return;
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (size_t j = 0; j + 1 < m_aStops.size(); ++j) {
            if (m_aStops[j].position <= m_aStops[j + 1].position)
                continue;
            std::swap(m_aStops[j], m_aStops[j + 1]);
            swapped = true;
            if (index == static_cast<int>(j))
                index = static_cast<int>(j + 1);
            else if (index == static_cast<int>(j + 1))
                index = static_cast<int>(j);
        }
    }
}

void Colormap::SetStopColor(int index, uint32_t packed) {
    ColorTriple& colour = m_aStops[index].colour;
    colour.red = static_cast<uint8_t>(packed & 0xFF);
    colour.green = static_cast<uint8_t>((packed >> 8) & 0xFF);
    colour.blue = static_cast<uint8_t>((packed >> 16) & 0xFF);
}

void Colormap::RemoveStop(int index) {
    m_aStops.erase(m_aStops.begin() + index);
}

ColorTriple Colormap::GetColorAt(int index) const {
    SingleIndexVisitor visitor(index);
    EnumPalette(visitor);
    return visitor.m_colour;
}

void Colormap::GetText(std::string& text) const {
    text = m_strName + ":";
    char token[16];
    for (const ColormapStop& stop : m_aStops) {
        std::snprintf(token, sizeof token, "%02X%02X%02X%02X:", stop.position & 0xFF,
                      stop.colour.red, stop.colour.green, stop.colour.blue);
        text += token;
    }
}

bool Colormap::Read(const std::string& text) {
    size_t colon = text.find(':');
    if (colon == std::string::npos)
        return false;
    m_strName = text.substr(0, colon);
    size_t rest = colon + 1;
    for (;;) {
        colon = text.find(':', rest);
        if (colon == std::string::npos) {
            Trace(TraceInfo, "Colormap: Read \"%s\"", m_strName.c_str());
            return true;
        }
        std::string token = text.substr(rest, colon - rest);
        int values[4];
        size_t pos = 0;
        for (int& value : values)
            if (!ScanHexByte(token, pos, value))
                return false;
        ColorTriple colour{static_cast<uint8_t>(values[3]), static_cast<uint8_t>(values[2]),
                           static_cast<uint8_t>(values[1])};
        m_aStops.push_back(ColormapStop{colour, values[0]});
        rest = colon + 1;
    }
}

void Colormap::EnumPalette(PaletteVisitor& visitor) const {
    const std::vector<ColormapStop>& s = m_aStops;
    // A stored text may carry fewer stops than a gradient needs: no stop is black, one is flat.
    if (s.size() < 2) {
        ColormapStop flat = s.empty() ? ColormapStop{} : s[0];
        for (int i = 0; i < 256; ++i)
            VisitStop(visitor, i, flat);
        return;
    }

    int start = 0;
    if (s[0].position != 0) {
        start = std::clamp(s[0].position, 0, 255);
        for (int i = 0; i <= start; ++i)
            VisitStop(visitor, i, s[0]);
    }

    size_t k = 0;
    const ColormapStop* lower = &s[0];
    const ColormapStop* upper = &s[1];
    for (int i = start; i < 256; ++i) {
        if (i > upper->position) {
            lower = &s[++k];
            if (k == s.size() - 1) {
                for (int j = i; j < 256; ++j)
                    VisitStop(visitor, j, *lower);
                return;
            }
            upper = &s[k + 1];
        }
        if (i == lower->position) {
            VisitStop(visitor, i, *lower);
            continue;
        }
        int d = upper->position - lower->position;
        if (d == 0)
            d = 1;
        int t = i - lower->position;
        const ColorTriple& a = lower->colour;
        const ColorTriple& b = upper->colour;
        visitor.Visit(i, Lerp(a.red, b.red, t, d) & 0xFF, Lerp(a.green, b.green, t, d) & 0xFF,
                      Lerp(a.blue, b.blue, t, d) & 0xFF);
    }
}

void Colormap::FillColorTable(PaletteEntry table[256]) const {
    TableVisitor visitor(table);
    EnumPalette(visitor);
}
