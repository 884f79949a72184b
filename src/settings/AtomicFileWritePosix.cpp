#include "settings/AtomicFileWrite.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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

} // namespace

std::string WriteFileAtomically(const std::string& path, const std::string& temporary,
                                const std::string& bytes) {
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
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
    // The rename is durable only once the folder holding both names is flushed. The file is
    // already whole under one name or the other, so a failure here is no reason to report.
    int folder = ::open(Folder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}
