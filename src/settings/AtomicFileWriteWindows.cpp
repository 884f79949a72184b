#include "settings/AtomicFileWrite.h"

#include <windows.h>

namespace {

std::string Failed(const char* step) {
    return std::string(step) + ": error " + std::to_string(GetLastError());
}

} // namespace

std::string WriteFileAtomically(const std::string& path, const std::string& temporary,
                                const std::string& bytes) {
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
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
