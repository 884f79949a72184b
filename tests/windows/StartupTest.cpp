// Mode selection, handle parsing, the screen rectangles and the self-installation helpers.

#include "app/CommandLine.h"
#include "app/SelfInstall.h"
#include "saver/ScreenMetrics.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <vector>

namespace {

CommandLine Parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "Lumenkite.scr");
    return ParseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

TEST(CommandLineTest, IsSwitchComparesOnlyTheLetterAfterOnePrefix) {
    EXPECT_TRUE(IsSwitch("/s", 's'));
    EXPECT_TRUE(IsSwitch("-s", 's'));
    EXPECT_TRUE(IsSwitch("s", 's'));
    EXPECT_TRUE(IsSwitch("/start", 's'));
    EXPECT_FALSE(IsSwitch("/S", 's'));
    EXPECT_FALSE(IsSwitch("//s", 's'));
    EXPECT_FALSE(IsSwitch("-/s", 's'));
    EXPECT_FALSE(IsSwitch("", 's'));
    EXPECT_FALSE(IsSwitch("/", 's'));
}

TEST(CommandLineTest, ChoosesTheModeFromSwitchAndArgumentCount) {
    EXPECT_EQ(Parse({}).mode, AppMode::Config);
    EXPECT_EQ(Parse({"/c"}).mode, AppMode::Config);
    EXPECT_EQ(Parse({"/c", "extra", "ignored"}).mode, AppMode::Config);
    EXPECT_EQ(Parse({"/s"}).mode, AppMode::Saver);
    EXPECT_EQ(Parse({"/start"}).mode, AppMode::Saver);
    EXPECT_EQ(Parse({"-s"}).mode, AppMode::Saver);
    EXPECT_EQ(Parse({"/s", "x"}).mode, AppMode::None);
    EXPECT_EQ(Parse({"/S"}).mode, AppMode::None);
    EXPECT_EQ(Parse({"/p"}).mode, AppMode::None);
    EXPECT_EQ(Parse({"/p", "1234"}).mode, AppMode::Preview);
    EXPECT_EQ(Parse({"/p", "1234", "5"}).mode, AppMode::None);
    EXPECT_EQ(Parse({"/P", "1234"}).mode, AppMode::None);
    EXPECT_EQ(Parse({"/x"}).mode, AppMode::None);
}

TEST(CommandLineTest, ConfigurationOwnerComesFromTheTextAfterTheColon) {
    CommandLine shortSwitch = Parse({"/c"});
    EXPECT_EQ(shortSwitch.handle, 0u);
    EXPECT_TRUE(shortSwitch.handleText.empty());

    CommandLine owned = Parse({"/c:4242"});
    EXPECT_EQ(owned.handleText, "4242");
    EXPECT_EQ(owned.handle, 4242u);

    // Four characters are not longer than four: no owner.
    EXPECT_EQ(Parse({"/c:7"}).handle, 0u);
    EXPECT_EQ(Parse({"/c:12"}).handle, 12u);
    EXPECT_EQ(Parse({"/c:none"}).handle, 0u);
}

TEST(CommandLineTest, PreviewParentIsTheSecondArgumentInDecimal) {
    CommandLine line = Parse({"/p", "1234"});
    EXPECT_EQ(line.handleText, "1234");
    EXPECT_EQ(line.handle, 1234u);
    EXPECT_EQ(Parse({"/p", "0"}).handle, 0u);
    EXPECT_EQ(Parse({"/p", "0x10"}).handle, 0u);
}

TEST(CommandLineTest, HandleParsingAllowsBlanksAndSignAndStopsAtNonDigit) {
    EXPECT_EQ(ParseWindowHandle("1234"), 1234u);
    EXPECT_EQ(ParseWindowHandle("  56"), 56u);
    EXPECT_EQ(ParseWindowHandle("+78"), 78u);
    EXPECT_EQ(ParseWindowHandle("90abc"), 90u);
    EXPECT_EQ(ParseWindowHandle("12 34"), 12u);
    EXPECT_EQ(ParseWindowHandle(""), 0u);
    EXPECT_EQ(ParseWindowHandle("abc"), 0u);
    EXPECT_EQ(ParseWindowHandle("-"), 0u);
    // A negative number gives the handle a cast of the signed value would.
    EXPECT_EQ(ParseWindowHandle("-2"), static_cast<uintptr_t>(-2));
    // Handles above 2^31 are kept whole.
    EXPECT_EQ(ParseWindowHandle("4294967295"), static_cast<uintptr_t>(4294967295u));
}

class FakeMetrics final : public ScreenMetrics {
public:
    explicit FakeMetrics(std::map<int, int> values) : m_values(std::move(values)) {}
    int Get(int index) const override {
        auto it = m_values.find(index);
        return it == m_values.end() ? -999 : it->second;
    }

private:
    std::map<int, int> m_values;
};

TEST(ScreenRectTest, WithoutMonitorCountTheScreenIsTheWholeDesktop) {
    FakeMetrics metrics({{SM_CMONITORS, 0}, {SM_CXSCREEN, 800}, {SM_CYSCREEN, 600}});
    Rect full, primary;
    GetFullScreenRect(full, metrics);
    GetPrimaryRect(primary, metrics);
    EXPECT_EQ(full, (Rect{0, 0, 800, 600}));
    EXPECT_EQ(primary, (Rect{0, 0, 800, 600}));
}

TEST(ScreenRectTest, OneCountedMonitorUsesTheVirtualScreen) {
    FakeMetrics metrics({{SM_CMONITORS, 1},
                         {SM_CXSCREEN, 1024},
                         {SM_CYSCREEN, 768},
                         {SM_XVIRTUALSCREEN, 0},
                         {SM_YVIRTUALSCREEN, 0},
                         {SM_CXVIRTUALSCREEN, 1024},
                         {SM_CYVIRTUALSCREEN, 768}});
    Rect full, primary;
    GetFullScreenRect(full, metrics);
    GetPrimaryRect(primary, metrics);
    EXPECT_EQ(full, (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(primary, (Rect{0, 0, 1024, 768}));
}

TEST(ScreenRectTest, SecondMonitorLeftOfThePrimaryShiftsTheAnimation) {
    FakeMetrics metrics({{SM_CMONITORS, 2},
                         {SM_CXSCREEN, 1280},
                         {SM_CYSCREEN, 1024},
                         {SM_XVIRTUALSCREEN, -1280},
                         {SM_YVIRTUALSCREEN, 0},
                         {SM_CXVIRTUALSCREEN, 2560},
                         {SM_CYVIRTUALSCREEN, 1024}});
    Rect full, primary;
    GetFullScreenRect(full, metrics);
    GetPrimaryRect(primary, metrics);
    EXPECT_EQ(full, (Rect{-1280, 0, 1280, 1024}));
    EXPECT_EQ(primary, (Rect{1280, 0, 2560, 1024}));
}

TEST(ScreenRectTest, MonitorAboveThePrimaryShiftsDown) {
    FakeMetrics metrics({{SM_CMONITORS, 2},
                         {SM_CXSCREEN, 1920},
                         {SM_CYSCREEN, 1080},
                         {SM_XVIRTUALSCREEN, 0},
                         {SM_YVIRTUALSCREEN, -900},
                         {SM_CXVIRTUALSCREEN, 1920},
                         {SM_CYVIRTUALSCREEN, 1980}});
    Rect full, primary;
    GetFullScreenRect(full, metrics);
    GetPrimaryRect(primary, metrics);
    EXPECT_EQ(full, (Rect{0, -900, 1920, 1080}));
    EXPECT_EQ(primary, (Rect{0, 900, 1920, 1980}));
}

TEST(ScreenRectTest, PreviewAreaRatio) {
    EXPECT_DOUBLE_EQ(AreaRatio(Rect{0, 0, 1024, 768}, Rect{0, 0, 152, 112}), 786432.0 / 17024.0);
    EXPECT_NEAR(AreaRatio(Rect{0, 0, 1024, 768}, Rect{0, 0, 152, 112}), 46.195, 0.001);
    EXPECT_DOUBLE_EQ(AreaRatio(Rect{-1280, 0, 1280, 1024}, Rect{0, 0, 1280, 1024}), 2.0);
}

TEST(SelfInstallTest, ScreensaverFileNamesIgnoreCaseOfTheLastThreeCharacters) {
    EXPECT_TRUE(IsScreensaverFile("C:\\Windows\\Lumenkite.SCR"));
    EXPECT_TRUE(IsScreensaverFile("C:\\x\\Lumenkite.scr"));
    EXPECT_TRUE(IsScreensaverFile("C:\\x\\Lumenkite.sCr"));
    EXPECT_TRUE(IsScreensaverFile("SCR"));
    EXPECT_FALSE(IsScreensaverFile("C:\\x\\Lumenkite.exe"));
    EXPECT_FALSE(IsScreensaverFile("C:\\x\\Lumenkite.SCR.exe"));
    EXPECT_FALSE(IsScreensaverFile("C:\\x\\Lumenkite.SCRX"));
    EXPECT_FALSE(IsScreensaverFile("CR"));
}

TEST(SelfInstallTest, DirectoryGetsExactlyOneTrailingBackslash) {
    EXPECT_EQ(WithTrailingBackslash("C:\\Windows"), "C:\\Windows\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\"), "C:\\");
}

} // namespace
