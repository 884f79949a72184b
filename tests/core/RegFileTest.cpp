#include "TestSupport.h"
#include "settings/AtomicFileWrite.h"
#include "settings/FileRegStore.h"
#include "settings/RegFileFormat.h"
#include "settings/RegistryValues.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class RegFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir =
            fs::temp_directory_path() /
            ("lumenkite-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_path = (m_dir / "settings.reg").string();
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void WriteFile(const std::string& bytes) { std::ofstream(m_path, std::ios::binary) << bytes; }
    std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    fs::path m_dir;
    std::string m_path;
};

std::string Utf16(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

const char* const ExportedByRegedit =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\BrassPelican\\Lumenkite\\2.0]\r\n"
    "\"CPU\"=hex:2a,00,00,00\r\n"
    "\"Cycle\"=dword:00000000\r\n"
    "\"Presets\"=hex:01,00,00,00\r\n"
    "\"nColormaps\"=hex:01,00,00,00\r\n"
    "\"Colormap0\"=\"Path \\\\ \\\"quoted\\\":00000000:FFFFFFFF:\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\BrassPelican\\Lumenkite\\2.0\\Preset0]\r\n"
    "\"Name\"=\"Exported\"\r\n"
    "\"Worms\"=hex:c8,\\\r\n"
    "  00,00,00\r\n"
    "\"Orbit\"=hex:00,00,00,00\r\n";

} // namespace

TEST_F(RegFileTest, RegistryEditorExportLoadsInBothEncodings) {
    for (const std::string& bytes : {std::string(ExportedByRegedit), Utf16(ExportedByRegedit)}) {
        WriteFile(bytes);
        ErrorCapture errors;
        FileRegStore store(m_path);
        Settings settings(store);
        EXPECT_TRUE(errors.m_errors.empty());
        EXPECT_EQ(settings.CPU, 42);
        EXPECT_TRUE(settings.Cycle); // a DWORD is not a stored number: default
        ASSERT_EQ(settings.m_apPresets.size(), 1u);
        EXPECT_EQ(settings.GetPreset(0)->Name, "Exported");
        EXPECT_EQ(settings.GetPreset(0)->Worms, 200);
        EXPECT_EQ(settings.GetPreset(0)->m_anTypeStates[WormTypeSpinner], TypeOn);
        ASSERT_EQ(settings.m_apColormaps.size(), 1u);
        EXPECT_EQ(settings.GetColormap(0)->m_strName, "Path \\ \"quoted\"");
    }
}

TEST_F(RegFileTest, SaveWritesAnImportableFileThatLoadsBack) {
    {
        FileRegStore store(m_path);
        Settings settings(store);
        settings.CPU = 85;
        settings.GetPreset(1)->Name = "Back\\slash \"and\" quotes";
        settings.Save();
    }
    std::string text = ReadFile(m_path);
    EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\r\n\r\n"
                         "[HKEY_CURRENT_USER\\Software\\BrassPelican\\Lumenkite\\2.0]\r\n",
                         0),
              0u);
    EXPECT_NE(text.find("\"CPU\"=hex:55,00,00,00\r\n"), std::string::npos);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\BrassPelican\\Lumenkite\\2.0\\Preset7]\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\"Name\"=\"Back\\\\slash \\\"and\\\" quotes\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Colormap14\"=\"White:00000001:2AFFFFFF:FFFFFFFF:\"\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("\n\n"), std::string::npos); // every line ends in CRLF
    EXPECT_FALSE(fs::exists(m_path + ".new"));

    FileRegStore store(m_path);
    Settings loaded(store);
    EXPECT_EQ(loaded.CPU, 85);
    EXPECT_EQ(loaded.GetPreset(1)->Name, "Back\\slash \"and\" quotes");
    EXPECT_EQ(loaded.m_apPresets.size(), 8u);
    EXPECT_EQ(loaded.m_apColormaps.size(), 15u);
}

TEST_F(RegFileTest, LinesItDoesNotUnderstandAreSkipped) {
    WriteFile("\xEF\xBB\xBFWindows Registry Editor Version 5.00\n"
              "\"Orphan\"=hex:01,00,00,00\n"
              "[HKEY_CURRENT_USER\\Software\\BrassPelican\\Lumenkite\\2.0]\n"
              "; a comment\n"
              "\"CPU\"=hex:zz,00,00,00\n"
              "\"Delay\"=hex:07,00,00,00\n"
              "garbage line\n"
              "\"DelayRange\"=\n"
              "\"TransitionFrames\"=hex:10,00,00,00\n"
              "\"Unclosed=hex:01\n"
              "[HKEY_CURRENT_USER\\Software\\BrassPelican\\Lumenkite\\2.0\\Preset0\n"
              "\"Presets\"=hex:01,00,00"); // truncated mid-value, no line end
    ErrorCapture errors;
    FileRegStore store(m_path);
    Settings settings(store);
    EXPECT_TRUE(errors.m_errors.empty());
    EXPECT_EQ(settings.CPU, 60);
    EXPECT_EQ(settings.Delay, 7);
    EXPECT_EQ(settings.DelayRange, 30);
    EXPECT_EQ(settings.TransitionFrames, 16);
    // Written before the flag existed: every monitor animates.
    EXPECT_TRUE(settings.AllMonitors);
    EXPECT_EQ(settings.m_apPresets.size(), 8u);
}

TEST_F(RegFileTest, UnreadableFileIsReportedOnceAndKeptAsBackupOnSave) {
    const std::string damaged = "\x01\x02 not a registry export \xFF";
    WriteFile(damaged);
    ErrorCapture errors;
    FileRegStore store(m_path);
    Settings settings(store);
    ASSERT_EQ(errors.m_errors.size(), 1u);
    EXPECT_EQ(errors.m_errors[0].title, "Unable to open registry");
    EXPECT_EQ(errors.m_errors[0].text, "Error");
    EXPECT_NE(errors.m_errors[0].detail.find(m_path), std::string::npos);
    EXPECT_EQ(settings.m_apPresets.size(), 8u);
    EXPECT_EQ(ReadFile(m_path), damaged); // loading never touches the file

    settings.Save();
    EXPECT_EQ(errors.m_errors.size(), 1u);
    EXPECT_EQ(ReadFile(m_path + ".bak"), damaged);
    FileRegStore reread(m_path);
    Settings loaded(reread);
    EXPECT_EQ(errors.m_errors.size(), 1u);
    EXPECT_EQ(loaded.m_apPresets.size(), 8u);
}

TEST_F(RegFileTest, EmptyFileIsDamagedNotFirstRun) {
    WriteFile("");
    ErrorCapture errors;
    FileRegStore store(m_path);
    Settings settings(store);
    EXPECT_EQ(errors.m_errors.size(), 1u);
}

TEST_F(RegFileTest, DirectoryInThePlaceOfTheFileIsReportedAndLeftAlone) {
    fs::create_directories(m_path);
    std::ofstream(fs::path(m_path) / "keep.txt") << "mine";
    ErrorCapture errors;
    FileRegStore store(m_path);
    Settings settings(store);
    ASSERT_EQ(errors.m_errors.size(), 1u);
    EXPECT_NE(errors.m_errors[0].detail.find("is a directory"), std::string::npos);
    settings.Save();
    ASSERT_EQ(errors.m_errors.size(), 2u);
    EXPECT_EQ(errors.m_errors[1].title, "Unable to open registry key");
    EXPECT_TRUE(fs::exists(fs::path(m_path) / "keep.txt"));
}

TEST_F(RegFileTest, FailedSaveKeepsThePreviousSettings) {
    // A folder that cannot hold files: its would-be parent is a plain file.
    fs::path blocker = m_dir / "blocker";
    std::ofstream(blocker) << "x";
    std::string path = (blocker / "settings.reg").string();
    ErrorCapture errors;
    FileRegStore store(path);
    Settings settings(store);
    EXPECT_TRUE(errors.m_errors.empty());
    settings.Save();
    ASSERT_EQ(errors.m_errors.size(), 1u);
    EXPECT_EQ(errors.m_errors[0].title, "Unable to open registry key");
    EXPECT_FALSE(errors.m_errors[0].detail.empty());

    // An existing file survives a save that cannot complete.
    // No temporary name fits beside a name this long: the temporary file cannot be created.
    std::string longPath = (m_dir / std::string(250, 'x')).string();
    std::ofstream(longPath, std::ios::binary) << ExportedByRegedit;
    ASSERT_EQ(ReadFile(longPath), ExportedByRegedit);
    FileRegStore good(longPath);
    Settings first(good);
    first.CPU = 1;
    first.Save();
    EXPECT_EQ(errors.m_errors.size(), 2u);
    EXPECT_EQ(ReadFile(longPath), ExportedByRegedit);
}

TEST_F(RegFileTest, SaveThatCannotReplaceTheFileRemovesItsTemporaryFile) {
    // A folder with a file in it where the file goes: the temporary file is written whole, and
    // then cannot take the folder's place.
    fs::create_directories(m_path);
    std::ofstream(fs::path(m_path) / "keep.txt") << "mine";
    EXPECT_NE(WriteFileAtomically(m_path, ExportedByRegedit), "");
    std::vector<std::string> entries;
    for (const auto& entry : fs::directory_iterator(m_dir))
        entries.push_back(entry.path().filename().string());
    EXPECT_EQ(entries, std::vector<std::string>{"settings.reg"});
    EXPECT_EQ(ReadFile((fs::path(m_path) / "keep.txt").string()), "mine");
}

TEST_F(RegFileTest, SaveCreatesTheMissingFolders) {
    std::string path = (m_dir / "a" / "b" / "settings.reg").string();
    EXPECT_EQ(WriteFileAtomically(path, "bytes"), "");
    EXPECT_EQ(ReadFile(path), "bytes");
}

TEST(RegFileFormat, UnknownTypesSurviveARoundTrip) {
    RegTree tree;
    RegSection& section = tree.Create("HKEY_CURRENT_USER\\Software\\Other");
    section.Set("Dword", RegDword, {0x78, 0x56, 0x34, 0x12});
    section.Set("Expand", RegExpandSz, {'%', 'P', '%'});
    section.Set("Multi", RegSz, {'a', '\n', 'b'});
    section.Set("", RegBinary, std::vector<uint8_t>(100, 0xAB));
    std::string text = FormatRegFile(tree);
    EXPECT_NE(text.find("\"Dword\"=dword:12345678\r\n"), std::string::npos);

    RegTree back;
    ASSERT_TRUE(ParseRegFile(text, back));
    RegSection* reread = back.Find("hkey_current_user\\software\\other");
    ASSERT_NE(reread, nullptr);
    ASSERT_EQ(reread->values.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(reread->values[i].name, section.values[i].name);
        EXPECT_EQ(reread->values[i].type, section.values[i].type);
        EXPECT_EQ(reread->values[i].data, section.values[i].data);
    }
}

namespace {

// A UTF-16LE registry export with its byte-order mark, from code units as written.
std::string Utf16Units(const std::u16string& units) {
    std::string out = "\xFF\xFE";
    for (char16_t unit : units) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}

std::string Text(const std::vector<uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

} // namespace

TEST(RegFileFormat, Utf16SurrogatePairsAndNonAsciiBecomeUtf8) {
    const std::u16string file = u"Windows Registry Editor Version 5.00\r\n\r\n"
                                u"[HKEY_CURRENT_USER\\Software\\Other\xD83D\xDE00]\r\n"
                                u"\"Caf\x00E9\"=\"smile \xD83D\xDE00 \x00E9t\x00E9\"\r\n"
                                u"\"Unpaired\"=\"a\xD83D"
                                u"b\xDE00"
                                u"c\xD83D\xD83D\xDE00\"\r\n"
                                u"\"Wide\"=hex(1):3d,d8,00,de,e9,00\r\n";
    RegTree tree;
    ASSERT_TRUE(ParseRegFile(Utf16Units(file), tree));
    ASSERT_EQ(tree.m_aSections.size(), 1u);
    const RegSection& section = tree.m_aSections[0];
    EXPECT_EQ(section.path, "HKEY_CURRENT_USER\\Software\\Other\xF0\x9F\x98\x80");
    ASSERT_EQ(section.values.size(), 3u);
    EXPECT_EQ(section.values[0].name, "Caf\xC3\xA9");
    EXPECT_EQ(Text(section.values[0].data), "smile \xF0\x9F\x98\x80 \xC3\xA9t\xC3\xA9");
    // An unpaired half becomes U+FFFD and never swallows the unit after it.
    EXPECT_EQ(Text(section.values[1].data), "a\xEF\xBF\xBD"
                                            "b\xEF\xBF\xBD"
                                            "c\xEF\xBF\xBD\xF0\x9F\x98\x80");
    // String types spelled in hex hold UTF-16 too.
    EXPECT_EQ(section.values[2].type, 1u);
    EXPECT_EQ(Text(section.values[2].data), "\xF0\x9F\x98\x80\xC3\xA9");
}

namespace {

// The value as it reads back from the written file.
RegValue RoundTrip(uint32_t type, const std::string& data) {
    RegTree tree;
    tree.Create("HKEY_CURRENT_USER\\Software\\Other")
        .Set("Value", type, std::vector<uint8_t>(data.begin(), data.end()));
    RegTree back;
    EXPECT_TRUE(ParseRegFile(FormatRegFile(tree), back));
    if (back.m_aSections.size() != 1 || back.m_aSections[0].values.size() != 1)
        return {};
    return back.m_aSections[0].values[0];
}

} // namespace

TEST(RegFileFormat, StringsThatAreNotUtf8OrHoldZerosSurviveARoundTrip) {
    const std::string cases[] = {
        std::string("A\0B", 3),             // a zero inside: was cut at the zero
        std::string("A\0", 2),              // a terminator: was dropped
        "x\x01\xFF",                        // control character and a stray byte
        "\xE9t\xE9",                        // Latin-1: was re-read as UTF-8 for U+00E9
        std::string("\xC0\x80", 2),         // overlong zero: was decoded to a real zero
        std::string("\xE0\x80\x80", 3),     // the same in three bytes
        std::string("\xF0\x80\x80\x80", 4), // and in four
        "\xE0\x9F\xBF",                     // U+07FF in three bytes
        "\xF0\x8F\xBF\xBF",                 // U+FFFF in four bytes
        "\xED\xA0\x80",                     // an encoded surrogate
        "\xF4\x90\x80\x80",                 // past U+10FFFF: was folded into a surrogate pair
        "\xF8\xA0\xA0\xA0",                 // no lead byte at all, though its bits look in range
        "ab\xE2\x82",                       // cut short at the end
        "\x80\xBF",                         // continuation bytes alone
    };
    for (uint32_t type : {uint32_t{RegSz}, uint32_t{RegExpandSz}, uint32_t{7}}) {
        for (const std::string& data : cases) {
            RegValue back = RoundTrip(type, data);
            EXPECT_EQ(back.type, type);
            EXPECT_EQ(Text(back.data), data) << "type " << type;
        }
    }
    // Real UTF-8 still goes out as the UTF-16 the registry editor imports.
    RegTree tree;
    tree.Create("HKEY_CURRENT_USER\\Software\\Other").Set("E", RegExpandSz, {0xC3, 0xA9, 0xE9});
    EXPECT_NE(FormatRegFile(tree).find("\"E\"=hex(2):e9,00,e9,dc\r\n"), std::string::npos);
}

TEST(RegFileFormat, AnsiExportSurvivesBeingWrittenAsUnicode) {
    const std::string ansi = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n"
                             "\"Ansi\"=hex(2):41,e9,00\r\n";
    RegTree first;
    ASSERT_TRUE(ParseRegFile(ansi, first));
    RegTree second;
    ASSERT_TRUE(ParseRegFile(FormatRegFile(first), second));
    ASSERT_EQ(second.m_aSections.size(), 1u);
    ASSERT_EQ(second.m_aSections[0].values.size(), 1u);
    EXPECT_EQ(second.m_aSections[0].values[0].data, (std::vector<uint8_t>{0x41, 0xE9, 0x00}));
}
