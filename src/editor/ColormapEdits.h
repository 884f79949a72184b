#pragma once

#include <memory>
#include <string>

class Colormap;
class Settings;

// "New colormap": black at 0, white at 255.
std::unique_ptr<Colormap> MakeNewColormap();
// An independent copy with the same name and stops, made through the text form.
std::unique_ptr<Colormap> DuplicateColormap(const Colormap& source);

// Why a name cannot be stored, or null when it can: the text form ends a name at its first ":".
const char* ColormapNameProblem(const std::string& name);

bool CanDeleteColormap(const Settings& settings);
