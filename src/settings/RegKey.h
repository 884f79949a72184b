#pragma once

#include <cstdint>
#include <memory>
#include <string>

// Registry value types as the Windows registry numbers them.
enum RegValueType : uint32_t {
    RegNone = 0,
    RegSz = 1,
    RegExpandSz = 2,
    RegBinary = 3,
    RegDword = 4,
};

// An open key of a hierarchical key/value store with the Windows registry's semantics. Closing
// is destruction.
class RegKey {
public:
    virtual ~RegKey() = default;

    // Opens an existing subkey; null when there is none.
    virtual std::unique_ptr<RegKey> OpenSubKey(const std::string& name) = 0;
    // Opens a subkey, creating it when missing; null on failure.
    virtual std::unique_ptr<RegKey> CreateSubKey(const std::string& name) = 0;

    // Like RegQueryValueEx: with data null only reports type and size; with a buffer smaller
    // than the value fails and reports the size needed. False when the value is missing.
    virtual bool QueryValue(const std::string& name, uint32_t* type, uint8_t* data,
                            uint32_t* size) = 0;
    virtual bool SetValue(const std::string& name, uint32_t type, const uint8_t* data,
                          uint32_t size) = 0;
};

// Where the settings key lives: the registry on Windows, a settings file elsewhere, memory in
// tests.
class RegStore {
public:
    virtual ~RegStore() = default;

    // Opens the settings key, creating it when missing; null on failure.
    virtual std::unique_ptr<RegKey> CreateRootKey() = 0;
    // Makes what was written since the last open durable; false when that failed.
    virtual bool Flush() { return true; }
    // Why the last failure happened, for the error report; empty when nothing useful is known.
    virtual std::string FailureReason() const { return {}; }
};

// The store this system keeps its settings in by default.
std::unique_ptr<RegStore> CreateDefaultRegStore();

constexpr const char* SettingsKeyPath = "Software\\BrassPelican\\Lumenkite\\2.0";
