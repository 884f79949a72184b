#include "settings/FileRegStore.h"

#include "settings/AtomicFileWrite.h"
#include "settings/RegFileFormat.h"
#include "support/Trace.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

FileRegStore::FileRegStore(std::string path) : m_strPath(std::move(path)) {}

std::string FileRegStore::DefaultPath() {
    if (const char* named = std::getenv("LUMENKITE_SETTINGS"); named && *named)
        return named;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return std::string(config) + "/lumenkite/settings.reg";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.config/lumenkite/settings.reg";
    return "lumenkite-settings.reg";
}

bool FileRegStore::Fail(const std::string& what) {
    m_strReason = m_strPath + ": " + what;
    Trace(TraceFault, "Settings: %s", m_strReason.c_str());
    return false;
}

FileRegStore::ReadResult FileRegStore::ReadFile() {
    m_tree = RegTree{};
    std::error_code ec;
    fs::file_status status = fs::status(m_strPath, ec);
    if (!fs::exists(status))
        return ReadResult::Missing;
    if (fs::is_directory(status)) {
        Fail("is a directory");
        return ReadResult::Unusable;
    }
    std::ifstream in(m_strPath, std::ios::binary);
    if (!in) {
        Fail(std::strerror(errno));
        return ReadResult::Damaged;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad() || !ParseRegFile(bytes.str(), m_tree)) {
        m_tree = RegTree{};
        Fail("not a registry export file");
        return ReadResult::Damaged;
    }
    return ReadResult::Loaded;
}

// A file this store cannot read is moved aside, never overwritten.
bool FileRegStore::KeepDamagedFile() {
    std::error_code ec;
    fs::rename(m_strPath, m_strPath + ".bak", ec);
    if (ec)
        return Fail("cannot keep the unreadable file as .bak: " + ec.message());
    Trace(TraceNotice, "Settings: kept unreadable %s as %s.bak", m_strPath.c_str(),
          m_strPath.c_str());
    return true;
}

std::unique_ptr<RegKey> FileRegStore::CreateRootKey() {
    m_strReason.clear();
    m_bOpenForWriting = false;
    switch (ReadFile()) {
    case ReadResult::Unusable:
        return nullptr;
    case ReadResult::Damaged:
        // The first open reports the damage; a later open is a save and moves the file aside.
        if (!m_bDamaged) {
            m_bDamaged = true;
            return nullptr;
        }
        if (!KeepDamagedFile())
            return nullptr;
        break;
    case ReadResult::Missing:
    case ReadResult::Loaded:
        break;
    }
    m_bOpenForWriting = true;
    m_tree.Create(SettingsRootPath());
    return std::make_unique<RegTreeKey>(m_tree, SettingsRootPath());
}

bool FileRegStore::Flush() {
    if (!m_bOpenForWriting)
        return Fail("settings key is not open");
    std::string error = WriteFileAtomically(m_strPath, FormatRegFile(m_tree));
    if (!error.empty())
        return Fail(error);
    m_bDamaged = false;
    return true;
}
