#pragma once

#include <cstdio>
#include <string>

struct Options;
class Settings;

// A preset by index ("3") or by name (exact, else ignoring case); -1 when there is none.
int FindPreset(const Settings& settings, const std::string& text);

// Applies the command line's overrides to the in-memory settings (never saved). False with
// `error` set for a preset that does not exist.
bool ApplyOverrides(const Options& options, Settings& settings, std::string& error);

// The --list output: presets and colormaps with their indices, the current preset marked.
void ListSettings(const Settings& settings, std::FILE* out);
