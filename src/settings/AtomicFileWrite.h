#pragma once

#include <string>

// Replaces the file at `path` with `bytes` through a temporary file beside it, so that a save
// interrupted at any moment, by a killed process or by power loss, leaves either the old file or
// the new one whole. Each save creates a temporary file of its own, exclusively, so saves running
// at the same time (two editors on one file) never mix their bytes: each is whole and the last
// to finish wins. Missing folders above the file are created. Returns why it failed, empty on
// success; on failure the target is untouched and the temporary file removed. One
// implementation per platform.
std::string WriteFileAtomically(const std::string& path, const std::string& bytes);

// The next temporary file name for `path` in the process `processId`: another on every call, so
// no two saves running at the same time, in this process or another, start from the same name.
std::string TemporaryFileName(const std::string& path, unsigned long processId);
