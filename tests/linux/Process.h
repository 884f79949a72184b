#pragma once

#include <memory>
#include <string>
#include <vector>

// A child process for the tests: the program under test, Xvfb, xdotool.
struct ChildResult {
    int status = -1; // exit status, or 128 + signal
    std::string err; // standard error
    bool timedOut = false;
};

class Child {
public:
    // env entries "NAME=value" are added; "NAME=" with nothing after removes NAME.
    // fileSizeLimit > 0 caps the size of files the child may write.
    Child(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
          long fileSizeLimit = 0);
    ~Child();
    bool Running();
    // Waits at most timeoutMs; kills the child on time-out.
    ChildResult Wait(int timeoutMs);
    void Signal(int sig);
    // What the child wrote to standard error so far.
    std::string ErrSoFar() const;
    int Pid() const { return m_nPid; }

private:
    int m_nPid = -1;
    std::string m_strErrPath;
    bool m_bReaped = false;
    int m_nStatus = -1;
};

// Runs to completion (at most timeoutMs).
ChildResult RunChild(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
                     int timeoutMs = 30000, long fileSizeLimit = 0);

// A private Xvfb with one screen ("800x600x24"). It picks a free display itself and names it once
// it takes connections: probing numbers here raced with test runs beside this one, whose server
// could take the number first. The display is ":N", empty when none came up within 20 seconds.
struct XServer {
    std::unique_ptr<Child> process;
    std::string display;
};
XServer StartXvfb(const std::string& screen);

// A fresh empty directory under the system's temporary directory, removed with its contents.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& Path() const { return m_strPath; }
    std::string File(const std::string& name) const { return m_strPath + "/" + name; }
    std::vector<std::string> Entries() const;

private:
    std::string m_strPath;
};

// A settings file: the given global values, the factory presets otherwise.
std::string WriteSettingsFile(const std::string& path, const std::string& globalValues);

// Global values for the exports' tests: delay 1 s without spread, fades of 8 frames, in-order
// cycling, so at 10 frames per second the first preset change starts 11 frames in.
inline const char* const ShortCycle = "\"Delay\"=hex:01,00,00,00\r\n"
                                      "\"DelayRange\"=hex:00,00,00,00\r\n"
                                      "\"TransitionFrames\"=hex:08,00,00,00\r\n"
                                      "\"Cycle\"=hex:01,00,00,00\r\n"
                                      "\"CycleType\"=hex:01,00,00,00\r\n";

std::string ReadWholeFile(const std::string& path);
