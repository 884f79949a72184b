#pragma once

#include "settings/RegTree.h"

#include <string>

// The settings key kept in one registry-export file, for systems without a registry. The file
// is read on every open of the key and replaced whole, through a temporary file beside it, on
// Flush, so a failed save never loses the previous settings.
class FileRegStore final : public RegStore {
public:
    explicit FileRegStore(std::string path);

    std::unique_ptr<RegKey> CreateRootKey() override;
    bool Flush() override;
    std::string FailureReason() const override { return m_strReason; }

    const std::string& Path() const { return m_strPath; }

    // $XDG_CONFIG_HOME/lumenkite/settings.reg, else ~/.config/lumenkite/settings.reg;
    // LUMENKITE_SETTINGS names another file.
    static std::string DefaultPath();

private:
    enum class ReadResult { Loaded, Missing, Damaged, Unusable };
    ReadResult ReadFile();
    bool KeepDamagedFile();
    bool Fail(const std::string& what);

    std::string m_strPath;
    std::string m_strReason;
    RegTree m_tree;
    bool m_bDamaged = false;
    bool m_bOpenForWriting = false;
};
