#include "EditorHarness.h"

#include "settings/RegTree.h"
#include "settings/Settings.h"

#include <csignal>
#include <fstream>
#include <memory>
#include <sys/resource.h>

namespace {

std::string Describe(Settings& settings) {
    std::string text = std::to_string(settings.CurrentPreset) + " cpu " +
                       std::to_string(settings.CPU) + " delay " + std::to_string(settings.Delay) +
                       (settings.DoublePixels ? " double" : "") +
                       (settings.AllMonitors ? " every monitor" : "") + "\n";
    for (const auto& preset : settings.m_apPresets) {
        text += preset->Name + " " + std::to_string(preset->Worms) + "/" +
                std::to_string(preset->InitialWorms) + " map " + std::to_string(preset->Colormap);
        // Appended in two steps: GCC 12 takes " " + std::to_string(...) for an overlapping copy
        // in optimised builds (-Wrestrict).
        for (int state : preset->m_anTypeStates) {
            text += ' ';
            text += std::to_string(state);
        }
        text += "\n";
    }
    for (const auto& colormap : settings.m_apColormaps) {
        std::string line;
        colormap->GetText(line);
        text += line + "\n";
    }
    return text;
}

// While it lives, a file written may grow to `bytes` only; a write past that fails with "File
// too large" instead of ending the process.
class FileSizeCap {
public:
    explicit FileSizeCap(rlim_t bytes) : m_previousHandler(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit cap{bytes, m_previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &cap);
    }
    ~FileSizeCap() {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeCap(const FileSizeCap&) = delete;
    FileSizeCap& operator=(const FileSizeCap&) = delete;

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int);
};

} // namespace

class EditorFileTest : public EditorTest {
protected:
    // Edits on three pages and the preset list.
    void Edit() {
        Click(Editor().NewButton());
        gtk_editable_set_text(GTK_EDITABLE(Editor().Simple().NameEntry()), "Saved one");
        gtk_range_set_value(Editor().Simple().TotalSlider(), 77);
        Click(Editor().Types().Row(5));
        gtk_range_set_value(Editor().Advanced().CpuSlider(), 35);
        gtk_editable_set_text(Editor().Advanced().DelayEntry(), " 42 ");
        gtk_check_button_set_active(Editor().Advanced().DoublePixels(), TRUE);
        // Shown ticked from the settings' default, then cleared.
        EXPECT_TRUE(gtk_check_button_get_active(Editor().Advanced().AllMonitors()));
        gtk_check_button_set_active(Editor().Advanced().AllMonitors(), FALSE);
    }
};

TEST_F(EditorFileTest, SaveWritesWhatLoadsBackEqual) {
    WriteSettingsFile(Path(), "\"CPU\"=hex:50,00,00,00\r\n");
    Open();
    Edit();
    EXPECT_TRUE(Editor().HasUnsavedChanges());
    Click(Editor().SaveButton());
    EXPECT_FALSE(Editor().HasUnsavedChanges());
    EXPECT_EQ(Editor().Notice(), "");
    EXPECT_EQ(GetSettings().Delay, 42);

    FileRegStore store(Path());
    Settings loaded(store);
    EXPECT_EQ(Describe(loaded), Describe(GetSettings()));
    EXPECT_EQ(loaded.m_apPresets.back()->Name, "Saved one");
    EXPECT_EQ(loaded.CPU, 35);
    EXPECT_TRUE(loaded.DoublePixels);
    EXPECT_FALSE(loaded.AllMonitors);

    // Closing with nothing unsaved asks nothing.
    Click(Editor().CloseButton());
    EXPECT_TRUE(m_bClosed);
}

TEST_F(EditorFileTest, CloseAsksAndDiscardLeavesTheFileAlone) {
    WriteSettingsFile(Path(), "\"CPU\"=hex:50,00,00,00\r\n");
    const std::string before = ReadWholeFile(Path());
    Open();
    Edit();
    Click(Editor().CloseButton());
    Answer("Unsaved changes", "_Go back");
    EXPECT_FALSE(m_bClosed);
    EXPECT_TRUE(Editor().HasUnsavedChanges());
    // Escape asks the same.
    gboolean handled = FALSE;
    g_signal_emit_by_name(
        ControllerOf(GTK_WIDGET(Editor().Window()), GTK_TYPE_EVENT_CONTROLLER_KEY), "key-pressed",
        GDK_KEY_Escape, 9u, GdkModifierType(0), &handled);
    EXPECT_TRUE(handled);
    Answer("Unsaved changes", "_Discard");
    EXPECT_TRUE(m_bClosed);
    EXPECT_EQ(ReadWholeFile(Path()), before);
}

TEST_F(EditorFileTest, CloseCanSaveFirst) {
    Open();
    Edit();
    Click(Editor().CloseButton());
    Answer("Unsaved changes", "_Save");
    EXPECT_TRUE(m_bClosed);
    FileRegStore store(Path());
    Settings loaded(store);
    EXPECT_EQ(Describe(loaded), Describe(GetSettings()));
}

TEST_F(EditorFileTest, UnreadableFileOpensTheDefaultsWithANotice) {
    {
        std::ofstream garbage(Path(), std::ios::binary);
        garbage << "\x01\x02 not settings at all";
    }
    Open();
    const std::string notice = Editor().Notice();
    EXPECT_NE(notice.find(Path()), std::string::npos) << notice;
    EXPECT_NE(notice.find("not a registry export file"), std::string::npos) << notice;
    MemoryRegStore empty;
    Settings defaults(empty);
    EXPECT_EQ(Describe(GetSettings()), Describe(defaults));

    // Saving keeps the unreadable file aside and writes a good one.
    Click(Editor().SaveButton());
    EXPECT_EQ(Editor().Notice(), "");
    EXPECT_EQ(ReadWholeFile(Path() + ".bak"), "\x01\x02 not settings at all");
    FileRegStore store(Path());
    Settings loaded(store);
    EXPECT_EQ(Describe(loaded), Describe(defaults));
}

TEST_F(EditorFileTest, UnwritableFileSaysWhyAndLosesNothing) {
    WriteSettingsFile(Path(), "\"CPU\"=hex:50,00,00,00\r\n");
    const std::string before = ReadWholeFile(Path());
    Open();
    Edit();
    // No file may grow at all while the cap lives, for every user, root included.
    auto cap = std::make_unique<FileSizeCap>(0);
    Click(Editor().SaveButton());
    const std::string notice = Editor().Notice();
    EXPECT_NE(notice.find("File too large"), std::string::npos) << notice;
    EXPECT_NE(notice.find(Path()), std::string::npos) << notice;
    EXPECT_TRUE(Editor().HasUnsavedChanges());
    EXPECT_EQ(ReadWholeFile(Path()), before);
    EXPECT_EQ(GetSettings().m_apPresets.back()->Name, "Saved one");

    // Closing and choosing Save keeps the editor open while the save fails.
    Click(Editor().CloseButton());
    Answer("Unsaved changes", "_Save");
    EXPECT_FALSE(m_bClosed);
    EXPECT_EQ(ReadWholeFile(Path()), before);

    EXPECT_EQ(m_dir.Entries(), std::vector<std::string>{"settings.reg"});

    cap.reset();
    Click(Editor().SaveButton());
    EXPECT_FALSE(Editor().HasUnsavedChanges());
    FileRegStore store(Path());
    Settings loaded(store);
    EXPECT_EQ(Describe(loaded), Describe(GetSettings()));
}

TEST_F(EditorFileTest, FullDiskSaysSoAndLosesNothing) {
    WriteSettingsFile(Path(), "\"CPU\"=hex:50,00,00,00\r\n");
    const std::string before = ReadWholeFile(Path());
    Open();
    Edit();
    // The disk fills up a hundred bytes into the temporary file.
    FileSizeCap cap(100);
    Click(Editor().SaveButton());
    const std::string notice = Editor().Notice();
    EXPECT_NE(notice.find("File too large"), std::string::npos) << notice;
    EXPECT_EQ(m_dir.Entries(), std::vector<std::string>{"settings.reg"});
    EXPECT_TRUE(Editor().HasUnsavedChanges());
    EXPECT_EQ(ReadWholeFile(Path()), before);
    EXPECT_FALSE(m_bClosed);
}
