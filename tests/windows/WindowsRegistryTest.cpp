#include "settings/RegKey.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

// Redirects HKEY_CURRENT_USER of this process to a scratch key, so the test never sees or
// changes the user's real settings.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_scratchName = "Software\\LumenkiteTest\\" + std::to_string(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, m_scratchName.c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &m_scratch, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, m_scratch), ERROR_SUCCESS);
    }
    void TearDown() override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(m_scratch);
        RegDeleteTreeA(HKEY_CURRENT_USER, m_scratchName.c_str());
    }

    HKEY OpenSettingsKey(const std::string& subKey = {}) {
        std::string path = SettingsKeyPath;
        if (!subKey.empty())
            path += "\\" + subKey;
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS)
            << path;
        return key;
    }

    struct Raw {
        DWORD type = 0;
        std::vector<BYTE> bytes;
    };
    static Raw Query(HKEY key, const char* name) {
        Raw raw;
        DWORD size = 0;
        if (RegQueryValueExA(key, name, nullptr, &raw.type, nullptr, &size) != ERROR_SUCCESS)
            return {};
        raw.bytes.resize(size);
        RegQueryValueExA(key, name, nullptr, &raw.type, raw.bytes.data(), &size);
        return raw;
    }
    // The text up to the first zero (the registry may add a terminator of its own).
    static std::string Text(const Raw& raw) {
        std::string text(raw.bytes.begin(), raw.bytes.end());
        return text.substr(0, text.find('\0'));
    }
    static std::vector<BYTE> Le32(DWORD v) {
        return {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
    }

    std::string m_scratchName;
    HKEY m_scratch = nullptr;
};

} // namespace

TEST_F(RegistryTest, FirstRunWritesNothingUntilSave) {
    Settings settings;
    EXPECT_EQ(settings.m_apPresets.size(), 8u);
    EXPECT_EQ(settings.m_apColormaps.size(), 15u);
    HKEY key = OpenSettingsKey(); // created by the load, but empty
    DWORD values = 99, subKeys = 99;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    EXPECT_EQ(values, 0u);
    EXPECT_EQ(subKeys, 0u);
    RegCloseKey(key);
}

TEST_F(RegistryTest, SaveWritesFourByteBinariesAndUnterminatedStrings) {
    {
        Settings settings;
        settings.CPU = 77;
        settings.Cycle = false;
        settings.Save();
    }
    HKEY root = OpenSettingsKey();
    Raw cpu = Query(root, "CPU");
    EXPECT_EQ(cpu.type, DWORD(REG_BINARY));
    EXPECT_EQ(cpu.bytes, Le32(77));
    EXPECT_EQ(Query(root, "Cycle").bytes, Le32(0));
    EXPECT_EQ(Query(root, "Presets").bytes, Le32(8));
    EXPECT_EQ(Query(root, "nColormaps").bytes, Le32(15));
    Raw colormap = Query(root, "Colormap11");
    EXPECT_EQ(colormap.type, DWORD(REG_SZ));
    std::string ice = "Ice:00FFFFFF:606464FF:80B4B4FF:A4C8C8FF:FFFFFFFF:";
    EXPECT_EQ(Text(colormap), ice);
    RegCloseKey(root);

    HKEY preset = OpenSettingsKey("Preset3");
    Raw name = Query(preset, "Name");
    EXPECT_EQ(name.type, DWORD(REG_SZ));
    EXPECT_EQ(Text(name), "Catherine Wheel");
    EXPECT_EQ(Query(preset, "Worms").bytes, Le32(500));
    EXPECT_EQ(Query(preset, "Orbit").bytes, Le32(0));
    EXPECT_EQ(Query(preset, "Fireworks").bytes, Le32(1));
    RegCloseKey(preset);

    Settings loaded;
    EXPECT_EQ(loaded.CPU, 77);
    EXPECT_FALSE(loaded.Cycle);
    ASSERT_EQ(loaded.m_apPresets.size(), 8u);
    EXPECT_EQ(loaded.GetPreset(3)->Name, "Catherine Wheel");
    EXPECT_EQ(loaded.GetPreset(3)->InitialWorms, 500);
    EXPECT_EQ(loaded.GetColormap(11)->m_strName, "Ice");
}

TEST_F(RegistryTest, DwordValuesAndShortBinariesFollowTheStoredRules) {
    HKEY root = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &root, nullptr),
              ERROR_SUCCESS);
    DWORD one = 1;
    RegSetValueExA(root, "DoublePixels", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4);
    BYTE two[2] = {0x2C, 0x01};
    RegSetValueExA(root, "Delay", 0, REG_BINARY, two, 2);
    BYTE six[6] = {5, 0, 0, 0, 0, 0};
    RegSetValueExA(root, "CPU", 0, REG_BINARY, six, 6);
    // A string stored by other tools with its terminator reads the same.
    RegSetValueExA(root, "nColormaps", 0, REG_BINARY, reinterpret_cast<const BYTE*>("\1\0\0\0"), 4);
    const char text[] = "Solo:00000000:FF00FF00:";
    RegSetValueExA(root, "Colormap0", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    RegCloseKey(root);

    Settings settings;
    EXPECT_FALSE(settings.DoublePixels);
    EXPECT_EQ(settings.Delay, 300);
    EXPECT_EQ(settings.CPU, 60);
    ASSERT_EQ(settings.m_apColormaps.size(), 1u);
    EXPECT_EQ(settings.GetColormap(0)->m_strName, "Solo");
}
