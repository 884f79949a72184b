#include "editor/EditorTexts.h"

std::string DeletePresetQuestion(const std::string& presetName) {
    return "Delete preset \"" + presetName + "\", sure about that?";
}

std::string UnsavedChangesQuestion(const std::string& path) {
    return "Save the changes to " + path + " before closing?";
}

std::string LoadFailureNotice(const std::string& failure, const std::string& path) {
    return "The settings could not be read (" + failure +
           "). The editor shows the defaults; saving keeps the unreadable file as " + path +
           ".bak.";
}

std::string SaveFailureNotice(const std::string& failure) {
    return "The settings were not saved: " + failure +
           ". Nothing is lost: the editor keeps your changes and the file keeps its old contents.";
}
