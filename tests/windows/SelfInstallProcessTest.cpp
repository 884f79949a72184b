// Self-installation: a copy of the program under a name that is not a screensaver's offers to
// install itself into the Windows directory of the test's private Wine prefix.

#include "WindowsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace wintest;

namespace {

const char* const DialogTitle = "Install Lumenkite v2.0 ?";

std::string WindowsDirectory() {
    char directory[MAX_PATH];
    GetWindowsDirectoryA(directory, MAX_PATH);
    std::string text = directory;
    if (text.back() != '\\')
        text += '\\';
    return text;
}

std::string InstalledSaver() {
    char value[MAX_PATH] = "";
    GetProfileStringA("Desktop", "SCRNSAVE.EXE", "", value, MAX_PATH);
    return value;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class SelfInstallProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_target = WindowsDirectory() + "Lumenkite.scr";
        m_installer = TempPath("Lumenkite.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(LUMENKITE_SCR).c_str(), m_installer.c_str(), FALSE));
        RemoveTarget();
        WriteProfileStringA("Desktop", "SCRNSAVE.EXE", "C:\\before.scr");
    }
    void TearDown() override {
        KillProcessesNamed("control.exe");
        KillProcessesNamed("rundll32.exe");
        RemoveTarget();
        DeleteFileA(m_installer.c_str());
        WriteProfileStringA("Desktop", "SCRNSAVE.EXE", nullptr);
    }
    void RemoveTarget() {
        SetFileAttributesA(m_target.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(m_target.c_str());
        RemoveDirectoryA(m_target.c_str());
    }

    // Starts the installer and waits for its dialog.
    HWND StartInstaller(ChildProcess& installer, const char* tag) {
        EXPECT_TRUE(installer.Launch(m_installer, "/s", tag));
        HWND dialog = nullptr;
        WaitFor(
            [&] {
                auto found = FindTopLevelWindows(DialogTitle, installer.Id());
                dialog = found.empty() ? nullptr : found[0];
                // The title comes before the controls; a dialog is shown once it is complete.
                return dialog && IsWindowVisible(dialog) && GetDlgItem(dialog, IDOK) &&
                       GetDlgItem(dialog, IDCANCEL);
            },
            15000);
        return dialog;
    }

    static void Click(HWND dialog, int id) {
        HWND button = GetDlgItem(dialog, id);
        ASSERT_NE(button, nullptr);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }

    std::string m_target;
    std::string m_installer;
};

TEST_F(SelfInstallProcessTest, CancelInstallsNothing) {
    ChildProcess installer;
    HWND dialog = StartInstaller(installer, "cancel");
    ASSERT_NE(dialog, nullptr) << installer.Trace();
    EXPECT_NE(GetDlgItem(dialog, IDOK), nullptr);
    Click(dialog, IDCANCEL);
    EXPECT_TRUE(installer.WaitExit(10000));
    std::string trace = installer.Trace();
    EXPECT_NE(trace.find("SelfInstall: File is not an SCR file, installing"), std::string::npos)
        << trace;
    EXPECT_NE(trace.find("SelfInstall: Installation aborted by user, exiting"), std::string::npos);
    EXPECT_FALSE(FileExists(m_target));
    EXPECT_EQ(InstalledSaver(), "C:\\before.scr");
    // The run ends there: no mode, straight to the exit trace.
    EXPECT_EQ(trace.find("App: __argc"), std::string::npos);
    EXPECT_NE(trace.find("---------------- Program exited ------------------"), std::string::npos);
}

TEST_F(SelfInstallProcessTest, OkCopiesTheProgramAndMakesItTheScreensaver) {
    ChildProcess installer;
    HWND dialog = StartInstaller(installer, "ok");
    ASSERT_NE(dialog, nullptr) << installer.Trace();
    Click(dialog, IDOK);
    EXPECT_TRUE(installer.WaitExit(10000));
    std::string trace = installer.Trace();
    EXPECT_NE(trace.find("SelfInstall: CopyFile suceeded"), std::string::npos) << trace;
    EXPECT_NE(trace.find("SelfInstall: Launching screen saver cpl applet"), std::string::npos);

    ASSERT_TRUE(FileExists(m_target));
    EXPECT_EQ(ReadFile(m_target), ReadFile(m_installer));
    EXPECT_EQ(InstalledSaver(), WindowsDirectory() + "Lumenkite.SCR");
    EXPECT_EQ(trace.find("App: __argc"), std::string::npos);
}

TEST_F(SelfInstallProcessTest, FailedCopyIsReported) {
    // A directory in the target's place makes the copy fail.
    ASSERT_TRUE(CreateDirectoryA(m_target.c_str(), nullptr));
    ChildProcess installer;
    HWND dialog = StartInstaller(installer, "fail");
    ASSERT_NE(dialog, nullptr) << installer.Trace();
    Click(dialog, IDOK);

    HWND box = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            auto found = FindTopLevelWindows("Lumenkite", installer.Id());
            box = found.empty() ? nullptr : found[0];
            return box && IsWindowVisible(box);
        },
        10000))
        << installer.Trace();
    std::vector<std::string> texts = ChildTexts(box);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Installation Failed. No idea why. Sorry."),
              texts.end());
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(installer.WaitExit(10000));
    std::string trace = installer.Trace();
    EXPECT_NE(trace.find("SelfInstall: CopyFile failed! "), std::string::npos) << trace;
    EXPECT_EQ(InstalledSaver(), "C:\\before.scr");
}

TEST_F(SelfInstallProcessTest, ScreensaverFileNameInstallsNothing) {
    // The built program ends in a lower-case "scr".
    ChildProcess run;
    ASSERT_TRUE(run.Launch(WindowsPath(LUMENKITE_SCR), "/x", "scr"));
    EXPECT_TRUE(run.WaitExit(10000));
    std::string trace = run.Trace();
    EXPECT_NE(trace.find("SelfInstall: Module Filename = "), std::string::npos) << trace;
    EXPECT_EQ(trace.find("SelfInstall: File is not an SCR file"), std::string::npos);
    EXPECT_FALSE(FileExists(m_target));
    EXPECT_EQ(InstalledSaver(), "C:\\before.scr");
}

} // namespace
