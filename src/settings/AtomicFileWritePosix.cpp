#include "settings/AtomicFileWrite.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Failed(const char* step) {
    return std::string(step) + ": " + std::strerror(errno);
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string Folder(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool Exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

// Creates the missing folders above `path`; returns those it created, innermost first. A folder
// that cannot be created shows when the temporary file cannot be.
std::vector<std::string> CreateFolders(const std::string& path) {
    std::vector<std::string> missing;
    for (std::string folder = Folder(path); !Exists(folder); folder = Folder(folder)) {
        missing.push_back(folder);
        if (folder == "." || folder == "/")
            break;
    }
    std::vector<std::string> created;
    for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder)
        if (::mkdir(folder->c_str(), 0777) == 0)
            created.insert(created.begin(), *folder);
    return created;
}

// A temporary file beside `path` that no other save uses; -1 with errno set when none can be
// made. An existing name is a save running now or the leftover of a killed one: the next is tried.
int CreateTemporary(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = TemporaryFileName(path, static_cast<unsigned long>(::getpid()));
        int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void FlushFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

std::string WriteFileAtomically(const std::string& path, const std::string& bytes) {
    std::vector<std::string> created = CreateFolders(path);
    std::string temporary;
    int fd = CreateTemporary(path, temporary);
    if (fd < 0)
        return Failed("cannot create the temporary file");
    // The data must be on the disk before the rename is: otherwise a power loss can leave the
    // new name on an empty or partly written file.
    std::string error;
    if (!WriteAll(fd, bytes))
        error = Failed("cannot write the temporary file");
    else if (::fsync(fd) != 0)
        error = Failed("cannot flush the temporary file");
    if (::close(fd) != 0 && error.empty())
        error = Failed("cannot close the temporary file");
    if (error.empty() && std::rename(temporary.c_str(), path.c_str()) != 0)
        error = Failed("cannot replace the file");
    if (!error.empty()) {
        ::unlink(temporary.c_str());
        return error;
    }
    // The rename is durable only once the folder holding both names is flushed, and a folder
    // this save created only once the folder holding it is. The file is already whole under one
    // name or the other, so a failure here is no reason to report.
    FlushFolder(Folder(path));
    for (const std::string& folder : created)
        FlushFolder(Folder(folder));
    return {};
}
