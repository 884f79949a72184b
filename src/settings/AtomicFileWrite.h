#pragma once

#include <string>

// Replaces the file at `path` with `bytes` through `temporary`, a file beside it, so that a save
// interrupted at any moment, by a killed process or by power loss, leaves either the old file or
// the new one whole. Returns why it failed, empty on success; on failure the target is untouched
// and the temporary file removed. One implementation per platform.
std::string WriteFileAtomically(const std::string& path, const std::string& temporary,
                                const std::string& bytes);
