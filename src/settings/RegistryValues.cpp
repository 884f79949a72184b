#include "settings/RegistryValues.h"

#include "settings/RegKey.h"
#include "support/Trace.h"

#include <vector>

int ReadRegInt(RegKey& key, const char* name, int defaultValue) {
    // A value shorter than four bytes leaves its missing high bytes zero.
    uint8_t bytes[4] = {};
    uint32_t type = RegNone;
    uint32_t size = sizeof bytes;
    if (key.QueryValue(name, &type, bytes, &size) && type == RegBinary) {
        int value = static_cast<int>(
            static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
            static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
        Trace(TraceInfo, "Settings: Regvalue %s = %d", name, value);
        return value;
    }
    Trace(TraceInfo, "Settings: Regvalue %s does not exist, using default of %d", name,
          defaultValue);
    return defaultValue;
}

bool WriteRegInt(RegKey& key, const char* name, int value) {
    Trace(TraceInfo, "Settings: Regvalue %s set to %d", name, value);
    uint32_t bits = static_cast<uint32_t>(value);
    uint8_t bytes[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                        static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
    return !key.SetValue(name, RegBinary, bytes, sizeof bytes);
}

bool ReadRegBool(RegKey& key, const char* name, bool defaultValue) {
    return ReadRegInt(key, name, defaultValue ? 1 : 0) == 1;
}

void WriteRegBool(RegKey& key, const char* name, bool value) {
    WriteRegInt(key, name, value ? 1 : 0);
}

bool ReadRegString(RegKey& key, const char* name, std::string& value) {
    uint32_t type = RegNone;
    uint32_t size = 0;
    if (!key.QueryValue(name, &type, nullptr, &size))
        return false;
    std::vector<uint8_t> buffer(static_cast<size_t>(size) + 1, 0);
    if (!key.QueryValue(name, &type, buffer.data(), &size))
        return false;
    value.assign(reinterpret_cast<const char*>(buffer.data()));
    return true;
}

void WriteRegString(RegKey& key, const char* name, const std::string& value) {
    key.SetValue(name, RegSz, reinterpret_cast<const uint8_t*>(value.data()),
                 static_cast<uint32_t>(value.size()));
}
