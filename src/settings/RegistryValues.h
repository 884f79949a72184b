#pragma once

#include <string>

class RegKey;

// Numbers and flags are stored as four-byte little-endian binary values; names and colormap
// texts as strings without a terminating zero.
int ReadRegInt(RegKey& key, const char* name, int defaultValue);
// Returns true when the value could not be stored.
bool WriteRegInt(RegKey& key, const char* name, int value);
bool ReadRegBool(RegKey& key, const char* name, bool defaultValue);
void WriteRegBool(RegKey& key, const char* name, bool value);
bool ReadRegString(RegKey& key, const char* name, std::string& value);
void WriteRegString(RegKey& key, const char* name, const std::string& value);
