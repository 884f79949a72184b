#include "linux/OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

OutputFile::~OutputFile() {
    Abandon();
}

bool OutputFile::FailWithErrno(int error) {
    m_strError = "cannot write '" + m_strPath + "': " + std::strerror(error);
    return false;
}

bool OutputFile::Open(const std::string& path) {
    Abandon();
    m_strPath = path;
    struct stat st {};
    if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return FailWithErrno(EISDIR);

    size_t slash = path.rfind('/');
    std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string pattern = dir + "." + base + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0)
        return FailWithErrno(errno);
    // mkstemp makes the file private; the result should get the usual mode under the umask.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    m_nFd = fd;
    m_strTemporary = name.data();
    return true;
}

bool OutputFile::Commit() {
    if (m_strTemporary.empty())
        return false;
    if (m_nFd >= 0) {
        int fd = m_nFd;
        m_nFd = -1;
        if (close(fd) != 0) {
            int error = errno;
            Abandon();
            return FailWithErrno(error);
        }
    }
    if (std::rename(m_strTemporary.c_str(), m_strPath.c_str()) != 0) {
        int error = errno;
        Abandon();
        return FailWithErrno(error);
    }
    m_strTemporary.clear();
    return true;
}

void OutputFile::Abandon() {
    if (m_nFd >= 0) {
        close(m_nFd);
        m_nFd = -1;
    }
    if (!m_strTemporary.empty()) {
        unlink(m_strTemporary.c_str());
        m_strTemporary.clear();
    }
}
