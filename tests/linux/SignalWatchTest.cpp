#include <gtest/gtest.h>

#include "linux/SignalWatch.h"

#include <chrono>
#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// The watch blocks the signals for good and ends the process, so each case runs it in a child.
// The child reports each signal `quit` is called with, and whether a thread started after the
// watch has SIGTERM blocked, on a pipe; it then waits to be ended. With `endInOrder` the quit
// reaches the orderly end at once.
class WatchedChild {
public:
    WatchedChild(std::chrono::milliseconds grace, bool endInOrder = false) {
        int fds[2];
        EXPECT_EQ(pipe(fds), 0);
        m_nPid = fork();
        if (m_nPid == 0) {
            close(fds[0]);
            const int out = fds[1];
            WatchTerminationSignals(
                [out, endInOrder](int signal) {
                    if (endInOrder)
                        OrderlyEndReached();
                    char c = static_cast<char>(signal);
                    (void)!write(out, &c, 1);
                },
                grace);
            std::thread([out] {
                sigset_t mask;
                pthread_sigmask(SIG_BLOCK, nullptr, &mask);
                char c = sigismember(&mask, SIGTERM) ? 'b' : 'u';
                (void)!write(out, &c, 1);
                for (;;)
                    pause();
            }).detach();
            for (;;)
                pause();
        }
        close(fds[1]);
        m_nRead = fds[0];
    }
    ~WatchedChild() {
        if (m_nPid > 0 && !m_bReaped) {
            kill(m_nPid, SIGKILL);
            waitpid(m_nPid, nullptr, 0);
        }
        if (m_nRead >= 0)
            close(m_nRead);
    }

    // The next byte the child wrote; -1 when the child ended without one.
    int Next() {
        char c = 0;
        return read(m_nRead, &c, 1) == 1 ? c : -1;
    }
    void Signal(int signal) { kill(m_nPid, signal); }
    // The exit status, or -1 when the child has not ended within the limit.
    int Wait(std::chrono::milliseconds limit) {
        auto deadline = std::chrono::steady_clock::now() + limit;
        int status = 0;
        while (waitpid(m_nPid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline)
                return -1;
            std::this_thread::sleep_for(10ms);
        }
        m_bReaped = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    }

private:
    pid_t m_nPid = -1;
    int m_nRead = -1;
    bool m_bReaped = false;
};

TEST(SignalWatch, FirstSignalAsksToQuitAndAnEndNotDoneInTimeIsForced) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        WatchedChild child(100ms);
        ASSERT_EQ(child.Next(), 'b') << "a later thread could take the signal itself";
        child.Signal(signal);
        EXPECT_EQ(child.Next(), signal);
        EXPECT_EQ(child.Wait(10s), 128 + signal);
    }
}

TEST(SignalWatch, SecondSignalEndsAtOnce) {
    // A grace far longer than the wait: only the second signal can end the child in time.
    WatchedChild child(600s);
    ASSERT_EQ(child.Next(), 'b');
    child.Signal(SIGTERM);
    EXPECT_EQ(child.Next(), SIGTERM);
    EXPECT_EQ(child.Wait(300ms), -1) << "ended before the grace or a second signal";
    child.Signal(SIGINT);
    EXPECT_EQ(child.Wait(10s), 128 + SIGINT);
}

TEST(SignalWatch, AfterTheOrderlyEndOnlyASecondSignalCutsTheExitShort) {
    WatchedChild child(50ms, true);
    ASSERT_EQ(child.Next(), 'b');
    child.Signal(SIGHUP);
    EXPECT_EQ(child.Next(), SIGHUP);
    EXPECT_EQ(child.Wait(500ms), -1) << "the grace ended an exit already under way";
    child.Signal(SIGTERM);
    EXPECT_EQ(child.Wait(10s), 128 + SIGTERM);
}

} // namespace
