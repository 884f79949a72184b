#pragma once

#include "behaviours/Worm.h"
#include "behaviours/WormGlobals.h"
#include "settings/RegTree.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// Publishes an 800 x 600 field and an in-memory settings store to the behaviours, with the
// current preset's worm rules reset to plain values, and puts the previous values back after.
class WormFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_nSavedWidth = g_nFieldWidth;
        m_nSavedHeight = g_nFieldHeight;
        m_pSavedSettings = g_pSettings;
        SetField(800, 600);
        g_pSettings = &m_settings;
        Preset& preset = ThePreset();
        preset.StartInCenter = false;
        preset.Recycle = false;
        preset.Spawn = false;
        preset.WormSize = 1;
        SeedRand(1);
    }

    void TearDown() override {
        g_nFieldWidth = m_nSavedWidth;
        g_nFieldHeight = m_nSavedHeight;
        g_pSettings = m_pSavedSettings;
    }

    void SetField(int width, int height) {
        g_nFieldWidth = width;
        g_nFieldHeight = height;
    }

    Preset& ThePreset() { return *m_settings.m_pCurrentPreset; }

    // A zeroed buffer with the border ring, and access to its field cells.
    std::vector<uint16_t> MakeField() const {
        return std::vector<uint16_t>(static_cast<size_t>(g_nFieldWidth + 2) * (g_nFieldHeight + 2));
    }
    static uint16_t& Cell(std::vector<uint16_t>& field, int x, int y) {
        return field[static_cast<size_t>(y + 1) * (g_nFieldWidth + 2) + (x + 1)];
    }

    MemoryRegStore m_store;
    Settings m_settings{m_store};

private:
    int m_nSavedWidth = 0;
    int m_nSavedHeight = 0;
    Settings* m_pSavedSettings = nullptr;
};

// A worm fixed at an integer cell, for exercising the shared drawing and border rules.
class CellWorm : public Worm {
public:
    CellWorm(int x, int y, int type = 15) : Worm(type), m_nX(x), m_nY(y) {}
    bool Update(Worm**, int) override { return true; }
    void GetPosition(int& x, int& y) override {
        x = m_nX;
        y = m_nY;
    }
    double GetHeading() override { return 0; }
    void Place(int x, int y, double) override {
        m_nX = x;
        m_nY = y;
    }
    int m_nX;
    int m_nY;
};
