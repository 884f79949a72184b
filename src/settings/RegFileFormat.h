#pragma once

#include "settings/RegTree.h"

#include <string>

// The registry editor's export format ("Windows Registry Editor Version 5.00"), so a settings
// file imports into the Windows registry as it stands and an export from there loads here.

// Reads UTF-16LE (with its byte-order mark) or ASCII/UTF-8, CRLF or LF. Returns false when the
// text is not a registry export at all; lines it does not understand are skipped.
bool ParseRegFile(const std::string& bytes, RegTree& tree);

// Writes ASCII/UTF-8 with CRLF line ends.
std::string FormatRegFile(const RegTree& tree);
