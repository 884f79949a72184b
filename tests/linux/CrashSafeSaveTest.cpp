#include "Process.h"
#include "settings/ErrorReport.h"
#include "settings/FileRegStore.h"
#include "settings/Settings.h"
#include "support/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Built up from a fresh string: GCC 12 takes "text" + std::to_string(i), and assigning the text
// to a string, for overlapping copies in optimised builds (-Wrestrict).
std::string Numbered(const char* text, size_t i) {
    std::string numbered(text);
    numbered += std::to_string(i);
    return numbered;
}

// Two complete settings of the same shape: saved over each other they give the same bytes as
// saved fresh, and a file mixing the two matches neither.
void MakeVariant(Settings& settings, int variant) {
    settings.CPU = variant ? 35 : 80;
    settings.Delay = variant ? 7 : 300;
    settings.DoublePixels = variant != 0;
    settings.CurrentPreset = variant ? 2 : 5;
    for (size_t i = 0; i < settings.m_apPresets.size(); ++i) {
        Preset& preset = *settings.m_apPresets[i];
        preset.Name = Numbered(variant ? "Second " : "First ", i);
        preset.Worms = (variant ? 100 : 200) + static_cast<int>(i);
    }
    for (size_t i = 0; i < settings.m_apColormaps.size(); ++i)
        settings.m_apColormaps[i]->m_strName = Numbered(variant ? "B" : "A", i);
}

std::string SaveVariant(const std::string& path, int variant) {
    FileRegStore store(path);
    Settings settings(store);
    MakeVariant(settings, variant);
    settings.Save();
    return ReadWholeFile(path);
}

// Saves the two variants in turn until killed; a failed save ends it with status 3. Writes a
// byte to `ready` once it is about to save.
[[noreturn]] void SaveForever(const std::string& path, int ready) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    SetErrorReporter([](const std::string&, const std::string&, const std::string&) { _exit(3); });
    FileRegStore store(path);
    Settings settings(store);
    char byte = 1;
    if (write(ready, &byte, 1) != 1)
        _exit(4);
    for (int variant = 1;; variant ^= 1) {
        MakeVariant(settings, variant);
        settings.Save();
    }
}

// Saves one variant `times` times once `start` is closed; ends with status 0, or 3 at the first
// failed save.
[[noreturn]] void SaveRepeatedly(const std::string& path, int variant, int times, int start) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    SetErrorReporter([](const std::string&, const std::string&, const std::string&) { _exit(3); });
    FileRegStore store(path);
    Settings settings(store);
    MakeVariant(settings, variant);
    char byte = 0;
    if (read(start, &byte, 1) != 0)
        _exit(4);
    for (int i = 0; i < times; ++i)
        settings.Save();
    _exit(0);
}

} // namespace

// Two editors saving one file at the same time: every save is whole, and the file always holds
// the one saved last.
TEST(CrashSafeSave, SavesAtTheSameTimeNeverMix) {
    constexpr int Saves = 200;
    TempDir dir;
    const std::string expected[2] = {SaveVariant(dir.File("first.reg"), 0),
                                     SaveVariant(dir.File("second.reg"), 1)};
    const std::string path = dir.File("settings.reg");
    SaveVariant(path, 0);

    int start[2];
    ASSERT_EQ(pipe(start), 0);
    pid_t savers[2];
    for (int variant = 0; variant < 2; ++variant) {
        savers[variant] = fork();
        ASSERT_GE(savers[variant], 0);
        if (savers[variant] == 0) {
            close(start[1]);
            SaveRepeatedly(path, variant, Saves, start[0]);
        }
    }
    close(start[0]);
    close(start[1]); // both start now
    int reads = 0;
    int running = 2;
    int statuses[2] = {-1, -1};
    while (running > 0) {
        for (int variant = 0; variant < 2; ++variant)
            if (statuses[variant] == -1 && waitpid(savers[variant], &statuses[variant], WNOHANG))
                --running;
        std::string bytes = ReadWholeFile(path);
        ASSERT_TRUE(bytes == expected[0] || bytes == expected[1])
            << "read " << reads << " while saving is neither variant:\n"
            << bytes;
        ++reads;
    }
    for (int status : statuses)
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;

    std::vector<std::string> errors;
    ErrorReporter previous = SetErrorReporter(
        [&](const std::string& title, const std::string&, const std::string& detail) {
            errors.push_back(title + ": " + detail);
        });
    FileRegStore store(path);
    Settings loaded(store);
    SetErrorReporter(previous);
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_TRUE(loaded.CPU == 80 || loaded.CPU == 35) << loaded.CPU;
    std::vector<std::string> entries = dir.Entries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"first.reg", "second.reg", "settings.reg"}));
    std::printf("%d reads during %d saves each\n", reads, Saves);
}

// A save killed at any moment leaves the previous settings or the new ones, whole.
TEST(CrashSafeSave, KilledSavesLeaveOneCompleteSettingsFile) {
    constexpr int Kills = 200;
    TempDir dir;
    const std::string expected[2] = {SaveVariant(dir.File("first.reg"), 0),
                                     SaveVariant(dir.File("second.reg"), 1)};
    ASSERT_NE(expected[0], expected[1]);
    const std::string path = dir.File("settings.reg");
    SaveVariant(path, 1);
    ASSERT_EQ(SaveVariant(path, 0), expected[0]) << "saving over the other variant differs";

    std::vector<std::string> errors;
    ErrorReporter previous = SetErrorReporter(
        [&](const std::string& title, const std::string&, const std::string& detail) {
            errors.push_back(title + ": " + detail);
        });
    SeedRand(20261209);
    int seen[2] = {};
    for (int kill = 0; kill < Kills; ++kill) {
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(pipeFds[0]);
            SaveForever(path, pipeFds[1]);
        }
        close(pipeFds[1]);
        char byte = 0;
        ASSERT_EQ(read(pipeFds[0], &byte, 1), 1) << "the saving child did not start";
        close(pipeFds[0]);
        // Up to a few saves' worth, so kills land all over the write path.
        usleep(static_cast<useconds_t>(Rand() % 25000 * 2));
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the saving child ended by itself, status " << status;

        std::string bytes = ReadWholeFile(path);
        int variant = bytes == expected[0] ? 0 : bytes == expected[1] ? 1 : -1;
        ASSERT_NE(variant, -1) << "after kill " << kill << " the file is neither variant:\n"
                               << bytes;
        ++seen[variant];
        FileRegStore store(path);
        Settings loaded(store);
        ASSERT_TRUE(errors.empty()) << errors.front();
        EXPECT_EQ(loaded.CPU, variant ? 35 : 80);
        EXPECT_EQ(loaded.m_apPresets.front()->Name, variant ? "Second 0" : "First 0");
    }
    SetErrorReporter(previous);
    for (const std::string& entry : dir.Entries())
        EXPECT_EQ(entry.find(".bak"), std::string::npos) << entry;
    std::printf("%d kills: %d left the first settings, %d the second\n", Kills, seen[0], seen[1]);
}
