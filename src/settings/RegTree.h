#pragma once

#include "settings/RegKey.h"

#include <cstdint>
#include <string>
#include <vector>

struct RegValue {
    std::string name;
    uint32_t type = RegNone;
    std::vector<uint8_t> data;
};

struct RegSection {
    std::string path; // full key path, e.g. HKEY_CURRENT_USER\Software\...
    std::vector<RegValue> values;

    RegValue* Find(const std::string& name);
    void Set(const std::string& name, uint32_t type, std::vector<uint8_t> data);
};

// A registry held in memory: keys by full path, names compared without regard to case as the
// registry does. Backs the settings file and the tests.
class RegTree {
public:
    RegSection* Find(const std::string& path);
    // Finds or appends the section.
    RegSection& Create(const std::string& path);
    // True when the key exists, on its own or as the parent of another.
    bool Exists(const std::string& path) const;

    std::vector<RegSection> m_aSections;
};

// A key of a RegTree. Looks its section up on every call, so keys stay valid while others add
// sections.
class RegTreeKey final : public RegKey {
public:
    RegTreeKey(RegTree& tree, std::string path) : m_tree(tree), m_strPath(std::move(path)) {}

    std::unique_ptr<RegKey> OpenSubKey(const std::string& name) override;
    std::unique_ptr<RegKey> CreateSubKey(const std::string& name) override;
    bool QueryValue(const std::string& name, uint32_t* type, uint8_t* data,
                    uint32_t* size) override;
    bool SetValue(const std::string& name, uint32_t type, const uint8_t* data,
                  uint32_t size) override;

private:
    RegTree& m_tree;
    std::string m_strPath;
};

// The settings key path as it appears in a registry export.
std::string SettingsRootPath();

// A store that lives only as long as the object: for tests and for runs that must not persist.
class MemoryRegStore final : public RegStore {
public:
    std::unique_ptr<RegKey> CreateRootKey() override;
    // The settings key's section, created when missing, for planting values.
    RegSection& Root();

    RegTree m_tree;
};
