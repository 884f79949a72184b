#include "editor/ColorsTexts.h"

std::string DeleteColormapQuestion(const std::string& name) {
    return "Delete colormap \"" + name + "\"?";
}
