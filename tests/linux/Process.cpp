#include "Process.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

Child::Child(const std::vector<std::string>& argv, const std::vector<std::string>& env,
             long fileSizeLimit) {
    char errTemplate[] = "/tmp/lumenkite-child-XXXXXX";
    int errFd = mkstemp(errTemplate);
    m_strErrPath = errTemplate;
    m_nPid = fork();
    if (m_nPid == 0) {
        // Never outlive the test, even when it is killed: a left-over saver would hold the test
        // runner's output open and take input meant for the next test's program.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        setpgid(0, 0);
        int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, 1);
        dup2(errFd, 2);
        for (const std::string& entry : env) {
            size_t eq = entry.find('=');
            std::string name = entry.substr(0, eq);
            if (eq + 1 == entry.size())
                unsetenv(name.c_str());
            else
                setenv(name.c_str(), entry.c_str() + eq + 1, 1);
        }
        if (fileSizeLimit > 0) {
            rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
            signal(SIGXFSZ, SIG_IGN);
        }
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(errFd);
}

Child::~Child() {
    if (!m_bReaped && m_nPid > 0) {
        kill(-m_nPid, SIGKILL);
        waitpid(m_nPid, nullptr, 0);
    }
    unlink(m_strErrPath.c_str());
}

bool Child::Running() {
    if (m_bReaped)
        return false;
    int status = 0;
    if (waitpid(m_nPid, &status, WNOHANG) == m_nPid) {
        m_bReaped = true;
        m_nStatus = status;
        return false;
    }
    return true;
}

std::string Child::ErrSoFar() const {
    return ReadWholeFile(m_strErrPath);
}

void Child::Signal(int sig) {
    if (!m_bReaped)
        kill(m_nPid, sig);
}

ChildResult Child::Wait(int timeoutMs) {
    ChildResult result;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Running()) {
        if (std::chrono::steady_clock::now() > deadline) {
            result.timedOut = true;
            kill(-m_nPid, SIGKILL);
            waitpid(m_nPid, &m_nStatus, 0);
            m_bReaped = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    result.status = WIFEXITED(m_nStatus)     ? WEXITSTATUS(m_nStatus)
                    : WIFSIGNALED(m_nStatus) ? 128 + WTERMSIG(m_nStatus)
                                             : -1;
    result.err = ReadWholeFile(m_strErrPath);
    return result;
}

ChildResult RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                     int timeoutMs, long fileSizeLimit) {
    Child child(argv, env, fileSizeLimit);
    return child.Wait(timeoutMs);
}

namespace {

// A line from fd without its end, or what came before the writer closed it or the time ran out.
std::string ReadLine(int fd, std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    std::string line;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd readable{fd, POLLIN, 0};
        char c = 0;
        if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0 ||
            read(fd, &c, 1) != 1 || c == '\n')
            return line;
        line += c;
    }
}

} // namespace

XServer StartXvfb(const std::string& screen) {
    XServer server;
    int ready[2];
    if (pipe(ready) != 0)
        return server;
    server.process = std::make_unique<Child>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0",
                                 screen, "-nolisten", "tcp"});
    close(ready[1]);
    std::string number = ReadLine(ready[0], std::chrono::milliseconds(20000));
    close(ready[0]);
    if (!number.empty())
        server.display = ":" + number;
    return server;
}

TempDir::TempDir() {
    char name[] = "/tmp/lumenkite-test-XXXXXX";
    m_strPath = mkdtemp(name);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(m_strPath, ec);
}

std::vector<std::string> TempDir::Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_strPath))
        names.push_back(entry.path().filename().string());
    return names;
}

std::string WriteSettingsFile(const std::string& path, const std::string& globalValues) {
    std::ofstream out(path, std::ios::binary);
    out << "Windows Registry Editor Version 5.00\r\n\r\n"
           "[HKEY_CURRENT_USER\\Software\\BrassPelican\\Lumenkite\\2.0]\r\n"
        << globalValues;
    return path;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
