#include "settings/AtomicFileWrite.h"

#include <filesystem>
#include <system_error>
#include <windows.h>

namespace {

std::string Failed(const char* step) {
    return std::string(step) + ": error " + std::to_string(GetLastError());
}

// A temporary file beside `path` that no other save uses. An existing name is a save running
// now or the leftover of a killed one: the next is tried.
HANDLE CreateTemporary(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = TemporaryFileName(path, GetCurrentProcessId());
        HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

std::string WriteFileAtomically(const std::string& path, const std::string& bytes) {
    // A folder that cannot be created shows when the temporary file cannot be.
    std::error_code ignored;
    std::filesystem::path target(path);
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ignored);
    std::string temporary;
    HANDLE file = CreateTemporary(path, temporary);
    if (file == INVALID_HANDLE_VALUE)
        return Failed("cannot create the temporary file");
    std::string error;
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        error = Failed("cannot write the temporary file");
    else if (!FlushFileBuffers(file))
        error = Failed("cannot flush the temporary file");
    CloseHandle(file);
    // Write-through returns only once the new name is on the disk.
    if (error.empty() && !MoveFileExA(temporary.c_str(), path.c_str(),
                                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = Failed("cannot replace the file");
    if (!error.empty())
        DeleteFileA(temporary.c_str());
    return error;
}
