#include "settings/ErrorReport.h"
#include "settings/FileRegStore.h"

#include <cstdio>

std::unique_ptr<RegStore> CreateDefaultRegStore() {
    return std::make_unique<FileRegStore>(FileRegStore::DefaultPath());
}

void ShowSystemError(const std::string& title, const std::string& text, const std::string& detail) {
    if (detail.empty())
        std::fprintf(stderr, "lumenkite: %s: %s\n", title.c_str(), text.c_str());
    else
        std::fprintf(stderr, "lumenkite: %s: %s (%s)\n", title.c_str(), text.c_str(),
                     detail.c_str());
}
